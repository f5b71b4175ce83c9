#include "request_target.h"

#include "percent_encode.h"

namespace platform::http {

std::string EncodeRequestTarget(std::string_view target)
{
    return PercentEncode(target, [](unsigned char byte) { return byte <= 0x20 || byte >= 0x7F; });
}

} // namespace platform::http
