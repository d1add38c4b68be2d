// Regular expressions: the options, matches, groups and literal replacement.
#include "common/Exceptions.h"
#include "common/RegexPattern.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> AllMatches(const TRegexPattern& pattern, const std::string& text)
{
    std::vector<std::string> found;
    EXPECT_EQ(pattern.ForEachMatch(text, [&](const TRegexMatch& m) { found.push_back(m.Group(text)); }), 0);
    return found;
}

bool Matches(const TRegexPattern& pattern, const std::string& text)
{
    TRegexMatch match(pattern);
    return pattern.Match(text, 0, match) > 0;
}

}  // namespace

TEST(RegexPattern, OptionsDecideCaseLineBreaksAndTheEndAnchor)
{
    const std::string text = "<BODY>\nx</body>\n";
    EXPECT_TRUE(Matches(TRegexPattern("<body>.x"), text)) << "caseless and dot-all by default";
    EXPECT_FALSE(Matches(TRegexPattern("<body>.x", roCaseless), text));
    EXPECT_FALSE(Matches(TRegexPattern("<body>", roDotAll), text));
    EXPECT_TRUE(Matches(TRegexPattern("</body>$"), text));
    EXPECT_FALSE(Matches(TRegexPattern("</body>$", roCaseless | roDollarEndOnly), text))
        << "not before the final line break";
}

TEST(RegexPattern, BytesThatAreNotUtf8AreMatchedAsTheyAre)
{
    const std::string text = "a\xE9\xFF" "b";
    EXPECT_EQ(AllMatches(TRegexPattern("[\\x80-\\xff]+"), text), std::vector<std::string>{"\xE9\xFF"});
}

TEST(RegexPattern, GroupsAndMatchesFromLeftToRightWithEmptyMatchesMovingOn)
{
    const std::string text = "$$One$$ and $$two$$";
    const TRegexPattern tokens("\\$\\$(\\w*)\\$\\$");
    std::vector<std::string> names;
    tokens.ForEachMatch(text, [&](const TRegexMatch& m) { names.push_back(m.Group(text, 1)); });
    EXPECT_EQ(names, (std::vector<std::string>{"One", "two"}));

    EXPECT_EQ(AllMatches(TRegexPattern("x*"), "axxb"), (std::vector<std::string>{"", "xx", "", ""}));

    TRegexMatch match(tokens);
    ASSERT_GT(tokens.Match(text, 1, match), 0);
    EXPECT_EQ(match.Start(), 12u);
    EXPECT_EQ(match.End(1), 17u);
    EXPECT_EQ(tokens.Match(text, text.size() + 1, match), TRegexPattern::NoMatch) << "a start past the end";
}

TEST(RegexPattern, ReplaceAllTakesTheReplacementLiterally)
{
    EXPECT_EQ(TRegexPattern("<xsl:").ReplaceAll("<XSL:a/><xsl:b/>", "<bdo $1 xsl="), "<bdo $1 xsl=a/><bdo $1 xsl=b/>");
    const std::string longer(1000, 'a');
    EXPECT_EQ(TRegexPattern("a").ReplaceAll(longer, "bb"), std::string(2000, 'b')) << "the result grows as needed";
}

TEST(RegexPattern, AnInvalidPatternIsADeveloperError)
{
    EXPECT_THROW(TRegexPattern("(unclosed"), EDeveloperTolvexException);
}
