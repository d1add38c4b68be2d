#include "shell/MainWindow.h"

#include "gui/ControlOperations.h"
#include "shell/ElidedLabel.h"
#include "shell/GuiControlRules.h"
#include "shell/MainWindowEvent.h"
#include "shell/MainWindowHandler.h"
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
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

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

QToolButton* BarButton(QWidget* bar, const char* name, const QString& hint, const QIcon& icon)
{
    auto* button = new QToolButton(bar);
    button->setObjectName(name);
    button->setToolTip(hint);
    button->setIcon(icon);
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
    if (event->type() == QEvent::KeyPress) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() == this && widget == focusWidget() &&
            ControlOperations::HandleFormKeyPress(this, static_cast<QKeyEvent*>(event), [this] {
                if (handler_)
                    handler_->HandleCommand("actMainEditFind");
            }))
            return true;
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
    actions_[name] = action;
    const std::string command = name;
    connect(action, &QAction::triggered, this, [this, command] {
        if (handler_)
            handler_->HandleCommand(command);
    });
    return action;
}

QAction* TfrmMain::Action(const std::string& name) const
{
    const auto found = actions_.find(name);
    return found == actions_.end() ? nullptr : found->second;
}

void TfrmMain::BuildMenus()
{
    QMenuBar* bar = menuBar();
    miMainFile = bar->addMenu(Tr("&File"));
    miMainFile->setObjectName("miMainFile");
    AddAction(miMainFile, "miFileNewCatalog", "New Catalog...", QKeySequence::New, Icon("document-new", QStyle::SP_FileIcon));
    miFileOpenCatalog = miMainFile->addMenu(Icon("document-open", QStyle::SP_DirOpenIcon), Tr("Open Catalog"));
    miFileOpenCatalog->setObjectName("miFileOpenCatalog");
    AddAction(miFileOpenCatalog, "miFileOpenCatalogList", "Catalogs...", QKeySequence::Open);
    AddAction(miMainFile, "miFileCloseCatalog", "Close Catalog", QKeySequence::Close,
              Icon("document-close", QStyle::SP_DialogCloseButton));
    miMainFile->addSeparator();
    miFileStyles = miMainFile->addMenu(Tr("Styles"));
    miFileStyles->setObjectName("miFileStyles");
    miFileImport = miMainFile->addMenu(Tr("Import"));
    miFileImport->setObjectName("miFileImport");
    AddAction(miFileImport, "miFileImportCatalogsTables", "Catalogs Tables");
    AddAction(miFileImport, "miFileImportStylesTables", "Styles Tables");
    miFileExport = miMainFile->addMenu(Tr("Export"));
    miFileExport->setObjectName("miFileExport");
    AddAction(miFileExport, "miFileExportCatalogsTables", "Catalogs Tables");
    AddAction(miFileExport, "miFileExportStylesTables", "Styles Tables");
    AddAction(miFileExport, "miFileExportImages", "Images");
    AddAction(miFileExport, "miFileExportTemplates", "Templates");
    AddAction(miFileExport, "miFileExportXHTMLTemplates", "Templates as XHTML");
    miMainFile->addSeparator();
    AddAction(miMainFile, "miFileChangeCatalogCode", "Change Catalog Code...");
    miFileDatabaseUtilities = miMainFile->addMenu(Tr("Database Utilities"));
    miFileDatabaseUtilities->setObjectName("miFileDatabaseUtilities");
    AddAction(miFileDatabaseUtilities, "miFileBackup", "Backup");
    AddAction(miFileDatabaseUtilities, "miFileRestore", "Restore");
    AddAction(miFileDatabaseUtilities, "miFileCompress", "Compress");
    AddAction(miMainFile, "miFileDeleteCatalog", "Delete Catalog", {}, Icon("edit-delete", QStyle::SP_TrashIcon));
    miMainFile->addSeparator();
    AddAction(miMainFile, "miFileProgramSettings", "Program Settings...", QKeySequence::Preferences,
              Icon("preferences-system", QStyle::SP_FileDialogDetailedView));
    miMainFile->addSeparator();
    for (size_t i = 0; i < miFileLastUsed.size(); ++i) {
        const std::string name = "miFileLastUsed" + std::to_string(i + 1);
        miFileLastUsed[i] = AddAction(miMainFile, name.c_str(), "Last Used");
        miFileLastUsed[i]->setVisible(false);
    }
    miFileLastUsedSeparator = miMainFile->addSeparator();
    miFileLastUsedSeparator->setVisible(false);
    AddAction(miMainFile, "miFileExit", "Exit", QKeySequence::Quit, Icon("application-exit", QStyle::SP_DialogCloseButton));

    miMainEdit = bar->addMenu(Tr("&Edit"));
    miMainEdit->setObjectName("miMainEdit");
    actMainEditUndo = new TTolvexEditUndo(this);
    miMainEdit->addAction(actMainEditUndo);
    miMainEdit->addSeparator();
    AddAction(miMainEdit, "actMainEditCut", "Cut", QKeySequence::Cut, Icon("edit-cut", QStyle::SP_DialogDiscardButton));
    AddAction(miMainEdit, "actMainEditCopy", "Copy", QKeySequence::Copy, Icon("edit-copy", QStyle::SP_FileIcon));
    AddAction(miMainEdit, "actMainEditPaste", "Paste", QKeySequence::Paste,
              Icon("edit-paste", QStyle::SP_DialogApplyButton));
    AddAction(miMainEdit, "actMainEditSelectAll", "Select All", QKeySequence::SelectAll);
    miMainEdit->addSeparator();
    AddAction(miMainEdit, "actMainEditFind", "Find...", QKeySequence(Qt::CTRL | Qt::Key_F),
              Icon("edit-find", QStyle::SP_FileDialogContentsView));
    AddAction(miMainEdit, "actMainEditFindNext", "Find Next", QKeySequence(Qt::CTRL | Qt::Key_G));
    AddAction(miMainEdit, "actMainEditReplace", "Replace...", QKeySequence(Qt::CTRL | Qt::Key_R),
              Icon("edit-find-replace", QStyle::SP_BrowserReload));
    miMainEdit->addSeparator();
    AddAction(miMainEdit, "miEditApplyNewStyle", "Apply New Style...");
    AddAction(miMainEdit, "actMainEditorSave", "Save", QKeySequence::Save, Icon("document-save", QStyle::SP_DialogSaveButton));

    miMainView = bar->addMenu(Tr("&View"));
    miMainView->setObjectName("miMainView");
    for (const auto& [name, caption] : {std::pair{"miViewWebTree", "Web Tree"}, {"miViewTemplates", "Templates"},
                                        {"miViewToolbar", "Toolbar"}, {"miViewStatusBar", "Status Bar"},
                                        {"miViewAutoHide", "Auto Hide"}})
        AddAction(miMainView, name, caption)->setCheckable(true);

    miMainCatalog = bar->addMenu(Tr("&Catalog"));
    miMainCatalog->setObjectName("miMainCatalog");
    miMainPublish = bar->addMenu(Tr("&Web"));
    miMainPublish->setObjectName("miMainPublish");
    miMainReport = bar->addMenu(Tr("&Report"));
    miMainReport->setObjectName("miMainReport");
    miMainHelp = bar->addMenu(Tr("&Help"));
    miMainHelp->setObjectName("miMainHelp");
    AddAction(miMainHelp, "miHelpContents", "Tolvex Help", QKeySequence::HelpContents,
              Icon("help-contents", QStyle::SP_DialogHelpButton));
    AddAction(miMainHelp, "miHelpSoftwareUpdate", "Software Update", {},
              Icon("system-software-update", QStyle::SP_BrowserReload));
    miMainHelp->addSeparator();
    AddAction(miMainHelp, "miHelpAbout", "About Tolvex...", {}, Icon("help-about", QStyle::SP_MessageBoxInformation));
}

void TfrmMain::BuildToolbars()
{
    tbtMainDefault = addToolBar(Tr("Actions"));
    tbtMainDefault->setObjectName("tbtMainDefault");
    tbtMainDefault->addAction(Action("miFileNewCatalog"));
    auto* open = new QToolButton(tbtMainDefault);
    open->setObjectName("tbsiMainDefaultOpenCatalog");
    open->setIcon(miFileOpenCatalog->icon());
    open->setToolTip(Tr("Open Catalog"));
    open->setMenu(miFileOpenCatalog);
    open->setPopupMode(QToolButton::InstantPopup);
    tbtMainDefault->addWidget(open);
    tbtMainDefault->addSeparator();
    tbtMainDefault->addAction(Action("actMainEditCut"));
    tbtMainDefault->addAction(Action("actMainEditCopy"));
    tbtMainDefault->addAction(Action("actMainEditPaste"));
    tbtMainDefault->addAction(actMainEditUndo);

    tbtMainCustom = addToolBar(Tr("Catalog Actions"));
    tbtMainCustom->setObjectName("tbtMainCustom");
    tbtMainCustom->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    for (size_t i = 0; i < tbiMainCustom.size(); ++i) {
        tbiMainCustom[i] = tbtMainCustom->addAction(QString());
        tbiMainCustom[i]->setObjectName(QString("tbiMainCustom%1").arg(i + 1));
        tbiMainCustom[i]->setCheckable(true);
        tbiMainCustom[i]->setVisible(false);
    }
    tbtMainCustom->hide();

    tbtMainLanguage = addToolBar(Tr("Languages"));
    tbtMainLanguage->setObjectName("tbtMainLanguage");
    cbtbMainSelectLanguage = new QComboBox(tbtMainLanguage);
    cbtbMainSelectLanguage->setObjectName("cbtbMainSelectLanguage");
    cbtbMainSelectLanguage->setMinimumWidth(118);
    cbtbMainSelectLanguage->setFocusPolicy(Qt::ClickFocus);
    tbtMainLanguage->addWidget(cbtbMainSelectLanguage);
    tbtMainLanguage->hide();

    tbtMainSearch = addToolBar(Tr("Search"));
    tbtMainSearch->setObjectName("tbtMainSearch");
    // The box and its button are one widget, so that a crowded toolbar row
    // never hides the button behind the toolbar's extension arrow.
    auto* searchBox = new QWidget(tbtMainSearch);
    auto* searchLayout = new QHBoxLayout(searchBox);
    searchLayout->setContentsMargins(0, 0, 0, 0);
    searchLayout->setSpacing(2);
    cbMainSearch = new QComboBox(searchBox);
    cbMainSearch->setObjectName("cbMainSearch");
    cbMainSearch->setEditable(true);
    cbMainSearch->setMinimumWidth(160);
    cbMainSearch->setInsertPolicy(QComboBox::NoInsert);
    cbMainSearch->lineEdit()->setPlaceholderText(Tr("Search"));
    cbMainSearch->setToolTip(Tr("Enter search keyword"));
    searchLayout->addWidget(cbMainSearch);
    tbsiMainSearch = new QToolButton(searchBox);
    tbsiMainSearch->setObjectName("tbsiMainSearch");
    tbsiMainSearch->setIcon(Icon("edit-find", QStyle::SP_FileDialogContentsView));
    tbsiMainSearch->setToolTip(Tr("Search"));
    tbsiMainSearchMenu = new QMenu(tbsiMainSearch);
    tbsiMainSearch->setMenu(tbsiMainSearchMenu);
    tbsiMainSearch->setPopupMode(QToolButton::MenuButtonPopup);
    searchLayout->addWidget(tbsiMainSearch);
    tbtMainSearch->addWidget(searchBox);
    tbtMainSearch->hide();
    connect(tbsiMainSearch, &QToolButton::clicked, this, [this] {
        if (handler_)
            handler_->HandleCommand("tbsiMainSearch");
    });
    // Enter in the search box searches; it does not move the focus on.
    cbMainSearch->lineEdit()->setProperty("tolvexTag", ControlOperations::kTagEnterNotIntercepted);
    connect(cbMainSearch->lineEdit(), &QLineEdit::returnPressed, this, [this] {
        if (!cbMainSearch->currentText().isEmpty())
            tbsiMainSearch->click();
    });
}

QWidget* TfrmMain::BuildTreePanel(const char* name, const char* caption, QLabel*& captionLabel, QToolBar*& mainBar,
                                  QToolBar*& customBar, std::array<QAction*, 12>& customButtons,
                                  const char* customName, QTreeWidget*& tree)
{
    auto* panel = new QWidget;
    panel->setObjectName(name);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    QWidget* bar = CaptionBar(panel, captionLabel, Tr(caption));
    bar->setObjectName(QString(name) + "Caption");
    layout->addWidget(bar);
    mainBar = new QToolBar(panel);
    mainBar->setIconSize(QSize(16, 16));
    layout->addWidget(mainBar);
    customBar = new QToolBar(panel);
    customBar->setIconSize(QSize(16, 16));
    customBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    for (size_t i = 0; i < customButtons.size(); ++i) {
        customButtons[i] = customBar->addAction(QString());
        customButtons[i]->setObjectName(QString("%1%2").arg(customName).arg(i + 1));
        customButtons[i]->setVisible(false);
    }
    customBar->hide();
    layout->addWidget(customBar);
    tree = new QTreeWidget(panel);
    tree->setHeaderHidden(true);
    tree->setFrameShape(QFrame::NoFrame);
    layout->addWidget(tree, 1);
    return panel;
}

void TfrmMain::BuildPanes()
{
    auto* stack = new QStackedWidget(this);
    pnlMainWelcome = new QWidget(stack);
    pnlMainWelcome->setObjectName("pnlMainWelcome");
    auto* welcome = new QVBoxLayout(pnlMainWelcome);
    auto* hint = new QLabel(Tr("No catalog is open.\nCreate a catalog or open one from the File menu."), pnlMainWelcome);
    hint->setAlignment(Qt::AlignCenter);
    hint->setForegroundRole(QPalette::PlaceholderText);
    welcome->addWidget(hint);
    stack->addWidget(pnlMainWelcome);

    pnlMain = new QSplitter(Qt::Horizontal, stack);
    pnlMain->setObjectName("pnlMain");
    pnlMain->setChildrenCollapsible(false);
    stack->addWidget(pnlMain);
    setCentralWidget(stack);

    pnlMainLeft = new QWidget(pnlMain);
    pnlMainLeft->setObjectName("pnlMainLeft");
    auto* leftLayout = new QVBoxLayout(pnlMainLeft);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    splMainLeftWebTree = new QSplitter(Qt::Vertical, pnlMainLeft);
    splMainLeftWebTree->setObjectName("splMainLeftWebTree");
    leftLayout->addWidget(splMainLeftWebTree);

    QLabel* webCaption = nullptr;
    pnlMainLeftWebTree = BuildTreePanel("pnlMainLeftWebTree", "Web Tree", webCaption, tbtbarMainWebTreeMain,
                                        tbtbarMainWebTreeCustom, tbtnTreeCustom, "tbtnTreeCustom", tvMainWebTree);
    tvMainWebTree->setObjectName("tvMainWebTree");
    QWidget* webBar = webCaption->parentWidget();
    connect(BarButton(webBar, "sbtnWebTreeAutoHide", Tr("Auto Hide"), Icon("go-first", QStyle::SP_ArrowLeft)),
            &QToolButton::clicked, this, [this] { handler_->HandleCommand("sbtnWebTreeAutoHide"); });
    connect(BarButton(webBar, "sbtnWebTreeClose", Tr("Hide Web Tree"), Icon("window-close", QStyle::SP_TitleBarCloseButton)),
            &QToolButton::clicked, this, [this] { handler_->HandleCommand("sbtnWebTreeClose"); });
    tbtbarMainWebTreeMain->addAction(AddAction(nullptr, "tbtnWebTreeDelete", "Delete", {}, Icon("edit-delete", QStyle::SP_TrashIcon)));
    tbtbarMainWebTreeMain->addAction(AddAction(nullptr, "tbtnWebTreeSort", "Sort childs", {}, Icon("view-sort-ascending", QStyle::SP_FileDialogListView)));
    tbtbarMainWebTreeMain->addAction(AddAction(nullptr, "tbtnWebTreeMoveUp", "Move Up", {}, Icon("go-up", QStyle::SP_ArrowUp)));
    tbtbarMainWebTreeMain->addAction(AddAction(nullptr, "tbtnWebTreeMoveDown", "Move Down", {}, Icon("go-down", QStyle::SP_ArrowDown)));
    tbtbarMainWebTreeMain->addAction(AddAction(nullptr, "tbtnWebTreeHelp", "Help", {}, Icon("help-contents", QStyle::SP_DialogHelpButton)));
    Action("tbtnWebTreeSort")->setCheckable(true);
    splMainLeftWebTree->addWidget(pnlMainLeftWebTree);

    pnlMainLeftTemplates = BuildTreePanel("pnlMainLeftTemplates", "Templates", pnlMainLeftTemplatesCaption,
                                          tbtbarMainTreeTemplateMain, tbtbarMainTemplateCustom, tbtnTemplatesCustom,
                                          "tbtnTemplatesCustom", tvMainTemplates);
    tvMainTemplates->setObjectName("tvMainTemplates");
    pnlMainLeftTemplatesClient = tvMainTemplates;
    connect(BarButton(pnlMainLeftTemplatesCaption->parentWidget(), "sbtnMainTemplatesClose", Tr("Hide Templates"),
                      Icon("window-close", QStyle::SP_TitleBarCloseButton)),
            &QToolButton::clicked, this, [this] { handler_->HandleCommand("sbtnMainTemplatesClose"); });
    tbtbarMainTreeTemplateMain->addAction(AddAction(nullptr, "tbtnTemplatesDelete", "Delete", {}, Icon("edit-delete", QStyle::SP_TrashIcon)));
    auto* selectTree = new QToolButton(tbtbarMainTreeTemplateMain);
    selectTree->setObjectName("tbsmMainTemplateSelectTree");
    selectTree->setText(Tr("Select Tree"));
    selectTree->setToolButtonStyle(Qt::ToolButtonTextOnly);
    tbsmMainTemplateSelectTree = new QMenu(selectTree);
    selectTree->setMenu(tbsmMainTemplateSelectTree);
    selectTree->setPopupMode(QToolButton::InstantPopup);
    tbsmMainTemplateSelectTreeAction = tbtbarMainTreeTemplateMain->addWidget(selectTree);
    tbsmMainTemplateSelectTreeAction->setVisible(false);
    tbtbarMainTreeTemplateMain->addAction(AddAction(nullptr, "tbtnTemplatesHelp", "Help", {}, Icon("help-contents", QStyle::SP_DialogHelpButton)));
    splMainLeftWebTree->addWidget(pnlMainLeftTemplates);
    splMainLeftWebTree->setStretchFactor(0, 2);
    splMainLeftWebTree->setStretchFactor(1, 1);

    pnlMainClient = new QWidget(pnlMain);
    pnlMainClient->setObjectName("pnlMainClient");
    auto* clientLayout = new QVBoxLayout(pnlMainClient);
    clientLayout->setContentsMargins(0, 0, 0, 0);
    clientLayout->setSpacing(0);
    QWidget* clientBar = CaptionBar(pnlMainClient, pnlMainClientCaption, QString());
    pnlMainClientCaption->setObjectName("pnlMainClientCaption");
    sbtnMainClientShowWebTree = BarButton(clientBar, "sbtnMainClientShowWebTree", Tr("Show Web Tree"),
                                          Icon("go-last", QStyle::SP_ArrowRight));
    connect(sbtnMainClientShowWebTree, &QToolButton::clicked, this,
            [this] { handler_->HandleCommand("sbtnMainClientShowWebTree"); });
    clientLayout->addWidget(clientBar);
    pnlMainEditor = new QWidget(pnlMainClient);
    pnlMainEditor->setObjectName("pnlMainEditor");
    auto* editorLayout = new QVBoxLayout(pnlMainEditor);
    lblMainEditorEmpty = new QLabel(Tr("Select a page in the web tree to edit it."), pnlMainEditor);
    lblMainEditorEmpty->setAlignment(Qt::AlignCenter);
    lblMainEditorEmpty->setForegroundRole(QPalette::PlaceholderText);
    editorLayout->addWidget(lblMainEditorEmpty);
    clientLayout->addWidget(pnlMainEditor, 1);
    pnlMainClientSave = new QWidget(pnlMainClient);
    pnlMainClientSave->setObjectName("pnlMainClientSave");
    auto* saveLayout = new QHBoxLayout(pnlMainClientSave);
    saveLayout->addStretch(1);
    btnMainEditorSave = new QPushButton(Icon("document-save", QStyle::SP_DialogSaveButton), Tr("Save"), pnlMainClientSave);
    btnMainEditorCancel = new QPushButton(Icon("dialog-cancel", QStyle::SP_DialogCancelButton), Tr("Cancel"), pnlMainClientSave);
    btnMainEditorHelp = new QPushButton(Icon("help-contents", QStyle::SP_DialogHelpButton), Tr("Help"), pnlMainClientSave);
    for (auto [button, name] : {std::pair{btnMainEditorSave, "btnMainEditorSave"}, {btnMainEditorCancel, "btnMainEditorCancel"},
                                {btnMainEditorHelp, "btnMainEditorHelp"}}) {
        button->setObjectName(name);
        saveLayout->addWidget(button);
        const std::string command = name;
        connect(button, &QPushButton::clicked, this, [this, command] { handler_->HandleCommand(command); });
    }
    pnlMainClientSave->hide();
    clientLayout->addWidget(pnlMainClientSave);

    pnlMain->addWidget(pnlMainLeft);
    pnlMain->addWidget(pnlMainClient);
    pnlMain->setStretchFactor(0, 0);
    pnlMain->setStretchFactor(1, 1);
}

void TfrmMain::BuildStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName("sbarMain");
    bar->setSizeGripEnabled(true);
    for (size_t i = 0; i < sbarMainPanels.size(); ++i) {
        sbarMainPanels[i] = new QLabel(bar);
        sbarMainPanels[i]->setObjectName(QString("sbarMainPanel%1").arg(i));
        sbarMainPanels[i]->setTextFormat(i == 3 || i == 1 ? Qt::RichText : Qt::PlainText);
        bar->addWidget(sbarMainPanels[i], i == 0 ? 1 : 0);
    }
}

void TfrmMain::ResizeStatusPanels()
{
    const std::vector<int> widths = GuiControlRules::StatusPanelWidths(statusBar()->width(), 4);
    for (size_t i = 1; i < sbarMainPanels.size(); ++i)
        sbarMainPanels[i]->setFixedWidth(std::max(0, widths[i]));
}

void TfrmMain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    ResizeStatusPanels();
}

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
