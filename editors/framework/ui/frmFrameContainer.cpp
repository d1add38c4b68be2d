#include "editors/framework/ui/frmFrameContainer.h"

#include "catalog/CatalogData.h"
#include "catalog/Tolvex.h"
#include "editors/framework/ui/EditorTabWidget.h"
#include "editors/framework/TolvexControlClass.h"
#include "gui/UiText.h"
#include "gui/UndoRedoAction.h"
#include "common/Translation.h"
#include "catalog/Singletons.h"
#include "gui/ElidedLabel.h"
#include "storage/References.h"

#include <QHBoxLayout>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

using UiText::Q;
using UiText::Tr;

TfrmFrameContainer::TfrmFrameContainer(TTolvex& root, QWidget* owner) : QDialog(owner), root_(root)
{
    setObjectName("frmFrameContainer");
    resize(552, 369);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    pnlContainer = new QWidget(this);
    pnlContainer->setObjectName("pnlContainer");
    auto* hostLayout = new QVBoxLayout(pnlContainer);
    hostLayout->setContentsMargins(6, 6, 6, 0);
    layout->addWidget(pnlContainer, 1);
    // The window has no Edit menu: its undo and redo keys reach the focused control's history.
    for (const TUndoRedoAction::TKind kind : {TUndoRedoAction::TKind::Undo, TUndoRedoAction::TKind::Redo})
        addAction(new TUndoRedoAction(kind, this));

    // Help on the left; Ok and Cancel, or in wizard mode "< Prev", "Next >",
    // Finish and Cancel, on the right in that order.
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(6, 0, 6, 0);
    btnContainerHelp = new QPushButton(Tr("Help"), this);
    btnContainerOk = new QPushButton(Tr("Ok"), this);
    btnContainerCancel = new QPushButton(Tr("Cancel"), this);
    btnContainerFinish = new QPushButton(Tr("Finish"), this);
    btnContainerDoCancel = new QPushButton(Tr("Cancel"), this);
    buttons->addWidget(btnContainerHelp);
    buttons->addStretch();
    for (QPushButton* button : {btnContainerOk, btnContainerCancel, btnContainerFinish, btnContainerDoCancel})
        buttons->addWidget(button);
    btnContainerOk->setDefault(true);
    const std::pair<QPushButton*, const char*> names[] = {
        {btnContainerOk, "btnContainerOk"}, {btnContainerCancel, "btnContainerCancel"},
        {btnContainerFinish, "btnContainerFinish"}, {btnContainerDoCancel, "btnContainerDoCancel"},
        {btnContainerHelp, "btnContainerHelp"}};
    for (const auto& [button, name] : names) {
        button->setObjectName(name);
        button->setAutoDefault(button == btnContainerOk);
    }
    btnContainerFinish->hide();
    btnContainerDoCancel->hide();
    layout->addLayout(buttons);
    connect(btnContainerOk, &QPushButton::clicked, this, [this] {
        if (wizard_)
            PrevPage();
        else
            Accept();
    });
    connect(btnContainerCancel, &QPushButton::clicked, this, [this] {
        if (wizard_)
            NextPage();
        else
            done(2);
    });
    connect(btnContainerFinish, &QPushButton::clicked, this, [this] { Accept(); });
    connect(btnContainerDoCancel, &QPushButton::clicked, this, [this] { done(2); });
    connect(btnContainerHelp, &QPushButton::clicked, this, [this] {
        if (context_)
            context_->ShowHelp();
    });

    sbarContainer = new QStatusBar(this);
    sbarContainer->setObjectName("sbarContainer");
    sbarContainer->setSizeGripEnabled(true);
    for (std::size_t i = 0; i < sbarPanels.size(); ++i) {
        // The first panel shows texts such as the item's caption: shortened, never widening the window.
        sbarPanels[i] = i == 0 ? new TElidedLabel(QString(), sbarContainer) : new QLabel(sbarContainer);
        sbarPanels[i]->setObjectName(QString("sbarContainerPanel%1").arg(i));
        sbarContainer->addWidget(sbarPanels[i], i == 0 ? 1 : 0);
    }
    sbarPanels[3]->setCursor(Qt::PointingHandCursor);
    sbarPanels[3]->installEventFilter(this);
    layout->addWidget(sbarContainer);
    panel_ = std::make_unique<TQtEditorPanel>(*pnlContainer);
}

TfrmFrameContainer::~TfrmFrameContainer() = default;

void TfrmFrameContainer::Bind(TTolvexControlClass& context)
{
    context_ = &context;
    LanguageChanged();
}

TEditorTabWidget* TfrmFrameContainer::Tabs() const
{
    return panel_->TabWidget();
}

void TfrmFrameContainer::SetCaption(const std::string& text)
{
    setWindowTitle(UiText::Title(text));
}

void TfrmFrameContainer::SetSaveEnabled(bool enabled)
{
    if (!wizard_)
        btnContainerOk->setEnabled(enabled);
}

void TfrmFrameContainer::SetCancelEnabled(bool enabled)
{
    if (!wizard_)
        btnContainerCancel->setEnabled(enabled);
}

void TfrmFrameContainer::SetCancelVisible(bool visible)
{
    (wizard_ ? btnContainerDoCancel : btnContainerCancel)->setVisible(visible);
}

void TfrmFrameContainer::SetOkCaption(const std::string& text)
{
    (wizard_ ? btnContainerFinish : btnContainerOk)->setText(Q(text));
}

void TfrmFrameContainer::SetStatusText(int panel, const std::string& text)
{
    if (HasStatusPanel(panel))
        sbarPanels[static_cast<std::size_t>(panel)]->setText(Q(text));
}

void TfrmFrameContainer::SetStatusNotice(const std::string& text, int)
{
    sbarPanels[0]->setText(Q(text));
}

void TfrmFrameContainer::PressOk()
{
    QPushButton* ok = wizard_ ? btnContainerFinish : btnContainerOk;
    if (ok->isEnabled())
        ok->click();
}

void TfrmFrameContainer::PressCancel()
{
    (wizard_ ? btnContainerDoCancel : btnContainerCancel)->click();
}

void TfrmFrameContainer::SetWizardMode(bool wizard)
{
    wizard_ = wizard;
    if (!wizard)
        return;
    btnContainerOk->setText(Tr("< Prev"));
    btnContainerCancel->setText(Tr("Next >"));
    btnContainerFinish->show();
    btnContainerDoCancel->show();
    UpdateWizardButtons();
}

int TfrmFrameContainer::ShowModal(int width, int height, const std::function<bool()>& accept)
{
    if (width > 0 && height > 0)
        resize(width, height);
    accept_ = accept;
    const int result = exec() == 1 ? 1 : 2;
    accept_ = nullptr;
    return result;
}

void TfrmFrameContainer::Accept()
{
    if (!accept_ || accept_())
        done(1);
}

void TfrmFrameContainer::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (TEditorTabWidget* tabs = Tabs(); tabs && wizard_) {
        tabs->SetTabsHidden(true);
        UpdateWizardButtons();
    }
}

void TfrmFrameContainer::LanguageChanged()
{
    if (!context_)
        return;
    const std::string code = context_->GetCurrentLangCode();
    const std::string name = root_.References().GetLanguageName(code);
    sbarPanels[3]->setText(Q(name.empty() ? code : name + " (" + code + ")"));
}

void TfrmFrameContainer::PrevPage()
{
    if (TEditorTabWidget* tabs = Tabs(); tabs && tabs->ActivePage() > 0)
        tabs->ActivatePage(tabs->ActivePage() - 1);
    UpdateWizardButtons();
}

void TfrmFrameContainer::NextPage()
{
    if (TEditorTabWidget* tabs = Tabs(); tabs && tabs->ActivePage() < tabs->PageCount() - 1)
        tabs->ActivatePage(tabs->ActivePage() + 1);
    UpdateWizardButtons();
}

void TfrmFrameContainer::UpdateWizardButtons()
{
    if (!wizard_)
        return;
    TEditorTabWidget* tabs = Tabs();
    btnContainerOk->setEnabled(tabs && tabs->ActivePage() > 0);
    btnContainerCancel->setEnabled(tabs && tabs->ActivePage() < tabs->PageCount() - 1);
}

void TfrmFrameContainer::ShowLanguageMenu(const QPoint& position)
{
    TCatalogData* data = root_.GetCatalogData();
    if (!context_ || !data || data->GetLanguages().size() < 2)
        return;
    QMenu menu(this);
    menu.setObjectName("pmContainerLanguages");
    for (const std::string& code : data->GetLanguages()) {
        const std::string name = root_.References().GetLanguageName(code);
        QAction* entry = menu.addAction(Q(name.empty() ? code : name));
        connect(entry, &QAction::triggered, this, [this, code] { context_->SetCurrentLangCode(code); });
    }
    menu.exec(position);
}

bool TfrmFrameContainer::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == sbarPanels[3] && event->type() == QEvent::MouseButtonPress) {
        ShowLanguageMenu(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
