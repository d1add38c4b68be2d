#pragma once
// The report forms of the program: the form item's page generated with the
// report's data ("created", "customized") and shown in a TfrmReportForm.
// A form page that fails to generate shows its error, and OK submits
// nothing, so the report run ends.
#include "publishing/PublishReport.h"

#include <QPointer>
#include <QWidget>

class TTolvex;

class TQtReportForms : public TReportForms {
public:
    // Root must outlive the object; Parent owns the dialogs while they show.
    TQtReportForms(TTolvex& root, QWidget* parent) : root_(root), parent_(parent) {}

    std::string RunForm(int formItemId, int formItemType, const std::vector<std::string>& params) override;
    // The page of the form (an HTML page describing the error when it cannot be generated).
    std::string FormPage(int formItemId, int formItemType, const std::vector<std::string>& params);

private:
    TTolvex& root_;
    QPointer<QWidget> parent_;
};
