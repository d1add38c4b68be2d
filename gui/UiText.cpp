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

QString Title(const std::string& text)
{
    constexpr qsizetype kMaxTitleLength = 100;
    const QString title = Q(text);
    return title.size() <= kMaxTitleLength ? title : title.left(kMaxTitleLength - 1) + QChar(0x2026);
}

}  // namespace UiText
