#include "editors/business/network/LinkToCatalogModel.h"

#include "publishing/CatalogNetwork.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectCollection.h"
#include "editors/framework/EditorParams.h"

TLinkToCatalogModel::TLinkToCatalogModel(const TSiteModelContext& context, std::vector<std::string>* params)
    : context_(context), params_(params)
{
}

void TLinkToCatalogModel::Load()
{
    TAbstractCObject* member = context_.Objects.GetObject(context_.ItemId, "CoCMember");
    text_ = member ? member->GetLangString("CatalogCode", "XXX", 0) : std::string();
    modified_ = false;
}

void TLinkToCatalogModel::SetText(const std::string& text)
{
    if (text == text_)
        return;
    text_ = text;
    modified_ = true;
}

std::string TLinkToCatalogModel::Store()
{
    const std::string code = catalog_network::CodeCharacters(text_, true);
    text_ = code;
    TAbstractCObject* member = context_.Objects.GetObject(context_.ItemId, "CoCMember");
    TAbstractCObject* names = context_.Objects.GetObject(context_.ItemId, "CommonNames");
    if (!modified_ || !member || !names)
        return code;
    member->SetLangString("CatalogCode", "XXX", code, 0);
    names->SetLangString("ItemName", context_.LangCode, code, 0);
    if (params_) {
        editor_params::SetValue(*params_, "NameChanged", code);
        editor_params::SetValue(*params_, "NameChangedItemId", std::to_string(context_.ItemId));
    }
    return code;
}

bool TLinkToCatalogModel::NameChanged(int itemId, const std::string& newName)
{
    if (itemId != context_.ItemId)
        return false;
    text_ = catalog_network::CodeCharacters(newName, true);
    modified_ = true;
    return true;
}
