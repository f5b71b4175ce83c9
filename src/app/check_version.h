#pragma once

// The window's created event: unless the update host's version file holds exactly this build's
// version, the notices are shown, the download page is opened and the program ends.
void CheckVersion();
