#include "editors/business/products/ProductPropertiesModel.h"

#include "catalog/CatalogData.h"
#include "catalog/Singletons.h"
#include "common/CommonFunctions.h"
#include "common/Translation.h"
#include "editors/business/BusinessIds.h"
#include "storage/AbstractCClassDefinition.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectCollection.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr const char* kCodeCharacters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";

std::string Upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

bool IsBlank(const std::string& text)
{
    return text.find_first_not_of(" \t\r\n") == std::string::npos;
}

std::string Text(const std::string& text, std::initializer_list<TFormatArg> args = {})
{
    return TTranslation::OrEnglish(Translation).Format(text, args);
}

}  // namespace

TProductPropertiesModel::TProductPropertiesModel(const TSiteModelContext& context) : context_(context) {}

std::string TProductPropertiesModel::StoredCode(const std::string& typed, int catalogType)
{
    if (catalogType == business_ids::kSupplierCatalogType)
        return typed;
    return Upper(TCommonFunctions::FilterChars(typed, kCodeCharacters));
}

std::string TProductPropertiesModel::ShownCode(const std::string& typed, int catalogType)
{
    return catalogType == business_ids::kSupplierCatalogType ? typed : Upper(typed);
}

std::string TProductPropertiesModel::Code() const
{
    return StoredCode(values_.Code, context_.Data.GetCatalogType());
}

void TProductPropertiesModel::Load()
{
    values_ = {};
    if (TAbstractCObject* product = context_.Objects.GetObject(context_.ItemId, "Product")) {
        values_.Code = product->GetLangString("Code", context_.LangCode, 0);
        values_.Name = product->GetLangString("Name", context_.LangCode, 0);
        values_.Description = product->GetLangString("Description", context_.LangCode, 0);
        values_.History = product->GetLangString("History", context_.LangCode, 0);
    }
    loaded_ = values_;
}

bool TProductPropertiesModel::NameOrCodeChanged() const
{
    return values_.Name != loaded_.Name || Code() != StoredCode(loaded_.Code, context_.Data.GetCatalogType());
}

std::string TProductPropertiesModel::Validate(TInvalid* invalid) const
{
    const auto refuse = [invalid](TInvalid which, std::string message) {
        if (invalid)
            *invalid = which;
        return message;
    };
    if (invalid)
        *invalid = ivNone;
    const std::string code = Code();
    // Only a code other than the one saved is tested: a product whose code
    // came in twice (an import) can still be saved with other changes. The
    // saved code is read from the database, as a preview stores the typed
    // one into the objects before the save.
    if (!code.empty() && code != SavedCode() &&
        context_.Data.GetQueries().MemberValueExists(context_.Connection, context_.ItemId, code, "Code", "Product"))
        return refuse(ivCode, Text("Product with code \"$1\" already exists in the catalog", {code}));
    if (code.empty())
        return refuse(ivCode, Text("Enter product code"));
    if (IsBlank(values_.Name))
        return refuse(ivName, Text("Enter product name"));
    return {};
}

std::string TProductPropertiesModel::SavedCode() const
{
    TAbstractCObject* product = context_.Objects.GetObject(context_.ItemId, "Product");
    if (!product)
        return {};
    const int memberId = product->GetClassDefinition()->GetMemberId("Code");
    return context_.Data.GetQueries().ReadStringMember(context_.ItemId, product->GetClassId(), memberId, "XXX",
                                                        context_.Connection);
}

std::string TProductPropertiesModel::TreeName() const
{
    return Text("$1 ($2)", {values_.Name, Code()});
}

void TProductPropertiesModel::ApplyTreeName()
{
    if (NameOrCodeChanged())
        if (TAbstractCObject* names = context_.Objects.GetObject(context_.ItemId, "CommonNames"))
            names->SetLangString("ItemName", context_.LangCode, TreeName(), 0);
}

void TProductPropertiesModel::Store()
{
    TAbstractCObject* product = context_.Objects.GetObject(context_.ItemId, "Product");
    if (!product)
        return;
    ApplyTreeName();
    // Only what changed: a value shown through from the default language
    // would otherwise be written into the frame's language.
    const std::string loadedCode = StoredCode(loaded_.Code, context_.Data.GetCatalogType());
    const std::pair<const char*, std::pair<std::string, std::string>> members[] = {
        {"Code", {Code(), loadedCode}},
        {"Name", {values_.Name, loaded_.Name}},
        {"Description", {values_.Description, loaded_.Description}},
        {"History", {values_.History, loaded_.History}},
    };
    for (const auto& [member, value] : members)
        if (value.first != value.second)
            product->SetLangString(member, context_.LangCode, value.first, 0);
    values_.Code = Code();
    loaded_ = values_;
}
