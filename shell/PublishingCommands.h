#pragma once
// The publishing and export commands of the main window and the program's
// other long operations that run in a runner window: each asks for what its
// operation needs, remembers the answers as catalog properties and starts
// the operation in a modeless runner window with its own connection. Also
// the software update and the operations of the styles.
#include "publishing/WebSiteImportRequest.h"
#include "publishing/ui/frmDetailProcess.h"

#include <QPointer>

#include <memory>
#include <string>
#include <vector>

class TAbstractDBConnection;
class TActionProcessor;
class TCommonGui;
class TGUIControl;
class TOpenCatalog;
class TShellDialogs;
class TStyleOperation;
class TfrmMain;

class TPublishingCommands {
public:
    // All must outlive the object.
    TPublishingCommands(TOpenCatalog& open, TCommonGui& gui, TfrmMain& window, TGUIControl& control,
                        TShellDialogs& dialogs, TActionProcessor& processor);

    // Runs the command of a verb ("PublishLocally", ...); false when there is none of that name.
    bool Publish(const std::string& verb);
    // Each returns its runner window, or null when nothing was started.
    // Publishes the open catalog into a folder.
    TfrmDetailProcess* PublishLocally();
    // Publishes the open catalog to an FTP server through the staging folder "FtpPublish".
    TfrmDetailProcess* PublishByFtp();
    // Exports the stored pictures, the template sources, the product feed.
    TfrmDetailProcess* ExportImages();
    TfrmDetailProcess* ExportTemplates();
    TfrmDetailProcess* ExportFroogle();
    // Imports an HTML file the user picks as a story.
    TfrmDetailProcess* ImportStory();
    // Makes a master or body template of an HTML file, with a template the user picks as skeleton.
    TfrmDetailProcess* ImportTemplateFromHtml();
    // Imports a web site the user names into the open catalog.
    TfrmDetailProcess* ImportWebSite();
    // The web-site import of a catalog being created, modal on its connection;
    // Params receives what the import wrote back. True when it succeeded.
    bool RunWebSiteImport(std::vector<std::string>& params, TAbstractDBConnection& connection);

    // The software update with its parameter lines: modal (true when it
    // closed with OK) or shown without waiting (false).
    bool RunSoftwareUpdate(const std::vector<std::string>& params, bool modal);
    // The runner window of the last update started without waiting; null when none runs.
    TfrmDetailProcess* UpdateWindow() const { return updateWindow_.data(); }
    // A style operation in a runner window, started at once.
    void StartStyleOperation(std::unique_ptr<TStyleOperation> operation);

    // What the runner windows need of the program.
    TfrmDetailProcess::TEnvironment RunnerEnvironment();

private:
    // A modeless runner window, localized, running the operation the factory makes.
    TfrmDetailProcess* StartRunner(std::vector<std::string> params, const TfrmDetailProcess::TPublisherFactory& factory,
                                   bool transferPanel);
    // A folder asked for and remembered in a catalog property; empty when cancelled.
    std::string AskFolder(int property, const std::string& helpAlias);

    TOpenCatalog& open_;
    TCommonGui& gui_;
    TfrmMain& window_;
    TGUIControl& control_;
    TShellDialogs& dialogs_;
    TActionProcessor& processor_;
    QPointer<TfrmDetailProcess> updateWindow_;
    // The last web site asked for, offered again.
    TWebSiteImportRequest lastWebSite_;
};
