#include "platform/files/desktop_folder.h"
#include "platform/files/windows_path.h"

#include "common/gbk_literal.h"
#include "support/temporary_home.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <stdlib.h>

namespace {

void WriteFile(std::filesystem::path const& path, std::string const& content)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
}

TEST(DesktopFolder, FollowsUserDirsWithHomeExpanded)
{
    TemporaryHome home;
    std::string const h = home.Folder().string();
    struct Case {
        std::string dirs; // content of ~/.config/user-dirs.dirs, "" for no file
        std::string expected;
    };
    Case const cases[] = {
        {"", h + "/Desktop"},
        {"# written by xdg-user-dirs-update\nXDG_DOWNLOAD_DIR=\"$HOME/Downloads\"\nXDG_DESKTOP_DIR=\"$HOME/\xe6\xa1\x8c\xe9\x9d\xa2\"\n",
            h + "/\xe6\xa1\x8c\xe9\x9d\xa2"},
        {"XDG_DESKTOP_DIR=\"/srv/shared desk/\"\n", "/srv/shared desk"},
        {"  XDG_DESKTOP_DIR = \"$HOME/a \\\"b\\\" \\$c\"\n", h + "/a \"b\" $c"},
        {"XDG_DESKTOP_DIR=\"$HOME\"\n", h},
        {"XDG_DESKTOP_DIR=$HOME/plain\n", h + "/plain"},
        {"XDG_DESKTOP_DIR=\"$HOME/first\"\nXDG_DESKTOP_DIR=\"$HOME/second\"\n", h + "/second"},
        // Neither $HOME/... nor absolute: not a form the file may hold, so the fallback.
        {"XDG_DESKTOP_DIR=\"Desktop\"\n", h + "/Desktop"},
        {"XDG_DESKTOP_DIR=\"$HOMEWORK/x\"\n", h + "/Desktop"},
        {"#XDG_DESKTOP_DIR=\"$HOME/commented\"\n", h + "/Desktop"},
        {"XDG_DESKTOP_DIRS=\"$HOME/other\"\n", h + "/Desktop"},
    };
    std::filesystem::path const dirs = home.Folder() / ".config" / "user-dirs.dirs";
    for (auto const& [content, expected] : cases) {
        std::filesystem::remove(dirs);
        if (!content.empty()) {
            WriteFile(dirs, content);
        }
        EXPECT_EQ(platform::files::DesktopFolder(), expected) << content;
    }
}

TEST(DesktopFolder, ReadsXdgConfigHomeWhenAbsolute)
{
    TemporaryHome home;
    std::string const h = home.Folder().string();
    WriteFile(home.Folder() / ".config" / "user-dirs.dirs", "XDG_DESKTOP_DIR=\"$HOME/from-dot-config\"\n");
    WriteFile(home.Folder() / "cfg" / "user-dirs.dirs", "XDG_DESKTOP_DIR=\"$HOME/from-xdg-config-home\"\n");

    (void)setenv("XDG_CONFIG_HOME", (h + "/cfg").c_str(), 1);
    EXPECT_EQ(platform::files::DesktopFolder(), h + "/from-xdg-config-home");
    (void)setenv("XDG_CONFIG_HOME", "cfg", 1);
    EXPECT_EQ(platform::files::DesktopFolder(), h + "/from-dot-config");
}

TEST(MapWindowsPath, PutsTheNameInTheDesktopFolderWithoutCreatingIt)
{
    TemporaryHome home;
    std::string const desktop = home.Folder().string() + "/Desktop";
    struct Case {
        Text windows;
        std::string expected;
    };
    Case const cases[] = {
        {Text(R"(C:\Users\Administrator\Desktop\data.txt)"), desktop + "/data.txt"},
        {Text(R"(c:\USERS\administrator\DESKTOP\data.txt)"), desktop + "/data.txt"},
        {Text(R"(C:\Users\Administrator\Desktop\sub\data.txt)"), desktop + "/sub/data.txt"},
        // 昞 is 0x95 0x5C in GBK: its trail byte is a backslash and must stay part of the name.
        {Gbk(R"(C:\Users\Administrator\Desktop\数据昞.txt)"), desktop + "/数据昞.txt"},
        {Text(R"(C:\Users\Administrator\Desktop\..\escape.txt)"), ""},
        {Text(R"(C:\Users\Someone\Desktop\data.txt)"), ""},
        {Text(R"(D:\data.txt)"), ""},
        {Text(R"(C:\Users\Administrator\Desktop\)"), ""},
        {Text(), ""},
    };
    for (auto const& [windows, expected] : cases) {
        EXPECT_EQ(platform::files::MapWindowsPath(windows), expected) << windows.Bytes();
    }
    EXPECT_FALSE(std::filesystem::exists(desktop));
}

TEST(MapWindowsPath, UsesTheConfiguredDesktop)
{
    TemporaryHome home;
    WriteFile(home.Folder() / ".config" / "user-dirs.dirs", "XDG_DESKTOP_DIR=\"$HOME/\xe6\xa1\x8c\xe9\x9d\xa2\"\n");
    EXPECT_EQ(platform::files::MapWindowsPath(Text(R"(C:\Users\Administrator\Desktop\data.txt)")),
        home.Folder().string() + "/\xe6\xa1\x8c\xe9\x9d\xa2/data.txt");
}

} // namespace
