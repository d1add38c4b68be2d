<?xml version="1.0" encoding="utf-8"?>
<!--
  Body template of the contact page: the page's text beside the company's
  address, telephone, e-mail and web address. A page without text of its
  own shows the address alone, with no empty column beside it.
-->
<xsl:stylesheet version="1.0"
    xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:tolvex="urn:tolvex:xml-generation"
    exclude-result-prefixes="tolvex">

  <!-- The company record (the master template writes it too; equal rules
       run once). -->
  <tolvex:xml-generation-rule><TagName>Company</TagName><Action>Object</Action><ItemId>Company</ItemId><ClassXmlTag>CommonCompanyInfo</ClassXmlTag></tolvex:xml-generation-rule>

  <xsl:template name="body">
    <xsl:variable name="info" select="$page-root/Company/CommonCompanyInfo"/>
    <xsl:call-template name="page-heading"/>
    <xsl:variable name="own-text"><xsl:call-template name="top"/></xsl:variable>
    <div class="detail">
      <xsl:if test="normalize-space($own-text)">
        <div>
          <xsl:call-template name="page-text"><xsl:with-param name="part">top</xsl:with-param></xsl:call-template>
        </div>
      </xsl:if>
      <section class="panel contact-panel" aria-labelledby="contact-title">
        <h2 id="contact-title" class="section-title"><xsl:call-template name="company-name"/></h2>
        <xsl:call-template name="contact-details"><xsl:with-param name="info" select="$info"/></xsl:call-template>
        <xsl:if test="normalize-space($info/CompanyContactName)">
          <p>
            <xsl:call-template name="res"><xsl:with-param name="id">contact-person</xsl:with-param></xsl:call-template>
            <xsl:value-of select="concat(': ', $info/CompanyContactName)"/>
          </p>
        </xsl:if>
      </section>
    </div>
    <xsl:call-template name="page-text"><xsl:with-param name="part">bottom</xsl:with-param></xsl:call-template>
  </xsl:template>

</xsl:stylesheet>
