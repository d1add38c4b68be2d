#include "publishing/ExportImages.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/Tolvex.h"
#include "common/CommonFunctions.h"
#include "common/CommonImages.h"
#include "common/Exceptions.h"
#include "storage/QueryGuard.h"
#include "storage/RecordValues.h"

namespace {

// The member type of picture data.
constexpr int kPictureMemberType = 252;

}  // namespace

void TExportImages::Execute()
{
    success_ = true;
    TCatalogData* data = OpenCatalog();
    if (!data)
        throw EPublisherTolvexException("No catalog is open");
    const std::string catalogCode = data->GetCatalogCode();
    const std::string dirName = Param("DirName");
    TQueryGuard query(connection_);
    query->SetSQL("SELECT COUNT(*) AS NumImages FROM CBinary WHERE CatalogCode = :CatalogCode AND MemberType = " +
                  std::to_string(kPictureMemberType));
    query->SetParam("CatalogCode", catalogCode);
    const int count = FieldInteger(query->Open(true), "NumImages");
    query->Close();
    if (count == 0)
        return;
    SetProgressMax(count);
    query->SetSQL("SELECT * FROM CBinary WHERE CatalogCode = :CatalogCode AND MemberType = " +
                  std::to_string(kPictureMemberType) + " ORDER BY ItemId, InstanceId, LangCode, IndexId");
    query->SetParam("CatalogCode", catalogCode);
    for (TAbstractRecordset& rows = query->Open(true); !rows.Eof() && !cancelled_; rows.Next()) {
        const int itemId = FieldInteger(rows, "ItemId");
        std::string name = Root()->Catalog().GetAltFileName(itemId, &connection_, catalogCode);
        if (name.empty())
            name = std::to_string(itemId);
        // The subtype is made safe too: a type such as "image/../x" must not name a folder.
        const std::string fileName =
            TCommonFunctions::SanitizeFileName(name) + "." +
            TCommonFunctions::SanitizeFileName(TCommonFunctions::GetMimeSubtype(FieldText(rows, "DataMimeType")));
        TCommonImages::SaveBlobToFile(dirName + "/" + fileName, rows.Field("DataBlob"));
        WriteLog(Format("Image: $1 ($2)", {data->GetItemName(itemId, connection_, data->GetCurrentLangCode()), fileName}));
        StepProgress();
    }
}
