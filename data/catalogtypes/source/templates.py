"""The minimal templates every catalog type ships in its style catalog.

They make any page of a new catalog come out as a plain, working HTML page:
the master template draws the frame (title, style sheets, navigation over
the top-level pages, the page's top and bottom HTML, the company line), the
body template the page's name and the links to its child pages, and the
common templates the helpers both use. The real templates of each catalog
type replace them later; the generation rules and XSLT parameters they use
are those the page generator provides.

Rules are written on one line: the rule text is built from every child node
of the rule element, so line breaks inside one would only add fields
without a key.
"""

# The namespace of the generation rules inside templates; the rule reader
# resolves the prefix "tolvex" to it.
TOLVEX_NS = "urn:tolvex:xml-generation"
XSL_NS = "http://www.w3.org/1999/XSL/Transform"

HEADER = f"""<?xml version="1.0" encoding="utf-8"?>
<xsl:stylesheet version="1.0" xmlns:xsl="{XSL_NS}"
       xmlns:tolvex="{TOLVEX_NS}" exclude-result-prefixes="tolvex">
"""

FOOTER = """</xsl:stylesheet>
"""


def rule(**keys):
    """A generation rule element: one child element per key, in order."""
    fields = []
    for key, value in keys.items():
        values = value if isinstance(value, (list, tuple)) else [value]
        fields += [f"<{key}>{v}</{key}>" for v in values]
    return "<tolvex:xml-generation-rule>" + "".join(fields) + "</tolvex:xml-generation-rule>\n"


MASTER = (HEADER + """
<!-- Standard master template: the frame of every page. -->
""" + rule(Action="Object", ItemId="current", ClassXmlTag=["CommonNames", "CommonWebPage"], TagName="CurrentPage")
    + rule(Action="Childs", ItemId="1", ClassXmlTag="CommonNames", TagName="Navigation")
    + rule(Action="Object", ItemId="2001", ClassXmlTag="CommonCompanyInfo", TagName="Company") + """
<xsl:template match="/">
  <html>
    <head>
      <title>
        <xsl:call-template name="item-name">
          <xsl:with-param name="names" select="/Page/CurrentPage/CommonNames"/>
        </xsl:call-template>
      </title>
      <xsl:if test="$css != '' and $css != '0'">
        <link rel="stylesheet" type="text/css" href="../css/{$css}.css"/>
      </xsl:if>
      <xsl:if test="$css2 != '' and $css2 != '0'">
        <link rel="stylesheet" type="text/css" href="../css/{$css2}.css"/>
      </xsl:if>
    </head>
    <body>
      <xsl:if test="$bgimage != ''">
        <xsl:attribute name="background">../images/<xsl:value-of select="$bgimage"/></xsl:attribute>
      </xsl:if>
      <div class="navigation">
        <xsl:for-each select="/Page/Navigation/CommonNames">
          <xsl:call-template name="page-link">
            <xsl:with-param name="names" select="."/>
          </xsl:call-template>
          <xsl:text> </xsl:text>
        </xsl:for-each>
      </div>
      <div class="top"><xsl:call-template name="top"/></div>
      <div class="content"><xsl:call-template name="body"/></div>
      <div class="bottom"><xsl:call-template name="bottom"/></div>
      <div class="footer">
        <xsl:text>&#169; </xsl:text>
        <xsl:value-of select="$year"/>
        <xsl:text> </xsl:text>
        <xsl:call-template name="company-name"/>
      </div>
    </body>
  </html>
</xsl:template>

""" + FOOTER)

BODY = (HEADER + """
<!-- Standard body template: the page's name and its child pages. -->
""" + rule(Action="Childs", ItemId="currenttree", ClassXmlTag="CommonNames", TagName="Children") + """
<xsl:template name="body">
  <h1>
    <xsl:call-template name="item-name">
      <xsl:with-param name="names" select="/Page/CurrentPage/CommonNames"/>
    </xsl:call-template>
  </h1>
  <xsl:if test="/Page/Children/CommonNames">
    <ul class="children">
      <xsl:for-each select="/Page/Children/CommonNames">
        <li>
          <xsl:call-template name="page-link">
            <xsl:with-param name="names" select="."/>
          </xsl:call-template>
        </li>
      </xsl:for-each>
    </ul>
  </xsl:if>
</xsl:template>

""" + FOOTER)

COMMON = (HEADER + """
<!-- Helpers of the master and body templates. -->

<!-- The item name of a CommonNames element in the page's language: the
     language's own value, the default language's copy, then the value that
     serves every language. -->
<xsl:template name="item-name">
  <xsl:param name="names"/>
  <xsl:choose>
    <xsl:when test="$names/ItemName[@LanguageCode = $lang] != ''">
      <xsl:value-of select="$names/ItemName[@LanguageCode = $lang]"/>
    </xsl:when>
    <xsl:when test="$names/ItemName[@LanguageCode = 'DEF'] != ''">
      <xsl:value-of select="$names/ItemName[@LanguageCode = 'DEF']"/>
    </xsl:when>
    <xsl:otherwise>
      <xsl:value-of select="$names/ItemName[not(@LanguageCode)]"/>
    </xsl:otherwise>
  </xsl:choose>
</xsl:template>

<!-- A link to the page of a CommonNames element: its alternative file name
     when it has one, else its tree item id, with the page extension. -->
<xsl:template name="page-link">
  <xsl:param name="names"/>
  <xsl:variable name="file">
    <xsl:choose>
      <xsl:when test="$names/AltFileName != ''"><xsl:value-of select="$names/AltFileName"/></xsl:when>
      <xsl:otherwise><xsl:value-of select="$names/@TreeItemId"/></xsl:otherwise>
    </xsl:choose>
  </xsl:variable>
  <a href="{$file}.{$linkext}">
    <xsl:call-template name="item-name">
      <xsl:with-param name="names" select="$names"/>
    </xsl:call-template>
  </a>
</xsl:template>

<!-- The company's name in the page's language. -->
<xsl:template name="company-name">
  <xsl:variable name="info" select="/Page/Company/CommonCompanyInfo"/>
  <xsl:choose>
    <xsl:when test="$info/CompanyName[@LanguageCode = $lang] != ''">
      <xsl:value-of select="$info/CompanyName[@LanguageCode = $lang]"/>
    </xsl:when>
    <xsl:otherwise><xsl:value-of select="$info/CompanyName"/></xsl:otherwise>
  </xsl:choose>
</xsl:template>

""" + FOOTER)

RESOURCE_EN = """<?xml version="1.0" encoding="utf-8"?>
<resources lang="EN">
  <text name="home">Home</text>
  <text name="more">More</text>
  <text name="next">Next</text>
  <text name="previous">Previous</text>
</resources>
"""

COLOR_CSS = """body { background-color: #ffffff; color: #222222; }
a { color: #1f4e99; }
a:visited { color: #5b3a8c; }
.navigation { background-color: #e8eef7; padding: 4px; }
.footer { border-top: 1px solid #c0c8d4; color: #666666; }
"""

FONT_CSS = """body { font-family: Arial, Helvetica, sans-serif; font-size: 10pt; }
h1 { font-size: 16pt; }
.footer { font-size: 8pt; }
"""
