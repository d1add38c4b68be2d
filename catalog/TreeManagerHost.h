#pragma once
// What a tree manager needs of the program around it: the catalog's
// languages and item names, the catalog definition's item types, the
// catalog object's item creation, copying and republishing, the image
// cache of the main window, translation, questions and the hourglass.
// TCatalogTreeHost answers from the open catalog's services.
#include <string>
#include <vector>

class TAbstractDBConnection;

class TTreeManagerHost {
public:
    virtual ~TTreeManagerHost() = default;

    // ---- languages and names ----------------------------------------------------
    virtual std::string GetCurrentLangCode() = 0;
    virtual std::string GetDefaultLangCode() = 0;
    // The item's name in the language with the usual fall-backs.
    virtual std::string GetItemName(int itemId, TAbstractDBConnection& connection, const std::string& langCode) = 0;
    // The item's own name (class 1 member 1) in exactly that language.
    virtual std::string ReadOwnName(int itemId, TAbstractDBConnection& connection, const std::string& langCode) = 0;
    // The tag name of a global item id; empty when it has none.
    virtual std::string GetItemIdName(int itemId) = 0;
    // The parents of the item on the way up, nearest first, ending at a root.
    virtual std::vector<int> GetParentChain(int itemId, TAbstractDBConnection& connection) = 0;
    // The default template of a template folder; 0 when it has none.
    virtual int GetDefaultTemplateId(int folderItemId, TAbstractDBConnection& connection) = 0;

    // ---- item types -------------------------------------------------------------
    // The item types whose flag word is not zero (the page-producing types).
    virtual std::vector<int> GetPageItemTypes() = 0;
    virtual std::string GetItemTypeImageName(int itemType) = 0;
    virtual bool CanContainItemType(int parentItemType, int childItemType) = 0;
    // The parent of the data items of that type; 0 when none.
    virtual int GetItemTypeParentId(int itemType) = 0;
    // Whether the image cache holds an image of that name.
    virtual bool HasCachedImage(const std::string& name) = 0;

    // ---- changing items ---------------------------------------------------------
    // A new item row (ItemId 0: the next id); its id.
    virtual int CreateItem(int itemType, int parentItemId, int linkedItemId, const std::string& catalogCode,
                           TAbstractDBConnection& connection, int itemId) = 0;
    virtual int CreateItemInRange(int minId, int maxId, int itemType, int parentItemId, int linkedItemId,
                                  const std::string& catalogCode, TAbstractDBConnection& connection) = 0;
    // A copy of the item under the same parent; its id, 0 when none was made.
    virtual int CopyItem(int itemId, int newItemId, TAbstractDBConnection& connection) = 0;
    virtual void MarkUnsynchronized(int itemId, int secondId, TAbstractDBConnection& connection,
                                    bool withSubtree) = 0;

    // ---- user interface ---------------------------------------------------------
    virtual std::string Translate(const std::string& text) = 0;
    // 6 Yes, 7 No, 2 Cancel.
    virtual int AskYesNoCancel(const std::string& message) = 0;
    virtual void BeginWait() = 0;
    virtual void EndWait() = 0;
};
