#include "desktop_folder.h"

#include <cstdlib>
#include <fstream>
#include <optional>
#include <string_view>
#include <vector>

#include <pwd.h>
#include <unistd.h>

namespace platform::files {
namespace {

std::string HomeFolder()
{
    char const* home = getenv("HOME");
    if (home != nullptr && *home != '\0') {
        return home;
    }
    long const hint = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(hint > 0 ? static_cast<std::size_t>(hint) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr
        && found->pw_dir != nullptr) {
        return found->pw_dir;
    }
    return {};
}

std::string ConfigFolder(std::string const& home)
{
    // A relative XDG_CONFIG_HOME is invalid and is ignored.
    char const* config = getenv("XDG_CONFIG_HOME");
    if (config != nullptr && config[0] == '/') {
        return config;
    }
    return home + "/.config";
}

// One line of user-dirs.dirs: XDG_DESKTOP_DIR="$HOME/Desktop" or XDG_DESKTOP_DIR="/absolute".
// The file is written in shell syntax by xdg-user-dirs-update, which escapes with a backslash.
std::optional<std::string> DesktopEntry(std::string_view line, std::string const& home)
{
    constexpr std::string_view key = "XDG_DESKTOP_DIR";
    std::size_t at = line.find_first_not_of(" \t");
    if (at == std::string_view::npos || line.substr(at, key.size()) != key) {
        return std::nullopt;
    }
    at = line.find_first_not_of(" \t", at + key.size());
    if (at == std::string_view::npos || line[at] != '=') {
        return std::nullopt;
    }
    at = line.find_first_not_of(" \t", at + 1);
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    std::string value;
    bool const quoted = line[at] == '"';
    for (std::size_t i = quoted ? at + 1 : at; i < line.size(); ++i) {
        char const c = line[i];
        if (quoted && c == '"') {
            break;
        }
        if (!quoted && (c == ' ' || c == '\t' || c == '#')) {
            break;
        }
        if (c == '\\' && i + 1 < line.size()) {
            value += line[++i];
            continue;
        }
        value += c;
    }
    constexpr std::string_view homeVariable = "$HOME";
    if (value.compare(0, homeVariable.size(), homeVariable) == 0
        && (value.size() == homeVariable.size() || value[homeVariable.size()] == '/')) {
        value = home + value.substr(homeVariable.size());
    } else if (value.empty() || value[0] != '/') {
        return std::nullopt;
    }
    while (value.size() > 1 && value.back() == '/') {
        value.pop_back();
    }
    return value;
}

} // namespace

std::string DesktopFolder()
{
    std::string const home = HomeFolder();
    if (home.empty()) {
        return {};
    }
    std::optional<std::string> desktop;
    std::ifstream dirs(ConfigFolder(home) + "/user-dirs.dirs");
    std::string line;
    while (std::getline(dirs, line)) {
        // As when the shell reads the file, the last assignment counts.
        if (std::optional<std::string> entry = DesktopEntry(line, home)) {
            desktop = std::move(entry);
        }
    }
    return desktop.value_or(home + "/Desktop");
}

} // namespace platform::files
