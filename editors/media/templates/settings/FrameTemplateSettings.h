#pragma once
// The "Settings" tab of a template with a settings page: the page's form
// in a web view. A script in the program's own script world reports each
// change with the form's fields; the first change marks the item modified,
// and Save takes the fields into the template's settings
// (TTemplateSettingsModel). The page is generated once for the life of the
// tab, so that switching the language or cancelling keeps what the user
// typed. The view goes nowhere but to its own page: a link or a submit
// button in the form leaves it where it is.
#include "editors/framework/TolvexFrameViewer.h"
#include "editors/site/html/HtmlEventHandler.h"

#include <QWidget>

#include <memory>
#include <string>

class QWebEngineView;
class TFrameSite;
class TTemplateSettingsModel;

class TFrameTemplateSettings : public QWidget, public TTolvexFrameViewer {
public:
    explicit TFrameTemplateSettings(TFrameSite& site);
    ~TFrameTemplateSettings() override;

    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;
    bool Save() override;
    void Cancel() override;

    QWebEngineView* View() const { return wbSettings_; }

private:
    class TSettingsPage;
    void PageReported(const QString& kind, const QString& formData, const QVariant& element);

    std::unique_ptr<TTemplateSettingsModel> model_;
    THtmlEventHandler changes_;
    std::string formData_;
    bool settingsLoaded_ = false;
    QWebEngineView* wbSettings_ = nullptr;
};
