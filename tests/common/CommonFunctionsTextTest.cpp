// MIME types, character sets, versions and the small text helpers.
#include "common/CommonFunctions.h"

#include <gtest/gtest.h>

using F = TCommonFunctions;

TEST(CommonFunctionsText, MimeTypes)
{
    EXPECT_EQ(F::GetMimeTypeByFileName("a/b.c/PIC.JPG"), "image/jpeg");
    EXPECT_EQ(F::GetMimeTypeByFileName("x.jpeg"), "image/jpeg");
    EXPECT_EQ(F::GetMimeTypeByFileName("x.Htm"), "text/html");
    EXPECT_EQ(F::GetMimeTypeByFileName("x.js"), "application/x-javascript");
    EXPECT_EQ(F::GetMimeTypeByFileName("x.ico"), "application/x-ico");
    EXPECT_EQ(F::GetMimeTypeByFileName("x.PNG"), "image/png") << "PNG pictures are stored as what they are";
    EXPECT_EQ(F::GetMimeTypeByFileName("x.webp"), "application/octet-stream");
    EXPECT_EQ(F::GetMimeTypeByFileName("dir.gif/noext"), "application/octet-stream");

    EXPECT_EQ(F::GetExtensionByMimeType("image/whatever-it-is", "f.jpg"), "whatever-it-is");
    EXPECT_EQ(F::GetExtensionByMimeType("text/css", ""), "css");
    EXPECT_EQ(F::GetExtensionByMimeType("application/x-shockwave-flash", "f.x"), "swf");
    EXPECT_EQ(F::GetExtensionByMimeType("application/x-ico", "f.x"), "ico");
    EXPECT_EQ(F::GetExtensionByMimeType("application/pdf", "file.tar.gz"), "tar.gz");
    EXPECT_EQ(F::GetExtensionByMimeType("application/pdf", "noext"), "noext");
    EXPECT_EQ(F::GetMimeSubtype("image/gif"), "gif");
    EXPECT_EQ(F::GetMimeSubtype("nothing"), "");

    EXPECT_TRUE(F::IsWebFileExtension("PNG"));
    EXPECT_TRUE(F::IsWebFileExtension("xsl"));
    EXPECT_FALSE(F::IsWebFileExtension(".png"));
    EXPECT_FALSE(F::IsWebFileExtension("pdf"));
}

TEST(CommonFunctionsText, Charsets)
{
    EXPECT_EQ(F::GetCharsetByName("  russian "), 204);
    EXPECT_EQ(F::GetCharsetByName("ANSI"), 0);
    EXPECT_EQ(F::GetCharsetByName("EastEurope"), 238);
    EXPECT_EQ(F::GetCharsetByName("OEM"), 255);
    EXPECT_EQ(F::GetCharsetByName("klingon"), 1);
    EXPECT_EQ(F::GetCharsetByName(""), 1);
}

TEST(CommonFunctionsText, Versions)
{
    struct Case { const char* a; const char* b; int result; const char* why; };
    const Case cases[] = {
        {"3.0.0.1387", "3.0.1", 1, "the fourth part adds 1.387, more than one unit of the third"},
        {"3.0.0.999", "3.0.1", -1, "0.999 is less than one unit of the third part"},
        {"1.0", "1", 0, "missing parts count 0"},
        {"2", "1.999.999", 1, "weights 1000000 and 1000"},
        {"1.x", "1.0", 0, "a part that is no number counts 0"},
        {"", "0", 0, "empty text"},
        {"1.2.3", "1.2.4", -1, "smaller"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(F::CompareVersions(c.a, c.b), c.result) << c.why;
    EXPECT_DOUBLE_EQ(F::VersionValue("3.2.1"), 3002001.0);
}

TEST(CommonFunctionsText, Emails)
{
    struct Case { const char* text; bool valid; };
    const Case cases[] = {
        {"joe@example.com", true},
        {"joe@localhost", true},          // no dot after the at sign
        {"a_b-c.d@x.org", true},
        {"joe@example.c0", false},        // ends with a digit
        {"@example.com", false},          // begins with the at sign
        {"a@b@c", false},                 // two at signs
        {"joe.example.com", false},       // none
        {"jo e@example.com", false},      // a space
        {"a@b", true},
        {"@b", false},
        {"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(F::IsValidEmail(c.text), c.valid) << c.text;
}

TEST(CommonFunctionsText, Colours)
{
    EXPECT_EQ(F::ColorToHex(0x0000FF), "FF0000");     // red stored as blue, green, red
    EXPECT_EQ(F::ColorToHex(0x123456), "563412");
    EXPECT_EQ(F::ColorToHex(0), "000000");
    EXPECT_EQ(F::ColorToHex(static_cast<std::int32_t>(0x80000005)), "000080");  // a system colour
    EXPECT_EQ(F::HexToColor("FF0000"), 0x0000FF);
    EXPECT_EQ(F::HexToColor("563412"), 0x123456);
    EXPECT_EQ(F::HexToColor("#FF0000"), 0);             // not a number once reordered
    EXPECT_EQ(F::HexToColor(""), 0);
    EXPECT_EQ(F::HexToColor("ab"), 0xAB);
}

TEST(CommonFunctionsText, SmallHelpers)
{
    EXPECT_EQ(F::FilterChars("a1-b2.c3", "0123456789"), "123");
    EXPECT_EQ(F::TrimRightBlanks("  text \t\r\n "), "  text");
    EXPECT_EQ(F::TrimRightBlanks(" \r\n"), "");
    EXPECT_TRUE(F::IsSimpleName("Abc-09"));
    EXPECT_FALSE(F::IsSimpleName(""));
    EXPECT_FALSE(F::IsSimpleName("a_b"));
    EXPECT_FALSE(F::IsSimpleName("\xC3\xA9"));
    EXPECT_EQ(F::GetTickCountString().find_first_not_of("0123456789"), std::string::npos);
}
