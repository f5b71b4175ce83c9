#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace platform::regexp {

// A stretch of the subject in UTF-16 code units: [start, end).
struct MatchSpan {
    std::size_t start = 0;
    std::size_t end = 0;
};

// One match: where it lies and where each capturing group lies (none for a group that took no
// part in it).
struct MatchRecord {
    MatchSpan whole;
    std::vector<std::optional<MatchSpan>> groups;
};

// What one run of Execute found, shared by the collection and the match objects read from it.
struct ExecuteResult {
    std::u16string subject;
    std::vector<MatchRecord> matches;
};

} // namespace platform::regexp
