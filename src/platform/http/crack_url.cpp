#include "crack_url.h"

#include "curl_handles.h"
#include "percent_encode.h"

#include <charconv>

namespace platform::http {

namespace {

// The URL parser refuses control bytes and DEL anywhere; blanks (with CURLU_ALLOW_SPACE) and high
// bytes it takes raw. The refused ones are escaped here, as they would be on the wire anyway.
std::string EscapeRefusedBytes(std::string_view url)
{
    return PercentEncode(url, [](unsigned char byte) { return byte < 0x20 || byte == 0x7F; });
}

// One part of the parsed URL, empty when the URL has none.
std::string Part(CURLU* url, CURLUPart part, bool* present = nullptr)
{
    char* raw = nullptr;
    CURLUcode const code = curl_url_get(url, part, &raw, 0);
    CurlString const text(raw);
    if (present)
        *present = code == CURLUE_OK && text;
    return code == CURLUE_OK && text ? std::string(text.get()) : std::string();
}

} // namespace

std::optional<UrlParts> CrackUrl(std::string_view url)
{
    if (!GlobalInit())
        return std::nullopt;
    UrlHandle const handle(curl_url());
    if (!handle)
        return std::nullopt;
    // The parser removes dot segments while it splits; without CURLU_URLENCODE it escapes nothing.
    // https://curl.se/libcurl/c/curl_url_set.html
    std::string const escaped = EscapeRefusedBytes(url);
    if (curl_url_set(handle.get(), CURLUPART_URL, escaped.c_str(), CURLU_ALLOW_SPACE | CURLU_NON_SUPPORT_SCHEME)
        != CURLUE_OK)
        return std::nullopt;

    UrlParts parts;
    parts.scheme = Part(handle.get(), CURLUPART_SCHEME);
    parts.user = Part(handle.get(), CURLUPART_USER);
    parts.password = Part(handle.get(), CURLUPART_PASSWORD);
    parts.host = Part(handle.get(), CURLUPART_HOST);
    std::string const port = Part(handle.get(), CURLUPART_PORT);
    // The parser has checked the port: digits, at most 65535.
    (void)std::from_chars(port.data(), port.data() + port.size(), parts.port);
    parts.path = Part(handle.get(), CURLUPART_PATH);
    bool hasQuery = false;
    bool hasFragment = false;
    std::string const query = Part(handle.get(), CURLUPART_QUERY, &hasQuery);
    std::string const fragment = Part(handle.get(), CURLUPART_FRAGMENT, &hasFragment);
    if (hasQuery)
        parts.path += "?" + query;
    if (hasFragment)
        parts.path += "#" + fragment;
    if (parts.scheme.empty() || parts.host.empty())
        return std::nullopt;
    return parts;
}

} // namespace platform::http
