#include "editors/framework/CompanyItemManager.h"

#include "catalog/CatalogData.h"
#include "editors/framework/TolvexControlClass.h"
#include "storage/AbstractCObject.h"
#include "storage/ObjectCollection.h"

TCompanyItemManager::TCompanyItemManager(std::string name, std::string params, std::string caption)
    : TTolvexItemManager(std::move(name), std::move(params)), caption_(std::move(caption))
{
}

std::string TCompanyItemManager::GetCaption(TTolvexControlClass& context)
{
    return context.Translate(caption_);
}

int TCompanyItemManager::ValidateItem(TTolvexControlClass& context, std::string& messages)
{
    messages.clear();
    if (!IsValidated(context))
        return 0;
    const int companyId = context.GetItemType() == kCompanyItemType ? context.GetItemId() : kCompanyItemId;
    TAbstractCObject* company = context.GetObjectCollection().GetObject(companyId, "CommonCompanyInfo");
    if (!company)
        return 0;
    TCatalogData& data = *context.Data();
    const std::string defaultLang = data.GetDefaultLangCode();
    int flags = CheckMember(context, company, "CompanyName", messages, 4, "No company name for \"$1\" language.",
                            defaultLang);
    if (data.IsMultilingual() && flags == 0) {
        for (const std::string& lang : data.GetLanguages())
            flags |= CheckMember(context, company, "CompanyDescription", messages, 1,
                                 "Not specified decription for the company.", lang);
        for (const std::string& lang : data.GetLanguages())
            if (lang != defaultLang && !company->HasValue("CompanyName", lang))
                flags |= CheckMember(context, company, "CompanyName", messages, 1,
                                     "No native company name for \"$1\" language.", lang);
    }
    const std::tuple<const char*, int, const char*> checks[] = {
        {"CompanyCountry", 2, "Not specified country for the company."},
        {"CompanyAddressCity", 1, "Not specified city for the company."},
        {"CompanyEmail", 2, "Not specified e-mail for the company."},
        {"CompanyContactName", 1, "Not specified contact name for the company."},
        {"CompanyLogoImage", 1, "It\\`s recommended to assign logotype for the company."}};
    for (const auto& [member, flag, message] : checks)
        flags |= CheckMember(context, company, member, messages, flag, message, "XXX");
    return flags;
}
