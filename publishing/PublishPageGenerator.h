#pragma once
// The pages of one item in one language, generated for local publishing:
// page 1 and the further pages its pages link to, in every output kind the
// item type's flags ask for. The generator writes nothing and tells the
// user nothing: what it made and what it would have logged comes back as a
// list of events in order, which the publisher replays on its own thread
// (writing the files, logging, counting). So the same generation runs on
// the publisher's thread or on a worker thread with its own connection,
// object collection and page generation, and a parallel run replays exactly
// what a run in order would have done.
#include "common/Log.h"
#include "common/LogSink.h"

#include <atomic>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class TAbstractDBConnection;
class TObjectCollection;
class TTransformerCatalog;
class TTransformerWorkFiles;

// One item of the web tree in one language.
struct TPublishPageTask {
    int ItemId = 0;
    int LinkedItemId = 0;
    int ItemType = 0;
    // The flag word of the item type (output kinds).
    int Flags = 0;
    std::string NodeName;
    std::string Lang;
};

// The names of a page's files in its language's folder: with "index" for
// the home page, with the item's id, and with its alternative file name
// (each the same as the first when there is no other).
struct TPublishPageNames {
    std::string WithIndex;
    std::string WithoutIndex;
    std::string WithAltName;
};

struct TPublishPageEvent {
    enum class TKind {
        FurtherPage, // the line that a further page follows: PageNumber
        Beyond,      // a linked page past the last one published (an error): PageNumber
        Page,        // a generated page: Text the page, PageNumber, Extension
        Failed,      // a page that could not be generated: Text the reason, PageNumber, Extension
        Pdf,         // the PDF page, made by the report operation on the publisher's thread
    };
    TKind Kind = TKind::Page;
    std::string Text;
    int PageNumber = 0;
    std::string Extension;
    // A page's file names, when the generator was given a way to find them.
    bool HasNames = false;
    TPublishPageNames Names;
};

struct TPublishPageResult {
    std::vector<TPublishPageEvent> Events;
    // An error that would have ended the run at this point (replayed by raising it).
    std::exception_ptr Error;
};

class TPublishPageGenerator {
public:
    // The most pages one page item may have in one language and output kind.
    static constexpr int kMaxPagesPerItem = 1000;
    // Page sequence numbers of one task: task index times this, plus the page's place in the task.
    static constexpr long kSequencePerTask = 8192;

    struct TOptions {
        std::string CatalogCode;
        // "locally" or "ftp": the value of the parameter "publish".
        std::string PublishKind = "locally";
        bool MakeServerSideScripts = false;
        // When set, the names of each page's files are found with the
        // generator's connection as the page is made (so the publisher's
        // thread need not).
        std::function<TPublishPageNames(const TPublishPageTask& task, int pageNumber, const std::string& extension,
                                        TAbstractDBConnection& connection)>
            PageNames;
    };

    // Nothing owned; all must outlive the generator and be used by no other thread meanwhile.
    TPublishPageGenerator(TTransformerCatalog& catalog, TObjectCollection& collection,
                          TAbstractDBConnection& connection, TTransformerWorkFiles& workFiles, TOptions options);
    ~TPublishPageGenerator();
    TPublishPageGenerator(const TPublishPageGenerator&) = delete;
    TPublishPageGenerator& operator=(const TPublishPageGenerator&) = delete;

    // Generates the task, the TaskIndex-th of the run. Stop (set by another
    // thread) ends the generation between its steps.
    TPublishPageResult Generate(const TPublishPageTask& task, long taskIndex, const std::atomic<bool>& stop);

private:
    class TCapture;
    void GenerateKind(const TPublishPageTask& task, int pageNumber, const std::string& extension,
                      std::vector<std::pair<int, bool>>& pages);
    void Add(TPublishPageEvent::TKind kind, std::string text, int pageNumber = 0, const std::string& extension = "");

    TTransformerCatalog& catalog_;
    TObjectCollection& collection_;
    TAbstractDBConnection& connection_;
    TTransformerWorkFiles& workFiles_;
    TOptions options_;
    TLog log_;
    std::shared_ptr<TCapture> capture_;
    TPublishPageResult* result_ = nullptr;
    const std::atomic<bool>* stop_ = nullptr;
    long sequence_ = 0;
};

// The numbers n (not 0) of the links "<ItemId>-<n>.html" in the HTML, in
// order of appearance (letter case ignored; the id must not follow a digit).
std::vector<int> LinkedPageNumbers(const std::string& html, int itemId);
