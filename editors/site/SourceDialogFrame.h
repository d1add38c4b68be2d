#pragma once
// The source dialog of the visual editor ("EditHtmlSource"): the source
// editor in its parameter mode, editing the value "SourceHtml_" + language
// of the pairs it was opened with. The language is the dialog's current one;
// the other languages' pairs pass through unchanged.
#include "editors/site/html/dialogs/SiteDialogFrame.h"

#include <string>

class TCommonGui;
class TSourcesEditorWidget;

class TSourceDialogFrame : public TSiteDialogFrame {
    Q_OBJECT
public:
    TSourceDialogFrame(TCommonGui& gui, std::string languageCode, QWidget* parent = nullptr);

    QString TabCaption() const override;
    void InitControls(const TDialogParams& params) override;
    void Save(TDialogParams& params) override;

    TSourcesEditorWidget* Editor() const { return editor_; }

private:
    std::string Name() const { return "SourceHtml_" + languageCode_; }

    TSourcesEditorWidget* editor_;
    std::string languageCode_;
    bool modified_ = false;
};
