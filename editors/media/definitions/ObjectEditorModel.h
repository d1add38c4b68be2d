#pragma once
// TObjectEditorModel: the item's object of one class as rows of member and
// value, without widgets; the class is configured by the catalog definition
// (the key value "ClassXmlTag" of the editor's name). Each member of the
// class is a row in member order with its value as text in the content
// language (first value of a multiple member). Binary members are shown by
// their MIME type and size and cannot be edited; numbers with a fraction
// show every digit they have.
//
// Store writes back only the rows whose text changed, parsed by member type,
// so that a member the user did not touch keeps its value exactly.
#include "editors/site/SiteModelContext.h"

#include <string>
#include <vector>

class TAbstractCObject;

class TObjectEditorModel {
public:
    struct TRow {
        std::string Member;
        std::string Text;
        bool ReadOnly = false;
    };

    TObjectEditorModel(const TSiteModelContext& context, std::string classXmlTag);

    const std::string& ClassXmlTag() const { return classTag_; }
    void Load();
    // False when no class is configured or the item has no object of it.
    bool HasObject() const { return hasObject_; }
    const std::vector<TRow>& Rows() const { return rows_; }
    // A read-only row keeps its text.
    void SetText(int row, const std::string& text);
    bool IsModified() const;
    void Store();

private:
    TAbstractCObject* Object() const;

    TSiteModelContext context_;
    std::string classTag_;
    bool hasObject_ = false;
    std::vector<TRow> rows_;
    std::vector<TRow> loaded_;
};
