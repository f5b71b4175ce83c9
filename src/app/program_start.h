#pragma once

// The process from start to end: the apartment for the GUI thread, the program's folder as the
// current directory, ExitCleanup registered, the application on the window system (X11 unless
// one is named), the main window with its created event, the message loop, the exit sequence.
// Returns the exit code: 0, or -1 when the window cannot be created.
[[nodiscard]] int ProgramStart(int argc, char** argv);
