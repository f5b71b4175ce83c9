#pragma once

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include <stdlib.h>

// A fresh temporary folder that stands in as $HOME (with XDG_CONFIG_HOME unset) for one test;
// the environment is restored afterwards.
class TemporaryHome {
public:
    TemporaryHome()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "tolvane-home.XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) {
            folder_ = pattern;
        }
        Save("HOME", home_);
        Save("XDG_CONFIG_HOME", config_);
        (void)setenv("HOME", folder_.c_str(), 1);
        (void)unsetenv("XDG_CONFIG_HOME");
    }
    ~TemporaryHome()
    {
        Restore("HOME", home_);
        Restore("XDG_CONFIG_HOME", config_);
        std::error_code ignored;
        std::filesystem::permissions(folder_, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(folder_, ignored);
    }
    TemporaryHome(TemporaryHome const&) = delete;
    TemporaryHome& operator=(TemporaryHome const&) = delete;

    [[nodiscard]] std::filesystem::path const& Folder() const noexcept { return folder_; }

private:
    static void Save(char const* name, std::optional<std::string>& into)
    {
        if (char const* value = std::getenv(name)) {
            into = value;
        }
    }
    static void Restore(char const* name, std::optional<std::string> const& value)
    {
        if (value) {
            (void)setenv(name, value->c_str(), 1);
        } else {
            (void)unsetenv(name);
        }
    }

    std::filesystem::path folder_;
    std::optional<std::string> home_;
    std::optional<std::string> config_;
};
