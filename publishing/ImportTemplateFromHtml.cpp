#include "publishing/ImportTemplateFromHtml.h"

#include "catalog/CatalogData.h"
#include "catalog/CatalogPageGeneration.h"
#include "catalog/Tolvex.h"
#include "common/CommonFunctions.h"
#include "common/CommonFunctionsDetail.h"
#include "common/CommonGui.h"
#include "common/CommonImages.h"
#include "common/Exceptions.h"
#include "common/FileContent.h"
#include "common/WellKnownIds.h"
#include "common/XmlPtr.h"
#include "generation/Templates.h"
#include "publishing/ConvertHtml2Xml.h"
#include "publishing/ImportedItems.h"
#include "publishing/LocalReference.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/CatalogTables.h"
#include "storage/IdRanges.h"

#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>

#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr const char* kXslNamespace = "http://www.w3.org/1999/XSL/Transform";

struct TAssetKind {
    int ItemType;
    const char* ClassTag;
    const char* Element;
    const char* Attribute;
    const char* Folder;
    const char* Extension;
    const char* Empty;
    const char* Updated;
    const char* Created;
};

const TAssetKind kStyleSheet{504,         "CSSData", "link", "href", "../css/", ".css", "Empty CSS file",
                             "Update CSS with ID $1", "New CSS with ID $1 was created"};
const TAssetKind kScript{506,         "JavaScript", "script", "src", "../js/", ".js", "Empty JavaScript file",
                         "Update JavaScript with ID $1", "New JavaScript with ID $1 was created"};

bool Blank(const std::string& text) { return text.find_first_not_of(" \t\r\n") == std::string::npos; }

// The address's last part without its extension.
std::string BaseNameOf(const std::string& address)
{
    const std::size_t slash = address.find_last_of("/\\");
    std::string name = slash == std::string::npos ? address : address.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

// In every element below Node (named Element, or any when null), every
// attribute whose value is exactly Old gets New.
void ReplaceAttributeValue(xmlNode* node, const char* element, const std::string& oldValue,
                           const std::string& newValue)
{
    for (xmlNode* child = node ? node->children : nullptr; child; child = child->next) {
        if (child->type != XML_ELEMENT_NODE)
            continue;
        if (!element || xmlStrcasecmp(child->name, BAD_CAST element) == 0)
            for (xmlAttr* attribute = child->properties; attribute; attribute = attribute->next) {
                const TXmlStringPtr value(xmlNodeListGetString(child->doc, attribute->children, 1));
                if (value && oldValue == reinterpret_cast<const char*>(value.get()))
                    xmlSetProp(child, attribute->name, BAD_CAST newValue.c_str());
            }
        ReplaceAttributeValue(child, element, oldValue, newValue);
    }
}

// Braces in the attributes of the page's elements are literal: in a style
// sheet's literal result elements they would be read as expressions.
void EscapeBraces(xmlNode* node)
{
    for (xmlNode* child = node ? node->children : nullptr; child; child = child->next) {
        if (child->type != XML_ELEMENT_NODE)
            continue;
        if (!child->ns)
            for (xmlAttr* attribute = child->properties; attribute; attribute = attribute->next) {
                const TXmlStringPtr value(xmlNodeListGetString(child->doc, attribute->children, 1));
                std::string text = value ? reinterpret_cast<const char*>(value.get()) : "";
                if (text.find_first_of("{}") == std::string::npos)
                    continue;
                std::string escaped;
                for (char c : text) {
                    escaped += c;
                    if (c == '{' || c == '}')
                        escaped += c;
                }
                xmlSetProp(child, attribute->name, BAD_CAST escaped.c_str());
            }
        EscapeBraces(child);
    }
}

xmlNode* FindRule(xmlDoc* doc, const char* path)
{
    const TXPathContextPtr context(xmlXPathNewContext(doc));
    xmlXPathRegisterNs(context.get(), BAD_CAST "xsl", BAD_CAST kXslNamespace);
    const TXPathObjectPtr found(xmlXPathEvalExpression(BAD_CAST path, context.get()));
    if (!found || !found->nodesetval || found->nodesetval->nodeNr == 0)
        return nullptr;
    xmlNode* node = found->nodesetval->nodeTab[0];
    return node->type == XML_ELEMENT_NODE ? node : nullptr;
}

std::string XmlText(xmlDoc* doc)
{
    xmlChar* text = nullptr;
    int size = 0;
    xmlDocDumpMemoryEnc(doc, &text, &size, "UTF-8");
    const TXmlStringPtr owner(text);
    return text ? std::string(reinterpret_cast<const char*>(text), static_cast<std::size_t>(size)) : std::string();
}

}  // namespace

void TImportTemplateFromHtml::Execute()
{
    if (!Root() || !OpenCatalog())
        throw EPublisherTolvexException("No catalog is open");
    try {
        Import();
    } catch (const ETolvexException& error) {
        if (!cancelled_)
            WriteLog(Format("Error: $1", {error.what()}), 3);
        throw;
    }
}

bool TImportTemplateFromHtml::AskYes(const std::string& question)
{
    return Gui().AskQuestion(question) == mrYes;
}

void TImportTemplateFromHtml::Import()
{
    const std::string fileName = Param("filename");
    const std::optional<std::string> page = ReadFileContent(fileName);
    if (!page || Blank(*page)) {
        WriteLog(Tr("Empty HTML data"));
        return;
    }
    const std::string templateName = fs::path(fileName).filename().string();
    TCatalogData& data = *OpenCatalog();
    TAbstractDBConnection& connection = data.GetConnectionFactory().GetConnection();
    TImportedItems items(*Root(), connection, data.GetCatalogCode(), Gui());

    const int original = std::atoi(Param("original").c_str());
    const std::string skeleton = items.GetText(original, "XmlData", kNoLanguageCode);
    // No network access, no external entities, no document type loaded.
    const TXmlDocPtr xsl(skeleton.empty() ? nullptr
                                          : xmlReadMemory(skeleton.data(), static_cast<int>(skeleton.size()),
                                                          "template.xsl", nullptr, XML_PARSE_NONET | XML_PARSE_NOERROR |
                                                                                      XML_PARSE_NOWARNING));
    if (!xsl) {
        WriteLog(Tr("Cannot load original template XML data"));
        return;
    }
    const int itemType = items.ItemType(original);
    const int parentId = items.ParentOf(original);
    bool bodyOnly = false;
    const char* path = nullptr;
    if (itemType == kMasterTemplateType) {
        path = "/xsl:stylesheet/xsl:template[ @match = \"/\" ]";
    } else if (itemType == kBodyTemplateType) {
        path = "/xsl:stylesheet/xsl:template[ @name = \"body\" ]";
        bodyOnly = true;
    } else {
        return;
    }
    xmlNode* rule = FindRule(xsl.get(), path);
    if (!rule) {
        WriteLog(Tr("Cannot find template node"));
        return;
    }
    while (xmlNode* child = rule->children) {
        xmlUnlinkNode(child);
        xmlFreeNode(child);
    }
    std::vector<std::string> images, sheets, scripts;
    TConvertHtml2Xml converter;
    converter.Images = &images;
    converter.Scripts = &scripts;
    converter.StyleSheets = &sheets;
    converter.Log = [this](const std::string& line) { WriteLog(line); };
    if (!converter.ConvertFile(fileName, rule, bodyOnly)) {
        WriteLog(Tr("Error: Cannot convert to well-formed format"), 3);
        ++errorCount_;
        if (!AskYes("Cannot convert to well-formed format. Continute anyway?"))
            return;
    }
    success_ = true;

    const std::string name = items.UniqueName(templateName);
    const int templateId = items.Create(itemType, parentId);
    WriteLog(Format("New template \"$1\" was created with ID $2", {name, std::to_string(templateId)}));
    const std::string folder = fs::path(fileName).parent_path().string();
    if (!images.empty() && AskYes("Load/Update images for the template?"))
        for (const std::string& address : images)
            ImportImage(items, address, folder, templateName + " Template Images", xsl.get());
    if (!sheets.empty() && AskYes("Load/Update CSS styles for the template?"))
        for (const std::string& address : sheets)
            ImportAsset(items, TAsset::StyleSheet, templateId, address, xsl.get(), folder);
    if (!scripts.empty() && AskYes("Load/Update JavaScripts for the template?"))
        for (const std::string& address : scripts)
            ImportAsset(items, TAsset::Script, templateId, address, xsl.get(), folder);

    EscapeBraces(rule);
    items.SetName(templateId, name);
    items.SetText(templateId, "XmlData", kNoLanguageCode, XmlText(xsl.get()));
    data.GetPageGeneration().GetTemplates().ResetTemplateList();
    Root()->QueueAction("Action=Refresh&Name=TermplatesTree&ItemId=" + std::to_string(parentId), false);
    success_ = errorCount_ == 0;
}

void TImportTemplateFromHtml::ImportAsset(TImportedItems& items, TAsset kind, int parentId,
                                          const std::string& address, xmlDoc* xsl, const std::string& folder)
{
    const TAssetKind& asset = kind == TAsset::StyleSheet ? kStyleSheet : kScript;
    const std::optional<std::string> file = TLocalReference::FileOf(folder, address);
    if (!file)
        return;
    const std::optional<std::string> text = ReadFileContent(*file);
    if (!text || Blank(*text)) {
        WriteLog(Tr(asset.Empty));
        return;
    }
    const std::string baseName = BaseNameOf(address);
    int itemId = items.ItemForBaseName(baseName, asset.ItemType);
    if (itemId != 0) {
        WriteLog(Format(asset.Updated, {std::to_string(itemId)}));
    } else {
        itemId = items.Create(asset.ItemType, parentId);
        items.SetName(itemId, baseName);
        items.SetAltFileName(itemId, baseName);
        WriteLog(Format(asset.Created, {std::to_string(itemId)}));
    }
    ReplaceAttributeValue(xmlDocGetRootElement(xsl), asset.Element, address,
                          asset.Folder + std::to_string(itemId) + asset.Extension);
    items.SetText(itemId, asset.ClassTag, kNoLanguageCode, *text);
}

void TImportTemplateFromHtml::ImportImage(TImportedItems& items, const std::string& address, const std::string& folder,
                                          const std::string& pictureFolder, xmlDoc* xsl)
{
    const std::optional<std::string> file = TLocalReference::FileOf(folder, address);
    const std::size_t dot = address.rfind('.');
    if (!file || dot == std::string::npos || !TCommonImages::IsImageExtension(address.substr(dot + 1)))
        return;
    try {
        const std::optional<std::string> bytes = ReadFileContent(*file);
        const std::optional<TImportedItems::TEncodedPicture> picture =
            bytes ? TImportedItems::PreparePicture(*bytes, TCommonFunctions::GetMimeTypeByFileName(address))
                  : std::nullopt;
        if (!picture)
            throw ECriticalTolvexException("Cannot store the picture " + address);
        const std::string baseName = BaseNameOf(address);
        int itemId = items.ItemForBaseName(baseName, kImageItemType);
        if (itemId != 0) {
            WriteLog(Format("Update image with ID $1", {std::to_string(itemId)}));
        } else {
            itemId = items.Create(kImageItemType, items.Folder(kImagesRootId, pictureFolder));
            items.SetName(itemId, baseName);
            items.SetAltFileName(itemId, baseName);
            WriteLog(Format("New image with ID $1 was created", {std::to_string(itemId)}));
        }
        items.StorePicture(itemId, *picture);
        ReplaceAttributeValue(xmlDocGetRootElement(xsl), nullptr, address,
                              "../images/" + std::to_string(itemId) + "." +
                                  TCommonFunctions::GetExtensionByMimeType(picture->MimeType, ""));
    } catch (const ECriticalTolvexException& error) {
        WriteLog(error.what(), 3);
    }
}
