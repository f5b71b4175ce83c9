#include "platform/files/file_replace.h"

#include "support/temporary_home.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::string ReadFile(fs::path const& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteFile(fs::path const& path, std::string const& content)
{
    std::ofstream(path, std::ios::binary) << content;
}

std::vector<std::string> Names(fs::path const& folder)
{
    std::vector<std::string> names;
    for (auto const& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    return names;
}

mode_t Mode(fs::path const& path)
{
    struct stat info {};
    (void)stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

class FileReplace : public ::testing::Test {
protected:
    TemporaryHome home;
    fs::path folder = home.Folder();
    fs::path file = folder / "data.txt";
};

TEST_F(FileReplace, CreatesAndReplacesWithExactlyTheBytes)
{
    std::string const gbkLines = "\xb1\xea\xcc\xe2\xa3\xba" "a\r\n\r\n\xff\x80" "end";
    struct Case {
        std::string old; // "" for no old file
        std::string bytes;
    };
    Case const cases[] = {
        {"", gbkLines},
        {"", ""},
        {std::string(10000, 'x'), gbkLines}, // a longer old file is cut to the new content
        {gbkLines, gbkLines},
        {"short", std::string(1 << 20, 'y')},
    };
    for (auto const& [old, bytes] : cases) {
        fs::remove(file);
        if (!old.empty()) {
            WriteFile(file, old);
        }
        EXPECT_TRUE(platform::files::ReplaceFileContent(file.string(), bytes));
        EXPECT_EQ(ReadFile(file), bytes);
        EXPECT_EQ(Names(folder), std::vector<std::string>{"data.txt"});
    }
}

TEST_F(FileReplace, NewFileGetsUsualPermissionsAndOldFileKeepsItsOwn)
{
    mode_t const previous = umask(027);
    EXPECT_TRUE(platform::files::ReplaceFileContent(file.string(), "a"));
    EXPECT_EQ(Mode(file), 0640u);
    (void)umask(previous);

    ASSERT_EQ(chmod(file.c_str(), 0604), 0);
    EXPECT_TRUE(platform::files::ReplaceFileContent(file.string(), "b"));
    EXPECT_EQ(Mode(file), 0604u);
}

TEST_F(FileReplace, WritesThroughASymbolicLink)
{
    fs::create_directory(folder / "real");
    WriteFile(folder / "real" / "target.txt", "old content");
    fs::create_symlink(folder / "real" / "target.txt", file);
    EXPECT_TRUE(platform::files::ReplaceFileContent(file.string(), "new"));
    EXPECT_TRUE(fs::is_symlink(file));
    EXPECT_EQ(ReadFile(folder / "real" / "target.txt"), "new");
}

TEST_F(FileReplace, FailsWithoutTouchingAnything)
{
    // A missing folder is not created.
    EXPECT_FALSE(platform::files::ReplaceFileContent((folder / "Desktop" / "data.txt").string(), "x"));
    EXPECT_FALSE(fs::exists(folder / "Desktop"));
    // A folder where the name is taken by a folder.
    fs::create_directory(file);
    EXPECT_FALSE(platform::files::ReplaceFileContent(file.string(), "x"));
    EXPECT_TRUE(fs::is_directory(file));
    EXPECT_FALSE(platform::files::ReplaceFileContent("", "x"));
    EXPECT_EQ(Names(folder), std::vector<std::string>{"data.txt"});
}

TEST_F(FileReplace, RespectsPermissionsItMayNotOverride)
{
    if (geteuid() == 0) {
        GTEST_SKIP() << "root may write any folder and any file";
    }
    WriteFile(file, "kept");
    ASSERT_EQ(chmod(file.c_str(), 0444), 0);
    EXPECT_FALSE(platform::files::ReplaceFileContent(file.string(), "new"));
    EXPECT_EQ(ReadFile(file), "kept");

    ASSERT_EQ(chmod(file.c_str(), 0644), 0);
    ASSERT_EQ(chmod(folder.c_str(), 0555), 0);
    EXPECT_FALSE(platform::files::ReplaceFileContent(file.string(), "new"));
    ASSERT_EQ(chmod(folder.c_str(), 0755), 0);
    EXPECT_EQ(ReadFile(file), "kept");
    EXPECT_EQ(Names(folder), std::vector<std::string>{"data.txt"});
}

TEST_F(FileReplace, WriteFailingPartWayLeavesTheOldFile)
{
    std::string const old = "the previous export\r\n";
    WriteFile(file, old);
    pid_t const child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Past the limit write() fails with EFBIG instead of the signal killing the process.
        (void)signal(SIGXFSZ, SIG_IGN);
        rlimit const limit{4096, 4096};
        (void)setrlimit(RLIMIT_FSIZE, &limit);
        bool const written = platform::files::ReplaceFileContent(file.string(), std::string(100000, 'z'));
        _exit(written ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the write was reported as done";
    EXPECT_EQ(ReadFile(file), old);
    EXPECT_EQ(Names(folder), std::vector<std::string>{"data.txt"});
}

} // namespace
