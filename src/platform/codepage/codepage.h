#pragma once

#include <string>
#include <string_view>

// Conversions between the program's byte texts and UTF-16, standing in for the system's
// code-page functions.
namespace platform::codepage {

inline constexpr int Utf8 = 65001;
inline constexpr int Gbk = 936;
// The system's ANSI code page on the machines the program is made for.
inline constexpr int Ansi = Gbk;

// Decodes `bytes` in `codePage` (Utf8 or Gbk) into UTF-16 code units.
// UTF-8: every maximal ill-formed subpart becomes one U+FFFD.
// GBK: a byte pair or byte that GBK does not define becomes one "?".
// Any other code page gives the empty string.
[[nodiscard]] std::u16string MultiByteToUtf16(std::string_view bytes, int codePage);

// Encodes UTF-16 code units in `codePage` (Utf8 or Gbk).
// GBK: every character that GBK cannot represent (a lone surrogate too) becomes one "?".
// UTF-8: a lone surrogate becomes U+FFFD. Any other code page gives the empty string.
[[nodiscard]] std::string Utf16ToMultiByte(std::u16string_view units, int codePage);

} // namespace platform::codepage
