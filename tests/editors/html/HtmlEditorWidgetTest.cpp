// The visual HTML editor widget offscreen: both parts show, the toolbar's
// insertions land in the part entered last, and a link edited inside an
// existing link replaces it instead of nesting a second one.
#include "../PageScript.h"
#include "editors/QtTestApplication.h"
#include "editors/site/html/DesignView.h"
#include "editors/site/html/HtmlEditorWidget.h"
#include "support/ScriptedGui.h"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include <gtest/gtest.h>

namespace {

class HtmlEditorWidgetTest : public ::testing::Test {
protected:
    HtmlEditorWidgetTest()
    {
        EnsureQtApplication();
        THtmlInsertionCommands::TServices services;
        services.RunDialog = [this](const std::string& name, TDialogParams& pairs) {
            opened = name;
            sent = pairs;
            for (const std::string& line : answers)
                pairs.Set(line.substr(0, line.find('=')), line.substr(line.find('=') + 1));
            return true;
        };
        services.CatalogOption = [](int) { return std::string("400"); };
        services.PageFileName = [](int id, int) { return std::to_string(id) + ".html"; };
        services.Gui = &gui;
        commands = std::make_unique<THtmlInsertionCommands>(services);
        editor = std::make_unique<THtmlEditorWidget>(gui, commands.get());
        editor->resize(720, 420);
        editor->show();
        QSignalSpy ready(editor.get(), &THtmlEditorWidget::Ready);
        editor->LoadParts("<h1>Spring sale</h1><p id=\"a\">Visit our <a id=\"old\" href=\"old.html\" title=\"Old\">old page</a> now</p>",
                          "<p id=\"b\">Opening hours</p>",
                          "body { font-family: sans-serif; } .topofpage h1 { color: #8f2a2a; }"
                          ".bottomofpage { background: #eef3f8; font-size: small; }",
                          "", "EN");
        EXPECT_TRUE(editor->IsReady() || ready.wait(20000));
        QTest::qWait(200);
    }
    ~HtmlEditorWidgetTest() override
    {
        // The engine finishes with the pages in the event loop, as in the program.
        editor.reset();
        QTest::qWait(100);
    }
    void Evaluate(TDesignView* view, const QString& script)
    {
        EvaluateInPage(*view->page(), script);
    }
    // Selects the text of an element's first text node from one offset to another.
    void Select(TDesignView* view, const char* id, int from, int to)
    {
        Evaluate(view, QStringLiteral("var t = document.getElementById('%1'); var n = t.firstChild;"
                                      "while (n && n.nodeType !== 3) n = n.firstChild || n.nextSibling;"
                                      "var r = document.createRange(); r.setStart(n, %2); r.setEnd(n, %3);"
                                      "var s = window.getSelection(); s.removeAllRanges(); s.addRange(r); 1")
                           .arg(QString::fromUtf8(id))
                           .arg(from)
                           .arg(to));
    }
    std::pair<std::string, std::string> Parts()
    {
        std::pair<std::string, std::string> parts;
        bool done = false;
        editor->ReadParts([&](const std::string& top, const std::string& bottom) {
            parts = {top, bottom};
            done = true;
        });
        EXPECT_TRUE(QTest::qWaitFor([&] { return done; }, 5000));
        return parts;
    }

    TScriptedGui gui;
    std::vector<std::string> answers;
    std::string opened;
    TDialogParams sent;
    std::unique_ptr<THtmlInsertionCommands> commands;
    std::unique_ptr<THtmlEditorWidget> editor;
};

TEST_F(HtmlEditorWidgetTest, InsertionsLandInThePartEnteredLast)
{
    editor->SetBottomActive(true);
    Select(editor->BottomView(), "b", 0, 7);
    answers = {"URL=http://example.com/hours", "Caption=Opening", "NewWindow=yes"};
    editor->Actions().InsertHyperlink->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return Parts().second.find("Opening</a>") != std::string::npos; }, 5000))
        << Parts().second;
    EXPECT_EQ(opened, "EnterHyperlink");
    EXPECT_EQ(sent.Value("InitCaption"), "Opening");
    EXPECT_NE(Parts().second.find("target=\"_blank\" href=\"http://example.com/hours\""), std::string::npos)
        << Parts().second;
    EXPECT_EQ(Parts().first.find("example.com"), std::string::npos) << "the top part is untouched";

    editor->SetBottomActive(false);
    Select(editor->TopView(), "a", 0, 0);
    editor->Actions().HorizontalLine->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return Parts().first.find("<hr>") != std::string::npos; }, 5000))
        << Parts().first;
    SaveWidgetPicture(*editor, "html-editor");
}

TEST_F(HtmlEditorWidgetTest, StyleClassesOfThePageApplyToTheSelection)
{
    QStringList classes;
    for (QAction* action : editor->StyleMenu()->actions())
        classes << action->text();
    EXPECT_EQ(classes, (QStringList{"topofpage", "bottomofpage"}));
    EXPECT_TRUE(editor->Actions().SelectCssStyle->isEnabled());

    Select(editor->TopView(), "a", 0, 5);
    editor->StyleMenu()->actions().at(1)->trigger();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return Parts().first.find("<span class=\"bottomofpage\">Visit</span>") != std::string::npos; }, 5000))
        << Parts().first;
}

TEST_F(HtmlEditorWidgetTest, ATableNeverReplacesASelectedPicture)
{
    Evaluate(editor->TopView(), "document.getElementById('a').insertAdjacentHTML('beforeend', '<img id=\"pic\" src=\"../images/1.gif\">');"
                                "var r = document.createRange(); r.selectNode(document.getElementById('pic'));"
                                "var s = window.getSelection(); s.removeAllRanges(); s.addRange(r); 1");
    answers = {"NumberRows=1", "NumberColumns=2"};
    editor->Actions().InsertTable->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return Parts().first.find("<table") != std::string::npos; }, 5000))
        << Parts().first;
    EXPECT_EQ(opened, "InsertTable");
    EXPECT_NE(Parts().first.find("id=\"pic\""), std::string::npos) << Parts().first;
}

TEST_F(HtmlEditorWidgetTest, EditingALinkReplacesIt)
{
    Select(editor->TopView(), "old", 2, 4);  // inside "old page"
    answers = {"PageId=1005", "PageType=100", "Caption=new page"};
    editor->Actions().InsertLinkToPage->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return Parts().first.find("1005.html") != std::string::npos; }, 5000))
        << Parts().first;
    EXPECT_EQ(sent.Value("InitURL"), "old.html");
    EXPECT_EQ(sent.Value("InitTitle"), "Old");
    EXPECT_EQ(sent.Value("InitCaption"), "old page");
    const std::string top = Parts().first;
    EXPECT_EQ(top.find("old.html"), std::string::npos) << top;
    EXPECT_NE(top.find("<a href=\"1005.html\">new page</a>"), std::string::npos) << top;
    EXPECT_EQ(top.find("<a "), top.rfind("<a ")) << "one link, not one inside the other: " << top;
}

TEST_F(HtmlEditorWidgetTest, ALinkToAPageKeepsTheOrdinarySpacesAroundIt)
{
    struct TCase {
        const char* text;
        int from, to;  // the selection in the text
        const char* addSpace;
        const char* expected;
    };
    const TCase cases[] = {
        {"Visit our shop now", 10, 14, "no", "<p id=\"a\">Visit our <a href=\"1005.html\">shop</a> now</p>"},
        // The added space before a word is an ordinary one too.
        {"Visit our now", 10, 10, "yes", "<p id=\"a\">Visit our <a href=\"1005.html\">shop</a> now</p>"},
        // At the end of the paragraph an ordinary space would not show: it stays non-breaking.
        {"Visit our", 9, 9, "yes", "<p id=\"a\">Visit our<a href=\"1005.html\">shop</a>&nbsp;</p>"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.text);
        Evaluate(editor->TopView(), QStringLiteral("document.getElementById('a').innerHTML = '%1'; 1").arg(c.text));
        Select(editor->TopView(), "a", c.from, c.to);
        answers = {"PageId=1005", "PageType=100", "Caption=shop", std::string("AddSpaceAtTheEnd=") + c.addSpace};
        editor->Actions().InsertLinkToPage->trigger();
        EXPECT_TRUE(QTest::qWaitFor([&] { return Parts().first.find("1005.html") != std::string::npos; }, 5000));
        EXPECT_NE(Parts().first.find(c.expected), std::string::npos) << Parts().first;
    }
    // The engine's undo still takes the link away again.
    Evaluate(editor->TopView(), "document.execCommand('undo'); 1");
    EXPECT_EQ(Parts().first.find("1005.html"), std::string::npos) << Parts().first;
}

}  // namespace
