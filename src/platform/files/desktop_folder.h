#pragma once

#include <string>

namespace platform::files {

// The desktop folder of the user running the program, as a file-system path: XDG_DESKTOP_DIR
// from user-dirs.dirs ($XDG_CONFIG_HOME, else ~/.config) with $HOME expanded, else $HOME/Desktop.
// The folder need not exist; it is never created. Empty when the user has no home folder.
[[nodiscard]] std::string DesktopFolder();

} // namespace platform::files
