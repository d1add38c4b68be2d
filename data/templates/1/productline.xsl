<?xml version="1.0" encoding="utf-8"?>
<!--
  Body template of product line pages (the home page of a product catalog is
  one): the page's text, cards of the product lines below it, then cards of
  its products with their lowest public price, a number of products per page
  as the body template's settings say. A list's heading is left out when
  the page is named like it ("Products" above its products).
-->
<xsl:stylesheet version="1.0"
    xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:tolvex="urn:tolvex:xml-generation"
    exclude-result-prefixes="tolvex">

  <!-- The product lines and the products directly below this page. -->
  <tolvex:xml-generation-rule><TagName>ProductLines</TagName><Action>Childs</Action><ItemId>currenttree</ItemId><ItemType>ProductLinePage</ItemType><ClassXmlTag>CommonNames</ClassXmlTag><ClassXmlTag>CommonWebPage</ClassXmlTag><ItemTagName>Entry</ItemTagName></tolvex:xml-generation-rule>
  <tolvex:xml-generation-rule><TagName>Products</TagName><Action>Childs</Action><ItemId>currenttree</ItemId><ItemType>ProductPage</ItemType><ClassXmlTag>CommonNames</ClassXmlTag><ClassXmlTag>Product</ClassXmlTag><ClassXmlTag>ProductImages</ClassXmlTag><ClassXmlTag>Prices</ClassXmlTag><ItemTagName>Entry</ItemTagName></tolvex:xml-generation-rule>
  <!-- Price schedules (currency, visibility) and the default currency. -->
  <tolvex:xml-generation-rule><TagName>PriceSchedules</TagName><Action>AllChilds</Action><ItemId>PriceSchedulesRoot</ItemId><ItemType>PriceSchedule</ItemType><ClassXmlTag>CommonPriceSchedule</ClassXmlTag></tolvex:xml-generation-rule>
  <tolvex:xml-generation-rule><TagName>DefaultCurrency</TagName><Action>Object</Action><ItemId>706</ItemId><ClassXmlTag>CatalogProperty</ClassXmlTag></tolvex:xml-generation-rule>

  <xsl:template name="body">
    <xsl:call-template name="page-heading"/>
    <xsl:call-template name="page-text"><xsl:with-param name="part">top</xsl:with-param></xsl:call-template>
    <xsl:variable name="lines" select="/Page/ProductLines/Entry[CommonNames][not(CommonWebPage/NotVisible = 1)]"/>
    <xsl:if test="$lines">
      <xsl:variable name="title"><xsl:call-template name="section-heading"><xsl:with-param name="id">lines-title</xsl:with-param><xsl:with-param name="res">product-lines</xsl:with-param></xsl:call-template></xsl:variable>
      <section class="section">
        <xsl:if test="string($title)"><xsl:attribute name="aria-labelledby">lines-title</xsl:attribute></xsl:if>
        <xsl:copy-of select="$title"/>
        <ul class="cards">
          <xsl:for-each select="$lines">
            <xsl:call-template name="card">
              <xsl:with-param name="href"><xsl:call-template name="page-url"><xsl:with-param name="id" select="CommonNames/@TreeItemId"/></xsl:call-template></xsl:with-param>
              <xsl:with-param name="title"><xsl:call-template name="text"><xsl:with-param name="nodes" select="CommonNames/ItemName"/></xsl:call-template></xsl:with-param>
              <xsl:with-param name="text"><xsl:call-template name="text"><xsl:with-param name="nodes" select="CommonWebPage/MetaDescription"/></xsl:call-template></xsl:with-param>
              <xsl:with-param name="heading"><xsl:choose><xsl:when test="string($title)">h3</xsl:when><xsl:otherwise>h2</xsl:otherwise></xsl:choose></xsl:with-param>
            </xsl:call-template>
          </xsl:for-each>
        </ul>
      </section>
    </xsl:if>
    <xsl:variable name="products" select="/Page/Products/Entry[CommonNames]"/>
    <xsl:if test="$products">
      <xsl:variable name="title"><xsl:call-template name="section-heading"><xsl:with-param name="id">products-title</xsl:with-param><xsl:with-param name="res">products</xsl:with-param></xsl:call-template></xsl:variable>
      <section class="section">
        <xsl:if test="string($title)"><xsl:attribute name="aria-labelledby">products-title</xsl:attribute></xsl:if>
        <xsl:copy-of select="$title"/>
        <ul class="cards">
          <xsl:for-each select="$products">
            <xsl:variable name="shown"><xsl:call-template name="on-this-page"><xsl:with-param name="position" select="position()"/></xsl:call-template></xsl:variable>
            <xsl:if test="$shown = '1'">
              <xsl:call-template name="product-card">
                <xsl:with-param name="href"><xsl:call-template name="page-url"><xsl:with-param name="id" select="CommonNames/@TreeItemId"/></xsl:call-template></xsl:with-param>
                <xsl:with-param name="heading"><xsl:choose><xsl:when test="string($title)">h3</xsl:when><xsl:otherwise>h2</xsl:otherwise></xsl:choose></xsl:with-param>
              </xsl:call-template>
            </xsl:if>
          </xsl:for-each>
        </ul>
        <xsl:call-template name="pager"><xsl:with-param name="total" select="count($products)"/></xsl:call-template>
      </section>
    </xsl:if>
    <xsl:variable name="own-text"><xsl:call-template name="top"/><xsl:call-template name="bottom"/></xsl:variable>
    <xsl:if test="not($lines) and not($products) and not(normalize-space($own-text))">
      <p class="empty-note"><xsl:call-template name="res"><xsl:with-param name="id">nothing-yet</xsl:with-param></xsl:call-template></p>
    </xsl:if>
    <xsl:call-template name="page-text"><xsl:with-param name="part">bottom</xsl:with-param></xsl:call-template>
  </xsl:template>

</xsl:stylesheet>
