#pragma once

#include "common/text.h"

#include <array>
#include <cstddef>

// The six field patterns of a result page, in the order their objects are created. Every one is
// greedy within a line, so the site must put each field on a line of its own; field = group 1.
enum Field : std::size_t { Title, Type, Size, Heat, Magnet, Thunder, FieldCount };

[[nodiscard]] std::array<Text, FieldCount> const& FieldPatterns();
