<?xml version="1.0" encoding="utf-8"?>
<!--
  Body template of a member catalog's page in a catalog of catalogs: the
  page's text and the member's company record, read from the member's own
  catalog. Without a description or text the record stands alone.
-->
<xsl:stylesheet version="1.0"
    xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:tolvex="urn:tolvex:xml-generation"
    exclude-result-prefixes="tolvex">

  <!-- The company record of the member catalog this page stands for. -->
  <tolvex:xml-generation-rule><TagName>Vendor</TagName><Action>Object</Action><ItemId>Company</ItemId><CatalogCode>CoCMember</CatalogCode><CatalogCodeItemId>current</CatalogCodeItemId><ClassXmlTag>CommonCompanyInfo</ClassXmlTag></tolvex:xml-generation-rule>

  <xsl:template name="body">
    <xsl:variable name="info" select="$page-root/Vendor/CommonCompanyInfo"/>
    <xsl:call-template name="page-heading"/>
    <xsl:variable name="about"><xsl:call-template name="text"><xsl:with-param name="nodes" select="$info/CompanyDescription"/></xsl:call-template></xsl:variable>
    <xsl:variable name="own-text"><xsl:call-template name="top"/></xsl:variable>
    <xsl:variable name="has-text" select="normalize-space($about) or normalize-space($own-text)"/>
    <xsl:if test="$has-text or $info">
      <div class="detail">
        <xsl:if test="$has-text">
          <div>
            <xsl:if test="normalize-space($about)"><p class="lead"><xsl:value-of select="$about"/></p></xsl:if>
            <xsl:call-template name="page-text"><xsl:with-param name="part">top</xsl:with-param></xsl:call-template>
          </div>
        </xsl:if>
        <xsl:if test="$info">
          <section class="panel contact-panel" aria-labelledby="vendor-contact-title">
            <h2 id="vendor-contact-title" class="section-title"><xsl:call-template name="res"><xsl:with-param name="id">contact</xsl:with-param></xsl:call-template></h2>
            <xsl:call-template name="contact-details">
              <xsl:with-param name="info" select="$info"/>
              <xsl:with-param name="with-name" select="true()"/>
            </xsl:call-template>
          </section>
        </xsl:if>
      </div>
    </xsl:if>
    <xsl:variable name="closing-text"><xsl:call-template name="bottom"/></xsl:variable>
    <xsl:if test="not($has-text or $info) and not(normalize-space($closing-text))">
      <p class="empty-note"><xsl:call-template name="res"><xsl:with-param name="id">nothing-yet</xsl:with-param></xsl:call-template></p>
    </xsl:if>
    <xsl:call-template name="page-text"><xsl:with-param name="part">bottom</xsl:with-param></xsl:call-template>
  </xsl:template>

</xsl:stylesheet>
