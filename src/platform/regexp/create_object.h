#pragma once

#include "platform/regexp/com_value.h"

#include <string_view>

namespace platform::regexp {

// A new instance of the component class registered under `progId`; empty when no class is
// registered under it. "VBScript.RegExp" is the one registered here (compared without regard to
// ASCII case, as class names are).
[[nodiscard]] ComRef CreateObject(std::string_view progId);

} // namespace platform::regexp
