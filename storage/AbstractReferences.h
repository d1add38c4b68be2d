#pragma once
// The languages of the reference database, as the editors and the page
// generation reach them.
#include <string>
#include <vector>

class TAbstractReferences {
public:
    virtual ~TAbstractReferences() = default;

    virtual std::string GetLanguageName(const std::string& code) = 0;
    virtual std::string GetLanguageNativeName(const std::string& code) = 0;
    virtual std::string GetLanguageCharset(const std::string& code) = 0;
    // Lines LanguageName===LanguageCode in the order of the names.
    virtual void FillLanguages(std::vector<std::string>& list) = 0;
};
