#pragma once
// The dialog of one UI element of an item-type definition ("User
// Interface"): its element type (menu item, toolbar button, "Select Tree"
// entry, search kind), action id, caption, hint, location, image code,
// condition, greyed condition and order number, on the dialog's parameter
// list only (TUIElementForm).
#include "editors/framework/TolvexFrameEditor.h"

#include <QWidget>

#include <vector>

class QComboBox;
class QLineEdit;
class TFrameSite;

class TFrameEditUserInterface : public QWidget, public TTolvexFrameEditor {
public:
    explicit TFrameEditUserInterface(TFrameSite& site);

    void InitControls() override;
    bool Save() override;
    void LoadFromObjects(bool) override {}
    void StoreToObjects(bool) override {}

private:
    QComboBox* cbElementType_ = nullptr;
    // Action id, caption, hint, location, image code, condition, greyed, order number.
    std::vector<QLineEdit*> edits_;
};
