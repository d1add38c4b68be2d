#include "editors/framework/ui/EditorTabWidget.h"

#include "editors/framework/ui/QtFrameSite.h"
#include "gui/UiText.h"

#include <QSignalBlocker>
#include <QTabBar>

TEditorTabWidget::TEditorTabWidget(QWidget* parent) : QTabWidget(parent)
{
    setObjectName("pcItemEditor");
    setDocumentMode(true);
    // Captions show whole, with scroll buttons when the tabs do not fit; one
    // that holds a long item name is shortened (AddPage), never widening the window.
    setElideMode(Qt::ElideNone);
    setUsesScrollButtons(true);
    connect(this, &QTabWidget::currentChanged, this, [this](int index) { CurrentChanged(index); });
}

int TEditorTabWidget::AddPage(const std::string& caption)
{
    auto* site = new TQtFrameSite(this);
    sites_.push_back(site);
    const QSignalBlocker blocker(this);
    constexpr qsizetype kMaxCaptionLength = 32;
    const int index = addTab(site, UiText::Shortened(caption, kMaxCaptionLength));
    setTabToolTip(index, UiText::Q(caption));
    site->setObjectName(QString("tsItemEditor%1").arg(index));
    return index;
}

TFrameSite& TEditorTabWidget::PageSite(int index)
{
    return *sites_.at(static_cast<std::size_t>(index));
}

bool TEditorTabWidget::ActivatePage(int index)
{
    if (index < 0 || index >= count())
        return false;
    if (index == shown_ && index == currentIndex()) {
        if (listener_)
            listener_->PageChanged();
        return true;
    }
    if (shown_ >= 0 && listener_ && !listener_->PageChanging())
        return false;
    {
        const QSignalBlocker blocker(this);
        setCurrentIndex(index);
    }
    shown_ = index;
    if (listener_)
        listener_->PageChanged();
    return true;
}

void TEditorTabWidget::CurrentChanged(int index)
{
    if (quiet_ || index == shown_)
        return;
    if (shown_ >= 0 && listener_ && !listener_->PageChanging()) {
        quiet_ = true;
        setCurrentIndex(shown_);
        quiet_ = false;
        return;
    }
    shown_ = index;
    if (listener_)
        listener_->PageChanged();
}

void TEditorTabWidget::SetTabsHidden(bool hidden)
{
    tabBar()->setVisible(!hidden);
}
