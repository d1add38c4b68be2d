<?xml version="1.0" encoding="utf-8"?>
<!--
  Master template of the style "Meadow": a green side column with the logo,
  the navigation as an opened tree and the company's address; the page on
  the right. On narrow screens the column becomes a header above the page,
  the menu's entries run in rows (the opened section's sub-pages in a row of
  their own), a long menu folds behind a button and the address moves to
  the footer.

  The body template of the page fills the main region (named template
  "body"); the common templates give texts, links and shared style rules.
-->
<xsl:stylesheet version="1.0"
    xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:tolvex="urn:tolvex:xml-generation"
    exclude-result-prefixes="tolvex">

  <!-- Generation rules of every page: the company record, the home page,
       the page's own names and settings, the trail of its ancestors and the
       main menu with the current page's path opened (a link group, so the
       page-links editor can add custom links to it). -->
  <tolvex:xml-generation-rule><TagName>Company</TagName><Action>Object</Action><ItemId>Company</ItemId><ClassXmlTag>CommonCompanyInfo</ClassXmlTag></tolvex:xml-generation-rule>
  <tolvex:xml-generation-rule><TagName>Home</TagName><Action>Object</Action><ItemId>Home</ItemId><ClassXmlTag>CommonNames</ClassXmlTag></tolvex:xml-generation-rule>
  <tolvex:xml-generation-rule><TagName>Current</TagName><Action>Object</Action><ItemId>current</ItemId><ClassXmlTag>CommonNames</ClassXmlTag><ClassXmlTag>CommonWebPage</ClassXmlTag><ClassXmlTag>CommonKeywords</ClassXmlTag></tolvex:xml-generation-rule>
  <tolvex:xml-generation-rule><TagName>Breadcrumbs</TagName><Action>Hierarchy</Action><ItemId>currenttree</ItemId><ClassXmlTag>CommonNames</ClassXmlTag></tolvex:xml-generation-rule>
  <tolvex:xml-generation-rule isLink="1"><TagName>Menu</TagName><Action>HierarchyAndRoot</Action><RootItemId>WebTreeRoot</RootItemId><ClassXmlTag>CommonNames</ClassXmlTag><ClassXmlTag>CommonWebPage</ClassXmlTag><LinkGroup>MainMenu</LinkGroup></tolvex:xml-generation-rule>

  <xsl:template match="/">
    <xsl:text disable-output-escaping="yes">&lt;!DOCTYPE html&gt;</xsl:text>
    <html>
      <xsl:attribute name="lang"><xsl:call-template name="html-lang"/></xsl:attribute>
      <head>
        <xsl:call-template name="head-content"/>
        <style>
          <xsl:call-template name="component-css"/>
          <xsl:text>
.layout{min-height:100vh}
.site-header{position:relative;background:var(--c-header-bg,#1e3a2f);color:var(--c-header-text,#fff);padding:1.25rem 1rem}
.site-header :focus-visible,.site-header .menu-toggle:focus-visible+.menu-button{outline-color:var(--c-focus-inverse,#fde68a)}
.brand{display:flex;align-items:center;gap:.75rem;min-height:2.75rem;color:inherit;text-decoration:none;font-family:var(--f-heading,inherit);font-weight:700;font-size:1.3rem;line-height:1.2}
.brand-logo{max-height:3.5rem;width:auto;border-radius:.35rem}
.site-nav{margin:1.25rem 0}
.menu-tree,.menu-tree ul{list-style:none;margin:0;padding:0}
.menu-tree ul{margin:.15rem 0 .35rem .9rem;padding-left:.6rem;border-left:2px solid var(--c-header-rule,rgba(255,255,255,.25))}
.menu-tree a{display:block;padding:.5rem .75rem;border-radius:.4rem;color:var(--c-header-text,#fff);text-decoration:none}
.menu-tree a:hover{background:var(--c-header-hover,rgba(255,255,255,.1));color:var(--c-header-text,#fff)}
.menu-tree a.on-path{font-weight:700}
.menu-tree a[aria-current]{background:var(--c-header-active,#fff);color:var(--c-header-active-text,#1e3a2f);font-weight:700}
.side-contact{font-size:.9em;color:var(--c-header-muted,#d7e5dc)}
.side-contact a{color:var(--c-header-link,#fde68a)}
.content-column{display:flex;flex-direction:column;min-width:0}
.site-main{flex:1;padding:1.5rem 1rem 3rem}
.site-main .page{max-width:68rem}
.site-footer{padding:1.25rem 1rem;border-top:1px solid var(--c-border,#d9d3c3);color:var(--c-muted,#5b5548);font-size:.9em}
.site-footer p{margin:0}
.footer-contact{margin:0 0 .75rem}
@media (min-width:56rem){
.layout{display:grid;grid-template-columns:18rem minmax(0,1fr)}
.site-header{position:sticky;top:0;height:100vh;overflow-y:auto;padding:2rem 1.25rem}
.site-main{padding:2.5rem clamp(1.5rem,4vw,3.5rem) 3rem}
.site-footer{padding:1.25rem clamp(1.5rem,4vw,3.5rem)}
.footer-contact{display:none}
}
@media (max-width:55.99rem){
.layout{display:flex;flex-direction:column}
.content-column{flex:1}
.brand{font-size:1.15rem}
.brand-logo{max-height:2.75rem}
.side-contact{display:none}
.site-nav{margin:.75rem 0 0}
.menu-tree{display:flex;flex-wrap:wrap;gap:.25rem}
.site-nav:not(.menu-collapsible) .menu-tree li.open{flex-basis:100%}
.menu-tree ul{display:flex;flex-wrap:wrap;gap:.25rem}
.has-menu-button .brand{max-width:calc(100% - 7.5rem)}
.menu-collapsible{margin:0}
.menu-collapsible .menu-toggle{display:block;position:absolute;width:1px;height:1px;opacity:0}
.menu-collapsible .menu-button{display:inline-flex;position:absolute;top:1.25rem;right:1rem}
.menu-collapsible .menu-toggle:not(:checked)~.menu-tree{display:none}
.menu-collapsible .menu-tree{flex-direction:column;margin-top:.75rem}
.menu-collapsible .menu-tree ul{display:block}
}
</xsl:text>
        </style>
      </head>
      <body class="pagebody">
        <xsl:call-template name="body-background"/>
        <xsl:call-template name="skip-link"/>
        <div class="layout">
          <header class="site-header">
            <xsl:if test="$menu-collapsible"><xsl:attribute name="class">site-header has-menu-button</xsl:attribute></xsl:if>
            <xsl:call-template name="brand"/>
            <xsl:variable name="has-menu"><xsl:call-template name="menu-entries-exist"/></xsl:variable>
            <xsl:if test="$has-menu = '1'">
              <nav>
                <xsl:attribute name="class"><xsl:call-template name="menu-class"/></xsl:attribute>
                <xsl:attribute name="aria-label"><xsl:call-template name="res"><xsl:with-param name="id">main-navigation</xsl:with-param></xsl:call-template></xsl:attribute>
                <xsl:call-template name="menu-toggle"/>
                <xsl:call-template name="menu-tree"/>
              </nav>
            </xsl:if>
            <div class="side-contact">
              <xsl:call-template name="contact-details"/>
            </div>
          </header>
          <div class="content-column">
            <main id="main" class="site-main" tabindex="-1">
              <div class="page">
                <xsl:call-template name="breadcrumbs"/>
                <xsl:call-template name="body"/>
              </div>
            </main>
            <footer class="site-footer">
              <div class="footer-contact">
                <xsl:call-template name="contact-details"/>
              </div>
              <xsl:call-template name="copyright"/>
            </footer>
          </div>
        </div>
      </body>
    </html>
  </xsl:template>

</xsl:stylesheet>
