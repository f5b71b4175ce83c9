#pragma once

#include <cstdint>

// The search box's key-down event: Enter (key code 13) searches, whatever keys are held with it.
void SearchBoxKeyDown(std::int32_t keyCode, std::int32_t keyState);
