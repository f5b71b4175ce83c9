#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>

// The program's HTTP client: one process-wide session over which every GET travels. The session
// keeps cookies, resolved names and connections in memory for the life of the process; it is
// opened at the first request and, when that failed, again at the next.
namespace platform::http {

// What a request carries. The target is sent as given, after the bytes that may not appear raw in
// a request line have been percent-encoded.
struct Request {
    std::string scheme; // "http" or "https"; any other gives Outcome::BadUrl
    std::string host;
    int port = 0; // 0: the scheme's default
    std::string user;
    std::string password;
    std::string target; // path and query, no fragment
};

enum class Outcome {
    Complete,         // the whole body arrived
    Broken,           // the connection broke or closed before the announced end
    Stalled,          // no byte for the no-data bound
    TimedOut,         // the connect bound or the whole-transfer bound ran out
    Capped,           // the body reached the cap and was cut there
    NoConnection,     // the host could not be resolved or reached
    TooManyRedirects, // more redirects than the session follows
    BadUrl,           // a scheme other than http and https, or a URL the client refused
    NoSession,        // the session could not be opened
    Failed,           // anything else the client reported
};

// Whatever the outcome, `body` holds every byte of the body that arrived.
struct Response {
    std::string body;
    Outcome outcome = Outcome::Failed;
    // The read size that the body's announced length calls for (see ReadSize).
    long readSize = 0;
};

// The session's bounds. Tests set small values; the program keeps the defaults.
struct SessionBounds {
    std::chrono::milliseconds connect{60'000};
    std::chrono::milliseconds noData{60'000};  // measured from the last byte that came
    std::chrono::milliseconds whole{180'000}; // after which what came so far is returned
    std::size_t bodyCap = std::size_t{32} << 20;
    long maxRedirects = 10;
};

void SetSessionBounds(SessionBounds const& bounds);
[[nodiscard]] SessionBounds CurrentSessionBounds();

// A synchronous GET. Redirects are followed, cookies sent back, proxies never used; the status
// code is not examined. Safe to call from any thread.
[[nodiscard]] Response Get(Request const& request);

// When set, every transfer is handed to `waiter`, which runs it (on a thread of its own, so that
// the calling thread can go on painting) and returns once it is done. Unset (an empty function),
// the transfer runs on the calling thread.
using TransferWaiter = std::function<void(std::function<void()> const& transfer)>;
void SetTransferWaiter(TransferWaiter waiter);

} // namespace platform::http
