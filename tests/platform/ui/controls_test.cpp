#include "common/gbk_literal.h"
#include "platform/ui/edit_box.h"
#include "platform/ui/export_buffer.h"
#include "platform/ui/gbk_qstring.h"
#include "platform/ui/report_list.h"
#include "platform/ui/status_bar.h"
#include "support/gui_fixture.h"

#include <gtest/gtest.h>

#include <string>

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QPushButton>
#include <QTest>
#include <QWidget>

namespace {

using platform::ui::ReportList;

std::string EveryByteBut0(std::size_t size)
{
    // Lead and trail bytes of GBK, ASCII and bytes GBK does not define, all kept as they are.
    std::string bytes;
    for (std::size_t i = 0; bytes.size() < size; ++i) {
        bytes.push_back(static_cast<char>(1 + i % 255));
    }
    return bytes;
}

std::vector<ReportList::Column> ThreeColumns()
{
    return {{Gbk("序号"), 50, Qt::AlignLeft}, {Gbk("文件大小"), 80, Qt::AlignHCenter}, {Gbk("磁"), 0, Qt::AlignLeft}};
}

TEST(ReportList, CellsReturnTheExactBytesTheyWereGiven)
{
    (void)testsupport::EnsureTestApplication();
    QWidget parent;
    ReportList list(ThreeColumns(), &parent);
    ASSERT_EQ(list.AppendRow(), 0);
    ASSERT_EQ(list.AppendRow(), 1);

    Text const long_(EveryByteBut0(6000));
    Text const chinese = Gbk("片名：测试 ABC");
    list.SetCellText(1, 2, long_);
    list.SetCellText(0, 1, chinese);
    EXPECT_EQ(list.CellText(1, 2), long_);
    EXPECT_EQ(list.CellText(1, 2).Size(), 6000U);
    EXPECT_EQ(list.CellText(0, 1), chinese);
    auto const raw = list.model()->index(1, 2).data(platform::ui::ReportListModel::RawBytesRole).toByteArray();
    EXPECT_EQ(std::string(raw.constData(), static_cast<std::size_t>(raw.size())), std::string(long_.Bytes()));
    // What is shown is derived from the GBK bytes.
    EXPECT_EQ(list.model()->index(0, 1).data().toString(), QString::fromUtf8("片名：测试 ABC"));

    // Cells and rows that do not exist: reads give the empty text, writes change nothing.
    for (auto const& [row, column] : {std::pair{-1, 0}, {2, 0}, {0, 3}, {0, -1}}) {
        list.SetCellText(row, column, chinese);
        EXPECT_EQ(list.CellText(row, column), Text()) << row << "," << column;
    }
    EXPECT_EQ(list.RowCount(), 2);
    EXPECT_EQ(list.CellText(0, 0), Text());

    list.RemoveAllRows();
    EXPECT_EQ(list.RowCount(), 0);
    EXPECT_EQ(list.CellText(1, 2), Text());
    EXPECT_EQ(list.AppendRow(), 0);
}

TEST(ReportList, SelectsOneWholeRowAndReportsIt)
{
    (void)testsupport::EnsureTestApplication();
    QWidget parent;
    ReportList list(ThreeColumns(), &parent);
    EXPECT_EQ(list.CurrentSelection(), -1);
    for (int i = 0; i < 3; ++i) {
        (void)list.AppendRow();
    }
    list.selectRow(2);
    EXPECT_EQ(list.CurrentSelection(), 2);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualRect(list.model()->index(1, 0)).center());
    // Single selection: the new row replaces the old one, whole.
    EXPECT_EQ(list.CurrentSelection(), 1);
    EXPECT_EQ(list.selectionModel()->selectedRows().size(), 1);
    EXPECT_EQ(list.selectionModel()->selectedIndexes().size(), 3);
}

TEST(ReportList, HeaderShowsTitlesWidthsAlignmentsAndIgnoresClicks)
{
    (void)testsupport::EnsureTestApplication();
    QWidget parent;
    parent.resize(400, 300);
    ReportList list(ThreeColumns(), &parent);
    list.setGeometry(0, 0, 400, 300);
    parent.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
    for (int i = 0; i < 2; ++i) {
        (void)list.AppendRow();
    }
    QHeaderView* header = list.horizontalHeader();
    EXPECT_EQ(header->sectionSize(0), 50);
    EXPECT_EQ(header->sectionSize(1), 80);
    EXPECT_EQ(header->sectionSize(2), 0);
    EXPECT_EQ(list.model()->headerData(1, Qt::Horizontal).toString(), QString::fromUtf8("文件大小"));
    EXPECT_EQ(list.model()->headerData(1, Qt::Horizontal, Qt::TextAlignmentRole).toInt() & Qt::AlignHorizontal_Mask,
              Qt::AlignHCenter);
    EXPECT_EQ(list.model()->index(0, 1).data(Qt::TextAlignmentRole).toInt() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(list.model()->index(0, 0).data(Qt::TextAlignmentRole).toInt() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    EXPECT_FALSE(list.verticalHeader()->isVisible());
    EXPECT_TRUE(list.showGrid());
    EXPECT_FALSE(list.isSortingEnabled());
    EXPECT_FALSE(list.model()->index(0, 0).flags().testFlag(Qt::ItemIsEditable));

    // A header click neither sorts nor selects the column.
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionPosition(1) + 10, 5));
    EXPECT_EQ(list.CurrentSelection(), -1);
    EXPECT_TRUE(list.selectionModel()->selectedIndexes().isEmpty());
}

TEST(ReportList, DrawsTheSelectionOnlyWhileFocused)
{
    (void)testsupport::EnsureTestApplication();
    QWidget parent;
    parent.resize(300, 200);
    ReportList list(ThreeColumns(), &parent);
    list.setGeometry(0, 0, 200, 200);
    QPushButton elsewhere(&parent);
    elsewhere.setGeometry(210, 0, 80, 30);
    parent.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&parent));
    (void)list.AppendRow();
    (void)list.AppendRow();
    QRect const rowArea = list.visualRect(list.model()->index(0, 1));

    elsewhere.setFocus();
    QImage const unselected = list.viewport()->grab(rowArea).toImage();
    list.selectRow(0);
    elsewhere.setFocus();
    QImage const selectedUnfocused = list.viewport()->grab(rowArea).toImage();
    list.setFocus();
    ASSERT_TRUE(list.hasFocus());
    QImage const selectedFocused = list.viewport()->grab(rowArea).toImage();

    EXPECT_EQ(selectedUnfocused, unselected);
    EXPECT_NE(selectedFocused, unselected);
    EXPECT_EQ(list.CurrentSelection(), 0);
}

TEST(ExportBuffer, KeepsEveryByteBeyond64KilobytesAndStaysHidden)
{
    (void)testsupport::EnsureTestApplication();
    QWidget parent;
    platform::ui::ExportBuffer buffer(&parent);
    std::string expected;
    Text const record = Gbk("片名 测试\r\n文件大小:1.5 GB  文件类型:视频\r\n\r\n") + Text(EveryByteBut0(300));
    while (expected.size() < 200 * 1024) {
        buffer.AppendText(record);
        expected += record.Bytes();
    }
    EXPECT_EQ(buffer.Content().Bytes(), expected);
    EXPECT_GT(buffer.Content().Size(), 65536U);
    EXPECT_NE(buffer.Content().Bytes().find("\r\n\r\n"), std::string_view::npos);

    parent.show();
    buffer.show();
    buffer.setVisible(true);
    EXPECT_FALSE(buffer.isVisible());
    EXPECT_FALSE(buffer.isVisibleTo(&parent));
}

TEST(EditBox, HoldsMoreThanQtsDefaultLimitAndHidesTheSelectionWithoutFocus)
{
    (void)testsupport::EnsureTestApplication();
    QWidget parent;
    parent.resize(400, 100);
    platform::ui::EditBox box(&parent);
    box.setGeometry(0, 0, 300, 27);
    QPushButton elsewhere(&parent);
    elsewhere.setGeometry(310, 0, 80, 30);
    parent.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&parent));

    Text const long_ = Text(std::string(40000, 'a')) + Gbk("中文");
    box.SetContent(long_);
    EXPECT_EQ(box.Content(), long_);
    EXPECT_EQ(box.Content().Size(), 40004U);

    box.SetContent(Gbk("关键字 keyword"));
    box.setFocus();
    QImage const plainFocused = box.grab().toImage();
    box.selectAll();
    QImage const selectedFocused = box.grab().toImage();
    elsewhere.setFocus();
    QImage const selectedUnfocused = box.grab().toImage();
    EXPECT_NE(selectedFocused, plainFocused);
    // Kept but not drawn: the box looks as if nothing were selected (no cursor without focus).
    EXPECT_TRUE(box.hasSelectedText());
    box.setFocus();
    EXPECT_EQ(box.selectedText(), QString::fromUtf8("关键字 keyword"));
    elsewhere.setFocus();
    box.deselect();
    EXPECT_EQ(box.grab().toImage(), selectedUnfocused);
}

TEST(StatusBar, DocksToTheBottomWithSunkenPanes)
{
    (void)testsupport::EnsureTestApplication();
    QWidget parent;
    parent.resize(500, 300);
    platform::ui::StatusBar bar({150, 300}, &parent);
    parent.show();
    bar.SetPaneText(0, Gbk("共获取："));
    bar.SetPaneText(5, Gbk("x"));
    bar.SetPaneText(-1, Gbk("x"));
    EXPECT_EQ(bar.PaneText(0), Gbk("共获取："));
    EXPECT_EQ(bar.PaneText(1), Text());
    EXPECT_EQ(bar.PaneText(5), Text());
    EXPECT_EQ(bar.geometry().bottom(), parent.height() - 1);
    EXPECT_EQ(bar.width(), 500);
    EXPECT_EQ(bar.Pane(0)->geometry(), QRect(0, 0, 150, bar.height()));
    EXPECT_EQ(bar.Pane(1)->geometry(), QRect(150, 0, 150, bar.height()));
    EXPECT_EQ(bar.Pane(1)->frameShadow(), QFrame::Sunken);
    EXPECT_EQ(bar.Pane(0)->text(), QString::fromUtf8("共获取："));
    parent.resize(600, 200);
    EXPECT_EQ(bar.geometry().bottom(), 199);
    EXPECT_EQ(bar.width(), 600);
}

TEST(GbkQString, ConvertsBothWays)
{
    for (auto const& [utf8, gbkBytes] : {std::pair<char const*, std::string>{"搜索：", "\xCB\xD1\xCB\xF7\xA3\xBA"},
                                         {"abc", "abc"},
                                         {"", ""}}) {
        EXPECT_EQ(platform::ui::ToQString(Text(gbkBytes)), QString::fromUtf8(utf8));
        EXPECT_EQ(platform::ui::ToText(QString::fromUtf8(utf8)), Text(gbkBytes));
    }
    // A character GBK cannot hold becomes "?".
    EXPECT_EQ(platform::ui::ToText(QString::fromUtf8("a😀b")), Text("a?b"));
}

}  // namespace
