#include "publishing/ExportTemplates.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/Tolvex.h"
#include "common/CommonFunctions.h"
#include "common/Exceptions.h"
#include "storage/AbstractCObject.h"
#include "storage/ClassesList.h"
#include "storage/GlobalDefinition.h"
#include "storage/ObjectFactory.h"
#include "storage/IdRanges.h"
#include "storage/QueryGuard.h"
#include "storage/RecordValues.h"
#include "storage/TolvexObjectContext.h"

#include <algorithm>

namespace {

struct TTemplateFile {
    int ItemType;
    const char* ClassTag;
    const char* Extension;
};

// Body templates (502) are written with the other XSL templates, so that an
// export holds every template a page needs.
const TTemplateFile kTemplateFiles[] = {
    {501, "XmlData", "xsl"},   {502, "XmlData", "xsl"}, {512, "XmlData", "xsl"},   {514, "XmlData", "xsl"},
    {517, "XmlData", "xsl"},   {518, "XmlData", "xsl"}, {503, "XmlData", "xml"},   {504, "CSSData", "css"},
    {505, "CSSData", "css"},   {506, "JavaScript", "js"},
};

}  // namespace

void TExportTemplates::Execute()
{
    if (!OpenCatalog())
        throw EPublisherTolvexException("No catalog is open");
    dirName_ = Param("DirName");
    VisitTree(kTemplatesRootId, [this](int itemId, int itemType) { ExportTemplate(itemId, itemType); });
    success_ = true;
}

void TExportTemplates::ExportTemplate(int itemId, int itemType)
{
    const auto file = std::find_if(std::begin(kTemplateFiles), std::end(kTemplateFiles),
                                   [itemType](const TTemplateFile& entry) { return entry.ItemType == itemType; });
    if (file == std::end(kTemplateFiles))
        return;
    TCatalogData& data = *OpenCatalog();
    TTolvex& root = *Root();
    const int classId = root.ObjectContext().GetClassId(file->ClassTag);
    std::unique_ptr<TAbstractCObject> object =
        root.Catalog().GetObjectFactory().GetObject(itemId, classId, connection_, data.GetCatalogCode());
    if (!object || object->GetInstanceId() == 0)
        return;
    const std::string text = object->GetLangString("SourceCode", "XXX", 0);
    if (text.empty())
        return;
    std::string name = data.GetItemName(itemId, connection_, data.GetDefaultLangCode());
    if (name.empty())
        name = std::to_string(itemId);
    const std::string fileName = TCommonFunctions::SanitizeFileName(name) + "." + file->Extension;
    WriteLog(Format("Template ($1): $2", {root.GlobalDefinition().GetItemTypeDescription(itemType), fileName}));
    TCommonFunctions::SaveStringToFile(text, dirName_ + "/" + fileName);
}
