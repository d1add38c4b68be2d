#pragma once
// TFrameCustomTemplate: the service's own XSL templates: the list of
// template types (a check mark for each one used) beside an XML source
// editor that shows the chosen type's template, or the default text of a
// type without one. What is typed for a type is kept when another is
// chosen; "Validate XML" checks the shown text and puts the caret on a
// fault; a save refuses a changed template that is not well-formed XML.
#include "editors/framework/TolvexFrameEditor.h"

#include <QWidget>

#include <memory>

class QListWidget;
class QPushButton;
class TCustomTemplatesModel;
class TFrameSite;
class TSourceTextEdit;

class TFrameCustomTemplate : public QWidget, public TTolvexFrameEditor {
public:
    explicit TFrameCustomTemplate(TFrameSite& site);
    ~TFrameCustomTemplate() override;
    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;
    void StoreToObjects(bool languageSwitch) override;
    bool Save() override;

    // Checks the shown text; true when well-formed (the fault shown otherwise).
    bool ValidateShown();

private:
    void ShowRow(int row);
    void KeepShown();

    std::unique_ptr<TCustomTemplatesModel> model_;
    QListWidget* lvTypes_ = nullptr;
    TSourceTextEdit* edtTemplate_ = nullptr;
    QPushButton* btnValidate_ = nullptr;
    int shownRow_ = -1;
};
