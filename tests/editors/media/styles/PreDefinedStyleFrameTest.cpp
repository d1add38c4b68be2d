// The "Style" tab of a predefined style in the style catalog opened through
// File / Styles: an edit saved there changes what the style brings when it
// is applied to a new catalog, exactly its listed items and defaults.
#include "../../site/EditorPaneHelpers.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogDefinition.h"
#include "editors/framework/Registration.h"
#include "editors/media/styles/FramePreDefinedStyle.h"
#include "generation/StyleManager.h"
#include "generation/ui/StyleChoices.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/RecordValues.h"

#include <QComboBox>
#include <QLabel>
#include <QTabWidget>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <set>

namespace {

constexpr int kMeadow = 600902;
constexpr int kIdRole = Qt::UserRole + 1;

QTreeWidgetItem* RowOf(QTreeWidget* list, int itemId)
{
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        if (list->topLevelItem(i)->data(0, kIdRole).toInt() == itemId)
            return list->topLevelItem(i);
    return nullptr;
}

std::set<int> ItemIds(TMainWindowFixture& f)
{
    std::set<int> ids;
    TQueryGuard query(f.Main());
    query->SetSQL("SELECT ItemId FROM Items WHERE CatalogCode = :Code");
    query->SetParam("Code", f.Data().GetCatalogCode());
    for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next())
        ids.insert(FieldInteger(rows, "ItemId"));
    return ids;
}

int DefaultTemplateOf(TMainWindowFixture& f, int folderId)
{
    TQueryGuard query(f.Main());
    query->SetSQL("SELECT NumberValue FROM CNumbers WHERE CatalogCode = :Code AND ItemId = :Id AND ClassId = 513 "
                  "AND MemberId = 1");
    query->SetParam("Code", f.Data().GetCatalogCode());
    query->SetParam("Id", folderId);
    TAbstractRecordset& rows = query->Open(true);
    return rows.Eof() ? 0 : FieldInteger(rows, "NumberValue");
}

TEST(PreDefinedStyleFrame, AnEditedStyleAppliedToANewCatalogLoadsExactlyItsItemsAndDefaults)
{
    TMainWindowFixture f(RegisterFrameworkClasses);
    // A window of the size users have: every control of the frames shows.
    f.Window().resize(1100, 720);
    f.OpenStyleCatalog(1);
    f.Shell().ExecuteAction("Action=MainPageEditor&ItemId=" + std::to_string(kMeadow), false);
    QCoreApplication::processEvents();
    ASSERT_TRUE(f.Editor().Container()->ActivateTabByName("Style-properties"));
    auto* frame = FrameOfTab<TFramePreDefinedStyle>(f, "Style-properties");
    ASSERT_NE(frame, nullptr);
    auto* tabs = frame->findChild<QTabWidget*>("pcStyle");
    ASSERT_EQ(tabs->currentIndex(), 0) << "\"Style Values\" shows first";
    EXPECT_EQ(frame->findChild<QComboBox*>("cbMasterTemplate")->currentData().toInt(), 600102);
    Shoot(f, "style-values");

    // Another style's master and font sheet come with Meadow now, the sheet as
    // the default of its folder.
    tabs->setCurrentWidget(frame->findChild<QWidget*>("tabLoadItems"));
    QCoreApplication::processEvents();
    auto* items = frame->findChild<QTreeWidget*>("lvLoadItems");
    QTreeWidgetItem* master = RowOf(items, 600103);
    QTreeWidgetItem* sheet = RowOf(items, 600116);
    ASSERT_TRUE(master && sheet);
    ASSERT_EQ(sheet->checkState(0), Qt::Unchecked);
    master->setCheckState(0, Qt::Checked);
    sheet->setCheckState(0, Qt::Checked);
    items->setCurrentItem(sheet);
    QTest::mouseClick(frame->findChild<QPushButton*>("btnSetDefault"), Qt::LeftButton);
    EXPECT_EQ(sheet->text(2), "yes");
    Shoot(f, "style-load-items");
    tabs->setCurrentWidget(frame->findChild<QWidget*>("tabLoadImages"));
    auto* images = frame->findChild<QTreeWidget*>("lvLoadImages");
    images->setCurrentItem(RowOf(images, 600122));
    QCoreApplication::processEvents();
    EXPECT_FALSE(frame->findChild<QLabel*>("imgPicture")->pixmap().isNull()) << "the background's picture shows";
    Shoot(f, "style-load-images");
    PressSave(f);
    EXPECT_FALSE(f.Editor().Context()->IsModified());
    ASSERT_TRUE(f.Root().CloseCatalog());

    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    const std::set<int> before = ItemIds(f);
    TAbstractDBConnection& definition = f.Root().Catalog().GetDefinition().GetDefinitionDatabase(1)->GetConnection();
    TStyleChoices choices(f.Root(), definition);
    const std::optional<TStyleChoices::TStyle> style = choices.ReadStyle(kMeadow);
    ASSERT_TRUE(style);
    std::vector<std::string> ids, defaults, params;
    choices.CollectSelection(*style, style->ColorCssItemId, style->FontCssItemId, style->BackgroundImage, ids,
                             defaults, params);
    TStyleManager& manager = f.Root().StyleManager();
    manager.SetSelection(ids, defaults, params);
    ASSERT_TRUE(manager.LoadStyle());

    std::set<int> added;
    for (int id : ItemIds(f))
        if (!before.count(id))
            added.insert(id);
    // Meadow's own master, sheets and background, and the two added.
    EXPECT_EQ(added, (std::set<int>{600102, 600103, 600113, 600114, 600116, 600122}));
    EXPECT_EQ(DefaultTemplateOf(f, 600006), 600116);
    EXPECT_EQ(DefaultTemplateOf(f, 600001), 600102) << "the master added without the mark is no default";
}

}  // namespace
