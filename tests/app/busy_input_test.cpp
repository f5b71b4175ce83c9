#include "app/main_window.h"
#include "app/main_window_view.h"
#include "common/gbk_literal.h"
#include "common/hosts.h"
#include "platform/ui/busy_wait.h"
#include "platform/ui/edit_box.h"
#include "platform/ui/push_button.h"
#include "support/gui_fixture.h"
#include "support/gui_window.h"
#include "support/loopback_server.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <qpa/qwindowsysteminterface.h>

namespace {

using namespace std::chrono_literals;
using testsupport::CreateTestWindow;
using testsupport::LoopbackServer;
using testsupport::Scenario;
using testsupport::ScriptedPresenter;
using testsupport::WaitUntil;

// A window whose searches go to a loopback site that answers slowly, so every search waits.
class BusyWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.Listening());
        server.SetDefault(Scenario::Drip("<html><body>no results</body></html>", 15ms));
        TestHooks::SetSiteHost(Text(server.HostAndPort()));
        (void)testsupport::EnsureTestApplication();
        platform::ui::InstallBusyWaiter();
        window = CreateTestWindow();
        ASSERT_TRUE(window);
        window->Widgets().searchBox->setText(QStringLiteral("ubuntu"));
        window->Widgets().searchBox->setFocus();
    }
    void TearDown() override
    {
        window.reset();
        TestHooks::SetSiteHost(Text("127.0.0.1:8631"));
    }

    // Runs `action` once, from inside the next wait of a fetch.
    static void WhenBusy(std::function<void()> action)
    {
        QTimer::singleShot(5, [action = std::move(action)] {
            if (platform::ui::IsBusy()) {
                action();
            } else {
                WhenBusy(action);
            }
        });
    }

    LoopbackServer server;
    std::unique_ptr<MainWindowView> window;
    ScriptedPresenter presenter;
};

TEST_F(BusyWindow, CloseRequestDuringASearchIsAskedAfterTheSearch)
{
    Text captionWhenAsked;
    std::size_t requestsWhenAsked = 0;
    presenter.WhileShown([&](testsupport::ShownMessage const&) {
        captionWhenAsked = window->Widgets().searchButton->Caption();
        requestsWhenAsked = server.Requests().size();
    });
    presenter.Answer(MessageAnswer::No);
    WhenBusy([this] { (void)window->close(); });
    QTest::keyClick(window->Widgets().searchBox, Qt::Key_Return);
    ASSERT_TRUE(WaitUntil([&] { return !presenter.Shown().empty(); }));
    ASSERT_EQ(presenter.Shown().size(), 1U);
    EXPECT_EQ(presenter.Shown()[0].text, Gbk("是否退出？"));
    // Asked only once both pages were fetched and the search had finished.
    EXPECT_EQ(requestsWhenAsked, 2U);
    EXPECT_EQ(captionWhenAsked, Gbk("种子搜索"));
    EXPECT_TRUE(window->isVisible());
}

TEST_F(BusyWindow, LogOffDuringASearchIsRefusedAndAskedAfterwards)
{
    bool answered = true;
    presenter.Answer(MessageAnswer::No);
    WhenBusy([&] { answered = window->AnswerLogOffQuery([] { return true; }); });
    QTest::keyClick(window->Widgets().searchBox, Qt::Key_Return);
    EXPECT_FALSE(answered);
    ASSERT_TRUE(WaitUntil([&] { return !presenter.Shown().empty(); }));
    EXPECT_EQ(presenter.Shown()[0].text, Gbk("是否退出？"));
    EXPECT_EQ(server.Requests().size(), 2U);
    EXPECT_TRUE(window->isVisible());
}

// Holding Enter through a slow search: the repeats queued meanwhile start one more search.
TEST_F(BusyWindow, RepeatsThatPileUpDuringASearchCountAsOne)
{
    QWindow* handle = window->windowHandle();
    WhenBusy([handle] {
        // As X sends them: each repeat a release and a press marked as repeats, then the release.
        for (int i = 0; i < 20; ++i) {
            (void)QWindowSystemInterface::handleKeyEvent(handle, QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier,
                                                         QStringLiteral("\r"), true);
            (void)QWindowSystemInterface::handleKeyEvent(handle, QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier,
                                                         QStringLiteral("\r"), true);
        }
        (void)QWindowSystemInterface::handleKeyEvent(handle, QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier,
                                                     QStringLiteral("\r"));
    });
    QTest::keyClick(window->Widgets().searchBox, Qt::Key_Return);
    // Both searches are done once the first Enter's handler returns.
    EXPECT_EQ(server.Requests().size(), 4U);
    QTest::qWait(100);
    EXPECT_EQ(server.Requests().size(), 4U);
    EXPECT_TRUE(presenter.Shown().empty());
}

// Input held back during a wait reaches Qt too late for it to mark X's repeats: they come as
// plain releases and presses of the held key at one instant each. They still count as one, and a
// separate press after the key went up still searches on its own.
TEST_F(BusyWindow, UnmarkedRepeatsCountAsOneAndALaterPressStillSearches)
{
    QWindow* handle = window->windowHandle();
    WhenBusy([handle] {
        auto send = [handle](QEvent::Type type, ulong timestamp) {
            (void)QWindowSystemInterface::handleKeyEvent(handle, timestamp, type, Qt::Key_Return, Qt::NoModifier,
                                                         QStringLiteral("\r"));
        };
        for (ulong i = 0; i < 10; ++i) {
            send(QEvent::KeyRelease, 1000 + 40 * i);
            send(QEvent::KeyPress, 1000 + 40 * i);
        }
        send(QEvent::KeyRelease, 2000);
        send(QEvent::KeyPress, 2500);
        send(QEvent::KeyRelease, 2600);
    });
    QTest::keyPress(window->Widgets().searchBox, Qt::Key_Return);
    // The first search, one for the held key's repeats, one for the later press.
    EXPECT_EQ(server.Requests().size(), 6U);
    QTest::qWait(100);
    EXPECT_EQ(server.Requests().size(), 6U);
}

// Keys typed during a search arrive afterwards, in order, none lost.
TEST_F(BusyWindow, KeysTypedDuringASearchArriveAfterIt)
{
    window->Widgets().searchBox->setText(QStringLiteral("ab"));
    QWindow* handle = window->windowHandle();
    WhenBusy([handle] {
        for (QChar const c : QStringLiteral("xyz")) {
            int const key = Qt::Key_A + (c.unicode() - 'a');
            (void)QWindowSystemInterface::handleKeyEvent(handle, QEvent::KeyPress, key, Qt::NoModifier, QString(c));
            (void)QWindowSystemInterface::handleKeyEvent(handle, QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
        }
    });
    QTest::keyClick(window->Widgets().searchBox, Qt::Key_Return);
    ASSERT_TRUE(WaitUntil([&] { return window->Widgets().searchBox->text().endsWith(QStringLiteral("xyz")); }));
    EXPECT_EQ(window->Widgets().searchBox->text(), QStringLiteral("abxyz"));
    ASSERT_GE(server.Requests().size(), 2U);
    EXPECT_EQ(server.Requests()[0].target, "/search/ab/1-1.html");
    EXPECT_EQ(server.Requests().size(), 2U);
}

}  // namespace
