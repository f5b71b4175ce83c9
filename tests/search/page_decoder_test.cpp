#include "search/page_decoder.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>

namespace {

using namespace std::string_view_literals;

std::string Bytes(Text const& text) { return std::string(text.Bytes()); }

TEST(PageDecoderTest, PercentDecodingWithoutConversion)
{
    // (page bytes, decoded bytes)
    std::pair<std::string_view, std::string_view> const cases[] = {
        {"a%41b", "aAb"},
        {"%e4%b8%ad", "\xE4\xB8\xAD"},
        {"%E4%B8%AD", "\xE4\xB8\xAD"},
        {"%2b", "+"},
        {"100%</b>", "100\xDE" "b>"},
        {"%zz", "\xDE"},
        {"x%00y", "xy"},
        {"ab%", "ab"},
        {"ab%4", "ab@"},
        {"ab%z", "ab\xE0"},
        {"%4G", ">"},
        {"%%41", "\xE4" "1"},
        {"a+b c", "a+b c"},
        {"&amp;%26", "&amp;&"},
        {"%FF%80", "\xFF\x80"},
        {"", ""},
        {"plain", "plain"},
    };
    for (auto const& [page, decoded] : cases) {
        EXPECT_EQ(Bytes(PageDecoder(Text(page), false)), decoded) << page;
    }
}

TEST(PageDecoderTest, ConversionToGbkAfterDecoding)
{
    std::pair<std::string_view, std::string_view> const cases[] = {
        {"%e4%b8%ad", "\xD6\xD0"},
        {"100%</b>", "100?b>"},
        {"a%41b", "aAb"},
        {"dn=%E4%B8%AD%E6%96%87", "dn=\xD6\xD0\xCE\xC4"},
        // Raw UTF-8 on the page converts the same way as escaped UTF-8.
        {"\xE4\xB8\xAD%E4%B8%AD", "\xD6\xD0\xD6\xD0"},
        {"%00", ""},
    };
    for (auto const& [page, converted] : cases) {
        EXPECT_EQ(Bytes(PageDecoder(Text(page), true)), converted) << page;
    }
}

TEST(Utf8ToGbkTest, ConvertsAndMarksWhatCannotBeConverted)
{
    std::pair<std::string_view, std::string_view> const cases[] = {
        {"\xE4\xB8\xAD", "\xD6\xD0"},
        {"", ""},
        {"abc", "abc"},
        {"\xEF\xBC\x9A", "\xA3\xBA"},        // the full-width colon
        {"\xC3\xA9", "\xA8\xA6"},            // é is in GBK
        {"\xFF", "?"},                       // never valid in UTF-8
        {"a\xE4\xB8z", "a?z"},               // one truncated sequence, one mark
        {"\xC0\xAF", "??"},                  // an overlong form: two ill-formed bytes
        {"\xED\xA0\x80", "???"},             // an encoded surrogate
        {"\xED\x95\x9C", "?"},               // a Hangul syllable GBK lacks
        {"\xF0\x9F\x98\x80!", "?!"},         // outside the BMP: one mark for the pair
    };
    for (auto const& [utf8, gbk] : cases) {
        EXPECT_EQ(Bytes(Utf8ToGbk(Text(utf8))), gbk) << utf8;
    }
}

TEST(CodeUnitBufferTest, HoldsUnitsWithATerminatingZero)
{
    ByteBuffer const units = MultiByteToUtf16(Text("A\xE4\xB8\xAD"));
    ASSERT_EQ(units.Size(), 6u);
    std::u16string const expected = u"A\u4E2D";
    EXPECT_EQ(std::u16string_view(reinterpret_cast<char16_t const*>(units.Data()), 3), std::u16string_view(expected.c_str(), 3));

    ByteBuffer const empty = MultiByteToUtf16(Text());
    EXPECT_EQ(empty.Bytes(), "\0\0"sv);

    ByteBuffer const fromGbk = MultiByteToUtf16(Text("\xD6\xD0"), 936);
    EXPECT_EQ(Bytes(Utf16ToMultiByte(fromGbk, 65001)), "\xE4\xB8\xAD");
    EXPECT_EQ(Bytes(Utf16ToMultiByte(fromGbk)), "\xD6\xD0");

    EXPECT_TRUE(MultiByteToUtf16(Text("abc"), 1252).Empty());
    EXPECT_TRUE(Utf16ToMultiByte(units, 1252).Empty());
}

TEST(CodeUnitBufferTest, EncodingStopsAtTheFirstZeroUnit)
{
    std::u16string const units = u"ab\0cd";
    ByteBuffer buffer;
    buffer.Append(units.data(), units.size() * sizeof(char16_t));
    EXPECT_EQ(Bytes(Utf16ToMultiByte(buffer)), "ab");

    // A stray odd byte at the end is no code unit.
    ByteBuffer odd;
    odd.Append(u"x", sizeof(char16_t));
    odd.Append("\x41", 1);
    EXPECT_EQ(Bytes(Utf16ToMultiByte(odd)), "x");
    EXPECT_EQ(Bytes(Utf16ToMultiByte(ByteBuffer())), "");
}

} // namespace
