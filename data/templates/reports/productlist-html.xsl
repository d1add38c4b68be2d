<?xml version="1.0" encoding="utf-8"?>
<!--
  Report template "Product list (HTML)": every product of the products tree
  with its code and first price, as one HTML page.
-->
<xsl:stylesheet version="1.0"
    xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:tolvex="urn:tolvex:xml-generation"
    exclude-result-prefixes="tolvex">

  <tolvex:xml-generation-rule><TagName>AllProducts</TagName><ProcessFor>AllChilds</ProcessFor><ProcessForItemId>ProductsRoot</ProcessForItemId><ProcessForItemType>ProductPage</ProcessForItemType><ProcessForTagName>Entry</ProcessForTagName><Action>Object</Action><ItemId>process</ItemId><ClassXmlTag>CommonNames</ClassXmlTag><ClassXmlTag>Product</ClassXmlTag><ClassXmlTag>Prices</ClassXmlTag></tolvex:xml-generation-rule>
  <tolvex:xml-generation-rule><TagName>Report</TagName><Action>Object</Action><ItemId>current</ItemId><ClassXmlTag>CommonNames</ClassXmlTag></tolvex:xml-generation-rule>

  <xsl:template match="/">
    <xsl:variable name="products" select="/Page/AllProducts//Entry[Product]"/>
    <xsl:variable name="title">
      <xsl:call-template name="text"><xsl:with-param name="nodes" select="/Page/Report//CommonNames/ItemName"/></xsl:call-template>
    </xsl:variable>
    <html>
      <head>
        <title><xsl:value-of select="$title"/></title>
        <style>
          body { font-family: sans-serif; margin: 2em; color: #222; }
          table { border-collapse: collapse; width: 100%; }
          th, td { padding: .35em .6em; border-bottom: 1px solid #ccc; text-align: left; }
          th { border-bottom: 2px solid #333; }
          td.price, th.price { text-align: right; }
        </style>
      </head>
      <body>
        <h1><xsl:choose><xsl:when test="normalize-space($title)"><xsl:value-of select="$title"/></xsl:when><xsl:otherwise>Product list</xsl:otherwise></xsl:choose></h1>
        <xsl:choose>
          <xsl:when test="$products">
            <table>
              <tr><th>Code</th><th>Product</th><th class="price">Price</th></tr>
              <xsl:for-each select="$products">
                <tr>
                  <td><xsl:value-of select="Product/Code"/></td>
                  <td>
                    <xsl:variable name="name"><xsl:call-template name="text"><xsl:with-param name="nodes" select="Product/Name"/></xsl:call-template></xsl:variable>
                    <xsl:choose>
                      <xsl:when test="normalize-space($name)"><xsl:value-of select="$name"/></xsl:when>
                      <xsl:otherwise><xsl:call-template name="text"><xsl:with-param name="nodes" select="CommonNames/ItemName"/></xsl:call-template></xsl:otherwise>
                    </xsl:choose>
                  </td>
                  <td class="price"><xsl:value-of select="(Prices//PriceValue[. &gt; 0])[1]"/></td>
                </tr>
              </xsl:for-each>
            </table>
            <p>Products: <xsl:value-of select="count($products)"/></p>
          </xsl:when>
          <xsl:otherwise><p>There are no products yet.</p></xsl:otherwise>
        </xsl:choose>
      </body>
    </html>
  </xsl:template>

</xsl:stylesheet>
