// The change list of FTP publishing: entry names, the signed CRC-32 text,
// and the compressed document read back.
#include "publishing/FtpChangeList.h"

#include <gtest/gtest.h>
#include <zlib.h>

TEST(FtpChangeList, CrcTextIsASigned32BitDecimal)
{
    EXPECT_EQ(TFtpChangeList::CrcText(0), "0");
    EXPECT_EQ(TFtpChangeList::CrcText(0x7FFFFFFFu), "2147483647");
    EXPECT_EQ(TFtpChangeList::CrcText(0x80000000u), "-2147483648");
    EXPECT_EQ(TFtpChangeList::CrcText(0xFFFFFFFFu), "-1");
}

TEST(FtpChangeList, EntryNamesAreLowerCasePathsWithBackslashes)
{
    EXPECT_EQ(TFtpChangeList::EntryName("/tmp/Stage", "/tmp/Stage/CSS/12.css"), "\\css\\12.css");
    EXPECT_EQ(TFtpChangeList::EntryName("/tmp/stage", "/tmp/stage/index.html"), "\\index.html");
}

TEST(FtpChangeList, ReadsBackWhatItStoresAndTellsChangedFiles)
{
    TFtpChangeList list;
    list.EnsureRoot("shop & co");
    list.Record("\\en\\index.html", 0x80000001u);
    list.Record("\\a\"b<c>.html", 5);
    list.Record("\\en\\index.html", 9);

    TFtpChangeList read;
    read.Load(list.Compressed());
    ASSERT_TRUE(read.HasRoot());
    EXPECT_EQ(read.CatalogCode(), "shop & co");
    EXPECT_EQ(read.Entries(), list.Entries());
    EXPECT_FALSE(read.IsChanged("\\en\\index.html", 9));
    EXPECT_TRUE(read.IsChanged("\\en\\index.html", 0x80000001u));
    EXPECT_TRUE(read.IsChanged("\\en\\other.html", 9));
    EXPECT_EQ(list.Xml().find("<File Name=\"\\en\\index.html\" CRC32=\"9\"/>") != std::string::npos, true);
}

TEST(FtpChangeList, AnEntryWithoutCrcCountsAsChangedAndDamagedBytesAsNoList)
{
    const std::string xml = "<Files CatalogCode=\"shop\"><File Name=\"\\a.html\"/>"
                            "<File Name=\"\\b.html\" CRC32=\"0\"/></Files>";
    uLongf size = compressBound(static_cast<uLong>(xml.size()));
    std::string packed(size, '\0');
    compress2(reinterpret_cast<Bytef*>(packed.data()), &size, reinterpret_cast<const Bytef*>(xml.data()),
              static_cast<uLong>(xml.size()), 9);
    packed.resize(size);
    TFtpChangeList read;
    read.Load(packed);
    EXPECT_TRUE(read.IsChanged("\\a.html", 0));
    EXPECT_FALSE(read.IsChanged("\\b.html", 0));

    read.Load("garbage");
    EXPECT_FALSE(read.HasRoot());
    EXPECT_TRUE(read.Entries().empty());
    read.Load(packed.substr(0, packed.size() / 2));
    EXPECT_FALSE(read.HasRoot());
}
