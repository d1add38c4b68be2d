// The page and script properties models on a real catalog: names and file
// names, the checks before a save, the template choices, visibility written
// with the save and rolled back by a cancel, and the page address.
#include "editors/site/SiteModelFixture.h"

#include "editors/site/page/FrameJavaScriptPropertiesEditorModel.h"
#include "editors/site/page/FramePagePropetiesEditorModel.h"
#include "editors/site/page/FrameSimplePagePropertiesModel.h"

#include <gtest/gtest.h>

namespace {

using TFull = TFramePagePropetiesEditorModel;

class PageProperties : public ::testing::Test {
protected:
    int Home() { return site.Program().GetHomePageId(); }
    int ChildPage(const std::string& name = "Child")
    {
        return site.AddItem(site.Context(Home()).ItemType, Home(), name);
    }
    std::string Committed(int itemId, int classId, const std::string& member, const std::string& lang = "EN")
    {
        return site.Committed(itemId, classId)->GetValueText(member, lang, 0, false);
    }
    bool VisibleOnMain(int itemId) { return site.Data().GetBookkeeping().IsItemVisible(itemId, site.MainConnection()); }

    TSiteModelFixture site;
};

TEST_F(PageProperties, TheFullTabFiltersTheFileNameAndChecksItAndTheNameBeforeTheSave)
{
    const int other = ChildPage("Other");
    {
        TFull taken(site.Context(other), true);
        taken.Load();
        taken.SetAltFileName("about");
        ASSERT_EQ(taken.Validate(), "");
        taken.Store();
        site.Save();
    }
    TFull model(site.Context(Home()), true);
    EXPECT_FALSE(model.ShowsVisibleBox()) << "the home page";
    EXPECT_TRUE(model.ShowsPublishingBoxes());
    model.Load();
    EXPECT_FALSE(model.Name().empty());
    EXPECT_EQ(model.PageUrlError(), "") << "the home page has an address";

    model.SetAltFileName("ab out!.");
    EXPECT_EQ(model.AltFileName(), "about");
    TFull::TInvalid invalid;
    EXPECT_EQ(model.Validate(&invalid), "Alternative page file name \"about\" already exists. Change it.");
    EXPECT_EQ(invalid, TFull::ivAltFileName);
    model.SetAltFileName("my_page-1");
    model.SetName("  ");
    EXPECT_EQ(model.Validate(&invalid), "Enter page name");
    EXPECT_EQ(invalid, TFull::ivName);
    model.SetName("Start");
    ASSERT_EQ(model.Validate(), "");
    model.SetDontPublish(false, true);
    std::string renamed;
    model.Store(&renamed);
    EXPECT_EQ(renamed, "Start");
    site.Save();
    EXPECT_EQ(Committed(Home(), 1, "ItemName"), "Start");
    EXPECT_EQ(Committed(Home(), 1, "AltFileName"), "my_page-1");
    EXPECT_EQ(Committed(Home(), 9, "DontPublishChildren"), "1");
    EXPECT_NE(model.PageUrl().find("my_page-1"), std::string::npos) << model.PageUrl();
}

TEST_F(PageProperties, TemplateChoicesStartWithTheDefaultAndAnUnlistedTemplateIsStoredAsDefault)
{
    TFull model(site.Context(Home()), false);
    const auto masters = model.TemplateChoices(TFull::tkMaster);
    ASSERT_GE(masters.size(), 2u) << "the shipped type offers master templates";
    EXPECT_EQ(masters[0].Caption, "[Default Template]");
    EXPECT_EQ(masters[0].TemplateId, 0);

    auto page = site.Committed(Home(), 2);
    page->SetNumber("MasterTemplate", 987654, 0);
    page->Save();
    model.Load();
    EXPECT_EQ(model.SelectedTemplate(TFull::tkMaster), -1) << "no selection";
    model.SetName(model.Name());
    model.Store();
    site.Save();
    EXPECT_EQ(Committed(Home(), 2, "MasterTemplate"), "0");

    TFull again(site.Context(Home()), false);
    again.Load();
    again.SelectTemplate(TFull::tkMaster, masters[1].TemplateId);
    again.Store();
    site.Save();
    EXPECT_EQ(Committed(Home(), 2, "MasterTemplate"), std::to_string(masters[1].TemplateId));
}

TEST_F(PageProperties, VisibilityIsWrittenWithTheSaveAndUndoneByACancel)
{
    const int child = ChildPage();
    TFull model(site.Context(child), false);
    EXPECT_TRUE(model.ShowsVisibleBox());
    model.Load();
    ASSERT_TRUE(model.IsVisible());
    model.SetVisible(false);
    EXPECT_TRUE(VisibleOnMain(child)) << "nothing before the save";
    model.Store();
    site.Cancel();
    EXPECT_TRUE(VisibleOnMain(child));

    TFull again(site.Context(child), false);
    again.Load();
    again.SetVisible(false);
    again.Store();
    site.Save();
    EXPECT_FALSE(VisibleOnMain(child));
    EXPECT_EQ(Committed(child, 2, "NotVisible"), "1");
}

TEST_F(PageProperties, ANewPageIsNamedByTheItemManagerAndHasNoAddressYet)
{
    const int child = ChildPage("");
    TFull model(site.Context(child), false);
    model.InitNewItem("New Page");
    model.Load();
    EXPECT_EQ(model.Name(), "New Page");
    EXPECT_EQ(model.PageUrl().find('/'), std::string::npos) << "a new page's id is given at publishing";
    EXPECT_EQ(model.PageUrlError(), "Not published page.");
}

TEST_F(PageProperties, TheSimpleTabStoresTheFileNameAsTypedWithKeywordsAndDescription)
{
    const int child = ChildPage();
    TFrameSimplePagePropertiesModel model(site.Context(child));
    model.Load();
    EXPECT_EQ(model.Name(), "Child");
    model.SetAltFileName("a b.c");
    model.SetKeywords("tea\ncoffee", 1);
    model.SetDescription("All about tea");
    ASSERT_EQ(model.Validate(), "");
    model.Store();
    site.Save();
    EXPECT_EQ(Committed(child, 1, "AltFileName"), "a b.c");
    EXPECT_EQ(Committed(child, 8, "MetaKeywords"), "tea\ncoffee");
    EXPECT_EQ(Committed(child, 8, "UseParentKeywords"), "1");
    EXPECT_EQ(Committed(child, 2, "MetaDescription"), "All about tea");
}

TEST_F(PageProperties, AScriptsNameAndFileNameServeEveryLanguage)
{
    const int script = site.AddItem(506, 5);
    TFrameJavaScriptPropertiesEditorModel model(site.Context(script));
    model.Load();
    EXPECT_EQ(model.Version(), "Unknown");
    EXPECT_EQ(model.ScriptId(), script);
    model.SetScriptName("Menu script");
    model.SetFileName("menu");
    std::string renamed;
    model.Store(&renamed);
    EXPECT_EQ(renamed, "Menu script");
    site.Save();
    EXPECT_EQ(Committed(script, 1, "ItemName", "XXX"), "Menu script");
    EXPECT_EQ(Committed(script, 1, "AltFileName", "XXX"), "menu");
}

}  // namespace
