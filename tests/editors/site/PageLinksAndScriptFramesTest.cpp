// The page links, meta tags, script properties and web page tabs in the main
// window's editor pane on a real catalog: edited through their controls,
// saved, cancelled, and what the generated page shows afterwards.
#include "EditorPaneHelpers.h"

#include "catalog/CatalogPageGeneration.h"
#include "catalog/TreeManager.h"
#include "catalog/ui/CatalogTreeView.h"
#include "catalog/ui/TreeModel.h"
#include "common/CommonGui.h"
#include "editors/framework/ItemEditorContainer.h"
#include "editors/framework/Registration.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/ui/frmFrameContainer.h"
#include "editors/site/page/FramePageLinks.h"
#include "editors/site/html/dialogs/HyperlinkFrame.h"
#include "editors/site/html/dialogs/SelectPageFrame.h"
#include "generation/Transformer.h"
#include "storage/ObjectCollection.h"
#include "storage/QueryGuard.h"
#include "storage/RecordValues.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

constexpr int kHome = 100001;
constexpr int kHomeType = 4001;
constexpr int kAboutUs = 100003;
constexpr int kPageType = 3001;

// A control of the open editor (the editors of an item left before are gone first).
// Opens an item in the editor pane with one editor of its item type, its place
// read from the catalog as the tree does, and shows the editor's tab.
bool OpenWithEditor(TMainWindowFixture& f, int itemId, int itemType, const char* editor, const char* tab)
{
    f.Editor().PrepareOpen(0, 0, "", "");
    const bool opened = f.Editor().OpenItemWithEditor(itemId, itemId, itemType, editor, "", nullptr);
    QCoreApplication::processEvents();
    return opened && f.Editor().Container()->ActivateTabByName(tab);
}

void OpenMetaTags(TMainWindowFixture& f, int itemId)
{
    EXPECT_TRUE(OpenWithEditor(f, itemId, kPageType, "CommonWebPageMetaTags", "WebPageMetaTagsEditor-properties"));
}

// Answers the next dialog window with Act once it shows.
void WhenShown(const std::function<void(TfrmFrameContainer&)>& act)
{
    QTimer::singleShot(0, [act] {
        TfrmFrameContainer* window = nullptr;
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return (window = qobject_cast<TfrmFrameContainer*>(QApplication::activeModalWidget())); }, 10000));
        ASSERT_NE(window, nullptr);
        act(*window);
    });
}

// The link dialog answered on its hyperlink tab.
void AnswerAddress(const QString& address, const QString& caption, const char* screenshot = nullptr)
{
    WhenShown([=](TfrmFrameContainer& window) {
        // The hyperlink tab's frame is made when the tab first shows.
        if (auto* tabs = window.findChild<QTabWidget*>())
            for (int i = 0; i < tabs->count(); ++i)
                if (tabs->tabText(i).contains("Hyperlink"))
                    tabs->setCurrentIndex(i);
        QCoreApplication::processEvents();
        auto* link = window.findChild<THyperlinkFrame*>();
        if (!link) {
            ADD_FAILURE() << "no hyperlink tab";
            window.btnContainerCancel->click();
            return;
        }
        link->AddressEdit()->setText(address);
        link->CaptionEdit()->setText(caption);
        if (const char* dir = std::getenv("TOLVEX_SCREENSHOT_DIR"); dir && screenshot)
            window.grab().save(QString("%1/site-%2.png").arg(dir, screenshot));
        window.btnContainerOk->click();
    });
}

// The link dialog answered with a page of the page picker.
void AnswerPage(int itemId)
{
    WhenShown([=](TfrmFrameContainer& window) {
        auto* picker = window.findChild<TSelectPageFrame*>();
        ASSERT_NE(picker, nullptr);
        for (TTreeNode* node : picker->Manager().AllNodes())
            if (node->ItemId() == itemId)
                picker->Tree()->setCurrentIndex(picker->Tree()->Model().IndexOf(node));
        window.btnContainerOk->click();
    });
}

// The captions of the custom links under the first group, in order, joined by "|".
std::string CustomLinks(QTreeWidget& tree)
{
    QStringList captions;
    QTreeWidgetItem* group = tree.topLevelItem(0);
    for (int i = 0; group && i < group->childCount(); ++i)
        if (group->child(i)->foreground(0) != QBrush(tree.palette().brush(QPalette::Disabled, QPalette::Text)))
            captions << group->child(i)->text(0);
    return captions.join('|').toStdString();
}

class PageLinksFrame : public ::testing::Test {
protected:
    PageLinksFrame() : f(RegisterFrameworkClasses) { EXPECT_EQ(f.CreateAndOpen(), ""); }

    QTreeWidget* Open()
    {
        EXPECT_TRUE(OpenWithEditor(f, kHome, kHomeType, "CommonPageLinks", "PageLinks-basic"));
        auto* frame = Find<TFramePageLinks>(f, "TFramePageLinks");
        return frame ? frame->Tree() : nullptr;
    }
    QPushButton* Button(const char* name) { return Find<QPushButton>(f, name); }
    void Click(const char* name)
    {
        QPushButton* button = Button(name);
        ASSERT_NE(button, nullptr);
        ASSERT_TRUE(button->isEnabled()) << name;
        QTest::mouseClick(button, Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    void Select(QTreeWidget& tree, const QString& caption)
    {
        const QList<QTreeWidgetItem*> found = tree.findItems(caption, Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_FALSE(found.isEmpty()) << caption.toStdString();
        tree.setCurrentItem(found.front());
    }
    void Save() { QTest::mouseClick(f.SaveButton(), Qt::LeftButton); }

    TMainWindowFixture f;
};

TEST_F(PageLinksFrame, GroupNodeOffersTheStyleAndOnlyAdd)
{
    QTreeWidget* tree = Open();
    ASSERT_NE(tree, nullptr);
    ASSERT_GT(tree->topLevelItemCount(), 0) << "the shipped templates name link groups";
    QTreeWidgetItem* group = tree->topLevelItem(0);
    EXPECT_EQ(group->text(0), "MainMenu (Default links)");
    EXPECT_EQ(tree->currentItem(), group) << "the first group is selected";
    EXPECT_GT(group->childCount(), 0) << "the template's default links";
    EXPECT_TRUE(CustomLinks(*tree).empty()) << "default entries are grey";
    auto* style = Find<QComboBox>(f, "cbStyle");
    EXPECT_TRUE(style->isEnabled());
    EXPECT_EQ(style->currentText(), "Use default links");
    EXPECT_FALSE(Find<QLineEdit>(f, "edtUrl")->isVisibleTo(tree->parentWidget()));
    EXPECT_TRUE(Button("btnAdd")->isEnabled());
    for (const char* name : {"btnDelete", "btnEdit", "btnUp", "btnDown"})
        EXPECT_FALSE(Button(name)->isEnabled()) << name;

    // A default entry: no style, its address shown, still only Add.
    tree->setCurrentItem(group->child(0));
    EXPECT_FALSE(style->isEnabled());
    EXPECT_TRUE(Find<QLineEdit>(f, "edtUrl")->isVisibleTo(tree->parentWidget()));
    EXPECT_TRUE(Button("btnAdd")->isEnabled());
    EXPECT_FALSE(Button("btnDelete")->isEnabled());

    // Only the page's own links: the defaults go.
    tree->setCurrentItem(group);
    style->setFocus();
    QTest::keyClick(style, Qt::Key_End);
    EXPECT_EQ(group->text(0), "MainMenu (Only custom links)");
    EXPECT_EQ(group->childCount(), 0);
    EXPECT_TRUE(f.Editor().Context()->IsModified());
    QTest::mouseClick(f.CancelButton(), Qt::LeftButton);
    EXPECT_EQ(tree->topLevelItem(0)->text(0), "MainMenu (Default links)");
}

TEST_F(PageLinksFrame, ParentsLinksAreFollowedByThePagesOwn)
{
    const int child = f.Root().Catalog().CreateItem(kPageType, kAboutUs, 0, "shop", f.Main(), 0);
    ASSERT_GT(child, 0);
    ASSERT_TRUE(OpenWithEditor(f, child, kPageType, "CommonPageLinks", "PageLinks-basic"));
    QTreeWidget* tree = Find<TFramePageLinks>(f, "TFramePageLinks")->Tree();
    auto* style = Find<QComboBox>(f, "cbStyle");
    style->setFocus();
    QTest::keyClick(style, Qt::Key_Down);
    ASSERT_EQ(style->currentText(), "Use parent's links");
    QTreeWidgetItem* group = tree->topLevelItem(0);
    EXPECT_EQ(group->text(0), "MainMenu (Parent's links)");
    ASSERT_GT(group->childCount(), 0) << "the parent page's menu";
    EXPECT_TRUE(CustomLinks(*tree).empty()) << "the parent's entries are grey";

    AnswerAddress("https://partner.example/", "Our Partner");
    Click("btnAdd");
    group = tree->topLevelItem(0);
    EXPECT_EQ(group->child(group->childCount() - 1)->text(0), "Our Partner");
    Save();
    EXPECT_NE(GeneratePage(f, child).find("https://partner.example/"), std::string::npos);
}

TEST_F(PageLinksFrame, LinksAreAddedMovedAndDeletedUndoableUntilSave)
{
    QTreeWidget* tree = Open();
    ASSERT_NE(tree, nullptr);
    AnswerAddress("https://partner.example/", "Our Partner", "page-links-dialog");
    Click("btnAdd");
    ASSERT_EQ(CustomLinks(*tree), "Our Partner");
    EXPECT_EQ(tree->currentItem()->text(0), "Our Partner") << "the new link is selected";
    EXPECT_EQ(Find<QLineEdit>(f, "edtUrl")->text(), "https://partner.example/");
    EXPECT_TRUE(Button("btnDelete")->isEnabled());
    EXPECT_TRUE(Button("btnEdit")->isEnabled());
    EXPECT_FALSE(Button("btnUp")->isEnabled()) << "the previous sibling is a default entry";

    AnswerPage(kAboutUs);
    Click("btnAdd");
    ASSERT_EQ(CustomLinks(*tree), "Our Partner|About Us");
    EXPECT_EQ(Find<QLineEdit>(f, "edtUrl")->text(), "100003.html");
    EXPECT_FALSE(Button("btnDown")->isEnabled());
    Click("btnUp");
    EXPECT_EQ(CustomLinks(*tree), "About Us|Our Partner");
    EXPECT_EQ(tree->currentItem()->text(0), "About Us") << "the moved link stays selected";
    Shoot(f, "page-links");

    // Cancel drops every change.
    QTest::mouseClick(f.CancelButton(), Qt::LeftButton);
    EXPECT_TRUE(CustomLinks(*tree).empty());
    EXPECT_EQ(GeneratePage(f, kHome).find("partner.example"), std::string::npos);

    // Added, edited and saved: the generated page links to it.
    AnswerAddress("https://partner.example/", "Our Partner");
    Click("btnAdd");
    AnswerAddress("https://friends.example/", "Friends");
    Click("btnEdit");
    ASSERT_EQ(CustomLinks(*tree), "Friends");
    Save();
    EXPECT_FALSE(f.Editor().Context()->IsModified());
    std::string html = GeneratePage(f, kHome);
    EXPECT_NE(html.find("https://friends.example/"), std::string::npos);
    EXPECT_NE(html.find("Friends"), std::string::npos);
    EXPECT_EQ(html.find("partner.example"), std::string::npos);

    // Deleting asks first; No keeps the link.
    Select(*tree, "Friends");
    f.Boxes().QueueAnswer(mrNo);
    Click("btnDelete");
    EXPECT_EQ(CustomLinks(*tree), "Friends");
    f.Boxes().QueueAnswer(mrYes);
    Click("btnDelete");
    EXPECT_TRUE(CustomLinks(*tree).empty());
    EXPECT_GT(tree->topLevelItem(0)->childCount(), 0) << "the default entries stay";
    ASSERT_FALSE(f.Boxes().Messages("question").empty());
    EXPECT_EQ(f.Boxes().Messages("question").back(), "Do you really want to delete \"Friends\" link?");
    Save();
    EXPECT_EQ(GeneratePage(f, kHome).find("friends.example"), std::string::npos);

    // The stored links come back when the page is opened again.
    AnswerPage(kAboutUs);
    Click("btnAdd");
    Save();
    EXPECT_TRUE(OpenWithEditor(f, kAboutUs, kPageType, "CommonPageLinks", "PageLinks-basic"));
    tree = Open();
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(CustomLinks(*tree), "About Us");
}

}  // namespace

namespace {

constexpr int kScriptType = 506;
constexpr int kTemplatesRoot = 5;

std::string StoredName(TMainWindowFixture& f, int itemId)
{
    TQueryGuard query(f.Main());
    query->SetSQL("SELECT StringValue FROM CStrings WHERE ItemId = :Id AND ClassId = 1 AND MemberId = 1");
    query->SetParam("Id", itemId);
    TAbstractRecordset& r = query->Open(true);
    return r.Eof() ? std::string() : FieldText(r, "StringValue");
}

TEST(ScriptPropertiesFrame, NameAndFileNameAreSavedForEveryLanguageAndCancelRestoresThem)
{
    TMainWindowFixture f(RegisterFrameworkClasses);
    ASSERT_EQ(f.CreateAndOpen(), "");
    const int script = f.Root().Catalog().CreateItem(kScriptType, kTemplatesRoot, 0, "shop", f.Main(), 0);
    ASSERT_GT(script, 0);
    ASSERT_TRUE(
        OpenWithEditor(f, script, kScriptType, "CommonJavaScriptPropertiesEditor", "JavaScriptProperties-basic"));
    auto* name = Find<QLineEdit>(f, "edtScriptName");
    auto* fileName = Find<QLineEdit>(f, "edtScriptFileName");
    ASSERT_NE(name, nullptr);
    ASSERT_NE(fileName, nullptr);
    EXPECT_EQ(Find<QLabel>(f, "lblScriptId")->text(), QString::number(script));
    EXPECT_EQ(Find<QLabel>(f, "lblVersion")->text(), "Unknown");
    const QString original = name->text();

    name->selectAll();
    QTest::keyClicks(name, "Slideshow");
    EXPECT_TRUE(f.Editor().Context()->IsModified());
    QTest::mouseClick(f.CancelButton(), Qt::LeftButton);
    EXPECT_EQ(name->text(), original);

    name->selectAll();
    QTest::keyClicks(name, "Slideshow");
    QTest::keyClicks(fileName, "slideshow");
    Shoot(f, "script-properties");
    QTest::mouseClick(f.SaveButton(), Qt::LeftButton);
    EXPECT_FALSE(f.Editor().Context()->IsModified());
    EXPECT_EQ(StoredName(f, script), "Slideshow");
    {
        TQueryGuard query(f.Main());
        query->SetSQL("SELECT LangCode FROM CStrings WHERE ItemId = :Id AND StringValue = 'slideshow'");
        query->SetParam("Id", script);
        TAbstractRecordset& r = query->Open(true);
        ASSERT_FALSE(r.Eof()) << "the file name is stored";
        EXPECT_EQ(FieldText(r, "LangCode"), "XXX") << "the same in every language";
    }
}

}  // namespace

namespace {

// A page under an ordinary page, whose meta values may come from its parent.
int AddChildPage(TMainWindowFixture& f)
{
    return f.Root().Catalog().CreateItem(kPageType, kAboutUs, 0, "shop", f.Main(), 0);
}

TEST(SimpleMetaTagsFrame, ChildPageKeepsItsOwnValuesOnlyOnceTheParentBoxIsUnticked)
{
    TMainWindowFixture f(RegisterFrameworkClasses);
    ASSERT_EQ(f.CreateAndOpen(), "");
    const int child = AddChildPage(f);
    ASSERT_GT(child, 0);
    auto open = [&](int itemId) {
        OpenMetaTags(f, itemId);
        return Find<QCheckBox>(f, "chkUseParent");
    };
    QCheckBox* useParent = open(child);
    ASSERT_NE(useParent, nullptr) << "the simple frame shows outside the advanced mode";
    EXPECT_EQ(Find<QWidget>(f, "TFramePageMetaTags"), nullptr);
    auto* description = Find<QPlainTextEdit>(f, "memDescription");
    auto* keywords = Find<QPlainTextEdit>(f, "memKeywords");
    auto* refresh = Find<QLineEdit>(f, "edtRefresh");
    EXPECT_TRUE(useParent->isVisibleTo(description->window()));
    EXPECT_TRUE(useParent->isChecked()) << "a new page says nothing of its own";
    EXPECT_FALSE(description->isEnabled());

    useParent->click();
    EXPECT_TRUE(description->isEnabled());
    description->setFocus();
    QTest::keyClicks(description, "Boots for every season");
    QTest::keyClicks(keywords, "boots, shoes");
    QTest::keyClicks(refresh, "30");
    Shoot(f, "simple-meta-tags");
    QTest::mouseClick(f.CancelButton(), Qt::LeftButton);
    EXPECT_TRUE(useParent->isChecked());
    EXPECT_EQ(description->toPlainText(), "");

    useParent->click();
    QTest::keyClicks(description, "Boots for every season");
    QTest::keyClicks(refresh, "30");
    QTest::mouseClick(f.SaveButton(), Qt::LeftButton);
    EXPECT_FALSE(f.Editor().Context()->IsModified());
    EXPECT_NE(GeneratePage(f, child).find("Boots for every season"), std::string::npos);

    // Another page, then this one again: the stored values come back.
    useParent = open(kAboutUs);
    ASSERT_NE(useParent, nullptr);
    EXPECT_FALSE(useParent->isVisibleTo(useParent->window())) << "a page under the web tree's root has no parent box";
    EXPECT_TRUE(Find<QPlainTextEdit>(f, "memDescription")->isEnabled());
    useParent = open(child);
    EXPECT_FALSE(useParent->isChecked());
    EXPECT_EQ(Find<QPlainTextEdit>(f, "memDescription")->toPlainText(), "Boots for every season");
    EXPECT_EQ(Find<QLineEdit>(f, "edtRefresh")->text(), "30");

    // Back to the parent's values: the page's own are cleared.
    useParent->click();
    QTest::mouseClick(f.SaveButton(), Qt::LeftButton);
    EXPECT_EQ(GeneratePage(f, child).find("Boots for every season"), std::string::npos);
    open(kAboutUs);
    useParent = open(child);
    EXPECT_TRUE(useParent->isChecked());
    EXPECT_EQ(Find<QLineEdit>(f, "edtRefresh")->text(), "");
}

TEST(WebPageContainerFrame, HoldsASecondEditorOfThePage)
{
    TMainWindowFixture f(RegisterFrameworkClasses);
    ASSERT_EQ(f.CreateAndOpen(), "");
    ASSERT_TRUE(OpenWithEditor(f, kAboutUs, kPageType, "CommonWebPage", "WebPageEditor-properties"));
    EXPECT_NE(Find<QWidget>(f, "TFrameWebPageContainer"), nullptr);
    EXPECT_NE(Find<QWidget>(f, "pnlWebPageClient"), nullptr);
    QTest::mouseClick(f.SaveButton(), Qt::LeftButton);
    EXPECT_TRUE(f.Boxes().Messages("error").empty());
    // Leaving the page frees the nested editor before its panel.
    EXPECT_TRUE(OpenWithEditor(f, kHome, kHomeType, "CommonPageLinks", "PageLinks-basic"));
}

}  // namespace

namespace {

// The stored "Expires" and "ExpiresValue" (members 6 and 7 of "WebDocumentOther") of a page, joined by "|".
std::string StoredExpiry(TMainWindowFixture& f, int itemId)
{
    std::string values[2];
    TQueryGuard query(f.Main());
    query->SetSQL("SELECT MemberId, StringValue FROM CStrings WHERE ItemId = :Id AND ClassId = 11 AND MemberId IN (6, 7)");
    query->SetParam("Id", itemId);
    for (TAbstractRecordset& r = query->Open(true); !r.Eof(); r.Next())
        values[FieldText(r, "MemberId") == "7"] = FieldText(r, "StringValue");
    return values[0] + "|" + values[1];
}

TEST(MetaTagsFrame, ExpiryIsStoredAsAnAbsoluteDateOrAsRfc850Text)
{
    TMainWindowFixture f(RegisterFrameworkClasses, true);
    ASSERT_EQ(f.CreateAndOpen(), "");
    auto open = [&](int itemId) {
        OpenMetaTags(f, itemId);
        return Find<QCheckBox>(f, "chkExpires");
    };
    auto save = [&] {
        QTest::mouseClick(f.SaveButton(), Qt::LeftButton);
        EXPECT_FALSE(f.Editor().Context()->IsModified());
    };
    QCheckBox* expires = open(kAboutUs);
    ASSERT_NE(expires, nullptr);
    auto* absolute = Find<QRadioButton>(f, "rbExpiresAbsolute");
    auto* rfc850 = Find<QRadioButton>(f, "rbExpiresRfc850");
    auto* picker = Find<QDateTimeEdit>(f, "dtExpires");
    auto* text = Find<QLineEdit>(f, "edtExpiresRfc850");
    EXPECT_FALSE(expires->isChecked());
    EXPECT_FALSE(picker->isEnabled());
    EXPECT_FALSE(absolute->isEnabled());

    expires->click();
    EXPECT_TRUE(absolute->isChecked());
    EXPECT_TRUE(picker->isEnabled());
    EXPECT_FALSE(text->isEnabled());
    picker->setDateTime(QDateTime(QDate(2000, 1, 1), QTime(10, 30, 0)));
    Find<QTabWidget>(f, "pcMetaTags")->setCurrentIndex(5);
    Shoot(f, "meta-tags-expiry");
    save();
    EXPECT_EQ(StoredExpiry(f, kAboutUs), "1|Sat, 01 Jan 2000 10:30:00 GMT");

    open(kHome);
    expires = open(kAboutUs);
    picker = Find<QDateTimeEdit>(f, "dtExpires");
    EXPECT_TRUE(expires->isChecked());
    EXPECT_EQ(picker->dateTime(), QDateTime(QDate(2000, 1, 1), QTime(10, 30, 0)));

    rfc850 = Find<QRadioButton>(f, "rbExpiresRfc850");
    text = Find<QLineEdit>(f, "edtExpiresRfc850");
    rfc850->click();
    EXPECT_FALSE(picker->isEnabled());
    ASSERT_TRUE(text->isEnabled());
    QTest::keyClicks(text, "Saturday, 01-Jan-00 10:30:00 GMT");
    save();
    EXPECT_EQ(StoredExpiry(f, kAboutUs), "2|Saturday, 01-Jan-00 10:30:00 GMT");

    expires->click();
    EXPECT_FALSE(text->isEnabled());
    save();
    EXPECT_EQ(StoredExpiry(f, kAboutUs), "|");
}

}  // namespace

namespace {

TEST(MetaTagsFrame, ListsStoreTheirCodesAndTheCharsetFollowsTheWindowTarget)
{
    TMainWindowFixture f(RegisterFrameworkClasses, true);
    ASSERT_EQ(f.CreateAndOpen(), "");
    auto open = [&](int itemId) { OpenMetaTags(f, itemId); };
    open(kAboutUs);
    auto* charset = Find<QComboBox>(f, "cmbCharset");
    auto* charsetOther = Find<QLineEdit>(f, "edtCharsetOther");
    auto* windowTarget = Find<QCheckBox>(f, "chkCharsetWindowTarget");
    auto* documentClass = Find<QComboBox>(f, "cmbClass");
    auto* enterTime = Find<QComboBox>(f, "cmbEnterTime");
    auto* exitTime = Find<QComboBox>(f, "cmbExitTime");
    ASSERT_TRUE(charset && charsetOther && windowTarget && documentClass && enterTime && exitTime);
    ASSERT_GT(documentClass->count(), 1) << "filled from the reference list";
    EXPECT_EQ(documentClass->currentIndex(), -1) << "nothing stored, nothing chosen";

    // Typing another charset drops the choice; choosing one empties the text.
    charset->setCurrentIndex(0);
    QTest::keyClicks(charsetOther, "koi8-r");
    EXPECT_EQ(charset->currentIndex(), -1);
    charset->setCurrentIndex(0);
    EXPECT_EQ(charsetOther->text(), "");
    // The window target takes the charset away.
    windowTarget->click();
    EXPECT_EQ(charset->currentIndex(), -1);
    EXPECT_FALSE(charset->isEnabled());
    EXPECT_FALSE(charsetOther->isEnabled());

    documentClass->setCurrentIndex(1);
    const QString chosenClass = documentClass->currentText();
    enterTime->setCurrentText("3");
    exitTime->setCurrentText("Long");
    Find<QTabWidget>(f, "pcMetaTags")->setCurrentIndex(2);
    Shoot(f, "meta-tags-languages");
    QTest::mouseClick(f.SaveButton(), Qt::LeftButton);
    EXPECT_FALSE(f.Editor().Context()->IsModified());
    {
        TQueryGuard query(f.Main());
        query->SetSQL("SELECT NumberValue FROM CNumbers WHERE ItemId = :Id AND ClassId = 14 AND MemberId IN (2, 4) ORDER BY MemberId");
        query->SetParam("Id", kAboutUs);
        std::string seconds;
        for (TAbstractRecordset& r = query->Open(true); !r.Eof(); r.Next())
            seconds += FieldText(r, "NumberValue") + " ";
        EXPECT_EQ(seconds, "3 6 ") << "the times in seconds";
    }

    open(kHome);
    open(kAboutUs);
    EXPECT_EQ(Find<QComboBox>(f, "cmbClass")->currentText(), chosenClass);
    EXPECT_EQ(Find<QComboBox>(f, "cmbEnterTime")->currentText(), "3");
    EXPECT_EQ(Find<QComboBox>(f, "cmbExitTime")->currentText(), "Long");
    EXPECT_TRUE(Find<QCheckBox>(f, "chkCharsetWindowTarget")->isChecked());
    EXPECT_FALSE(Find<QComboBox>(f, "cmbCharset")->isEnabled());
}

}  // namespace

namespace {

// In the advanced mode a page picked in the web tree shows the real meta
// tags and links tabs of its item type's editor list.
TEST(PageEditorTabs, AdvancedModeShowsTheMetaTagsAndLinksOfAPage)
{
    TMainWindowFixture f(RegisterFrameworkClasses, true);
    ASSERT_EQ(f.CreateAndOpen(), "");
    f.Shell().CatalogUI()->SelectWebTreeItem(kAboutUs);
    QCoreApplication::processEvents();
    ASSERT_TRUE(f.Editor().Container()->ActivateTabByName("WebPageMetaTagsEditor-properties"));
    EXPECT_NE(Find<QWidget>(f, "TFramePageMetaTags"), nullptr);
    ASSERT_TRUE(f.Editor().Container()->ActivateTabByName("PageLinks-basic"));
    auto* links = Find<TFramePageLinks>(f, "TFramePageLinks");
    ASSERT_NE(links, nullptr);
    EXPECT_GT(links->Tree()->topLevelItemCount(), 0);
}

}  // namespace
