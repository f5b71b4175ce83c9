#pragma once

#include "common/message_answer.h"
#include "common/text.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

class QApplication;

namespace testsupport {

// The test process's one QApplication, made on first use on the platform QT_QPA_PLATFORM names
// (offscreen under ctest). Never made by a global environment, so tests that need no application
// can run in the same executable.
QApplication& EnsureTestApplication();

// One message box as the program asked for it: the text, the final flags and the title.
struct ShownMessage {
    Text text;
    std::int32_t flags = 0;
    Text title;
};

// Stands in for the message box while it lives: records every box and answers each from a queue
// of scripted answers, Ok once the queue is empty. `whileShown` runs inside the box, where the
// program waits for the answer.
class ScriptedPresenter {
public:
    ScriptedPresenter();
    ~ScriptedPresenter();
    ScriptedPresenter(ScriptedPresenter const&) = delete;
    ScriptedPresenter& operator=(ScriptedPresenter const&) = delete;

    void Answer(MessageAnswer answer) { answers_.push_back(answer); }
    void WhileShown(std::function<void(ShownMessage const&)> action) { whileShown_ = std::move(action); }
    [[nodiscard]] std::vector<ShownMessage> const& Shown() const noexcept { return shown_; }
    void Clear() { shown_.clear(); }

private:
    std::deque<MessageAnswer> answers_;
    std::vector<ShownMessage> shown_;
    std::function<void(ShownMessage const&)> whileShown_;
};

} // namespace testsupport
