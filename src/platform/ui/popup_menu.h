#pragma once

#include "common/text.h"

#include <vector>

class QPoint;

namespace platform::ui {

// Builds a new popup menu from `items` in their order, an item "-" drawn as a separator line,
// shows it with its top-left corner at `globalTopLeft` (screen coordinates) and waits until it
// closes. Either mouse button picks an item. Returns the 0-based index in `items` of the item
// picked, or -1 when the menu closed without a pick or could not be shown (no QApplication, a
// call off the GUI thread). The menu is gone when this returns.
[[nodiscard]] int PopUpMenu(std::vector<Text> const& items, QPoint const& globalTopLeft);

} // namespace platform::ui
