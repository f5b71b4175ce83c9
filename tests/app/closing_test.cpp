#include "app/confirm_close.h"
#include "app/exit_cleanup.h"
#include "app/exit_sequence.h"
#include "app/main_window.h"
#include "app/main_window_view.h"
#include "common/end_program.h"
#include "common/gbk_literal.h"
#include "common/show_message.h"
#include "platform/com/com_apartment.h"
#include "platform/ui/export_buffer.h"
#include "platform/ui/report_list.h"
#include "support/gui_fixture.h"
#include "support/gui_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <QApplication>
#include <QTest>
#include <QTimer>

namespace {

using testsupport::CreateTestWindow;
using testsupport::ScriptedPresenter;

void FillRowsAndBuffer()
{
    for (int i = 0; i < 3; ++i) {
        int const row = 超级列表框1::AppendRow();
        超级列表框1::SetCellText(row, 1, Gbk("片名") + Text::Number(i));
    }
    编辑框_临时存放::AppendText(Gbk("片名 一\r\n\r\n"));
}

TEST(Closing, AnyAnswerButYesKeepsTheWindowRowsAndBuffer)
{
    auto window = CreateTestWindow();
    ASSERT_TRUE(window);
    FillRowsAndBuffer();
    ScriptedPresenter presenter;
    for (MessageAnswer const answer : {MessageAnswer::No, MessageAnswer::Ok, MessageAnswer::Cancel}) {
        presenter.Answer(answer);
        EXPECT_FALSE(window->close());
        EXPECT_TRUE(window->isVisible());
    }
    ASSERT_EQ(presenter.Shown().size(), 3U);
    for (auto const& shown : presenter.Shown()) {
        EXPECT_EQ(shown.text, Gbk("是否退出？"));
        EXPECT_EQ(shown.flags, 36 | MessageFlags::TaskModal);
        EXPECT_EQ(shown.title, Gbk("Tolvane v2.0"));
    }
    EXPECT_EQ(window->RowCount(), 3);
    EXPECT_EQ(window->CellText(2, 1), Gbk("片名2"));
    EXPECT_EQ(window->ExportBufferContent(), Gbk("片名 一\r\n\r\n"));
}

TEST(Closing, YesClosesTheWindowAndEndsTheLoopWithZero)
{
    auto window = CreateTestWindow();
    ASSERT_TRUE(window);
    ScriptedPresenter presenter;
    presenter.Answer(MessageAnswer::Yes);
    QTimer::singleShot(0, [&window] { QTest::keyClick(window->Widgets().list, Qt::Key_Escape); });
    // A loop that would not end by itself is ended with 99.
    QTimer safety;
    safety.setSingleShot(true);
    QObject::connect(&safety, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    safety.start(10000);
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(presenter.Shown().size(), 1U);
}

TEST(Closing, ConfirmCloseIsTrueOnlyOnYes)
{
    auto window = CreateTestWindow();
    ASSERT_TRUE(window);
    ScriptedPresenter presenter;
    for (auto const& [answer, closes] : std::vector<std::pair<MessageAnswer, bool>>{
             {MessageAnswer::Yes, true}, {MessageAnswer::No, false}, {MessageAnswer::Ok, false},
             {MessageAnswer::Cancel, false}, {MessageAnswer::Retry, false}}) {
        presenter.Answer(answer);
        EXPECT_EQ(ConfirmClose(), closes) << static_cast<int>(answer);
    }
    // No box can be shown at all: the answer is Ok, and the window stays.
    SetMessagePresenter(nullptr);
    EXPECT_FALSE(ConfirmClose());
}

TEST(Closing, LogOffAsksOnlyWithLeaveToInteractAndARefusalCancelsIt)
{
    auto window = CreateTestWindow();
    ASSERT_TRUE(window);
    ScriptedPresenter presenter;

    // No leave to ask: nothing is shown and the log-off goes ahead.
    EXPECT_TRUE(window->AnswerLogOffQuery([] { return false; }));
    EXPECT_TRUE(presenter.Shown().empty());

    presenter.Answer(MessageAnswer::No);
    EXPECT_FALSE(window->AnswerLogOffQuery([] { return true; }));
    ASSERT_EQ(presenter.Shown().size(), 1U);
    EXPECT_EQ(presenter.Shown()[0].text, Gbk("是否退出？"));
    EXPECT_EQ(presenter.Shown()[0].title, Gbk("Tolvane v2.0"));
    EXPECT_TRUE(window->isVisible());

    presenter.Answer(MessageAnswer::Yes);
    EXPECT_TRUE(window->AnswerLogOffQuery([] { return true; }));
    EXPECT_EQ(presenter.Shown().size(), 2U);
    // The session then closes the window: the question is not asked a second time.
    EXPECT_TRUE(window->close());
    EXPECT_EQ(presenter.Shown().size(), 2U);
}

TEST(Closing, EndProgramInTheCreatedEventKeepsTheWindowHidden)
{
    ScriptedPresenter presenter;
    std::vector<std::int32_t> ended;
    SetEndProgramHandler([&ended](std::int32_t code) { ended.push_back(code); });
    auto window = CreateTestWindow([] { EndProgram(0); });
    SetEndProgramHandler(nullptr);
    ASSERT_TRUE(window);
    EXPECT_EQ(ended, std::vector<std::int32_t>{0});
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(presenter.Shown().empty());

    // A created event that returns leaves the window to be shown.
    bool created = false;
    auto shown = CreateTestWindow([&created] { created = true; });
    ASSERT_TRUE(shown);
    EXPECT_TRUE(created);
    EXPECT_TRUE(shown->isVisible());
}

TEST(ExitSequence, RunsCleanUpsInOrderOnceThenReleasesTheApartment)
{
    TestHooks::ResetExitSequence();
    std::vector<std::string> ran;
    platform::com::CoInitialize();
    int const apartments = platform::com::InitializationCount();
    PageText = Gbk("页面");
    ProgramVersion = Gbk("1");
    ServerVersion = Gbk("2");
    PageCounter = 2;
    RegisterCleanup([&ran] { ran.push_back("first"); });
    RegisterCleanup(ExitCleanup);
    RegisterCleanup([&ran] {
        ran.push_back(PageText.Empty() && ProgramVersion.Empty() && ServerVersion.Empty() ? "after release" : "held");
    });
    EXPECT_FALSE(ProgramEnding());
    RunExitSequence();
    EXPECT_TRUE(ProgramEnding());
    EXPECT_EQ(ran, (std::vector<std::string>{"first", "after release"}));
    EXPECT_EQ(platform::com::InitializationCount(), apartments - 1);
    EXPECT_EQ(PageCounter, 2);

    RunExitSequence();
    EXPECT_EQ(ran.size(), 2U);
    EXPECT_EQ(platform::com::InitializationCount(), apartments - 1);
    TestHooks::ResetExitSequence();
}

TEST(ExitSequence, DroppedCleanUpsNeverRun)
{
    TestHooks::ResetExitSequence();
    bool ran = false;
    RegisterCleanup([&ran] { ran = true; });
    DropCleanups();
    RunExitSequence();
    EXPECT_FALSE(ran);
    TestHooks::ResetExitSequence();
}

}  // namespace
