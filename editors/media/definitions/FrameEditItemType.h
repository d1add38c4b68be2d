#pragma once
// The dialog of one editor entry of an item-type definition ("Item Type
// Editor"): the UI editor's plug-in name, its editor type, parameters,
// condition and order number. It works on the dialog's parameter list only
// (TEditorEntryForm) and refuses an empty plug-in name.
#include "editors/framework/TolvexFrameEditor.h"

#include <QWidget>

class QComboBox;
class QLineEdit;
class TFrameSite;

class TFrameEditItemType : public QWidget, public TTolvexFrameEditor {
public:
    explicit TFrameEditItemType(TFrameSite& site);

    void InitControls() override;
    bool Save() override;
    void LoadFromObjects(bool) override {}
    void StoreToObjects(bool) override {}

private:
    QComboBox* cbPluginName_ = nullptr;
    QLineEdit* edtEditorsType_ = nullptr;
    QLineEdit* edtParams_ = nullptr;
    QLineEdit* edtCondition_ = nullptr;
    QLineEdit* edtOrderNum_ = nullptr;
};
