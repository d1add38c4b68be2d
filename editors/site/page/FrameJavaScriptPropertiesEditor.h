#pragma once
// The "JavaScript Properties" tab of a script template: the script's name
// and file name (the same in every language), its version and id shown.
// The values are TFrameJavaScriptPropertiesEditorModel's; a renamed script
// tells the item editor its new name, so that the tree nodes follow.
#include "editors/framework/TolvexFrameEditor.h"

#include <QWidget>

#include <memory>

class QLabel;
class QLineEdit;
class TFrameJavaScriptPropertiesEditorModel;
class TFrameSite;

class TFrameJavaScriptPropertiesEditor : public QWidget, public TTolvexFrameEditor {
public:
    explicit TFrameJavaScriptPropertiesEditor(TFrameSite& site);
    ~TFrameJavaScriptPropertiesEditor() override;

    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;
    void StoreToObjects(bool languageSwitch) override;

protected:
    void SetNameEditText(const std::string& name) override;

private:
    std::unique_ptr<TFrameJavaScriptPropertiesEditorModel> model_;
    QLineEdit* edtScriptName_ = nullptr;
    QLineEdit* edtFileName_ = nullptr;
    QLabel* lblVersion_ = nullptr;
    QLabel* lblScriptId_ = nullptr;
};
