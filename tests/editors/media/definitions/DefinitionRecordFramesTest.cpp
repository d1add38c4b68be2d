// The definition's record editors in the style catalog opened through File /
// Styles: key values, actions, error messages and the catalog-type
// description are edited, saved and read again; the object editor writes
// back only the cell that was edited; the editor container nests the editors
// of its configured editor type, or nothing.
#include "../../site/EditorPaneHelpers.h"

#include "catalog/Catalog.h"
#include "editors/framework/Registration.h"
#include "editors/framework/TolvexItemEditor.h"
#include "editors/media/definitions/FrameDefinitionRecord.h"
#include "editors/media/definitions/FrameEditorContainer.h"
#include "editors/media/definitions/FrameObjectEditor.h"
#include "storage/ConfiguredDatabase.h"
#include "storage/NameValueLines.h"
#include "storage/ProgramFolderFixture.h"
#include "storage/RecordValues.h"
#include "storage/SQLiteModule.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTableWidget>

#include <gtest/gtest.h>

namespace {

void ShootWindow(QWidget& window, const char* name)
{
    if (const char* dir = std::getenv("TOLVEX_SCREENSHOT_DIR"))
        window.grab().save(QString("%1/site-%2.png").arg(dir, name));
}

class DefinitionRecordFrames : public ::testing::Test {
protected:
    DefinitionRecordFrames() { f.OpenStyleCatalog(1); }

    void Open(int itemId)
    {
        f.Shell().ExecuteAction("Action=MainPageEditor&ItemId=" + std::to_string(itemId), false);
        QCoreApplication::processEvents();
    }
    template <class TFrame>
    TFrame* OpenFrame(int itemId, const std::string& tabName)
    {
        Open(itemId);
        if (!f.Editor().Container()->ActivateTabByName(tabName))
            return nullptr;
        return FrameOfTab<TFrame>(f, tabName);
    }
    std::vector<std::string> Committed(const std::string& table, const std::string& column, int itemId, int classId,
                                       int memberId)
    {
        TQueryGuard query(f.Main());
        query->SetSQL("SELECT " + column + " AS V FROM " + table + " WHERE CatalogCode = :Code AND ItemId = :Id "
                      "AND ClassId = :Class AND MemberId = :Member ORDER BY LangCode, IndexId");
        query->SetParam("Code", f.Data().GetCatalogCode());
        query->SetParam("Id", itemId);
        query->SetParam("Class", classId);
        query->SetParam("Member", memberId);
        std::vector<std::string> values;
        for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next())
            values.push_back(FieldText(rows, "V"));
        return values;
    }
    std::vector<std::string> String(int itemId, int classId, int memberId)
    {
        return Committed("CStrings", "StringValue", itemId, classId, memberId);
    }
    std::vector<std::string> Number(int itemId, int classId, int memberId)
    {
        return Committed("CNumbers", "CAST(NumberValue AS INTEGER)", itemId, classId, memberId);
    }
    QLineEdit* Edit(QWidget* frame, const char* name) { return frame->findChild<QLineEdit*>(name); }

    TMainWindowFixture f{RegisterFrameworkClasses};
};

TEST_F(DefinitionRecordFrames, KeyValueAndActionAreSavedAndReadAgain)
{
    auto* keyValue = OpenFrame<TFrameKeyValue>(300001, "KeyValue-basic");
    ASSERT_NE(keyValue, nullptr);
    EXPECT_EQ(Edit(keyValue, "edtKey")->text(), "TabCaption");
    TypeOver(Edit(keyValue, "edtValue"), "XSL Text");
    TypeOver(Edit(keyValue, "edtName"), "Source caption");
    Shoot(f, "record-keyvalue");
    PressSave(f);
    EXPECT_EQ(String(300001, 804, 3), std::vector<std::string>{"XSL Text"});
    EXPECT_EQ(String(300001, 804, 1), std::vector<std::string>{"CommonXmlSourcesEditor"}) << "untouched";
    EXPECT_EQ(f.Data().GetItemName(300001, f.Main(), "EN"), "Source caption");

    auto* action = OpenFrame<TFrameActionEditor>(290001, "ActionProperties-basic");
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(Edit(action, "edtItemId")->text(), "290001");
    EXPECT_TRUE(Edit(action, "edtItemId")->isReadOnly());
    TypeOver(Edit(action, "edtActionId"), "abc");
    TypeOver(Edit(action, "edtCommand"), "Action=MainPageEditor&ItemType=1003");
    Shoot(f, "record-action");
    PressSave(f);
    const std::vector<std::string> id = Number(290001, 801, 1);
    EXPECT_TRUE(id.empty() || id == std::vector<std::string>{"0"}) << "\"abc\" is stored as 0";
    EXPECT_EQ(Edit(action, "edtActionId")->text(), "0");
    EXPECT_EQ(String(290001, 801, 2), std::vector<std::string>{"Action=MainPageEditor&ItemType=1003"});

    // Read again from the catalog.
    keyValue = OpenFrame<TFrameKeyValue>(300001, "KeyValue-basic");
    ASSERT_NE(keyValue, nullptr);
    EXPECT_EQ(Edit(keyValue, "edtValue")->text(), "XSL Text");
    EXPECT_EQ(Edit(keyValue, "edtName")->text(), "Source caption");
}

TEST_F(DefinitionRecordFrames, AnErrorMessageIsKnownByItsKey)
{
    const int itemId = f.Root().Catalog().CreateItem(811, 8, 0, f.Data().GetCatalogCode(), f.Main(), 0);
    auto* message = OpenFrame<TFrameErrorMessage>(itemId, "EditErrorMessage-basic");
    ASSERT_NE(message, nullptr);
    EXPECT_TRUE(message->findChild<QLabel*>("lblHint")->text().contains("{n}"));
    TypeOver(Edit(message, "edtKey"), "NoStock");
    auto* text = message->findChild<QPlainTextEdit*>("memMessage");
    text->setFocus();
    QTest::keyClicks(text, "Only {1} left");
    Shoot(f, "record-errormessage");
    PressSave(f);
    EXPECT_EQ(String(itemId, 811, 1), std::vector<std::string>{"NoStock"});
    EXPECT_EQ(String(itemId, 811, 2), std::vector<std::string>{"Only {1} left"});
    EXPECT_EQ(f.Data().GetItemName(itemId, f.Main(), "EN"), "NoStock");
}

TEST_F(DefinitionRecordFrames, TheCatalogTypeWritesWhatWasChangedAndKeepsTheRest)
{
    const std::vector<std::string> body = Committed("CText", "LENGTH(TextValue)", 806, 806, 6);
    auto* type = OpenFrame<TFrameCatalogType>(806, "CatalogType-basic");
    ASSERT_NE(type, nullptr);
    EXPECT_EQ(Edit(type, "edtCatalogType")->text(), "1");
    TypeOver(Edit(type, "edtCatalogName"), "Business site");
    TypeOver(Edit(type, "edtOrderNum"), "7");
    Shoot(f, "record-catalogtype");
    PressSave(f);
    EXPECT_EQ(String(806, 806, 2), std::vector<std::string>{"Business site"});
    EXPECT_EQ(f.Data().GetItemName(806, f.Main(), "EN"), "Business site");
    EXPECT_EQ(Number(806, 806, 1), std::vector<std::string>{"7"});
    EXPECT_EQ(Number(806, 806, 9), std::vector<std::string>{"1"});
    EXPECT_EQ(Number(806, 806, 4), std::vector<std::string>{"1"}) << "\"Listed\" is not on the frame";
    EXPECT_EQ(Committed("CText", "LENGTH(TextValue)", 806, 806, 6), body);
}

TEST_F(DefinitionRecordFrames, TheObjectEditorShowsTheConfiguredClassAndWritesTheEditedCell)
{
    // Catalog property 702 under "ObjectEditorCatalogProperty": the class and caption come from key values.
    Open(702);
    auto* tabs = f.EditorPane()->findChild<QTabWidget*>();
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->tabText(0), "Property Value");
    ASSERT_TRUE(f.Editor().Container()->ActivateTabByName("ObjectEditor-basic"));
    auto* frame = FrameOfTab<TFrameObjectEditor>(f, "ObjectEditor-basic");
    ASSERT_NE(frame, nullptr);
    auto* grid = frame->findChild<QTableWidget*>("grdObject");
    ASSERT_EQ(grid->rowCount(), 1);
    EXPECT_EQ(grid->horizontalHeaderItem(0)->text(), "CatalogProperty");
    EXPECT_EQ(grid->item(0, 0)->text(), "PropertyValue");
    EXPECT_EQ(grid->currentColumn(), 1);
    grid->setCurrentCell(0, 0);
    EXPECT_EQ(grid->currentColumn(), 1) << "the member column is not selectable";
    grid->item(0, 1)->setText("42");
    Shoot(f, "record-objecteditor");
    PressSave(f);
    EXPECT_EQ(String(702, 603, 1), std::vector<std::string>{"42"});
}

// A definition of type 4 (the style catalog's own) that gives catalog
// properties two editor containers: one with editor type 7, which shows the
// item-properties editor, and one without an editor type.
void AddEditorContainers(TMainWindowFixture& f)
{
    const std::string file = SQLiteDatabaseFileName(DatabasesFolder(f.Home().Path()), "catalog_4");
    const std::string definition =
        "(SELECT v.ItemId FROM CNumbers v JOIN Items i ON i.CatalogCode = v.CatalogCode AND i.ItemId = v.ItemId "
        "WHERE v.CatalogCode = 't#4' AND v.ClassId = 810 AND v.MemberId = 1 AND v.NumberValue = 603 "
        "AND i.ItemType = 810)";
    std::string sql;
    const auto editor = [&](int instance, const std::string& name, int kind, int order) {
        sql += "INSERT INTO CObjectInstances (CatalogCode, ItemId, ClassId, ParentInstanceId, InstanceId) "
               "SELECT 't#4', " + definition + ", 802, 0, " + std::to_string(instance) + ";\n"
               "INSERT INTO CStrings (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, "
               "MemberType, StringValue) SELECT 't#4', " + definition + ", 802, " + std::to_string(instance) +
               ", 2, 'XXX', 0, 1, '" + name + "';\n"
               "INSERT INTO CNumbers (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, "
               "MemberType, NumberValue) SELECT 't#4', " + definition + ", 802, " + std::to_string(instance) +
               ", 3, 'XXX', 0, 101, " + std::to_string(kind) + " UNION ALL SELECT 't#4', " + definition + ", 802, " +
               std::to_string(instance) + ", 6, 'XXX', 0, 101, " + std::to_string(order) + ";\n";
    };
    editor(901, "EditorContainerNested", 0, 900);
    editor(902, "EditorContainerEmpty", 0, 910);
    editor(903, "ItemProperties", 7, 10);
    const auto keyValue = [&](int id, const std::string& filter, const std::string& key, const std::string& value) {
        const std::string item = std::to_string(id);
        sql += "INSERT INTO Items (CatalogCode, ItemId, ItemType, ParentItemId, LinkedItemId, OrderNum, NotVisible) VALUES "
               "('t#4', " + item + ", 804, 30, " + item + ", 0, 0);\n"
               "INSERT INTO CObjectInstances (CatalogCode, ItemId, ClassId, ParentInstanceId, InstanceId) VALUES "
               "('t#4', " + item + ", 804, 0, 1);\n"
               "INSERT INTO CStrings (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, "
               "MemberType, StringValue) VALUES ('t#4', " + item + ", 804, 1, 1, 'XXX', 0, 1, '" + filter + "'), "
               "('t#4', " + item + ", 804, 1, 2, 'XXX', 0, 1, '" + key + "'), "
               "('t#4', " + item + ", 804, 1, 3, 'XXX', 0, 1, '" + value + "');\n";
    };
    keyValue(399001, "EditorContainerNested", "EditorType", "7");
    keyValue(399002, "EditorContainerNested", "TabCaption", "Nested");
    ExecOnFile(file, sql);
}

TEST(DefinitionEditorContainer, NestsTheConfiguredEditorTypeOrNothing)
{
    TMainWindowFixture f(RegisterFrameworkClasses);
    AddEditorContainers(f);
    f.OpenStyleCatalog(1);
    f.Shell().ExecuteAction("Action=MainPageEditor&ItemId=702", false);
    QCoreApplication::processEvents();

    ASSERT_TRUE(f.Editor().Container()->ActivateTabByName("EditorContainer-basic"));
    auto* nested = FrameOfTab<TFrameEditorContainer>(f, "EditorContainer-basic");
    ASSERT_NE(nested, nullptr);
    EXPECT_EQ(nested->EditorType(), 7);
    auto* properties = nested->findChild<QLineEdit*>("edtItemPropertiesId");
    ASSERT_NE(properties, nullptr) << "the item-properties editor of editor type 7 is nested";
    EXPECT_EQ(properties->text(), "702");
    Shoot(f, "record-editorcontainer");

    // The second container has no editor type: an empty panel.
    QTabWidget* tabs = nullptr;
    for (auto* candidate : f.EditorPane()->findChildren<QTabWidget*>())
        if (candidate->count() >= 3)
            tabs = candidate;
    ASSERT_NE(tabs, nullptr);
    QStringList captions;
    for (int i = 0; i < tabs->count(); ++i)
        captions << tabs->tabText(i);
    EXPECT_TRUE(captions.contains("Nested"));
    EXPECT_TRUE(captions.contains("EditorContainerEmpty")) << "no caption configured: the editor's name";
    tabs->setCurrentIndex(captions.indexOf("EditorContainerEmpty"));
    QCoreApplication::processEvents();
    TFrameEditorContainer* empty = nullptr;
    // The frames have no meta object of their own: findChildren would take any widget.
    for (QWidget* widget : f.EditorPane()->findChildren<QWidget*>())
        if (auto* frame = dynamic_cast<TFrameEditorContainer*>(widget); frame && frame != nested)
            empty = frame;
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->EditorType(), 0);
    EXPECT_EQ(empty->findChild<QTabWidget*>(), nullptr);
    EXPECT_EQ(empty->findChild<QLineEdit*>(), nullptr);
}

}  // namespace

namespace {

// The code-row dialog as the classification codes open it: with an id of 0
// and no name both refusals are shown as one text and the caller is asked
// to show the dialog again; the values typed then are handed back.
TEST(EditCodesDialog, RefusesAMissingIdAndNameThenHandsBackTheCategory)
{
    TMainWindowFixture f(RegisterFrameworkClasses);
    f.OpenStyleCatalog(1);
    f.Shell().ExecuteAction("Action=MainPageEditor&ItemId=806", false);
    QCoreApplication::processEvents();
    TTolvexControlClass& context = *f.Editor().Context();
    std::vector<std::string> params = {"CodesType=ebay", "Id=0", "Level=2", "ParentId=20081", "Name=", "Leaf=no"};
    std::string caption;
    bool hidden = false;
    std::vector<std::string> afterRefusal;
    WhenShown([&](TfrmFrameContainer& window) {
        caption = window.windowTitle().toStdString();
        auto* pages = window.findChild<QTabWidget*>("pcCodes");
        hidden = pages && pages->count() == 3 && !pages->isTabVisible(1) && !pages->isTabVisible(2);
        ShootWindow(window, "editcodes-dialog");
        window.btnContainerOk->click();
        afterRefusal = params;
        window.findChild<QLineEdit*>("edtCategoryId")->setText("20082");
        window.findChild<QLineEdit*>("edtName")->setText("Vintage clocks");
        window.findChild<QCheckBox*>("chkLeafCategory")->setChecked(true);
        window.btnContainerOk->click();
    });
    TTolvexItemEditor dialog(context.Services(), nullptr);
    dialog.SetConnection(&context.GetConnection());
    dialog.PrepareOpen(0, 0, "", "");
    EXPECT_TRUE(dialog.OpenItemWithEditor(-1, -1, -1, "EditCodes", "", &params));

    EXPECT_NE(caption.find("eBay Codes"), std::string::npos) << caption;
    EXPECT_TRUE(hidden) << "only the eBay and Zarivuro page shows";
    EXPECT_EQ(f.Boxes().Messages("error"),
              std::vector<std::string>{"Enter valid category codeEnter name of the category"});
    EXPECT_EQ(ValueOfName(afterRefusal, "reedit"), "yes");
    EXPECT_EQ(ValueOfName(params, "Id"), "20082");
    EXPECT_EQ(ValueOfName(params, "Name"), "Vintage clocks");
    EXPECT_EQ(ValueOfName(params, "Leaf"), "yes");
    EXPECT_EQ(ValueOfName(params, "ParentId"), "20081");
}

}  // namespace
