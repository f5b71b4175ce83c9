#pragma once

#include "common/text.h"

#include <string>

namespace platform::files {

// Maps a Windows path under "C:\Users\Administrator\Desktop\" (letters in any case) to the same
// name in the user's desktop folder, in the file system's own encoding (UTF-8). Empty for any
// other path, and for one that would climb out of the desktop folder.
[[nodiscard]] std::string MapWindowsPath(Text const& windowsPath);

} // namespace platform::files
