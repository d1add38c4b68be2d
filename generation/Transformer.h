#pragma once
// TTransformer turns one catalog item into the text of one page.
//
// A web page: the page's master and body templates are written as XSL files
// into the work folder (the preview folder), the style sheet "out.xsl" that
// includes them and passes the page's settings as parameters is generated,
// the page document "out.xml" is built by running the templates' generation
// rules, and the document is transformed into the page. Source pages (HTML,
// ASP, JSP, PHP and SHTML code kept in the catalog) are taken as stored,
// with their $$name$$ tokens replaced for previews. Reports are transformed
// like pages with their own templates and give plain error texts.
//
// Page kinds by the item type given to GeneratePage: 401-405 source pages,
// 517 and 519 templates rendered by themselves (the item is the master
// template, there is no body template), 7001 and 7003 reports, every other
// type a web page.
//
// Create a transformer for a page, set the options, call GeneratePage,
// read the result. The work files are shared by every transformer over the
// same catalog answerer (its preview folder), so its pages are generated one
// after another; publishing workers each have an answerer with a work
// folder of its own. The compiled form of
// the style sheet is kept by the templates service (TStyleSheetCache) and
// reused by the following pages while their templates stay the same, so the
// work of a page is building its document and transforming it. The work
// files out.xsl, out.xml and out.html are written for every page, unless a
// publishing run keeps them back (KeepWorkFiles) to write them once.
#include "generation/TransformerStyleSheet.h"

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class TAbstractCObject;
class TAbstractDBConnection;
class TAbstractObjectCollection;
class TTransformerCatalog;
class TLog;
class TPageDocument;
class TPageXmlSource;
class TTemplates;
class TTransformerWorkFiles;

class TTransformer {
public:
    // Log (may be null, not owned) receives the progress of a publishing
    // run; its cancelled flag stops the generation between its phases.
    TTransformer(TTransformerCatalog& catalog, const std::string& catalogCode, TLog* log);
    ~TTransformer();
    TTransformer(const TTransformer&) = delete;
    TTransformer& operator=(const TTransformer&) = delete;

    // ---- options -------------------------------------------------------------
    // Output for a web server (parameter "host" 1, linked JSP pages) and the
    // extension of the generated pages ("html" initially).
    void SetOutputKind(bool forHost, const std::string& extension);
    // The value of the parameter "publish" ("preview" initially).
    void SetPublishMode(const std::string& mode);
    // The page of a multi-page page; 0 means 1.
    void SetPageNumber(int number);
    // Extra page data written into the page document; a second value of a
    // name replaces the first.
    void SetParameter(const std::string& name, const std::string& value);
    // Fixed templates and style: the page's own are not looked up.
    void SetTemplates(int masterTemplateId, int bodyTemplateId, int colorScheme, int fontScheme,
                      int backgroundImageCode);
    // The templates are read from another catalog (a style catalog).
    void SetTemplateSource(const std::string& catalogCode, TAbstractDBConnection& connection);
    // Source pages get their tokens replaced and their server scripts removed (previews).
    void SetReplaceParams() { replaceParams_ = true; }
    // The query of a submitted web form, written into the page document.
    void SetSubmittedQuery(const std::string& query) { submittedQuery_ = query; }

    // ---- generation ------------------------------------------------------------
    // Generates the page of the tree item TreeItemId showing the data of
    // SourceItemId in LangCode. True when the page was generated; false when
    // it was not (GetErrorText says why, when anything can be said),
    // including when its transformation failed: then GetResultHtml gives,
    // for a web page, an HTML page describing the error. Errors of the
    // database, of the page document and of URL decoding raise.
    bool GeneratePage(int sourceItemId, int treeItemId, int itemType, const std::string& langCode,
                      TAbstractObjectCollection& collection, TAbstractDBConnection& connection,
                      const std::string& previewRole);
    // The generated text; an HTML page with the error text when there is one.
    std::string GetResultHtml() const;
    // Why the page was not generated; empty when it was, or when nothing
    // can be said (a source page without its object).
    std::string GetErrorText() const;
    // Whether the last transformation failed.
    bool TransformFailed() const { return transformFailed_; }

    // ---- the work files -----------------------------------------------------------
    const std::string& GetWorkDir() const { return workDir_; }
    // The work files out.xsl, out.xml and out.html of the pages generated
    // from now on go to Files (not owned) as the page Sequence of a run
    // instead of the work folder.
    void KeepWorkFiles(TTransformerWorkFiles& files, long sequence);

private:
    enum class TPageKind { Source, TemplateItself, Report, WebPage };
    static TPageKind KindOf(int itemType);

    std::shared_ptr<TPageDocument> NewPageDocument() const;
    void ResetForPage();
    bool PreparePage(int sourceItemId, bool& finished);
    bool PrepareSourcePage(int sourceItemId);
    bool PrepareReport(int sourceItemId);
    bool PrepareWebPage(int sourceItemId, bool& finished);
    void AddRules(const std::vector<std::string>& rules);
    bool Cancelled() const;
    TTemplates& Templates() const;
    std::string Translate(const std::string& text) const;

    // ---- style sheet (TransformerBuildStylesheet.cpp) ----------------------------
    void BuildStylesheet();
    void AddDesktopParams();
    void AddPageParams(int colorScheme, int fontScheme, int backgroundImageCode);
    std::string BackgroundImageFileName(int backgroundImageCode);
    bool NeedsCustomTemplates();
    void AddTopAndBottom();

    // ---- page document (TransformerPageXml.cpp) ----------------------------------
    void BuildXml();
    void SetRootAttributes();
    void WriteParameters();
    void WriteSubmittedQuery();
    void WriteLogonResult();
    void WriteWholesaleBuyer();

    // ---- transformation (TransformerTransform.cpp) ---------------------------------
    void Transform();
    void DescribeFailure(const std::string& reason);
    void DescribeParseError(const std::string& reason);
    std::string CompileKey(const std::string& compiledShape) const;
    void DeliverInWebCharset();

    // ---- source pages and tokens (TransformerTokens.cpp) -----------------------------
    bool UseLinkedJSP(int id);
    std::string ReplaceParams(const std::string& text);
    std::string ResolveToken(const std::string& name);
    std::string PathValue(const std::string& name);
    std::string MemberValue(int itemId, const std::string& classTag, const std::string& member);
    // The page's alternative file name, read once for the page.
    const std::string& PageFileName();

    TTransformerCatalog& catalog_;
    std::vector<std::pair<std::string, std::string>> parameters_;
    TLog* log_;
    std::string catalogCode_;
    std::string templateCatalogCode_;
    std::string previewRole_;
    bool forHost_ = false;
    std::string outputExtension_ = "html";
    // Rule texts, sorted ignoring case; a text equal to one present (ignoring case) is dropped.
    std::vector<std::string> rules_;
    std::string workDir_;
    int pageNumber_ = 0;
    std::string publishMode_ = "preview";
    std::shared_ptr<TPageDocument> pageDocument_;
    std::unique_ptr<TPageXmlSource> builder_;
    TTransformerStyleSheet styleSheet_;
    // The language resource the style sheet reads ("EN.xml"); empty when it reads none.
    std::string resourceFile_;
    int masterTemplateId_ = 0;
    int bodyTemplateId_ = 0;
    bool htmlErrorPages_ = true;
    bool transformFailed_ = false;
    bool templatesFromOtherCatalog_ = false;
    bool fixedTemplates_ = false;
    bool replaceParams_ = false;
    int fixedColorScheme_ = 0;
    int fixedFontScheme_ = 0;
    int fixedBackgroundImageCode_ = 0;
    std::string resultHtml_;
    std::string errorText_;
    // The plain text of a failed transformation.
    std::string failureText_;
    int itemId_ = 0;
    int treeItemId_ = 0;
    std::optional<std::string> pageFileName_;
    int itemType_ = 0;
    std::string submittedQuery_;
    std::string langCode_;
    TAbstractObjectCollection* collection_ = nullptr;
    TAbstractDBConnection* connection_ = nullptr;
    TAbstractDBConnection* templateConnection_ = nullptr;
    bool used_ = false;
    TTransformerWorkFiles* keptWorkFiles_ = nullptr;
    long workFileSequence_ = 0;
    // Writes a work file, or keeps it back for the run.
    void SaveWorkText(const std::string& name, const std::string& text);
};
