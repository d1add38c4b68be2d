<?xml version="1.0" encoding="utf-8"?>
<!--
  Body template of a partner category page: the products of the catalog
  that are assigned to the page's trade-portal category, as cards linked to
  their pages. A category page's item id is the category id modulo 10000
  plus 110000, so the page matches a product's category ids the same way.
-->
<xsl:stylesheet version="1.0"
    xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:tolvex="urn:tolvex:xml-generation"
    exclude-result-prefixes="tolvex">

  <!-- Every product with its categories and the page that shows it. -->
  <tolvex:xml-generation-rule><TagName>CategoryProducts</TagName><ProcessFor>AllChilds</ProcessFor><ProcessForItemId>ProductsRoot</ProcessForItemId><ProcessForItemType>ProductPage</ProcessForItemType><ProcessForTagName>Entry</ProcessForTagName><Action>Object</Action><ItemId>process</ItemId><AddPageItemId>Yes</AddPageItemId><ClassXmlTag>CommonNames</ClassXmlTag><ClassXmlTag>Product</ClassXmlTag><ClassXmlTag>ProductImages</ClassXmlTag><ClassXmlTag>Prices</ClassXmlTag><ClassXmlTag>ZUDIProductCategories</ClassXmlTag></tolvex:xml-generation-rule>
  <!-- Price schedules (currency, visibility) and the default currency. -->
  <tolvex:xml-generation-rule><TagName>PriceSchedules</TagName><Action>AllChilds</Action><ItemId>PriceSchedulesRoot</ItemId><ItemType>PriceSchedule</ItemType><ClassXmlTag>CommonPriceSchedule</ClassXmlTag></tolvex:xml-generation-rule>
  <tolvex:xml-generation-rule><TagName>DefaultCurrency</TagName><Action>Object</Action><ItemId>706</ItemId><ClassXmlTag>CatalogProperty</ClassXmlTag></tolvex:xml-generation-rule>

  <xsl:template name="body">
    <xsl:variable name="category" select="/Page/@ItemId - 110000"/>
    <xsl:call-template name="page-heading"/>
    <xsl:call-template name="page-text"><xsl:with-param name="part">top</xsl:with-param></xsl:call-template>
    <xsl:variable name="products" select="/Page/CategoryProducts//Entry[CommonNames][ZUDIProductCategories/CategoryId[. mod 10000 = $category]]"/>
    <xsl:choose>
      <xsl:when test="$products">
        <ul class="cards">
          <xsl:for-each select="$products">
            <xsl:variable name="shown"><xsl:call-template name="on-this-page"><xsl:with-param name="position" select="position()"/></xsl:call-template></xsl:variable>
            <xsl:if test="$shown = '1'">
              <xsl:call-template name="product-card">
                <xsl:with-param name="href">
                  <xsl:if test="@PageItemId &gt; 0"><xsl:call-template name="page-url"><xsl:with-param name="id" select="@PageItemId"/></xsl:call-template></xsl:if>
                </xsl:with-param>
                <xsl:with-param name="heading">h2</xsl:with-param>
              </xsl:call-template>
            </xsl:if>
          </xsl:for-each>
        </ul>
        <xsl:call-template name="pager"><xsl:with-param name="total" select="count($products)"/></xsl:call-template>
      </xsl:when>
      <xsl:otherwise>
        <p class="empty-note"><xsl:call-template name="res"><xsl:with-param name="id">nothing-yet</xsl:with-param></xsl:call-template></p>
      </xsl:otherwise>
    </xsl:choose>
    <xsl:call-template name="page-text"><xsl:with-param name="part">bottom</xsl:with-param></xsl:call-template>
  </xsl:template>

</xsl:stylesheet>
