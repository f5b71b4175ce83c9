#pragma once

#include "common/text.h"

#include <vector>

#include <QFrame>
#include <QLabel>

namespace platform::ui {

// A status bar of sunken panes, docked to the bottom edge of its parent across its whole width,
// its height following its font. No size grip; the strip right of the last pane stays empty.
class StatusBar : public QFrame {
public:
    // The right edge of each pane, left to right, in pixels.
    StatusBar(std::vector<int> const& paneRightEdges, QWidget* parent);

    // A pane outside 0..PaneCount()-1 changes nothing.
    void SetPaneText(int pane, Text const& text);
    [[nodiscard]] Text PaneText(int pane) const;
    [[nodiscard]] int PaneCount() const noexcept { return static_cast<int>(panes_.size()); }
    [[nodiscard]] QLabel const* Pane(int pane) const;

    // Takes the bottom strip of the parent's client area.
    void Dock();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void LayOutPanes();

    std::vector<int> rightEdges_;
    std::vector<QLabel*> panes_;
    std::vector<Text> texts_;
};

} // namespace platform::ui
