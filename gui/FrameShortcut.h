#pragma once
// A key of a frame: it acts while the focus is inside the frame, so that the
// same keys (Delete, Ctrl+Z...) can serve several frames of one window.
#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

#include <functional>

inline QShortcut* AddFrameShortcut(QWidget* frame, const QKeySequence& keys, std::function<void()> run)
{
    auto* shortcut = new QShortcut(keys, frame);
    shortcut->setContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(shortcut, &QShortcut::activated, frame, std::move(run));
    return shortcut;
}
