#pragma once

// Where the export goes, in the Windows form the program has always named it; the file layer
// maps it onto this desktop.
inline constexpr char ExportFilePath[] = R"(C:\Users\Administrator\Desktop\data.txt)";

// The export button: writes the whole export buffer to the export file and offers to open it.
void ExportResults();
