// The GUI controller: panes and view choices, captions, the status bar and
// the language controls.
#include "shell/GuiControl.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/Tolvex.h"
#include "catalog/TolvexCatalog.h"
#include "common/CommonGui.h"
#include "common/CommonProcedures.h"
#include "common/GlobalSettings.h"
#include "common/IniSettings.h"
#include "catalog/Singletons.h"
#include "shell/GuiControlRules.h"
#include "shell/ActionProcessor.h"
#include "shell/MainWindow.h"
#include "shell/TolvexMenuItem.h"
#include "gui/TranslateControl.h"
#include "common/Translation.h"
#include "gui/UiText.h"
#include "storage/References.h"

#include <QApplication>
#include <QPainter>
#include <QComboBox>
#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QTreeWidget>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

using UiText::Q;
using UiText::S;
using UiText::Tr;

void TGUIControl::StoreFlag(int setting, bool& field, bool value)
{
    if (field != value)
        root_.Settings().IniSettings().SetBool(setting, value);
    field = value;
}

// The steps shared by showing and hiding the trees.
void TGUIControl::ApplyLeftPane()
{
    const bool any = webTreeVisible_ || templatesVisible_;
    window_.ShowTreePanels(webTreeVisible_, templatesVisible_);
    if (any && !autoHideApplied_)
        window_.ShowLeftPane(root_.Settings().IniSettings().GetInteger(siLeftPanelWidth, 250));
    else if (!any)
        window_.SetLeftPaneVisible(false);
    if (!any)
        SetAutoHide(false);
    window_.Actions().ViewAutoHide->setEnabled(any && catalogOpen_);
}

void TGUIControl::LeftPaneWidthChosen(int width)
{
    TIniSettings& ini = root_.Settings().IniSettings();
    if (width > 5) {
        ini.SetInteger(siLeftPanelWidth, width);
        return;
    }
    ini.DeleteValue(siLeftPanelWidth);
    SetWebTreeVisible(false);
    SetTemplatesVisible(false);
}

void TGUIControl::SetWebTreeVisible(bool visible)
{
    StoreFlag(siWebTree, webTreeVisible_, visible);
    window_.Actions().ViewWebTree->setChecked(visible);
    ApplyLeftPane();
}

void TGUIControl::SetTemplatesVisible(bool visible)
{
    StoreFlag(siTemplatesTree, templatesVisible_, visible);
    if (visible && templatesCollapsed_)
        CollapseTemplates(false);
    window_.Actions().ViewTemplates->setChecked(visible);
    ApplyLeftPane();
}

void TGUIControl::SetToolbarVisible(bool visible)
{
    StoreFlag(siToolbar, toolbarVisible_, visible);
    window_.Toolbar(TMainToolbar::Actions)->setVisible(visible);
    window_.Toolbar(TMainToolbar::CatalogActions)
        ->setVisible(visible && std::any_of(actionSlots_.begin(), actionSlots_.end(),
                                            [](const auto& slot) { return slot != nullptr; }));
    window_.Toolbar(TMainToolbar::Languages)->setVisible(visible && catalogOpen_);
    window_.Toolbar(TMainToolbar::Search)->setVisible(visible && !window_.Menu(TMainMenu::SearchKinds)->isEmpty());
    window_.Actions().ViewToolbar->setChecked(visible);
}

void TGUIControl::SetStatusBarVisible(bool visible)
{
    StoreFlag(siStatusbar, statusBarVisible_, visible);
    window_.statusBar()->setVisible(visible);
    window_.Actions().ViewStatusBar->setChecked(visible);
}

void TGUIControl::CollapseTemplates(bool collapse)
{
    if (collapse && !webTreeVisible_)
        return;  // never two caption bars alone
    templatesCollapsed_ = collapse;
    window_.SetTemplatesTreeShown(!collapse);
}

void TGUIControl::SetAutoHide(bool on)
{
    if (!webTreeVisible_ && !templatesVisible_)
        on = false;
    if (on != autoHide_) {
        StoreFlag(siAutohide, autoHide_, on);
        ApplyAutoHide(on);
    }
    QAction* item = window_.Actions().ViewAutoHide;
    item->setChecked(on);
    item->setEnabled((webTreeVisible_ || templatesVisible_) && catalogOpen_);
}

void TGUIControl::ApplyAutoHide(bool on)
{
    if (on == autoHideApplied_)
        return;
    autoHideApplied_ = on;
    if (on) {
        qApp->installEventFilter(this);
        CheckAutoHide(QCursor::pos());
    } else {
        qApp->removeEventFilter(this);
        window_.SetLeftPaneVisible(webTreeVisible_ || templatesVisible_);
    }
}

void TGUIControl::CheckAutoHide(const QPoint& cursor)
{
    window_.AutoHideLeftPane(cursor);
}

bool TGUIControl::eventFilter(QObject* watched, QEvent* event)
{
    if (autoHideApplied_ && event->type() == QEvent::MouseMove)
        CheckAutoHide(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
    return QObject::eventFilter(watched, event);
}

void TGUIControl::ShowLanguageMenu(const QPoint& at)
{
    if (!catalogOpen_)
        return;
    QMenu languages;
    languages.setObjectName("pmMainLanguages");
    FillLanguageMenu(&languages);
    languages.exec(at);
}

// ---- captions ----------------------------------------------------------------------------------------

void TGUIControl::SetMainCaption(const std::string& text)
{
    window_.setWindowTitle(UiText::Title(text));
}

void TGUIControl::SetEditorCaption(const std::string& text)
{
    window_.SetEditorCaption(Q(text));
}

void TGUIControl::SetTemplatesCaption(const std::string& captionFormat)
{
    // The templates tree's selected item node names the root; the tree
    // holds no item nodes yet.
    QString caption = Tr(captionFormat);
    caption.replace("$1", QString());
    window_.SetTemplatesCaption(caption);
}

void TGUIControl::ShowSavePanel(bool visible)
{
    window_.ShowSaveBar(visible);
}

// ---- status bar ----------------------------------------------------------------------------------------

void TGUIControl::SetStatusText(const std::string& text, bool translate, int panel)
{
    // The last panel (the editing language) is never written.
    if (panel < 0 || panel >= TfrmMain::kStatusPanels - 1)
        return;
    window_.StatusPanel(panel)->setText(translate ? Tr(text) : Q(text));
}

std::string TGUIControl::StatusText(int panel) const
{
    return S(window_.StatusPanel(panel)->text());
}

void TGUIControl::SetStatusNotice(const std::string& text, int flags)
{
    statusNotice_ = text;
    statusFlags_ = flags;
    QLabel* panel = window_.StatusPanel(1);
    QStyle::StandardPixmap icon;
    QString word;
    if (flags & 4) {
        icon = QStyle::SP_MessageBoxCritical;
        word = Tr("Error");
    } else if (flags & 2) {
        icon = QStyle::SP_MessageBoxWarning;
        word = Tr("Warning");
    } else if (flags & 1) {
        icon = QStyle::SP_MessageBoxInformation;
        word = Tr("Hint");
    } else {
        panel->clear();
        panel->setAccessibleName(QString());
        panel->setToolTip(QString());
        return;
    }
    // Drawn: the kind's icon at the left, its word a quarter icon width to its right.
    const int size = panel->fontMetrics().height();
    const QPixmap image = window_.style()->standardIcon(icon).pixmap(size, size);
    const int wordLeft = 2 + size + size / 4;
    QPixmap canvas(wordLeft + panel->fontMetrics().horizontalAdvance(word) + 2, size + 2);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    painter.drawPixmap(2, 1, image);
    painter.setPen(panel->palette().color(QPalette::WindowText));
    painter.setFont(panel->font());
    painter.drawText(QRect(wordLeft, 0, canvas.width() - wordLeft, canvas.height()), Qt::AlignVCenter, word);
    painter.end();
    panel->setPixmap(canvas);
    panel->setAccessibleName(word);
    panel->setToolTip(Q(text));
}

void TGUIControl::ShowStatusNotice()
{
    if (statusNotice_.empty())
        return;
    TCommonGui& gui = CommonProcedures->Gui();
    if (statusFlags_ & 4)
        gui.ShowError(statusNotice_, false, "");
    else if (statusFlags_ & 2)
        gui.ShowWarning(statusNotice_, false, "");
    else if (statusFlags_ & 1)
        gui.ShowInformation(statusNotice_, false, "");
}

void TGUIControl::LocalizeControl(QWidget* control)
{
    if (!::Translation)
        return;
    const TIniSettings& ini = root_.Settings().IniSettings();
    TranslateControl(control, *::Translation, ini.GetString(siFontName), ini.GetInteger(siFontSize, 0));
}

// ---- languages -----------------------------------------------------------------------------------------

void TGUIControl::FillLanguageCombo()
{
    QComboBox* combo = window_.LanguageCombo();
    TCatalogData* data = root_.GetCatalogData();
    QLabel* panel = window_.StatusPanel(3);
    if (!data) {
        window_.Toolbar(TMainToolbar::Languages)->hide();
        panel->clear();
        return;
    }
    window_.Toolbar(TMainToolbar::Languages)->setVisible(toolbarVisible_);
    const QSignalBlocker block(combo);
    combo->clear();
    TReferences& references = root_.References();
    for (const std::string& code : data->GetLanguages()) {
        const std::string name = references.GetLanguageName(code);
        combo->addItem(Q(name.empty() ? code : name), Q(code));
    }
    combo->model()->sort(0);
    combo->setCurrentIndex(combo->findData(Q(data->GetCurrentLangCode())));
    UpdateLanguageControls();
}

void TGUIControl::UpdateLanguageControls()
{
    TCatalogData* data = root_.GetCatalogData();
    QLabel* panel = window_.StatusPanel(3);
    if (!data) {
        panel->clear();
        return;
    }
    const std::string code = data->GetCurrentLangCode();
    std::string name = root_.References().GetLanguageName(code);
    const QColor back = window_.palette().color(QPalette::Highlight);
    const QColor fore = window_.palette().color(QPalette::HighlightedText);
    panel->setText(QString("<span style=\"background:%1;color:%2\">&nbsp;%3&nbsp;</span>&nbsp;%4")
                       .arg(back.name(), fore.name(), Q(code.substr(0, 2)).toHtmlEscaped(),
                            Q(name.empty() ? code : name).toHtmlEscaped()));
    QComboBox* combo = window_.LanguageCombo();
    const QSignalBlocker block(combo);
    combo->setCurrentIndex(combo->findData(Q(code)));
}

void TGUIControl::FillLanguageMenu(QMenu* menu, std::function<void(const std::string&)> handler)
{
    for (QAction* entry : menu->actions()) {
        menu->removeAction(entry);
        delete entry;
    }
    TCatalogData* data = root_.GetCatalogData();
    if (!data)
        return;
    for (const std::string& code : data->GetLanguages()) {
        const std::string name = root_.References().GetLanguageName(code);
        auto* item = new TTolvexMenuItem(QString("%1  %2").arg(Q(code.substr(0, 2)), Q(name.empty() ? code : name)),
                                         menu);
        item->Command.ActionString = handler ? code : "Action=ChangeLang&LangCode=" + code;
        if (code == data->GetDefaultLangCode()) {
            QFont bold = item->font();
            bold.setBold(true);
            item->setFont(bold);
        }
        connect(item, &QAction::triggered, this, [this, item, handler] {
            if (handler)
                handler(item->Command.ActionString);
            else
                processor_.ItemClickWithoutCheck(item->Command, TClickedEntryKind::MenuItem);
        });
        menu->addAction(item);
    }
}
