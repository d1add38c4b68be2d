// The rules of the supplier profile's row dialogs: the four-digit year, the
// checks of each dialog in their order, and the parameter list a refusal
// leaves for the list frame (what was typed, "reedit" set).
#include "editors/business/supplier/SupplierRows.h"
#include "storage/NameValueLines.h"

#include <gtest/gtest.h>

using namespace supplier_rows;

TEST(SupplierRows, AYearHasFourDigits)
{
    const struct {
        const char* text;
        bool year;
    } cases[] = {{"1000", true}, {"9999", true}, {"2024", true}, {"999", false}, {"10000", false},
                 {"0999", false}, {"", false},    {"20a4", false}, {" 2024", false}};
    for (const auto& c : cases)
        EXPECT_EQ(IsYear(c.text), c.year) << "'" << c.text << "'";
}

TEST(SupplierRows, EachDialogNamesItsFirstProblem)
{
    const std::string badYear = "Please enter a valid value for the year field. A valid year contains 4 digits";
    const struct {
        TKind kind;
        std::vector<std::string> params;
        std::string problem;
    } cases[] = {
        {TKind::Export, {"ProductCode=Chair (C-1)", "Year=2020", "Volume=100"}, ""},
        {TKind::Export, {"ProductCode=", "Year=20", "Volume="}, "Enter product name"},
        {TKind::Export, {"ProductCode=Chair", "Year=999", "Volume="}, badYear},
        {TKind::Export, {"ProductCode=Chair", "Year=2020", "Volume=   "}, "Please enter a value for the volume field"},
        {TKind::Certificate, {"Name=ISO 9001", "Year=10000"}, badYear},
        {TKind::Certificate, {"Name= ", "Year=2001"}, "Enter name"},
        {TKind::Certificate, {"Name=ISO 9001", "Year=2001"}, ""},
        {TKind::Reference, {"Name=Bank", "Address="}, "Enter address"},
        {TKind::Reference, {"Name=Bank", "Address=Main Street 1"}, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Problem(c.kind, c.params), c.problem) << c.params.front();
}

TEST(SupplierRows, ARefusalKeepsWhatWasTypedAndAsksToReopen)
{
    std::vector<std::string> params = {"ProductCode=Chair (C-1)", "Year=2019", "Unit=pcs", "reedit=yes"};
    std::string problem = Apply(TKind::Export,
                                {{"ProductCode", "Chair (C-1)"}, {"Year", "19999"}, {"Volume", "40"}, {"Unit", "pcs"},
                                 {"CountryCode", "DE"}, {"Note", ""}},
                                params);
    EXPECT_FALSE(problem.empty());
    EXPECT_EQ(ValueOfName(params, "reedit"), "yes");
    EXPECT_EQ(ValueOfName(params, "Year"), "19999") << "shown again as typed";
    EXPECT_EQ(ValueOfName(params, "Volume"), "40");

    problem = Apply(TKind::Export,
                    {{"ProductCode", "Chair (C-1)"}, {"Year", "2019"}, {"Volume", "40"}, {"Unit", "pcs"},
                     {"CountryCode", "DE"}, {"Note", ""}},
                    params);
    EXPECT_EQ(problem, "");
    EXPECT_EQ(ValueOfName(params, "reedit"), "") << "no line left";
    EXPECT_EQ(std::count_if(params.begin(), params.end(), [](const std::string& l) { return l.rfind("reedit", 0) == 0; }),
              0);
    EXPECT_EQ(ValueOfName(params, "Unit"), "pcs") << "editing a record keeps its unit";
}

TEST(SupplierRows, AProductShowsItsCodeOnlyWhenItHasOne)
{
    EXPECT_EQ(ProductCaption("Chair", "C-1"), "Chair (C-1)");
    EXPECT_EQ(ProductCaption("Chair", ""), "Chair");
}
