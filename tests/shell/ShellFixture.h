#pragma once
// The program with its main window over a fresh program folder: the
// process singletons with the classes a test registers (none: every editor
// is a placeholder), the Qt shell with a scripted GUI (every message is
// recorded, every question gets its queued or default answer), the root
// object started and the window shown without the start message.
#include "QtApplication.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/CatalogDefinition.h"
#include "catalog/InternalPluginsManager.h"
#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "common/CommonProcedures.h"
#include "shell/GuiControl.h"
#include "shell/HelpFiles.h"
#include "shell/MainWindow.h"
#include "shell/QtShell.h"
#include "shell/ShellDialogs.h"
#include "shell/ShellParts.h"
#include "shell/TolvexMenuItem.h"
#include "storage/ShippedData.h"
#include "storage/SQLiteModule.h"
#include "common/GlobalSettings.h"
#include "editors/framework/TolvexItemEditor.h"
#include "editors/framework/ui/frmFrameContainer.h"
#include "shell/CatalogWindowUI.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "support/ScriptedGui.h"
#include "support/SharedTestData.h"
#include "support/TempFolder.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TShellFixture {
public:
    using TRegisterClasses = std::function<void(TInternalPluginsManager&)>;

    // AdvancedMode: the program starts as with the settings' "Advanced Version" ticked.
    explicit TShellFixture(bool withHelp = true, const TRegisterClasses& registerClasses = {}, bool advancedMode = false)
    {
        SharedTestData::InstallShippedDatabases(home_.Path());
        if (advancedMode)
            std::ofstream((std::filesystem::path(home_.Path()) / "tolvex.ini").string()) << "[Key]\nadvanced=1\n";
        CreateSingletons(home_.Path(), registerClasses);
        CommonProcedures->SetGui(&gui_);
        if (withHelp)
            HelpFiles::InstallHelp((std::filesystem::path(TShippedData::BuildTreeDataDir()) / "help").string(),
                                   home_.Path());
        shell_ = std::make_unique<TQtShell>(gui_, nullptr, nullptr);
        TTolvex::TEnvironment environment;
        environment.Shell = shell_.get();
        environment.DataDir = TShippedData::BuildTreeDataDir();
        root_ = std::make_unique<TTolvex>(environment);
        RootObject = root_.get();
        root_->Start();
        shell_->ShowMainWindow(false);
        QCoreApplication::processEvents();
    }
    ~TShellFixture()
    {
        shell_->Window().hide();
        root_.reset();
        RootObject = nullptr;
        shell_.reset();
        FreeSingletons();
    }
    TShellFixture(const TShellFixture&) = delete;
    TShellFixture& operator=(const TShellFixture&) = delete;

    TTolvex& Root() { return *root_; }
    TQtShell& Shell() { return *shell_; }
    TfrmMain& Window() { return shell_->Window(); }
    TGUIControl& Gui() { return *shell_->GuiControl(); }
    TScriptedGui& Boxes() { return gui_; }
    const TTempFolder& Home() const { return home_; }
    // The open catalog: its data, its main connection and the editor pane's item editor.
    TCatalogData& Data() { return *root_->GetCatalogData(); }
    TAbstractDBConnection& Main() { return Data().GetConnectionFactory().GetConnection(); }
    TTolvexItemEditor& Editor() { return *shell_->CatalogUI()->MainEditor(); }
    // The editor pane and its Save and Cancel buttons.
    QWidget* EditorPane() { return Window().EditorPane(); }
    QPushButton* SaveButton() { return Window().findChild<QPushButton*>("btnMainEditorSave"); }
    QPushButton* CancelButton() { return Window().findChild<QPushButton*>("btnMainEditorCancel"); }

    // Opens the style catalog of a catalog type, as File / Styles does.
    // Opening rebuilds the menu, so its entries are not looked at after the trigger.
    void OpenStyleCatalog(int catalogType)
    {
        for (QAction* entry : Window().Menu(TMainMenu::Styles)->actions())
            if (auto* item = dynamic_cast<TTolvexMenuItem*>(entry); item && item->Command.ActionString == std::to_string(catalogType)) {
                item->trigger();
                break;
            }
        QCoreApplication::processEvents();
    }

    // Creates a catalog of the type in the database folder (administrator
    // "admin", password "secret") and opens it through the root object; the
    // opening's error text. A new catalog opens with its initial settings
    // window (the catalog type's start action) when that editor is
    // registered: InitialSettings answers it; without one, the owner
    // confirms what it shows with OK.
    std::string CreateAndOpen(const std::string& code, int catalogType,
                              const std::function<void(TfrmFrameContainer&)>& initialSettings = {})
    {
        std::filesystem::create_directories(root_->Settings().GetDatabasePath());
        TCatalogDefinition::TNewCatalog request;
        request.DbType = SQLiteModuleName;
        request.CatalogType = catalogType;
        request.CatalogCode = code;
        request.AdminUserName = "admin";
        request.AdminPassword = "secret";
        request.CompanyName = "Acme Ltd";
        request.Email = "info@acme.test";
        // A new catalog of the shipped definitions is the same for every test: made once, copied
        // (made anew when this test changed a definition it is made from).
        const std::string file = SQLiteDatabaseFileName(root_->Settings().GetDatabasePath(), code);
        const auto create = [&] { return root_->Catalog().GetDefinition().CreateCatalog(request); };
        const bool created =
            std::filesystem::exists(file) || !SharedTestData::ShippedDatabasesUnchanged(home_.Path())
                ? create()
                : SharedTestData::InstallFile("catalog-" + std::to_string(catalogType) + "-" + code + ".sqlite", file, create);
        if (!created)
            return "creation failed";
        QTimer answer;
        answer.setInterval(5);
        QObject::connect(&answer, &QTimer::timeout, [&] {
            auto* window = qobject_cast<TfrmFrameContainer*>(QApplication::activeModalWidget());
            if (!window)
                return;
            answer.stop();
            if (initialSettings)
                initialSettings(*window);
            else
                window->btnContainerOk->click();
        });
        answer.start();
        std::string error;
        root_->OpenCatalog("", SQLiteModuleName, "", code, "admin", "secret", 0, error);
        QCoreApplication::processEvents();
        // The main window has the keyboard again once the window is gone.
        Window().activateWindow();
        QCoreApplication::processEvents();
        return error;
    }

    // The page picker answers Ids one after the other, then as cancelled.
    void AnswerPagesInTurn(std::vector<int> ids)
    {
        Shell().Dialogs().SetPageChooser(
            [answers = std::make_shared<std::vector<int>>(std::move(ids))](int& id, std::string& name) {
                if (answers->empty())
                    return false;
                id = answers->front();
                answers->erase(answers->begin());
                name = "x";
                return true;
            });
    }

    // Saves a picture of the window when TOLVEX_SCREENSHOT_DIR names a folder.
    void Screenshot(const char* name)
    {
        const char* dir = std::getenv("TOLVEX_SCREENSHOT_DIR");
        if (!dir)
            return;
        Window().showNormal();
        Window().resize(1100, 720);
        QCoreApplication::processEvents();
        Window().grab().save(QString("%1/%2.png").arg(dir, name));
    }

private:
    TTempFolder home_;
    TScriptedGui gui_;
    std::unique_ptr<TQtShell> shell_;
    std::unique_ptr<TTolvex> root_;
};
