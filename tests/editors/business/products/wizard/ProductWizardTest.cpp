// The product wizard as a new user runs it: Catalog / New / Product
// Wizard..., three pages (code, name and description; the main picture;
// price and stock), Finish. Finish gives one whole product that the preview
// and the published site show with its picture and price; Cancel on any
// page leaves no product and no picture; refused values keep the wizard
// open on the page to mend.
#include "../../BusinessPaneHelpers.h"
#include "../../../media/ImageDialogFixture.h"

#include "common/CommonImages.h"
#include "editors/framework/Registration.h"
#include "support/TempFolder.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>

#include <gtest/gtest.h>

using namespace business_test;

namespace {

void Shot(QWidget& window, const char* name)
{
    if (const char* dir = std::getenv("TOLVEX_SCREENSHOT_DIR")) {
        QTest::qWait(150);
        window.grab().save(QString("%1/%2.png").arg(dir, name));
    }
}

template <class T>
T* In(QWidget& window, const char* name)
{
    T* found = window.findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
}

// Which of the three pages the wizard shows: 0, 1, 2; -1 for none.
int ShownPage(QWidget& wizard)
{
    const QWidget* pages[] = {wizard.findChild<QWidget*>("TFrameWizardProductAttributes"),
                              wizard.findChild<QWidget*>("TFrameWizardProductImage"),
                              wizard.findChild<QWidget*>("TFrameWizardProductPrice")};
    for (int page = 0; page < 3; ++page)
        if (pages[page] && pages[page]->isVisible())
            return page;
    return -1;
}

class ProductWizardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(f.CreateAndOpen(), "");
        retail_ = AddNamedItem(f, 2002, kSchedulesRoot, "Retail");
        Write(f, retail_, 6, [](TTolvexObject& schedule) { schedule.SetLangString("CurrencyCode", "XXX", "EUR", 0); });
    }

    // Catalog / New / Product Wizard..., the wizard answered by Drive.
    void RunWizard(const std::function<void(TfrmFrameContainer&)>& drive)
    {
        QAction* entry = nullptr;
        for (QAction* menu : f.Window().menuBar()->actions())
            if (menu->text().remove('&') == "Catalog" && menu->menu())
                for (QAction* sub : menu->menu()->actions())
                    if (sub->text().remove('&') == "New" && sub->menu())
                        for (QAction* item : sub->menu()->actions())
                            if (item->text().remove('&') == "Product Wizard...")
                                entry = item;
        ASSERT_NE(entry, nullptr) << "no Catalog / New / Product Wizard... entry";
        WhenShown(drive);
        entry->trigger();
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }
    // The first page typed in.
    static void TypeAttributes(TfrmFrameContainer& wizard, const QString& code, const QString& name)
    {
        auto* edit = In<QLineEdit>(wizard, "edtCode");
        edit->setFocus();
        QTest::keyClicks(edit, code);
        QTest::keyClicks(In<QLineEdit>(wizard, "edtName"), name);
    }
    // The image dialog that "Select..." of the picture page opens, answered with the file.
    void ChoosePicture(TfrmFrameContainer& wizard, const std::string& file)
    {
        f.Boxes().QueueInput(file);
        WhenShown([](TfrmFrameContainer& dialog) {
            In<QPushButton>(dialog, "btnSearch")->click();
            QCoreApplication::processEvents();
            dialog.btnContainerOk->click();
        });
        In<QPushButton>(wizard, "btnSelectMainImage")->click();
        QCoreApplication::processEvents();
    }
    static void Next(TfrmFrameContainer& wizard)
    {
        wizard.btnContainerCancel->click();
        QCoreApplication::processEvents();
    }

    int Count(const std::string& where)
    {
        return std::stoi(Committed(f, "SELECT COUNT(*) FROM Items WHERE CatalogCode = :CatalogCode AND " + where));
    }
    int Products() { return Count("ItemType = 4002"); }
    int Images() { return Count("ItemType = 301"); }
    // A number member of the item, as committed; -1 when there is none.
    int Number(int itemId, int classId, int memberId)
    {
        const std::string value =
            Committed(f, "SELECT NumberValue FROM CNumbers WHERE CatalogCode = :CatalogCode AND ItemId = " +
                             std::to_string(itemId) + " AND ClassId = " + std::to_string(classId) +
                             " AND MemberId = " + std::to_string(memberId));
        return value == "(none)" ? -1 : std::stoi(value);
    }

    TMainWindowFixture f{RegisterFrameworkClasses};
    TTempFolder folder_;
    int retail_ = 0;
};

}  // namespace

TEST_F(ProductWizardTest, FinishMakesOneWholeProductThatThePreviewAndTheSiteShowWithItsPictureAndPrice)
{
    const int productsBefore = Products();
    const std::string file = folder_.Write("desk-lamp.png", TImageDialogFixture::Png(640, 480));
    RunWizard([&](TfrmFrameContainer& wizard) {
        EXPECT_EQ(ShownPage(wizard), 0);
        EXPECT_FALSE(wizard.btnContainerOk->isEnabled()) << "no page before the first";
        TypeAttributes(wizard, "lamp-7", "Desk lamp");
        EXPECT_EQ(In<QLineEdit>(wizard, "edtCode")->text(), "LAMP-7");
        QTest::keyClicks(In<QPlainTextEdit>(wizard, "edtDescription"), "Brass, with a linen shade.");
        Shot(wizard, "wizard-1-info");
        Next(wizard);
        EXPECT_EQ(ShownPage(wizard), 1);
        ChoosePicture(wizard, file);
        EXPECT_NE(wizard.findChild<QWidget*>("prvMainImage"), nullptr) << "the chosen picture is previewed";
        Shot(wizard, "wizard-2-image");
        Next(wizard);
        EXPECT_EQ(ShownPage(wizard), 2);
        EXPECT_FALSE(wizard.btnContainerCancel->isEnabled()) << "no page after the last";
        EXPECT_EQ(In<QComboBox>(wizard, "cbPriceSchedule")->currentText(), "Retail");
        EXPECT_EQ(In<QComboBox>(wizard, "cbCurrency")->currentData().toString(), "EUR");
        EXPECT_EQ(In<QComboBox>(wizard, "cbCurrency")->currentText(), "Euro (EUR)") << "named from the currency list";
        QTest::keyClicks(In<QLineEdit>(wizard, "edtPrice"), "1.249,50");
        QTest::keyClicks(In<QLineEdit>(wizard, "edtQuantity"), "3");
        Shot(wizard, "wizard-3-price");
        wizard.btnContainerFinish->click();
    });
    EXPECT_EQ(f.Boxes().Messages("error"), std::vector<std::string>{});
    ASSERT_EQ(Products(), productsBefore + 2) << "the product and its placement";

    // The product with its code as stored, its names, its placement below the home page.
    const int product = std::stoi(Committed(f, "SELECT ItemId FROM CStrings WHERE CatalogCode = :CatalogCode AND "
                                               "ClassId = 4004 AND MemberId = 1 AND StringValue = 'LAMP-7'"));
    EXPECT_EQ(NameOf(f, product), "Desk lamp (LAMP-7)");
    const int placement = std::stoi(Committed(
        f, "SELECT ItemId FROM Items WHERE CatalogCode = :CatalogCode AND LinkedItemId = " + std::to_string(product) +
               " AND ItemId <> LinkedItemId"));
    EXPECT_EQ(f.Data().GetItemDescription(placement, f.Data().GetCatalogCode(), f.Main()).ParentItemId, kHome);
    // One price row for the schedule, its cents and stock kept.
    EXPECT_EQ(Committed(f, "SELECT COUNT(*) FROM CObjectInstances WHERE CatalogCode = :CatalogCode AND ItemId = " +
                               std::to_string(product) + " AND ClassId = 1004"),
              "1");
    EXPECT_EQ(Committed(f, "SELECT NumberValue = 1249.5 FROM CNumbers WHERE CatalogCode = :CatalogCode AND ItemId = " +
                               std::to_string(product) + " AND ClassId = 1004 AND MemberId = 1"),
              "1");
    EXPECT_EQ(Number(product, 1004, 2), retail_);
    EXPECT_EQ(Number(product, 1004, 3), 3);
    // The picture, with the thumbnail copy the dialog made for it.
    const int main = Number(product, 4007, 1);
    const int thumbnail = Number(product, 4007, 2);
    ASSERT_GT(main, 0);
    ASSERT_GT(thumbnail, 0);
    EXPECT_EQ(f.Data().GetItemDescription(thumbnail, f.Data().GetCatalogCode(), f.Main()).ParentItemId, main);
    EXPECT_EQ(Number(main, 5, 3), thumbnail);

    // The main window opened the new product.
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.Editor().Context() && f.Editor().Context()->GetItemId() == product; },
                                5000));
    TTreeNode* node = f.Shell().CatalogUI()->WebTree()->GetSelectedNode();
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->Caption, "Desk lamp (LAMP-7)");

    const std::string picture = "../images/" + std::to_string(main) + ".png";
    const std::string preview = GeneratePage(f, placement);
    EXPECT_NE(preview.find("1,249.50"), std::string::npos);
    EXPECT_NE(preview.find(picture), std::string::npos);
    TTempFolder site;
    PublishLocally(f, site.Path());
    bool shown = false;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(site.Path()))
        if (entry.path().extension() == ".html") {
            const std::string text = ReadFile(entry.path());
            shown = shown || (text.find("LAMP-7") != std::string::npos && text.find("1,249.50") != std::string::npos &&
                              text.find(picture) != std::string::npos);
        }
    EXPECT_TRUE(shown) << "no published page shows the product with its picture and price";
    for (const int image : {main, thumbnail})
        EXPECT_TRUE(std::filesystem::exists(site.Path() + "/images/" + std::to_string(image) + ".png")) << image;
}

TEST_F(ProductWizardTest, CancelOnAnyPageLeavesNoProductAndNoPicture)
{
    const std::string file = folder_.Write("chair.png", TImageDialogFixture::Png(300, 300));
    for (int page = 0; page < 3; ++page) {
        SCOPED_TRACE(page);
        const int products = Products();
        const int images = Images();
        RunWizard([&](TfrmFrameContainer& wizard) {
            TypeAttributes(wizard, "CH-" + QString::number(page), "Chair");
            Next(wizard);
            ChoosePicture(wizard, file);
            EXPECT_GT(Images(), images) << "the dialog stored the picture";
            Next(wizard);
            QTest::keyClicks(In<QLineEdit>(wizard, "edtPrice"), "49");
            // Back to the page, then Cancel there.
            while (ShownPage(wizard) > page) {
                wizard.btnContainerOk->click();
                QCoreApplication::processEvents();
            }
            wizard.btnContainerDoCancel->click();
        });
        EXPECT_EQ(Products(), products);
        EXPECT_EQ(Images(), images);
    }
    EXPECT_EQ(f.Boxes().Messages("error"), std::vector<std::string>{});
}

TEST_F(ProductWizardTest, RefusedValuesKeepTheWizardOpenOnThePageToMend)
{
    AddProduct(f, "AB-12", "Kettle");
    const int products = Products();
    RunWizard([&](TfrmFrameContainer& wizard) {
        // The code as it would be stored ("ab-12" is upper-cased) is another product's.
        TypeAttributes(wizard, "ab-12", "Teapot");
        EXPECT_EQ(In<QLineEdit>(wizard, "edtCode")->text(), "AB-12") << "letters show in upper case as typed";
        wizard.btnContainerFinish->click();
        QCoreApplication::processEvents();
        EXPECT_TRUE(wizard.isVisible());
        EXPECT_EQ(ShownPage(wizard), 0);
        TypeOver(In<QLineEdit>(wizard, "edtCode"), "tp-1");
        // The price page was never shown: Finish shows it, refusing the missing price.
        wizard.btnContainerFinish->click();
        QCoreApplication::processEvents();
        EXPECT_TRUE(wizard.isVisible());
        EXPECT_EQ(ShownPage(wizard), 2);
        const struct {
            const char* price;
            const char* quantity;
        } refused[] = {{"12x", "1"}, {"-3", "1"}, {"12.50", "two"}, {"12.50", "-1"}};
        for (const auto& values : refused) {
            SCOPED_TRACE(std::string(values.price) + " / " + values.quantity);
            TypeOver(In<QLineEdit>(wizard, "edtPrice"), values.price);
            TypeOver(In<QLineEdit>(wizard, "edtQuantity"), values.quantity);
            wizard.btnContainerFinish->click();
            QCoreApplication::processEvents();
            EXPECT_TRUE(wizard.isVisible());
        }
        TypeOver(In<QLineEdit>(wizard, "edtPrice"), "12.50");
        TypeOver(In<QLineEdit>(wizard, "edtQuantity"), "");
        wizard.btnContainerFinish->click();
    });
    EXPECT_EQ(f.Boxes().Messages("error"),
              (std::vector<std::string>{"Product with code \"AB-12\" already exists in the catalog",
                                        "Enter correct price value", "Enter correct price value",
                                        "Enter correct price value", "Enter correct quantity value",
                                        "Enter correct quantity value"}));
    EXPECT_EQ(Products(), products + 2);
    const std::string product = Committed(f, "SELECT ItemId FROM CStrings WHERE CatalogCode = :CatalogCode AND "
                                             "ClassId = 4004 AND MemberId = 1 AND StringValue = 'TP-1'");
    ASSERT_NE(product, "(none)");
    EXPECT_EQ(Committed(f, "SELECT NumberValue = 12.5 FROM CNumbers WHERE CatalogCode = :CatalogCode AND ItemId = " +
                               product + " AND ClassId = 1004 AND MemberId = 1"),
              "1");
    EXPECT_LE(Number(std::stoi(product), 1004, 3), 0) << "an empty stock is none";
}
