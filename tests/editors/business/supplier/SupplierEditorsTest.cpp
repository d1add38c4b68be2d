// The supplier profile of a partner portal catalog in the running program:
// the profile with its picture saves, deleting the picture stores 0, and a
// certificate with a year outside 1000-9999 is refused and shown again with
// what was typed.
#include "../BusinessPaneHelpers.h"
#include "../../media/ImageDialogFixture.h"

#include "catalog/TreeNode.h"
#include "catalog/ui/CatalogTreeView.h"
#include "catalog/ui/TreeModel.h"
#include "editors/framework/Registration.h"
#include "editors/site/html/dialogs/SelectPageFrame.h"
#include "support/TempFolder.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>

using namespace business_test;

namespace {

constexpr int kCompany = 2001;
constexpr int kSupplierCatalogType = 12;

class SupplierEditors : public ::testing::Test {
protected:
    SupplierEditors() : f(RegisterFrameworkClasses, false) { EXPECT_EQ(f.CreateAndOpen("shop", kSupplierCatalogType), ""); }

    void OpenProfile(const char* tab)
    {
        OpenItem(f, kHome);
        OpenItem(f, kCompany, tab);
    }
    std::string Stored(int classId, int memberId)
    {
        return Committed(f, "SELECT COALESCE((SELECT NumberValue FROM CNumbers WHERE CatalogCode = :CatalogCode "
                            "AND ItemId = 2001 AND ClassId = " + std::to_string(classId) + " AND MemberId = " +
                                std::to_string(memberId) +
                                "), (SELECT StringValue FROM CStrings WHERE CatalogCode = :CatalogCode AND ItemId = "
                                "2001 AND ClassId = " + std::to_string(classId) + " AND MemberId = " +
                                std::to_string(memberId) + "), (SELECT TextValue FROM CText WHERE CatalogCode = "
                                ":CatalogCode AND ItemId = 2001 AND ClassId = " + std::to_string(classId) +
                                " AND MemberId = " + std::to_string(memberId) + "), '(none)')");
    }

    TMainWindowFixture f;
    TTempFolder folder;
};

}  // namespace

TEST_F(SupplierEditors, TheProfileWithItsPictureSaves)
{
    OpenProfile("SupplierInfo-basic");
    auto* status = Find<QComboBox>(f, "cbLegalStatus");
    ASSERT_NE(status, nullptr);
    ChooseData(status, "limited");
    emit status->activated(status->currentIndex());
    TypeOver(Find<QLineEdit>(f, "edtYearOfFoundation"), "1998");
    TypeOver(Find<QLineEdit>(f, "edtTotalNumberOfEmployees"), "40");
    QTest::keyClicks(Find<QPlainTextEdit>(f, "memOtherInfo"), "Family business");
    f.Boxes().QueueInput(folder.Write("works.png", TImageDialogFixture::Png(160, 120)));
    WhenShown([&](TfrmFrameContainer& window) {
        window.findChild<QPushButton*>("btnSearch")->click();
        QCoreApplication::processEvents();
        window.btnContainerOk->click();
    });
    QTest::mouseClick(Find<QPushButton>(f, "btnSelect"), Qt::LeftButton);
    Shoot(f, "supplier-profile");
    PressSave(f);
    EXPECT_EQ(f.Boxes().Messages("error"), std::vector<std::string>{});
    EXPECT_EQ(Stored(8101, 2), "limited");
    EXPECT_EQ(Stored(8101, 3), "1998");
    EXPECT_EQ(Stored(8101, 4), "40");
    EXPECT_EQ(Stored(8101, 5), "Family business");
    const std::string image = Stored(8101, 6);
    ASSERT_NE(image, "(none)");
    EXPECT_NE(image, "0");

    OpenProfile("SupplierInfo-basic");
    QTest::mouseClick(Find<QPushButton>(f, "btnDelete"), Qt::LeftButton);
    PressSave(f);
    EXPECT_EQ(Stored(8101, 6), "(none)") << "0, which is no value";
    EXPECT_EQ(Stored(8101, 3), "1998") << "the rest stays";
}

TEST_F(SupplierEditors, ACertificateOfABadYearIsShownAgainWithWhatWasTyped)
{
    OpenProfile("SupplierInfo-basic");
    ASSERT_TRUE(ShowNestedTab(f, "Certificates and Awards"));
    auto* add = Find<QPushButton>(f, "btnListDataAdd");
    ASSERT_NE(add, nullptr);
    int shown = 0;
    std::function<void(TfrmFrameContainer&)> answer = [&](TfrmFrameContainer& dialog) {
        ++shown;
        auto* name = dialog.findChild<QLineEdit*>("edtName");
        auto* year = dialog.findChild<QLineEdit*>("edtYear");
        ASSERT_TRUE(name && year);
        if (shown == 1) {
            QTest::keyClicks(name, "ISO 9001");
            QTest::keyClicks(year, "9a99");
            EXPECT_EQ(year->text(), "999") << "only digits can be typed";
            if (const char* dir = std::getenv("TOLVEX_SCREENSHOT_DIR"))
                dialog.grab().save(QString("%1/supplier-certificate.png").arg(dir));
            WhenShown(answer);
        } else if (shown == 2) {
            EXPECT_EQ(name->text(), "ISO 9001") << "shown again with what was typed";
            EXPECT_EQ(year->text(), "999");
            TypeOver(year, "2001");
        }
        dialog.btnContainerOk->click();
    };
    WhenShown(answer);
    QTest::mouseClick(add, Qt::LeftButton);
    ASSERT_TRUE(WaitFor([&] { return shown == 2; }));
    EXPECT_EQ(f.Boxes().Messages("error"),
              std::vector<std::string>{"Please enter a valid value for the year field. A valid year contains 4 digits"});
    PressSave(f);
    EXPECT_EQ(Committed(f, "SELECT NumberValue FROM CNumbers WHERE CatalogCode = :CatalogCode AND ItemId = 2001 AND "
                           "ClassId = 8102 AND MemberId = 2"),
              "2001");
}

namespace {

// Picks the item in the page picker once a window holding one shows (not
// the dialog that opened it, which is modal too).
void PickPage(int itemId, bool* picked)
{
    auto* poll = new QTimer;
    poll->setInterval(20);
    QObject::connect(poll, &QTimer::timeout, [poll, itemId, picked] {
        auto* window = qobject_cast<TfrmFrameContainer*>(QApplication::activeModalWidget());
        TSelectPageFrame* picker = window ? window->findChild<TSelectPageFrame*>() : nullptr;
        if (!picker)
            return;
        poll->stop();
        poll->deleteLater();
        for (TTreeNode* node : picker->Manager().AllNodes())
            if (node->ItemId() == itemId)
                picker->Tree()->setCurrentIndex(picker->Tree()->Model().IndexOf(node));
        *picked = true;
        window->btnContainerOk->click();
    });
    poll->start();
}

}  // namespace

TEST_F(SupplierEditors, AnExportRecordNamesThePickedProductAndNeedsAVolume)
{
    const TProduct chair = AddProduct(f, "C-1", "Chair");
    OpenProfile("SupplierInfo-basic");
    EXPECT_TRUE(ShowNestedTab(f, "Export"));
    auto* add = Find<QPushButton>(f, "btnListDataAdd");
    ASSERT_NE(add, nullptr);
    int shown = 0;
    bool picked = false;
    std::function<void(TfrmFrameContainer&)> answer = [&](TfrmFrameContainer& dialog) {
        ++shown;
        auto* product = dialog.findChild<QLineEdit*>("edtProductCode");
        auto* volume = dialog.findChild<QLineEdit*>("edtVolume");
        auto* country = dialog.findChild<QComboBox*>("edtCountryCode");
        ASSERT_TRUE(product && volume && country);
        if (shown == 1) {
            EXPECT_TRUE(product->isReadOnly()) << "the product is picked, never typed";
            EXPECT_EQ(country->currentIndex(), 0) << "the first country by default";
            PickPage(chair.Placement, &picked);
            dialog.findChild<QPushButton*>("btnSelectProduct")->click();
            EXPECT_EQ(product->text(), "Chair (C-1)");
            QTest::keyClicks(dialog.findChild<QLineEdit*>("edtYear"), "2020");
            QTest::keyClicks(dialog.findChild<QLineEdit*>("edtUnit"), "pcs");
            QTest::keyClicks(volume, "   ");
            if (const char* dir = std::getenv("TOLVEX_SCREENSHOT_DIR"))
                dialog.grab().save(QString("%1/supplier-export.png").arg(dir));
            WhenShown(answer);
        } else if (shown == 2) {
            EXPECT_EQ(product->text(), "Chair (C-1)") << "shown again with what was there";
            EXPECT_EQ(dialog.findChild<QLineEdit*>("edtUnit")->text(), "pcs");
            TypeOver(volume, "100");
        }
        dialog.btnContainerOk->click();
    };
    WhenShown(answer);
    QTest::mouseClick(add, Qt::LeftButton);
    ASSERT_TRUE(WaitFor([&] { return shown == 2; }));
    EXPECT_TRUE(picked);
    EXPECT_EQ(f.Boxes().Messages("error"), std::vector<std::string>{"Please enter a value for the volume field"});
    PressSave(f);
    EXPECT_EQ(Committed(f, "SELECT StringValue FROM CStrings WHERE CatalogCode = :CatalogCode AND ItemId = 2001 AND "
                           "ClassId = 8104 AND MemberId = 1"),
              "Chair (C-1)");
}
