#include "actions/link_actions.h"

#include "app/main_window.h"
#include "common/gbk_literal.h"
#include "platform/clipboard/clipboard.h"
#include "platform/ui/report_list.h"
#include "support/gui_window.h"
#include "window_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QTest>

namespace {

using testsupport::OpenCall;

class LinkActions : public WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        // Something on the clipboard first, so that a copy that did nothing cannot pass.
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    }
    void TearDown() override
    {
        // None of the link actions shows or asks anything.
        EXPECT_TRUE(presenter.Shown().empty());
        WindowFixture::TearDown();
    }

    [[nodiscard]] static QString Pasted() { return QGuiApplication::clipboard()->text(QClipboard::Clipboard); }
};

TEST_F(LinkActions, EachMenuItemActsOnTheSelectedRow)
{
    AddRow(Text("magnet:?xt=urn:btih:aaaa"), Text("thunder://QUFh"));
    AddRow(Text("magnet:?xt=urn:btih:bbbb"), Text("thunder://QkJi"));
    LeftClickRow(1);
    ASSERT_EQ(超级列表框1::CurrentSelection(), 1);

    MenuSeen const seen = RightClickAndPick(RowPoint(1), 0);
    ASSERT_TRUE(seen.appeared);
    EXPECT_EQ(seen.items, (std::vector<QString>{QStringLiteral("磁力链接下载->"), QStringLiteral("复制磁力链接"),
                              QStringLiteral("迅雷链接下载->"), QStringLiteral("复制迅雷链接"), QStringLiteral("-"),
                              QStringLiteral("批量导出种子")}));
    QPoint const pressed = window->Widgets().list->viewport()->mapToGlobal(RowPoint(1));
    EXPECT_EQ(seen.topLeft, pressed + QPoint(3, 3));
    EXPECT_TRUE(testsupport::WaitUntil([&] { return !opener.Calls().empty(); }));

    ASSERT_TRUE(RightClickAndPick(RowPoint(1), 1).appeared);
    EXPECT_EQ(Pasted(), QStringLiteral("magnet:?xt=urn:btih:bbbb"));
    // Either mouse button picks an item.
    ASSERT_TRUE(RightClickAndPick(RowPoint(1), 2, Qt::RightButton).appeared);
    ASSERT_TRUE(RightClickAndPick(RowPoint(1), 3).appeared);
    EXPECT_EQ(Pasted(), QStringLiteral("thunder://QkJi"));
    // Closed without a pick: nothing runs.
    ASSERT_TRUE(RightClickAndPick(RowPoint(1), -1).appeared);
    EXPECT_EQ(Pasted(), QStringLiteral("thunder://QkJi"));

    EXPECT_EQ(OpenedWithSentinel(), (std::vector<OpenCall>{{"magnet:?xt=urn:btih:bbbb"}, {"thunder://QkJi"}}));
}

TEST_F(LinkActions, MenuOverAnEmptyListCopiesTheEmptyTextAndOpensNothing)
{
    QPoint const blank(20, 40);
    ASSERT_TRUE(RightClickAndPick(blank, 1).appeared);
    EXPECT_EQ(Pasted(), QString());
    ASSERT_TRUE(RightClickAndPick(blank, 0).appeared);
    ASSERT_TRUE(RightClickAndPick(blank, 2).appeared);
    EXPECT_TRUE(OpenedWithSentinel().empty());
}

TEST_F(LinkActions, APressOnTheColumnHeaderRaisesNothing)
{
    AddRow(Text("magnet:?header"), Text("thunder://header"));
    QHeaderView* const header = window->Widgets().list->horizontalHeader();
    EXPECT_FALSE(RightClickAndPick(header->viewport(), QPoint(20, header->height() / 2), 1).appeared);
    // The menu still pops up over the rows.
    EXPECT_TRUE(RightClickAndPick(RowPoint(0), -1).appeared);
}

TEST_F(LinkActions, RightClickActsOnTheRowUnderThePointer)
{
    AddRow(Text("magnet:?first"), Text("thunder://first"));
    AddRow(Text("magnet:?second"), Text("thunder://second"));
    AddRow(Text("magnet:?third"), Text("thunder://third"));
    LeftClickRow(0);
    ASSERT_TRUE(RightClickAndPick(RowPoint(2), 1).appeared);
    EXPECT_EQ(Pasted(), QStringLiteral("magnet:?third"));
    ASSERT_TRUE(RightClickAndPick(RowPoint(1), 2).appeared);
    EXPECT_EQ(OpenedWithSentinel(), std::vector<OpenCall>{{"thunder://second"}});
}

TEST_F(LinkActions, DoubleClickOpensTheThunderLinkOfTheClickedRow)
{
    AddRow(Text("magnet:?first"), Text("thunder://first"));
    AddRow(Text("magnet:?second"), Text("thunder://second"));
    LeftClickRow(0);
    // Through the window system, which makes the second press of a quick pair a double-click,
    // after the first press has gone to the list.
    QWidget* const viewport = window->Widgets().list->viewport();
    QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {}, viewport->mapTo(window.get(), RowPoint(1)));
    Settle();
    EXPECT_EQ(OpenedWithSentinel(), std::vector<OpenCall>{{"thunder://second"}});
}

TEST_F(LinkActions, CopyingThunderThenMagnetLeavesTheMagnet)
{
    AddRow(Text("magnet:?xt=urn:btih:cccc"), Text("thunder://Q0NDQw=="));
    LeftClickRow(0);
    ASSERT_TRUE(RightClickAndPick(RowPoint(0), 3).appeared);
    EXPECT_EQ(Pasted(), QStringLiteral("thunder://Q0NDQw=="));
    ASSERT_TRUE(RightClickAndPick(RowPoint(0), 1).appeared);
    EXPECT_EQ(Pasted(), QStringLiteral("magnet:?xt=urn:btih:cccc"));
}

TEST_F(LinkActions, LongAndChineseLinksArriveWhole)
{
    std::string const longMagnet = "magnet:?xt=urn:btih:" + std::string(40, 'f') + "&tr=" + std::string(6000, 't');
    std::string const chineseUtf8 = "magnet:?xt=urn:btih:dddd&dn=流浪地球【国语中字】.mp4";
    AddRow(Text(longMagnet), Text("thunder://" + std::string(5000, 'Z')));
    AddRow(Gbk(chineseUtf8), Text("thunder://short"));

    LeftClickRow(0);
    ASSERT_TRUE(RightClickAndPick(RowPoint(0), 1).appeared);
    EXPECT_EQ(Pasted(), QString::fromLatin1(longMagnet));
    ASSERT_TRUE(RightClickAndPick(RowPoint(0), 0).appeared);
    ASSERT_TRUE(RightClickAndPick(RowPoint(0), 2).appeared);

    LeftClickRow(1);
    ASSERT_TRUE(RightClickAndPick(RowPoint(1), 1).appeared);
    EXPECT_EQ(Pasted(), QString::fromUtf8(chineseUtf8));
    EXPECT_EQ(platform::clipboard::GetText(), Gbk(chineseUtf8));
    ASSERT_TRUE(RightClickAndPick(RowPoint(1), 0).appeared);

    EXPECT_EQ(OpenedWithSentinel(),
        (std::vector<OpenCall>{{longMagnet}, {"thunder://" + std::string(5000, 'Z')}, {chineseUtf8}}));
}

TEST_F(LinkActions, OpensOnlyDownloadSchemes)
{
    std::string const metacharacters = "magnet:?xt=urn:btih:eeee&dn=a b;rm -rf ~|`id`$(id)&&'\"\\*?<x>\n#";
    struct Case {
        std::string target;
        bool opened;
    };
    Case const cases[] = {
        {"magnet:?xt=urn:btih:ffff", true},
        {"MAGNET:?xt=urn:btih:ffff", true},
        {"Thunder://QUFh", true},
        {"ed2k://|file|a.mkv|1|HASH|/", true},
        {"http://127.0.0.1/a", true},
        {"HTTPS://127.0.0.1/b", true},
        {"ftp://127.0.0.1/c", true},
        {metacharacters, true},
        {"/usr/bin/xterm", false},
        {"file:///etc/passwd", false},
        {"--help", false},
        {"-v", false},
        {"xterm", false},
        {"C:\\Windows\\notepad.exe", false},
        {"javascript:alert(1)", false},
        {" magnet:?leading-blank", false},
        {"magnet", false},
        {"ｍagnet:?full-width", false},
        {"", false},
    };
    std::vector<OpenCall> expected;
    for (auto const& [target, opened] : cases) {
        OpenInShell(Gbk(target));
        if (opened) {
            expected.push_back({target});
        }
    }
    EXPECT_EQ(OpenedWithSentinel(), expected);

    // The same through the menu: a refused link in the list opens nothing, and is still copied.
    AddRow(Text("--help"), Text("file:///etc/passwd"));
    LeftClickRow(0);
    ASSERT_TRUE(RightClickAndPick(RowPoint(0), 0).appeared);
    ASSERT_TRUE(RightClickAndPick(RowPoint(0), 2).appeared);
    ASSERT_TRUE(RightClickAndPick(RowPoint(0), 3).appeared);
    EXPECT_EQ(Pasted(), QStringLiteral("file:///etc/passwd"));
    EXPECT_EQ(OpenedWithSentinel(), expected);
}

} // namespace
