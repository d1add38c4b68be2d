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

}  // namespace UiText
