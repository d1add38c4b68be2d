<?xml version="1.0"?>
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
<xsl:template name="body"><!-- #EndEditable -->
<h1><xsl:value-of select="a"/></h1><xsl:text disable-output-escaping="yes">&amp;nbsp;&amp;copy;</xsl:text>
<!-- #BeginEditable "body" -->
</xsl:template></xsl:stylesheet>
