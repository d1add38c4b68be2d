#pragma once
// A catalog for the tests of page generation: the real SQLite catalog of
// TCatalogFixture with the classes that templates and pages use, standing in
// for the open catalog data (TTransformerCatalog): template folders of item
// types, symbolic ids, the style catalog "t#1" in the same database, web
// charsets and image file names as a test sets them, and a small page XML
// builder (TStandInPageXmlSource) that understands the actions Object and
// Childs.
//
//   TTransformerTestCatalog catalog;          // code "shop", EN and DE
//   catalog.AddTemplate(600101, 501, 600010, "Plain", masterXsl);
//   catalog.SetTemplateFolder(3001, 0, 600010);
//   TTransformer transformer(catalog, "shop", nullptr);
#include "generation/TransformerCatalog.h"
#include "generation/PageXmlSource.h"
#include "generation/Templates.h"
#include "common/Translation.h"
#include "storage/ObjectCollection.h"
#include "storage/ObjectFactory.h"
#include "support/CatalogFixture.h"
#include "support/ScriptedGui.h"

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// Class ids of the catalog description.
enum TTestClass : int {
    kNamesClass = 1,
    kWebPageClass = 2,
    kCompanyClass = 3,
    kDesignClass = 4,
    kHtmlDataClass = 17,
    kAspDataClass = 18,
    kJspDataClass = 19,
    kPhpDataClass = 20,
    kShtmlDataClass = 21,
    kLinkGroupClass = 103,
    kMasterClass = 501,
    kBodyClass = 502,
    kXslClass = 503,
    kVersionTestClass = 505,
    kFolderClass = 513,
    kCatalogInfoClass = 604,
    kReportClass = 7001,
    kWholesaleClass = 10005,
};

class TTransformerTestCatalog : public TTransformerCatalog {
public:
    TTransformerTestCatalog();
    ~TTransformerTestCatalog() override;

    // ---- TTransformerCatalog -------------------------------------------------------
    std::string GetCatalogCode() const override { return fixture_.GetCatalogCode(); }
    std::string GetDefaultLangCode() const override { return fixture_.GetDefaultLangCode(); }
    TAbstractDBConnection& GetMainConnection() override { return fixture_.Connection(); }
    TAbstractObjectFactory& GetObjectFactory() override { return factory_; }
    TTemplates& GetTemplates() override { return *templates_; }
    std::string GetPreviewDir() const override { return previewDir_; }
    std::string GetReportDir() const override { return reportDir_; }
    const TTranslation& GetTranslation() const override { return translation_; }
    TCommonGui& GetGui() override { return gui_; }
    TDesktopLook GetDesktopLook() const override { return look_; }
    int GetLinkedItemId(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection) override;
    std::string GetAltFileName(int itemId, TAbstractDBConnection& connection, const std::string& catalogCode) override;
    int GetItemType(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection) override;
    int GetItemTypeTemplateId(int itemType, int kind) override;
    void SetCurrentTemplateIds(int masterTemplateId, int bodyTemplateId) override;
    int ResolveItemId(const std::string& text, int currentId, int currentTreeId) override;
    std::string GetCatalogTypeBodyTemplate() override { return typeBodyTemplate_; }
    std::string GetStyleCatalogCode() override { return "t#1"; }
    TAbstractDBConnection* GetStyleConnection() override { return &fixture_.Connection(); }
    void ImportStyleItem(int itemId, const std::string& sourceCatalogCode, TAbstractDBConnection& sourceConnection,
                         TAbstractDBConnection& connection) override;
    std::string GetWebCharset(const std::string& langCode) override;
    std::string GetImageFileName(int imageItemId, TAbstractDBConnection& connection,
                                 const std::string& catalogCode) override;
    std::unique_ptr<TPageXmlSource> CreatePageXmlSource(xmlDoc* document, TLog* log) override;

    // ---- set-up ----------------------------------------------------------------------
    TCatalogFixture& Fixture() { return fixture_; }
    TScriptedGui& Gui() { return gui_; }
    TTranslation& Translation() { return translation_; }
    // A collection on the main connection, as a publishing run has one.
    TObjectCollection& Collection() { return *collection_; }
    // Forgets every cached object (after rows were changed behind the collection's back).
    void ResetCollection();

    // An Items row in Code (empty: the catalog's).
    void AddItem(int itemId, int itemType, int parentItemId, int linkedItemId = 0, const std::string& code = "");
    // One value row of an object of the item (instance = class id), with its instance row.
    void PutString(int itemId, int classId, int memberId, const std::string& lang, const std::string& value,
                   const std::string& code = "");
    void PutText(int itemId, int classId, int memberId, const std::string& lang, const std::string& value,
                 const std::string& code = "");
    void PutNumber(int itemId, int classId, int memberId, const std::string& lang, double value,
                   const std::string& code = "");
    void Name(int itemId, const std::string& lang, const std::string& name) { PutString(itemId, 1, 1, lang, name); }
    // A template item with its name and XSL source (class 503, "XXX").
    void AddTemplate(int itemId, int itemType, int parentItemId, const std::string& name, const std::string& xsl,
                     const std::string& code = "");
    void SetTemplateFolder(int itemType, int kind, int folderItemId) { folders_[{itemType, kind}] = folderItemId; }
    void SetTypeBodyTemplate(const std::string& xsl) { typeBodyTemplate_ = xsl; }
    void SetHomeItemId(int itemId) { homeItemId_ = itemId; }
    void SetWebCharset(const std::string& lang, const std::string& charset) { charsets_[lang] = charset; }
    void SetImageFileName(const std::string& code, int itemId, const std::string& name) { images_[{code, itemId}] = name; }
    void SetDesktopLook(const TDesktopLook& look) { look_ = look; }
    // Makes the builder append this XML (elements without a common root)
    // for every rule instead of running it.
    void SetRuleOutput(const std::string& xml) { ruleOutput_ = xml; }
    const std::string& RuleOutput() const { return ruleOutput_; }
    // A small site of item type 3001: master 600101 (folder 600010), body
    // 600201 (folder 600020), common templates 600301, the English resource
    // 600401; the page 100001 "Welcome & more" (German "Willkommen") with top
    // and bottom HTML, and below it the pages 100002 "First" and 100003 "Second".
    void AddSmallSite();
    static const char* const SmallMaster;
    static const char* const SmallBody;
    static const char* const SmallCommon;

    // ---- what the generation did ---------------------------------------------------------
    std::pair<int, int> CurrentTemplateIds() const { return currentTemplates_; }
    // Every rule text the builder ran, in order.
    const std::vector<std::string>& ProcessedRules() const { return processedRules_; }
    void RecordRule(const std::string& rule)
    {
        processedRules_.push_back(rule);
        waitDepths_.push_back(gui_.WaitDepth());
    }
    // How deep the hourglass was nested while each rule ran.
    const std::vector<int>& WaitDepthsOfRules() const { return waitDepths_; }
    const std::vector<std::string>& Imports() const { return imports_; }
    // The text of a work file in the preview folder.
    std::string WorkFile(const std::string& name) const;

private:
    void PutValue(const std::string& table, const std::string& column, int itemId, int classId, int memberId,
                  const std::string& lang, const TVariant& value, const std::string& code);
    void DeclareClasses();

    TCatalogFixture fixture_;
    TTolvexObjectFactory factory_;
    TTranslation translation_;
    TScriptedGui gui_;
    std::string previewDir_;
    std::string reportDir_;
    std::unique_ptr<TTemplates> templates_;
    std::unique_ptr<TObjectCollection> collection_;
    TDesktopLook look_;
    std::map<std::pair<int, int>, int> folders_;
    std::map<std::string, std::string> charsets_;
    std::map<std::pair<std::string, int>, std::string> images_;
    std::string typeBodyTemplate_;
    int homeItemId_ = 100001;
    std::pair<int, int> currentTemplates_{0, 0};
    std::vector<std::string> processedRules_;
    std::vector<int> waitDepths_;
    std::vector<std::string> imports_;
    std::string ruleOutput_;
};

// The page XML builder of the tests: TagName wraps the output; Object
// writes the objects of the ClassXmlTags of ItemId, Childs those of every
// child of ItemId (wrapped in ItemTagName when given), in ItemId order.
class TStandInPageXmlSource : public TPageXmlSource {
public:
    TStandInPageXmlSource(xmlDoc* document, TTransformerTestCatalog& catalog) : doc_(document), catalog_(catalog) {}

    void ProcessRule(int itemId, int treeItemId, int itemType, const std::string& ruleText,
                     TAbstractDBConnection& connection, TAbstractObjectCollection& collection,
                     const std::string& catalogCode, bool stopAfterParentLinks) override;

private:
    void WriteObjects(xmlNode* target, int itemId, const std::vector<std::string>& classTags,
                      TAbstractObjectCollection& collection);

    xmlDoc* doc_;
    TTransformerTestCatalog& catalog_;
};
