#pragma once

#include "common/text.h"

#include <cstdint>

// Finds `needle` in `subject` from the 1-based byte position `start` (1 or less: the first byte),
// walking GBK characters: a byte of 0x80 or above and the byte after it are stepped over as one.
// With `foldCase` the bytes of A..Z equal those of a..z wherever they stand. The 1-based position
// found, or -1. An empty needle gives 1 while a byte remains from the start.
[[nodiscard]] std::int32_t PositionSearch(Text const& subject, Text const& needle, std::int64_t start, bool foldCase);
