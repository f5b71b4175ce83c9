#pragma once

#include <cstdint>

#include <QKeyEvent>

// The key-down event's arguments as the program's handlers take them: the virtual-key code of the
// system the program was made for, and the key state (bit 0 Ctrl, bit 1 Shift, bit 2 Alt).
// The keypad's digits report the main digits' codes; its "-", "." and "/" report 189, 190, 191.
// A key without a code of its own there gives 0.
[[nodiscard]] std::int32_t VirtualKeyCode(QKeyEvent const& event);
[[nodiscard]] std::int32_t KeyState(Qt::KeyboardModifiers modifiers);
