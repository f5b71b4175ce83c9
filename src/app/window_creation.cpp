#include "app/window_creation.h"

#include "app/event_table.h"
#include "app/exit_sequence.h"
#include "app/window_description.h"
#include "common/end_program.h"

#include <QGuiApplication>

std::unique_ptr<MainWindowView> CreateMainWindow(std::function<void()> const& created)
{
    if (QGuiApplication::primaryScreen() == nullptr) {
        return nullptr;
    }
    auto window = std::make_unique<MainWindowView>(MainWindowDescription(), ProgramEventTable());
    std::uint64_t const endsBefore = EndProgramCount();
    window->RaiseCreated(created);
    if (EndProgramCount() != endsBefore || ProgramEnding()) {
        return window;
    }
    window->show();
    window->activateWindow();
    return window;
}
