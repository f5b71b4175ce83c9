#include "platform/ui/edit_box.h"

#include "platform/ui/gbk_qstring.h"

#include <limits>

#include <QFocusEvent>

namespace platform::ui {

EditBox::EditBox(QWidget* parent) : QLineEdit(parent)
{
    // QLineEdit stops at 32767 characters by default; the box takes as much as memory allows.
    setMaxLength(std::numeric_limits<int>::max());
    setFocusPolicy(Qt::StrongFocus);
    focusedPalette_ = palette();
    ShowSelection(false);
}

Text EditBox::Content() const { return ToText(text()); }

void EditBox::SetContent(Text const& content) { setText(ToQString(content)); }

void EditBox::focusInEvent(QFocusEvent* event)
{
    ShowSelection(true);
    QLineEdit::focusInEvent(event);
}

void EditBox::focusOutEvent(QFocusEvent* event)
{
    // QLineEdit drops the selection on most focus changes; told that only the window was
    // deactivated, it keeps it, and the palette keeps it from being drawn.
    QFocusEvent keeping(QEvent::FocusOut, event->reason() == Qt::PopupFocusReason ? Qt::PopupFocusReason
                                                                                  : Qt::ActiveWindowFocusReason);
    QLineEdit::focusOutEvent(&keeping);
    ShowSelection(false);
}

void EditBox::ShowSelection(bool shown)
{
    if (shown) {
        setPalette(focusedPalette_);
        return;
    }
    QPalette hidden = focusedPalette_;
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        hidden.setColor(group, QPalette::Highlight, focusedPalette_.color(group, QPalette::Base));
        hidden.setColor(group, QPalette::HighlightedText, focusedPalette_.color(group, QPalette::Text));
    }
    setPalette(hidden);
}

} // namespace platform::ui
