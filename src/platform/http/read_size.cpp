#include "read_size.h"

#include <charconv>
#include <cstdint>
#include <system_error>

namespace platform::http {

namespace {

constexpr long UnknownLengthReadSize = 10240;
constexpr long LargestReadSize = 102400;

} // namespace

long ReadSize(std::optional<std::string_view> announcedLength)
{
    if (!announcedLength)
        return UnknownLengthReadSize;
    std::string_view text = *announcedLength;
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::uint64_t value = 0;
    auto const [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (end == text.data() || negative)
        return UnknownLengthReadSize;
    // A length too long to read is still a positive length.
    if (error == std::errc::result_out_of_range || value >= static_cast<std::uint64_t>(LargestReadSize))
        return LargestReadSize;
    return value == 0 ? UnknownLengthReadSize : static_cast<long>(value) + 1;
}

} // namespace platform::http
