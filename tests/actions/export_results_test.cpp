#include "actions/export_results.h"

#include "app/main_window.h"
#include "common/gbk_literal.h"
#include "platform/ui/push_button.h"
#include "support/temporary_home.h"
#include "window_fixture.h"

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

#include <QTest>

namespace {

namespace fs = std::filesystem;
using testsupport::OpenCall;

std::string ReadFile(fs::path const& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteFile(fs::path const& path, std::string const& content)
{
    std::ofstream(path, std::ios::binary) << content;
}

// The records one search leaves in the export buffer for `count` results, GBK with CRLF.
Text SearchRecords(std::string const& name, int count)
{
    Text records;
    for (int i = 1; i <= count; ++i) {
        std::string const n = name + std::to_string(i);
        records += Gbk("标题：" + n + "\r\n文件大小：1.5 GB\r\n文件类型：视频\r\n磁力链接：magnet:?xt=urn:btih:" + n +
                       "\r\n迅雷链接：thunder://" + n + "\r\n\r\n");
    }
    return records;
}

class Export : public WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        fs::create_directory(desktop);
    }

    void ClickExportButton()
    {
        QTest::mouseClick(window->Widgets().exportButton, Qt::LeftButton);
        Settle();
    }

    [[nodiscard]] std::vector<std::string> DesktopNames() const
    {
        std::vector<std::string> names;
        for (auto const& entry : fs::directory_iterator(desktop)) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }

    void ExpectOneQuestion()
    {
        ASSERT_EQ(presenter.Shown().size(), 1u);
        EXPECT_EQ(presenter.Shown()[0].text, Gbk("写出成功！是否立即查看？"));
        EXPECT_EQ(presenter.Shown()[0].flags, 36 | 0x2000);
        EXPECT_EQ(presenter.Shown()[0].title, Gbk("提示"));
        presenter.Clear();
    }

    TemporaryHome home;
    fs::path desktop = home.Folder() / "Desktop";
    fs::path file = desktop / "data.txt";
};

TEST_F(Export, BeforeAnySearchWritesAnEmptyFileAndStillAsks)
{
    ClickExportButton();
    EXPECT_TRUE(fs::is_regular_file(file));
    EXPECT_EQ(ReadFile(file), "");
    ExpectOneQuestion();
    EXPECT_TRUE(OpenedWithSentinel().empty());
}

TEST_F(Export, WritesEverySearchsRecordsByteForByte)
{
    // An older, longer export is cut to the new content.
    WriteFile(file, std::string(2000, 'o'));
    Text const first = SearchRecords("甲", 3);
    Text const second = SearchRecords("乙", 2);

    编辑框_临时存放::AppendText(first);
    ClickExportButton();
    EXPECT_EQ(ReadFile(file), std::string(first.Bytes()));
    ExpectOneQuestion();

    编辑框_临时存放::AppendText(second);
    std::string const both = std::string(first.Bytes()) + std::string(second.Bytes());
    for (int time = 0; time < 2; ++time) {
        ClickExportButton();
        EXPECT_EQ(ReadFile(file), both);
        ExpectOneQuestion();
    }
    // The export only reads the buffer.
    EXPECT_EQ(编辑框_临时存放::Content(), Text(both));
    EXPECT_EQ(DesktopNames(), std::vector<std::string>{"data.txt"});
    EXPECT_TRUE(OpenedWithSentinel().empty());
}

TEST_F(Export, YesOpensTheFileAndNoOpensNothing)
{
    编辑框_临时存放::AppendText(SearchRecords("a", 1));
    presenter.Answer(MessageAnswer::No);
    ClickExportButton();
    presenter.Answer(MessageAnswer::Yes);
    ClickExportButton();
    EXPECT_EQ(presenter.Shown().size(), 2u);
    EXPECT_EQ(OpenedWithSentinel(), std::vector<OpenCall>{{file.string()}});
}

TEST_F(Export, GoesToTheDesktopTheUserNamed)
{
    std::string const named = "\xe6\xa1\x8c\xe9\x9d\xa2"; // 桌面
    fs::create_directories(home.Folder() / ".config");
    WriteFile(home.Folder() / ".config" / "user-dirs.dirs", "XDG_DESKTOP_DIR=\"$HOME/" + named + "\"\n");
    fs::create_directory(home.Folder() / named);
    编辑框_临时存放::AppendText(SearchRecords("b", 1));
    presenter.Answer(MessageAnswer::Yes);
    ClickExportButton();
    fs::path const there = home.Folder() / named / "data.txt";
    EXPECT_EQ(ReadFile(there), std::string(SearchRecords("b", 1).Bytes()));
    EXPECT_FALSE(fs::exists(file));
    EXPECT_EQ(OpenedWithSentinel(), std::vector<OpenCall>{{there.string()}});
}

TEST_F(Export, TheMenusExportItemExports)
{
    编辑框_临时存放::AppendText(SearchRecords("c", 2));
    ASSERT_TRUE(RightClickAndPick(QPoint(20, 40), 5).appeared);
    EXPECT_EQ(ReadFile(file), std::string(SearchRecords("c", 2).Bytes()));
    ExpectOneQuestion();
}

TEST_F(Export, WithoutTheDesktopFolderNothingIsWrittenOrShown)
{
    fs::remove(desktop);
    编辑框_临时存放::AppendText(SearchRecords("d", 1));
    ClickExportButton();
    EXPECT_FALSE(fs::exists(desktop));
    EXPECT_TRUE(presenter.Shown().empty());
    EXPECT_TRUE(OpenedWithSentinel().empty());
}

TEST_F(Export, AFolderTheUserMayNotWriteIsLeftAlone)
{
    if (geteuid() == 0) {
        GTEST_SKIP() << "root may write any folder";
    }
    WriteFile(file, "kept");
    ASSERT_EQ(chmod(desktop.c_str(), 0555), 0);
    编辑框_临时存放::AppendText(SearchRecords("e", 1));
    ClickExportButton();
    ASSERT_EQ(chmod(desktop.c_str(), 0755), 0);
    EXPECT_EQ(ReadFile(file), "kept");
    EXPECT_TRUE(presenter.Shown().empty());
}

TEST_F(Export, AWriteThatFailsPartWayKeepsTheOldFileAndShowsNothing)
{
    std::string const old = std::string(SearchRecords("old", 1).Bytes());
    WriteFile(file, old);
    编辑框_临时存放::AppendText(SearchRecords("big", 2000));
    pid_t const child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Past the limit write() fails with EFBIG instead of the signal ending the process.
        (void)signal(SIGXFSZ, SIG_IGN);
        rlimit const limit{8192, 8192};
        (void)setrlimit(RLIMIT_FSIZE, &limit);
        ExportResults();
        _exit(presenter.Shown().empty() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "a question was asked after a failed write";
    EXPECT_EQ(ReadFile(file), old);
    EXPECT_EQ(DesktopNames(), std::vector<std::string>{"data.txt"});
}

} // namespace
