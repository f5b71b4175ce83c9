#pragma once

#include "common/byte_buffer.h"
#include "common/text.h"

// The program's one HTTP operation: a synchronous GET of `url` returning the response body, the
// empty buffer when no request could be made. The status code is not examined.
[[nodiscard]] ByteBuffer HttpFetch(Text const& url);
