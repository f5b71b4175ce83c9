#include "popup_menu.h"

#include "gbk_qstring.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPoint>
#include <QThread>

namespace platform::ui {

int PopUpMenu(std::vector<Text> const& items, QPoint const& globalTopLeft)
{
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (app == nullptr || QThread::currentThread() != app->thread()) {
        return -1;
    }
    static Text const separator("-");

    // A local without a parent: it is destroyed with its actions before this returns, no window
    // can delete it under the running loop, and it takes the desktop's menu font rather than
    // the font of the window it pops up over.
    QMenu menu;
    for (std::size_t index = 0; index < items.size(); ++index) {
        if (items[index] == separator) {
            // Disabled, so a click on the line leaves the menu open instead of closing it
            // without a pick, as a separator of the desktop's menus does.
            menu.addSeparator()->setEnabled(false);
            continue;
        }
        QAction* const action = menu.addAction(ToQString(items[index]));
        action->setData(static_cast<int>(index));
    }
    QAction* const picked = menu.exec(globalTopLeft);
    return picked != nullptr ? picked->data().toInt() : -1;
}

} // namespace platform::ui
