#include "common/end_program.h"
#include "common/gbk_literal.h"
#include "common/show_message.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
struct Shown {
    Text text;
    int flags;
    Text title;
};
} // namespace

TEST(ShowMessage, AddsTaskModalAndTheDefaultTitle)
{
    std::vector<Shown> shown;
    SetMessagePresenter([&](Text const& text, std::int32_t flags, Text const& title) {
        shown.push_back({text, flags, title});
        return MessageAnswer::Yes;
    });
    EXPECT_EQ(ShowMessage(Text("a"), 36), MessageAnswer::Yes);
    EXPECT_EQ(ShowMessage(Text("b"), 64 | MessageFlags::SystemModal, Gbk("提示")), MessageAnswer::Yes);
    SetMessagePresenter(nullptr);

    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].flags, 36 | 0x2000);
    EXPECT_EQ(shown[0].title, Gbk("信息："));
    EXPECT_EQ(shown[1].flags, 64 | 0x1000);
    EXPECT_EQ(shown[1].title, Gbk("提示"));
}

TEST(ShowMessage, AnswersOkWhenNothingCanShowIt)
{
    SetMessagePresenter(nullptr);
    EXPECT_EQ(ShowMessage(Text("a"), 36), MessageAnswer::Ok);
}

TEST(EndProgram, HandsTheCodeToTheInstalledHandler)
{
    int code = -100;
    SetEndProgramHandler([&](std::int32_t exitCode) { code = exitCode; });
    EndProgram(3);
    SetEndProgramHandler(nullptr);
    EXPECT_EQ(code, 3);
}
