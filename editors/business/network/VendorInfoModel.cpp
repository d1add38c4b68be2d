#include "editors/business/network/VendorInfoModel.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogItemsSql.h"
#include "catalog/Tolvex.h"
#include "common/GlobalSettings.h"
#include "common/IniSettings.h"
#include "catalog/Singletons.h"
#include "common/Translation.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectCollection.h"
#include "storage/GlobalDefinition.h"

namespace {

constexpr const char* kNeutral = "XXX";

}  // namespace

TVendorInfoModel::TVendorInfoModel(const TSiteModelContext& context, TTolvex& root) : context_(context), root_(root) {}

std::string TVendorInfoModel::Text(const std::string& text, const std::string& arg) const
{
    return TTranslation::OrEnglish(Translation).Format(text, {arg});
}

void TVendorInfoModel::Load()
{
    code_.clear();
    regenerate_ = false;
    catalogType_ = 0;
    if (TAbstractCObject* member = context_.Objects.GetObject(context_.ItemId, "CoCMember")) {
        code_ = member->GetLangString("CatalogCode", context_.LangCode, 0);
        if (code_.empty())
            code_ = member->GetLangString("CatalogCode", kNeutral, 0);
        catalogType_ = member->GetInteger("CatalogType", 0);
        regenerate_ = member->GetBoolean("RegenerateIfChanged", 0);
    }
    codeEdited_ = false;
    modified_ = false;
}

bool TVendorInfoModel::SetCode(const std::string& text)
{
    const std::string code = catalog_network::CodeCharacters(text, false);
    if (code == code_)
        return false;
    code_ = code;
    codeEdited_ = true;
    modified_ = true;
    return true;
}

bool TVendorInfoModel::SetRegenerate(bool regenerate)
{
    if (regenerate == regenerate_)
        return false;
    regenerate_ = regenerate;
    modified_ = true;
    return true;
}

std::string TVendorInfoModel::CatalogTypeName() const
{
    return catalogType_ == 0 ? std::string() : root_.GlobalDefinition().GetCatalogTypeName(catalogType_);
}

std::string TVendorInfoModel::SiteAddress() const
{
    return catalog_network::MemberSiteAddress(root_.Settings().IniSettings(), code_);
}

void TVendorInfoModel::Store()
{
    TAbstractObjectCollection& objects = context_.Objects;
    if (TAbstractCObject* member = objects.GetObject(context_.ItemId, "CoCMember")) {
        member->SetLangString("CatalogCode", context_.LangCode, code_, 0);
        if (context_.LangCode != kNeutral)
            member->SetLangString("CatalogCode", kNeutral, code_, 0);
        member->SetBoolean("RegenerateIfChanged", regenerate_, 0);
    }
    if (TAbstractCObject* link = objects.GetObject(context_.ItemId, "LinkToCatalogItem")) {
        link->SetString("CatalogCode", code_, 0);
        link->SetNumber("ItemId", catalog_network::kCompanyItemId, 0);
        link->SetNumber("ClassId", catalog_network::kCompanyClassId, 0);
    }
    // A member without a name of its own (none, or still the new item's
    // caption) is named by its code.
    if (TAbstractCObject* names = objects.GetObject(context_.ItemId, "CommonNames")) {
        const std::string name = names->GetLangString("ItemName", context_.LangCode, 0);
        if (!code_.empty() && (name.empty() || name == Text("New CoC Member")))
            names->SetLangString("ItemName", context_.LangCode, code_, 0);
    }
}

bool TVendorInfoModel::CodeHeldByAnother() const
{
    return catalog_sql::HasRow(context_.Connection,
                               "SELECT s.ItemId FROM CStrings s JOIN Items i ON i.CatalogCode = s.CatalogCode AND "
                               "i.ItemId = s.ItemId WHERE s.CatalogCode = :CatalogCode AND s.ClassId = :ClassId AND "
                               "s.MemberId = 1 AND s.StringValue = :Code AND s.ItemId <> :ItemId",
                               context_.CatalogCode,
                               {{"ClassId", catalog_network::kMemberClassId},
                                {"Code", code_},
                                {"ItemId", context_.ItemId}});
}

std::string TVendorInfoModel::SaveError() const
{
    if (code_.empty())
        return Text("Enter CoC member catalog code");
    if (codeEdited_ && CodeHeldByAnother())
        return Text("CoC member with catalog code \"$1\" already exists in the catalog", code_);
    return {};
}

std::string TVendorInfoModel::RefreshRefusal() const
{
    return code_.empty() ? Text("Enter \"Catalog Code\" value") : std::string();
}

std::string TVendorInfoModel::Refresh(const TFetchRunner& fetch)
{
    Store();
    for (const catalog_network::TFetch& one : catalog_network::MemberFetches(code_))
        fetch(code_, one);
    const catalog_network::TCachedMember found =
        catalog_network::ReadCachedMember(context_.Catalog, context_.Connection, code_);
    if (TAbstractCObject* member = context_.Objects.GetObject(context_.ItemId, "CoCMember"))
        member->SetNumber("CatalogType", found.CatalogType, 0);
    catalogType_ = found.CatalogType;
    if (found.LogoImageId != 0)
        fetch(code_, catalog_network::LogoFetch(code_, found.LogoImageId));
    return found.CatalogType == 0 ? Text("Catalog \"$1\" not exists or empty", code_) : std::string();
}
