#include "publishing/PublishReport.h"

#include "catalog/CatalogData.h"
#include "catalog/CatalogPageGeneration.h"
#include "catalog/CatalogQueries.h"
#include "catalog/Tolvex.h"
#include "common/AtomicFile.h"
#include "common/CommonFunctions.h"
#include "common/CommonGui.h"
#include "common/Exceptions.h"
#include "common/ParamList.h"
#include "generation/Transformer.h"
#include "publishing/ImportedItems.h"
#include "publishing/PublisherRunner.h"
#include "storage/AbstractDBConnection.h"
#include "storage/ObjectCollection.h"
#include "storage/ObjectFactory.h"
#include "storage/QueryGuard.h"
#include "storage/RecordValues.h"
#include "storage/TolvexObject.h"
#include "storage/TolvexObjectContext.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const char* const kFoNamespace = "http://www.w3.org/1999/XSL/Format";
const char* const kNotGenerated = "Report wasn`t generated";

// A folder of its own for one run's work files, removed with the object.
class TRunFolder {
public:
    TRunFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "tolvex-report-XXXXXX").string();
        if (::mkdtemp(pattern.data()))
            path_ = pattern;
    }
    ~TRunFolder()
    {
        std::error_code ec;
        if (!path_.empty())
            fs::remove_all(path_, ec);
    }
    TRunFolder(const TRunFolder&) = delete;
    TRunFolder& operator=(const TRunFolder&) = delete;
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// The first item of the type under Parent; 0 when there is none.
int ChildOfType(TAbstractDBConnection& connection, const std::string& code, int parentId, int itemType)
{
    TQueryGuard query(connection);
    query->SetSQL("SELECT ItemId FROM Items WHERE CatalogCode = :CatalogCode AND ItemType = " +
                  std::to_string(itemType) + " AND ParentItemId = " + std::to_string(parentId) +
                  " ORDER BY OrderNum, ItemId");
    query->SetParam("CatalogCode", code);
    TAbstractRecordset& rows = query->Open(true);
    return rows.Eof() ? 0 : FieldInteger(rows, "ItemId");
}

// The value of Name in a submitted query text ("a=1&b=2"), URL-decoded.
std::string SubmittedValue(const std::string& submitted, const std::string& name)
{
    for (const std::string& field : TParamList::SplitFields(submitted, '&', false))
        if (TParamList::NameOf(field) == name) {
            try {
                return TParamList::UrlDecode(TParamList::ValueOf(field));
            } catch (const ETolvexException&) {
                return TParamList::ValueOf(field);
            }
        }
    return {};
}

}  // namespace

// What the forms made is kept even when the generation fails afterwards.
void TPublishReport::CommitStep()
{
    if (connection_.InTransaction()) {
        connection_.CommitTrans();
        connection_.BeginTrans();
    }
}

bool TPublishReport::IsFoTemplate(const std::string& source)
{
    return source.find(kFoNamespace) != std::string::npos;
}

void TPublishReport::ReportMessage(const std::string& text)
{
    if (Param("NoMessageBoxes") == "yes")
        WriteLog(text, 3);
    else
        Gui().ShowError(text, false);
}

std::string TPublishReport::ReportDir() const
{
    TCatalogData* data = const_cast<TPublishReport*>(this)->OpenCatalog();
    return data ? data->GetPageGeneration().GetReportDir() : std::string();
}

std::string TPublishReport::Target(const char* defaultName) const
{
    const std::string chosen = Param("ReportFileName");
    return chosen.empty() ? ReportDir() + "/" + defaultName : chosen;
}

void TPublishReport::Execute()
{
    TCatalogData* data = OpenCatalog();
    if (!data)
        return;
    int itemId = std::atoi(Param("ItemId").c_str());
    if (itemId == 0)
        return;
    const std::string code = data->GetCatalogCode();
    reportItemType_ = std::atoi(Param("ItemType").c_str());
    if (reportItemType_ == 0)
        reportItemType_ = data->GetQueries().GetItemType(itemId, code, connection_);

    if (!PrepareReport(itemId) || !CustomizeReport(itemId))
        return;
    reportItemId_ = itemId;
    const bool html = reportItemType_ == kHtmlReportType;
    if (!html) {
        const std::string missing = fop_.MissingComponents();
        if (!missing.empty()) {
            ReportMessage(Tr("The report components are not installed: PDF reports need the XSL-FO processor "
                             "\"fop\" and a Java runtime.") + "\r\n\r\n" + missing);
            return;
        }
    }
    if (Runner())
        Runner()->ShowWindow();

    std::string langCode = Param("LangCode");
    if (langCode.empty())
        langCode = data->GetCurrentLangCode();
    // An older report of the target's name is removed first: a failed run leaves none behind.
    const std::string target = Target(html ? "report.html" : "report.pdf");
    std::error_code ec;
    fs::remove(target, ec);

    WriteLog(Tr(html ? "XSL transformation ..." : "XML generation ..."));
    std::string text;
    if (!Generate(itemId, html ? kHtmlReportType : kPdfReportType, langCode, text))
        return;
    if (html)
        MakeHtml(text);
    else
        MakePdf(text);
}

bool TPublishReport::PrepareReport(int& itemId)
{
    TCatalogData& data = *OpenCatalog();
    const std::string code = data.GetCatalogCode();
    if (data.GetQueries().GetItemType(itemId, code, connection_) != kReportTemplateType)
        return true;
    const int templateId = itemId;
    TImportedItems items(*Root(), connection_, code, Gui());
    const bool fo = IsFoTemplate(items.GetText(templateId, "XmlData", "XXX"));

    // The creation form starts with the name of the chosen file.
    const std::string fileName = Param("ReportFileName");
    std::string baseName = fileName.substr(fileName.find_last_of("/\\") == std::string::npos
                                               ? 0
                                               : fileName.find_last_of("/\\") + 1);
    if (const size_t dot = baseName.rfind('.'); dot != std::string::npos)
        baseName.erase(dot);
    const std::string created = baseName.empty() ? std::string() : "ItemName=" + TParamList::UrlEncode(baseName);
    if (!RunReportForm(templateId, kCreationFormType, created, ""))
        return false;

    // A template that writes HTML makes an HTML report; any other a PDF report.
    reportItemType_ = fo ? kPdfReportType : kHtmlReportType;
    itemId = items.Create(reportItemType_, kReportsRootId);
    std::string name = SubmittedValue(submitted_, "ItemName");
    if (name.empty())
        name = SubmittedValue(submitted_, "ReportName");
    if (name.empty())
        name = baseName;
    if (name.empty())
        name = data.GetItemName(templateId, connection_, data.GetCurrentLangCode());
    if (!name.empty())
        items.SetName(itemId, name);
    TTolvexObjectFactory factory(Root()->ObjectContext());
    const int classId = Root()->ObjectContext().GetClassId("Report");
    std::unique_ptr<TTolvexObject> report = factory.CreateObjectTyped(itemId, classId, 0, connection_, code);
    report->Load();
    report->SetNumber("ReportTemplate", templateId, 0);
    if (!submitted_.empty())
        report->SetLangString("CreateParameters", "XXX", submitted_, 0);
    report->Save();
    created_ = submitted_;
    CommitStep();
    createdReport_ = true;
    WriteLog(Format("New report was created with ID $1", {std::to_string(itemId)}));
    return true;
}

bool TPublishReport::CustomizeReport(int itemId)
{
    TCatalogData& data = *OpenCatalog();
    const std::string code = data.GetCatalogCode();
    TTolvexObjectFactory factory(Root()->ObjectContext());
    const int classId = Root()->ObjectContext().GetClassId("Report");
    std::unique_ptr<TTolvexObject> report = factory.GetObjectTyped(itemId, classId, connection_, code);
    if (!report || report->GetInstanceId() == 0)
        return true;
    report->Load();
    if (created_.empty())
        created_ = report->GetLangString("CreateParameters", "XXX", 0);
    if (Param("NotCustomize") == "yes")
        return true;
    const int templateId = report->GetInteger("ReportTemplate", 0);
    submitted_.clear();
    if (!RunReportForm(templateId, kCustomizationFormType, "", report->GetLangString("CustomizedParameters", "XXX", 0)))
        return false;
    if (submitted_.empty())
        return true;  // no form to ask
    report->SetLangString("CustomizedParameters", "XXX", submitted_, 0);
    report->Save();
    CommitStep();
    return true;
}

bool TPublishReport::RunReportForm(int templateId, int formType, const std::string& created,
                                   const std::string& customized)
{
    submitted_.clear();
    if (!forms_ || templateId == 0)
        return true;
    const int form = ChildOfType(connection_, OpenCatalog()->GetCatalogCode(), templateId, formType);
    if (form == 0)
        return true;
    std::vector<std::string> params;
    if (!customized.empty())
        params.push_back("customized=" + customized);
    if (!created.empty())
        params.push_back("created=" + created);
    submitted_ = forms_->RunForm(form, formType, params);
    if (submitted_.empty()) {
        cancelled_ = true;
        return false;
    }
    return true;
}

bool TPublishReport::Generate(int itemId, int pageType, const std::string& langCode, std::string& text)
{
    TCatalogData& data = *OpenCatalog();
    TTransformer transformer(data.GetPageGeneration(), data.GetCatalogCode(), &GetLog());
    transformer.SetParameter("Submitted", submitted_);
    if (!created_.empty())
        transformer.SetParameter("Created", created_);
    bool generated = false;
    std::string error;
    try {
        generated = transformer.GeneratePage(itemId, itemId, pageType, langCode, *collection_, connection_, "") &&
                    !transformer.TransformFailed();
        error = transformer.GetErrorText();
    } catch (const ETolvexException& e) {
        error = e.what();
    }
    if (generated) {
        text = transformer.GetResultHtml();
        return true;
    }
    if (error.empty() && cancelled_)
        error = Tr("Process cancelled by user");
    ReportMessage(Tr(kNotGenerated) + "\r\n" + Format("Error occurs during report generation: \"$1\"", {error}));
    return false;
}

void TPublishReport::MakePdf(const std::string& fo)
{
    WriteLog(Tr("XSL-FO transformation to PDF ..."));
    // The document is written as the transformation serialised it: its
    // declaration names the encoding of its bytes (the template's output
    // encoding, UTF-8 by default), so it is never relabelled.
    TRunFolder work;
    if (work.Path().empty() || !WriteFileAtomically(work.Path() + "/report.fo", fo, 0600, nullptr,
                                                    TDurability::Scratch)) {
        ReportMessage(Tr(kNotGenerated) + "\r\n" + Tr("Cannot write the XSL-FO document."));
        return;
    }
    const std::string target = Target("report.pdf");
    const fs::path targetPath(target);
    std::error_code ec;
    if (targetPath.has_parent_path())
        fs::create_directories(targetPath.parent_path(), ec);
    // The processor writes beside the target under a name of this run; the
    // file takes the target's name only once it is a whole PDF.
    std::string temporary = (targetPath.parent_path() / ("." + targetPath.filename().string() + "-XXXXXX")).string();
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        ReportMessage(Tr(kNotGenerated) + "\r\n" + Format("Cannot write the file \"$1\"", {target}));
        return;
    }
    ::close(fd);
    const TFopRunner::TResult result = fop_.Run(work.Path() + "/report.fo", temporary, [this] {
        if (Runner())
            Runner()->ProcessMessages();
        return !cancelled_;
    });
    const bool made = result.Exited0 && IsPdfFile(temporary);
    if (made)
        fs::rename(temporary, target, ec);
    if (!made || ec) {
        fs::remove(temporary, ec);
        if (result.Cancelled) {
            cancelled_ = true;
            return;
        }
        std::string message = result.Message;
        if (message.empty())
            message = result.Exited0 ? Tr("The XSL-FO processor wrote no PDF document.")
                                     : Tr("The XSL-FO processor failed.");
        ReportMessage(Tr(kNotGenerated) + "\r\n" + message);
        return;
    }
    resultFile_ = target;
    WriteLog(Format("Report was saved to \"$1\"", {target}));
    if (Param("NotOpenReport") != "yes")
        TCommonFunctions::ShellOpen(target);
    success_ = true;
}

void TPublishReport::MakeHtml(const std::string& html)
{
    const std::string target = Target("report.html");
    const fs::path targetPath(target);
    std::error_code ec;
    if (targetPath.has_parent_path())
        fs::create_directories(targetPath.parent_path(), ec);
    if (!WriteFileAtomically(target, html)) {
        ReportMessage(Tr(kNotGenerated) + "\r\n" + Format("Cannot write the file \"$1\"", {target}));
        return;
    }
    resultFile_ = target;
    WriteLog(Format("Report was saved to \"$1\"", {target}));
    if (Param("NotOpenReport") != "yes")
        TCommonFunctions::ShellOpen(target);
    success_ = true;
}
