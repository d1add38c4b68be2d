// Finding the image references of HTML text.
#include "common/CommonImages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(ImageReferences, ExtractFindsSourcesBackgroundsAndUrlsInThatOrder)
{
    struct Case { const char* html; std::vector<std::string> expected; const char* why; };
    const Case cases[] = {
        {R"(<img src="a.gif">)", {"a.gif"}, "double-quoted src"},
        {"<img src=a.gif alt=\"x\">", {"a.gif"}, "unquoted src ends at the first blank"},
        {"<img src=a.gif>", {"a.gif"}, "unquoted src ends at the tag's >"},
        {"<IMG\n  ALT='x' SRC='b c.png'>", {"b c.png"}, "any case, single quotes, line breaks in the tag"},
        {R"(<input type="image" src="go.jpg">)", {"go.jpg"}, "input tags"},
        {R"(<img data-src="lazy.gif" src="real.gif">)", {"real.gif"}, "the last src= of the tag counts"},
        {R"(<imgx src="no.gif"><img>)", {}, "not an img tag; an img without src"},
        {R"(<img src="">)", {}, "an empty value is no reference"},
        {R"(<td background="bg.gif"><body BACKGROUND=tile.jpg>)", {"bg.gif", "tile.jpg"}, "background attributes"},
        {"<div style=\"background: url( 'x.png' )\">", {"x.png"}, "url() with blanks and quotes"},
        {"p { background: url(\"y.gif\") } q { list-style: url(z.gif) }", {"y.gif", "z.gif"}, "style text"},
        {"<p style=\"background-image:url(u.gif)\"><img src=\"s.gif\"><table background=\"b.gif\">",
         {"s.gif", "b.gif", "u.gif"}, "img and input first, then background, then url"},
        {R"(<img src="a.gif"><img src="a.gif">)", {"a.gif", "a.gif"}, "every occurrence is added"},
        {"<img src=\"../images/5.gif\"\n>", {"../images/5.gif"}, "the tag may close on a later line"},
        {"no tags at all", {}, "nothing"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> list{"kept"};
        TCommonImages::ExtractImageUrls(c.html, list);
        std::vector<std::string> expected{"kept"};
        expected.insert(expected.end(), c.expected.begin(), c.expected.end());
        EXPECT_EQ(list, expected) << c.why << ": " << c.html;
    }
}

TEST(ImageReferences, ExtractCopesWithLongTextOfUnclosedTags)
{
    std::string html;
    for (int i = 0; i < 20000; ++i)
        html += "<img src=x background= url(";
    std::vector<std::string> list;
    TCommonImages::ExtractImageUrls(html, list);
    EXPECT_TRUE(list.empty()) << "no tag is ever closed";

    TCommonImages::ExtractImageUrls(html + ">", list);
    EXPECT_EQ(list, std::vector<std::string>{"x"}) << "one tag to the end; its last src= counts";
}
