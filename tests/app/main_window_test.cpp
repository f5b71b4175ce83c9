#include "app/main_window.h"
#include "app/main_window_view.h"
#include "common/gbk_literal.h"
#include "common/hosts.h"
#include "platform/ui/control_font.h"
#include "platform/ui/edit_box.h"
#include "platform/ui/export_buffer.h"
#include "platform/ui/push_button.h"
#include "platform/ui/report_list.h"
#include "platform/ui/static_label.h"
#include "platform/ui/status_bar.h"
#include "support/gui_fixture.h"
#include "support/gui_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QScreen>
#include <QTest>

namespace {

using testsupport::CreateTestWindow;

QWidget* Named(MainWindowView& window, char const* name)
{
    return window.findChild<QWidget*>(QString::fromUtf8(name), Qt::FindDirectChildrenOnly);
}

TEST(MainWindow, ShowsCaptionSizeAndCentredPosition)
{
    auto window = CreateTestWindow();
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Tolvane v2.0"));
    EXPECT_EQ(window->Caption(), Gbk("Tolvane v2.0"));
    // No window manager on offscreen: the outer size is the client area.
    EXPECT_EQ(window->frameGeometry().size(), QSize(900, 410));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    QRect const screen = QGuiApplication::primaryScreen()->geometry();
    QPoint const centred(screen.x() + (screen.width() - 900) / 2, screen.y() + (screen.height() - 410) / 2);
    EXPECT_EQ(window->frameGeometry().topLeft(), centred);
    EXPECT_EQ(window->CentredPosition(), QPoint(510, 335));
    Qt::WindowFlags const flags = window->windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowStaysOnTopHint));
    for (int const size : {16, 24, 32, 48, 64, 96, 128}) {
        EXPECT_EQ(window->windowIcon().pixmap(size, size).size(), QSize(size, size)) << size;
    }
}

}  // namespace
