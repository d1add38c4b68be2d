// The meta tags models on a real catalog: groups kept by the page or left to
// its parent, the expiry date's stored form, the effect times, and the rules
// between the language choices and their "Other" texts.
#include "editors/site/SiteModelFixture.h"

#include "editors/site/page/FramePageMetaTagsModel.h"
#include "editors/site/page/FrameSimplePageMetaTagsModel.h"

#include <gtest/gtest.h>

namespace {

using TModel = TFramePageMetaTagsModel;

class MetaTagsModel : public ::testing::Test {
protected:
    int Home() { return site.Program().GetHomePageId(); }
    // A page of the home page's type under the home page.
    int ChildPage()
    {
        const int type = site.Context(Home()).ItemType;
        return site.AddItem(type, Home(), "Child");
    }
    std::string Committed(int itemId, int classId, const std::string& member)
    {
        return site.Committed(itemId, classId)->GetValueText(member, site.Data().GetDefaultLangCode(), 0, false);
    }

    TSiteModelFixture site;
};

TEST_F(MetaTagsModel, APageUnderTheWebTreeRootKeepsEveryGroupAsItsOwn)
{
    TModel model(site.Context(Home()));
    EXPECT_FALSE(model.ShowsParentBoxes());
    model.Load();
    for (int group = 0; group < TModel::mgGroupCount; ++group)
        EXPECT_TRUE(model.IsEditable(static_cast<TModel::TGroup>(group))) << group;
    model.SetUseParent(TModel::mgDocument, true);
    EXPECT_FALSE(model.UsesParent(TModel::mgDocument)) << "no box to tick";

    model.SetValue(TModel::mgBasic, "Title", "Welcome");
    model.SetValue(TModel::mgBasic, "MetaKeywords", "tea, coffee");
    model.SetValue(TModel::mgDocument, "Author", "Ann");
    model.SetValue(TModel::mgSearchEngine, "Revisit", "7");
    model.Store();
    site.Save();
    EXPECT_EQ(Committed(Home(), 2, "Title"), "Welcome");
    EXPECT_EQ(Committed(Home(), 8, "MetaKeywords"), "tea, coffee");
    EXPECT_EQ(Committed(Home(), 10, "Author"), "Ann");
    EXPECT_EQ(Committed(Home(), 12, "Revisit"), "7");
    for (int classId : {2, 8, 10, 11, 12, 13, 14})
        EXPECT_EQ(Committed(Home(), classId, "NotUseParentProperties"), "1") << classId;
}

TEST_F(MetaTagsModel, ANewChildPageLeavesEveryGroupToItsParentUntilOneIsUnticked)
{
    const int child = ChildPage();
    TModel model(site.Context(child));
    ASSERT_TRUE(model.ShowsParentBoxes());
    model.Load();
    for (int group = 0; group < TModel::mgGroupCount; ++group)
        EXPECT_TRUE(model.UsesParent(static_cast<TModel::TGroup>(group))) << group;

    model.SetUseParent(TModel::mgDocument, false);
    model.SetValue(TModel::mgDocument, "Author", "Bob");
    model.Store();
    site.Save();
    EXPECT_EQ(Committed(child, 10, "Author"), "Bob");
    EXPECT_EQ(Committed(child, 10, "NotUseParentProperties"), "1");
    EXPECT_EQ(site.CountOnMain("SELECT COUNT(*) FROM CNumbers WHERE CatalogCode = :CatalogCode AND ItemId = " +
                               std::to_string(child) + " AND ClassId <> 10"), 0)
        << "the groups left to the parent store nothing";

    // Ticking the box again clears the group.
    TModel again(site.Context(child));
    again.Load();
    EXPECT_FALSE(again.UsesParent(TModel::mgDocument));
    EXPECT_EQ(again.Value(TModel::mgDocument, "Author"), "Bob");
    again.SetUseParent(TModel::mgDocument, true);
    again.Store();
    site.Save();
    EXPECT_EQ(Committed(child, 10, "Author"), "");
    EXPECT_EQ(Committed(child, 10, "NotUseParentProperties"), "0");
}

TEST_F(MetaTagsModel, ExpiryDatesAndEffectTimesKeepTheirStoredForms)
{
    TModel::TDateTime date;
    ASSERT_TRUE(TModel::ParseExpiry("Sat, 01 Jan 2000 10:30:00 GMT", date));
    EXPECT_EQ(date, (TModel::TDateTime{2000, 1, 1, 10, 30, 0}));
    EXPECT_EQ(TModel::FormatExpiry(date), "Sat, 01 Jan 2000 10:30:00 GMT");
    EXPECT_FALSE(TModel::ParseExpiry("next Tuesday", date));
    EXPECT_FALSE(TModel::ParseExpiry("Mon, 31 Feb 2000 10:30:00 GMT", date));
    EXPECT_EQ(date, (TModel::TDateTime{2000, 1, 1, 10, 30, 0})) << "an unreadable value leaves the date";

    TModel model(site.Context(Home()));
    model.Load();
    model.SetExpiry(TModel::exAbsolute);
    model.SetExpiryDate({2000, 1, 1, 10, 30, 0});
    model.SetValue(TModel::mgEffects, "Enter", "1001");
    model.SetValue(TModel::mgEffects, "EnterTime", "3");
    model.SetValue(TModel::mgEffects, "ExitTime", "Medium");
    model.Store();
    site.Save();
    EXPECT_EQ(Committed(Home(), 11, "Expires"), "1");
    EXPECT_EQ(Committed(Home(), 11, "ExpiresValue"), "Sat, 01 Jan 2000 10:30:00 GMT");
    EXPECT_EQ(Committed(Home(), 14, "EnterTime"), "3");
    EXPECT_EQ(Committed(Home(), 14, "ExitTime"), "4");

    TModel reloaded(site.Context(Home()));
    reloaded.Load();
    EXPECT_EQ(reloaded.Expiry(), TModel::exAbsolute);
    EXPECT_EQ(reloaded.ExpiryDate(), (TModel::TDateTime{2000, 1, 1, 10, 30, 0}));
    EXPECT_EQ(reloaded.Value(TModel::mgEffects, "EnterTime"), "3");
    EXPECT_EQ(reloaded.Value(TModel::mgEffects, "ExitTime"), "Medium");
    EXPECT_EQ(reloaded.Value(TModel::mgEffects, "Enter"), "1001");

    reloaded.SetExpiry(TModel::exRfc850);
    reloaded.SetExpiryText("Saturday, 01-Jan-00 10:30:00 GMT");
    reloaded.Store();
    site.Save();
    EXPECT_EQ(Committed(Home(), 11, "Expires"), "2");
    EXPECT_EQ(Committed(Home(), 11, "ExpiresValue"), "Saturday, 01-Jan-00 10:30:00 GMT");
}

TEST_F(MetaTagsModel, ALanguageChoiceAndItsOtherTextExcludeEachOther)
{
    TModel model(site.Context(Home()));
    model.Load();
    model.SetValue(TModel::mgLanguages, "CharsetOther", "koi8-r");
    model.SetValue(TModel::mgLanguages, "Charset", "utf-8");
    EXPECT_EQ(model.Value(TModel::mgLanguages, "CharsetOther"), "");
    model.SetValue(TModel::mgLanguages, "DialectOther", "Scots");
    model.SetValue(TModel::mgLanguages, "Dialect", "");
    model.SetValue(TModel::mgLanguages, "Dialect", "en-gb");
    model.SetValue(TModel::mgLanguages, "DialectOther", "Scots");
    EXPECT_EQ(model.Value(TModel::mgLanguages, "Dialect"), "");
    model.SetValue(TModel::mgLanguages, "CharsetWindowTarget", "1");
    EXPECT_EQ(model.Value(TModel::mgLanguages, "Charset"), "");
    EXPECT_FALSE(model.IsCharsetEnabled());
}

TEST_F(MetaTagsModel, TheSimpleTabLeavingValuesToTheParentAlsoClearsReferralAndExpiry)
{
    const int child = ChildPage();
    TModel advanced(site.Context(child));
    advanced.Load();
    advanced.SetUseParent(TModel::mgOther, false);
    advanced.SetValue(TModel::mgOther, "ReferalURL", "http://example.test/");
    advanced.SetExpiry(TModel::exRfc850);
    advanced.SetExpiryText("x");
    advanced.Store();
    site.Save();

    TFrameSimplePageMetaTagsModel simple(site.Context(child));
    ASSERT_TRUE(simple.ShowsParentBox());
    simple.Load();
    EXPECT_TRUE(simple.UsesParent()) << "the page object says nothing of own values";
    simple.SetUseParent(false);
    TFrameSimplePageMetaTagsModel::TValues values = simple.Values();
    values.MetaKeywords = "tea";
    values.UseParentKeywords = "1";
    values.Refresh = "30";
    simple.SetValues(values);
    simple.Store();
    site.Save();
    EXPECT_EQ(Committed(child, 8, "MetaKeywords"), "tea");
    EXPECT_EQ(Committed(child, 8, "UseParentKeywords"), "1");
    EXPECT_EQ(Committed(child, 11, "Refresh"), "30");
    EXPECT_EQ(Committed(child, 11, "ReferalURL"), "http://example.test/");

    TFrameSimplePageMetaTagsModel again(site.Context(child));
    again.Load();
    EXPECT_FALSE(again.UsesParent());
    EXPECT_EQ(again.Values().MetaKeywords, "tea");
    again.SetUseParent(true);
    again.Store();
    site.Save();
    EXPECT_EQ(Committed(child, 8, "MetaKeywords"), "");
    EXPECT_EQ(Committed(child, 11, "ReferalURL"), "");
    EXPECT_EQ(Committed(child, 11, "ExpiresValue"), "");
    EXPECT_EQ(Committed(child, 2, "NotUseParentProperties"), "0");
}

}  // namespace
