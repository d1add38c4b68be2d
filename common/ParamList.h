#pragma once
// "&"-separated texts (action strings, UI-element conditions, plug-in class
// lists, parameter strings, generation rules) split like web-form fields,
// with their URL decoding and encoding.
//
// Field splitting of a text at a separator character:
//  - carriage returns and line feeds before a field are skipped;
//  - a field ends at the separator, a CR or a LF (consumed), or at the end;
//  - a double quote runs to the next double quote (or to the end) and the
//    separators and line breaks inside do not split; the field ends with that
//    quoted stretch. When the quote began the field, both quotes are left out
//    and the next field starts right after the closing quote; otherwise both
//    stay and the character after the closing quote is consumed;
//  - every field found counts, an empty one too; the end of the text gives none.
#include <string>
#include <vector>

class TParamList {
public:
    TParamList() = default;
    // Splits Text at "&" and URL-decodes each field.
    explicit TParamList(const std::string& text);

    // The fields of Text split at Separator, URL-decoded when UrlDecode is set.
    static std::vector<std::string> SplitFields(const std::string& text, char separator,
                                                bool urlDecode);

    // "+" a space, "%%" a per cent sign, "%" and two hexadecimal digits that
    // byte. A malformed "%" raises ECriticalTolvexException with the position
    // of the "%" counted from 1.
    static std::string UrlDecode(const std::string& text);
    // Web-form encoding: letters, digits and * @ . _ - $ ! ' ( ) stay, a space
    // becomes "+", every other byte "%" and two hexadecimal digits (upper-case
    // unless LowerCaseHex).
    static std::string UrlEncode(const std::string& value, bool lowerCaseHex = false);

    // The name of a field: the text before its first "="; empty when it has none.
    static std::string NameOf(const std::string& field);
    // The value of a field: the text after its first "="; empty when it has none.
    static std::string ValueOf(const std::string& field);

    const std::vector<std::string>& Fields() const { return fields_; }
    // The value of the first field whose name equals Name, ignoring case;
    // empty when there is none. A field without "=" has no name.
    std::string Value(const std::string& name) const;
    bool Contains(const std::string& name) const;

private:
    const std::string* Find(const std::string& name) const;

    std::vector<std::string> fields_;
};
