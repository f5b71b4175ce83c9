#pragma once

#include "common/byte_buffer.h"
#include "common/text.h"

#include <cstdint>
#include <optional>

// Percent-decodes `text`; when `convert` is true the result is converted from UTF-8 to GBK.
[[nodiscard]] Text PageDecoder(Text const& text, bool convert);

// UTF-8 to GBK: invalid UTF-8 and characters GBK lacks become "?".
[[nodiscard]] Text Utf8ToGbk(Text const& text);

// `text` decoded in `codePage` (default UTF-8) as UTF-16 code units with a terminating zero unit.
[[nodiscard]] ByteBuffer MultiByteToUtf16(Text const& text, std::optional<std::int32_t> codePage = std::nullopt);

// UTF-16 code units (up to a zero unit) encoded in `codePage` (default the system's ANSI code page).
[[nodiscard]] Text Utf16ToMultiByte(ByteBuffer const& utf16, std::optional<std::int32_t> codePage = std::nullopt);
