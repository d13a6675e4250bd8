#pragma once

// Runs the program: application settings, splash, the long-lived windows, the event loop.
// Returns the process exit status.
int runProgram(int argc, char** argv);
