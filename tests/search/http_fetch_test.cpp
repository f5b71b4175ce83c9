#include "search/http_fetch.h"

#include "support/loopback_server.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

using testsupport::LoopbackServer;
using testsupport::Scenario;

namespace {

std::string const Agent = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";

// A name of `size` bytes under "localhost", which the client resolves to loopback by itself.
std::string LocalHostName(std::size_t size)
{
    std::string const suffix = ".localhost";
    std::string name;
    while (name.size() + suffix.size() < size)
        name += (name.size() % 50 == 49) ? '.' : 'h';
    if (!name.empty() && name.back() == '.')
        name.back() = 'h';
    return name + suffix;
}

class HttpFetchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A proxy in the environment must not be used: the fetch goes straight to the server.
        for (char const* name : {"http_proxy", "HTTP_PROXY", "all_proxy"})
            (void)::setenv(name, "http://127.0.0.1:1", 1);
        ASSERT_TRUE(server.Listening());
    }

    [[nodiscard]] ByteBuffer Fetch(std::string const& url) const { return HttpFetch(Text(url)); }

    LoopbackServer server;
};

} // namespace

TEST_F(HttpFetchTest, SendsTheKeywordsBytesEscapedAndCutsAtTheHash)
{
    server.SetDefault(Scenario::Fixed("ok"));
    EXPECT_EQ(Fetch(server.Url("/search/a b\xD6\xD0#c/1-1.html")).Bytes(), "ok");
    auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].raw, "GET /search/a%20b%D6%D0 HTTP/1.0\r\n"
                               "Host: " + server.HostAndPort() + "\r\n"
                               "User-Agent: " + Agent + "\r\n"
                               "Accept: */*\r\n"
                               "\r\n");

    std::pair<std::string, std::string> const cases[] = {
        {"/search/ab#c/1-1.html", "/search/ab"},
        {"/search/   /1-1.html", "/search/%20%20%20/1-1.html"},
        {"/search/\xD6\xD0/2-1.html?q=\xD6\xD0#x", "/search/%D6%D0/2-1.html?q=%D6%D0"},
        {"/search/../pumice.txt", "/pumice.txt"},
        {"/search/./a/./b/../1-1.html", "/search/a/1-1.html"},
        {"/search/100%/1-1.html", "/search/100%/1-1.html"},
        {"/search/\t/1-1.html", "/search/%09/1-1.html"},
    };
    for (auto const& [path, target] : cases) {
        std::size_t const before = server.Requests().size();
        EXPECT_EQ(Fetch(server.Url(path)).Bytes(), "ok") << path;
        requests = server.Requests();
        ASSERT_EQ(requests.size(), before + 1) << path;
        EXPECT_EQ(requests.back().target, target) << path;
    }
}

TEST_F(HttpFetchTest, SendsNothingForUrlsItCannotUse)
{
    server.SetDefault(Scenario::Fixed("ok"));
    std::string const port = std::to_string(server.Port());
    std::string const at = "@127.0.0.1:" + port + "/";
    struct Case {
        std::string url;
        bool sent;
    };
    Case const cases[] = {
        {"", false},
        {"http://" + LocalHostName(255) + ":" + port + "/", true},
        {"http://" + LocalHostName(256) + ":" + port + "/", false},
        {server.Url("/" + std::string(2046, 'p')), true},
        {server.Url("/" + std::string(2047, 'p')), false},
        // The path field holds the fragment too, though it is cut off before sending.
        {server.Url("/x#" + std::string(2045, 'f')), false},
        {"http://" + std::string(127, 'u') + at, true},
        {"http://" + std::string(128, 'u') + at, false},
        {"http://user:" + std::string(127, 'w') + at, true},
        {"http://user:" + std::string(128, 'w') + at, false},
        {"ftp://127.0.0.1:" + port + "/", false},
        {"gopher://127.0.0.1:" + port + "/", false},
        {"127.0.0.1:" + port + "/search", false},
        {"http://127.0.0.1:99999/", false},
    };
    for (auto const& [url, sent] : cases) {
        std::size_t const before = server.ConnectionCount();
        ByteBuffer const body = Fetch(url);
        EXPECT_EQ(server.ConnectionCount(), before + (sent ? 1 : 0)) << url.substr(0, 80);
        EXPECT_EQ(body.Bytes(), sent ? "ok" : "") << url.substr(0, 80);
    }
}

TEST_F(HttpFetchTest, ReturnsWhateverBodyArrived)
{
    std::string const page = "<html>" + std::string(5000, 'x') + "</html>";
    server.Route("/missing", Scenario::NotFound("<h1>404</h1>"));
    server.Route("/chunked", Scenario::Chunked(page, 333));
    server.Route("/no-length", Scenario::CloseDelimited(page));
    server.Route("/reset", Scenario::ResetMidBody(page, 2000));
    server.Route("/zero", Scenario::Fixed(std::string("ab\0cd", 5)));
    std::pair<std::string, std::string> const cases[] = {
        {"/missing", "<h1>404</h1>"},
        {"/chunked", page},
        {"/no-length", page},
        {"/reset", page.substr(0, 2000)},
        {"/zero", std::string("ab\0cd", 5)},
    };
    for (auto const& [target, body] : cases)
        EXPECT_EQ(Fetch(server.Url(target)).Bytes(), body) << target;
}

TEST_F(HttpFetchTest, NothingListeningGivesTheEmptyBuffer)
{
    std::string url;
    {
        LoopbackServer gone;
        url = gone.Url("/pumice.txt");
    }
    EXPECT_TRUE(Fetch(url).Empty());
}
