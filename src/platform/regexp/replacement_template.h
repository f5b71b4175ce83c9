#pragma once

#include "platform/regexp/match_record.h"

#include <string>
#include <string_view>

namespace platform::regexp {

// The text that takes the place of `match` in `source`: `replacement` with $1..$99 (a two-digit
// number only where the pattern has that many groups, else one digit and a literal), $& (the
// match), $` (what precedes it), $' (what follows it) and $$ (a dollar sign). A group that took no
// part gives nothing; any other $ stands for itself.
[[nodiscard]] std::u16string ExpandReplacement(std::u16string_view replacement, std::u16string_view source,
                                               MatchRecord const& match);

} // namespace platform::regexp
