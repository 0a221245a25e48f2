// Start-up and shut-down of the designer system around the main window, and the program's entry
// (shared by draftwell and the tests that run it).
#pragma once

#include "framework/rtl/Strings.h"

#include <vector>

namespace dw {

// Makes every class the stored layouts and designed forms use known to the reader. Safe to call
// more than once.
void InitializeShell();

// The program: parses the command line, chooses the backend, creates the main window and runs
// the message loop (or writes the screenshot it was asked for). Returns the exit status.
int RunDraftwell(const std::vector<String>& args);

} // namespace dw
