#pragma once
// A report template's form (the creation or the customization form) shown
// as its generated page in a browser. OK submits the page's first form: its
// fields, as the query text a GET form sends, are what the report run gets;
// a page without a form, or Cancel, submits nothing and the run ends. The
// browser stays on the form page: links and the form's own sending lead
// nowhere.
#include <QDialog>

#include <string>

class QDialogButtonBox;
class QWebEngineView;

class TfrmReportForm : public QDialog {
    Q_OBJECT
public:
    // Html: the form page; Caption: the window title.
    TfrmReportForm(const std::string& html, const QString& caption, QWidget* parent = nullptr);

    // What the user submitted; empty until OK was pressed on a page with a form.
    const std::string& Submitted() const { return submitted_; }
    // Whether the page has finished loading (tests wait for it).
    bool IsLoaded() const { return loaded_; }
    QDialogButtonBox* Buttons() const { return buttons_; }
    QWebEngineView* View() const { return view_; }

    // Submits the form as OK does.
    void Submit();

private:
    QWebEngineView* view_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
    std::string submitted_;
    bool loaded_ = false;
    bool submitting_ = false;
};
