#pragma once
// The translation service: every user-visible text is English in the code
// and passes through here. It holds the dictionary of the user-interface
// language, translates single texts, builds messages from templates with
// numbered placeholders and escapes, and keeps the interface fonts.
//
// Dictionary files lie in the program folder: every file named by the
// language code, a dot, any text and "lng" (compared without regard to
// case), read in name order. Each line is a source text, "=" and its
// translation; a source text of several lines is written on one line with
// "\n" for each line break. When several entries share a source text, the
// first one read counts.
#include "common/FormatArg.h"

#include <initializer_list>
#include <string>
#include <unordered_map>
#include <vector>

class TTranslation {
public:
    // An empty dictionary: texts pass unchanged until a language is loaded.
    explicit TTranslation(std::string appDir = "");

    // The folder that holds the dictionary files.
    void SetAppDir(const std::string& appDir) { appDir_ = appDir; }
    const std::string& AppDir() const { return appDir_; }

    void SetFont(const std::string& name, int size);
    void SetFixedFont(const std::string& name, int size);
    const std::string& FontName() const { return fontName_; }
    int FontSize() const { return fontSize_; }
    const std::string& FixedFontName() const { return fixedFontName_; }
    int FixedFontSize() const { return fixedFontSize_; }

    // Replaces the dictionary by the lines of every dictionary file of the language.
    void LoadLanguage(const std::string& languageCode);
    // Number of dictionary lines loaded.
    size_t DictionarySize() const { return lineCount_; }

    // The translation of one text; the text itself when the dictionary has
    // no non-empty translation of it. "\`" becomes an apostrophe.
    std::string Translate(const std::string& text) const;

    // A message from a template: with Translate set the template is
    // translated first. Escapes: "\$" "$", "\\" "\", "\`" apostrophe, "\n"
    // CR LF; "$1" to "$99" take the arguments, counted from 1. A
    // placeholder without a matching argument stays as written.
    std::string FormatMessage(const std::string& tmpl, const std::vector<TFormatArg>& args,
                              bool translate) const;
    // The common call: FormatMessage with an inline argument list.
    std::string Format(const std::string& tmpl, std::initializer_list<TFormatArg> args,
                       bool translate = true) const;

    // Translates every line in place; of a line with "===" (caption,
    // "===", value) only the caption is translated.
    void TranslateCaptionValueList(std::vector<std::string>& strings) const;

    // The service to use where none may be given: Translation itself, or,
    // when it is null, an English pass-through with an empty dictionary.
    static const TTranslation& OrEnglish(const TTranslation* translation);

private:
    std::vector<std::string> DictionaryFiles(const std::string& languageCode) const;
    void LoadFile(const std::string& fileName);
    void AddLine(const std::string& line);
    static size_t Placeholder(const std::string& tmpl, size_t dollar, size_t argCount, int& number);

    std::string appDir_;
    // Lower-cased source text -> translated text.
    std::unordered_map<std::string, std::string> dictionary_;
    size_t lineCount_ = 0;
    std::string fontName_;
    int fontSize_ = 0;
    std::string fixedFontName_;
    int fixedFontSize_ = 0;
};
