#include "common/Base64.h"
#include "common/CRC32.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

std::string Bytes(std::size_t count)
{
    std::string data;
    for (std::size_t i = 0; i < count; ++i)
        data += static_cast<char>((i * 7 + 3) & 0xFF);
    return data;
}

std::string EncodeByStream(const std::string& data)
{
    std::istringstream in(data);
    std::ostringstream out;
    Base64EncodeStream(in, out);
    return out.str();
}

std::string DecodeByStream(const std::string& text)
{
    std::istringstream in(text);
    std::ostringstream out;
    Base64DecodeStream(in, out);
    return out.str();
}

std::size_t CountOf(const std::string& text, const std::string& what)
{
    std::size_t count = 0;
    for (std::size_t pos = text.find(what); pos != std::string::npos; pos = text.find(what, pos + 1))
        ++count;
    return count;
}

// Serves the first FailAt bytes of Data; reading beyond them fails as a
// file stream's buffer fails on a read error (it throws, the stream turns bad).
class THalfReadableBuffer : public std::streambuf {
public:
    THalfReadableBuffer(std::string data, std::size_t failAt) : data_(std::move(data)), failAt_(failAt)
    {
        setg(data_.data(), data_.data(), data_.data() + failAt_);
    }

protected:
    int_type underflow() override { throw std::ios_base::failure("the device failed"); }
    pos_type seekoff(off_type offset, std::ios::seekdir dir, std::ios::openmode which) override
    {
        const off_type base = dir == std::ios::beg   ? 0
                              : dir == std::ios::cur ? gptr() - eback()
                                                     : static_cast<off_type>(data_.size());
        return seekpos(pos_type(base + offset), which);
    }
    pos_type seekpos(pos_type pos, std::ios::openmode) override
    {
        if (off_type(pos) < 0 || off_type(pos) > static_cast<off_type>(failAt_))
            return pos_type(off_type(-1));
        setg(eback(), eback() + off_type(pos), eback() + failAt_);
        return pos;
    }

private:
    std::string data_;
    std::size_t failAt_;
};

}  // namespace

TEST(CRC32, AReadThatFailsHalfWayLeavesTheStreamBad)
{
    for (const std::size_t failAt : {std::size_t{0}, std::size_t{100}, std::size_t{15000}}) {
        THalfReadableBuffer buffer(Bytes(25000), failAt);
        std::istream in(&buffer);
        TCRC32().CalcStreamCRC(in);
        EXPECT_TRUE(in.bad()) << "failing after " << failAt << " bytes";
    }
}

TEST(CRC32, KnownValuesAndEmptyStream)
{
    EXPECT_EQ(TCRC32::CalcStringCRC(""), 0u);
    EXPECT_EQ(TCRC32::CalcStringCRC("123456789"), 0xCBF43926u);  // the standard check value
    std::istringstream empty("");
    EXPECT_EQ(TCRC32().CalcStreamCRC(empty), 0u);
}

TEST(CRC32, StreamCountsWholeStreamAndKeepsPosition)
{
    const std::string data = Bytes(25000);  // several 10240-byte blocks
    std::istringstream in(data);
    in.seekg(12345);
    EXPECT_EQ(TCRC32().CalcStreamCRC(in), TCRC32::CalcStringCRC(data));
    EXPECT_EQ(in.tellg(), std::streampos(12345));

    // A stream read to its end (eof set) is still counted whole.
    std::string rest((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(TCRC32().CalcStreamCRC(in), TCRC32::CalcStringCRC(data));
}

TEST(Base64, LineLayout)
{
    struct Case { std::size_t bytes; std::size_t length; std::size_t lineBreaks; bool endsWithCrLf; };
    const Case cases[] = {
        {0, 0, 0, false},
        {1, 4, 0, false},
        {57, 76, 0, false},                      // one full line, no CR LF
        {58, 76 + 2 + 4, 1, false},              // a second, short line
        {2736, 48 * 78, 48, true},               // a complete chunk: CR LF after every line
        {2737, 48 * 78 + 4, 48, false},
        {5472, 96 * 78, 96, true},
        {6000, (6000 + 2) / 3 * 4 + (6000 - 1) / 57 * 2, (6000 - 1) / 57, false},
    };
    for (const Case& c : cases) {
        const std::string text = Base64Encode(Bytes(c.bytes));
        EXPECT_EQ(text.size(), c.length) << c.bytes;
        EXPECT_EQ(CountOf(text, "\r\n"), c.lineBreaks) << c.bytes;
        EXPECT_EQ(text.size() >= 2 && text.substr(text.size() - 2) == "\r\n", c.endsWithCrLf) << c.bytes;
        EXPECT_EQ(EncodeByStream(Bytes(c.bytes)), text) << c.bytes;
        EXPECT_EQ(Base64Decode(text), Bytes(c.bytes)) << c.bytes;
        EXPECT_EQ(DecodeByStream(text), Bytes(c.bytes)) << c.bytes;
    }
    const std::string text58 = Base64Encode(Bytes(58));
    EXPECT_EQ(text58.substr(78), Base64Encode(Bytes(58).substr(57)));
    EXPECT_EQ(text58.substr(text58.size() - 2), "==");
}

TEST(Base64, KnownTextsAndPadding)
{
    EXPECT_EQ(Base64Encode("Man"), "TWFu");
    EXPECT_EQ(Base64Encode("Ma"), "TWE=");
    EXPECT_EQ(Base64Encode("M"), "TQ==");
    EXPECT_EQ(Base64Encode(std::string("\xFB\xFF", 2)), "+/8=");
    EXPECT_EQ(Base64Decode("TQ"), "M");   // two characters without "=" give one byte
    EXPECT_EQ(Base64Decode("TWE"), "Ma");
    EXPECT_EQ(Base64Decode("T"), "");     // a single character gives nothing
}

TEST(Base64, DecodingSkipsEverythingOutsideTheAlphabet)
{
    const std::string data = Bytes(3000);
    std::string noBreaks;
    for (const char c : Base64Encode(data))
        if (c != '\r' && c != '\n')
            noBreaks += c;
    EXPECT_EQ(Base64Decode(noBreaks), data);
    EXPECT_EQ(DecodeByStream(noBreaks), data);  // state carries across 2736-character chunks
    EXPECT_EQ(Base64Decode(" T W\tF u\r\n!T=Q"), "ManM");
}

TEST(Base64, StreamsWorkFromTheCurrentPosition)
{
    std::istringstream in("xxMan");
    in.seekg(2);
    std::ostringstream out("prefix", std::ios::ate);
    Base64EncodeStream(in, out);
    EXPECT_EQ(out.str(), "prefixTWFu");
}
