<?xml version="1.0" encoding="utf-8"?>
<!--
  Common templates of the PDF reports: texts in the report's language and
  the page frame of an XSL-FO document (A4, margins, a page number below).
-->
<xsl:stylesheet version="1.0"
    xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:fo="http://www.w3.org/1999/XSL/Format">

  <!-- The first value of Nodes in the report's language, else of no language. -->
  <xsl:template name="text">
    <xsl:param name="nodes"/>
    <xsl:value-of select="$nodes[(@LanguageCode = $lang or @LanguageCode = 'DEF' or not(@LanguageCode)) and normalize-space()][1]"/>
  </xsl:template>

  <!-- The A4 page master every report uses ("report"). -->
  <xsl:template name="page-masters">
    <fo:layout-master-set>
      <fo:simple-page-master master-name="report" page-height="297mm" page-width="210mm"
          margin-top="15mm" margin-bottom="15mm" margin-left="20mm" margin-right="20mm">
        <fo:region-body margin-bottom="12mm"/>
        <fo:region-after extent="10mm"/>
      </fo:simple-page-master>
    </fo:layout-master-set>
  </xsl:template>

  <!-- The page number at the foot of every page. -->
  <xsl:template name="page-footer">
    <fo:static-content flow-name="xsl-region-after">
      <fo:block font-family="sans-serif" font-size="8pt" text-align="end" color="#666666">
        <fo:page-number/>
      </fo:block>
    </fo:static-content>
  </xsl:template>

</xsl:stylesheet>
