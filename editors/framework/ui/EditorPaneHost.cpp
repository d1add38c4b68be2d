#include "editors/framework/ui/EditorPaneHost.h"

#include "editors/framework/ui/EditorStatusBar.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>

TEditorPaneHost::TEditorPaneHost(const TEditorPaneWidgets& widgets, TEditorStatusBar* statusBar)
    : widgets_(widgets), statusBar_(statusBar), panel_(*widgets.Pane, widgets.Placeholder)
{
}

void TEditorPaneHost::SetCaption(const std::string& text)
{
    widgets_.Caption->setText(QString::fromUtf8(text.c_str()));
}

void TEditorPaneHost::SetSaveEnabled(bool enabled)
{
    widgets_.Save->setEnabled(enabled);
    if (widgets_.SaveCommand)
        widgets_.SaveCommand->setEnabled(enabled);
}

void TEditorPaneHost::SetCancelEnabled(bool enabled)
{
    widgets_.Cancel->setEnabled(enabled);
}

void TEditorPaneHost::SetCancelVisible(bool visible)
{
    widgets_.Cancel->setVisible(visible);
}

void TEditorPaneHost::SetOkCaption(const std::string& text)
{
    widgets_.Save->setText(QString::fromUtf8(text.c_str()));
}

void TEditorPaneHost::ShowSavePanel(bool visible)
{
    widgets_.SaveBar->setVisible(visible);
}

void TEditorPaneHost::SetStatusText(int panel, const std::string& text)
{
    if (statusBar_)
        statusBar_->SetPanelText(panel, text);
}

void TEditorPaneHost::SetStatusNotice(const std::string& text, int flags)
{
    if (statusBar_)
        statusBar_->SetStatusNotice(text, flags);
}

void TEditorPaneHost::PressOk()
{
    if (widgets_.Save->isEnabled())
        widgets_.Save->click();
}

void TEditorPaneHost::PressCancel()
{
    widgets_.Cancel->click();
}
