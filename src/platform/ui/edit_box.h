#pragma once

#include "common/text.h"

#include <QLineEdit>
#include <QPalette>

namespace platform::ui {

// A single-line edit box: no length limit beyond the platform's, and the selection is drawn only
// while the box has the focus (it is kept, merely not shown, when the focus leaves).
class EditBox : public QLineEdit {
public:
    explicit EditBox(QWidget* parent);

    // The whole current text; an empty box gives the empty text.
    [[nodiscard]] Text Content() const;
    void SetContent(Text const& content);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void ShowSelection(bool shown);

    QPalette focusedPalette_;
};

} // namespace platform::ui
