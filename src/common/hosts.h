#pragma once

#include "text.h"

// The program's fixed addresses, set at build time (TOLVANE_SITE_HOST, TOLVANE_UPDATE_HOST,
// TOLVANE_MAKER_ADDRESS). The program reads no configuration at run time.
[[nodiscard]] Text SiteHost();
[[nodiscard]] Text UpdateHost();
[[nodiscard]] Text MakerAddress();

// Tests point the program at their loopback server. The program itself never calls these.
namespace TestHooks {
void SetSiteHost(Text host);
void SetUpdateHost(Text host);
} // namespace TestHooks
