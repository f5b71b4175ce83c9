#include "platform/regexp/pattern_translator.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

namespace platform::regexp {
namespace {

// PCRE2 refuses larger repeat counts ("number too big in {} quantifier").
constexpr std::uint64_t MaxCount = 65535;
// Beyond this a count is left for PCRE2 to refuse. The spelled-out form nests one group per
// 65535 and PCRE2 refuses nesting deeper than 250 anyway; the cap also keeps the rewriting of
// a hostile count such as {1,2000000000} short.
constexpr std::uint64_t MaxRewrittenCount = 200 * MaxCount;

[[nodiscard]] bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
[[nodiscard]] bool IsHex(char16_t c)
{
    return IsDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}
[[nodiscard]] bool IsLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
[[nodiscard]] bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
[[nodiscard]] bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

[[nodiscard]] std::u16string Decimal(std::uint64_t number)
{
    std::u16string digits = number == 0 ? u"0" : u"";
    for (; number != 0; number /= 10) {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + number % 10));
    }
    return digits;
}

struct Braces {
    std::size_t end; // one past the closing brace
    std::uint64_t min;
    std::optional<std::uint64_t> max; // none: unbounded
};

// "{n}", "{n,}" or "{n,m}" at `at`; any other "{" is a literal brace.
[[nodiscard]] std::optional<Braces> ParseBraces(std::u16string_view p, std::size_t at)
{
    auto number = [&](std::size_t& i) -> std::optional<std::uint64_t> {
        if (i >= p.size() || !IsDigit(p[i])) {
            return std::nullopt;
        }
        std::uint64_t value = 0;
        for (; i < p.size() && IsDigit(p[i]); ++i) {
            value = std::min<std::uint64_t>(value * 10 + (p[i] - u'0'), MaxRewrittenCount + 1);
        }
        return value;
    };
    std::size_t i = at + 1;
    auto const min = number(i);
    if (!min || i >= p.size()) {
        return std::nullopt;
    }
    if (p[i] == u'}') {
        return Braces{i + 1, *min, *min};
    }
    if (p[i] != u',') {
        return std::nullopt;
    }
    ++i;
    if (i < p.size() && p[i] == u'}') {
        return Braces{i + 1, *min, std::nullopt};
    }
    auto const max = number(i);
    if (!max || i >= p.size() || p[i] != u'}') {
        return std::nullopt;
    }
    return Braces{i + 1, *min, *max};
}

// Length of the escape that starts with the backslash at `at`.
[[nodiscard]] std::size_t EscapeLength(std::u16string_view p, std::size_t at)
{
    std::size_t const rest = p.size() - at;
    if (rest < 2) {
        return rest;
    }
    char16_t const kind = p[at + 1];
    auto hexRun = [&](std::size_t digits) {
        if (rest < 2 + digits) {
            return false;
        }
        for (std::size_t k = 0; k < digits; ++k) {
            if (!IsHex(p[at + 2 + k])) {
                return false;
            }
        }
        return true;
    };
    if (kind == u'u' && hexRun(4)) {
        return 6;
    }
    if (kind == u'x' && hexRun(2)) {
        return 4;
    }
    if (kind == u'c' && rest >= 3 && IsLetter(p[at + 2])) {
        return 3;
    }
    if (IsDigit(kind)) {
        std::size_t end = at + 1;
        while (end < p.size() && IsDigit(p[end])) {
            ++end;
        }
        return end - at;
    }
    if (IsHighSurrogate(kind) && rest >= 3 && IsLowSurrogate(p[at + 2])) {
        return 3;
    }
    return 2;
}

// The escape at `at` (of `length` units) in PCRE2 spelling. A letter the component's dialect gives
// no meaning stands for itself there, where PCRE2 would refuse it or read it as one of its own
// (\Q, \K, \h, \p...); \v is the vertical tab, not PCRE2's class of vertical space.
void AppendEscape(std::u16string& out, std::u16string_view p, std::size_t at, std::size_t length)
{
    if (length == 2 && IsLetter(p[at + 1])) {
        char16_t const letter = p[at + 1];
        if (letter == u'v') {
            out += u"\\x0B";
            return;
        }
        if (std::u16string_view(u"dDwWsSbBnrtfcxu").find(letter) == std::u16string_view::npos) {
            out.push_back(letter);
            return;
        }
    }
    out.append(p.substr(at, length));
}

// Whether PCRE2 text already written holds a capturing group. Such an atom is not spelled out
// in copies, which would add group numbers; PCRE2 refuses its large count instead (it copies a
// repeated group anyway, and that many copies exceed its pattern size).
[[nodiscard]] bool HasCapture(std::u16string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        char16_t const c = text[i];
        if (c == u'\\') {
            i += 2;
        } else if (c == u'[') {
            std::size_t j = i + 1;
            while (j < text.size() && text[j] != u']') {
                j += text[j] == u'\\' ? 2 : 1;
            }
            i = j + 1;
        } else if (c == u'(' && (i + 1 >= text.size() || (text[i + 1] != u'?' && text[i + 1] != u'*'))) {
            return true;
        } else {
            ++i;
        }
    }
    return false;
}

// `atom` repeated exactly `count` times, in pieces PCRE2 accepts.
[[nodiscard]] std::u16string Exact(std::u16string const& atom, std::uint64_t count)
{
    std::u16string out;
    for (; count > MaxCount; count -= MaxCount) {
        out += atom + u"{65535}";
    }
    if (count == 1) {
        out += atom;
    } else if (count > 1) {
        out += atom + u"{" + Decimal(count) + u"}";
    }
    return out;
}

// `atom` repeated 0..`count` times. Greedy tries the counts from high to low, lazy from low to
// high, each count once: the first alternative covers the counts from 65535 up, the second those
// below, so the order over all counts stays monotonic.
[[nodiscard]] std::u16string UpTo(std::u16string const& atom, std::uint64_t count, bool lazy)
{
    if (count == 0) {
        return {};
    }
    if (count <= MaxCount) {
        return atom + u"{0," + Decimal(count) + u"}" + (lazy ? u"?" : u"");
    }
    std::u16string const high = atom + u"{65535}" + UpTo(atom, count - MaxCount, lazy);
    std::u16string const low = atom + u"{0,65534}" + (lazy ? u"?" : u"");
    return u"(?:" + (lazy ? low + u"|" + high : high + u"|" + low) + u")";
}

// atom{min,max}.
[[nodiscard]] std::u16string Repeat(std::u16string const& atom, std::uint64_t min,
                                    std::optional<std::uint64_t> max, bool lazy)
{
    std::u16string out = Exact(atom, min);
    if (!max) {
        out += atom + (lazy ? u"*?" : u"*");
    } else {
        out += UpTo(atom, *max - min, lazy);
    }
    return out;
}

// atom{min,max} with a count PCRE2 would refuse, for an atom without capturing groups.
[[nodiscard]] std::u16string LargeRepeat(std::u16string const& atom, Braces const& braces, bool lazy,
                                         bool possessive)
{
    std::u16string const out = Repeat(atom, braces.min, braces.max, lazy);
    return possessive ? u"(?>" + out + u")" : out;
}

} // namespace

std::u16string TranslatePattern(std::u16string_view p, bool multiline)
{
    std::u16string out;
    out.reserve(p.size() + 16);
    std::vector<std::size_t> groupStarts;     // where each open group begins in `out`
    // Where the item a quantifier would repeat starts in `out`; a plain index rather than an optional,
    // which GCC 12 misreads as uninitialised (-Wmaybe-uninitialized) in optimised builds.
    constexpr std::size_t NoAtom = std::u16string::npos;
    std::size_t atomStart = NoAtom;
    for (std::size_t i = 0; i < p.size();) {
        char16_t const c = p[i];
        if (c == u'\\') {
            std::size_t const length = EscapeLength(p, i);
            atomStart = out.size();
            AppendEscape(out, p, i, length);
            i += length;
        } else if (c == u'[') {
            atomStart = out.size();
            out.push_back(c);
            std::size_t j = i + 1;
            if (j < p.size() && p[j] == u'^') {
                out.push_back(p[j++]);
            }
            // "]" always ends the class, also right after "[" or "[^" (the empty class).
            while (j < p.size() && p[j] != u']') {
                if (p[j] == u'\\') {
                    std::size_t const length = EscapeLength(p, j);
                    AppendEscape(out, p, j, length);
                    j += length;
                } else {
                    if (p[j] == u'[') {
                        out.push_back(u'\\');
                    }
                    out.push_back(p[j++]);
                }
            }
            if (j < p.size()) {
                out.push_back(p[j++]);
            }
            i = j;
        } else if (c == u'(') {
            groupStarts.push_back(out.size());
            atomStart = NoAtom;
            out.push_back(c);
            ++i;
            // The kind of group ("?:", "?=", "?!", "?<=", "?<!") is no atom a count could repeat.
            if (i < p.size() && p[i] == u'?') {
                std::size_t length = 1;
                if (i + 1 < p.size()) {
                    length = p[i + 1] == u'<' && i + 2 < p.size() && (p[i + 2] == u'=' || p[i + 2] == u'!') ? 3 : 2;
                }
                out.append(p.substr(i, length));
                i += length;
            }
        } else if (c == u')') {
            if (!groupStarts.empty()) {
                atomStart = groupStarts.back();
                groupStarts.pop_back();
            } else {
                atomStart = NoAtom;
            }
            out.push_back(c);
            ++i;
        } else if (c == u'^' || c == u'$') {
            if (multiline) {
                out += c == u'^' ? u"(?<![^\\r\\n])" : u"(?![^\\r\\n])";
            } else {
                out.push_back(c);
            }
            atomStart = NoAtom;
            ++i;
        } else if (c == u'{') {
            auto const braces = ParseBraces(p, i);
            if (!braces) {
                // A literal brace, spelled so that no PCRE2 version takes "{,n}" for a count.
                atomStart = out.size();
                out += u"\\{";
                ++i;
                continue;
            }
            bool const large = braces->min > MaxCount || (braces->max && *braces->max > MaxCount);
            bool const ordered = !braces->max || braces->min <= *braces->max;
            bool const rewritable = braces->min <= MaxRewrittenCount
                                    && (!braces->max || *braces->max <= MaxRewrittenCount);
            bool const capturing = atomStart != NoAtom && HasCapture(std::u16string_view(out).substr(atomStart));
            if (large && ordered && rewritable && atomStart != NoAtom && !capturing) {
                std::size_t end = braces->end;
                bool const lazy = end < p.size() && p[end] == u'?';
                bool const possessive = end < p.size() && p[end] == u'+';
                end += (lazy || possessive) ? 1 : 0;
                std::u16string const atom = out.substr(atomStart);
                out.resize(atomStart);
                out += LargeRepeat(atom, *braces, lazy, possessive);
                i = end;
            } else {
                out.append(p.substr(i, braces->end - i));
                i = braces->end;
            }
            atomStart = NoAtom;
        } else if (c == u'*' || c == u'+' || c == u'?' || c == u'|') {
            atomStart = NoAtom;
            out.push_back(c);
            ++i;
        } else {
            atomStart = out.size();
            std::size_t const length = IsHighSurrogate(c) && i + 1 < p.size() && IsLowSurrogate(p[i + 1]) ? 2 : 1;
            out.append(p.substr(i, length));
            i += length;
        }
    }
    return out;
}

} // namespace platform::regexp
