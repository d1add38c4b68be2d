#include "publishing/ExportXhtmlTemplates.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/Tolvex.h"
#include "common/AtomicFile.h"
#include "common/CommonFunctions.h"
#include "common/CommonImages.h"
#include "common/Exceptions.h"
#include "publishing/XhtmlTemplateText.h"
#include "storage/AbstractCObject.h"
#include "storage/GlobalDefinition.h"
#include "storage/IdRanges.h"
#include "storage/ObjectFactory.h"
#include "storage/QueryGuard.h"
#include "storage/RecordValues.h"
#include "storage/TolvexObjectContext.h"

#include <algorithm>
#include <filesystem>

namespace {

struct TTemplateFile {
    int ItemType;
    const char* ClassTag;
    const char* Extension;
    const char* Folder;
    bool Xhtml;
};

const TTemplateFile kTemplateFiles[] = {
    {501, "XmlData", "xhtml", "templates", true},  {502, "XmlData", "xhtml", "templates", true},
    {512, "XmlData", "xhtml", "templates", true},  {514, "XmlData", "xhtml", "templates", true},
    {517, "XmlData", "xhtml", "templates", true},  {518, "XmlData", "xhtml", "templates", true},
    {503, "XmlData", "xml", "templates", false},   {504, "CSSData", "css", "css", false},
    {505, "CSSData", "css", "css", false},         {506, "JavaScript", "js", "js", false},
};

constexpr int kPictureItemType = 301;

}  // namespace

void TExportXhtmlTemplates::Execute()
{
    if (!OpenCatalog())
        throw EPublisherTolvexException("No catalog is open");
    dirName_ = Param("DirName");
    written_.clear();
    for (const char* folder : {"css", "images", "js", "templates"}) {
        std::error_code ec;
        std::filesystem::create_directories(dirName_ + "/" + folder, ec);
        if (ec)
            throw ECriticalTolvexException("Cannot create the folder \"" + dirName_ + "/" + folder + "\"");
    }
    VisitTree(kTemplatesRootId, [this](int itemId, int itemType) { ExportTemplate(itemId, itemType); });
    // The pictures of the templates.
    std::vector<int> pictures;
    {
        TQueryGuard query(connection_);
        query->SetSQL("SELECT a.LinkedItemId FROM Items AS a WHERE a.CatalogCode = :CatalogCode AND a.ItemType = " +
                      std::to_string(kPictureItemType) + " AND a.ItemId > 600000 AND a.ItemId < 700000 ORDER BY a.ItemId");
        query->SetParam("CatalogCode", OpenCatalog()->GetCatalogCode());
        for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next())
            pictures.push_back(FieldInteger(rows, "LinkedItemId"));
    }
    for (int picture : pictures) {
        if (cancelled_)
            return;
        ExportImage(picture);
    }
    success_ = !cancelled_;
}

std::string TExportXhtmlTemplates::FileName(int itemId, const std::string& folder, const std::string& extension)
{
    std::string name = Root()->Catalog().GetAltFileName(itemId, &connection_, OpenCatalog()->GetCatalogCode());
    if (name.empty())
        name = std::to_string(itemId);
    name = TCommonFunctions::SanitizeFileName(name);
    std::string fileName = name + "." + extension;
    if (!written_.insert(folder + "/" + fileName).second) {
        fileName = name + "_" + std::to_string(itemId) + "." + extension;
        written_.insert(folder + "/" + fileName);
    }
    return fileName;
}

void TExportXhtmlTemplates::ExportTemplate(int itemId, int itemType)
{
    const auto file = std::find_if(std::begin(kTemplateFiles), std::end(kTemplateFiles),
                                   [itemType](const TTemplateFile& entry) { return entry.ItemType == itemType; });
    if (file == std::end(kTemplateFiles))
        return;
    TCatalogData& data = *OpenCatalog();
    TTolvex& root = *Root();
    TTolvexObjectFactory& factory = root.Catalog().GetObjectFactory();
    int colorScheme = 0;
    int fontScheme = 0;
    if (itemType == 501) {
        std::unique_ptr<TAbstractCObject> master = factory.GetObject(itemId, 501, connection_, data.GetCatalogCode());
        if (master && master->GetInstanceId() != 0) {
            colorScheme = master->GetInteger("ColorScheme", 0);
            fontScheme = master->GetInteger("FontScheme", 0);
        }
    }
    const int classId = root.ObjectContext().GetClassId(file->ClassTag);
    std::unique_ptr<TAbstractCObject> object = factory.GetObject(itemId, classId, connection_, data.GetCatalogCode());
    if (!object || object->GetInstanceId() == 0)
        return;
    std::string text = object->GetLangString("SourceCode", "XXX", 0);
    if (text.empty())
        return;
    const std::string fileName = FileName(itemId, file->Folder, file->Extension);
    WriteLog(Format("Template ($1): $2", {root.GlobalDefinition().GetItemTypeDescription(itemType), fileName}));
    if (file->Xhtml)
        text = xhtml_template::ToXhtml(text, itemType, colorScheme, fontScheme);
    TCommonFunctions::SaveStringToFile(text, dirName_ + "/" + file->Folder + "/" + fileName);
}

void TExportXhtmlTemplates::ExportImage(int itemId)
{
    TQueryGuard query(connection_);
    query->SetSQL("SELECT * FROM CBinary WHERE CatalogCode = :CatalogCode AND ItemId = " + std::to_string(itemId) +
                  " ORDER BY InstanceId, LangCode, IndexId");
    query->SetParam("CatalogCode", OpenCatalog()->GetCatalogCode());
    TAbstractRecordset& rows = query->Open(true);
    if (rows.Eof())
        return;
    const std::string subtype =
        TCommonFunctions::SanitizeFileName(TCommonFunctions::GetMimeSubtype(FieldText(rows, "DataMimeType")));
    const std::string fileName = FileName(itemId, "images", subtype);
    WriteLog(Format("Image: $1", {fileName}));
    TCommonImages::SaveBlobToFile(dirName_ + "/images/" + fileName, rows.Field("DataBlob"));
}
