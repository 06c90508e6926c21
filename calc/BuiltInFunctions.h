// Names of the built-in mathematical functions: the real table (codes 0 to 18) and the complex
// table (codes 19 to 41), in the order in which names are tried.
#pragma once

#include <string>

inline constexpr int kRealTableSize = 19;
inline constexpr int kComplexTableSize = 23;
inline constexpr int kComplexCodeBase = 19;

// Name of function `code` (0..41); empty for any other code.
std::string builtInFunctionName(int code);
// True when `name` is the name of a built-in function, without regard to case.
bool isBuiltInFunctionName(const std::string& name);
// Code and length of the first name of the real (or complex) table that `text` starts with at
// byte `pos`, without regard to case; length 0 when none.
int findBuiltInFunctionAt(const std::string& text, size_t pos, bool complex, int* code);
