#include "publishing/ImportTemplateFromXhtml.h"

#include "catalog/CatalogData.h"
#include "catalog/CatalogDefinition.h"
#include "catalog/CatalogPageGeneration.h"
#include "catalog/Catalog.h"
#include "catalog/Tolvex.h"
#include "common/CommonFunctions.h"
#include "common/CommonGui.h"
#include "common/Exceptions.h"
#include "common/FileContent.h"
#include "common/RegexPattern.h"
#include "common/XmlPtr.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "generation/Templates.h"
#include "publishing/ImportedItems.h"
#include "publishing/LocalReference.h"
#include "publishing/XhtmlTemplateText.h"
#include "storage/ObjectFactory.h"
#include "storage/TolvexObject.h"
#include "storage/TolvexObjectContext.h"

#include <libxml/parser.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <strings.h>

namespace fs = std::filesystem;

namespace {

constexpr int kMasterType = 501;
constexpr int kBodyType = 502;
constexpr int kPictureType = 301;
constexpr int kScriptType = 506;
constexpr int kColourSheetType = 504;
constexpr int kFontSheetType = 505;
constexpr int kImagesRootId = 3;

// The addresses of an attribute in the tags the pattern finds, sorted without regard to case, once each.
std::vector<std::string> Addresses(const std::string& text, const char* tagPattern, const char* attribute)
{
    const TRegexPattern tags(tagPattern);
    const TRegexPattern value(std::string("\\b") + attribute + "\\s*=\\s*(\"([^\"]*)\"|'([^']*)'|([^\\s>]+))");
    std::vector<std::string> found;
    tags.ForEachMatch(text, [&](const TRegexMatch& tag) {
        const std::string tagText = tag.Group(text);
        TRegexMatch m(value);
        if (value.Match(tagText, 0, m) > 0)
            for (int group : {2, 3, 4})
                if (std::string v = m.Group(tagText, group); !v.empty()) {
                    found.push_back(v);
                    break;
                }
    });
    std::sort(found.begin(), found.end(),
              [](const std::string& a, const std::string& b) { return ::strcasecmp(a.c_str(), b.c_str()) < 0; });
    found.erase(std::unique(found.begin(), found.end(),
                            [](const std::string& a, const std::string& b) { return ::strcasecmp(a.c_str(), b.c_str()) == 0; }),
                found.end());
    return found;
}

// The file an address names: in the folder or below, or in the export's folders beside it.
std::optional<std::string> FileOf(const std::string& folder, const std::string& address)
{
    if (address.rfind("../", 0) == 0) {
        const std::string rest = address.substr(3);
        for (const char* beside : {"css/", "js/", "images/"})
            if (rest.rfind(beside, 0) == 0)
                return TLocalReference::FileOf(fs::path(folder).parent_path().string(), rest);
        return std::nullopt;
    }
    return TLocalReference::FileOf(folder, address);
}

bool IsPictureName(const std::string& address)
{
    const std::string ext = fs::path(address).extension().string();
    for (const char* known : {".gif", ".jpeg", ".jpg", ".bmp", ".png"})
        if (::strcasecmp(ext.c_str(), known) == 0)
            return true;
    return false;
}

}  // namespace

bool TImportTemplateFromXhtml::AskYes(const std::string& question)
{
    return Gui().AskQuestion(Tr(question)) == mrYes;
}

void TImportTemplateFromXhtml::Execute()
{
    TCatalogData* data = OpenCatalog();
    if (!data)
        return;
    const std::string fileName = Param("filename");
    const std::optional<std::string> read = ReadFileContent(fileName);
    if (!read || read->empty()) {
        WriteLog(Tr("Empty XHTML data"), 3);
        ++errorCount_;
        return;
    }
    const std::string prepared = xhtml_template::FromXhtml(*read);
    // The template must be well-formed XSL: a broken file is never stored.
    {
        TXmlDocPtr doc(xmlReadMemory(prepared.data(), static_cast<int>(prepared.size()), nullptr, nullptr,
                                     XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
        if (!doc) {
            const xmlError* error = xmlGetLastError();
            const std::string line = error ? std::to_string(error->line) : "?";
            std::string message = error && error->message ? error->message : "";
            while (!message.empty() && message.back() == '\n')
                message.pop_back();
            WriteLog(Format("The file is not well-formed XSL (line $1): $2", {line, message}), 3);
            ++errorCount_;
            return;
        }
    }
    const std::string code = data->GetCatalogCode();
    // The template and its files are written at once on the catalog's main
    // connection, as the templates tree and the page generation read them.
    TAbstractDBConnection& connection = data->GetConnectionFactory().GetConnection();
    TImportedItems items(*Root(), connection, code, Gui());
    const int original = std::atoi(Param("original").c_str());
    const int itemType = items.ItemType(original);
    if (itemType != kMasterType && itemType != kBodyType) {
        WriteLog(Tr("Please select master or body template."), 3);
        ++errorCount_;
        return;
    }
    const int parentId = items.ParentOf(original);
    templateId_ = items.Create(itemType, parentId);
    WriteLog(Format("New template was created with ID $1", {std::to_string(templateId_)}));
    items.SetName(templateId_, items.UniqueName(fs::path(fileName).filename().string()));
    items.SetText(templateId_, "XmlData", "XXX", prepared);

    const std::string folder = fs::path(fileName).parent_path().string();
    const std::vector<std::string> images = Addresses(prepared, "<(img|input)\\s+[^>]*src=[^>]*>", "src");
    if (!images.empty() && AskYes("Load/Update images for the template?"))
        for (const std::string& address : images)
            ImportAsset(items, TAsset::Image, kPictureType, kImagesRootId, address, folder);
    const std::vector<std::string> scripts = Addresses(prepared, "<script\\s+[^>]*src=[^>]*>", "src");
    if (!scripts.empty() && AskYes("Load/Update JavaScripts for the template?"))
        for (const std::string& address : scripts)
            ImportAsset(items, TAsset::Script, kScriptType, templateId_, address, folder);

    // The style sheets: those between the markers name the colour and font schemes, in file order.
    const std::vector<std::string> schemes = xhtml_template::LinkedStyleSheets(*read);
    std::vector<std::string> sheets = Addresses(*read, "<link\\s+[^>]*href=[^>]*>", "href");
    int colorScheme = 0;
    int fontScheme = 0;
    if (!sheets.empty() && AskYes("Load/Update CSS files for the template?")) {
        TCatalogDefinition& definition = Root()->Catalog().GetDefinition();
        for (std::size_t i = 0; i < schemes.size() && i < 2; ++i) {
            const int type = i == 0 ? kColourSheetType : kFontSheetType;
            const int id = ImportAsset(items, TAsset::StyleSheet, type, definition.GetItemTypeParentId(type),
                                       schemes[i], folder);
            (i == 0 ? colorScheme : fontScheme) = id;
        }
        for (const std::string& address : sheets)
            if (std::find(schemes.begin(), schemes.end(), address) == schemes.end())
                ImportAsset(items, TAsset::StyleSheet, kFontSheetType,
                            definition.GetItemTypeParentId(kFontSheetType), address, folder);
    }
    if (itemType == kMasterType && (colorScheme != 0 || fontScheme != 0)) {
        TTolvexObjectFactory factory(Root()->ObjectContext());
        std::unique_ptr<TTolvexObject> master = factory.GetObjectTyped(templateId_, kMasterType, connection, code);
        if (master->GetInstanceId() == 0)
            master = factory.CreateObjectTyped(templateId_, kMasterType, 0, connection, code);
        master->Load();
        master->SetNumber("ColorScheme", colorScheme, 0);
        master->SetNumber("FontScheme", fontScheme, 0);
        master->Save();
    }
    data->GetPageGeneration().GetTemplates().ResetTemplateList();
    Root()->QueueAction("Action=Refresh&Name=TermplatesTree&ItemId=" + std::to_string(parentId), false);
    success_ = errorCount_ == 0;
}

int TImportTemplateFromXhtml::ImportAsset(TImportedItems& items, TAsset kind, int itemType, int parentId,
                                          const std::string& address, const std::string& folder)
{
    const std::optional<std::string> file = FileOf(folder, address);
    const std::string baseName = xhtml_template::BaseName(address);
    if (!file || baseName.empty() || (kind == TAsset::Image && !IsPictureName(address)))
        return 0;
    const std::optional<std::string> bytes = ReadFileContent(*file);
    if (!bytes)
        return 0;
    struct TTexts {
        const char* Updated;
        const char* Created;
    };
    const TTexts texts = kind == TAsset::Image    ? TTexts{"Update image with ID $1", "New image with ID $1 was created"}
                         : kind == TAsset::Script ? TTexts{"Update JavaScript with ID $1",
                                                           "New JavaScript with ID $1 was created"}
                                                  : TTexts{"Update CSS with ID $1", "New CSS with ID $1 was created"};
    // A colour or font sheet named by its id or file name is found under either type.
    int itemId = items.ItemForBaseName(baseName, itemType);
    if (itemId == 0 && kind == TAsset::StyleSheet)
        itemId = items.ItemForBaseName(baseName, itemType == kColourSheetType ? kFontSheetType : kColourSheetType);
    try {
        std::optional<TImportedItems::TEncodedPicture> picture;
        if (kind == TAsset::Image) {
            picture = TImportedItems::PreparePicture(*bytes, TCommonFunctions::GetMimeTypeByFileName(*file));
            if (!picture)
                return 0;
        }
        if (itemId != 0) {
            WriteLog(Format(texts.Updated, {std::to_string(itemId)}));
        } else {
            itemId = items.Create(itemType, parentId);
            items.SetName(itemId, baseName);
            items.SetAltFileName(itemId, baseName);
            WriteLog(Format(texts.Created, {std::to_string(itemId)}));
        }
        if (picture)
            items.StorePicture(itemId, *picture);
        else
            items.SetText(itemId, kind == TAsset::Script ? "JavaScript" : "CSSData", "XXX", *bytes);
    } catch (const ETolvexException& e) {
        WriteLog(e.what(), 3);
    }
    return itemId;
}
