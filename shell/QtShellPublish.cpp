// The publishing commands of the main window: each asks for what its
// operation needs, remembers the answers as catalog properties and starts
// the operation in a modeless runner window with its own connection.
#include "shell/QtShell.h"

#include "catalog/CatalogData.h"
#include "catalog/Catalog.h"
#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "common/CommonFunctionsDetail.h"
#include "common/CommonGui.h"
#include "common/Translation.h"
#include "publishing/PublishLocally.h"
#include "publishing/PublishParameters.h"
#include "publishing/ui/frmDetailProcess.h"
#include "shell/MainWindow.h"
#include "shell/SelectDirectory.h"
#include "shell/HelpSystem.h"

namespace {

constexpr int kPropertyLastPublishFolder = 710;
constexpr int kPropertyIndexFileName = 711;

}  // namespace

void TQtShell::SetFolderChooser(TFolderChooser chooser)
{
    folderChooser_ = std::move(chooser);
}

std::string TQtShell::ChooseFolder(const std::string& initialFolder, const std::string& helpAlias)
{
    if (folderChooser_)
        return folderChooser_(initialFolder, helpAlias);
    return SelectDirectoryDialog(
        initialFolder, helpAlias, gui_,
        [this](const std::vector<std::string>& aliases) {
            if (help_)
                help_->ShowHelpForAliases(aliases);
        },
        window_.get());
}

bool TQtShell::Publish(const std::string& verb)
{
    if (verb != "PublishLocally")
        return false;
    PublishLocally();
    return true;
}

TfrmDetailProcess* TQtShell::PublishLocally()
{
    TCatalogData* data = root_ ? root_->GetCatalogData() : nullptr;
    if (!data || !root_->Catalog().IsOpen())
        return nullptr;
    TAbstractDBConnection& connection = data->GetConnectionFactory().GetConnection();
    const std::string folder =
        ChooseFolder(data->GetCatalogProperty(kPropertyLastPublishFolder, connection), "PublishLocally");
    if (folder.empty())
        return nullptr;
    data->SetCatalogProperty(kPropertyLastPublishFolder, folder, connection);

    // The parameters: every language and every page; the index file name is asked for.
    const TPublishParameters choices = TPublishParameters::ForOpenCatalog(*root_, ::Translation);
    std::string indexFileName = choices.IndexFileName;
    if (!gui_.InputValue("Publish Parameters", "Index file name:", indexFileName, true, "PublishLocally"))
        return nullptr;
    indexFileName = common_detail::Trim(indexFileName);
    if (indexFileName.empty())
        indexFileName = "index.html";
    data->SetCatalogProperty(kPropertyIndexFileName, indexFileName, connection);

    auto* window = new TfrmDetailProcess(RunnerEnvironment(), window_.get());
    window->CreatePublisher(
        TPublishParameters::RunParameters(folder, "", indexFileName, false, 0),
        [this](std::vector<std::string>& params, TAbstractDBConnection* runConnection,
               TPublisherRunner& runner) -> std::unique_ptr<TAbstractPublisher> {
            if (!runConnection)
                return nullptr;
            return std::make_unique<TPublishLocally>(
                params, *runConnection, TPublisherEnvironment{gui_, ::Translation, &runner, root_, nullptr});
        });
    window->StartProcess();
    return window;
}
