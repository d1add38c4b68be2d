<?xml version="1.0" encoding="utf-8"?>
<!--
  Body template of information pages (and of any page without a body
  template of its own): the page's heading and text, then cards leading to
  the pages below it, then the page's closing text.
-->
<xsl:stylesheet version="1.0"
    xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:tolvex="urn:tolvex:xml-generation"
    exclude-result-prefixes="tolvex">

  <!-- The visible pages directly below this one, one Entry each. -->
  <tolvex:xml-generation-rule><TagName>SubPages</TagName><Action>Childs</Action><ItemId>currenttree</ItemId><ClassXmlTag>CommonNames</ClassXmlTag><ClassXmlTag>CommonWebPage</ClassXmlTag><ItemTagName>Entry</ItemTagName></tolvex:xml-generation-rule>

  <xsl:template name="body">
    <xsl:call-template name="page-heading"/>
    <xsl:call-template name="page-text"><xsl:with-param name="part">top</xsl:with-param></xsl:call-template>
    <xsl:variable name="entries" select="/Page/SubPages/Entry[CommonNames][not(CommonWebPage/NotVisible = 1)]"/>
    <xsl:if test="$entries">
      <section class="section" aria-labelledby="subpages-title">
        <h2 id="subpages-title" class="section-title"><xsl:call-template name="res"><xsl:with-param name="id">section-navigation</xsl:with-param></xsl:call-template></h2>
        <ul class="cards">
          <xsl:for-each select="$entries">
            <xsl:call-template name="card">
              <xsl:with-param name="href"><xsl:call-template name="page-url"><xsl:with-param name="id" select="CommonNames/@TreeItemId"/></xsl:call-template></xsl:with-param>
              <xsl:with-param name="title"><xsl:call-template name="text"><xsl:with-param name="nodes" select="CommonNames/ItemName"/></xsl:call-template></xsl:with-param>
              <xsl:with-param name="text"><xsl:call-template name="text"><xsl:with-param name="nodes" select="CommonWebPage/MetaDescription"/></xsl:call-template></xsl:with-param>
              <xsl:with-param name="heading">h3</xsl:with-param>
            </xsl:call-template>
          </xsl:for-each>
        </ul>
      </section>
    </xsl:if>
    <xsl:call-template name="page-text"><xsl:with-param name="part">bottom</xsl:with-param></xsl:call-template>
  </xsl:template>

</xsl:stylesheet>
