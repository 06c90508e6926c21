// Names of the built-in mathematical functions.
#pragma once

#include <string>

// True when `name` is the name of a built-in function, without regard to case.
bool isBuiltInFunctionName(const std::string& name);
