// Cookies through the browser's cookie store, and URL resolution.
#include "common/CommonFunctions.h"
#include "common/CookieStore.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

// An in-memory store that answers only for the addresses it holds.
class TMemoryCookieStore : public TCookieStore {
public:
    bool GetCookie(const std::string& url, const std::string& name, std::string& value) override
    {
        asked.push_back(url);
        const auto found = cookies.find(url + "|" + name);
        if (found == cookies.end())
            return false;
        value = found->second;
        return true;
    }
    bool SetCookie(const std::string& url, const std::string& name, const std::string& data) override
    {
        set.push_back(url + "|" + name + "|" + data);
        return true;
    }

    std::map<std::string, std::string> cookies;
    std::vector<std::string> asked;
    std::vector<std::string> set;
};

}  // namespace

TEST(CommonFunctionsWeb, GetCookieRetriesWithChangedAddresses)
{
    struct Case { std::string url; std::string stored; std::vector<std::string> asked; };
    const Case cases[] = {
        {"example.com", "example.com", {"example.com"}},
        {"example.com", "http://example.com", {"example.com", "http://example.com"}},
        {"example.com", "http://www.example.com/",
         {"example.com", "http://example.com", "http://www.example.com", "http://www.example.com/"}},
        {"http://www.example.com/", "elsewhere",
         {"http://www.example.com/", "http://www.example.com/", "http://www.example.com/",
          "http://www.example.com/"}},
    };
    for (const Case& c : cases) {
        TMemoryCookieStore store;
        store.cookies[c.stored + "|reg"] = "v=1";
        TCommonFunctions functions;
        functions.SetCookieStore(&store);
        std::string url = c.url;
        std::string value;
        const bool found = functions.GetCookie(url, "reg", value);
        EXPECT_EQ(found, c.stored != "elsewhere") << c.stored;
        EXPECT_EQ(store.asked, c.asked) << c.stored;
        EXPECT_EQ(url, c.asked.back()) << "the address is changed in place";
        if (found) {
            EXPECT_EQ(value, "v=1");
        }
    }
}

TEST(CommonFunctionsWeb, DeleteCookieAndMissingStore)
{
    TCommonFunctions functions;
    std::string url = "example.com";
    std::string value;
    EXPECT_FALSE(functions.GetCookie(url, "reg", value));
    EXPECT_FALSE(functions.DeleteCookie(url, "reg"));

    TMemoryCookieStore store;
    functions.SetCookieStore(&store);
    EXPECT_TRUE(functions.DeleteCookie("http://example.com/", "reg"));
    ASSERT_EQ(store.set.size(), 1u);
    EXPECT_EQ(store.set[0], "http://example.com/|reg|name=reg;expires=Sat, 01-Jan-2000 00:00:00 GMT");
}

TEST(CommonFunctionsWeb, CombineUrl)
{
    // The normal and abnormal examples of RFC 3986, section 5.4.
    const std::string base = "http://a/b/c/d;p?q";
    struct Case { const char* relative; const char* result; };
    const Case cases[] = {
        {"g:h", "g:h"},          {"g", "http://a/b/c/g"},     {"./g", "http://a/b/c/g"},
        {"g/", "http://a/b/c/g/"}, {"/g", "http://a/g"},      {"//g", "http://g"},
        {"?y", "http://a/b/c/d;p?y"}, {"g?y", "http://a/b/c/g?y"}, {"#s", "http://a/b/c/d;p?q#s"},
        {"g#s", "http://a/b/c/g#s"}, {"g?y#s", "http://a/b/c/g?y#s"}, {";x", "http://a/b/c/;x"},
        {"", "http://a/b/c/d;p?q"}, {".", "http://a/b/c/"},    {"./", "http://a/b/c/"},
        {"..", "http://a/b/"},     {"../", "http://a/b/"},    {"../g", "http://a/b/g"},
        {"../..", "http://a/"},    {"../../g", "http://a/g"}, {"../../../g", "http://a/g"},
        {"/./g", "http://a/g"},    {"/../g", "http://a/g"},   {"g.", "http://a/b/c/g."},
        {".g", "http://a/b/c/.g"}, {"g..", "http://a/b/c/g.."}, {"..g", "http://a/b/c/..g"},
        {"./../g", "http://a/b/g"}, {"./g/.", "http://a/b/c/g/"}, {"g/./h", "http://a/b/c/g/h"},
        {"g/../h", "http://a/b/c/h"}, {"g;x=1/./y", "http://a/b/c/g;x=1/y"},
        {"g;x=1/../y", "http://a/b/c/y"}, {"g?y/./x", "http://a/b/c/g?y/./x"},
        {"g#s/../x", "http://a/b/c/g#s/../x"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TCommonFunctions::CombineUrl(base, c.relative), c.result) << c.relative;

    EXPECT_EQ(TCommonFunctions::CombineUrl("http://host", "page.htm"), "http://host/page.htm");
    EXPECT_EQ(TCommonFunctions::CombineUrl("http://host/dir/p.htm", "../css/a b.css"),
              "http://host/css/a b.css");
    EXPECT_EQ(TCommonFunctions::CombineUrl("not a url", "page.htm"), "page.htm")
        << "a base without a scheme cannot be combined";
    EXPECT_EQ(TCommonFunctions::CombineUrl("", "x/y"), "x/y");
}
