#include "platform/ui/message_box.h"

#include "common/gbk_literal.h"
#include "common/show_message.h"
#include "support/gui_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <thread>
#include <vector>

#include <QAbstractButton>
#include <QApplication>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

using B = QMessageBox::StandardButton;

// Shows a box and, once it is up, hands it to `act`, which must answer it (or leave it to
// `afterwards`). Returns the answer and whether a box was seen at all.
struct Outcome {
    MessageAnswer answer;
    bool shown;
};

Outcome Present(Text const& text, std::int32_t flags, Text const& title,
                std::function<void(QMessageBox&)> const& act)
{
    bool shown = false;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible() || shown) {
            return;
        }
        shown = true;
        poll.stop();
        act(*box);
    });
    poll.start();
    MessageAnswer const answer = platform::ui::PresentMessageBox(text, flags, title);
    return {answer, shown};
}

// Keys reach the focused button first and go up to the box from there, as typed keys do.
void Type(QMessageBox& box, Qt::Key key)
{
    QWidget* target = box.focusWidget() != nullptr ? box.focusWidget() : &box;
    QTest::keyClick(target, key);
}

std::vector<B> StandardButtons(QMessageBox const& box)
{
    std::vector<B> buttons;
    for (QAbstractButton* button : box.buttons()) {
        buttons.push_back(box.standardButton(button));
    }
    std::sort(buttons.begin(), buttons.end());
    return buttons;
}

MessageAnswer AnswerOf(B button)
{
    switch (button) {
    case B::Cancel: return MessageAnswer::Cancel;
    case B::Abort: return MessageAnswer::Abort;
    case B::Retry: return MessageAnswer::Retry;
    case B::Ignore: return MessageAnswer::Ignore;
    case B::Yes: return MessageAnswer::Yes;
    case B::No: return MessageAnswer::No;
    default: return MessageAnswer::Ok;
    }
}

struct BoxCase {
    std::int32_t flags;
    std::vector<B> buttons; // the first is the default
    QMessageBox::Icon icon;
};

std::vector<BoxCase> const BoxCases = {
    {0x00, {B::Ok}, QMessageBox::NoIcon},
    {0x11, {B::Ok, B::Cancel}, QMessageBox::Critical},
    {0x22, {B::Abort, B::Retry, B::Ignore}, QMessageBox::Question},
    {0x33, {B::Yes, B::No, B::Cancel}, QMessageBox::Warning},
    {0x24, {B::Yes, B::No}, QMessageBox::Question},
    {0x45, {B::Retry, B::Cancel}, QMessageBox::Information},
    {0x40 | 0x2000, {B::Ok}, QMessageBox::Information},
    {0x54, {B::Yes, B::No}, QMessageBox::NoIcon},
};

class MessageBoxTest : public ::testing::Test {
protected:
    void SetUp() override { (void)testsupport::EnsureTestApplication(); }
};

TEST_F(MessageBoxTest, FlagsChooseButtonsIconAndDefaultAndEveryButtonGivesItsAnswer)
{
    for (auto const& [flags, buttons, icon] : BoxCases) {
        for (B const pressed : buttons) {
            SCOPED_TRACE(testing::Message() << "flags " << flags << " pressing " << pressed);
            auto const outcome = Present(Gbk("正文"), flags, Gbk("标题"), [&](QMessageBox& box) {
                std::vector<B> expected = buttons;
                std::sort(expected.begin(), expected.end());
                EXPECT_EQ(StandardButtons(box), expected);
                EXPECT_EQ(box.icon(), icon);
                EXPECT_EQ(box.defaultButton(), box.button(buttons.front()));
                EXPECT_EQ(box.windowModality(), Qt::ApplicationModal);
                box.button(pressed)->click();
            });
            EXPECT_TRUE(outcome.shown);
            EXPECT_EQ(outcome.answer, AnswerOf(pressed));
        }
    }
}

TEST_F(MessageBoxTest, EnterAnswersWithTheFirstButton)
{
    for (auto const& [flags, buttons, icon] : BoxCases) {
        SCOPED_TRACE(testing::Message() << "flags " << flags);
        auto const outcome = Present(Text("x"), flags, Text("t"), [](QMessageBox& box) { Type(box, Qt::Key_Return); });
        EXPECT_TRUE(outcome.shown);
        EXPECT_EQ(outcome.answer, AnswerOf(buttons.front()));
    }
}

TEST_F(MessageBoxTest, EscAndCloseAnswerOnlyBoxesWithCancelOrALoneOk)
{
    enum class Way { Esc, Close };
    struct Case {
        std::int32_t flags;
        Way way;
        std::optional<MessageAnswer> answer; // none: the box stays and waits for a button
    };
    std::vector<Case> const cases = {
        {0x40, Way::Esc, MessageAnswer::Ok},          {0x40, Way::Close, MessageAnswer::Ok},
        {0x01, Way::Esc, MessageAnswer::Cancel},      {0x01, Way::Close, MessageAnswer::Cancel},
        {0x03, Way::Esc, MessageAnswer::Cancel},      {0x03, Way::Close, MessageAnswer::Cancel},
        {0x05, Way::Esc, MessageAnswer::Cancel},      {0x05, Way::Close, MessageAnswer::Cancel},
        {0x24, Way::Esc, std::nullopt},               {0x24, Way::Close, std::nullopt},
        {0x02, Way::Esc, std::nullopt},               {0x02, Way::Close, std::nullopt},
    };
    for (auto const& [flags, way, answer] : cases) {
        SCOPED_TRACE(testing::Message() << "flags " << flags << (way == Way::Esc ? " Esc" : " close"));
        bool stayed = false;
        MessageAnswer pressed = MessageAnswer::Ok;
        auto const outcome = Present(Text("x"), flags, Text("t"), [&](QMessageBox& box) {
            if (way == Way::Esc) {
                Type(box, Qt::Key_Escape);
            } else {
                (void)box.close();
            }
            if (!answer) {
                stayed = box.isVisible();
                // Still waiting: Ignore or No answers now, which Esc or close must not have given.
                QAbstractButton* const last = box.button(flags == 0x24 ? B::No : B::Ignore);
                pressed = AnswerOf(box.standardButton(last));
                last->click();
            }
        });
        ASSERT_TRUE(outcome.shown);
        if (answer) {
            EXPECT_EQ(outcome.answer, *answer);
        } else {
            EXPECT_TRUE(stayed);
            EXPECT_EQ(outcome.answer, pressed);
        }
    }
}

TEST_F(MessageBoxTest, ShowMessageGivesTheDefaultTitleAndShowsTheTextAsPlainText)
{
    platform::ui::InstallMessageBoxPresenter();
    QString title;
    QString text;
    Qt::TextFormat format = Qt::AutoText;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        format = box->textFormat();
        box->button(B::Yes)->click();
    });
    MessageAnswer const answer = ShowMessage(Gbk("<b>是否退出？</b>"), 36);
    SetMessagePresenter(nullptr);

    EXPECT_EQ(answer, MessageAnswer::Yes);
    EXPECT_EQ(title, QString::fromUtf8("信息："));
    EXPECT_EQ(text, QString::fromUtf8("<b>是否退出？</b>"));
    EXPECT_EQ(format, Qt::PlainText);
}

TEST_F(MessageBoxTest, GivenTitleIsShownAsItIs)
{
    QString title;
    (void)Present(Text("x"), 64, Gbk("Tolvane v2.0 提示"), [&](QMessageBox& box) {
        title = box.windowTitle();
        box.button(B::Ok)->click();
    });
    EXPECT_EQ(title, QString::fromUtf8("Tolvane v2.0 提示"));
}

TEST_F(MessageBoxTest, UnknownButtonSetsShowNothingAndAnswerOk)
{
    for (std::int32_t const buttons : {0x6, 0x7, 0xF}) {
        auto const outcome = Present(Text("x"), buttons | 0x40, Text("t"), [](QMessageBox& box) { box.close(); });
        EXPECT_FALSE(outcome.shown) << buttons;
        EXPECT_EQ(outcome.answer, MessageAnswer::Ok) << buttons;
    }
}

TEST_F(MessageBoxTest, OffTheGuiThreadNothingIsShownAndTheAnswerIsOk)
{
    MessageAnswer answer = MessageAnswer::No;
    std::thread([&] { answer = platform::ui::PresentMessageBox(Text("x"), 36, Text("t")); }).join();
    EXPECT_EQ(answer, MessageAnswer::Ok);
}

QString YesText()
{
    QMessageBox box;
    return box.addButton(QMessageBox::Yes)->text();
}

TEST_F(MessageBoxTest, StandardButtonTextsFollowTheLanguage)
{
    ASSERT_TRUE(platform::ui::InstallPlatformTranslations(QLocale(QLocale::Chinese, QLocale::China)));
    EXPECT_EQ(YesText(), QString::fromUtf8("是(&Y)"));
    // A language without a catalogue removes the one before: the texts are English again.
    EXPECT_FALSE(platform::ui::InstallPlatformTranslations(QLocale::c()));
    EXPECT_EQ(YesText(), QStringLiteral("&Yes"));
}

// Run by its own ctest entry with LANG and LC_ALL set to zh_CN.UTF-8.
TEST(SystemLanguage, ChineseSystemGivesChineseButtons)
{
    if (qEnvironmentVariable("LC_ALL") != QStringLiteral("zh_CN.UTF-8")) {
        GTEST_SKIP() << "needs LC_ALL=zh_CN.UTF-8";
    }
    (void)testsupport::EnsureTestApplication();
    EXPECT_TRUE(platform::ui::InstallPlatformTranslations());
    EXPECT_EQ(YesText(), QString::fromUtf8("是(&Y)"));
    QString answerText;
    auto const outcome = Present(Text("?"), 36, Text("t"), [&](QMessageBox& box) {
        answerText = box.button(B::No)->text();
        box.button(B::No)->click();
    });
    EXPECT_EQ(answerText, QString::fromUtf8("否(&N)"));
    EXPECT_EQ(outcome.answer, MessageAnswer::No);
    (void)platform::ui::InstallPlatformTranslations(QLocale::c());
}

} // namespace
