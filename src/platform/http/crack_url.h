#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform::http {

// The parts of a URL as it was written: nothing decoded, nothing escaped.
struct UrlParts {
    std::string scheme; // lower case: "http", "https", ...
    std::string user;
    std::string password;
    std::string host;
    int port = 0; // 0 when the URL names none: the scheme's default applies
    // Everything after the host and port: the path with its dot segments removed, then "?" and
    // the query and "#" and the fragment as far as the URL has them.
    std::string path;
};

// Canonicalises `url` (removes "." and ".." segments) and splits it. Blanks and bytes of 0x80 and
// above are taken as they are; control bytes and DEL come back percent-encoded in the path, since
// the URL parser refuses them raw. Empty when the URL cannot be split (no scheme, no host, a bad
// port, a blank in the host).
[[nodiscard]] std::optional<UrlParts> CrackUrl(std::string_view url);

} // namespace platform::http
