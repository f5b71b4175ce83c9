#include "platform/ui/static_label.h"

#include "platform/ui/gbk_qstring.h"

#include <QColor>
#include <QPalette>

namespace platform::ui {

StaticLabel::StaticLabel(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setFrameShape(QFrame::NoFrame);
    setAutoFillBackground(false);
    setFocusPolicy(Qt::NoFocus);
    QPalette red = palette();
    red.setColor(QPalette::WindowText, QColor(255, 0, 0));
    setPalette(red);
    // Otherwise the role follows the parent's background and the text is drawn in another colour.
    setForegroundRole(QPalette::WindowText);
}

Text StaticLabel::Caption() const { return caption_; }

void StaticLabel::SetCaption(Text const& caption)
{
    caption_ = caption;
    setText(ToQString(caption));
}

} // namespace platform::ui
