#include "common/ascii_case.h"

#include <gtest/gtest.h>

TEST(AsciiCase, FoldsOnlyTheAsciiLetters)
{
    struct Case {
        std::string_view a;
        std::string_view b;
        bool equal;
    };
    Case const cases[] = {
        {"Magnet:", "magnet:", true},
        {"", "", true},
        {"ab", "abc", false},
        {"[", "{", false},        // 0x5B and 0x7B differ by 0x20 but are no letters
        {"\xC1", "\xE1", false},  // nor are GBK bytes
        {"\xD6\xD0" "A", "\xD6\xD0" "a", true},
    };
    for (auto const& [a, b, equal] : cases) {
        EXPECT_EQ(EqualsIgnoringAsciiCase(a, b), equal) << a << " / " << b;
    }
    EXPECT_TRUE(StartsWithIgnoringAsciiCase("HTTPS://x", "https:"));
    EXPECT_FALSE(StartsWithIgnoringAsciiCase("http", "https:"));
}
