#include "app/exit_cleanup.h"

#include "app/main_window.h"

void ExitCleanup()
{
    PageText = Text();
    ProgramVersion = Text();
    ServerVersion = Text();
}
