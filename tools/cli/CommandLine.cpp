#include "tools/cli/CommandLine.h"

namespace {
const char* const kUsage =
    "Utilisation : korvendal32 [FICHIER.qvf]\n"
    "              korvendal32 --help\n";
}

int runCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream&) {
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
        out << kUsage;
        return 0;
    }
    return -1;
}
