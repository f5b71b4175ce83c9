#include "regex/position_search.h"

#include "common/ascii_case.h"

#include <cstddef>
#include <string_view>

namespace {

[[nodiscard]] bool AgreesAt(std::string_view haystack, std::size_t at, std::string_view needle, bool foldCase)
{
    std::string_view const here = haystack.substr(at, needle.size());
    return foldCase ? EqualsIgnoringAsciiCase(here, needle) : here == needle;
}

} // namespace

std::int32_t PositionSearch(Text const& subject, Text const& needle, std::int64_t start, bool foldCase)
{
    std::string_view const haystack = subject.Bytes();
    std::string_view const wanted = needle.Bytes();
    std::size_t const size = haystack.size();
    // 0-based from here on.
    std::size_t at = start <= 1 ? 0 : static_cast<std::size_t>(start - 1);
    if (at >= size) {
        return -1;
    }
    if (wanted.empty()) {
        return 1;
    }
    while (size - at >= wanted.size()) {
        if (AgreesAt(haystack, at, wanted, foldCase)) {
            return static_cast<std::int32_t>(at + 1);
        }
        if (static_cast<unsigned char>(haystack[at]) >= 0x80) {
            if (at + 1 == size) {
                return -1;
            }
            at += 2;
        } else {
            at += 1;
        }
    }
    return -1;
}
