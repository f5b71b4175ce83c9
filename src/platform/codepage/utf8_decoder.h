#pragma once

#include <string>
#include <string_view>

namespace platform::codepage {

// UTF-8 to UTF-16 with the Unicode "maximal subpart" rule: each maximal ill-formed subsequence
// becomes one U+FFFD, so "100" DE "b>" becomes "100" U+FFFD "b>".
[[nodiscard]] std::u16string DecodeUtf8(std::string_view bytes);

// UTF-16 to UTF-8; a lone surrogate becomes U+FFFD.
[[nodiscard]] std::string EncodeUtf8(std::u16string_view units);

} // namespace platform::codepage
