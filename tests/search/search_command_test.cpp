#include "app/main_window.h"
#include "app/main_window_view.h"
#include "common/gbk_literal.h"
#include "common/hosts.h"
#include "platform/ui/busy_wait.h"
#include "platform/ui/edit_box.h"
#include "platform/ui/push_button.h"
#include "platform/ui/report_list.h"
#include "platform/ui/status_bar.h"
#include "result_pages.h"
#include "support/gui_fixture.h"
#include "support/gui_window.h"
#include "support/loopback_server.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QTest>
#include <QTimer>

namespace {

using testsupport::LoopbackServer;
using testsupport::Scenario;

std::string Bytes(Text const& text) { return std::string(text.Bytes()); }
std::string G(char const* utf8) { return Bytes(Gbk(utf8)); }

// Searches through the real window on the test's application: the keyword goes into the search
// box and the search button is clicked, and every fetch waits the way it waits in the program.
class SearchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.Listening());
        TestHooks::SetSiteHost(Text(server.HostAndPort()));
        platform::ui::InstallBusyWaiter();
        window = testsupport::CreateTestWindow();
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override { window.reset(); }

    [[nodiscard]] MainWindowView::Controls const& Controls() const { return window->Widgets(); }
    [[nodiscard]] std::string StatusPane() const { return Bytes(Controls().statusBar->PaneText(0)); }
    [[nodiscard]] std::string SearchButtonCaption() const { return Bytes(Controls().searchButton->Caption()); }

    void Serve(std::string const& keywordPath, std::string const& page1, std::string const& page2)
    {
        server.Route("/search/" + keywordPath + "/1-1.html", Scenario::Fixed(page1));
        server.Route("/search/" + keywordPath + "/2-1.html", Scenario::Fixed(page2));
    }

    // Enter in the search box, one of the two ways a search starts.
    void Search(std::string const& keywordGbk)
    {
        Controls().searchBox->SetContent(Text(keywordGbk));
        QTest::keyClick(Controls().searchBox, Qt::Key_Return);
    }

    [[nodiscard]] std::vector<std::string> Targets() const
    {
        std::vector<std::string> targets;
        for (auto const& request : server.Requests()) targets.push_back(request.target);
        return targets;
    }

    [[nodiscard]] std::string Cell(int row, int column) const { return Bytes(超级列表框1::CellText(row, column)); }
    [[nodiscard]] std::string ExportBuffer() const { return Bytes(编辑框_临时存放::Content()); }

    // The export record of one numbered entry of NumberedEntries, in GBK.
    static std::string Record(std::string const& n, int i)
    {
        return G("片名 ") + n + G(" kw 高清") + "  " + G("文件类型:视频") + "  " + G("文件大小:") +
               std::to_string(i) + ".5 GB\r\n" + G("磁力链接 ") + "magnet:?xt=urn:btih:" + n + "&dn=" + n +
               "\r\n" + G("迅雷链接 ") + "thunder://" + n + "\r\n\r\n";
    }

    LoopbackServer server;
    testsupport::ScriptedPresenter presenter;
    std::unique_ptr<MainWindowView> window;
};

TEST_F(SearchTest, RowsOfBothPagesAreNumberedInOneSequence)
{
    Serve("kw", ResultPage(NumberedEntries("p", 10)), ResultPage(NumberedEntries("q", 12)));
    Search("kw");

    EXPECT_EQ(Targets(), (std::vector<std::string>{"/search/kw/1-1.html", "/search/kw/2-1.html"}));
    ASSERT_EQ(超级列表框1::RowCount(), 22);
    for (int row = 0; row < 22; ++row) {
        EXPECT_EQ(Cell(row, 0), std::to_string(row + 1));
    }
    // Row by row: the page's entries in their order, every column from its own field.
    EXPECT_EQ(Cell(0, 1), "p1 kw " + G("高清"));
    EXPECT_EQ(Cell(9, 1), "p10 kw " + G("高清"));
    EXPECT_EQ(Cell(10, 1), "q1 kw " + G("高清"));
    EXPECT_EQ(Cell(21, 2), "12.5 GB");
    EXPECT_EQ(Cell(21, 3), G("视频"));
    EXPECT_EQ(Cell(21, 4), "112");
    EXPECT_EQ(Cell(21, 5), "magnet:?xt=urn:btih:q12&dn=q12");
    EXPECT_EQ(Cell(21, 6), "thunder://q12");

    EXPECT_EQ(StatusPane(), G("共获取22条种子信息"));
    // The caption after a search lacks the ">>" of the window's first caption.
    EXPECT_EQ(SearchButtonCaption(), G("种子搜索"));
    EXPECT_EQ(PageCounter, 2);
    EXPECT_TRUE(presenter.Shown().empty());
}

TEST_F(SearchTest, TheSearchButtonStartsASearchToo)
{
    Serve("kw", ResultPage(NumberedEntries("c", 2)), ResultPage(NumberedEntries("d", 1)));
    Controls().searchBox->SetContent(Text("kw"));
    QTest::mouseClick(Controls().searchButton, Qt::LeftButton);

    EXPECT_EQ(Targets(), (std::vector<std::string>{"/search/kw/1-1.html", "/search/kw/2-1.html"}));
    EXPECT_EQ(超级列表框1::RowCount(), 3);
    EXPECT_EQ(StatusPane(), G("共获取3条种子信息"));
}

TEST_F(SearchTest, ExportBufferGetsFiveLabelledTextsPerRow)
{
    std::vector<ResultEntry> page2 = NumberedEntries("b", 2);
    page2[1].thunder.clear();
    // The second entry has no Thunder line at all, so its field is empty.
    std::string const page2Html = [&] {
        std::string html = ResultPage(page2);
        std::string const missing = "<a href=\"\" class=\"download\">" + std::string("迅雷链接") + "</a>\n";
        html.erase(html.find(missing), missing.size());
        return html;
    }();
    Serve("kw", ResultPage(NumberedEntries("a", 1)), page2Html);
    Search("kw");

    std::string const secondRecordWithoutThunder =
        Record("b2", 2).substr(0, Record("b2", 2).size() - std::string("thunder://b2\r\n\r\n").size()) + "\r\n\r\n";
    EXPECT_EQ(ExportBuffer(), Record("a1", 1) + Record("b1", 1) + secondRecordWithoutThunder);
    EXPECT_EQ(Cell(2, 6), "");
    EXPECT_EQ(Cell(2, 4), "102");
}

TEST_F(SearchTest, ASecondSearchReplacesTheRowsAndAddsToTheExportBuffer)
{
    Serve("one", ResultPage(NumberedEntries("a", 3)), ResultPage({}));
    Serve("two", ResultPage(NumberedEntries("b", 1)), ResultPage(NumberedEntries("c", 1)));
    Search("one");
    Search("two");

    ASSERT_EQ(超级列表框1::RowCount(), 2);
    EXPECT_EQ(Cell(0, 0), "1");
    EXPECT_EQ(Cell(0, 5), "magnet:?xt=urn:btih:b1&dn=b1");
    EXPECT_EQ(Cell(1, 0), "2");
    EXPECT_EQ(Cell(1, 5), "magnet:?xt=urn:btih:c1&dn=c1");
    EXPECT_EQ(ExportBuffer(),
              Record("a1", 1) + Record("a2", 2) + Record("a3", 3) + Record("b1", 1) + Record("c1", 1));
    EXPECT_EQ(StatusPane(), G("共获取2条种子信息"));
}

TEST_F(SearchTest, AFailedFirstPageDoesNotStopTheSecond)
{
    struct Case {
        char const* what;
        Scenario page1;
    };
    Case const cases[] = {
        {"reset", Scenario::ResetMidBody("<html>", 0)},
        {"404 with junk", Scenario::NotFound("<h1>Not Found</h1>\n\x01\xff junk %zz")},
    };
    for (auto const& [what, page1] : cases) {
        server.Route("/search/kw/1-1.html", page1);
        server.Route("/search/kw/2-1.html", Scenario::Fixed(ResultPage(NumberedEntries("z", 4))));
        Search("kw");
        ASSERT_EQ(超级列表框1::RowCount(), 4) << what;
        EXPECT_EQ(Cell(0, 0), "1") << what;
        EXPECT_EQ(Cell(0, 5), "magnet:?xt=urn:btih:z1&dn=z1") << what;
        EXPECT_EQ(StatusPane(), G("共获取4条种子信息")) << what;
    }
}

TEST_F(SearchTest, NothingFoundOnEitherPage)
{
    Serve("kw", "<html>no results</html>", "");
    Search("kw");
    EXPECT_EQ(超级列表框1::RowCount(), 0);
    EXPECT_EQ(StatusPane(), G("共获取0条种子信息"));
    EXPECT_EQ(SearchButtonCaption(), G("种子搜索"));
    EXPECT_EQ(ExportBuffer(), "");
}

TEST_F(SearchTest, KeywordTravelsAsItsRawBytes)
{
    struct Case {
        std::string keyword;
        std::vector<std::string> targets;
    };
    Case const cases[] = {
        // Blanks are a keyword too; the HTTP client escapes what may not go raw.
        {"  ", {"/search/%20%20/1-1.html", "/search/%20%20/2-1.html"}},
        {G("中文"), {"/search/%D6%D0%CE%C4/1-1.html", "/search/%D6%D0%CE%C4/2-1.html"}},
        // The request ends before a "#", page number and all.
        {"ab#c", {"/search/ab", "/search/ab"}},
    };
    for (auto const& [keyword, targets] : cases) {
        std::size_t const before = server.Requests().size();
        Search(keyword);
        std::vector<std::string> const all = Targets();
        EXPECT_EQ(std::vector<std::string>(all.begin() + static_cast<std::ptrdiff_t>(before), all.end()), targets)
            << keyword;
        EXPECT_EQ(StatusPane(), G("共获取0条种子信息"));
    }
    EXPECT_TRUE(presenter.Shown().empty());
}

TEST_F(SearchTest, AnExtraSizeMatchShiftsTheSizeColumn)
{
    // Bold text ending in "b" ahead of the first entry: case is ignored, so it reads as a size.
    Serve("kw", ResultPage(NumberedEntries("s", 3), "<b>Web</b>\n"), "");
    Search("kw");

    ASSERT_EQ(超级列表框1::RowCount(), 3);
    EXPECT_EQ(Cell(0, 2), "Web");
    EXPECT_EQ(Cell(1, 2), "1.5 GB");
    EXPECT_EQ(Cell(2, 2), "2.5 GB");
    EXPECT_EQ(ExportBuffer().find("3.5 GB"), std::string::npos);
    EXPECT_NE(ExportBuffer().find(G("文件大小:") + "Web\r\n"), std::string::npos);
    // The other columns keep their own results.
    EXPECT_EQ(Cell(2, 5), "magnet:?xt=urn:btih:s3&dn=s3");
}

TEST_F(SearchTest, TitlesLoseTheRedFontTagInAnyCase)
{
    std::vector<ResultEntry> entries = NumberedEntries("t", 3);
    entries[0].title = R"(<FONT COLOR="RED">abc</FONT>def)";
    entries[1].title = R"(<font color='red'>abc</font>def)";
    entries[2].title = R"(中文<font color="red">字幕</font>版)";
    Serve("kw", ResultPage(entries), "");
    Search("kw");

    ASSERT_EQ(超级列表框1::RowCount(), 3);
    EXPECT_EQ(Cell(0, 1), "abcdef");
    EXPECT_EQ(Cell(1, 1), "<font color='red'>abcdef");
    EXPECT_EQ(Cell(2, 1), G("中文字幕版"));
    EXPECT_EQ(ExportBuffer().rfind(G("片名 ") + "abcdef  ", 0), 0u);
    EXPECT_NE(ExportBuffer().find(G("片名 ") + "<font color='red'>abcdef  "), std::string::npos);
}

TEST_F(SearchTest, PercentEncodedPartsArriveDecoded)
{
    std::vector<ResultEntry> entries = NumberedEntries("m", 1);
    entries[0].magnet = "magnet:?xt=urn:btih:ABC&dn=%E4%B8%AD%E6%96%87%2Bx";
    entries[0].title = "%E5%AD%97%E5%B9%95 100% x";
    Serve("kw", ResultPage(entries), "");
    Search("kw");

    ASSERT_EQ(超级列表框1::RowCount(), 1);
    std::string const magnet = "magnet:?xt=urn:btih:ABC&dn=" + G("中文") + "+x";
    EXPECT_EQ(Cell(0, 5), magnet);
    EXPECT_NE(ExportBuffer().find(G("磁力链接 ") + magnet + "\r\n"), std::string::npos);
    // "% x" is no escape, yet it takes two bytes and leaves one that is no UTF-8.
    EXPECT_EQ(Cell(0, 1), G("字幕") + " 100?");
}

TEST_F(SearchTest, APageEndsAtItsFirstZeroByte)
{
    std::string page = ResultPage(NumberedEntries("n", 2));
    page.insert(page.find("<div class=\"item\">", page.find("n1")), std::string(1, '\0'));
    Serve("kw", page, "");
    Search("kw");
    ASSERT_EQ(超级列表框1::RowCount(), 1);
    EXPECT_EQ(Cell(0, 5), "magnet:?xt=urn:btih:n1&dn=n1");
}

TEST_F(SearchTest, AnEmptyKeywordOnlyAsksForOne)
{
    Serve("kw", ResultPage(NumberedEntries("e", 2)), "");
    Search("kw");
    std::string const bufferBefore = ExportBuffer();
    Controls().list->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Controls().list->hasFocus(); }));

    Search("");

    ASSERT_EQ(presenter.Shown().size(), 1u);
    EXPECT_EQ(Bytes(presenter.Shown()[0].text), G("请输入要搜索的内容"));
    EXPECT_EQ(presenter.Shown()[0].flags, 64 | MessageFlags::TaskModal);
    EXPECT_EQ(Bytes(presenter.Shown()[0].title), G("提示"));
    EXPECT_TRUE(Controls().searchBox->hasFocus());
    EXPECT_EQ(SearchButtonCaption(), G("种子搜索"));
    EXPECT_EQ(server.Requests().size(), 2u);
    EXPECT_EQ(超级列表框1::RowCount(), 2);
    EXPECT_EQ(ExportBuffer(), bufferBefore);
    EXPECT_EQ(StatusPane(), G("共获取2条种子信息"));
    EXPECT_EQ(PageCounter, 2);
}

TEST_F(SearchTest, WhileAPageIsFetchedTheListIsEmptyAndTheButtonSaysSo)
{
    Serve("kw", ResultPage(NumberedEntries("w", 2)), "");
    Search("kw");
    ASSERT_EQ(StatusPane(), G("共获取2条种子信息"));

    // Page 1 of the next search comes slowly; a timer looks at the window while it waits.
    server.Route("/search/next/1-1.html", Scenario::Drip(ResultPage(NumberedEntries("x", 1)), std::chrono::milliseconds(1)));
    server.Route("/search/next/2-1.html", Scenario::Fixed(""));
    struct Seen {
        std::string caption;
        int rows;
        std::string pane;
    };
    std::optional<Seen> seen;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, [&] {
        if (!seen && platform::ui::IsBusy()) seen = Seen{SearchButtonCaption(), 超级列表框1::RowCount(), StatusPane()};
    });
    look.start(1);
    Search("next");
    look.stop();

    ASSERT_TRUE(seen.has_value());
    EXPECT_EQ(seen->caption, G("正在搜索>>>"));
    EXPECT_EQ(seen->rows, 0);
    EXPECT_EQ(seen->pane, G("共获取2条种子信息"));
    EXPECT_EQ(SearchButtonCaption(), G("种子搜索"));
    EXPECT_EQ(超级列表框1::RowCount(), 1);
}

} // namespace
