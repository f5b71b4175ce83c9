#pragma once

#include "common/message_answer.h"
#include "common/text.h"

#include <cstdint>

class QLocale;

namespace platform::ui {

// Shows `text` in an application-modal box titled `title` and waits for the answer. The low four
// bits of `flags` choose the buttons (MessageFlags::Ok .. RetryCancel), the next four the icon.
// The first button is the default. Esc and the title bar's close button answer only a box that
// has a Cancel button (Cancel) or a lone OK button (Ok); other boxes wait for a button.
// Answers Ok without showing anything when no box can be shown: no QApplication, a call off the
// GUI thread, or button bits that name no known set.
[[nodiscard]] MessageAnswer PresentMessageBox(Text const& text, std::int32_t flags, Text const& title);

// Makes PresentMessageBox the presenter behind ShowMessage.
void InstallMessageBoxPresenter();

// Loads Qt's own translation of its standard texts (button texts such as "Yes") for the system
// language, so the boxes read like the desktop's own. Call once the QApplication exists. Returns
// false when there is no translation for the language (the texts stay English).
bool InstallPlatformTranslations();
// The same for a given locale; it replaces a translation installed before.
bool InstallPlatformTranslations(QLocale const& locale);

} // namespace platform::ui
