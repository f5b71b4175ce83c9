#pragma once

#include <array>
#include <cstdint>
#include <functional>

// What each event of the main window runs. An empty entry means the event has no handler.
// Key states: bit 0 Ctrl, bit 1 Shift, bit 2 Alt. Positions are in the control's client area.
struct EventTable {
    std::function<bool()> canBeClosed;
    std::function<void()> searchButtonClicked;
    std::function<void(std::int32_t keyCode, std::int32_t keyState)> searchBoxKeyDown;
    std::function<void()> exportButtonClicked;
    std::function<void(std::int32_t x, std::int32_t y, std::int32_t keyState)> listRightButtonDown;
    std::function<void(std::int32_t x, std::int32_t y, std::int32_t keyState)> listDoubleClicked;
    // The link menu's items in order; the separator's entry stays empty.
    std::array<std::function<void()>, 6> menuItemSelected;
};

// The program's bindings. The created event is bound where the window is created.
[[nodiscard]] EventTable ProgramEventTable();
