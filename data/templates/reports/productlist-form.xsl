<?xml version="1.0" encoding="utf-8"?>
<!--
  Customization form of "Product list (PDF)": the report's title. The form
  is sent with GET; the report reads its fields as /Page/Customized.
-->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">

  <xsl:template match="/">
    <html>
      <head>
        <title>Customize Report</title>
        <style>
          body { font-family: sans-serif; margin: 1.5em; }
          label { display: block; margin-bottom: .3em; }
          input[type=text] { width: 24em; padding: .2em; }
        </style>
      </head>
      <body>
        <form method="get" action="report-form">
          <label for="Title">Report title</label>
          <input type="text" id="Title" name="Title" value="{/Page/Customized/Title}"/>
          <input type="hidden" name="Customized" value="yes"/>
        </form>
      </body>
    </html>
  </xsl:template>

</xsl:stylesheet>
