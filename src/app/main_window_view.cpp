#include "app/main_window_view.h"

#include "app/program_icon.h"
#include "app/virtual_key.h"
#include "common/gbk_literal.h"
#include "common/hosts.h"
#include "platform/ui/gbk_qstring.h"
#include "platform/ui/busy_wait.h"
#include "platform/ui/control_font.h"
#include "platform/ui/edit_box.h"
#include "platform/ui/export_buffer.h"
#include "platform/ui/popup_menu.h"
#include "platform/ui/push_button.h"
#include "platform/ui/report_list.h"
#include "platform/ui/static_label.h"
#include "platform/ui/status_bar.h"

#include <algorithm>
#include <utility>

#include <QAbstractEventDispatcher>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QWindow>

namespace {

Qt::Alignment ToQt(ColumnAlignment alignment)
{
    return alignment == ColumnAlignment::Centre ? Qt::AlignHCenter : Qt::AlignLeft;
}

// Client coordinates as the list reports them: each an unsigned 16-bit value.
std::int32_t Coordinate(int value)
{
    return static_cast<std::int32_t>(static_cast<std::uint16_t>(value));
}

} // namespace

MainWindowView::MainWindowView(WindowDescription const& description, EventTable table)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      table_(std::move(table)), caption_(Gbk(description.caption)), outerWidth_(description.outerWidth),
      outerHeight_(description.outerHeight)
{
    setWindowTitle(platform::ui::ToQString(caption_));
    setWindowIcon(ProgramIcon());
    setAutoFillBackground(true);
    // Fixed: the frame offers no resizing and no maximise button. Without a window manager the
    // outer size is the client area; once a frame is reported the client area shrinks to fit.
    setFixedSize(outerWidth_, outerHeight_);
    if (QScreen const* screen = QGuiApplication::primaryScreen()) {
        QRect const full = screen->geometry();
        centred_ = QPoint(full.x() + (full.width() - outerWidth_) / 2, full.y() + (full.height() - outerHeight_) / 2);
    }
    move(centred_);

    // The hidden top-level menu leaves the menu bar empty, so there is none; its items serve the
    // list's popup.
    for (std::string_view const item : description.menuItems) {
        menuItems_.push_back(Gbk(item));
    }
    CreateControls(description);
    // Keys meant for the window itself pass the same gate as those of its controls.
    installEventFilter(this);

    platform::ui::SetBusyEndedHandler([this] { ++waitsEnded_; });
    InstallMainWindow(this);
}

MainWindowView::~MainWindowView()
{
    InstallMainWindow(nullptr);
    platform::ui::SetBusyEndedHandler(nullptr);
}

void MainWindowView::CreateControls(WindowDescription const& description)
{
    std::vector<QWidget*> created;
    for (ControlDescription const& control : description.controls) {
        QWidget* widget = nullptr;
        Text const text = Gbk(control.text);
        switch (control.kind) {
        case ControlKind::StatusBar: {
            std::vector<int> edges;
            for (PaneDescription const& pane : description.panes) {
                edges.push_back(pane.rightEdge);
            }
            auto* bar = new platform::ui::StatusBar(edges, this);
            for (std::size_t i = 0; i < description.panes.size(); ++i) {
                Text paneText = Gbk(description.panes[i].text);
                if (i == 1) {
                    paneText += MakerAddress();
                }
                bar->SetPaneText(static_cast<int>(i), paneText);
            }
            controls_.statusBar = bar;
            widget = bar;
            break;
        }
        case ControlKind::PushButton: {
            auto* button = new platform::ui::PushButton(this);
            button->SetCaption(text);
            widget = button;
            (controls_.exportButton == nullptr ? controls_.exportButton : controls_.searchButton) = button;
            break;
        }
        case ControlKind::EditBox: {
            auto* box = new platform::ui::EditBox(this);
            box->SetContent(text);
            controls_.searchBox = box;
            widget = box;
            break;
        }
        case ControlKind::Label: {
            auto* label = new platform::ui::StaticLabel(this);
            label->SetCaption(text);
            controls_.label = label;
            widget = label;
            break;
        }
        case ControlKind::ReportList: {
            std::vector<platform::ui::ReportList::Column> columns;
            for (ColumnDescription const& column : description.listColumns) {
                columns.push_back({Gbk(column.title), column.width, ToQt(column.alignment)});
            }
            auto* list = new platform::ui::ReportList(columns, this);
            controls_.list = list;
            widget = list;
            break;
        }
        case ControlKind::MultiLineEditBox: {
            auto* buffer = new platform::ui::ExportBuffer(this);
            buffer->AppendText(text);
            controls_.exportBuffer = buffer;
            widget = buffer;
            break;
        }
        }
        widget->setObjectName(QString::fromUtf8(control.name.data(), static_cast<qsizetype>(control.name.size())));
        if (control.controlFont) {
            widget->setFont(platform::ui::ControlFont());
        }
        if (!control.tabStop) {
            widget->setFocusPolicy(Qt::NoFocus);
        }
        widget->setGeometry(control.left, control.top, control.width, control.height);
        if (!control.visible) {
            widget->hide();
        }
        widget->installEventFilter(this);
        created.push_back(widget);
    }
    // The status bar docks itself whatever its stored rectangle says.
    if (controls_.statusBar != nullptr) {
        controls_.statusBar->Dock();
    }
    // The first control on top, each following one directly below the one before it.
    for (auto it = created.rbegin(); it != created.rend(); ++it) {
        (*it)->raise();
    }
    if (controls_.list != nullptr) {
        controls_.list->viewport()->installEventFilter(this);
    }
    if (controls_.searchButton != nullptr) {
        connect(controls_.searchButton, &QPushButton::clicked, this, [this] {
            if (table_.searchButtonClicked) {
                Dispatch(table_.searchButtonClicked);
            }
        });
    }
    if (controls_.exportButton != nullptr) {
        connect(controls_.exportButton, &QPushButton::clicked, this, [this] {
            if (table_.exportButtonClicked) {
                Dispatch(table_.exportButtonClicked);
            }
        });
    }

    // Tab walks the tab stops by tab-order value (all equal here), the last described first.
    for (std::size_t i = description.controls.size(); i-- > 0;) {
        if (description.controls[i].tabStop) {
            tabCycle_.push_back(created[i]);
        }
    }
    for (std::size_t i = 1; i < tabCycle_.size(); ++i) {
        setTabOrder(tabCycle_[i - 1], tabCycle_[i]);
    }
    // The first activation gives the focus to the first control of that walk.
    std::vector<QWidget*> const cycle = TabCycle();
    if (!cycle.empty()) {
        cycle.front()->setFocus(Qt::ActiveWindowFocusReason);
    }
}

std::vector<QWidget*> MainWindowView::TabCycle() const
{
    std::vector<QWidget*> cycle;
    for (QWidget* widget : tabCycle_) {
        if (widget->isVisibleTo(this) && widget->isEnabled()) {
            cycle.push_back(widget);
        }
    }
    return cycle;
}

void MainWindowView::RaiseCreated(std::function<void()> const& created)
{
    if (created) {
        Dispatch(created);
    }
}

// ---- the handler gate ----

void MainWindowView::Dispatch(std::function<void()> const& handler)
{
    ++handlerDepth_;
    handler();
    --handlerDepth_;
    if (handlerDepth_ > 0) {
        return;
    }
    DrainHeldInput();
    ReplayHeldRequests();
}

bool MainWindowView::HandlerRunning() const
{
    return handlerDepth_ > 0 || platform::ui::IsBusy();
}

void MainWindowView::DrainHeldInput()
{
    if (draining_) {
        return;
    }
    draining_ = true;
    // Input typed during a wait was kept queued by Qt. It is delivered here, right after the
    // handler, with the auto-repeats of one key merged into one press, as a queue that counts
    // repeats would deliver them: holding Enter through a slow search starts one more search.
    while (waitsDrained_ != waitsEnded_ || heldRepeat_ || heldRelease_) {
        waitsDrained_ = waitsEnded_;
        folding_ = true;
        // The X11 event source looks at its queue only once woken: input it held back during the
        // wait would otherwise wait for the next event from the server.
        if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance()) {
            dispatcher->wakeUp();
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        folding_ = false;
        SendHeldKeys();
    }
    draining_ = false;
}

namespace {

MainWindowView::HeldKey Held(QObject* watched, QKeyEvent const& key)
{
    return {qobject_cast<QWidget*>(watched), key.type(), key.key(), key.modifiers(), key.text(), key.isAutoRepeat(),
            key.timestamp(), key.nativeScanCode(), key.nativeVirtualKey(), key.nativeModifiers()};
}

} // namespace

void MainWindowView::TrackKeys(QEvent const* event)
{
    auto const* key = static_cast<QKeyEvent const*>(event);
    if (event->type() == QEvent::KeyPress) {
        keysDown_.insert(key->key());
    } else if (event->type() == QEvent::KeyRelease && !key->isAutoRepeat()) {
        keysDown_.erase(key->key());
    }
}

bool MainWindowView::FoldRepeat(QObject* watched, QEvent* event)
{
    bool const keyEvent = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
    if (!folding_) {
        if (keyEvent) {
            TrackKeys(event);
        }
        return false;
    }
    bool const input = keyEvent || event->type() == QEvent::MouseButtonPress ||
                       event->type() == QEvent::MouseButtonRelease || event->type() == QEvent::MouseButtonDblClick;
    if (!input) {
        return false;
    }
    if (!keyEvent) {
        SendHeldKeys();
        return false;
    }
    // Input held back during a wait reaches Qt too late for it to mark X's repeats, so a repeat is
    // told here: a press of a key that is down, or a release and a press of one key at one instant.
    auto const* key = static_cast<QKeyEvent const*>(event);
    if (event->type() == QEvent::KeyRelease) {
        SendHeldRelease();
        if (keysDown_.count(key->key()) != 0) {
            heldRelease_ = Held(watched, *key);
            return true;
        }
        SendHeldKeys();
        TrackKeys(event);
        return false;
    }
    bool repeat = key->isAutoRepeat() || keysDown_.count(key->key()) != 0;
    if (heldRelease_) {
        bool const pair = heldRelease_->key == key->key() &&
                          (heldRelease_->timestamp == key->timestamp() || heldRelease_->autoRepeat || key->isAutoRepeat());
        if (pair) {
            heldRelease_.reset();
            repeat = true;
        } else {
            SendHeldKeys();
            repeat = key->isAutoRepeat() || keysDown_.count(key->key()) != 0;
        }
    }
    if (!repeat) {
        SendHeldKeys();
        TrackKeys(event);
        return false;
    }
    if (heldRepeat_ && heldRepeat_->key == key->key() && heldRepeat_->target == watched) {
        return true;
    }
    SendHeldKeys();
    heldRepeat_ = Held(watched, *key);
    heldRepeat_->autoRepeat = true;
    return true;
}

void MainWindowView::SendHeldKeys()
{
    // In the order they came: the repeat, then the release that followed it.
    SendHeldRepeat();
    SendHeldRelease();
}

void MainWindowView::SendHeldRepeat()
{
    if (std::optional<HeldKey> const held = std::exchange(heldRepeat_, std::nullopt)) {
        Send(*held);
    }
}

void MainWindowView::SendHeldRelease()
{
    if (std::optional<HeldKey> const held = std::exchange(heldRelease_, std::nullopt)) {
        Send(*held);
    }
}

void MainWindowView::Send(HeldKey const& held)
{
    if (held.target.isNull()) {
        return;
    }
    QKeyEvent event(held.type, held.key, held.modifiers, held.nativeScanCode, held.nativeVirtualKey,
                    held.nativeModifiers, held.text, held.autoRepeat);
    event.setTimestamp(held.timestamp);
    bool const wasFolding = std::exchange(folding_, false);
    (void)QCoreApplication::sendEvent(held.target.data(), &event);
    folding_ = wasFolding;
}

void MainWindowView::ReplayHeldRequests()
{
    if (draining_ || replayPosted_ || (!closeHeld_ && !logOffHeld_ && heldMenuCommands_.empty())) {
        return;
    }
    replayPosted_ = true;
    QTimer::singleShot(0, this, [this] {
        replayPosted_ = false;
        if (HandlerRunning()) {
            // Delivered inside another handler's wait: that handler replays them when it returns.
            return;
        }
        std::vector<int> const commands = std::exchange(heldMenuCommands_, {});
        for (int const command : commands) {
            if (table_.menuItemSelected[static_cast<std::size_t>(command)]) {
                Dispatch(table_.menuItemSelected[static_cast<std::size_t>(command)]);
            }
        }
        bool const logOff = std::exchange(logOffHeld_, false);
        bool const closeRequest = std::exchange(closeHeld_, false);
        if (logOff) {
            bool yes = false;
            Dispatch([&] { yes = table_.canBeClosed ? table_.canBeClosed() : true; });
            if (yes) {
                closeApproved_ = true;
                (void)close();
            }
        } else if (closeRequest) {
            (void)close();
        }
    });
}

// ---- events ----

bool MainWindowView::eventFilter(QObject* watched, QEvent* event)
{
    if (FoldRepeat(watched, event)) {
        return true;
    }
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (WindowKey(*key)) {
            return true;
        }
        if (watched == controls_.searchBox && table_.searchBoxKeyDown) {
            std::int32_t const code = VirtualKeyCode(*key);
            std::int32_t const state = KeyState(key->modifiers());
            Dispatch([&] { table_.searchBoxKeyDown(code, state); });
        }
        return false;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        if (controls_.list == nullptr || watched != controls_.list->viewport()) {
            return false;
        }
        auto const* mouse = static_cast<QMouseEvent const*>(event);
        QPoint const inList = controls_.list->viewport()->mapTo(controls_.list, mouse->position().toPoint()) -
                              QPoint(controls_.list->frameWidth(), controls_.list->frameWidth());
        std::int32_t const x = Coordinate(inList.x());
        std::int32_t const y = Coordinate(inList.y());
        std::int32_t const state = KeyState(mouse->modifiers());
        if (event->type() == QEvent::MouseButtonPress && mouse->button() == Qt::RightButton &&
            table_.listRightButtonDown) {
            pressGlobal_ = mouse->globalPosition().toPoint();
            Dispatch([&] { table_.listRightButtonDown(x, y, state); });
            pressGlobal_.reset();
        } else if (event->type() == QEvent::MouseButtonDblClick && mouse->button() == Qt::LeftButton &&
                   table_.listDoubleClicked) {
            Dispatch([&] { table_.listDoubleClicked(x, y, state); });
        }
        return false;
    }
    default:
        return false;
    }
}

bool MainWindowView::WindowKey(QKeyEvent const& key)
{
    Qt::KeyboardModifiers const modifiers = key.modifiers() & ~Qt::KeypadModifier;
    if (key.key() == Qt::Key_Tab && modifiers == Qt::NoModifier) {
        MoveFocus(+1);
        return true;
    }
    if ((key.key() == Qt::Key_Backtab || key.key() == Qt::Key_Tab) && modifiers == Qt::ShiftModifier) {
        MoveFocus(-1);
        return true;
    }
    if (key.key() == Qt::Key_Escape && modifiers == Qt::NoModifier) {
        (void)close();
        return true;
    }
    return false;
}

void MainWindowView::MoveFocus(int step)
{
    std::vector<QWidget*> const cycle = TabCycle();
    if (cycle.empty()) {
        return;
    }
    auto const at = std::find(cycle.begin(), cycle.end(), focusWidget());
    int const size = static_cast<int>(cycle.size());
    int const from = at == cycle.end() ? (step > 0 ? -1 : 0) : static_cast<int>(at - cycle.begin());
    int const to = ((from + step) % size + size) % size;
    cycle[static_cast<std::size_t>(to)]->setFocus(step > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
}

bool MainWindowView::event(QEvent* event)
{
    bool const handled = QWidget::event(event);
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::WindowActivate:
        FitOuterSizeToFrame();
        break;
    default:
        break;
    }
    return handled;
}

void MainWindowView::FitOuterSizeToFrame()
{
    QWindow const* window = windowHandle();
    if (window == nullptr || !isVisible()) {
        return;
    }
    QMargins const frame = window->frameMargins();
    if (appliedFrame_ == frame) {
        return;
    }
    appliedFrame_ = frame;
    // The outer size counts the frame and the title bar; the frame's corner goes to the centred
    // position, so the client area sits inside it.
    QSize const client(outerWidth_ - frame.left() - frame.right(), outerHeight_ - frame.top() - frame.bottom());
    setFixedSize(client);
    setGeometry(QRect(centred_ + QPoint(frame.left(), frame.top()), client));
}

void MainWindowView::closeEvent(QCloseEvent* event)
{
    if (closeApproved_) {
        event->accept();
        return;
    }
    if (HandlerRunning()) {
        closeHeld_ = true;
        event->ignore();
        return;
    }
    bool mayClose = true;
    Dispatch([&] { mayClose = table_.canBeClosed ? table_.canBeClosed() : true; });
    if (mayClose) {
        closeApproved_ = true;
        event->accept();
    } else {
        event->ignore();
    }
}

bool MainWindowView::AnswerLogOffQuery(std::function<bool()> const& mayInteract)
{
    if (closeApproved_) {
        return true;
    }
    if (HandlerRunning()) {
        logOffHeld_ = true;
        return false;
    }
    if (!mayInteract()) {
        // Nothing may be asked: the log-off goes ahead as it would without this program.
        return true;
    }
    bool yes = false;
    Dispatch([&] { yes = table_.canBeClosed ? table_.canBeClosed() : true; });
    if (yes) {
        closeApproved_ = true;
    }
    return yes;
}

// ---- the control operations ----

Text MainWindowView::Caption() const { return caption_; }

Text MainWindowView::SearchBoxContent() const { return controls_.searchBox->Content(); }

void MainWindowView::FocusSearchBox() { controls_.searchBox->setFocus(Qt::OtherFocusReason); }

Text MainWindowView::ExportBufferContent() const { return controls_.exportBuffer->Content(); }

void MainWindowView::AppendToExportBuffer(Text const& text) { controls_.exportBuffer->AppendText(text); }

void MainWindowView::SetSearchButtonCaption(Text const& caption) { controls_.searchButton->SetCaption(caption); }

void MainWindowView::SetStatusPaneText(int pane, Text const& text) { controls_.statusBar->SetPaneText(pane, text); }

void MainWindowView::RemoveAllRows() { controls_.list->RemoveAllRows(); }

int MainWindowView::AppendRow() { return controls_.list->AppendRow(); }

void MainWindowView::SetCellText(int row, int column, Text const& text)
{
    controls_.list->SetCellText(row, column, text);
}

int MainWindowView::RowCount() const { return controls_.list->RowCount(); }

Text MainWindowView::CellText(int row, int column) const { return controls_.list->CellText(row, column); }

int MainWindowView::CurrentSelection() const { return controls_.list->CurrentSelection(); }

void MainWindowView::PopUpLinkMenu()
{
    QPoint const pointer = pressGlobal_.value_or(QCursor::pos());
    int const picked = platform::ui::PopUpMenu(menuItems_, pointer + QPoint(3, 3));
    if (picked < 0 || picked >= static_cast<int>(table_.menuItemSelected.size()) ||
        !table_.menuItemSelected[static_cast<std::size_t>(picked)]) {
        return;
    }
    // The pick arrives as a command once the menu has closed and the press has gone on to the
    // list, so a right-click on a row acts on that row.
    QTimer::singleShot(0, this, [this, picked] {
        if (HandlerRunning()) {
            heldMenuCommands_.push_back(picked);
            return;
        }
        Dispatch(table_.menuItemSelected[static_cast<std::size_t>(picked)]);
    });
}
