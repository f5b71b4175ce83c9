#pragma once

#include "message_answer.h"
#include "text.h"

#include <cstdint>
#include <functional>
#include <optional>

// The one way the program shows a message or asks a question. Without a title the title bar
// reads "信息：". Unless the flags ask for system-modal, task-modal is added. With no presenter
// installed (no window system) nothing can be shown and the answer is Ok.
MessageAnswer ShowMessage(Text const& text, std::int32_t flags, std::optional<Text> const& title = std::nullopt);

// What actually shows the box: the Qt message box in the program, a scripted one in tests.
// Receives the final flags and title.
using MessagePresenter = std::function<MessageAnswer(Text const& text, std::int32_t flags, Text const& title)>;
void SetMessagePresenter(MessagePresenter presenter);
