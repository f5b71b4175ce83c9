#include "platform/http/crack_url.h"
#include "platform/http/read_size.h"
#include "platform/http/request_target.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

using namespace platform::http;

TEST(ReadSize, FollowsTheAnnouncedLength)
{
    struct Case {
        std::optional<std::string_view> announced;
        long readSize;
    };
    Case const cases[] = {
        {"1000", 1001},  {"1", 2},          {"102399", 102400}, {"102400", 102400},
        {"500000", 102400}, {"99999999999999999999999", 102400},
        {std::nullopt, 10240}, {"", 10240}, {"0", 10240},   {"-5", 10240},
        {"abc", 10240},  {" 42", 43},        {"+7", 8},          {"12abc", 13},
    };
    for (auto const& [announced, readSize] : cases)
        EXPECT_EQ(ReadSize(announced), readSize) << (announced ? std::string(*announced) : "<none>");
}

TEST(RequestTarget, EscapesOnlyWhatMayNotStandRawInARequestLine)
{
    std::pair<std::string, std::string> const cases[] = {
        {"/search/a b/1-1.html", "/search/a%20b/1-1.html"},
        {"/search/\xD6\xD0/1-1.html?q=\xD6\xD0 x", "/search/%D6%D0/1-1.html?q=%D6%D0%20x"},
        {std::string("/\x01\t\x7f\xff", 5), "/%01%09%7F%FF"},
        // Already escaped, malformed escapes and the characters many clients escape stay as given.
        {"/%41%zz%/\"<>{}|\\^`'[]~", "/%41%zz%/\"<>{}|\\^`'[]~"},
        {"", ""},
    };
    for (auto const& [target, wire] : cases)
        EXPECT_EQ(EncodeRequestTarget(target), wire) << target;
}

TEST(CrackUrl, SplitsWithoutEscapingAndRemovesDotSegments)
{
    auto const parts = CrackUrl("HTTP://user:pw@Example.org:8080/a/./b/../search/x y\xD6\xD0?q=\xD6\xD0 z#frag ment");
    ASSERT_TRUE(parts);
    EXPECT_EQ(parts->scheme, "http");
    EXPECT_EQ(parts->user, "user");
    EXPECT_EQ(parts->password, "pw");
    EXPECT_EQ(parts->host, "Example.org");
    EXPECT_EQ(parts->port, 8080);
    EXPECT_EQ(parts->path, "/a/search/x y\xD6\xD0?q=\xD6\xD0 z#frag ment");

    auto const bare = CrackUrl("https://host");
    ASSERT_TRUE(bare);
    EXPECT_EQ(bare->scheme, "https");
    EXPECT_EQ(bare->port, 0);
    EXPECT_EQ(bare->path, "/");
    EXPECT_TRUE(bare->user.empty() && bare->password.empty());

    auto const controls = CrackUrl("http://host/a\tb");
    ASSERT_TRUE(controls);
    EXPECT_EQ(controls->path, "/a%09b");

    auto const other = CrackUrl("ftp://host/file");
    ASSERT_TRUE(other);
    EXPECT_EQ(other->scheme, "ftp");

    for (char const* bad : {"", "no scheme at all", "127.0.0.1/search", "http://host:99999/", "http://ho st/"})
        EXPECT_FALSE(CrackUrl(bad)) << bad;
}
