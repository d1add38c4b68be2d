<?xml version="1.0" encoding="utf-8"?>
<!--
  Body template of a room of a hotel: photos beside the room's name, type
  and features; then the page's text, the prices by season (in this catalog
  type the extra-person price is the twin-room price), the fixed-period
  prices and the notes. A price of a period without a text of its own is
  named by its dates, else "Price". On phones the price tables show each
  row as a block of labelled prices.
-->
<xsl:stylesheet version="1.0"
    xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:tolvex="urn:tolvex:xml-generation"
    exclude-result-prefixes="tolvex">

  <!-- The room, its price for each season, the seasons and the default currency. -->
  <tolvex:xml-generation-rule><TagName>Room</TagName><Action>Object</Action><ItemId>current</ItemId><ClassXmlTag>RoomInfo</ClassXmlTag></tolvex:xml-generation-rule>
  <tolvex:xml-generation-rule><TagName>SeasonPrices</TagName><Action>AllObjects</Action><ItemId>current</ItemId><ClassXmlTag>RoomSeasonPrice</ClassXmlTag></tolvex:xml-generation-rule>
  <tolvex:xml-generation-rule><TagName>Seasons</TagName><Action>AllChilds</Action><ItemId>SeasonsRoot</ItemId><ItemType>Season</ItemType><ClassXmlTag>CommonNames</ClassXmlTag><ClassXmlTag>ZOZSeason</ClassXmlTag></tolvex:xml-generation-rule>
  <tolvex:xml-generation-rule><TagName>DefaultCurrency</TagName><Action>Object</Action><ItemId>706</ItemId><ClassXmlTag>CatalogProperty</ClassXmlTag></tolvex:xml-generation-rule>

  <xsl:key name="season-name" match="Seasons/CommonNames" use="@ItemId"/>
  <xsl:key name="season-dates" match="Seasons/ZOZSeason" use="@ItemId"/>

  <xsl:template name="body">
    <xsl:variable name="r" select="$page-root/Room/RoomInfo"/>
    <xsl:variable name="name"><xsl:call-template name="page-name"/></xsl:variable>
    <div class="detail">
      <xsl:variable name="more" select="$r/AdditionalPhotos[Image/ImageData/Size &gt; 0]"/>
      <xsl:if test="$r/RoomPhoto/Image[ImageData/Size &gt; 0] or $more">
        <div class="gallery">
          <xsl:if test="$r/RoomPhoto/Image[ImageData/Size &gt; 0]">
            <div class="gallery-main">
              <xsl:call-template name="image">
                <xsl:with-param name="ref" select="$r/RoomPhoto"/>
                <xsl:with-param name="alt" select="$name"/>
                <xsl:with-param name="lazy" select="false()"/>
              </xsl:call-template>
            </div>
          </xsl:if>
          <xsl:if test="$more">
            <ul class="gallery-more">
              <xsl:attribute name="aria-label"><xsl:call-template name="res"><xsl:with-param name="id">pictures</xsl:with-param></xsl:call-template></xsl:attribute>
              <xsl:for-each select="$more">
                <li><a href="../images/{Image/@ItemId}.{Image/ImageData/FileExt}">
                  <xsl:call-template name="image">
                    <xsl:with-param name="ref" select="."/>
                    <xsl:with-param name="alt" select="concat($name, ' (', position() + 1, ')')"/>
                  </xsl:call-template>
                </a></li>
              </xsl:for-each>
            </ul>
          </xsl:if>
        </div>
      </xsl:if>
      <div class="summary">
        <xsl:call-template name="page-heading"><xsl:with-param name="text" select="$name"/></xsl:call-template>
        <xsl:variable name="facts">
          <xsl:if test="normalize-space($r/RoomCategory)">
            <div class="fact">
              <dt><xsl:call-template name="res"><xsl:with-param name="id">room-type</xsl:with-param></xsl:call-template></dt>
              <dd><xsl:call-template name="list-text"><xsl:with-param name="node" select="$r/RoomCategory"/></xsl:call-template></dd>
            </div>
          </xsl:if>
          <xsl:if test="$r/NumRooms &gt; 0">
            <xsl:call-template name="fact"><xsl:with-param name="label">number-of-rooms</xsl:with-param><xsl:with-param name="value" select="$r/NumRooms"/></xsl:call-template>
          </xsl:if>
        </xsl:variable>
        <xsl:if test="normalize-space($facts)"><dl class="facts"><xsl:copy-of select="$facts"/></dl></xsl:if>
        <xsl:variable name="features" select="$r/Characteristics[normalize-space()] | $r/Smoking[normalize-space()]"/>
        <xsl:if test="$features or $r/Breakfast = 1">
          <ul class="tags">
            <xsl:attribute name="aria-label"><xsl:call-template name="res"><xsl:with-param name="id">room-features</xsl:with-param></xsl:call-template></xsl:attribute>
            <xsl:for-each select="$features">
              <li><xsl:call-template name="list-text"><xsl:with-param name="node" select="."/></xsl:call-template></li>
            </xsl:for-each>
            <xsl:if test="$r/Breakfast = 1"><li><xsl:call-template name="res"><xsl:with-param name="id">breakfast-included</xsl:with-param></xsl:call-template></li></xsl:if>
          </ul>
        </xsl:if>
        <xsl:variable name="other"><xsl:call-template name="text"><xsl:with-param name="nodes" select="$r/OtherCharacteristics"/></xsl:call-template></xsl:variable>
        <xsl:if test="normalize-space($other)"><p><xsl:value-of select="$other"/></p></xsl:if>
      </div>
    </div>
    <xsl:call-template name="page-text"><xsl:with-param name="part">top</xsl:with-param></xsl:call-template>
    <xsl:call-template name="season-prices"/>
    <xsl:call-template name="period-prices"><xsl:with-param name="r" select="$r"/></xsl:call-template>
    <xsl:variable name="notes"><xsl:call-template name="text"><xsl:with-param name="nodes" select="$r/SpecialNotes"/></xsl:call-template></xsl:variable>
    <xsl:if test="normalize-space($notes)"><p class="note"><xsl:value-of select="$notes"/></p></xsl:if>
    <xsl:call-template name="page-text"><xsl:with-param name="part">bottom</xsl:with-param></xsl:call-template>
  </xsl:template>

  <!-- The price table by season; a column only for the prices some season has. -->
  <xsl:template name="season-prices">
    <xsl:variable name="rows" select="$page-root/SeasonPrices/RoomSeasonPrice"/>
    <xsl:variable name="columns" select="$rows/SinglePrice[. &gt; 0] | $rows/DoublePrice[. &gt; 0] | $rows/ExtraPersonPrice[. &gt; 0]
                                         | $rows/TriplePrice[. &gt; 0] | $rows/QuadroPrice[. &gt; 0]"/>
    <xsl:if test="$columns">
      <section class="section" aria-labelledby="prices-title">
        <h2 id="prices-title" class="section-title"><xsl:call-template name="res"><xsl:with-param name="id">season-prices</xsl:with-param></xsl:call-template></h2>
        <div class="table-scroll">
          <table class="data-table stack-narrow">
            <thead>
              <tr>
                <th scope="col"><xsl:call-template name="res"><xsl:with-param name="id">season</xsl:with-param></xsl:call-template></th>
                <xsl:if test="$rows/SinglePrice[. &gt; 0]"><th scope="col" class="number"><xsl:call-template name="res"><xsl:with-param name="id">single-room</xsl:with-param></xsl:call-template></th></xsl:if>
                <xsl:if test="$rows/DoublePrice[. &gt; 0]"><th scope="col" class="number"><xsl:call-template name="res"><xsl:with-param name="id">double-room</xsl:with-param></xsl:call-template></th></xsl:if>
                <xsl:if test="$rows/ExtraPersonPrice[. &gt; 0]"><th scope="col" class="number"><xsl:call-template name="res"><xsl:with-param name="id">twin-room</xsl:with-param></xsl:call-template></th></xsl:if>
                <xsl:if test="$rows/TriplePrice[. &gt; 0]"><th scope="col" class="number"><xsl:call-template name="res"><xsl:with-param name="id">triple-room</xsl:with-param></xsl:call-template></th></xsl:if>
                <xsl:if test="$rows/QuadroPrice[. &gt; 0]"><th scope="col" class="number"><xsl:call-template name="res"><xsl:with-param name="id">quadruple-room</xsl:with-param></xsl:call-template></th></xsl:if>
              </tr>
            </thead>
            <tbody>
              <xsl:for-each select="$rows">
                <xsl:variable name="row" select="."/>
                <tr>
                  <th scope="row">
                    <xsl:call-template name="text"><xsl:with-param name="nodes" select="key('season-name', Season/@ItemId)[1]/ItemName"/></xsl:call-template>
                    <xsl:call-template name="season-dates"><xsl:with-param name="s" select="key('season-dates', Season/@ItemId)[1]"/></xsl:call-template>
                  </th>
                  <xsl:if test="$rows/SinglePrice[. &gt; 0]"><td class="number"><xsl:attribute name="data-label"><xsl:call-template name="res"><xsl:with-param name="id">single-room</xsl:with-param></xsl:call-template></xsl:attribute><xsl:call-template name="season-amount"><xsl:with-param name="value" select="SinglePrice"/><xsl:with-param name="row" select="$row"/></xsl:call-template></td></xsl:if>
                  <xsl:if test="$rows/DoublePrice[. &gt; 0]"><td class="number"><xsl:attribute name="data-label"><xsl:call-template name="res"><xsl:with-param name="id">double-room</xsl:with-param></xsl:call-template></xsl:attribute><xsl:call-template name="season-amount"><xsl:with-param name="value" select="DoublePrice"/><xsl:with-param name="row" select="$row"/></xsl:call-template></td></xsl:if>
                  <xsl:if test="$rows/ExtraPersonPrice[. &gt; 0]"><td class="number"><xsl:attribute name="data-label"><xsl:call-template name="res"><xsl:with-param name="id">twin-room</xsl:with-param></xsl:call-template></xsl:attribute><xsl:call-template name="season-amount"><xsl:with-param name="value" select="ExtraPersonPrice"/><xsl:with-param name="row" select="$row"/></xsl:call-template></td></xsl:if>
                  <xsl:if test="$rows/TriplePrice[. &gt; 0]"><td class="number"><xsl:attribute name="data-label"><xsl:call-template name="res"><xsl:with-param name="id">triple-room</xsl:with-param></xsl:call-template></xsl:attribute><xsl:call-template name="season-amount"><xsl:with-param name="value" select="TriplePrice"/><xsl:with-param name="row" select="$row"/></xsl:call-template></td></xsl:if>
                  <xsl:if test="$rows/QuadroPrice[. &gt; 0]"><td class="number"><xsl:attribute name="data-label"><xsl:call-template name="res"><xsl:with-param name="id">quadruple-room</xsl:with-param></xsl:call-template></xsl:attribute><xsl:call-template name="season-amount"><xsl:with-param name="value" select="QuadroPrice"/><xsl:with-param name="row" select="$row"/></xsl:call-template></td></xsl:if>
                </tr>
              </xsl:for-each>
            </tbody>
          </table>
        </div>
      </section>
    </xsl:if>
  </xsl:template>

  <!-- A season's first and last day as dates, on a line of their own. -->
  <xsl:template name="season-dates">
    <xsl:param name="s"/>
    <xsl:if test="$s/FromYear &gt; 0 and $s/ToYear &gt; 0">
      <br/>
      <small>
        <xsl:value-of select="concat(format-number($s/FromYear, '0000'), '-', format-number($s/FromMonth, '00'), '-', format-number($s/FromDay, '00'))"/>
        <xsl:text> &#8211; </xsl:text>
        <xsl:value-of select="concat(format-number($s/ToYear, '0000'), '-', format-number($s/ToMonth, '00'), '-', format-number($s/ToDay, '00'))"/>
      </small>
    </xsl:if>
  </xsl:template>

  <!-- A season price with the row's currency; empty for none. -->
  <xsl:template name="season-amount">
    <xsl:param name="value"/>
    <xsl:param name="row"/>
    <xsl:if test="$value &gt; 0">
      <xsl:call-template name="amount">
        <xsl:with-param name="value" select="$value"/>
        <xsl:with-param name="currency">
          <xsl:choose>
            <xsl:when test="normalize-space($row/Currency)"><xsl:value-of select="$row/Currency"/></xsl:when>
            <xsl:otherwise><xsl:value-of select="$page-root/DefaultCurrency/CatalogProperty/PropertyValue"/></xsl:otherwise>
          </xsl:choose>
        </xsl:with-param>
      </xsl:call-template>
    </xsl:if>
  </xsl:template>

  <!-- The room's own prices for two fixed periods, when it has them. -->
  <xsl:template name="period-prices">
    <xsl:param name="r"/>
    <xsl:if test="$r/Price1 &gt; 0 or $r/Price2 &gt; 0">
      <section class="section" aria-labelledby="rates-title">
        <h2 id="rates-title" class="section-title">
          <xsl:call-template name="res"><xsl:with-param name="id">prices</xsl:with-param></xsl:call-template>
        </h2>
        <xsl:variable name="rates"><xsl:call-template name="text"><xsl:with-param name="nodes" select="$r/Rates"/></xsl:call-template></xsl:variable>
        <xsl:if test="normalize-space($rates)"><p><xsl:value-of select="$rates"/></p></xsl:if>
        <div class="table-scroll">
          <table class="data-table stack-narrow">
            <tbody>
              <xsl:call-template name="period-row">
                <xsl:with-param name="label" select="$r/Price1Text"/>
                <xsl:with-param name="from" select="$r/PriceValidStart1"/>
                <xsl:with-param name="to" select="$r/PriceValidEnd1"/>
                <xsl:with-param name="price" select="$r/Price1"/>
                <xsl:with-param name="extra" select="$r/PriceAdd1"/>
                <xsl:with-param name="currency" select="$r/Currency"/>
              </xsl:call-template>
              <xsl:call-template name="period-row">
                <xsl:with-param name="label" select="$r/Price2Text"/>
                <xsl:with-param name="from" select="$r/PriceValidStart2"/>
                <xsl:with-param name="to" select="$r/PriceValidEnd2"/>
                <xsl:with-param name="price" select="$r/Price2"/>
                <xsl:with-param name="extra" select="$r/PriceAdd2"/>
                <xsl:with-param name="currency" select="$r/Currency"/>
              </xsl:call-template>
            </tbody>
          </table>
        </div>
      </section>
    </xsl:if>
  </xsl:template>

  <xsl:template name="period-row">
    <xsl:param name="label"/>
    <xsl:param name="from"/>
    <xsl:param name="to"/>
    <xsl:param name="price"/>
    <xsl:param name="extra"/>
    <xsl:param name="currency"/>
    <xsl:if test="$price &gt; 0">
      <xsl:variable name="cur">
        <xsl:choose>
          <xsl:when test="normalize-space($currency)"><xsl:value-of select="$currency"/></xsl:when>
          <xsl:otherwise><xsl:value-of select="$page-root/DefaultCurrency/CatalogProperty/PropertyValue"/></xsl:otherwise>
        </xsl:choose>
      </xsl:variable>
      <xsl:variable name="text"><xsl:call-template name="text"><xsl:with-param name="nodes" select="$label"/></xsl:call-template></xsl:variable>
      <xsl:variable name="dates">
        <xsl:if test="normalize-space($from) or normalize-space($to)"><xsl:value-of select="normalize-space(concat($from, ' &#8211; ', $to))"/></xsl:if>
      </xsl:variable>
      <tr>
        <th scope="row">
          <xsl:choose>
            <xsl:when test="normalize-space($text)">
              <xsl:value-of select="$text"/>
              <xsl:if test="string($dates)"><br/><small><xsl:value-of select="$dates"/></small></xsl:if>
            </xsl:when>
            <xsl:when test="string($dates)"><xsl:value-of select="$dates"/></xsl:when>
            <xsl:otherwise><xsl:call-template name="res"><xsl:with-param name="id">price</xsl:with-param></xsl:call-template></xsl:otherwise>
          </xsl:choose>
        </th>
        <td class="number">
          <xsl:attribute name="data-label"><xsl:call-template name="res"><xsl:with-param name="id">price</xsl:with-param></xsl:call-template></xsl:attribute>
          <xsl:call-template name="amount"><xsl:with-param name="value" select="$price"/><xsl:with-param name="currency" select="$cur"/></xsl:call-template>
        </td>
        <td class="number">
          <xsl:if test="$extra &gt; 0">
            <xsl:call-template name="res"><xsl:with-param name="id">additional-person</xsl:with-param></xsl:call-template>
            <xsl:text>: </xsl:text>
            <xsl:call-template name="amount"><xsl:with-param name="value" select="$extra"/><xsl:with-param name="currency" select="$cur"/></xsl:call-template>
          </xsl:if>
        </td>
      </tr>
    </xsl:if>
  </xsl:template>

</xsl:stylesheet>
