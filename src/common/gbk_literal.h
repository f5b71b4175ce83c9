#pragma once

#include "text.h"

#include <string_view>

// Turns a text constant of the program, written readably in UTF-8 in the source, into GBK.
// Meant for the program's own literals (captions, labels, patterns), which GBK can all represent;
// a character it cannot would come out as "?".
[[nodiscard]] Text Gbk(std::string_view utf8);
