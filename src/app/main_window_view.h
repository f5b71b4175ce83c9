#pragma once

#include "app/event_table.h"
#include "app/main_window.h"
#include "app/window_description.h"
#include "common/text.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <vector>

#include <QEvent>
#include <QMargins>
#include <QPoint>
#include <QPointer>
#include <QWidget>

class QKeyEvent;

namespace platform::ui {
class EditBox;
class ExportBuffer;
class PushButton;
class ReportList;
class StaticLabel;
class StatusBar;
} // namespace platform::ui

// The live main window, built from its description, delivering its events to the event table.
//
// Every handler runs through one gate (Dispatch): while a handler runs, and above all while a
// fetch waits inside it, a close request or log-off query is held and replayed once the
// outermost handler has returned; key repeats that piled up during a wait are folded into one.
class MainWindowView : public QWidget, public MainWindowControls {
public:
    struct Controls {
        platform::ui::StatusBar* statusBar = nullptr;
        platform::ui::PushButton* exportButton = nullptr;
        platform::ui::PushButton* searchButton = nullptr;
        platform::ui::EditBox* searchBox = nullptr;
        platform::ui::StaticLabel* label = nullptr;
        platform::ui::ReportList* list = nullptr;
        platform::ui::ExportBuffer* exportBuffer = nullptr;
    };

    MainWindowView(WindowDescription const& description, EventTable table);
    ~MainWindowView() override;
    MainWindowView(MainWindowView const&) = delete;
    MainWindowView& operator=(MainWindowView const&) = delete;

    // The created event: runs `created` as a handler, before the window is first shown.
    void RaiseCreated(std::function<void()> const& created);

    // The session's log-off query. `mayInteract` asks the session for leave to show the question.
    // True lets the log-off go ahead. While a handler runs the answer is a refusal and the
    // question is asked once it has returned; Yes then ends the program.
    [[nodiscard]] bool AnswerLogOffQuery(std::function<bool()> const& mayInteract);

    [[nodiscard]] Controls const& Widgets() const noexcept { return controls_; }
    // Where the outer frame's top-left corner belongs: centred on the primary screen.
    [[nodiscard]] QPoint CentredPosition() const noexcept { return centred_; }
    // The controls the Tab key walks, in order.
    [[nodiscard]] std::vector<QWidget*> TabCycle() const;

    // MainWindowControls
    [[nodiscard]] Text Caption() const override;
    [[nodiscard]] Text SearchBoxContent() const override;
    void FocusSearchBox() override;
    [[nodiscard]] Text ExportBufferContent() const override;
    void AppendToExportBuffer(Text const& text) override;
    void SetSearchButtonCaption(Text const& caption) override;
    void SetStatusPaneText(int pane, Text const& text) override;
    void RemoveAllRows() override;
    [[nodiscard]] int AppendRow() override;
    void SetCellText(int row, int column, Text const& text) override;
    [[nodiscard]] int RowCount() const override;
    [[nodiscard]] Text CellText(int row, int column) const override;
    [[nodiscard]] int CurrentSelection() const override;
    void PopUpLinkMenu() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

public:
    // A key event kept back while the input held during a wait is delivered.
    struct HeldKey {
        QPointer<QWidget> target;
        QEvent::Type type = QEvent::KeyPress;
        int key = 0;
        Qt::KeyboardModifiers modifiers;
        QString text;
        bool autoRepeat = false;
        quint64 timestamp = 0;
        quint32 nativeScanCode = 0;
        quint32 nativeVirtualKey = 0;
        quint32 nativeModifiers = 0;
    };

private:
    void CreateControls(WindowDescription const& description);
    void Dispatch(std::function<void()> const& handler);
    [[nodiscard]] bool HandlerRunning() const;
    void DrainHeldInput();
    void SendHeldRepeat();
    void SendHeldRelease();
    void SendHeldKeys();
    void Send(HeldKey const& held);
    void TrackKeys(QEvent const* event);
    void ReplayHeldRequests();
    [[nodiscard]] bool FoldRepeat(QObject* watched, QEvent* event);
    [[nodiscard]] bool WindowKey(QKeyEvent const& key);
    void MoveFocus(int step);
    void FitOuterSizeToFrame();

    EventTable table_;
    Controls controls_;
    Text caption_;
    std::vector<Text> menuItems_;
    std::vector<QWidget*> tabCycle_;
    int outerWidth_ = 0;
    int outerHeight_ = 0;
    QPoint centred_;
    std::optional<QMargins> appliedFrame_;

    std::optional<QPoint> pressGlobal_;
    int handlerDepth_ = 0;
    std::uint64_t waitsEnded_ = 0;
    std::uint64_t waitsDrained_ = 0;
    bool draining_ = false;
    bool folding_ = false;
    std::optional<HeldKey> heldRepeat_;
    std::optional<HeldKey> heldRelease_;
    std::set<int> keysDown_;
    bool closeHeld_ = false;
    bool logOffHeld_ = false;
    std::vector<int> heldMenuCommands_;
    bool replayPosted_ = false;
    bool closeApproved_ = false;
};
