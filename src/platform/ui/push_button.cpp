#include "platform/ui/push_button.h"

#include "platform/ui/gbk_qstring.h"

namespace platform::ui {

PushButton::PushButton(QWidget* parent) : QPushButton(parent)
{
    setAutoDefault(false);
    setDefault(false);
    setFocusPolicy(Qt::StrongFocus);
}

Text PushButton::Caption() const { return caption_; }

void PushButton::SetCaption(Text const& caption)
{
    caption_ = caption;
    setText(ToQString(caption));
}

} // namespace platform::ui
