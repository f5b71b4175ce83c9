#pragma once

#include <optional>
#include <string_view>

namespace platform::http {

// How many bytes each read of a body asks for, from the announced Content-Length: a positive
// length v gives v + 1, at most 102400; a missing, zero, negative or unreadable length gives 10240.
// The length is read as a decimal integer after optional leading blanks, as far as its digits go.
[[nodiscard]] long ReadSize(std::optional<std::string_view> announcedLength);

} // namespace platform::http
