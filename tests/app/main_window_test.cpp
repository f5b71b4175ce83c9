#include "app/main_window.h"
#include "app/main_window_view.h"
#include "common/gbk_literal.h"
#include "common/hosts.h"
#include "platform/ui/edit_box.h"
#include "platform/ui/export_buffer.h"
#include "platform/ui/push_button.h"
#include "platform/ui/report_list.h"
#include "platform/ui/static_label.h"
#include "platform/ui/status_bar.h"
#include "support/gui_fixture.h"
#include "support/gui_window.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTest>
#include <QTimer>

namespace {

using testsupport::CreateTestWindow;
using testsupport::ScriptedPresenter;

QWidget* Named(MainWindowView const& window, std::string const& name)
{
    return window.findChild<QWidget*>(QString::fromStdString(name), Qt::FindDirectChildrenOnly);
}

TEST(MainWindow, ShowsCaptionSizeAndCentredPosition)
{
    auto window = CreateTestWindow();
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Tolvane v2.0"));
    EXPECT_EQ(window->Caption(), Gbk("Tolvane v2.0"));
    // The offscreen platform draws a 2-pixel frame: the frame is 900 x 410, the client area inside.
    QMargins const frame = window->windowHandle()->frameMargins();
    EXPECT_EQ(window->frameGeometry().size(), QSize(900, 410));
    EXPECT_EQ(window->size(), QSize(900 - frame.left() - frame.right(), 410 - frame.top() - frame.bottom()));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    QRect const screen = QGuiApplication::primaryScreen()->geometry();
    ASSERT_EQ(screen.size(), QSize(1920, 1080));
    EXPECT_EQ(window->frameGeometry().topLeft(), QPoint(510, 335));
    Qt::WindowFlags const flags = window->windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowSystemMenuHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(window->parentWidget(), nullptr);
    EXPECT_EQ(window->findChild<QMenuBar*>(), nullptr);
    for (int const size : {16, 24, 32, 48, 64, 96, 128}) {
        EXPECT_EQ(window->windowIcon().pixmap(size, size).size(), QSize(size, size)) << size;
    }
}

TEST(MainWindow, HasTheDescribedControlsTextsAndFonts)
{
    auto window = CreateTestWindow();
    ASSERT_TRUE(window);
    auto const& w = window->Widgets();
    struct Expected {
        std::string name;
        QWidget* widget;
        std::optional<QRect> geometry;
        bool visible;
        bool tabStop;
        bool controlFont;
    };
    std::vector<Expected> const controls{
        {"状态条1", w.statusBar, std::nullopt, true, false, true},
        {"按钮_批量导出种子", w.exportButton, QRect(765, 4, 115, 27), true, true, true},
        {"按钮_搜索", w.searchButton, QRect(640, 4, 115, 27), true, true, true},
        {"编辑框_搜索内容", w.searchBox, QRect(50, 5, 580, 27), true, true, false},
        {"标签1", w.label, QRect(8, 5, 40, 24), true, false, true},
        {"超级列表框1", w.list, QRect(0, 37, 912, 456), true, true, true},
        {"编辑框_临时存放", w.exportBuffer, QRect(40, 72, 760, 336), false, true, true},
    };
    for (auto const& [name, widget, geometry, visible, tabStop, controlFont] : controls) {
        SCOPED_TRACE(name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(Named(*window, name), widget);
        if (geometry) {
            EXPECT_EQ(widget->geometry(), *geometry);
        }
        EXPECT_EQ(widget->isVisible(), visible);
        EXPECT_TRUE(widget->isEnabled());
        if (!tabStop) {
            EXPECT_EQ(widget->focusPolicy(), Qt::NoFocus);
        }
        if (controlFont) {
            EXPECT_EQ(widget->font().pixelSize(), 14);
            EXPECT_EQ(widget->font().weight(), QFont::Normal);
            EXPECT_FALSE(widget->font().italic());
        } else {
            EXPECT_EQ(widget->font(), QApplication::font());
        }
    }
    EXPECT_EQ(window->font(), QApplication::font());
    EXPECT_EQ(w.list->horizontalHeader()->font().pixelSize(), 14);

    EXPECT_EQ(w.exportButton->Caption(), Gbk("批量导出种子=>>"));
    EXPECT_EQ(w.searchButton->Caption(), Gbk("种子搜索>>"));
    EXPECT_EQ(w.searchButton->text(), QString::fromUtf8("种子搜索>>"));
    EXPECT_FALSE(w.searchButton->isDefault() || w.searchButton->autoDefault());
    EXPECT_FALSE(w.exportButton->isDefault() || w.exportButton->autoDefault());
    EXPECT_EQ(w.searchBox->Content(), Text());
    EXPECT_GT(w.searchBox->maxLength(), 32767);
    EXPECT_EQ(w.label->Caption(), Gbk("搜索："));
    EXPECT_EQ(w.label->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(w.label->textFormat(), Qt::PlainText);
    QImage const label = w.label->grab().toImage();
    int redPixels = 0;
    for (int y = 0; y < label.height(); ++y) {
        for (int x = 0; x < label.width(); ++x) {
            QColor const c = label.pixelColor(x, y);
            redPixels += c.red() > 200 && c.green() < 90 && c.blue() < 90 ? 1 : 0;
        }
    }
    EXPECT_GT(redPixels, 10) << "the label's text is drawn in red";
    EXPECT_EQ(w.exportBuffer->Content(), Text());
    EXPECT_EQ(w.list->RowCount(), 0);

    // Docked to the bottom across the whole client area, above the list in stacking order.
    EXPECT_EQ(w.statusBar->geometry().bottom(), window->height() - 1);
    EXPECT_EQ(w.statusBar->width(), window->width());
    EXPECT_EQ(w.statusBar->PaneCount(), 2);
    EXPECT_EQ(w.statusBar->PaneText(0), Gbk("共获取："));
    EXPECT_EQ(w.statusBar->PaneText(1), Gbk("官网：") + MakerAddress());
    EXPECT_EQ(w.statusBar->Pane(0)->geometry().right(), 149);
    EXPECT_EQ(w.statusBar->Pane(1)->geometry().right(), 299);
    EXPECT_TRUE(w.statusBar->autoFillBackground());
    QPoint const overlap(20, w.statusBar->geometry().center().y());
    QWidget* top = window->childAt(overlap);
    ASSERT_NE(top, nullptr);
    EXPECT_TRUE(top == w.statusBar || w.statusBar->isAncestorOf(top));
    // Stacking follows the description: each control directly below the one before it.
    QList<QWidget*> const order = window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    std::vector<QWidget*> const expectedTopToBottom{w.statusBar, w.exportButton, w.searchButton, w.searchBox,
                                                     w.label, w.list, w.exportBuffer};
    std::vector<QWidget*> topToBottom(order.rbegin(), order.rend());
    EXPECT_EQ(topToBottom, expectedTopToBottom);

    // The list's columns.
    std::vector<std::tuple<char const*, int, Qt::Alignment>> const columns{
        {"序号", 50, Qt::AlignLeft},       {"片名", 600, Qt::AlignLeft},    {"文件大小", 80, Qt::AlignHCenter},
        {"文件类型", 80, Qt::AlignHCenter}, {"下载热度", 80, Qt::AlignHCenter}, {"磁", 0, Qt::AlignLeft},
        {"迅", 0, Qt::AlignLeft}};
    ASSERT_EQ(w.list->model()->columnCount(), 7);
    for (int c = 0; c < 7; ++c) {
        auto const& [title, width, alignment] = columns[static_cast<std::size_t>(c)];
        SCOPED_TRACE(c);
        EXPECT_EQ(w.list->model()->headerData(c, Qt::Horizontal).toString(), QString::fromUtf8(title));
        EXPECT_EQ(w.list->columnWidth(c), width);
        EXPECT_EQ(w.list->model()->headerData(c, Qt::Horizontal, Qt::TextAlignmentRole).toInt() &
                      Qt::AlignHorizontal_Mask,
                  static_cast<int>(alignment));
    }
    EXPECT_EQ(w.list->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(w.list->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_TRUE(w.list->showGrid());
}

TEST(MainWindow, FirstFocusIsOnTheListAndComesBackAfterReactivation)
{
    auto window = CreateTestWindow();
    ASSERT_TRUE(window);
    EXPECT_EQ(QApplication::focusWidget(), window->Widgets().list);

    window->Widgets().searchBox->setFocus();
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_EQ(QApplication::focusWidget(), window->Widgets().searchBox);
}

TEST(MainWindow, TabAndShiftTabWalkTheControlsInOrder)
{
    auto window = CreateTestWindow();
    ASSERT_TRUE(window);
    auto const& w = window->Widgets();
    std::vector<QWidget*> const forwards{w.searchBox, w.searchButton, w.exportButton, w.list, w.searchBox};
    for (QWidget* next : forwards) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next) << next->objectName().toStdString();
    }
    std::vector<QWidget*> const backwards{w.list, w.exportButton, w.searchButton, w.searchBox, w.list};
    for (QWidget* previous : backwards) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_EQ(QApplication::focusWidget(), previous) << previous->objectName().toStdString();
    }
    // Ctrl+Tab is not the window's: it goes to the control, and the focus stays.
    QTest::keyClick(w.list, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(QApplication::focusWidget(), w.list);
}

TEST(MainWindow, PlainEscapeFromEveryControlAsksToClose)
{
    auto window = CreateTestWindow();
    ASSERT_TRUE(window);
    ScriptedPresenter presenter;
    auto const& w = window->Widgets();
    for (QWidget* control : std::vector<QWidget*>{w.list, w.searchBox, w.searchButton, w.exportButton}) {
        SCOPED_TRACE(control->objectName().toStdString());
        control->setFocus();
        presenter.Clear();
        presenter.Answer(MessageAnswer::No);
        QTest::keyClick(control, Qt::Key_Escape);
        ASSERT_EQ(presenter.Shown().size(), 1U);
        EXPECT_EQ(presenter.Shown()[0].text, Gbk("是否退出？"));
        EXPECT_EQ(presenter.Shown()[0].flags, 36 | MessageFlags::TaskModal);
        EXPECT_EQ(presenter.Shown()[0].title, Gbk("Tolvane v2.0"));
        EXPECT_TRUE(window->isVisible());

        presenter.Clear();
        QTest::keyClick(control, Qt::Key_Escape, Qt::ShiftModifier);
        QTest::keyClick(control, Qt::Key_Escape, Qt::ControlModifier);
        EXPECT_TRUE(presenter.Shown().empty());
    }
}

// The search box's Enter runs the search; with an empty box the search answers with its hint,
// which makes every search that ran visible here.
TEST(MainWindow, EveryEnterInTheSearchBoxSearchesOnce)
{
    auto window = CreateTestWindow();
    ASSERT_TRUE(window);
    ScriptedPresenter presenter;
    auto const& w = window->Widgets();
    std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> const enters{
        {Qt::Key_Return, Qt::NoModifier},       {Qt::Key_Return, Qt::ControlModifier},
        {Qt::Key_Return, Qt::ShiftModifier},    {Qt::Key_Return, Qt::AltModifier},
        {Qt::Key_Enter, Qt::KeypadModifier},    {Qt::Key_Enter, Qt::KeypadModifier | Qt::ControlModifier},
        {Qt::Key_Enter, Qt::KeypadModifier | Qt::ShiftModifier}};
    for (auto const& [key, modifiers] : enters) {
        SCOPED_TRACE(static_cast<int>(key));
        SCOPED_TRACE(static_cast<int>(modifiers));
        w.list->setFocus();
        w.searchBox->setFocus();
        presenter.Clear();
        QTest::keyClick(w.searchBox, key, modifiers);
        ASSERT_EQ(presenter.Shown().size(), 1U);
        EXPECT_EQ(presenter.Shown()[0].text, Gbk("请输入要搜索的内容"));
        EXPECT_EQ(presenter.Shown()[0].flags, 64 | MessageFlags::TaskModal);
        EXPECT_EQ(presenter.Shown()[0].title, Gbk("提示"));
        EXPECT_EQ(QApplication::focusWidget(), w.searchBox);
    }
    // An auto-repeated Enter searches too, each press once.
    presenter.Clear();
    QTest::keyPress(w.searchBox, Qt::Key_Return);
    QTest::keyPress(w.searchBox, Qt::Key_Return, Qt::NoModifier, -1);
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), true);
    (void)QApplication::sendEvent(w.searchBox, &repeat);
    EXPECT_EQ(presenter.Shown().size(), 3U);

    // Other keys in the box, and Enter anywhere else, start nothing.
    presenter.Clear();
    for (Qt::Key const key : {Qt::Key_F1, Qt::Key_A, Qt::Key_Space, Qt::Key_Down}) {
        QTest::keyClick(w.searchBox, key);
    }
    for (QWidget* control : std::vector<QWidget*>{w.searchButton, w.exportButton, w.list}) {
        control->setFocus();
        QTest::keyClick(control, Qt::Key_Return);
        QTest::keyClick(control, Qt::Key_Enter, Qt::KeypadModifier);
        QTest::keyClick(control, Qt::Key_F1);
    }
    EXPECT_TRUE(presenter.Shown().empty());
}

TEST(MainWindow, SearchButtonClickSearches)
{
    auto window = CreateTestWindow();
    ASSERT_TRUE(window);
    ScriptedPresenter presenter;
    QTest::mouseClick(window->Widgets().searchButton, Qt::LeftButton);
    ASSERT_EQ(presenter.Shown().size(), 1U);
    EXPECT_EQ(presenter.Shown()[0].text, Gbk("请输入要搜索的内容"));
    EXPECT_EQ(QApplication::focusWidget(), window->Widgets().searchBox);
}

// Closes the next popup menu with Esc once it is up and records where it was. Stops watching
// when it goes out of scope.
class PopupWatch {
public:
    PopupWatch()
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
        timer_.start(10);
    }

    std::optional<QPoint> shownAt;
    std::vector<QString> items;

private:
    void Poll()
    {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr) {
            return;
        }
        timer_.stop();
        shownAt = menu->pos();
        for (QAction* action : menu->actions()) {
            items.push_back(action->isSeparator() ? QStringLiteral("-") : action->text());
        }
        QTest::keyClick(menu, Qt::Key_Escape);
    }

    QTimer timer_;
};

TEST(MainWindow, RightPressOnTheListPopsUpTheLinkMenuButNotOnItsHeader)
{
    auto window = CreateTestWindow();
    ASSERT_TRUE(window);
    auto* list = window->Widgets().list;
    QPoint const inViewport(100, 40);

    PopupWatch watch;
    QTest::mousePress(list->viewport(), Qt::RightButton, {}, inViewport);
    QTest::mouseRelease(list->viewport(), Qt::RightButton, {}, inViewport);
    ASSERT_TRUE(watch.shownAt.has_value());
    EXPECT_EQ(*watch.shownAt, list->viewport()->mapToGlobal(inViewport) + QPoint(3, 3));
    std::vector<QString> const items{QString::fromUtf8("磁力链接下载->"), QString::fromUtf8("复制磁力链接"),
                                     QString::fromUtf8("迅雷链接下载->"), QString::fromUtf8("复制迅雷链接"),
                                     QStringLiteral("-"), QString::fromUtf8("批量导出种子")};
    EXPECT_EQ(watch.items, items);

    PopupWatch header;
    QTest::mousePress(list->horizontalHeader()->viewport(), Qt::RightButton, {}, QPoint(20, 5));
    QTest::mouseRelease(list->horizontalHeader()->viewport(), Qt::RightButton, {}, QPoint(20, 5));
    QTest::qWait(50);
    EXPECT_FALSE(header.shownAt.has_value());
}

TEST(MainWindow, ControlOperationsReachTheControls)
{
    auto window = CreateTestWindow();
    ASSERT_TRUE(window);
    auto const& w = window->Widgets();
    Text const cell = Text(std::string(5000, 'm')) + Gbk("磁力");
    int const row = 超级列表框1::AppendRow();
    EXPECT_EQ(row, 0);
    超级列表框1::SetCellText(row, 5, cell);
    EXPECT_EQ(超级列表框1::CellText(0, 5), cell);
    EXPECT_EQ(超级列表框1::RowCount(), 1);
    EXPECT_EQ(超级列表框1::CurrentSelection(), -1);
    w.list->selectRow(0);
    EXPECT_EQ(超级列表框1::CurrentSelection(), 0);
    编辑框_临时存放::AppendText(Gbk("片名 一\r\n"));
    编辑框_临时存放::AppendText(Gbk("片名 二\r\n"));
    EXPECT_EQ(编辑框_临时存放::Content(), Gbk("片名 一\r\n片名 二\r\n"));
    按钮_搜索::SetCaption(Gbk("正在搜索>>>"));
    EXPECT_EQ(w.searchButton->text(), QString::fromUtf8("正在搜索>>>"));
    状态条1::SetPaneText(0, Gbk("共获取3条种子信息"));
    状态条1::SetPaneText(2, Gbk("x"));
    EXPECT_EQ(w.statusBar->PaneText(0), Gbk("共获取3条种子信息"));
    编辑框_搜索内容::Focus();
    EXPECT_EQ(QApplication::focusWidget(), w.searchBox);
    w.searchBox->setText(QString::fromUtf8("高清"));
    EXPECT_EQ(编辑框_搜索内容::Content(), Gbk("高清"));
    超级列表框1::RemoveAllRows();
    EXPECT_EQ(超级列表框1::RowCount(), 0);
    EXPECT_EQ(MainWindow::Caption(), Gbk("Tolvane v2.0"));

    window.reset();
    // With the window gone the operations are harmless.
    EXPECT_EQ(超级列表框1::AppendRow(), -1);
    EXPECT_EQ(编辑框_临时存放::Content(), Text());
}

}  // namespace

namespace {

// Picks the item `index` of the next popup menu with the mouse once it is up, while it lives.
class PopupPick {
public:
    explicit PopupPick(int index)
    {
        QObject::connect(&timer_, &QTimer::timeout, [this, index] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (menu == nullptr) {
                return;
            }
            timer_.stop();
            QAction* action = menu->actions().at(index);
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
        });
        timer_.start(10);
    }

private:
    QTimer timer_;
};

TEST(MainWindow, AMenuPickRunsAfterThePressReachedTheList)
{
    auto window = CreateTestWindow();
    ASSERT_TRUE(window);
    auto* list = window->Widgets().list;
    for (char const* magnet : {"magnet:?xt=urn:btih:AAAA", "magnet:?xt=urn:btih:BBBB"}) {
        int const row = window->AppendRow();
        window->SetCellText(row, 1, Gbk("片名"));
        window->SetCellText(row, 5, Text(magnet));
    }
    list->selectRow(0);
    QApplication::clipboard()->clear();
    QPoint const onSecondRow = list->visualRect(list->model()->index(1, 1)).center();

    PopupPick const pick(1); // 复制磁力链接
    QTest::mousePress(list->viewport(), Qt::RightButton, {}, onSecondRow);
    QTest::mouseRelease(list->viewport(), Qt::RightButton, {}, onSecondRow);
    // The press selected the row under it before the picked command ran.
    EXPECT_EQ(window->CurrentSelection(), 1);
    ASSERT_TRUE(testsupport::WaitUntil(
        [] { return QApplication::clipboard()->text() == QStringLiteral("magnet:?xt=urn:btih:BBBB"); }, 5000));
}

}  // namespace
