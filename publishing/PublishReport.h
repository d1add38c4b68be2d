#pragma once
// Makes a report: the report item's page (or, for a report template, a new
// report item made from it) generated with the report's templates, saved as
// HTML (item type 7003) or as an XSL-FO document that the processor turns
// into PDF (any other report). Before generating, the template's creation
// form (a new report) and its customization form may be shown through the
// program's report forms; what the user submits is passed to the page.
//
// Parameters: "ItemId" the report or report template, "ItemType" (7003 an
// HTML report; read from the item when missing), "LangCode", "ReportFileName"
// (empty: report.html or report.pdf in the report folder), "NotCustomize",
// "NotOpenReport", "NoMessageBoxes" ("yes" each).
//
// Each run writes its XSL-FO document into a work folder of its own; the
// PDF is written under a temporary name beside the target and renamed only
// when the processor exited 0 and the file is a PDF, and an older file of
// the target's name is removed first, so that a failed run leaves none.
#include "publishing/FopRunner.h"
#include "publishing/TolvexPublisher.h"

#include <memory>
#include <string>
#include <vector>

// The forms of a report template, shown by the program (an editor window).
class TReportForms {
public:
    virtual ~TReportForms() = default;
    // Shows the form item (type 519 creation form, 517 customization form)
    // with the parameter lines "created=..." and "customized=..."; the data
    // the user submitted, empty when the form was closed without submitting.
    virtual std::string RunForm(int formItemId, int formItemType, const std::vector<std::string>& params) = 0;
};

class TPublishReport : public TTolvexPublisher {
public:
    static constexpr int kPdfReportType = 7001;
    static constexpr int kHtmlReportType = 7003;
    static constexpr int kReportTemplateType = 514;
    static constexpr int kCustomizationFormType = 517;
    static constexpr int kCreationFormType = 519;
    static constexpr int kReportsRootId = 17;

    using TTolvexPublisher::TTolvexPublisher;

    void Execute() override;

    // Forms (not owned; null: forms are not shown, as if they asked nothing).
    void SetForms(TReportForms* forms) { forms_ = forms; }
    // The processor (tests give one with a short time limit or another program).
    void SetFop(TFopRunner fop) { fop_ = std::move(fop); }

    // The report item of the run (the new one when a template was given); 0 before.
    int ReportItemId() const { return reportItemId_; }
    // Whether a new report item was made (the Report menu is then built anew).
    bool CreatedReport() const { return createdReport_; }
    // The file the run wrote; empty when none.
    const std::string& ResultFile() const { return resultFile_; }
    const std::string& Submitted() const { return submitted_; }

    // Whether a report template writes XSL-FO (its source uses the FO namespace).
    static bool IsFoTemplate(const std::string& source);

private:
    void ReportMessage(const std::string& text);
    void CommitStep();
    bool PrepareReport(int& itemId);
    bool CustomizeReport(int itemId);
    bool RunReportForm(int templateId, int formType, const std::string& created, const std::string& customized);
    // The page of the report in the language; false (with the message) when it failed.
    bool Generate(int itemId, int pageType, const std::string& langCode, std::string& text);
    void MakePdf(const std::string& fo);
    void MakeHtml(const std::string& html);
    std::string Target(const char* defaultName) const;
    std::string ReportDir() const;

    TReportForms* forms_ = nullptr;
    TFopRunner fop_;
    std::string submitted_;
    std::string created_;
    int reportItemId_ = 0;
    int reportItemType_ = 0;
    bool createdReport_ = false;
    std::string resultFile_;
};
