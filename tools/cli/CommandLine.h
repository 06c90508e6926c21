// Command-line commands of the program that need no window.
#pragma once

#include <ostream>
#include <string>
#include <vector>

// Runs the command-line command of `args` (without the program name) when there is one.
// Returns -1 when `args` holds no such command (the application then starts normally),
// otherwise the exit status: 0 on success, 1 when a figure cannot be read or written, 2 for a
// command used wrongly.
int runCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
