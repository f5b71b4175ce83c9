#pragma once

#include "app/main_window_view.h"
#include "common/text.h"
#include "support/gui_fixture.h"
#include "support/xdg_open_recorder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <QPoint>
#include <QString>

class QWidget;

// What the link menu looked like when it popped up.
struct MenuSeen {
    bool appeared = false;
    QPoint topLeft;
    std::vector<QString> items;
};

// The real main window on the test application, a recording xdg-open first on PATH and a
// scripted message box. Rows are put into the list the way the search puts them there.
class WindowFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A row with a title to click on, the magnet link in column 5 and the Thunder link in 6.
    int AddRow(Text const& magnet, Text const& thunder);
    // The centre of `row`'s title cell, in the list viewport's coordinates.
    [[nodiscard]] QPoint RowPoint(int row) const;
    void LeftClickRow(int row);
    // A right-button press and release over `point` of the list viewport; while the link menu is
    // up, item `item` (0-based; -1: none, the menu is closed with Esc) is clicked with `button`.
    // Then the posted command runs.
    MenuSeen RightClickAndPick(QPoint point, int item, Qt::MouseButton button = Qt::LeftButton);
    // The same over any widget of the window.
    MenuSeen RightClickAndPick(QWidget* target, QPoint point, int item, Qt::MouseButton button = Qt::LeftButton);
    // Lets posted commands run.
    static void Settle();
    // Opens a last target and waits for it: once it is recorded, anything opened before it is
    // too, so the records show everything that was opened.
    [[nodiscard]] std::vector<testsupport::OpenCall> OpenedWithSentinel();

    testsupport::XdgOpenRecorder opener;
    testsupport::ScriptedPresenter presenter;
    std::unique_ptr<MainWindowView> window;

    static constexpr char const* Sentinel = "magnet:?sentinel";
};
