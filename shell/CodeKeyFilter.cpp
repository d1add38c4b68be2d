#include "shell/CodeKeyFilter.h"

#include "gui/ControlOperations.h"

#include <QKeyEvent>
#include <QLineEdit>

void TCodeKeyFilter::Install(QLineEdit* edit)
{
    edit->installEventFilter(new TCodeKeyFilter(edit));
}

bool TCodeKeyFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    auto* edit = qobject_cast<QLineEdit*>(watched);
    // Keys without a character (moving, deleting, shortcuts) pass as they are.
    if (!edit || key->text().size() != 1 || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    QChar typed = key->text().at(0);
    if (typed.unicode() < 32 && typed.unicode() != 8)
        return false;
    const QChar original = typed;
    ControlOperations::FilterCodeKey(typed);
    if (typed == original)
        return false;
    if (!typed.isNull())
        edit->insert(QString(typed));
    return true;
}
