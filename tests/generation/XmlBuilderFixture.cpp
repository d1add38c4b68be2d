#include "XmlBuilderFixture.h"
#include "common/XmlPtr.h"

#include <libxml/xpath.h>

namespace xml_builder_test {

XmlBuilderFixture::XmlBuilderFixture()
{
    // The test database is thrown away: its rows need not wait for the disk.
    catalog.Exec("PRAGMA synchronous = OFF");
    catalog.DeclareClass(kNames, "CommonNames");
    catalog.DeclareClass(kProduct, "Product")
        .Member(1, "Name", 1)
        .Member(2, "Tags", 1, mfIsMultiple)
        .Member(51, "Summary", 51)
        .Member(100, "Rank", 100)
        .Member(101, "Color", 101)
        .Member(102, "Related", 101, mfIsMultiple)
        .Member(152, "Weight", 152)
        .Member(153, "Price", 153)
        .Member(201, "Released", 201);
    catalog.DeclareClass(kPageLinks, "PageLinks").Member(1, "LinkGroup", 1).Member(101, "LinkStyles", 101);
    catalog.DeclareClass(kMember, "CoCMember").Member(1, "CatalogCode", 1);
    AddItem(100, kSection, 1, 1, "Section A");
    AddItem(110, kArticle, 100, 1, "Pen");
    AddItem(111, kArticle, 100, 2, "Ink");
    AddItem(112, kSection, 100, 3, "Sub");
    AddItem(120, kArticle, 112, 1, "Nib");
    AddItem(200, kSection, 1, 2, "Section B");
    AddItem(210, kArticle, 200, 1, "Cap", 0, true);
    AddItem(300, kArticle, 1, 3, "", 110);
    generation.ItemTypes = {{"Section", kSection}, {"Article", kArticle}};
    collection.Open("shop", catalog.Connection());
    NewPage();
}

XmlBuilderFixture::~XmlBuilderFixture()
{
    builder.reset();
    xmlFreeDoc(doc);
}

void XmlBuilderFixture::NewPage()
{
    builder.reset();
    xmlFreeDoc(doc);
    doc = xmlNewDoc(BAD_CAST "1.0");
    xmlDocSetRootElement(doc, xmlNewDocNode(doc, nullptr, BAD_CAST "Page", nullptr));
    builder = std::make_unique<TXmlBuilder>(doc, &log, generation, catalog.Context());
}

void XmlBuilderFixture::AddItem(int itemId, int itemType, int parentId, int orderNum, const std::string& name,
                                int linkedItemId, bool notVisible)
{
    catalog.Exec("INSERT INTO Items (CatalogCode, ItemId, ItemType, ParentItemId, LinkedItemId, NotVisible, "
                 "OrderNum) VALUES ('shop', :ItemId, :ItemType, :ParentItemId, :LinkedItemId, :NotVisible, :OrderNum)",
                 {{"ItemId", itemId},
                  {"ItemType", itemType},
                  {"ParentItemId", parentId},
                  {"LinkedItemId", linkedItemId == 0 ? itemId : linkedItemId},
                  {"NotVisible", notVisible ? 1 : 0},
                  {"OrderNum", orderNum}});
    if (!name.empty()) {
        AddInstance(itemId, kNames, 1);
        AddString(itemId, kNames, 1, 1, name);
    }
}

void XmlBuilderFixture::SetParent(int itemId, int parentId)
{
    catalog.Exec("UPDATE Items SET ParentItemId = :Parent WHERE ItemId = :ItemId",
                 {{"Parent", parentId}, {"ItemId", itemId}});
}

void XmlBuilderFixture::AddInstance(int itemId, int classId, int instanceId, int parentInstanceId)
{
    catalog.Exec("INSERT INTO CObjectInstances (CatalogCode, ItemId, ClassId, ParentInstanceId, InstanceId) VALUES "
                 "('shop', :ItemId, :ClassId, :Parent, :InstanceId)",
                 {{"ItemId", itemId}, {"ClassId", classId}, {"Parent", parentInstanceId}, {"InstanceId", instanceId}});
}

void XmlBuilderFixture::AddString(int itemId, int classId, int instanceId, int memberId, const std::string& value,
                                  int index, const std::string& lang)
{
    catalog.Exec("INSERT INTO CStrings (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, "
                 "MemberType, StringValue) VALUES ('shop', :ItemId, :ClassId, :InstanceId, :MemberId, :Lang, :Index, "
                 "1, :Value)",
                 {{"ItemId", itemId},
                  {"ClassId", classId},
                  {"InstanceId", instanceId},
                  {"MemberId", memberId},
                  {"Lang", lang},
                  {"Index", index},
                  {"Value", value}});
}

void XmlBuilderFixture::AddNumber(int itemId, int classId, int instanceId, int memberId, double value, int index)
{
    catalog.Exec("INSERT INTO CNumbers (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, "
                 "MemberType, NumberValue) VALUES ('shop', :ItemId, :ClassId, :InstanceId, :MemberId, 'XXX', :Index, "
                 ":MemberId, :Value)",
                 {{"ItemId", itemId},
                  {"ClassId", classId},
                  {"InstanceId", instanceId},
                  {"MemberId", memberId},
                  {"Index", index},
                  {"Value", value}});
}

std::string XmlBuilderFixture::Run(const std::string& rule, int itemId, int treeItemId, int itemType)
{
    builder->ProcessRule(itemId, treeItemId == 0 ? itemId : treeItemId, itemType, rule, catalog.Connection(),
                         collection, "shop", false);
    return Page();
}

std::string XmlBuilderFixture::Page() const
{
    std::string text;
    for (xmlNode* child = xmlDocGetRootElement(doc)->children; child; child = child->next) {
        xmlBufferPtr buffer = xmlBufferCreate();
        xmlNodeDump(buffer, doc, child, 0, 0);
        text += reinterpret_cast<const char*>(xmlBufferContent(buffer));
        xmlBufferFree(buffer);
    }
    return text;
}

std::string XmlBuilderFixture::Written(const std::string& xpath) const
{
    const TXPathContextPtr context(xmlXPathNewContext(doc));
    const TXPathObjectPtr result(xmlXPathEvalExpression(BAD_CAST xpath.c_str(), context.get()));
    std::string ids;
    for (int i = 0; result && result->nodesetval && i < result->nodesetval->nodeNr; ++i) {
        xmlChar* id = xmlGetProp(result->nodesetval->nodeTab[i], BAD_CAST "TreeItemId");
        ids += (ids.empty() ? "" : ",") + std::string(id ? reinterpret_cast<const char*>(id) : "?");
        xmlFree(id);
    }
    return ids;
}

std::string Name(int id, const std::string& extra, int treeItemId)
{
    return "<CommonNames " + (extra.empty() ? "" : extra + " ") + "ItemId=\"" + std::to_string(id) +
           "\" TreeItemId=\"" + std::to_string(treeItemId == 0 ? id : treeItemId) + "\"/>";
}

std::string Names(std::initializer_list<int> ids, const std::string& extra)
{
    std::string text;
    for (const int id : ids)
        text += Name(id, extra);
    return text;
}

}  // namespace xml_builder_test
