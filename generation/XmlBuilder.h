#pragma once
// TXmlBuilder: the page XML builder. It runs the generation rules of a
// page's templates (see TGenerationRule) one at a time and appends what
// each rule asks for to the page document: catalog objects (which write
// their own elements), lists of children and descendants, ancestor chains,
// navigation menus, grouped and counted values, class descriptions and the
// trade-portal category tree.
//
// A rule names an action (Object, AllObjects, ObjectAndChilds, Childs,
// AllChilds, Hierarchy, HierarchyAndRoot, ObjectAndParents,
// ObjectOrParents, MemberObjectAndChilds, TreeInfo, GroupData, Statistic,
// ClassInfo, CategoryInfo) and may run it once per child, per descendant or
// per level of a hierarchy (ProcessFor). Later rules may test, with XPath
// conditions, what earlier rules wrote, so the order of the rules matters.
//
// The implementation is spread over XmlBuilder*.cpp: processing a rule,
// the actions over items, the group and reference-data actions, and the
// iteration, conditions and object access.
//
// Soundness: every walk along ParentItemId and every descent is bounded
// against cycles of a damaged catalog; values are bound as query parameters
// (only decimal ids and type numbers are written into statements); element
// names a rule gives must be XML names (ECriticalTolvexException otherwise);
// every loop stops when the log is cancelled.
#include "generation/GenerationRule.h"
#include "common/Variant.h"
#include "storage/AbstractCObject.h"

#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

class TAbstractDBConnection;
class TGenerationCatalog;
class TLog;
class TObjectCollection;
class TTolvexObjectContext;
class TTranslation;
class TXmlBuilderRunCache;

class TXmlBuilder {
public:
    // Document and Log (which may be null) are not owned. Catalog answers
    // what the open catalog knows; Context gives class definitions and
    // languages.
    TXmlBuilder(xmlDoc* document, TLog* log, TGenerationCatalog& catalog, TTolvexObjectContext& context);
    TXmlBuilder(const TXmlBuilder&) = delete;
    TXmlBuilder& operator=(const TXmlBuilder&) = delete;

    // The translation of log lines; untranslated without one. Not owned.
    void SetTranslation(const TTranslation* translation) { translation_ = translation; }
    // What stays the same for every page of a publishing run (may be null:
    // everything is read for the page). Not owned.
    void SetRunCache(TXmlBuilderRunCache* cache) { runCache_ = cache; }

    // ---- rules ------------------------------------------------------------------
    // Runs one rule into the document for the item ItemId shown by the tree
    // item TreeItemId of type ItemType, reading CatalogCode through
    // Connection and objects through Collection (neither owned). The link
    // previews pass StopAfterParentLinks = true: a rule that defers to the
    // parent page's links then ends after running for the parent.
    void ProcessRule(int itemId, int treeItemId, int itemType, const std::string& ruleText,
                     TAbstractDBConnection& connection, TObjectCollection& collection,
                     const std::string& catalogCode, bool stopAfterParentLinks);
    // Resolves the action's start item (and member catalog) and runs the action into Target.
    void ApplyAction(xmlNode* target, const TRuleData& ruleData, int itemType, int treeItemId, int itemId,
                     const TGenerationRule& rule);

    // ---- actions over items ---------------------------------------------------------
    void WriteObject(xmlNode* target, int id, const std::vector<std::string>& classXmlTags);
    void WriteAllObjects(xmlNode* target, int id, const std::vector<std::string>& classXmlTags);
    void WriteChilds(xmlNode* target, int id, const std::vector<int>& itemTypes,
                     const std::vector<std::string>& classXmlTags, const std::string& itemTagName);
    void WriteAllChilds(xmlNode* target, int parentId, int level, const TCondition& condition,
                        const std::vector<int>& itemTypes, const std::vector<std::string>& classXmlTags,
                        const std::string& itemTagName);
    void WriteHierarchy(xmlNode* target, int id, int itemType, const std::vector<std::string>& classXmlTags);
    void WriteHierarchyAndRoot(xmlNode* target, int rootId, int itemId, int treeItemId,
                               const std::vector<int>& itemTypes, const std::vector<std::string>& classXmlTags,
                               int countChildItemType);
    void WriteObjectAndParents(xmlNode* target, int id, const TCondition& condition,
                               const std::vector<int>& itemTypes, const std::vector<std::string>& classXmlTags);
    void WriteObjectOrParents(xmlNode* target, int id, const TCondition& condition,
                              const std::vector<std::string>& classXmlTags);
    void WriteMemberObjectAndChilds(xmlNode* target, int id, const std::string& itemTagName,
                                    const std::vector<std::string>& classXmlTags, const std::vector<int>& itemTypes,
                                    const std::string& includeClassXmlTag, const std::string& memberXmlTag);
    void WriteTreeInfo(xmlNode* target, int id);

    // ---- groups, statistics and reference data ----------------------------------------
    void WriteGroupData(xmlNode* target, int id, const std::string& itemTagName,
                        const std::vector<std::string>& classXmlTags, const TGenerationRule& rule);
    void WriteStatistic(xmlNode* target, const TRuleData& ruleData, const std::string& memberXmlTag);
    void WriteClassInfo(xmlNode* target, const std::vector<std::string>& classXmlTags);
    void WriteCategoryInfo(xmlNode* target, const std::string& categoryName);

    // ---- conditions and object access ------------------------------------------------
    // An object of DataCatalogCode: from the collection for the open
    // catalog (the handle does not free it), else a new one that the handle
    // frees. Null when the tag names no class or the item is 0.
    TCObjectHandle GetObject(int itemId, const std::string& classXmlTag);
    TCObjectHandle GetObjectByInstance(int itemId, int instanceId);
    bool EvaluateCondition(TAbstractCObject& object, const TCondition& condition);
    bool EvaluateRowCondition(int itemId, int linkedItemId, int parentItemId, int itemType,
                              const TCondition& condition);
    // " AND (ItemType = a OR ItemType = b) "; empty for no types.
    static std::string GetItemTypeFilter(const std::vector<int>& itemTypes);
    // Chooses the catalog whose rows the action reads; false when the rule
    // asks for a member catalog that the item does not name.
    bool SelectDataCatalog(int itemId, const std::string& ruleCatalogCode);

    const std::string& GetOpenCatalogCode() const { return openCatalogCode_; }
    const std::string& GetDataCatalogCode() const { return dataCatalogCode_; }

private:
    // The rule being processed, as the iteration modes pass it on.
    struct TRunningRule {
        const TGenerationRule* fields = nullptr;
        TRuleData rule;
        TProcessForData processFor;
    };
    // One row of the Items table as the listing queries give it.
    struct TItemRow {
        int ItemId = 0;
        int ItemType = 0;
        int LinkedItemId = 0;
        int ParentItemId = 0;
        int NumChilds = 0;
    };
    struct TMenu;
    using TParams = std::vector<std::pair<std::string, TVariant>>;

    // ---- processing a rule (XmlBuilder.cpp) ----
    static TRunningRule ReadRule(const TGenerationRule& fields);
    void ReadRuleTypes(const TGenerationRule& fields, int itemType, TRunningRule& running);
    TAbstractCObject* FindLinkGroupObject(int itemId, const std::string& linkGroup);
    bool RunParentLinks(int treeItemId, const std::string& ruleText, const std::string& catalogCode);
    xmlNode* TargetElement(const std::string& tagName);
    void RunProcessFor(xmlNode* target, const TGenerationRule& fields, int itemId, int treeItemId);
    int ResolveStartItem(const std::string& value, int itemId, int treeItemId);
    void Dispatch(xmlNode* target, const TRuleData& ruleData, int id, int typeN, int itemId, int treeItemId,
                  const TGenerationRule& rule);
    bool LogItem(int id);
    bool Cancelled() const;

    // ---- actions over items (XmlBuilderItems.cpp) ----
    void WriteObjects(xmlNode* element, int itemId, const std::vector<std::string>& classXmlTags,
                      const std::string& attrName, const std::string& attrValue, int flags);
    void WriteAllChildsOf(xmlNode* target, int parentId, int level, const TCondition& condition,
                          const std::vector<int>& itemTypes, const std::vector<std::string>& classXmlTags,
                          const std::string& itemTagName, std::set<int>& visited);
    void WriteObjectAndParentsOf(xmlNode* target, int id, const TCondition& condition, const std::vector<int>& itemTypes,
                                 const std::vector<std::string>& classXmlTags, std::vector<int>& path);
    void WriteObjectOrParentsOf(xmlNode* target, int id, const TCondition& condition,
                                const std::vector<std::string>& classXmlTags, std::vector<int>& path);
    int ParentForWalk(TAbstractCObject& object, int id);
    std::vector<int> MenuRows(int parentId, const std::vector<int>& itemTypes);
    std::vector<int> ReadMenuRows(int parentId, const std::vector<int>& itemTypes);
    std::string MenuKey(const std::string& what, int itemId, const std::vector<int>& itemTypes) const;
    void WriteMenuItem(TMenu& menu, int itemId);
    void WriteMenuItemObjects(TMenu& menu, int itemId);
    void WriteMenuChildren(TMenu& menu, const std::vector<int>& children);
    std::vector<int> ReadMenuChildren(int itemId, const std::vector<int>& itemTypes);
    void WriteMenuSiblings(TMenu& menu, int parentId, const std::vector<int>& siblings);
    void WriteKeptOnce(TMenu& menu, const std::string& key, const std::function<bool()>& write);
    std::string MenuEntryKey(const std::string& what, int itemId, const TMenu& menu) const;
    void WriteMenuPath(TMenu& menu, const std::vector<int>& path, std::size_t position, int& selected);

    // ---- groups and reference data (XmlBuilderGroups.cpp) ----
    int WriteCategoryLevel(TAbstractDBConnection& connection, xmlNode* parent, int level, int parentCategory);

    // ---- iteration and object access (XmlBuilderAccess.cpp) ----
    void ProcessForChilds(xmlNode* target);
    void ProcessForAllChilds(xmlNode* target, int parentId, std::set<int>& visited);
    void ProcessForBuildHierarchy(xmlNode* target, bool checkAll, int maxLevel, int level, int parentId,
                                  std::set<int>& visited);
    xmlNode* IterationElement(xmlNode* target, const TItemRow& row);
    bool EvaluateXPath(const std::string& expression);
    std::vector<TItemRow> ReadItemRows(const std::string& sql, const TParams& params);
    TAbstractDBConnection& Connection() const;
    TObjectCollection& Collection() const;
    bool ReadsMemberCatalog() const { return dataCatalogCode_ != openCatalogCode_; }

    xmlDoc* document_;
    TLog* log_;
    TGenerationCatalog& catalog_;
    TTolvexObjectContext& context_;
    const TTranslation* translation_ = nullptr;
    TXmlBuilderRunCache* runCache_ = nullptr;

    std::string openCatalogCode_;
    std::string dataCatalogCode_;
    std::string ruleCatalogCode_;
    std::string catalogCodeItemId_;
    bool addPageItemId_ = false;
    TAbstractDBConnection* connection_ = nullptr;
    TObjectCollection* collection_ = nullptr;
    TRunningRule* running_ = nullptr;
    // The tree items whose rule runs for the parent page's links, so that
    // a circle of parents ends.
    std::vector<int> linkChain_;
};
