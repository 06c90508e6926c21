// Look-ups of the figure's values by name, for formulas and for the naming checks of values.
#pragma once

#include <string>

#include "core/CListeAction.h"

// Longest name of a value of the group matching `text` at `pos` (earlier entry on ties);
// returns its length in bytes (0 when none) and the value in `found`.
int findLongestNameAt(const CListeAction& list, const std::string& text, size_t pos, Nature group,
                      CElementBase** found = nullptr);
int findLongestValueNameAt(const CListeAction& list, const std::string& text, size_t pos,
                           CElementBase** found = nullptr);
int findLongestComplexValueNameAt(const CListeAction& list, const std::string& text, size_t pos,
                                  CElementBase** found = nullptr);
int findLongestFunctionNameAt(const CListeAction& list, const std::string& text, size_t pos,
                              CElementBase** found = nullptr);
int findLongestComplexFunctionNameAt(const CListeAction& list, const std::string& text, size_t pos,
                                     CElementBase** found = nullptr);
// A value or function of the figure has the name (whatever the case), or a built-in function.
bool isValueNameTaken(const CListeAction& list, const std::string& name);
// base1, base2, ...: the first that no value or function of the figure has.
std::string uniqueNumberedValueName(const CListeAction& list, const std::string& base);
