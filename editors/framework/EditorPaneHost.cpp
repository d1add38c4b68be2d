#include "editors/framework/ui/EditorPaneHost.h"

#include "shell/GuiControl.h"
#include "shell/MainWindow.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>

TEditorPaneHost::TEditorPaneHost(TfrmMain& window, TGUIControl* guiControl)
    : window_(window), guiControl_(guiControl), panel_(*window.pnlMainEditor, window.lblMainEditorEmpty)
{
}

void TEditorPaneHost::SetCaption(const std::string& text)
{
    if (guiControl_)
        guiControl_->SetEditorCaption(text);
    else
        window_.pnlMainClientCaption->setText(QString::fromUtf8(text.c_str()));
}

void TEditorPaneHost::SetSaveEnabled(bool enabled)
{
    window_.btnMainEditorSave->setEnabled(enabled);
    if (QAction* save = window_.Action("actMainEditorSave"))
        save->setEnabled(enabled);
}

void TEditorPaneHost::SetCancelEnabled(bool enabled)
{
    window_.btnMainEditorCancel->setEnabled(enabled);
}

void TEditorPaneHost::SetCancelVisible(bool visible)
{
    window_.btnMainEditorCancel->setVisible(visible);
}

void TEditorPaneHost::SetOkCaption(const std::string& text)
{
    window_.btnMainEditorSave->setText(QString::fromUtf8(text.c_str()));
}

void TEditorPaneHost::ShowSavePanel(bool visible)
{
    if (guiControl_)
        guiControl_->ShowSavePanel(visible);
    else
        window_.pnlMainClientSave->setVisible(visible);
}

void TEditorPaneHost::SetStatusText(int panel, const std::string& text)
{
    if (guiControl_)
        guiControl_->SetStatusText(text, false, panel);
}

void TEditorPaneHost::SetStatusNotice(const std::string& text, int flags)
{
    if (guiControl_)
        guiControl_->SetStatusNotice(text, flags);
}

void TEditorPaneHost::PressOk()
{
    if (window_.btnMainEditorSave->isEnabled())
        window_.btnMainEditorSave->click();
}

void TEditorPaneHost::PressCancel()
{
    window_.btnMainEditorCancel->click();
}
