<?xml version="1.0" encoding="utf-8"?>
<!--
  Body template of the member list of a catalog of catalogs: the page's text,
  then a card for each member catalog placed below this page, with the
  member's own company name, description and town.
-->
<xsl:stylesheet version="1.0"
    xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:tolvex="urn:tolvex:xml-generation"
    exclude-result-prefixes="tolvex">

  <!-- The member pages below this page, and for each the company record
       read from the member's own catalog. -->
  <tolvex:xml-generation-rule><TagName>Vendors</TagName><Action>Childs</Action><ItemId>currenttree</ItemId><ItemType>VendorPage</ItemType><ClassXmlTag>CommonNames</ClassXmlTag><ClassXmlTag>CoCMember</ClassXmlTag><ItemTagName>Entry</ItemTagName></tolvex:xml-generation-rule>
  <tolvex:xml-generation-rule><TagName>VendorCompanies</TagName><ProcessFor>Childs</ProcessFor><ProcessForItemId>currenttree</ProcessForItemId><ProcessForItemType>VendorPage</ProcessForItemType><ProcessForTagName>Vendor</ProcessForTagName><Action>Object</Action><ItemId>Company</ItemId><CatalogCode>CoCMember</CatalogCode><CatalogCodeItemId>process</CatalogCodeItemId><ClassXmlTag>CommonCompanyInfo</ClassXmlTag></tolvex:xml-generation-rule>

  <xsl:key name="vendor-company" match="VendorCompanies/Vendor" use="@TreeItemId"/>

  <xsl:template name="body">
    <xsl:call-template name="page-heading"/>
    <xsl:call-template name="page-text"><xsl:with-param name="part">top</xsl:with-param></xsl:call-template>
    <xsl:variable name="vendors" select="/Page/Vendors/Entry[CommonNames]"/>
    <xsl:choose>
      <xsl:when test="$vendors">
        <ul class="cards">
          <xsl:for-each select="$vendors">
            <xsl:variable name="shown"><xsl:call-template name="on-this-page"><xsl:with-param name="position" select="position()"/></xsl:call-template></xsl:variable>
            <xsl:if test="$shown = '1'">
              <xsl:variable name="info" select="key('vendor-company', CommonNames/@TreeItemId)/CommonCompanyInfo"/>
              <xsl:variable name="company"><xsl:call-template name="text"><xsl:with-param name="nodes" select="$info/CompanyName"/></xsl:call-template></xsl:variable>
              <xsl:variable name="about"><xsl:call-template name="text"><xsl:with-param name="nodes" select="$info/CompanyDescription"/></xsl:call-template></xsl:variable>
              <xsl:call-template name="card">
                <xsl:with-param name="href"><xsl:call-template name="page-url"><xsl:with-param name="id" select="CommonNames/@TreeItemId"/></xsl:call-template></xsl:with-param>
                <xsl:with-param name="title">
                  <xsl:choose>
                    <xsl:when test="normalize-space($company)"><xsl:value-of select="$company"/></xsl:when>
                    <xsl:otherwise><xsl:call-template name="text"><xsl:with-param name="nodes" select="CommonNames/ItemName"/></xsl:call-template></xsl:otherwise>
                  </xsl:choose>
                </xsl:with-param>
                <xsl:with-param name="text">
                  <xsl:value-of select="$info/CompanyAddressCity"/>
                  <xsl:if test="normalize-space($info/CompanyAddressCity) and normalize-space($about)"><xsl:text> &#183; </xsl:text></xsl:if>
                  <xsl:value-of select="$about"/>
                </xsl:with-param>
              </xsl:call-template>
            </xsl:if>
          </xsl:for-each>
        </ul>
        <xsl:call-template name="pager"><xsl:with-param name="total" select="count($vendors)"/></xsl:call-template>
      </xsl:when>
      <xsl:otherwise>
        <p class="empty-note"><xsl:call-template name="res"><xsl:with-param name="id">nothing-yet</xsl:with-param></xsl:call-template></p>
      </xsl:otherwise>
    </xsl:choose>
    <xsl:call-template name="page-text"><xsl:with-param name="part">bottom</xsl:with-param></xsl:call-template>
  </xsl:template>

</xsl:stylesheet>
