#pragma once

#include "common/text.h"
#include "platform/ui/report_list_model.h"

#include <vector>

#include <QPalette>
#include <QTableView>

namespace platform::ui {

// A report-style list: a header of fixed columns over rows of Text, grid lines, one selected
// row at a time, selected in full, no sorting, no editing. The selection is drawn only while the
// list has the focus. Header items press like buttons and do nothing.
class ReportList : public QTableView {
public:
    struct Column {
        Text title;
        int width = 0;
        Qt::Alignment alignment = Qt::AlignLeft;
    };

    ReportList(std::vector<Column> const& columns, QWidget* parent);

    void RemoveAllRows();
    [[nodiscard]] int AppendRow();
    void SetCellText(int row, int column, Text const& text);
    [[nodiscard]] int RowCount() const;
    [[nodiscard]] Text CellText(int row, int column) const;
    // The lowest-numbered selected row, or -1.
    [[nodiscard]] int CurrentSelection() const;

    [[nodiscard]] ReportListModel& Model() noexcept { return *model_; }

protected:
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void ShowSelection(bool shown);

    ReportListModel* model_;
    QPalette focusedPalette_;
};

} // namespace platform::ui
