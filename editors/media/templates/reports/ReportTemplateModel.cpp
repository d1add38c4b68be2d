#include "editors/media/templates/reports/ReportTemplateModel.h"

#include "editors/business/ItemNames.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectCollection.h"

TReportTemplateModel::TReportTemplateModel(const TSiteModelContext& context) : context_(context) {}

void TReportTemplateModel::Load()
{
    name_ = TItemNames::NameOf(context_.Objects, context_.ItemId, context_.LangCode);
    loadedName_ = name_;
    version_ = "(Unknown)";
    if (TAbstractCObject* version = context_.Objects.GetObject(context_.ItemId, "Version")) {
        const std::string text = version->GetString("Version", 0);
        if (!text.empty())
            version_ = text;
    }
}

bool TReportTemplateModel::Store()
{
    if (!NameChanged())
        return false;
    TItemNames::SetName(context_.Objects, context_.ItemId, context_.LangCode, name_);
    loadedName_ = name_;
    return true;
}
