#pragma once

// The process-wide share handle behind the session: cookies, resolved names and connections,
// guarded by lock callbacks so that transfers may run on any thread. Private to the HTTP stand-in.

#include <curl/curl.h>

namespace platform::http {

// The share handle, opened on the first call; null when it could not be opened, in which case
// the next call tries again.
[[nodiscard]] CURLSH* SessionShare();

} // namespace platform::http
