#pragma once

#include <string>
#include <string_view>

namespace platform::codepage {

// GBK (code page 936) through glibc's iconv "CP936", which agrees with the system table on the
// characters the program meets (0x80 is the euro sign).
[[nodiscard]] std::u16string DecodeGbk(std::string_view bytes);
[[nodiscard]] std::string EncodeGbk(std::u16string_view units);

} // namespace platform::codepage
