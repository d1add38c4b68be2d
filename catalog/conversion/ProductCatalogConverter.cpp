#include "catalog/conversion/ProductCatalogConverter.h"

#include "catalog/conversion/ConversionProgress.h"
#include "common/Amount.h"
#include "common/CommonFunctions.h"
#include "common/CommonFunctionsDetail.h"
#include "common/ParamList.h"
#include "common/XmlPtr.h"
#include "storage/AbstractDBQuery.h"
#include "storage/CatalogTables.h"
#include "storage/ConcreteDAL.h"
#include "storage/LWDefinitionLookup.h"
#include "storage/LWItem.h"
#include "storage/LWItemCondition.h"
#include "storage/LWObject.h"
#include "storage/QueryGuard.h"

#include <charconv>
#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <sstream>
#include <utility>
#include <vector>

using common_detail::Trim;
using common_detail::UpperCase;
using std::to_string;

namespace {

using TParams = std::vector<std::pair<std::string, TVariant>>;
using TColumn = TLWItemCondition::TColumn;

// One open read of the old file; closed and given back however the reader ends.
class TOldRows {
public:
    TOldRows(TAbstractDBConnection& connection, const std::string& sql, const TParams& params) : query_(connection)
    {
        query_->SetSQL(sql);
        for (const auto& [name, value] : params)
            query_->SetParam(name, value);
        rows_ = &query_->Open(true);
    }
    ~TOldRows()
    {
        try {
            query_->Close();
        } catch (...) {
            // closing a read cannot lose anything
        }
    }
    TOldRows(const TOldRows&) = delete;
    TOldRows& operator=(const TOldRows&) = delete;

    TAbstractRecordset& operator*() const { return *rows_; }
    TAbstractRecordset* operator->() const { return rows_; }

private:
    TQueryGuard query_;
    TAbstractRecordset* rows_ = nullptr;
};

TVariant FieldOrNull(const TAbstractRecordset& rows, const std::string& column)
{
    return rows.HasField(column) ? rows.Field(column) : TVariant();
}

// A column as trimmed text; "" when it is missing or null.
std::string Text(const TAbstractRecordset& rows, const std::string& column)
{
    const TVariant value = FieldOrNull(rows, column);
    return value.IsNull() ? std::string() : Trim(TCommonFunctions::VariantToString(value));
}

// A column as a whole number; nothing when it is missing, null or no number.
std::optional<long long> Number(const TAbstractRecordset& rows, const std::string& column)
{
    const TVariant value = FieldOrNull(rows, column);
    switch (value.Kind()) {
    case TVariantKind::Integer: return value.AsInteger();
    case TVariantKind::Float: return static_cast<long long>(value.AsFloat());
    case TVariantKind::Boolean: return value.AsBoolean() ? 1 : 0;
    case TVariantKind::Text: {
        const std::string text = Trim(value.AsText());
        long long number = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
        if (error == std::errc() && end == text.data() + text.size() && !text.empty())
            return number;
        return std::nullopt;
    }
    default: return std::nullopt;
    }
}

// The first column of that name (a join may have two).
TVariant FirstField(const TAbstractRecordset& rows, const std::string& column)
{
    for (int i = 0; i < rows.FieldCount(); ++i)
        if (common_detail::SameText(rows.FieldName(i), column))
            return rows.Field(i);
    return TVariant();
}

long long NumberOr(const TAbstractRecordset& rows, const std::string& column, long long otherwise)
{
    return Number(rows, column).value_or(otherwise);
}

// A price column as the round-trip text of its amount; "" when it is none.
std::string AmountText(const TAbstractRecordset& rows, const std::string& column)
{
    const TVariant value = FieldOrNull(rows, column);
    switch (value.Kind()) {
    case TVariantKind::Integer: return TAmount::ToText(static_cast<double>(value.AsInteger()));
    case TVariantKind::Float: return TAmount::ToText(value.AsFloat());
    case TVariantKind::Text: {
        const std::optional<double> amount = TAmount::Read(Trim(value.AsText()));
        return amount ? TAmount::ToText(*amount) : std::string();
    }
    default: return {};
    }
}

// The bytes of a blob column (the text of any other value).
std::string BlobBytes(const TAbstractRecordset& rows, const std::string& column)
{
    const TVariant blob = FieldOrNull(rows, column);
    return blob.Kind() == TVariantKind::Bytes ? blob.AsBytes().data : TCommonFunctions::VariantToString(blob);
}

// A page number of the web tree: digits only.
std::optional<long long> PageNumber(const std::string& text)
{
    long long number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || number < 0)
        return std::nullopt;
    return number;
}

std::string Attribute(const xmlNode* element, const char* name)
{
    TXmlStringPtr value(xmlGetProp(element, reinterpret_cast<const xmlChar*>(name)));
    return value ? std::string(reinterpret_cast<const char*>(value.get())) : std::string();
}

const xmlNode* FirstElement(const xmlNode* node)
{
    for (; node; node = node->next)
        if (node->type == XML_ELEMENT_NODE)
            return node;
    return nullptr;
}

}  // namespace

TProductCatalogConverter::TProductCatalogConverter(TAbstractDBConnection& oldConnection, TConcreteDAL& dataAccess,
                                                   TConversionProgress& progress)
    : old_(oldConnection), dal_(dataAccess), progress_(progress)
{
}

TProductCatalogConverter::~TProductCatalogConverter() = default;

bool TProductCatalogConverter::StopHere()
{
    if (!cancelled_ && progress_.Cancelled())
        cancelled_ = true;
    return cancelled_;
}

int TProductCatalogConverter::Lookup(const TMap& map, const std::string& key)
{
    const auto found = map.find(Trim(key));
    return found == map.end() ? 0 : found->second;
}

TLWIdMap TProductCatalogConverter::IdMap(const TMap& map) const
{
    return [&map](const std::string& oldKey) { return Lookup(map, oldKey); };
}

int TProductCatalogConverter::NewId(const std::string& kind, const std::string& oldKey) const
{
    const std::map<std::string, const TMap*> maps = {
        {"image", &imageMap_},       {"page", &pageMap_},     {"product", &productMap_},
        {"story", &storyMap_},       {"object", &objectMap_}, {"schedule", &priceScheduleMap_},
        {"option", &optionMap_},     {"optionvalue", &optionValueMap_}, {"field", &additionalFieldMap_}};
    const auto found = maps.find(kind);
    return found == maps.end() ? 0 : Lookup(*found->second, oldKey);
}

std::string TProductCatalogConverter::ReadOldSetting(const std::string& key, const std::string& defaultValue,
                                                     const std::string& map) const
{
    std::string value = defaultValue;
    TOldRows rows(old_, "SELECT * FROM LocalSettings WHERE KeyName = :KeyName", {{"KeyName", key}});
    if (!rows->Eof()) {
        value = Text(*rows, "KeyValue");
        if (!map.empty())
            value = TParamList(map).Value(value);
    }
    return value.empty() ? defaultValue : value;
}

// ---- the whole catalog -------------------------------------------------------------------

bool TProductCatalogConverter::ConvertCatalog(const std::string& vendorCode, const std::string& scrambledPassword)
{
    vendorCode_ = UpperCase(Trim(vendorCode));
    password_ = scrambledPassword;
    TOldRows vendor(old_,
                    "SELECT * FROM Vendors LEFT JOIN VendorSettings ON Vendors.VendorCode = VendorSettings.VendorCode "
                    "WHERE UPPER(Vendors.VendorCode) = :VendorCode",
                    {{"VendorCode", vendorCode_}});
    if (vendor->Eof())
        return false;
    RemoveRebuiltParts();
    for (; !vendor->Eof() && !StopHere(); vendor->Next())
        ConvertVendor(*vendor);
    return true;
}

void TProductCatalogConverter::RemoveItem(int itemId)
{
    const TLWItemCondition where = TLWItemCondition::Where(TColumn::ItemId, {itemId});
    dal_.CleanObjects(where);
    dal_.CleanItems(where);
}

void TProductCatalogConverter::RemoveRebuiltParts()
{
    const std::vector<TLWItemCondition> conditions = {
        TLWItemCondition::Where(TColumn::ItemId, {6}),
        TLWItemCondition::Where(TColumn::ItemId, {601}),
        TLWItemCondition::Where(TColumn::ItemType, {4002}),
        TLWItemCondition::Where(TColumn::ParentItemId, {11}),
        TLWItemCondition::Where(TColumn::ParentItemId, {3}),
        TLWItemCondition::Where(TColumn::ItemType, {4001, 4002, 3001, 3002, 3003, 1}),
        TLWItemCondition::Where(TColumn::ItemId, {18}).Or(TColumn::ParentItemId, {18}),
        TLWItemCondition::Where(TColumn::ItemId, {3}),
        TLWItemCondition::Where(TColumn::ItemType, {302}),
        TLWItemCondition::Where(TColumn::ItemType, {2002}),
    };
    for (const TLWItemCondition& where : conditions) {
        dal_.CleanObjects(where);
        dal_.CleanItems(where);
    }
    // The sample pictures go too, but not those the shipped templates show:
    // the converted catalog is published with those templates.
    std::vector<int> unused;
    {
        TQueryGuard query(dal_.Connection());
        query->SetSQL("SELECT ItemId FROM Items i WHERE CatalogCode = :CatalogCode AND ItemType = 301 AND NOT EXISTS "
                      "(SELECT 1 FROM CNumbers n WHERE n.CatalogCode = :CatalogCode AND n.MemberType = 106 AND "
                      "n.NumberValue = i.ItemId)");
        query->SetParam("CatalogCode", dal_.LowerCatalogCode());
        for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next())
            unused.push_back(static_cast<int>(NumberOr(rows, "ItemId", 0)));
        query->Close();
    }
    if (!unused.empty()) {
        const TLWItemCondition where = TLWItemCondition::Where(TColumn::ItemId, unused);
        dal_.CleanObjects(where);
        dal_.CleanItems(where);
    }
}

void TProductCatalogConverter::ConvertVendor(const TAbstractRecordset& vendor)
{
    const std::string code = Text(vendor, "VendorCode");
    progress_.Log("Convert vendor \"" + code + "\"");
    catalogType_ = static_cast<int>(NumberOr(vendor, "CatalogType", 1));
    if (NumberOr(vendor, "isCoCVendor", 0) >= 1)
        catalogType_ = 2;
    const std::vector<std::pair<const char*, std::function<void()>>> steps = {
        {"Process languages", [&] { ConvertLanguages(vendor); }},
        {"", [&] { ConvertBinaryObjects(); }},
        {"", [&] { ConvertAllImages(vendor); }},
        {"", [&] { ConvertCompany(vendor); }},
        {"Process settings", [&] { ConvertSettings(vendor); }},
        {"Process user info", [&] { ConvertUser(); }},
        {"Process catalog info", [&] { ConvertCatalogInfo(); }},
        {"", [&] { ConvertPriceSchedules(); }},
        {"", [&] { ConvertOptions(); }},
        {"", [&] { ConvertAdditionalFields(vendor); }},
        {"", [&] { catalogType_ == 2 ? ConvertCoCMembers() : ConvertProducts(); }},
        {"", [&] { ConvertStories(); }},
        {"", [&] { ConvertWebTree(TCommonFunctions::VariantToString(FieldOrNull(vendor, "WebTreeXml"))); }},
        {"", [&] { EnsureHomePage(); }},
        {"", [&] { dal_.FixLinks(IdMap(objectMap_), IdMap(pageMap_), IdMap(imageMap_)); }},
    };
    for (const auto& [line, step] : steps) {
        if (StopHere())
            return;
        if (*line)
            progress_.Log(line);
        step();
    }
}

// ---- languages, objects, pictures --------------------------------------------------------------

void TProductCatalogConverter::ConvertLanguages(const TAbstractRecordset& vendor)
{
    for (int slot = 0; slot < 3; ++slot)
        languages_.SetSlot(slot, UpperCase(Text(vendor, "DataLanguageCode" + to_string(slot + 1))));
    std::string defaultCode = Text(vendor, "DefaultDataLanguage");
    if (defaultCode.empty() || defaultCode == "0")
        defaultCode = languages_.Codes[0].empty() ? "EN" : languages_.Codes[0];
    languages_.DefaultLanguageCode = UpperCase(defaultCode);

    TLWItem::CreateRoot("LanguagesRoot", "Folder", "");
    std::unique_ptr<TLWItem> item = ReplaceItem("Languages", "Languages", "LanguagesRoot");
    std::unique_ptr<TLWObject> object = item->AddObject("Languages", &languages_, 0);
    int index = 0;
    for (int slot = 0; slot < 3; ++slot)
        if (languages_.SlotUsed[slot])
            object->SetValue(languages_.Codes[slot], index++, kNoLanguageCode, "LangCode");
    object->SetValue(languages_.DefaultLanguageCode, 0, kNoLanguageCode, "DefaultLangCode");
}

void TProductCatalogConverter::ConvertBinaryObjects()
{
    std::unique_ptr<TLWItem> root = TLWItem::CreateRoot("BinaryObjectsRoot", "Folder", "");
    TOldRows rows(old_, "SELECT * FROM Objects WHERE VendorCode = :VendorCode", {{"VendorCode", vendorCode_}});
    for (; !rows->Eof() && !StopHere(); rows->Next()) {
        progress_.Log("Binary object \"" + Text(*rows, "Caption") + "\"");
        std::unique_ptr<TLWItem> item = root->AddNewChild("BinaryObject", 0, "", 0, false);
        NameFromField(*item, *rows, "Caption");
        std::unique_ptr<TLWObject> object = item->AddObject("BinaryObject", &languages_, 0);
        std::string mimeType = Text(*rows, "ObjectMimeType");
        if (mimeType.empty() && !Text(*rows, "ObjectExt").empty())
            mimeType = TCommonFunctions::GetMimeTypeByFileName("1." + Text(*rows, "ObjectExt"));
        if (mimeType.empty())
            mimeType = "application/octet-stream";
        std::istringstream data(BlobBytes(*rows, "ObjectBlob"));
        object->SetBinary(data, mimeType, "", 0, "BinaryData");
        objectMap_[Text(*rows, "ObjectCode")] = item->ItemId;
    }
}

void TProductCatalogConverter::ConvertAllImages(const TAbstractRecordset& vendor)
{
    std::unique_ptr<TLWItem> root = TLWItem::CreateRoot("ImagesRoot", "Folder", "");
    const std::string logo = Text(vendor, "LogoImageCode");
    if (!logo.empty()) {
        progress_.Log("Company logo");
        ConvertImages("SELECT * FROM Images WHERE VendorCode = :VendorCode AND ImageCode = :Extra", "Extra", logo,
                      *root, "Logo images");
    }
    if (StopHere())
        return;
    progress_.Log("Process images");
    ConvertImages("SELECT * FROM Images WHERE VendorCode = :VendorCode AND ProductImageType = 0", "", "", *root,
                  "Imported Images");
    if (StopHere())
        return;
    progress_.Log("Process product images");
    ConvertImages("SELECT i.* FROM Images AS i, Products AS p WHERE i.VendorCode = p.VendorCode AND "
                  "(p.ImageCodeMedium = i.ImageCode OR p.ImageCodeLarge = i.ImageCode OR "
                  "p.ImageCodeSmall = i.ImageCode) AND i.VendorCode = :VendorCode",
                  "", "", *root, "Product images");
    if (StopHere())
        return;
    progress_.Log("Process design images");
    ConvertImages("SELECT * FROM Images WHERE VendorCode = :VendorCode AND "
                  "(ProductImageType <> 12 OR ProductImageType IS NULL)",
                  "", "", *root, "Design images");
}

void TProductCatalogConverter::ConvertImages(const std::string& sql, const std::string& extraName,
                                             const std::string& extraValue, const TLWItem& parent,
                                             const std::string& folderName)
{
    TParams params = {{"VendorCode", vendorCode_}};
    if (!extraName.empty())
        params.emplace_back(extraName, extraValue);
    std::unique_ptr<TLWItem> folder = parent.AddNewChild("Folder", 0, "", 0, false);
    NameFromText(*folder, folderName);
    TOldRows rows(old_, sql, params);
    for (; !rows->Eof() && !StopHere(); rows->Next()) {
        const std::string code = Text(*rows, "ImageCode");
        if (imageMap_.count(code))
            continue;
        progress_.Log("Image \"" + Text(*rows, "Caption") + "\"");
        std::unique_ptr<TLWItem> item = folder->AddNewChild("Image", 0, "", 0, false);
        NameFromField(*item, *rows, "Caption");
        std::unique_ptr<TLWObject> image = item->AddObject("Image", &languages_, 0);
        FromField(*image, *rows, "ImageHeight", "ImageHeight");
        FromField(*image, *rows, "ImageWidth", "ImageWidth");
        if (NumberOr(*rows, "IsBackground", 0) == 1)
            image->SetValue("1", 0, "", "IsBackgroundImage");
        std::istringstream data(BlobBytes(*rows, "ImageBlob"));
        image->SetBinary(data, Text(*rows, "ImageMimeType"), "", 0, "ImageData");
        imageMap_[code] = item->ItemId;
    }
}

// ---- company, settings, user, catalog information -----------------------------------------------

void TProductCatalogConverter::ConvertCompany(const TAbstractRecordset& vendor)
{
    std::unique_ptr<TLWItem> company = ReplaceItem("Company", "Company", "CatalogInfoRoot");
    std::unique_ptr<TLWObject> info = company->AddObject("CommonCompanyInfo", &languages_, 0);
    const std::pair<const char*, const char*> members[] = {
        {"CompanyName", "VendorName"},
        {"CompanyDescription", "VendorDescription"},
        {"CompanyCountry", "CountryCode"},
        {"CompanyAddressLine1", "AddressStr1"},
        {"CompanyAddressLine2", "AddressStr2"},
        {"CompanyAddressCity", "AddressCity1"},
        {"CompanyAddressState", "AddressStateProv"},
        {"CompanyAddressPostalCode", "AddressPostalCode"},
        {"CompanyAlternateURL", "AlternateWebAddress"},
        {"CompanyContactName", "ContactMain"},
        {"CompanyTechnicalContact", "ContactTechnical"},
        {"CompanyEmail", "VendorEmail"},
        {"CompanyPhone", "VendorPhone"},
        {"CompanyFax", "VendorFax"},
    };
    for (const auto& [member, column] : members)
        FromField(*info, vendor, column, member);
    if (const int logo = Lookup(imageMap_, Text(vendor, "LogoImageCode")))
        info->SetValue(to_string(logo), 0, "", "CompanyLogoImage");
}

void TProductCatalogConverter::ConvertSettings(const TAbstractRecordset& vendor)
{
    if (NumberOr(vendor, "HasShoppingCart", 0) == 1)
        dal_.SetCatalogProperty(731, "yes");
    dal_.SetCatalogProperty(706, Text(vendor, "CurrencyCode"));
    dal_.SetCatalogProperty(707, "yes");
    dal_.SetCatalogProperty(702, ReadOldSetting("DefaultSizeMainImage", "240"));
    dal_.SetCatalogProperty(703, ReadOldSetting("MaxSizeOfFullSizeImage", "640"));
    dal_.SetCatalogProperty(704, ReadOldSetting("DefaultSizeLogoImage", "100"));
    dal_.SetCatalogProperty(705, ReadOldSetting("DefaultSizeIconImage", "120"));
    dal_.SetCatalogProperty(732, ReadOldSetting("FullSizeImage", "yes", "0=no&1=yes"));
    dal_.SetCatalogProperty(724, ReadOldSetting("UnitWeight", "kg", "1=lbs&2=g&3=oz"));
    dal_.SetCatalogProperty(725, ReadOldSetting("UnitLength", "cm", "1=m&2=in&3=ft"));
}

void TProductCatalogConverter::ConvertUser()
{
    TLWItem::CreateRoot("UsersRoot", "Folder", "");
    std::unique_ptr<TLWItem> user = ReplaceItem("Administrator", "Users", "UsersRoot");
    std::unique_ptr<TLWObject> object = user->AddObject("Users", &languages_, 0);
    object->SetValue("Administrator", 0, "", "UserName");
    object->SetValue("Administrator user", 0, "", "Description");
    // Stored scrambled: the login unscrambles what it reads.
    object->SetValue(password_, 0, "", "Passwd");
    object->SetValue("Admin", 0, "", "Role");
}

void TProductCatalogConverter::ConvertCatalogInfo()
{
    TLWItem::CreateRoot("CatalogInfoRoot", "Folder", "");
    std::unique_ptr<TLWItem> info = ReplaceItem("CatalogInfo", "CatalogInfo", "CatalogInfoRoot");
    info->AddObject("CatalogInfo", &languages_, 0)->SetValue(to_string(catalogType_), 0, "", "CatalogType");
}

// ---- schedules, options, additional fields --------------------------------------------------------

void TProductCatalogConverter::ConvertPriceSchedules()
{
    RemoveItem(12);
    std::unique_ptr<TLWItem> root = TLWItem::CreateRoot("PriceSchedulesRoot", "Folder", "");
    TOldRows rows(old_, "SELECT * FROM PricingSchedules WHERE VendorCode = :VendorCode",
                  {{"VendorCode", vendorCode_}});
    for (; !rows->Eof() && !StopHere(); rows->Next()) {
        progress_.Log("Price schedule \"" + Text(*rows, "ScheduleName") + "\"");
        std::unique_ptr<TLWItem> item = root->AddNewChild("PriceSchedule", 0, "", 0, false);
        NameFromField(*item, *rows, "ScheduleName");
        std::unique_ptr<TLWObject> schedule = item->AddObject("CommonPriceSchedule", &languages_, 0);
        schedule->SetValue(Text(*rows, "CurrencyCode"), 0, "", "CurrencyCode");
        if (NumberOr(*rows, "PriceVisibility", 0) != 2)
            FromField(*schedule, *rows, "PriceVisibility", "PriceVisibility");
        priceScheduleMap_[Text(*rows, "PricingSchedulesID")] = item->ItemId;
    }
}

void TProductCatalogConverter::ConvertOptions()
{
    RemoveItem(13);
    std::unique_ptr<TLWItem> root = TLWItem::CreateRoot("ItemOptionsRoot", "Folder", "");
    TOldRows rows(old_, "SELECT * FROM ProductOptionNames WHERE VendorCode = :VendorCode",
                  {{"VendorCode", vendorCode_}});
    for (; !rows->Eof() && !StopHere(); rows->Next()) {
        progress_.Log("Product option \"" + Text(*rows, "OptionName") + "\"");
        std::unique_ptr<TLWItem> option = root->AddNewChild("ItemOption", 0, "", 0, false);
        NameFromField(*option, *rows, "OptionName");
        const std::string product = Text(*rows, "ProductCode");
        const std::string optionKey = product + "_" + Text(*rows, "ProductOptionNamesID");
        optionMap_[optionKey] = option->ItemId;
        productOptions_[product].push_back(option->ItemId);
        TOldRows values(old_,
                        "SELECT * FROM ProductOptionValues WHERE VendorCode = :VendorCode AND "
                        "ProductCode = :ProductCode AND ProductOptionNamesID = :OptionId",
                        {{"VendorCode", vendorCode_},
                         {"ProductCode", FieldOrNull(*rows, "ProductCode")},
                         {"OptionId", FieldOrNull(*rows, "ProductOptionNamesID")}});
        for (; !values->Eof(); values->Next()) {
            std::unique_ptr<TLWItem> value = option->AddNewChild("ItemOption", 0, "", 0, false);
            NameFromField(*value, *values, "OptionValue");
            optionValueMap_[optionKey + "-" + Text(*values, "ProductOptionValuesID")] = value->ItemId;
        }
    }
}

void TProductCatalogConverter::ConvertAdditionalFields(const TAbstractRecordset& vendor)
{
    RemoveItem(11);
    std::unique_ptr<TLWItem> root;
    for (int n = 1; n <= 5; ++n) {
        const std::string column = "UserFieldName" + to_string(n);
        if (FieldOrNull(vendor, column).IsNull())
            continue;
        if (!root)
            root = TLWItem::CreateRoot("AdditionalItemsRoot", "Folder", "");
        std::unique_ptr<TLWItem> field = root->AddNewChild("AdditionalField", 0, "", 0, false);
        std::unique_ptr<TLWObject> object = field->AddObject("AdditionalField", &languages_, 0);
        FromField(*object, vendor, column, "XmlTag");
        additionalFieldMap_["UserField" + to_string(n)] = field->ItemId;
        NameFromField(*field, vendor, column);
    }
}

// ---- products and member catalogs ------------------------------------------------------------------

std::set<std::string> TProductCatalogConverter::CodesInNewCatalog(const std::string& classTag)
{
    // Read once: a query per row would scan the growing value table each time.
    std::set<std::string> codes;
    TQueryGuard query(dal_.Connection());
    query->SetSQL("SELECT StringValue FROM CStrings WHERE CatalogCode = :CatalogCode AND ClassId = :ClassId AND "
                  "MemberId = 1");
    query->SetParam("CatalogCode", dal_.LowerCatalogCode());
    query->SetParam("ClassId", dal_.Definitions().GetClassId(classTag));
    for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next())
        codes.insert(TCommonFunctions::VariantToString(rows.Field("StringValue")));
    query->Close();
    return codes;
}

void TProductCatalogConverter::ConvertProducts()
{
    std::unique_ptr<TLWItem> root = TLWItem::CreateRoot("ProductsRoot", "Folder", "");
    std::unique_ptr<TLWItem> folder = root->AddNewChild("Folder", 0, "", 0, false);
    NameFromText(*folder, "All Products");
    TOldRows rows(old_,
                  "SELECT p.*, v.* FROM Products p LEFT JOIN VendorPages v ON p.VendorCode = v.VendorCode AND "
                  "p.ProductCode = v.ProductCode WHERE p.VendorCode = :VendorCode",
                  {{"VendorCode", vendorCode_}});
    std::set<std::string> existing = CodesInNewCatalog("Product");
    for (; !rows->Eof() && !StopHere(); rows->Next()) {
        // The product's own column, never the page's namesake of the join.
        const std::string rawCode = TCommonFunctions::VariantToString(FirstField(*rows, "ProductCode"));
        const std::string code = Trim(rawCode);
        if (code.empty() || existing.count(rawCode) || existing.count(code))
            continue;
        existing.insert(code);
        const std::string name = Text(*rows, "ProductName");
        progress_.Log("Product \"" + name + "\"");
        std::unique_ptr<TLWItem> item = folder->AddNewChild("ProductPage", 0, "", 0, false);
        if (!NameFromField(*item, *rows, "ProductName"))
            NameFromText(*item, name + " (" + code + ")");
        ApplyDesignAndMeta(*item, *rows);
        for (int n = 1; n <= 5; ++n) {
            const std::string column = "UserField" + to_string(n);
            const int fieldId = Lookup(additionalFieldMap_, column);
            if (Text(*rows, column).empty() || fieldId == 0)
                continue;
            std::unique_ptr<TLWObject> value = item->AddObject("ProductAdditionalField", &languages_, 0);
            value->SetValue(to_string(fieldId), 0, "", "AdditionalField");
            FromField(*value, *rows, column, "FieldData");
        }
        std::unique_ptr<TLWObject> product = item->AddObject("Product", &languages_, 0);
        product->SetValue(code, 0, "", "Code");
        FromField(*product, *rows, "ProductName", "Name");
        FromField(*product, *rows, "DescriptionLong", "Description");
        FromField(*product, *rows, "ProductHistory", "History");

        std::unique_ptr<TLWObject> shipping = item->AddObject("ProductShipping", &languages_, 0);
        FromField(*shipping, *rows, "ProductionCapacity", "MonthlyCapacity");
        FromField(*shipping, *rows, "TimeToShip", "PreparationTimeToShip");
        FromField(*shipping, *rows, "Location", "StorageLocation");
        FromField(*shipping, *rows, "TaxClass", "TaxClass");
        FromField(*shipping, *rows, "DateIntroduced", "DateIntroduced");

        std::unique_ptr<TLWObject> details = item->AddObject("ProductSpecs", &languages_, 0);
        FromField(*details, *rows, "DimLength", "Length");
        FromField(*details, *rows, "DimWidth", "Width");
        FromField(*details, *rows, "DimHeight", "Height");
        FromField(*details, *rows, "DimDia", "Diameter");
        details->SetValue(TParamList("0=cm&1=m&2=in&3=ft").Value(Text(*rows, "DimUnit")), 0, "", "DimensionsUnit");
        FromField(*details, *rows, "Weight", "Weight");
        details->SetValue(TParamList("0=kg&1=lbs&2=g&3=oz").Value(Text(*rows, "WeightUnit")), 0, "", "WeightUnit");
        FromField(*details, *rows, "Material", "Material");
        FromField(*details, *rows, "PackingRequirements", "PackingDetails");
        FromField(*details, *rows, "PantoneColors", "DominantColor");
        FromField(*details, *rows, "Keywords", "Keywords");
        FromField(*details, *rows, "Comments", "Comments");

        const int medium = Lookup(imageMap_, Text(*rows, "ImageCodeMedium"));
        const int small = Lookup(imageMap_, Text(*rows, "ImageCodeSmall"));
        const int large = Lookup(imageMap_, Text(*rows, "ImageCodeLarge"));
        if (medium || small || large) {
            std::unique_ptr<TLWObject> images = item->AddObject("ProductImages", &languages_, 0);
            images->SetValue(to_string(medium), 0, "", "MainImage");
            images->SetValue(to_string(small), 0, "", "ThumbnailImage");
            images->SetValue(to_string(large), 0, "", "LargeImage");
        }
        {
            TOldRows more(old_,
                          "SELECT * FROM Images WHERE VendorCode = :VendorCode AND ProductCode = :ProductCode "
                          "AND ProductImageType = 4",
                          {{"VendorCode", vendorCode_}, {"ProductCode", rawCode}});
            if (!more->Eof()) {
                std::unique_ptr<TLWObject> additional = item->AddObject("MultipleAdditionalImages", &languages_, 0);
                int index = 1;
                for (; !more->Eof(); more->Next())
                    if (const int id = Lookup(imageMap_, Text(*more, "ImageCode")))
                        additional->SetValue(to_string(id), index++, kNoLanguageCode, "AdditionalImage");
            }
        }
        ConvertPrices(rawCode, *item);
        productMap_[code] = item->ItemId;
    }
}

void TProductCatalogConverter::ConvertPrices(const std::string& productCode, const TLWItem& product)
{
    TOldRows rows(old_,
                  "SELECT * FROM ProductSKUPrices p LEFT JOIN ProductSKUs s ON p.VendorCode = s.VendorCode AND "
                  "p.ProductCode = s.ProductCode AND p.ProductSKUsID = s.ProductSKUsID "
                  "WHERE p.ProductCode = :ProductCode AND p.VendorCode = :VendorCode",
                  {{"VendorCode", vendorCode_}, {"ProductCode", productCode}});
    if (rows->Eof())
        return;
    std::unique_ptr<TLWObject> prices = product.AddObject("Prices", &languages_, 0);
    const std::string prefix = Trim(productCode) + "_";
    const auto options = productOptions_.find(Trim(productCode));
    const bool hasOptions = options != productOptions_.end();
    if (hasOptions) {
        prices->SetValue("1", 0, "", "HasPricesForEachOption");
        std::unique_ptr<TLWObject> list = product.AddObject("ProductOptions", &languages_, 0);
        list->SetValue("1", 0, "", "HasOptions");
        int index = 1;
        for (const int id : options->second)
            list->SetValue(to_string(id), index++, "", "Options");
    }
    int index = 1;
    for (; !rows->Eof(); rows->Next()) {
        std::unique_ptr<TLWObject> price = prices->AddSubObject("Price");
        prices->SetValue(to_string(price->InstanceId), index++, kNoLanguageCode, "Price");
        price->SetValue(to_string(Lookup(priceScheduleMap_, Text(*rows, "PricingSchedulesID"))), 0, "",
                        "PriceSchedule");
        price->SetValue(AmountText(*rows, "Price"), 0, "", "PriceValue");
        if (NumberOr(*rows, "MinOrder", 0) > 0) {
            price->SetValue("1", 0, "", "IsMinimumQuantity");
            FromField(*price, *rows, "MinOrder", "MinimumQuantity");
        }
        if (hasOptions) {
            TOldRows combination(old_,
                                 "SELECT * FROM ProductSKUOptions WHERE VendorCode = :VendorCode AND "
                                 "ProductCode = :ProductCode AND ProductSKUsID = :SkuId",
                                 {{"VendorCode", vendorCode_},
                                  {"ProductCode", productCode},
                                  {"SkuId", FieldOrNull(*rows, "ProductSKUsID")}});
            int optionIndex = 1;
            for (; !combination->Eof(); combination->Next()) {
                const std::string key = prefix + Text(*combination, "ProductOptionNamesID") + "-" +
                                        Text(*combination, "ProductOptionValuesID");
                if (const int id = Lookup(optionValueMap_, key))
                    price->SetValue(to_string(id), optionIndex++, "", "OptionItemId");
            }
        }
        FromField(*price, *rows, "QtyInStock", "QuantityAtStock");
    }
}

void TProductCatalogConverter::ConvertCoCMembers()
{
    std::unique_ptr<TLWItem> root = TLWItem::CreateRoot("CoCRoot", "Folder", "");
    std::unique_ptr<TLWItem> folder = root->AddNewChild("Folder", 0, "", 0, false);
    NameFromText(*folder, "All catalogs");
    TOldRows rows(old_,
                  "SELECT * FROM CoCVendors c LEFT JOIN VendorPages v ON c.VendorCode = v.VendorCode AND "
                  "c.CoCVendorCode = v.ProductCode WHERE c.VendorCode = :VendorCode",
                  {{"VendorCode", vendorCode_}});
    std::set<std::string> existing = CodesInNewCatalog("CoCMember");
    for (; !rows->Eof() && !StopHere(); rows->Next()) {
        const std::string rawCode = TCommonFunctions::VariantToString(FieldOrNull(*rows, "CoCVendorCode"));
        const std::string code = Trim(rawCode);
        if (code.empty() || existing.count(rawCode) || existing.count(code))
            continue;
        existing.insert(code);
        progress_.Log("Catalog \"" + code + "\"");
        std::unique_ptr<TLWItem> item = folder->AddNewChild("VendorPage", 0, "", 0, false);
        if (!NameFromField(*item, *rows, "PageName"))
            NameFromText(*item, code);
        ApplyDesignAndMeta(*item, *rows);
        item->AddObject("CoCMember", &languages_, 0)->SetValue(code, 0, "", "CatalogCode");
        productMap_[code] = item->ItemId;
    }
}

void TProductCatalogConverter::ConvertStories()
{
    RemoveItem(10);
    std::unique_ptr<TLWItem> root = TLWItem::CreateRoot("StoriesRoot", "Folder", "");
    TOldRows rows(old_, "SELECT * FROM VendorPages WHERE VendorCode = :VendorCode AND PageType = 5",
                  {{"VendorCode", vendorCode_}});
    for (; !rows->Eof() && !StopHere(); rows->Next()) {
        progress_.Log("Story \"" + Text(*rows, "PageName") + "\"");
        std::unique_ptr<TLWItem> item = root->AddNewChild("StoryPage", 0, "", 0, false);
        storyMap_[Text(*rows, "PageId")] = item->ItemId;
        NameFromField(*item, *rows, "PageName");
        ApplyDesignAndMeta(*item, *rows);
    }
}

// ---- the web tree ------------------------------------------------------------------------------------

void TProductCatalogConverter::ConvertWebTree(const std::string& xml)
{
    if (Trim(xml).empty())
        return;
    // No entity is expanded, no DTD or network is read: the text comes from the old file.
    TXmlDocPtr document(xmlReadMemory(xml.data(), static_cast<int>(xml.size()), nullptr, nullptr,
                                      XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
    const xmlNode* top = document ? xmlDocGetRootElement(document.get()) : nullptr;
    if (!top) {
        progress_.Log("The web tree of the old catalog cannot be read");
        return;
    }
    std::unique_ptr<TLWItem> root = TLWItem::CreateRoot("WebTreeRoot", "Folder", "");
    if (const xmlNode* first = FirstElement(top->children))
        ConvertPageTree(first, *root, 1, 1);
}

void TProductCatalogConverter::ConvertPageTree(const void* node, const TLWItem& parent, int orderNum, int depth)
{
    const auto* element = static_cast<const xmlNode*>(node);
    std::unique_ptr<TLWItem> item = ConvertPage(element, parent, orderNum);
    // Children of a page without an item, or below the deepest level, go
    // under the nearest page that was converted.
    const TLWItem& place = item && depth < kMaxWebTreeDepth ? *item : parent;
    int childOrder = 200;
    for (const xmlNode* child = FirstElement(element->children); child && !StopHere();
         child = FirstElement(child->next)) {
        if (depth >= kMaxWebTreeDepth)
            progress_.Log("The web tree is nested too deeply; deeper pages are placed higher");
        ConvertPageTree(child, place, childOrder, depth < kMaxWebTreeDepth ? depth + 1 : depth);
        childOrder += 100;
    }
}

std::unique_ptr<TLWItem> TProductCatalogConverter::ConvertPage(const void* node, const TLWItem& parent, int orderNum)
{
    const auto* element = static_cast<const xmlNode*>(node);
    const std::optional<long long> pageId = PageNumber(Trim(Attribute(element, "id")));
    if (!pageId)
        return nullptr;
    TOldRows rows(old_, "SELECT * FROM VendorPages WHERE VendorCode = :VendorCode AND PageId = :PageId",
                  {{"VendorCode", vendorCode_}, {"PageId", static_cast<std::int64_t>(*pageId)}});
    if (rows->Eof())
        return nullptr;
    const long long id = *pageId;
    if (id >= 1 && id <= 49)
        orderNum = 0;
    const bool hidden = Number(*rows, "isVisible") == 0;
    progress_.Log("Page \"" + Text(*rows, "PageName") + "\"");
    const long long pageType = NumberOr(*rows, "PageType", 0);
    std::unique_ptr<TLWItem> item;
    switch (pageType) {
    case 1:
        if (id == 0) {
            const char* type = catalogType_ == 2 ? "VendorListPage" : "ProductLinePage";
            RemoveItem(dal_.Definitions().ResolveItemId("HomeRoot"));
            item = parent.AddChild("HomeRoot", type, "", orderNum, hidden, 0);
        } else {
            item = parent.AddNewChild("ProductLinePage", 0, "", orderNum, hidden);
        }
        break;
    case 2:
        item = parent.AddNewChild("ProductPage", Lookup(productMap_, Text(*rows, "ProductCode")), "", orderNum,
                                  hidden);
        break;
    case 3: item = parent.AddNewChild("VendorListPage", 0, "", orderNum, hidden); break;
    case 4:
        item = id == 2 ? parent.AddNewChild("ContactPage", 0, "", orderNum, hidden)
                       : parent.AddNewChild("VendorPage", Lookup(productMap_, Text(*rows, "ProductCode")), "",
                                            orderNum, hidden);
        break;
    case 5:
        item = parent.AddNewChild("StoryPage", Lookup(storyMap_, to_string(id)), "", orderNum, hidden);
        break;
    default: item = parent.AddNewChild("InfoPage", 0, "", orderNum, hidden); break;
    }
    // A place of a product, member or story shows that item's data, which
    // has its name, design and meta data already.
    if (item->LinkedItemId == item->ItemId) {
        NameFromField(*item, *rows, "PageName");
        if (pageType < 5 || pageType == 6)
            ApplyDesignAndMeta(*item, *rows);
    }
    pageMap_[to_string(id)] = item->ItemId;
    return item;
}

void TProductCatalogConverter::EnsureHomePage()
{
    // The home page was removed with the first pages; a web tree that could
    // not be read (or had no home page) must not leave the site without one.
    if (dal_.ItemExists(dal_.Definitions().ResolveItemId("HomeRoot")))
        return;
    std::unique_ptr<TLWItem> root = TLWItem::CreateRoot("WebTreeRoot", "Folder", "");
    std::unique_ptr<TLWItem> home =
        root->AddChild("HomeRoot", catalogType_ == 2 ? "VendorListPage" : "ProductLinePage", "", 1, false, 0);
    NameFromText(*home, "Home");
}

// ---- shared rules ----------------------------------------------------------------------------------

std::unique_ptr<TLWItem> TProductCatalogConverter::ReplaceItem(const std::string& idName,
                                                               const std::string& typeName,
                                                               const std::string& fallbackParent)
{
    const int itemId = dal_.Definitions().ResolveItemId(idName);
    TLWItem parent;
    parent.ItemId = dal_.Definitions().ResolveItemId(fallbackParent);
    {
        TQueryGuard query(dal_.Connection());
        query->SetSQL("SELECT ParentItemId FROM Items WHERE CatalogCode = :CatalogCode AND ItemId = :ItemId");
        query->SetParam("CatalogCode", dal_.LowerCatalogCode());
        query->SetParam("ItemId", itemId);
        TAbstractRecordset& rows = query->Open(true);
        if (!rows.Eof())
            parent.ItemId = static_cast<int>(NumberOr(rows, "ParentItemId", parent.ItemId));
        query->Close();
    }
    parent.LinkedItemId = parent.ItemId;
    RemoveItem(itemId);
    return parent.AddChild(idName, typeName, "", 0, false, 0);
}

bool TProductCatalogConverter::FromField(TLWObject& object, const TAbstractRecordset& rows,
                                         const std::string& column, const std::string& member, int index)
{
    return rows.HasField(column) && object.SetFromField(rows, column, index, member);
}

bool TProductCatalogConverter::NameFromField(const TLWItem& item, const TAbstractRecordset& rows,
                                             const std::string& column)
{
    if (!rows.HasField(column))
        return false;
    const TVariant value = rows.Field(column);
    if (value.IsNull() || (value.Kind() == TVariantKind::Text && Trim(value.AsText()).empty()))
        return false;
    std::unique_ptr<TLWObject> names = item.AddObject("CommonNames", &languages_, 0);
    return names->SetFromField(rows, column, 0, "ItemName");
}

void TProductCatalogConverter::NameFromText(const TLWItem& item, const std::string& text)
{
    item.AddObject("CommonNames", &languages_, 0)->SetValue(Trim(text), 0, kNoLanguageCode, "ItemName");
}

void TProductCatalogConverter::ApplyDesignAndMeta(const TLWItem& item, const TAbstractRecordset& rows)
{
    if (!Text(rows, "XslTop").empty() || !Text(rows, "XslBottom").empty()) {
        std::unique_ptr<TLWObject> design = item.AddObject("CommonDesign", &languages_, 0);
        FromField(*design, rows, "XslTop", "TopHTMLValue");
        FromField(*design, rows, "XslBottom", "BottomHTMLValue");
    }
    if (!FieldOrNull(rows, "DescriptionMetaTag").IsNull())
        FromField(*item.AddObject("CommonWebPage", &languages_, 0), rows, "DescriptionMetaTag", "MetaDescription");
    if (!FieldOrNull(rows, "KeywordMetaTag").IsNull())
        FromField(*item.AddObject("CommonKeywords", &languages_, 0), rows, "KeywordMetaTag", "MetaKeywords");
}
