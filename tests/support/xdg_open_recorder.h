#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace testsupport {

// One run of the stand-in: its arguments, exactly as it received them.
using OpenCall = std::vector<std::string>;

// Writes an xdg-open stand-in into a fresh temporary folder and puts that folder first on PATH
// for the life of the object. Each run of the stand-in appends a record of its argument vector to
// a file: a line with the argument count, then every argument followed by a zero byte and a line
// break, so arguments holding line breaks or any other byte come back exactly. A record that is
// still being written is not reported.
class XdgOpenRecorder {
public:
    XdgOpenRecorder();
    ~XdgOpenRecorder();
    XdgOpenRecorder(XdgOpenRecorder const&) = delete;
    XdgOpenRecorder& operator=(XdgOpenRecorder const&) = delete;

    // The complete records so far, in the order they were written.
    [[nodiscard]] std::vector<OpenCall> Calls() const;
    // Waits until at least `count` records are complete (the opener does not wait for the
    // stand-in), at most `limit`; then the records so far.
    [[nodiscard]] std::vector<OpenCall> WaitForCalls(std::size_t count,
        std::chrono::milliseconds limit = std::chrono::seconds(20)) const;

    [[nodiscard]] std::filesystem::path const& Folder() const noexcept { return folder_; }

private:
    std::filesystem::path folder_;
    std::filesystem::path record_;
    std::string oldPath_;
    bool hadPath_ = false;
};

} // namespace testsupport
