#pragma once
// TTemplates: the open catalog's template service. Templates are items of
// the templates tree (under root item 5): master templates (501), body
// templates (502), common templates of pages (512) and of reports (518),
// language resources (503), style sheets and scripts, organised in folders
// (item type 2). The service lists them, reads their sources, finds the
// default templates of an item type, writes the XSL files that a
// transformation includes into the preview folder, reads the generation
// rules from them, and gives the page-links editor its link previews.
//
// Where template data lives ("XXX" is the language of values that belong to
// no language): the XSL source in CText class 503 member 1, CSS in class
// 504, JavaScript in class 506, the version in CStrings class 505 member 1,
// the default template of a folder in member "TemplateItemId" of its
// class-513 object, the style of a master template in the members
// "ColorScheme", "FontScheme" and "BackgroundImageCode" of its class-501
// object, the items per page of a body template in CNumbers class 502
// member 1.
//
// Files written into the preview folder: "master.xsl", "body.xsl",
// "common.xsl", "custom.xsl" and per language the code followed by ".xml",
// with CR LF line ends, replacing the file. What the folder holds is
// overwritten by every transformation.
#include "common/TemplateData.h"
#include "common/WellKnownIds.h"
#include "generation/StyleSheetCache.h"
#include "generation/XmlBuilderRunCache.h"
#include "generation/XsltLentDocuments.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class TAbstractCObject;
class TAbstractDBConnection;
class TAbstractObjectCollection;
class TTransformerCatalog;
class TTemplatesRuleCache;

// Template item types and the classes of template data.
inline constexpr int kLanguageResourceType = 503;
inline constexpr int kPageCommonTemplatesType = 512;
inline constexpr int kReportCommonTemplatesType = 518;
inline constexpr int kTemplateFolderType = kFolderItemType;
inline constexpr int kXslSourceClass = 503;
inline constexpr int kCssSourceClass = 504;
// Template kinds of an item type's template folders.
inline constexpr int kMasterTemplateKind = 0;
inline constexpr int kBodyTemplateKind = 1;

class TTemplates {
public:
    explicit TTemplates(TTransformerCatalog& catalog);
    ~TTemplates();
    TTemplates(const TTemplates&) = delete;
    TTemplates& operator=(const TTemplates&) = delete;

    const std::string& GetPreviewDir() const { return previewDir_; }
    const std::string& GetReportDir() const { return reportDir_; }

    // ---- the templates list ------------------------------------------------------
    // Forgets the list; the next GetTemplateList reads the tree again.
    void ResetTemplateList();
    // List := "name=id" of every template item (no folders) directly under
    // the folder. The whole templates tree is read once, on first use.
    void GetTemplateList(std::vector<std::string>& list, int folderItemId, TAbstractDBConnection& connection);

    // ---- default and page templates -------------------------------------------------
    // The default template of that kind of the item type: the "TemplateItemId"
    // of the type's folder; else the folder's first template, which is then
    // stored as its default; 0 when there is none.
    int GetDefaultTemplateId(int itemType, int kind, TAbstractDBConnection& connection);
    // The page object's "MasterTemplate" and "BodyTemplate", each 0
    // replaced by the item type's default.
    void GetPageTemplates(TAbstractCObject& pageObject, int itemType, int& masterTemplateId, int& bodyTemplateId,
                          TAbstractDBConnection& connection);

    // ---- sources --------------------------------------------------------------------
    // An empty CatalogCode stands for the open catalog's. Texts are empty when missing.
    std::string GetTemplateXsl(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection);
    std::string GetTemplateCss(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection);
    // The XSL source of the first template item of the type.
    std::string GetTemplateXslOfType(int itemType, const std::string& catalogCode, TAbstractDBConnection& connection);
    // The first text value of the item, whatever its class, member and language.
    std::string GetItemText(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection);
    // The template's version; 0 when missing or not a number.
    double GetTemplateVersion(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection);
    // The style of a master template; all 0 when it has none.
    void GetStyleSchemes(int itemId, int& colorScheme, int& fontScheme, int& backgroundImageCode,
                         TAbstractDBConnection& connection);
    // Items per page of a body template; 9 when it has none or 0.
    int GetCountOnPage(int bodyTemplateId, TAbstractDBConnection& connection);
    // Writes the template's XSL source (any language) to FileName; false when it has none.
    bool SaveTemplateToFile(int itemId, const std::string& fileName, TAbstractDBConnection& connection);

    // ---- files of a transformation ------------------------------------------------------
    // Writes master.xsl, body.xsl (the catalog type's default body template
    // when the body has no source) and common.xsl (the common templates of
    // reports for item type 7001, of pages otherwise). False, and nothing
    // written, when the master or the common templates have no source.
    bool WriteTemplateFiles(int itemType, int masterTemplateId, TAbstractDBConnection& connection,
                            const std::string& catalogCode, int bodyTemplateId);
    // Appends to List the rule texts of master.xsl, then body.xsl, as the
    // preview folder holds them, in document order: the
    // "tolvex:xml-generation-rule" elements, filtered by Predicate (an XPath
    // predicate such as "[@isLink = 1]", or empty). Nothing when either file
    // does not load.
    void ReadRules(std::vector<std::string>& list, const std::string& predicate = "");
    // Writes the language resource of LangCode (the 503 item whose source
    // carries lang="LangCode") to LangCode + ".xml"; false when there is none.
    bool WriteResourceFile(const std::string& langCode, TAbstractDBConnection& connection);
    // The text of the work file Name in the preview folder as it is on disk;
    // read once and kept while the file stays the same (its identity in the
    // file system). Null when the file cannot be read. The text stays valid
    // until the next call.
    const std::string* WorkFileText(const std::string& name);
    // A number that stands for the text WorkFileText gives for Name (0 when
    // the file cannot be read): it changes only when that text changes, so
    // that keys can hold it in place of the text.
    long WorkFileVersion(const std::string& name);

    // ---- style catalog ----------------------------------------------------------------
    // Message := how the template compares with its copy in the style catalog.
    void CompareWithStyles(int itemId, const std::string& catalogCode, std::string& message,
                           TAbstractDBConnection& connection);
    // Copies the item with its rows from the style catalog SourceCatalogCode
    // into the open catalog, replacing the catalog's copy.
    void ImportTemplateItem(int itemId, const std::string& sourceCatalogCode, TAbstractDBConnection& connection);
    // The custom templates a catalog starts with: six empty named templates.
    static std::string GetDefaultCustomXsl();

    // ---- link previews of the page-links editor -------------------------------------------
    // List := "indent=caption" of the links the link group would show.
    void GetDefaultLinks(int itemId, int treeItemId, const std::string& catalogCode,
                         TAbstractObjectCollection& collection, TAbstractDBConnection& connection,
                         const std::vector<std::string>& rules, std::vector<std::string>& list,
                         const std::string& linkGroup, const std::string& langCode, int itemType);
    // List := "indent=1#caption" of those links, then "indent=flag#caption"
    // of the page's own links of the group (flag 1 a page link, 0 a custom link).
    void GetParentLinks(int itemId, int treeItemId, const std::string& catalogCode,
                        TAbstractObjectCollection& collection, TAbstractDBConnection& connection,
                        const std::vector<std::string>& rules, std::vector<std::string>& list,
                        const std::string& linkGroup, const std::string& langCode, int itemType);

    // ---- one publishing run ----------------------------------------------------------------
    // While a run is open (TRun), what stays the same from page to page is
    // read once: template sources, default template ids, the resource of a
    // language and the values given to RunValue; and a work file written by
    // this service is known to hold what was written without asking the file
    // system. Edits made between runs are seen by the next run.
    class TRun {
    public:
        explicit TRun(TTemplates& templates) : templates_(templates) { templates_.BeginRun(); }
        ~TRun() { templates_.EndRun(); }
        TRun(const TRun&) = delete;
        TRun& operator=(const TRun&) = delete;

    private:
        TTemplates& templates_;
    };
    // Read(), remembered under Key while a run is open; called every time otherwise.
    int RunValue(const std::string& key, const std::function<int()>& read);
    std::string RunText(const std::string& key, const std::function<std::string()>& read);
    // The work files written from now on are marked with Stamp (a page's
    // place in a publishing run); WorkFileStamps gives the mark of each
    // file's last write, so that the work folders of several workers can be
    // merged as one worker generating the pages in order would have left them.
    void SetWorkFileStamp(long stamp) { stamp_ = stamp; }
    const std::map<std::string, long>& WorkFileStamps() const { return stamps_; }
    // The marks of the open run's last write of each work file before the
    // mark Before (a run that stopped there); a file written only from
    // Before on is not listed.
    std::map<std::string, long> WorkFileStampsBefore(long before) const;
    // What the page XML builders of the open run keep; null while no run is open.
    TXmlBuilderRunCache* BuilderRunCache() { return run_ ? run_->builder.get() : nullptr; }

    // ---- compiled style sheets -------------------------------------------------------------
    // The compiled style sheets of the transformations (kept while the catalog is open).
    TStyleSheetCache& StyleSheets() { return styleSheets_; }
    // The documents the transformations read, parsed once (the language resources).
    TXsltLentDocuments& LentDocuments() { return lentDocuments_; }

private:
    void BeginRun();
    void EndRun();
    // Key of a value read through Connection.
    static std::string RunKey(const std::string& what, const TAbstractDBConnection& connection);
    int ReadDefaultTemplateId(int itemType, int kind, TAbstractDBConnection& connection);
    int ReadCountOnPage(int bodyTemplateId, TAbstractDBConnection& connection);
    // The source of the language resource of LangCode; null when there is none.
    std::unique_ptr<std::string> ReadResource(const std::string& langCode, TAbstractDBConnection& connection);
    std::string CodeOrOpen(const std::string& catalogCode) const;
    std::string FirstText(const std::string& sql, const std::string& catalogCode, TAbstractDBConnection& connection,
                          const std::string& langCode = "");
    void ReadTemplateLevel(int parentItemId, TAbstractDBConnection& connection, std::vector<int>& visited);
    int StoreFirstTemplateAsDefault(int folderItemId, TAbstractDBConnection& connection);
    void WriteFile(const std::string& name, const std::string& text);
    void CollectLinks(int itemId, int treeItemId, const std::string& catalogCode,
                      TAbstractObjectCollection& collection, TAbstractDBConnection& connection,
                      const std::vector<std::string>& rules, std::vector<std::string>& list,
                      const std::string& linkGroup, const std::string& langCode, int itemType, bool parentLinks);

    TTransformerCatalog& catalog_;
    std::string previewDir_;
    std::string reportDir_;
    std::unique_ptr<std::vector<TTemplateData>> templateList_;
    std::unique_ptr<TTemplatesRuleCache> ruleCache_;
    // What WriteFile last wrote into each work file, with the file's identity then.
    struct TWrittenFile {
        std::string text;
        std::string identity;
    };
    std::map<std::string, TWrittenFile> writtenFiles_;
    // What WorkFileText last read from each work file, with the file's
    // identity then and the text's number (WorkFileVersion).
    struct TReadFile : TWrittenFile {
        long version = 0;
    };
    std::map<std::string, TReadFile> readFiles_;
    // The numbers given to the texts read lately: a text read again (a
    // template changed and changed back) gets its number again, so the
    // sheets compiled with it are found again.
    std::unordered_map<std::string, long> versions_;
    long lastVersion_ = 0;
    // The open run's values (RunValue, FirstText), and the work files this
    // service wrote during it and read back since their last write.
    struct TRunCache {
        std::map<std::string, int> values;
        std::map<std::string, std::string> texts;
        // Language resources by language; null for a language without one.
        std::map<std::string, std::shared_ptr<const std::string>> resources;
        std::map<std::string, bool> readSinceWrite;
        // The marks of every write of each work file during the run, in order.
        std::map<std::string, std::vector<long>> stampHistory;
        std::unique_ptr<TXmlBuilderRunCache> builder = std::make_unique<TXmlBuilderRunCache>();
    };
    std::unique_ptr<TRunCache> run_;
    int runDepth_ = 0;
    TStyleSheetCache styleSheets_;
    TXsltLentDocuments lentDocuments_;
    long stamp_ = 0;
    std::map<std::string, long> stamps_;
};
