#include "publishing/PublishLocally.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/CatalogDefinition.h"
#include "catalog/CatalogPageGeneration.h"
#include "catalog/Tolvex.h"
#include "common/WellKnownIds.h"
#include "common/CommonBinary.h"
#include "common/CommonFunctions.h"
#include "common/CommonImages.h"
#include "common/Exceptions.h"
#include "generation/Templates.h"
#include "publishing/PublishWorkers.h"
#include "publishing/PublisherRunner.h"
#include "publishing/SiteFolder.h"
#include "publishing/WorkFolder.h"
#include "storage/AbstractCObject.h"
#include "storage/ObjectCollection.h"
#include "storage/ObjectFactory.h"
#include "storage/IdRanges.h"
#include "storage/QueryGuard.h"
#include "storage/RecordValues.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace {

constexpr int kBinaryObjectClassId = 304;
constexpr const char* kAllLangCode = "XXX";
// Threads writing the site's files during a parallel run.
constexpr std::size_t kWriterThreads = 2;

}  // namespace

TPublishLocally::TPublishLocally(std::vector<std::string>& params, TAbstractDBConnection& connection,
                                 const TPublisherEnvironment& environment)
    : TTolvexPublisher(params, connection, environment)
{
}

TPublishLocally::~TPublishLocally() = default;

TCatalog& TPublishLocally::Catalog()
{
    return Root()->Catalog();
}

TCatalogData& TPublishLocally::Data()
{
    TCatalogData* data = OpenCatalog();
    if (!data)
        throw EPublisherTolvexException("No catalog is open");
    return *data;
}

void TPublishLocally::Cancel()
{
    if (report_)
        report_->Cancel();
    TTolvexPublisher::Cancel();
}

int TPublishLocally::Preview()
{
    TCommonFunctions::ShellOpen(path_ + "/" + Param("IndexFileName"));
    return 1;
}

// ---- the run ---------------------------------------------------------------------------------

void TPublishLocally::Execute()
{
    ReadParameters();
    RemoveLeftovers();
    WriteRedirectPage();
    if (cancelled_)
        return;
    site_->EnsureFolder("css");
    site_->EnsureFolder("js");
    std::unordered_set<int> seen;
    WalkTree(kTemplatesRootId, false, &TPublishLocally::WriteTemplate, seen);
    if (cancelled_)
        return;
    site_->EnsureFolder("images");
    PublishBinaryRows(kImageClassId, "images", "Publishing image $1", false);
    if (cancelled_)
        return;
    site_->EnsureFolder("bin");
    PublishBinaryRows(kBinaryObjectClassId, "bin", "Publishing binary object $1", true);
    if (cancelled_)
        return;
    PublishPages();
    if (cancelled_)
        return;
    SaveLogFile();
    site_->Sync();
    success_ = true;
    if (onPublished_)
        onPublished_();
}

void TPublishLocally::ReadParameters()
{
    SelectLanguages(Param("LangCode"));
    catalogCode_ = Data().GetCatalogCode();
    path_ = Param("Path");
    while (path_.size() > 1 && (path_.back() == '/' || path_.back() == '\\'))
        path_.pop_back();
    std::replace(path_.begin(), path_.end(), '\\', '/');
    // No folder at all would put the site into the file system's root.
    if (path_.empty())
        throw EPublisherTolvexException(Tr("No folder to publish into"));
    makeServerSideScripts_ = Param("MakeServerSideScripts") == "yes";
    publishPage_ = VariantToInteger(TVariant(Param("PublishPage")));
    logFileName_ = path_ + "/publish.info";
    site_ = std::make_unique<TSiteFolder>(path_);
    failedPages_ = 0;
    // Language codes become folder names: a code that is no plain name is
    // refused instead of writing outside the site folder.
    std::vector<std::string> usable;
    for (const std::string& lang : languages_) {
        if (TSiteFolder::IsPlainName(lang)) {
            usable.push_back(lang);
        } else {
            WriteLog(Format("Invalid language code \"$1\"", {lang}), 3);
            ++errorCount_;
        }
    }
    languages_ = usable;
}

// A run that was killed leaves the files it was writing under their
// temporary names, which would be published with the site, and its
// workers' folders in the system's temporary folder.
void TPublishLocally::RemoveLeftovers()
{
    TWorkFolder::RemoveAbandoned();
    if (const int removed = site_->RemoveLeftovers(); removed > 0)
        WriteLog(Format("Removed $1 unfinished file(s) of an earlier run", {std::to_string(removed)}));
}

void TPublishLocally::WriteRedirectPage()
{
    const std::string indexFileName = Param("IndexFileName");
    if (!TSiteFolder::IsSafeName(indexFileName))
        throw EPublisherTolvexException(Format("Invalid index file name \"$1\"", {indexFileName}));
    const std::string lang = languages_.size() == 1 ? languages_.front() : Data().GetDefaultLangCode();
    // Percent-encoded, the target needs no escaping in the script or the attribute.
    const std::string target = TCommonFunctions::EncodeUrlPath(lang + "/index.html");
    site_->WriteFile(indexFileName,
                     "<HTML><BODY>\r\n"
                     "<SCRIPT LANGUAGE=JavaScript>window.location=\"" + target + "\";</SCRIPT>\r\n"
                     "Follow the link to reach main page <A HREF=\"" + target + "\">" + target + "</A>\r\n"
                     "</BODY></HTML>\r\n");
}

void TPublishLocally::PublishBinaryRows(int classId, const std::string& folder, const std::string& logTemplate,
                                        bool logFileLines)
{
    TQueryGuard query(connection_);
    query->SetSQL("SELECT ItemId, DataMimeType, DataBlob FROM CBinary WHERE CatalogCode = :CatalogCode AND "
                  "ClassId = " + std::to_string(classId) + " ORDER BY ItemId, InstanceId, MemberId, LangCode, IndexId");
    query->SetParam("CatalogCode", catalogCode_);
    for (TAbstractRecordset& rows = query->Open(true); !rows.Eof() && !cancelled_; rows.Next()) {
        const int itemId = FieldInteger(rows, "ItemId");
        const std::string extension = ExtensionOf(itemId, classId, FieldText(rows, "DataMimeType"));
        const std::string data = TCommonBinary::FieldBytes(rows.Field("DataBlob")).value_or(std::string());
        const std::string fileName = std::to_string(itemId) + "." + extension;
        if (!TSiteFolder::IsSafeName(fileName)) {
            WriteLog(Format("Invalid file name \"$1\"", {fileName}), 3);
            ++errorCount_;
            continue;
        }
        WriteLog(Format(logTemplate, {fileName}));
        if (cancelled_)
            break;
        site_->WriteFile(folder + "/" + fileName, data);
        if (logFileLines)
            AddLogFileLine(site_->FullName(folder + "/" + fileName));
        const std::string alt = AltFileName(itemId);
        if (!alt.empty())
            site_->WriteFile(folder + "/" + alt + "." + extension, data);
    }
}

std::string TPublishLocally::ExtensionOf(int itemId, int classId, const std::string& mimeType)
{
    // An image's file is named as pages and previews name it.
    if (classId == kImageClassId)
        return TCommonImages::PublishedExtension(mimeType);
    // A binary object's type often has no extension of its own
    // ("application/pdf"): its original file name gives it then, so that the
    // file is published under the name the pages link to.
    std::string originalFileName;
    if (classId == kBinaryObjectClassId && collection_) {
        if (TAbstractCObject* object = collection_->GetObject(itemId, "BinaryObject")) {
            originalFileName = object->GetLangString("BinaryDataFileName", Data().GetCurrentLangCode(), 0);
            if (originalFileName.empty())
                originalFileName = object->GetLangString("BinaryDataFileName", kAllLangCode, 0);
        }
    }
    std::string extension = TCommonFunctions::GetExtensionByMimeType(mimeType, originalFileName);
    if (!originalFileName.empty() && extension == originalFileName)
        extension.clear();  // a file name without extension
    return extension;
}

std::string TPublishLocally::AltFileName(int itemId)
{
    const std::string alt = Catalog().GetAltFileName(itemId, &connection_, catalogCode_);
    if (alt.empty() || TSiteFolder::IsSafeName(alt))
        return alt;
    WriteLog(Format("Invalid alternative file name \"$1\"", {alt}), 3);
    ++errorCount_;
    return {};
}

// ---- tree walk -------------------------------------------------------------------------------

int TPublishLocally::FlagsOf(int itemType)
{
    auto found = flagsOfType_.find(itemType);
    if (found == flagsOfType_.end())
        found = flagsOfType_.emplace(itemType, Catalog().GetDefinition().GetItemTypeFlags(itemType)).first;
    return found->second;
}

std::vector<TPublishLocally::TTreeRow> TPublishLocally::ReadTreeLevel(int parentId)
{
    // Only the columns the walk reads: every item of the site passes here.
    TQueryGuard query(connection_);
    query->SetSQL("SELECT a.ItemId, a.LinkedItemId, a.ItemType,");
    query->AddSQL("(SELECT Max( StringValue ) FROM CStrings AS c WHERE c.CatalogCode = a.CatalogCode AND c.ItemId = "
                  "a.LinkedItemId AND c.ClassId = 1 AND c.MemberId = 1 AND (c.LangCode = :LangCode OR c.LangCode = "
                  ":AllLangCode)) AS NodeName,");
    query->AddSQL("EXISTS (SELECT 1 FROM Items AS b WHERE b.CatalogCode = a.CatalogCode AND b.ParentItemId = "
                  "a.ItemId) AS HasChildren");
    if (publishPage_ != 0)
        query->AddSQL("FROM Items AS a WHERE a.CatalogCode = :CatalogCode AND a.ItemId = " +
                      std::to_string(publishPage_));
    else
        query->AddSQL("FROM Items AS a WHERE a.CatalogCode = :CatalogCode AND a.ParentItemId = " +
                      std::to_string(parentId) + " ORDER BY a.OrderNum");
    query->SetParam("CatalogCode", catalogCode_);
    query->SetParam("AllLangCode", std::string(kAllLangCode));
    query->SetParam("LangCode", Data().GetCurrentLangCode());
    std::vector<TTreeRow> rows;
    for (TAbstractRecordset& records = query->Open(true); !records.Eof(); records.Next()) {
        TTreeRow row;
        row.ItemId = FieldInteger(records, "ItemId");
        row.LinkedItemId = FieldInteger(records, "LinkedItemId");
        if (row.LinkedItemId == 0)
            row.LinkedItemId = row.ItemId;
        row.ItemType = FieldInteger(records, "ItemType");
        row.NodeName = FieldText(records, "NodeName");
        row.HasChildren = FieldInteger(records, "HasChildren") != 0;
        rows.push_back(std::move(row));
    }
    return rows;
}

// Depth first, pre-order, in OrderNum order. Every item is visited once at
// most, so a loop in a damaged catalog's tree ends the walk of that branch.
void TPublishLocally::WalkTree(int parentId, bool filter, TItemWriter writer, std::unordered_set<int>& seen)
{
    for (const TTreeRow& row : ReadTreeLevel(parentId)) {
        if (cancelled_)
            return;
        if (!seen.insert(row.ItemId).second)
            continue;
        if (!filter || FlagsOf(row.ItemType) > 0)
            (this->*writer)(row);
        if (row.HasChildren && publishPage_ == 0)
            WalkTree(row.ItemId, filter, writer, seen);
    }
}

// ---- style sheets and scripts ----------------------------------------------------------------------

void TPublishLocally::WriteTemplate(const TTreeRow& row)
{
    int classId = 0;
    std::string folder, extension;
    if (row.ItemType == 504 || row.ItemType == 505) {
        classId = 504;
        folder = "css";
        extension = ".css";
    } else if (row.ItemType == 506) {
        classId = 506;
        folder = "js";
        extension = ".js";
    } else {
        return;
    }
    std::unique_ptr<TAbstractCObject> object =
        Catalog().GetObjectFactory().GetObject(row.LinkedItemId, classId, connection_, catalogCode_);
    if (!object || object->GetInstanceId() == 0)
        return;
    if (classId == 504)
        WriteLog(Format("Publishing $1 template", {row.NodeName}));
    // Style sheets and scripts are text files, written as the program
    // writes every text file (lines ended by CR LF).
    const std::string text = object->GetLangString("SourceCode", kAllLangCode, 0);
    site_->WriteTextFile(folder + "/" + std::to_string(row.LinkedItemId) + extension, text);
    const std::string alt = AltFileName(row.LinkedItemId);
    if (!alt.empty())
        site_->WriteTextFile(folder + "/" + alt + extension, text);
}

// ---- pages -------------------------------------------------------------------------------------------

int TPublishLocally::DefaultWorkers()
{
    const int cores = static_cast<int>(std::thread::hardware_concurrency());
    return std::clamp(cores, 1, kMaxWorkers);
}

void TPublishLocally::SetWorkers(int count)
{
    workers_ = std::clamp(count, 1, kMaxWorkers);
}

void TPublishLocally::PublishPages()
{
    for (const std::string& lang : languages_)
        site_->EnsureFolder(lang);
    // Templates and their settings stay the same for every page of the run.
    TTemplates::TRun run(Data().GetPageGeneration().GetTemplates());
    tasks_.clear();
    std::unordered_set<int> seen;
    WalkTree(kWebTreeRootId, true, &TPublishLocally::CollectPage, seen);
    TPublishPageGenerator::TOptions options{catalogCode_, publishKind_, makeServerSideScripts_, {}};
    // The work files are left as the last page wrote them, also when the run stops early.
    const std::string workDir = Data().GetPageGeneration().GetPreviewDir();
    try {
        if (workers_ > 1 && tasks_.size() > 1)
            PublishInParallel(options);
        else
            PublishInOrder(options);
    } catch (...) {
        keptWorkFiles_.Write(workDir);
        throw;
    }
    keptWorkFiles_.Write(workDir);
}

void TPublishLocally::CollectPage(const TTreeRow& row)
{
    for (const std::string& lang : languages_)
        tasks_.push_back(TPublishPageTask{row.ItemId, row.LinkedItemId, row.ItemType, FlagsOf(row.ItemType),
                                          row.NodeName, lang});
}

void TPublishLocally::PublishInOrder(const TPublishPageGenerator::TOptions& options)
{
    const std::atomic<bool> running{false};
    TPublishPageGenerator generator(Data().GetPageGeneration(), *collection_, connection_, keptWorkFiles_, options);
    // A page's files are written by another thread while the next page is generated.
    TSiteWriter writer(*site_, 1);
    writer_ = &writer;
    try {
        for (std::size_t i = 0; i < tasks_.size() && !cancelled_; ++i) {
            WriteLog(Format("Publishing $1/$2 page", {tasks_[i].Lang, tasks_[i].NodeName}));
            if (cancelled_)
                break;
            TPublishPageResult result = generator.Generate(tasks_[i], static_cast<long>(i), running);
            Replay(tasks_[i], result);
        }
    } catch (...) {
        writer_ = nullptr;
        throw;
    }
    writer_ = nullptr;
    writer.Finish();
    site_->StartSync();
}

// The pages generated by worker threads, each with its own connection,
// object collection and page generation (its own work folder), taking the
// next page as they finish one; this thread replays the results in the
// order of the pages, keeps the runner answering while it waits, and
// stops the workers on cancel. The work folders are merged into the
// preview folder as a run in order would have left it.
void TPublishLocally::PublishInParallel(const TPublishPageGenerator::TOptions& options)
{
    // The workers find the names of the pages' files, and other threads
    // write them, so that this thread only replays.
    TPublishPageGenerator::TOptions workerOptions = options;
    workerOptions.PageNames = [this](const TPublishPageTask& task, int pageNumber, const std::string& extension,
                                     TAbstractDBConnection& connection) {
        return PageNames(task, pageNumber, extension, connection);
    };
    TPublishWorkers workers(Data(), *Root(), sharedLock_, languages_, workerOptions,
                            std::min<std::size_t>(static_cast<std::size_t>(workers_), tasks_.size()));
    TSiteWriter writer(*site_, kWriterThreads);
    writer_ = &writer;
    workers.Start(tasks_);
    const std::string workDir = Data().GetPageGeneration().GetPreviewDir();
    // The pages replayed so far; the workers may have gone further.
    std::size_t replayed = 0;
    try {
        for (; replayed < tasks_.size() && !cancelled_; ++replayed) {
            const TPublishPageTask& task = tasks_[replayed];
            WriteLog(Format("Publishing $1/$2 page", {task.Lang, task.NodeName}));
            TPublishPageResult result;
            while (!cancelled_ && !workers.Take(replayed, result, std::chrono::milliseconds(100)))
                if (Runner())
                    Runner()->ProcessMessages();
            if (cancelled_)
                break;
            Replay(task, result);
        }
        writer_ = nullptr;
        writer.Finish();
        // The workers are freed and the log written while the pages' files go to the disk.
        site_->StartSync();
    } catch (...) {
        writer_ = nullptr;
        workers.Finish(keptWorkFiles_, workDir, replayed);
        throw;
    }
    std::vector<std::size_t> again = workers.Finish(keptWorkFiles_, workDir, replayed);
    if (replayed < tasks_.size() && replayed > 0) {
        again.push_back(replayed - 1);
        GenerateAgain(options, again);
    }
}

// A run that stopped early leaves the work files of the last page it
// finished, as a run on one thread does. The workers' work folders hold
// what they wrote last, which may be for pages past that one: the pages
// that last wrote each work file before the stop are generated once more
// on this thread, in order (writing nothing into the site), so that the
// preview folder holds what they left.
void TPublishLocally::GenerateAgain(const TPublishPageGenerator::TOptions& options, std::vector<std::size_t> tasks)
{
    std::sort(tasks.begin(), tasks.end());
    tasks.erase(std::unique(tasks.begin(), tasks.end()), tasks.end());
    const std::atomic<bool> running{false};
    TPublishPageGenerator generator(Data().GetPageGeneration(), *collection_, connection_, keptWorkFiles_, options);
    for (const std::size_t index : tasks)
        generator.Generate(tasks_[index], static_cast<long>(index), running);
}

// What a page's generation gave, done on the publisher's thread in the
// order of the pages: the log, the files, the counts.
void TPublishLocally::Replay(const TPublishPageTask& task, TPublishPageResult& result)
{
    using TKind = TPublishPageEvent::TKind;
    for (TPublishPageEvent& event : result.Events) {
        if (cancelled_)
            return;
        switch (event.Kind) {
        case TKind::FurtherPage:
            WriteLog(Format("  Page $1", {std::to_string(event.PageNumber)}));
            break;
        case TKind::Beyond:
            WriteLog(Format("Page $1 is beyond the last page that is published ($2)",
                            {std::to_string(event.PageNumber), std::to_string(kMaxPagesPerItem)}), 3);
            ++errorCount_;
            break;
        case TKind::Page:
            WritePageFiles(task, event);
            break;
        case TKind::Failed:
            PageFailed(PageFileName(task, event.PageNumber, event.Extension, true, false), event.Text);
            break;
        case TKind::Pdf:
            GeneratePdf(task);
            break;
        }
    }
    if (result.Error)
        std::rethrow_exception(result.Error);
}

std::string TPublishLocally::PageFileName(const TPublishPageTask& task, int pageNumber, const std::string& extension,
                                          bool useIndexForHome, bool altName)
{
    TSharedServicesGuard guard(sharedLock_);
    return Root()->GetPageFileNameWithExt(task.ItemId, task.ItemType, pageNumber, extension, useIndexForHome,
                                          altName ? &connection_ : nullptr);
}

TPublishPageNames TPublishLocally::PageNames(const TPublishPageTask& task, int pageNumber,
                                             const std::string& extension, TAbstractDBConnection& connection)
{
    // The alternative name is read through Connection (a worker's own) before the lock is taken.
    const std::string alt = Catalog().GetAltFileName(task.ItemId, &connection, catalogCode_);
    TSharedServicesGuard guard(sharedLock_);
    TTolvex& root = *Root();
    std::string withIndex =
        root.GetPageFileNameWithExt(task.ItemId, task.ItemType, pageNumber, extension, true, nullptr);
    std::string withAltName = alt.empty() ? withIndex
                                          : root.GetPageFileNameWithExt(task.ItemId, task.ItemType, pageNumber,
                                                                        extension, true, &connection, alt);
    return TPublishPageNames{
        std::move(withIndex),
        root.GetPageFileNameWithExt(task.ItemId, task.ItemType, pageNumber, extension, false, nullptr),
        std::move(withAltName)};
}

void TPublishLocally::WritePageFiles(const TPublishPageTask& task, TPublishPageEvent& page)
{
    const TPublishPageNames names =
        page.HasNames ? page.Names : PageNames(task, page.PageNumber, page.Extension, connection_);
    const std::string folder = task.Lang + "/";
    auto html = std::make_shared<const std::string>(std::move(page.Text));
    const auto write = [&](const std::string& name) {
        if (writer_)
            writer_->Write(folder + name, html);
        else
            site_->WriteFile(folder + name, *html);
    };
    write(names.WithIndex);
    if (names.WithoutIndex != names.WithIndex)
        write(names.WithoutIndex);
    if (names.WithAltName != names.WithIndex) {
        if (TSiteFolder::IsSafeName(names.WithAltName)) {
            write(names.WithAltName);
        } else {
            WriteLog(Format("Invalid alternative file name \"$1\"", {names.WithAltName}), 3);
            ++errorCount_;
        }
    }
}

void TPublishLocally::PageFailed(const std::string& fileName, const std::string& reason)
{
    WriteLog(Format("Cannot create \"$1\" page", {fileName}), 3);
    if (!reason.empty())
        WriteLog(reason, 3);
    ++failedPages_;
    ++errorCount_;
}

void TPublishLocally::GeneratePdf(const TPublishPageTask& task)
{
    const std::string& lang = task.Lang;
    const std::string fileName = std::to_string(task.ItemId) + ".pdf";
    if (!reportFactory_) {
        PageFailed(fileName, Tr("Reports are not available in this version"));
        return;
    }
    std::vector<std::string> params{"ReportFileName=" + site_->FullName(lang + "/" + fileName),
                                    "LangCode=" + lang,
                                    "ItemId=" + std::to_string(task.LinkedItemId),
                                    "ItemType=" + std::to_string(task.ItemType),
                                    "NotCustomize=yes",
                                    "NotOpenReport=yes",
                                    "NoMessageBoxes=yes"};
    // During a parallel run workers may write through the same connection
    // (taking the lock costs nothing in a run on one thread).
    std::unique_lock<TSharedServicesLock> guard(sharedLock_, std::defer_lock);
    if (writer_)
        guard.lock();
    std::unique_ptr<TTolvexPublisher> report = reportFactory_(params, connection_);
    report_ = report.get();
    try {
        report->Run();
    } catch (...) {
        report_ = nullptr;
        throw;
    }
    report_ = nullptr;
    if (!report->Succeeded() && !cancelled_)
        PageFailed(fileName, "");
}
