// "korvendal32 --export FILE OUT [--size WxH]": writes a picture of a figure (PNG, SVG or PDF,
// by the extension of OUT) without opening a window.
#pragma once

#include <ostream>
#include <string>
#include <vector>

// -1 when `args` is not an export command; otherwise the exit status. Needs a
// QGuiApplication (exportMain makes one).
int runExportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// Creates the application object (offscreen when there is no display) and runs the command.
int exportMain(int argc, char** argv, const std::vector<std::string>& args);
bool isExportCommand(const std::vector<std::string>& args);
