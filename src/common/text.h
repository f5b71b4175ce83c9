#pragma once

#include <compare>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// A string of GBK (code page 936) bytes that ends at its first zero byte.
//
// Every way into a Text cuts the bytes at the first zero, so a Text never holds one; the null text
// and the empty text are the same value. Positions are 1-based byte positions, comparison is byte
// by byte, unsigned and case-sensitive (std::char_traits<char> compares as unsigned char).
class Text {
public:
    Text() = default;
    // The bytes up to the first zero byte, or all of them when there is none.
    explicit Text(std::string_view bytes);
    explicit Text(char const* zeroTerminated);

    // Plain decimal: "1", "20", "-1".
    [[nodiscard]] static Text Number(std::int64_t value);

    [[nodiscard]] std::string_view Bytes() const noexcept { return bytes_; }
    // Zero-terminated, for C interfaces.
    [[nodiscard]] char const* CStr() const noexcept { return bytes_.c_str(); }
    [[nodiscard]] std::size_t Size() const noexcept { return bytes_.size(); }
    [[nodiscard]] bool Empty() const noexcept { return bytes_.empty(); }
    // The byte at 1-based position `position`; 0 outside 1..Size().
    [[nodiscard]] unsigned char At(std::size_t position) const noexcept;

    Text& operator+=(Text const& tail);
    friend Text operator+(Text head, Text const& tail) { return head += tail; }

    friend bool operator==(Text const&, Text const&) = default;
    friend std::strong_ordering operator<=>(Text const& a, Text const& b) noexcept;

private:
    std::string bytes_;
};
