#include "editors/site/html/HtmlInsertions.h"

#include "common/CommonFunctionsDetail.h"

#include "common/CommonFunctions.h"
#include "common/CommonImages.h"
#include "common/ParamList.h"
#include "common/Translation.h"


namespace {

std::string Escaped(const std::string& text) { return TCommonFunctions::EncodeXmlText(text); }

std::string UrlEncoded(const std::string& text) { return TParamList::UrlEncode(text, true); }

bool IsBlank(const std::string& text) { return text.find_first_not_of(" \t\r\n") == std::string::npos; }

// The extension of a file name with its dot, lower-cased; empty without one.
std::string ExtensionOf(const std::string& fileName)
{
    const std::size_t dot = fileName.find_last_of("./\\");
    return dot == std::string::npos || fileName[dot] != '.' ? std::string() : common_detail::LowerCase(fileName.substr(dot));
}

// ' NAME="number"' when the number is above 0, else empty.
std::string PositiveAttribute(const char* name, long long value)
{
    return value > 0 ? std::string(" ") + name + "=\"" + std::to_string(value) + "\"" : std::string();
}

constexpr const char* kFlashCabinet =
    "\"https://download.macromedia.com/pub/shockwave/cabs/flash/swflash.cab#version=4,0,2,0\"";
constexpr const char* kFlashPlayerPage = "https://www.adobe.com/products/flashplayer/";

}  // namespace

std::string THtmlInsertions::PictureFileName(const std::string& altFileName, const std::string& itemId,
                                             const std::string& mimeType)
{
    // The name publishing writes the file under; the name part is letters,
    // digits, "-" and "_" or an id, which the address encoding leaves alone.
    return UrlEncoded(TCommonImages::PublishedFileName(itemId, altFileName, mimeType));
}

std::string THtmlInsertions::ObjectFileName(const std::string& altFileName, const std::string& itemId,
                                            const std::string& mimeType, const std::string& fileName)
{
    return (altFileName.empty() ? itemId : altFileName) + "." +
           TCommonFunctions::GetExtensionByMimeType(mimeType, fileName);
}

std::string THtmlInsertions::Translated(const std::string& tmpl, long long bytes, const std::string& file) const
{
    const TTranslation& translation = TTranslation::OrEnglish(translation_);
    const long long shown = bytes <= 2048 ? bytes : bytes / 1024;
    return file.empty() ? translation.Format(tmpl, {shown}) : translation.Format(tmpl, {file, shown});
}

std::string THtmlInsertions::Picture(const TDialogParams& answers) const
{
    const std::string itemId = answers.Value("ImageItemId");
    if (itemId.empty())
        return {};
    const std::string file =
        PictureFileName(answers.Value("AltFileName"), itemId, answers.Value("ImageMimeType"));
    std::string alt = Escaped(answers.Value("Alt"));
    const std::string caption = Escaped(answers.Value("Caption"));
    const std::string alignment = Escaped(answers.Value("Alignment"));

    std::string prefix;
    std::string suffix;
    if (answers.IsYes("PopupLarge")) {
        const std::string large = PictureFileName(answers.Value("LargeAltFileName"),
                                                  answers.Value("LargeImageItemId"),
                                                  answers.Value("LargeImageMimeType"));
        prefix = "<A HREF=\"../images/" + large + "\" TARGET=\"_blank\">";
        suffix = "</A>";
    }
    const std::string description = answers.Value("Description");
    if (!IsBlank(description)) {
        prefix = "<TABLE BORDER=\"0\"><TR><TD>" + prefix;
        suffix += "</TD></TR><TR><TD CLASS=\"textColor smallFontBold\">" + Escaped(description) +
                  "</TD></TR></TABLE>";
        if (!alignment.empty()) {
            prefix = "<DIV ALIGN=\"" + alignment + "\">" + prefix;
            suffix += "</DIV>";
        }
    }

    std::string sizes;
    if (const long long width = answers.Number("ImageWidth"); width > 0)
        sizes = "WIDTH=\"" + std::to_string(width) + "\"";
    sizes += PositiveAttribute("HEIGHT", answers.Number("ImageHeight"));
    if (!alignment.empty())
        sizes += " ALIGN=\"" + alignment + "\"";
    sizes += PositiveAttribute("HSPACE", answers.Number("HorizontalSpacing"));
    sizes += PositiveAttribute("VSPACE", answers.Number("VerticalSpacing"));

    if (alt.empty())
        alt = caption;
    if (const long long bytes = answers.Number("ImageBytes"); alt.empty() && bytes > 0)
        alt = Escaped(Translated(bytes <= 2048 ? "Image size $1 bytes" : "Image size $1 Kb", bytes));

    // "BorderThinkness" is the name the picture dialog writes.
    const long long border = answers.Number("BorderThinkness");
    const std::string borderColor = Escaped(answers.Value("BorderColor"));
    const std::string style = border > 0 && !borderColor.empty() ? " border-color: " + borderColor + ";" : "";
    return prefix + "<IMG SRC=\"../images/" + file + "\" ALT=\"" + alt + "\" BORDER=\"" + std::to_string(border) +
           "\" STYLE=\"" + style + "\" " + sizes + "/>" + suffix;
}

std::string THtmlInsertions::PopupImageAddress(const TDialogParams& answers)
{
    const std::string itemId = answers.Value("ImageItemId");
    if (itemId.empty())
        return {};
    return "../images/" + PictureFileName("", itemId, answers.Value("ImageMimeType"));
}

std::string THtmlInsertions::PopupImageLink(const std::string& address, const std::string& text)
{
    return "<A HREF=\"" + Escaped(address) + "\" target=\"_top\">" + Escaped(text) + "</A>";
}

std::string THtmlInsertions::Object(const TDialogParams& answers) const
{
    const std::string itemId = answers.Value("ObjectItemId");
    if (itemId.empty())
        return {};
    const std::string title = Escaped(answers.Value("Caption"));
    const std::string fileName = answers.Value("FileName");
    const std::string file =
        Escaped(ObjectFileName(answers.Value("AltFileName"), itemId, answers.Value("ObjectMimeType"), fileName));
    std::string text = title;
    if (text.empty()) {
        const long long bytes = answers.Number("ObjectBytes");
        text = Escaped(Translated(bytes <= 2048 ? "File: $1 ($2 bytes)" : "File: $1 ($2 Kb)", bytes,
                                  UrlEncoded(fileName)));
    }
    if (!answers.IsYes("InsertAsObject")) {
        if (!title.empty())
            return " <A HREF=\"../bin/" + file + "\" TITLE=\"" + title + "\">" + title + "</A> ";
        return " <A HREF=\"../bin/" + file + "\">" + text + "</A> ";
    }
    const std::string width = Escaped(answers.Value("ObjectWidth"));
    const std::string height = Escaped(answers.Value("ObjectHeight"));
    const std::string extension = ExtensionOf(fileName);
    if (extension == ".swf")
        return std::string("<OBJECT codeBase=") + kFlashCabinet + " height=\"" + height + "\" width=\"" + width +
               "\" classid=clsid:D27CDB6E-AE6D-11cf-96B8-444553540000>" + "<PARAM NAME=\"movie\" VALUE=\"../bin/" +
               file + "\">" + "<PARAM NAME=\"quality\" VALUE=\"high\">" + "<embed src=\"../bin/" + file +
               "\" quality=\"high\" pluginspage=\"" + kFlashPlayerPage +
               "\" type=\"application/x-shockwave-flash\" width=\"" + width + "\" height=\"" + height + "\">" +
               "</OBJECT>";
    if (extension == ".jar" || extension == ".class")
        return "<applet codebase=\".\" code=\"../bin/" + file + "\" width=\"" + width + "\" height=\"" + height +
               "\" alt=\"Your browser understands the &lt;APPLET&gt; tag but isn't running the applet, for some "
               "reason.\">Your browser is completely ignoring the &lt;APPLET&gt; tag!</applet>";
    return {};
}

THtmlTable THtmlInsertions::TableFromAnswers(const TDialogParams& answers)
{
    THtmlTable table;
    const long long rows = answers.Number("NumberRows");
    const long long columns = answers.Number("NumberColumns");
    if (rows <= 0 || columns <= 0 || rows > 10000 || columns > 10000)
        return table;
    table.Rows = static_cast<int>(rows);
    table.Columns = static_cast<int>(columns);
    table.Caption = answers.Value("TableCaption");
    if (const std::string border = answers.Value("BorderThickness"); !border.empty())
        table.TableAttributes = " border=\"" + Escaped(border) + "\" ";
    if (const std::string width = answers.Value("Width"); !width.empty())
        table.TableAttributes += " width=\"" + Escaped(width) + "\"";
    table.TableAttributes += " class=\"mainBody font sizeContent\"";
    // Cell attributes are markup the user typed on purpose.
    if (const std::string attributes = answers.Value("Attributes"); !attributes.empty())
        table.CellAttributes = " " + attributes;
    if (answers.IsYes("FixedWidthColumns"))
        table.CellAttributes += " width=\"" + std::to_string(100 / table.Columns) + "%\"";
    return table;
}

std::string THtmlInsertions::Table(const THtmlTable& table)
{
    if (table.Rows <= 0 || table.Columns <= 0)
        return {};
    std::string html = "<TABLE" + table.TableAttributes + ">";
    if (!table.Caption.empty())
        html += "<CAPTION>" + Escaped(table.Caption) + "</CAPTION>";
    std::string row = "<TR>";
    for (int column = 0; column < table.Columns; ++column)
        row += "<TD" + table.CellAttributes + ">&nbsp;</TD>";
    row += "</TR>";
    for (int r = 0; r < table.Rows; ++r)
        html += row;
    return html + "</TABLE>";
}

THtmlLink THtmlInsertions::HyperlinkFromAnswers(const TDialogParams& answers)
{
    THtmlLink link;
    link.Address = answers.Value("URL");
    link.Caption = answers.Value("Caption");
    link.Title = answers.Value("ATitle");
    link.AddSpace = answers.IsYes("AddSpaceAtTheEnd");
    link.NewWindow = answers.IsYes("NewWindow");
    return link;
}

THtmlLink THtmlInsertions::PageLinkFromAnswers(const TDialogParams& answers, const std::string& pageAddress)
{
    THtmlLink link = HyperlinkFromAnswers(answers);
    link.Address = answers.Number("PageId") != 0 ? pageAddress : std::string();
    return link;
}

THtmlLink THtmlInsertions::Anchor(const std::string& name, const std::string& selectedText)
{
    THtmlLink link;
    link.Attribute = "name";
    link.Address = name;
    link.Caption = selectedText;
    return link;
}

std::string THtmlInsertions::Link(const THtmlLink& link)
{
    const bool anchor = link.Attribute == "name";
    if (link.Address.empty() && !anchor)
        return {};
    const std::string caption = Escaped(link.Caption.empty() ? link.Address : link.Caption);
    const std::string title = Escaped(link.Title);
    const std::string target = link.NewWindow ? "TARGET=\"_blank\" " : "";
    std::string html = "<A " + target + link.Attribute + "=\"" + Escaped(link.Address) + "\"";
    if (!title.empty())
        html += " TITLE=\"" + title + "\"";
    return html + ">" + caption + "</A>" + (link.AddSpace ? " " : "");
}
