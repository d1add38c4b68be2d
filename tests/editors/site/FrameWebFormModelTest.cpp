// The web form model on a real catalog. The shipped definitions describe no
// web form, so the editor shows nothing; submitted data still renames the
// item, decoded as the browser encoded it, and the browser stays on the form.
#include "editors/site/SiteModelFixture.h"

#include "editors/site/page/FrameWebFormModel.h"

#include <gtest/gtest.h>

namespace {

TEST(WebFormModel, WithoutAFormTemplateNothingIsShownAndTheBrowserStays)
{
    TSiteModelFixture site;
    const int home = site.Program().GetHomePageId();
    TFrameWebFormModel model(site.Context(home), "CommonWebForm");
    EXPECT_EQ(model.TabCaption(), "Edit");
    EXPECT_EQ(model.FormTemplateId(), 0);
    const TFrameWebFormModel::TFormPage page = model.Generate();
    EXPECT_FALSE(page.Generated);
    EXPECT_EQ(page.Url, "");
    EXPECT_TRUE(model.IsAllowedNavigation("about:blank"));
    EXPECT_FALSE(model.IsAllowedNavigation("http://example.test/"));
    EXPECT_FALSE(model.ShouldSubmit()) << "an unchanged form is not submitted";
}

TEST(WebFormModel, SubmittedDataRenamesTheItemOnlyWhenItCarriesAName)
{
    TSiteModelFixture site;
    const int page = site.AddItem(site.Context(site.Program().GetHomePageId()).ItemType,
                                  site.Program().GetHomePageId(), "Old");
    TFrameWebFormModel model(site.Context(page), "CommonWebForm");
    std::string renamed;
    model.NoteChange();
    EXPECT_TRUE(model.ShouldSubmit());
    model.ApplySubmittedData("colour=red&size=2", "", &renamed);
    EXPECT_EQ(renamed, "");
    EXPECT_FALSE(model.ShouldSubmit()) << "the change was taken";
    model.ApplySubmittedData("", "tolvex://preview/EN/1.html?ItemName=Caf%C3%A9+%26+Co&x=1", &renamed);
    EXPECT_EQ(renamed, "Caf\xc3\xa9 & Co");
    model.ApplySubmittedData("ItemName=100%", "", &renamed);
    EXPECT_EQ(renamed, "100%") << "a stray per cent sign stays as typed";
    site.Save();
    EXPECT_EQ(site.Data().GetItemName(page, site.MainConnection(), "EN"), "100%");
}

}  // namespace
