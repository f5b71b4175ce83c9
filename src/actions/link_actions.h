#pragma once

#include "common/text.h"

// The right-button press over the result list: pops up the link menu.
void ShowLinkMenu();

// Column 5 (magnet) or 6 (Thunder) of the selected row, opened or copied.
void OpenMagnetLink();
void OpenThunderLink();
void CopyMagnetLink();
void CopyThunderLink();

// Hands a link to the desktop's opener; only the link schemes a download program takes.
void OpenInShell(Text const& target);
// True when the text was placed on the clipboard.
bool CopyTextToClipboard(Text const& text);
