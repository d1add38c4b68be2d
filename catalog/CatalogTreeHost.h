#pragma once
// What a tree manager needs, answered by the open catalog's services: the
// catalog (languages, default templates), its item queries, the catalog
// object (definition, item creation), the item copier, the bookkeeping
// (republishing), the GUI service and the translation.
#include "catalog/TreeManagerHost.h"

#include <functional>
#include <string>
#include <vector>

class TAbstractCatalog;
class TCatalog;
class TCatalogBookkeeping;
class TCatalogQueries;
class TCommonGui;
class TGlobalDefinition;
class TItemCopier;
class TTranslation;

class TCatalogTreeHost : public TTreeManagerHost {
public:
    // None is owned; all must outlive the host.
    struct TServices {
        TAbstractCatalog& Catalog;
        TCatalog& CatalogObject;
        TCatalogQueries& Queries;
        TItemCopier& Copier;
        TCatalogBookkeeping& Bookkeeping;
        TCommonGui& Gui;
        const TTranslation* Translation = nullptr;       // null: texts stay English
        TGlobalDefinition* GlobalDefinition = nullptr;   // null: no tag names
        std::function<bool(const std::string&)> HasImage; // empty: no image cached
    };

    explicit TCatalogTreeHost(const TServices& services) : services_(services) {}

    std::string GetCurrentLangCode() override;
    std::string GetDefaultLangCode() override;
    std::string GetItemName(int itemId, TAbstractDBConnection& connection, const std::string& langCode) override;
    std::string ReadOwnName(int itemId, TAbstractDBConnection& connection, const std::string& langCode) override;
    std::string GetItemIdName(int itemId) override;
    std::vector<int> GetParentChain(int itemId, TAbstractDBConnection& connection) override;
    int GetDefaultTemplateId(int folderItemId, TAbstractDBConnection& connection) override;
    std::vector<int> GetPageItemTypes() override;
    std::string GetItemTypeImageName(int itemType) override;
    bool CanContainItemType(int parentItemType, int childItemType) override;
    int GetItemTypeParentId(int itemType) override;
    bool HasCachedImage(const std::string& name) override;
    int CreateItem(int itemType, int parentItemId, int linkedItemId, const std::string& catalogCode,
                   TAbstractDBConnection& connection, int itemId) override;
    int CreateItemInRange(int minId, int maxId, int itemType, int parentItemId, int linkedItemId,
                          const std::string& catalogCode, TAbstractDBConnection& connection) override;
    int CopyItem(int itemId, int newItemId, TAbstractDBConnection& connection) override;
    void MarkUnsynchronized(int itemId, int secondId, TAbstractDBConnection& connection, bool withSubtree) override;
    std::string Translate(const std::string& text) override;
    int AskYesNoCancel(const std::string& message) override;
    void BeginWait() override;
    void EndWait() override;

private:
    TServices services_;
};
