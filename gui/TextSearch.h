#pragma once
// Searching and replacing in a control's text, without the control: the
// next occurrence after a position or the last one before it, one
// replacement, and replacing every occurrence (the replacement's own text
// is never searched again, so a replacement that contains the searched text
// ends all the same).
#include <QString>

namespace TextSearch {

// Down: the first occurrence at From or after it; up: the last occurrence
// that ends at From or before it. -1 when there is none (or Find is empty).
qsizetype Find(const QString& text, const QString& find, qsizetype from, bool down, bool matchCase);

// 1-based position of the last occurrence of Sub in Text; 0 when absent.
qsizetype LastPos(const QString& sub, const QString& text);

// Replaces every occurrence; the number replaced.
int ReplaceAll(QString& text, const QString& find, const QString& replacement, bool matchCase);

}  // namespace TextSearch
