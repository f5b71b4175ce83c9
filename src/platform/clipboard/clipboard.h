#pragma once

#include "common/text.h"

// The system clipboard, holding one text. The program's GBK bytes become the Unicode text that
// other programs paste, the characters the user sees in the list. GUI thread only, and only
// while the application object exists.
namespace platform::clipboard {

// Replaces the clipboard's content with `text` (the empty text too). False when there is no
// clipboard to place it on.
[[nodiscard]] bool SetText(Text const& text);

// The clipboard's text as GBK; characters GBK lacks come back as "?". Empty when there is none.
[[nodiscard]] Text GetText();

} // namespace platform::clipboard
