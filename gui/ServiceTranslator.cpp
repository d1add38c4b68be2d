#include "gui/ServiceTranslator.h"

#include "catalog/Singletons.h"
#include "common/Translation.h"
#include "gui/UiText.h"

TServiceTranslator::TServiceTranslator(const TTranslation* service, QObject* parent)
    : QTranslator(parent), service_(service)
{
}

QString TServiceTranslator::translate(const char*, const char* sourceText, const char*, int) const
{
    const TTranslation* service = service_ ? service_ : ::Translation;
    if (!service || !sourceText)
        return {};
    const std::string source(sourceText);
    const std::string translated = service->Translate(source);
    return translated == source ? QString() : UiText::Q(translated);
}
