// Start-up and shut-down of the designer system around the main window, and the program's entry
// (shared by draftwell and the tests that run it).
#pragma once

#include "framework/rtl/Strings.h"

#include <vector>

namespace dw {

// Starts the design environment (registry, designer manager, the palette's classes, which the
// reader then knows too) and registers the designer's and the shell's classes. Safe to call more
// than once.
void InitializeShell();
// Shuts the design environment down; every designer must be gone by then.
void FinalizeShell();

// The program: parses the command line, chooses the backend, creates the main window and runs
// the message loop (or writes the screenshot it was asked for). Returns the exit status.
int RunDraftwell(const std::vector<String>& args);

} // namespace dw
