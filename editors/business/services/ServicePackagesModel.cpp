#include "editors/business/services/ServicePackagesModel.h"

#include "catalog/CatalogData.h"
#include "catalog/Singletons.h"
#include "common/Translation.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectCollection.h"
#include "storage/NameValueLines.h"

#include <algorithm>
#include <cstdlib>

namespace {

const char* const kTexts[] = {"Restrictions", "FreeTrialRestrictions", "TrialRestrictions"};

}  // namespace

TServicePackagesModel::TServicePackagesModel(const TSiteModelContext& context)
    : context_(context), candidates_(Candidates(context))
{
}

TServicePackagesModel::TCandidates TServicePackagesModel::Candidates(const TSiteModelContext& context)
{
    TCandidates candidates;
    std::vector<std::string> ids;
    context.Data.GetQueries().GetItemIdsOfType(kServiceType, ids, true, context.Connection, context.CatalogCode);
    for (const std::string& text : ids) {
        const int id = std::atoi(text.c_str());
        TAbstractCObject* names = context.Objects.GetObject(id, "CommonNames");
        TAbstractCObject* service = context.Objects.GetObject(id, "Service");
        if (!names || !service || service->GetLangBoolean("IsPackage", context.LangCode, 0))
            continue;
        const std::string guid = service->GetLangString("GUID", context.LangCode, 0);
        if (!guid.empty())
            candidates.emplace_back(guid, names->GetValueText("ItemName", context.LangCode, 0, false));
    }
    return candidates;
}

void TServicePackagesModel::Load()
{
    TAbstractCObject* service = context_.Objects.GetObject(context_.ItemId, "Service");
    isPackage_ = service && service->GetLangBoolean("IsPackage", context_.LangCode, 0);
    LoadEntries();
}

void TServicePackagesModel::LoadEntries()
{
    entries_.clear();
    std::vector<std::string> ids;
    context_.Objects.GetInstanceIds(context_.ItemId, kEntryClass, ids);
    for (const std::string& text : ids) {
        TEntry entry;
        entry.InstanceId = std::atoi(text.c_str());
        if (TAbstractCObject* object = context_.Objects.GetObjectByInstance(context_.ItemId, entry.InstanceId)) {
            const std::string& lang = context_.LangCode;
            entry.Guid = object->GetLangString("ServiceGUID", lang, 0);
            entry.Restrictions = object->GetLangString("Restrictions", lang, 0);
            entry.FreeTrialRestrictions = object->GetLangString("FreeTrialRestrictions", lang, 0);
            entry.TrialRestrictions = object->GetLangString("TrialRestrictions", lang, 0);
            const auto found = std::find_if(candidates_.begin(), candidates_.end(),
                                            [&](const auto& candidate) { return candidate.first == entry.Guid; });
            if (found != candidates_.end())
                entry.Name = found->second;
        }
        entries_.push_back(entry);
    }
}

std::vector<std::string> TServicePackagesModel::EditParams(int instanceId) const
{
    for (const TEntry& entry : entries_)
        if (entry.InstanceId == instanceId)
            return {"ServiceGUID=" + entry.Guid, "Restrictions=" + entry.Restrictions,
                    "FreeTrialRestrictions=" + entry.FreeTrialRestrictions,
                    "TrialRestrictions=" + entry.TrialRestrictions};
    return {};
}

std::string TServicePackagesModel::Apply(int instanceId, const std::vector<std::string>& answer)
{
    const std::string guid = ValueOfName(answer, "ServiceGUID");
    if (guid.empty())
        return TTranslation::OrEnglish(Translation).Format("Service GUID must not be empty", {});
    TAbstractCObject* entry = instanceId ? context_.Objects.GetObjectByInstance(context_.ItemId, instanceId)
                                         : context_.Objects.CreateObject(context_.ItemId, kEntryClass, 0);
    if (!entry)
        return {};
    entry->SetLangString("ServiceGUID", context_.LangCode, guid, 0);
    for (const char* member : kTexts)
        entry->SetLangString(member, context_.LangCode, ValueOfName(answer, member), 0);
    LoadEntries();
    return {};
}

void TServicePackagesModel::Delete(int instanceId)
{
    context_.Objects.DeleteObject(context_.ItemId, instanceId);
    LoadEntries();
}

void TServicePackagesModel::Store()
{
    if (TAbstractCObject* service = context_.Objects.GetObject(context_.ItemId, "Service"))
        service->SetLangBoolean("IsPackage", context_.LangCode, isPackage_, 0);
}
