#pragma once
// A light-weight item writer: one Items row of the catalog being converted,
// written through the current data access when the writer is made. Later
// changes of its fields are not written again. Writers are owned by the code
// that creates them and do not own each other; a child keeps its parent's id,
// never a pointer to it.
#include <memory>
#include <string>

class TLWObject;
class TOldLangInfo;

class TLWItem {
public:
    int ParentItemId = 0;  // 0 for a root
    int ItemId = 0;
    int ItemType = 0;
    int LinkedItemId = 0;  // the data item whose data this place shows
    bool NotVisible = false;
    int OrderNum = 0;
    std::string ExpandedImageCode;

    // The item of a symbolic id name (a number, a keyword or a global item's
    // XML tag) with the type of a symbolic type name, without parent. The
    // roots exist in a new catalog's structure; the row is written only when
    // the catalog lacks it. An unknown name raises ECriticalTolvexException.
    static std::unique_ptr<TLWItem> CreateRoot(const std::string& idName, const std::string& typeName,
                                               const std::string& imageCode);
    // A child with the id of a symbolic name; LinkedItemId -1 or 0 is the
    // child itself.
    std::unique_ptr<TLWItem> AddChild(const std::string& idName, const std::string& typeName,
                                      const std::string& imageCode, int orderNum, bool notVisible,
                                      int linkedItemId) const;
    // A child with a new id from the data access's item counter.
    std::unique_ptr<TLWItem> AddNewChild(const std::string& typeName, int linkedItemId, const std::string& imageCode,
                                         int orderNum, bool notVisible) const;
    // A top-level object of the class with that XML tag, belonging to this
    // item's data item; InstanceId 0 takes a new one from the instance
    // counter. LanguageInfo is shared, not owned.
    std::unique_ptr<TLWObject> AddObject(const std::string& classXmlTag, const TOldLangInfo* languageInfo,
                                         int instanceId) const;

private:
    static int ResolveItemId(const std::string& idName);
    static int ResolveItemType(const std::string& typeName);
    std::unique_ptr<TLWItem> WriteChild(int itemId, int itemType, const std::string& imageCode, int orderNum,
                                        bool notVisible, int linkedItemId) const;
};
