#include "shell/MainWindow.h"

#include "editors/framework/ui/EditorPaneHost.h"
#include "gui/ControlOperations.h"
#include "gui/ElidedLabel.h"
#include "shell/GuiControlRules.h"
#include "shell/MainWindowEvent.h"
#include "shell/MainWindowHandler.h"
#include "shell/FittingToolBar.h"
#include "shell/TolvexEditUndo.h"
#include "gui/UiText.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <tuple>

using UiText::Tr;

namespace {

// Without a desktop icon theme (a bare X server), the freedesktop theme
// that the system ships is used.
void ChooseIconTheme()
{
    if (QIcon::hasThemeIcon("document-new"))
        return;
    QStringList paths = QIcon::themeSearchPaths();
    const QString dataDirs = qEnvironmentVariable("XDG_DATA_DIRS", "/usr/local/share:/usr/share");
    for (const QString& dir : dataDirs.split(':', Qt::SkipEmptyParts))
        if (!paths.contains(dir + "/icons"))
            paths << dir + "/icons";
    QIcon::setThemeSearchPaths(paths);
    for (const char* theme : {"Adwaita", "breeze", "hicolor"}) {
        QIcon::setThemeName(theme);
        if (QIcon::hasThemeIcon("document-new"))
            return;
    }
}

// A theme icon (or its symbolic form), else the style's own picture.
QIcon Icon(const char* themeName, QStyle::StandardPixmap fallback)
{
    if (QIcon::hasThemeIcon(themeName))
        return QIcon::fromTheme(themeName);
    const QString symbolic = QString(themeName) + "-symbolic";
    if (QIcon::hasThemeIcon(symbolic))
        return QIcon::fromTheme(symbolic);
    return QApplication::style()->standardIcon(fallback);
}

// A caption bar: a label on a darker strip, optional buttons at its right.
QWidget* CaptionBar(QWidget* parent, QLabel*& label, const QString& text)
{
    auto* bar = new QWidget(parent);
    bar->setAutoFillBackground(true);
    bar->setBackgroundRole(QPalette::Mid);
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(6, 2, 2, 2);
    // Captions show item names of any length: shortened, never widening the window.
    label = new TElidedLabel(text, bar);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    label->setForegroundRole(QPalette::BrightText);
    layout->addWidget(label, 1);
    return bar;
}

// A caption-bar button that stands for a command of the window.
QToolButton* BarButton(QWidget* bar, const char* name, QAction* command)
{
    auto* button = new QToolButton(bar);
    button->setObjectName(name);
    button->setDefaultAction(command);
    button->setAutoRaise(true);
    button->setIconSize(QSize(12, 12));
    bar->layout()->addWidget(button);
    return button;
}

}  // namespace

TfrmMain::TfrmMain(QWidget* parent) : QMainWindow(parent)
{
    setObjectName("frmMain");
    setWindowTitle("Tolvex");
    ChooseIconTheme();
    setWindowIcon(Icon("applications-internet", QStyle::SP_DesktopIcon));
    BuildMenus();
    BuildToolbars();
    BuildPanes();
    BuildStatusBar();
    resize(1024, 700);
    qApp->installEventFilter(this);
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event)
{
    // Enter in the search box searches once: taken here, it never reaches
    // the combo box, which would hand it to its line edit a second time.
    if (event->type() == QEvent::KeyPress && watched == searchBox_->lineEdit()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (!searchBox_->currentText().isEmpty())
                searchButton_->click();
            return true;
        }
    }
    if (event->type() == QEvent::KeyPress) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() == this && widget == focusWidget() &&
            ControlOperations::HandleFormKeyPress(this, static_cast<QKeyEvent*>(event), [this] { emit findRequested(); }))
            return true;
    } else if (event->type() == QEvent::MouseButtonRelease && watched == statusPanels_[3]) {
        emit languagePanelClicked(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
    }
    return QMainWindow::eventFilter(watched, event);
}

QAction* TfrmMain::AddAction(QMenu* menu, const char* name, const char* caption, const QKeySequence& keys,
                             const QIcon& icon)
{
    auto* action = new QAction(icon, Tr(caption), this);
    action->setObjectName(name);
    if (!keys.isEmpty())
        action->setShortcut(keys);
    if (menu)
        menu->addAction(action);
    return action;
}

QMenu* TfrmMain::Menu(TMainMenu menu) const
{
    switch (menu) {
    case TMainMenu::File: return miMainFile_;
    case TMainMenu::Edit: return miMainEdit_;
    case TMainMenu::View: return miMainView_;
    case TMainMenu::Catalog: return miMainCatalog_;
    case TMainMenu::Publish: return miMainPublish_;
    case TMainMenu::Report: return miMainReport_;
    case TMainMenu::Help: return miMainHelp_;
    case TMainMenu::OpenCatalog: return miFileOpenCatalog_;
    case TMainMenu::Styles: return miFileStyles_;
    case TMainMenu::Import: return miFileImport_;
    case TMainMenu::Export: return miFileExport_;
    case TMainMenu::DatabaseUtilities: return miFileDatabaseUtilities_;
    case TMainMenu::SearchKinds: return searchKinds_;
    case TMainMenu::SelectTree: return selectTree_;
    }
    return nullptr;
}

QToolBar* TfrmMain::Toolbar(TMainToolbar toolbar) const
{
    switch (toolbar) {
    case TMainToolbar::Actions: return tbtMainDefault_;
    case TMainToolbar::CatalogActions: return tbtMainCustom_;
    case TMainToolbar::Languages: return tbtMainLanguage_;
    case TMainToolbar::Search: return tbtMainSearch_;
    case TMainToolbar::WebTree: return webTree_.MainBar;
    case TMainToolbar::WebTreeCustom: return webTree_.CustomBar;
    case TMainToolbar::Templates: return templates_.MainBar;
    case TMainToolbar::TemplatesCustom: return templates_.CustomBar;
    }
    return nullptr;
}

const std::array<QAction*, TfrmMain::kCustomTreeButtons>& TfrmMain::CustomTreeButtons(TMainTree tree) const
{
    return Tree(tree).CustomButtons;
}

void TfrmMain::BuildMenus()
{
    TMainWindowActions& a = actions_;
    QMenuBar* bar = menuBar();
    miMainFile_ = bar->addMenu(Tr("&File"));
    miMainFile_->setObjectName("miMainFile");
    a.NewCatalog = AddAction(miMainFile_, "miFileNewCatalog", "New Catalog...", QKeySequence::New,
                             Icon("document-new", QStyle::SP_FileIcon));
    miFileOpenCatalog_ = miMainFile_->addMenu(Icon("document-open", QStyle::SP_DirOpenIcon), Tr("Open Catalog"));
    miFileOpenCatalog_->setObjectName("miFileOpenCatalog");
    a.OpenCatalogList = AddAction(miFileOpenCatalog_, "miFileOpenCatalogList", "Catalogs...", QKeySequence::Open);
    a.CloseCatalog = AddAction(miMainFile_, "miFileCloseCatalog", "Close Catalog", QKeySequence::Close,
                               Icon("document-close", QStyle::SP_DialogCloseButton));
    miMainFile_->addSeparator();
    miFileStyles_ = miMainFile_->addMenu(Tr("Styles"));
    miFileStyles_->setObjectName("miFileStyles");
    miFileImport_ = miMainFile_->addMenu(Tr("Import"));
    miFileImport_->setObjectName("miFileImport");
    a.ImportCatalogsTables = AddAction(miFileImport_, "miFileImportCatalogsTables", "Catalogs Tables");
    a.ImportStylesTables = AddAction(miFileImport_, "miFileImportStylesTables", "Styles Tables");
    a.ImportTemplateFromHtml = AddAction(miFileImport_, "miFileImportTemplateFromHTML", "Template From HTML");
    a.ImportTemplateFromXhtml = AddAction(miFileImport_, "miFileImportTemplateFromXHTML", "Template From XHTML");
    a.ImportWebSite = AddAction(miFileImport_, "miFileImportWebSite", "Web Site...");
    a.ImportImages = AddAction(miFileImport_, "miFileImportImages", "Images");
    miFileExport_ = miMainFile_->addMenu(Tr("Export"));
    miFileExport_->setObjectName("miFileExport");
    a.ExportCatalogsTables = AddAction(miFileExport_, "miFileExportCatalogsTables", "Catalogs Tables");
    a.ExportStylesTables = AddAction(miFileExport_, "miFileExportStylesTables", "Styles Tables");
    a.ExportImages = AddAction(miFileExport_, "miFileExportImages", "Images");
    a.ExportTemplates = AddAction(miFileExport_, "miFileExportTemplates", "Templates");
    a.ExportXhtmlTemplates = AddAction(miFileExport_, "miFileExportXHTMLTemplates", "Templates as XHTML");
    a.ExportCatalogTemplateToStyles =
        AddAction(miFileExport_, "miFileExportCatalogTemplateToStyles", "Catalog Template To Styles...");
    miMainFile_->addSeparator();
    a.ChangeCatalogCode = AddAction(miMainFile_, "miFileChangeCatalogCode", "Change Catalog Code...");
    miFileDatabaseUtilities_ = miMainFile_->addMenu(Tr("Database Utilities"));
    miFileDatabaseUtilities_->setObjectName("miFileDatabaseUtilities");
    a.Backup = AddAction(miFileDatabaseUtilities_, "miFileBackup", "Backup");
    a.Restore = AddAction(miFileDatabaseUtilities_, "miFileRestore", "Restore");
    a.Compress = AddAction(miFileDatabaseUtilities_, "miFileCompress", "Compress");
    a.DeleteCatalog = AddAction(miMainFile_, "miFileDeleteCatalog", "Delete Catalog", {},
                                Icon("edit-delete", QStyle::SP_TrashIcon));
    miMainFile_->addSeparator();
    a.ProgramSettings = AddAction(miMainFile_, "miFileProgramSettings", "Program Settings...",
                                  QKeySequence::Preferences, Icon("preferences-system", QStyle::SP_FileDialogDetailedView));
    miMainFile_->addSeparator();
    for (size_t i = 0; i < a.LastUsed.size(); ++i) {
        const std::string name = "miFileLastUsed" + std::to_string(i + 1);
        a.LastUsed[i] = AddAction(miMainFile_, name.c_str(), "Last Used");
        a.LastUsed[i]->setVisible(false);
    }
    a.LastUsedSeparator = miMainFile_->addSeparator();
    a.LastUsedSeparator->setVisible(false);
    a.Exit = AddAction(miMainFile_, "miFileExit", "Exit", QKeySequence::Quit,
                       Icon("application-exit", QStyle::SP_DialogCloseButton));

    miMainEdit_ = bar->addMenu(Tr("&Edit"));
    miMainEdit_->setObjectName("miMainEdit");
    a.Undo = new TTolvexEditUndo(this);
    miMainEdit_->addAction(a.Undo);
    a.Redo = new TTolvexEditRedo(this);
    miMainEdit_->addAction(a.Redo);
    miMainEdit_->addSeparator();
    a.Cut = AddAction(miMainEdit_, "actMainEditCut", "Cut", QKeySequence::Cut, Icon("edit-cut", QStyle::SP_DialogDiscardButton));
    a.Copy = AddAction(miMainEdit_, "actMainEditCopy", "Copy", QKeySequence::Copy, Icon("edit-copy", QStyle::SP_FileIcon));
    a.Paste = AddAction(miMainEdit_, "actMainEditPaste", "Paste", QKeySequence::Paste,
                        Icon("edit-paste", QStyle::SP_DialogApplyButton));
    a.SelectAll = AddAction(miMainEdit_, "actMainEditSelectAll", "Select All", QKeySequence::SelectAll);
    miMainEdit_->addSeparator();
    // Find Next and Replace keep Ctrl+G and Ctrl+R, which the platform's standard keys would change.
    a.Find = AddAction(miMainEdit_, "actMainEditFind", "Find...", QKeySequence::Find,
                       Icon("edit-find", QStyle::SP_FileDialogContentsView));
    a.FindNext = AddAction(miMainEdit_, "actMainEditFindNext", "Find Next", QKeySequence(Qt::CTRL | Qt::Key_G));
    a.Replace = AddAction(miMainEdit_, "actMainEditReplace", "Replace...", QKeySequence(Qt::CTRL | Qt::Key_R),
                          Icon("edit-find-replace", QStyle::SP_BrowserReload));
    miMainEdit_->addSeparator();
    a.ApplyNewStyle = AddAction(miMainEdit_, "miEditApplyNewStyle", "Apply New Style...");
    a.Save = AddAction(miMainEdit_, "actMainEditorSave", "Save", QKeySequence::Save,
                       Icon("document-save", QStyle::SP_DialogSaveButton));

    miMainView_ = bar->addMenu(Tr("&View"));
    miMainView_->setObjectName("miMainView");
    for (auto [action, name, caption] :
         {std::tuple{&a.ViewWebTree, "miViewWebTree", "Web Tree"}, {&a.ViewTemplates, "miViewTemplates", "Templates"},
          {&a.ViewToolbar, "miViewToolbar", "Toolbar"}, {&a.ViewStatusBar, "miViewStatusBar", "Status Bar"},
          {&a.ViewAutoHide, "miViewAutoHide", "Auto Hide"}}) {
        *action = AddAction(miMainView_, name, caption);
        (*action)->setCheckable(true);
    }

    miMainCatalog_ = bar->addMenu(Tr("&Catalog"));
    miMainCatalog_->setObjectName("miMainCatalog");
    miMainPublish_ = bar->addMenu(Tr("&Web"));
    miMainPublish_->setObjectName("miMainPublish");
    miMainReport_ = bar->addMenu(Tr("&Report"));
    miMainReport_->setObjectName("miMainReport");
    miMainHelp_ = bar->addMenu(Tr("&Help"));
    miMainHelp_->setObjectName("miMainHelp");
    a.HelpContents = AddAction(miMainHelp_, "miHelpContents", "Tolvex Help", QKeySequence::HelpContents,
                               Icon("help-contents", QStyle::SP_DialogHelpButton));
    a.OnlineSupport = AddAction(miMainHelp_, "miHelpOnlineSupport", "Tolvex Online Support", {},
                                Icon("help-browser", QStyle::SP_DriveNetIcon));
    a.SoftwareUpdate = AddAction(miMainHelp_, "miHelpSoftwareUpdate", "Software Update", {},
                                 Icon("system-software-update", QStyle::SP_BrowserReload));
    miMainHelp_->addSeparator();
    a.About = AddAction(miMainHelp_, "miHelpAbout", "About Tolvex...", {}, Icon("help-about", QStyle::SP_MessageBoxInformation));
}

void TfrmMain::BuildToolbars()
{
    tbtMainDefault_ = addToolBar(Tr("Actions"));
    tbtMainDefault_->setObjectName("tbtMainDefault");
    tbtMainDefault_->addAction(actions_.NewCatalog);
    auto* open = new QToolButton(tbtMainDefault_);
    open->setObjectName("tbsiMainDefaultOpenCatalog");
    open->setIcon(miFileOpenCatalog_->icon());
    open->setToolTip(Tr("Open Catalog"));
    open->setMenu(miFileOpenCatalog_);
    open->setPopupMode(QToolButton::InstantPopup);
    tbtMainDefault_->addWidget(open);
    tbtMainDefault_->addSeparator();
    tbtMainDefault_->addAction(actions_.Cut);
    tbtMainDefault_->addAction(actions_.Copy);
    tbtMainDefault_->addAction(actions_.Paste);
    tbtMainDefault_->addAction(actions_.Undo);

    tbtMainCustom_ = addToolBar(Tr("Catalog Actions"));
    tbtMainCustom_->setObjectName("tbtMainCustom");
    tbtMainCustom_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    for (size_t i = 0; i < catalogActions_.size(); ++i) {
        catalogActions_[i] = tbtMainCustom_->addAction(QString());
        catalogActions_[i]->setObjectName(QString("tbiMainCustom%1").arg(i + 1));
        catalogActions_[i]->setCheckable(true);
        catalogActions_[i]->setVisible(false);
    }
    tbtMainCustom_->hide();

    tbtMainLanguage_ = addToolBar(Tr("Languages"));
    tbtMainLanguage_->setObjectName("tbtMainLanguage");
    languageCombo_ = new QComboBox(tbtMainLanguage_);
    languageCombo_->setObjectName("cbtbMainSelectLanguage");
    languageCombo_->setMinimumWidth(118);
    languageCombo_->setFocusPolicy(Qt::ClickFocus);
    tbtMainLanguage_->addWidget(languageCombo_);
    tbtMainLanguage_->hide();
    // A selection made by program is not reported (the controller blocks the combo's signals).
    connect(languageCombo_, &QComboBox::activated, this,
            [this](int index) { emit languageChosen(languageCombo_->itemData(index).toString()); });

    tbtMainSearch_ = addToolBar(Tr("Search"));
    tbtMainSearch_->setObjectName("tbtMainSearch");
    // The box and its button are one widget, so that a crowded toolbar row
    // never hides the button behind the toolbar's extension arrow.
    auto* searchBox = new QWidget(tbtMainSearch_);
    auto* searchLayout = new QHBoxLayout(searchBox);
    searchLayout->setContentsMargins(0, 0, 0, 0);
    searchLayout->setSpacing(2);
    searchBox_ = new QComboBox(searchBox);
    searchBox_->setObjectName("cbMainSearch");
    searchBox_->setEditable(true);
    searchBox_->setMinimumWidth(160);
    searchBox_->setInsertPolicy(QComboBox::NoInsert);
    searchBox_->lineEdit()->setPlaceholderText(Tr("Search"));
    searchBox_->setToolTip(Tr("Enter search keyword"));
    searchLayout->addWidget(searchBox_);
    actions_.Search = AddAction(nullptr, "actMainSearch", "Search");
    searchButton_ = new QToolButton(searchBox);
    searchButton_->setObjectName("tbsiMainSearch");
    searchButton_->setIcon(Icon("edit-find", QStyle::SP_FileDialogContentsView));
    searchButton_->setToolTip(Tr("Search"));
    searchKinds_ = new QMenu(searchButton_);
    searchKinds_->setObjectName("tbsiMainSearchKinds");
    searchButton_->setMenu(searchKinds_);
    searchButton_->setPopupMode(QToolButton::MenuButtonPopup);
    searchLayout->addWidget(searchButton_);
    tbtMainSearch_->addWidget(searchBox);
    tbtMainSearch_->hide();
    connect(searchButton_, &QToolButton::clicked, actions_.Search, &QAction::trigger);
    // Enter in the search box searches (the window's key filter takes it, see
    // eventFilter); it does not move the focus on.
    searchBox_->lineEdit()->setProperty("tolvexTag", ControlOperations::kTagEnterNotIntercepted);
}

void TfrmMain::BuildTreePanel(TTreePanel& tree, const char* name, const char* caption, const char* customName)
{
    tree.Panel = new QWidget;
    tree.Panel->setObjectName(name);
    auto* layout = new QVBoxLayout(tree.Panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    QWidget* bar = CaptionBar(tree.Panel, tree.Caption, Tr(caption));
    bar->setObjectName(QString(name) + "Caption");
    tree.Caption->setObjectName(QString(name) + "CaptionText");
    layout->addWidget(bar);
    tree.MainBar = new QToolBar(tree.Panel);
    tree.MainBar->setIconSize(QSize(16, 16));
    layout->addWidget(tree.MainBar);
    tree.CustomBar = new TFittingToolBar(tree.Panel);
    tree.CustomBar->setIconSize(QSize(16, 16));
    for (size_t i = 0; i < tree.CustomButtons.size(); ++i) {
        tree.CustomButtons[i] = tree.CustomBar->addAction(QString());
        tree.CustomButtons[i]->setObjectName(QString("%1%2").arg(customName).arg(i + 1));
        tree.CustomButtons[i]->setVisible(false);
    }
    tree.CustomBar->hide();
    layout->addWidget(tree.CustomBar);
    tree.Placeholder = new QTreeWidget(tree.Panel);
    tree.Placeholder->setHeaderHidden(true);
    tree.Placeholder->setFrameShape(QFrame::NoFrame);
    layout->addWidget(tree.Placeholder, 1);
}

void TfrmMain::BuildPanes()
{
    TMainWindowActions& a = actions_;
    auto* stack = new QStackedWidget(this);
    welcome_ = new QWidget(stack);
    welcome_->setObjectName("pnlMainWelcome");
    auto* welcome = new QVBoxLayout(welcome_);
    auto* hint = new QLabel(Tr("No catalog is open.\nCreate a catalog or open one from the File menu."), welcome_);
    hint->setAlignment(Qt::AlignCenter);
    hint->setForegroundRole(QPalette::PlaceholderText);
    welcome->addWidget(hint);
    stack->addWidget(welcome_);

    pnlMain_ = new QSplitter(Qt::Horizontal, stack);
    pnlMain_->setObjectName("pnlMain");
    pnlMain_->setChildrenCollapsible(false);
    stack->addWidget(pnlMain_);
    setCentralWidget(stack);

    pnlMainLeft_ = new QWidget(pnlMain_);
    pnlMainLeft_->setObjectName("pnlMainLeft");
    auto* leftLayout = new QVBoxLayout(pnlMainLeft_);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    splMainLeftWebTree_ = new QSplitter(Qt::Vertical, pnlMainLeft_);
    splMainLeftWebTree_->setObjectName("splMainLeftWebTree");
    leftLayout->addWidget(splMainLeftWebTree_);

    BuildTreePanel(webTree_, "pnlMainLeftWebTree", "Web Tree", "tbtnTreeCustom");
    webTree_.Placeholder->setObjectName("tvMainWebTree");
    QWidget* webBar = webTree_.Caption->parentWidget();
    a.WebTreeAutoHide = AddAction(nullptr, "actWebTreeAutoHide", "Auto Hide", {}, Icon("go-first", QStyle::SP_ArrowLeft));
    a.HideWebTree = AddAction(nullptr, "actWebTreeClose", "Hide Web Tree", {},
                              Icon("window-close", QStyle::SP_TitleBarCloseButton));
    BarButton(webBar, "sbtnWebTreeAutoHide", a.WebTreeAutoHide);
    BarButton(webBar, "sbtnWebTreeClose", a.HideWebTree);
    a.WebTreeDelete = AddAction(nullptr, "tbtnWebTreeDelete", "Delete", {}, Icon("edit-delete", QStyle::SP_TrashIcon));
    a.WebTreeSort = AddAction(nullptr, "tbtnWebTreeSort", "Sort childs", {},
                              Icon("view-sort-ascending", QStyle::SP_FileDialogListView));
    a.WebTreeSort->setCheckable(true);
    a.WebTreeMoveUp = AddAction(nullptr, "tbtnWebTreeMoveUp", "Move Up", {}, Icon("go-up", QStyle::SP_ArrowUp));
    a.WebTreeMoveDown = AddAction(nullptr, "tbtnWebTreeMoveDown", "Move Down", {}, Icon("go-down", QStyle::SP_ArrowDown));
    a.WebTreeHelp = AddAction(nullptr, "tbtnWebTreeHelp", "Help", {}, Icon("help-contents", QStyle::SP_DialogHelpButton));
    for (QAction* button : {a.WebTreeDelete, a.WebTreeSort, a.WebTreeMoveUp, a.WebTreeMoveDown, a.WebTreeHelp})
        webTree_.MainBar->addAction(button);
    splMainLeftWebTree_->addWidget(webTree_.Panel);

    BuildTreePanel(templates_, "pnlMainLeftTemplates", "Templates", "tbtnTemplatesCustom");
    templates_.Placeholder->setObjectName("tvMainTemplates");
    a.HideTemplates = AddAction(nullptr, "actMainTemplatesClose", "Hide Templates", {},
                                Icon("window-close", QStyle::SP_TitleBarCloseButton));
    BarButton(templates_.Caption->parentWidget(), "sbtnMainTemplatesClose", a.HideTemplates);
    a.TemplatesDelete = AddAction(nullptr, "tbtnTemplatesDelete", "Delete", {}, Icon("edit-delete", QStyle::SP_TrashIcon));
    templates_.MainBar->addAction(a.TemplatesDelete);
    auto* selectTree = new QToolButton(templates_.MainBar);
    selectTree->setObjectName("tbsmMainTemplateSelectTree");
    selectTree->setText(Tr("Select Tree"));
    selectTree->setToolButtonStyle(Qt::ToolButtonTextOnly);
    selectTree_ = new QMenu(selectTree);
    selectTree->setMenu(selectTree_);
    selectTree->setPopupMode(QToolButton::InstantPopup);
    selectTreeButton_ = templates_.MainBar->addWidget(selectTree);
    selectTreeButton_->setVisible(false);
    a.TemplatesHelp = AddAction(nullptr, "tbtnTemplatesHelp", "Help", {}, Icon("help-contents", QStyle::SP_DialogHelpButton));
    templates_.MainBar->addAction(a.TemplatesHelp);
    // The entries of the templates tree's pop-up menu.
    a.TemplatesCopyToNew = AddAction(nullptr, "tbtnTemplatesCopyToNew", "Copy to New Template");
    a.TemplatesExportToStyles = AddAction(nullptr, "tbtnTemplatesExportToStyles", "Export Template To Styles Database");
    a.TemplatesRestoreFromStyles =
        AddAction(nullptr, "tbtnTemplatesRestoreFromStyles", "Restore Template From Styles Database");
    a.TemplatesCompareWithStyles =
        AddAction(nullptr, "tbtnTemplatesCompareWithStyles", "Compare with Template From Styles Database");
    splMainLeftWebTree_->addWidget(templates_.Panel);
    splMainLeftWebTree_->setStretchFactor(0, 2);
    splMainLeftWebTree_->setStretchFactor(1, 1);

    auto* client = new QWidget(pnlMain_);
    client->setObjectName("pnlMainClient");
    auto* clientLayout = new QVBoxLayout(client);
    clientLayout->setContentsMargins(0, 0, 0, 0);
    clientLayout->setSpacing(0);
    QWidget* clientBar = CaptionBar(client, editorCaption_, QString());
    editorCaption_->setObjectName("pnlMainClientCaption");
    a.ShowWebTree = AddAction(nullptr, "actMainClientShowWebTree", "Show Web Tree", {},
                              Icon("go-last", QStyle::SP_ArrowRight));
    showWebTreeButton_ = BarButton(clientBar, "sbtnMainClientShowWebTree", a.ShowWebTree);
    clientLayout->addWidget(clientBar);
    editorPane_ = new QWidget(client);
    editorPane_->setObjectName("pnlMainEditor");
    auto* editorLayout = new QVBoxLayout(editorPane_);
    editorPlaceholder_ = new QLabel(Tr("Select a page in the web tree to edit it."), editorPane_);
    editorPlaceholder_->setObjectName("lblMainEditorEmpty");
    editorPlaceholder_->setAlignment(Qt::AlignCenter);
    editorPlaceholder_->setForegroundRole(QPalette::PlaceholderText);
    editorLayout->addWidget(editorPlaceholder_);
    clientLayout->addWidget(editorPane_, 1);
    saveBar_ = new QWidget(client);
    saveBar_->setObjectName("pnlMainClientSave");
    auto* saveLayout = new QHBoxLayout(saveBar_);
    saveLayout->addStretch(1);
    saveButton_ = new QPushButton(Icon("document-save", QStyle::SP_DialogSaveButton), Tr("Save"), saveBar_);
    cancelButton_ = new QPushButton(Icon("dialog-cancel", QStyle::SP_DialogCancelButton), Tr("Cancel"), saveBar_);
    auto* help = new QPushButton(Icon("help-contents", QStyle::SP_DialogHelpButton), Tr("Help"), saveBar_);
    a.EditorCancel = AddAction(nullptr, "actMainEditorCancel", "Cancel");
    a.EditorHelp = AddAction(nullptr, "actMainEditorHelp", "Help");
    // The Save button is the Save command (Ctrl+S); both are enabled together.
    for (auto [button, name, command] : {std::tuple{saveButton_, "btnMainEditorSave", a.Save},
                                         {cancelButton_, "btnMainEditorCancel", a.EditorCancel},
                                         {help, "btnMainEditorHelp", a.EditorHelp}}) {
        button->setObjectName(name);
        saveLayout->addWidget(button);
        connect(button, &QPushButton::clicked, command, &QAction::trigger);
    }
    saveBar_->hide();
    clientLayout->addWidget(saveBar_);

    pnlMain_->addWidget(pnlMainLeft_);
    pnlMain_->addWidget(client);
    pnlMain_->setStretchFactor(0, 0);
    pnlMain_->setStretchFactor(1, 1);
    connect(pnlMain_, &QSplitter::splitterMoved, this, [this](int position, int index) {
        if (index == 1)
            emit leftPaneWidthChosen(position);
    });
}

void TfrmMain::BuildStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName("sbarMain");
    bar->setSizeGripEnabled(true);
    for (size_t i = 0; i < statusPanels_.size(); ++i) {
        statusPanels_[i] = new QLabel(bar);
        statusPanels_[i]->setObjectName(QString("sbarMainPanel%1").arg(i));
        statusPanels_[i]->setTextFormat(i == 3 || i == 1 ? Qt::RichText : Qt::PlainText);
        bar->addWidget(statusPanels_[i], i == 0 ? 1 : 0);
    }
}

void TfrmMain::ResizeStatusPanels()
{
    const std::vector<int> widths = GuiControlRules::StatusPanelWidths(statusBar()->width(), kStatusPanels);
    for (size_t i = 1; i < statusPanels_.size(); ++i)
        statusPanels_[i]->setFixedWidth(std::max(0, widths[i]));
}

void TfrmMain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    ResizeStatusPanels();
}

// ---- the client area -----------------------------------------------------------------------------

void TfrmMain::ShowCatalogPage(bool open)
{
    auto* stack = static_cast<QStackedWidget*>(centralWidget());
    stack->setCurrentWidget(open ? static_cast<QWidget*>(pnlMain_) : welcome_);
}

TEditorPaneWidgets TfrmMain::EditorPaneWidgets() const
{
    return {editorPane_, editorPlaceholder_, editorCaption_, saveBar_, saveButton_, cancelButton_, actions_.Save};
}

void TfrmMain::PlaceInEditorPane(QWidget* widget)
{
    editorPane_->layout()->addWidget(widget);
    editorPlaceholder_->hide();
    // When the widget goes, the pane says it is empty unless something else
    // took it. Asked from the event loop: the widget may go while the next
    // page's editor is itself being built or torn down.
    connect(widget, &QObject::destroyed, editorPlaceholder_, [this] {
        const QLayout* layout = editorPane_->layout();
        for (int i = 0; i < layout->count(); ++i)
            if (QWidget* shown = layout->itemAt(i)->widget(); shown && shown != editorPlaceholder_ && !shown->isHidden())
                return;
        editorPlaceholder_->show();
    }, Qt::QueuedConnection);
}

void TfrmMain::SetEditorPlaceholderText(const QString& text)
{
    editorPlaceholder_->setText(text);
}

void TfrmMain::SetEditorCaption(const QString& text)
{
    editorCaption_->setText(text);
}

void TfrmMain::SetTemplatesCaption(const QString& text)
{
    templates_.Caption->setText(text);
}

void TfrmMain::ShowSaveBar(bool visible)
{
    saveBar_->setVisible(visible);
}

// ---- the left pane -------------------------------------------------------------------------------

void TfrmMain::ShowTreePanels(bool webTree, bool templates)
{
    webTree_.Panel->setVisible(webTree);
    templates_.Panel->setVisible(templates);
    showWebTreeButton_->setVisible(!webTree);
    if (!webTree || !templates)
        return;
    const QList<int> sizes = splMainLeftWebTree_->sizes();
    if (sizes.size() == 2 && (sizes[0] == 0 || sizes[1] == 0)) {
        const int height = std::max(splMainLeftWebTree_->height(), 300);
        const int web = GuiControlRules::WebTreePanelHeight(height, 0, 0, 2.0 / 3.0);
        splMainLeftWebTree_->setSizes({web, height - web});
    }
}

void TfrmMain::ShowLeftPane(int widthWhenHidden)
{
    const bool wasHidden = pnlMainLeft_->isHidden();
    pnlMainLeft_->show();
    if (wasHidden) {
        const int total = std::max(pnlMain_->width(), widthWhenHidden + 200);
        pnlMain_->setSizes({widthWhenHidden, total - widthWhenHidden});
    }
}

void TfrmMain::SetLeftPaneWidth(int width)
{
    if (pnlMainLeft_->isHidden() || width <= 0)
        return;
    const int total = std::max(pnlMain_->width(), width + 200);
    pnlMain_->setSizes({width, total - width});
}

void TfrmMain::SetLeftPaneVisible(bool visible)
{
    pnlMainLeft_->setVisible(visible);
}

void TfrmMain::AutoHideLeftPane(const QPoint& cursor)
{
    if (pnlMainLeft_->isVisible()) {
        const QRect area(pnlMainLeft_->mapToGlobal(QPoint(0, 0)), pnlMainLeft_->size());
        if (!area.contains(cursor))
            pnlMainLeft_->hide();
        return;
    }
    const QPoint origin = pnlMain_->mapToGlobal(QPoint(0, 0));
    const QRect strip(origin.x(), origin.y(), 16, pnlMain_->height());
    if (strip.contains(cursor))
        pnlMainLeft_->show();
}

void TfrmMain::SetTemplatesTreeShown(bool shown)
{
    // The tree shown is the placeholder, or the open catalog's templates tree view.
    (templates_.View ? templates_.View : templates_.Placeholder)->setVisible(shown);
    templates_.MainBar->setVisible(shown);
    if (shown) {
        const int height = splMainLeftWebTree_->height();
        splMainLeftWebTree_->setSizes({GuiControlRules::WebTreePanelHeight(height, 0, 0, 2.0 / 3.0), height / 3});
    }
}

void TfrmMain::SetSelectTreeShown(bool shown)
{
    selectTreeButton_->setVisible(shown);
}

bool TfrmMain::IsInTreePanels(const QWidget* widget) const
{
    return widget && (webTree_.Panel->isAncestorOf(widget) || templates_.Panel->isAncestorOf(widget));
}

bool TfrmMain::TreeHasCurrent(TMainTree tree) const
{
    for (QTreeView* view : Tree(tree).Panel->findChildren<QTreeView*>())
        if (!view->isHidden() && view->currentIndex().isValid())
            return true;
    return false;
}

void TfrmMain::PlaceTreeView(TMainTree which, QWidget* view)
{
    TTreePanel& tree = Tree(which);
    delete TakeTreeView(which);
    delete tree.Panel->layout()->replaceWidget(tree.Placeholder, view);  // the layout's item of the placeholder
    view->setHidden(tree.Placeholder->isHidden());  // a collapsed pane stays collapsed
    tree.Placeholder->hide();
    tree.View = view;
}

QWidget* TfrmMain::TakeTreeView(TMainTree which)
{
    TTreePanel& tree = Tree(which);
    QWidget* view = tree.View;
    if (!view)
        return nullptr;
    delete tree.Panel->layout()->replaceWidget(view, tree.Placeholder);  // the layout's item of the view
    tree.Placeholder->setHidden(view->isHidden());
    tree.View = nullptr;
    return view;
}

// ---- private messages and closing ------------------------------------------------------------------

void TfrmMain::PostMessage(int message, std::int64_t wParam, std::int64_t lParam)
{
    QCoreApplication::postEvent(this, new TMainWindowEvent(message, wParam, lParam));
}

void TfrmMain::SendMessage(int message, std::int64_t wParam, std::int64_t lParam)
{
    if (handler_)
        handler_->HandleMessage({message, wParam, lParam});
}

bool TfrmMain::event(QEvent* event)
{
    if (TMainWindowEvent::MessageOf(event->type()) != 0) {
        if (handler_)
            handler_->HandleMessage(static_cast<TMainWindowEvent*>(event)->Post);
        return true;
    }
    return QMainWindow::event(event);
}

void TfrmMain::closeEvent(QCloseEvent* event)
{
    if (handler_ && !handler_->CanClose()) {
        event->ignore();
        return;
    }
    if (handler_)
        handler_->Closed();
    event->accept();
}
