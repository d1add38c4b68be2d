#pragma once
// The page generation of one publishing worker thread: what the page
// generator asks of the open catalog (TTransformerCatalog) and what the
// page XML builder asks (TGenerationCatalog), answered by the open
// catalog's own page generation, except what a worker must have for itself:
//
// - its own templates service, writing the XSL files of its transformations
//   into its own work folder, with its own compiled style sheets and its own
//   values of the run (a run is open while the worker exists);
// - its own "mastertemplate" and "bodytemplate" (the templates of the page
//   it is generating), and the rules of symbolic ids applied by itself,
//   only the catalog's names asked of it (TWorkerNameLookup);
// - its own object context (the classes of the shared one; its own pending
//   instance ids; item names resolved as above) and its own object factory
//   over it;
// - the catalog's main connection and the category database's connection
//   wrapped so that each query and unit of work on them runs under the
//   lock (TLockedConnection);
// - a user interface that shows nothing (a worker never asks or waits);
// - the web character sets of the run's languages, read when it is made.
//
// What the shared catalog answers from its definition and symbolic ids is
// asked under a lock shared by the workers and the publisher; what it
// answers with queries through the worker's own connection is asked
// without one. Made on the publisher's thread, then used by one worker.
#include "generation/GenerationCatalog.h"
#include "generation/TransformerCatalog.h"
#include "publishing/SharedServicesLock.h"
#include "publishing/WorkerNameLookup.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class TCatalogPageGeneration;
class TTemplates;
class TTolvexObjectContext;
class TQuietGui;
class TLockedConnection;
class TTolvexObjectFactory;

class TWorkerPageGeneration : public TTransformerCatalog, public TGenerationCatalog {
public:
    // WorkDir must exist; Languages are the run's languages; SharedContext
    // is the program's object context. Nothing owned.
    TWorkerPageGeneration(TCatalogPageGeneration& shared, TGenerationCatalog& sharedData,
                          TTolvexObjectContext& sharedContext, TSharedServicesLock& lock, std::string workDir,
                          const std::vector<std::string>& languages);
    ~TWorkerPageGeneration() override;

    TTemplates& Templates() { return *templates_; }
    // The worker's object context, for its object collection.
    TTolvexObjectContext& ObjectContext() { return *context_; }

    // ---- TTransformerCatalog ---------------------------------------------------------
    std::string GetCatalogCode() const override;
    std::string GetDefaultLangCode() const override;
    TAbstractDBConnection& GetMainConnection() override;
    TAbstractObjectFactory& GetObjectFactory() override;
    TTemplates& GetTemplates() override { return *templates_; }
    std::string GetPreviewDir() const override { return workDir_; }
    std::string GetReportDir() const override;
    const TTranslation& GetTranslation() const override;
    TCommonGui& GetGui() override;
    TDesktopLook GetDesktopLook() const override;
    int GetLinkedItemId(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection) override;
    std::string GetAltFileName(int itemId, TAbstractDBConnection& connection,
                               const std::string& catalogCode) override;
    int GetItemType(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection) override;
    int GetItemTypeTemplateId(int itemType, int kind) override;
    void SetCurrentTemplateIds(int masterTemplateId, int bodyTemplateId) override;
    std::string GetCatalogTypeBodyTemplate() override;
    std::string GetStyleCatalogCode() override;
    TAbstractDBConnection* GetStyleConnection() override;
    void ImportStyleItem(int itemId, const std::string& sourceCatalogCode, TAbstractDBConnection& sourceConnection,
                         TAbstractDBConnection& connection) override;
    std::string GetWebCharset(const std::string& langCode) override;
    std::string GetImageFileName(int imageItemId, TAbstractDBConnection& connection,
                                 const std::string& catalogCode) override;
    std::unique_ptr<TPageXmlSource> CreatePageXmlSource(xmlDoc* document, TLog* log) override;

    // ---- TGenerationCatalog (and both) ------------------------------------------------------
    int ResolveItemId(const std::string& text, int currentId, int currentTreeId) override;
    int ResolveItemType(const std::string& text, int currentType) override;
    int GetParentItemId(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection) override;
    int FindVisibleLinkCopy(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection) override;
    TItemDescription GetItemDescription(int itemId, const std::string& catalogCode,
                                        TAbstractDBConnection& connection) override;
    int GetNextSiblingId(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection,
                         bool sameTypeOnly) override;
    int GetPreviousSiblingId(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection,
                             bool sameTypeOnly) override;
    std::vector<int> GetItemPath(int itemId, const std::vector<int>& itemTypes, const std::string& catalogCode,
                                 TAbstractDBConnection& connection) override;
    int CountItemsOfType(int parentId, int itemType, const std::string& catalogCode,
                         TAbstractDBConnection& connection) override;
    TAbstractDBConnection* GetCategoryConnection() override;

private:

    TCatalogPageGeneration& shared_;
    TGenerationCatalog& sharedData_;
    TSharedServicesLock& lock_;
    std::string workDir_;
    std::string catalogCode_;
    std::string defaultLangCode_;
    std::map<std::string, std::string> webCharsets_;
    int masterTemplateId_ = 0;
    int bodyTemplateId_ = 0;
    // The catalog's names of items and item types, asked once each.
    TWorkerNameLookup names_;
    std::unique_ptr<TQuietGui> gui_;
    std::unique_ptr<TTolvexObjectContext> context_;
    std::unique_ptr<TTemplates> templates_;
    std::unique_ptr<TTolvexObjectFactory> factory_;
    // The shared connections, each query on them under the lock; made when first asked for.
    std::unique_ptr<TLockedConnection> mainConnection_;
    std::unique_ptr<TLockedConnection> categoryConnection_;
    bool categoryConnectionAsked_ = false;
};
