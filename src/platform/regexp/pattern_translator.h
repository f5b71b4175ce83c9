#pragma once

#include <string>
#include <string_view>

namespace platform::regexp {

// Rewrites a pattern of the component's dialect into PCRE2 syntax, to be compiled with the
// options CompiledRegex sets (UTF, ALT_BSUX, ALLOW_EMPTY_CLASS, MATCH_UNSET_BACKREF, newline LF).
// - With `multiline`, ^ and $ also stop at a carriage return, not only at a line feed.
// - Repeat counts above PCRE2's 65535 are spelled as bounded repeats of the same atom that match
//   the same strings in the same greedy (or lazy) order. An atom holding a capturing group keeps
//   its count, which PCRE2 then refuses.
// - A "[" inside a character class is a plain bracket, never a POSIX class name.
// Escapes and character classes are stepped over whole, so none of this touches their insides.
// Anything PCRE2 would reject is passed through for it to reject.
[[nodiscard]] std::u16string TranslatePattern(std::u16string_view pattern, bool multiline);

} // namespace platform::regexp
