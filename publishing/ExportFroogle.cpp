#include "publishing/ExportFroogle.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/Tolvex.h"
#include "common/CommonFunctions.h"
#include "common/CommonGui.h"
#include "common/CommonImages.h"
#include "common/Deployment.h"
#include "common/Exceptions.h"
#include "publishing/PublisherRunner.h"
#include "storage/AbstractCObject.h"
#include "storage/ObjectFactory.h"
#include "storage/IdRanges.h"
#include "storage/QueryGuard.h"
#include "storage/RecordValues.h"
#include "storage/TolvexObjectContext.h"

#include <algorithm>
#include <charconv>

namespace {

constexpr int kPriceScheduleType = 2002;
constexpr int kCategoryPageType = 4001;
constexpr int kProductPageType = 4002;
constexpr const char* kHeader = "product_url\tname\tdescription\timage_url\tcategory\tprice";

}  // namespace

void TExportFroogle::Execute()
{
    if (!OpenCatalog())
        throw EPublisherTolvexException("No catalog is open");
    if (!CollectValidSchedules()) {
        Gui().ShowError("Only prices in USD are valid at Froogle");
        return;
    }
    if (Runner())
        Runner()->ProcessMessages();
    std::vector<std::string> lines;
    seen_.clear();
    ExportChildren(kWebTreeRootId, lines, "");
    success_ = !lines.empty();
    if (cancelled_)
        return;
    if (lines.empty()) {
        Gui().ShowInformation("There is no products to export");
        return;
    }
    std::string text = std::string(kHeader) + "\n";
    for (const std::string& line : lines)
        text += line + "\n";
    TCommonFunctions::SaveStringToFile(text, Param("FileName"));
}

bool TExportFroogle::CollectValidSchedules()
{
    TCatalogData& data = *OpenCatalog();
    validSchedules_.clear();
    std::vector<std::string> ids;
    data.GetQueries().GetItemIdsOfType(kPriceScheduleType, ids, false, connection_, data.GetCatalogCode());
    const int classId = Root()->ObjectContext().GetClassId("CommonPriceSchedule");
    for (const std::string& text : ids) {
        const int id = VariantToInteger(TVariant(text));
        std::unique_ptr<TAbstractCObject> schedule =
            Root()->Catalog().GetObjectFactory().GetObject(id, classId, connection_, data.GetCatalogCode());
        if (schedule && schedule->GetInstanceId() != 0 && schedule->GetInteger("PriceVisibility", 0) == 0 &&
            schedule->GetString("CurrencyCode", 0) == "USD")
            validSchedules_.push_back(id);
    }
    return !validSchedules_.empty();
}

void TExportFroogle::ExportChildren(int parentId, std::vector<std::string>& lines, const std::string& category)
{
    struct TRow {
        int ItemId, LinkedItemId, ItemType, NumChilds;
    };
    std::vector<TRow> rows;
    {
        TQueryGuard query(connection_);
        query->SetSQL("SELECT a.*, (SELECT COUNT(*) FROM Items b WHERE b.CatalogCode = a.CatalogCode AND "
                      "b.ParentItemId = a.ItemId) AS NumChilds FROM Items a WHERE a.CatalogCode = :CatalogCode AND "
                      "a.ParentItemId = " + std::to_string(parentId) + " ORDER BY a.OrderNum, a.ItemId");
        query->SetParam("CatalogCode", OpenCatalog()->GetCatalogCode());
        for (TAbstractRecordset& records = query->Open(true); !records.Eof(); records.Next()) {
            TRow row{FieldInteger(records, "ItemId"), FieldInteger(records, "LinkedItemId"),
                     FieldInteger(records, "ItemType"), FieldInteger(records, "NumChilds")};
            if (row.LinkedItemId == 0)
                row.LinkedItemId = row.ItemId;
            rows.push_back(row);
        }
    }
    TCatalogData& data = *OpenCatalog();
    for (const TRow& row : rows) {
        if (cancelled_)
            return;
        if (std::find(seen_.begin(), seen_.end(), row.ItemId) != seen_.end())
            continue;
        seen_.push_back(row.ItemId);
        std::string rowCategory = category;
        if (row.ItemType == kProductPageType) {
            const std::string line = ProductLine(row.ItemId, row.LinkedItemId, category);
            if (!line.empty())
                lines.push_back(line);
        } else if (row.ItemType == kCategoryPageType && row.ItemId != Root()->GetHomePageId()) {
            std::unique_ptr<TAbstractCObject> names = Root()->Catalog().GetObjectFactory().GetObject(
                row.LinkedItemId, Root()->ObjectContext().GetClassId("CommonNames"), connection_,
                data.GetCatalogCode());
            const std::string name =
                names && names->GetInstanceId() != 0
                    ? CleanText(names->GetLangString("ItemName", data.GetCurrentLangCode(), 0))
                    : std::string();
            if (!rowCategory.empty())
                rowCategory += " > ";
            rowCategory += name;
        }
        if (row.NumChilds > 0)
            ExportChildren(row.ItemId, lines, rowCategory);
    }
}

std::string TExportFroogle::ProductLine(int itemId, int linkedItemId, const std::string& category)
{
    TCatalogData& data = *OpenCatalog();
    const std::string code = data.GetCatalogCode();
    const std::string lang = data.GetCurrentLangCode();
    std::unique_ptr<TAbstractCObject> product = Root()->Catalog().GetObjectFactory().GetObject(
        linkedItemId, Root()->ObjectContext().GetClassId("Product"), connection_, code);
    if (!product || product->GetInstanceId() == 0)
        return {};
    const std::string name = CleanText(product->GetLangString("Name", lang, 0));
    const std::string description = CleanText(product->GetLangString("Description", lang, 0));
    const std::string price = GetPrice(linkedItemId);
    if (name.empty() || price.empty())
        return {};
    WriteLog(Format("Added: $1", {name}));
    const std::string site = Deployment::kHostingSite + "/" + code;
    return site + "/" + lang + "/" + std::to_string(itemId) + ".html\t" + name + "\t" + description + "\t" +
           ImageUrl(linkedItemId) + "\t" + category + "\t" + price;
}

std::string TExportFroogle::ImageUrl(int linkedItemId)
{
    const std::string code = OpenCatalog()->GetCatalogCode();
    std::unique_ptr<TAbstractCObject> images = Root()->Catalog().GetObjectFactory().GetObject(
        linkedItemId, Root()->ObjectContext().GetClassId("ProductImages"), connection_, code);
    if (!images || images->GetInstanceId() == 0)
        return {};
    int imageId = images->GetInteger("MainImage", 0);
    if (imageId == 0)
        imageId = images->GetInteger("ThumbnailImage", 0);
    if (imageId == 0)
        imageId = images->GetInteger("LargeImage", 0);
    if (imageId == 0)
        return {};
    const std::string fileName = TCommonImages::GetImageFileName(imageId, connection_, code);
    if (fileName.empty())
        return {};
    return Deployment::kHostingSite + "/" + code + "/images/" + fileName;
}

std::string TExportFroogle::GetPrice(int linkedItemId)
{
    TCatalogData& data = *OpenCatalog();
    std::vector<std::string> instances;
    data.GetQueries().ListInstanceIds(linkedItemId, Root()->ObjectContext().GetClassId("Price"), connection_,
                                      data.GetCatalogCode(), instances);
    for (const std::string& text : instances) {
        std::unique_ptr<TAbstractCObject> price = Root()->Catalog().GetObjectFactory().GetObjectByInstance(
            linkedItemId, VariantToInteger(TVariant(text)), connection_, data.GetCatalogCode());
        if (!price)
            continue;
        const int schedule = price->GetInteger("PriceSchedule", 0);
        const double value = price->GetNumber("PriceValue", 0);
        if (value > 0 && std::find(validSchedules_.begin(), validSchedules_.end(), schedule) != validSchedules_.end()) {
            char buffer[64];
            auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
            return error == std::errc() ? std::string(buffer, end) : std::string();
        }
    }
    return {};
}

std::string TExportFroogle::CleanText(const std::string& text)
{
    std::string clean;
    for (unsigned char c : text)
        if (c == ' ' || c == '*' || c == '+' || c == ',' || c == '-' || c == '.' || c == '/' || c == '\\' ||
            c == '_' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))
            clean += static_cast<char>(c);
    return clean;
}
