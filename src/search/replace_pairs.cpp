#include "search/replace_pairs.h"

#include "common/ascii_case.h"

#include <array>
#include <string>
#include <string_view>
#include <utility>

namespace {

[[nodiscard]] bool MatchesAt(std::string_view text, std::size_t at, std::string_view find, bool caseSensitive) noexcept
{
    std::string_view const here = text.substr(at, find.size());
    return caseSensitive ? here == find : EqualsIgnoringAsciiCase(here, find);
}

// One find/replacement pair over GBK bytes. A byte of 0x80 or above leads a double-byte
// character, so when no match starts there the scan steps over both bytes: a trail byte that
// happens to equal an ASCII letter of `find` must never start a match.
[[nodiscard]] Text ReplaceOnePair(Text const& text, std::optional<std::int32_t> count, std::int32_t start,
                                  bool caseSensitive, Text const& find, Text const& replacement)
{
    std::string_view const bytes = text.Bytes();
    std::string_view const needle = find.Bytes();
    // A start below 1 counts as 1, so nothing is read before the text.
    std::size_t const from = start > 1 ? static_cast<std::size_t>(start) - 1 : 0;
    if (bytes.empty() || needle.empty() || from >= bytes.size() || (count && *count == 0)) return text;

    std::string out(bytes.substr(0, from));
    out.reserve(bytes.size());
    std::int64_t replaced = 0;
    std::size_t i = from;
    while (bytes.size() - i >= needle.size()) {
        if (MatchesAt(bytes, i, needle, caseSensitive)) {
            out += replacement.Bytes();
            i += needle.size();
            ++replaced;
            if (count && replaced == *count) break;
        } else if (static_cast<unsigned char>(bytes[i]) >= 0x80) {
            std::size_t const step = bytes.size() - i >= 2 ? 2 : 1;
            out += bytes.substr(i, step);
            i += step;
        } else {
            out += bytes[i];
            ++i;
        }
    }
    out += bytes.substr(i);
    return Text(out);
}

} // namespace

Text ReplacePairs(Text const& text, std::optional<std::int32_t> count, std::int32_t start, bool caseSensitive,
                  Text const& find1, Text const& replacement1, Text const& find2, Text const& replacement2,
                  Text const& find3, Text const& replacement3, Text const& find4, Text const& replacement4,
                  Text const& find5, Text const& replacement5)
{
    std::array<std::pair<Text const*, Text const*>, 5> const pairs{{{&find1, &replacement1},
                                                                    {&find2, &replacement2},
                                                                    {&find3, &replacement3},
                                                                    {&find4, &replacement4},
                                                                    {&find5, &replacement5}}};
    Text result = text;
    for (auto const& [find, replacement] : pairs) {
        result = ReplaceOnePair(result, count, start, caseSensitive, *find, *replacement);
    }
    return result;
}
