#include "publishing/FroogleSettings.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/Tolvex.h"
#include "common/Exceptions.h"
#include "storage/ObjectFactory.h"
#include "storage/TolvexObject.h"
#include "storage/TolvexObjectContext.h"

namespace {

constexpr const char* kSettingsClass = "FroogleSettings";

std::string OpenCatalogCode(TTolvex& root)
{
    TCatalogData* data = root.GetCatalogData();
    if (!data)
        throw EPublisherTolvexException("No catalog is open");
    return data->GetCatalogCode();
}

}  // namespace

TFroogleSettings TFroogleSettings::Load(TTolvex& root, TAbstractDBConnection& connection, const std::string& lang)
{
    const std::string code = OpenCatalogCode(root);
    TFroogleSettings settings;
    std::unique_ptr<TTolvexObject> object = root.Catalog().GetObjectFactory().GetObjectTyped(
        kSettingsItemId, root.ObjectContext().GetClassId(kSettingsClass), connection, code);
    if (object && object->GetInstanceId() != 0) {
        settings.FTPSite = object->GetLangString("FTPSite", lang, 0);
        settings.UserName = object->GetLangString("UserName", lang, 0);
        settings.Password = object->GetLangString("Password", lang, 0);
    }
    if (settings.FTPSite.empty())
        settings.FTPSite = kDefaultFtpSite;
    return settings;
}

void TFroogleSettings::Store(TTolvex& root, TAbstractDBConnection& connection, const std::string& lang) const
{
    const std::string code = OpenCatalogCode(root);
    TCatalog& catalog = root.Catalog();
    if (!catalog.ItemExists(kSettingsItemId, code, connection))
        catalog.CreateItem(kSettingsItemId, 0, 0, code, connection, kSettingsItemId);
    const int classId = root.ObjectContext().GetClassId(kSettingsClass);
    std::unique_ptr<TTolvexObject> object =
        catalog.GetObjectFactory().GetObjectTyped(kSettingsItemId, classId, connection, code);
    if (!object || object->GetInstanceId() == 0)
        object = catalog.GetObjectFactory().CreateObjectTyped(kSettingsItemId, classId, 0, connection, code);
    object->SetLangString("FTPSite", lang, FTPSite, 0);
    object->SetLangString("UserName", lang, UserName, 0);
    object->SetLangString("Password", lang, Password, 0);
    object->Save();
}
