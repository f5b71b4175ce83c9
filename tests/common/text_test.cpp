#include "common/byte_buffer.h"
#include "common/gbk_literal.h"
#include "common/text.h"

#include <gtest/gtest.h>

#include <string>

using namespace std::string_literals;

TEST(Text, EndsAtTheFirstZeroByteAndNullEqualsEmpty)
{
    EXPECT_EQ(Text("ab\0cd"s).Bytes(), "ab");
    EXPECT_EQ(Text("\0x"s), Text());
    EXPECT_EQ(Text(static_cast<char const*>(nullptr)), Text(""));
    EXPECT_TRUE(Text().Empty());
    EXPECT_EQ(Text().CStr()[0], '\0');
}

TEST(Text, ComparesBytesUnsignedAndCaseSensitive)
{
    EXPECT_LT(Text("\x7F"), Text("\x80"));
    EXPECT_LT(Text("A"), Text("a"));
    EXPECT_NE(Text("ab"), Text("AB"));
    EXPECT_LT(Text("ab"), Text("abc"));
}

TEST(Text, PositionsAreOneBased)
{
    Text const text("xyz");
    EXPECT_EQ(text.At(1), 'x');
    EXPECT_EQ(text.At(3), 'z');
    EXPECT_EQ(text.At(0), 0);
    EXPECT_EQ(text.At(4), 0);
}

TEST(Text, NumbersArePlainDecimal)
{
    for (auto const& [value, expected] : {std::pair{0, "0"}, {1, "1"}, {20, "20"}, {-1, "-1"}}) {
        EXPECT_EQ(Text::Number(value), Text(expected));
    }
}

TEST(ByteBuffer, BecomesTextUpToItsFirstZeroByteAndBack)
{
    ByteBuffer const buffer("1\0rest"s);
    EXPECT_EQ(buffer.Size(), 6u);
    EXPECT_EQ(buffer.ToText(), Text("1"));
    EXPECT_EQ(ByteBuffer().ToText(), Text());
    EXPECT_EQ(ByteBuffer::FromText(Text("abc")).Bytes(), "abc");
    EXPECT_TRUE(ByteBuffer::FromText(Text()).Empty());
}

TEST(GbkLiteral, TurnsUtf8ConstantsIntoGbkBytes)
{
    EXPECT_EQ(Gbk("中").Bytes(), "\xD6\xD0");
    EXPECT_EQ(Gbk("下载热度：").Bytes(), "\xCF\xC2\xD4\xD8\xC8\xC8\xB6\xC8\xA3\xBA");
    EXPECT_EQ(Gbk("abc"), Text("abc"));
    EXPECT_EQ(Gbk(""), Text());
    EXPECT_EQ(Gbk("a😀b"), Text("a?b"));
}
