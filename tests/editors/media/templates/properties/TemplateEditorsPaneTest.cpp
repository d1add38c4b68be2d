// The template editors in the main window's editor pane: a master
// template's style changed and previewed before saving, a background from
// the style catalog copied once, "Make Default" committed at once and
// undone by Cancel, the property tab of the other template items, and a
// template's settings form whose values reach the generated pages.
#include "editors/site/EditorPaneHelpers.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "common/WellKnownIds.h"
#include "editors/framework/Registration.h"
#include "editors/media/templates/preview/FramePreviewTemplate.h"
#include "editors/media/templates/settings/FrameTemplateSettings.h"
#include "gui/ControlOperations.h"
#include "storage/ObjectFactory.h"
#include "storage/RecordValues.h"
#include "storage/TolvexObject.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QWebEngineView>

#include <gtest/gtest.h>

namespace {

constexpr const char* kPreviewTab = "PreviewTemplateViewer-preview";
constexpr int kXslSourceClass = 503;

class TemplateEditorsPaneTest : public ::testing::Test {
protected:
    TemplateEditorsPaneTest() : f(RegisterFrameworkClasses) { EXPECT_EQ(f.CreateAndOpen(), ""); }
    ~TemplateEditorsPaneTest() override { QTest::qWait(100); }

    std::string Code() { return f.Data().GetCatalogCode(); }
    // The template of that name among the items of the type.
    int Template(int itemType, const std::string& name)
    {
        TQueryGuard query(f.Main());
        query->SetSQL("SELECT i.ItemId FROM Items AS i JOIN CStrings AS s ON s.CatalogCode = i.CatalogCode AND "
                      "s.ItemId = i.ItemId AND s.ClassId = 1 AND s.MemberId = 1 WHERE i.CatalogCode = :CatalogCode "
                      "AND i.ItemType = " + std::to_string(itemType) + " AND s.StringValue = :Name");
        query->SetParam("CatalogCode", Code());
        query->SetParam("Name", name);
        TAbstractRecordset& rows = query->Open(true);
        return rows.Eof() ? 0 : FieldInteger(rows, "ItemId");
    }
    void Open(int itemId)
    {
        f.Shell().ExecuteAction("Action=MainPageEditor&ItemId=" + std::to_string(itemId), false);
        QCoreApplication::processEvents();
    }
    // Chooses the entry of that caption as a user does.
    bool Choose(const char* comboName, const QString& caption)
    {
        auto* combo = Find<QComboBox>(f, comboName);
        const int index = combo ? combo->findText(caption) : -1;
        if (index < 0)
            return false;
        combo->setCurrentIndex(index);
        emit combo->activated(index);
        return true;
    }
    QString Value(const char* comboName) { return ControlOperations::GetComboBoxValue(Find<QComboBox>(f, comboName)); }
    std::unique_ptr<TTolvexObject> Committed(int itemId, int classId)
    {
        std::unique_ptr<TTolvexObject> object =
            f.Root().Catalog().GetObjectFactory().GetObjectTyped(itemId, classId, f.Main(), Code());
        if (object)
            object->Load();
        return object;
    }
    void WriteSource(int itemId, const std::string& xsl)
    {
        std::unique_ptr<TTolvexObject> source =
            f.Root().Catalog().GetObjectFactory().GetObjectTyped(itemId, kXslSourceClass, f.Main(), Code());
        if (!source)
            source = f.Root().Catalog().GetObjectFactory().CreateObjectTyped(itemId, kXslSourceClass, 0, f.Main(),
                                                                               Code());
        else
            source->Load();
        source->SetLangString("SourceCode", "XXX", xsl, 0);
        source->Save();
    }
    std::string Source(int itemId) { return Committed(itemId, kXslSourceClass)->GetLangString("SourceCode", "XXX", 0); }

    // Shows the preview tab; its page's HTML once loaded.
    QString PreviewHtml()
    {
        if (!f.Editor().Container()->ActivateTabByName(kPreviewTab))
            return "no preview tab";
        auto* frame = FrameOfTab<TFramePreviewTemplate>(f, kPreviewTab);
        if (!frame || !frame->View())
            return "no preview frame";
        QWebEngineView* view = frame->View();
        if (!QTest::qWaitFor([&] { return view->url().scheme() == "tolvex" && !view->page()->isLoading(); }, 20000))
            return "not loaded";
        QTest::qWait(200);
        return RunScript(*view->page(), "document.documentElement.outerHTML");
    }

    TMainWindowFixture f;
};

TEST_F(TemplateEditorsPaneTest, AColourSchemeChangeShowsInThePreviewBeforeSavingAndCancelRestoresIt)
{
    const int harbor = Template(kMasterTemplateType, "Harbor");
    const int harborColours = Template(504, "Harbor colours");
    ASSERT_NE(harbor, 0);
    Open(harbor);
    auto* name = Find<QLineEdit>(f, "edtTemplateName");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->text(), "Harbor");
    EXPECT_EQ(Find<QLabel>(f, "lblItemId")->text(), QString::number(harbor));
    EXPECT_FALSE(Find<QLineEdit>(f, "edtVersion")->isVisibleTo(name->parentWidget())) << "read-only outside the styles";
    EXPECT_EQ(Value("cbColorScheme"), QString::number(harborColours));
    EXPECT_EQ(Find<QComboBox>(f, "cbColorScheme")->itemText(0), "(none)");
    EXPECT_NE(Find<QLabel>(f, "imgBackground")->pixmap().isNull(), true) << "the background picture shows";
    EXPECT_FALSE(f.Editor().Context()->IsModified());
    Shoot(f, "master-template-properties");

    const QString harborCss = QString::number(harborColours) + ".css";
    QString html = PreviewHtml();
    EXPECT_TRUE(html.contains(harborCss)) << html.left(3000).toStdString();
    ASSERT_TRUE(f.Editor().Container()->ActivateTabByName("MasterTemplate-basic"));
    ASSERT_TRUE(Choose("cbColorScheme", "(none)"));
    EXPECT_TRUE(f.Editor().Context()->IsModified());
    html = PreviewHtml();
    EXPECT_FALSE(html.contains(harborCss)) << "the unsaved choice shows";
    EXPECT_EQ(Committed(harbor, kMasterTemplateClass)->GetInteger("ColorScheme", 0), harborColours)
        << "the preview stored nothing";
    Shoot(f, "master-template-preview");
    // A link to another page of the catalog stays where it is, with a word why.
    {
        QWebEngineView* view = FrameOfTab<TFramePreviewTemplate>(f, kPreviewTab)->View();
        const QUrl shown = view->url();
        RunScript(*view->page(), "Array.from(document.links).find(a => a.textContent.trim() == 'About Us').click(); 1");
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return !f.Boxes().Messages("error").empty(); }, 5000));
        EXPECT_EQ(f.Boxes().Messages("error"),
                  std::vector<std::string>{"Cannot follow the link in template preview mode"});
        EXPECT_EQ(view->url(), shown);
    }

    ASSERT_TRUE(f.Editor().Container()->ActivateTabByName("MasterTemplate-basic"));
    PressCancel(f);
    EXPECT_EQ(Value("cbColorScheme"), QString::number(harborColours));
    html = PreviewHtml();
    EXPECT_TRUE(html.contains(harborCss)) << "Cancel brought the saved colours back";
}

TEST_F(TemplateEditorsPaneTest, ABackgroundFromTheStyleCatalogIsCopiedOnceThenTheCatalogsOwnIsChosen)
{
    const int harbor = Template(kMasterTemplateType, "Harbor");
    // Only the style catalog has it.
    ASSERT_EQ(Template(kImageItemType, "Meadow background"), 0);
    Open(harbor);
    auto* backgrounds = Find<QComboBox>(f, "cbBackgroundImage");
    ASSERT_NE(backgrounds, nullptr);
    int harborEntries = 0;
    for (int i = 0; i < backgrounds->count(); ++i)
        harborEntries += backgrounds->itemText(i) == "Harbor background";
    EXPECT_EQ(harborEntries, 1) << "the catalog's picture is not offered again from the style catalogs";
    // Chosen, previewed, then given up before saving: nothing is copied.
    ASSERT_TRUE(Choose("cbBackgroundImage", "Meadow background"));
    PreviewHtml();
    ASSERT_TRUE(f.Editor().Container()->ActivateTabByName("MasterTemplate-basic"));
    ASSERT_TRUE(Choose("cbBackgroundImage", "(none)"));
    PressSave(f);
    EXPECT_EQ(Template(kImageItemType, "Meadow background"), 0);
    EXPECT_EQ(Committed(harbor, kMasterTemplateClass)->GetInteger("BackgroundImageCode", 0), 0);

    ASSERT_TRUE(Choose("cbBackgroundImage", "Meadow background"));
    ASSERT_TRUE(Value("cbBackgroundImage").startsWith("s"));
    const int meadowPicture = Value("cbBackgroundImage").mid(1).toInt();
    ASSERT_NE(Find<QLabel>(f, "imgBackground")->pixmap().isNull(), true) << "read from the style catalog";
    EXPECT_EQ(Value("cbBackgroundImage"), "s" + QString::number(meadowPicture));
    PressSave(f);
    EXPECT_FALSE(f.Editor().Context()->IsModified());
    EXPECT_EQ(Committed(harbor, kMasterTemplateClass)->GetInteger("BackgroundImageCode", 0), meadowPicture);
    EXPECT_EQ(Committed(meadowPicture, kNamesClassId)->GetLangString("ItemName", "EN", 0), "Meadow background")
        << "the style catalog's picture was copied into the catalog";
    EXPECT_EQ(Value("cbBackgroundImage"), QString::number(meadowPicture)) << "the catalog's own copy is chosen";

    // Saved again: the picture is not copied a second time.
    {
        std::unique_ptr<TTolvexObject> names = Committed(meadowPicture, kNamesClassId);
        names->SetLangString("ItemName", "EN", "Renamed after the copy", 0);
        names->Save();
    }
    ASSERT_TRUE(Choose("cbFontScheme", "(none)"));
    PressSave(f);
    EXPECT_EQ(Committed(meadowPicture, kNamesClassId)->GetLangString("ItemName", "EN", 0), "Renamed after the copy");
    EXPECT_EQ(Committed(harbor, kMasterTemplateClass)->GetInteger("BackgroundImageCode", 0), meadowPicture);
}

TEST_F(TemplateEditorsPaneTest, MakeDefaultIsCommittedAtOnceAndCancelPutsThePreviousDefaultBack)
{
    const int harbor = Template(kMasterTemplateType, "Harbor");
    const int folder = f.Data().GetParentItemId(harbor, Code(), f.Main());
    const int meadow = f.Root().Catalog().CreateItem(kMasterTemplateType, folder, 0, Code(), f.Main(), 0);
    ASSERT_EQ(f.Data().GetDefaultTemplateId(folder, f.Main()), harbor);
    Open(meadow);
    auto* makeDefault = Find<QPushButton>(f, "btnMakeDefault");
    ASSERT_NE(makeDefault, nullptr);
    QTest::mouseClick(makeDefault, Qt::LeftButton);
    EXPECT_TRUE(f.Editor().Context()->IsModified());
    EXPECT_EQ(f.Data().GetDefaultTemplateId(folder, f.Main()), meadow) << "committed: every reader sees it";
    PressCancel(f);
    EXPECT_EQ(f.Data().GetDefaultTemplateId(folder, f.Main()), harbor);

    QTest::mouseClick(Find<QPushButton>(f, "btnMakeDefault"), Qt::LeftButton);
    PressSave(f);
    EXPECT_EQ(f.Data().GetDefaultTemplateId(folder, f.Main()), meadow);
}

TEST_F(TemplateEditorsPaneTest, TheTemplatePropertiesTabShowsPagingOnlyForBodyTemplates)
{
    const int product = Template(kBodyTemplateType, "Product");
    ASSERT_NE(product, 0);
    Open(product);
    auto* paging = Find<QCheckBox>(f, "chkHasPaging");
    ASSERT_NE(paging, nullptr);
    EXPECT_TRUE(Find<QGroupBox>(f, "pnlItemsOnPage")->isVisibleTo(paging->window()));
    EXPECT_EQ(Find<QSpinBox>(f, "edtItemsOnPage")->isEnabled(), paging->isChecked());
    QTest::mouseClick(paging, Qt::LeftButton, {}, QPoint(5, paging->height() / 2));
    EXPECT_EQ(Find<QSpinBox>(f, "edtItemsOnPage")->isEnabled(), paging->isChecked());
    EXPECT_TRUE(f.Editor().Context()->IsModified());
    Find<QSpinBox>(f, "edtItemsOnPage")->setValue(7);
    TypeOver(Find<QLineEdit>(f, "edtTemplateName"), "Product page");
    Shoot(f, "body-template-properties");
    PressSave(f);
    EXPECT_EQ(Committed(product, kBodyTemplateClass)->GetInteger("ItemOnPage", 0), 7);
    EXPECT_EQ(Committed(product, kNamesClassId)->GetLangString("ItemName", "XXX", 0), "Product page");
    EXPECT_TRUE(Committed(product, 505)->GetBoolean("WasModifiedByUser", 0)) << "the user's change is marked";

    // No product to show the template on: the preview shows why.
    const QString html = PreviewHtml();
    EXPECT_TRUE(FrameOfTab<TFramePreviewTemplate>(f, kPreviewTab)->View()->url().toString().endsWith("/13.html"));
    EXPECT_TRUE(html.contains("No page uses this template yet")) << html.toStdString();
    Shoot(f, "body-template-preview");

    // A colour style sheet: no paging, no "Make Default".
    Open(Template(504, "Harbor colours"));
    ASSERT_NE(Find<QPushButton>(f, "btnMakeDefault"), nullptr);
    EXPECT_FALSE(Find<QPushButton>(f, "btnMakeDefault")->isVisibleTo(Find<QPushButton>(f, "btnMakeDefault")->window()));
    EXPECT_FALSE(Find<QGroupBox>(f, "pnlItemsOnPage")->isVisibleTo(Find<QGroupBox>(f, "pnlItemsOnPage")->window()));
    EXPECT_EQ(Find<QLineEdit>(f, "edtTemplateName")->text(), "Harbor colours");
}

TEST_F(TemplateEditorsPaneTest, TheSettingsFormIsSavedIntoTheTemplateAndReachesItsPages)
{
    const int harbor = Template(kMasterTemplateType, "Harbor");
    // The master template writes its settings into its pages.
    std::string master = Source(harbor);
    const std::string anchor = "<xsl:template match=\"/\">";
    ASSERT_NE(master.find(anchor), std::string::npos);
    master.insert(master.find(anchor), "<tolvex:xml-generation-rule><TagName>Settings</TagName><Action>AllObjects"
                                       "</Action><ItemId>mastertemplate</ItemId><ClassXmlTag>TemplateSettings"
                                       "</ClassXmlTag></tolvex:xml-generation-rule>\n");
    master.insert(master.find(anchor) + anchor.size(),
                  "<xsl:comment>settings:<xsl:for-each select=\"//TemplateSettings\"><xsl:value-of "
                  "select=\"SettingsName\"/>=<xsl:value-of select=\"SettingsValue\"/>;</xsl:for-each></xsl:comment>");
    WriteSource(harbor, master);
    const int settings = f.Root().Catalog().CreateItem(517, harbor, 0, Code(), f.Main(), 0);
    WriteSource(settings,
                "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">"
                "<xsl:template match=\"/\"><html><body><h3>Shop settings</h3>"
                "<form method=\"get\" action=\"savesettings\"><label>Greeting <input type=\"text\" id=\"greeting\" "
                "name=\"Greeting\"/></label> <input type=\"submit\" name=\"submit\" value=\"Save\"/></form>"
                "<p><a id=\"away\" href=\"tolvex://preview/EN/index.html\">Home page</a></p>"
                "</body></html></xsl:template></xsl:stylesheet>");

    Open(harbor);
    ASSERT_TRUE(f.Editor().Container()->ActivateTabByName("MasterTemplate-settings"));
    auto* frame = FrameOfTab<TFrameTemplateSettings>(f, "MasterTemplate-settings");
    ASSERT_NE(frame, nullptr);
    QWebEngineView* view = frame->View();
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->url().scheme() == "tolvex" && !view->page()->isLoading(); }, 20000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return RunScript(*view->page(), "document.readyState") == "complete"; }, 10000));
    QTest::qWait(300);
    const QUrl formUrl = view->url();

    // A link or the form's own button goes nowhere.
    RunScript(*view->page(), "document.getElementById('away').click(); 1");
    RunScript(*view->page(), "document.querySelector('[type=submit]').click(); 1");
    QTest::qWait(500);
    EXPECT_EQ(view->url(), formUrl);

    RunScript(*view->page(), "document.getElementById('greeting').focus(); 1");
    view->setFocus();
    QTest::keyClicks(view->focusProxy() ? view->focusProxy() : view, "Gott");
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.Editor().Context()->IsModified(); }, 5000));
    // Letters beyond ASCII, as an input method puts them in.
    RunScript(*view->page(), QString::fromUtf8("var g = document.getElementById('greeting'); g.value = 'Gr\xc3\xbc\xc3\x9f ' + "
                                               "g.value; g.dispatchEvent(new Event('input', {bubbles: true})); 1"));
    QTest::qWait(300);
    Shoot(f, "master-template-settings");
    PressSave(f);
    EXPECT_FALSE(f.Editor().Context()->IsModified());
    EXPECT_EQ(view->url(), formUrl);
    EXPECT_EQ(Committed(harbor, 518)->GetLangString("SettingsValue", "XXX", 0), "Gr\xc3\xbc\xc3\x9f Gott");

    // Regenerated pages read the stored setting.
    const std::string page = GeneratePage(f, f.Root().GetHomePageId());
    EXPECT_NE(page.find("settings:Greeting=Gr\xc3\xbc\xc3\x9f Gott;"), std::string::npos) << page.substr(0, 400);
}

}  // namespace
