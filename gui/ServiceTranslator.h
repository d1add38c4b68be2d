#pragma once
// Qt's translator over the program's translation service: tr() and
// QCoreApplication::translate answer from the dictionary of the
// user-interface language (common/Translation.h), the one UiText::Tr reads,
// so one language file translates every window. The dictionary holds one
// translation per English text: contexts, disambiguations and plural forms
// are not told apart.
#include <QTranslator>

class TTranslation;

class TServiceTranslator : public QTranslator {
public:
    // Service null: the program's service (::Translation) as it is at each call.
    explicit TServiceTranslator(const TTranslation* service = nullptr, QObject* parent = nullptr);

    // Null (no translation, so Qt keeps the source text) when the service
    // has no translation of the text or there is no service.
    QString translate(const char* context, const char* sourceText, const char* disambiguation = nullptr,
                      int n = -1) const override;
    // Never empty: the dictionary may be loaded after the translator is installed.
    bool isEmpty() const override { return false; }

private:
    const TTranslation* service_;
};
