#pragma once

#include <string>
#include <string_view>

namespace platform::http {

// The request target as it goes on the wire: every byte that may not appear raw in a request line
// (blank, control bytes, DEL, bytes of 0x80 and above) as "%" and two upper-case hex digits, in the
// path and the query alike; every other byte, "%" included, exactly as given.
[[nodiscard]] std::string EncodeRequestTarget(std::string_view target);

} // namespace platform::http
