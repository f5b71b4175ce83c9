#pragma once

#include <QFont>

namespace platform::ui {

// The font the window description gives most controls: 14 pixels high, normal weight, no face
// named, so the system's default face is used.
[[nodiscard]] QFont ControlFont();

} // namespace platform::ui
