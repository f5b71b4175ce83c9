#include "platform/ui/status_bar.h"

#include "platform/ui/gbk_qstring.h"

#include <QEvent>
#include <QFontMetrics>

namespace platform::ui {

namespace {
// Room above and below the text inside a pane's sunken border.
constexpr int verticalPadding = 6;
} // namespace

StatusBar::StatusBar(std::vector<int> const& paneRightEdges, QWidget* parent)
    : QFrame(parent), rightEdges_(paneRightEdges), texts_(paneRightEdges.size())
{
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::NoFocus);
    // Opaque: it lies over the lower rows of the list.
    setAutoFillBackground(true);
    for (std::size_t i = 0; i < rightEdges_.size(); ++i) {
        auto* pane = new QLabel(this);
        pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        pane->setTextFormat(Qt::PlainText);
        pane->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        pane->setFocusPolicy(Qt::NoFocus);
        panes_.push_back(pane);
    }
    if (parent != nullptr) {
        parent->installEventFilter(this);
    }
    Dock();
}

void StatusBar::SetPaneText(int pane, Text const& text)
{
    if (pane < 0 || pane >= PaneCount()) {
        return;
    }
    texts_[static_cast<std::size_t>(pane)] = text;
    panes_[static_cast<std::size_t>(pane)]->setText(ToQString(text));
}

Text StatusBar::PaneText(int pane) const
{
    if (pane < 0 || pane >= PaneCount()) {
        return Text();
    }
    return texts_[static_cast<std::size_t>(pane)];
}

QLabel const* StatusBar::Pane(int pane) const
{
    if (pane < 0 || pane >= PaneCount()) {
        return nullptr;
    }
    return panes_[static_cast<std::size_t>(pane)];
}

void StatusBar::Dock()
{
    QWidget const* parent = parentWidget();
    if (parent == nullptr) {
        return;
    }
    int const height = QFontMetrics(font()).height() + verticalPadding;
    setGeometry(0, parent->height() - height, parent->width(), height);
    LayOutPanes();
}

bool StatusBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize) {
        Dock();
    }
    return QFrame::eventFilter(watched, event);
}

void StatusBar::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange) {
        Dock();
    }
    QFrame::changeEvent(event);
}

void StatusBar::LayOutPanes()
{
    int left = 0;
    for (std::size_t i = 0; i < panes_.size(); ++i) {
        panes_[i]->setGeometry(left, 0, rightEdges_[i] - left, height());
        left = rightEdges_[i];
    }
}

} // namespace platform::ui
