#include "editors/media/definitions/ObjectEditorModel.h"

#include "common/BinaryDataInfo.h"
#include "common/MemberTypes.h"
#include "storage/AbstractCClassDefinition.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectCollection.h"
#include "storage/MemberValueText.h"

TObjectEditorModel::TObjectEditorModel(const TSiteModelContext& context, std::string classXmlTag)
    : context_(context), classTag_(std::move(classXmlTag))
{
}

TAbstractCObject* TObjectEditorModel::Object() const
{
    return classTag_.empty() ? nullptr : context_.Objects.GetObject(context_.ItemId, classTag_);
}

void TObjectEditorModel::Load()
{
    rows_.clear();
    TAbstractCObject* object = Object();
    TAbstractCClassDefinition* definition = object ? object->GetClassDefinition() : nullptr;
    hasObject_ = definition != nullptr;
    const std::string& lang = context_.LangCode;
    for (int index = 0; definition && index < definition->GetMemberCount(); ++index) {
        const int memberId = definition->GetMemberIdByIndex(index);
        const int type = definition->GetMemberType(memberId);
        TRow row;
        row.Member = definition->GetMemberXmlTag(memberId);
        if (type >= kFirstBinaryMemberType) {
            row.ReadOnly = true;
            TBinaryDataInfo info;
            if (object->GetBinaryInfoById(memberId, lang, 0, &info))
                row.Text = info.MimeType + ", " + std::to_string(info.Bytes) + " bytes";
        } else if (type >= kFirstFloatMemberType && type <= kLastFloatMemberType) {
            row.Text = TMemberValueText::FormatGeneral(object->GetNumberById(memberId, lang, 0));
        } else {
            row.Text = object->GetValueText(row.Member, lang, 0, false);
        }
        rows_.push_back(row);
    }
    loaded_ = rows_;
}

void TObjectEditorModel::SetText(int row, const std::string& text)
{
    if (row >= 0 && row < static_cast<int>(rows_.size()) && !rows_[row].ReadOnly)
        rows_[row].Text = text;
}

bool TObjectEditorModel::IsModified() const
{
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].Text != loaded_[i].Text)
            return true;
    return false;
}

void TObjectEditorModel::Store()
{
    TAbstractCObject* object = hasObject_ ? Object() : nullptr;
    if (!object)
        return;
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (!rows_[i].ReadOnly && rows_[i].Text != loaded_[i].Text)
            object->SetValueText(rows_[i].Member, context_.LangCode, rows_[i].Text, 0);
    // Read back: the texts show what was stored.
    Load();
}
