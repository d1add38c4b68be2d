// The path a new user takes through the windows alone, in a new catalog of
// the general business type: two price schedules (Retail in EUR for the
// public, Trade in USD for approved buyers), then a product "ab-12" with a
// name, a description, a retail price of 12499.99 and a stock of 5, saved.
// The tree shows the product with its code; the preview and the site
// published to a folder show the price with its cents, and no Trade price.
#include "BusinessPaneHelpers.h"

#include "editors/business/products/FrameSimpleProductProperties.h"
#include "editors/business/schedules/FramePriceScheduleDetail.h"
#include "editors/business/schedules/FramePriceSchedulesEditor.h"
#include "editors/framework/Registration.h"
#include "publishing/AbstractPublisher.h"
#include "publishing/ui/frmDetailProcess.h"
#include "publishing/ui/frmPublishParameters.h"
#include "shell/QtShell.h"
#include "support/TempFolder.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace business_test;

namespace {

// The site's page of the product: the published file that names its code.
std::string PublishedProductPage(const std::string& folder)
{
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        if (entry.path().extension() == ".html") {
            const std::string text = ReadFile(entry.path());
            if (text.find("AB-12") != std::string::npos && text.find("12,499.99") != std::string::npos)
                return text;
        }
    return {};
}

// A new schedule through "New...", its currency and who sees it set in its detail.
void AddSchedule(TMainWindowFixture& f, const std::string& name, const QString& currency, int visibility)
{
    ClickWithInput(f, "btnNewSchedule", name);
    auto* detail = Find<TFramePriceScheduleDetail>(f, "TFramePriceScheduleDetail");
    ASSERT_NE(detail, nullptr);
    ASSERT_EQ(Find<QLineEdit>(f, "edtScheduleName")->text().toStdString(), name);
    ChooseData(Find<QComboBox>(f, "cbCurrencyCode"), currency);
    QTest::mouseClick(Find<QRadioButton>(f, QString("rbVisibility%1").arg(visibility).toUtf8().constData()),
                      Qt::LeftButton);
}

}  // namespace

TEST(NewCatalogProductPath, SchedulesAndAProductWithItsRetailPriceThroughTheWindows)
{
    TMainWindowFixture f(RegisterFrameworkClasses);
    ASSERT_EQ(f.CreateAndOpen(), "");

    // View / Price Schedules: Retail (EUR, public) and Trade (USD, approved buyers only).
    OpenList(f, kSchedulesRoot);
    ASSERT_NE(Find<TFramePriceSchedulesEditor>(f, "TFramePriceSchedulesEditor"), nullptr);
    AddSchedule(f, "Retail", "EUR", 0);
    AddSchedule(f, "Trade", "USD", 1);
    Shoot(f, "business-schedules");
    PressSave(f);
    EXPECT_EQ(f.Boxes().Messages("error"), std::vector<std::string>{});
    const std::vector<int> schedules = ChildrenOfType(f, kSchedulesRoot, 2002);
    ASSERT_EQ(schedules.size(), 2u);
    EXPECT_EQ(NameOf(f, schedules[0]), "Retail");
    EXPECT_EQ(NameOf(f, schedules[1]), "Trade");
    EXPECT_EQ(Committed(f, "SELECT StringValue FROM CStrings WHERE CatalogCode = :CatalogCode AND ItemId = " +
                               std::to_string(schedules[1]) + " AND ClassId = 6 AND MemberId = 1"),
              "USD");
    EXPECT_EQ(Committed(f, "SELECT NumberValue FROM CNumbers WHERE CatalogCode = :CatalogCode AND ItemId = " +
                               std::to_string(schedules[1]) + " AND ClassId = 6 AND MemberId = 2"),
              "1");

    // A new product from the web tree, its essentials and its retail price typed in.
    TTreeManager& web = *f.Shell().CatalogUI()->WebTree();
    web.LocateItem(100001, nullptr);
    QCoreApplication::processEvents();
    f.Shell().ExecuteAction("Action=AddNewPossibleLinkedItem&ItemType=4002&ParentItemId=11", false);
    QCoreApplication::processEvents();
    ASSERT_NE(f.Editor().Context(), nullptr);
    ASSERT_EQ(f.Editor().Context()->GetItemType(), 4002);
    const int placement = f.Editor().GetTreeItemId();
    const int product = f.Editor().Context()->GetItemId();
    ASSERT_TRUE(f.Editor().Container()->ActivateTabByName("ProductBasicEditor-basic"));
    QCoreApplication::processEvents();
    ASSERT_NE(FrameOfTab<TFrameSimpleProductProperties>(f, "ProductBasicEditor-basic"), nullptr);
    auto* code = Find<QLineEdit>(f, "edtCode");
    code->setFocus();
    QTest::keyClicks(code, "ab-12");
    EXPECT_EQ(code->text(), "AB-12") << "letters show in upper case as they are typed";
    // The name starts as the tree's "New Product": typed over.
    TypeOver(Find<QLineEdit>(f, "edtName"), "Espresso machine");
    QTest::keyClicks(Find<QPlainTextEdit>(f, "edtDescription"), "Dual boiler, copper.");
    EXPECT_EQ(Find<QLabel>(f, "lblRetailPrice")->text(), "Retail:");
    QTest::keyClicks(Find<QLineEdit>(f, "edtRetailPrice"), "12499.99");
    QTest::keyClicks(Find<QLineEdit>(f, "edtQuantityInStock"), "5");
    Shoot(f, "business-product");
    PressSave(f);
    EXPECT_EQ(f.Boxes().Messages("error"), std::vector<std::string>{});
    EXPECT_FALSE(f.Editor().Context()->IsModified());

    // The tree shows it with its code; the price row keeps its cents.
    TTreeNode* node = web.GetSelectedNode();
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->Caption, "Espresso machine (AB-12)");
    EXPECT_EQ(Committed(f, "SELECT StringValue FROM CStrings WHERE CatalogCode = :CatalogCode AND ItemId = " +
                               std::to_string(product) + " AND ClassId = 4004 AND MemberId = 1"),
              "AB-12");
    const std::string row = " FROM CNumbers WHERE CatalogCode = :CatalogCode AND ItemId = " + std::to_string(product) +
                            " AND ClassId = 1004 AND MemberId = ";
    EXPECT_EQ(Committed(f, "SELECT NumberValue = 12499.99" + row + "1"), "1");
    EXPECT_EQ(Committed(f, "SELECT NumberValue" + row + "2"), std::to_string(schedules[0]));
    EXPECT_EQ(Committed(f, "SELECT NumberValue" + row + "3"), "5");

    // The preview and the published page: the price with its cents, nothing of Trade.
    const std::string preview = GeneratePage(f, placement);
    EXPECT_NE(preview.find("12,499.99"), std::string::npos);
    EXPECT_NE(preview.find("EUR"), std::string::npos);
    EXPECT_EQ(preview.find("USD"), std::string::npos);
    TTempFolder site;
    PublishLocally(f, site.Path());
    const std::string page = PublishedProductPage(site.Path());
    ASSERT_FALSE(page.empty()) << "no published page shows the product with its price";
    EXPECT_EQ(page.find("USD"), std::string::npos);
    EXPECT_EQ(page.find("12500"), std::string::npos);
}
