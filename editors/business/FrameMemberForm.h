#pragma once
// TFrameMemberForm: a tab of controls that each show one member of the
// opened item's objects, built from a table of fields (TMemberField) over a
// TMemberFormModel: a line edit for texts and numbers, a multi-line edit
// for memos, a check box for Booleans, a combo box for a choice and a list
// of check boxes for a multi choice, each captioned from the table. A user
// change marks the tab modified; the tab stores only when modified. The
// hotel, room and service tabs derive from it with their tables and their
// particulars.
#include "editors/business/MemberFormModel.h"
#include "editors/framework/TolvexFrameEditor.h"

#include <QWidget>

#include <memory>
#include <string>
#include <vector>

class QFormLayout;
class QVBoxLayout;
class TFrameSite;
class TQtEditorPanel;

// The panels nested editors of a tab build on; a base placed before
// TTolvexFrameEditor, so that they outlive the nested editors it frees.
struct TNestedPanels {
    std::vector<std::unique_ptr<TQtEditorPanel>> Panels;
    ~TNestedPanels();
};

class TFrameMemberForm : public QWidget, protected TNestedPanels, public TTolvexFrameEditor {
public:
    TFrameMemberForm(TFrameSite& site, const char* objectName, std::vector<TMemberField> fields);
    ~TFrameMemberForm() override;

    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;
    void StoreToObjects(bool languageSwitch) override;

    TMemberFormModel* Model() const { return model_.get(); }

protected:
    // The control of the field (null for none).
    QWidget* Control(const std::string& control) const;
    // Hides the field's control and its caption.
    void HideField(const std::string& control);
    void SetFieldEnabled(const std::string& control, bool enabled);
    // The item whose objects the tab edits; the context's item by default.
    virtual int EditedItemId() { return 0; }
    // After the controls were filled (enabling, particulars).
    virtual void AfterLoad() {}
    // After a user change of the field.
    virtual void FieldChanged(const std::string& /*control*/) {}
    // After the model was stored.
    virtual void AfterStore() {}
    // Opens, on a page of the tab, the item with the editors of an editor
    // kind, or with one editor named with its parameter string (nested, sharing
    // the item's context).
    void NestEditors(QWidget& page, int editorKind);
    void NestEditor(QWidget& page, const std::string& editorName, const std::string& editorParams);
    // A page below the fields that takes the room left (in place of the
    // stretch that keeps the fields at the top), for a nested editor.
    QWidget& PageBelowFields(const char* objectName);
    // The catalog type of the open catalog.
    int CatalogType() const;
    // The field's control shows Value (as the user typed it, tracked as a change).
    void SetFieldText(const std::string& control, const std::string& value);
    void SetNameEditText(const std::string& name) override;
    // The field that shows the item's name (for renames in the tree); empty: none.
    std::string NameField;
    QVBoxLayout* Layout = nullptr;
    QFormLayout* Form = nullptr;

private:
    QWidget* MakeControl(const TMemberField& field);
    void FillChoices();
    void ShowValues();
    void ReadControl(const TMemberField& field);

    std::vector<TMemberField> fields_;
    std::unique_ptr<TMemberFormModel> model_;
    std::vector<QWidget*> controls_;
};
