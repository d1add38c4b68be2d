<?xml version="1.0" encoding="utf-8"?>
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform" xmlns:tolvex="urn:tolvex:xml-generation">
<tolvex:xml-generation-rule isLink="1"><TagName>Menu</TagName><LinkGroup>Main</LinkGroup><Action>Childs</Action><ItemId>Home</ItemId><ClassXmlTag>CommonNames</ClassXmlTag></tolvex:xml-generation-rule>
<tolvex:xml-generation-rule><!-- c --><TagName>Top
ItemId=5</TagName><Condition>Price&gt;100</Condition><XmlCondition>"//a[@x='&amp;']"</XmlCondition></tolvex:xml-generation-rule>
</xsl:stylesheet>
