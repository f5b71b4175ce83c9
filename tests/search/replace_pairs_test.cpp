#include "search/replace_pairs.h"

#include "common/gbk_literal.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

namespace {

std::string Bytes(Text const& text) { return std::string(text.Bytes()); }

struct OnePair {
    std::string_view text;
    std::optional<std::int32_t> count;
    std::int32_t start;
    bool caseSensitive;
    std::string_view find;
    std::string_view replacement;
    std::string_view expected;
};

TEST(ReplacePairsTest, OnePair)
{
    OnePair const cases[] = {
        // case folding of ASCII letters only
        {"aAa", std::nullopt, 0, false, "a", "b", "bbb"},
        {"aAa", std::nullopt, 0, true, "a", "b", "bAb"},
        {"`@", std::nullopt, 0, false, "@", "x", "`x"},
        {"\xE0\x41", std::nullopt, 0, false, "\xC0\x41", "x", "\xE0\x41"},
        // start: the bytes before it are kept, 0 and 1 alike
        {"abcabc", std::nullopt, 0, false, "abc", "X", "XX"},
        {"abcabc", std::nullopt, 1, false, "abc", "X", "XX"},
        {"abcabc", std::nullopt, 3, false, "abc", "X", "abcX"},
        {"aaaa", std::nullopt, 4, false, "a", "X", "aaaX"},
        {"aaaa", std::nullopt, 5, false, "a", "X", "aaaa"},
        // count limits the replacements; 0 changes nothing
        {"aaaa", 2, 0, false, "a", "X", "XXaa"},
        {"aaaa", 0, 0, false, "a", "X", "aaaa"},
        {"aaaa", 9, 0, false, "a", "X", "XXXX"},
        // growing, shrinking, and nothing to do
        {"a-a", std::nullopt, 0, false, "a", "xyz", "xyz-xyz"},
        {"aaa", std::nullopt, 0, false, "aa", "", "a"},
        {"", std::nullopt, 0, false, "a", "X", ""},
        {"abc", std::nullopt, 0, false, "", "X", "abc"},
        {"ab", std::nullopt, 0, false, "abc", "X", "ab"},
        // a double-byte character is stepped over whole: its trail byte never starts a match
        {"\x81\x41" "A", std::nullopt, 0, false, "A", "X", "\x81\x41X"},
        {"\xB0\x41\x41", std::nullopt, 0, false, "AA", "X", "\xB0\x41\x41"},
        {"a\x81\x41", std::nullopt, 0, false, "\x81\x41", "X", "aX"},
        {"x\x81", std::nullopt, 0, false, "x", "Y", "Y\x81"},
        {"\xD6\xD0\xCE\xC4", std::nullopt, 0, false, "\xD0\xCE", "X", "\xD6\xD0\xCE\xC4"},
    };
    for (auto const& [text, count, start, caseSensitive, find, replacement, expected] : cases) {
        EXPECT_EQ(Bytes(ReplacePairs(Text(text), count, start, caseSensitive, Text(find), Text(replacement))), expected)
            << text << " / " << find << " start " << start;
    }
}

TEST(ReplacePairsTest, PairsApplyInOrderEachWithItsOwnCount)
{
    Text const result = ReplacePairs(Text("ab"), 1, 0, false, Text("a"), Text("b"), Text("b"), Text("c"));
    EXPECT_EQ(Bytes(result), "cb");

    Text const all = ReplacePairs(Text("12345"), std::nullopt, 0, true, Text("1"), Text("a"), Text("2"), Text("b"),
                                  Text("3"), Text("c"), Text("4"), Text("d"), Text("5"), Text("e"));
    EXPECT_EQ(Bytes(all), "abcde");
}

TEST(ReplacePairsTest, TitleCleanUpPairs)
{
    Text const redFont = Gbk(R"(<font color="red">)");
    Text const fontEnd = Gbk("</font>");
    std::pair<std::string, std::string> const cases[] = {
        {R"(<font color="red">abc</font>def)", "abcdef"},
        {R"(<FONT COLOR="RED">abc</FONT>def)", "abcdef"},
        {R"(<Font Color="Red">abc</fOnT>def)", "abcdef"},
        {R"(<font color='red'>abc</font>def)", R"(<font color='red'>abcdef)"},
        {R"(x<font color="red">a</font>y<font color="red">b</font>)", "xayb"},
        {Bytes(Gbk(R"(中文<font color="red">字幕</font>版)")), Bytes(Gbk("中文字幕版"))},
    };
    for (auto const& [title, cleaned] : cases) {
        EXPECT_EQ(Bytes(ReplacePairs(Text(title), std::nullopt, 0, false, redFont, Text(), fontEnd, Text())), cleaned)
            << title;
    }
}

} // namespace
