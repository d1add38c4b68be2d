// The web form editor and the information page in the main window's editor
// pane. The form is drawn by a child of the item's chosen template; what the
// user fills in reaches the item only when the form changed, Cancel drops
// it, and the page never leaves the form. The information page shows the
// program's page, keeps the start-up choice and goes on to the first item,
// also when the page file is missing.
#include "EditorPaneHelpers.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/CatalogDefinition.h"
#include "catalog/Singletons.h"
#include "catalog/UIManager.h"
#include "common/WellKnownIds.h"
#include "common/GlobalSettings.h"
#include "editors/framework/EditorPages.h"
#include "editors/framework/ItemEditorContainer.h"
#include "editors/framework/Registration.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexUIEditor.h"
#include "editors/site/options/FrameTolvexAbout.h"
#include "editors/site/page/FrameWebForm.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/ObjectFactory.h"
#include "storage/QueryGuard.h"
#include "storage/TolvexObject.h"
#include "storage/TolvexObjectContext.h"

#include <QCheckBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

constexpr int kHtmlPageType = 401;
constexpr const char* kFormEditor = "WebFormOrder";
constexpr const char* kBrokenFormEditor = "WebFormBroken";
constexpr int kWebPageType = 3001;
constexpr const char* kFormPage =
    "<html><body><form action=\"thanks.html\" method=\"post\">"
    "<input name=\"ItemName\" value=\"Garden chair\">"
    "<input type=\"checkbox\" name=\"gift\" value=\"yes\">"
    "<input name=\"note\" id=\"note\">"
    "<input type=\"submit\" id=\"send\" value=\"Send\"></form>"
    "<a id=\"away\" href=\"http://example.test/\">elsewhere</a></body></html>";

QString Evaluate(QWebEngineView* view, const QString& script) { return RunScript(*view->page(), script); }

class WebFormFrameTest : public ::testing::Test {
protected:
    WebFormFrameTest() : f(RegisterFrameworkClasses)
    {
        // The definition describes the form before the catalog opens.
        DescribeForm(kFormEditor, {{"TemplateType", "ByChild"},
                      {"TemplateClassXmlTag", "CommonWebPage"},
                      {"TemplateMemberXmlTag", "LinkedJSP"},
                      {"MasterTemplateType", std::to_string(kHtmlPageType)},
                      {"ParamClassXmlTag", "CommonWebPage"},
                      {"ParamMemberXmlTag", "MetaDescription"},
                      {"ParamName", "FormData"},
                      {"TabCaption", "Order form"}});
        // A second form whose template is a page with a master template that does not parse.
        DescribeForm(kBrokenFormEditor, {{"TemplateType", "ByChild"},
                                         {"TemplateClassXmlTag", "CommonWebPage"},
                                         {"TemplateMemberXmlTag", "LinkedJSP"},
                                         {"MasterTemplateType", std::to_string(kWebPageType)}});
        EXPECT_EQ(f.CreateAndOpen(), "");
        const std::string code = f.Data().GetCatalogCode();
        const int templateItem = f.Root().Catalog().CreateItem(kHtmlPageType, 1, 0, code, f.Main(), 0);
        const int form = f.Root().Catalog().CreateItem(kHtmlPageType, templateItem, 0, code, f.Main(), 0);
        item = f.Root().Catalog().CreateItem(kHtmlPageType, 1, 0, code, f.Main(), 0);
        auto source = Object(form, "HtmlData");
        source->SetLangString("SourceCode", "XXX", kFormPage, 0);
        source->Save();
        auto page = Object(item, "CommonWebPage");
        page->SetNumber("LinkedJSP", templateItem, 0);
        page->SetLangString("MetaDescription", "EN", "stored before", 0);
        page->Save();
    }
    ~WebFormFrameTest() override { QTest::qWait(100); }

    // Filter rows of the catalog type's definition, made as copies of a shipped one.
    void DescribeForm(const std::string& editorName, const std::vector<std::pair<std::string, std::string>>& values)
    {
        std::unique_ptr<TAbstractDBConnectionFactory> factory =
            f.Root().Catalog().GetDefinition().OpenDefinitionDatabase(1);
        TAbstractDBConnection& connection = factory->GetConnection();
        for (const auto& [key, value] : values) {
            const int id = ++lastFilterId;
            for (const char* sql :
                 {"CREATE TEMP TABLE CopyItem AS SELECT * FROM Items WHERE ItemId = 300001",
                  "UPDATE CopyItem SET ItemId = :Id", "INSERT INTO Items SELECT * FROM CopyItem",
                  "CREATE TEMP TABLE CopyStrings AS SELECT * FROM CStrings WHERE ItemId = 300001",
                  "UPDATE CopyStrings SET ItemId = :Id, StringValue = CASE WHEN MemberId = 2 THEN :Key "
                  "WHEN MemberId = 3 THEN :Value ELSE :Editor END",
                  "INSERT INTO CStrings SELECT * FROM CopyStrings", "DROP TABLE CopyItem", "DROP TABLE CopyStrings"}) {
                TQueryGuard query(connection);
                query->SetSQL(sql);
                const std::string text = sql;
                if (text.find(":Id") != std::string::npos)
                    query->SetParam("Id", id);
                if (text.find(":Key") != std::string::npos) {
                    query->SetParam("Key", key);
                    query->SetParam("Value", value);
                    query->SetParam("Editor", editorName);
                }
                query->ExecSQL();
            }
        }
    }

    std::unique_ptr<TTolvexObject> Object(int itemId, const std::string& classTag)
    {
        const int classId = f.Root().ObjectContext().GetClassId(classTag);
        TTolvexObjectFactory& factory = f.Root().Catalog().GetObjectFactory();
        const std::string code = f.Data().GetCatalogCode();
        std::unique_ptr<TTolvexObject> object = factory.GetObjectTyped(itemId, classId, f.Main(), code);
        if (object->GetInstanceId() == 0)
            object = factory.CreateObjectTyped(itemId, classId, 0, f.Main(), code);
        return object;
    }

    std::string Stored() { return Object(item, "CommonWebPage")->GetLangString("MetaDescription", "EN", 0); }

    // Opens the item with the form editor alone; the form's view once loaded.
    QWebEngineView* OpenForm(const char* editorName = kFormEditor)
    {
        if (!f.Shell().CatalogUI()->OpenInMainEditor(item, kHtmlPageType, "",
                                                      std::string("Action=MainPageEditor&EditorType=") + editorName))
            return nullptr;
        QCoreApplication::processEvents();
        auto* frame = FrameOfTab<TFrameWebForm>(f, editorName);
        if (!frame)
            return nullptr;
        QWebEngineView* view = frame->View();
        if (!QTest::qWaitFor([&] { return view->url().scheme() == "tolvex" && !view->page()->isLoading(); }, 20000))
            return nullptr;
        // The page's script is ready once it answers.
        if (!QTest::qWaitFor([&] { return Evaluate(view, "document.readyState") == "complete"; }, 10000))
            return nullptr;
        QTest::qWait(300);
        return view;
    }

    void TypeNote(QWebEngineView* view, const QString& text)
    {
        Evaluate(view, "document.getElementById('note').focus(); 1");
        view->setFocus();
        QTest::keyClicks(view->focusProxy() ? view->focusProxy() : view, text);
        EXPECT_TRUE(QTest::qWaitFor([&] { return f.Editor().Context()->IsModified(); }, 5000));
        QTest::qWait(200);
    }

    TMainWindowFixture f;
    int item = 0;
    int lastFilterId = 399000;
};

TEST_F(WebFormFrameTest, WhatIsFilledInIsStoredOnlyWhenTheFormChanged)
{
    QWebEngineView* view = OpenForm();
    ASSERT_NE(view, nullptr);
    auto* tabs = f.EditorPane()->findChild<QTabWidget*>();
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->tabText(tabs->currentIndex()), "Order form");
    EXPECT_EQ(Evaluate(view, "String(document.forms.length)"), "1");
    const QUrl formUrl = view->url();

    // Unchanged: Save leaves the stored data alone.
    EXPECT_FALSE(f.Editor().Context()->IsModified());
    QTest::mouseClick(f.SaveButton(), Qt::LeftButton);
    EXPECT_EQ(Stored(), "stored before");

    // A link of the form page goes nowhere.
    Evaluate(view, "document.getElementById('away').click(); 1");
    QTest::qWait(500);
    EXPECT_EQ(view->url(), formUrl);

    // Typed, then cancelled: nothing stays.
    TypeNote(view, "rush");
    ASSERT_TRUE(f.Editor().Context()->IsModified());
    QTest::mouseClick(f.CancelButton(), Qt::LeftButton);
    EXPECT_EQ(Stored(), "stored before");
    EXPECT_NE(f.Data().GetItemName(item, f.Main(), "EN"), "Garden chair");

    // Typed and ticked, then saved: the whole form's data, and the name it carries.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !view->page()->isLoading(); }, 20000));
    QTest::qWait(300);
    TypeNote(view, "by Friday");
    Evaluate(view, "document.querySelector('[name=gift]').click(); 1");
    QTest::qWait(300);
    Shoot(f, "web-form");
    QTest::mouseClick(f.SaveButton(), Qt::LeftButton);
    EXPECT_EQ(Stored(), "ItemName=Garden+chair&gift=yes&note=by+Friday");
    EXPECT_EQ(f.Data().GetItemName(item, f.Main(), "EN"), "Garden chair");
    EXPECT_EQ(view->url(), formUrl);
}

TEST_F(WebFormFrameTest, TheFormsOwnSubmitTakesTheDataAndStaysOnTheForm)
{
    QWebEngineView* view = OpenForm();
    ASSERT_NE(view, nullptr);
    const QUrl formUrl = view->url();
    TypeNote(view, "wrap it");
    Evaluate(view, "document.getElementById('send').click(); 1");
    QTest::qWait(500);
    EXPECT_EQ(view->url(), formUrl);
    EXPECT_EQ(Stored(), "stored before") << "taken into the item, written by Save";
    QTest::mouseClick(f.SaveButton(), Qt::LeftButton);
    EXPECT_EQ(Stored(), "ItemName=Garden+chair&note=wrap+it");
}

TEST_F(WebFormFrameTest, AFormTemplateThatFailsShowsTheErrorPageAndTakesNothing)
{
    const std::string code = f.Data().GetCatalogCode();
    const int broken = f.Root().Catalog().CreateItem(kMasterTemplateType, 1, 0, code, f.Main(), 0);
    auto xsl = Object(broken, "XmlData");
    xsl->SetLangString("SourceCode", "XXX", "<xsl:stylesheet version=\"1.0\"\r\n<", 0);
    xsl->Save();
    const int templateItem = f.Root().Catalog().CreateItem(kHtmlPageType, 1, 0, code, f.Main(), 0);
    const int form = f.Root().Catalog().CreateItem(kWebPageType, templateItem, 0, code, f.Main(), 0);
    auto formPage = Object(form, "CommonWebPage");
    formPage->SetNumber("MasterTemplate", broken, 0);
    formPage->Save();
    auto page = Object(item, "CommonWebPage");
    page->SetNumber("LinkedJSP", templateItem, 0);
    page->Save();

    QWebEngineView* view = OpenForm(kBrokenFormEditor);
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->url().toString().endsWith("/13.html")) << view->url().toString().toStdString();
    const QString text = Evaluate(view, "document.body.innerText");
    EXPECT_TRUE(text.contains("parse error occurred")) << text.toStdString();
    EXPECT_TRUE(text.contains("master.xsl")) << "with the parser's reason: " << text.toStdString();
    QTest::mouseClick(f.SaveButton(), Qt::LeftButton);
    EXPECT_EQ(Stored(), "stored before");
}

// The names the shipped catalog types give these editors open real ones.
TEST(WebViewEditors, ShippedNamesCreateRealEditors)
{
    TMainWindowFixture f(RegisterFrameworkClasses);
    for (const char* name : {"CommonWebPreview", "TolvexAboutViewer", "WebFormOrder"}) {
        std::unique_ptr<TAbstractUIEditor> editor = UIManager->CreateItemEditor(name, "");
        auto* uiEditor = dynamic_cast<TTolvexUIEditor*>(editor.get());
        ASSERT_NE(uiEditor, nullptr) << name;
        EXPECT_FALSE(uiEditor->IsPlaceholder()) << name;
    }
}

TEST(TolvexAboutFrame, ShowsTheProgramsPageKeepsTheStartChoiceAndGoesOn)
{
    TMainWindowFixture f(RegisterFrameworkClasses);
    ASSERT_EQ(f.CreateAndOpen(), "");
    const std::string code = f.Data().GetCatalogCode();
    const auto open = [&f]() -> TFrameTolvexAbout* {
        f.Shell().ExecuteAction("Action=MainPageEditor&ItemType=1003", false);
        QCoreApplication::processEvents();
        return FrameOfTab<TFrameTolvexAbout>(f, "TolvexAboutViewer-basic");
    };

    // Without the page file the view shows its own error; the buttons still work.
    TFrameTolvexAbout* about = open();
    ASSERT_NE(about, nullptr);
    EXPECT_FALSE(f.SaveButton()->isVisible());
    auto* goHome = about->findChild<QCheckBox*>("cbTolvexAboutGoHome");
    ASSERT_NE(goHome, nullptr);
    EXPECT_FALSE(goHome->isChecked());
    goHome->click();
    EXPECT_EQ(TCatalog::GetCatalogProperty(kPropertyStartOnAbout, f.Main(), code), "no");
    goHome->click();
    EXPECT_EQ(TCatalog::GetCatalogProperty(kPropertyStartOnAbout, f.Main(), code), "yes");

    // With the shipped page: it shows, and "Continue" opens the catalog's first item.
    const std::filesystem::path folder = std::filesystem::path(f.Root().Settings().AppDir()) / "about";
    std::filesystem::create_directories(folder);
    std::filesystem::copy_file(std::filesystem::path(TShippedData::BuildTreeDataDir()) / "about" / "tolvex.htm",
                               folder / "tolvex.htm");
    about = open();
    ASSERT_NE(about, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return about->View()->title() == "Tolvex Information"; }, 20000));
    Shoot(f, "tolvex-about");
    QTest::mouseClick(about->findChild<QPushButton*>("btnTolvexAboutContinue"), Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return f.Editor().Context()->GetItemId() == f.Root().GetHomePageId(); }, 10000));
}

}  // namespace
