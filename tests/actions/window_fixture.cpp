#include "window_fixture.h"

#include "app/main_window.h"
#include "platform/shell/shell_opener.h"
#include "platform/ui/report_list.h"
#include "support/gui_window.h"

#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>

void WindowFixture::SetUp()
{
    window = testsupport::CreateTestWindow();
    ASSERT_TRUE(window);
    ASSERT_TRUE(window->isVisible());
}

void WindowFixture::TearDown()
{
    Settle();
    window.reset();
}

int WindowFixture::AddRow(Text const& magnet, Text const& thunder)
{
    int const row = 超级列表框1::AppendRow();
    超级列表框1::SetCellText(row, 0, Text::Number(row + 1));
    超级列表框1::SetCellText(row, 1, Text("title ") + Text::Number(row + 1));
    超级列表框1::SetCellText(row, 5, magnet);
    超级列表框1::SetCellText(row, 6, thunder);
    return row;
}

QPoint WindowFixture::RowPoint(int row) const
{
    platform::ui::ReportList* const list = window->Widgets().list;
    return list->visualRect(list->model()->index(row, 1)).center();
}

void WindowFixture::LeftClickRow(int row)
{
    QTest::mouseClick(window->Widgets().list->viewport(), Qt::LeftButton, {}, RowPoint(row));
    Settle();
}

MenuSeen WindowFixture::RightClickAndPick(QPoint point, int item, Qt::MouseButton button)
{
    return RightClickAndPick(window->Widgets().list->viewport(), point, item, button);
}

MenuSeen WindowFixture::RightClickAndPick(QWidget* target, QPoint point, int item, Qt::MouseButton button)
{
    MenuSeen seen;
    // The menu runs its own loop inside the press; a timer of this thread gets into that loop.
    // It goes with this call, so it cannot act on a menu of a later one.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&poll, &seen, item, button] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr) {
            return;
        }
        poll.stop();
        seen.appeared = true;
        seen.topLeft = menu->geometry().topLeft();
        for (QAction* action : menu->actions()) {
            seen.items.push_back(action->isSeparator() ? QStringLiteral("-") : action->text());
        }
        if (item < 0 || item >= static_cast<int>(menu->actions().size())) {
            QTest::keyClick(menu, Qt::Key_Escape);
            return;
        }
        QTest::mouseClick(menu, button, {}, menu->actionGeometry(menu->actions()[item]).center());
    });
    poll.start(10);
    QTest::mouseClick(target, Qt::RightButton, {}, point);
    Settle();
    return seen;
}

void WindowFixture::Settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

std::vector<testsupport::OpenCall> WindowFixture::OpenedWithSentinel()
{
    testsupport::OpenCall const sentinel{Sentinel};
    std::size_t const before = opener.Calls().size();
    platform::shell::Open(Text(Sentinel));
    std::vector<testsupport::OpenCall> calls = opener.WaitForCalls(before + 1);
    for (int i = 0; i < 3 && std::find(calls.begin(), calls.end(), sentinel) == calls.end(); ++i) {
        calls = opener.WaitForCalls(calls.size() + 1);
    }
    std::erase(calls, sentinel);
    return calls;
}
