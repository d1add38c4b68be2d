// Objects of the shipped classes: the object model over the real classes
// list read from the catalog-description database built from data/.
#include "ProgramFolderFixture.h"

#include "common/XmlPtr.h"
#include "storage/ClassesList.h"
#include "storage/ObjectFactory.h"
#include "storage/TolvexClassDefinition.h"
#include "storage/TolvexObject.h"
#include "storage/TolvexObjectContext.h"
#include "support/CatalogFixture.h"

#include <gtest/gtest.h>
#include <libxml/tree.h>

#include <memory>

namespace {

class ShippedClassObjectsTest : public ::testing::Test {
protected:
    ShippedClassObjectsTest()
        : classes(program.databases),
          context([this](int classId) -> TAbstractCClassDefinition* { return classes.GetClassDefinition(classId); },
                  [this](const std::string& tag) { return classes.GetClassId(tag); })
    {
        context.SetOpenCatalog(&catalog);
        catalog.AddItem(1001, 3001);
    }

    TProgramFolderFixture program;
    TClassesList classes;
    TCatalogFixture catalog;
    TTolvexObjectContext context;
    TTolvexObjectFactory factory{context};
};

}  // namespace

TEST_F(ShippedClassObjectsTest, NamesOfAnItemRoundTripInSeveralLanguages)
{
    const int namesClass = classes.GetClassId("CommonNames");
    ASSERT_EQ(namesClass, 1);
    {
        auto names = factory.GetObjectTyped(1001, namesClass, catalog.Connection(), "");
        names->SetLangString("ItemName", "EN", "About us", 0);
        names->SetLangString("ItemName", "DE", "Über uns", 0);
        EXPECT_TRUE(names->Save());
    }
    auto again = factory.GetObjectTyped(1001, namesClass, catalog.Connection(), "");
    EXPECT_EQ(again->GetLangString("ItemName", "EN", 0), "About us");
    EXPECT_EQ(again->GetLangString("ItemName", "DE", 0), "Über uns");

    const TXmlDocPtr doc(xmlNewDoc(BAD_CAST "1.0"));
    xmlNode* root = xmlNewDocNode(doc.get(), nullptr, BAD_CAST "Page", nullptr);
    xmlDocSetRootElement(doc.get(), root);
    xmlNode* element = again->WriteXml(doc.get(), root, "", "", 0);
    ASSERT_NE(element, nullptr);
    EXPECT_STREQ(reinterpret_cast<const char*>(element->name), "CommonNames");
    xmlChar* text = xmlNodeGetContent(element);
    std::string content = reinterpret_cast<const char*>(text);
    xmlFree(text);
    EXPECT_NE(content.find("About us"), std::string::npos);
    EXPECT_NE(content.find("Über uns"), std::string::npos);
}

TEST_F(ShippedClassObjectsTest, EveryShippedMemberTagIsAValidElementName)
{
    // Walks every shipped class: writing an object of each must never fail
    // on its tags (an invalid tag would break every page that shows it).
    for (int classId = 1; classId < 20000; ++classId) {
        TTolvexClassDefinition* definition = classes.GetClassDefinition(classId);
        if (!definition)
            continue;
        ASSERT_EQ(xmlValidateNameValue(BAD_CAST definition->GetClassXmlTag().c_str()), 1)
            << definition->GetClassXmlTag();
        for (int i = 0; i < definition->GetMemberCount(); ++i) {
            const std::string tag = definition->GetMemberXmlTag(definition->GetMemberIdByIndex(i));
            EXPECT_EQ(xmlValidateNameValue(BAD_CAST tag.c_str()), 1)
                << definition->GetClassXmlTag() << "." << tag;
        }
    }
}
