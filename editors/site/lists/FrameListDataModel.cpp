#include "editors/site/lists/FrameListDataModel.h"

#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "common/ParamList.h"
#include "common/Translation.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectCollection.h"
#include "storage/NameValueLines.h"
#include "storage/TolvexObjectContext.h"

#include <QUndoCommand>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr const char* kNamesClass = "CommonNames";

}  // namespace

// A row added (no Before), edited, or deleted (no After).
class TFrameListDataModel::TRowCommand : public QUndoCommand {
public:
    TRowCommand(TFrameListDataModel& model, int index, std::optional<TEntry> before, std::optional<TEntry> after)
        : model_(model), index_(index), before_(std::move(before)), after_(std::move(after))
    {
    }
    void redo() override { model_.Replace(index_, before_, after_); }
    void undo() override { model_.Replace(index_, after_, before_); }

private:
    TFrameListDataModel& model_;
    int index_;
    std::optional<TEntry> before_;
    std::optional<TEntry> after_;
};

TFrameListDataModel::TFrameListDataModel(const TSiteModelContext& context, const TLookup& value) : context_(context)
{
    const std::string question = value("DeleteQuestion");
    deleteQuestion_ = TTranslation::OrEnglish(Translation)
                          .Translate(question.empty() ? "Do you really want to delete the item?" : question);
    classTag_ = value("ClassXmlTag");
    if (classTag_.empty())
        classTag_ = kNamesClass;
    dialogItemType_ = std::atoi(value("EditItemType").c_str());
    for (int n = 1; n <= kMaxColumns; ++n) {
        const std::string line = value("MemberXmlTagForColumn" + std::to_string(n));
        if (line.empty())
            break;
        columns_.push_back({TParamList::NameOf(line), TParamList::ValueOf(line)});
    }
    if (columns_.empty() && classTag_ == kNamesClass)
        columns_.push_back({"ItemName", "Name"});
}

TFrameListDataModel::~TFrameListDataModel()
{
    // The stack's commands go with it; nobody is told.
    undoStack_.blockSignals(true);
}

void TFrameListDataModel::Load()
{
    rows_.clear();
    values_.clear();
    undoStack_.clear();
    if (columns_.empty())
        return;
    const int classId = RootObject->ObjectContext().GetClassId(classTag_);
    std::vector<std::string> instances;
    context_.Objects.GetInstanceIds(context_.ItemId, classId, instances);
    for (const std::string& text : instances) {
        TAbstractCObject* object = context_.Objects.GetObjectByInstance(context_.ItemId, std::atoi(text.c_str()));
        if (!object)
            continue;
        TRow row;
        row.InstanceId = object->GetInstanceId();
        std::vector<std::string> raw;
        for (std::size_t column = 0; column < columns_.size(); ++column) {
            const std::string& member = columns_[column].Member;
            raw.push_back(object->GetValueText(member, context_.LangCode, 0, false));
            row.Texts.push_back(object->GetValueText(member, context_.LangCode, 0, column > 0));
        }
        rows_.push_back(row);
        values_.push_back(raw);
    }
    loadedRows_ = rows_;
    loadedValues_ = values_;
}

std::vector<std::string> TFrameListDataModel::EditParams(int row) const
{
    std::vector<std::string> params;
    if (row < 0 || row >= static_cast<int>(rows_.size()))
        return params;
    for (std::size_t column = 0; column < columns_.size(); ++column)
        params.push_back(columns_[column].Member + "=" + values_[row][column]);
    return params;
}

void TFrameListDataModel::Replace(int index, const std::optional<TEntry>& from, const std::optional<TEntry>& to)
{
    if (!from) {
        rows_.insert(rows_.begin() + index, to->Row);
        values_.insert(values_.begin() + index, to->Values);
    } else if (!to) {
        rows_.erase(rows_.begin() + index);
        values_.erase(values_.begin() + index);
    } else {
        rows_[index] = to->Row;
        values_[index] = to->Values;
    }
}

bool TFrameListDataModel::ApplyDialog(int row, const std::vector<std::string>& params)
{
    auto value = [&params](const std::string& name) { return ValueOfName(params, name); };
    if (!value("reedit").empty())
        return false;
    if (columns_.empty() || row >= static_cast<int>(rows_.size()))
        return true;
    std::vector<std::string> raw;
    for (const TColumn& column : columns_)
        raw.push_back(value(column.Member));
    if (row < 0) {
        undoStack_.push(new TRowCommand(*this, static_cast<int>(rows_.size()), std::nullopt, TEntry{{0, raw}, raw}));
    } else {
        TEntry after{rows_[row], raw};
        after.Row.Texts = raw;
        undoStack_.push(new TRowCommand(*this, row, TEntry{rows_[row], values_[row]}, std::move(after)));
    }
    return true;
}

void TFrameListDataModel::Delete(int row)
{
    if (row < 0 || row >= static_cast<int>(rows_.size()))
        return;
    undoStack_.push(new TRowCommand(*this, row, TEntry{rows_[row], values_[row]}, std::nullopt));
}

void TFrameListDataModel::Store()
{
    if (!IsModified())
        return;
    for (const TRow& loaded : loadedRows_)
        if (std::none_of(rows_.begin(), rows_.end(),
                         [&](const TRow& row) { return row.InstanceId == loaded.InstanceId; }))
            context_.Objects.DeleteObject(context_.ItemId, loaded.InstanceId);
    const int classId = RootObject->ObjectContext().GetClassId(classTag_);
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        TAbstractCObject* object = nullptr;
        if (rows_[i].InstanceId == 0) {
            object = context_.Objects.CreateObject(context_.ItemId, classId, 0);
        } else {
            const auto loaded = std::find_if(loadedRows_.begin(), loadedRows_.end(),
                                             [&](const TRow& row) { return row.InstanceId == rows_[i].InstanceId; });
            if (loadedValues_[loaded - loadedRows_.begin()] != values_[i])
                object = context_.Objects.GetObjectByInstance(context_.ItemId, rows_[i].InstanceId);
        }
        if (!object)
            continue;
        for (std::size_t column = 0; column < columns_.size(); ++column)
            object->SetValueText(columns_[column].Member, context_.LangCode, values_[i][column], 0);
    }
    // The rows are read back from the objects, so that the added rows carry
    // their instances and a second Store changes nothing.
    Load();
}
