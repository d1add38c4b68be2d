#pragma once
// TFrameListDataModel: what a list data frame decides, without the grid: the
// item's sub-objects of one class as rows, with the columns, the class and
// the Add/Edit dialog's item type read from the catalog definition under the
// UI editor's plug-in name. Adding, editing and deleting a row is a command
// on the model's undo stack: shown at once, undoable and redoable until the
// save, and written into the item's objects only by Store; a cancel drops
// the model. "Modified" is "the stack is not clean".
#include "editors/site/SiteModelContext.h"

#include <QUndoStack>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class TFrameListDataModel {
public:
    using TLookup = std::function<std::string(const std::string& key)>;
    static constexpr int kMaxColumns = 32;

    struct TColumn {
        std::string Member;
        std::string Caption;
    };
    struct TRow {
        int InstanceId = 0;  // 0 for a row added since the load
        std::vector<std::string> Texts;  // as the columns show them
    };

    TFrameListDataModel(const TSiteModelContext& context, const TLookup& value);
    ~TFrameListDataModel();
    TFrameListDataModel(const TFrameListDataModel&) = delete;
    TFrameListDataModel& operator=(const TFrameListDataModel&) = delete;

    const std::string& ClassXmlTag() const { return classTag_; }
    const std::vector<TColumn>& Columns() const { return columns_; }
    int DialogItemType() const { return dialogItemType_; }
    // Add and Edit show only with a dialog item type; Delete always.
    bool ShowsAddAndEdit() const { return dialogItemType_ != 0; }
    const std::string& DeleteQuestion() const { return deleteQuestion_; }

    void Load();
    const std::vector<TRow>& Rows() const { return rows_; }

    // The dialog's start values for editing a row: "member=value" lines.
    std::vector<std::string> EditParams(int row) const;
    // The dialog's answer (its "name=value" list) for a new row (Row -1) or
    // a row; false when the dialog asked to be shown again ("reedit") and
    // nothing was taken.
    bool ApplyDialog(int row, const std::vector<std::string>& params);
    void Delete(int row);

    QUndoStack& UndoStack() { return undoStack_; }
    bool CanUndo() const { return undoStack_.canUndo(); }
    void Undo() { undoStack_.undo(); }
    bool IsModified() const { return !undoStack_.isClean(); }
    // Writes the rows into the item's objects and reads them back; the undo
    // history starts anew.
    void Store();

private:
    class TRowCommand;
    // A row as shown and its raw values.
    struct TEntry {
        TRow Row;
        std::vector<std::string> Values;
    };

    // Puts To in the place of From at Index: an insertion without From, a
    // removal without To.
    void Replace(int index, const std::optional<TEntry>& from, const std::optional<TEntry>& to);

    TSiteModelContext context_;
    std::string classTag_;
    std::vector<TColumn> columns_;
    int dialogItemType_ = 0;
    std::string deleteQuestion_;
    std::vector<TRow> rows_;
    std::vector<std::vector<std::string>> values_;  // raw values per row
    std::vector<TRow> loadedRows_;
    std::vector<std::vector<std::string>> loadedValues_;
    QUndoStack undoStack_;
};
