#include "editors/media/definitions/DefinitionRecordModel.h"

#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectCollection.h"
#include "storage/MemberValueText.h"

TDefinitionRecordModel::TDefinitionRecordModel(const TSiteModelContext& context, std::vector<TField> fields,
                                               std::vector<std::string> required)
    : context_(context), fields_(std::move(fields)), required_(std::move(required))
{
}

TAbstractCObject* TDefinitionRecordModel::Object(const std::string& classTag) const
{
    return context_.Objects.GetObject(context_.ItemId, classTag);
}

void TDefinitionRecordModel::Load()
{
    hasObjects_ = true;
    for (const std::string& classTag : required_)
        hasObjects_ = hasObjects_ && Object(classTag) != nullptr;
    values_.assign(fields_.size(), std::string());
    if (hasObjects_)
        for (std::size_t i = 0; i < fields_.size(); ++i) {
            TAbstractCObject* object = Object(fields_[i].ClassTag);
            if (!object)
                continue;
            values_[i] = fields_[i].Number
                             ? std::to_string(object->GetLangInteger(fields_[i].Member, context_.LangCode, 0))
                             : object->GetLangString(fields_[i].Member, context_.LangCode, 0);
        }
    loaded_ = values_;
}

void TDefinitionRecordModel::SetValue(std::size_t field, const std::string& text)
{
    if (field < values_.size())
        values_[field] = text;
}

void TDefinitionRecordModel::Write(const std::string& classTag, const std::string& member, bool number,
                                   const std::string& text, std::string* newName)
{
    TAbstractCObject* object = Object(classTag);
    if (!object)
        return;
    if (classTag == "CommonNames" && member == "ItemName") {
        WriteItemName(*object, context_.LangCode, text);
        if (newName)
            *newName = text;
        return;
    }
    if (number)
        object->SetLangNumber(member, context_.LangCode, TMemberValueText::ReadInteger(text), 0);
    else
        object->SetLangString(member, context_.LangCode, text, 0);
}

void TDefinitionRecordModel::WriteItemName(TAbstractCObject& names, const std::string& langCode,
                                           const std::string& name)
{
    names.SetLangString("ItemName", "XXX", name, 0);
    names.SetLangString("ItemName", langCode, name, 0);
}

void TDefinitionRecordModel::Store(std::string* newName)
{
    if (!hasObjects_)
        return;
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        if (values_[i] == loaded_[i])
            continue;
        const TField& field = fields_[i];
        Write(field.ClassTag, field.Member, field.Number, values_[i], newName);
        if (!field.AlsoClassTag.empty())
            Write(field.AlsoClassTag, field.AlsoMember, false, values_[i], newName);
        // A number shows as it was stored.
        if (field.Number)
            values_[i] = std::to_string(TMemberValueText::ReadInteger(values_[i]));
    }
    loaded_ = values_;
}
