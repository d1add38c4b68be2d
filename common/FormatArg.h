#pragma once
// One argument of a message template ($1 to $99), of one of the kinds a
// message may carry, already turned into the text it puts into the message:
//   integer and 64-bit integer  decimal
//   Boolean                     "T" or "F"
//   character                   the character
//   floating-point              general format, 15 significant digits, "."
//   text                        the text
//   object or class             the name of its class
//   Null                        "Null"
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeinfo>

enum class TFormatArgKind { Integer, Int64, Boolean, Character, Float, Text, ClassName, Null };

class TFormatArg {
public:
    TFormatArg(int value);
    TFormatArg(long value);
    TFormatArg(long long value);
    TFormatArg(unsigned value);
    TFormatArg(unsigned long value);
    TFormatArg(unsigned long long value);
    TFormatArg(bool value);
    TFormatArg(char value);
    TFormatArg(double value);
    TFormatArg(const char* value);
    TFormatArg(std::string value);
    TFormatArg(std::string_view value);
    // An object of a class with virtual functions gives its class name.
    template <class T>
        requires std::is_polymorphic_v<T>
    TFormatArg(const T& object) : TFormatArg(TFormatArgKind::ClassName, ClassNameOf(typeid(object)))
    {
    }

    // A class given by its name.
    static TFormatArg ClassName(std::string name);
    // The Null value.
    static TFormatArg Null();

    TFormatArgKind Kind() const { return kind_; }
    const std::string& Text() const { return text_; }

    // General format with 15 significant digits and "." as the decimal
    // separator: fixed notation from 0.00001 up to 15 integer digits,
    // otherwise a mantissa, "E" and the exponent ("1.5E20", "1E-6").
    static std::string FormatFloat(double value);

private:
    TFormatArg(TFormatArgKind kind, std::string text) : kind_(kind), text_(std::move(text)) {}
    // The unqualified name of a type.
    static std::string ClassNameOf(const std::type_info& type);

    TFormatArgKind kind_;
    std::string text_;
};
