#pragma once
// The web form editor: the item is edited by filling in an HTML form that a
// template of the catalog draws (TFrameWebFormModel finds and generates
// it). A script in the program's own script world reports the page's
// changes and the first form's fields, serialised as a query string, so
// that no request body is needed: Save, or the form's own submit button,
// takes that data into the item. The page never navigates away.
//
// TWebForm is its UI editor (plug-in names containing "WebForm"): one tab
// named after the plug-in, captioned with its "TabCaption".
#include "editors/framework/TolvexFrameEditor.h"
#include "editors/framework/TolvexUIEditor.h"
#include "editors/site/html/HtmlEventHandler.h"

#include <QWidget>

#include <memory>
#include <string>

class QWebEngineView;
class TFrameSite;
class TFrameWebFormModel;

class TWebForm : public TTolvexUIEditor {
public:
    using TTolvexUIEditor::TTolvexUIEditor;
    void CreatePages() override;
};

class TFrameWebForm : public QWidget, public TTolvexFrameEditor {
public:
    explicit TFrameWebForm(TFrameSite& site);
    ~TFrameWebForm() override;

    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;
    void StoreToObjects(bool languageSwitch) override;

    QWebEngineView* View() const { return wbWebForm_; }

private:
    class TFormPage;
    void PageReported(const QString& kind, const QString& formData, const QVariant& element);
    // Takes the form's data into the item; a new name reaches the tree after the save.
    void Submit();

    std::unique_ptr<TFrameWebFormModel> model_;
    THtmlEventHandler changes_;
    std::string formData_;
    QWebEngineView* wbWebForm_;
};
