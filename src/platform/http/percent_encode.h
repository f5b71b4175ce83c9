#pragma once

// Private to the HTTP stand-in: the one percent-encoder behind the request target and the URL split.

#include <string>
#include <string_view>

namespace platform::http {

// `bytes` with every byte for which `escaped` holds written as "%" and two upper-case hex digits.
template <typename Predicate>
[[nodiscard]] std::string PercentEncode(std::string_view bytes, Predicate escaped)
{
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size());
    for (char const c : bytes) {
        auto const byte = static_cast<unsigned char>(c);
        if (escaped(byte)) {
            out += '%';
            out += Hex[byte >> 4];
            out += Hex[byte & 0x0F];
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace platform::http
