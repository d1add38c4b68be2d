<?xml version="1.0" encoding="utf-8"?>
<!--
  Body template of product pages: pictures beside the name, code, price and
  options; then the page's text, the specifications, custom fields and
  shipping data, the product's history and the page's closing text.
-->
<xsl:stylesheet version="1.0"
    xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:tolvex="urn:tolvex:xml-generation"
    exclude-result-prefixes="tolvex">

  <!-- The product's own objects. -->
  <tolvex:xml-generation-rule><TagName>Product</TagName><Action>Object</Action><ItemId>current</ItemId><ClassXmlTag>Product</ClassXmlTag><ClassXmlTag>ProductSpecs</ClassXmlTag><ClassXmlTag>ProductShipping</ClassXmlTag><ClassXmlTag>ProductImages</ClassXmlTag><ClassXmlTag>MultipleAdditionalImages</ClassXmlTag><ClassXmlTag>Prices</ClassXmlTag></tolvex:xml-generation-rule>
  <!-- Its custom field values and the definitions that name the fields. -->
  <tolvex:xml-generation-rule><TagName>CustomFields</TagName><Action>AllObjects</Action><ItemId>current</ItemId><ClassXmlTag>ProductAdditionalField</ClassXmlTag></tolvex:xml-generation-rule>
  <tolvex:xml-generation-rule><TagName>FieldDefinitions</TagName><Action>AllChilds</Action><ItemId>AdditionalItemsRoot</ItemId><ItemType>AdditionalField</ItemType><ClassXmlTag>CommonNames</ClassXmlTag></tolvex:xml-generation-rule>
  <!-- Its options, each with its values. -->
  <tolvex:xml-generation-rule><TagName>Options</TagName><Action>MemberObjectAndChilds</Action><ItemId>current</ItemId><ClassXmlTag>ProductOptions</ClassXmlTag><MemberXmlTag>Options</MemberXmlTag><IncludeClassXmlTag>CommonNames</IncludeClassXmlTag><ItemTagName>Option</ItemTagName></tolvex:xml-generation-rule>
  <!-- Price schedules (currency, visibility) and the default currency. -->
  <tolvex:xml-generation-rule><TagName>PriceSchedules</TagName><Action>AllChilds</Action><ItemId>PriceSchedulesRoot</ItemId><ItemType>PriceSchedule</ItemType><ClassXmlTag>CommonPriceSchedule</ClassXmlTag></tolvex:xml-generation-rule>
  <tolvex:xml-generation-rule><TagName>DefaultCurrency</TagName><Action>Object</Action><ItemId>706</ItemId><ClassXmlTag>CatalogProperty</ClassXmlTag></tolvex:xml-generation-rule>

  <xsl:key name="option-value" match="Options/Option/Childs/CommonNames" use="@ItemId"/>
  <xsl:key name="field-name" match="FieldDefinitions/CommonNames" use="@ItemId"/>

  <xsl:template name="body">
    <xsl:variable name="p" select="$page-root/Product"/>
    <xsl:variable name="own-name"><xsl:call-template name="text"><xsl:with-param name="nodes" select="$p/Product/Name"/></xsl:call-template></xsl:variable>
    <xsl:variable name="name">
      <xsl:choose>
        <xsl:when test="normalize-space($own-name)"><xsl:value-of select="$own-name"/></xsl:when>
        <xsl:otherwise><xsl:call-template name="page-name"/></xsl:otherwise>
      </xsl:choose>
    </xsl:variable>
    <article class="product">
      <div class="detail">
        <xsl:call-template name="product-gallery">
          <xsl:with-param name="p" select="$p"/>
          <xsl:with-param name="name" select="$name"/>
        </xsl:call-template>
        <div class="summary">
          <xsl:call-template name="page-heading"><xsl:with-param name="text" select="$name"/></xsl:call-template>
          <xsl:if test="normalize-space($p/Product/Code)">
            <p class="product-code">
              <xsl:call-template name="res"><xsl:with-param name="id">product-code</xsl:with-param></xsl:call-template>
              <xsl:value-of select="concat(': ', $p/Product/Code)"/>
            </p>
          </xsl:if>
          <xsl:call-template name="product-prices"><xsl:with-param name="prices" select="$p/Prices"/></xsl:call-template>
          <xsl:variable name="description"><xsl:call-template name="text"><xsl:with-param name="nodes" select="$p/Product/Description"/></xsl:call-template></xsl:variable>
          <xsl:if test="normalize-space($description)"><p class="lead"><xsl:value-of select="$description"/></p></xsl:if>
          <xsl:call-template name="product-options"/>
        </div>
      </div>
      <xsl:call-template name="page-text"><xsl:with-param name="part">top</xsl:with-param></xsl:call-template>
      <xsl:call-template name="product-facts"><xsl:with-param name="p" select="$p"/></xsl:call-template>
      <xsl:variable name="history"><xsl:call-template name="text"><xsl:with-param name="nodes" select="$p/Product/History"/></xsl:call-template></xsl:variable>
      <xsl:if test="normalize-space($history)">
        <section class="section" aria-labelledby="history-title">
          <h2 id="history-title" class="section-title"><xsl:call-template name="res"><xsl:with-param name="id">history</xsl:with-param></xsl:call-template></h2>
          <p><xsl:value-of select="$history"/></p>
        </section>
      </xsl:if>
      <xsl:call-template name="page-text"><xsl:with-param name="part">bottom</xsl:with-param></xsl:call-template>
    </article>
  </xsl:template>

  <!-- The main picture (linked to the full-size one) and the further pictures. -->
  <xsl:template name="product-gallery">
    <xsl:param name="p"/>
    <xsl:param name="name"/>
    <xsl:variable name="main" select="($p/ProductImages/MainImage[Image] | $p/ProductImages/ThumbnailImage[Image])[1]"/>
    <xsl:variable name="large" select="$p/ProductImages/LargeImage/Image[ImageData/Size &gt; 0]"/>
    <xsl:variable name="more" select="$p/MultipleAdditionalImages/AdditionalImage[Image/ImageData/Size &gt; 0]"/>
    <xsl:if test="$main or $more">
      <div class="gallery">
        <xsl:if test="$main">
          <div class="gallery-main">
            <xsl:choose>
              <xsl:when test="$large">
                <a href="../images/{$large/@ItemId}.{$large/ImageData/FileExt}">
                  <xsl:call-template name="image">
                    <xsl:with-param name="ref" select="$main"/>
                    <xsl:with-param name="alt" select="$name"/>
                    <xsl:with-param name="lazy" select="false()"/>
                  </xsl:call-template>
                </a>
              </xsl:when>
              <xsl:otherwise>
                <xsl:call-template name="image">
                  <xsl:with-param name="ref" select="$main"/>
                  <xsl:with-param name="alt" select="$name"/>
                  <xsl:with-param name="lazy" select="false()"/>
                </xsl:call-template>
              </xsl:otherwise>
            </xsl:choose>
          </div>
        </xsl:if>
        <xsl:if test="$more">
          <ul class="gallery-more">
            <xsl:attribute name="aria-label"><xsl:call-template name="res"><xsl:with-param name="id">pictures</xsl:with-param></xsl:call-template></xsl:attribute>
            <xsl:for-each select="$more">
              <li>
                <a href="../images/{Image/@ItemId}.{Image/ImageData/FileExt}">
                  <xsl:call-template name="image">
                    <xsl:with-param name="ref" select="."/>
                    <xsl:with-param name="alt" select="concat($name, ' (', position() + 1, ')')"/>
                  </xsl:call-template>
                </a>
              </li>
            </xsl:for-each>
          </ul>
        </xsl:if>
      </div>
    </xsl:if>
  </xsl:template>

  <!-- One price, or a table when the public sees several price rows
       (quantities, options). -->
  <xsl:template name="product-prices">
    <xsl:param name="prices"/>
    <xsl:variable name="rows" select="$prices/Price/Price[not(key('hidden-schedule', PriceSchedule/@ItemId))]"/>
    <xsl:choose>
      <xsl:when test="count($rows) &gt; 1">
        <div class="table-scroll">
          <table class="data-table">
            <caption><xsl:call-template name="res"><xsl:with-param name="id">prices</xsl:with-param></xsl:call-template></caption>
            <thead>
              <tr>
                <xsl:if test="$rows/OptionItemId[@ItemId]"><th scope="col"><xsl:call-template name="res"><xsl:with-param name="id">options</xsl:with-param></xsl:call-template></th></xsl:if>
                <xsl:if test="$rows[MinimumQuantity &gt; 0]"><th scope="col" class="number"><xsl:call-template name="res"><xsl:with-param name="id">minimum-quantity</xsl:with-param></xsl:call-template></th></xsl:if>
                <th scope="col" class="number"><xsl:call-template name="res"><xsl:with-param name="id">price</xsl:with-param></xsl:call-template></th>
              </tr>
            </thead>
            <tbody>
              <xsl:for-each select="$rows">
                <tr>
                  <xsl:if test="$rows/OptionItemId[@ItemId]">
                    <td>
                      <xsl:for-each select="OptionItemId[@ItemId]">
                        <xsl:if test="position() &gt; 1"><xsl:text>, </xsl:text></xsl:if>
                        <xsl:call-template name="text"><xsl:with-param name="nodes" select="key('option-value', @ItemId)[1]/ItemName"/></xsl:call-template>
                      </xsl:for-each>
                    </td>
                  </xsl:if>
                  <xsl:if test="$rows[MinimumQuantity &gt; 0]">
                    <td class="number"><xsl:if test="MinimumQuantity &gt; 0"><xsl:value-of select="MinimumQuantity"/></xsl:if></td>
                  </xsl:if>
                  <td class="number">
                    <xsl:choose>
                      <xsl:when test="PriceValue &gt; 0 and not(IsRequestForQuote = 1)">
                        <xsl:call-template name="amount">
                          <xsl:with-param name="value" select="PriceValue"/>
                          <xsl:with-param name="currency"><xsl:call-template name="row-currency"><xsl:with-param name="row" select="."/></xsl:call-template></xsl:with-param>
                        </xsl:call-template>
                      </xsl:when>
                      <xsl:otherwise><xsl:call-template name="res"><xsl:with-param name="id">price-on-request</xsl:with-param></xsl:call-template></xsl:otherwise>
                    </xsl:choose>
                  </td>
                </tr>
              </xsl:for-each>
            </tbody>
          </table>
        </div>
      </xsl:when>
      <xsl:otherwise>
        <xsl:call-template name="price-summary"><xsl:with-param name="prices" select="$prices"/></xsl:call-template>
      </xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <!-- Each option with its values. -->
  <xsl:template name="product-options">
    <xsl:variable name="options" select="/Page/Options/Option[Childs/CommonNames]"/>
    <xsl:if test="$options">
      <dl class="facts">
        <xsl:for-each select="$options">
          <div class="fact">
            <dt><xsl:call-template name="text"><xsl:with-param name="nodes" select="CommonNames/ItemName"/></xsl:call-template></dt>
            <dd>
              <ul class="tags">
                <xsl:for-each select="Childs/CommonNames">
                  <li><xsl:call-template name="text"><xsl:with-param name="nodes" select="ItemName"/></xsl:call-template></li>
                </xsl:for-each>
              </ul>
            </dd>
          </div>
        </xsl:for-each>
      </dl>
    </xsl:if>
  </xsl:template>

  <!-- Specifications, custom fields and shipping data as one list. -->
  <xsl:template name="product-facts">
    <xsl:param name="p"/>
    <xsl:variable name="s" select="$p/ProductSpecs"/>
    <xsl:variable name="h" select="$p/ProductShipping"/>
    <xsl:variable name="fields" select="/Page/CustomFields/ProductAdditionalField[FieldData[normalize-space()]]"/>
    <xsl:variable name="unit" select="normalize-space($s/DimensionsUnit)"/>
    <xsl:variable name="material"><xsl:call-template name="text"><xsl:with-param name="nodes" select="$s/Material"/></xsl:call-template></xsl:variable>
    <xsl:variable name="packing"><xsl:call-template name="text"><xsl:with-param name="nodes" select="$s/PackingDetails"/></xsl:call-template></xsl:variable>
    <xsl:if test="$fields or normalize-space(concat($s/Width, $s/Length, $s/Height, $s/Diameter, $s/Weight,
                  $material, $packing, $s/DominantColor, $h/MonthlyCapacity, $h/PreparationTimeToShip))">
      <section class="section" aria-labelledby="specs-title">
        <h2 id="specs-title" class="section-title"><xsl:call-template name="res"><xsl:with-param name="id">specifications</xsl:with-param></xsl:call-template></h2>
        <dl class="facts">
          <xsl:call-template name="measure"><xsl:with-param name="label">width</xsl:with-param><xsl:with-param name="value" select="$s/Width"/><xsl:with-param name="unit" select="$unit"/></xsl:call-template>
          <xsl:call-template name="measure"><xsl:with-param name="label">length</xsl:with-param><xsl:with-param name="value" select="$s/Length"/><xsl:with-param name="unit" select="$unit"/></xsl:call-template>
          <xsl:call-template name="measure"><xsl:with-param name="label">height</xsl:with-param><xsl:with-param name="value" select="$s/Height"/><xsl:with-param name="unit" select="$unit"/></xsl:call-template>
          <xsl:call-template name="measure"><xsl:with-param name="label">diameter</xsl:with-param><xsl:with-param name="value" select="$s/Diameter"/><xsl:with-param name="unit" select="$unit"/></xsl:call-template>
          <xsl:call-template name="measure"><xsl:with-param name="label">weight</xsl:with-param><xsl:with-param name="value" select="$s/Weight"/><xsl:with-param name="unit" select="normalize-space($s/WeightUnit)"/></xsl:call-template>
          <xsl:call-template name="fact"><xsl:with-param name="label">material</xsl:with-param><xsl:with-param name="value" select="$material"/></xsl:call-template>
          <xsl:call-template name="fact"><xsl:with-param name="label">dominant-color</xsl:with-param><xsl:with-param name="value" select="$s/DominantColor"/></xsl:call-template>
          <xsl:call-template name="fact"><xsl:with-param name="label">packing-details</xsl:with-param><xsl:with-param name="value" select="$packing"/></xsl:call-template>
          <xsl:call-template name="fact"><xsl:with-param name="label">monthly-capacity</xsl:with-param><xsl:with-param name="value" select="$h/MonthlyCapacity"/></xsl:call-template>
          <xsl:call-template name="fact"><xsl:with-param name="label">preparation-time</xsl:with-param><xsl:with-param name="value" select="$h/PreparationTimeToShip"/></xsl:call-template>
          <xsl:for-each select="$fields">
            <div class="fact">
              <dt><xsl:call-template name="text"><xsl:with-param name="nodes" select="key('field-name', AdditionalField/@ItemId)[1]/ItemName"/></xsl:call-template></dt>
              <dd><xsl:call-template name="text"><xsl:with-param name="nodes" select="FieldData"/></xsl:call-template></dd>
            </div>
          </xsl:for-each>
        </dl>
      </section>
    </xsl:if>
  </xsl:template>

  <!-- A measure with its unit. -->
  <xsl:template name="measure">
    <xsl:param name="label"/>
    <xsl:param name="value"/>
    <xsl:param name="unit"/>
    <xsl:if test="normalize-space($value)">
      <xsl:call-template name="fact">
        <xsl:with-param name="label" select="$label"/>
        <xsl:with-param name="value" select="normalize-space(concat($value, ' ', $unit))"/>
      </xsl:call-template>
    </xsl:if>
  </xsl:template>

</xsl:stylesheet>
