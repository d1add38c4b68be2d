#include "editors/framework/ui/EditorTabWidget.h"

#include "editors/framework/ui/QtFrameSite.h"

#include <QSignalBlocker>
#include <QTabBar>

TEditorTabWidget::TEditorTabWidget(QWidget* parent) : QTabWidget(parent)
{
    setObjectName("pcItemEditor");
    setDocumentMode(true);
    // A caption may hold an item's name: shortened, never widening the window.
    setElideMode(Qt::ElideRight);
    setUsesScrollButtons(true);
    connect(this, &QTabWidget::currentChanged, this, [this](int index) { CurrentChanged(index); });
}

int TEditorTabWidget::AddPage(const std::string& caption)
{
    auto* site = new TQtFrameSite(this);
    sites_.push_back(site);
    const QSignalBlocker blocker(this);
    const int index = addTab(site, QString::fromUtf8(caption.c_str()));
    setTabToolTip(index, tabText(index));
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
