#pragma once
// The "Customize Report" tab: a report form (the creation or the
// customization form of a report template) shown as its generated page.
// OK takes the fields of the page's first form, as the query text a GET
// form sends, into the editor's parameters as "submitted"
// (TReportCustomizationModel); the report run reads them from there. The
// form's own sending (Enter in a field) gives its query the same way and
// presses OK. The browser stays on the form page: links and the form's
// sending lead nowhere.
#include "editors/framework/TolvexFrameViewer.h"

#include <QWidget>

#include <memory>
#include <string>

class QWebEngineView;
class TFrameSite;
class TReportCustomizationModel;

class TFrameReportCustomization : public QWidget, public TTolvexFrameViewer {
public:
    explicit TFrameReportCustomization(TFrameSite& site);
    ~TFrameReportCustomization() override;

    void InitControls() override;
    bool Save() override;

    QWebEngineView* View() const { return wbReportCustomization_; }
    // Whether the page has finished loading (tests wait for it).
    bool IsLoaded() const { return loaded_; }

private:
    class TFormPage;
    void PressOk();
    // The first form's fields; empty without a form or when the page does not answer.
    std::string FormData();

    std::unique_ptr<TReportCustomizationModel> model_;
    QWebEngineView* wbReportCustomization_;
    bool loaded_ = false;
};
