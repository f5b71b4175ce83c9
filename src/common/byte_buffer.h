#pragma once

#include "text.h"

#include <cstddef>
#include <string>
#include <string_view>

// A counted array of bytes: may hold zero bytes, unlike Text.
class ByteBuffer {
public:
    ByteBuffer() = default;
    explicit ByteBuffer(std::string bytes) : bytes_(std::move(bytes)) {}

    // The bytes of a Text, without a terminating zero.
    [[nodiscard]] static ByteBuffer FromText(Text const& text) { return ByteBuffer(std::string(text.Bytes())); }
    // The bytes before the first zero byte (all of them when there is none).
    [[nodiscard]] Text ToText() const { return Text(std::string_view(bytes_)); }

    void Append(void const* data, std::size_t size) { bytes_.append(static_cast<char const*>(data), size); }
    void Append(std::string_view bytes) { bytes_.append(bytes); }

    [[nodiscard]] std::string_view Bytes() const noexcept { return bytes_; }
    [[nodiscard]] char const* Data() const noexcept { return bytes_.data(); }
    [[nodiscard]] std::size_t Size() const noexcept { return bytes_.size(); }
    [[nodiscard]] bool Empty() const noexcept { return bytes_.empty(); }

    friend bool operator==(ByteBuffer const&, ByteBuffer const&) = default;

private:
    std::string bytes_;
};
