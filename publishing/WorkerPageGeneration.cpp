#include "publishing/WorkerPageGeneration.h"

#include "catalog/CatalogPageGeneration.h"
#include "catalog/SymbolicIds.h"
#include "common/QuietGui.h"
#include "generation/PageXmlSource.h"
#include "generation/Templates.h"
#include "publishing/LockedConnection.h"
#include "storage/ObjectFactory.h"
#include "storage/TolvexObjectContext.h"

TWorkerPageGeneration::TWorkerPageGeneration(TCatalogPageGeneration& shared, TGenerationCatalog& sharedData,
                                             TTolvexObjectContext& sharedContext, TSharedServicesLock& lock,
                                             std::string workDir, const std::vector<std::string>& languages)
    : shared_(shared), sharedData_(sharedData), lock_(lock), workDir_(std::move(workDir)),
      catalogCode_(shared.GetCatalogCode()), defaultLangCode_(shared.GetDefaultLangCode()),
      names_(sharedData, lock), gui_(std::make_unique<TQuietGui>())
{
    // The class definitions are read once for the program and only read afterwards.
    context_ = std::make_unique<TTolvexObjectContext>(
        [&sharedContext](int classId) { return sharedContext.GetClassDefinition(classId); },
        [&sharedContext](const std::string& classXmlTag) { return sharedContext.GetClassId(classXmlTag); });
    context_->SetOpenCatalog(sharedContext.GetOpenCatalog());
    context_->SetItemIdResolver([this](const std::string& text, int currentId, int currentTreeId) {
        return ResolveItemId(text, currentId, currentTreeId);
    });
    for (const std::string& lang : languages)
        webCharsets_[lang] = shared.GetWebCharset(lang);
    templates_ = std::make_unique<TTemplates>(*this);
    factory_ = std::make_unique<TTolvexObjectFactory>(*context_);
}

TWorkerPageGeneration::~TWorkerPageGeneration() = default;

// ---- answered by the worker itself ----------------------------------------------------------

std::string TWorkerPageGeneration::GetCatalogCode() const
{
    return catalogCode_;
}

std::string TWorkerPageGeneration::GetDefaultLangCode() const
{
    return defaultLangCode_;
}

TCommonGui& TWorkerPageGeneration::GetGui()
{
    return *gui_;
}

void TWorkerPageGeneration::SetCurrentTemplateIds(int masterTemplateId, int bodyTemplateId)
{
    masterTemplateId_ = masterTemplateId;
    bodyTemplateId_ = bodyTemplateId;
}

std::string TWorkerPageGeneration::GetWebCharset(const std::string& langCode)
{
    const auto known = webCharsets_.find(langCode);
    if (known != webCharsets_.end())
        return known->second;
    TSharedServicesGuard guard(lock_);
    return shared_.GetWebCharset(langCode);
}

int TWorkerPageGeneration::ResolveItemId(const std::string& text, int currentId, int currentTreeId)
{
    return ResolveSymbolicItemId(text, {currentId, currentTreeId, masterTemplateId_, bodyTemplateId_}, names_);
}

std::unique_ptr<TPageXmlSource> TWorkerPageGeneration::CreatePageXmlSource(xmlDoc* document, TLog* log)
{
    return shared_.CreatePageXmlSourceOver(*this, *context_, document, log, templates_->BuilderRunCache());
}

// ---- queries through the worker's connection ------------------------------------------------

int TWorkerPageGeneration::GetLinkedItemId(int itemId, const std::string& catalogCode,
                                           TAbstractDBConnection& connection)
{
    return shared_.GetLinkedItemId(itemId, catalogCode, connection);
}

std::string TWorkerPageGeneration::GetAltFileName(int itemId, TAbstractDBConnection& connection,
                                                  const std::string& catalogCode)
{
    return shared_.GetAltFileName(itemId, connection, catalogCode);
}

int TWorkerPageGeneration::GetItemType(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection)
{
    return shared_.GetItemType(itemId, catalogCode, connection);
}

std::string TWorkerPageGeneration::GetImageFileName(int imageItemId, TAbstractDBConnection& connection,
                                                    const std::string& catalogCode)
{
    return shared_.GetImageFileName(imageItemId, connection, catalogCode);
}

int TWorkerPageGeneration::GetParentItemId(int itemId, const std::string& catalogCode,
                                           TAbstractDBConnection& connection)
{
    return sharedData_.GetParentItemId(itemId, catalogCode, connection);
}

int TWorkerPageGeneration::FindVisibleLinkCopy(int itemId, const std::string& catalogCode,
                                               TAbstractDBConnection& connection)
{
    return sharedData_.FindVisibleLinkCopy(itemId, catalogCode, connection);
}

TItemDescription TWorkerPageGeneration::GetItemDescription(int itemId, const std::string& catalogCode,
                                                           TAbstractDBConnection& connection)
{
    return sharedData_.GetItemDescription(itemId, catalogCode, connection);
}

int TWorkerPageGeneration::GetNextSiblingId(int itemId, const std::string& catalogCode,
                                            TAbstractDBConnection& connection, bool sameTypeOnly)
{
    return sharedData_.GetNextSiblingId(itemId, catalogCode, connection, sameTypeOnly);
}

int TWorkerPageGeneration::GetPreviousSiblingId(int itemId, const std::string& catalogCode,
                                                TAbstractDBConnection& connection, bool sameTypeOnly)
{
    return sharedData_.GetPreviousSiblingId(itemId, catalogCode, connection, sameTypeOnly);
}

std::vector<int> TWorkerPageGeneration::GetItemPath(int itemId, const std::vector<int>& itemTypes,
                                                    const std::string& catalogCode, TAbstractDBConnection& connection)
{
    return sharedData_.GetItemPath(itemId, itemTypes, catalogCode, connection);
}

int TWorkerPageGeneration::CountItemsOfType(int parentId, int itemType, const std::string& catalogCode,
                                            TAbstractDBConnection& connection)
{
    return sharedData_.CountItemsOfType(parentId, itemType, catalogCode, connection);
}

// ---- shared services, under the lock ---------------------------------------------------------

// What a page writes through the catalog's main connection (a folder's
// default template, say) is written there as a run on one thread writes it,
// each statement under the lock.
TAbstractDBConnection& TWorkerPageGeneration::GetMainConnection()
{
    if (!mainConnection_) {
        TSharedServicesGuard guard(lock_);
        mainConnection_ = std::make_unique<TLockedConnection>(shared_.GetMainConnection(), lock_);
    }
    return *mainConnection_;
}

// Objects made by the worker belong to its own object context.
TAbstractObjectFactory& TWorkerPageGeneration::GetObjectFactory()
{
    return *factory_;
}

std::string TWorkerPageGeneration::GetReportDir() const
{
    TSharedServicesGuard guard(lock_);
    return shared_.GetReportDir();
}

const TTranslation& TWorkerPageGeneration::GetTranslation() const
{
    TSharedServicesGuard guard(lock_);
    return shared_.GetTranslation();
}

TDesktopLook TWorkerPageGeneration::GetDesktopLook() const
{
    TSharedServicesGuard guard(lock_);
    return shared_.GetDesktopLook();
}

int TWorkerPageGeneration::GetItemTypeTemplateId(int itemType, int kind)
{
    TSharedServicesGuard guard(lock_);
    return shared_.GetItemTypeTemplateId(itemType, kind);
}

std::string TWorkerPageGeneration::GetCatalogTypeBodyTemplate()
{
    TSharedServicesGuard guard(lock_);
    return shared_.GetCatalogTypeBodyTemplate();
}

std::string TWorkerPageGeneration::GetStyleCatalogCode()
{
    TSharedServicesGuard guard(lock_);
    return shared_.GetStyleCatalogCode();
}

TAbstractDBConnection* TWorkerPageGeneration::GetStyleConnection()
{
    TSharedServicesGuard guard(lock_);
    return shared_.GetStyleConnection();
}

void TWorkerPageGeneration::ImportStyleItem(int itemId, const std::string& sourceCatalogCode,
                                            TAbstractDBConnection& sourceConnection, TAbstractDBConnection& connection)
{
    TSharedServicesGuard guard(lock_);
    shared_.ImportStyleItem(itemId, sourceCatalogCode, sourceConnection, connection);
}

int TWorkerPageGeneration::ResolveItemType(const std::string& text, int currentType)
{
    return ResolveSymbolicItemType(text, currentType, names_);
}

// The category database has one connection for the program: the worker's
// queries on it run under the lock.
TAbstractDBConnection* TWorkerPageGeneration::GetCategoryConnection()
{
    if (!categoryConnectionAsked_) {
        TSharedServicesGuard guard(lock_);
        categoryConnectionAsked_ = true;
        if (TAbstractDBConnection* shared = sharedData_.GetCategoryConnection())
            categoryConnection_ = std::make_unique<TLockedConnection>(*shared, lock_);
    }
    return categoryConnection_.get();
}
