#pragma once

#include "common/text.h"

#include <QPushButton>

namespace platform::ui {

// A plain push button: never the default button, so Enter on it does nothing; Space clicks it.
class PushButton : public QPushButton {
public:
    explicit PushButton(QWidget* parent);

    [[nodiscard]] Text Caption() const;
    void SetCaption(Text const& caption);

private:
    Text caption_;
};

} // namespace platform::ui
