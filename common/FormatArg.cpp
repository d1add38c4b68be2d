#include "common/FormatArg.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cxxabi.h>
#include <memory>

namespace {

template <class T>
std::string Decimal(T value)
{
    char buffer[32];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

constexpr int kSignificantDigits = 15;

// Fixed notation of the digits d1 d2 ... (no trailing zeros) of a value
// d1.d2... * 10^exponent.
std::string FixedNotation(const std::string& digits, int exponent)
{
    if (exponent < 0)
        return "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
    size_t integerDigits = static_cast<size_t>(exponent) + 1;
    if (digits.size() <= integerDigits)
        return digits + std::string(integerDigits - digits.size(), '0');
    return digits.substr(0, integerDigits) + "." + digits.substr(integerDigits);
}

std::string ScientificNotation(const std::string& digits, int exponent)
{
    std::string text = digits.substr(0, 1);
    if (digits.size() > 1)
        text.append(".").append(digits, 1);
    return text.append("E").append(std::to_string(exponent));
}

}  // namespace

TFormatArg::TFormatArg(int value) : TFormatArg(TFormatArgKind::Integer, Decimal(value)) {}
TFormatArg::TFormatArg(long value) : TFormatArg(TFormatArgKind::Int64, Decimal(value)) {}
TFormatArg::TFormatArg(long long value) : TFormatArg(TFormatArgKind::Int64, Decimal(value)) {}
TFormatArg::TFormatArg(unsigned value) : TFormatArg(TFormatArgKind::Int64, Decimal(value)) {}
TFormatArg::TFormatArg(unsigned long value) : TFormatArg(TFormatArgKind::Int64, Decimal(value)) {}
TFormatArg::TFormatArg(unsigned long long value) : TFormatArg(TFormatArgKind::Int64, Decimal(value)) {}
TFormatArg::TFormatArg(bool value) : TFormatArg(TFormatArgKind::Boolean, value ? "T" : "F") {}
TFormatArg::TFormatArg(char value) : TFormatArg(TFormatArgKind::Character, std::string(1, value)) {}
TFormatArg::TFormatArg(double value) : TFormatArg(TFormatArgKind::Float, FormatFloat(value)) {}
TFormatArg::TFormatArg(const char* value) : TFormatArg(TFormatArgKind::Text, value ? value : "") {}
TFormatArg::TFormatArg(std::string value) : TFormatArg(TFormatArgKind::Text, std::move(value)) {}
TFormatArg::TFormatArg(std::string_view value) : TFormatArg(TFormatArgKind::Text, std::string(value)) {}

TFormatArg TFormatArg::ClassName(std::string name)
{
    return TFormatArg(TFormatArgKind::ClassName, std::move(name));
}

TFormatArg TFormatArg::Null()
{
    return TFormatArg(TFormatArgKind::Null, "Null");
}

std::string TFormatArg::FormatFloat(double value)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0)
        return "0";
    // Rounded to 15 significant digits: "-d.dddddddddddddde+XX".
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific,
                                kSignificantDigits - 1);
    std::string text(buffer, result.ptr);
    bool negative = text.front() == '-';
    if (negative)
        text.erase(0, 1);
    size_t e = text.find('e');
    int exponent = std::atoi(text.c_str() + e + 1);
    std::string digits = text.substr(0, 1) + text.substr(2, e - 2);
    digits.erase(digits.find_last_not_of('0') + 1);
    bool fixed = exponent >= -5 && exponent < kSignificantDigits;
    std::string out = fixed ? FixedNotation(digits, exponent) : ScientificNotation(digits, exponent);
    return negative ? "-" + out : out;
}

std::string TFormatArg::ClassNameOf(const std::type_info& type)
{
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(
        abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), std::free);
    std::string name = (status == 0 && demangled) ? demangled.get() : type.name();
    size_t scope = name.rfind("::");
    if (scope != std::string::npos && name.find('<') == std::string::npos)
        name.erase(0, scope + 2);
    return name;
}
