#include "busy_wait.h"

#include "platform/http/http_session.h"

#include <atomic>
#include <exception>
#include <thread>
#include <utility>

#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMetaObject>
#include <QThread>

namespace platform::ui {
namespace {

std::atomic<int>& Depth()
{
    static std::atomic<int> depth{0};
    return depth;
}

std::function<void()>& EndedHandler()
{
    static std::function<void()> handler;
    return handler;
}

// Holds the busy state and the wait cursor for one wait, and gives both back however the wait
// ends. Override cursors stack, so nested waits each push and pop their own.
class BusyScope {
public:
    BusyScope()
    {
        ++Depth();
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    }
    ~BusyScope()
    {
        QGuiApplication::restoreOverrideCursor();
        --Depth();
    }
    BusyScope(BusyScope const&) = delete;
    BusyScope& operator=(BusyScope const&) = delete;
};

} // namespace

void RunWhileBusy(std::function<void()> const& transfer)
{
    auto* const app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (app == nullptr || QThread::currentThread() != app->thread()) {
        transfer();
        return;
    }

    std::exception_ptr failure;
    {
        BusyScope const busy;
        QEventLoop loop;
        // The quit travels as a queued call, so it is seen only by this thread's event loop,
        // which is already running by then: a transfer that ends at once cannot be missed.
        std::thread helper([&] {
            try {
                transfer();
            } catch (...) {
                failure = std::current_exception();
            }
            QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
        });
        // ExcludeUserInputEvents leaves keys and clicks in the window system's queue; Qt hands
        // them on at the next full event processing, in the order they came.
        // https://doc.qt.io/qt-6/qeventloop.html#ProcessEventsFlag-enum
        (void)loop.exec(QEventLoop::ExcludeUserInputEvents);
        helper.join();
    }

    if (Depth() == 0) {
        // A copy, so the handler may replace itself.
        if (auto const handler = EndedHandler()) {
            handler();
        }
    }
    if (failure) {
        std::rethrow_exception(failure);
    }
}

void InstallBusyWaiter()
{
    http::SetTransferWaiter(&RunWhileBusy);
}

bool IsBusy()
{
    return Depth() > 0;
}

void SetBusyEndedHandler(std::function<void()> handler)
{
    EndedHandler() = std::move(handler);
}

} // namespace platform::ui
