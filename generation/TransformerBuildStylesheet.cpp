// The generated style sheet "out.xsl" of a page: the output element, the
// includes of the templates, the page's settings as parameters, the
// language resource and the page's own top and bottom HTML.
#include "generation/Transformer.h"

#include "common/CommonFunctions.h"
#include "generation/TransformerCatalog.h"
#include "generation/Templates.h"
#include "generation/TransformerWorkFiles.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectCollection.h"
#include "storage/AbstractObjectFactory.h"
#include "storage/CatalogTables.h"

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <memory>

namespace {

const char* const MonthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                  "July",    "August",   "September", "October", "November", "December"};

// "#" and six lower-case hexadecimal digits of a 0xRRGGBB colour.
std::string HtmlColor(std::uint32_t rgb)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%06x", static_cast<unsigned>(rgb & 0xffffff));
    return text;
}

std::tm Today()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

}  // namespace

void TTransformer::BuildStylesheet()
{
    int colorScheme = fixedTemplates_ ? fixedColorScheme_ : 0;
    int fontScheme = fixedTemplates_ ? fixedFontScheme_ : 0;
    int backgroundImageCode = fixedTemplates_ ? fixedBackgroundImageCode_ : 0;
    std::string method = "html";
    if (KindOf(itemType_) == TPageKind::TemplateItself)
        AddDesktopParams();
    else if (itemType_ == 7001)
        method = "xml";
    else if (!fixedTemplates_)
        Templates().GetStyleSchemes(masterTemplateId_, colorScheme, fontScheme, backgroundImageCode, *connection_);
    // The page is delivered in the language's web character set, which
    // the processor writes into the page's head as well.
    styleSheet_.SetOutput(method, catalog_.GetWebCharset(langCode_));

    for (const char* include : {"master.xsl", "body.xsl", "common.xsl"})
        styleSheet_.AddInclude(include);
    if (NeedsCustomTemplates())
        styleSheet_.AddInclude("custom.xsl");
    AddPageParams(colorScheme, fontScheme, backgroundImageCode);
    if (Templates().WriteResourceFile(langCode_, *connection_))
        resourceFile_ = langCode_ + ".xml";
    styleSheet_.AddVariable("resource", resourceFile_.empty()
                                            ? "empty"
                                            : "document( " + TCommonFunctions::XPathStringLiteral(resourceFile_) + " )");
    if (KindOf(itemType_) != TPageKind::Report)
        AddTopAndBottom();
    if (keptWorkFiles_)
        keptWorkFiles_->KeepMadeText(
            "out.xsl", [sheet = std::make_shared<const TTransformerStyleSheet>(styleSheet_)] { return sheet->WorkFileText(); },
            workFileSequence_);
    else
        SaveWorkText("out.xsl", styleSheet_.WorkFileText());
}

void TTransformer::AddDesktopParams()
{
    const TDesktopLook look = catalog_.GetDesktopLook();
    styleSheet_.AddParam("FontName", look.FontName);
    styleSheet_.AddParam("FontSize", std::to_string(look.FontSize));
    styleSheet_.AddParam("WindowColor", HtmlColor(look.WindowColor));
    styleSheet_.AddParam("TextColor", HtmlColor(look.TextColor));
    styleSheet_.AddParam("DkShadow3D", HtmlColor(look.DkShadow3D));
    styleSheet_.AddParam("Face3D", HtmlColor(look.Face3D));
    styleSheet_.AddParam("Light3D", HtmlColor(look.Light3D));
    styleSheet_.AddParam("Highlight", HtmlColor(look.Highlight));
    styleSheet_.AddParam("HighlightText", HtmlColor(look.HighlightText));
}

void TTransformer::AddPageParams(int colorScheme, int fontScheme, int backgroundImageCode)
{
    const std::tm today = Today();
    const std::vector<std::pair<std::string, std::string>> params = {
        {"lang", langCode_},
        {"out", outputExtension_},
        {"linkext", outputExtension_},
        {"dynamicext", "jsp"},
        {"staticext", "html"},
        {"css", std::to_string(colorScheme)},
        {"css2", std::to_string(fontScheme)},
        {"bgimage", BackgroundImageFileName(backgroundImageCode)},
        {"pagenum", std::to_string(pageNumber_ == 0 ? 1 : pageNumber_)},
        {"countonpage", std::to_string(Templates().GetCountOnPage(bodyTemplateId_, *connection_))},
        {"host", forHost_ ? "1" : "0"},
        {"publish", publishMode_},
        {"dynamic", "0"},
        {"charset", ""},
        {"year", std::to_string(today.tm_year + 1900)},
        {"day", std::to_string(today.tm_mday)},
        {"month", std::to_string(today.tm_mon + 1)},
        {"monthname", MonthNames[today.tm_mon]},
    };
    for (const auto& [name, value] : params)
        styleSheet_.AddParam(name, value);
}

// The file name of the background image, looked up in the templates'
// catalog as well when they come from another one.
std::string TTransformer::BackgroundImageFileName(int backgroundImageCode)
{
    if (backgroundImageCode == 0)
        return "";
    // The same picture for every page of a run.
    const auto pointer = [](const void* at) { return std::to_string(reinterpret_cast<std::uintptr_t>(at)); };
    const std::string key = "background image " + std::to_string(backgroundImageCode) + '\0' + catalogCode_ + '\0' +
                            pointer(connection_) + '\0' +
                            (templatesFromOtherCatalog_ ? templateCatalogCode_ + '\0' + pointer(templateConnection_)
                                                        : std::string());
    return Templates().RunText(key, [&] {
        std::string name = catalog_.GetImageFileName(backgroundImageCode, *connection_, catalogCode_);
        if (name.empty() && templatesFromOtherCatalog_)
            name = catalog_.GetImageFileName(backgroundImageCode, *templateConnection_, templateCatalogCode_);
        return name;
    });
}

// Whether the body template asks for the custom templates.
bool TTransformer::NeedsCustomTemplates()
{
    if (bodyTemplateId_ == 0)
        return false;
    const std::string key = "needs custom " + std::to_string(bodyTemplateId_) + '\0' + templateCatalogCode_ + '\0' +
                            std::to_string(reinterpret_cast<std::uintptr_t>(templateConnection_));
    return Templates().RunValue(key, [this] {
        std::unique_ptr<TAbstractCObject> body = catalog_.GetObjectFactory().GetObject(
            bodyTemplateId_, kBodyTemplateClass, *templateConnection_, templateCatalogCode_);
        if (!body)
            return 0;
        body->Load();
        return body->GetLangBoolean("NeedCustomTemplate", kNoLanguageCode, 0) ? 1 : 0;
    }) != 0;
}

void TTransformer::AddTopAndBottom()
{
    TAbstractCObject* design = collection_->GetObject(itemId_, "CommonDesign");
    styleSheet_.AddHtmlTemplate("top", design ? design->GetLangString("TopHTMLValue", langCode_, 0) : "");
    styleSheet_.AddHtmlTemplate("bottom", design ? design->GetLangString("BottomHTMLValue", langCode_, 0) : "");
}
