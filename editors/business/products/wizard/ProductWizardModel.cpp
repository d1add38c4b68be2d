#include "editors/business/products/wizard/ProductWizardModel.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/CatalogDefinition.h"
#include "catalog/CatalogFolders.h"
#include "catalog/ImageSave.h"
#include "catalog/Singletons.h"
#include "common/Amount.h"
#include "common/CaptionValue.h"
#include "common/Translation.h"
#include "common/WellKnownIds.h"
#include "editors/business/BusinessIds.h"
#include "editors/business/products/ProductPropertiesModel.h"
#include "storage/AbstractObjectCollection.h"
#include "storage/CatalogTables.h"
#include "storage/NameValueLines.h"
#include "storage/ObjectFactory.h"
#include "storage/TolvexObject.h"

#include <cstdlib>
#include <memory>
#include <optional>

namespace {

constexpr int kNamesClass = 1;
constexpr int kProductClass = 4004;
constexpr int kImagesClass = 4007;
constexpr int kPricesClass = 4011;

std::string Text(const std::string& text, std::initializer_list<TFormatArg> args = {})
{
    return TTranslation::OrEnglish(Translation).Format(text, args);
}

bool IsBlank(const std::string& text)
{
    return text.find_first_not_of(" \t\r\n") == std::string::npos;
}

std::string Trimmed(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A whole number of at most nine digits, no sign; nothing for anything else.
std::optional<int> WholeNumber(const std::string& text)
{
    const std::string digits = Trimmed(text);
    if (digits.empty() || digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return std::atoi(digits.c_str());
}

// "LANG=value" for every line of the parameters named Prefix followed by a language code.
std::vector<std::pair<std::string, std::string>> ByLanguage(const std::vector<std::string>& params,
                                                            const std::string& prefix)
{
    std::vector<std::pair<std::string, std::string>> values;
    for (const std::string& line : params) {
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos || equals <= prefix.size() || line.compare(0, prefix.size(), prefix) != 0)
            continue;
        values.emplace_back(line.substr(prefix.size(), equals - prefix.size()), line.substr(equals + 1));
    }
    return values;
}

}  // namespace

TProductWizardModel::TProductWizardModel(const TSiteModelContext& context) : context_(context) {}

std::vector<TProductWizardModel::TSchedule> TProductWizardModel::Schedules() const
{
    std::vector<std::string> lines;
    context_.Data.GetQueries().ListSubtree(business_ids::kSchedulesRoot, lines, 0, context_.Connection);
    std::vector<TSchedule> schedules;
    for (const std::string& line : lines) {
        std::string caption = CaptionValue::CaptionOf(line);
        // One blank leads every caption; the rest shows the depth.
        if (!caption.empty() && caption.front() == ' ')
            caption.erase(0, 1);
        TSchedule schedule{std::atoi(CaptionValue::ValueOf(line).c_str()), caption, {}};
        if (TAbstractCObject* object = context_.Objects.GetObject(schedule.ItemId, "CommonPriceSchedule"))
            schedule.CurrencyCode = object->GetLangString("CurrencyCode", context_.LangCode, 0);
        if (schedule.CurrencyCode.empty())
            schedule.CurrencyCode =
                context_.Data.GetCatalogProperty(business_ids::kDefaultCurrency, context_.Connection);
        schedules.push_back(schedule);
    }
    return schedules;
}

std::string TProductWizardModel::StoredCode(const std::string& typed) const
{
    return TProductPropertiesModel::StoredCode(Trimmed(typed), context_.Data.GetCatalogType());
}

TProductWizardModel::TRefusal TProductWizardModel::CheckAttributes(const std::vector<std::string>& params,
                                                                   const std::string& lang) const
{
    const std::string code = StoredCode(ValueOfName(params, kCode));
    // The product does not exist yet: every product's code counts.
    if (!code.empty() &&
        context_.Data.GetQueries().MemberValueExists(context_.Connection, 0, code, "Code", "Product"))
        return {Text("Product with code \"$1\" already exists in the catalog", {code}), TPage::Attributes,
                TField::Code};
    if (code.empty())
        return {Text("Enter product code"), TPage::Attributes, TField::Code};
    if (IsBlank(ValueOfName(params, kNamePrefix + lang)))
        return {Text("Enter product name"), TPage::Attributes, TField::Name};
    return {};
}

TProductWizardModel::TRefusal TProductWizardModel::CheckPrice(const std::vector<std::string>& params) const
{
    // Without a schedule there is no price to give.
    if (std::atoi(ValueOfName(params, kSchedule).c_str()) == 0 && Schedules().empty())
        return {};
    const std::optional<double> price = TAmount::Read(ValueOfName(params, kPrice));
    if (!price || *price < 0)
        return {Text("Enter correct price value"), TPage::Price, TField::Price};
    const std::string quantity = ValueOfName(params, kQuantity);
    if (!IsBlank(quantity) && !WholeNumber(quantity))
        return {Text("Enter correct quantity value"), TPage::Price, TField::Quantity};
    return {};
}

TProductWizardModel::TRefusal TProductWizardModel::Check(const std::vector<std::string>& params,
                                                         const std::string& lang) const
{
    TRefusal refusal = CheckAttributes(params, lang);
    return refusal.Message.empty() ? CheckPrice(params) : refusal;
}

bool TProductWizardModel::MayHoldProducts(int itemId) const
{
    if (itemId <= 0 || !context_.Catalog.ItemExists(itemId, context_.CatalogCode, context_.Connection))
        return false;
    const int type = context_.Data.GetItemDescription(itemId, context_.CatalogCode, context_.Connection).ItemType;
    return context_.Catalog.GetDefinition().CanContainItemType(type, business_ids::kProductType);
}

int TProductWizardModel::PlacementParent(int asked, int home) const
{
    if (MayHoldProducts(asked))
        return asked;
    return MayHoldProducts(home) ? home : 0;
}

TProductWizardModel::TCreated TProductWizardModel::Create(const std::vector<std::string>& params,
                                                          int placementParent) const
{
    TCatalog& catalog = context_.Catalog;
    TAbstractDBConnection& connection = context_.Connection;
    const std::string& code = context_.CatalogCode;
    const std::string productCode = StoredCode(ValueOfName(params, kCode));
    TCreated created;

    // The product below the products root, in the folder named after its page, as a new product from the tree is.
    int parent = catalog.GetDefinition().GetItemTypeParentId(business_ids::kProductType);
    if (parent == 0)
        parent = business_ids::kProductsRoot;
    if (placementParent != 0) {
        const std::string page = context_.Data.GetItemName(placementParent, connection, context_.LangCode);
        if (!page.empty())
            if (const int folder = context_.Data.GetFolders().FindOrCreateFolder(parent, page, false, connection,
                                                                                 context_.LangCode))
                parent = folder;
    }
    created.DataItemId = catalog.CreateItem(business_ids::kProductType, parent, 0, code, connection, 0);
    if (placementParent != 0)
        created.PlacementId =
            catalog.CreateItem(business_ids::kProductType, placementParent, created.DataItemId, code, connection, 0);

    TTolvexObjectFactory& factory = catalog.GetObjectFactory();
    const auto object = [&](int classId) {
        return factory.CreateObjectTyped(created.DataItemId, classId, 0, connection, code);
    };
    const auto names = ByLanguage(params, kNamePrefix);
    {
        std::unique_ptr<TTolvexObject> product = object(kProductClass);
        product->SetLangString("Code", kNoLanguageCode, productCode, 0);
        for (const auto& [lang, name] : names)
            product->SetLangString("Name", lang, name, 0);
        for (const auto& [lang, description] : ByLanguage(params, kDescriptionPrefix))
            product->SetLangString("Description", lang, description, 0);
        product->Save();
        std::unique_ptr<TTolvexObject> itemNames = object(kNamesClass);
        for (const auto& [lang, name] : names)
            if (!IsBlank(name))
                itemNames->SetLangString("ItemName", lang, Text("$1 ($2)", {name, productCode}), 0);
        itemNames->Save();
    }

    // The main image with the copies the image dialog stored beside it.
    if (const int main = std::atoi(ValueOfName(params, kMainImage).c_str()); main > 0) {
        const TImageSave::TServices services{catalog, context_.Data, factory, &context_.Data.GetFolders(),
                                             ::Translation};
        TImageSave reader(services, connection);
        if (reader.IsImageItem(main)) {
            const int thumbnail = reader.UsableCopyId(main, true);
            const int large = reader.UsableCopyId(main, false);
            std::unique_ptr<TTolvexObject> images = object(kImagesClass);
            images->SetLangNumber("MainImage", kNoLanguageCode, main, 0);
            images->SetLangNumber("ThumbnailImage", kNoLanguageCode, thumbnail, 0);
            images->SetLangNumber("LargeImage", kNoLanguageCode, large, 0);
            // Chosen without "Use main image for thumbnail", the image has no thumbnail copy.
            images->SetLangBoolean("NotUseMainImageThumbnail", kNoLanguageCode, thumbnail == 0, 0);
            images->Save();
        }
    }

    // One price for any quantity and every option, with the stock.
    const int schedule = std::atoi(ValueOfName(params, kSchedule).c_str());
    const std::optional<double> price = TAmount::Read(ValueOfName(params, kPrice));
    if (schedule != 0 && price) {
        std::unique_ptr<TTolvexObject> prices = object(kPricesClass);
        std::unique_ptr<TAbstractCObject> row(prices->AddSubObject("Price", "Price", kNoLanguageCode));
        if (row) {
            row->SetLangNumber("PriceSchedule", kNoLanguageCode, schedule, 0);
            row->SetLangNumber("PriceValue", kNoLanguageCode, *price, 0);
            row->SetLangNumber("QuantityAtStock", kNoLanguageCode,
                               WholeNumber(ValueOfName(params, kQuantity)).value_or(0), 0);
            row->Save();
        }
        prices->Save();
    }
    return created;
}
