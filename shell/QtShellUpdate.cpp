// The software update of the program in a runner window: the update list,
// the question, the downloads with their byte counters, and the restart
// message to the main window when the user agrees to restart.
#include "shell/QtShell.h"

#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "common/GlobalSettings.h"
#include "common/Translation.h"
#include "publishing/SoftwareUpdate.h"
#include "shell/GuiControl.h"
#include "shell/MainWindow.h"
#include "gui/MainWindowMessages.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/References.h"

bool TQtShell::RunSoftwareUpdate(const std::vector<std::string>& params, bool modal)
{
    if (!root_)
        return false;
    // The update works on no catalog; the operation base wants a connection,
    // and the references database is always open.
    TAbstractDBConnection& connection = root_->References().GetReferencesDatabase().GetConnection();
    auto factory = [this](std::vector<std::string>& runParams, TAbstractDBConnection* runConnection,
                          TPublisherRunner& runner) -> std::unique_ptr<TAbstractPublisher> {
        auto update = std::make_unique<TSoftwareUpdate>(
            runParams, *runConnection, TPublisherEnvironment{gui_, ::Translation, &runner, root_, nullptr});
        update->SetProgramFolder(root_->Settings().AppDir());
        update->OnRestartForUpdate = [this] {
            window_->PostMessage(WM_RESTART_FOR_UPDATE, WM_RESTART_FOR_UPDATE, WM_RESTART_FOR_UPDATE);
        };
        return update;
    };

    if (modal) {
        TfrmDetailProcess window(RunnerEnvironment(), window_.get());
        if (guiControl_)
            guiControl_->LocalizeControl(&window);
        window.CreatePublisher(params, factory, &connection);
        window.ShowTransferPanel();
        return window.ExecuteModal();
    }
    auto* window = new TfrmDetailProcess(RunnerEnvironment(), window_.get());
    if (guiControl_)
        guiControl_->LocalizeControl(window);
    window->CreatePublisher(params, factory, &connection);
    window->ShowTransferPanel();
    window->StartProcess();
    updateWindow_ = window;
    return true;
}
