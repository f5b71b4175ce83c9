#include "http_session.h"

#include "curl_handles.h"
#include "curl_share.h"
#include "read_size.h"
#include "request_target.h"

#include <mutex>
#include <optional>
#include <string_view>

#include <strings.h>

namespace platform::http {

namespace {

constexpr char UserAgent[] = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";

using Clock = std::chrono::steady_clock;

struct Settings {
    std::mutex mutex;
    SessionBounds bounds;
    TransferWaiter waiter;
};

Settings& TheSettings()
{
    static Settings settings;
    return settings;
}

// What the callbacks of one transfer share. They run on whichever thread runs the transfer.
struct Transfer {
    std::string body;
    std::size_t cap = 0;
    bool capped = false;
    Clock::duration noData{};
    Clock::time_point lastByte{};
    bool stalled = false;
    // The Content-Length of the latest response head; a redirect's own is dropped with it.
    std::optional<std::string> contentLength;
};

// The body is cut at the cap here: CURLOPT_MAXFILESIZE acts only on an announced length.
std::size_t WriteBody(char* data, std::size_t size, std::size_t count, void* user)
{
    auto& transfer = *static_cast<Transfer*>(user);
    std::size_t const bytes = size * count;
    transfer.lastByte = Clock::now();
    std::size_t const room = transfer.cap - transfer.body.size();
    if (bytes > room) {
        transfer.body.append(data, room);
        transfer.capped = true;
        return 0; // less than given: the transfer ends with CURLE_WRITE_ERROR
    }
    transfer.body.append(data, bytes);
    return bytes;
}

std::size_t ReadHeader(char* data, std::size_t size, std::size_t count, void* user)
{
    auto& transfer = *static_cast<Transfer*>(user);
    std::size_t const bytes = size * count;
    transfer.lastByte = Clock::now();
    std::string_view const line(data, bytes);
    constexpr std::string_view LengthName = "Content-Length:";
    if (line.starts_with("HTTP/"))
        transfer.contentLength.reset();
    else if (line.size() >= LengthName.size() && ::strncasecmp(line.data(), LengthName.data(), LengthName.size()) == 0)
        transfer.contentLength = std::string(line.substr(LengthName.size())); // ReadSize skips the blanks
    return bytes;
}

// Ends the transfer when no byte has come for the no-data bound. CURLOPT_LOW_SPEED_TIME would
// judge an average speed instead, which a server trickling one byte now and then passes.
int CheckProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    auto& transfer = *static_cast<Transfer*>(user);
    if (Clock::now() - transfer.lastByte < transfer.noData)
        return 0;
    transfer.stalled = true;
    return 1;
}

Outcome OutcomeOf(CURLcode code, Transfer const& transfer)
{
    switch (code) {
    case CURLE_OK:
        return Outcome::Complete;
    case CURLE_WRITE_ERROR:
        return transfer.capped ? Outcome::Capped : Outcome::Failed;
    case CURLE_ABORTED_BY_CALLBACK:
        return transfer.stalled ? Outcome::Stalled : Outcome::Failed;
    case CURLE_OPERATION_TIMEDOUT:
        return Outcome::TimedOut;
    case CURLE_PARTIAL_FILE:
    case CURLE_RECV_ERROR:
    case CURLE_GOT_NOTHING:
        return Outcome::Broken;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_CONNECT:
        return Outcome::NoConnection;
    case CURLE_TOO_MANY_REDIRECTS:
        return Outcome::TooManyRedirects;
    case CURLE_URL_MALFORMAT:
    case CURLE_UNSUPPORTED_PROTOCOL:
        return Outcome::BadUrl;
    default:
        return Outcome::Failed;
    }
}

std::string UrlOf(Request const& request)
{
    std::string url = request.scheme + "://" + request.host;
    if (request.port != 0)
        url += ":" + std::to_string(request.port);
    // Encoded here rather than with CURLOPT_REQUEST_TARGET, which would be sent again unchanged on
    // every redirect hop.
    return url + EncodeRequestTarget(request.target);
}

// Every option of the session's requests; false when libcurl refused one.
bool Configure(CURL* easy, CURLSH* share, Request const& request, std::string const& url, curl_slist* headers,
               SessionBounds const& bounds, Transfer& transfer)
{
    auto const ms = [](std::chrono::milliseconds d) { return static_cast<long>(d.count()); };
    bool ok = curl_easy_setopt(easy, CURLOPT_URL, url.c_str()) == CURLE_OK
        && curl_easy_setopt(easy, CURLOPT_SHARE, share) == CURLE_OK
        // Cookies are kept (in memory, through the share) only when the engine is switched on.
        && curl_easy_setopt(easy, CURLOPT_COOKIEFILE, "") == CURLE_OK
        && curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_0) == CURLE_OK
        && curl_easy_setopt(easy, CURLOPT_USERAGENT, UserAgent) == CURLE_OK
        && curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headers) == CURLE_OK
        // An empty proxy means a direct connection, whatever http_proxy and the like say.
        && curl_easy_setopt(easy, CURLOPT_PROXY, "") == CURLE_OK
        && curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L) == CURLE_OK
        && curl_easy_setopt(easy, CURLOPT_MAXREDIRS, bounds.maxRedirects) == CURLE_OK
        && curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https") == CURLE_OK
        && curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https") == CURLE_OK
        && curl_easy_setopt(easy, CURLOPT_SSL_VERIFYPEER, 1L) == CURLE_OK
        && curl_easy_setopt(easy, CURLOPT_SSL_VERIFYHOST, 2L) == CURLE_OK
        && curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, ms(bounds.connect)) == CURLE_OK
        && curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, ms(bounds.whole)) == CURLE_OK
        // No signals: the transfer may run on a helper thread.
        && curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L) == CURLE_OK
        // The body's length is not known before its head arrives.
        && curl_easy_setopt(easy, CURLOPT_BUFFERSIZE, ReadSize(std::nullopt)) == CURLE_OK
        && curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, WriteBody) == CURLE_OK
        && curl_easy_setopt(easy, CURLOPT_WRITEDATA, &transfer) == CURLE_OK
        && curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, ReadHeader) == CURLE_OK
        && curl_easy_setopt(easy, CURLOPT_HEADERDATA, &transfer) == CURLE_OK
        && curl_easy_setopt(easy, CURLOPT_NOPROGRESS, 0L) == CURLE_OK
        && curl_easy_setopt(easy, CURLOPT_XFERINFOFUNCTION, CheckProgress) == CURLE_OK
        && curl_easy_setopt(easy, CURLOPT_XFERINFODATA, &transfer) == CURLE_OK;
    if (ok && (!request.user.empty() || !request.password.empty())) {
        // More than one method: the credentials go out only when the server asks for them.
        ok = curl_easy_setopt(easy, CURLOPT_USERNAME, request.user.c_str()) == CURLE_OK
            && curl_easy_setopt(easy, CURLOPT_PASSWORD, request.password.c_str()) == CURLE_OK
            && curl_easy_setopt(easy, CURLOPT_HTTPAUTH, CURLAUTH_BASIC | CURLAUTH_DIGEST) == CURLE_OK;
    }
    return ok;
}

} // namespace

void SetSessionBounds(SessionBounds const& bounds)
{
    std::lock_guard lock(TheSettings().mutex);
    TheSettings().bounds = bounds;
}

SessionBounds CurrentSessionBounds()
{
    std::lock_guard lock(TheSettings().mutex);
    return TheSettings().bounds;
}

void SetTransferWaiter(TransferWaiter waiter)
{
    std::lock_guard lock(TheSettings().mutex);
    TheSettings().waiter = std::move(waiter);
}

Response Get(Request const& request)
{
    Response response;
    if (request.scheme != "http" && request.scheme != "https") {
        response.outcome = Outcome::BadUrl;
        return response;
    }
    CURLSH* const share = SessionShare();
    EasyHandle const easy(share ? curl_easy_init() : nullptr);
    if (!easy) {
        response.outcome = Outcome::NoSession;
        return response;
    }

    SessionBounds bounds;
    TransferWaiter waiter;
    {
        std::lock_guard lock(TheSettings().mutex);
        bounds = TheSettings().bounds;
        waiter = TheSettings().waiter;
    }
    Transfer transfer;
    transfer.cap = bounds.bodyCap;
    transfer.noData = bounds.noData;
    std::string const url = UrlOf(request);
    SlistHandle const headers(curl_slist_append(nullptr, "Accept: */*"));
    if (!headers || !Configure(easy.get(), share, request, url, headers.get(), bounds, transfer)) {
        response.outcome = Outcome::Failed;
        return response;
    }

    CURLcode code = CURLE_FAILED_INIT;
    std::function<void()> const run = [&] {
        transfer.lastByte = Clock::now();
        code = curl_easy_perform(easy.get());
    };
    if (waiter)
        waiter(run);
    else
        run();

    response.outcome = OutcomeOf(code, transfer);
    response.readSize = ReadSize(transfer.contentLength);
    response.body = std::move(transfer.body);
    return response;
}

} // namespace platform::http
