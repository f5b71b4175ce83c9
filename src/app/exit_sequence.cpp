#include "app/exit_sequence.h"

#include "platform/com/com_apartment.h"

#include <utility>
#include <vector>

#include <unistd.h>

namespace {
struct ExitState {
    std::vector<std::function<void()>> cleanups;
    bool ending = false;
};

ExitState& State()
{
    static ExitState state;
    return state;
}
} // namespace

void RegisterCleanup(std::function<void()> cleanup)
{
    State().cleanups.push_back(std::move(cleanup));
}

void DropCleanups()
{
    State().cleanups.clear();
}

void RunExitSequence()
{
    ExitState& state = State();
    if (state.ending) {
        return;
    }
    state.ending = true;
    // Taken out first, so a clean-up that ends the program again cannot run the list twice.
    std::vector<std::function<void()>> const cleanups = std::exchange(state.cleanups, {});
    for (auto const& cleanup : cleanups) {
        if (cleanup) {
            cleanup();
        }
    }
    platform::com::CoUninitialize();
}

bool ProgramEnding() { return State().ending; }

void EndProgramNow(int exitCode)
{
    RunExitSequence();
    // _exit, not exit: the widgets and the QApplication must not be torn down from inside an
    // event handler, and no static destructor may run under them.
    _exit(exitCode);
}

void TestHooks::ResetExitSequence()
{
    State() = ExitState{};
}
