#pragma once

#include <QIcon>

// The program's icon, one image each of 16, 24, 32, 48, 64, 96 and 128 pixels, compiled in.
[[nodiscard]] QIcon ProgramIcon();
