#pragma once
// The program with its main window over a fresh program folder, with the
// classes a test registers: the Qt shell with a scripted GUI, the root object
// started, a catalog of type 1 created and opened on request.
#include "../QtTestApplication.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/CatalogDefinition.h"
#include "catalog/InternalPluginsManager.h"
#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "common/CommonProcedures.h"
#include "common/GlobalSettings.h"
#include "editors/framework/TolvexItemEditor.h"
#include "editors/framework/frmFrameContainer.h"
#include "shell/CatalogWindowUI.h"
#include "shell/MainWindow.h"
#include "shell/QtShell.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/SQLiteModule.h"
#include "storage/ShippedData.h"
#include "support/ScriptedGui.h"
#include "support/TempFolder.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

template <class TCondition>
bool WaitFor(TCondition condition)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition() && timer.elapsed() < 30000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    return condition();
}

class TMainWindowFixture {
public:
    // AdvancedMode: the program starts as the user's "Advanced Version".
    explicit TMainWindowFixture(const std::function<void(TInternalPluginsManager&)>& registerClasses,
                                bool advancedMode = false)
    {
        EnsureQtApplication();
        if (advancedMode)
            home_.Write("tolvex.ini", "[Key]\nadvanced=1\n");
        CreateSingletons(home_.Path(), registerClasses);
        CommonProcedures->SetGui(&gui_);
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
    ~TMainWindowFixture()
    {
        shell_->Window().hide();
        root_.reset();
        RootObject = nullptr;
        shell_.reset();
        FreeSingletons();
    }
    // A new catalog opens with its initial settings window (the catalog
    // type's start action): InitialSettings answers it; without one, the
    // owner confirms what it shows with OK.
    std::string CreateAndOpen(const std::function<void(TfrmFrameContainer&)>& initialSettings = {})
    {
        std::filesystem::create_directories(root_->Settings().GetDatabasePath());
        TCatalogDefinition::TNewCatalog request;
        request.DbType = SQLiteModuleName;
        request.CatalogType = 1;
        request.CatalogCode = "shop";
        request.AdminUserName = "admin";
        request.AdminPassword = "secret";
        request.CompanyName = "Acme Ltd";
        request.Email = "info@acme.test";
        if (!root_->Catalog().GetDefinition().CreateCatalog(request))
            return "creation failed";
        std::string error;
        root_->OpenCatalog("", SQLiteModuleName, "", "shop", "admin", "secret", 0, error);
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
        QCoreApplication::processEvents();
        // The main window has the keyboard again once the window is gone.
        Window().activateWindow();
        QCoreApplication::processEvents();
        return error;
    }
    TTolvex& Root() { return *root_; }
    TQtShell& Shell() { return *shell_; }
    TfrmMain& Window() { return shell_->Window(); }
    TScriptedGui& Boxes() { return gui_; }
    TCatalogData& Data() { return *root_->GetCatalogData(); }
    TAbstractDBConnection& Main() { return Data().GetConnectionFactory().GetConnection(); }
    TTolvexItemEditor& Editor() { return *shell_->CatalogUI()->MainEditor(); }

private:
    TTempFolder home_;
    TScriptedGui gui_;
    std::unique_ptr<TQtShell> shell_;
    std::unique_ptr<TTolvex> root_;
};

