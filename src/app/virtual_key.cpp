#include "app/virtual_key.h"

#include <array>
#include <utility>

std::int32_t VirtualKeyCode(QKeyEvent const& event)
{
    int const key = event.key();
    bool const keypad = event.modifiers().testFlag(Qt::KeypadModifier);
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        return 'A' + (key - Qt::Key_A);
    }
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        return '0' + (key - Qt::Key_0);
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) {
        return 0x70 + (key - Qt::Key_F1);
    }
    if (keypad) {
        switch (key) {
        case Qt::Key_Minus: return 189;
        case Qt::Key_Period: return 190;
        case Qt::Key_Slash: return 191;
        case Qt::Key_Asterisk: return 0x6A;
        case Qt::Key_Plus: return 0x6B;
        default: break;
        }
    }
    static constexpr std::array<std::pair<int, std::int32_t>, 33> codes{{
        {Qt::Key_Backspace, 0x08}, {Qt::Key_Tab, 0x09}, {Qt::Key_Backtab, 0x09}, {Qt::Key_Return, 0x0D},
        {Qt::Key_Enter, 0x0D}, {Qt::Key_Shift, 0x10}, {Qt::Key_Control, 0x11}, {Qt::Key_Alt, 0x12},
        {Qt::Key_Pause, 0x13}, {Qt::Key_CapsLock, 0x14}, {Qt::Key_Escape, 0x1B}, {Qt::Key_Space, 0x20},
        {Qt::Key_PageUp, 0x21}, {Qt::Key_PageDown, 0x22}, {Qt::Key_End, 0x23}, {Qt::Key_Home, 0x24},
        {Qt::Key_Left, 0x25}, {Qt::Key_Up, 0x26}, {Qt::Key_Right, 0x27}, {Qt::Key_Down, 0x28},
        {Qt::Key_Insert, 0x2D}, {Qt::Key_Delete, 0x2E}, {Qt::Key_Menu, 0x5D}, {Qt::Key_NumLock, 0x90},
        {Qt::Key_ScrollLock, 0x91}, {Qt::Key_Semicolon, 0xBA}, {Qt::Key_Equal, 0xBB}, {Qt::Key_Comma, 0xBC},
        {Qt::Key_Minus, 0xBD}, {Qt::Key_Period, 0xBE}, {Qt::Key_Slash, 0xBF}, {Qt::Key_BracketLeft, 0xDB},
        {Qt::Key_BracketRight, 0xDD},
    }};
    for (auto const& [qtKey, code] : codes) {
        if (qtKey == key) {
            return code;
        }
    }
    return 0;
}

std::int32_t KeyState(Qt::KeyboardModifiers modifiers)
{
    std::int32_t state = 0;
    if (modifiers.testFlag(Qt::ControlModifier)) state |= 1;
    if (modifiers.testFlag(Qt::ShiftModifier)) state |= 2;
    if (modifiers.testFlag(Qt::AltModifier)) state |= 4;
    return state;
}
