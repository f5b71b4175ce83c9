#include "platform/ui/busy_wait.h"

#include "platform/http/http_session.h"
#include "support/gui_fixture.h"
#include "support/loopback_server.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <future>
#include <memory>
#include <stdexcept>
#include <thread>
#include <utility>
#include <vector>

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <qpa/qwindowsysteminterface.h>

namespace {

using platform::ui::IsBusy;
using platform::ui::RunWhileBusy;

// Far beyond any real wait here; reaching it means the GUI thread never did its part.
constexpr auto Guard = std::chrono::seconds(20);

// A window that notes its paints and the keys it is given, each with the busy state of then.
class Probe final : public QWidget {
public:
    Probe()
    {
        setFocusPolicy(Qt::StrongFocus);
        resize(120, 80);
    }
    std::function<void()> onPaint;
    std::vector<std::pair<int, bool>> keys;

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (onPaint) {
            onPaint();
        }
    }
    void keyPressEvent(QKeyEvent* event) override { keys.emplace_back(event->key(), IsBusy()); }
};

bool WaitCursorShown()
{
    QCursor const* cursor = QGuiApplication::overrideCursor();
    return cursor != nullptr && cursor->shape() == Qt::WaitCursor;
}

class BusyWaitTest : public ::testing::Test {
protected:
    void SetUp() override { (void)testsupport::EnsureTestApplication(); }
    void TearDown() override { platform::ui::SetBusyEndedHandler(nullptr); }
};

TEST_F(BusyWaitTest, WindowKeepsPaintingAndTimersRunWhileTheTransferWaits)
{
    Probe probe;
    probe.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&probe));

    std::promise<void> painted;
    bool paintedWhileBusy = false;
    probe.onPaint = [&] {
        if (IsBusy() && !paintedWhileBusy) {
            paintedWhileBusy = true;
            painted.set_value();
        }
    };
    bool timerSawBusy = false;
    bool timerSawWaitCursor = false;
    QTimer::singleShot(0, [&] {
        timerSawBusy = IsBusy();
        timerSawWaitCursor = WaitCursorShown();
        probe.update();
    });

    // The transfer does not end before the GUI thread has painted during the wait.
    std::future_status status = std::future_status::timeout;
    std::thread::id transferThread;
    RunWhileBusy([&, future = painted.get_future().share()] {
        transferThread = std::this_thread::get_id();
        status = future.wait_for(Guard);
    });

    EXPECT_EQ(status, std::future_status::ready);
    EXPECT_TRUE(timerSawBusy);
    EXPECT_TRUE(timerSawWaitCursor);
    EXPECT_NE(transferThread, std::this_thread::get_id());
    EXPECT_FALSE(IsBusy());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(BusyWaitTest, KeysTypedDuringTheWaitArriveAfterItInTheirOrder)
{
    Probe probe;
    probe.show();
    probe.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&probe));
    probe.setFocus();
    QWindow* const window = probe.windowHandle();

    std::promise<void> typed;
    QTimer::singleShot(0, [&] {
        // Queued the way the window system queues them, not sent straight to the widget.
        using Queue = QWindowSystemInterface::AsynchronousDelivery;
        for (auto const& [key, text] : {std::pair{Qt::Key_A, u"a"}, {Qt::Key_B, u"b"}, {Qt::Key_Return, u"\r"}}) {
            QString const t = QString::fromUtf16(text);
            (void)QWindowSystemInterface::handleKeyEvent<Queue>(window, QEvent::KeyPress, key, Qt::NoModifier, t);
            (void)QWindowSystemInterface::handleKeyEvent<Queue>(window, QEvent::KeyRelease, key, Qt::NoModifier, t);
        }
        typed.set_value();
    });

    std::future_status status = std::future_status::timeout;
    RunWhileBusy([&, future = typed.get_future().share()] { status = future.wait_for(Guard); });
    ASSERT_EQ(status, std::future_status::ready);
    EXPECT_TRUE(probe.keys.empty());

    QCoreApplication::processEvents();
    std::vector<std::pair<int, bool>> const expected = {{Qt::Key_A, false}, {Qt::Key_B, false}, {Qt::Key_Return, false}};
    EXPECT_EQ(probe.keys, expected);
}

TEST_F(BusyWaitTest, NestedWaitEndsFirstAndTheEndIsReportedOnceWhenAllIsDone)
{
    int ended = 0;
    bool busyAtEnd = true;
    platform::ui::SetBusyEndedHandler([&] {
        ++ended;
        busyAtEnd = IsBusy();
    });

    std::promise<void> innerDone;
    bool innerRan = false;
    bool busyAfterInner = false;
    QTimer::singleShot(0, [&] {
        RunWhileBusy([&] { innerRan = true; });
        busyAfterInner = IsBusy() && WaitCursorShown();
        innerDone.set_value();
    });
    std::future_status status = std::future_status::timeout;
    RunWhileBusy([&, future = innerDone.get_future().share()] { status = future.wait_for(Guard); });

    EXPECT_EQ(status, std::future_status::ready);
    EXPECT_TRUE(innerRan);
    EXPECT_TRUE(busyAfterInner);
    EXPECT_EQ(ended, 1);
    EXPECT_FALSE(busyAtEnd);
    EXPECT_FALSE(IsBusy());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(BusyWaitTest, FailingTransferLeavesNothingBusy)
{
    int ended = 0;
    platform::ui::SetBusyEndedHandler([&] { ++ended; });
    EXPECT_THROW(RunWhileBusy([] { throw std::runtime_error("transfer failed"); }), std::runtime_error);
    EXPECT_FALSE(IsBusy());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(ended, 1);
}

TEST_F(BusyWaitTest, OffTheGuiThreadTheTransferRunsInline)
{
    int ended = 0;
    platform::ui::SetBusyEndedHandler([&] { ++ended; });
    bool inline_ = false;
    bool busy = true;
    std::thread([&] {
        auto const caller = std::this_thread::get_id();
        RunWhileBusy([&] {
            inline_ = std::this_thread::get_id() == caller;
            busy = IsBusy();
        });
    }).join();
    EXPECT_TRUE(inline_);
    EXPECT_FALSE(busy);
    EXPECT_EQ(ended, 0);
}

TEST_F(BusyWaitTest, InstalledWaiterCarriesEveryHttpTransfer)
{
    auto server = std::make_unique<testsupport::LoopbackServer>();
    ASSERT_TRUE(server->Listening());
    server->SetDefault(testsupport::Scenario::Silent());
    std::uint16_t const port = server->Port();

    // The silent server never answers, so the request is still out when the timer fires: only a
    // waiter that keeps the GUI thread's loop running lets it fire at all. It then ends the
    // transfer by closing the server; the bounds stop a broken waiter from hanging the test.
    platform::http::SessionBounds const saved = platform::http::CurrentSessionBounds();
    platform::http::SessionBounds bounds = saved;
    bounds.noData = std::chrono::seconds(10);
    bounds.whole = std::chrono::seconds(20);
    platform::http::SetSessionBounds(bounds);
    platform::ui::InstallBusyWaiter();

    bool busyDuringGet = false;
    bool waitCursorDuringGet = false;
    QTimer::singleShot(0, [&] {
        busyDuringGet = IsBusy();
        waitCursorDuringGet = WaitCursorShown();
        server.reset();
    });
    auto const response = platform::http::Get({"http", "127.0.0.1", port, {}, {}, "/slow"});

    platform::http::SetTransferWaiter(nullptr);
    platform::http::SetSessionBounds(saved);
    EXPECT_TRUE(busyDuringGet);
    EXPECT_TRUE(waitCursorDuringGet);
    EXPECT_EQ(server, nullptr);
    EXPECT_TRUE(response.body.empty());
    EXPECT_FALSE(IsBusy());
}

} // namespace
