#pragma once

#include <string>
#include <string_view>

namespace platform::files {

// Creates the file at `path` with exactly `bytes`, or replaces the file there. The bytes go to a
// temporary file in the same folder that is renamed over the old file only once all of them are
// written and flushed, so a failure (disk full, a file-size limit, a missing or closed folder, a
// read-only file) leaves the old file as it was, removes the temporary file and gives false.
[[nodiscard]] bool ReplaceFileContent(std::string const& path, std::string_view bytes);

} // namespace platform::files
