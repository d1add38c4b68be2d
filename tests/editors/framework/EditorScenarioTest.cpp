// The item editor in the main window, end to end: the home page opens in
// the editor pane when the catalog opens, a real frame edits its name, the
// preview generates the page through the editor's connection with the
// unsaved name; meanwhile the main window moves an item in the tree,
// creates a page, writes a catalog property and publishes the site to a
// folder, none of them meeting a busy catalog; then Cancel leaves the
// item's rows exactly as they were, and in a second run Save stores the edit.
#include "MainWindowFixture.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/CatalogDefinition.h"
#include "catalog/CatalogPageGeneration.h"
#include "catalog/InternalPluginsManager.h"
#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "catalog/TreeManager.h"
#include "common/CommonProcedures.h"
#include "common/GlobalSettings.h"
#include "editors/framework/FrameClass.h"
#include "editors/framework/ItemEditorContainer.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/framework/Registration.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexItemEditor.h"
#include "editors/framework/TolvexUIEditor.h"
#include "generation/Transformer.h"
#include "publishing/ui/frmDetailProcess.h"
#include "publishing/ui/frmPublishParameters.h"
#include "publishing/AbstractPublisher.h"
#include "shell/CatalogWindowUI.h"
#include "shell/HelpFiles.h"
#include "shell/MainWindow.h"
#include "shell/QtShell.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/ObjectCollection.h"
#include "storage/QueryGuard.h"
#include "storage/RecordValues.h"
#include "storage/SQLiteModule.h"
#include "storage/ShippedData.h"
#include "support/ScriptedGui.h"
#include "support/TempFolder.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>

namespace {

constexpr int kHome = 100001;

// A page with one edit: the item's name in the content language.
class TTestNameFrame : public QWidget, public TTolvexFrameEditor {
public:
    explicit TTestNameFrame(TFrameSite& site)
    {
        setObjectName("TTestNameFrame");
        edit_ = new QLineEdit(this);
        edit_->setObjectName("edtTestName");
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(edit_);
        layout->addStretch();
        connect(edit_, &QLineEdit::textChanged, this, [this] { SetModified(); });
        if (TQtFrameSite* page = TQtFrameSite::Of(site))
            page->Place(this);
    }
    void LoadFromObjects(bool) override
    {
        TrackChanges = false;
        TAbstractCObject* names = GetObject("CommonNames");
        edit_->setText(QString::fromUtf8(names ? names->GetLangString("ItemName", ContentLangCode(), 0).c_str() : ""));
        TrackChanges = true;
    }
    void StoreToObjects(bool) override
    {
        if (TAbstractCObject* names = GetObject("CommonNames"))
            names->SetLangString("ItemName", ContentLangCode(), edit_->text().toUtf8().toStdString(), 0);
    }

private:
    QLineEdit* edit_;
};

const TFrameClassOf<TTestNameFrame> kTestNameFrame("", "TTestNameFrame");

class TTestPropertiesEditor : public TTolvexUIEditor {
public:
    using TTolvexUIEditor::TTolvexUIEditor;
    void CreatePages() override { AddTab("Test properties", "TestProps", &kTestNameFrame); }
};

void RegisterAll(TInternalPluginsManager& registry)
{
    RegisterFrameworkClasses(registry);
    for (const char* name : {"CommonPageProperties", "SimplePageProperties"})
        registry.RegisterPluginClass(name, pkItemEditor, [](const std::string& asked, const std::string& params) {
            return std::unique_ptr<TAbstractPluginClass>(new TTestPropertiesEditor(asked, params));
        });
}

// Every value row of the item, as text.
std::string ItemRows(TAbstractDBConnection& connection, int itemId)
{
    std::string rows;
    TQueryGuard query(connection);
    for (const char* table : {"CStrings", "CText", "CNumbers"}) {
        const std::string column = std::string(table) == "CNumbers" ? "NumberValue" : std::string(table) == "CText" ? "TextValue" : "StringValue";
        query->SetSQL(std::string("SELECT * FROM ") + table +
                      " WHERE ItemId = :ItemId ORDER BY ClassId, InstanceId, MemberId, LangCode, IndexId");
        query->SetParam("ItemId", itemId);
        for (TAbstractRecordset& r = query->Open(true); !r.Eof(); r.Next())
            rows += FieldText(r, "ClassId") + "/" + FieldText(r, "InstanceId") + "/" + FieldText(r, "MemberId") + "/" +
                    FieldText(r, "LangCode") + "=" + FieldText(r, column) + "\n";
        query->Close();
    }
    return rows;
}

void RunScenario(bool save)
{
    TMainWindowFixture f(RegisterAll);
    ASSERT_EQ(f.CreateAndOpen(), "");
    ASSERT_TRUE(f.Shell().CatalogUI() && f.Shell().CatalogUI()->MainEditor());
    // A new catalog's start action (its initial settings) comes first; then
    // selecting the home page in the web tree opens it.
    QCoreApplication::processEvents();
    f.Shell().CatalogUI()->SelectWebTreeItem(kHome);
    QCoreApplication::processEvents();
    TTolvexItemEditor& editor = f.Editor();
    ASSERT_EQ(editor.GetTreeItemId(), kHome);
    const std::string before = ItemRows(f.Main(), kHome);

    ASSERT_TRUE(editor.Container()->ActivateTabByName("TestProps"));
    auto* edit = f.EditorPane()->findChild<QLineEdit*>("edtTestName");
    ASSERT_NE(edit, nullptr);
    edit->selectAll();
    QTest::keyClicks(edit, "Unsaved welcome");
    EXPECT_TRUE(f.SaveButton()->isEnabled());
    if (const char* dir = std::getenv("TOLVEX_SCREENSHOT_DIR")) {
        f.Window().resize(1100, 720);
        f.Window().grab().save(QString("%1/editor-pane-%2.png").arg(dir, save ? "save" : "cancel"));
    }

    // The preview: the page generated through the editor's connection shows the unsaved name.
    TTolvexControlClass& context = *editor.Context();
    std::string html;
    ASSERT_TRUE(context.WithUnsavedValues([&](TAbstractDBConnection& connection) {
        TTransformer transformer(f.Data().GetPageGeneration(), f.Data().GetCatalogCode(), nullptr);
        transformer.GeneratePage(kHome, kHome, context.GetItemType(), context.GetCurrentLangCode(),
                                 context.GetObjectCollection(), connection, "");
        html = transformer.GetResultHtml();
    }));
    EXPECT_NE(html.find("Unsaved welcome"), std::string::npos);

    // The main window works on while the item stays unsaved.
    TCatalog& catalog = f.Root().Catalog();
    const int folder = catalog.CreateItem(2, 1, 0, "shop", f.Main(), 0);
    const int page = catalog.CreateItem(1, 1, 0, "shop", f.Main(), 0);
    EXPECT_GT(page, 0);
    EXPECT_TRUE(f.Shell().CatalogUI()->WebTree()->MoveItemInDatabase(page, folder));
    f.Data().SetCatalogProperty(709, "no", f.Main());
    TTempFolder site;
    f.Shell().Dialogs().SetFolderChooser([&](const std::string&, const std::string&) { return site.Path(); });
    // The publish parameters window comes up after the folder: start with its defaults.
    auto startWithDefaults = std::make_shared<std::function<void()>>();
    *startWithDefaults = [startWithDefaults] {
        if (auto* dialog = qobject_cast<TfrmPublishParameters*>(QApplication::activeModalWidget())) {
            dialog->StartButton()->click();
            *startWithDefaults = nullptr;  // ends the cycle of owners
        } else
            QTimer::singleShot(5, *startWithDefaults);
    };
    QTimer::singleShot(0, *startWithDefaults);
    f.Shell().ExecuteAction("Action=PublishLocally", false);
    QCoreApplication::processEvents();
    std::vector<TfrmDetailProcess*> windows = TfrmDetailProcess::ProcessWindows();
    ASSERT_EQ(windows.size(), 1u);
    ASSERT_TRUE(WaitFor([&] { return windows.front()->IsFinished(); }));
    EXPECT_TRUE(windows.front()->GetPublisher() && windows.front()->GetPublisher()->Succeeded());
    for (const std::string& error : f.Boxes().Messages("error"))
        EXPECT_EQ(error.find("busy"), std::string::npos) << error;
    EXPECT_TRUE(context.IsModified());

    if (save) {
        QTest::mouseClick(f.SaveButton(), Qt::LeftButton);
        EXPECT_FALSE(context.IsModified());
        EXPECT_NE(ItemRows(f.Main(), kHome).find("=Unsaved welcome"), std::string::npos);
    } else {
        QTest::mouseClick(f.CancelButton(), Qt::LeftButton);
        EXPECT_EQ(ItemRows(f.Main(), kHome), before);
        EXPECT_NE(edit->text(), "Unsaved welcome");
    }
    // The finished runner window goes (with its connection) while the catalog is open.
    f.Window().PostMessage(WM_FREE_PROCESS_WINDOWS, 0, 0);
    ASSERT_TRUE(WaitFor([] { return TfrmDetailProcess::ProcessWindows().empty(); }));
}

TEST(EditorScenario, CancelLeavesTheItemAsItWasAfterTheMainWindowWorkedOn)
{
    RunScenario(false);
}

TEST(EditorScenario, SaveStoresTheEditAfterTheMainWindowWorkedOn)
{
    RunScenario(true);
}

}  // namespace
