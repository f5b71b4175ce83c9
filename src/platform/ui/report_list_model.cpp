#include "platform/ui/report_list_model.h"

#include "platform/ui/gbk_qstring.h"

#include <utility>

#include <QByteArray>

namespace platform::ui {

ReportListModel::ReportListModel(std::vector<Column> columns, QObject* parent)
    : QAbstractTableModel(parent), columns_(std::move(columns))
{
}

void ReportListModel::RemoveAllRows()
{
    if (rows_.empty()) {
        return;
    }
    beginResetModel();
    rows_.clear();
    endResetModel();
}

int ReportListModel::AppendRow()
{
    int const row = static_cast<int>(rows_.size());
    beginInsertRows(QModelIndex(), row, row);
    rows_.emplace_back(columns_.size());
    endInsertRows();
    return row;
}

void ReportListModel::SetCellText(int row, int column, Text const& text)
{
    if (!Contains(row, column)) {
        return;
    }
    rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = text;
    QModelIndex const cell = index(row, column);
    emit dataChanged(cell, cell, {Qt::DisplayRole, RawBytesRole});
}

int ReportListModel::RowCount() const { return static_cast<int>(rows_.size()); }

Text ReportListModel::CellText(int row, int column) const
{
    if (!Contains(row, column)) {
        return Text();
    }
    return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

int ReportListModel::rowCount(QModelIndex const& parent) const
{
    return parent.isValid() ? 0 : RowCount();
}

int ReportListModel::columnCount(QModelIndex const& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant ReportListModel::data(QModelIndex const& index, int role) const
{
    if (!index.isValid() || !Contains(index.row(), index.column())) {
        return {};
    }
    switch (role) {
    case Qt::DisplayRole:
        return ToQString(CellText(index.row(), index.column()));
    case RawBytesRole: {
        Text const& cell = rows_[static_cast<std::size_t>(index.row())][static_cast<std::size_t>(index.column())];
        return QByteArray(cell.Bytes().data(), static_cast<qsizetype>(cell.Size()));
    }
    case Qt::TextAlignmentRole:
        return static_cast<int>(columns_[static_cast<std::size_t>(index.column())].alignment | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant ReportListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= static_cast<int>(columns_.size())) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    auto const& column = columns_[static_cast<std::size_t>(section)];
    switch (role) {
    case Qt::DisplayRole:
        return ToQString(column.title);
    case Qt::TextAlignmentRole:
        return static_cast<int>(column.alignment | Qt::AlignVCenter);
    default:
        return {};
    }
}

Qt::ItemFlags ReportListModel::flags(QModelIndex const& index) const
{
    // Selectable, never editable.
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

bool ReportListModel::Contains(int row, int column) const
{
    return row >= 0 && row < static_cast<int>(rows_.size()) && column >= 0 &&
           column < static_cast<int>(columns_.size());
}

} // namespace platform::ui
