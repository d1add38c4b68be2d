#include "publishing/TolvexExport.h"

#include "catalog/CatalogData.h"
#include "storage/QueryGuard.h"
#include "storage/RecordValues.h"

#include <algorithm>

std::string TTolvexExport::GetText(int kind) const
{
    switch (kind) {
    case 1: return "Do you want to cancel export process?";
    case 2: return "Start export";
    case 3: return "Successfully exported.";
    case 5: return "Exported and $1 error(s) occur";
    case 7: return "Errors occurred during the export operation";
    default: return TTolvexPublisher::GetText(kind);
    }
}

void TTolvexExport::VisitTree(int parentId, const TTreeVisitor& visit)
{
    std::vector<int> seen;
    VisitFolder(parentId, visit, seen);
}

void TTolvexExport::VisitFolder(int parentId, const TTreeVisitor& visit, std::vector<int>& seen)
{
    if (parentId == 0 || cancelled_ || std::find(seen.begin(), seen.end(), parentId) != seen.end())
        return;
    seen.push_back(parentId);
    struct TRow {
        int ItemId, ItemType, ChildsCount;
    };
    std::vector<TRow> rows;
    {
        TQueryGuard query(connection_);
        query->SetSQL("SELECT a.LinkedItemId, a.ItemType, (SELECT COUNT(*) FROM Items AS b WHERE b.CatalogCode = "
                      "a.CatalogCode AND b.ParentItemId = a.ItemId) AS ChildsCount FROM Items AS a WHERE "
                      "a.CatalogCode = :CatalogCode AND a.ParentItemId = " + std::to_string(parentId) +
                      " ORDER BY a.OrderNum, a.ItemId");
        query->SetParam("CatalogCode", OpenCatalog()->GetCatalogCode());
        for (TAbstractRecordset& records = query->Open(true); !records.Eof(); records.Next())
            rows.push_back({FieldInteger(records, "LinkedItemId"), FieldInteger(records, "ItemType"),
                            FieldInteger(records, "ChildsCount")});
    }
    for (const TRow& row : rows) {
        if (cancelled_)
            return;
        visit(row.ItemId, row.ItemType);
        if (row.ChildsCount > 0)
            VisitFolder(row.ItemId, visit, seen);
    }
}
