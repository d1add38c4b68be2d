#include "TransformerTestCatalog.h"

#include "catalog/CatalogDefinitionLookup.h"
#include "catalog/SymbolicIds.h"
#include "common/CommonFunctions.h"
#include "common/ParamList.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectCollection.h"
#include "storage/QueryGuard.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <filesystem>

namespace {

constexpr std::uint8_t kLang = mfIsMultiLang | mfUseDefLangForNull;

// An element without a namespace (xmlNewChild would take the parent's).
xmlNode* AddElement(xmlNode* parent, const std::string& name)
{
    return xmlAddChild(parent, xmlNewDocNode(parent->doc, nullptr, reinterpret_cast<const xmlChar*>(name.c_str()), nullptr));
}

int IntegerOf(const TVariant& value)
{
    return value.Kind() == TVariantKind::Integer ? static_cast<int>(value.AsInteger()) : 0;
}

}  // namespace

TTransformerTestCatalog::TTransformerTestCatalog()
    : factory_(fixture_.Context()), previewDir_(fixture_.Folder().File("preview")),
      reportDir_(fixture_.Folder().File("reports"))
{
    std::filesystem::create_directories(previewDir_);
    std::filesystem::create_directories(reportDir_);
    DeclareClasses();
    templates_ = std::make_unique<TTemplates>(*this);
    ResetCollection();
}

TTransformerTestCatalog::~TTransformerTestCatalog() = default;

void TTransformerTestCatalog::DeclareClasses()
{
    fixture_.DeclareClass(kNamesClass, "CommonNames").Member(1, "ItemName", 1, kLang).Member(2, "AltFileName", 1, kLang);
    fixture_.DeclareClass(kWebPageClass, "CommonWebPage")
        .Member(1, "MasterTemplate", 102)
        .Member(2, "BodyTemplate", 102)
        .Member(3, "LinkedJSP", 102)
        .Member(4, "NotVisible", 104)
        .Member(5, "Title", 1, kLang);
    fixture_.DeclareClass(kCompanyClass, "CommonCompanyInfo").Member(1, "CompanyName", 1, kLang);
    fixture_.DeclareClass(kDesignClass, "CommonDesign")
        .Member(1, "TopHTMLValue", 52, kLang)
        .Member(2, "BottomHTMLValue", 52, kLang);
    const std::pair<int, const char*> sources[] = {{kHtmlDataClass, "HtmlData"}, {kAspDataClass, "ASPData"},
                                                   {kJspDataClass, "JSPData"},   {kPhpDataClass, "PHPData"},
                                                   {kShtmlDataClass, "ShtmlData"}};
    for (const auto& [id, tag] : sources)
        fixture_.DeclareClass(id, tag).Member(1, "SourceCode", 53, kLang);
    fixture_.DeclareClass(kLinkGroupClass, "LinkGroup").Member(1, "LinkGroup", 1).Member(2, "LinkStyles", 101, kLang);
    fixture_.DeclareClass(kMasterClass, "MasterTemplate")
        .Member(1, "ColorScheme", 102)
        .Member(2, "FontScheme", 102)
        .Member(3, "BackgroundImageCode", 102);
    fixture_.DeclareClass(kBodyClass, "BodyTemplate")
        .Member(1, "ItemOnPage", 101)
        .Member(2, "HasItemOnPage", 104)
        .Member(3, "NeedCustomTemplate", 104);
    fixture_.DeclareClass(kXslClass, "XmlData").Member(1, "SourceCode", 53);
    fixture_.DeclareClass(kVersionTestClass, "Version").Member(1, "Version", 1);
    fixture_.DeclareClass(kFolderClass, "TemplateFolder").Member(1, "TemplateItemId", 102);
    fixture_.DeclareClass(kCatalogInfoClass, "CatalogInfo").Member(1, "CatalogType", 101);
    fixture_.DeclareClass(kReportClass, "Report").Member(1, "ReportTemplate", 102).Member(2, "ReportBodyTemplateId", 102);
    fixture_.DeclareClass(kWholesaleClass, "WholesaleBuyerLogin").Member(1, "Id", 101).Member(2, "Login", 1);
}

void TTransformerTestCatalog::ResetCollection()
{
    collection_ = std::make_unique<TObjectCollection>(fixture_.Context());
    collection_->Open(fixture_.GetCatalogCode(), fixture_.Connection());
}

// ---- TTransformerCatalog -------------------------------------------------------------------

int TTransformerTestCatalog::GetLinkedItemId(int itemId, const std::string& catalogCode,
                                             TAbstractDBConnection& connection)
{
    TQueryGuard query(connection);
    query->SetSQL("SELECT LinkedItemId FROM Items WHERE CatalogCode = :CatalogCode AND ItemId = " +
                  std::to_string(itemId));
    query->SetParam("CatalogCode", catalogCode.empty() ? GetCatalogCode() : catalogCode);
    TAbstractRecordset& rows = query->Open(true);
    const int linked = rows.Eof() ? 0 : IntegerOf(rows.Field(0));
    query->Close();
    return linked;
}

std::string TTransformerTestCatalog::GetAltFileName(int itemId, TAbstractDBConnection& connection,
                                                    const std::string& catalogCode)
{
    if (itemId == 0)
        return "";
    TQueryGuard query(connection);
    query->SetSQL("SELECT MAX(b.StringValue) FROM Items AS a JOIN CStrings AS b ON b.CatalogCode = a.CatalogCode "
                  "AND b.ItemId = a.LinkedItemId AND b.ClassId = 1 AND b.MemberId = 2 "
                  "WHERE a.CatalogCode = :CatalogCode AND (a.ItemId = " + std::to_string(itemId) +
                  " OR a.LinkedItemId = " + std::to_string(itemId) + ")");
    query->SetParam("CatalogCode", catalogCode.empty() ? GetCatalogCode() : catalogCode);
    TAbstractRecordset& rows = query->Open(true);
    const std::string name = rows.Eof() ? "" : TCommonFunctions::VariantToString(rows.Field(0));
    query->Close();
    return name;
}

int TTransformerTestCatalog::GetItemType(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection)
{
    TQueryGuard query(connection);
    query->SetSQL("SELECT ItemType FROM Items WHERE CatalogCode = :CatalogCode AND ItemId = " + std::to_string(itemId));
    query->SetParam("CatalogCode", catalogCode.empty() ? GetCatalogCode() : catalogCode);
    TAbstractRecordset& rows = query->Open(true);
    const int type = rows.Eof() ? 0 : IntegerOf(rows.Field(0));
    query->Close();
    return type;
}

int TTransformerTestCatalog::GetItemTypeTemplateId(int itemType, int kind)
{
    const auto found = folders_.find({itemType, kind});
    return found == folders_.end() ? 0 : found->second;
}

void TTransformerTestCatalog::SetCurrentTemplateIds(int masterTemplateId, int bodyTemplateId)
{
    currentTemplates_ = {masterTemplateId, bodyTemplateId};
}

int TTransformerTestCatalog::ResolveItemId(const std::string& text, int currentId, int currentTreeId)
{
    // No item of the test catalog has a symbolic name; "Home" is its home item.
    class THomeOnly : public TCatalogDefinitionLookup {
    public:
        explicit THomeOnly(int homeItemId) : homeItemId_(homeItemId) {}
        int GetItemIdByName(const std::string&) override { return 0; }
        int GetItemTypeByName(const std::string&) override { return 0; }
        int GetHomePageId() override { return homeItemId_; }

    private:
        int homeItemId_;
    } lookup(homeItemId_);
    return ResolveSymbolicItemId(text, {currentId, currentTreeId, currentTemplates_.first, currentTemplates_.second},
                                 lookup);
}

void TTransformerTestCatalog::ImportStyleItem(int itemId, const std::string& sourceCatalogCode,
                                              TAbstractDBConnection&, TAbstractDBConnection&)
{
    imports_.push_back(std::to_string(itemId) + " from " + sourceCatalogCode);
}

std::string TTransformerTestCatalog::GetWebCharset(const std::string& langCode)
{
    const auto found = charsets_.find(langCode);
    return found == charsets_.end() ? "utf-8" : found->second;
}

std::string TTransformerTestCatalog::GetImageFileName(int imageItemId, TAbstractDBConnection&,
                                                      const std::string& catalogCode)
{
    const auto found = images_.find({catalogCode, imageItemId});
    return found == images_.end() ? "" : found->second;
}

std::unique_ptr<TPageXmlSource> TTransformerTestCatalog::CreatePageXmlSource(xmlDoc* document, TLog*)
{
    return std::make_unique<TStandInPageXmlSource>(document, *this);
}

// ---- set-up ---------------------------------------------------------------------------------

void TTransformerTestCatalog::AddItem(int itemId, int itemType, int parentItemId, int linkedItemId,
                                      const std::string& code)
{
    fixture_.Exec("INSERT INTO Items (CatalogCode, ItemId, ItemType, ParentItemId, LinkedItemId, NotVisible, "
                  "OrderNum, DontDelete, DontSort, IsSynchronized) VALUES (:CatalogCode, :ItemId, :ItemType, "
                  ":ParentItemId, :LinkedItemId, 0, :ItemId, 0, 0, 1)",
                  {{"CatalogCode", code.empty() ? GetCatalogCode() : code},
                   {"ItemId", itemId},
                   {"ItemType", itemType},
                   {"ParentItemId", parentItemId},
                   {"LinkedItemId", linkedItemId == 0 ? itemId : linkedItemId}});
}

void TTransformerTestCatalog::PutValue(const std::string& table, const std::string& column, int itemId, int classId,
                                       int memberId, const std::string& lang, const TVariant& value,
                                       const std::string& code)
{
    const std::string catalogCode = code.empty() ? GetCatalogCode() : code;
    fixture_.Exec("INSERT OR IGNORE INTO CObjectInstances (CatalogCode, ItemId, ClassId, ParentInstanceId, InstanceId) "
                  "VALUES (:CatalogCode, :ItemId, :ClassId, 0, :ClassId)",
                  {{"CatalogCode", catalogCode}, {"ItemId", itemId}, {"ClassId", classId}});
    fixture_.Exec("INSERT OR REPLACE INTO " + table + " (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, "
                  "IndexId, MemberType, " + column + ") VALUES (:CatalogCode, :ItemId, :ClassId, :ClassId, :MemberId, "
                  ":LangCode, 0, 1, :Value)",
                  {{"CatalogCode", catalogCode},
                   {"ItemId", itemId},
                   {"ClassId", classId},
                   {"MemberId", memberId},
                   {"LangCode", lang},
                   {"Value", value}});
}

void TTransformerTestCatalog::PutString(int itemId, int classId, int memberId, const std::string& lang,
                                        const std::string& value, const std::string& code)
{
    PutValue("CStrings", "StringValue", itemId, classId, memberId, lang, value, code);
}

void TTransformerTestCatalog::PutText(int itemId, int classId, int memberId, const std::string& lang,
                                      const std::string& value, const std::string& code)
{
    PutValue("CText", "TextValue", itemId, classId, memberId, lang, value, code);
}

void TTransformerTestCatalog::PutNumber(int itemId, int classId, int memberId, const std::string& lang, double value,
                                        const std::string& code)
{
    PutValue("CNumbers", "NumberValue", itemId, classId, memberId, lang, value, code);
}

void TTransformerTestCatalog::AddTemplate(int itemId, int itemType, int parentItemId, const std::string& name,
                                          const std::string& xsl, const std::string& code)
{
    AddItem(itemId, itemType, parentItemId, 0, code);
    PutString(itemId, kNamesClass, 1, "XXX", name, code);
    if (!xsl.empty())
        PutText(itemId, kXslClass, 1, "XXX", xsl, code);
}

std::string TTransformerTestCatalog::WorkFile(const std::string& name) const
{
    return TTempFolder::Read(previewDir_ + "/" + name);
}

// ---- TStandInPageXmlSource ----------------------------------------------------------------------

void TStandInPageXmlSource::ProcessRule(int itemId, int treeItemId, int, const std::string& ruleText,
                                        TAbstractDBConnection& connection, TAbstractObjectCollection& collection,
                                        const std::string& catalogCode, bool)
{
    catalog_.RecordRule(ruleText);
    std::vector<std::string> classTags;
    std::string action, tagName, itemTagName, itemText;
    for (const std::string& field : TParamList::SplitFields(ruleText, '&', false)) {
        const std::string key = TParamList::NameOf(field);
        const std::string value = TParamList::ValueOf(field);
        if (key == "ClassXmlTag")
            classTags.push_back(value);
        else if (key == "Action")
            action = value;
        else if (key == "TagName")
            tagName = value;
        else if (key == "ItemTagName")
            itemTagName = value;
        else if (key == "ItemId")
            itemText = value;
    }
    xmlNode* target = xmlDocGetRootElement(doc_);
    if (!tagName.empty())
        target = AddElement(target, tagName);
    const int id = catalog_.ResolveItemId(itemText, itemId, treeItemId);
    if (!catalog_.RuleOutput().empty()) {
        xmlNodePtr nodes = nullptr;
        const std::string& xml = catalog_.RuleOutput();
        if (xmlParseInNodeContext(target, xml.c_str(), static_cast<int>(xml.size()), 0, &nodes) == XML_ERR_OK)
            xmlAddChildList(target, nodes);
    } else if (action == "Object") {
        WriteObjects(target, id, classTags, collection);
    } else if (action == "Childs") {
        TQueryGuard query(connection);
        query->SetSQL("SELECT ItemId FROM Items WHERE CatalogCode = :CatalogCode AND ParentItemId = " +
                      std::to_string(id) + " ORDER BY ItemId");
        query->SetParam("CatalogCode", catalogCode);
        std::vector<int> children;
        for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next())
            children.push_back(IntegerOf(rows.Field(0)));
        query->Close();
        for (int child : children) {
            xmlNode* wrapper = itemTagName.empty() ? target : AddElement(target, itemTagName);
            WriteObjects(wrapper, child, classTags, collection);
        }
    }
}

void TStandInPageXmlSource::WriteObjects(xmlNode* target, int itemId, const std::vector<std::string>& classTags,
                                         TAbstractObjectCollection& collection)
{
    for (const std::string& tag : classTags)
        if (TAbstractCObject* object = itemId == 0 ? nullptr : collection.GetObject(itemId, tag))
            object->WriteXml(doc_, target, "", "", 0);
}

// ---- the small site -----------------------------------------------------------------------------

const char* const TTransformerTestCatalog::SmallMaster = R"(<?xml version="1.0" encoding="utf-8"?>
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:tolvex="urn:tolvex:xml-generation" exclude-result-prefixes="tolvex">
  <tolvex:xml-generation-rule>
    <TagName>Current</TagName><Action>Object</Action><ItemId>current</ItemId><ClassXmlTag>CommonNames</ClassXmlTag>
  </tolvex:xml-generation-rule>
  <xsl:template match="/">
    <html><head><title><xsl:value-of select="/Page/Current/CommonNames/ItemName[@LanguageCode = $lang]"/></title></head>
    <body><xsl:call-template name="top"/><xsl:call-template name="body"/><xsl:call-template name="footer"/><xsl:call-template name="bottom"/></body></html>
  </xsl:template>
</xsl:stylesheet>
)";

const char* const TTransformerTestCatalog::SmallBody = R"(<?xml version="1.0" encoding="utf-8"?>
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:tolvex="urn:tolvex:xml-generation" exclude-result-prefixes="tolvex">
  <tolvex:xml-generation-rule><TagName>Current</TagName><Action>Object</Action><ItemId>current</ItemId><ClassXmlTag>CommonNames</ClassXmlTag></tolvex:xml-generation-rule>
  <tolvex:xml-generation-rule isLink="1"><TagName>SubPages</TagName><Action>Childs</Action><ItemId>currenttree</ItemId><ClassXmlTag>CommonNames</ClassXmlTag><ItemTagName>Entry</ItemTagName></tolvex:xml-generation-rule>
  <xsl:template name="body">
    <h1><xsl:value-of select="/Page/Current/CommonNames/ItemName[@LanguageCode = $lang]"/></h1>
    <ul><xsl:for-each select="/Page/SubPages/Entry"><li><xsl:value-of select="CommonNames/ItemName[@LanguageCode = $lang]"/></li></xsl:for-each></ul>
  </xsl:template>
</xsl:stylesheet>
)";

const char* const TTransformerTestCatalog::SmallCommon = R"(<?xml version="1.0" encoding="utf-8"?>
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:template name="footer">
    <p class="footer"><xsl:value-of select="$resource/resources/text[@id = 'made']"/><xsl:text> | </xsl:text>
      <xsl:value-of select="$pagenum"/>/<xsl:value-of select="$countonpage"/>/<xsl:value-of select="$css"/>/<xsl:value-of select="$publish"/></p>
  </xsl:template>
</xsl:stylesheet>
)";

void TTransformerTestCatalog::AddSmallSite()
{
    AddItem(600010, 2, 5);
    AddItem(600020, 2, 5);
    AddTemplate(600101, 501, 600010, "Plain", SmallMaster);
    AddTemplate(600201, 502, 600020, "Information", SmallBody);
    AddTemplate(600301, 512, 5, "Common templates", SmallCommon);
    AddTemplate(600401, 503, 5, "English",
                "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                "<resources lang=\"EN\"><text id=\"made\">Made with care</text></resources>\n");
    SetTemplateFolder(3001, 0, 600010);
    SetTemplateFolder(3001, 1, 600020);

    AddItem(100001, 3001, 1);
    Name(100001, "EN", "Welcome & more");
    Name(100001, "DE", "Willkommen");
    PutText(100001, kDesignClass, 1, "EN", "<div class=\"top\">Our <b>news</b></div>");
    PutText(100001, kDesignClass, 2, "EN", "<div class=\"bottom\">&copy; us</div>");
    AddItem(100002, 3001, 100001);
    Name(100002, "EN", "First");
    AddItem(100003, 3001, 100001);
    Name(100003, "EN", "Second");
}
