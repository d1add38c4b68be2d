#pragma once
// Amounts of money and the other figures of a business (prices, costs,
// bids, rates) as text: what an editor shows in an edit box and writes into
// a parameter list, what it reads from what the user typed, and what it
// shows where nobody edits.
//
// The text an amount is kept in is the shortest that reads back as the same
// number, with "." whatever the locale and never with an exponent: 12499.99
// stays "12499.99" and a million "1000000" (a "%g" form would keep "12500"
// and "1e+06" and lose the cents). The display form has two decimals and
// groups the thousands: "12,499.99".
//
// What the user types may use "," or "." as the decimal separator, and the
// other one (or a blank, or "'") to group thousands:
//   "12499.99", "12499,99", "12,499.99", "12.499,99", "12 499,99" -> 12499.99
//   "1.234.567" (one separator several times: groups) -> 1234567
//   "12,5" and "12,499" (one separator once: the decimals) -> 12.5, 12.499
// Groups after the first must have three digits; a sign may lead; nothing
// else is an amount (no exponent, no letters, no currency).
#include <optional>
#include <string>

class TAmount {
public:
    // The round-trip text ("0" for zero and minus zero; "" for NaN and infinities).
    static std::string ToText(double amount);
    // What the user typed, read by the rules above; nothing when it is no amount.
    // Blank text is no amount either: the caller decides what an empty edit means.
    static std::optional<double> Read(const std::string& text);
    // Read, 0 when the text is no amount.
    static double ReadOrZero(const std::string& text);
    // Two decimals with the thousands grouped: "12,499.99", "-0.50".
    static std::string ToDisplayText(double amount);
};
