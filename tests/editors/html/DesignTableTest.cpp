// The visual editor's table commands on a real page: each command changes
// the table's markup as the case says, cells spanning rows or columns keep
// the grid whole, and a command outside a table changes nothing. Also the
// rules without a page: what the context menu offers, the file name "Save
// Photo" offers, and the attribute list of the properties dialog.
#include "../PageScript.h"
#include "DesignViewFixture.h"
#include "editors/QtTestApplication.h"
#include "editors/site/html/DesignDocument.h"
#include "editors/site/html/DesignView.h"
#include "editors/site/html/ElementProperties.h"
#include "support/ScriptedGui.h"

#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include <gtest/gtest.h>

namespace {

TEST(DesignMenuState, FollowsTheSelection)
{
    struct Case {
        const char* why;
        TDesignSelectionStatus status;
        bool insertTableBefore;
        bool insertTable, merge, split, savePhoto, removeLink;
    };
    const Case cases[] = {
        {"caret in a cell", {"None", "", "", true, false, false}, true, true, false, true, false, false},
        {"cells of a row selected", {"Text", "", "", true, true, false}, true, true, true, true, false, false},
        {"a selected table", {"Control", "TABLE", "", false, false, false}, true, false, false, false, false, false},
        {"text keeps the last state", {"Text", "", "", false, false, false}, false, false, false, false, false, false},
        {"a picture", {"Control", "IMG", "../images/1.jpg", false, false, false}, false, true, false, false, true, false},
        {"inside a link", {"Text", "", "", false, false, true}, true, true, false, false, false, true},
    };
    for (const Case& c : cases) {
        TDesignMenuState previous;
        previous.InsertNewTable = c.insertTableBefore;
        const TDesignMenuState state = TDesignMenuState::For(c.status, previous);
        EXPECT_EQ(state.InsertNewTable, c.insertTable) << c.why;
        EXPECT_EQ(state.MergeCells, c.merge) << c.why;
        EXPECT_EQ(state.SplitCell, c.split) << c.why;
        EXPECT_EQ(state.RowColumn, c.split) << c.why;
        EXPECT_EQ(state.CellProperties, c.split) << c.why << ": cell properties follow Split Cell";
        EXPECT_EQ(state.SavePhotoVisible, c.savePhoto) << c.why;
        EXPECT_EQ(state.RemoveHyperlinkVisible, c.removeLink) << c.why;
    }
}

TEST(DesignDocument, PhotoFileNameOfACatalogPicture)
{
    const std::pair<const char*, const char*> cases[] = {
        {"../images/3001.jpg", "3001.jpg"},
        {"../images/big/3001.jpg?v=2#top", "3001.jpg"},
        {"../images/my+shop%20front.png", "my shop front.png"},
        {"../images/%2e%2e", ""},               // decodes to a name that leaves the folder
        {"../images/a%2Fb.jpg", ""},
        {"../images/", ""},
        {"http://example.com/images/1.jpg", ""},  // not a catalog picture
        {"images/1.jpg", ""},
    };
    for (const auto& [source, name] : cases)
        EXPECT_EQ(TDesignDocument::PhotoFileName(source), name) << source;
    EXPECT_EQ(TDesignDocument::PhotoFilter("3001.jpg"), "jpg files (*.jpg)");
    EXPECT_EQ(TDesignDocument::PhotoFilter("noextension"), "");
    const std::pair<const char*, const char*> shadows[] = {
        {"", "box-shadow: 4px 4px 4px gray;"},
        {"border: 0", "border: 0; box-shadow: 4px 4px 4px gray;"},
        {"border: 0; box-shadow: 4px 4px 4px gray;", "border: 0;"},
        {"BOX-SHADOW: 1px 1px red; width: 5px", "width: 5px"},
    };
    for (const auto& [style, toggled] : shadows)
        EXPECT_EQ(TDesignDocument::ToggleShadow(style), toggled) << style;
    EXPECT_EQ(TDesignDocument::FontSizeStep(7), 1);
    EXPECT_EQ(TDesignDocument::FontSizeStep(12), 3);
    EXPECT_EQ(TDesignDocument::FontSizeStep(20), 5);
    EXPECT_EQ(TDesignDocument::FontSizeStep(72), 7);
}

TEST(ElementProperties, ListsWritesBackOnlyChangesAndHidesDesignTime)
{
    TElementProperties properties;
    ASSERT_TRUE(properties.Fill("td", {{"width", "50"}, {"DESIGNTIMEURL", "x"}, {"Align", "left"}}, false));
    EXPECT_EQ(properties.Tag(), "TD");
    ASSERT_EQ(properties.Rows().size(), 2u);
    EXPECT_EQ(properties.Rows()[0].Name, "Align") << "sorted by name";
    EXPECT_EQ(properties.Rows()[1].Name, "width");
    EXPECT_TRUE(properties.Changes().empty());
    properties.SetValue(1, "80%");
    properties.SetValue(0, "left");   // typed again unchanged
    EXPECT_EQ(properties.Changes(), (std::vector<std::pair<std::string, std::string>>{{"width", "80%"}}));

    // Show all: every attribute a cell may have, once, the specified ones with their values.
    ASSERT_TRUE(properties.Fill("TD", {{"width", "50"}, {"align", "left"}}, true));
    std::vector<std::string> names;
    for (const auto& row : properties.Rows())
        names.push_back(row.Name);
    EXPECT_EQ(std::count(names.begin(), names.end(), "align"), 1);
    EXPECT_NE(std::find(names.begin(), names.end(), "valign"), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), "colspan"), names.end());
    EXPECT_TRUE(properties.Changes().empty());
    // A plain cell without attributes still shows its list.
    EXPECT_TRUE(properties.Fill("TD", {}, false));
    EXPECT_FALSE(properties.Fill("", {}, true));
}

class DesignTableTest : public TDesignViewFixture {
protected:
    void Load(const std::string& html) { LoadPart(html, ""); }
    void Evaluate(const QString& script)
    {
        EvaluateInPage(*view->page(), script);
    }
    // Selects from the start of one element's text to the end of another's
    // (the same element: a caret at its start).
    void Select(const std::string& from, const std::string& to)
    {
        Evaluate(QString::fromStdString(
            "var a = document.getElementById('" + from + "'), b = document.getElementById('" + to + "');"
            "var r = document.createRange(); r.setStart(a.firstChild, 0);"
            "if (a === b) r.collapse(true); else r.setEnd(b.firstChild, b.firstChild.length);"
            "var s = window.getSelection(); s.removeAllRanges(); s.addRange(r); 1"));
    }
    // The body's HTML without the table sections the parser adds.
    std::string Table()
    {
        std::string body;
        bool done = false;
        view->ReadBodyHtml([&](const std::string& html) {
            body = html;
            done = true;
        });
        EXPECT_TRUE(QTest::qWaitFor([&] { return done; }, 5000));
        for (const char* section : {"<tbody>", "</tbody>"})
            for (std::size_t at; (at = body.find(section)) != std::string::npos;)
                body.erase(at, std::string(section).size());
        return body;
    }
    bool Run(TTableCommand command)
    {
        bool changed = false, done = false;
        view->RunTableCommand(command, [&](bool result) {
            changed = result;
            done = true;
        });
        EXPECT_TRUE(QTest::qWaitFor([&] { return done; }, 5000));
        return changed;
    }

};

// Two rows of two cells, "a1 a2 / b1 b2", with the spans each case needs.
std::string Grid(const char* a1 = "", const char* extraRow1 = "<td id=\"a2\">A2</td>", const char* b1 = "")
{
    return std::string("<table><tr><td id=\"a1\"") + a1 + ">A1</td>" + extraRow1 + "</tr><tr>" +
           (std::string(b1) == "none" ? "" : std::string("<td id=\"b1\"") + b1 + ">B1</td>") +
           "<td id=\"b2\">B2</td></tr></table>";
}

TEST_F(DesignTableTest, CommandsKeepTheGridWhole)
{
    struct Case {
        const char* name;
        std::string table;
        const char* from;
        const char* to;
        TTableCommand command;
        const char* expected;
    };
    const Case cases[] = {
        {"insert row above the caret's row", Grid(), "b1", "b1", TTableCommand::InsertRow,
         "<table><tr><td id=\"a1\">A1</td><td id=\"a2\">A2</td></tr><tr><td>&nbsp;</td><td>&nbsp;</td></tr>"
         "<tr><td id=\"b1\">B1</td><td id=\"b2\">B2</td></tr></table>"},
        {"insert row under a cell spanning rows lengthens it", Grid(" rowspan=\"2\"", "<td id=\"a2\">A2</td>", "none"),
         "b2", "b2", TTableCommand::InsertRow,
         "<table><tr><td id=\"a1\" rowspan=\"3\">A1</td><td id=\"a2\">A2</td></tr><tr><td>&nbsp;</td></tr>"
         "<tr><td id=\"b2\">B2</td></tr></table>"},
        {"insert column left of the caret's column", Grid(), "a2", "a2", TTableCommand::InsertColumn,
         "<table><tr><td id=\"a1\">A1</td><td>&nbsp;</td><td id=\"a2\">A2</td></tr>"
         "<tr><td id=\"b1\">B1</td><td>&nbsp;</td><td id=\"b2\">B2</td></tr></table>"},
        {"insert column through a cell spanning columns widens it", Grid(" colspan=\"2\"", ""), "b2", "b2",
         TTableCommand::InsertColumn,
         "<table><tr><td id=\"a1\" colspan=\"3\">A1</td></tr>"
         "<tr><td id=\"b1\">B1</td><td>&nbsp;</td><td id=\"b2\">B2</td></tr></table>"},
        {"delete row moves a cell spanning it down", Grid(" rowspan=\"2\"", "<td id=\"a2\">A2</td>", "none"), "a2",
         "a2", TTableCommand::DeleteRow, "<table><tr><td id=\"a1\">A1</td><td id=\"b2\">B2</td></tr></table>"},
        {"delete column narrows a cell spanning it", Grid(" colspan=\"2\"", ""), "b1", "b1",
         TTableCommand::DeleteColumn, "<table><tr><td id=\"a1\">A1</td></tr><tr><td id=\"b2\">B2</td></tr></table>"},
        {"deleting the last column removes the table", "<p>x</p><table><tr><td id=\"a1\">A1</td></tr></table>", "a1",
         "a1", TTableCommand::DeleteColumn, "<p>x</p>"},
        {"merge the selected cells of a row", Grid(), "a1", "a2", TTableCommand::MergeCells,
         "<table><tr><td id=\"a1\" colspan=\"2\">A1 A2</td></tr>"
         "<tr><td id=\"b1\">B1</td><td id=\"b2\">B2</td></tr></table>"},
        {"split a merged cell into its columns", Grid(" colspan=\"2\"", ""), "a1", "a1", TTableCommand::SplitCell,
         "<table><tr><td id=\"a1\">A1</td><td>&nbsp;</td></tr>"
         "<tr><td id=\"b1\">B1</td><td id=\"b2\">B2</td></tr></table>"},
        {"split a single cell widens its column elsewhere", Grid(), "b2", "b2", TTableCommand::SplitCell,
         "<table><tr><td id=\"a1\">A1</td><td id=\"a2\" colspan=\"2\">A2</td></tr>"
         "<tr><td id=\"b1\">B1</td><td id=\"b2\">B2</td><td>&nbsp;</td></tr></table>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Load(c.table);
        Select(c.from, c.to);
        QSignalSpy modified(view.get(), &TDesignView::Modified);
        EXPECT_TRUE(Run(c.command));
        EXPECT_EQ(Table(), c.expected);
        EXPECT_EQ(modified.count(), 1);
    }
}

TEST_F(DesignTableTest, NothingChangesOutsideATableOrWithOneCellToMerge)
{
    Load("<p id=\"p\">text</p>" + Grid());
    Select("p", "p");
    const std::string before = Table();
    for (TTableCommand command : {TTableCommand::InsertRow, TTableCommand::InsertColumn, TTableCommand::DeleteRow,
                                  TTableCommand::DeleteColumn, TTableCommand::MergeCells, TTableCommand::SplitCell})
        EXPECT_FALSE(Run(command));
    Select("a1", "a1");
    EXPECT_FALSE(Run(TTableCommand::MergeCells));
    EXPECT_EQ(Table(), before);
}

}  // namespace
