#include "editors/business/supplier/SupplierRows.h"

#include "common/CommonFunctionsDetail.h"
#include "editors/framework/EditorParams.h"

#include <algorithm>

namespace supplier_rows {

const std::vector<std::string>& Keys(TKind kind)
{
    static const std::vector<std::string> exports = {"ProductCode", "Year", "Volume", "Unit", "CountryCode", "Note"};
    static const std::vector<std::string> certificates = {"Name", "Year", "Type", "Description"};
    static const std::vector<std::string> references = {"Name", "Address", "Type"};
    switch (kind) {
    case TKind::Export:
        return exports;
    case TKind::Certificate:
        return certificates;
    case TKind::Reference:
        break;
    }
    return references;
}

bool IsYear(const std::string& text)
{
    return text.size() == 4 && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }) &&
           text[0] != '0';
}

std::string Problem(TKind kind, const std::vector<std::string>& params)
{
    auto value = [&](const char* key) { return ValueOfName(params, key); };
    const char* badYear = "Please enter a valid value for the year field. A valid year contains 4 digits";
    switch (kind) {
    case TKind::Export:
        if (common_detail::Trim(value("ProductCode")).empty())
            return "Enter product name";
        if (!IsYear(value("Year")))
            return badYear;
        if (common_detail::Trim(value("Volume")).empty())
            return "Please enter a value for the volume field";
        return {};
    case TKind::Certificate:
        if (common_detail::Trim(value("Name")).empty())
            return "Enter name";
        if (!IsYear(value("Year")))
            return badYear;
        return {};
    case TKind::Reference:
        if (common_detail::Trim(value("Name")).empty())
            return "Enter name";
        if (common_detail::Trim(value("Address")).empty())
            return "Enter address";
        return {};
    }
    return {};
}

std::string Apply(TKind kind, const std::vector<std::pair<std::string, std::string>>& values,
                  std::vector<std::string>& params)
{
    params.erase(std::remove_if(params.begin(), params.end(),
                                [](const std::string& line) {
                                    return common_detail::SameText(line.substr(0, line.find('=')), "reedit");
                                }),
                 params.end());
    for (const auto& [key, text] : values)
        editor_params::SetValue(params, key, text);
    std::string problem = Problem(kind, params);
    if (!problem.empty())
        editor_params::SetValue(params, "reedit", "yes");
    return problem;
}

std::string ProductCaption(const std::string& name, const std::string& code)
{
    return code.empty() ? name : name + " (" + code + ")";
}

}  // namespace supplier_rows
