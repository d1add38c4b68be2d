// Loading and saving catalog objects on a real SQLite catalog: every member
// type in several languages, the rows each save leaves, instance ids and
// rows, binary data and sub-objects.
#include "common/BinaryDataInfo.h"
#include "common/Exceptions.h"
#include "storage/ObjectCollection.h"
#include "storage/ObjectFactory.h"
#include "storage/TolvexObject.h"
#include "support/CatalogFixture.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <sstream>

namespace {

constexpr int kArticle = 20;
constexpr int kOption = 21;

class ObjectStorageTest : public ::testing::Test {
protected:
    ObjectStorageTest()
    {
        catalog.DeclareClass(kArticle, "Article")
            .Member(1, "Title", 1, mfIsMultiLang)
            .Member(6, "Colors", 6, mfIsList | mfIsMultiple)
            .Member(7, "Url", 7)
            .Member(51, "Summary", 51, mfIsMultiLang)
            .Member(52, "Body", 52, mfIsMultiLang)
            .Member(56, "Lines", 56)
            .Member(90, "Template", 90)
            .Member(101, "Quantity", 101)
            .Member(102, "Link", 102)
            .Member(104, "Visible", 104)
            .Member(105, "Options", 105, mfIsMultiple)
            .Member(152, "Weight", 152)
            .Member(153, "Price", 153, mfIsMultiLang)
            .Member(201, "Published", 201)
            .Member(202, "OpensAt", 202)
            .Member(203, "Updated", 203, mfIsMultiLang)
            .Member(251, "Document", 251, mfIsMultiLang);
        catalog.DeclareClass(kOption, "Option").Member(1, "Label", 1).Member(105, "Choices", 105, mfIsMultiple);
        catalog.AddItem(1001);
    }

    std::unique_ptr<TTolvexObject> Article(int itemId = 1001)
    {
        return factory.GetObjectTyped(itemId, kArticle, catalog.Connection(), "");
    }

    TCatalogFixture catalog;
    TTolvexObjectFactory factory{catalog.Context()};
};

struct TValueCase {
    int member;
    const char* lang;
    const char* text;  // set and read through the text form
};

const TValueCase kEveryType[] = {
    {1, "EN", "Spring offer"},       {1, "DE", "Frühlingsangebot"},
    {6, "XXX", "red"},               {7, "XXX", "http://example.com/a?b=1&c=2"},
    {51, "EN", "A summary"},         {51, "DE", "Eine Zusammenfassung"},
    {52, "EN", "<p>Body & more</p>"}, {52, "DE", "<p>Inhalt</p>"},
    {56, "XXX", "one;two"},          {90, "XXX", "Price: <Article/Price>"},
    {101, "XXX", "12"},              {102, "XXX", "1002"},
    {104, "XXX", "1"},               {152, "XXX", "0.375"},
    {153, "EN", "19.9"},             {153, "DE", "21.5"},
    {201, "XXX", "2004-01-14"},      {203, "EN", "2004-01-14"},
    {203, "DE", "2004-03-01"},
};

TEST_F(ObjectStorageTest, EveryMemberTypeRoundTripsInSeveralLanguages)
{
    auto object = Article();
    for (const TValueCase& c : kEveryType) {
        const std::string tag = object->GetClassDefinition()->GetMemberXmlTag(c.member);
        object->SetValueText(tag, c.lang, c.text, 0);
    }
    object->SetNumberById(202, "XXX", 0.75, 0);  // 18:00
    ASSERT_TRUE(object->Save());

    // Read back by the object's own queries and through an item's value caches.
    TObjectCollection collection(catalog.Context());
    collection.Open("shop", catalog.Connection());
    std::unique_ptr<TTolvexObject> fresh = Article();
    for (TTolvexObject* loaded : {fresh.get(), collection.GetObject(1001, "Article")}) {
        for (const TValueCase& c : kEveryType) {
            const std::string tag = loaded->GetClassDefinition()->GetMemberXmlTag(c.member);
            EXPECT_EQ(loaded->GetValueText(tag, c.lang, 0, false), c.text) << tag << " " << c.lang;
        }
        EXPECT_DOUBLE_EQ(loaded->GetNumberById(202, "XXX", 0), 0.75);
        EXPECT_FALSE(loaded->IsModified());
    }
    EXPECT_EQ(catalog.Count("CStrings"), 4);  // Title x2, Colors, Url
    EXPECT_EQ(catalog.Count("CText"), 6);     // Summary x2, Body x2, Lines, Template
    EXPECT_EQ(catalog.Count("CNumbers"), 6);  // Quantity, Link, Visible, Weight, Price x2
    EXPECT_EQ(catalog.Count("CDates"), 4);    // Published, OpensAt, Updated x2
}

TEST_F(ObjectStorageTest, EachSaveRewritesTheRowsOfTheObject)
{
    auto object = Article();
    object->SetNumberById(101, "XXX", 5, 0);
    object->SetNumberById(201, "XXX", 38000, 0);
    object->SetStringById(1, "EN", "Title", 0);
    object->SetStringById(7, "XXX", "http://x", 0);
    object->Save();
    object->Save();  // still modified: written again
    EXPECT_EQ(catalog.Count("CNumbers"), 1);
    EXPECT_EQ(catalog.Count("CDates"), 1);

    object->SetStringById(1, "EN", "", 0);
    object->SetNumberById(101, "XXX", 0, 0);
    object->Save();
    EXPECT_EQ(catalog.Count("CStrings"), 1) << "an empty text leaves no row";
    EXPECT_EQ(catalog.Count("CNumbers"), 0) << "nor does the number 0";
    EXPECT_EQ(Article()->GetStringById(1, "EN", 0), "");
}

TEST_F(ObjectStorageTest, AValueOfAMemberTheClassLacksNeverBreaksASave)
{
    catalog.DeclareClass(22, "Counter").Member(101, "Count", 101);
    auto counter = factory.GetObjectTyped(1001, 22, catalog.Connection(), "");
    counter->SetNumberById(101, "XXX", 1, 0);
    counter->SetStringById(12, "XXX", "no such member", 0);  // an id the class does not define
    EXPECT_NO_THROW(counter->Save());
    EXPECT_NO_THROW(counter->Save());
    EXPECT_EQ(catalog.Count("CStrings"), 0) << "no table of the class holds it";
    EXPECT_EQ(catalog.Count("CNumbers"), 1);
}

TEST_F(ObjectStorageTest, ARowOfALanguageTheCatalogLacksIsNeitherLoadedNorKept)
{
    auto object = Article();
    object->SetStringById(1, "EN", "English", 0);
    object->Save();
    const int instanceId = object->GetInstanceId();
    catalog.Exec("INSERT INTO CStrings (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, "
                 "MemberType, StringValue) VALUES ('shop', 1001, 20, :InstanceId, 1, 'FR', 0, 1, 'Français')",
                 {{"InstanceId", instanceId}});
    auto loaded = Article();
    EXPECT_FALSE(loaded->HasValueById(1, "FR"));
    loaded->SetStringById(1, "EN", "Changed", 0);
    loaded->Save();
    EXPECT_EQ(catalog.Count("CStrings", "LangCode = 'FR'"), 0);
    EXPECT_EQ(catalog.Count("CStrings", "LangCode = 'EN'"), 1);
}

TEST_F(ObjectStorageTest, AFirstSaveNumbersTheObjectFromTheInstanceSequenceAndMarksTheItem)
{
    auto object = Article();
    ASSERT_EQ(object->GetInstanceId(), 0);
    EXPECT_EQ(object->GetStringById(1, "EN", 0), "");
    object->SetStringById(7, "XXX", "http://x", 0);
    object->Save();
    EXPECT_EQ(object->GetInstanceId(), 1000001);
    EXPECT_EQ(catalog.Count("CObjectInstances", "ItemId = 1001 AND InstanceId = 1000001 AND ClassId = 20 "
                                                "AND ParentInstanceId = 0"),
              1);
    EXPECT_EQ(catalog.Count("Items", "ItemId = 1001 AND IsSynchronized = 0 AND DateModified > 40000"), 1);
    EXPECT_EQ(Article()->GetInstanceId(), 1000001) << "the factory finds the object again";
}

TEST_F(ObjectStorageTest, AnObjectOpenedOnAFurtherPlacementBelongsToTheDataItem)
{
    catalog.AddItem(1005, 100, 1, 1001);  // a further placement of item 1001
    auto viaPlacement = Article(1005);
    viaPlacement->SetStringById(7, "XXX", "http://x", 0);
    viaPlacement->Save();
    EXPECT_EQ(viaPlacement->GetLinkedItemId(), 1001);
    EXPECT_EQ(catalog.Count("CStrings", "ItemId = 1001"), 1);
    EXPECT_EQ(catalog.Count("CObjectInstances", "ItemId = 1005"), 0);
    EXPECT_EQ(Article(1001)->GetStringById(7, "XXX", 0), "http://x");
    EXPECT_EQ(Article(1005)->GetInstanceId(), viaPlacement->GetInstanceId());
}

TEST_F(ObjectStorageTest, ControlCharactersAreStoredAsBlanks)
{
    auto object = Article();
    object->SetStringById(7, "XXX", "a\x01" "b\tc\nd", 0);
    object->Save();
    EXPECT_EQ(Article()->GetStringById(7, "XXX", 0), "a b\tc\nd");
}

TEST_F(ObjectStorageTest, BinaryDataIsWrittenAtOnceWithItsCrcSizeAndMimeType)
{
    auto object = Article();
    std::istringstream empty("");
    TBinaryDataInfo info;
    object->SetBinaryDataById(251, "EN", "image/png", empty, 0, &info);
    EXPECT_EQ(catalog.Count("CBinary"), 0);

    const std::string bytes("\x89PNG\r\n\x1a\n\0\xff data", 15);
    std::istringstream data(bytes);
    object->SetBinaryDataById(251, "EN", "image/png", data, 0, &info);
    const auto crc = static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(bytes.data()), 15));
    EXPECT_EQ(info.Crc, crc);
    EXPECT_EQ(info.Bytes, 15);
    EXPECT_EQ(info.MimeType, "image/png");
    EXPECT_FALSE(object->IsModified());

    // Stored with the instance it belongs to, even though nothing else was saved.
    auto loaded = Article();
    std::ostringstream out;
    TBinaryDataInfo read;
    ASSERT_TRUE(loaded->GetBinaryDataById(251, "EN", out, 0, &read));
    EXPECT_EQ(out.str(), bytes);
    EXPECT_EQ(read.Crc, crc);
    EXPECT_FALSE(loaded->GetBinaryInfoById(251, "DE", 0, nullptr));

    std::istringstream other("other");
    loaded->SetBinaryDataById(251, "EN", "text/plain", other, 0, nullptr);
    EXPECT_EQ(catalog.Count("CBinary"), 1);
    loaded->DeleteBinaryDataById(251, "EN", 0);
    EXPECT_EQ(catalog.Count("CBinary"), 0);
}

TEST_F(ObjectStorageTest, ClearAllEmptiesTheObjectAndDeletesItsBinaryRows)
{
    auto object = Article();
    object->SetStringById(7, "XXX", "http://x", 0);
    object->Save();
    std::istringstream data("bytes");
    object->SetBinaryDataById(251, "DE", "application/pdf", data, 0, nullptr);

    auto unloaded = Article();
    unloaded->ClearAll();
    EXPECT_EQ(catalog.Count("CBinary"), 0);
    EXPECT_TRUE(unloaded->IsEmpty()) << "the stored values do not come back";
    unloaded->SetNumberById(101, "XXX", 3, 0);
    unloaded->Save();
    EXPECT_EQ(catalog.Count("CStrings"), 0);
    EXPECT_EQ(Article()->GetIntegerById(101, "XXX", 0), 3);
}

TEST_F(ObjectStorageTest, SubObjectsAreCreatedAndDeletedThroughTheirReference)
{
    auto article = Article();
    TCObjectHandle first(article->AddSubObject("Options", "Option", "XXX"));
    TCObjectHandle second(article->AddSubObject("Options", "Option", "XXX"));
    ASSERT_TRUE(first && second);
    EXPECT_EQ(nullptr, article->AddSubObject("Title", "Option", "XXX")) << "not a reference member";
    EXPECT_EQ(nullptr, article->AddSubObject("Options", "Nothing", "XXX"));
    first->SetStringById(1, "XXX", "Size", 0);
    first->Save();
    TCObjectHandle nested(first->AddSubObject("Choices", "Option", "XXX"));
    first->Save();
    article->Save();
    EXPECT_EQ(catalog.Count("CObjectInstances", "ParentInstanceId = " + std::to_string(article->GetInstanceId())), 2);

    // A sub-object with sub-objects of its own stays, and so does its reference.
    EXPECT_FALSE(article->DeleteNumberValueById(105, "XXX", first->GetInstanceId(), 0));
    EXPECT_EQ(article->GetValueCountById(105, "XXX"), 2);
    // One without goes with its rows.
    EXPECT_TRUE(article->DeleteNumberValueById(105, "XXX", second->GetInstanceId(), 0));
    EXPECT_EQ(article->GetValueCountById(105, "XXX"), 1);
    EXPECT_EQ(catalog.Count("CObjectInstances", "InstanceId = " + std::to_string(second->GetInstanceId())), 0);
    EXPECT_EQ(catalog.Count("CStrings", "InstanceId = " + std::to_string(first->GetInstanceId())), 1);
}

TEST_F(ObjectStorageTest, LanguageCodesMatchWithoutRegardToCase)
{
    // A row stored under a lower-case code by another route.
    auto object = Article();
    object->SetStringById(1, "EN", "Title", 0);
    object->Save();
    catalog.Exec("INSERT INTO CStrings (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, "
                 "MemberType, StringValue) VALUES ('shop', 1001, 20, :InstanceId, 51, 'de', 0, 51, 'Alt')",
                 {{"InstanceId", object->GetInstanceId()}});

    auto mixed = Article();
    EXPECT_EQ(mixed->GetStringById(51, "DE", 0), "Alt");
    mixed->SetStringById(1, "en", "Title EN", 0);
    mixed->SetStringById(1, "De", "Titel", 0);
    mixed->SetStringById(51, "dE", "Neu", 0);
    mixed->SetNumberById(153, "de", 2.5, 0);
    mixed->SetNumberById(153, "DE", 3.5, 0);
    ASSERT_NO_THROW(mixed->Save());

    EXPECT_EQ(catalog.Count("CStrings"), 2) << "one row per language";
    EXPECT_EQ(catalog.Count("CText"), 1);
    EXPECT_EQ(catalog.Count("CNumbers"), 1);
    TObjectCollection collection(catalog.Context());
    collection.Open("shop", catalog.Connection());
    std::unique_ptr<TTolvexObject> fresh = Article();
    for (TTolvexObject* loaded : {fresh.get(), collection.GetObject(1001, "Article")}) {
        for (const char* lang : {"EN", "en"})
            EXPECT_EQ(loaded->GetStringById(1, lang, 0), "Title EN") << lang;
        for (const char* lang : {"DE", "de", "De"}) {
            EXPECT_EQ(loaded->GetStringById(1, lang, 0), "Titel") << lang;
            EXPECT_EQ(loaded->GetStringById(51, lang, 0), "Neu") << lang;
            EXPECT_DOUBLE_EQ(loaded->GetNumberById(153, lang, 0), 3.5) << lang;
            EXPECT_TRUE(loaded->HasValueById(1, lang)) << lang;
            EXPECT_EQ(loaded->GetValueCountById(1, lang), 1) << lang;
        }
    }
}

// A trigger that refuses one text, so that a save fails half way through its inserts.
void RefuseText(TCatalogFixture& catalog, const std::string& text)
{
    catalog.Exec("CREATE TRIGGER RefuseText BEFORE INSERT ON CStrings WHEN NEW.StringValue = '" + text +
                 "' BEGIN SELECT RAISE(ABORT, 'refused'); END");
}

TEST_F(ObjectStorageTest, ASaveThatFailsHalfWayKeepsEveryStoredValue)
{
    auto object = Article();
    object->SetStringById(1, "EN", "Title", 0);
    object->SetStringById(1, "DE", "Titel", 0);
    object->SetStringById(7, "XXX", "http://x", 0);
    object->SetNumberById(101, "XXX", 5, 0);
    ASSERT_TRUE(object->Save());

    RefuseText(catalog, "refused");
    auto changed = Article();
    changed->SetStringById(1, "DE", "refused", 0);
    changed->SetNumberById(101, "XXX", 9, 0);
    EXPECT_THROW(changed->Save(), ETolvexException);

    auto stored = Article();
    EXPECT_EQ(stored->GetStringById(1, "EN", 0), "Title");
    EXPECT_EQ(stored->GetStringById(1, "DE", 0), "Titel");
    EXPECT_EQ(stored->GetStringById(7, "XXX", 0), "http://x");
    EXPECT_EQ(stored->GetIntegerById(101, "XXX", 0), 5);
    EXPECT_EQ(catalog.Count("CStrings"), 3);
}

TEST_F(ObjectStorageTest, AFirstSaveThatFailsWritesTheInstanceRowWhenSavedAgain)
{
    RefuseText(catalog, "refused");
    auto object = Article();
    object->SetStringById(7, "XXX", "refused", 0);
    EXPECT_THROW(object->Save(), ETolvexException);
    EXPECT_EQ(catalog.Count("CObjectInstances"), 0) << "the failed save left nothing";

    object->SetStringById(7, "XXX", "http://x", 0);
    ASSERT_TRUE(object->Save());
    EXPECT_EQ(catalog.Count("CObjectInstances", "InstanceId = " + std::to_string(object->GetInstanceId())), 1);
    EXPECT_EQ(Article()->GetStringById(7, "XXX", 0), "http://x");
}

TEST_F(ObjectStorageTest, ASaveThatFailsInsideAUnitOfWorkUndoesOnlyItself)
{
    auto object = Article();
    object->SetStringById(1, "EN", "Title", 0);
    object->SetStringById(7, "XXX", "http://x", 0);
    ASSERT_TRUE(object->Save());
    RefuseText(catalog, "refused");

    std::unique_ptr<TAbstractDBConnection> unit = catalog.OpenSecondConnection();
    catalog.AddItem(1002);
    auto earlier = factory.GetObjectTyped(1002, kArticle, *unit, "");
    earlier->SetStringById(7, "XXX", "kept", 0);
    ASSERT_TRUE(earlier->Save());
    auto failing = factory.GetObjectTyped(1001, kArticle, *unit, "");
    failing->SetNumberById(101, "XXX", 3, 0);
    failing->SetStringById(1, "EN", "refused", 0);
    EXPECT_THROW(failing->Save(), ETolvexException);
    unit->CommitTrans();

    EXPECT_EQ(Article(1002)->GetStringById(7, "XXX", 0), "kept") << "the unit's earlier write stays";
    auto stored = Article();
    EXPECT_EQ(stored->GetStringById(1, "EN", 0), "Title");
    EXPECT_EQ(stored->GetStringById(7, "XXX", 0), "http://x");
    EXPECT_EQ(catalog.Count("CNumbers"), 0);
}

}  // namespace

TEST_F(ObjectStorageTest, DeletingFromAnObjectNotYetReadTakesEffect)
{
    {
        auto article = Article();
        article->SetString("Url", "http://example.com", 0);
        article->SetNumber("Quantity", 5, 0);
        article->SetLangString("Title", "EN", "Old", 0);
        ASSERT_TRUE(article->Save());
    }
    {
        // Fresh objects: nothing read yet when the deletes come.
        auto article = Article();
        EXPECT_EQ(article->GetValueCountById(7, "XXX"), 1) << "counting reads the stored values";
    }
    {
        auto article = Article();
        article->DeleteValueById(7, "XXX", 0);
        article->ClearMemberById(1, "");
        ASSERT_TRUE(article->Save());
    }
    auto again = Article();
    EXPECT_EQ(again->GetString("Url", 0), "");
    EXPECT_EQ(again->GetLangString("Title", "EN", 0), "");
    EXPECT_EQ(again->GetInteger("Quantity", 0), 5) << "other values stay";
}
