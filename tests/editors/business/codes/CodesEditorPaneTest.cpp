// The classification codes tabs of a product in the main window's editor
// pane, on the shipped code tables: a search selects its first hit in tree
// order and "Next" steps on; a code given to the product joins the company's
// list; drops add only what may be chosen, and Cancel takes them back; a
// stored code the shipped tables lack is shown and kept through a save.
#include "../BusinessPaneHelpers.h"

#include "common/WellKnownIds.h"
#include "editors/business/codes/CodesTreeModel.h"
#include "editors/framework/Registration.h"

#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QTreeView>

#include <gtest/gtest.h>

using namespace business_test;

namespace {

constexpr int kUnspscClassId = 8002;

class CodesPane : public ::testing::Test {
protected:
    CodesPane() : f(RegisterFrameworkClasses, true) { EXPECT_EQ(f.CreateAndOpen(), ""); }

    void OpenCodes(int item)
    {
        OpenItem(f, item, "Codes-main");
        ASSERT_NE(Tree(), nullptr) << "the UNSPSC tab is the first inner tab";
    }
    QTreeView* Tree() { return Find<QTreeView>(f, "tvCodesAllCodes"); }
    QTreeWidget* List(const char* name) { return Find<QTreeWidget>(f, name); }
    std::string Selected()
    {
        return Tree()->currentIndex().data(Qt::UserRole).toString().toStdString();
    }
    static std::vector<std::string> Captions(QTreeWidget* list)
    {
        std::vector<std::string> captions;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            captions.push_back(list->topLevelItem(i)->text(0).toStdString());
        return captions;
    }
    // The codes stored for the item, sorted.
    std::vector<std::string> Stored(int itemId)
    {
        TQueryGuard query(f.Main());
        query->SetSQL("SELECT StringValue FROM CStrings WHERE ItemId = :ItemId AND ClassId = :ClassId "
                      "ORDER BY StringValue");
        query->SetParam("ItemId", itemId);
        query->SetParam("ClassId", kUnspscClassId);
        std::vector<std::string> values;
        for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next())
            values.push_back(FieldText(rows, "StringValue"));
        return values;
    }
    // The codes of the whole tree in the order a user reads it, every branch opened.
    std::vector<std::pair<std::string, std::string>> ReadingOrder()
    {
        std::vector<std::pair<std::string, std::string>> nodes;
        QAbstractItemModel* model = Tree()->model();
        std::function<void(const QModelIndex&)> walk = [&](const QModelIndex& parent) {
            if (model->canFetchMore(parent))
                model->fetchMore(parent);
            for (int row = 0; row < model->rowCount(parent); ++row) {
                const QModelIndex index = model->index(row, 0, parent);
                nodes.emplace_back(index.data(Qt::UserRole).toString().toStdString(),
                                   index.data().toString().toLower().toStdString());
                walk(index);
            }
        };
        walk({});
        return nodes;
    }
    void Drop(const std::string& code)
    {
        QWidget* target = List("lvCodesData")->viewport();
        QMimeData mime;
        mime.setData(TCodesTreeModel::kCodeMimeType, QByteArray::fromStdString(code));
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &drop);
        QCoreApplication::processEvents();
    }

    TMainWindowFixture f;
};

TEST_F(CodesPane, ASearchSelectsItsFirstHitAndTheChosenCodeJoinsTheCompanysList)
{
    const TProduct product = AddProduct(f, "P-1", "Copier paper");
    OpenCodes(product.Placement);
    auto* search = Find<QLineEdit>(f, "edtCodesSearch");
    auto* go = Find<QPushButton>(f, "btnCodesSearch");
    EXPECT_FALSE(go->isEnabled()) << "nothing to search for yet";
    TypeOver(search, "paper  PRODUCTS");
    QTest::mouseClick(go, Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(go->text(), "Next");

    std::vector<std::string> hits;
    for (const auto& [code, caption] : ReadingOrder())
        if (caption.find("paper") != std::string::npos && caption.find("products") != std::string::npos)
            hits.push_back(code);
    ASSERT_GE(hits.size(), 2u);
    EXPECT_EQ(Selected(), hits[0]);
    QTest::mouseClick(go, Qt::LeftButton);
    EXPECT_EQ(Selected(), hits[1]);
    TypeOver(search, "printer paper");
    EXPECT_EQ(go->text(), "Go!") << "new keywords start a new search";
    QTest::keyClick(search, Qt::Key_Return);
    EXPECT_EQ(Selected(), "14111507");

    auto* add = Find<QPushButton>(f, "btnCodesAdd");
    ASSERT_TRUE(add->isEnabled());
    QTest::mouseClick(add, Qt::LeftButton);
    EXPECT_EQ(Captions(List("lvCodesData")), std::vector<std::string>{"Printer or copier paper (14111507)"});
    EXPECT_EQ(Captions(List("lvCodesCompanyCodes")), std::vector<std::string>{"Printer or copier paper (14111507)"});
    EXPECT_FALSE(add->isEnabled()) << "already chosen";
    Shoot(f, "codes");
    PressSave(f);
    QCoreApplication::processEvents();
    EXPECT_EQ(Stored(kCompanyItemId), std::vector<std::string>{"14111507"});
    EXPECT_EQ(f.Boxes().Messages("error"), std::vector<std::string>{});
}

TEST_F(CodesPane, DropsAddOnlyCodesThatMayBeChosen)
{
    const TProduct product = AddProduct(f, "P-2", "Fax paper");
    OpenCodes(product.Placement);
    ASSERT_TRUE(Tree()->model());
    // Locating loads the branches, as a drag from an opened branch finds them.
    static_cast<TCodesTreeModel*>(Tree()->model())->Locate("14111508");
    Drop("14111500");
    EXPECT_TRUE(Captions(List("lvCodesData")).empty()) << "a class cannot be chosen";
    Drop("14111508");
    EXPECT_EQ(Captions(List("lvCodesData")), std::vector<std::string>{"Facsimile paper (14111508)"});
    Drop("14111508");
    EXPECT_EQ(Captions(List("lvCodesData")).size(), 1u);

    PressCancel(f);
    QCoreApplication::processEvents();
    EXPECT_TRUE(Captions(List("lvCodesData")).empty()) << "Cancel takes the code back";
    EXPECT_TRUE(Captions(List("lvCodesCompanyCodes")).empty());
    EXPECT_TRUE(Stored(kCompanyItemId).empty());
}

TEST_F(CodesPane, AStoredCodeTheShippedTablesLackIsShownAndSurvivesASave)
{
    const TProduct product = AddProduct(f, "P-3", "Tablet");
    OpenCodes(product.Placement);
    const int item = f.Editor().Context()->GetItemId();
    OpenItem(f, kHome);
    Write(f, item, kUnspscClassId,
          [](TTolvexObject& codes) { codes.SetLangString("UNSPSCCode", "XXX", "43211502", -1); });
    OpenCodes(product.Placement);
    EXPECT_EQ(Captions(List("lvCodesData")), std::vector<std::string>{"43211502 (not in the code list)"});

    TypeOver(Find<QLineEdit>(f, "edtCodesSearch"), "printer paper");
    QTest::mouseClick(Find<QPushButton>(f, "btnCodesSearch"), Qt::LeftButton);
    QTest::mouseClick(Find<QPushButton>(f, "btnCodesAdd"), Qt::LeftButton);
    PressSave(f);
    QCoreApplication::processEvents();
    EXPECT_EQ(Stored(item), (std::vector<std::string>{"14111507", "43211502"}));
}

}  // namespace
