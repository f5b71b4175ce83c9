#include "app/event_table.h"

#include "actions/export_results.h"
#include "actions/link_actions.h"
#include "app/confirm_close.h"
#include "app/search_box_key_down.h"
#include "search/search_command.h"

EventTable ProgramEventTable()
{
    EventTable table;
    table.canBeClosed = [] { return ConfirmClose(); };
    table.searchButtonClicked = [] { SearchCommand(); };
    table.searchBoxKeyDown = [](std::int32_t keyCode, std::int32_t keyState) { SearchBoxKeyDown(keyCode, keyState); };
    table.exportButtonClicked = [] { ExportResults(); };
    table.listRightButtonDown = [](std::int32_t, std::int32_t, std::int32_t) { ShowLinkMenu(); };
    table.listDoubleClicked = [](std::int32_t, std::int32_t, std::int32_t) { OpenThunderLink(); };
    table.menuItemSelected = {
        [] { OpenMagnetLink(); }, [] { CopyMagnetLink(); }, [] { OpenThunderLink(); }, [] { CopyThunderLink(); },
        {},
        // The menu's own copy of the export button.
        [] { ExportResults(); },
    };
    return table;
}
