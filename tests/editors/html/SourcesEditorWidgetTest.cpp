// The source editor's widget offscreen: modes colour and lay it out, loading
// never counts as an edit while typing does, the split follows the size, the
// context menu offers the XML tools in the XML mode, "Validate XML" puts the
// caret at the error, and the sections move the caret to their marker.
#include "editors/QtTestApplication.h"
#include "editors/site/html/SourceTextEdit.h"
#include "editors/site/html/SourcesEditorWidget.h"
#include "support/ScriptedGui.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QSplitter>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Makes the application before the widgets of the fixture.
struct TWithApplication {
    TWithApplication() { EnsureQtApplication(); }
};

class SourcesEditorWidgetTest : public ::testing::Test, private TWithApplication {
protected:

    void Show(const std::string& pluginName, const std::string& classTag = "")
    {
        editor.ApplyMode(TSourceEditorMode::Choose(pluginName, classTag, "", false));
        editor.resize(600, 400);
        editor.show();
        QTest::qWait(0);
    }
    // The captions of a menu's visible items, "-" for a separator.
    static QStringList Captions(QMenu* menu)
    {
        QStringList captions;
        for (QAction* action : menu->actions())
            if (action->isVisible())
                captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
        return captions;
    }
    QAction* Item(QMenu* menu, const QString& caption)
    {
        for (QAction* action : menu->actions())
            if (action->text() == caption)
                return action;
        return nullptr;
    }

    TScriptedGui gui;
    TSourcesEditorWidget editor{gui};
};

TEST_F(SourcesEditorWidgetTest, LoadingIsNoEditTypingIs)
{
    Show("HtmlEditor");
    QSignalSpy modified(&editor, &TSourcesEditorWidget::Modified);
    editor.SetTopText("<p>Welcome</p>\r\n");
    editor.SetBottomText("<p>\u00a9 2026 Shop</p>");
    EXPECT_EQ(modified.count(), 0);
    EXPECT_EQ(editor.BottomText(), "<p>\u00a9 2026 Shop</p>");

    editor.TopEditor()->setFocus();
    editor.TopEditor()->setCursorPosition(0, 3);
    QSignalSpy status(&editor, &TSourcesEditorWidget::StatusText);
    QTest::keyClicks(editor.TopEditor(), "Big ");
    EXPECT_GT(modified.count(), 0);
    EXPECT_EQ(editor.TopText(), "<p>Big Welcome</p>\r\n");
    ASSERT_FALSE(status.isEmpty());
    EXPECT_EQ(status.last().at(0).toString(), "Row: 1 Col: 8");
    editor.TopEditor()->setFocus();
    QTest::keyClick(editor.TopEditor(), Qt::Key_Return);
    EXPECT_EQ(editor.TopText(), "<p>Big \r\nWelcome</p>\r\n") << "a new line takes the text's own line break";
    SaveWidgetPicture(editor, "source-editor-html");
}

TEST_F(SourcesEditorWidgetTest, SplitIsHalvedUntilMoved)
{
    Show("HtmlEditor");
    QList<int> sizes = editor.Splitter()->sizes();
    ASSERT_EQ(sizes.size(), 2);
    EXPECT_LE(std::abs(sizes[0] - sizes[1]), editor.Splitter()->handleWidth() + 1);
    EXPECT_FALSE(editor.SplitFixed());

    editor.Splitter()->setSizes({100, 300});
    emit editor.Splitter()->splitterMoved(100, 1);
    editor.resize(600, 500);
    QTest::qWait(0);
    EXPECT_TRUE(editor.SplitFixed());
    EXPECT_LT(editor.Splitter()->sizes()[0], editor.Splitter()->sizes()[1]);
}

TEST_F(SourcesEditorWidgetTest, TopOnlyModesHideTheBottomPart)
{
    Show("CommonCSSSourcesEditor");
    EXPECT_FALSE(editor.BottomEditor()->isVisible());
    EXPECT_TRUE(editor.TopEditor()->isVisible());
    EXPECT_TRUE(editor.SplitFixed());
    EXPECT_EQ(editor.TopEditor()->Colouring(), TSourceColouring::Css);
    const QStringList captions = Captions(editor.ContextMenu(editor.TopEditor()));
    EXPECT_FALSE(captions.contains("Validate XML"));
    EXPECT_FALSE(captions.contains("Sections"));
}

TEST_F(SourcesEditorWidgetTest, ContextMenuFollowsSelectionAndMode)
{
    Show("CommonXmlSourcesEditor");
    editor.SetTopText("<xsl:template><!-- #BeginEditable \"main\" -->\n<b/>\n<!-- #BeginEditable \"aside\" --></xsl:template>");
    QMenu* menu = editor.ContextMenu(editor.TopEditor());
    EXPECT_EQ(Captions(menu), (QStringList{"Cut", "Copy", "Paste", "Delete", "Select All", "-", "Find", "Find Next",
                                           "Replace", "-", "Validate XML", "Sections"}));
    EXPECT_FALSE(Item(menu, "Copy")->isEnabled());
    QMenu* sections = Item(menu, "Sections")->menu();
    ASSERT_NE(sections, nullptr);
    EXPECT_EQ(Captions(sections), (QStringList{"Available Sections", "-", "aside", "main"}));

    Item(sections, "aside")->trigger();
    int line = 0, index = 0;
    editor.TopEditor()->getCursorPosition(&line, &index);
    EXPECT_EQ(line, 2);
    EXPECT_EQ(index, 0);

    editor.TopEditor()->selectAll();
    menu = editor.ContextMenu(editor.TopEditor());
    EXPECT_TRUE(Item(menu, "Copy")->isEnabled());
    EXPECT_EQ(Captions(Item(menu, "Sections")->menu()).size(), 4) << "the sections are listed afresh";
}

TEST_F(SourcesEditorWidgetTest, ValidateXmlReportsAndPlacesTheCaret)
{
    Show("CommonXmlSourcesEditor");
    editor.SetTopText("<a>\n  <b>\u00e9</c>\n</a>");
    editor.ValidateXml(editor.TopEditor());
    ASSERT_EQ(gui.Shown().size(), 1u);
    EXPECT_EQ(gui.Shown()[0].kind, "error");
    EXPECT_FALSE(gui.Shown()[0].translate) << "the parser's reason is shown as it is";
    int line = 0, index = 0;
    editor.TopEditor()->getCursorPosition(&line, &index);
    EXPECT_EQ(line, 1);
    EXPECT_EQ(editor.TopText(), "<a>\n  <b>\u00e9</c>\n</a>") << "the text is not changed";

    gui.Clear();
    editor.SetTopText("<a><b/></a>");
    editor.ValidateXml(editor.TopEditor());
    ASSERT_EQ(gui.Shown().size(), 1u);
    EXPECT_EQ(gui.Shown()[0].kind, "information");
    EXPECT_EQ(gui.Shown()[0].message, "XML correctly formatted");
    SaveWidgetPicture(editor, "source-editor-xml");
}

TEST_F(SourcesEditorWidgetTest, EachColouringShows)
{
    const std::vector<std::pair<std::string, std::string>> samples{
        {"CommonJavaScriptSourcesEditor", "// greeting\nfunction hello(name) {\n\treturn \"Hello \" + name + 42;\n}\n"},
        {"CommonCSSSourcesEditor", "body { color: #333; margin: 0 }\n/* headings */\nh1 { font-size: 2em; }\n"},
        {"CommonPHPSourcesEditor", "<html><body>\n<?php echo \"Today: \" . date('Y'); // year\n?>\n</body></html>\n"},
        {"CommonXmlSourcesEditor", "<?xml version=\"1.0\"?>\n<catalog id=\"1\"><!-- items -->\n  <item/>\n</catalog>\n"},
        {"CommonHtmlSourcesEditor", "<table border=\"1\"><tr><td class=\"x\">&nbsp;</td></tr></table>\n"}};
    for (const auto& [plugin, text] : samples) {
        TSourcesEditorWidget widget(gui);
        widget.ApplyMode(TSourceEditorMode::Choose(plugin, "", "", false));
        widget.SetTopText(text);
        widget.resize(520, 160);
        widget.show();
        QTest::qWait(0);
        EXPECT_EQ(widget.TopText(), text) << plugin;
        SaveWidgetPicture(widget, QString::fromStdString("source-editor-" + plugin));
    }
}

}  // namespace

#include "editors/site/html/dialogs/SiteDialog.h"
#include "editors/site/html/dialogs/SourceDialogFrame.h"

#include <QPushButton>

namespace {

TEST(SourceDialog, EditsTheShownLanguageAndPassesTheOthersThrough)
{
    EnsureQtApplication();
    TScriptedGui gui;
    auto* frame = new TSourceDialogFrame(gui, "FR");
    TSiteDialog dialog({frame}, QSize(560, 360));
    TDialogParams pairs({"SourceHtml_EN=<p>Hello</p>", "SourceHtml_FR=<p>Salut</p>"});
    dialog.Init(pairs);
    dialog.show();
    EXPECT_EQ(frame->Editor()->TopText(), "<p>Salut</p>");
    EXPECT_FALSE(dialog.OkButton()->isEnabled());
    EXPECT_FALSE(frame->Editor()->BottomEditor()->isVisible());

    frame->Editor()->TopEditor()->setFocus();
    frame->Editor()->TopEditor()->setCursorPosition(0, 3);
    QTest::keyClicks(frame->Editor()->TopEditor(), "Bonjour, ");
    EXPECT_TRUE(dialog.OkButton()->isEnabled());
    SaveWidgetPicture(dialog, "dialog-source");
    dialog.SaveAnswers(pairs);
    EXPECT_EQ(pairs.Lines(),
              (std::vector<std::string>{"SourceHtml_EN=<p>Hello</p>", "SourceHtml_FR=<p>Bonjour, Salut</p>"}));
}

}  // namespace
