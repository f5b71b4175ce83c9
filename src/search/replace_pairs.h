#pragma once

#include "common/text.h"

#include <cstdint>
#include <optional>

// Applies up to five find/replacement pairs in order, each to the result of the one before.
// A `start` of 0 counts as 1; bytes before `start` are kept; a `count` given limits each pair's
// replacements; ASCII letters match in any case unless `caseSensitive`; a match is never tried at
// the second byte of a double-byte character.
[[nodiscard]] Text ReplacePairs(Text const& text, std::optional<std::int32_t> count, std::int32_t start,
                                bool caseSensitive, Text const& find1, Text const& replacement1,
                                Text const& find2 = {}, Text const& replacement2 = {}, Text const& find3 = {},
                                Text const& replacement3 = {}, Text const& find4 = {},
                                Text const& replacement4 = {}, Text const& find5 = {},
                                Text const& replacement5 = {});
