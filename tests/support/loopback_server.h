#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace testsupport {

// One request as it arrived: every byte up to and including the blank line that ends the
// headers, and the target taken from its request line ("/search/abc/1-1.html").
struct RecordedRequest {
    std::string raw;
    std::string target;
};

// How the server answers one request. Built with the named factories; each answer ends with the
// server closing the connection (or resetting it, or never answering at all).
struct Scenario {
    enum class Kind {
        Fixed,          // status, headers, Content-Length of the body, the body
        CloseDelimited, // no Content-Length: the body ends when the connection closes
        Chunked,        // Transfer-Encoding: chunked, the body in chunks of chunkSize bytes
        WrongLength,    // announces `announcedLength`, sends the whole body, closes
        ResetMidBody,   // announces the whole body, sends `sentBeforeReset` bytes, then a RST
        Silent,         // reads the request and never answers
        Drip,           // announces the whole body and sends it a byte every `interval`
        Raw,            // sends `body` exactly as given, nothing added
    };

    Kind kind = Kind::Fixed;
    int status = 200;
    std::string reason = "OK";
    std::vector<std::string> headers; // extra header lines, without "\r\n"
    std::string body;
    std::size_t chunkSize = 7;
    std::int64_t announcedLength = 0;
    std::size_t sentBeforeReset = 0;
    std::chrono::milliseconds interval{10};

    [[nodiscard]] static Scenario Fixed(std::string body, std::vector<std::string> headers = {});
    [[nodiscard]] static Scenario CloseDelimited(std::string body);
    [[nodiscard]] static Scenario Chunked(std::string body, std::size_t chunkSize = 7);
    [[nodiscard]] static Scenario WrongLength(std::string body, std::int64_t announcedLength);
    [[nodiscard]] static Scenario ResetMidBody(std::string body, std::size_t sentBeforeReset);
    [[nodiscard]] static Scenario Silent();
    [[nodiscard]] static Scenario Drip(std::string body, std::chrono::milliseconds interval);
    // 302 Found with a Location header and, when given, one Set-Cookie header.
    [[nodiscard]] static Scenario Redirect(std::string location, std::string setCookie = {});
    [[nodiscard]] static Scenario NotFound(std::string body);
    [[nodiscard]] static Scenario Raw(std::string bytes);
};

// An HTTP server on 127.0.0.1 at an ephemeral port, on threads of its own, for tests. It records
// every request and answers each by the scenario routed to its exact target, or by the default
// scenario (a 404 with a short body unless set). Each connection carries one request.
//
// The destructor stops everything in bounded time: silent and dripping connections are woken and
// closed, and every thread is joined.
class LoopbackServer {
public:
    LoopbackServer();
    ~LoopbackServer();
    LoopbackServer(LoopbackServer const&) = delete;
    LoopbackServer& operator=(LoopbackServer const&) = delete;

    // False when no socket could be bound; Port() is 0 then.
    [[nodiscard]] bool Listening() const noexcept { return port_ != 0; }
    [[nodiscard]] std::uint16_t Port() const noexcept { return port_; }
    // "127.0.0.1:NNNNN", the host part of a URL.
    [[nodiscard]] std::string HostAndPort() const;
    // "http://127.0.0.1:NNNNN" + target.
    [[nodiscard]] std::string Url(std::string const& target) const;

    // `target` as it stands on the request line, escaped as the client sent it
    // ("/search/%D6%D0/1-1.html"). May be called while the server runs; later requests see it.
    void Route(std::string target, Scenario scenario);
    void SetDefault(Scenario scenario);

    // Every request recorded so far, in the order of arrival.
    [[nodiscard]] std::vector<RecordedRequest> Requests() const;
    // Connections accepted so far, also those that never sent a full request.
    [[nodiscard]] std::size_t ConnectionCount() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
    std::uint16_t port_ = 0;
};

} // namespace testsupport
