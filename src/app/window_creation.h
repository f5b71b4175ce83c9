#pragma once

#include "app/main_window_view.h"

#include <functional>
#include <memory>

// Creates the main window from its description with the program's event bindings, raises its
// created event with `created` while it is still hidden, and then shows and activates it, unless
// the program was told to end meanwhile. The program passes the version check; tests pass what
// they need. nullptr when no window can be made (no screen to put it on).
[[nodiscard]] std::unique_ptr<MainWindowView> CreateMainWindow(std::function<void()> const& created);
