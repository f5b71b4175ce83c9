#include "app/check_version.h"

#include "app/main_window.h"
#include "common/end_program.h"
#include "common/gbk_literal.h"
#include "common/hosts.h"
#include "common/show_message.h"
#include "support/gui_window.h"
#include "support/loopback_server.h"
#include "support/xdg_open_recorder.h"

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include <QApplication>
#include <QWidget>

namespace {

using testsupport::LoopbackServer;
using testsupport::OpenCall;
using testsupport::Scenario;
using testsupport::XdgOpenRecorder;

struct Shown {
    Text text;
    int flags;
    Text title;
    friend bool operator==(Shown const&, Shown const&) = default;
};

// The version check against a loopback update host, with scripted answers, a recorded end and a
// recording xdg-open. Nothing here ends the test process.
class VersionCheck : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.Listening());
        TestHooks::SetUpdateHost(Text(server.HostAndPort()));
        SetMessagePresenter([this](Text const& text, std::int32_t flags, Text const& title) {
            shown.push_back({text, flags, title});
            if (answers.empty()) {
                return MessageAnswer::Ok;
            }
            MessageAnswer const answer = answers.front();
            answers.pop_front();
            return answer;
        });
        SetEndProgramHandler([this](std::int32_t code) {
            endedWith.push_back(code);
            if (qApp != nullptr) {
                for (QWidget const* widget : QApplication::topLevelWidgets()) {
                    shownBeforeEnd = shownBeforeEnd || widget->isVisible();
                }
            }
        });
    }
    void TearDown() override
    {
        SetMessagePresenter(nullptr);
        SetEndProgramHandler(nullptr);
        TestHooks::SetUpdateHost(Text("127.0.0.1:8631"));
        ProgramVersion = Text();
        ServerVersion = Text();
    }

    LoopbackServer server;
    XdgOpenRecorder opener;
    std::deque<MessageAnswer> answers;
    std::vector<Shown> shown;
    std::vector<std::int32_t> endedWith;
    bool shownBeforeEnd = false;
};

Shown const FirstNotice{Gbk("系统发现最新版本，请下载最新的版本。"), 36 | 0x2000, Gbk("信息：")};
Shown const SecondNotice{Gbk("当前不是最新版本，请下载最新的版本。"), 36 | 0x2000, Gbk("信息：")};
Shown const LastNotice{Gbk("很抱歉，当前版本已失效停用，请下载最新版本使用。"), 64 | 0x2000, Gbk("信息：")};

TEST_F(VersionCheck, OnlyExactlyOnePasses)
{
    struct Case {
        std::optional<Scenario> answer; // nullopt: no server at that address
        bool passes;
        Text serverVersion;
    };
    Case const cases[] = {
        {Scenario::Fixed("1"), true, Text("1")},
        {Scenario::Fixed(std::string("1\0trailing", 10)), true, Text("1")},
        {Scenario::Fixed("2"), false, Text("2")},
        {Scenario::Fixed(" 1"), false, Text(" 1")},
        {Scenario::Fixed("1\r\n"), false, Text("1\r\n")},
        {Scenario::Fixed("\xef\xbb\xbf" "1"), false, Text("\xef\xbb\xbf" "1")},
        {Scenario::Fixed(""), false, Text()},
        {Scenario::NotFound("<html>Not Found</html>"), false, Text("<html>Not Found</html>")},
        {std::nullopt, false, Text()},
    };
    std::string deadHost;
    {
        LoopbackServer gone;
        deadHost = gone.HostAndPort();
    }
    // The opener does not wait for xdg-open, so its records are counted over the whole table: a
    // passing case that opened anything would show up as one record too many.
    std::vector<OpenCall> expectedOpens;
    for (auto const& [answer, passes, serverVersion] : cases) {
        shown.clear();
        endedWith.clear();
        answers = {MessageAnswer::Yes};
        std::string host = deadHost;
        if (answer) {
            server.Route("/pumice.txt", *answer);
            host = server.HostAndPort();
        }
        TestHooks::SetUpdateHost(Text(host));

        CheckVersion();

        SCOPED_TRACE(serverVersion.Bytes());
        EXPECT_EQ(ProgramVersion, Text("1"));
        EXPECT_EQ(ServerVersion, serverVersion);
        if (passes) {
            EXPECT_TRUE(shown.empty());
            EXPECT_TRUE(endedWith.empty());
        } else {
            EXPECT_EQ(shown, std::vector<Shown>{FirstNotice});
            EXPECT_EQ(endedWith, std::vector<std::int32_t>{0});
            expectedOpens.push_back({"http://" + host});
            EXPECT_EQ(opener.WaitForCalls(expectedOpens.size()), expectedOpens);
        }
    }
    std::vector<testsupport::RecordedRequest> const requests = server.Requests();
    ASSERT_FALSE(requests.empty());
    for (auto const& request : requests) {
        EXPECT_EQ(request.target, "/pumice.txt");
    }
}

TEST_F(VersionCheck, EveryAnswerEndsAtTheDownloadPage)
{
    struct Case {
        std::deque<MessageAnswer> answers;
        std::vector<Shown> notices;
    };
    Case const cases[] = {
        {{MessageAnswer::Yes}, {FirstNotice}},
        {{MessageAnswer::No, MessageAnswer::Yes}, {FirstNotice, SecondNotice}},
        {{MessageAnswer::No, MessageAnswer::No, MessageAnswer::Ok}, {FirstNotice, SecondNotice, LastNotice}},
        // A box that could not be shown answers Ok, a refusal like No.
        {{MessageAnswer::Ok, MessageAnswer::Cancel, MessageAnswer::Ok}, {FirstNotice, SecondNotice, LastNotice}},
    };
    server.Route("/pumice.txt", Scenario::Fixed("2"));
    std::vector<OpenCall> expectedOpens;
    for (auto const& [given, notices] : cases) {
        shown.clear();
        endedWith.clear();
        answers = given;

        CheckVersion();

        EXPECT_EQ(shown, notices);
        EXPECT_TRUE(answers.empty());
        EXPECT_EQ(endedWith, std::vector<std::int32_t>{0});
        expectedOpens.push_back({"http://" + server.HostAndPort()});
        EXPECT_EQ(opener.WaitForCalls(expectedOpens.size()), expectedOpens);
    }
}

TEST_F(VersionCheck, AsTheCreatedEventKeepsTheWindowHiddenOnTheWayOut)
{
    server.Route("/pumice.txt", Scenario::Fixed("2"));
    answers = {MessageAnswer::No, MessageAnswer::No, MessageAnswer::Ok};
    std::unique_ptr<MainWindowView> const window = testsupport::CreateTestWindow(CheckVersion);
    ASSERT_TRUE(window);
    EXPECT_EQ(shown, (std::vector<Shown>{FirstNotice, SecondNotice, LastNotice}));
    EXPECT_EQ(endedWith, std::vector<std::int32_t>{0});
    EXPECT_FALSE(shownBeforeEnd);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(opener.WaitForCalls(1), std::vector<OpenCall>{{"http://" + server.HostAndPort()}});
}

TEST_F(VersionCheck, AsTheCreatedEventLetsTheWindowShowWhenItPasses)
{
    server.Route("/pumice.txt", Scenario::Fixed("1"));
    std::unique_ptr<MainWindowView> const window = testsupport::CreateTestWindow(CheckVersion);
    ASSERT_TRUE(window);
    EXPECT_TRUE(shown.empty());
    EXPECT_TRUE(endedWith.empty());
    EXPECT_TRUE(window->isVisible());
}

} // namespace
