#include "gui/TranslateControl.h"

#include "common/Translation.h"
#include "gui/UiText.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QWidget>

using UiText::Q;
using UiText::S;

namespace {

int TagOf(const QObject* object)
{
    return object->property(kTagProperty).toInt();
}

// The translation of a text property, from its English source (kept on the
// object the first time).
QString Translated(QObject* object, const char* key, const QString& current, const TTranslation& translation)
{
    const QByteArray sourceKey = QByteArray("tolvexSource_") + key;
    QVariant source = object->property(sourceKey);
    if (!source.isValid()) {
        source = current;
        object->setProperty(sourceKey, source);
    }
    const QString english = source.toString();
    return english.isEmpty() ? english : Q(translation.Translate(S(english)));
}

void ApplyFont(QWidget* widget, const std::string& fontName, int fontSize)
{
    if (fontName.empty() && fontSize <= 0)
        return;
    QFont font = widget->font();
    if (!fontName.empty())
        font.setFamily(Q(fontName));
    if (fontSize > 0 && !(TagOf(widget) & kTagKeepFontSize))
        font.setPointSize(fontSize);
    widget->setFont(font);
}

void TranslateActions(QWidget* widget, const TTranslation& translation)
{
    for (QAction* action : widget->actions()) {
        if (TagOf(action) == kTagUntranslated || action->isSeparator())
            continue;
        action->setText(Translated(action, "text", action->text(), translation));
        action->setToolTip(Translated(action, "toolTip", action->toolTip(), translation));
        action->setStatusTip(Translated(action, "statusTip", action->statusTip(), translation));
    }
}

void TranslateOne(QWidget* widget, const TTranslation& translation, const std::string& fontName, int fontSize)
{
    if (!widget->toolTip().isEmpty() || widget->property("tolvexSource_toolTip").isValid())
        widget->setToolTip(Translated(widget, "toolTip", widget->toolTip(), translation));
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        ApplyFont(widget, fontName, fontSize);
        if (!label->text().isEmpty() && label->textFormat() != Qt::RichText)
            label->setText(Translated(label, "text", label->text(), translation));
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        ApplyFont(widget, fontName, fontSize);
        button->setText(Translated(button, "text", button->text(), translation));
    } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
        ApplyFont(widget, fontName, fontSize);
        group->setTitle(Translated(group, "title", group->title(), translation));
    } else if (auto* tabs = qobject_cast<QTabWidget*>(widget)) {
        ApplyFont(widget, fontName, fontSize);
        for (int i = 0; i < tabs->count(); ++i) {
            QWidget* page = tabs->widget(i);
            tabs->setTabText(i, Translated(page, "tabText", tabs->tabText(i), translation));
        }
    } else if (auto* menu = qobject_cast<QMenu*>(widget)) {
        menu->setTitle(Translated(menu, "title", menu->title(), translation));
    } else {
        ApplyFont(widget, fontName, fontSize);
    }
    TranslateActions(widget, translation);
}

void TranslateTree(QWidget* widget, const TTranslation& translation, const std::string& fontName, int fontSize)
{
    for (QObject* child : widget->children()) {
        auto* childWidget = qobject_cast<QWidget*>(child);
        if (!childWidget || TagOf(childWidget) == kTagUntranslated)
            continue;
        TranslateOne(childWidget, translation, fontName, fontSize);
        TranslateTree(childWidget, translation, fontName, fontSize);
    }
}

// Controls that keep their font size get it fixed before any font above
// them changes, so that they do not inherit the new size.
void PinKeptSizes(QWidget* widget)
{
    for (QWidget* child : widget->findChildren<QWidget*>()) {
        if (!(TagOf(child) & kTagKeepFontSize))
            continue;
        QFont font = child->font();
        font.setPointSizeF(font.pointSizeF());
        child->setFont(font);
    }
}

}  // namespace

void TranslateControl(QWidget* control, const TTranslation& translation, const std::string& fontName, int fontSize)
{
    if (!control || TagOf(control) == kTagUntranslated)
        return;
    PinKeptSizes(control);
    if (control->isWindow()) {
        ApplyFont(control, fontName, fontSize);
        if (!control->windowTitle().isEmpty() || control->property("tolvexSource_windowTitle").isValid())
            control->setWindowTitle(Translated(control, "windowTitle", control->windowTitle(), translation));
        TranslateActions(control, translation);
    } else {
        TranslateOne(control, translation, fontName, fontSize);
    }
    TranslateTree(control, translation, fontName, fontSize);
}
