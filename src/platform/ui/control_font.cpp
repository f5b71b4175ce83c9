#include "platform/ui/control_font.h"

#include <QApplication>

namespace platform::ui {

QFont ControlFont()
{
    QFont font = QApplication::font();
    font.setPixelSize(14);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

} // namespace platform::ui
