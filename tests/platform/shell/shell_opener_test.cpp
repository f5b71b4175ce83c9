#include "platform/shell/shell_opener.h"

#include "common/gbk_literal.h"
#include "support/xdg_open_recorder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include <sys/wait.h>

namespace {

using testsupport::OpenCall;
using testsupport::XdgOpenRecorder;

TEST(ShellOpener, HandsEachTargetOnAsOneUtf8Argument)
{
    XdgOpenRecorder recorder;
    std::string const longLink = "thunder://" + std::string(6000, 'Q') + "==";
    struct Case {
        Text target;
        std::string expected;
    };
    Case const cases[] = {
        {Gbk("magnet:?xt=urn:btih:0123abcd&dn=中文名字.mkv"), "magnet:?xt=urn:btih:0123abcd&dn=中文名字.mkv"},
        {Text("magnet:?dn=a b;c|d&e`f`$(g)'h\"i\\j*?<k>"), "magnet:?dn=a b;c|d&e`f`$(g)'h\"i\\j*?<k>"},
        {Text("http://x/\nsecond line"), "http://x/\nsecond line"},
        {Text(longLink), longLink},
    };
    for (auto const& [target, expected] : cases) {
        platform::shell::Open(target);
        // The opener starts one program at a time, so the records come in order.
        std::vector<OpenCall> const calls = recorder.WaitForCalls(1);
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0], OpenCall{expected});
        std::filesystem::remove(recorder.Folder() / "calls");
    }
}

TEST(ShellOpener, EmptyTargetStartsNothing)
{
    XdgOpenRecorder recorder;
    platform::shell::Open(Text());
    platform::shell::OpenNative("");
    platform::shell::Open(Text("magnet:?after"));
    std::vector<OpenCall> const calls = recorder.WaitForCalls(1);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0], OpenCall{"magnet:?after"});
}

TEST(ShellOpener, NativeTargetKeepsItsBytes)
{
    XdgOpenRecorder recorder;
    // A file-system path: UTF-8 folder name and a byte that is not UTF-8 at all.
    std::string const path = "/home/someone/\xe6\xa1\x8c\xe9\x9d\xa2/d\xff.txt";
    platform::shell::OpenNative(path);
    std::vector<OpenCall> const calls = recorder.WaitForCalls(1);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0], OpenCall{path});
}

TEST(ShellOpener, LeavesNoChildOfItsOwnBehind)
{
    XdgOpenRecorder recorder;
    platform::shell::Open(Text("magnet:?a"));
    // The intermediate child has been reaped and the opened program belongs to init: this
    // process has no child left that could turn into a zombie.
    errno = 0;
    EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
    EXPECT_EQ(recorder.WaitForCalls(1).size(), 1u);
}

TEST(ShellOpener, DoesNotWaitForTheOpenedProgram)
{
    XdgOpenRecorder recorder;
    std::filesystem::path const folder = recorder.Folder();
    // A stand-in that stays in the foreground until released (bounded, so that an opener that
    // does wait still ends the test).
    {
        std::ofstream out(folder / "xdg-open", std::ios::trunc);
        out << "#!/bin/sh\n"
               "cd '" << folder.string() << "' || exit 1\n"
               ": > started\n"
               "i=0\n"
               "while [ ! -e release ] && [ $i -lt 300 ]; do sleep 0.1; i=$((i+1)); done\n"
               ": > finished\n";
    }
    platform::shell::Open(Text("magnet:?wait"));
    EXPECT_FALSE(std::filesystem::exists(folder / "finished"));
    std::ofstream(folder / "release").put('x');
    auto const deadline = std::chrono::steady_clock::now() + std::chrono::seconds(40);
    while (!std::filesystem::exists(folder / "finished") && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_TRUE(std::filesystem::exists(folder / "started"));
    EXPECT_TRUE(std::filesystem::exists(folder / "finished"));
}

TEST(ShellOpener, WithoutXdgOpenNothingHappens)
{
    char const* old = std::getenv("PATH");
    std::string const saved = old != nullptr ? old : "";
    std::filesystem::path const empty = std::filesystem::temp_directory_path() / "tolvane-no-xdg-open";
    std::filesystem::create_directories(empty);
    (void)setenv("PATH", empty.c_str(), 1);
    platform::shell::Open(Text("magnet:?nowhere"));
    (void)setenv("PATH", saved.c_str(), 1);
    std::filesystem::remove_all(empty);
    errno = 0;
    EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
}

} // namespace
