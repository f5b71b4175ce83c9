#include "http_fetch.h"

#include "platform/http/crack_url.h"
#include "platform/http/http_session.h"

#include <cstddef>

namespace {

// The fields a cracked URL is copied into; a part that does not fit its field, with room for
// the terminating zero, makes the URL unusable.
constexpr std::size_t HostField = 256;
constexpr std::size_t PathField = 2048;
constexpr std::size_t CredentialField = 128;

} // namespace

ByteBuffer HttpFetch(Text const& url)
{
    if (url.Empty())
        return {};
    // Canonicalised without escaping: the keyword's raw bytes go on to the request.
    auto const parts = platform::http::CrackUrl(url.Bytes());
    if (!parts || parts->host.size() >= HostField || parts->path.size() >= PathField
        || parts->user.size() >= CredentialField || parts->password.size() >= CredentialField)
        return {};
    if (parts->scheme != "http" && parts->scheme != "https")
        return {};

    platform::http::Request request;
    request.scheme = parts->scheme;
    request.host = parts->host;
    request.port = parts->port;
    request.user = parts->user;
    request.password = parts->password;
    // What follows a "#" names a place in the page, not part of the request.
    request.target = parts->path.substr(0, parts->path.find('#'));
    // Whatever arrived is the answer, also from a transfer that broke off; the status is not looked at.
    return ByteBuffer(platform::http::Get(request).body);
}
