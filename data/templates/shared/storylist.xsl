<?xml version="1.0" encoding="utf-8"?>
<!--
  Body template of the list of all stories: every story of the stories tree,
  in the tree's order, with its heading and text; as many stories on a page
  as the body template's settings say, with links to the further pages.
-->
<xsl:stylesheet version="1.0"
    xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:tolvex="urn:tolvex:xml-generation"
    exclude-result-prefixes="tolvex">

  <!-- Every visible story below the stories root, in tree order. -->
  <tolvex:xml-generation-rule><TagName>Stories</TagName><Action>AllChilds</Action><ItemId>StoriesRoot</ItemId><ItemType>StoryPage</ItemType><ClassXmlTag>CommonNames</ClassXmlTag><ClassXmlTag>CommonDesign</ClassXmlTag><ItemTagName>Entry</ItemTagName></tolvex:xml-generation-rule>

  <xsl:template name="body">
    <xsl:call-template name="page-heading"/>
    <xsl:call-template name="page-text"><xsl:with-param name="part">top</xsl:with-param></xsl:call-template>
    <xsl:variable name="stories" select="/Page/Stories/Entry[CommonNames]"/>
    <xsl:for-each select="$stories">
      <xsl:variable name="shown"><xsl:call-template name="on-this-page"><xsl:with-param name="position" select="position()"/></xsl:call-template></xsl:variable>
      <xsl:if test="$shown = '1'">
        <article class="story" id="story-{CommonNames/@ItemId}">
          <h2><xsl:call-template name="text"><xsl:with-param name="nodes" select="CommonNames/ItemName"/></xsl:call-template></h2>
          <div class="user-content bodyContent">
            <xsl:call-template name="html"><xsl:with-param name="nodes" select="CommonDesign/TopHTMLValue"/></xsl:call-template>
          </div>
        </article>
      </xsl:if>
    </xsl:for-each>
    <xsl:if test="not($stories)">
      <p class="empty-note"><xsl:call-template name="res"><xsl:with-param name="id">nothing-yet</xsl:with-param></xsl:call-template></p>
    </xsl:if>
    <xsl:call-template name="pager"><xsl:with-param name="total" select="count($stories)"/></xsl:call-template>
    <xsl:call-template name="page-text"><xsl:with-param name="part">bottom</xsl:with-param></xsl:call-template>
  </xsl:template>

</xsl:stylesheet>
