#include "calc/BuiltInFunctions.h"

#include <cctype>

namespace {
const char* const kNames[] = {"abs",   "sqrt",  "int",   "sin",   "cos",  "tan",   "ln",
                              "exp",   "arctan", "arccos", "arcsin", "Ch",  "Sh",    "Th",
                              "ArgCh", "ArgSh", "ArgTh", "Rand",  "rac",  "conj",  "angle",
                              "re",    "im"};
}

bool isBuiltInFunctionName(const std::string& name) {
    for (const char* n : kNames) {
        std::string s = n;
        if (s.size() != name.size()) continue;
        bool same = true;
        for (size_t i = 0; i < s.size() && same; ++i)
            same = std::tolower(static_cast<unsigned char>(s[i])) ==
                   std::tolower(static_cast<unsigned char>(name[i]));
        if (same) return true;
    }
    return false;
}
