#include "platform/ui/export_buffer.h"

namespace platform::ui {

ExportBuffer::ExportBuffer(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    QWidget::setVisible(false);
}

Text ExportBuffer::Content() const { return Text(bytes_); }

void ExportBuffer::AppendText(Text const& text) { bytes_.append(text.Bytes()); }

void ExportBuffer::setVisible(bool /*visible*/) { QWidget::setVisible(false); }

} // namespace platform::ui
