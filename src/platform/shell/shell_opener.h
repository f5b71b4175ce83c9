#pragma once

#include "common/text.h"

#include <string_view>

// The desktop's "open" operation: hands one target (a link, a web address, a file) to xdg-open,
// found on PATH, which passes it to whatever program the desktop has for it. The opener returns
// at once and never waits for that program; what it does is none of the caller's business, so
// there is no result. An empty target starts nothing.
namespace platform::shell {

// A target in the program's own GBK text, handed on in UTF-8 the way the desktop expects it.
void Open(Text const& target);

// A target that is already in the file system's own encoding (a mapped file path).
void OpenNative(std::string_view target);

} // namespace platform::shell
