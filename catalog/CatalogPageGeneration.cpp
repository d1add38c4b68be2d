#include "catalog/CatalogPageGeneration.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/CatalogDefinition.h"
#include "catalog/CatalogUpgrades.h"
#include "common/CommonImages.h"
#include "common/GlobalSettings.h"
#include "common/IniSettings.h"
#include "common/Translation.h"
#include "generation/Templates.h"
#include "generation/XmlBuilderPageSource.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/GlobalDefinition.h"
#include "storage/ObjectFactory.h"
#include "storage/References.h"

TCatalogPageGeneration::TCatalogPageGeneration(TCatalogData& data, const TServices& services)
    : data_(data), services_(services)
{
    templates_ = std::make_unique<TTemplates>(*this);
}

TCatalogPageGeneration::~TCatalogPageGeneration() = default;

std::string TCatalogPageGeneration::CodeOrOpen(const std::string& catalogCode) const
{
    return catalogCode.empty() ? data_.GetCatalogCode() : catalogCode;
}

// ---- the open catalog ----------------------------------------------------------------------

std::string TCatalogPageGeneration::GetCatalogCode() const
{
    return data_.GetCatalogCode();
}

std::string TCatalogPageGeneration::GetDefaultLangCode() const
{
    return data_.GetDefaultLangCode();
}

TAbstractDBConnection& TCatalogPageGeneration::GetMainConnection()
{
    return data_.GetConnectionFactory().GetConnection();
}

TAbstractObjectFactory& TCatalogPageGeneration::GetObjectFactory()
{
    return services_.Catalog.GetObjectFactory();
}

// ---- folders, texts and the user ---------------------------------------------------------------

std::string TCatalogPageGeneration::GetPreviewDir() const
{
    return services_.Settings.GetPreviewDir();
}

std::string TCatalogPageGeneration::GetReportDir() const
{
    return services_.Settings.GetReportDir();
}

const TTranslation& TCatalogPageGeneration::GetTranslation() const
{
    return TTranslation::OrEnglish(services_.Translation);
}

TDesktopLook TCatalogPageGeneration::GetDesktopLook() const
{
    TDesktopLook look;
    const TIniSettings& settings = services_.Settings.IniSettings();
    look.FontName = settings.GetString(siFontName, look.FontName);
    look.FontSize = settings.GetInteger(siFontSize, look.FontSize);
    return look;
}

// ---- items ---------------------------------------------------------------------------------

int TCatalogPageGeneration::GetLinkedItemId(int itemId, const std::string& catalogCode,
                                            TAbstractDBConnection& connection)
{
    return services_.Catalog.GetLinkedItemId(itemId, catalogCode, connection);
}

std::string TCatalogPageGeneration::GetAltFileName(int itemId, TAbstractDBConnection& connection,
                                                   const std::string& catalogCode)
{
    return services_.Catalog.GetAltFileName(itemId, &connection, CodeOrOpen(catalogCode));
}

int TCatalogPageGeneration::GetItemType(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection)
{
    return data_.GetQueries().GetItemType(itemId, catalogCode, connection);
}

// ---- catalog definition ----------------------------------------------------------------------

int TCatalogPageGeneration::GetItemTypeTemplateId(int itemType, int kind)
{
    return services_.Catalog.GetDefinition().GetItemTypeTemplateId(itemType, kind);
}

void TCatalogPageGeneration::SetCurrentTemplateIds(int masterTemplateId, int bodyTemplateId)
{
    services_.Catalog.GetDefinition().SetCurrentTemplateIds(masterTemplateId, bodyTemplateId);
}

int TCatalogPageGeneration::ResolveItemId(const std::string& text, int currentId, int currentTreeId)
{
    return data_.ResolveItemId(text, currentId, currentTreeId);
}

std::string TCatalogPageGeneration::GetCatalogTypeBodyTemplate()
{
    return services_.GlobalDefinition.GetCatalogTypeBodyTemplate(data_.GetCatalogType());
}

// ---- style catalog ------------------------------------------------------------------------------

std::string TCatalogPageGeneration::GetStyleCatalogCode()
{
    return "t#" + std::to_string(data_.GetCatalogType());
}

TAbstractDBConnection* TCatalogPageGeneration::GetStyleConnection()
{
    TAbstractDBConnectionFactory* definition =
        services_.Catalog.GetDefinition().GetDefinitionDatabase(data_.GetCatalogType());
    return definition ? &definition->GetConnection() : nullptr;
}

void TCatalogPageGeneration::ImportStyleItem(int itemId, const std::string& sourceCatalogCode,
                                             TAbstractDBConnection& sourceConnection,
                                             TAbstractDBConnection& connection)
{
    services_.Catalog.GetUpgrades().CopyStyleItems(data_.GetCatalogCode(), sourceCatalogCode,
                                                   {std::to_string(itemId)}, connection, sourceConnection, "",
                                                   false, false);
}

// ---- reference data and images ---------------------------------------------------------------------

std::string TCatalogPageGeneration::GetWebCharset(const std::string& langCode)
{
    return services_.References.GetWebCharset(langCode);
}

std::string TCatalogPageGeneration::GetImageFileName(int imageItemId, TAbstractDBConnection& connection,
                                                     const std::string& catalogCode)
{
    return TCommonImages::GetImageFileName(imageItemId, connection, CodeOrOpen(catalogCode));
}

// ---- page XML builder -----------------------------------------------------------------------------------

std::unique_ptr<TPageXmlSource> TCatalogPageGeneration::CreatePageXmlSource(xmlDoc* document, TLog* log)
{
    return CreatePageXmlSourceOver(data_, services_.ObjectContext, document, log, templates_->BuilderRunCache());
}

std::unique_ptr<TPageXmlSource> TCatalogPageGeneration::CreatePageXmlSourceOver(TGenerationCatalog& catalog,
                                                                                TTolvexObjectContext& context,
                                                                                xmlDoc* document, TLog* log,
                                                                                TXmlBuilderRunCache* runCache)
{
    return std::make_unique<TXmlBuilderPageSource>(document, log, catalog, context, services_.Translation, runCache);
}
