#include "generation/XmlBuilder.h"

#include "common/Exceptions.h"
#include "common/Log.h"
#include "generation/GenerationCatalog.h"
#include "generation/XmlBuilderNodes.h"
#include "storage/MemberValueText.h"
#include "storage/ObjectCollection.h"

#include <algorithm>
#include <map>

namespace {

// Class of the page-link objects that hold a page's link groups.
constexpr int kPageLinksClassId = 103;

// Link styles of a link group.
constexpr int kUseDefaultLinks = 0;
constexpr int kUseDefaultLinksToo = 1;
constexpr int kUseParentLinks = 2;
constexpr int kUseOnlyCustomLinks = 3;

// Puts a value back when the scope ends, also when an exception passes.
template <typename T>
class TRestore {
public:
    explicit TRestore(T& slot) : slot_(slot), saved_(slot) {}
    ~TRestore() { slot_ = saved_; }
    TRestore(const TRestore&) = delete;
    TRestore& operator=(const TRestore&) = delete;

private:
    T& slot_;
    T saved_;
};

bool StartsWith(const std::string& text, const std::string& prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

TXmlBuilder::TXmlBuilder(xmlDoc* document, TLog* log, TGenerationCatalog& catalog, TTolvexObjectContext& context)
    : document_(document), log_(log), catalog_(catalog), context_(context)
{
}

// ---- processing one rule ----------------------------------------------------------------

void TXmlBuilder::ProcessRule(int itemId, int treeItemId, int itemType, const std::string& ruleText,
                              TAbstractDBConnection& connection, TObjectCollection& collection,
                              const std::string& catalogCode, bool stopAfterParentLinks)
{
    openCatalogCode_ = catalogCode;
    dataCatalogCode_ = catalogCode;
    ruleCatalogCode_.clear();
    catalogCodeItemId_.clear();
    connection_ = &connection;
    collection_ = &collection;

    const TGenerationRule fields(ruleText);
    TRunningRule running = ReadRule(fields);
    ReadRuleTypes(fields, itemType, running);
    ruleCatalogCode_ = fields.LastValue("CatalogCode");
    catalogCodeItemId_ = fields.Value("CatalogCodeItemId");
    addPageItemId_ = fields.Value("AddPageItemId") == "Yes";

    bool process = true;
    int linkStyles = -1;
    int linkInstanceId = 0;
    const std::string linkGroup = fields.Value("LinkGroup");
    if (!linkGroup.empty()) {
        if (TAbstractCObject* linkObject = FindLinkGroupObject(itemId, linkGroup)) {
            linkInstanceId = linkObject->GetInstanceId();
            linkStyles = linkObject->GetInteger("LinkStyles", 0);
            process = linkStyles == kUseDefaultLinks || linkStyles == kUseDefaultLinksToo;
            if (linkStyles == kUseParentLinks && RunParentLinks(treeItemId, ruleText, catalogCode) &&
                stopAfterParentLinks)
                return;
        }
    }

    xmlNode* target = TargetElement(running.rule.TagName);
    if (process) {
        TRestore<TRunningRule*> restore(running_);
        running_ = &running;
        if (!running.processFor.ProcessFor.empty())
            RunProcessFor(target, fields, itemId, treeItemId);
        else
            ApplyAction(target, running.rule, itemType, treeItemId, itemId, fields);
    }
    if (linkStyles >= kUseDefaultLinks && linkStyles <= kUseOnlyCustomLinks)
        if (TAbstractCObject* linkObject = Collection().GetObjectByInstance(itemId, linkInstanceId))
            linkObject->WriteXml(document_, target, "", "", ReadsMemberCatalog() ? oxCatalogCode : 0);
}

TXmlBuilder::TRunningRule TXmlBuilder::ReadRule(const TGenerationRule& fields)
{
    TRunningRule running;
    running.fields = &fields;
    running.rule.Action = fields.Value("Action");
    running.rule.ClassXmlTags = fields.Values("ClassXmlTag");
    running.rule.TagName = fields.Value("TagName");
    running.rule.ItemTagName = fields.Value("ItemTagName");
    running.rule.Condition = TGenerationRule::ReadCondition(fields.Value("Condition"), fields.Value("XmlCondition"));
    running.processFor.ProcessFor = fields.Value("ProcessFor");
    running.processFor.ProcessForTagName = fields.Value("ProcessForTagName");
    running.processFor.ProcessForAddItemType = fields.Value("ProcessForAddItemType") == "yes";
    running.processFor.Condition = TGenerationRule::ReadCondition(fields.Value("ProcessForCondition"),
                                                                  fields.Value("ProcessForXmlCondition"));
    return running;
}

void TXmlBuilder::ReadRuleTypes(const TGenerationRule& fields, int itemType, TRunningRule& running)
{
    const auto resolve = [&](const std::string& key, std::vector<int>& types) {
        for (const std::string& value : fields.Values(key))
            if (const int type = catalog_.ResolveItemType(value, itemType); type != 0)
                types.push_back(type);
    };
    resolve("ItemType", running.rule.ItemTypes);
    resolve("ProcessForItemType", running.processFor.ProcessForItemTypes);
}

// The item's first page-link object of that link group; null when none.
TAbstractCObject* TXmlBuilder::FindLinkGroupObject(int itemId, const std::string& linkGroup)
{
    std::vector<std::string> instanceIds;
    Collection().GetInstanceIds(itemId, kPageLinksClassId, instanceIds);
    for (const std::string& instanceId : instanceIds) {
        TAbstractCObject* object = Collection().GetObjectByInstance(itemId, TMemberValueText::ReadInteger(instanceId));
        if (object && object->GetString("LinkGroup", 0) == linkGroup)
            return object;
    }
    return nullptr;
}

// Runs the same rule for the parent of the tree item. False, and nothing
// runs, when the parent is already among the pages deferring to their
// parents (a circle of parents in a damaged catalog).
bool TXmlBuilder::RunParentLinks(int treeItemId, const std::string& ruleText, const std::string& catalogCode)
{
    TAbstractDBConnection& connection = Connection();
    TObjectCollection& collection = Collection();
    const int parentId = catalog_.GetParentItemId(treeItemId, catalogCode, connection);
    if (parentId == treeItemId || std::find(linkChain_.begin(), linkChain_.end(), parentId) != linkChain_.end())
        return false;
    const TItemDescription parent = catalog_.GetItemDescription(parentId, catalogCode, connection);
    linkChain_.push_back(treeItemId);
    struct TPop {
        std::vector<int>& chain;
        ~TPop() { chain.pop_back(); }
    } pop{linkChain_};
    ProcessRule(parent.LinkedItemId, parentId, parent.ItemType, ruleText, connection, collection, catalogCode, false);
    return true;
}

xmlNode* TXmlBuilder::TargetElement(const std::string& tagName)
{
    xmlNode* root = xml_builder_nodes::RootElement(document_);
    return tagName.empty() ? root : xml_builder_nodes::AddElement(document_, root, tagName);
}

void TXmlBuilder::RunProcessFor(xmlNode* target, const TGenerationRule& fields, int itemId, int treeItemId)
{
    TProcessForData& processFor = running_->processFor;
    processFor.ProcessForItemId = catalog_.ResolveItemId(fields.Value("ProcessForItemId"), itemId, treeItemId);
    std::set<int> visited;
    if (processFor.ProcessFor == "Childs") {
        ProcessForChilds(target);
    } else if (processFor.ProcessFor == "AllChilds") {
        ProcessForAllChilds(target, processFor.ProcessForItemId, visited);
    } else if (processFor.ProcessFor == "BuildHierarchy") {
        const int maxLevel = TMemberValueText::ReadInteger(fields.Value("ProcessForMaxLevel"));
        const bool checkAll = fields.Value("ProcessForCheckAll") == "yes";
        ProcessForBuildHierarchy(target, checkAll, maxLevel, 0, processFor.ProcessForItemId, visited);
    }
}

// ---- running the action ----------------------------------------------------------------------

void TXmlBuilder::ApplyAction(xmlNode* target, const TRuleData& ruleData, int itemType, int treeItemId, int itemId,
                              const TGenerationRule& rule)
{
    if (!ruleCatalogCode_.empty()) {
        const int id = catalog_.ResolveItemId(catalogCodeItemId_, itemId, treeItemId);
        if (!SelectDataCatalog(id, ruleCatalogCode_))
            return;
    }
    const int id = ResolveStartItem(rule.Value("ItemId"), itemId, treeItemId);
    const std::vector<std::string> types = rule.Values("ItemType");
    const int typeN = types.empty() ? 0 : catalog_.ResolveItemType(types.front(), itemType);
    Dispatch(target, ruleData, id, typeN, itemId, treeItemId, rule);
}

int TXmlBuilder::ResolveStartItem(const std::string& value, int itemId, int treeItemId)
{
    if (StartsWith(value, "nexttree"))
        return catalog_.GetNextSiblingId(treeItemId, dataCatalogCode_, Connection(), value == "nexttreetype");
    if (StartsWith(value, "prevtree"))
        return catalog_.GetPreviousSiblingId(treeItemId, dataCatalogCode_, Connection(), value == "prevtreetype");
    if (StartsWith(value, "parent"))
        return catalog_.GetParentItemId(treeItemId, dataCatalogCode_, Connection());
    return catalog_.ResolveItemId(value, itemId, treeItemId);
}

void TXmlBuilder::Dispatch(xmlNode* target, const TRuleData& data, int id, int typeN, int itemId, int treeItemId,
                           const TGenerationRule& rule)
{
    struct TCall {
        TXmlBuilder& builder;
        xmlNode* target;
        const TRuleData& data;
        int id, typeN, itemId, treeItemId;
        const TGenerationRule& rule;
    };
    using TAction = void (*)(const TCall&);
    static const std::map<std::string, TAction> actions = {
        {"Object", [](const TCall& c) { c.builder.WriteObject(c.target, c.id, c.data.ClassXmlTags); }},
        {"AllObjects", [](const TCall& c) { c.builder.WriteAllObjects(c.target, c.id, c.data.ClassXmlTags); }},
        {"ObjectAndChilds",
         [](const TCall& c) {
             c.builder.WriteObject(c.target, c.id, c.data.ClassXmlTags);
             c.builder.WriteChilds(c.target, c.id, c.data.ItemTypes, c.data.ClassXmlTags, c.data.ItemTagName);
         }},
        {"Childs",
         [](const TCall& c) {
             c.builder.WriteChilds(c.target, c.id, c.data.ItemTypes, c.data.ClassXmlTags, c.data.ItemTagName);
         }},
        {"AllChilds",
         [](const TCall& c) {
             c.builder.WriteAllChilds(c.target, c.id, 0, c.data.Condition, c.data.ItemTypes, c.data.ClassXmlTags,
                                      c.data.ItemTagName);
         }},
        {"Hierarchy", [](const TCall& c) { c.builder.WriteHierarchy(c.target, c.id, c.typeN, c.data.ClassXmlTags); }},
        {"HierarchyAndRoot",
         [](const TCall& c) {
             const int rootId = c.builder.catalog_.ResolveItemId(c.rule.Value("RootItemId"), c.id, c.treeItemId);
             const int countType = c.builder.catalog_.ResolveItemType(c.rule.Value("CountChildItemType"), c.typeN);
             c.builder.WriteHierarchyAndRoot(c.target, rootId, c.itemId, c.treeItemId, c.data.ItemTypes,
                                             c.data.ClassXmlTags, countType);
         }},
        {"GroupData",
         [](const TCall& c) {
             c.builder.WriteGroupData(c.target, c.id, c.data.ItemTagName, c.data.ClassXmlTags, c.rule);
         }},
        {"ObjectAndParents",
         [](const TCall& c) {
             c.builder.WriteObjectAndParents(c.target, c.id, c.data.Condition, c.data.ItemTypes, c.data.ClassXmlTags);
         }},
        {"ObjectOrParents",
         [](const TCall& c) {
             c.builder.WriteObjectOrParents(c.target, c.id, c.data.Condition, c.data.ClassXmlTags);
         }},
        {"MemberObjectAndChilds",
         [](const TCall& c) {
             c.builder.WriteMemberObjectAndChilds(c.target, c.id, c.data.ItemTagName, c.data.ClassXmlTags,
                                                  c.data.ItemTypes, c.rule.Value("IncludeClassXmlTag"),
                                                  c.rule.Value("MemberXmlTag"));
         }},
        {"ClassInfo", [](const TCall& c) { c.builder.WriteClassInfo(c.target, c.data.ClassXmlTags); }},
        {"CategoryInfo", [](const TCall& c) { c.builder.WriteCategoryInfo(c.target, c.rule.Value("CategoryName")); }},
        {"Statistic", [](const TCall& c) { c.builder.WriteStatistic(c.target, c.data, c.rule.Value("MemberXmlTag")); }},
        {"TreeInfo", [](const TCall& c) { c.builder.WriteTreeInfo(c.target, c.id); }},
    };
    const auto action = actions.find(data.Action);
    if (action != actions.end())
        action->second(TCall{*this, target, data, id, typeN, itemId, treeItemId, rule});
}

// ---- log ----------------------------------------------------------------------------------

bool TXmlBuilder::Cancelled() const
{
    return log_ && log_->IsCancelled();
}

bool TXmlBuilder::LogItem(int id)
{
    if (!log_)
        return true;
    if (log_->IsCancelled())
        return false;
    log_->AddLine("Object item id " + std::to_string(id));
    return true;
}

TAbstractDBConnection& TXmlBuilder::Connection() const
{
    if (!connection_)
        throw EDeveloperTolvexException("The page XML builder has no connection");
    return *connection_;
}

TObjectCollection& TXmlBuilder::Collection() const
{
    if (!collection_)
        throw EDeveloperTolvexException("The page XML builder has no object collection");
    return *collection_;
}
