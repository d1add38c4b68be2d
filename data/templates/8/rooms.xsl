<?xml version="1.0" encoding="utf-8"?>
<!--
  Body template of the rooms page of a hotel: the page's text, then a card
  for each room below it with its photo, type and lowest rate: the lowest
  of its season prices and its own prices for fixed periods, with the
  room's text of what the rates are for.
-->
<xsl:stylesheet version="1.0"
    xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:tolvex="urn:tolvex:xml-generation"
    exclude-result-prefixes="tolvex">

  <!-- The rooms below this page, and the season prices of each. -->
  <tolvex:xml-generation-rule><TagName>Rooms</TagName><Action>Childs</Action><ItemId>currenttree</ItemId><ItemType>Room</ItemType><ClassXmlTag>CommonNames</ClassXmlTag><ClassXmlTag>RoomInfo</ClassXmlTag><ItemTagName>Entry</ItemTagName></tolvex:xml-generation-rule>
  <tolvex:xml-generation-rule><TagName>RoomPrices</TagName><ProcessFor>Childs</ProcessFor><ProcessForItemId>currenttree</ProcessForItemId><ProcessForItemType>Room</ProcessForItemType><ProcessForTagName>Room</ProcessForTagName><Action>AllObjects</Action><ItemId>process</ItemId><ClassXmlTag>RoomSeasonPrice</ClassXmlTag></tolvex:xml-generation-rule>
  <tolvex:xml-generation-rule><TagName>DefaultCurrency</TagName><Action>Object</Action><ItemId>706</ItemId><ClassXmlTag>CatalogProperty</ClassXmlTag></tolvex:xml-generation-rule>

  <xsl:key name="room-prices" match="RoomPrices/Room" use="@TreeItemId"/>

  <xsl:template name="body">
    <xsl:call-template name="page-heading"/>
    <xsl:call-template name="page-text"><xsl:with-param name="part">top</xsl:with-param></xsl:call-template>
    <xsl:variable name="rooms" select="/Page/Rooms/Entry[CommonNames]"/>
    <xsl:choose>
      <xsl:when test="$rooms">
        <ul class="cards">
          <xsl:for-each select="$rooms">
            <xsl:variable name="room" select="RoomInfo"/>
            <xsl:variable name="prices" select="key('room-prices', CommonNames/@TreeItemId)/RoomSeasonPrice"/>
            <li class="card">
              <xsl:choose>
                <xsl:when test="$room/RoomPhoto/Image[ImageData/Size &gt; 0]">
                  <div class="card-media">
                    <xsl:call-template name="image">
                      <xsl:with-param name="ref" select="$room/RoomPhoto"/>
                      <xsl:with-param name="alt" select="''"/>
                    </xsl:call-template>
                  </div>
                </xsl:when>
                <xsl:otherwise><div class="card-media card-media-empty"></div></xsl:otherwise>
              </xsl:choose>
              <div class="card-body">
                <h2 class="card-title">
                  <a>
                    <xsl:attribute name="href"><xsl:call-template name="page-url"><xsl:with-param name="id" select="CommonNames/@TreeItemId"/></xsl:call-template></xsl:attribute>
                    <xsl:call-template name="text"><xsl:with-param name="nodes" select="CommonNames/ItemName"/></xsl:call-template>
                  </a>
                </h2>
                <xsl:if test="normalize-space($room/RoomCategory)">
                  <p class="card-text"><xsl:call-template name="list-text"><xsl:with-param name="node" select="$room/RoomCategory"/></xsl:call-template></p>
                </xsl:if>
                <xsl:variable name="amounts" select="$prices/SinglePrice[. &gt; 0] | $prices/DoublePrice[. &gt; 0]
                                                     | $prices/ExtraPersonPrice[. &gt; 0] | $prices/TriplePrice[. &gt; 0]
                                                     | $prices/QuadroPrice[. &gt; 0]
                                                     | $room/Price1[. &gt; 0] | $room/Price2[. &gt; 0]"/>
                <xsl:for-each select="$amounts">
                  <xsl:sort select="." data-type="number"/>
                  <xsl:if test="position() = 1">
                    <p class="price">
                      <span class="price-from"><xsl:call-template name="res"><xsl:with-param name="id">price-from</xsl:with-param></xsl:call-template></span>
                      <xsl:text> </xsl:text>
                      <xsl:call-template name="amount">
                        <xsl:with-param name="value" select="."/>
                        <xsl:with-param name="currency"><xsl:call-template name="season-currency"><xsl:with-param name="price" select=".."/></xsl:call-template></xsl:with-param>
                      </xsl:call-template>
                    </p>
                  </xsl:if>
                </xsl:for-each>
                <xsl:variable name="rates"><xsl:call-template name="text"><xsl:with-param name="nodes" select="$room/Rates"/></xsl:call-template></xsl:variable>
                <xsl:if test="$amounts and normalize-space($rates)"><p class="price-note"><xsl:value-of select="$rates"/></p></xsl:if>
              </div>
            </li>
          </xsl:for-each>
        </ul>
      </xsl:when>
      <xsl:otherwise>
        <p class="empty-note"><xsl:call-template name="res"><xsl:with-param name="id">nothing-yet</xsl:with-param></xsl:call-template></p>
      </xsl:otherwise>
    </xsl:choose>
    <xsl:call-template name="page-text"><xsl:with-param name="part">bottom</xsl:with-param></xsl:call-template>
  </xsl:template>

  <!-- The currency of a season price or of a room's own price (the object
     that holds the price): its own, else the catalog's default. -->
  <xsl:template name="season-currency">
    <xsl:param name="price"/>
    <xsl:choose>
      <xsl:when test="normalize-space($price/Currency)"><xsl:value-of select="$price/Currency"/></xsl:when>
      <xsl:otherwise><xsl:value-of select="$page-root/DefaultCurrency/CatalogProperty/PropertyValue"/></xsl:otherwise>
    </xsl:choose>
  </xsl:template>

</xsl:stylesheet>
