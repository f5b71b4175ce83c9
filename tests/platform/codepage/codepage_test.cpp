#include "platform/codepage/codepage.h"

#include <gtest/gtest.h>

#include <string>

using namespace platform::codepage;
using namespace std::string_literals;

TEST(Utf8Decoding, EveryMaximalIllFormedSubpartBecomesOneReplacementCharacter)
{
    struct Case {
        std::string utf8;
        std::u16string utf16;
    };
    Case const cases[] = {
        {"", u""},
        {"abc", u"abc"},
        {"\xE4\xB8\xAD", u"\u4E2D"},
        {"100\xDE" "b>", u"100\uFFFD" "b>"},
        {"\xF0\x9F\x98\x80", u"\U0001F600"},
        {"\xE4\xB8x", u"\uFFFDx"},             // truncated three-byte sequence: one subpart
        {"\xE0\x80\x80", u"\uFFFD\uFFFD\uFFFD"}, // overlong: E0 then two stray continuations
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"}, // encoded surrogate
        {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"\xC0\xAF", u"\uFFFD\uFFFD"},
        {"\xF0\x9F\x98", u"\uFFFD"}, // cut at the end
        {"a\x80" "b\xFF", u"a\uFFFDb\uFFFD"},
    };
    for (auto const& [utf8, utf16] : cases) {
        EXPECT_EQ(MultiByteToUtf16(utf8, Utf8), utf16) << utf8;
    }
}

TEST(GbkEncoding, UnrepresentableCharactersBecomeOneQuestionMarkEach)
{
    struct Case {
        std::u16string utf16;
        std::string gbk;
    };
    Case const cases[] = {
        {u"", ""},
        {u"\u4E2D\u6587", "\xD6\xD0\xCE\xC4"},
        {u"\u20AC", "\x80"},
        {u"\uFF1A", "\xA3\xBA"},
        {u"a\U0001F600b", "a?b"},   // a surrogate pair is one character
        {std::u16string{u'a', char16_t(0xD800), u'b'}, "a?b"}, // a lone surrogate
        {u"\uFFFD", "?"},
        {u"x\u0E01y", "x?y"},        // Thai: not in GBK
    };
    for (auto const& [utf16, gbk] : cases) {
        EXPECT_EQ(Utf16ToMultiByte(utf16, Gbk), gbk);
    }
}

TEST(GbkDecoding, RoundTripsAndMarksUndefinedBytes)
{
    EXPECT_EQ(MultiByteToUtf16("\xD6\xD0" "a", Gbk), u"\u4E2Da");
    EXPECT_EQ(MultiByteToUtf16("a\xFF" "b", Gbk), u"a?b");
    EXPECT_EQ(MultiByteToUtf16("a\xD6", Gbk), u"a?"); // a lead byte at the very end
}

TEST(Codepages, UnknownCodePagesGiveNothingAndUtf8EncodesBack)
{
    EXPECT_EQ(MultiByteToUtf16("abc", 1252), u"");
    EXPECT_EQ(Utf16ToMultiByte(u"abc", 1252), "");
    EXPECT_EQ(Utf16ToMultiByte(std::u16string(u"\u4E2D\U0001F600") + char16_t(0xD800), Utf8), "\xE4\xB8\xAD\xF0\x9F\x98\x80\xEF\xBF\xBD");
}
