#pragma once

#include <cstdint>
#include <functional>

// Ends the program at once from inside any event: the exit sequence, then the process ends with
// `exitCode`. The window gets no close request, so nothing is asked. In the program it does not
// return; a test that installs its own handler gets control back, and callers return right after.
void EndProgram(std::int32_t exitCode);

// How many times EndProgram has been called in this process: the window compares it around its
// created event, so it is never shown once the program was told to end, even by a test's handler.
[[nodiscard]] std::uint64_t EndProgramCount();

// The application installs the real ending; tests install a recorder.
void SetEndProgramHandler(std::function<void(std::int32_t exitCode)> handler);
