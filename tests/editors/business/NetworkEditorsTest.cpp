// The catalog network's editors in the main window on a catalog of
// catalogs, with the stand-in host: a member added and refreshed from the
// host, its code as typed and as pasted, the lists of catalogs, the
// approved wholesale buyers, and the republishing request.
#include "BusinessPaneHelpers.h"

#include "editors/business/network/FrameVendorInfo.h"
#include "editors/framework/Registration.h"
#include "publishing/ui/frmDetailProcess.h"
#include "shell/PublishingCommands.h"
#include "shell/QtShell.h"
#include "storage/GlobalDefinition.h"
#include "support/HostStandIn.h"
#include "support/MemberCatalogOnHost.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QTextEdit>
#include <QTreeView>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace business_test;

namespace {

constexpr int kMembersRoot = 20;
constexpr int kMemberType = 5002;

// A catalog network "net" whose host settings point at the stand-in.
class TNetwork {
public:
    TNetwork() : f(RegisterFrameworkClasses)
    {
        ok = f.CreateAndOpen("net", 2) == "";
        host.PointSettingsHere(f.Root().Settings().IniSettings());
    }
    THostStandIn host;
    TMainWindowFixture f;
    bool ok = false;
};

int Count(TMainWindowFixture& f, const std::string& sql)
{
    return std::stoi(Committed(f, "SELECT COUNT(*) FROM " + sql));
}

// Adds a member below the home page (a member list) as "New Member Catalog" does; the new item's id.
int AddMember(TMainWindowFixture& f)
{
    f.Shell().CatalogUI()->WebTree()->LocateItem(100001, nullptr);
    QCoreApplication::processEvents();
    f.Shell().ExecuteAction("Action=AddNewPossibleLinkedItem&ItemType=5002&ParentItemId=20", false);
    QCoreApplication::processEvents();
    return f.Editor().Context() ? f.Editor().Context()->GetItemId() : 0;
}

QLineEdit* MemberCodeEdit(TMainWindowFixture& f)
{
    return Find<QLineEdit>(f, "edtCatalogCode");
}

TEST(NetworkEditors, AMemberRefreshedFromTheHostShowsItsTypeAndCompany)
{
    TNetwork n;
    ASSERT_TRUE(n.ok);
    TMainWindowFixture& f = n.f;
    PutMemberCatalogOnHost(n.host, "acme", "Acme Member Works", 1, 3500);
    const int member = AddMember(f);
    ASSERT_GT(member, 0);
    QLineEdit* code = MemberCodeEdit(f);
    ASSERT_NE(code, nullptr) << "the member's information tab";
    TypeOver(code, "acme");
    EXPECT_EQ(Find<QLabel>(f, "lblCatalogType")->text(), "(unknown)");
    EXPECT_TRUE(Find<QLabel>(f, "lblWebSite")->isVisibleTo(f.EditorPane()));

    f.Boxes().QueueAnswer(mrYes);
    QTest::mouseClick(Find<QPushButton>(f, "btnRefreshFromHost"), Qt::LeftButton);
    EXPECT_EQ(f.Boxes().Messages("error"), std::vector<std::string>{});
    EXPECT_EQ(n.host.Actions(), (std::vector<std::string>{"tabledata", "tabledata", "tabledata"}))
        << "company, catalog type, logo";
    EXPECT_EQ(Find<QLabel>(f, "lblCatalogType")->text().toStdString(),
              f.Root().GlobalDefinition().GetCatalogTypeName(1));
    // The fetched rows are committed on their own, under the member's code only.
    EXPECT_EQ(Count(f, "CObjectInstances WHERE CatalogCode = 'c#acme' AND ItemId = 3500 AND ClassId = 5"), 1);
    EXPECT_EQ(Committed(f, "SELECT StringValue FROM CStrings WHERE CatalogCode = 'c#acme' AND ItemId = 2001 AND "
                           "ClassId = 3 AND MemberId = 1"),
              "Acme Member Works");
    EXPECT_NE(Committed(f, "SELECT StringValue FROM CStrings WHERE CatalogCode = :CatalogCode AND ItemId = 2001 AND "
                           "ClassId = 3 AND MemberId = 1"),
              "Acme Member Works");
    Shoot(f, "network-member-info");
    // The code typed before the refresh is still there, not saved yet.
    EXPECT_EQ(MemberCodeEdit(f)->text(), "acme");
    EXPECT_EQ(Count(f, "CStrings WHERE CatalogCode = :CatalogCode AND ClassId = 606"), 0);

    // The company tabs show the member's own record.
    ASSERT_TRUE(f.Editor().Container() != nullptr);
    bool shown = false;
    for (QLineEdit* edit : f.EditorPane()->findChildren<QLineEdit*>())
        shown = shown || edit->text() == "Acme Member Works";
    for (QTabWidget* tabs : f.EditorPane()->findChildren<QTabWidget*>())
        for (int i = 0; i < tabs->count() && !shown; ++i) {
            tabs->setCurrentIndex(i);
            QCoreApplication::processEvents();
            for (QLineEdit* edit : f.EditorPane()->findChildren<QLineEdit*>())
                shown = shown || edit->text() == "Acme Member Works";
        }
    EXPECT_TRUE(shown) << "the member's company name on its Basic tab";
    // The member's record names its logo (fetched under its code; the stand-in holds no picture bytes for it),
    // so the Basic tab puts a picture preview in the logo's place; a new catalog's own record names none.
    EXPECT_NE(Find<QWidget>(f, "prvLogo"), nullptr) << "the member's logo, read from its own record";
    EXPECT_FALSE(Find<QPushButton>(f, "btnSelectIcon")->isEnabled()) << "the member's record is only shown";

    PressSave(f);
    EXPECT_EQ(f.Boxes().Messages("error"), std::vector<std::string>{});
    EXPECT_EQ(Committed(f, "SELECT StringValue FROM CStrings WHERE CatalogCode = :CatalogCode AND ClassId = 606 AND "
                           "MemberId = 1 AND ItemId = " + std::to_string(member)),
              "acme");
    EXPECT_EQ(Committed(f, "SELECT NumberValue FROM CNumbers WHERE CatalogCode = :CatalogCode AND ClassId = 606 AND "
                           "MemberId = 2 AND ItemId = " + std::to_string(member)),
              "1");
    EXPECT_EQ(NameOf(f, member), "acme") << "a new member is named by its code";
    // The member list (the home page) shows the member's company from its own record.
    EXPECT_NE(GeneratePage(f, 100001).find("Acme Member Works"), std::string::npos);
}

TEST(NetworkEditors, AnUnknownMemberAndAnEmptyCodeAreRefused)
{
    TNetwork n;
    ASSERT_TRUE(n.ok);
    TMainWindowFixture& f = n.f;
    AddMember(f);
    ASSERT_NE(MemberCodeEdit(f), nullptr);

    QTest::mouseClick(Find<QPushButton>(f, "btnRefreshFromHost"), Qt::LeftButton);
    EXPECT_EQ(f.Boxes().Messages("error"), std::vector<std::string>{"Enter \"Catalog Code\" value"});
    EXPECT_TRUE(n.host.Requests().empty());

    TypeOver(MemberCodeEdit(f), "nobody");
    f.Boxes().QueueAnswer(mrYes);
    QTest::mouseClick(Find<QPushButton>(f, "btnRefreshFromHost"), Qt::LeftButton);
    EXPECT_EQ(f.Boxes().Messages("error").back(), "Catalog \"nobody\" not exists or empty");
    EXPECT_EQ(MemberCodeEdit(f)->text(), "nobody") << "the code stored before the refresh stays";
}

TEST(NetworkEditors, ACodeIsFilteredAsTypedAndAsPastedAndTakenOnlyOnce)
{
    TNetwork n;
    ASSERT_TRUE(n.ok);
    TMainWindowFixture& f = n.f;
    const int first = AddMember(f);
    QLineEdit* code = MemberCodeEdit(f);
    ASSERT_NE(code, nullptr);
    code->setFocus();
    QTest::keyClicks(code, "Shop A/2");
    EXPECT_EQ(code->text(), "shopa2");
    code->selectAll();
    QApplication::clipboard()->setText("Ac me/1");
    QTest::keySequence(code, QKeySequence::Paste);
    EXPECT_EQ(code->text(), "acme1");
    PressSave(f);
    EXPECT_EQ(Committed(f, "SELECT StringValue FROM CStrings WHERE CatalogCode = :CatalogCode AND ClassId = 606 AND "
                           "MemberId = 1 AND ItemId = " + std::to_string(first)),
              "acme1");

    // A second member may not take the code.
    AddMember(f);
    TypeOver(MemberCodeEdit(f), "acme1");
    PressSave(f);
    EXPECT_EQ(f.Boxes().Messages("error").back(), "CoC member with catalog code \"acme1\" already exists in the catalog");
    TypeOver(MemberCodeEdit(f), "");
    PressSave(f);
    EXPECT_EQ(f.Boxes().Messages("error").back(), "Enter CoC member catalog code");
    EXPECT_EQ(ChildrenOfType(f, kMembersRoot, kMemberType).size(), 2u);
}

// Opens the intermediate catalogs as the View menu does.
void OpenIntermediate(TMainWindowFixture& f)
{
    f.Shell().ExecuteAction("Action=MainPageEditor&ItemId=16000&ItemType=16000&Check=yes", false);
    QCoreApplication::processEvents();
}

void AddCode(TMainWindowFixture& f, const QString& text)
{
    TypeOver(Find<QLineEdit>(f, "edtNewCatalogCode"), text);
    QTest::mouseClick(Find<QPushButton>(f, "btnAddCatalog"), Qt::LeftButton);
}

QStringList ListedCodes(TMainWindowFixture& f)
{
    QStringList codes;
    auto* list = Find<QTreeWidget>(f, "lvCatalogCodes");
    for (int i = 0; list && i < list->topLevelItemCount(); ++i)
        codes << list->topLevelItem(i)->text(0);
    return codes;
}

TEST(NetworkEditors, TheIntermediateListMakesItsItemOnceAndOnlyWhenUsed)
{
    TNetwork n;
    ASSERT_TRUE(n.ok);
    TMainWindowFixture& f = n.f;
    const std::string item16000 = "Items WHERE CatalogCode = :CatalogCode AND ItemId = 16000";
    OpenIntermediate(f);
    ASSERT_NE(Find<QTreeWidget>(f, "lvCatalogCodes"), nullptr);
    EXPECT_EQ(Count(f, item16000), 0) << "looking at the list makes nothing";
    AddCode(f, "North Hub");
    EXPECT_EQ(Count(f, item16000), 1);
    PressCancel(f);
    QCoreApplication::processEvents();
    EXPECT_EQ(Count(f, item16000), 0) << "Cancel takes the new item back";

    OpenIntermediate(f);
    AddCode(f, "North Hub");
    AddCode(f, "b_hub");
    AddCode(f, "NORTHHUB");
    EXPECT_EQ(f.Boxes().Messages("error").back(), "\"northhub\" catalog code already included to the list");
    EXPECT_EQ(ListedCodes(f), (QStringList{"b_hub", "northhub"}));
    PressSave(f);
    EXPECT_EQ(Count(f, item16000), 1);
    OpenIntermediate(f);
    EXPECT_EQ(ListedCodes(f), (QStringList{"b_hub", "northhub"}));
    Find<QTreeWidget>(f, "lvCatalogCodes")->setCurrentItem(Find<QTreeWidget>(f, "lvCatalogCodes")->topLevelItem(0));
    QTest::mouseClick(Find<QPushButton>(f, "btnDeleteCatalog"), Qt::LeftButton);
    PressSave(f);
    OpenIntermediate(f);
    EXPECT_EQ(ListedCodes(f), QStringList{"northhub"});
    EXPECT_EQ(Count(f, item16000), 1);
    Shoot(f, "network-intermediate");
}

TEST(NetworkEditors, AWholesaleBuyerIsNamedAndCodedBySaveAndDroppedByCancel)
{
    TNetwork n;
    ASSERT_TRUE(n.ok);
    TMainWindowFixture& f = n.f;
    OpenList(f, 22);
    auto* tree = Find<QTreeView>(f, "tvTreeData");
    ASSERT_NE(tree, nullptr);
    QTest::mouseClick(Find<QPushButton>(f, "btnTreeDataNew"), Qt::LeftButton);
    QCoreApplication::processEvents();
    auto* caption = tree->findChild<QLineEdit*>();
    ASSERT_NE(caption, nullptr) << "the new buyer's caption is being edited";
    EXPECT_EQ(caption->text(), "New Wholesale Buyer");
    caption->selectAll();
    QTest::keyClicks(caption, "Bulk Buyer");
    QTest::keyClick(caption, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(Count(f, "Items WHERE CatalogCode = :CatalogCode AND ItemType = 607"), 0) << "nothing before Save";
    Shoot(f, "network-buyers");
    PressSave(f);
    const std::vector<int> buyers = ChildrenOfType(f, 22, 607);
    ASSERT_EQ(buyers.size(), 1u);
    EXPECT_EQ(NameOf(f, buyers[0]), "Bulk Buyer");
    const std::string codeOf = "SELECT StringValue FROM CStrings WHERE CatalogCode = :CatalogCode AND ClassId = 607 "
                               "AND MemberId = 1 AND ItemId = " + std::to_string(buyers[0]);
    EXPECT_EQ(Committed(f, codeOf), "Bulk Buyer");

    // A rename cancelled leaves name and code as they were.
    OpenList(f, 22);
    tree = Find<QTreeView>(f, "tvTreeData");
    tree->setCurrentIndex(tree->model()->index(0, 0));
    QTest::mouseClick(Find<QPushButton>(f, "btnTreeDataEdit"), Qt::LeftButton);
    caption = tree->findChild<QLineEdit*>();
    ASSERT_NE(caption, nullptr);
    caption->selectAll();
    QTest::keyClicks(caption, "Other Buyer");
    QTest::keyClick(caption, Qt::Key_Return);
    PressCancel(f);
    QCoreApplication::processEvents();
    EXPECT_EQ(Committed(f, codeOf), "Bulk Buyer");
    EXPECT_EQ(NameOf(f, buyers[0]), "Bulk Buyer");
}

TEST(NetworkEditors, TheRepublishingRequestCarriesTheChosenMember)
{
    TNetwork n;
    ASSERT_TRUE(n.ok);
    TMainWindowFixture& f = n.f;
    const int member = AddMember(f);
    TypeOver(MemberCodeEdit(f), "acme");
    PressSave(f);

    // The dialog lists the catalog's own templates and the member.
    WhenShown([member](TfrmFrameContainer& window) {
        auto* combo = window.findChild<QComboBox*>("cbTemplates");
        ASSERT_NE(combo, nullptr);
        EXPECT_EQ(combo->itemData(0).toString(), "0");
        ChooseData(combo, QString::number(member));
        if (const char* dir = std::getenv("TOLVEX_SCREENSHOT_DIR"))
            window.grab().save(QString("%1/site-network-republish.png").arg(dir));
        window.btnContainerOk->click();
    });
    f.Shell().ExecuteAction("Action=CoCManagement&Check=yes", false);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !n.host.Requests().empty(); }, 10000));
    const THostStandIn::TRequest request = n.host.Requests().back();
    EXPECT_EQ(request.Path, THostStandIn::kCoCManagementScript);
    EXPECT_EQ(request.Field("catalogcode"), "net");
    EXPECT_EQ(request.Field("actionvalue"), "acme");
    ASSERT_TRUE(QTest::qWaitFor([] {
        const auto windows = TfrmDetailProcess::ProcessWindows();
        return !windows.empty() && windows.back()->IsFinished();
    }, 10000));
    EXPECT_EQ(TfrmDetailProcess::ProcessWindows().back()->LogView()->toPlainText().contains("Successfully finished."),
              true);
    TfrmDetailProcess::ProcessWindows().back()->close();
}

}  // namespace
