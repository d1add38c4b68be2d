#pragma once
// TItemTypeDefinitionModel: what the item-type definition frame decides,
// without widgets. An item-type definition item of a style catalog says
// which item type it defines, its item manager, tabs, tree image, parent of
// linked items and flag word, and, as repeated object instances, its
// editors (class 802), allowed child types (805), template folders (808,
// one per kind) and UI elements (809). The catalog definition reads these
// items when it loads the catalog type.
//
// The fields are plain texts (numbers as decimal text; a text that is no
// number is stored as 0). Adding, editing and deleting an editor, UI element
// or child type, and choosing a template folder, are commands on the model's
// undo stack; nothing reaches the item's objects before Store, so dropping
// the model (Cancel) restores everything, a template folder set to "(none)"
// included. Store writes only what changed: the flag bits the frame does not
// show (such as the server-side output kinds) keep their values, and a
// template folder the combo does not list stays until the user chooses
// another. An item type is allowed as a child once.
#include "editors/media/definitions/EditorEntryForm.h"
#include "editors/media/definitions/UIElementForm.h"
#include "editors/site/SiteModelContext.h"

#include <QUndoStack>

#include <array>
#include <string>
#include <vector>

class TAbstractCObject;

class TItemTypeDefinitionModel {
public:
    // The bits of the flag word "IsPage" the frame shows.
    enum TFlag : int {
        kGenerateHtml = 0x1,
        kGenerateJsp = 0x2,
        kGeneratePhp = 0x4,
        kNotInMainTree = 0x20,
        kGeneratePdf = 0x80,
        kRemoveOldBeforeGeneration = 0x200,
        kPageTemplatesForScript = 0x400,
    };
    static constexpr int kShownFlags = kGenerateHtml | kGenerateJsp | kGeneratePhp | kNotInMainTree | kGeneratePdf |
                                       kRemoveOldBeforeGeneration | kPageTemplatesForScript;
    // Template kinds: master, body, colour sheet, font sheet, report, JSP, dynamic script.
    static constexpr int kTemplateKinds = 7;

    struct TFields {
        std::string Name;
        std::string ItemTypeId;
        std::string Description;
        std::string StartOrderNum;
        std::string PluginName;
        std::string ImageCode;
        std::string DefaultTab;
        std::string NewItemTab;
        std::string EditItemTab;
        std::string Params;
        std::string ParentItemId;
        int Flags = 0;  // the bits of kShownFlags
        bool operator==(const TFields&) const = default;
    };
    // A row of a list: Key is the object instance, or below 0 for a row added since the load.
    struct TEditor {
        int Key = 0;
        TEditorEntryForm Values;
        bool operator==(const TEditor&) const = default;
    };
    struct TUIElement {
        int Key = 0;
        TUIElementForm Values;
        bool operator==(const TUIElement&) const = default;
    };
    struct TChild {
        int Key = 0;
        int ItemType = 0;
        bool operator==(const TChild&) const = default;
    };
    struct TChoice {
        std::string Caption;
        int Value = 0;
    };

    explicit TItemTypeDefinitionModel(const TSiteModelContext& context);
    ~TItemTypeDefinitionModel();
    TItemTypeDefinitionModel(const TItemTypeDefinitionModel&) = delete;
    TItemTypeDefinitionModel& operator=(const TItemTypeDefinitionModel&) = delete;

    // Reads the item's objects afresh; the undo history starts anew.
    void Load();
    // False when the item's objects cannot be had (nothing is shown or stored then).
    bool HasObjects() const { return hasObjects_; }

    const TFields& Fields() const { return fields_; }
    void SetFields(const TFields& fields) { fields_ = fields; }
    // Whether the name differs from the stored one.
    bool NameEdited() const { return fields_.Name != loadedFields_.Name; }
    // The item was renamed elsewhere (in the tree): the name is the stored one now.
    void NameChanged(const std::string& name) { fields_.Name = loadedFields_.Name = name; }

    // The lists, editors by kind and order, UI elements by type and order, both as numbers.
    const std::vector<TEditor>& Editors() const { return state_.Editors; }
    const std::vector<TUIElement>& UIElements() const { return state_.UIElements; }
    const std::vector<TChild>& Children() const { return state_.Children; }
    // The row of a key; -1 when none.
    int EditorRow(int key) const;
    int UIElementRow(int key) const;
    int ChildRow(int key) const;

    // The dialogs' "name=value" lists for a row (-1: a new row, empty).
    std::vector<std::string> EditorParams(int row) const;
    std::vector<std::string> UIElementParams(int row) const;
    // Takes a dialog's answer for a row or a new row (-1); the row's key.
    int ApplyEditor(int row, const std::vector<std::string>& params);
    int ApplyUIElement(int row, const std::vector<std::string>& params);
    // The chosen type for a row or a new row (-1); the row's key, or 0 when
    // another row already allows the type (nothing changes then).
    int ApplyChild(int row, int itemType);
    void DeleteEditor(int row);
    void DeleteUIElement(int row);
    void DeleteChild(int row);

    // The folders of a template kind: "(none)" (0) first, then the folders
    // holding templates of the kind, by name; a stored folder that is none
    // of them is added so that it shows.
    const std::vector<TChoice>& TemplateChoices(int kind) const { return templateChoices_[kind]; }
    int TemplateFolder(int kind) const { return state_.TemplateFolders[kind]; }
    void SetTemplateFolder(int kind, int folderId);

    // "Element Type" names of the UI elements ("Unknown" for another number).
    static std::string ElementTypeName(const std::string& elementType);

    QUndoStack& UndoStack() { return undoStack_; }
    bool IsModified() const { return !undoStack_.isClean() || !(fields_ == loadedFields_); }
    // Writes what changed into the item's objects and reads them back.
    void Store();

private:
    struct TState {
        std::vector<TEditor> Editors;
        std::vector<TUIElement> UIElements;
        std::vector<TChild> Children;
        std::array<int, kTemplateKinds> TemplateFolders{};
        int NextKey = -1;
    };

    TAbstractCObject* Object(const char* classTag) const;
    void LoadFields();
    void LoadEntries();
    void LoadTemplateChoices();
    std::vector<int> InstancesOf(int classId) const;
    void Change(const QString& text, TState next);
    template <class TRow>
    int Apply(std::vector<TRow> TState::*rows, int row, const std::vector<std::string>& params, const char* text);
    static void Sort(TState& state);
    void StoreFields();
    void StoreEntries();
    void StoreTemplates();

    TSiteModelContext context_;
    bool hasObjects_ = false;
    TFields fields_;
    TFields loadedFields_;
    int storedFlags_ = 0;
    TState state_;
    TState loaded_;
    // The class-808 instance of each kind as loaded (0: none).
    std::array<int, kTemplateKinds> templateInstances_{};
    std::array<std::vector<TChoice>, kTemplateKinds> templateChoices_;
    QUndoStack undoStack_;
};
