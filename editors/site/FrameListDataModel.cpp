#include "editors/site/lists/FrameListDataModel.h"

#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "common/ParamList.h"
#include "common/Translation.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectCollection.h"
#include "storage/NameValueLines.h"
#include "storage/TolvexObjectContext.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr const char* kNamesClass = "CommonNames";

}  // namespace

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

void TFrameListDataModel::Load()
{
    rows_.clear();
    values_.clear();
    operations_.clear();
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

void TFrameListDataModel::Record() { operations_.push_back({rows_, values_}); }

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
    Record();
    if (row < 0) {
        rows_.push_back({0, raw});
        values_.push_back(raw);
    } else {
        rows_[row].Texts = raw;
        values_[row] = raw;
    }
    return true;
}

void TFrameListDataModel::Delete(int row)
{
    if (row < 0 || row >= static_cast<int>(rows_.size()))
        return;
    Record();
    rows_.erase(rows_.begin() + row);
    values_.erase(values_.begin() + row);
}

void TFrameListDataModel::Undo()
{
    if (operations_.empty())
        return;
    rows_ = std::move(operations_.back().Rows);
    values_ = std::move(operations_.back().Values);
    operations_.pop_back();
}

void TFrameListDataModel::Store()
{
    if (operations_.empty())
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
