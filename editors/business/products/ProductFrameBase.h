#pragma once
// What the product frames that edit the code and the name share: the code
// (upper case as typed, outside catalog type 12), the name and the
// description, over a TProductPropertiesModel. A save checks them first and
// points at the refused edit; a new code or name gives the product the tree
// name "name (code)" and tells the item editor, so that the tree nodes
// follow. A frame adds its own rows below (AddRows, LoadRows, StoreRows) and
// may refuse values of its own (ValidateRows).
#include "editors/framework/TolvexFrameEditor.h"

#include <QWidget>

#include <memory>
#include <string>

class QFormLayout;
class QLineEdit;
class QPlainTextEdit;
class TFrameSite;
class TProductPropertiesModel;
struct TSiteModelContext;

class TProductFrameBase : public QWidget, public TTolvexFrameEditor {
public:
    // Required: the simple frames' captions ("Product Code (required)").
    TProductFrameBase(TFrameSite& site, const char* objectName, bool required);
    ~TProductFrameBase() override;

    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;
    void StoreToObjects(bool languageSwitch) override;
    bool Save() override;
    void AfterSave() override;

    // Shows the typed code in Edit as the product frames show codes (upper
    // case outside catalog type 12), the cursor where it was.
    static void ShowTypedCode(QLineEdit& edit, int catalogType);

protected:
    virtual void AddRows(QFormLayout& /*form*/) {}
    virtual void LoadRows() {}
    virtual void StoreRows() {}
    // The frame's own reason to refuse the save (translated) and the control to focus.
    virtual std::string ValidateRows(QWidget*& /*invalid*/) { return {}; }
    // Rows below the form (a picture, a note).
    virtual void AddBelow(QWidget& /*frame*/) {}
    void Changed();
    void SetNameEditText(const std::string& name) override;
    TSiteModelContext ModelContext();
    int CatalogType() const;
    // The history edit (hidden, as the tab never showed it) for frames that keep it.
    bool KeepsHistory = false;

private:
    void CodeEdited();
    void NameOrCodeEdited();
    void ReadControls();

    bool required_;
    std::unique_ptr<TProductPropertiesModel> model_;
    QLineEdit* edtCode_ = nullptr;
    QLineEdit* edtName_ = nullptr;
    QPlainTextEdit* edtDescription_ = nullptr;
    QPlainTextEdit* edtHistory_ = nullptr;
};
