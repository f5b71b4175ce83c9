#include "windows_path.h"

#include "common/ascii_case.h"
#include "desktop_folder.h"
#include "platform/codepage/codepage.h"

#include <string_view>

namespace platform::files {
namespace {

} // namespace

std::string MapWindowsPath(Text const& windowsPath)
{
    // Windows compares path names without regard to the case of ASCII letters.
    constexpr std::string_view desktopPrefix = R"(c:\users\administrator\desktop\)";
    std::string_view const bytes = windowsPath.Bytes();
    if (!StartsWithIgnoringAsciiCase(bytes, desktopPrefix)) {
        return {};
    }
    // GBK has backslash as a trail byte of some characters, so the separators are found only
    // after the name is in UTF-8, where no multi-byte sequence holds an ASCII byte.
    std::u16string const units = codepage::MultiByteToUtf16(bytes.substr(desktopPrefix.size()), codepage::Gbk);
    std::string rest = codepage::Utf16ToMultiByte(units, codepage::Utf8);
    for (char& c : rest) {
        if (c == '\\') {
            c = '/';
        }
    }
    std::string_view remaining = rest;
    while (!remaining.empty()) {
        std::size_t const slash = remaining.find('/');
        std::string_view const part = remaining.substr(0, slash);
        if (part == "..") {
            return {};
        }
        remaining = slash == std::string_view::npos ? std::string_view() : remaining.substr(slash + 1);
    }
    std::string const desktop = DesktopFolder();
    if (desktop.empty() || rest.empty()) {
        return {};
    }
    return desktop + "/" + rest;
}

} // namespace platform::files
