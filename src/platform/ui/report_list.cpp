#include "platform/ui/report_list.h"

#include <algorithm>
#include <utility>

#include <QEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPalette>

namespace platform::ui {

namespace {

std::vector<ReportListModel::Column> ModelColumns(std::vector<ReportList::Column> const& columns)
{
    std::vector<ReportListModel::Column> result;
    result.reserve(columns.size());
    for (auto const& column : columns) {
        result.push_back({column.title, column.alignment});
    }
    return result;
}

} // namespace

ReportList::ReportList(std::vector<Column> const& columns, QWidget* parent)
    : QTableView(parent), model_(new ReportListModel(ModelColumns(columns), this))
{
    setModel(model_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    setShowGrid(true);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    // Tab belongs to the window, which moves the focus on.
    setTabKeyNavigation(false);
    setFocusPolicy(Qt::StrongFocus);
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    verticalHeader()->hide();
    focusedPalette_ = palette();
    ShowSelection(false);

    QHeaderView* header = horizontalHeader();
    header->setMinimumSectionSize(0);
    header->setHighlightSections(false);
    header->setSortIndicatorShown(false);
    header->setStretchLastSection(false);
    header->setSectionsClickable(true);
    // QTableView selects a whole column when its header is pressed; a header press does nothing here.
    (void)disconnect(header, SIGNAL(sectionPressed(int)), this, nullptr);
    (void)disconnect(header, SIGNAL(sectionEntered(int)), this, nullptr);
    for (std::size_t i = 0; i < columns.size(); ++i) {
        header->resizeSection(static_cast<int>(i), columns[i].width);
    }
}

void ReportList::changeEvent(QEvent* event)
{
    QTableView::changeEvent(event);
    // The column header uses the list's font, which the style would otherwise set apart.
    if (event->type() == QEvent::FontChange) {
        horizontalHeader()->setFont(font());
        // Rows as high as a line of the font with a little room, as report lists draw them.
        verticalHeader()->setMinimumSectionSize(0);
        verticalHeader()->setDefaultSectionSize(QFontMetrics(font()).height() + 4);
    }
}

void ReportList::RemoveAllRows() { model_->RemoveAllRows(); }

int ReportList::AppendRow() { return model_->AppendRow(); }

void ReportList::SetCellText(int row, int column, Text const& text) { model_->SetCellText(row, column, text); }

int ReportList::RowCount() const { return model_->RowCount(); }

Text ReportList::CellText(int row, int column) const { return model_->CellText(row, column); }

int ReportList::CurrentSelection() const
{
    int lowest = -1;
    for (QModelIndex const& index : selectionModel()->selectedIndexes()) {
        if (lowest < 0 || index.row() < lowest) {
            lowest = index.row();
        }
    }
    return lowest;
}

void ReportList::focusInEvent(QFocusEvent* event)
{
    ShowSelection(true);
    QTableView::focusInEvent(event);
}

void ReportList::focusOutEvent(QFocusEvent* event)
{
    QTableView::focusOutEvent(event);
    ShowSelection(false);
}

void ReportList::ShowSelection(bool shown)
{
    // The view and the style both draw the selection from the palette, so a selected row without
    // the focus is drawn in the colours of an unselected one.
    if (shown) {
        setPalette(focusedPalette_);
    } else {
        QPalette hidden = focusedPalette_;
        for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            hidden.setColor(group, QPalette::Highlight, focusedPalette_.color(group, QPalette::Base));
            hidden.setColor(group, QPalette::HighlightedText, focusedPalette_.color(group, QPalette::Text));
        }
        setPalette(hidden);
    }
    viewport()->update();
}

} // namespace platform::ui
