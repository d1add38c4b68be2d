#pragma once
// Publishes the web site of the open catalog into a folder: the redirect
// page, the style sheets and scripts of the templates tree, every stored
// image and binary object, and every page of the web tree in every chosen
// language and output kind its item type asks for.
//
// Parameters: "Path" (the site folder, which must exist), "LangCode" (one
// language, or empty for all), "IndexFileName" (the redirect page),
// "MakeServerSideScripts" ("yes" for the server-side kinds), "PublishPage"
// (the one page to publish; absent for all).
//
// Layout: <IndexFileName>; css/<id>.css and js/<id>.js (and copies under
// the alternative file name); images/<id>.<ext> and bin/<id>.<ext> (and
// copies); <lang>/<page file name> for every page; publish.info when file
// logging is on. A page that cannot be generated is logged and counted as
// an error, so the end line tells how many pages failed.
#include "generation/TransformerWorkFiles.h"
#include "publishing/TolvexPublisher.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class TCatalog;
class TCatalogData;
class TSiteFolder;
class TTransformerCatalog;

class TPublishLocally : public TTolvexPublisher {
public:
    // The most pages one page item may have in one language and output kind
    // (page 1 and the further pages its pages link to).
    static constexpr int kMaxPagesPerItem = 1000;

    // Runs a report into a PDF file: the report operation, made from its
    // parameters on the publishing connection. Empty: reports are not
    // available, and PDF pages count as pages that could not be created.
    using TReportFactory =
        std::function<std::unique_ptr<TTolvexPublisher>(std::vector<std::string>& params, TAbstractDBConnection&)>;

    TPublishLocally(std::vector<std::string>& params, TAbstractDBConnection& connection,
                    const TPublisherEnvironment& environment);
    ~TPublishLocally() override;

    void Execute() override;
    void Cancel() override;
    // Opens the redirect page with the desktop's handler; the runner may close.
    int Preview() override;
    bool HasPreview() const override { return true; }

    void SetReportFactory(TReportFactory factory) { reportFactory_ = std::move(factory); }
    // Pages that could not be generated in the last run.
    int GetFailedPages() const { return failedPages_; }

protected:
    std::string path_;
    std::string catalogCode_;
    bool makeServerSideScripts_ = false;
    int publishPage_ = 0;
    // "locally"; FTP publishing sets "ftp".
    std::string publishKind_ = "locally";

private:
    // One row of a tree level.
    struct TTreeRow {
        int LinkedItemId = 0;
        int ItemId = 0;
        int ItemType = 0;
        std::string NodeName;
        int NumChilds = 0;
    };
    using TItemWriter = void (TPublishLocally::*)(const TTreeRow& row);

    // ---- the steps ---------------------------------------------------------------
    void ReadParameters();
    void WriteRedirectPage();
    void PublishBinaryRows(int classId, const std::string& folder, const std::string& logTemplate,
                           bool logFileLines);
    void PublishPages();

    // ---- tree walk ------------------------------------------------------------------
    void WalkTree(int parentId, bool filter, TItemWriter writer, std::vector<int>& seen);
    std::vector<TTreeRow> ReadTreeLevel(int parentId);
    int FlagsOf(int itemType);

    // ---- writers ----------------------------------------------------------------------
    void WriteTemplate(const TTreeRow& row);
    void WritePage(const TTreeRow& row);
    void PublishPageInLanguage(const TTreeRow& row, const std::string& lang);
    // Generates one output kind of page n; adds the further pages it links to.
    void GenerateKind(const TTreeRow& row, const std::string& lang, int pageNumber, const std::string& extension,
                      std::vector<std::pair<int, bool>>& pages);
    void GeneratePdf(const TTreeRow& row, const std::string& lang);
    void PageFailed(const std::string& fileName, const std::string& reason);
    // Writes a copy under the item's alternative file name when it has one
    // that is a plain name; logs and counts one that is not.
    std::string AltFileName(int itemId);
    // The extension of a stored image or binary object.
    std::string ExtensionOf(int itemId, int classId, const std::string& mimeType);

    TCatalog& Catalog();
    TCatalogData& Data();

    std::unique_ptr<TSiteFolder> site_;
    std::map<int, int> flagsOfType_;
    TReportFactory reportFactory_;
    // The report running for a PDF page, so that a cancel reaches it.
    TTolvexPublisher* report_ = nullptr;
    int failedPages_ = 0;
    // The pages' work files, written into the preview folder when the pages are done.
    TTransformerWorkFiles keptWorkFiles_;
    long pageSequence_ = 0;
};

// The numbers n (not 0) of the links "<ItemId>-<n>.html" in the HTML, in
// order of appearance (letter case ignored; the id must not follow a digit).
std::vector<int> LinkedPageNumbers(const std::string& html, int itemId);
