<?xml version="1.0" encoding="utf-8"?>
<!--
  Master template of the style "Atelier": a centred heading with the
  company's name in a book face and the navigation beneath it, the page as a
  sheet on warm paper, a quiet centred footer. On phones a long menu folds
  behind a button under the name.

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
.site-header{padding:2.25rem 0 0;text-align:center;color:var(--c-header-text,#2b2118)}
.brand{display:inline-flex;flex-direction:column;align-items:center;gap:.6rem;color:inherit;text-decoration:none}
.brand-logo{max-height:4.5rem;width:auto}
.brand-name{font-family:var(--f-heading,serif);font-size:clamp(1.6rem,1.2rem + 2vw,2.4rem);font-weight:600;letter-spacing:.02em;line-height:1.15}
.site-nav{margin:1.25rem 0 0;border-block:1px solid var(--c-rule,#d8cbb8)}
.site-nav .menu{list-style:none;margin:0 auto;padding:.25rem 0;display:flex;flex-wrap:wrap;justify-content:center;gap:0 .5rem}
.site-nav a{display:block;padding:.75rem .9rem;color:var(--c-nav-text,#3d2f22);text-decoration:none;letter-spacing:.04em;text-transform:uppercase;font-size:.85rem;font-weight:600}
.site-nav a:hover{color:var(--c-link-hover,#7a2f15);text-decoration:underline;text-underline-offset:.35em}
.site-nav a[aria-current],.site-nav a.on-path{color:var(--c-link,#8f3a1b);text-decoration:underline;text-decoration-thickness:2px;text-underline-offset:.35em}
.site-main{padding:2.5rem 0 3rem}
.site-main .container{width:min(100% - 2rem,64rem)}
.sheet{background:var(--c-surface,#fffdf9);border:1px solid var(--c-rule,#e3d8c8);padding:clamp(1.25rem,4vw,3.5rem);box-shadow:0 .5rem 2rem -1rem rgba(60,40,20,.25)}
.page-title{font-size:clamp(2rem,1.4rem + 2.5vw,2.9rem);text-align:center}
.page-title::after{content:"";display:block;width:3rem;margin:1rem auto 0;border-bottom:2px solid var(--c-accent,#9c3f1f)}
.summary .page-title{text-align:left}
.summary .page-title::after{margin-left:0}
.breadcrumbs ol{justify-content:center}
.detail>.contact-panel:only-child{justify-self:center;width:100%}
.site-footer{padding:0 0 2.5rem;text-align:center;color:var(--c-muted,#5f5141);font-size:.92em}
.site-footer .contact-details{display:inline-block}
.site-footer .copyright{margin:1rem 0 0}
@media (max-width:40rem){.site-header{padding-top:1.5rem}.site-main{padding:1.25rem 0 2rem}.sheet{border-inline:0}.site-main .container{width:100%}
.menu-collapsible{padding:.5rem 0}
.menu-collapsible .menu-toggle{display:block;position:absolute;width:1px;height:1px;opacity:0}
.menu-collapsible .menu-button{display:inline-flex;color:var(--c-nav-text,#3d2f22)}
.menu-collapsible .menu-toggle:not(:checked)~.menu{display:none}
.menu-collapsible .menu{flex-direction:column;padding:.25rem 0 0}}
</xsl:text>
        </style>
      </head>
      <body class="pagebody">
        <xsl:call-template name="body-background"/>
        <xsl:call-template name="skip-link"/>
        <header class="site-header">
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
          <div class="container">
            <xsl:call-template name="contact-details"/>
            <xsl:call-template name="copyright"/>
          </div>
        </footer>
      </body>
    </html>
  </xsl:template>

</xsl:stylesheet>
