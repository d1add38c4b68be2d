// Choosing a shipped style for catalogs created from their type's
// definition: after the style is loaded and the catalog opened again, the
// generated pages carry that style's master layout, colour and font sheets
// and background picture, and the manager recognises the style as the
// catalog's current one.
#include "StyleFixture.h"

#include "support/TestPaths.h"

#include <fstream>
#include <iterator>

namespace {

struct TShippedStyle {
    const char* name;
    const char* folder;
    int styleId;
};
const TShippedStyle kStyles[] = {{"Harbor", "harbor", 600901}, {"Meadow", "meadow", 600902}, {"Atelier", "atelier", 600903}};

struct TStyleCase {
    int catalogType;
    TShippedStyle style;
};

std::string ReadDataFile(const std::string& path)
{
    std::ifstream in(TShippedData::BuildTreeDataDir() + "/" + path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The master's own layout rule for the site header: one line of its style element.
std::string HeaderRule(const std::string& folder)
{
    std::istringstream master(ReadDataFile(std::string("styles/") + folder + "/master.xsl"));
    for (std::string line; std::getline(master, line);)
        if (line.rfind(".site-header{", 0) == 0)
            return line;
    return {};
}

class StyleApplied : public ::testing::TestWithParam<TStyleCase> {};

}  // namespace

TEST_P(StyleApplied, PagesCarryTheStylesMasterSheetsAndBackground)
{
    const TStyleCase& param = GetParam();
    TStyleProgram program(param.catalogType);
    // From another style than the one wanted (a new catalog starts with the first).
    const int other = param.style.styleId == kStyles[1].styleId ? kStyles[2].styleId : kStyles[1].styleId;
    program.ApplyStyle(other);
    program.ApplyStyle(param.style.styleId);

    // What the style object names in the style catalog.
    const auto styleNumber = [&](int memberId) {
        return std::stoi(program.DefinitionValue(
            "SELECT CAST(NumberValue AS INTEGER) FROM CNumbers WHERE CatalogCode = '" + program.StyleCode() +
            "' AND ItemId = " + std::to_string(param.style.styleId) + " AND ClassId = 510 AND MemberId = " +
            std::to_string(memberId)));
    };
    const int master = styleNumber(3);
    const int color = styleNumber(4);
    const int font = styleNumber(5);
    const int background = styleNumber(6);

    // The catalog's master template is the style's, with its sheets and background.
    const TStyleManager::TCurrentScheme scheme =
        program.Manager().ReadCurrentScheme(program.Data(), program.Connection());
    EXPECT_EQ(scheme.MasterTemplateId, master);
    EXPECT_EQ(scheme.ColorScheme, color);
    EXPECT_EQ(scheme.FontScheme, font);
    EXPECT_EQ(scheme.BackgroundImageCode, background);

    const std::string html = program.GenerateHomePage();
    const std::string rule = HeaderRule(param.style.folder);
    ASSERT_FALSE(rule.empty());
    EXPECT_NE(html.find(rule), std::string::npos) << "the page is laid out by the style's master";
    for (const TShippedStyle& other : kStyles) {
        if (other.styleId != param.style.styleId) {
            EXPECT_EQ(html.find(HeaderRule(other.folder)), std::string::npos) << other.name << "'s master";
        }
    }
    EXPECT_NE(html.find("href=\"../css/" + std::to_string(color) + ".css\""), std::string::npos);
    EXPECT_NE(html.find("href=\"../css/" + std::to_string(font) + ".css\""), std::string::npos);
    EXPECT_EQ(program.StyleSheet(color), ReadDataFile(std::string("styles/") + param.style.folder + "/colors.css"));
    EXPECT_EQ(program.StyleSheet(font), ReadDataFile(std::string("styles/") + param.style.folder + "/fonts.css"));
    const std::string picture = TCommonImages::GetImageFileName(background, program.Connection(), program.Code());
    ASSERT_FALSE(picture.empty());
    EXPECT_NE(html.find("background-image: url('../images/" + picture + "')"), std::string::npos);
    EXPECT_EQ(program.ImageBytes(background),
              ReadDataFile(std::string("styles/") + param.style.folder + "/background.png"));

    // The manager finds the style as the catalog's current one.
    std::vector<std::string> params;
    TAbstractDBConnection& definition =
        program.Root().Catalog().GetDefinition().GetDefinitionDatabase(kOpenCatalogType)->GetConnection();
    EXPECT_EQ(program.Manager().FindCurrentStyle(program.Data(), program.StyleCode(), &params, definition,
                                                 program.Connection()),
              param.style.styleId);
    EXPECT_EQ(params, (std::vector<std::string>{"color=" + std::to_string(color), "font=" + std::to_string(font),
                                                "background=" + std::to_string(background)}));
}

INSTANTIATE_TEST_SUITE_P(ShippedStyles, StyleApplied,
                         ::testing::Values(TStyleCase{1, kStyles[0]}, TStyleCase{1, kStyles[1]},
                                           TStyleCase{1, kStyles[2]}, TStyleCase{8, kStyles[0]},
                                           TStyleCase{8, kStyles[1]}, TStyleCase{8, kStyles[2]}),
                         [](const ::testing::TestParamInfo<TStyleCase>& info) {
                             return "Type" + std::to_string(info.param.catalogType) + info.param.style.name;
                         });
