#pragma once

#include "common/text.h"

#include <QString>

// The one crossing between the program's GBK texts and what Qt draws. Every control keeps the
// bytes it was given where it has to return them; the QString is only ever the displayed form.
namespace platform::ui {

[[nodiscard]] QString ToQString(Text const& text);
// A character GBK cannot hold becomes "?".
[[nodiscard]] Text ToText(QString const& string);

} // namespace platform::ui
