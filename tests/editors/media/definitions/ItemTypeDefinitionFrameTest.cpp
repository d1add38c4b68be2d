// The item-type definition editor in the style catalog opened through File /
// Styles: an editor entry added through its dialog (which refuses an empty
// plug-in name) and an allowed child type added through the item-type
// choice take effect in a catalog of that type created afterwards.
#include "../../site/EditorPaneHelpers.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogDefinition.h"
#include "editors/framework/Registration.h"
#include "editors/media/definitions/FrameItemTypeEditor.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

constexpr int kDefinition = 310047;  // item type 4001, the product line page
constexpr int kProductLinePage = 4001;

QStringList Column(QTreeWidget* list, int column)
{
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        texts << list->topLevelItem(i)->text(column);
    return texts;
}

void ShootWindow(QWidget& window, const char* name)
{
    if (const char* dir = std::getenv("TOLVEX_SCREENSHOT_DIR"))
        window.grab().save(QString("%1/site-%2.png").arg(dir, name));
}

TEST(ItemTypeDefinitionFrame, AnAddedEditorAndChildTypeTakeEffectInANewCatalog)
{
    TMainWindowFixture f(RegisterFrameworkClasses);
    // A window of the size users have: every control of the frames shows.
    f.Window().resize(1100, 720);
    f.OpenStyleCatalog(1);
    f.Shell().ExecuteAction("Action=MainPageEditor&ItemId=" + std::to_string(kDefinition), false);
    QCoreApplication::processEvents();
    auto* frame = FrameOfTab<TFrameItemTypeEditor>(f, "ItemType-basic");
    ASSERT_NE(frame, nullptr);
    auto* tabs = frame->findChild<QTabWidget*>("pcItemType");
    EXPECT_EQ(frame->findChild<QLineEdit*>("edtItemTypeId")->text(), "4001");
    EXPECT_EQ(frame->findChild<QLineEdit*>("edtItemTypeItemId")->text(), QString::number(kDefinition));
    Shoot(f, "itemtype-type");
    for (const char* page : {"Manager", "Templates", "User Interface"}) {
        for (int i = 0; i < tabs->count(); ++i)
            if (tabs->tabText(i) == page)
                tabs->setCurrentIndex(i);
        Shoot(f, (std::string("itemtype-") + page).c_str());
    }

    // The editor entry: an empty plug-in name is refused and the dialog stays.
    auto* editors = frame->findChild<QTreeWidget*>("lvEditors");
    tabs->setCurrentWidget(editors->parentWidget());
    QCoreApplication::processEvents();
    bool refusedAndStayed = false;
    WhenShown([&](TfrmFrameContainer& window) {
        ShootWindow(window, "itemtype-editor-dialog");
        window.findChild<QComboBox*>("cbPluginName")->setCurrentText("  ");
        window.btnContainerOk->click();
        refusedAndStayed = window.isVisible() &&
                           f.Boxes().Messages("error") == std::vector<std::string>{"Plugin name must be entered"};
        window.findChild<QComboBox*>("cbPluginName")->setCurrentText("ItemProperties");
        window.findChild<QLineEdit*>("edtEditorsType")->setText("0");
        window.findChild<QLineEdit*>("edtOrderNum")->setText("65");
        window.btnContainerOk->click();
    });
    QTest::mouseClick(frame->findChild<QPushButton*>("btnEditorsAdd"), Qt::LeftButton);
    EXPECT_TRUE(refusedAndStayed);
    const QStringList plugins = Column(editors, 0);
    ASSERT_TRUE(plugins.contains("ItemProperties"));
    EXPECT_EQ(plugins.indexOf("ItemProperties"), plugins.indexOf("ListAllProducts") + 1) << "by order number";
    Shoot(f, "itemtype-editors");

    // The child type, through the item-type choice.
    auto* childs = frame->findChild<QTreeWidget*>("lvChilds");
    tabs->setCurrentWidget(childs->parentWidget());
    QCoreApplication::processEvents();
    f.Boxes().QueueInput("301");
    QTest::mouseClick(frame->findChild<QPushButton*>("btnChildsAdd"), Qt::LeftButton);
    ASSERT_TRUE(Column(childs, 0).contains("301"));
    EXPECT_EQ(childs->currentItem()->text(0), "301") << "the added row is selected";
    Shoot(f, "itemtype-childs");

    PressSave(f);
    EXPECT_FALSE(f.Editor().Context()->IsModified());
    ASSERT_TRUE(f.Root().CloseCatalog());

    // A new catalog of the type: its definition has both, and a product line page shows the new tab.
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    TCatalogDefinition& definition = f.Root().Catalog().GetDefinition();
    std::vector<std::string> listed;
    definition.GetItemTypeEditors(kProductLinePage, listed, 0);
    EXPECT_NE(std::find(listed.begin(), listed.end(), "ItemProperties="), listed.end());
    EXPECT_TRUE(definition.CanContainItemType(kProductLinePage, 301));
    f.Shell().ExecuteAction("Action=MainPageEditor&ItemId=100001", false);
    QCoreApplication::processEvents();
    ASSERT_EQ(f.Editor().Context()->GetItemType(), kProductLinePage);
    EXPECT_TRUE(f.Editor().Container()->ActivateTabByName("ItemPropertiesEditor-properties"));
}

}  // namespace
