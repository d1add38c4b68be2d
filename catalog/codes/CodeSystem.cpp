#include "catalog/codes/CodeSystem.h"

#include "common/CommonFunctionsDetail.h"

#include <algorithm>

namespace {

const TCodeSystemInfo kSystems[] = {
    {"unspsc", "DataValue", "UNSPSC", "UNSPSCCode", false, 4},
    {"Harmonized", "DataValue", "Harmonized", "HarmonizedCode", false, 3},
    {"EBayCategory", "CategoryName", "eBay", "CategoryId", true, 0},
    {"ZUDICategories", "CategoryName", "ZUDIProductCategories", "CategoryId", true, 0},
};

}  // namespace

const TCodeSystemInfo& CodeSystemInfo(TCodeSystem system)
{
    return kSystems[static_cast<int>(system)];
}

TCodeSystem CodeSystemOfEditor(const std::string& editorName)
{
    const std::string name = common_detail::LowerCase(editorName);
    if (name.find("unsp") != std::string::npos)
        return TCodeSystem::Unspsc;
    if (name.find("ebay") != std::string::npos)
        return TCodeSystem::EBay;
    if (name.find("zarivuro") != std::string::npos)
        return TCodeSystem::Zarivuro;
    return TCodeSystem::Harmonized;
}

bool IsCompanyCodesEditor(const std::string& editorName)
{
    return common_detail::LowerCase(editorName).find("company") != std::string::npos;
}

std::string UnsetCodePart(TCodeSystem system)
{
    return system == TCodeSystem::Unspsc ? "00" : "";
}

std::string CodePart(const std::string& code, int part)
{
    return code.size() > std::size_t(2 * part) ? code.substr(2 * part, 2) : std::string();
}

int CodeLevel(TCodeSystem system, const std::string& code)
{
    const int parts = CodeSystemInfo(system).Levels;
    const std::string unset = UnsetCodePart(system);
    int level = -1;
    for (int part = 0; part < parts; ++part) {
        const std::string piece = CodePart(code, part);
        if (piece == unset || piece.empty())
            break;
        level = part;
    }
    return level;
}

std::string AncestorCode(TCodeSystem system, const std::string& code, int level)
{
    const int parts = CodeSystemInfo(system).Levels;
    std::string result = code.substr(0, std::min(code.size(), std::size_t(2 * (level + 1))));
    for (int part = level + 1; part < parts; ++part)
        result += UnsetCodePart(system);
    return result;
}

int WrittenCodeLevel(TCodeSystem system, const std::string& code)
{
    const int level = CodeLevel(system, code);
    return level >= 0 && AncestorCode(system, code, level) == code ? level : -1;
}
