#pragma once

#include "app/main_window_view.h"

#include <functional>
#include <memory>

namespace testsupport {

// The real main window as the program creates it, on the test's QApplication, with the created
// event raised by `created` instead of the version check (nothing by default), shown and active.
// The program-wide values are reset first; the window uninstalls itself when destroyed.
[[nodiscard]] std::unique_ptr<MainWindowView> CreateTestWindow(std::function<void()> const& created = {});

// Runs the event loop until `done` holds or `limit` passes; whether it holds.
bool WaitUntil(std::function<bool()> const& done, int limitMs = 20000);

} // namespace testsupport
