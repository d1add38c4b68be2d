#include "publishing/PublishLocally.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/CatalogDefinition.h"
#include "catalog/CatalogPageGeneration.h"
#include "catalog/Tolvex.h"
#include "common/WellKnownIds.h"
#include "common/CommonBinary.h"
#include "common/CommonFunctions.h"
#include "common/Exceptions.h"
#include "generation/Templates.h"
#include "generation/Transformer.h"
#include "publishing/SiteFolder.h"
#include "storage/AbstractCObject.h"
#include "storage/ObjectCollection.h"
#include "storage/ObjectFactory.h"
#include "storage/IdRanges.h"
#include "storage/QueryGuard.h"
#include "storage/RecordValues.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr int kBinaryObjectClassId = 304;
constexpr const char* kAllLangCode = "XXX";

// Output kinds by the flag word of the item type: the server-side kinds, in their order.
const std::pair<int, const char*> kServerSideKinds[] = {{0x02, "jsp"}, {0x04, "php"}, {0x08, "asp"}, {0x10, "shtml"}};
constexpr int kHtmlFlag = 0x01;
constexpr int kPdfFlag = 0x80;

}  // namespace

std::vector<int> LinkedPageNumbers(const std::string& html, int itemId)
{
    std::vector<int> numbers;
    const std::string needle = std::to_string(itemId) + "-";
    for (std::size_t at = html.find(needle, 1); at != std::string::npos; at = html.find(needle, at + 1)) {
        if (std::isdigit(static_cast<unsigned char>(html[at - 1])))
            continue;
        std::size_t digits = at + needle.size();
        std::size_t end = digits;
        while (end < html.size() && std::isdigit(static_cast<unsigned char>(html[end])))
            ++end;
        if (end == digits || html.size() - end < 5)
            continue;
        std::string suffix = html.substr(end, 5);
        std::transform(suffix.begin(), suffix.end(), suffix.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (suffix != ".html")
            continue;
        // Numbers past the page limit are as good as none: cap the text.
        const std::string text = html.substr(digits, std::min<std::size_t>(end - digits, 9));
        const int number = end - digits > 9 ? TPublishLocally::kMaxPagesPerItem + 1 : std::stoi(text);
        if (number != 0)
            numbers.push_back(number);
    }
    return numbers;
}

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
    WriteRedirectPage();
    if (cancelled_)
        return;
    site_->EnsureFolder("css");
    site_->EnsureFolder("js");
    std::vector<int> seen;
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

void TPublishLocally::WriteRedirectPage()
{
    const std::string indexFileName = Param("IndexFileName");
    if (!TSiteFolder::IsPlainName(indexFileName))
        throw EPublisherTolvexException(Format("Invalid index file name \"$1\"", {indexFileName}));
    const std::string lang = languages_.size() == 1 ? languages_.front() : Data().GetDefaultLangCode();
    const std::string target = lang + "/index.html";
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
        if (!TSiteFolder::IsPlainName(fileName)) {
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
    if (alt.empty() || TSiteFolder::IsPlainName(alt))
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
    TQueryGuard query(connection_);
    query->SetSQL("SELECT *,");
    query->AddSQL("(SELECT Max( StringValue ) FROM CStrings AS c WHERE c.CatalogCode = a.CatalogCode AND c.ItemId = "
                  "a.LinkedItemId AND c.ClassId = 1 AND c.MemberId = 1 AND (c.LangCode = :LangCode OR c.LangCode = "
                  ":AllLangCode)) AS NodeName,");
    query->AddSQL("(SELECT COUNT(*) FROM Items AS b WHERE b.CatalogCode = a.CatalogCode AND b.ParentItemId = "
                  "a.ItemId) AS NumChilds");
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
        row.NumChilds = FieldInteger(records, "NumChilds");
        rows.push_back(std::move(row));
    }
    return rows;
}

// Depth first, pre-order, in OrderNum order. Every item is visited once at
// most, so a loop in a damaged catalog's tree ends the walk of that branch.
void TPublishLocally::WalkTree(int parentId, bool filter, TItemWriter writer, std::vector<int>& seen)
{
    for (const TTreeRow& row : ReadTreeLevel(parentId)) {
        if (cancelled_)
            return;
        if (std::find(seen.begin(), seen.end(), row.ItemId) != seen.end())
            continue;
        seen.push_back(row.ItemId);
        if (!filter || FlagsOf(row.ItemType) > 0)
            (this->*writer)(row);
        if (row.NumChilds > 0 && publishPage_ == 0)
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

void TPublishLocally::PublishPages()
{
    for (const std::string& lang : languages_)
        site_->EnsureFolder(lang);
    // Templates and their settings stay the same for every page of the run.
    TTemplates::TRun run(Data().GetPageGeneration().GetTemplates());
    // The work files are left as the last page wrote them, also when the run stops early.
    const std::string workDir = Data().GetPageGeneration().GetPreviewDir();
    std::vector<int> seen;
    try {
        WalkTree(kWebTreeRootId, true, &TPublishLocally::WritePage, seen);
    } catch (...) {
        keptWorkFiles_.Write(workDir);
        throw;
    }
    keptWorkFiles_.Write(workDir);
}

void TPublishLocally::WritePage(const TTreeRow& row)
{
    for (const std::string& lang : languages_) {
        if (cancelled_)
            return;
        WriteLog(Format("Publishing $1/$2 page", {lang, row.NodeName}));
        PublishPageInLanguage(row, lang);
    }
}

void TPublishLocally::PublishPageInLanguage(const TTreeRow& row, const std::string& lang)
{
    const int flags = FlagsOf(row.ItemType);
    // The page numbers met so far, in order, and whether each was written.
    std::vector<std::pair<int, bool>> pages{{1, false}};
    while (!cancelled_) {
        auto next = std::find_if(pages.begin(), pages.end(), [](const auto& page) { return !page.second; });
        if (next == pages.end())
            break;
        const int number = next->first;
        next->second = true;
        if (number != 1)
            WriteLog(Format("  Page $1", {std::to_string(number)}));
        if (flags & kHtmlFlag)
            GenerateKind(row, lang, number, "html", pages);
        else if (flags & kPdfFlag)
            GeneratePdf(row, lang);
        if (makeServerSideScripts_)
            for (const auto& [flag, extension] : kServerSideKinds)
                if ((flags & flag) && !cancelled_)
                    GenerateKind(row, lang, number, extension, pages);
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

void TPublishLocally::GenerateKind(const TTreeRow& row, const std::string& lang, int pageNumber,
                                   const std::string& extension, std::vector<std::pair<int, bool>>& pages)
{
    TTolvex& root = *Root();
    TTransformer transformer(Data().GetPageGeneration(), catalogCode_, &GetLog());
    const std::string fileName =
        root.GetPageFileNameWithExt(row.ItemId, row.ItemType, pageNumber, extension, true, nullptr);
    transformer.SetOutputKind(true, extension);
    transformer.SetPublishMode(publishKind_);
    transformer.SetPageNumber(pageNumber);
    transformer.KeepWorkFiles(keptWorkFiles_, ++pageSequence_);
    bool generated = false;
    std::string reason;
    try {
        generated = transformer.GeneratePage(row.LinkedItemId, row.ItemId, row.ItemType, lang, *collection_,
                                             connection_, "");
        if (!generated)
            reason = transformer.GetErrorText();
    } catch (const ETolvexException& error) {
        reason = error.what();
    }
    if (cancelled_)
        return;
    if (!generated) {
        PageFailed(fileName, reason);
        return;
    }
    const std::string html = transformer.GetResultHtml();
    for (int number : LinkedPageNumbers(html, row.ItemId)) {
        auto known = std::find_if(pages.begin(), pages.end(), [number](const auto& page) { return page.first == number; });
        if (known != pages.end())
            continue;
        if (number > kMaxPagesPerItem) {
            WriteLog(Format("Page $1 is beyond the last page that is published ($2)",
                            {std::to_string(number), std::to_string(kMaxPagesPerItem)}), 3);
            ++errorCount_;
            pages.emplace_back(number, true);
            continue;
        }
        pages.emplace_back(number, false);
    }
    const std::string folder = lang + "/";
    site_->WriteFile(folder + fileName, html);
    const std::string withoutIndex =
        root.GetPageFileNameWithExt(row.ItemId, row.ItemType, pageNumber, extension, false, nullptr);
    if (withoutIndex != fileName)
        site_->WriteFile(folder + withoutIndex, html);
    const std::string withAltName =
        root.GetPageFileNameWithExt(row.ItemId, row.ItemType, pageNumber, extension, true, &connection_);
    if (withAltName != fileName) {
        if (TSiteFolder::IsPlainName(withAltName)) {
            site_->WriteFile(folder + withAltName, html);
        } else {
            WriteLog(Format("Invalid alternative file name \"$1\"", {withAltName}), 3);
            ++errorCount_;
        }
    }
}

void TPublishLocally::GeneratePdf(const TTreeRow& row, const std::string& lang)
{
    const std::string fileName = std::to_string(row.ItemId) + ".pdf";
    if (!reportFactory_) {
        PageFailed(fileName, Tr("Reports are not available in this version"));
        return;
    }
    std::vector<std::string> params{"ReportFileName=" + site_->FullName(lang + "/" + fileName),
                                    "LangCode=" + lang,
                                    "ItemId=" + std::to_string(row.LinkedItemId),
                                    "ItemType=" + std::to_string(row.ItemType),
                                    "NotCustomize=yes",
                                    "NotOpenReport=yes",
                                    "NoMessageBoxes=yes"};
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
