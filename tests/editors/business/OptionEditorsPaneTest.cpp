// The option library, a product's options and its prices in the main
// window, driven as a user drives them: options and values made in the
// library, given to a product through the option dialog, stock codes typed
// into the combinations' grid, prices added through the price dialog (one
// for every combination, one for a combination picked in its own dialog).
// Saved, they come back and reach the product's page; cancelled, nothing
// of them is left; a change of the option set asks before stock codes go.
#include "BusinessPaneHelpers.h"

#include "editors/business/options/FrameProductOptions.h"
#include "editors/business/options/FrameProductPrices.h"
#include "editors/business/options/ProductOptionsModel.h"
#include "editors/business/options/ProductPricesModel.h"
#include "editors/framework/Registration.h"
#include "editors/framework/ui/frmFrameContainer.h"
#include "storage/ObjectFactory.h"
#include "storage/TolvexObject.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QTableView>

#include <gtest/gtest.h>

using namespace business_test;

namespace {

constexpr int kOptionsRoot = 13;
constexpr int kOptionType = 302;

// Runs Act on the next modal editor window other than Outer (a dialog opened from a dialog).
void WhenShownOver(QWidget* outer, const std::function<void(TfrmFrameContainer&)>& act)
{
    auto* poll = new QTimer;
    poll->setInterval(20);
    auto deadline = std::make_shared<QDeadlineTimer>(10000);
    QObject::connect(poll, &QTimer::timeout, [poll, act, deadline, outer] {
        auto* window = qobject_cast<TfrmFrameContainer*>(QApplication::activeModalWidget());
        if (window == outer)
            window = nullptr;
        if (!window && !deadline->hasExpired())
            return;
        poll->stop();
        poll->deleteLater();
        if (!window) {
            ADD_FAILURE() << "no editor window showed";
            return;
        }
        act(*window);
    });
    poll->start();
}

// With TOLVEX_SCREENSHOT_DIR set, a picture of a dialog window as site-<name>.png there.
void ShootWindow(QWidget& window, const char* name)
{
    if (const char* dir = std::getenv("TOLVEX_SCREENSHOT_DIR")) {
        QTest::qWait(200);
        window.grab().save(QString("%1/site-%2.png").arg(dir, name));
    }
}

void SelectNode(QTreeWidget* tree, const QString& caption)
{
    ASSERT_NE(tree, nullptr);
    const QList<QTreeWidgetItem*> found = tree->findItems(caption, Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_FALSE(found.isEmpty()) << caption.toStdString();
    tree->setCurrentItem(found.front());
}

// The library's dialog answered with the option named Caption.
void PickOption(const QString& caption)
{
    WhenShownOver(nullptr, [caption](TfrmFrameContainer& window) {
        SelectNode(window.findChild<QTreeWidget*>("tvOptions"), caption);
        ShootWindow(window, "options-chooser");
        window.btnContainerOk->click();
    });
}

// Types an SKU into a row of the combinations' grid, as a user does.
void TypeSku(QTableView* grid, int row, const QString& text)
{
    const QModelIndex cell = grid->model()->index(row, grid->model()->columnCount() - 1);
    grid->setFocus();
    grid->setCurrentIndex(cell);
    grid->edit(cell);
    // Editors of cells left behind are deleted later: the open one is the visible one.
    QCoreApplication::processEvents();
    QLineEdit* editor = nullptr;
    for (QLineEdit* candidate : grid->viewport()->findChildren<QLineEdit*>())
        if (candidate->isVisible())
            editor = candidate;
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
}

// Clicks a check box on its indicator, as a user does.
void ClickBox(QCheckBox* box)
{
    ASSERT_NE(box, nullptr);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    QCoreApplication::processEvents();
}

QString Cell(QTableView* grid, int row, int column)
{
    return grid->model()->index(row, column).data().toString();
}

class OptionEditors : public ::testing::Test {
protected:
    OptionEditors() : f(RegisterFrameworkClasses, true)
    {
        EXPECT_EQ(f.CreateAndOpen(), "");
        retail = AddNamedItem(f, 2002, kSchedulesRoot, "Retail");
        trade = AddNamedItem(f, 2002, kSchedulesRoot, "Trade");
    }

    // Size (S, M, L) and Colour (Red, Blue) made in the library's tab and saved.
    void MakeLibrary()
    {
        OpenList(f, kOptionsRoot);
        ClickWithInput(f, "btnAddOption", "Size");
        for (const char* value : {"S", "M", "L"})
            ClickWithInput(f, "btnAddValue", value);
        ClickWithInput(f, "btnAddOption", "Colour");
        for (const char* value : {"Red", "Blue"})
            ClickWithInput(f, "btnAddValue", value);
        Shoot(f, "options-library");
        PressSave(f);
        ASSERT_EQ(f.Boxes().Messages("error"), std::vector<std::string>{});
        const std::vector<int> options = ChildrenOfType(f, kOptionsRoot, kOptionType);
        ASSERT_EQ(options.size(), 2u);
        EXPECT_EQ(ChildrenOfType(f, options[0], kOptionType).size(), 3u);
        EXPECT_EQ(ChildrenOfType(f, options[1], kOptionType).size(), 2u);
    }

    // The product's Options tab with Size and Colour, picked in the library's dialog.
    QTableView* GiveOptions(const TProduct& product)
    {
        OpenItem(f, product.Placement, "ProductBasicEditor-options");
        auto* has = Find<QCheckBox>(f, "chkHasOptions");
        EXPECT_NE(has, nullptr);
        if (!has)
            return nullptr;
        ClickBox(has);
        EXPECT_TRUE(has->isChecked());
        EXPECT_TRUE(FrameOfTab<TFrameProductOptions>(f, "ProductBasicEditor-options")->Model().HasOptions());
        for (const char* option : {"Size", "Colour"}) {
            PickOption(option);
            QTest::mouseClick(Find<QPushButton>(f, "btnNewOption"), Qt::LeftButton);
            QCoreApplication::processEvents();
        }
        return Find<QTableView>(f, "sgCombinations");
    }

    std::string CountOf(const TProduct& product, int classId)
    {
        return Committed(f, "SELECT COUNT(*) FROM CObjectInstances WHERE CatalogCode = :CatalogCode AND ItemId = " +
                                std::to_string(product.Data) + " AND ClassId = " + std::to_string(classId));
    }

    TMainWindowFixture f;
    int retail = 0;
    int trade = 0;
};

TEST_F(OptionEditors, ANewUserGivesAProductOptionsStockCodesAndPricesThatReachItsPage)
{
    MakeLibrary();
    const TProduct product = AddProduct(f, "TS1", "Shirt");
    QTableView* grid = GiveOptions(product);
    ASSERT_NE(grid, nullptr);
    auto* frame = FrameOfTab<TFrameProductOptions>(f, "ProductBasicEditor-options");
    ASSERT_EQ(frame->Model().OptionIds().size(), 2u);
    ASSERT_EQ(frame->Model().Combinations().Count(), 6u);
    ASSERT_EQ(grid->model()->rowCount(), 6);
    ASSERT_EQ(grid->model()->columnCount(), 3);
    EXPECT_EQ(grid->model()->headerData(0, Qt::Horizontal).toString(), "Size");
    const char* rows[][2] = {{"S", "Red"}, {"S", "Blue"}, {"M", "Red"}, {"M", "Blue"}, {"L", "Red"}, {"L", "Blue"}};
    for (int row = 0; row < 6; ++row) {
        EXPECT_EQ(Cell(grid, row, 0), rows[row][0]);
        EXPECT_EQ(Cell(grid, row, 1), rows[row][1]);
    }
    TypeSku(grid, 0, "TS1-S-RED");
    TypeSku(grid, 4, "TS1-L-RED");
    EXPECT_EQ(Cell(grid, 0, 2), "TS1-S-RED");
    EXPECT_EQ(frame->Model().Sku(0), "TS1-S-RED");

    Shoot(f, "options-product");

    // Prices: one for every combination, one for L/Red picked in the combination dialog.
    ASSERT_TRUE(f.Editor().Container()->ActivateTabByName("ProductBasicEditor-prices"));
    QCoreApplication::processEvents();
    ClickBox(Find<QCheckBox>(f, "chkDifferentPrices"));
    auto* prices = Find<QTableView>(f, "sgPrices");
    ASSERT_EQ(prices->model()->columnCount(), 6) << "the option columns show";
    WhenShown([&](TfrmFrameContainer& window) {
        auto* schedule = window.findChild<QComboBox*>("cbSchedule");
        schedule->setCurrentIndex(schedule->findData(retail));
        TypeOver(window.findChild<QLineEdit*>("edtPrice"), "12499.99");
        ShootWindow(window, "options-price-dialog");
        window.btnContainerOk->click();
    });
    QTest::mouseClick(Find<QPushButton>(f, "btnNewPrice"), Qt::LeftButton);
    QCoreApplication::processEvents();
    WhenShown([&](TfrmFrameContainer& window) {
        auto* schedule = window.findChild<QComboBox*>("cbSchedule");
        schedule->setCurrentIndex(schedule->findData(trade));
        TypeOver(window.findChild<QLineEdit*>("edtPrice"), "80,50");
        WhenShownOver(&window, [](TfrmFrameContainer& inner) {
            auto* combinations = inner.findChild<QTableView*>("sgOptions");
            combinations->setCurrentIndex(combinations->model()->index(4, 0));
            ShootWindow(inner, "options-select-combination");
            inner.btnContainerOk->click();
        });
        QTest::mouseClick(window.findChild<QPushButton*>("btnOption"), Qt::LeftButton);
        EXPECT_EQ(window.findChild<QLineEdit*>("edtOption")->text(), "L; Red");
        window.btnContainerOk->click();
    });
    QTest::mouseClick(Find<QPushButton>(f, "btnNewPrice"), Qt::LeftButton);
    QCoreApplication::processEvents();
    ASSERT_EQ(prices->model()->rowCount(), 2);
    EXPECT_EQ(Cell(prices, 0, 1), "(any)");
    EXPECT_EQ(Cell(prices, 1, 1), "L");
    EXPECT_EQ(Cell(prices, 1, 2), "Red");
    Shoot(f, "options-prices");
    PressSave(f);
    ASSERT_EQ(f.Boxes().Messages("error"), std::vector<std::string>{});
    EXPECT_EQ(CountOf(product, 4010), "2");
    EXPECT_EQ(CountOf(product, 1004), "2");

    // Reopened, everything is as it was left.
    OpenItem(f, product.Placement, "ProductBasicEditor-options");
    grid = Find<QTableView>(f, "sgCombinations");
    ASSERT_EQ(grid->model()->rowCount(), 6);
    EXPECT_EQ(Cell(grid, 0, 2), "TS1-S-RED");
    EXPECT_EQ(Cell(grid, 4, 2), "TS1-L-RED");
    EXPECT_EQ(Cell(grid, 5, 2), "");
    ASSERT_TRUE(f.Editor().Container()->ActivateTabByName("ProductBasicEditor-prices"));
    QCoreApplication::processEvents();
    prices = Find<QTableView>(f, "sgPrices");
    ASSERT_EQ(prices->model()->rowCount(), 2);
    EXPECT_TRUE(Cell(prices, 0, 5).startsWith("12,499.99")) << Cell(prices, 0, 5).toStdString();
    EXPECT_EQ(prices->model()->index(0, 5).data(Qt::EditRole).toString(), "12499.99");
    EXPECT_TRUE(Cell(prices, 1, 5).startsWith("80.50")) << Cell(prices, 1, 5).toStdString();

    const std::string page = GeneratePage(f, product.Placement);
    // The options with their values, and each combination's price.
    for (const char* text : {"<dt>Size</dt><dd><ul class=\"tags\"><li>S</li><li>M</li><li>L</li>",
                             "<dt>Colour</dt><dd><ul class=\"tags\"><li>Red</li><li>Blue</li>",
                             "<td></td><td class=\"number\">12,499.99</td>",
                             "<td>L, Red</td><td class=\"number\">80.50</td>"})
        EXPECT_NE(page.find(text), std::string::npos) << text;
}

TEST_F(OptionEditors, CancelLeavesNothingOfOptionsStockCodesPricesOrDeletions)
{
    MakeLibrary();
    const TProduct product = AddProduct(f, "TS1", "Shirt");
    QTableView* grid = GiveOptions(product);
    ASSERT_NE(grid, nullptr);
    TypeSku(grid, 1, "KEEP");
    ASSERT_TRUE(f.Editor().Container()->ActivateTabByName("ProductBasicEditor-prices"));
    QCoreApplication::processEvents();
    FrameOfTab<TFrameProductPrices>(f, "ProductBasicEditor-prices")
        ->Model()
        .Apply({"PriceSchedule=" + std::to_string(retail), "PriceValue=9"});
    PressSave(f);
    const std::string saved = AllRows(f);

    OpenItem(f, product.Placement, "ProductBasicEditor-options");
    auto* frame = FrameOfTab<TFrameProductOptions>(f, "ProductBasicEditor-options");
    ASSERT_NE(frame, nullptr);
    const int colour = frame->Model().OptionIds().at(1);
    f.Boxes().QueueAnswer(mrYes);
    ASSERT_TRUE(frame->DeleteOption(colour));
    EXPECT_EQ(frame->Grid()->model()->rowCount(), 3);
    TypeSku(frame->Grid(), 0, "NEW");
    ASSERT_TRUE(f.Editor().Container()->ActivateTabByName("ProductBasicEditor-prices"));
    QCoreApplication::processEvents();
    WhenShown([&](TfrmFrameContainer& window) {
        auto* schedule = window.findChild<QComboBox*>("cbSchedule");
        schedule->setCurrentIndex(schedule->findData(trade));
        TypeOver(window.findChild<QLineEdit*>("edtPrice"), "4");
        window.btnContainerOk->click();
    });
    QTest::mouseClick(Find<QPushButton>(f, "btnNewPrice"), Qt::LeftButton);
    QCoreApplication::processEvents();
    ASSERT_EQ(Find<QTableView>(f, "sgPrices")->model()->rowCount(), 2);
    PressCancel(f);
    QCoreApplication::processEvents();
    EXPECT_EQ(RowsChanged(saved, AllRows(f)), "");

    OpenItem(f, product.Placement, "ProductBasicEditor-options");
    grid = Find<QTableView>(f, "sgCombinations");
    ASSERT_EQ(grid->model()->rowCount(), 6);
    EXPECT_EQ(Cell(grid, 1, 2), "KEEP");
}

TEST_F(OptionEditors, ChangingTheOptionSetAsksBeforeStockCodesGo)
{
    MakeLibrary();
    const TProduct product = AddProduct(f, "TS1", "Shirt");
    QTableView* grid = GiveOptions(product);
    ASSERT_NE(grid, nullptr);
    TypeSku(grid, 0, "A");
    TypeSku(grid, 1, "B");
    auto* frame = FrameOfTab<TFrameProductOptions>(f, "ProductBasicEditor-options");
    const int size = frame->Model().OptionIds().at(0);

    f.Boxes().Clear();
    f.Boxes().QueueAnswer(mrNo);
    EXPECT_FALSE(frame->DeleteOption(size));
    ASSERT_EQ(f.Boxes().Shown().size(), 1u);
    EXPECT_NE(f.Boxes().Shown()[0].message.find("2 combinations"), std::string::npos)
        << f.Boxes().Shown()[0].message;
    EXPECT_EQ(Cell(grid, 0, 2), "A") << "declined, nothing changes";

    // Unchecking "has options", declined, leaves the box checked.
    f.Boxes().QueueAnswer(mrNo);
    ClickBox(Find<QCheckBox>(f, "chkHasOptions"));
    EXPECT_TRUE(Find<QCheckBox>(f, "chkHasOptions")->isChecked());
    f.Boxes().QueueAnswer(mrYes);
    ClickBox(Find<QCheckBox>(f, "chkHasOptions"));
    EXPECT_FALSE(Find<QCheckBox>(f, "chkHasOptions")->isChecked());
    PressSave(f);
    EXPECT_EQ(CountOf(product, 4010), "0");
}

TEST_F(OptionEditors, TheLibraryRefusesTakenNamesTypedInPlaceAndSaysWhyADeleteIsRefused)
{
    MakeLibrary();
    const TProduct product = AddProduct(f, "TS1", "Shirt");
    QTableView* grid = GiveOptions(product);
    ASSERT_NE(grid, nullptr);
    TypeSku(grid, 0, "S-RED");
    PressSave(f);

    OpenList(f, kOptionsRoot);
    auto* tree = Find<QTreeWidget>(f, "tvOptions");
    SelectNode(tree, "M");
    f.Boxes().Clear();
    tree->currentItem()->setText(0, "s");
    EXPECT_EQ(f.Boxes().Messages("error"), std::vector<std::string>{"There already is option value with the name"});
    EXPECT_EQ(tree->currentItem()->text(0), "M") << "the name stays";

    // S names a stock code of the product: its deletion is refused, and the user is told why.
    SelectNode(tree, "S");
    ASSERT_TRUE(Find<QPushButton>(f, "btnDelete")->isEnabled());
    f.Boxes().Clear();
    f.Boxes().QueueAnswer(mrYes);
    QTest::mouseClick(Find<QPushButton>(f, "btnDelete"), Qt::LeftButton);
    EXPECT_EQ(f.Boxes().Messages("error"),
              std::vector<std::string>{"Cannot delete the option because some product use it"});
    SelectNode(tree, "Size");
    EXPECT_FALSE(Find<QPushButton>(f, "btnDelete")->isEnabled()) << "an option with values";

    // An option and a value added, then cancelled: neither is left.
    ClickWithInput(f, "btnAddOption", "Material");
    ClickWithInput(f, "btnAddValue", "Cotton");
    EXPECT_EQ(ChildrenOfType(f, kOptionsRoot, kOptionType).size(), 3u) << "made at once, for products to pick";
    PressCancel(f);
    QCoreApplication::processEvents();
    EXPECT_EQ(ChildrenOfType(f, kOptionsRoot, kOptionType).size(), 2u);
}

TEST_F(OptionEditors, IncludeAllAsksBeforeAThousandPricesAndTheGridRefusesWhatIsNoPrice)
{
    // Two options of 33 values: 1,089 combinations.
    const TProduct product = AddProduct(f, "TS1", "Shirt");
    std::vector<int> options;
    for (const char* name : {"Length", "Width"}) {
        const int option = AddNamedItem(f, kOptionType, kOptionsRoot, name);
        for (int value = 0; value < 33; ++value)
            AddNamedItem(f, kOptionType, option, std::string(name) + " " + std::to_string(value));
        options.push_back(option);
    }
    Write(f, product.Data, 4009, [&](TTolvexObject& object) {
        object.SetLangBoolean("HasOptions", "XXX", true, 0);
        for (int option : options)
            object.SetLangNumber("Options", "XXX", option, -1);
    });
    OpenItem(f, product.Placement, "ProductBasicEditor-prices");
    ClickBox(Find<QCheckBox>(f, "chkDifferentPrices"));
    auto* prices = Find<QTableView>(f, "sgPrices");
    ASSERT_NE(prices, nullptr);
    EXPECT_FALSE(Find<QPushButton>(f, "btnEditPrice")->isEnabled()) << "no price yet";
    EXPECT_FALSE(Find<QPushButton>(f, "btnDeletePrice")->isEnabled());
    auto addAll = [&](int answer) {
        WhenShown([&](TfrmFrameContainer& window) {
            TypeOver(window.findChild<QLineEdit*>("edtPrice"), "5");
            window.findChild<QCheckBox*>("chkIncludeAll")->setChecked(true);
            window.btnContainerOk->click();
        });
        f.Boxes().Clear();
        f.Boxes().QueueAnswer(answer);
        QTest::mouseClick(Find<QPushButton>(f, "btnNewPrice"), Qt::LeftButton);
        QCoreApplication::processEvents();
    };
    addAll(mrNo);
    ASSERT_EQ(f.Boxes().Messages("question").size(), 1u);
    EXPECT_NE(f.Boxes().Messages("question")[0].find("1089"), std::string::npos) << f.Boxes().Messages("question")[0];
    EXPECT_EQ(prices->model()->rowCount(), 0) << "declined, nothing is made";
    addAll(mrYes);
    ASSERT_EQ(prices->model()->rowCount(), 1089);

    // Typed into the grid: 0 and text are refused and the cell keeps its price.
    const QModelIndex price = prices->model()->index(0, prices->model()->columnCount() - 1);
    for (const char* typed : {"0", "abc"}) {
        f.Boxes().Clear();
        prices->setFocus();
        prices->setCurrentIndex(price);
        prices->edit(price);
        QCoreApplication::processEvents();
        QLineEdit* editor = nullptr;
        for (QLineEdit* candidate : prices->viewport()->findChildren<QLineEdit*>())
            if (candidate->isVisible())
                editor = candidate;
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        editor->setFocus();
        QTest::keyClicks(editor, typed);
        QTest::keyClick(editor, Qt::Key_Return);
        QTest::qWait(50);

        EXPECT_EQ(f.Boxes().Messages("error"), std::vector<std::string>{"Enter correct price value"}) << typed;
        EXPECT_EQ(price.data(Qt::EditRole).toString(), "5") << typed;
    }
}

}  // namespace
