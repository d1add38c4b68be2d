<?xml version="1.0" encoding="utf-8"?>
<!--
  Master template of the style "Harbor": a dark header bar with the logo and
  the main navigation, the page on a light sheet, a dark footer with the
  company's address. On phones a long menu folds behind a button at the
  top right.

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
.site-header{background:var(--c-header-bg,#12304d);color:var(--c-header-text,#fff)}
.site-header :focus-visible,.site-footer :focus-visible,.site-header .menu-toggle:focus-visible+.menu-button{outline-color:var(--c-focus-inverse,#fcd34d)}
.header-inner{position:relative;display:flex;flex-wrap:wrap;align-items:center;justify-content:space-between;gap:.5rem 2rem;padding:.9rem 0}
.brand{display:inline-flex;align-items:center;gap:.75rem;min-height:2.75rem;color:inherit;text-decoration:none;font-family:var(--f-heading,inherit);font-weight:700;font-size:1.3rem;letter-spacing:.01em}
.brand-logo{max-height:3rem;width:auto}
.site-nav .menu{list-style:none;margin:0;padding:0;display:flex;flex-wrap:wrap;gap:.25rem}
.site-nav a{display:block;padding:.6rem .9rem;border-radius:.35rem;color:var(--c-header-text,#fff);text-decoration:none;font-weight:600}
.site-nav a:hover{background:var(--c-header-hover,rgba(255,255,255,.12));color:var(--c-header-text,#fff)}
.site-nav a[aria-current],.site-nav a.on-path{background:var(--c-header-active,rgba(255,255,255,.2));box-shadow:inset 0 -3px 0 var(--c-header-mark,#7dd3fc)}
.site-main{padding:2rem 0 3rem}
.sheet{background:var(--c-surface,#fff);border:1px solid var(--c-border,#d5dde5);border-radius:var(--radius,.5rem);padding:clamp(1.25rem,3vw,2.5rem);box-shadow:0 1px 3px rgba(0,0,0,.06)}
.site-footer{background:var(--c-footer-bg,#12304d);color:var(--c-footer-text,#fff);padding:2.5rem 0 1.5rem}
.site-footer a{color:var(--c-footer-link,#bae6fd)}
.site-footer a:hover{color:var(--c-footer-text,#fff)}
.footer-inner{display:grid;gap:1.5rem 3rem;grid-template-columns:repeat(auto-fit,minmax(15rem,1fr))}
.footer-name{font-family:var(--f-heading,inherit);font-weight:700;font-size:1.15rem;margin:0 0 .5rem}
.footer-about{margin:0;max-width:40ch}
.copyright{grid-column:1/-1;margin:1rem 0 0;padding-top:1rem;border-top:1px solid var(--c-footer-rule,rgba(255,255,255,.25));font-size:.9em}
@media (max-width:40rem){.site-main{padding:1rem 0 2rem}.brand{font-size:1.1rem}.brand-logo{max-height:2.5rem}.site-nav a{padding:.55rem .7rem}.sheet{border-radius:0;border-inline:0}.site-main>.container{width:100%}
.has-menu-button .brand{max-width:calc(100% - 7.5rem)}
.menu-collapsible{flex:1 1 100%}
.menu-collapsible .menu-toggle{display:block;position:absolute;width:1px;height:1px;opacity:0}
.menu-collapsible .menu-button{display:inline-flex;position:absolute;top:.9rem;right:0}
.menu-collapsible .menu-toggle:not(:checked)~.menu{display:none}
.menu-collapsible .menu{flex-direction:column;padding:.25rem 0 .5rem}}
</xsl:text>
        </style>
      </head>
      <body class="pagebody">
        <xsl:call-template name="body-background"/>
        <xsl:call-template name="skip-link"/>
        <header class="site-header">
          <div class="container header-inner">
            <xsl:if test="$menu-collapsible"><xsl:attribute name="class">container header-inner has-menu-button</xsl:attribute></xsl:if>
            <xsl:call-template name="brand"/>
            <xsl:variable name="has-menu"><xsl:call-template name="menu-entries-exist"/></xsl:variable>
            <xsl:if test="$has-menu = '1'">
              <nav>
                <xsl:attribute name="class"><xsl:call-template name="menu-class"/></xsl:attribute>
                <xsl:attribute name="aria-label"><xsl:call-template name="res"><xsl:with-param name="id">main-navigation</xsl:with-param></xsl:call-template></xsl:attribute>
                <xsl:call-template name="menu-toggle"/>
                <xsl:call-template name="menu-top-level"/>
              </nav>
            </xsl:if>
          </div>
        </header>
        <main id="main" class="site-main" tabindex="-1">
          <div class="container">
            <div class="sheet">
              <xsl:call-template name="breadcrumbs"/>
              <xsl:call-template name="body"/>
            </div>
          </div>
        </main>
        <footer class="site-footer">
          <div class="container footer-inner">
            <div>
              <p class="footer-name"><xsl:call-template name="company-name"/></p>
              <xsl:variable name="about">
                <xsl:call-template name="text"><xsl:with-param name="nodes" select="$page-root/Company/CommonCompanyInfo/CompanyDescription"/></xsl:call-template>
              </xsl:variable>
              <xsl:if test="normalize-space($about)"><p class="footer-about"><xsl:value-of select="$about"/></p></xsl:if>
            </div>
            <xsl:call-template name="contact-details"/>
            <xsl:call-template name="copyright"/>
          </div>
        </footer>
      </body>
    </html>
  </xsl:template>

</xsl:stylesheet>
