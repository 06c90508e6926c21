#include "calc/BuiltInFunctions.h"

#include <cctype>
#include <cstring>

namespace {
const char* const kRealNames[kRealTableSize] = {
    "abs",    "sqrt", "int", "sin", "cos",   "tan",   "ln",    "exp",  "arctan", "arccos",
    "arcsin", "Ch",   "Sh",  "Th",  "ArgCh", "ArgSh", "ArgTh", "Rand", "rac"};
const char* const kComplexNames[kComplexTableSize] = {
    "abs", "sin",    "cos",    "tan",    "ln",    "exp",   "Ch",   "Sh",
    "Th",  "Rand",   "conj",   "angle",  "re",    "im",    "sqrt", "rac",
    "int", "arccos", "arcsin", "arctan", "argCh", "argSh", "argTh"};

bool sameLetter(char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) ==
           std::tolower(static_cast<unsigned char>(b));
}

bool startsWithName(const std::string& text, size_t pos, const char* name) {
    size_t n = std::strlen(name);
    if (pos > text.size() || text.size() - pos < n) return false;
    for (size_t i = 0; i < n; ++i)
        if (!sameLetter(text[pos + i], name[i])) return false;
    return true;
}
}  // namespace

std::string builtInFunctionName(int code) {
    if (code >= 0 && code < kRealTableSize) return kRealNames[code];
    if (code >= kComplexCodeBase && code < kComplexCodeBase + kComplexTableSize)
        return kComplexNames[code - kComplexCodeBase];
    return "";
}

bool isBuiltInFunctionName(const std::string& name) {
    for (int code = 0; code < kComplexCodeBase + kComplexTableSize; ++code) {
        std::string n = builtInFunctionName(code);
        if (n.size() == name.size() && startsWithName(name, 0, n.c_str())) return true;
    }
    return false;
}

int findBuiltInFunctionAt(const std::string& text, size_t pos, bool complex, int* code) {
    const char* const* names = complex ? kComplexNames : kRealNames;
    int count = complex ? kComplexTableSize : kRealTableSize;
    for (int i = 0; i < count; ++i)
        if (startsWithName(text, pos, names[i])) {
            if (code) *code = complex ? kComplexCodeBase + i : i;
            return static_cast<int>(std::strlen(names[i]));
        }
    return 0;
}
