#include "app/search_box_key_down.h"

#include "search/search_command.h"

void SearchBoxKeyDown(std::int32_t keyCode, std::int32_t /*keyState*/)
{
    constexpr std::int32_t enter = 13;
    if (keyCode == enter) {
        SearchCommand();
    }
}
