// The formula parser: a syntax check that accepts a text or returns a message identifier and a
// caret position (in characters), and the tree builders, which only ever see accepted text.
// Formulas are UTF-8 model strings; the superscript two (U+00B2) is the squaring operator.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "calc/CCalculBase.h"

class CListeAction;
class CSourceValeur;

// A formula holds at most 123 characters and a formal variable name at most 11.
inline constexpr int kMaxFormulaLength = 123;
inline constexpr int kMaxFormalVariableLength = 11;

// Names to read in place of the current ones while a formula is scanned (the names measures
// had before a point was renamed, and the other spellings formulas used for them: BA for AB).
using NameOverrides = std::multimap<const CSourceValeur*, std::string>;

struct NameMatch {
    int length = 0;                  // bytes; 0 when nothing is recognised
    CSourceValeur* value = nullptr;  // a figure value, function or sequence
    int index = -1;                  // its place in the list
    int functionCode = -1;           // a built-in function
    bool isFormalVariable = false;
    bool isImaginaryUnit = false;  // complex formulas
};

// `list` may be null (no figure names). `maxIndex` is the highest list index a name may refer
// to. Positions are character indexes in `text`.
bool checkRealFormula(const CListeAction* list, const std::string& text, int& messageId,
                      int& position, int maxIndex, const std::string& formalVariableName = "");
bool checkComplexFormula(const CListeAction* list, const std::string& text, int& messageId,
                         int& position, int maxIndex, const std::string& formalVariableName = "");

// Trees of an accepted text; [first, last] are byte indexes, inclusive.
std::unique_ptr<CCalculBase> buildRealTree(const CListeAction* list, const std::string& text,
                                           int first, int last,
                                           const std::string& formalVariableName = "");
std::unique_ptr<CCalculBase> buildComplexTree(const CListeAction* list, const std::string& text,
                                              int first, int last,
                                              const std::string& formalVariableName = "");
std::unique_ptr<CCalculBase> buildRealTree(const CListeAction* list, const std::string& text,
                                           const std::string& formalVariableName = "");
std::unique_ptr<CCalculBase> buildComplexTree(const CListeAction* list, const std::string& text,
                                              const std::string& formalVariableName = "");

// The name at byte `pos` of `text`.
NameMatch recogniseRealName(const CListeAction* list, const std::string& text, size_t pos,
                            const std::string& formalVariableName,
                            const NameOverrides* overrides = nullptr);
NameMatch recogniseComplexName(const CListeAction* list, const std::string& text, size_t pos,
                               const std::string& formalVariableName,
                               const NameOverrides* overrides = nullptr);

bool isValidName(const std::string& text);

// Number of characters of a UTF-8 text (a malformed byte counts as one).
int utf8Length(const std::string& text);
// Character index of byte `byteIndex`.
int characterIndexOf(const std::string& text, size_t byteIndex);

// A constant field (radius, coefficient, bound...): the checks in order, with `emptyMessage`
// for an empty text. On success `value` holds the result; else `messageId` and `position`
// (the caret, in characters) say why. `complex` fields use the complex syntax.
struct ConstantFieldResult {
    bool ok = false;
    int messageId = 0;
    int position = 0;
    double value = 0.0;
    Complexe complexValue;
};
ConstantFieldResult checkConstantField(const CListeAction* list, const std::string& text,
                                       int emptyMessage, bool complex = false);

// The same checks without an empty-text message, beep or message box: for texts parsed again
// (after the angle unit changed).
ConstantFieldResult evaluateConstantFormula(const CListeAction* list, const std::string& text,
                                            bool complex);

// `text` with the names of the measures of `oldNames`, read as they were, replaced by their
// current names.
// Adds to `names` the spellings that `text` uses for the values it already holds.
void collectNameSpellings(const CListeAction* list, const std::string& text,
                          const std::string& formal, bool complex, NameOverrides& names);
std::string renameNamesInFormula(const CListeAction* list, const std::string& text,
                                 const std::string& formal, bool complex,
                                 const NameOverrides& oldNames);

// The same operations over a list held by reference and over C text ranges.
bool checkRealFormula(const CListeAction& list, const std::string& text, int& messageId,
                      int& position, int maxIndex, const std::string& formalVariableName = "");
bool checkComplexFormula(const CListeAction& list, const std::string& text, int& messageId,
                         int& position, int maxIndex, const std::string& formalVariableName = "");
std::unique_ptr<CCalculBase> buildRealTree(const CListeAction& list, const std::string& text,
                                           const std::string& formalVariableName = "");
std::unique_ptr<CCalculBase> buildComplexTree(const CListeAction& list, const std::string& text,
                                              const std::string& formalVariableName = "");
// Length of the name at the start of `text`, 0 when none.
int recogniseRealName(const CListeAction& list, const char* text,
                      const std::string& formalVariableName, CSourceValeur*& value,
                      int& functionCode, bool& isFormalVariable);
int recogniseComplexName(const CListeAction& list, const char* text,
                         const std::string& formalVariableName, CSourceValeur*& value,
                         int& functionCode, bool& isFormalVariable, bool& isImaginaryUnit);
