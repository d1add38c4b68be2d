#include "generation/CatalogPreviewSource.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/CatalogDefinition.h"
#include "catalog/CatalogDefinitionRows.h"
#include "catalog/CatalogHost.h"
#include "common/Exceptions.h"
#include "storage/AbstractDBConnectionFactory.h"

TCatalogPreviewSource::TCatalogPreviewSource(TCatalog& catalog, TCatalogHost& host) : catalog_(catalog), host_(host)
{
}

TCatalogData& TCatalogPreviewSource::Data()
{
    auto* data = dynamic_cast<TCatalogData*>(catalog_.GetData());
    if (!data)
        throw EDeveloperTolvexException("Preview of a catalog that is not open");
    return *data;
}

std::string TCatalogPreviewSource::GetPreviewHostAddress()
{
    return host_.GetPreviewHostAddress();
}

std::string TCatalogPreviewSource::GetStylePreviewHostAddress()
{
    return host_.GetStylePreviewHostAddress();
}

bool TCatalogPreviewSource::IsOpen()
{
    return dynamic_cast<TCatalogData*>(catalog_.GetData()) != nullptr;
}

bool TCatalogPreviewSource::IsStylePreview()
{
    return Data().IsStylePreview();
}

std::string TCatalogPreviewSource::GetCatalogCode()
{
    return Data().GetCatalogCode();
}

std::string TCatalogPreviewSource::GetStylePreviewCode()
{
    return "p#" + std::to_string(Data().GetCatalogType());
}

std::string TCatalogPreviewSource::GetStyleCatalogCode()
{
    return catalog_definition::DefinitionCatalogCode(Data().GetCatalogType());
}

TAbstractDBConnection& TCatalogPreviewSource::GetCurrentConnection()
{
    if (editor_.Connection)
        if (TAbstractDBConnection* connection = editor_.Connection())
            return *connection;
    return Data().GetConnectionFactory().GetConnection();
}

TAbstractDBConnection* TCatalogPreviewSource::GetDefinitionConnection()
{
    TAbstractDBConnectionFactory* definition = catalog_.GetDefinition().GetDefinitionDatabase(kOpenCatalogType);
    return definition ? &definition->GetConnection() : nullptr;
}

bool TCatalogPreviewSource::CatalogExists(const std::string& catalogCode, TAbstractDBConnection& connection)
{
    return TTolvexCatalog::ReadCatalogType(connection, catalogCode).has_value();
}

int TCatalogPreviewSource::GetHomePageId()
{
    return host_.GetHomePageId();
}

bool TCatalogPreviewSource::ItemExists(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection)
{
    return catalog_.ItemExists(itemId, catalogCode, connection);
}

int TCatalogPreviewSource::FindItemByAltFileName(const std::string& name, TAbstractDBConnection& connection,
                                                 const std::string& catalogCode)
{
    return catalog_.FindItemByAltFileName(name, connection, catalogCode, 0);
}

std::optional<TPreviewSource::TEditedItem> TCatalogPreviewSource::GetEditedItem()
{
    return editor_.EditedItem ? editor_.EditedItem() : std::nullopt;
}

std::string TCatalogPreviewSource::GetTransformResult(int itemId, int pageNo, const std::string& langCode)
{
    return Data().GetTransformCache().GetTransformResult(itemId, pageNo, langCode);
}
