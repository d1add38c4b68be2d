#include "gui/ControlOperations.h"

#include "common/CaptionValue.h"
#include "gui/UiText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QTabWidget>

using UiText::Q;
using UiText::S;

namespace ControlOperations {

namespace {

constexpr int kEntryRole = Qt::UserRole + 7;
constexpr qsizetype kComparedValueLength = 32;

QString EntryOf(const QComboBox* combo, int index)
{
    const QVariant entry = combo->itemData(index, kEntryRole);
    return entry.isValid() ? entry.toString() : combo->itemText(index);
}

}  // namespace

int TagOf(const QWidget* widget)
{
    return widget ? widget->property("tolvexTag").toInt() : 0;
}

void AddComboBoxItem(QComboBox* combo, const QString& caption, const QString& value)
{
    combo->addItem(caption);
    combo->setItemData(combo->count() - 1, caption + "===" + value, kEntryRole);
}

void FillCaptionValueList(std::vector<std::string>& strings, const std::vector<std::string>& nameValues,
                          bool valueFirst, bool clearFirst)
{
    if (clearFirst)
        strings.clear();
    for (const std::string& line : nameValues) {
        const size_t eq = line.find('=');
        const std::string name = line.substr(0, eq);
        const std::string value = eq == std::string::npos ? std::string() : line.substr(eq + 1);
        strings.push_back(valueFirst ? value + "===" + name : name + "===" + value);
    }
}

bool SelectComboBoxValue(QComboBox* combo, const QString& value, int defaultIndex)
{
    int found = -1;
    for (int i = 0; i < combo->count() && found < 0; ++i) {
        const std::string entry = S(EntryOf(combo, i));
        const bool same = CaptionValue::HasValue(entry)
                              ? Q(CaptionValue::ValueOf(entry)).left(kComparedValueLength) == value
                              : Q(entry) == value;
        if (same)
            found = i;
    }
    const int index = found >= 0 ? found : (defaultIndex < combo->count() ? defaultIndex : -1);
    if (index != combo->currentIndex()) {
        const bool report = TagOf(combo) & kTagComboChangeByProgram;
        const QSignalBlocker block(report ? nullptr : combo);
        combo->setCurrentIndex(index);
    }
    return found >= 0;
}

QString GetComboBoxValue(const QComboBox* combo)
{
    if (combo->currentIndex() < 0)
        return {};
    return Q(CaptionValue::ValueOf(S(EntryOf(combo, combo->currentIndex()))));
}

QString GetComboBoxCaption(const QComboBox* combo)
{
    if (combo->currentIndex() < 0)
        return {};
    return Q(CaptionValue::CaptionOf(S(EntryOf(combo, combo->currentIndex()))));
}

QString GetListBoxValue(const QListWidget* list)
{
    const QListWidgetItem* item = list->currentItem();
    if (!item)
        return {};
    const QVariant entry = item->data(kEntryRole);
    return Q(CaptionValue::ValueOf(S(entry.isValid() ? entry.toString() : item->text())));
}

void FilterCodeKey(QChar& key)
{
    const char16_t c = key.unicode();
    if (c == 8 || c == '-' || (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z'))
        return;
    key = (c >= 'A' && c <= 'Z') ? QChar(c - 'A' + 'a') : QChar(0);
}

void UpperCaseKey(QChar& key)
{
    const char16_t c = key.unicode();
    if (c >= 'a' && c <= 'z')
        key = QChar(c - 'a' + 'A');
}

bool HandleFormKeyPress(QWidget* window, QKeyEvent* event, const std::function<void()>& showFind)
{
    QWidget* focused = window ? window->focusWidget() : nullptr;
    if (event->modifiers() == Qt::ControlModifier && event->key() == Qt::Key_A) {
        if (focused)
            QMetaObject::invokeMethod(focused, "selectAll");
        return true;
    }
    if (event->modifiers() == Qt::ControlModifier && event->key() == Qt::Key_F) {
        if (showFind)
            showFind();
        return true;
    }
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter || !window || !focused || (TagOf(focused) & kTagEnterNotIntercepted))
        return false;
    const bool swallow = qobject_cast<QLineEdit*>(focused) || qobject_cast<QCheckBox*>(focused) ||
                         (TagOf(focused) & kTagEnterMovesFocus);
    if (!swallow)
        return false;
    if (QWidget* next = focused->nextInFocusChain(); next && next != focused) {
        while (next != focused && !(next->isEnabled() && next->isVisible() && (next->focusPolicy() & Qt::TabFocus)))
            next = next->nextInFocusChain();
        next->setFocus(Qt::TabFocusReason);
    }
    return true;
}

bool IsShowing(const QWidget* control)
{
    for (const QWidget* w = control; w; w = w->parentWidget())
        if (w->isHidden())
            return false;
    return control != nullptr;
}

bool TryFocusControl(QWidget* control)
{
    if (!control || !control->isEnabled() || control->focusPolicy() == Qt::NoFocus || !IsShowing(control))
        return false;
    control->setFocus();
    return true;
}

void ShowSingleTab(QTabWidget* tabs, QWidget* page)
{
    const int shown = tabs->indexOf(page);
    for (int i = 0; i < tabs->count(); ++i)
        tabs->setTabVisible(i, i == shown);
    if (shown >= 0)
        tabs->setCurrentIndex(shown);
}

void SetActivePageIndex(QTabWidget* tabs, int index)
{
    if (tabs && index >= 0 && index < tabs->count())
        tabs->setCurrentIndex(index);
}

QRect FitImage(int left, int top, int boxWidth, int boxHeight, QSize pictureSize, bool centre)
{
    int width = pictureSize.width();
    int height = pictureSize.height();
    const int maxHeight = boxHeight - 8;
    if (maxHeight < 0) {
        width = height = 0;
    } else if (height > maxHeight) {
        width = pictureSize.height() > 0 ? pictureSize.width() * maxHeight / pictureSize.height() : 0;
        height = maxHeight;
    }
    const int maxWidth = boxWidth - 8;
    if (maxWidth < 0) {
        width = height = 0;
    } else if (width > maxWidth) {
        height = pictureSize.width() > 0 ? pictureSize.height() * maxWidth / pictureSize.width() : 0;
        width = maxWidth;
    }
    int x = left + 4;
    int y = top + 4;
    if (centre && width < maxWidth)
        x += (maxWidth - width) / 2;
    if (centre && height < maxHeight)
        y += (maxHeight - height) / 2;
    return QRect(x, y, width, height);
}

}  // namespace ControlOperations
