#pragma once
// What the benches that run the program with its main window share: the
// catalog they open (made once and kept in the bench's build folder), a
// fresh program folder holding a copy of it, and the program itself started
// over that folder with the catalog open, as a measured process runs it.
#include "BenchTiming.h"
#include "PublishBenchSite.h"

#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "common/CommonProcedures.h"
#include "common/GlobalSettings.h"
#include "common/WellKnownIds.h"
#include "editors/framework/Registration.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexItemEditor.h"
#include "editors/framework/ui/frmFrameContainer.h"
#include "generation/ui/PreviewScheme.h"
#include "shell/CatalogWindowUI.h"
#include "shell/MainWindow.h"
#include "shell/QtShell.h"
#include "shell/TolvexApplication.h"
#include "storage/ConfiguredDatabase.h"
#include "storage/ShippedData.h"
#include "storage/SQLiteModule.h"
#include "support/ScriptedGui.h"
#include "support/SharedTestData.h"
#include "support/TempFolder.h"

#include <QApplication>
#include <QCoreApplication>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace bench_program {

inline constexpr const char* kCode = "shop";

// The folder of the kept catalog of Items items ("<folder>/shop.sqlite"):
// made when missing, with a picture item and its stored picture for every
// hundredth story. Made: set when it was made now.
inline std::filesystem::path KeptCatalog(int items, bool* made = nullptr)
{
    namespace fs = std::filesystem;
    const fs::path folder =
        fs::read_symlink("/proc/self/exe").parent_path() / ("large-catalog-" + std::to_string(items));
    if (made)
        *made = false;
    if (fs::exists(folder / "shop.sqlite"))
        return folder;
    TPublishSite site;
    const std::vector<int> ids = bench_site::GrowCatalog(site, items - items / 100);
    TAbstractDBConnection& connection = site.Connection();
    TUnitOfWorkScope unit(connection);
    unit.Enter("Items");
    int pictures = 0;
    for (std::size_t i = 1 + bench_site::kSections; i < ids.size() && pictures < items / 100; i += 100, ++pictures) {
        const int parent = site.Data().GetParentItemId(ids[i], kCode, connection);
        const int id = site.AddItem(kImageItemType, parent);
        site.SetName(id, "Picture " + std::to_string(pictures + 1), "Bild " + std::to_string(pictures + 1));
        site.AddBinary(id, 5, "image/gif", "GIF89a-picture-" + std::to_string(pictures));
    }
    unit.Commit();
    const std::string file = SQLiteDatabaseFileName(site.Program().Root().Settings().GetDatabasePath(), kCode);
    site.Program().Root().CloseCatalog();
    fs::create_directories(folder);
    fs::copy_file(file, folder / "shop.sqlite.partial", fs::copy_options::overwrite_existing);
    fs::rename(folder / "shop.sqlite.partial", folder / "shop.sqlite");
    if (made)
        *made = true;
    return folder;
}

// A program folder with the shipped databases and a copy of the kept catalog.
inline void PrepareProgramFolder(const std::string& home, const std::filesystem::path& catalogFolder)
{
    namespace fs = std::filesystem;
    SharedTestData::InstallShippedDatabases(home);
    const fs::path databases = fs::path(home) / "UserData";
    fs::create_directories(databases);
    fs::copy_file(catalogFolder / "shop.sqlite", databases / "shop.sqlite", fs::copy_options::overwrite_existing);
}

// The program with its main window over a prepared program folder, as its
// entry point starts it (dialogs answered by a script); Open opens the
// catalog as the login does and confirms a window the opening shows.
class TProgram {
public:
    TProgram(int& argc, char** argv, const std::string& home)
    {
        RegisterPreviewScheme();
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
        app_ = std::make_unique<TTolvexApplication>(argc, argv);
        CreateSingletons(home, RegisterFrameworkClasses);
        CommonProcedures->SetGui(&gui_);
        shell_ = std::make_unique<TQtShell>(gui_, nullptr, app_.get());
        TTolvex::TEnvironment environment;
        environment.Shell = shell_.get();
        environment.DataDir = TShippedData::BuildTreeDataDir();
        root_ = std::make_unique<TTolvex>(environment);
        RootObject = root_.get();
        root_->Start();
        shell_->ShowMainWindow(false);
        QCoreApplication::processEvents();
    }
    ~TProgram()
    {
        root_->Destroy();
        root_.reset();
        RootObject = nullptr;
        shell_.reset();
        FreeSingletons();
    }
    TProgram(const TProgram&) = delete;
    TProgram& operator=(const TProgram&) = delete;

    TTolvex& Root() { return *root_; }
    TQtShell& Shell() { return *shell_; }

    // The opening's error text.
    std::string Open()
    {
        QTimer answer;
        answer.setInterval(5);
        QObject::connect(&answer, &QTimer::timeout, app_.get(), [] {
            if (auto* window = qobject_cast<TfrmFrameContainer*>(QApplication::activeModalWidget()))
                window->btnContainerOk->click();
        });
        answer.start();
        std::string error;
        root_->OpenCatalog("", SQLiteModuleName, "", kCode, "admin", "secret", 0, error);
        QCoreApplication::processEvents();
        if (error.empty() && (!shell_->CatalogUI() || !shell_->CatalogUI()->WebTree()))
            error = "no web tree";
        return error;
    }

    // Whether the main editor shows the item.
    bool EditorShows(int itemId)
    {
        TTolvexItemEditor* editor = shell_->CatalogUI() ? shell_->CatalogUI()->MainEditor() : nullptr;
        return editor && editor->Context() && editor->Context()->GetItemId() == itemId && editor->Container();
    }

private:
    TScriptedGui gui_;
    std::unique_ptr<TTolvexApplication> app_;
    std::unique_ptr<TQtShell> shell_;
    std::unique_ptr<TTolvex> root_;
};

}  // namespace bench_program
