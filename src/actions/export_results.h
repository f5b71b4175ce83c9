#pragma once

// The export button: writes the whole export buffer to the export file and offers to open it.
void ExportResults();
