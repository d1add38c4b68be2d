#include "editors/business/services/CustomTemplatesModel.h"

#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "common/CommonFunctions.h"
#include "generation/Templates.h"
#include "storage/AbstractCClassDefinition.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectCollection.h"
#include "storage/TolvexObjectContext.h"

#include <algorithm>
#include <cstdlib>

TCustomTemplatesModel::TCustomTemplatesModel(const TSiteModelContext& context) : context_(context) {}

void TCustomTemplatesModel::Load()
{
    rows_.clear();
    TTolvexObjectContext& objects = RootObject->ObjectContext();
    TAbstractCClassDefinition* definition = objects.GetClassDefinition(objects.GetClassId("CustomXslTemplate"));
    if (!definition)
        return;
    std::vector<std::string> lines;
    definition->FillListChoices(definition->GetMemberId("TemplateType"), "XXX", lines);
    std::vector<std::string> ids;
    context_.Objects.GetInstanceIds(context_.ItemId, kTemplateClass, ids);
    for (const std::string& line : lines) {
        TRow row;
        row.Code = line.substr(0, line.find('='));
        row.Caption = line.find('=') == std::string::npos ? line : line.substr(line.find('=') + 1);
        row.Text = TTemplates::GetDefaultCustomXsl();
        for (const std::string& id : ids) {
            TAbstractCObject* object = context_.Objects.GetObjectByInstance(context_.ItemId, std::atoi(id.c_str()));
            if (object && std::to_string(object->GetLangInteger("TemplateType", "XXX", 0)) == row.Code) {
                row.InstanceId = object->GetInstanceId();
                row.Used = object->GetLangBoolean("UseTemplate", "XXX", 0);
                row.Text = object->GetLangString("Template", context_.LangCode, 0);
                break;
            }
        }
        rows_.push_back(row);
    }
}

void TCustomTemplatesModel::SetText(std::size_t row, const std::string& text)
{
    if (row < rows_.size() && rows_[row].Text != text) {
        rows_[row].Text = text;
        rows_[row].Changed = true;
    }
}

void TCustomTemplatesModel::SetUsed(std::size_t row, bool used)
{
    if (row < rows_.size() && rows_[row].Used != used) {
        rows_[row].Used = used;
        rows_[row].Changed = true;
    }
}

TCustomTemplatesModel::TXmlFault TCustomTemplatesModel::Check(const std::string& text)
{
    TXmlFault fault;
    int offset = 0;
    if (TCommonFunctions::CheckXml(text, offset, fault.Reason))
        return fault;
    fault.Found = true;
    fault.Offset = std::clamp(offset, 0, static_cast<int>(text.size()));
    fault.Line = 1 + static_cast<int>(std::count(text.begin(), text.begin() + fault.Offset, '\n'));
    return fault;
}

int TCustomTemplatesModel::FirstFault(TXmlFault& fault) const
{
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].Changed) {
            fault = Check(rows_[i].Text);
            if (fault.Found)
                return static_cast<int>(i);
        }
    return -1;
}

void TCustomTemplatesModel::Store()
{
    for (TRow& row : rows_) {
        if (!row.Changed)
            continue;
        TAbstractCObject* object = row.InstanceId
                                       ? context_.Objects.GetObjectByInstance(context_.ItemId, row.InstanceId)
                                       : context_.Objects.CreateObject(context_.ItemId, kTemplateClass, 0);
        if (!object)
            continue;
        row.InstanceId = object->GetInstanceId();
        object->SetLangNumber("TemplateType", "XXX", std::atoi(row.Code.c_str()), 0);
        object->SetLangBoolean("UseTemplate", "XXX", row.Used, 0);
        object->SetLangString("Template", context_.LangCode, row.Text, 0);
        row.Changed = false;
    }
}
