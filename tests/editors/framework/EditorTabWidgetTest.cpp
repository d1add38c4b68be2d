// The page control of the item editor: a tab the user picks is first put to
// the listener; a refusal puts the previous tab back before anyone hears of
// the change, and pages added while building tell nothing.
#include "../QtTestApplication.h"

#include "editors/framework/ui/EditorTabWidget.h"

#include <QTabBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct TListener : TEditorPagesListener {
    bool PageChanging() override
    {
        ++Asked;
        return Allow;
    }
    void PageChanged() override { ++Changed; }
    bool Allow = true;
    int Asked = 0;
    int Changed = 0;
};

TEST(EditorTabWidget, ARefusedTabChangeKeepsThePageAndTellsNothing)
{
    EnsureQtApplication();
    TEditorTabWidget tabs;
    TListener listener;
    tabs.SetListener(&listener);
    for (const char* caption : {"One", "Two", "Three"})
        tabs.AddPage(caption);
    EXPECT_EQ(listener.Changed, 0) << "building the pages tells nothing";
    ASSERT_TRUE(tabs.ActivatePage(0));
    EXPECT_EQ(listener.Changed, 1);

    listener.Allow = false;
    tabs.show();
    QTest::mouseClick(tabs.tabBar(), Qt::LeftButton, {}, tabs.tabBar()->tabRect(2).center());
    EXPECT_EQ(tabs.currentIndex(), 0);
    EXPECT_EQ(tabs.ActivePage(), 0);
    EXPECT_EQ(listener.Changed, 1);
    EXPECT_FALSE(tabs.ActivatePage(1));

    listener.Allow = true;
    QTest::mouseClick(tabs.tabBar(), Qt::LeftButton, {}, tabs.tabBar()->tabRect(2).center());
    EXPECT_EQ(tabs.ActivePage(), 2);
    EXPECT_EQ(listener.Changed, 2);
}

}  // namespace
