#include "platform/regexp/replacement_template.h"

#include <algorithm>

namespace platform::regexp {
namespace {

[[nodiscard]] bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

} // namespace

std::u16string ExpandReplacement(std::u16string_view replacement, std::u16string_view source,
                                 MatchRecord const& match)
{
    std::u16string out;
    std::size_t const groups = match.groups.size();
    auto appendGroup = [&](std::size_t number) {
        if (auto const& span = match.groups[number - 1]) {
            out.append(source.substr(span->start, span->end - span->start));
        }
    };
    for (std::size_t i = 0; i < replacement.size(); ++i) {
        char16_t const c = replacement[i];
        if (c != u'$' || i + 1 >= replacement.size()) {
            out.push_back(c);
            continue;
        }
        char16_t const next = replacement[i + 1];
        if (next == u'$') {
            out.push_back(u'$');
            ++i;
        } else if (next == u'&') {
            out.append(source.substr(match.whole.start, match.whole.end - match.whole.start));
            ++i;
        } else if (next == u'`') {
            out.append(source.substr(0, match.whole.start));
            ++i;
        } else if (next == u'\'') {
            out.append(source.substr(std::min(match.whole.end, source.size())));
            ++i;
        } else if (IsDigit(next)) {
            std::size_t const one = next - u'0';
            if (i + 2 < replacement.size() && IsDigit(replacement[i + 2])) {
                std::size_t const two = one * 10 + (replacement[i + 2] - u'0');
                if (two >= 1 && two <= groups) {
                    appendGroup(two);
                    i += 2;
                    continue;
                }
            }
            if (one >= 1 && one <= groups) {
                appendGroup(one);
                ++i;
            } else {
                out.push_back(c);
            }
        } else {
            out.push_back(c);
        }
    }
    return out;
}

} // namespace platform::regexp
