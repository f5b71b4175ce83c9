#pragma once

#include "common/text.h"

#include <vector>

#include <QAbstractTableModel>

namespace platform::ui {

// Rows of Text cells behind the report list. The cells keep exactly the bytes they were given;
// the displayed string is derived from them on every paint and never written back.
class ReportListModel : public QAbstractTableModel {
public:
    // The raw GBK bytes of a cell, as a QByteArray.
    static constexpr int RawBytesRole = Qt::UserRole + 1;

    struct Column {
        Text title;
        Qt::Alignment alignment = Qt::AlignLeft;
    };

    ReportListModel(std::vector<Column> columns, QObject* parent);

    void RemoveAllRows();
    // Appends an empty row; its 0-based index.
    [[nodiscard]] int AppendRow();
    // A row or column that does not exist changes nothing.
    void SetCellText(int row, int column, Text const& text);
    [[nodiscard]] int RowCount() const;
    // The whole cell; the empty text for a cell that does not exist.
    [[nodiscard]] Text CellText(int row, int column) const;

    [[nodiscard]] int rowCount(QModelIndex const& parent = QModelIndex()) const override;
    [[nodiscard]] int columnCount(QModelIndex const& parent = QModelIndex()) const override;
    [[nodiscard]] QVariant data(QModelIndex const& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    [[nodiscard]] Qt::ItemFlags flags(QModelIndex const& index) const override;

private:
    [[nodiscard]] bool Contains(int row, int column) const;

    std::vector<Column> columns_;
    std::vector<std::vector<Text>> rows_;
};

} // namespace platform::ui
