#pragma once

// Registered at start-up, run once by the exit sequence: releases the program-wide texts.
void ExitCleanup();
