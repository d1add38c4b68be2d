<?xml version="1.0" encoding="utf-8"?>
<!--
  Creation form of "Product list (HTML)": the name of the new report,
  proposed from the file name the user chose (/Page/Created/ItemName). The
  form is sent with GET; its ItemName names the new report item.
-->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">

  <xsl:template match="/">
    <html>
      <head>
        <title>New Report</title>
        <style>
          body { font-family: sans-serif; margin: 1.5em; }
          label { display: block; margin-bottom: .3em; }
          input[type=text] { width: 24em; padding: .2em; }
          p.hint { color: #555; font-size: .9em; }
        </style>
      </head>
      <body>
        <form method="get" action="report-create">
          <label for="ItemName">Name of the new HTML report</label>
          <input type="text" id="ItemName" name="ItemName" value="{/Page/Created/ItemName}"/>
          <p class="hint">The report is listed under this name in the Report menu.</p>
        </form>
      </body>
    </html>
  </xsl:template>

</xsl:stylesheet>
