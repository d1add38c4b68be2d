#pragma once
// The "Preview" tab of an item: the page the item will become, generated
// from the editor's unsaved values each time the tab is shown, in the
// editing language, for the preview role chosen in the in-house mode. The
// page shows in TWebPreviewWidget; TWebPreviewModel decides what its links
// do. Whether the preview is on (setting 96) and the role (setting 95) are
// the user's preferences, shared by every preview tab.
#include "editors/framework/TolvexFrameViewer.h"

#include <QWidget>

#include <memory>
#include <string>

class TFrameSite;
class TIniSettings;
class TWebPreviewModel;
class TWebPreviewWidget;

class TFrameWebPreview : public QWidget, public TTolvexFrameViewer {
public:
    explicit TFrameWebPreview(TFrameSite& site);
    ~TFrameWebPreview() override;

    void InitControls() override;
    void ReleaseControls() override;
    void TabShown() override;
    void LanguageChanged() override;

    TWebPreviewWidget* Preview() const { return preview_; }
    // Setting 83 ([Key] Name) holds the in-house word.
    static bool IsInHouse(const TIniSettings& settings);

private:
    bool Generate(const std::string& lang, int pageNo, const std::string& query, const std::string& role,
                  std::string& text);

    std::unique_ptr<TWebPreviewModel> model_;
    TWebPreviewWidget* preview_ = nullptr;
};
