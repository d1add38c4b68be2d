#pragma once
// The commands of the main window's two tree panes: the web tree's Delete,
// Sort, Move Up, Move Down and Help buttons, the templates tree's Delete and
// Help buttons, the two trees' pop-up menus, and the tree commands
// (TTreeCommands) made over the open catalog's trees for each use. After a
// command the tree buttons follow the selected node again.
#include <QObject>

#include <functional>
#include <memory>

class QPoint;
class TCatalogTreeView;
class TCommonGui;
class TGUIControl;
class THelpRequests;
class TOpenCatalog;
class TQtCommonGui;
class TShellDialogs;
class TTreeCommands;
class TfrmMain;
enum class TMainTree;

class TTreePaneCommands : public QObject {
public:
    // All must outlive the object; QtGui (the item-type picker of "Create New Item") may be null.
    TTreePaneCommands(TOpenCatalog& open, TCommonGui& gui, TQtCommonGui* qtGui, TfrmMain& window,
                      TGUIControl& control, THelpRequests& help, TShellDialogs& dialogs);

    // The commands on the open catalog's trees; null while it has none.
    std::unique_ptr<TTreeCommands> MakeTreeCommands();
    // What copies a template to or from the styles database (the publishing commands).
    void SetStyleExchange(std::function<void(int templateId, bool import)> exchange)
    {
        styleExchange_ = std::move(exchange);
    }
    // The templates tree's buttons follow its selected node again.
    void UpdateTemplateTreeButtons();

    // ---- the web tree ----------------------------------------------------------------------------
    void DeletePage();
    void ToggleSort();
    void MoveUp();
    void MoveDown();

    // ---- the templates tree --------------------------------------------------------------------------
    void DeleteTemplate();
    void CopyToNewTemplate();
    void ExportTemplateToStyles();
    void RestoreTemplateFromStyles();
    void CompareTemplateWithStyles();

    // The pop-up menu of a tree at a global position.
    void ShowTreeMenu(TMainTree tree, const QPoint& at);

private:
    void Connect();
    TCatalogTreeView* WebTreeView() const;
    TCatalogTreeView* TemplatesTreeView() const;
    // Runs a command on the trees (nothing while there are none), then the
    // buttons of its tree follow the selection again.
    void OnWebTree(const std::function<void(TTreeCommands&)>& command);
    void OnTemplates(const std::function<void(TTreeCommands&)>& command);
    // Asks, then copies the selected template to (or restores it from) the styles database.
    void ExchangeWithStyles(const char* question, bool import);
    void ShowWebTreeMenu(const QPoint& at);
    void ShowTemplatesMenu(const QPoint& at);

    TOpenCatalog& open_;
    TCommonGui& gui_;
    TQtCommonGui* qtGui_;
    TfrmMain& window_;
    TGUIControl& control_;
    THelpRequests& help_;
    TShellDialogs& dialogs_;
    std::function<void(int templateId, bool import)> styleExchange_;
};
