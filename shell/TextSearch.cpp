#include "gui/TextSearch.h"

namespace TextSearch {

qsizetype Find(const QString& text, const QString& find, qsizetype from, bool down, bool matchCase)
{
    if (find.isEmpty())
        return -1;
    const Qt::CaseSensitivity cs = matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    if (down)
        return from > text.size() ? -1 : text.indexOf(find, std::max<qsizetype>(0, from), cs);
    const qsizetype last = from - find.size();
    return last < 0 ? -1 : text.lastIndexOf(find, last, cs);
}

qsizetype LastPos(const QString& sub, const QString& text)
{
    return sub.isEmpty() ? 0 : text.lastIndexOf(sub) + 1;
}

int ReplaceAll(QString& text, const QString& find, const QString& replacement, bool matchCase)
{
    if (find.isEmpty())
        return 0;
    const Qt::CaseSensitivity cs = matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    int count = 0;
    for (qsizetype at = text.indexOf(find, 0, cs); at >= 0;
         at = text.indexOf(find, at + replacement.size(), cs)) {
        text.replace(at, find.size(), replacement);
        ++count;
    }
    return count;
}

}  // namespace TextSearch
