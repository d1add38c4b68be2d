// Templates through the real web engine: each shipped master and body
// template is shown in the design view the way the WYSIWYG template editor
// shows it, read back as a tree and converted to XSL. A template whose
// unedited round trip keeps the style sheet becomes editable, every other
// one read-only with a reason; an edit of an editable one reaches its XSL.
#include "../../../PageScript.h"
#include "editors/QtTestApplication.h"
#include "editors/media/templates/visual/DesignTreeJson.h"
#include "editors/media/templates/visual/TemplateDesignModel.h"
#include "editors/site/WebScript.h"
#include "editors/site/html/DesignView.h"
#include "common/FileContent.h"
#include "common/WellKnownIds.h"
#include "support/ScriptedGui.h"
#include "support/TestPaths.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <iostream>
#include <memory>

namespace {

class TemplateDesignRoundTripTest : public ::testing::Test {
protected:
    TemplateDesignRoundTripTest()
    {
        EnsureQtApplication();
        view = std::make_unique<TDesignView>(gui);
        view->resize(800, 500);
        view->show();
    }
    ~TemplateDesignRoundTripTest() override
    {
        view.reset();
        QTest::qWait(100);
    }

    // Shows the template and checks its unedited round trip.
    void Show(TTemplateDesignModel& model, const std::string& xsl, int itemType)
    {
        model.Load(xsl, itemType);
        QSignalSpy ready(view.get(), &TDesignView::Ready);
        view->LoadDocument(model.Document(), QUrl(QStringLiteral("tolvex://preview/EN/5.html")));
        ASSERT_TRUE(ready.wait(20000));
        model.CheckRoundTrip(Tree(model));
    }
    TDesignNode Tree(const TTemplateDesignModel& model)
    {
        const QString script = WebScript("designTree.js") +
                               (model.WholeDocument() ? QStringLiteral("('document')") : QStringLiteral("('body')"));
        TDesignNode tree;
        EXPECT_TRUE(DesignTreeFromJson(EvaluateInPage(*view->page(), script).toString().toUtf8(), tree));
        return tree;
    }

    TScriptedGui gui;
    std::unique_ptr<TDesignView> view;
};

std::string Stylesheet(const std::string& body)
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<xsl:stylesheet version=\"1.0\" "
           "xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">\n<xsl:template name=\"body\">" +
           body + "</xsl:template>\n</xsl:stylesheet>\n";
}

}  // namespace

TEST_F(TemplateDesignRoundTripTest, ShippedBodiesAreEditableAndMastersReadOnlyWithTheirReason)
{
    const std::string data = ShippedDataSourceDir();
    struct TTemplate {
        std::string file;
        int type;
    };
    std::vector<TTemplate> templates;
    for (const char* style : {"harbor", "meadow", "atelier"})
        templates.push_back({"styles/" + std::string(style) + "/master.xsl", kMasterTemplateType});
    for (const char* body : {"shared/info.xsl", "shared/contact.xsl", "shared/storylist.xsl", "1/productline.xsl",
                             "1/product.xsl", "1/productlist.xsl", "2/vendorlist.xsl", "2/vendor.xsl",
                             "8/hotel.xsl", "8/rooms.xsl", "8/room.xsl", "12/category.xsl"})
        templates.push_back({"templates/" + std::string(body), kBodyTemplateType});
    for (const TTemplate& t : templates) {
        SCOPED_TRACE(t.file);
        TTemplateDesignModel model;
        Show(model, ReadFileContent(data + "/" + t.file).value_or(""), t.type);
        const bool editable = model.State() == TTemplateDesignModel::TState::Editable;
        // The bodies survive; a master's XSL around and inside its html, head
        // and style elements is moved by the HTML parser, so it is read-only.
        EXPECT_EQ(editable, t.type == kBodyTemplateType) << model.Reason();
        EXPECT_TRUE(editable || (model.State() == TTemplateDesignModel::TState::ReadOnly && !model.Reason().empty()));
        std::cout << t.file << ": " << (editable ? "editable" : model.Reason()) << "\n";
        if (!editable)
            continue;
        // Stored without an edit, it makes the same style sheet.
        std::string xsl;
        std::string refusal;
        ASSERT_TRUE(model.Converted(Tree(model), xsl, refusal)) << refusal;
        std::string difference;
        EXPECT_TRUE(TConverterHtml2Xsl::SameStyleSheet(model.Xsl(), xsl, difference)) << difference;
    }
}

TEST_F(TemplateDesignRoundTripTest, RowsTheParserTakesOutOfTheirForEachMakeTheTemplateReadOnly)
{
    TTemplateDesignModel model;
    Show(model,
         Stylesheet("<table><xsl:for-each select=\"Row\"><tr><td><xsl:value-of select=\"Name\"/></td></tr>"
                    "</xsl:for-each></table><select><xsl:if test=\"1\"><option>a</option></xsl:if></select>"),
         kBodyTemplateType);
    EXPECT_EQ(model.State(), TTemplateDesignModel::TState::ReadOnly);
    EXPECT_NE(model.Reason().find("read-only"), std::string::npos) << model.Reason();
    std::string xsl;
    std::string refusal;
    EXPECT_FALSE(model.Converted(Tree(model), xsl, refusal));
    EXPECT_EQ(refusal, model.Reason());
}

TEST_F(TemplateDesignRoundTripTest, ABoldEditReachesTheXslWithCaseCommentsAndUtf8Kept)
{
    TTemplateDesignModel model;
    const std::string original = Stylesheet("<!-- heading --><h2 onClick=\"x()\">Größe <xsl:value-of "
                                            "select=\"Name\"/></h2><p id=\"t\">plain words</p>");
    Show(model, original, kBodyTemplateType);
    ASSERT_EQ(model.State(), TTemplateDesignModel::TState::Editable) << model.Reason();
    EvaluateInPage(*view->page(),
                   "var r = document.createRange(); r.selectNodeContents(document.getElementById('t'));"
                   "var s = window.getSelection(); s.removeAllRanges(); s.addRange(r); 1");
    bool done = false;
    view->ExecCommand("bold", {}, [&](bool) { done = true; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return done; }, 10000));
    std::string xsl;
    std::string refusal;
    ASSERT_TRUE(model.Converted(Tree(model), xsl, refusal)) << refusal;
    EXPECT_NE(xsl.find("<p id=\"t\"><b>plain words</b></p>"), std::string::npos) << xsl;
    EXPECT_NE(xsl.find("<!-- heading --><h2 onClick=\"x()\">Größe <xsl:value-of select=\"Name\"/></h2>"),
              std::string::npos)
        << xsl;
}
