#pragma once
// The "Preview" tab of master and body templates ("PreviewTemplate"): a
// page of the catalog generated with the edited template, unsaved changes
// included, each time the tab is shown and when the language changes while
// it shows. TTemplatePreviewModel chooses the page and decides what the
// links inside do; the view loads only what the model hands it.
#include "editors/framework/TolvexFrameViewer.h"
#include "editors/framework/TolvexUIEditor.h"

#include <QWidget>

#include <memory>
#include <string>

class QWebEngineView;
class TFrameSite;
class TTemplatePreviewModel;

class TPreviewTemplateViewer : public TTolvexUIEditor {
public:
    static constexpr const char* kPreviewTab = "PreviewTemplateViewer-preview";

    using TTolvexUIEditor::TTolvexUIEditor;
    void CreatePages() override;
    bool IsSingleFrame() const override { return true; }
    // The item's editors store their controls into the objects first.
    void TabActivated() override;
};

class TFramePreviewTemplate : public QWidget, public TTolvexFrameViewer {
public:
    explicit TFramePreviewTemplate(TFrameSite& site);
    ~TFramePreviewTemplate() override;

    void InitControls() override;
    void ReleaseControls() override;
    void TabShown() override;
    void LanguageChanged() override;

    QWebEngineView* View() const { return wbPreview_; }
    TTemplatePreviewModel* Model() const { return model_.get(); }

private:
    class TPreviewPage;
    void Show();
    // A link of the page, asked about once the engine has given it up.
    void Follow(const QUrl& url, const QUrl& current);
    void Load(const std::string& address);
    // The page, or the text of why it cannot be shown as a page of its own.
    bool Generate(int pageItem, int pageType, int master, int body, int color, int font, int background, int pageNo,
                  const std::string& lang, std::string& text);
    bool GeneratePage(int pageItem, int pageType, int master, int body, int color, int font, int background,
                      int pageNo, const std::string& lang, std::string& text);

    std::unique_ptr<TTemplatePreviewModel> model_;
    QWebEngineView* wbPreview_ = nullptr;
};

class TInternalPluginsManager;
void RegisterTemplatePreview(TInternalPluginsManager& registry);
