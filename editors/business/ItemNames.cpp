#include "editors/business/ItemNames.h"

#include "catalog/CatalogData.h"
#include "common/CommonFunctionsDetail.h"
#include "editors/site/SiteModelContext.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectCollection.h"

#include <cstdlib>
#include <vector>

std::string TItemNames::NameOf(TAbstractObjectCollection& objects, int itemId, const std::string& langCode)
{
    TAbstractCObject* names = objects.GetObject(itemId, "CommonNames");
    return names ? names->GetValueText("ItemName", langCode, 0, false) : std::string();
}

void TItemNames::SetName(TAbstractObjectCollection& objects, int itemId, const std::string& langCode,
                         const std::string& name)
{
    if (TAbstractCObject* names = objects.GetObject(itemId, "CommonNames"))
        names->SetLangString("ItemName", langCode, name, 0);
}

bool TItemNames::IsTaken(const TSiteModelContext& context, int itemType, const std::string& name, int exceptId,
                         const std::set<int>& leaving)
{
    std::vector<std::string> ids;
    context.Data.GetQueries().GetItemIdsOfType(itemType, ids, false, context.Connection, context.CatalogCode);
    std::vector<std::string> languages = context.Data.GetLanguages();
    languages.push_back(context.LangCode);
    for (const std::string& text : ids) {
        const int id = std::atoi(text.c_str());
        if (id == exceptId || leaving.count(id))
            continue;
        for (const std::string& lang : languages)
            if (common_detail::SameText(NameOf(context.Objects, id, lang), name))
                return true;
    }
    return false;
}
