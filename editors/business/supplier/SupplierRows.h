#pragma once
// The rules of the supplier profile's row dialogs (export records,
// certificates and awards, references) without widgets. Each dialog writes
// its values into the list frame's parameter list under the row's member
// names and is then checked; a refusal keeps the values and sets "reedit"
// to "yes", so that the list frame opens the dialog again with what the
// user typed.
#include <string>
#include <utility>
#include <vector>

namespace supplier_rows {

enum class TKind { Export, Certificate, Reference };

// The keys each dialog exchanges, in order.
const std::vector<std::string>& Keys(TKind kind);
// Whether the text is a year of four digits (1000 to 9999).
bool IsYear(const std::string& text);
// The first problem of the values (English), or "".
std::string Problem(TKind kind, const std::vector<std::string>& params);
// Writes Values (key, text) into Params, removes "reedit", checks; on a
// problem sets "reedit" to "yes" and answers it (English), else "".
std::string Apply(TKind kind, const std::vector<std::pair<std::string, std::string>>& values,
                  std::vector<std::string>& params);
// How a product shows in an export record: its name, its code in brackets when it has one.
std::string ProductCaption(const std::string& name, const std::string& code);

}  // namespace supplier_rows
