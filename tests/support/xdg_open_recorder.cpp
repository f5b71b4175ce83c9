#include "support/xdg_open_recorder.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <system_error>
#include <thread>

namespace testsupport {
namespace {

std::filesystem::path MakeFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "xdg-open-recorder.XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        return {};
    }
    return pattern;
}

// Parses the complete records of `bytes`; a trailing partial record is left out.
std::vector<OpenCall> ParseRecords(std::string const& bytes)
{
    std::vector<OpenCall> calls;
    std::size_t at = 0;
    while (at < bytes.size()) {
        std::size_t const lineEnd = bytes.find('\n', at);
        if (lineEnd == std::string::npos) {
            break;
        }
        std::size_t const count = std::stoul(bytes.substr(at, lineEnd - at));
        at = lineEnd + 1;
        OpenCall call;
        for (std::size_t i = 0; i < count; ++i) {
            std::size_t const end = bytes.find(std::string("\0\n", 2), at);
            if (end == std::string::npos) {
                return calls;
            }
            call.push_back(bytes.substr(at, end - at));
            at = end + 2;
        }
        calls.push_back(std::move(call));
    }
    return calls;
}

} // namespace

XdgOpenRecorder::XdgOpenRecorder()
    : folder_(MakeFolder())
    , record_(folder_ / "calls")
{
    std::filesystem::path const script = folder_ / "xdg-open";
    {
        std::ofstream out(script);
        out << "#!/bin/sh\n"
               "{ printf '%s\\n' \"$#\"; for a in \"$@\"; do printf '%s\\0\\n' \"$a\"; done; } >> '"
            << record_.string() << "'\n";
    }
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);

    char const* path = std::getenv("PATH");
    hadPath_ = path != nullptr;
    oldPath_ = hadPath_ ? path : "";
    std::string const newPath = folder_.string() + (hadPath_ ? ":" + oldPath_ : std::string());
    (void)setenv("PATH", newPath.c_str(), 1);
}

XdgOpenRecorder::~XdgOpenRecorder()
{
    if (hadPath_) {
        (void)setenv("PATH", oldPath_.c_str(), 1);
    } else {
        (void)unsetenv("PATH");
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

std::vector<OpenCall> XdgOpenRecorder::Calls() const
{
    std::ifstream in(record_, std::ios::binary);
    std::string const bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return ParseRecords(bytes);
}

std::vector<OpenCall> XdgOpenRecorder::WaitForCalls(std::size_t count, std::chrono::milliseconds limit) const
{
    auto const deadline = std::chrono::steady_clock::now() + limit;
    std::vector<OpenCall> calls = Calls();
    while (calls.size() < count && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        calls = Calls();
    }
    return calls;
}

} // namespace testsupport
