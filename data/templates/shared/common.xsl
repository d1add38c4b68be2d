<?xml version="1.0" encoding="utf-8"?>
<!--
  Common templates of the pages.

  Master and body templates of every catalog type call the named templates
  below: texts in the page's language, the language resource, links to pages
  and pictures, prices, the navigation, the breadcrumb trail, the pager,
  the company's address and the style rules that every style shares.

  The page document is the one the generation rules of the master and body
  templates build (root "Page"); the parameters ($lang, $linkext, $css,
  $pagenum, $countonpage, ...) and the variable $resource come from the
  generated style sheet that includes this file.
-->
<xsl:stylesheet version="1.0"
    xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:tolvex="urn:tolvex:xml-generation"
    xmlns:txt="urn:tolvex:texts"
    exclude-result-prefixes="tolvex txt">

  <!-- ==== built-in texts ================================================
       English texts of the pages. A language resource (its "text" elements
       with the same ids) replaces them for its language; a language without
       a resource, or a text its resource lacks, shows these. -->
  <txt:text id="number-format">point</txt:text>
  <txt:text id="skip-link">Skip to main content</txt:text>
  <txt:text id="main-navigation">Main navigation</txt:text>
  <txt:text id="menu">Menu</txt:text>
  <txt:text id="section-navigation">In this section</txt:text>
  <txt:text id="breadcrumb">Breadcrumb</txt:text>
  <txt:text id="home">Home</txt:text>
  <txt:text id="pages">Pages</txt:text>
  <txt:text id="page">Page</txt:text>
  <txt:text id="previous-page">Previous</txt:text>
  <txt:text id="next-page">Next</txt:text>
  <txt:text id="nothing-yet">There is nothing to show here yet.</txt:text>
  <txt:text id="all-rights-reserved">All rights reserved.</txt:text>
  <txt:text id="product-lines">Categories</txt:text>
  <txt:text id="products">Products</txt:text>
  <txt:text id="product-code">Product code</txt:text>
  <txt:text id="price">Price</txt:text>
  <txt:text id="prices">Prices</txt:text>
  <txt:text id="price-from">from</txt:text>
  <txt:text id="price-on-request">Price on request</txt:text>
  <txt:text id="minimum-quantity">Minimum order</txt:text>
  <txt:text id="options">Options</txt:text>
  <txt:text id="pictures">Pictures</txt:text>
  <txt:text id="specifications">Specifications</txt:text>
  <txt:text id="width">Width</txt:text>
  <txt:text id="length">Length</txt:text>
  <txt:text id="height">Height</txt:text>
  <txt:text id="diameter">Diameter</txt:text>
  <txt:text id="weight">Weight</txt:text>
  <txt:text id="material">Material</txt:text>
  <txt:text id="packing-details">Packing</txt:text>
  <txt:text id="dominant-color">Colour</txt:text>
  <txt:text id="history">History</txt:text>
  <txt:text id="monthly-capacity">Monthly capacity</txt:text>
  <txt:text id="preparation-time">Ready to ship in (days)</txt:text>
  <txt:text id="contact">Contact</txt:text>
  <txt:text id="phone">Phone</txt:text>
  <txt:text id="fax">Fax</txt:text>
  <txt:text id="contact-person">Contact person</txt:text>
  <txt:text id="room-type">Room type</txt:text>
  <txt:text id="room-features">Room features</txt:text>
  <txt:text id="number-of-rooms">Number of rooms</txt:text>
  <txt:text id="breakfast">Breakfast</txt:text>
  <txt:text id="breakfast-included">Breakfast included</txt:text>
  <txt:text id="season-prices">Prices by season</txt:text>
  <txt:text id="season">Season</txt:text>
  <txt:text id="single-room">Single</txt:text>
  <txt:text id="double-room">Double</txt:text>
  <txt:text id="twin-room">Twin</txt:text>
  <txt:text id="triple-room">Triple</txt:text>
  <txt:text id="quadruple-room">Quadruple</txt:text>
  <txt:text id="additional-person">Additional person</txt:text>
  <txt:text id="facilities">Facilities</txt:text>
  <txt:text id="payments">Payment</txt:text>
  <txt:text id="languages-spoken">Languages spoken</txt:text>
  <txt:text id="location">Location</txt:text>
  <txt:text id="check-in">Check-in</txt:text>
  <txt:text id="check-out">Check-out</txt:text>

  <!-- Number formats chosen by the text "number-format" of the language. -->
  <xsl:decimal-format name="point" decimal-separator="." grouping-separator=","/>
  <xsl:decimal-format name="comma" decimal-separator="," grouping-separator="."/>
  <xsl:decimal-format name="space" decimal-separator="," grouping-separator="&#160;"/>

  <!-- The texts of the language resource by id: a page asks for several,
       and the processor tests a predicate on every text for each. -->
  <xsl:key name="resource-text" match="/resources/text" use="@id"/>

  <!-- Price schedules by id; those whose prices the public does not see. -->
  <xsl:key name="schedule" match="PriceSchedules/CommonPriceSchedule" use="@ItemId"/>
  <xsl:key name="hidden-schedule" match="PriceSchedules/CommonPriceSchedule[PriceVisibility != 0]"
           use="@ItemId"/>

  <!-- The page document's root element. Paths to the page's parts start
       here rather than at "/": the processor answers a plain absolute path
       by walking the whole document, menu included, while a path from a
       variable goes straight down its children. -->
  <xsl:variable name="page-root" select="/Page"/>

  <!-- The home page's tree item, and the page's items per page (9 unless set). -->
  <xsl:variable name="home-id" select="string(/Page/Home/CommonNames/@TreeItemId)"/>
  <xsl:variable name="per-page">
    <xsl:choose>
      <xsl:when test="number($countonpage) &gt;= 1"><xsl:value-of select="floor($countonpage)"/></xsl:when>
      <xsl:otherwise>9</xsl:otherwise>
    </xsl:choose>
  </xsl:variable>
  <xsl:variable name="page-number">
    <xsl:choose>
      <xsl:when test="number($pagenum) &gt;= 1"><xsl:value-of select="floor($pagenum)"/></xsl:when>
      <xsl:otherwise>1</xsl:otherwise>
    </xsl:choose>
  </xsl:variable>

  <!-- ==== texts ========================================================= -->

  <!-- A member value in the page's language: the value under $lang, else
       the default language's (DEF), else one that belongs to no language.
       Nodes: the member's elements of one object. -->
  <xsl:template name="text">
    <xsl:param name="nodes"/>
    <xsl:value-of select="$nodes[(@LanguageCode = $lang or @LanguageCode = 'DEF' or not(@LanguageCode)) and normalize-space()][1]"/>
  </xsl:template>

  <!-- The same for a member that holds HTML: written as markup. -->
  <xsl:template name="html">
    <xsl:param name="nodes"/>
    <xsl:value-of disable-output-escaping="yes"
        select="$nodes[(@LanguageCode = $lang or @LanguageCode = 'DEF' or not(@LanguageCode)) and normalize-space()][1]"/>
  </xsl:template>

  <!-- A text of the language resource, or its built-in English text. -->
  <xsl:template name="res">
    <xsl:param name="id"/>
    <xsl:variable name="wanted" select="string($id)"/>
    <!-- "1" and the text when the resource has it (an empty text too). -->
    <xsl:variable name="own">
      <xsl:for-each select="$resource">
        <xsl:variable name="text" select="key('resource-text', $wanted)"/>
        <xsl:if test="$text">1<xsl:value-of select="$text"/></xsl:if>
      </xsl:for-each>
    </xsl:variable>
    <xsl:choose>
      <xsl:when test="string($own)"><xsl:value-of select="substring($own, 2)"/></xsl:when>
      <xsl:otherwise><xsl:value-of select="document('')/*/txt:text[@id = $id]"/></xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <!-- The text of a list member: the list's caption, else the stored code. -->
  <xsl:template name="list-text">
    <xsl:param name="node"/>
    <xsl:choose>
      <xsl:when test="normalize-space($node/@ListValue)"><xsl:value-of select="$node/@ListValue"/></xsl:when>
      <xsl:otherwise><xsl:value-of select="$node"/></xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <!-- The page's language as an HTML language tag. -->
  <xsl:template name="html-lang">
    <xsl:choose>
      <xsl:when test="string-length($lang) = 2">
        <xsl:value-of select="translate($lang, 'ABCDEFGHIJKLMNOPQRSTUVWXYZ', 'abcdefghijklmnopqrstuvwxyz')"/>
      </xsl:when>
      <xsl:otherwise>en</xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <!-- The name of the page being generated. -->
  <xsl:template name="page-name">
    <xsl:value-of select="$page-name-text"/>
  </xsl:template>
  <xsl:variable name="page-name-text">
    <xsl:call-template name="text">
      <xsl:with-param name="nodes" select="$page-root/Current/CommonNames/ItemName"/>
    </xsl:call-template>
  </xsl:variable>

  <!-- The company's name (a page shows it in several places: found once). -->
  <xsl:template name="company-name">
    <xsl:value-of select="$company-name-text"/>
  </xsl:template>
  <xsl:variable name="company-name-text">
    <xsl:call-template name="text">
      <xsl:with-param name="nodes" select="$page-root/Company/CommonCompanyInfo/CompanyName"/>
    </xsl:call-template>
  </xsl:variable>

  <!-- ==== addresses ===================================================== -->

  <!-- Address of the page of tree item Id (page number 1), in the page's
       language folder; the home page is the language's index page. -->
  <xsl:template name="page-url">
    <xsl:param name="id"/>
    <xsl:choose>
      <xsl:when test="string($id) = $home-id"><xsl:value-of select="concat('index.', $linkext)"/></xsl:when>
      <xsl:otherwise><xsl:value-of select="concat($id, '.', $linkext)"/></xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <!-- Address of page N of the page being generated. -->
  <xsl:template name="page-number-url">
    <xsl:param name="n"/>
    <xsl:choose>
      <xsl:when test="$n &lt;= 1">
        <xsl:call-template name="page-url"><xsl:with-param name="id" select="/Page/@TreeItemId"/></xsl:call-template>
      </xsl:when>
      <xsl:otherwise><xsl:value-of select="concat(/Page/@TreeItemId, '-', $n, '.', $linkext)"/></xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <!-- A picture: Ref is a picture member (its nested Image object). Nothing
       when the member names no picture with data. -->
  <xsl:template name="image">
    <xsl:param name="ref"/>
    <xsl:param name="alt"/>
    <xsl:param name="class"/>
    <xsl:param name="lazy" select="true()"/>
    <xsl:variable name="img" select="$ref/Image[ImageData/Size &gt; 0][1]"/>
    <xsl:if test="$img">
      <img src="../images/{$img/@ItemId}.{$img/ImageData/FileExt}" alt="{$alt}">
        <xsl:if test="$class"><xsl:attribute name="class"><xsl:value-of select="$class"/></xsl:attribute></xsl:if>
        <xsl:if test="$img/ImageWidth &gt; 0 and $img/ImageHeight &gt; 0">
          <xsl:attribute name="width"><xsl:value-of select="$img/ImageWidth"/></xsl:attribute>
          <xsl:attribute name="height"><xsl:value-of select="$img/ImageHeight"/></xsl:attribute>
        </xsl:if>
        <xsl:if test="$lazy"><xsl:attribute name="loading">lazy</xsl:attribute></xsl:if>
      </img>
    </xsl:if>
  </xsl:template>

  <!-- ==== amounts ======================================================= -->

  <!-- An amount with two decimals in the language's number format, then
       its currency code. -->
  <xsl:template name="amount">
    <xsl:param name="value"/>
    <xsl:param name="currency"/>
    <xsl:variable name="format">
      <xsl:call-template name="res"><xsl:with-param name="id">number-format</xsl:with-param></xsl:call-template>
    </xsl:variable>
    <xsl:choose>
      <xsl:when test="$format = 'comma'"><xsl:value-of select="format-number($value, '#.##0,00', 'comma')"/></xsl:when>
      <xsl:when test="$format = 'space'"><xsl:value-of select="format-number($value, '#&#160;##0,00', 'space')"/></xsl:when>
      <xsl:otherwise><xsl:value-of select="format-number($value, '#,##0.00', 'point')"/></xsl:otherwise>
    </xsl:choose>
    <xsl:if test="normalize-space($currency)">
      <xsl:value-of select="concat('&#160;', $currency)"/>
    </xsl:if>
  </xsl:template>

  <!-- The currency of a price row: its schedule's, else the catalog's default. -->
  <xsl:template name="row-currency">
    <xsl:param name="row"/>
    <xsl:variable name="own" select="key('schedule', $row/PriceSchedule/@ItemId)/CurrencyCode"/>
    <xsl:choose>
      <xsl:when test="normalize-space($own)"><xsl:value-of select="$own"/></xsl:when>
      <xsl:otherwise><xsl:value-of select="$page-root/DefaultCurrency/CatalogProperty/PropertyValue"/></xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <!-- The price rows of a product (its Prices object) that the public sees. -->
  <xsl:template name="price-summary">
    <xsl:param name="prices"/>
    <xsl:variable name="rows" select="$prices/Price/Price[not(key('hidden-schedule', PriceSchedule/@ItemId))]"/>
    <xsl:variable name="priced" select="$rows[PriceValue &gt; 0][not(IsRequestForQuote = 1)]"/>
    <xsl:choose>
      <xsl:when test="$priced">
        <p class="price">
          <xsl:if test="count($priced) &gt; 1">
            <span class="price-from"><xsl:call-template name="res"><xsl:with-param name="id">price-from</xsl:with-param></xsl:call-template></span>
            <xsl:text> </xsl:text>
          </xsl:if>
          <xsl:for-each select="$priced">
            <xsl:sort select="PriceValue" data-type="number"/>
            <xsl:if test="position() = 1">
              <xsl:call-template name="amount">
                <xsl:with-param name="value" select="PriceValue"/>
                <xsl:with-param name="currency"><xsl:call-template name="row-currency"><xsl:with-param name="row" select="."/></xsl:call-template></xsl:with-param>
              </xsl:call-template>
            </xsl:if>
          </xsl:for-each>
        </p>
      </xsl:when>
      <xsl:when test="$rows">
        <p class="price price-on-request"><xsl:call-template name="res"><xsl:with-param name="id">price-on-request</xsl:with-param></xsl:call-template></p>
      </xsl:when>
    </xsl:choose>
  </xsl:template>

  <!-- ==== navigation ==================================================== -->

  <!-- The top-level menu entries: the names the navigation rule wrote,
       without the pages their own settings leave out of the navigation.
       The rule writes the level as a plain number; the processor tests an
       attribute of the selected names faster than a predicate on each
       name (the menu holds the current page's siblings too, often a
       hundred names). -->
  <xsl:variable name="menu-top-entries"
      select="$page-root/Menu/CommonNames/@indent[. = '0']/parent::*[not(following-sibling::*[1]/self::CommonWebPage/NotVisible = 1)]"/>

  <!-- The custom links of the main menu's link group (page-links editor) in
       the page's language, else those of the default language. -->
  <xsl:variable name="menu-groups" select="/Page/Menu/LinkGroup[LinkGroup = 'MainMenu']"/>
  <xsl:variable name="menu-own-links" select="$menu-groups/Link[@LanguageCode = $lang]/LinkObject"/>
  <xsl:variable name="menu-custom-links"
      select="$menu-own-links | $menu-groups/Link[@LanguageCode = 'DEF'][not($menu-own-links)]/LinkObject"/>

  <!-- Whether the page has a menu at all (a visible top-level entry, known
       already, spares looking through every entry). -->
  <xsl:template name="menu-entries-exist">
    <xsl:if test="$menu-top-entries
                  or /Page/Menu/CommonNames[not(following-sibling::*[1]/self::CommonWebPage/NotVisible = 1)]
                  or $menu-groups/Link">1</xsl:if>
  </xsl:template>

  <!-- With more top-level entries than a phone shows in a line or two, a
       button that opens and closes the menu on narrow screens. It is a
       check box with its label, so it works without script; the master's
       style rules say below which width the menu collapses behind it
       (class "menu-collapsible" on the navigation). -->
  <xsl:variable name="menu-collapsible" select="count($menu-top-entries) + count($menu-custom-links) &gt; 4"/>
  <xsl:template name="menu-toggle">
    <xsl:if test="$menu-collapsible">
      <input type="checkbox" id="menu-toggle" class="menu-toggle"/>
      <label for="menu-toggle" class="menu-button">
        <span class="menu-button-icon" aria-hidden="true"></span>
        <xsl:call-template name="res"><xsl:with-param name="id">menu</xsl:with-param></xsl:call-template>
      </label>
    </xsl:if>
  </xsl:template>

  <!-- The class of the main navigation element. -->
  <xsl:template name="menu-class">
    <xsl:text>site-nav</xsl:text>
    <xsl:if test="$menu-collapsible"><xsl:text> menu-collapsible</xsl:text></xsl:if>
  </xsl:template>

  <!-- One menu link; the current page is marked for assistive technology,
       the pages on its path for the eye. -->
  <xsl:template name="menu-link">
    <xsl:param name="entry"/>
    <a>
      <xsl:attribute name="href">
        <xsl:call-template name="page-url"><xsl:with-param name="id" select="$entry/@TreeItemId"/></xsl:call-template>
      </xsl:attribute>
      <xsl:choose>
        <xsl:when test="$entry/@TreeItemId = /Page/@TreeItemId">
          <xsl:attribute name="aria-current">page</xsl:attribute>
        </xsl:when>
        <xsl:when test="$entry/@TreeItemId = /Page/Breadcrumbs/CommonNames/@TreeItemId">
          <xsl:attribute name="class">on-path</xsl:attribute>
        </xsl:when>
      </xsl:choose>
      <xsl:call-template name="text"><xsl:with-param name="nodes" select="$entry/ItemName"/></xsl:call-template>
    </a>
  </xsl:template>

  <!-- The custom links of the main menu's link group (page-links editor). -->
  <xsl:template name="custom-links">
    <xsl:for-each select="$menu-custom-links">
      <xsl:variable name="is-page"><xsl:call-template name="text"><xsl:with-param name="nodes" select="IsPageLink"/></xsl:call-template></xsl:variable>
      <xsl:variable name="page" select="(PageItemId[@LanguageCode = $lang] | PageItemId[@LanguageCode = 'DEF'])[@ItemId][1]"/>
      <li>
        <xsl:choose>
          <xsl:when test="$is-page = '1' and $page">
            <a>
              <xsl:attribute name="href"><xsl:call-template name="page-url"><xsl:with-param name="id" select="$page/@ItemId"/></xsl:call-template></xsl:attribute>
              <xsl:call-template name="text"><xsl:with-param name="nodes" select="$page/CommonNames/ItemName"/></xsl:call-template>
            </a>
          </xsl:when>
          <xsl:otherwise>
            <a>
              <xsl:attribute name="href"><xsl:call-template name="text"><xsl:with-param name="nodes" select="URL"/></xsl:call-template></xsl:attribute>
              <xsl:call-template name="text"><xsl:with-param name="nodes" select="Caption"/></xsl:call-template>
            </a>
          </xsl:otherwise>
        </xsl:choose>
      </li>
    </xsl:for-each>
  </xsl:template>

  <!-- The top level of the menu as one list. -->
  <xsl:template name="menu-top-level">
    <ul class="menu">
      <xsl:for-each select="$menu-top-entries">
        <li><xsl:call-template name="menu-link"><xsl:with-param name="entry" select="."/></xsl:call-template></li>
      </xsl:for-each>
      <xsl:call-template name="custom-links"/>
    </ul>
  </xsl:template>

  <!-- The menu as nested lists: the top level with the current page's path
       opened. -->
  <xsl:template name="menu-tree">
    <ul class="menu-tree">
      <xsl:apply-templates mode="menu-tree" select="$menu-top-entries"/>
      <xsl:call-template name="custom-links"/>
    </ul>
  </xsl:template>

  <!-- A menu entry with its sub-entries: the following entries one level
       deeper up to the next entry at this level or above. -->
  <xsl:template match="CommonNames" mode="menu-tree">
    <xsl:variable name="indent" select="number(@indent)"/>
    <xsl:variable name="id" select="generate-id()"/>
    <xsl:variable name="children"
        select="following-sibling::CommonNames[number(@indent) = $indent + 1]
                [generate-id(preceding-sibling::CommonNames[number(@indent) &lt;= $indent][1]) = $id]
                [not(following-sibling::*[1]/self::CommonWebPage/NotVisible = 1)]"/>
    <li>
      <xsl:call-template name="menu-link"><xsl:with-param name="entry" select="."/></xsl:call-template>
      <xsl:if test="$children">
        <ul><xsl:apply-templates select="$children" mode="menu-tree"/></ul>
      </xsl:if>
    </li>
  </xsl:template>

  <!-- The trail from the home page to the current page; none on the home page. -->
  <xsl:template name="breadcrumbs">
    <xsl:variable name="trail" select="$page-root/Breadcrumbs/CommonNames"/>
    <xsl:if test="count($trail) &gt; 1 or ($trail and $home-id != '' and not($trail/@TreeItemId = $home-id))">
      <nav class="breadcrumbs">
        <xsl:attribute name="aria-label"><xsl:call-template name="res"><xsl:with-param name="id">breadcrumb</xsl:with-param></xsl:call-template></xsl:attribute>
        <ol>
          <xsl:if test="$home-id != '' and not($trail/@TreeItemId = $home-id)">
            <li><a href="{concat('index.', $linkext)}"><xsl:call-template name="res"><xsl:with-param name="id">home</xsl:with-param></xsl:call-template></a></li>
          </xsl:if>
          <xsl:for-each select="$trail">
            <xsl:sort select="@Level" data-type="number" order="descending"/>
            <li>
              <xsl:choose>
                <xsl:when test="position() = last()">
                  <span aria-current="page"><xsl:call-template name="text"><xsl:with-param name="nodes" select="ItemName"/></xsl:call-template></span>
                </xsl:when>
                <xsl:otherwise>
                  <xsl:call-template name="menu-link"><xsl:with-param name="entry" select="."/></xsl:call-template>
                </xsl:otherwise>
              </xsl:choose>
            </li>
          </xsl:for-each>
        </ol>
      </nav>
    </xsl:if>
  </xsl:template>

  <!-- Links to the pages of a list shown Per-page entries at a time. -->
  <xsl:template name="pager">
    <xsl:param name="total"/>
    <xsl:variable name="pages" select="ceiling($total div $per-page)"/>
    <xsl:if test="$pages &gt; 1">
      <nav class="pager">
        <xsl:attribute name="aria-label"><xsl:call-template name="res"><xsl:with-param name="id">pages</xsl:with-param></xsl:call-template></xsl:attribute>
        <ul>
          <xsl:if test="$page-number &gt; 1">
            <li><a rel="prev">
              <xsl:attribute name="href"><xsl:call-template name="page-number-url"><xsl:with-param name="n" select="$page-number - 1"/></xsl:call-template></xsl:attribute>
              <xsl:call-template name="res"><xsl:with-param name="id">previous-page</xsl:with-param></xsl:call-template>
            </a></li>
          </xsl:if>
          <xsl:call-template name="pager-numbers">
            <xsl:with-param name="n" select="1"/>
            <xsl:with-param name="last" select="$pages"/>
          </xsl:call-template>
          <xsl:if test="$page-number &lt; $pages">
            <li><a rel="next">
              <xsl:attribute name="href"><xsl:call-template name="page-number-url"><xsl:with-param name="n" select="$page-number + 1"/></xsl:call-template></xsl:attribute>
              <xsl:call-template name="res"><xsl:with-param name="id">next-page</xsl:with-param></xsl:call-template>
            </a></li>
          </xsl:if>
        </ul>
      </nav>
    </xsl:if>
  </xsl:template>

  <xsl:template name="pager-numbers">
    <xsl:param name="n"/>
    <xsl:param name="last"/>
    <li>
      <xsl:choose>
        <xsl:when test="$n = $page-number">
          <span aria-current="page"><xsl:value-of select="$n"/></span>
        </xsl:when>
        <xsl:otherwise>
          <a>
            <xsl:attribute name="href"><xsl:call-template name="page-number-url"><xsl:with-param name="n" select="$n"/></xsl:call-template></xsl:attribute>
            <xsl:attribute name="aria-label">
              <xsl:call-template name="res"><xsl:with-param name="id">page</xsl:with-param></xsl:call-template>
              <xsl:value-of select="concat(' ', $n)"/>
            </xsl:attribute>
            <xsl:value-of select="$n"/>
          </a>
        </xsl:otherwise>
      </xsl:choose>
    </li>
    <xsl:if test="$n &lt; $last">
      <xsl:call-template name="pager-numbers">
        <xsl:with-param name="n" select="$n + 1"/>
        <xsl:with-param name="last" select="$last"/>
      </xsl:call-template>
    </xsl:if>
  </xsl:template>

  <!-- Whether entry Position of a paged list is on the current page. -->
  <xsl:template name="on-this-page">
    <xsl:param name="position"/>
    <xsl:if test="$position &gt; ($page-number - 1) * $per-page and $position &lt;= $page-number * $per-page">1</xsl:if>
  </xsl:template>

  <!-- ==== page parts ==================================================== -->

  <!-- The document head shared by every style: title, description, the
       style's colour and font sheets. The master adds its own style rules. -->
  <xsl:template name="head-content">
    <meta name="viewport" content="width=device-width, initial-scale=1"/>
    <xsl:variable name="name"><xsl:call-template name="page-name"/></xsl:variable>
    <xsl:variable name="title">
      <xsl:call-template name="text"><xsl:with-param name="nodes" select="$page-root/Current/CommonWebPage/Title"/></xsl:call-template>
    </xsl:variable>
    <xsl:variable name="company"><xsl:call-template name="company-name"/></xsl:variable>
    <title>
      <xsl:choose>
        <xsl:when test="normalize-space($title)"><xsl:value-of select="$title"/></xsl:when>
        <xsl:when test="normalize-space($company) and normalize-space($name) and $name != $company">
          <xsl:value-of select="concat($name, ' | ', $company)"/>
        </xsl:when>
        <xsl:when test="normalize-space($name)"><xsl:value-of select="$name"/></xsl:when>
        <xsl:otherwise><xsl:value-of select="$company"/></xsl:otherwise>
      </xsl:choose>
    </title>
    <xsl:variable name="description">
      <xsl:call-template name="text"><xsl:with-param name="nodes" select="$page-root/Current/CommonWebPage/MetaDescription"/></xsl:call-template>
    </xsl:variable>
    <xsl:if test="normalize-space($description)">
      <meta name="description" content="{normalize-space($description)}"/>
    </xsl:if>
    <xsl:variable name="keywords">
      <xsl:call-template name="text"><xsl:with-param name="nodes" select="$page-root/Current/CommonKeywords/MetaKeywords"/></xsl:call-template>
    </xsl:variable>
    <xsl:if test="normalize-space($keywords)">
      <meta name="keywords" content="{normalize-space($keywords)}"/>
    </xsl:if>
    <xsl:if test="number($css) &gt; 0"><link rel="stylesheet" href="../css/{$css}.css"/></xsl:if>
    <xsl:if test="number($css2) &gt; 0"><link rel="stylesheet" href="../css/{$css2}.css"/></xsl:if>
  </xsl:template>

  <!-- The body's background picture of the style, when it has one. -->
  <xsl:template name="body-background">
    <xsl:if test="normalize-space($bgimage)">
      <xsl:attribute name="style"><xsl:value-of select="concat(&quot;background-image: url('../images/&quot;, $bgimage, &quot;')&quot;)"/></xsl:attribute>
    </xsl:if>
  </xsl:template>

  <!-- The link that lets keyboard users pass the navigation. -->
  <xsl:template name="skip-link">
    <a class="skip-link" href="#main"><xsl:call-template name="res"><xsl:with-param name="id">skip-link</xsl:with-param></xsl:call-template></a>
  </xsl:template>

  <!-- The company's logo, or its name, leading to the home page. -->
  <xsl:template name="brand">
    <xsl:variable name="company"><xsl:call-template name="company-name"/></xsl:variable>
    <a class="brand" href="{concat('index.', $linkext)}">
      <xsl:call-template name="image">
        <xsl:with-param name="ref" select="$page-root/Company/CommonCompanyInfo/CompanyLogoImage"/>
        <xsl:with-param name="alt" select="''"/>
        <xsl:with-param name="class">brand-logo</xsl:with-param>
        <xsl:with-param name="lazy" select="false()"/>
      </xsl:call-template>
      <span class="brand-name"><xsl:value-of select="$company"/></span>
    </a>
  </xsl:template>

  <!-- The name the page's heading shows: on the home page the business's
       name (its page name is mostly just "Home"), else the page's name. -->
  <xsl:template name="heading-name">
    <xsl:variable name="company"><xsl:call-template name="company-name"/></xsl:variable>
    <xsl:choose>
      <xsl:when test="$home-id != '' and string(/Page/@TreeItemId) = $home-id and normalize-space($company)">
        <xsl:value-of select="$company"/>
      </xsl:when>
      <xsl:otherwise><xsl:call-template name="page-name"/></xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <!-- The page's heading. -->
  <xsl:template name="page-heading">
    <xsl:param name="text"><xsl:call-template name="heading-name"/></xsl:param>
    <h1 class="page-title"><xsl:value-of select="$text"/></h1>
  </xsl:template>

  <!-- The heading of a section of the page (h2 with the given id and the
       text of the language resource), left out when it would only repeat
       the page's heading, as on a page named like its one list. Heading:
       the text of the page's h1. -->
  <xsl:template name="section-heading">
    <xsl:param name="id"/>
    <xsl:param name="res"/>
    <xsl:param name="heading"><xsl:call-template name="heading-name"/></xsl:param>
    <xsl:variable name="text"><xsl:call-template name="res"><xsl:with-param name="id" select="$res"/></xsl:call-template></xsl:variable>
    <xsl:variable name="upper">ABCDEFGHIJKLMNOPQRSTUVWXYZ&#196;&#214;&#220;&#201;&#200;&#192;&#199;&#209;</xsl:variable>
    <xsl:variable name="lower">abcdefghijklmnopqrstuvwxyz&#228;&#246;&#252;&#233;&#232;&#224;&#231;&#241;</xsl:variable>
    <xsl:if test="translate(normalize-space($text), $upper, $lower) != translate(normalize-space($heading), $upper, $lower)">
      <h2 id="{$id}" class="section-title"><xsl:value-of select="$text"/></h2>
    </xsl:if>
  </xsl:template>

  <!-- The page's own text above (top) or below (bottom) the generated part. -->
  <xsl:template name="page-text">
    <xsl:param name="part"/>
    <xsl:variable name="html">
      <xsl:choose>
        <xsl:when test="$part = 'bottom'"><xsl:call-template name="bottom"/></xsl:when>
        <xsl:otherwise><xsl:call-template name="top"/></xsl:otherwise>
      </xsl:choose>
    </xsl:variable>
    <xsl:if test="normalize-space($html)">
      <div class="user-content bodyContent">
        <xsl:choose>
          <xsl:when test="$part = 'bottom'"><xsl:call-template name="bottom"/></xsl:when>
          <xsl:otherwise><xsl:call-template name="top"/></xsl:otherwise>
        </xsl:choose>
      </div>
    </xsl:if>
  </xsl:template>

  <!-- A company's address and ways of contact. Info: a CommonCompanyInfo element. -->
  <xsl:template name="contact-details">
    <xsl:param name="info" select="$page-root/Company/CommonCompanyInfo"/>
    <xsl:param name="with-name" select="false()"/>
    <xsl:variable name="city-line" select="normalize-space(concat($info/CompanyAddressPostalCode, ' ', $info/CompanyAddressCity, ' ', $info/CompanyAddressState))"/>
    <address class="contact-details">
      <xsl:if test="$with-name">
        <strong><xsl:call-template name="text"><xsl:with-param name="nodes" select="$info/CompanyName"/></xsl:call-template></strong><br/>
      </xsl:if>
      <xsl:if test="normalize-space($info/CompanyAddressLine1)"><xsl:value-of select="$info/CompanyAddressLine1"/><br/></xsl:if>
      <xsl:if test="normalize-space($info/CompanyAddressLine2)"><xsl:value-of select="$info/CompanyAddressLine2"/><br/></xsl:if>
      <xsl:if test="$city-line"><xsl:value-of select="$city-line"/><br/></xsl:if>
      <xsl:if test="normalize-space($info/CompanyCountry)"><xsl:value-of select="$info/CompanyCountry"/><br/></xsl:if>
      <xsl:if test="normalize-space($info/CompanyPhone)">
        <xsl:call-template name="res"><xsl:with-param name="id">phone</xsl:with-param></xsl:call-template>
        <xsl:text>: </xsl:text>
        <a href="tel:{translate($info/CompanyPhone, ' ()/-', '')}"><xsl:value-of select="$info/CompanyPhone"/></a><br/>
      </xsl:if>
      <xsl:if test="normalize-space($info/CompanyFax)">
        <xsl:call-template name="res"><xsl:with-param name="id">fax</xsl:with-param></xsl:call-template>
        <xsl:value-of select="concat(': ', $info/CompanyFax)"/><br/>
      </xsl:if>
      <xsl:if test="normalize-space($info/CompanyEmail)">
        <a href="mailto:{normalize-space($info/CompanyEmail)}"><xsl:value-of select="$info/CompanyEmail"/></a><br/>
      </xsl:if>
      <xsl:if test="normalize-space($info/CompanyAlternateURL)">
        <a href="{normalize-space($info/CompanyAlternateURL)}"><xsl:value-of select="$info/CompanyAlternateURL"/></a>
      </xsl:if>
    </address>
  </xsl:template>

  <!-- The footer's copyright line. -->
  <xsl:template name="copyright">
    <p class="copyright">
      <xsl:value-of select="concat('&#169; ', $year, ' ')"/>
      <xsl:call-template name="company-name"/>
      <xsl:text>. </xsl:text>
      <xsl:call-template name="res"><xsl:with-param name="id">all-rights-reserved</xsl:with-param></xsl:call-template>
    </p>
  </xsl:template>

  <!-- A card of a list: picture, linked title, a line of text and a price.
       The whole card is the link's target area; Heading is its level. With
       Placeholder, a card without picture keeps an empty picture area so
       the cards of a grid line up. -->
  <xsl:template name="card">
    <xsl:param name="href"/>
    <xsl:param name="title"/>
    <xsl:param name="picture" select="/.."/>
    <xsl:param name="text"/>
    <xsl:param name="prices" select="/.."/>
    <xsl:param name="heading">h2</xsl:param>
    <xsl:param name="placeholder" select="false()"/>
    <li class="card">
      <xsl:choose>
        <xsl:when test="$picture/Image[ImageData/Size &gt; 0]">
          <div class="card-media">
            <xsl:call-template name="image">
              <xsl:with-param name="ref" select="$picture"/>
              <xsl:with-param name="alt" select="''"/>
            </xsl:call-template>
          </div>
        </xsl:when>
        <xsl:when test="$placeholder"><div class="card-media card-media-empty"></div></xsl:when>
      </xsl:choose>
      <div class="card-body">
        <xsl:element name="{$heading}">
          <xsl:attribute name="class">card-title</xsl:attribute>
          <xsl:choose>
            <xsl:when test="normalize-space($href)"><a href="{$href}"><xsl:value-of select="$title"/></a></xsl:when>
            <xsl:otherwise><xsl:value-of select="$title"/></xsl:otherwise>
          </xsl:choose>
        </xsl:element>
        <xsl:if test="normalize-space($text)"><p class="card-text"><xsl:value-of select="$text"/></p></xsl:if>
        <xsl:if test="$prices"><xsl:call-template name="price-summary"><xsl:with-param name="prices" select="$prices"/></xsl:call-template></xsl:if>
      </div>
    </li>
  </xsl:template>

  <!-- The card of the product whose objects the context Entry holds. -->
  <xsl:template name="product-card">
    <xsl:param name="href"/>
    <xsl:param name="heading">h3</xsl:param>
    <xsl:variable name="name"><xsl:call-template name="text"><xsl:with-param name="nodes" select="Product/Name"/></xsl:call-template></xsl:variable>
    <xsl:variable name="description"><xsl:call-template name="text"><xsl:with-param name="nodes" select="Product/Description"/></xsl:call-template></xsl:variable>
    <xsl:call-template name="card">
      <xsl:with-param name="href" select="$href"/>
      <xsl:with-param name="title">
        <xsl:choose>
          <xsl:when test="normalize-space($name)"><xsl:value-of select="$name"/></xsl:when>
          <xsl:otherwise><xsl:call-template name="text"><xsl:with-param name="nodes" select="CommonNames/ItemName"/></xsl:call-template></xsl:otherwise>
        </xsl:choose>
      </xsl:with-param>
      <xsl:with-param name="picture" select="(ProductImages/MainImage[Image] | ProductImages/ThumbnailImage[Image])[1]"/>
      <xsl:with-param name="text">
        <xsl:choose>
          <xsl:when test="string-length($description) &gt; 120"><xsl:value-of select="concat(substring($description, 1, 117), '&#8230;')"/></xsl:when>
          <xsl:otherwise><xsl:value-of select="$description"/></xsl:otherwise>
        </xsl:choose>
      </xsl:with-param>
      <xsl:with-param name="prices" select="Prices"/>
      <xsl:with-param name="heading" select="$heading"/>
      <xsl:with-param name="placeholder" select="true()"/>
    </xsl:call-template>
  </xsl:template>

  <!-- A row of a data list (term and value); nothing for an empty value. -->
  <xsl:template name="fact">
    <xsl:param name="label"/>
    <xsl:param name="value"/>
    <xsl:if test="normalize-space($value)">
      <div class="fact">
        <dt><xsl:call-template name="res"><xsl:with-param name="id" select="$label"/></xsl:call-template></dt>
        <dd><xsl:value-of select="$value"/></dd>
      </div>
    </xsl:if>
  </xsl:template>

  <!-- ==== style rules shared by every style ===============================
       Layout of the page contents that the body templates write. Colours
       and fonts come from the style's colour and font sheets through their
       custom properties; the fallbacks keep a page readable without them. -->
  <xsl:template name="component-css">
    <xsl:text>
*,*::before,*::after{box-sizing:border-box}
html{-webkit-text-size-adjust:100%;text-size-adjust:100%}
body{margin:0;min-height:100vh;display:flex;flex-direction:column;background-color:var(--c-bg,#fff);background-repeat:repeat;color:var(--c-text,#1a1a1a)}
body>.site-main,body>.layout{flex:1}
img{max-width:100%;height:auto;border:0}
a{color:var(--c-link,#0b57d0)}
a:hover{color:var(--c-link-hover,#083e94)}
:focus-visible{outline:3px solid var(--c-focus,#b45309);outline-offset:2px}
.skip-link{position:absolute;left:1rem;top:-10rem;z-index:100;padding:.75rem 1rem;background:var(--c-accent,#0b57d0);color:var(--c-on-accent,#fff);border-radius:.25rem;font-weight:600;text-decoration:none}
.skip-link:focus{top:1rem}
main:focus{outline:none}
.container{width:min(100% - 2rem,72rem);margin-inline:auto}
.page-title{margin:0 0 1rem}
.user-content{margin:0 0 1.5rem}
.user-content img{border-radius:.25rem}
.user-content table{border-collapse:collapse;max-width:100%}
.user-content td,.user-content th{border:1px solid var(--c-border,#d0d0d0);padding:.4rem .6rem}
.breadcrumbs{margin:0 0 1.25rem;font-size:.9em}
.breadcrumbs ol{list-style:none;margin:0;padding:0;display:flex;flex-wrap:wrap;gap:.25rem .5rem}
.breadcrumbs li+li::before{content:"/";margin-right:.5rem;color:var(--c-muted,#555)}
.breadcrumbs [aria-current]{color:var(--c-muted,#555)}
.section{margin:2rem 0}
.section-title{margin:0 0 1rem}
.cards{list-style:none;margin:0 0 1.5rem;padding:0;display:grid;gap:1.25rem;grid-template-columns:repeat(auto-fill,minmax(15rem,1fr))}
.card{position:relative;display:flex;flex-direction:column;background:var(--c-surface,#fff);border:1px solid var(--c-border,#d0d0d0);border-radius:var(--radius,.5rem);overflow:hidden}
.card:focus-within{outline:3px solid var(--c-focus,#b45309);outline-offset:2px}
.card-media{aspect-ratio:4/3;background:var(--c-surface-alt,#f3f3f3);display:flex;align-items:center;justify-content:center}
.card-media img{width:100%;height:100%;object-fit:cover}
.card-media-empty{background:linear-gradient(135deg,var(--c-surface-alt,#f3f3f3),var(--c-border,#d0d0d0))}
@media (max-width:30rem){.card-media-empty{display:none}}
.card-body{padding:1rem 1.1rem 1.2rem;display:flex;flex-direction:column;gap:.4rem;flex:1}
.card-title{font-size:1.15em;margin:0}
.card-title a{text-decoration:none;color:inherit}
.card-title a::after{content:"";position:absolute;inset:0}
.card-title a:focus-visible{outline:none}
.card-text{margin:0;color:var(--c-muted,#555)}
.card .price{margin-top:auto}
.price{margin:.25rem 0;font-weight:700;color:var(--c-price,inherit);font-variant-numeric:tabular-nums}
.price-from{font-weight:400;color:var(--c-muted,#555)}
.price-on-request{font-weight:600}
.empty-note{color:var(--c-muted,#555)}
.price-note{margin:0;color:var(--c-muted,#555);font-size:.9em}
.note{margin:0 0 1.5rem;padding:.75rem 1rem;border-left:4px solid var(--c-accent,#0b57d0);border-radius:0 .25rem .25rem 0;background:var(--c-surface-alt,#f3f3f3)}
.pager ul{list-style:none;margin:1.5rem 0;padding:0;display:flex;flex-wrap:wrap;gap:.5rem}
.pager a,.pager span{display:inline-block;min-width:2.75rem;padding:.55rem .8rem;border:1px solid var(--c-border,#d0d0d0);border-radius:.25rem;text-align:center;text-decoration:none}
.pager [aria-current]{background:var(--c-accent,#0b57d0);border-color:var(--c-accent,#0b57d0);color:var(--c-on-accent,#fff);font-weight:700}
.detail{display:grid;gap:2rem;grid-template-columns:1fr;align-items:start;margin:0 0 2rem}
@media (min-width:48rem){.detail{grid-template-columns:minmax(0,1fr) minmax(0,1fr)}}
.detail>:only-child{grid-column:1/-1}
.contact-panel:only-child{max-width:36rem}
.gallery{display:grid;gap:.75rem}
.gallery-main{background:var(--c-surface-alt,#f3f3f3);border-radius:var(--radius,.5rem);overflow:hidden}
.gallery-main img{display:block;width:100%}
.gallery-more{list-style:none;margin:0;padding:0;display:grid;gap:.5rem;grid-template-columns:repeat(auto-fill,minmax(5rem,1fr))}
.gallery-more img{display:block;border-radius:.25rem;aspect-ratio:1;object-fit:cover}
.summary{display:flex;flex-direction:column;gap:.75rem}
.summary .price{font-size:1.5rem}
.summary>.page-title:last-child{margin-bottom:0}
.lead{font-size:1.1em}
.product-code{color:var(--c-muted,#555);margin:0}
.facts{display:grid;grid-template-columns:minmax(8rem,max-content) 1fr;gap:.4rem 1.25rem;margin:0}
.fact{display:contents}
.facts dt{font-weight:600}
.facts dd{margin:0}
.data-table{width:100%;border-collapse:collapse;margin:0 0 1.5rem;font-variant-numeric:tabular-nums}
.data-table caption{text-align:left;font-weight:700;padding:0 0 .5rem}
.data-table th,.data-table td{padding:.55rem .75rem;border-bottom:1px solid var(--c-border,#d0d0d0);text-align:left;vertical-align:top}
.data-table thead th{border-bottom-width:2px}
.data-table td.number,.data-table th.number{text-align:right}
.table-scroll{overflow-x:auto}
.data-table small{white-space:nowrap;font-weight:400}
@media (max-width:30rem){
.stack-narrow thead{position:absolute;width:1px;height:1px;overflow:hidden;clip:rect(0 0 0 0);white-space:nowrap}
.stack-narrow,.stack-narrow tbody,.stack-narrow tr,.stack-narrow th,.stack-narrow td{display:block;width:100%}
.stack-narrow tr{padding:.6rem 0;border-bottom:1px solid var(--c-border,#d0d0d0)}
.stack-narrow th,.stack-narrow td{border:0;padding:.15rem 0}
.stack-narrow td{display:flex;justify-content:space-between;gap:1rem;text-align:right}
.stack-narrow td[data-label]::before{content:attr(data-label);text-align:left}
.stack-narrow td:empty{display:none}
}
.tags{list-style:none;margin:0 0 .75rem;padding:0;display:flex;flex-wrap:wrap;gap:.4rem}
.tags li{padding:.2rem .65rem;border:1px solid var(--c-border,#d0d0d0);border-radius:999px;background:var(--c-surface,#fff)}
.contact-details{font-style:normal;line-height:1.7}
.panel{background:var(--c-surface,#fff);border:1px solid var(--c-border,#d0d0d0);border-radius:var(--radius,.5rem);padding:1.25rem 1.5rem}
.story{padding:0 0 1.5rem;margin:0 0 1.5rem;border-bottom:1px solid var(--c-border,#d0d0d0)}
.story:last-child{border-bottom:0}
.menu-toggle,.menu-button{display:none}
.menu-button{align-items:center;gap:.6rem;min-height:2.75rem;padding:.45rem .9rem;border:1px solid currentColor;border-radius:.35rem;font-weight:600;line-height:1;cursor:pointer;user-select:none}
.menu-button-icon,.menu-button-icon::before,.menu-button-icon::after{display:block;width:1.1rem;height:2px;background:currentColor}
.menu-button-icon{position:relative}
.menu-button-icon::before,.menu-button-icon::after{content:"";position:absolute;left:0}
.menu-button-icon::before{top:-6px}
.menu-button-icon::after{top:6px}
.menu-toggle:checked+.menu-button .menu-button-icon{background:transparent}
.menu-toggle:checked+.menu-button .menu-button-icon::before{top:0;transform:rotate(45deg)}
.menu-toggle:checked+.menu-button .menu-button-icon::after{top:0;transform:rotate(-45deg)}
.menu-toggle:focus-visible+.menu-button{outline:3px solid var(--c-focus,#b45309);outline-offset:2px}
.visually-hidden{position:absolute!important;width:1px;height:1px;overflow:hidden;clip:rect(0 0 0 0);white-space:nowrap}
@media (prefers-reduced-motion:reduce){*{transition:none!important;scroll-behavior:auto!important}}
@media print{.site-header nav,.skip-link,.pager,.site-nav,.sidebar{display:none}body{background:none}}
</xsl:text>
  </xsl:template>

</xsl:stylesheet>
