<?xml version="1.0" encoding="utf-8"?>
<!--
  Body template of a hotel's home page: the hotel's photo beside its name,
  category and short location; then the page's text, the hotel's
  description, facilities, location, accepted payments and languages, and
  cards of the pages below (rooms and others).
-->
<xsl:stylesheet version="1.0"
    xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:tolvex="urn:tolvex:xml-generation"
    exclude-result-prefixes="tolvex">

  <!-- The hotel record of the company item, and the pages below this one. -->
  <tolvex:xml-generation-rule><TagName>Hotel</TagName><Action>Object</Action><ItemId>Company</ItemId><ClassXmlTag>HotelInfo</ClassXmlTag><ClassXmlTag>VIDOHotelInfo</ClassXmlTag></tolvex:xml-generation-rule>
  <tolvex:xml-generation-rule><TagName>SubPages</TagName><Action>Childs</Action><ItemId>currenttree</ItemId><ClassXmlTag>CommonNames</ClassXmlTag><ClassXmlTag>CommonWebPage</ClassXmlTag><ItemTagName>Entry</ItemTagName></tolvex:xml-generation-rule>

  <xsl:template name="body">
    <xsl:variable name="h" select="$page-root/Hotel/HotelInfo"/>
    <xsl:variable name="v" select="$page-root/Hotel/VIDOHotelInfo"/>
    <xsl:variable name="own-name"><xsl:call-template name="text"><xsl:with-param name="nodes" select="$h/HotelName"/></xsl:call-template></xsl:variable>
    <xsl:variable name="name">
      <xsl:choose>
        <xsl:when test="normalize-space($own-name)"><xsl:value-of select="$own-name"/></xsl:when>
        <xsl:otherwise><xsl:call-template name="heading-name"/></xsl:otherwise>
      </xsl:choose>
    </xsl:variable>
    <div class="detail">
      <xsl:if test="$h/HotelPhoto/Image[ImageData/Size &gt; 0]">
        <div class="gallery-main">
          <xsl:call-template name="image">
            <xsl:with-param name="ref" select="$h/HotelPhoto"/>
            <xsl:with-param name="alt" select="$name"/>
            <xsl:with-param name="lazy" select="false()"/>
          </xsl:call-template>
        </div>
      </xsl:if>
      <div class="summary">
        <xsl:call-template name="page-heading"><xsl:with-param name="text" select="$name"/></xsl:call-template>
        <xsl:if test="normalize-space($h/Rating)">
          <p class="product-code"><xsl:call-template name="list-text"><xsl:with-param name="node" select="$h/Rating"/></xsl:call-template></p>
        </xsl:if>
        <xsl:variable name="short"><xsl:call-template name="text"><xsl:with-param name="nodes" select="$h/LocationShort"/></xsl:call-template></xsl:variable>
        <xsl:if test="normalize-space($short)"><p class="lead"><xsl:value-of select="$short"/></p></xsl:if>
        <xsl:variable name="facts">
          <xsl:call-template name="fact"><xsl:with-param name="label">check-in</xsl:with-param><xsl:with-param name="value" select="$v/CheckInTime"/></xsl:call-template>
          <xsl:call-template name="fact"><xsl:with-param name="label">check-out</xsl:with-param><xsl:with-param name="value" select="$v/CheckOutTime"/></xsl:call-template>
          <xsl:if test="$h/NumberRooms &gt; 0">
            <xsl:call-template name="fact"><xsl:with-param name="label">number-of-rooms</xsl:with-param><xsl:with-param name="value" select="$h/NumberRooms"/></xsl:call-template>
          </xsl:if>
          <xsl:if test="normalize-space($h/BreakfastIncluded)">
            <div class="fact">
              <dt><xsl:call-template name="res"><xsl:with-param name="id">breakfast</xsl:with-param></xsl:call-template></dt>
              <dd><xsl:call-template name="list-text"><xsl:with-param name="node" select="$h/BreakfastIncluded"/></xsl:call-template></dd>
            </div>
          </xsl:if>
        </xsl:variable>
        <xsl:if test="normalize-space($facts)"><dl class="facts"><xsl:copy-of select="$facts"/></dl></xsl:if>
      </div>
    </div>
    <xsl:call-template name="page-text"><xsl:with-param name="part">top</xsl:with-param></xsl:call-template>
    <xsl:call-template name="hotel-html"><xsl:with-param name="nodes" select="$h/HtmlDescription"/></xsl:call-template>
    <xsl:call-template name="hotel-list">
      <xsl:with-param name="title">facilities</xsl:with-param>
      <xsl:with-param name="values" select="$h/FacilitiesAvailable"/>
      <xsl:with-param name="other" select="$h/FacilitiesOther"/>
      <xsl:with-param name="html" select="$h/FacilitiesDescription"/>
    </xsl:call-template>
    <xsl:call-template name="hotel-list">
      <xsl:with-param name="title">location</xsl:with-param>
      <xsl:with-param name="html" select="$h/LocationDescription"/>
    </xsl:call-template>
    <xsl:call-template name="hotel-list">
      <xsl:with-param name="title">payments</xsl:with-param>
      <xsl:with-param name="values" select="$h/Payments"/>
    </xsl:call-template>
    <xsl:call-template name="hotel-list">
      <xsl:with-param name="title">languages-spoken</xsl:with-param>
      <xsl:with-param name="values" select="$h/Language"/>
      <xsl:with-param name="other" select="$h/LanguageOther"/>
    </xsl:call-template>
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

  <!-- A text of the hotel that holds HTML. -->
  <xsl:template name="hotel-html">
    <xsl:param name="nodes"/>
    <xsl:variable name="html"><xsl:call-template name="text"><xsl:with-param name="nodes" select="$nodes"/></xsl:call-template></xsl:variable>
    <xsl:if test="normalize-space($html)">
      <div class="user-content bodyContent"><xsl:call-template name="html"><xsl:with-param name="nodes" select="$nodes"/></xsl:call-template></div>
    </xsl:if>
  </xsl:template>

  <!-- A section of the hotel: the chosen list values as tags, a further
       text and a text that holds HTML; nothing when all are empty. -->
  <xsl:template name="hotel-list">
    <xsl:param name="title"/>
    <xsl:param name="values" select="/.."/>
    <xsl:param name="other" select="/.."/>
    <xsl:param name="html" select="/.."/>
    <xsl:variable name="more"><xsl:call-template name="text"><xsl:with-param name="nodes" select="$other"/></xsl:call-template></xsl:variable>
    <xsl:variable name="markup"><xsl:call-template name="text"><xsl:with-param name="nodes" select="$html"/></xsl:call-template></xsl:variable>
    <xsl:if test="$values[normalize-space()] or normalize-space($more) or normalize-space($markup)">
      <section class="section" aria-labelledby="{$title}-title">
        <h2 id="{$title}-title" class="section-title"><xsl:call-template name="res"><xsl:with-param name="id" select="$title"/></xsl:call-template></h2>
        <xsl:if test="$values[normalize-space()]">
          <ul class="tags">
            <xsl:for-each select="$values[normalize-space()]">
              <li><xsl:call-template name="list-text"><xsl:with-param name="node" select="."/></xsl:call-template></li>
            </xsl:for-each>
          </ul>
        </xsl:if>
        <xsl:if test="normalize-space($more)"><p><xsl:value-of select="$more"/></p></xsl:if>
        <xsl:call-template name="hotel-html"><xsl:with-param name="nodes" select="$html"/></xsl:call-template>
      </section>
    </xsl:if>
  </xsl:template>

</xsl:stylesheet>
