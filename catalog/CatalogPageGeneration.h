#pragma once
// TCatalogPageGeneration: what page generation needs of the open catalog
// (TTransformerCatalog), answered from the catalog's data, the catalog
// object with its definition, and the program's settings, reference data,
// translation and user interface. It owns the catalog's templates service
// and gives the transformer the page XML builder (TXmlBuilder) over the
// open catalog.
//
//   TCatalogPageGeneration pages(data, {catalog, settings, globalDefinition, references, gui,
//                                       translation, objectContext});
//   TTransformer transformer(pages, data.GetCatalogCode(), nullptr);
#include "generation/TransformerCatalog.h"

#include <memory>
#include <string>

class TCatalog;
class TGenerationCatalog;
class TXmlBuilderRunCache;
class TCatalogData;
class TGlobalDefinition;
class TGlobalSettings;
class TReferences;
class TTolvexObjectContext;

class TCatalogPageGeneration : public TTransformerCatalog {
public:
    // Not owned; all must outlive the object. Translation may be null
    // (texts stay English).
    struct TServices {
        TCatalog& Catalog;
        TGlobalSettings& Settings;
        TGlobalDefinition& GlobalDefinition;
        TReferences& References;
        TCommonGui& Gui;
        const TTranslation* Translation;
        TTolvexObjectContext& ObjectContext;
    };

    // Data: the open catalog; it must stay open while this object exists.
    TCatalogPageGeneration(TCatalogData& data, const TServices& services);
    ~TCatalogPageGeneration() override;
    TCatalogPageGeneration(const TCatalogPageGeneration&) = delete;
    TCatalogPageGeneration& operator=(const TCatalogPageGeneration&) = delete;

    // ---- the open catalog ------------------------------------------------------
    std::string GetCatalogCode() const override;
    std::string GetDefaultLangCode() const override;
    TAbstractDBConnection& GetMainConnection() override;
    TAbstractObjectFactory& GetObjectFactory() override;
    TTemplates& GetTemplates() override { return *templates_; }

    // ---- folders, texts and the user ------------------------------------------------
    std::string GetPreviewDir() const override;
    std::string GetReportDir() const override;
    const TTranslation& GetTranslation() const override;
    TCommonGui& GetGui() override { return services_.Gui; }
    // The interface font of the settings; the desktop colours of TDesktopLook.
    TDesktopLook GetDesktopLook() const override;

    // ---- items ---------------------------------------------------------------------
    int GetLinkedItemId(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection) override;
    std::string GetAltFileName(int itemId, TAbstractDBConnection& connection,
                               const std::string& catalogCode) override;
    int GetItemType(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection) override;

    // ---- catalog definition ----------------------------------------------------------
    int GetItemTypeTemplateId(int itemType, int kind) override;
    void SetCurrentTemplateIds(int masterTemplateId, int bodyTemplateId) override;
    int ResolveItemId(const std::string& text, int currentId, int currentTreeId) override;
    std::string GetCatalogTypeBodyTemplate() override;

    // ---- style catalog ---------------------------------------------------------------
    std::string GetStyleCatalogCode() override;
    TAbstractDBConnection* GetStyleConnection() override;
    void ImportStyleItem(int itemId, const std::string& sourceCatalogCode, TAbstractDBConnection& sourceConnection,
                         TAbstractDBConnection& connection) override;

    // ---- reference data and images -------------------------------------------------------
    std::string GetWebCharset(const std::string& langCode) override;
    std::string GetImageFileName(int imageItemId, TAbstractDBConnection& connection,
                                 const std::string& catalogCode) override;

    // ---- page XML builder ------------------------------------------------------------------
    std::unique_ptr<TPageXmlSource> CreatePageXmlSource(xmlDoc* document, TLog* log) override;
    // A builder over another answerer of the catalog's questions and
    // another object context (a publishing worker's), keeping what stays the same for a run in RunCache (may be null).
    std::unique_ptr<TPageXmlSource> CreatePageXmlSourceOver(TGenerationCatalog& catalog, TTolvexObjectContext& context,
                                                            xmlDoc* document, TLog* log, TXmlBuilderRunCache* runCache);

private:
    // An empty code stands for the open catalog.
    std::string CodeOrOpen(const std::string& catalogCode) const;

    TCatalogData& data_;
    TServices services_;
    // English texts when the program gives no translation.
    std::unique_ptr<TTemplates> templates_;
};
