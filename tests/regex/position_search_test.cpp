#include "regex/position_search.h"

#include <gtest/gtest.h>

#include <string>

TEST(PositionSearch, WalksGbkCharactersFromTheStart)
{
    struct Case {
        std::string subject;
        std::string needle;
        std::int64_t start;
        bool fold;
        std::int32_t expected;
    };
    // \xD6\xD0 and \xCE\xC4 are two GBK characters.
    Case const cases[] = {
        {"\xD6\xD0\xCE\xC4" "abc", "b", 3, false, 6},
        {"xAB ab", "ab", 1, true, 2},
        {"xAB ab", "ab", 1, false, 5},
        {"xAB ab", "ab", 3, true, 5},
        {"abc", "a", -5, false, 1},
        {"abc", "a", 0, false, 1},
        // A trail byte that looks like the needle is stepped over with its lead byte.
        {"\xB0" "a" "a", "a", 1, false, 3},
        // Starting on a trail byte takes it for a single byte.
        {"\xB0" "a" "a", "a", 2, false, 2},
        // A lead byte as the very last byte ends the search.
        {"a\xB0", "x", 2, false, -1},
        {"ab", "abc", 1, false, -1},
        {"ab", "b", 3, false, -1},
        // Folding covers A..Z wherever they stand, trail bytes included.
        {"\xB0" "A", "\xB0" "a", 1, true, 1},
        {"\xB0" "A", "\xB0" "a", 1, false, -1},
        // An empty needle gives 1 while a byte remains from the start.
        {"abc", "", 3, false, 1},
        {"abc", "", 4, false, -1},
        {"", "", 1, false, -1},
    };
    for (auto const& [subject, needle, start, fold, expected] : cases) {
        EXPECT_EQ(PositionSearch(Text(subject), Text(needle), start, fold), expected)
            << subject << " / " << needle << " from " << start;
    }
}
