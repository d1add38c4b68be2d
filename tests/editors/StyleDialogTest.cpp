// The style dialog over a real catalog of a shipped type: the style tree
// with the catalog's style selected, the three lists with "(none)", the
// selection handed to the style manager, no pages while "Preview" is up,
// a live preview over the style-preview host with "Preview" down, refused
// links, and the question when the first style is not applied.
#include "QtTestApplication.h"

#include "generation/StyleFixture.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogDefinition.h"
#include "common/IniSettings.h"
#include "generation/CatalogPreviewSource.h"
#include "generation/PreviewResolver.h"
#include "generation/ui/PreviewSchemeHandler.h"
#include "generation/ui/frmSelectStyle.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/QueryGuard.h"

#include <QEventLoop>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include <gtest/gtest.h>

namespace {

constexpr int kType = 1;
constexpr int kPreviewItem = 990001;

class StyleDialogTest : public ::testing::Test {
protected:
    StyleDialogTest()
    {
        EnsureQtApplication();
        program.Root().Settings().IniSettings().SetBool(siLoadStylesPreview, false);
    }

    TAbstractDBConnection& Definition()
    {
        return program.Root().Catalog().GetDefinition().GetDefinitionDatabase(kType)->GetConnection();
    }

    void Exec(const std::string& sql)
    {
        TQueryGuard query(Definition());
        query->SetSQL(sql);
        query->ExecSQL();
    }

    // A preview item of the style catalog that shows the page (0: any page of the type).
    void AddPreviewItem(int pageId = 0, int pageType = 0)
    {
        const std::string home = std::to_string(pageId != 0 || pageType != 0 ? pageId : program.Root().GetHomePageId());
        const std::string id = std::to_string(kPreviewItem);
        if (pageType != 0)
            Exec("INSERT INTO CNumbers (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, "
                 "MemberType, NumberValue) VALUES ('t#1', " + id + ", 516, 1, 2, 'XXX', 0, 101, " +
                 std::to_string(pageType) + ")");
        Exec("INSERT INTO Items (CatalogCode, ItemId, ItemType, ParentItemId, LinkedItemId, OrderNum) "
             "VALUES ('t#1', " + id + ", 516, 1, " + id + ", 0)");
        Exec("INSERT INTO CObjectInstances (CatalogCode, ItemId, ClassId, ParentInstanceId, InstanceId) "
             "VALUES ('t#1', " + id + ", 516, 0, 1)");
        Exec("INSERT INTO CNumbers (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, "
             "MemberType, NumberValue) VALUES ('t#1', " + id + ", 516, 1, 1, 'XXX', 0, 102, " + home + ")");
        Exec("INSERT INTO CStrings (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, "
             "MemberType, StringValue) VALUES ('t#1', " + id + ", 1, 1, 1, 'XXX', 0, 1, 'Home & Start')");
    }

    std::unique_ptr<TfrmSelectStyle> MakeDialog(int mode)
    {
        auto dialog = std::make_unique<TfrmSelectStyle>(program.Root(), program.fixture.Gui(), nullptr);
        const TStyleManager::TCurrentScheme scheme =
            program.Manager().ReadCurrentScheme(program.Data(), program.Connection());
        dialog->Setup(mode, Definition(), scheme.MasterTemplateId, scheme.ColorScheme, scheme.FontScheme,
                      scheme.BackgroundImageCode);
        return dialog;
    }

    static QStringList Texts(QTreeWidget* list)
    {
        QStringList texts;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            texts << list->topLevelItem(i)->text(0);
        return texts;
    }

    static QTreeWidgetItem* FindStyle(QTreeWidget* tree, const QString& name)
    {
        const QList<QTreeWidgetItem*> found = tree->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
        return found.isEmpty() ? nullptr : found.front();
    }

    TStyleProgram program{kType};
};

TEST_F(StyleDialogTest, SelectsTheCatalogsStyleAndOffersItsChoices)
{
    std::unique_ptr<TfrmSelectStyle> dialog = MakeDialog(1);
    QTreeWidget* tree = dialog->StyleTree();
    ASSERT_NE(FindStyle(tree, "Harbor"), nullptr);
    ASSERT_NE(FindStyle(tree, "Meadow"), nullptr);
    QTreeWidgetItem* current = tree->currentItem();
    ASSERT_NE(current, nullptr);
    EXPECT_TRUE(current->font(0).bold());
    EXPECT_EQ(current->data(0, Qt::UserRole).toInt(), dialog->CurrentStyleId());

    // The style's own sheets are selected and drawn bold (the catalog has them).
    EXPECT_EQ(dialog->ColorList()->topLevelItemCount(), 1);
    ASSERT_NE(dialog->ColorList()->currentItem(), nullptr);
    EXPECT_TRUE(dialog->ColorList()->currentItem()->font(0).bold());
    ASSERT_EQ(dialog->BackgroundList()->topLevelItemCount(), 2);
    EXPECT_EQ(dialog->BackgroundList()->topLevelItem(0)->text(0), QStringLiteral("(none)"));
    EXPECT_EQ(dialog->BackgroundList()->currentIndex().row(), 1);
    // "Preview" is up: nothing was generated.
    EXPECT_EQ(dialog->PreviewCount(), 0);
    dialog->show();
    SaveWidgetPicture(*dialog, QStringLiteral("style-dialog-no-preview"));
}

TEST_F(StyleDialogTest, HandsTheChosenStyleToTheManager)
{
    std::unique_ptr<TfrmSelectStyle> dialog = MakeDialog(1);
    QTreeWidgetItem* meadow = FindStyle(dialog->StyleTree(), "Meadow");
    ASSERT_NE(meadow, nullptr);
    dialog->StyleTree()->setCurrentItem(meadow);
    // "(none)" as the background.
    dialog->BackgroundList()->setCurrentItem(dialog->BackgroundList()->topLevelItem(0));
    EXPECT_EQ(dialog->PreviewCount(), 0);

    std::vector<std::string> items, defaults, params;
    dialog->CollectSelection(items, defaults, params);
    const int colour = dialog->ColorList()->currentItem()->data(0, Qt::UserRole).toInt();
    const int font = dialog->FontList()->currentItem()->data(0, Qt::UserRole).toInt();
    EXPECT_EQ(params, (std::vector<std::string>{"color=" + std::to_string(colour), "font=" + std::to_string(font),
                                                "background=0"}));
    ASSERT_GE(items.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(items.end() - 3, items.end()),
              (std::vector<std::string>{std::to_string(font), std::to_string(colour), "0"}));
    EXPECT_FALSE(defaults.empty());

    // The manager copies it.
    program.Manager().SetSelection(items, defaults, params);
    EXPECT_TRUE(program.Manager().LoadStyle());
}

TEST_F(StyleDialogTest, PreviewsTheStyleInTheBrowser)
{
    AddPreviewItem();
    program.Root().Settings().IniSettings().SetBool(siLoadStylesPreview, true);
    TCatalogPreviewSource source(program.Root().Catalog(), program.Root());
    TPreviewResolver resolver(source);
    TPreviewSchemeHandler handler(resolver);
    handler.Install(*QWebEngineProfile::defaultProfile());

    std::unique_ptr<TfrmSelectStyle> dialog = MakeDialog(1);
    ASSERT_EQ(dialog->PreviewTabs()->count(), 1);
    EXPECT_EQ(dialog->PreviewTabs()->tabText(0), QStringLiteral("Home && Start"));
    dialog->show();
    QSignalSpy loaded(dialog->Browser(), &QWebEngineView::loadFinished);
    EXPECT_EQ(dialog->PreviewCount(), 1);
    ASSERT_TRUE(loaded.wait(20000));
    EXPECT_TRUE(loaded.takeFirst().at(0).toBool());
    EXPECT_TRUE(dialog->Browser()->url().toString().contains("stylepreview.jsp?action=show&masterid="));
    EXPECT_FALSE(dialog->Description()->toPlainText().trimmed().isEmpty());
    QTest::qWait(300);
    SaveWidgetPicture(*dialog, QStringLiteral("style-dialog-preview"));

    // Another style generates a new page.
    dialog->StyleTree()->setCurrentItem(FindStyle(dialog->StyleTree(), "Atelier"));
    EXPECT_EQ(dialog->PreviewCount(), 2);
    ASSERT_TRUE(loaded.wait(20000));

    // A link inside the preview is refused with the error.
    program.fixture.Gui().Clear();
    dialog->Browser()->page()->runJavaScript("location.href = 'tolvex://preview/EN/1.html';");
    for (int i = 0; i < 100 && program.fixture.Gui().Messages("error").empty(); ++i)
        QTest::qWait(20);
    EXPECT_EQ(program.fixture.Gui().Messages("error"),
              std::vector<std::string>{"Cannot follow the link in style preview mode"});
    EXPECT_TRUE(dialog->Browser()->url().toString().contains("stylepreview.jsp"));

    dialog.reset();
    handler.Uninstall(*QWebEngineProfile::defaultProfile());
}

TEST_F(StyleDialogTest, PreviewsTheCatalogsHomePageWhenTheStyleCatalogOffersNoPreviewPage)
{
    program.Root().Settings().IniSettings().SetBool(siLoadStylesPreview, true);
    TCatalogPreviewSource source(program.Root().Catalog(), program.Root());
    TPreviewResolver resolver(source);
    TPreviewSchemeHandler handler(resolver);
    handler.Install(*QWebEngineProfile::defaultProfile());

    std::unique_ptr<TfrmSelectStyle> dialog = MakeDialog(1);
    ASSERT_EQ(dialog->PreviewTabs()->count(), 1);
    EXPECT_FALSE(dialog->PreviewTabs()->tabText(0).isEmpty());
    dialog->show();
    QSignalSpy loaded(dialog->Browser(), &QWebEngineView::loadFinished);
    EXPECT_EQ(dialog->PreviewCount(), 1);
    ASSERT_TRUE(loaded.wait(20000));
    EXPECT_TRUE(loaded.takeFirst().at(0).toBool());
    EXPECT_TRUE(dialog->Browser()->isVisibleTo(dialog.get()));
    EXPECT_TRUE(dialog->Browser()->url().toString().contains("stylepreview.jsp?action=show&masterid="));
    QTest::qWait(300);
    SaveWidgetPicture(*dialog, QStringLiteral("style-dialog-home-preview"));
    dialog.reset();
    handler.Uninstall(*QWebEngineProfile::defaultProfile());
}

TEST_F(StyleDialogTest, AppliesEachShippedStyleToTheCatalog)
{
    for (const QString& name : {QStringLiteral("Harbor"), QStringLiteral("Meadow"), QStringLiteral("Atelier")}) {
        SCOPED_TRACE(name.toStdString());
        std::unique_ptr<TfrmSelectStyle> dialog = MakeDialog(1);
        QTreeWidgetItem* style = FindStyle(dialog->StyleTree(), name);
        ASSERT_NE(style, nullptr);
        int colour = 0;
        int font = 0;
        // The user picks the style and presses OK, as the style manager shows the dialog.
        QTimer::singleShot(0, [&] {
            dialog->StyleTree()->setCurrentItem(style);
            colour = dialog->ColorList()->currentItem()->data(0, Qt::UserRole).toInt();
            font = dialog->FontList()->currentItem()->data(0, Qt::UserRole).toInt();
            QMetaObject::invokeMethod(dialog.get(), "accept");
        });
        ASSERT_TRUE(dialog->Execute());
        std::vector<std::string> items, defaults, params;
        dialog->CollectSelection(items, defaults, params);
        program.Manager().SetSelection(items, defaults, params);
        ASSERT_TRUE(program.Manager().LoadStyle());

        // The catalog now has the style's master template with its sheets.
        const TStyleManager::TCurrentScheme scheme =
            program.Manager().ReadCurrentScheme(program.Data(), program.Connection());
        EXPECT_EQ(scheme.ColorScheme, colour);
        EXPECT_EQ(scheme.FontScheme, font);
        std::unique_ptr<TfrmSelectStyle> again = MakeDialog(1);
        ASSERT_NE(again->StyleTree()->currentItem(), nullptr);
        EXPECT_EQ(again->StyleTree()->currentItem()->text(0), name);
    }
}

TEST_F(StyleDialogTest, TheFirstStyleMustBeAppliedOrTheCatalogClosed)
{
    std::unique_ptr<TfrmSelectStyle> dialog = MakeDialog(0);
    dialog->show();
    program.fixture.Gui().QueueAnswer(mrNo);
    EXPECT_FALSE(dialog->close());
    EXPECT_TRUE(dialog->isVisible());
    program.fixture.Gui().QueueAnswer(mrYes);
    EXPECT_TRUE(dialog->close());
    EXPECT_EQ(program.fixture.Gui().Messages("question").size(), 2u);

    // A change of style closes without asking.
    std::unique_ptr<TfrmSelectStyle> change = MakeDialog(1);
    change->show();
    program.fixture.Gui().Clear();
    EXPECT_TRUE(change->close());
    EXPECT_TRUE(program.fixture.Gui().Messages("question").empty());
}

TEST_F(StyleDialogTest, AStyleWithoutTheWantedSheetSelectsItsOwn)
{
    TStyleChoices choices(program.Root(), Definition());
    const TStyleChoices::TNode harbor = choices.ReadTree().front();
    const std::optional<TStyleChoices::TStyle> style = choices.ReadStyle(harbor.ItemId);
    ASSERT_TRUE(style.has_value());
    ASSERT_NE(style->ColorCssItemId, 0);
    struct TCase {
        TStyleChoices::TKind kind;
        int wanted;
        int selectedId;
    };
    const TCase cases[] = {
        {TStyleChoices::TKind::Color, 123456, style->ColorCssItemId},      // not offered: the style's own
        {TStyleChoices::TKind::Color, 0, style->ColorCssItemId},           // none wanted: the style's own
        {TStyleChoices::TKind::Font, style->FontCssItemId, style->FontCssItemId},
        {TStyleChoices::TKind::Background, 123456, style->BackgroundImage},
    };
    for (const TCase& c : cases) {
        const TStyleChoices::TChoiceList list = choices.Choices(*style, c.kind, c.wanted);
        ASSERT_GE(list.Selected, 0) << c.wanted;
        EXPECT_EQ(list.Entries[list.Selected].first, c.selectedId) << c.wanted;
    }
    // A style without backgrounds offers "(none)" alone, selected.
    TStyleChoices::TStyle bare = *style;
    bare.Backgrounds.clear();
    const TStyleChoices::TChoiceList none = choices.Choices(bare, TStyleChoices::TKind::Background, 0);
    ASSERT_EQ(none.Entries.size(), 1u);
    EXPECT_EQ(none.Entries[0], (std::pair<int, std::string>{0, "(none)"}));
    EXPECT_EQ(none.Selected, 0);
}

TEST_F(StyleDialogTest, APageTheCatalogLacksIsPreviewedFromTheStylePreviewCatalog)
{
    // The catalog has no page of type 9999 besides its home page; the
    // style-preview catalog has one.
    constexpr int kPageType = 9999;
    Exec("INSERT INTO Items (CatalogCode, ItemId, ItemType, ParentItemId, LinkedItemId, OrderNum) "
         "VALUES ('p#1', 100002, 9999, 100001, 100002, 0)");
    AddPreviewItem(0, kPageType);
    TStyleChoices choices(program.Root(), Definition());
    ASSERT_EQ(choices.ReadPreviewTabs().size(), 1u);
    const std::optional<TStyleChoices::TStyle> style = choices.ReadStyle(choices.ReadTree().front().ItemId);
    ASSERT_TRUE(style.has_value());
    for (const int mode : {0, 1}) {
        const std::string address = choices.GeneratePreview(*style, {}, kPreviewItem, mode);
        EXPECT_NE(address.find("tolvex://stylepreview/preview/"), std::string::npos) << address;
        // Its images and sheets come from the definition database.
        EXPECT_TRUE(program.Data().IsStylePreview());
    }
}

}  // namespace
