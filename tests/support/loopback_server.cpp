#include "loopback_server.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <map>
#include <mutex>
#include <string_view>
#include <thread>
#include <utility>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace testsupport {

namespace {

// A request head larger than this is cut off; the client under test never sends one.
constexpr std::size_t MaxRequestHead = 64 * 1024;

class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : fd_(fd) {}
    UniqueFd(UniqueFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept
    {
        if (this != &other) {
            Reset();
            fd_ = std::exchange(other.fd_, -1);
        }
        return *this;
    }
    UniqueFd(UniqueFd const&) = delete;
    UniqueFd& operator=(UniqueFd const&) = delete;
    ~UniqueFd() { Reset(); }

    [[nodiscard]] int Get() const noexcept { return fd_; }
    [[nodiscard]] bool Valid() const noexcept { return fd_ >= 0; }
    void Reset() noexcept
    {
        if (fd_ >= 0)
            (void)::close(fd_);
        fd_ = -1;
    }

private:
    int fd_ = -1;
};

std::string StatusLine(Scenario const& s)
{
    return "HTTP/1.1 " + std::to_string(s.status) + " " + s.reason + "\r\n";
}

std::string Head(Scenario const& s, std::string_view framing)
{
    std::string head = StatusLine(s);
    for (auto const& line : s.headers)
        head += line + "\r\n";
    head += framing;
    head += "Connection: close\r\n\r\n";
    return head;
}

std::string LengthHeader(std::int64_t length)
{
    return "Content-Length: " + std::to_string(length) + "\r\n";
}

std::string TargetOf(std::string_view head)
{
    auto const lineEnd = head.find("\r\n");
    std::string_view line = head.substr(0, lineEnd);
    auto const first = line.find(' ');
    if (first == std::string_view::npos)
        return {};
    line.remove_prefix(first + 1);
    return std::string(line.substr(0, line.find(' ')));
}

} // namespace

Scenario Scenario::Fixed(std::string body, std::vector<std::string> headers)
{
    Scenario s;
    s.body = std::move(body);
    s.headers = std::move(headers);
    return s;
}

Scenario Scenario::CloseDelimited(std::string body)
{
    Scenario s;
    s.kind = Kind::CloseDelimited;
    s.body = std::move(body);
    return s;
}

Scenario Scenario::Chunked(std::string body, std::size_t chunkSize)
{
    Scenario s;
    s.kind = Kind::Chunked;
    s.body = std::move(body);
    s.chunkSize = std::max<std::size_t>(chunkSize, 1);
    return s;
}

Scenario Scenario::WrongLength(std::string body, std::int64_t announcedLength)
{
    Scenario s;
    s.kind = Kind::WrongLength;
    s.body = std::move(body);
    s.announcedLength = announcedLength;
    return s;
}

Scenario Scenario::ResetMidBody(std::string body, std::size_t sentBeforeReset)
{
    Scenario s;
    s.kind = Kind::ResetMidBody;
    s.body = std::move(body);
    s.sentBeforeReset = std::min(sentBeforeReset, s.body.size());
    return s;
}

Scenario Scenario::Silent()
{
    Scenario s;
    s.kind = Kind::Silent;
    return s;
}

Scenario Scenario::Drip(std::string body, std::chrono::milliseconds interval)
{
    Scenario s;
    s.kind = Kind::Drip;
    s.body = std::move(body);
    s.interval = interval;
    return s;
}

Scenario Scenario::Redirect(std::string location, std::string setCookie)
{
    Scenario s;
    s.status = 302;
    s.reason = "Found";
    s.headers.push_back("Location: " + location);
    if (!setCookie.empty())
        s.headers.push_back("Set-Cookie: " + setCookie);
    s.body = "moved";
    return s;
}

Scenario Scenario::NotFound(std::string body)
{
    Scenario s;
    s.status = 404;
    s.reason = "Not Found";
    s.body = std::move(body);
    return s;
}

Scenario Scenario::Raw(std::string bytes)
{
    Scenario s;
    s.kind = Kind::Raw;
    s.body = std::move(bytes);
    return s;
}

struct LoopbackServer::Impl {
    UniqueFd listener;
    // Readable once the server stops; every wait of every thread also watches it, so no thread
    // can stay blocked past the destructor.
    UniqueFd stopEvent;

    mutable std::mutex mutex;
    std::map<std::string, Scenario> routes;
    Scenario fallback = Scenario::NotFound("not found");
    std::vector<RecordedRequest> requests;
    std::size_t connections = 0;
    std::vector<std::thread> workers;
    std::thread acceptor;

    // Waits until `fd` is ready for `events` or the server stops. True when ready.
    [[nodiscard]] bool WaitFor(int fd, short events, int timeoutMs = -1) const
    {
        pollfd fds[2] = {{fd, events, 0}, {stopEvent.Get(), POLLIN, 0}};
        for (;;) {
            int const n = ::poll(fds, 2, timeoutMs);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0 || (fds[1].revents & POLLIN))
                return false;
            return (fds[0].revents & (events | POLLHUP | POLLERR)) != 0;
        }
    }

    // Sleeps `ms`, returning early (false) when the server stops or the peer goes away.
    [[nodiscard]] bool Pause(int fd, std::chrono::milliseconds ms) const
    {
        pollfd fds[2] = {{fd, POLLRDHUP, 0}, {stopEvent.Get(), POLLIN, 0}};
        int const n = ::poll(fds, 2, static_cast<int>(ms.count()));
        return n == 0;
    }

    [[nodiscard]] bool SendAll(int fd, std::string_view bytes) const
    {
        while (!bytes.empty()) {
            if (!WaitFor(fd, POLLOUT))
                return false;
            ssize_t const sent = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
            if (sent < 0) {
                if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)
                    continue;
                return false;
            }
            bytes.remove_prefix(static_cast<std::size_t>(sent));
        }
        return true;
    }

    // Reads up to the blank line that ends the request head; what arrived is kept also when the
    // peer stops short of it.
    [[nodiscard]] std::string ReadHead(int fd) const
    {
        std::string head;
        char buffer[4096];
        while (head.find("\r\n\r\n") == std::string::npos && head.size() < MaxRequestHead) {
            if (!WaitFor(fd, POLLIN))
                break;
            ssize_t const got = ::recv(fd, buffer, sizeof buffer, MSG_DONTWAIT);
            if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR))
                continue;
            if (got <= 0)
                break;
            head.append(buffer, static_cast<std::size_t>(got));
        }
        return head;
    }

    void Serve(UniqueFd connection)
    {
        int const fd = connection.Get();
        std::string const head = ReadHead(fd);
        if (head.empty())
            return;
        RecordedRequest request{head, TargetOf(head)};
        Scenario scenario;
        {
            std::lock_guard lock(mutex);
            auto const it = routes.find(request.target);
            scenario = it != routes.end() ? it->second : fallback;
            requests.push_back(std::move(request));
        }
        if (Answer(fd, scenario))
            CloseGracefully(fd);
    }

    // Ends the answer with a FIN and waits (bounded) for the client to close its side, so that
    // closing never turns into a reset that could take the end of the body with it.
    void CloseGracefully(int fd) const
    {
        (void)::shutdown(fd, SHUT_WR);
        char buffer[1024];
        while (WaitFor(fd, POLLIN, 2000)) {
            ssize_t const got = ::recv(fd, buffer, sizeof buffer, MSG_DONTWAIT);
            if (got == 0 || (got < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR))
                return;
        }
    }

    // Sends the answer; false when the connection is to be reset rather than closed.
    [[nodiscard]] bool Answer(int fd, Scenario const& s) const
    {
        using Kind = Scenario::Kind;
        switch (s.kind) {
        case Kind::Fixed:
            (void)SendAll(fd, Head(s, LengthHeader(static_cast<std::int64_t>(s.body.size()))) + s.body);
            return true;
        case Kind::CloseDelimited:
            (void)SendAll(fd, Head(s, "") + s.body);
            return true;
        case Kind::WrongLength:
            (void)SendAll(fd, Head(s, LengthHeader(s.announcedLength)) + s.body);
            return true;
        case Kind::Raw:
            (void)SendAll(fd, s.body);
            return true;
        case Kind::Chunked: {
            std::string out = Head(s, "Transfer-Encoding: chunked\r\n");
            for (std::size_t at = 0; at < s.body.size(); at += s.chunkSize) {
                std::string_view const piece = std::string_view(s.body).substr(at, s.chunkSize);
                char size[32];
                (void)std::snprintf(size, sizeof size, "%zx\r\n", piece.size());
                out += size;
                out += piece;
                out += "\r\n";
            }
            out += "0\r\n\r\n";
            (void)SendAll(fd, out);
            return true;
        }
        case Kind::ResetMidBody: {
            std::string const part = Head(s, LengthHeader(static_cast<std::int64_t>(s.body.size())))
                + s.body.substr(0, s.sentBeforeReset);
            if (!SendAll(fd, part))
                return false;
            // Give the client a moment to take the bytes before the reset arrives, so what it
            // returns is exactly the part sent.
            (void)Pause(fd, std::chrono::milliseconds(50));
            // Linger on with a zero time: the close that follows sends a RST instead of a FIN.
            linger const abortive{1, 0};
            (void)::setsockopt(fd, SOL_SOCKET, SO_LINGER, &abortive, sizeof abortive);
            return false;
        }
        case Kind::Silent:
            // Until the server stops or the client gives up.
            while (Pause(fd, std::chrono::milliseconds(1000))) {
            }
            return false;
        case Kind::Drip: {
            if (!SendAll(fd, Head(s, LengthHeader(static_cast<std::int64_t>(s.body.size())))))
                return false;
            for (char const c : s.body) {
                if (!Pause(fd, s.interval) || !SendAll(fd, std::string_view(&c, 1)))
                    return false;
            }
            return true;
        }
        }
        return true;
    }

    void AcceptLoop()
    {
        while (WaitFor(listener.Get(), POLLIN)) {
            int const fd = ::accept4(listener.Get(), nullptr, nullptr, SOCK_CLOEXEC);
            if (fd < 0)
                continue;
            std::lock_guard lock(mutex);
            ++connections;
            workers.emplace_back([this, connection = UniqueFd(fd)]() mutable { Serve(std::move(connection)); });
        }
    }
};

LoopbackServer::LoopbackServer() : impl_(std::make_unique<Impl>())
{
    impl_->stopEvent = UniqueFd(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK));
    impl_->listener = UniqueFd(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (!impl_->stopEvent.Valid() || !impl_->listener.Valid())
        return;
    int const yes = 1;
    (void)::setsockopt(impl_->listener.Get(), SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    if (::bind(impl_->listener.Get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0
        || ::listen(impl_->listener.Get(), 64) != 0
        || ::getsockname(impl_->listener.Get(), reinterpret_cast<sockaddr*>(&address), &length) != 0)
        return;
    port_ = ntohs(address.sin_port);
    impl_->acceptor = std::thread([impl = impl_.get()] { impl->AcceptLoop(); });
}

LoopbackServer::~LoopbackServer()
{
    std::uint64_t const one = 1;
    (void)!::write(impl_->stopEvent.Get(), &one, sizeof one);
    if (impl_->acceptor.joinable())
        impl_->acceptor.join();
    // The acceptor has ended, so no worker is added any more.
    for (auto& worker : impl_->workers)
        worker.join();
}

std::string LoopbackServer::HostAndPort() const
{
    return "127.0.0.1:" + std::to_string(port_);
}

std::string LoopbackServer::Url(std::string const& target) const
{
    return "http://" + HostAndPort() + target;
}

void LoopbackServer::Route(std::string target, Scenario scenario)
{
    std::lock_guard lock(impl_->mutex);
    impl_->routes.insert_or_assign(std::move(target), std::move(scenario));
}

void LoopbackServer::SetDefault(Scenario scenario)
{
    std::lock_guard lock(impl_->mutex);
    impl_->fallback = std::move(scenario);
}

std::vector<RecordedRequest> LoopbackServer::Requests() const
{
    std::lock_guard lock(impl_->mutex);
    return impl_->requests;
}

std::size_t LoopbackServer::ConnectionCount() const
{
    std::lock_guard lock(impl_->mutex);
    return impl_->connections;
}

} // namespace testsupport
