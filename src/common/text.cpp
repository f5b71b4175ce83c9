#include "text.h"

#include <cstring>

namespace {
std::string_view UpToZero(std::string_view bytes) noexcept
{
    return bytes.substr(0, bytes.find('\0'));
}
} // namespace

Text::Text(std::string_view bytes) : bytes_(UpToZero(bytes)) {}

Text::Text(char const* zeroTerminated) : bytes_(zeroTerminated != nullptr ? zeroTerminated : "") {}

Text Text::Number(std::int64_t value)
{
    return Text(std::to_string(value));
}

unsigned char Text::At(std::size_t position) const noexcept
{
    if (position < 1 || position > bytes_.size()) {
        return 0;
    }
    return static_cast<unsigned char>(bytes_[position - 1]);
}

Text& Text::operator+=(Text const& tail)
{
    bytes_ += tail.bytes_;
    return *this;
}

std::strong_ordering operator<=>(Text const& a, Text const& b) noexcept
{
    int const order = a.bytes_.compare(b.bytes_);
    return order < 0 ? std::strong_ordering::less
                     : order > 0 ? std::strong_ordering::greater : std::strong_ordering::equal;
}
