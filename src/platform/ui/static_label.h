#pragma once

#include "common/text.h"

#include <QLabel>

namespace platform::ui {

// A borderless one-line label in red on the window's own background; "&" is drawn as itself.
class StaticLabel : public QLabel {
public:
    explicit StaticLabel(QWidget* parent);

    [[nodiscard]] Text Caption() const;
    void SetCaption(Text const& caption);

private:
    Text caption_;
};

} // namespace platform::ui
