#include "app/virtual_key.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

TEST(VirtualKey, KeyCodesAsTheKeyDownEventReportsThem)
{
    std::vector<std::tuple<int, Qt::KeyboardModifiers, std::int32_t>> const cases{
        {Qt::Key_Return, Qt::NoModifier, 13},
        {Qt::Key_Enter, Qt::KeypadModifier, 13},
        {Qt::Key_A, Qt::ShiftModifier, 'A'},
        {Qt::Key_Z, Qt::NoModifier, 'Z'},
        {Qt::Key_0, Qt::NoModifier, '0'},
        // The keypad's digits report the main digits; its "-", "." and "/" report 189, 190, 191.
        {Qt::Key_7, Qt::KeypadModifier, '7'},
        {Qt::Key_Minus, Qt::KeypadModifier, 189},
        {Qt::Key_Period, Qt::KeypadModifier, 190},
        {Qt::Key_Slash, Qt::KeypadModifier, 191},
        {Qt::Key_Asterisk, Qt::KeypadModifier, 0x6A},
        {Qt::Key_Minus, Qt::NoModifier, 0xBD},
        {Qt::Key_F1, Qt::NoModifier, 0x70},
        {Qt::Key_F12, Qt::NoModifier, 0x7B},
        {Qt::Key_Escape, Qt::NoModifier, 27},
        {Qt::Key_Tab, Qt::ControlModifier, 9},
        {Qt::Key_Down, Qt::NoModifier, 0x28},
        {Qt::Key_Space, Qt::NoModifier, 0x20},
        {Qt::Key_unknown, Qt::NoModifier, 0},
    };
    for (auto const& [key, modifiers, code] : cases) {
        QKeyEvent const event(QEvent::KeyPress, key, modifiers);
        EXPECT_EQ(VirtualKeyCode(event), code) << key;
    }
}

TEST(VirtualKey, KeyStateBits)
{
    std::vector<std::pair<Qt::KeyboardModifiers, std::int32_t>> const cases{
        {Qt::NoModifier, 0},
        {Qt::ControlModifier, 1},
        {Qt::ShiftModifier, 2},
        {Qt::AltModifier, 4},
        {Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier, 7},
        // The keypad flag and the Windows key are no part of the state.
        {Qt::KeypadModifier | Qt::MetaModifier, 0},
    };
    for (auto const& [modifiers, state] : cases) {
        EXPECT_EQ(KeyState(modifiers), state) << modifiers.toInt();
    }
}

}  // namespace
