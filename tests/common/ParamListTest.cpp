#include "common/Exceptions.h"
#include "common/ParamList.h"

#include <gtest/gtest.h>

using Fields = std::vector<std::string>;

TEST(ParamList, FieldSplitting)
{
    struct Case { const char* text; Fields fields; const char* why; };
    const Case cases[] = {
        {"", {}, "the end of the text gives no field"},
        {"a=1&b=2", {"a=1", "b=2"}, "plain fields"},
        {"a=1&", {"a=1"}, "an empty last piece is dropped"},
        {"a=1&&b=2", {"a=1", "", "b=2"}, "an empty piece between separators stays"},
        {"a=1\r\nb=2\nc=3\rd", {"a=1", "b=2", "c=3", "d"}, "line breaks separate"},
        {"\r\n\r\na=1&\r\nb=2\r\n", {"a=1", "b=2"}, "leading line breaks of a piece are skipped"},
        {"a=\"x&y\"&b=2", {"a=\"x&y\"", "b=2"}, "a quoted stretch inside a field keeps its quotes"},
        {"a=\"x\"yb=2", {"a=\"x\"", "b=2"}, "the character after a closing quote is consumed"},
        {"\"x&y\"&b=2", {"x&y", "", "b=2"}, "a leading quote is dropped; the next field starts after it"},
        {"\"x\ny\"", {"x\ny"}, "line breaks inside quotes do not split"},
        {"a=\"open&rest", {"a=\"open&rest"}, "an unclosed quote runs to the end"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TParamList::SplitFields(c.text, '&', false), c.fields) << c.why;
    EXPECT_EQ(TParamList::SplitFields("1;2\n3", ';', false), (Fields{"1", "2", "3"}));
}

TEST(ParamList, UrlDecoding)
{
    EXPECT_EQ(TParamList::UrlDecode("a+b%41%7e%%c"), "a bA~%c");
    EXPECT_EQ(TParamList::UrlDecode("%C3%A9"), "\xC3\xA9");
    try {
        TParamList::UrlDecode("ab%4");
        FAIL() << "a short escape must raise";
    } catch (const ECriticalTolvexException& e) {
        EXPECT_STREQ(e.what(), "Error decoding URL style (%XX) encoded string at position 3");
    }
    try {
        TParamList::UrlDecode("x%G1y");
        FAIL() << "a non-hex escape must raise";
    } catch (const ECriticalTolvexException& e) {
        EXPECT_STREQ(e.what(), "Invalid URL encoded character (%G1) at position 2");
    }
}

TEST(ParamList, UrlEncoding)
{
    EXPECT_EQ(TParamList::UrlEncode("aZ09*@._-$!'() &=/%\xE9"),
              "aZ09*@._-$!'()+%26%3D%2F%25%E9");
    EXPECT_EQ(TParamList::UrlEncode("\xE9/", true), "%e9%2f");
    const std::string value = "x & y=\"z\"\r\n%";
    EXPECT_EQ(TParamList("v=" + TParamList::UrlEncode(value)).Value("v"), value);
}

TEST(ParamList, LookupByName)
{
    const TParamList list("Action=Open&ItemId=12&itemid=13&Flag&=empty&Text=a%3Db+c");
    EXPECT_EQ(list.Value("ACTION"), "Open");
    EXPECT_EQ(list.Value("ItemId"), "12");  // the first field with the name
    EXPECT_EQ(list.Value("Text"), "a=b c");
    EXPECT_EQ(list.Value("Flag"), "");      // a field without "=" has no name
    EXPECT_FALSE(list.Contains("Flag"));
    EXPECT_FALSE(list.Contains("Missing"));
    EXPECT_EQ(list.Value("Missing"), "");
    EXPECT_EQ(list.Fields().size(), 6u);
    EXPECT_EQ(TParamList::NameOf("k=v=w"), "k");
    EXPECT_EQ(TParamList::ValueOf("k=v=w"), "v=w");
    EXPECT_THROW(TParamList("a=%4"), ECriticalTolvexException);
}
