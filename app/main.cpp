// Entry point: command-line commands first, then the application.
#include <iostream>
#include <string>
#include <vector>

#include "tools/cli/CommandLine.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    int status = runCommandLine(args, std::cout, std::cerr);
    if (status >= 0) return status;
    std::cout << "Korvendal32\n";
    return 0;
}
