#include "request_target.h"

namespace platform::http {

std::string EncodeRequestTarget(std::string_view target)
{
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(target.size());
    for (char const c : target) {
        auto const byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte >= 0x7F) {
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
