#include "platform/http/http_session.h"

#include "support/loopback_server.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <thread>

using namespace platform::http;
using testsupport::LoopbackServer;
using testsupport::Scenario;
using namespace std::chrono_literals;

namespace {

std::string const Agent = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";

Request To(LoopbackServer const& server, std::string target)
{
    Request request;
    request.scheme = "http";
    request.host = "127.0.0.1";
    request.port = server.Port();
    request.target = std::move(target);
    return request;
}

std::string Pattern(std::size_t size)
{
    std::string body(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        body[i] = static_cast<char>('a' + i % 26);
    return body;
}

// Every test runs with a proxy named in the environment, which the session must not use, and
// with bounds small enough to keep the slow scenarios short.
class HttpSession : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (char const* name : {"http_proxy", "HTTP_PROXY", "https_proxy", "all_proxy", "ALL_PROXY"})
            (void)::setenv(name, "http://127.0.0.1:1", 1);
        SessionBounds bounds;
        bounds.connect = 2s;
        bounds.noData = 300ms;
        bounds.whole = 5s;
        SetSessionBounds(bounds);
        ASSERT_TRUE(server.Listening());
    }
    void TearDown() override { SetSessionBounds(SessionBounds{}); }

    LoopbackServer server;
};

} // namespace

TEST_F(HttpSession, SendsExactlyTheProgramsRequest)
{
    server.Route("/search/%D6%D0%20x/1-1.html?k=%D6%D0", Scenario::Fixed("page"));
    Response const response = Get(To(server, "/search/\xD6\xD0 x/1-1.html?k=\xD6\xD0"));

    EXPECT_EQ(response.body, "page");
    EXPECT_EQ(response.outcome, Outcome::Complete);
    auto const requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].raw, "GET /search/%D6%D0%20x/1-1.html?k=%D6%D0 HTTP/1.0\r\n"
                               "Host: " + server.HostAndPort() + "\r\n"
                               "User-Agent: " + Agent + "\r\n"
                               "Accept: */*\r\n"
                               "\r\n");
}

TEST_F(HttpSession, ReturnsBodiesWhateverTheirFramingOrStatus)
{
    std::string const body = Pattern(3000);
    struct Case {
        char const* target;
        Scenario scenario;
        std::string body;
        Outcome outcome;
        long readSize;
    };
    Case const cases[] = {
        {"/fixed", Scenario::Fixed(Pattern(1000)), Pattern(1000), Outcome::Complete, 1001},
        {"/large", Scenario::Fixed(Pattern(500000)), Pattern(500000), Outcome::Complete, 102400},
        {"/chunked", Scenario::Chunked(body, 100), body, Outcome::Complete, 10240},
        {"/no-length", Scenario::CloseDelimited(body), body, Outcome::Complete, 10240},
        {"/zero", Scenario::Fixed(std::string("a\0b", 3)), std::string("a\0b", 3), Outcome::Complete, 4},
        {"/missing", Scenario::NotFound("<h1>no such page</h1>"), "<h1>no such page</h1>", Outcome::Complete, 22},
        // Announced more than sent: what was sent, and the break is seen.
        {"/short", Scenario::WrongLength("only this", 50), "only this", Outcome::Broken, 51},
        // Announced less than sent: the announced length ends the body.
        {"/long", Scenario::WrongLength("only this", 4), "only", Outcome::Complete, 5},
        {"/reset", Scenario::ResetMidBody(body, 1200), body.substr(0, 1200), Outcome::Broken,
         static_cast<long>(body.size()) + 1},
        {"/raw", Scenario::Raw("HTTP/1.0 200 OK\r\nServer: x\r\n\r\nraw body"), "raw body", Outcome::Complete, 10240},
    };
    for (auto const& c : cases) {
        server.Route(c.target, c.scenario);
        Response const response = Get(To(server, c.target));
        EXPECT_EQ(response.body, c.body) << c.target;
        EXPECT_EQ(response.outcome, c.outcome) << c.target;
        EXPECT_EQ(response.readSize, c.readSize) << c.target;
    }
}

TEST_F(HttpSession, FollowsRedirectsAndSendsCookiesBack)
{
    server.Route("/jar/start", Scenario::Redirect("/jar/landing", "visit=42; Path=/jar"));
    server.Route("/jar/landing", Scenario::CloseDelimited("landed"));
    server.Route("/jar/again", Scenario::Fixed("again"));

    Response const landed = Get(To(server, "/jar/start"));
    EXPECT_EQ(landed.body, "landed");
    // The redirect announced a length of its own; the page that followed announced none.
    EXPECT_EQ(landed.readSize, 10240);
    EXPECT_EQ(Get(To(server, "/jar/again")).body, "again");

    auto const requests = server.Requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].raw.find("Cookie:"), std::string::npos);
    EXPECT_EQ(requests[1].target, "/jar/landing");
    EXPECT_NE(requests[1].raw.find("\r\nCookie: visit=42\r\n"), std::string::npos) << requests[1].raw;
    EXPECT_NE(requests[2].raw.find("\r\nCookie: visit=42\r\n"), std::string::npos) << requests[2].raw;
}

TEST_F(HttpSession, StopsFollowingAnEndlessRedirect)
{
    server.Route("/loop", Scenario::Redirect("/loop"));
    Response const response = Get(To(server, "/loop"));
    EXPECT_EQ(response.outcome, Outcome::TooManyRedirects);
    EXPECT_EQ(server.Requests().size(), 11u); // the first request and ten redirects
}

TEST_F(HttpSession, SendsCredentialsWhenAsked)
{
    server.Route("/private", Scenario::Raw("HTTP/1.0 401 Unauthorized\r\nWWW-Authenticate: Basic realm=\"r\"\r\n"
                                           "Content-Length: 6\r\n\r\ndenied"));
    Request request = To(server, "/private");
    request.user = "user";
    request.password = "pw";
    EXPECT_EQ(Get(request).body, "denied");

    auto const requests = server.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].raw.find("Authorization:"), std::string::npos);
    EXPECT_NE(requests[1].raw.find("\r\nAuthorization: Basic dXNlcjpwdw==\r\n"), std::string::npos);
}

TEST_F(HttpSession, NothingListeningGivesNothing)
{
    std::uint16_t port = 0;
    {
        LoopbackServer gone;
        port = gone.Port();
    }
    Request request = To(server, "/");
    request.port = port;
    Response const response = Get(request);
    EXPECT_TRUE(response.body.empty());
    EXPECT_EQ(response.outcome, Outcome::NoConnection);
}

TEST_F(HttpSession, OtherSchemesAreRefusedUnsent)
{
    Request request = To(server, "/");
    request.scheme = "ftp";
    EXPECT_EQ(Get(request).outcome, Outcome::BadUrl);
    EXPECT_EQ(server.ConnectionCount(), 0u);
}

TEST_F(HttpSession, ASilentServerGivesNothingAfterTheNoDataBound)
{
    server.Route("/silent", Scenario::Silent());
    Response const response = Get(To(server, "/silent"));
    EXPECT_TRUE(response.body.empty());
    EXPECT_EQ(response.outcome, Outcome::Stalled);
}

TEST_F(HttpSession, ADripEndsAtTheWholeTransferBoundWithWhatCame)
{
    server.Route("/drip", Scenario::Drip(Pattern(400), 20ms));
    SessionBounds bounds = CurrentSessionBounds();
    bounds.whole = 600ms;
    SetSessionBounds(bounds);

    Response const response = Get(To(server, "/drip"));
    // A byte every 20 ms never trips the 300 ms no-data bound; the whole-transfer bound ends it.
    EXPECT_EQ(response.outcome, Outcome::TimedOut);
    EXPECT_FALSE(response.body.empty());
    EXPECT_LT(response.body.size(), 400u);
    EXPECT_EQ(response.body, Pattern(400).substr(0, response.body.size()));
}

TEST_F(HttpSession, CutsTheBodyAtTheCap)
{
    server.Route("/announced", Scenario::Fixed(Pattern(200000)));
    server.Route("/unannounced", Scenario::CloseDelimited(Pattern(200000)));
    SessionBounds bounds = CurrentSessionBounds();
    bounds.bodyCap = 50000;
    SetSessionBounds(bounds);

    for (char const* target : {"/announced", "/unannounced"}) {
        Response const response = Get(To(server, target));
        EXPECT_EQ(response.outcome, Outcome::Capped) << target;
        EXPECT_EQ(response.body, Pattern(50000)) << target;
    }
}

TEST_F(HttpSession, HandsTheTransferToTheWaiter)
{
    server.Route("/waited", Scenario::Fixed("waited for"));
    std::thread::id ranOn;
    int handed = 0;
    SetTransferWaiter([&](std::function<void()> const& transfer) {
        ++handed;
        std::thread helper([&] {
            ranOn = std::this_thread::get_id();
            transfer();
        });
        helper.join();
    });
    Response const response = Get(To(server, "/waited"));
    SetTransferWaiter({});

    EXPECT_EQ(response.body, "waited for");
    EXPECT_EQ(handed, 1);
    EXPECT_NE(ranOn, std::this_thread::get_id());

    EXPECT_EQ(Get(To(server, "/waited")).body, "waited for");
    EXPECT_EQ(handed, 1);
}

TEST_F(HttpSession, ConcurrentTransfersShareTheSession)
{
    server.Route("/a", Scenario::Fixed(Pattern(20000)));
    std::string results[4];
    std::thread threads[4];
    for (int i = 0; i < 4; ++i)
        threads[i] = std::thread([&, i] { results[i] = Get(To(server, "/a")).body; });
    for (auto& t : threads)
        t.join();
    for (auto const& body : results)
        EXPECT_EQ(body, Pattern(20000));
}
