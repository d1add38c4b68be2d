// The WYSIWYG template editor in the program: every master and body template
// of the open catalog opens in its tab; saved after an edit that was undone
// again, the site publishes byte for byte as before; a bold edit and a
// picture from the image dialog reach the published pages; a read-only
// template and a design XSL cannot hold are never stored.
#include "../../ImageDialogFixture.h"
#include "../../PublishIntoFolder.h"

#include "common/FileContent.h"
#include "editors/media/templates/visual/FrameTemplateHtmlEditor.h"
#include "generation/Templates.h"
#include "editors/site/html/DesignView.h"
#include "storage/CatalogTables.h"

#include <QAction>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QTextEdit>
#include <QToolBar>

#include <iostream>
#include <map>

namespace {

constexpr const char* kTab = "TemplateHTMLEditor-html";

class TemplateHtmlEditorTest : public TImageDialogFixture {
protected:
    TemplateHtmlEditorTest() : TImageDialogFixture({}, true) {}

    // The master and body templates of the open catalog: item id and type.
    std::vector<std::pair<int, int>> Templates()
    {
        std::vector<std::pair<int, int>> found;
        TQueryGuard query(f.Main());
        query->SetSQL("SELECT ItemId, ItemType FROM Items WHERE CatalogCode = :Code AND ItemType IN (501, 502) "
                      "ORDER BY ItemId");
        query->SetParam("Code", Code());
        for (TAbstractRecordset& r = query->Open(true); !r.Eof(); r.Next())
            found.emplace_back(FieldInteger(r, "ItemId"), FieldInteger(r, "ItemType"));
        return found;
    }
    std::string StoredXsl(int itemId)
    {
        return f.Data().GetPageGeneration().GetTemplates().GetTemplateXsl(itemId, Code(), f.Main());
    }

    // Opens the template in the main editor on the visual tab; its frame once checked.
    TFrameTemplateHtmlEditor* Open(int itemId, int itemType)
    {
        EXPECT_TRUE(f.Shell().CatalogUI()->OpenInMainEditor(itemId, itemType, "", ""));
        QCoreApplication::processEvents();
        EXPECT_TRUE(f.Editor().Container()->ActivateTabByName(kTab)) << itemId;
        auto* frame = FrameOfTab<TFrameTemplateHtmlEditor>(f, kTab);
        EXPECT_NE(frame, nullptr) << itemId;
        if (frame) {
            EXPECT_TRUE(QTest::qWaitFor([&] { return frame->IsChecked(); }, 20000)) << itemId;
        }
        return frame;
    }
    QVariant Script(TFrameTemplateHtmlEditor& frame, const QString& script)
    {
        return EvaluateInPage(*frame.View()->page(), script);
    }
    // Selects the contents of the first element the selector finds.
    void Select(TFrameTemplateHtmlEditor& frame, const QString& selector)
    {
        Script(frame, "var r = document.createRange(); r.selectNodeContents(document.querySelector('" + selector +
                          "')); var s = window.getSelection(); s.removeAllRanges(); s.addRange(r); 1");
    }
    void Command(TFrameTemplateHtmlEditor& frame, const char* action)
    {
        frame.View()->setFocus();
        frame.findChild<QAction*>(action)->trigger();
    }

    // Publishes the site locally into Folder; the log when it fails.
    std::string Publish(const std::string& folder) { return PublishIntoFolder(f, folder); }
    // The published pages: file name to content.
    static std::map<std::string, std::string> Pages(const std::string& folder)
    {
        std::map<std::string, std::string> pages;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
            if (entry.is_regular_file() && entry.path().extension() == ".html")
                pages[std::filesystem::relative(entry.path(), folder).string()] =
                    ReadFileContent(entry.path().string()).value_or("");
        return pages;
    }
};

}  // namespace

TEST_F(TemplateHtmlEditorTest, EveryTemplateOpensAndAnUndoneEditSavesTheSamePages)
{
    TTempFolder before;
    ASSERT_EQ(Publish(before.Path()), "");
    const auto templates = Templates();
    ASSERT_FALSE(templates.empty());
    int editables = 0;
    for (const auto& [itemId, itemType] : templates) {
        SCOPED_TRACE(itemId);
        const std::string xsl = StoredXsl(itemId);
        TFrameTemplateHtmlEditor* frame = Open(itemId, itemType);
        ASSERT_NE(frame, nullptr);
        const bool editable = frame->Model().State() == TTemplateDesignModel::TState::Editable;
        std::cout << itemId << " (" << itemType << "): " << (editable ? "editable" : frame->Model().Reason()) << "\n";
        if (!editable) {
            EXPECT_TRUE(frame->findChild<QLabel*>("lblTemplateState")->isVisible());
            EXPECT_FALSE(frame->findChild<QToolBar*>("tbTemplateHtml")->isEnabled());
            continue;
        }
        // An edit, undone: the item is modified and its design is stored as XSL.
        Script(*frame, "document.body.focus(); 1");
        Select(*frame, "body *");
        Command(*frame, "actBold");
        ASSERT_TRUE(QTest::qWaitFor([&] { return f.Editor().Context()->IsModified(); }, 5000));
        bool undone = false;
        frame->View()->ExecCommand("undo", {}, [&](bool) { undone = true; });
        ASSERT_TRUE(QTest::qWaitFor([&] { return undone; }, 5000));
        PressSave(f);
        ASSERT_FALSE(f.Editor().Context()->IsModified()) << Gui().Messages("error").size();
        const std::string saved = StoredXsl(itemId);
        std::string difference;
        EXPECT_TRUE(TConverterHtml2Xsl::SameStyleSheet(xsl, saved, difference)) << difference;
        ++editables;
    }
    EXPECT_GT(editables, 0);
    TTempFolder after;
    ASSERT_EQ(Publish(after.Path()), "");
    const auto expected = Pages(before.Path());
    const auto actual = Pages(after.Path());
    ASSERT_FALSE(expected.empty());
    ASSERT_EQ(expected.size(), actual.size());
    for (const auto& [file, content] : expected)
        EXPECT_TRUE(actual.count(file) && actual.at(file) == content) << file;
}

TEST_F(TemplateHtmlEditorTest, ABoldEditAndAPictureReachThePublishedPage)
{
    // The body template of the information pages, which the home page's sub-pages use.
    int body = 0;
    for (const auto& [itemId, itemType] : Templates())
        if (itemType == 502 && StoredXsl(itemId).find("Body template of information pages") != std::string::npos)
            body = itemId;
    ASSERT_GT(body, 0);
    TFrameTemplateHtmlEditor* frame = Open(body, 502);
    ASSERT_NE(frame, nullptr);
    ASSERT_EQ(frame->Model().State(), TTemplateDesignModel::TState::Editable) << frame->Model().Reason();
    // A paragraph of text at the end of the body (the engine would put text
    // typed after the template's last call into that call's parameter), made
    // bold with the toolbar; then a picture from disk through the image dialog.
    Script(*frame, "var p = document.createElement('p'); p.textContent = 'Open all year'; document.body.appendChild(p);"
                   "var r = document.createRange(); r.selectNodeContents(p);"
                   "var s = window.getSelection(); s.removeAllRanges(); s.addRange(r); 1");
    Command(*frame, "actBold");
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.Editor().Context()->IsModified(); }, 5000));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return Script(*frame, "document.body.lastElementChild.innerHTML").toString().contains("<b>"); }, 5000));
    Script(*frame, "var r = document.createRange(); r.selectNodeContents(document.body); r.collapse(false);"
                   "var s = window.getSelection(); s.removeAllRanges(); s.addRange(r); 1");
    const std::string photo = Folder().Write("sign.png", Png(300, 200));
    Gui().QueueInput(photo);
    WhenShown([&](TfrmFrameContainer& window) {
        Click(window, "btnSearch");
        window.btnContainerOk->click();
    });
    Command(*frame, "actInsertPicture");
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return Script(*frame, "document.querySelectorAll('img').length").toInt() > 0; }, 10000));
    const QString source = Script(*frame, "document.querySelector('img').getAttribute('src')").toString();
    EXPECT_TRUE(source.startsWith("../images/") && source.endsWith(".png")) << source.toStdString();
    Shoot(f, "template-wysiwyg");
    PressSave(f);
    ASSERT_FALSE(f.Editor().Context()->IsModified());
    EXPECT_NE(StoredXsl(body).find("<img src=\"" + source.toStdString() + "\"/>"), std::string::npos);

    TTempFolder site;
    ASSERT_EQ(Publish(site.Path()), "");
    int shown = 0;
    for (const auto& [file, page] : Pages(site.Path()))
        if (page.find("<img src=\"" + source.toStdString() + "\"") != std::string::npos) {
            ++shown;
            EXPECT_NE(page.find("<b>Open all year</b>"), std::string::npos) << file;
        }
    EXPECT_GT(shown, 0) << "a published page shows the picture";
    EXPECT_TRUE(std::filesystem::exists(site.Path() + "/images/" + source.toStdString().substr(10)));
}

TEST_F(TemplateHtmlEditorTest, TemplatesThatCannotSurviveAreNeverStoredDamaged)
{
    int master = 0;
    int body = 0;
    for (const auto& [itemId, itemType] : Templates())
        (itemType == 501 ? master : body) = itemId;
    // A master: read-only, typing changes nothing, Save stores nothing.
    const std::string masterXsl = StoredXsl(master);
    TFrameTemplateHtmlEditor* frame = Open(master, 501);
    ASSERT_NE(frame, nullptr);
    ASSERT_EQ(frame->Model().State(), TTemplateDesignModel::TState::ReadOnly);
    EXPECT_EQ(Script(*frame, "document.designMode").toString(), "off");
    frame->View()->setFocus();
    QTest::keyClicks(frame->View()->focusProxy(), "typed");
    QTest::qWait(200);
    PressSave(f);
    EXPECT_EQ(StoredXsl(master), masterXsl);
    Shoot(f, "template-wysiwyg-readonly");

    // A design with a name XSL cannot hold: the save is refused and the template stays as it was.
    const std::string bodyXsl = StoredXsl(body);
    frame = Open(body, 502);
    ASSERT_NE(frame, nullptr);
    ASSERT_EQ(frame->Model().State(), TTemplateDesignModel::TState::Editable) << frame->Model().Reason();
    Script(*frame, "document.body.focus(); 1");
    Select(*frame, "body *");
    frame->View()->setFocus();
    bool inserted = false;
    frame->View()->ExecCommand("insertHTML", "<span a\"b=\"1\">odd</span>", [&](bool) { inserted = true; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return inserted && f.Editor().Context()->IsModified(); }, 5000));
    PressSave(f);
    EXPECT_TRUE(f.Editor().Context()->IsModified());
    ASSERT_EQ(Gui().Messages("error").size(), 1u);
    EXPECT_NE(Gui().Messages("error")[0].find("a\"b"), std::string::npos) << Gui().Messages("error")[0];
    EXPECT_EQ(StoredXsl(body), bodyXsl);
    PressCancel(f);
}
