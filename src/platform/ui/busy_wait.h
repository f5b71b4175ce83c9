#pragma once

#include <functional>

namespace platform::ui {

// Runs `transfer` to its end on a helper thread while the GUI thread goes on with everything but
// user input: the windows keep painting and answer the window manager and the clipboard, timers
// and posted events run, and keys and mouse clicks stay queued, in order, until the wait is over.
// A busy cursor shows meanwhile. Returns when the transfer has returned; an exception it throws
// comes out here. Called again from inside a wait (a timer that fetches), the inner wait ends
// first. Without a QGuiApplication, or off the GUI thread, the transfer simply runs inline.
void RunWhileBusy(std::function<void()> const& transfer);

// Makes RunWhileBusy the waiter of every HTTP transfer.
void InstallBusyWaiter();

// True while RunWhileBusy waits on the GUI thread.
[[nodiscard]] bool IsBusy();

// `handler` runs on the GUI thread each time the outermost wait has ended (IsBusy() is false by
// then), still inside whatever called RunWhileBusy. One handler at a time; nullptr removes it.
void SetBusyEndedHandler(std::function<void()> handler);

} // namespace platform::ui
