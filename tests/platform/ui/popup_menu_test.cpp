#include "platform/ui/popup_menu.h"

#include "common/gbk_literal.h"
#include "support/gui_fixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <thread>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPoint>
#include <QTest>
#include <QTimer>

namespace {

std::vector<Text> Items()
{
    return {Gbk("磁力链接下载->"), Gbk("复制磁力链接"), Gbk("迅雷链接下载->"), Gbk("复制迅雷链接"), Text("-"),
            Gbk("批量导出种子")};
}

QPoint const At(120, 90);

// Pops the menu up and, once it is up, hands it to `act`, which picks or closes it.
int PopUp(std::vector<Text> const& items, std::function<void(QMenu&)> const& act)
{
    QTimer poll;
    poll.setInterval(5);
    bool seen = false;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr || !menu->isVisible() || seen) {
            return;
        }
        seen = true;
        poll.stop();
        act(*menu);
    });
    poll.start();
    int const picked = platform::ui::PopUpMenu(items, At);
    EXPECT_TRUE(seen);
    return picked;
}

void Click(QMenu& menu, int actionIndex, Qt::MouseButton button)
{
    QAction* const action = menu.actions().at(actionIndex);
    QTest::mouseClick(&menu, button, Qt::NoModifier, menu.actionGeometry(action).center());
}

void Keys(QMenu& menu, std::vector<Qt::Key> const& keys)
{
    for (Qt::Key const key : keys) {
        QTest::keyClick(&menu, key);
    }
}

class PopupMenuTest : public ::testing::Test {
protected:
    void SetUp() override { (void)testsupport::EnsureTestApplication(); }
};

TEST_F(PopupMenuTest, ShowsTheItemsInOrderWithTheSeparatorAtTheGivenPlace)
{
    QStringList texts;
    std::vector<bool> separators;
    QPoint topLeft;
    int const picked = PopUp(Items(), [&](QMenu& menu) {
        for (QAction* action : menu.actions()) {
            texts << action->text();
            separators.push_back(action->isSeparator());
        }
        topLeft = menu.geometry().topLeft();
        menu.close();
    });
    EXPECT_EQ(picked, -1);
    EXPECT_EQ(texts, (QStringList{QString::fromUtf8("磁力链接下载->"), QString::fromUtf8("复制磁力链接"),
                                  QString::fromUtf8("迅雷链接下载->"), QString::fromUtf8("复制迅雷链接"),
                                  QString(), QString::fromUtf8("批量导出种子")}));
    EXPECT_EQ(separators, (std::vector<bool>{false, false, false, false, true, false}));
    EXPECT_EQ(topLeft, At);
}

TEST_F(PopupMenuTest, ReturnsTheIndexOfThePickedItem)
{
    struct Case {
        char const* how;
        std::function<void(QMenu&)> act;
        int picked;
    };
    std::vector<Case> const cases = {
        {"left click", [](QMenu& m) { Click(m, 1, Qt::LeftButton); }, 1},
        {"right click", [](QMenu& m) { Click(m, 3, Qt::RightButton); }, 3},
        {"right click on the last", [](QMenu& m) { Click(m, 5, Qt::RightButton); }, 5},
        {"Down Enter", [](QMenu& m) { Keys(m, {Qt::Key_Down, Qt::Key_Return}); }, 0},
        // The separator is skipped: the fifth Down lands on the item after it.
        {"Down x5 Enter", [](QMenu& m) { Keys(m, {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down,
                                                 Qt::Key_Down, Qt::Key_Return}); }, 5},
        {"Up Enter", [](QMenu& m) { Keys(m, {Qt::Key_Up, Qt::Key_Return}); }, 5},
        {"Esc", [](QMenu& m) { Keys(m, {Qt::Key_Escape}); }, -1},
        {"click outside", [](QMenu& m) {
             QTest::mouseClick(&m, Qt::LeftButton, Qt::NoModifier, QPoint(-40, -40));
         }, -1},
    };
    for (auto const& [how, act, expected] : cases) {
        EXPECT_EQ(PopUp(Items(), act), expected) << how;
    }
}

TEST_F(PopupMenuTest, SeparatorCannotBePicked)
{
    bool stillOpen = false;
    int const picked = PopUp(Items(), [&](QMenu& menu) {
        Click(menu, 4, Qt::LeftButton);
        Click(menu, 4, Qt::RightButton);
        stillOpen = menu.isVisible();
        Keys(menu, {Qt::Key_Escape});
    });
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(picked, -1);
}

TEST_F(PopupMenuTest, LeavesNoMenuBehind)
{
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(PopUp(Items(), [](QMenu& menu) { Click(menu, 0, Qt::LeftButton); }), 0);
    }
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        EXPECT_EQ(qobject_cast<QMenu*>(widget), nullptr);
    }
}

TEST_F(PopupMenuTest, OffTheGuiThreadNothingIsShown)
{
    int picked = 0;
    std::thread([&] { picked = platform::ui::PopUpMenu(Items(), At); }).join();
    EXPECT_EQ(picked, -1);
}

} // namespace
