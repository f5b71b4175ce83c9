#include "support/gui_window.h"

#include "app/main_window.h"
#include "app/window_creation.h"
#include "support/gui_fixture.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QTest>

namespace testsupport {

std::unique_ptr<MainWindowView> CreateTestWindow(std::function<void()> const& created)
{
    (void)EnsureTestApplication();
    PageCounter = 0;
    PageText = Text();
    ProgramVersion = Text();
    ServerVersion = Text();
    std::unique_ptr<MainWindowView> window = CreateMainWindow(created);
    if (window && window->isVisible()) {
        (void)QTest::qWaitForWindowActive(window.get());
    }
    return window;
}

bool WaitUntil(std::function<bool()> const& done, int limitMs)
{
    QDeadlineTimer const deadline(limitMs);
    while (!done()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

} // namespace testsupport
