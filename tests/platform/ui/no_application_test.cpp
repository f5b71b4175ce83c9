#include "platform/ui/busy_wait.h"
#include "platform/ui/message_box.h"
#include "platform/ui/popup_menu.h"

#include <gtest/gtest.h>

#include <thread>

#include <QCoreApplication>
#include <QPoint>

namespace {

// Run by its own ctest entry, before anything has made the application.
TEST(NoApplication, NothingIsShownAndTransfersRunInline)
{
    if (QCoreApplication::instance() != nullptr) {
        GTEST_SKIP() << "another test made the application; its own ctest entry runs this alone";
    }
    EXPECT_EQ(platform::ui::PresentMessageBox(Text("x"), 36, Text("t")), MessageAnswer::Ok);
    EXPECT_EQ(platform::ui::PopUpMenu({Text("a"), Text("-"), Text("b")}, QPoint(3, 3)), -1);

    std::thread::id ranOn;
    platform::ui::RunWhileBusy([&] { ranOn = std::this_thread::get_id(); });
    EXPECT_EQ(ranOn, std::this_thread::get_id());
    EXPECT_FALSE(platform::ui::IsBusy());
    EXPECT_FALSE(platform::ui::InstallPlatformTranslations());
}

} // namespace
