#pragma once
// The frames of the simple records of a catalog type's definition, each a
// form of edits over a TDefinitionRecordModel:
//  - TFrameKeyValue: the key value's name, filter, key and value;
//  - TFrameActionEditor: the action's description, id and command (the
//    action string), with the item's id shown;
//  - TFrameErrorMessage: the message's key (also the item's name) and text;
//  - TFrameCatalogType: the catalog type's name (also the item's name),
//    description, order number, start action and type number.
// A changed name is handed to the item editor after the save, so that the
// trees show it.
#include "editors/framework/TolvexFrameEditor.h"
#include "editors/media/definitions/DefinitionRecordModel.h"

#include <QWidget>

#include <memory>
#include <vector>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class TFrameSite;

class TFrameDefinitionRecord : public QWidget, public TTolvexFrameEditor {
public:
    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;
    void StoreToObjects(bool languageSwitch) override;

protected:
    // One edit of the form and the member it shows.
    struct TRecordField {
        TRecordField(const char* controlName, QString caption, TDefinitionRecordModel::TField member,
                     bool multiLine = false)
            : ControlName(controlName), Caption(std::move(caption)), Member(std::move(member)), MultiLine(multiLine)
        {
        }
        const char* ControlName;
        QString Caption;
        TDefinitionRecordModel::TField Member;
        bool MultiLine = false;
    };

    TFrameDefinitionRecord(TFrameSite& site, const char* objectName);

    virtual std::vector<TRecordField> Fields() const = 0;
    // The classes without whose objects the frame shows and stores nothing.
    virtual std::vector<std::string> RequiredClasses() const = 0;
    // A line of help below the form; none by default.
    virtual QString Hint() const { return {}; }
    // Whether a read-only "Item ID" shows the item's tree id.
    virtual bool ShowsItemId() const { return false; }
    void SetNameEditText(const std::string& name) override;

private:
    QString Text(std::size_t field) const;
    void SetText(std::size_t field, const QString& text);
    void Edited(std::size_t field);

    std::unique_ptr<TDefinitionRecordModel> model_;
    std::vector<TRecordField> fields_;
    // Per field: the one-line edit or the multi-line edit.
    std::vector<QLineEdit*> lines_;
    std::vector<QPlainTextEdit*> texts_;
    QLineEdit* edtItemId_ = nullptr;
};

class TFrameKeyValue : public TFrameDefinitionRecord {
public:
    explicit TFrameKeyValue(TFrameSite& site);

protected:
    std::vector<TRecordField> Fields() const override;
    std::vector<std::string> RequiredClasses() const override { return {"CommonNames", "CatalogKeyParams"}; }
};

class TFrameActionEditor : public TFrameDefinitionRecord {
public:
    explicit TFrameActionEditor(TFrameSite& site);

protected:
    std::vector<TRecordField> Fields() const override;
    std::vector<std::string> RequiredClasses() const override { return {"CommonNames", "CatalogActions"}; }
    bool ShowsItemId() const override { return true; }
};

class TFrameErrorMessage : public TFrameDefinitionRecord {
public:
    explicit TFrameErrorMessage(TFrameSite& site);

protected:
    std::vector<TRecordField> Fields() const override;
    std::vector<std::string> RequiredClasses() const override { return {"CommonNames", "ErrorMessage"}; }
    QString Hint() const override;
};

class TFrameCatalogType : public TFrameDefinitionRecord {
public:
    explicit TFrameCatalogType(TFrameSite& site);

protected:
    std::vector<TRecordField> Fields() const override;
    std::vector<std::string> RequiredClasses() const override { return {"CommonNames", "CatalogDescription"}; }
};
