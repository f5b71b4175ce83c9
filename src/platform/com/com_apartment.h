#pragma once

// The apartment initialise/uninitialise pair of the component system, kept as a per-thread
// nesting counter: each CoInitialize raises it by one, each CoUninitialize lowers it (never
// below zero). There is no apartment to set up here; the counter makes the nesting observable.
namespace platform::com {

void CoInitialize();
void CoUninitialize();
[[nodiscard]] int InitializationCount();

} // namespace platform::com
