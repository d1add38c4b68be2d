// The business editors in the main window's editor pane on a real catalog:
// edits live in the editor until Save (Cancel restores everything, new
// schedules and fields included; opening and saving unchanged writes
// nothing; the Prices tab sees the other tabs through the objects, not the
// database), and the refusals that keep the catalog sound: a schedule name
// taken, a schedule in use, a code taken once filtered.
#include "BusinessPaneHelpers.h"

#include "catalog/CatalogBookkeeping.h"
#include "editors/business/fields/FrameAdditionalFields.h"
#include "editors/business/fields/FrameAdditionalFieldsEdit.h"
#include "editors/business/products/FrameProductBasicEditor.h"
#include "editors/business/products/FrameProductInfo.h"
#include "editors/business/products/FrameSimpleProductProperties.h"
#include "editors/business/schedules/FramePriceScheduleDetail.h"
#include "editors/business/schedules/FramePriceSchedulesEditor.h"
#include "editors/framework/Registration.h"
#include "editors/framework/TolvexItemManager.h"
#include "storage/AbstractCObject.h"
#include "storage/ObjectFactory.h"
#include "storage/TolvexObject.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTableWidget>

#include <gtest/gtest.h>

using namespace business_test;

namespace {

void AddPrice(TMainWindowFixture& f, int product, int schedule, double price)
{
    TObjectCollection objects(f.Root().ObjectContext());
    objects.Open("shop", f.Main());
    TAbstractCObject* row = objects.GetObject(product, "Prices")->AddSubObject("Price", "Price", "XXX");
    row->SetLangNumber("PriceSchedule", "XXX", schedule, 0);
    row->SetLangNumber("PriceValue", "XXX", price, 0);
    ASSERT_TRUE(objects.SaveAll());
}

// Increases whenever a connection other than the main one commits a change.
std::string DataVersion(TMainWindowFixture& f)
{
    TQueryGuard query(f.Main());
    query->SetSQL("PRAGMA data_version");
    return FieldText(query->Open(true), "data_version");
}

QTreeWidgetItem* ScheduleNode(TMainWindowFixture& f, const QString& name)
{
    auto* tree = Find<QTreeWidget>(f, "tvSchedules");
    const QList<QTreeWidgetItem*> found = tree->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.front();
}

void SelectSchedule(TMainWindowFixture& f, const QString& name)
{
    QTreeWidgetItem* node = ScheduleNode(f, name);
    ASSERT_NE(node, nullptr) << name.toStdString();
    Find<QTreeWidget>(f, "tvSchedules")->setCurrentItem(node);
    QCoreApplication::processEvents();
}

class BusinessEditors : public ::testing::Test {
protected:
    explicit BusinessEditors(bool advanced = false) : f(RegisterFrameworkClasses, advanced)
    {
        EXPECT_EQ(f.CreateAndOpen(), "");
    }
    TMainWindowFixture f;
};

class AdvancedBusinessEditors : public BusinessEditors {
protected:
    AdvancedBusinessEditors() : BusinessEditors(true) {}
};

TEST_F(BusinessEditors, CancelRestoresSchedulesAddedRenamedAndDeleted)
{
    const int retail = AddNamedItem(f, 2002, kSchedulesRoot, "Retail");
    AddNamedItem(f, 2002, kSchedulesRoot, "Old");
    const std::string before = AllRows(f);
    OpenList(f, kSchedulesRoot);
    ClickWithInput(f, "btnNewSchedule", "Trade");
    ChooseData(Find<QComboBox>(f, "cbCurrencyCode"), "USD");
    SelectSchedule(f, "Retail");
    TypeOver(Find<QLineEdit>(f, "edtScheduleName"), "Public");
    SelectSchedule(f, "Old");
    f.Boxes().QueueAnswer(mrYes);
    QTest::mouseClick(Find<QPushButton>(f, "btnDeleteSchedule"), Qt::LeftButton);
    EXPECT_EQ(ScheduleNode(f, "Old"), nullptr);
    EXPECT_NE(ScheduleNode(f, "Public"), nullptr) << "the tree follows the detail's name";
    EXPECT_EQ(NameOf(f, retail), "Retail") << "nothing but the new schedule reaches the database before Save";

    PressCancel(f);
    EXPECT_EQ(RowsChanged(before, AllRows(f)), "");
    EXPECT_EQ(f.Boxes().Messages("error"), std::vector<std::string>{});
}

TEST_F(BusinessEditors, ScheduleChangesReachTheCatalogWithTheSave)
{
    AddNamedItem(f, 2002, kSchedulesRoot, "Retail");
    const int old = AddNamedItem(f, 2002, kSchedulesRoot, "Old");
    OpenList(f, kSchedulesRoot);
    SelectSchedule(f, "Old");
    f.Boxes().QueueAnswer(mrYes);
    QTest::mouseClick(Find<QPushButton>(f, "btnDeleteSchedule"), Qt::LeftButton);
    EXPECT_EQ(ChildrenOfType(f, kSchedulesRoot, 2002).size(), 2u) << "deleted with the save";
    PressSave(f);
    EXPECT_EQ(ChildrenOfType(f, kSchedulesRoot, 2002).size(), 1u);
    EXPECT_EQ(Committed(f, "SELECT COUNT(*) FROM CStrings WHERE CatalogCode = :CatalogCode AND ItemId = " +
                               std::to_string(old)),
              "0");
}

TEST_F(BusinessEditors, ATakenScheduleNameRefusesTheSaveAndKeepsWhatWasTyped)
{
    AddNamedItem(f, 2002, kSchedulesRoot, "Retail");
    const int trade = AddNamedItem(f, 2002, kSchedulesRoot, "Trade");
    OpenList(f, kSchedulesRoot);

    // Renamed in place to a taken name, a schedule keeps its old name.
    QTreeWidgetItem* retail = ScheduleNode(f, "Retail");
    ASSERT_NE(retail, nullptr);
    retail->setText(0, "trade");
    EXPECT_EQ(f.Boxes().Messages("error"), std::vector<std::string>{"There already is price schedule with the name"});
    EXPECT_EQ(retail->text(0), "Retail");
    EXPECT_FALSE(f.Editor().Context()->IsModified());

    f.Boxes().Clear();
    SelectSchedule(f, "Trade");
    TypeOver(Find<QLineEdit>(f, "edtScheduleName"), "retail");
    PressSave(f);
    EXPECT_EQ(f.Boxes().Messages("error"), std::vector<std::string>{"There already is price schedule with the name"});
    EXPECT_TRUE(f.Editor().Context()->IsModified());
    EXPECT_EQ(Find<QLineEdit>(f, "edtScheduleName")->text(), "retail");
    EXPECT_EQ(NameOf(f, trade), "Trade");

    // Switching to another schedule is refused as well: the typed name stays.
    SelectSchedule(f, "Retail");
    EXPECT_EQ(Find<QLineEdit>(f, "edtScheduleName")->text(), "retail");
}

TEST_F(BusinessEditors, AScheduleThatPricesUseCannotBeDeleted)
{
    const int retail = AddNamedItem(f, 2002, kSchedulesRoot, "Retail");
    AddNamedItem(f, 2002, kSchedulesRoot, "Trade");
    const TProduct product = AddProduct(f, "AB12", "Kettle");
    AddPrice(f, product.Data, retail, 10);
    OpenList(f, kSchedulesRoot);
    SelectSchedule(f, "Retail");
    f.Boxes().QueueAnswer(mrYes);
    QTest::mouseClick(Find<QPushButton>(f, "btnDeleteSchedule"), Qt::LeftButton);
    EXPECT_EQ(f.Boxes().Messages("error"), std::vector<std::string>{"Cannot delete the price schedule."});
    EXPECT_NE(ScheduleNode(f, "Retail"), nullptr);
    EXPECT_FALSE(f.Editor().Context()->IsModified());
}

TEST_F(BusinessEditors, CancelRestoresFieldDefinitionsAddedRenamedAndDeleted)
{
    AddNamedItem(f, 306, kFieldsRoot, "Size");
    AddNamedItem(f, 306, kFieldsRoot, "Unused");
    const std::string before = AllRows(f);
    OpenList(f, kFieldsRoot);
    auto* list = Find<QTreeWidget>(f, "lvFields");
    ASSERT_NE(list, nullptr);
    ClickWithInput(f, "btnAddField", "Colour");
    ClickWithInput(f, "btnAddField", "colour");
    EXPECT_EQ(f.Boxes().Messages("error"), std::vector<std::string>{"Custom field name already exists"});
    list->setCurrentItem(list->findItems("Size", Qt::MatchExactly).front());
    ClickWithInput(f, "btnEditField", "Dimensions");
    list->setCurrentItem(list->findItems("Unused", Qt::MatchExactly).front());
    f.Boxes().QueueAnswer(mrYes);
    QTest::mouseClick(Find<QPushButton>(f, "btnDeleteField"), Qt::LeftButton);
    std::vector<std::string> shown;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        shown.push_back(list->topLevelItem(i)->text(0).toStdString());
    EXPECT_EQ(shown, (std::vector<std::string>{"Dimensions", "Colour"}));
    Shoot(f, "business-fields");

    PressCancel(f);
    EXPECT_EQ(RowsChanged(before, AllRows(f)), "");
}

TEST_F(BusinessEditors, OpeningAndSavingAProductWithoutAChangeWritesNothing)
{
    const int retail = AddNamedItem(f, 2002, kSchedulesRoot, "Retail");
    const TProduct product = AddProduct(f, "AB12", "Kettle");
    AddPrice(f, product.Data, retail, 10);
    OpenItem(f, product.Placement, "ProductBasicEditor-basic");
    ASSERT_NE(FrameOfTab<TFrameSimpleProductProperties>(f, "ProductBasicEditor-basic"), nullptr);
    const std::string rows = AllRows(f);
    const std::string version = DataVersion(f);
    ASSERT_TRUE(f.Editor().Save());
    EXPECT_EQ(RowsChanged(rows, AllRows(f)), "");
    EXPECT_EQ(DataVersion(f), version) << "not even a row rewritten with its own values";
}

TEST_F(BusinessEditors, CancelRestoresAnEditedProduct)
{
    const int retail = AddNamedItem(f, 2002, kSchedulesRoot, "Retail");
    const TProduct product = AddProduct(f, "AB12", "Kettle");
    AddPrice(f, product.Data, retail, 10);
    const std::string before = AllRows(f);
    OpenItem(f, product.Placement, "ProductBasicEditor-basic");
    TypeOver(Find<QLineEdit>(f, "edtCode"), "XY9");
    TypeOver(Find<QLineEdit>(f, "edtName"), "Teapot");
    TypeOver(Find<QLineEdit>(f, "edtRetailPrice"), "12,5");
    TypeOver(Find<QLineEdit>(f, "edtWidth"), "30");
    (void)GeneratePage(f, product.Placement);
    PressCancel(f);
    EXPECT_EQ(RowsChanged(before, AllRows(f)), "");
}

TEST_F(BusinessEditors, ACodeThatDiffersOnlyByFilteredCharactersIsRefused)
{
    AddProduct(f, "AB12", "Kettle");
    const TProduct second = AddProduct(f, "CD34", "Teapot");
    OpenItem(f, second.Placement, "ProductBasicEditor-basic");
    auto* code = Find<QLineEdit>(f, "edtCode");
    TypeOver(code, "a b*12");
    EXPECT_FALSE(Find<QLineEdit>(f, "edtRetailPrice")->isEnabled()) << "no schedule: no price";
    Shoot(f, "business-product-no-schedule");
    PressSave(f);
    EXPECT_EQ(f.Boxes().Messages("error"),
              std::vector<std::string>{"Product with code \"AB12\" already exists in the catalog"});
    EXPECT_TRUE(f.Editor().Context()->IsModified());
    EXPECT_EQ(code->text(), "A B*12") << "what was typed stays";
    EXPECT_EQ(Committed(f, "SELECT StringValue FROM CStrings WHERE CatalogCode = :CatalogCode AND ItemId = " +
                               std::to_string(second.Data) + " AND ClassId = 4004 AND MemberId = 1"),
              "CD34");

    f.Boxes().Clear();
    TypeOver(code, "ab-12");
    PressSave(f);
    EXPECT_EQ(f.Boxes().Messages("error"), std::vector<std::string>{});
    EXPECT_EQ(code->text(), "AB-12");
}

TEST_F(BusinessEditors, AProductIsValidatedForItsCodeAndItsName)
{
    const TProduct product = AddProduct(f, "AB12", "Kettle");
    OpenItem(f, product.Placement);
    TTolvexControlClass& context = *f.Editor().Context();
    TAbstractCObject* data = context.GetObjectCollection().GetObject(product.Data, "Product");
    std::string messages;
    EXPECT_EQ(TTolvexItemManager::ForItemType(context.Services(), 4002).ValidateItem(context, messages), 0)
        << messages;
    data->SetLangString("Code", "XXX", "", 0);
    data->SetLangString("Name", "EN", "", 0);
    const int flags = TTolvexItemManager::ForItemType(context.Services(), 4002).ValidateItem(context, messages);
    EXPECT_EQ(flags & 4, 4);
    EXPECT_EQ(messages.substr(0, messages.find("\r\n", messages.find("\r\n") + 2)),
              "No native product name for \"EN\" language.\r\nNo product code.");

    // In a second language the name is asked for, as a warning after the page's messages.
    data->SetLangString("Code", "XXX", "AB12", 0);
    data->SetLangString("Name", "EN", "Kettle", 0);
    AddDataLanguage(f, "DE");
    messages.clear();
    const int warned = TTolvexItemManager::ForItemType(context.Services(), 4002).ValidateItem(context, messages);
    EXPECT_EQ(warned & 4, 0) << messages;
    EXPECT_EQ(warned & 1, 1);
    EXPECT_TRUE(messages.ends_with("No product name for \"DE\" language.")) << messages;
}

TEST_F(BusinessEditors, TheHomePageIsCaptionedAsSuchWhateverItsName)
{
    OpenItem(f, kHome);
    ASSERT_EQ(f.Editor().Context()->GetItemType(), 4001);
    TTolvexControlClass& context = *f.Editor().Context();
    EXPECT_EQ(TTolvexItemManager::ForItemType(context.Services(), 4001).GetCaption(context), "Home Page");
    OpenItem(f, 100002);
    EXPECT_EQ(TTolvexItemManager::ForItemType(f.Editor().Context()->Services(), 4001).GetCaption(*f.Editor().Context()),
              "Product Line: Products");
}

TEST_F(BusinessEditors, TheProductListShowsTheSelectedProductBesideIt)
{
    const TProduct kettle = AddProduct(f, "AB12", "Kettle");
    OpenList(f, kProductsRoot);
    auto* tree = Find<QTreeView>(f, "tvTreeData");
    ASSERT_NE(tree, nullptr);
    const QModelIndexList found =
        tree->model()->match(tree->model()->index(0, 0), Qt::DisplayRole, "Kettle (AB12)", 1, Qt::MatchRecursive);
    ASSERT_EQ(found.size(), 1);
    tree->setCurrentIndex(found.front());
    QCoreApplication::processEvents();
    ASSERT_NE(Find<TFrameProductInfo>(f, "TFrameProductInfo"), nullptr);
    EXPECT_EQ(Find<QLineEdit>(f, "edtProductCode")->text(), "AB12");
    EXPECT_EQ(Find<QLineEdit>(f, "edtProductName")->text(), "Kettle");
    Shoot(f, "business-product-list");
    (void)kettle;
}

TEST_F(AdvancedBusinessEditors, ThePricesTabSeesTheOtherTabsThroughTheObjectsOnly)
{
    const TProduct product = AddProduct(f, "AB12", "Kettle");
    OpenItem(f, product.Placement, "ProductBasicEditor-basic");
    ASSERT_NE(FrameOfTab<TFrameProductBasicEditor>(f, "ProductBasicEditor-basic"), nullptr);
    TypeOver(Find<QLineEdit>(f, "edtCode"), "XY9");
    const std::string rows = AllRows(f);
    const std::string version = DataVersion(f);
    ASSERT_TRUE(f.Editor().Container()->ActivateTabByName("ProductBasicEditor-prices"));
    QCoreApplication::processEvents();
    TAbstractCObject* data = f.Editor().Context()->GetObjectCollection().GetObject(product.Data, "Product");
    EXPECT_EQ(data->GetLangString("Code", "XXX", 0), "XY9");
    EXPECT_EQ(RowsChanged(rows, AllRows(f)), "");
    EXPECT_EQ(DataVersion(f), version);
    // Nothing holds the catalog's write lock meanwhile: the main window can write.
    EXPECT_NO_THROW(f.Data().SetCatalogProperty(713, "written meanwhile", f.Main()));
    EXPECT_EQ(f.Boxes().Messages("error"), std::vector<std::string>{});
    EXPECT_EQ(f.Data().GetCatalogProperty(713, f.Main()), "written meanwhile");
    PressCancel(f);
    EXPECT_EQ(Committed(f, "SELECT StringValue FROM CStrings WHERE CatalogCode = :CatalogCode AND ItemId = " +
                               std::to_string(product.Data) + " AND ClassId = 4004 AND MemberId = 1"),
              "AB12");
}

TEST_F(AdvancedBusinessEditors, ACustomFieldDefinedAndFilledShowsOnThePage)
{
    const TProduct product = AddProduct(f, "AB12", "Kettle");
    OpenItem(f, product.Placement, "ProductBasicEditor-additional");
    auto* note = Find<QLabel>(f, "lblNoFields");
    ASSERT_NE(note, nullptr);
    EXPECT_TRUE(note->isVisibleTo(f.EditorPane())) << "no custom fields yet: the note shows";
    Shoot(f, "business-no-custom-fields");

    // The note leads to the custom fields' editor.
    emit note->linkActivated("fields");
    ASSERT_TRUE(WaitFor([&] { return f.Editor().Context() && f.Editor().Context()->GetItemType() == kFieldsRoot; }));
    ClickWithInput(f, "btnAddField", "Material finish");
    ClickWithInput(f, "btnAddField", "Warranty");
    PressSave(f);
    ASSERT_EQ(ChildrenOfType(f, kFieldsRoot, 306).size(), 2u);

    OpenItem(f, product.Placement, "ProductBasicEditor-additional");
    auto* grid = Find<QTableWidget>(f, "sgFields");
    ASSERT_NE(grid, nullptr);
    ASSERT_EQ(grid->rowCount(), 2);
    EXPECT_EQ(grid->item(0, 0)->text(), "Material finish");
    // Typed into the cell, Save pressed while its editor is still open.
    grid->setFocus();
    grid->setCurrentCell(1, 1);
    grid->editItem(grid->item(1, 1));
    auto* cell = grid->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(cell, nullptr);
    QTest::keyClicks(cell, "Five years");
    Shoot(f, "business-custom-fields");
    PressSave(f);
    EXPECT_EQ(f.Boxes().Messages("error"), std::vector<std::string>{});
    EXPECT_EQ(Committed(f, "SELECT StringValue FROM CStrings WHERE CatalogCode = :CatalogCode AND ItemId = " +
                               std::to_string(product.Data) + " AND ClassId = 4008 AND MemberId = 2"),
              "Five years");
    const std::string page = GeneratePage(f, product.Placement);
    EXPECT_NE(page.find("Warranty"), std::string::npos);
    EXPECT_NE(page.find("Five years"), std::string::npos);

    // Cleared, the value's object goes; a field in use cannot be deleted.
    OpenList(f, kFieldsRoot);
    auto* list = Find<QTreeWidget>(f, "lvFields");
    list->setCurrentItem(list->findItems("Warranty", Qt::MatchExactly).front());
    f.Boxes().QueueAnswer(mrYes);
    QTest::mouseClick(Find<QPushButton>(f, "btnDeleteField"), Qt::LeftButton);
    EXPECT_EQ(f.Boxes().Messages("error"),
              std::vector<std::string>{"Cannot delete the field. Some product has reference to it."});
}

}  // namespace

namespace {

std::string CommittedText(TMainWindowFixture& f, int itemId, int classId, int memberId)
{
    return Committed(f, "SELECT StringValue FROM CStrings WHERE CatalogCode = :CatalogCode AND ItemId = " +
                            std::to_string(itemId) + " AND ClassId = " + std::to_string(classId) +
                            " AND MemberId = " + std::to_string(memberId));
}

TEST_F(AdvancedBusinessEditors, TheAdvancedTabsStoreTheirValuesWithTheProduct)
{
    const TProduct product = AddProduct(f, "AB12", "Kettle");
    OpenItem(f, product.Placement, "ProductBasicEditor-basic");
    ASSERT_NE(Find<QLineEdit>(f, "edtMonthlyCapacity"), nullptr) << "shipping shows on Product Info outside type 12";
    TypeOver(Find<QLineEdit>(f, "edtMonthlyCapacity"), "500");
    Shoot(f, "business-product-advanced");
    ASSERT_TRUE(f.Editor().Container()->ActivateTabByName("ProductBasicEditor-specs"));
    QCoreApplication::processEvents();
    TypeOver(Find<QLineEdit>(f, "edtWidth"), "30");
    TypeOver(Find<QLineEdit>(f, "edtMaterial"), "Copper");
    TypeOver(Find<QLineEdit>(f, "edtDominantColor"), "Pantone 876 C");
    EXPECT_EQ(Find<QComboBox>(f, "edtDimensionsUnit")->currentData().toString(), "cm") << "the catalog's default unit";
    Shoot(f, "business-product-specs");
    ASSERT_TRUE(f.Editor().Container()->ActivateTabByName("ProductSearch-basic"));
    QCoreApplication::processEvents();
    TypeOver(Find<QLineEdit>(f, "edtThumbnailSize"), "120");
    Shoot(f, "business-product-search");
    ASSERT_TRUE(f.Editor().Container()->ActivateTabByName("MultiColorEditor"));
    QCoreApplication::processEvents();
    Shoot(f, "business-product-colors");
    PressSave(f);
    EXPECT_EQ(f.Boxes().Messages("error"), std::vector<std::string>{});
    EXPECT_EQ(CommittedText(f, product.Data, 4006, 1), "500");
    EXPECT_EQ(CommittedText(f, product.Data, 4005, 1), "30");
    EXPECT_EQ(CommittedText(f, product.Data, 4005, 5), "cm") << "the default unit is stored with the first change";
    EXPECT_EQ(CommittedText(f, product.Data, 4005, 8), "Copper");
    EXPECT_EQ(CommittedText(f, product.Data, 4005, 10), "Pantone 876 C");
    EXPECT_EQ(Committed(f, "SELECT NumberValue FROM CNumbers WHERE CatalogCode = :CatalogCode AND ItemId = " +
                               std::to_string(product.Data) + " AND ClassId = 4013 AND MemberId = 1"),
              "120");
    EXPECT_EQ(Committed(f, "SELECT COUNT(*) FROM CDates WHERE CatalogCode = :CatalogCode AND ItemId = " +
                               std::to_string(product.Data)),
              "0")
        << "an unknown introduction date is not written";
}

TEST(SupplierCatalogProducts, KeepTheirCodesAsTypedAndTheirShippingOnATabOfItsOwn)
{
    TMainWindowFixture f(RegisterFrameworkClasses, true);
    ASSERT_EQ(f.CreateAndOpen("supplier", 12), "");
    f.Shell().CatalogUI()->WebTree()->LocateItem(100001, nullptr);
    QCoreApplication::processEvents();
    f.Shell().ExecuteAction("Action=AddNewPossibleLinkedItem&ItemType=4002&ParentItemId=11", false);
    QCoreApplication::processEvents();
    ASSERT_EQ(f.Editor().Context()->GetItemType(), 4002);
    const int product = f.Editor().Context()->GetItemId();
    ASSERT_TRUE(f.Editor().Container()->ActivateTabByName("ProductBasicEditor-basic"));
    QCoreApplication::processEvents();
    EXPECT_EQ(Find<QLineEdit>(f, "edtMonthlyCapacity"), nullptr);
    auto* code = Find<QLineEdit>(f, "edtCode");
    code->setFocus();
    QTest::keyClicks(code, "ab 12.x");
    EXPECT_EQ(code->text(), "ab 12.x");
    TypeOver(Find<QLineEdit>(f, "edtName"), "Valve");
    ASSERT_TRUE(f.Editor().Container()->ActivateTabByName("ProductBasicEditor-specs"));
    QCoreApplication::processEvents();
    auto* width = Find<QLineEdit>(f, "edtWidth");
    width->setFocus();
    QTest::keyClicks(width, "1x2,5");
    EXPECT_EQ(width->text(), "12,5") << "the measures take digits and one decimal separator";
    ASSERT_TRUE(f.Editor().Container()->ActivateTabByName("ProductBasicEditor-shipping"));
    QCoreApplication::processEvents();
    TypeOver(Find<QLineEdit>(f, "edtMonthlyCapacity"), "40");
    Shoot(f, "business-product-shipping");
    PressSave(f);
    EXPECT_EQ(f.Boxes().Messages("error"), std::vector<std::string>{});
    EXPECT_EQ(CommittedText(f, product, 4004, 1), "ab 12.x");
    EXPECT_EQ(CommittedText(f, product, 4005, 1), "12,5");
    EXPECT_EQ(CommittedText(f, product, 4006, 1), "40");
}

}  // namespace

namespace {

TEST_F(BusinessEditors, TheEssentialsFrameEditsCodeNameAndThePriceOfTheFirstSchedule)
{
    const int retail = AddNamedItem(f, 2002, kSchedulesRoot, "Retail");
    const TProduct product = AddProduct(f, "AB12", "Kettle");
    f.Editor().PrepareOpen(kHome, product.Data, "", "");
    ASSERT_TRUE(f.Editor().OpenItemWithEditor(product.Placement, product.Placement, 4002, "ProductSimplifiedEditor", "",
                                              nullptr));
    QCoreApplication::processEvents();
    ASSERT_NE(Find<QWidget>(f, "TFrameSimpliestProductProperties"), nullptr);
    EXPECT_EQ(Find<QLabel>(f, "lblRetailPrice")->text(), "Price (Retail):");
    EXPECT_EQ(Find<QLineEdit>(f, "edtQuantityInStock"), nullptr);
    TypeOver(Find<QLineEdit>(f, "edtRetailPrice"), "1 234,5");
    Shoot(f, "business-product-essentials");
    PressSave(f);
    EXPECT_EQ(f.Boxes().Messages("error"), std::vector<std::string>{});
    EXPECT_EQ(Committed(f, "SELECT NumberValue = 1234.5 FROM CNumbers WHERE CatalogCode = :CatalogCode AND ItemId = " +
                               std::to_string(product.Data) + " AND ClassId = 1004 AND MemberId = 1"),
              "1");
    EXPECT_EQ(Committed(f, "SELECT NumberValue FROM CNumbers WHERE CatalogCode = :CatalogCode AND ItemId = " +
                               std::to_string(product.Data) + " AND ClassId = 1004 AND MemberId = 2"),
              std::to_string(retail));
}

}  // namespace
