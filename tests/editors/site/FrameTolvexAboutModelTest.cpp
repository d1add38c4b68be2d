// The information page's model: its address, and the start-page choice kept
// at once although the page has no Save bar.
#include "editors/site/SiteModelFixture.h"

#include "catalog/Catalog.h"
#include "editors/site/options/FrameTolvexAboutModel.h"

#include <gtest/gtest.h>

namespace {

TEST(TolvexAboutModel, TheStartPageChoiceIsKeptAtOnce)
{
    EXPECT_EQ(TFrameTolvexAboutModel::PageUrl("/opt/tolvex/"), "file:///opt/tolvex/about/tolvex.htm");
    EXPECT_EQ(TFrameTolvexAboutModel::ContinueAction(), "Action=SelectFirstItem");

    TSiteModelFixture site;
    TFrameTolvexAboutModel model(site.Context(100001));
    EXPECT_FALSE(model.GoHome());
    model.SetGoHome(true);
    site.Cancel();
    EXPECT_EQ(site.Property(kPropertyStartOnAbout), "no") << "no Save bar: the choice lasts";
    model.SetGoHome(false);
    EXPECT_EQ(site.Property(kPropertyStartOnAbout), "yes");
}

}  // namespace
