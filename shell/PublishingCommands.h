#pragma once
// The publishing and export commands of the main window and the program's
// other long operations that run in a runner window: each asks for what its
// operation needs, remembers the answers as catalog properties and starts
// the operation in a modeless runner window with its own connection. Also
// the software update and the operations of the styles.
#include "publishing/HostPublishParameters.h"
#include "publishing/PublishReport.h"

#include "publishing/WebSiteImportRequest.h"
#include "publishing/ui/frmDetailProcess.h"

#include <QPointer>

#include <functional>

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
    // Publishes the open catalog to an FTP server through a staging folder of its own below "FtpPublish".
    TfrmDetailProcess* PublishByFtp();
    // Exports the stored pictures, the template sources, the product feed.
    TfrmDetailProcess* ExportImages();
    TfrmDetailProcess* ExportTemplates();
    // The templates tree as XHTML files, style sheets, scripts and pictures, for an outside design tool.
    TfrmDetailProcess* ExportXhtmlTemplates();
    TfrmDetailProcess* ExportFroogle();
    // Imports an HTML file the user picks as a story.
    TfrmDetailProcess* ImportStory();
    // Makes a master or body template of an HTML file, with a template the user picks as skeleton.
    TfrmDetailProcess* ImportTemplateFromHtml();
    // Makes a template of an XHTML file (as the XHTML export writes them) beside a template the user picks.
    TfrmDetailProcess* ImportTemplateFromXhtml();
    // Makes the report of a report item or, for a report template, a new
    // report: asks where to save it and runs the report in a runner window
    // that shows itself once the report's forms were passed.
    TfrmDetailProcess* PublishReport(int itemId);
    // Replaces the save dialog of reports (tests): the proposed name -> the chosen file, empty to cancel.
    void SetReportFileDialog(std::function<std::string(const std::string& proposed)> dialog)
    {
        reportFileDialog_ = std::move(dialog);
    }
    // Copies a template to the styles database, or restores it from there (Import);
    // template 0: the user picks it in the "Select Template" dialog first.
    TfrmDetailProcess* ExchangeTemplateWithStyles(int templateId, bool import);
    // Imports a web site the user names into the open catalog.
    TfrmDetailProcess* ImportWebSite();
    // Picture files the user picks, each through the image dialog into the
    // library's "Imported Images" folder; Files (tests) replaces the file
    // dialog. True when any was imported.
    bool ImportImages(const std::vector<std::string>* files = nullptr);
    // The web-site import of a catalog being created, modal on its connection;
    // Params receives what the import wrote back. True when it succeeded.
    bool RunWebSiteImport(std::vector<std::string>& params, TAbstractDBConnection& connection);

    // ---- the hosting service ----------------------------------------------------------------
    // Synchronises the open catalog after "Connect" (and "Advanced Options" when asked for).
    TfrmDetailProcess* PublishOnTolvex();
    // Fills the catalog just made for a catalog of the host; false when the
    // user cancelled, which deletes the new catalog again (as a failed run does).
    bool DownloadDatabaseFromHost();
    // A style catalog's changes to the host, and the host's style into it.
    TfrmDetailProcess* UploadStyle();
    TfrmDetailProcess* DownloadStyle();
    // A table transfer verb ("UploadZarivuro" ... "DownloadGlobalTables").
    TfrmDetailProcess* TransferTables(const std::string& verb);
    // Rows of an object of a catalog that lives on the host, stored under
    // its cached code on Connection; the runner closes itself when done.
    TfrmDetailProcess* CacheDataFromHost(const std::string& catalogCode, int itemId, int classId,
                                         const std::vector<std::string>& extraLines, TAbstractDBConnection& connection);
    // The same on a connection of its own, committed when stored, waiting
    // (the editor held) until the runner window is gone; true when stored.
    bool FetchFromHostAndWait(const std::string& catalogCode, int itemId, int classId,
                              const std::vector<std::string>& extraLines);
    // Asks whose templates the host republishes every member with, then
    // sends the catalog-network management request.
    TfrmDetailProcess* CoCManagement();
    // Asks for the host account of the open catalog for the next host
    // command; false when refused. The catalog's own login stays as it is:
    // the program reopens the catalog with it.
    bool LoginToHost();
    // Replaces the "Connect" and "Advanced Options" dialogs and the account question (tests).
    struct THostDialogs {
        // The text given (empty: the usual one), whether "Advanced Options" shows -> accepted, advanced.
        std::function<bool(const std::string& text, bool withAdvanced, bool& advanced)> Connect;
        std::function<bool(THostSyncChoices& choices)> Advanced;
        std::function<bool(std::string& userName, std::string& password)> Account;
    };
    void SetHostDialogs(THostDialogs dialogs) { hostDialogs_ = std::move(dialogs); }
    // Replaces the republishing dialog (tests): fills "memberid" into the list -> accepted.
    void SetManagementDialog(std::function<bool(std::vector<std::string>& params)> dialog)
    {
        managementDialog_ = std::move(dialog);
    }

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
    // Localizes a runner window and gives it the operation the factory makes
    // on Connection (null: a connection of its own), with the bytes panel when asked.
    void PrepareRunner(TfrmDetailProcess& window, std::vector<std::string> params,
                       const TfrmDetailProcess::TPublisherFactory& factory, bool transferPanel,
                       TAbstractDBConnection* connection = nullptr);
    // The same for a modeless runner window over the main window, not started yet.
    TfrmDetailProcess* NewRunner(std::vector<std::string> params, const TfrmDetailProcess::TPublisherFactory& factory,
                                 bool transferPanel, TAbstractDBConnection* connection = nullptr);
    // A modeless runner window, localized, running the operation the factory makes.
    TfrmDetailProcess* StartRunner(std::vector<std::string> params, const TfrmDetailProcess::TPublisherFactory& factory,
                                   bool transferPanel);
    // A folder asked for, refused with a message when nothing may be written
    // into it (a system folder, no write access), and remembered in a catalog
    // property unless Remember is false; empty when cancelled or refused.
    std::string AskFolder(int property, const std::string& helpAlias, bool remember = true);
    // Whether files may be written into the folder; otherwise says why and answers false.
    bool CanWriteInto(const std::string& folder);
    // The two template imports: the file, then the model template picked in the templates tree.
    TfrmDetailProcess* ImportTemplate(bool xhtml);
    // The host commands leave the item being edited first; false when the user stays.
    bool LeaveItemEditor();
    bool AskConnect(const std::string& text, bool withAdvanced, bool& advanced);
    bool AskAdvanced(THostSyncChoices& choices);
    // The synchronisation in a modeless runner window with the bytes panel.
    // With the account of LoginToHost when WithAccount is set.
    TfrmDetailProcess* StartSync(std::vector<std::string> params, bool withAccount = false);

    TOpenCatalog& open_;
    TCommonGui& gui_;
    TfrmMain& window_;
    TGUIControl& control_;
    TShellDialogs& dialogs_;
    TActionProcessor& processor_;
    QPointer<TfrmDetailProcess> updateWindow_;
    THostDialogs hostDialogs_;
    std::function<bool(std::vector<std::string>& params)> managementDialog_;
    std::function<std::string(const std::string& proposed)> reportFileDialog_;
    // The report forms the report runs show.
    std::unique_ptr<TReportForms> reportForms_;
    std::string hostUserName_;
    std::string hostPassword_;

    // The last web site asked for, offered again.
    TWebSiteImportRequest lastWebSite_;
};
