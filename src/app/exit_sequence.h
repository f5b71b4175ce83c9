#pragma once

#include <functional>

// The one way out of the program, for the normal end and for EndProgram alike: mark the program
// as ending, run the registered clean-ups in the order they were registered, release the
// component apartment. Running it again does nothing.
void RegisterCleanup(std::function<void()> cleanup);
// A program that could not start drops its clean-ups without running them.
void DropCleanups();
void RunExitSequence();
[[nodiscard]] bool ProgramEnding();

// The real EndProgram: the exit sequence, then the process ends at once with `exitCode`; no Qt
// object is destroyed and nothing is asked.
[[noreturn]] void EndProgramNow(int exitCode);

namespace TestHooks {
// Forgets clean-ups and the ending mark, so one test process can run the sequence more than once.
void ResetExitSequence();
} // namespace TestHooks
