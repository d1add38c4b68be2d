<?xml version="1.0" encoding="utf-8"?>
<!--
  Report template "Product list (PDF)": every product of the products tree
  with its code and first price, as an XSL-FO document that the report
  turns into PDF. The title comes from the customization form (Title),
  else from the report's name.
-->
<xsl:stylesheet version="1.0"
    xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:fo="http://www.w3.org/1999/XSL/Format"
    xmlns:tolvex="urn:tolvex:xml-generation"
    exclude-result-prefixes="tolvex">

  <tolvex:xml-generation-rule><TagName>AllProducts</TagName><ProcessFor>AllChilds</ProcessFor><ProcessForItemId>ProductsRoot</ProcessForItemId><ProcessForItemType>ProductPage</ProcessForItemType><ProcessForTagName>Entry</ProcessForTagName><Action>Object</Action><ItemId>process</ItemId><ClassXmlTag>CommonNames</ClassXmlTag><ClassXmlTag>Product</ClassXmlTag><ClassXmlTag>Prices</ClassXmlTag></tolvex:xml-generation-rule>
  <tolvex:xml-generation-rule><TagName>Report</TagName><Action>Object</Action><ItemId>current</ItemId><ClassXmlTag>CommonNames</ClassXmlTag></tolvex:xml-generation-rule>

  <xsl:template match="/">
    <xsl:variable name="products" select="/Page/AllProducts//Entry[Product]"/>
    <xsl:variable name="title">
      <xsl:choose>
        <xsl:when test="normalize-space(/Page/Customized/Title)"><xsl:value-of select="/Page/Customized/Title"/></xsl:when>
        <xsl:when test="normalize-space(/Page/Submitted/Title)"><xsl:value-of select="/Page/Submitted/Title"/></xsl:when>
        <xsl:otherwise><xsl:call-template name="text"><xsl:with-param name="nodes" select="/Page/Report//CommonNames/ItemName"/></xsl:call-template></xsl:otherwise>
      </xsl:choose>
    </xsl:variable>
    <fo:root font-family="sans-serif" font-size="10pt">
      <xsl:call-template name="page-masters"/>
      <fo:page-sequence master-reference="report">
        <xsl:call-template name="page-footer"/>
        <fo:flow flow-name="xsl-region-body">
          <fo:block font-size="18pt" font-weight="bold" space-after="6mm">
            <xsl:choose>
              <xsl:when test="normalize-space($title)"><xsl:value-of select="$title"/></xsl:when>
              <xsl:otherwise>Product list</xsl:otherwise>
            </xsl:choose>
          </fo:block>
          <xsl:choose>
            <xsl:when test="$products">
              <fo:table table-layout="fixed" width="100%" border-collapse="collapse">
                <fo:table-column column-width="30mm"/>
                <fo:table-column column-width="105mm"/>
                <fo:table-column column-width="35mm"/>
                <fo:table-header>
                  <fo:table-row font-weight="bold" border-bottom="0.8pt solid #333333">
                    <fo:table-cell padding="1.5mm"><fo:block>Code</fo:block></fo:table-cell>
                    <fo:table-cell padding="1.5mm"><fo:block>Product</fo:block></fo:table-cell>
                    <fo:table-cell padding="1.5mm"><fo:block text-align="end">Price</fo:block></fo:table-cell>
                  </fo:table-row>
                </fo:table-header>
                <fo:table-body>
                  <xsl:for-each select="$products">
                    <fo:table-row border-bottom="0.3pt solid #bbbbbb">
                      <fo:table-cell padding="1.5mm"><fo:block><xsl:value-of select="Product/Code"/></fo:block></fo:table-cell>
                      <fo:table-cell padding="1.5mm">
                        <fo:block>
                          <xsl:variable name="name"><xsl:call-template name="text"><xsl:with-param name="nodes" select="Product/Name"/></xsl:call-template></xsl:variable>
                          <xsl:choose>
                            <xsl:when test="normalize-space($name)"><xsl:value-of select="$name"/></xsl:when>
                            <xsl:otherwise><xsl:call-template name="text"><xsl:with-param name="nodes" select="CommonNames/ItemName"/></xsl:call-template></xsl:otherwise>
                          </xsl:choose>
                        </fo:block>
                      </fo:table-cell>
                      <fo:table-cell padding="1.5mm"><fo:block text-align="end"><xsl:value-of select="(Prices//PriceValue[. &gt; 0])[1]"/></fo:block></fo:table-cell>
                    </fo:table-row>
                  </xsl:for-each>
                </fo:table-body>
              </fo:table>
              <fo:block space-before="4mm" font-size="9pt">Products: <xsl:value-of select="count($products)"/></fo:block>
            </xsl:when>
            <xsl:otherwise>
              <fo:block>There are no products yet.</fo:block>
            </xsl:otherwise>
          </xsl:choose>
        </fo:flow>
      </fo:page-sequence>
    </fo:root>
  </xsl:template>

</xsl:stylesheet>
