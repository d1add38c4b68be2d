#include "gui/UiText.h"

#include "catalog/Singletons.h"
#include "common/Translation.h"

namespace UiText {

QString Tr(const std::string& text)
{
    return Q(TTranslation::OrEnglish(::Translation).Translate(text));
}

QString TrIf(const std::string& text, bool translate)
{
    return translate ? Tr(text) : Q(text);
}

QString Shortened(const std::string& text, qsizetype maxLength)
{
    const QString whole = Q(text);
    return whole.size() <= maxLength ? whole : whole.left(maxLength - 1) + QChar(0x2026);
}

QString Title(const std::string& text)
{
    return Shortened(text, 100);
}

}  // namespace UiText
