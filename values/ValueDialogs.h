// The checks that the dialogs creating values run before they accept what the user typed:
// names of values and formal variables, and the entry of a parameter (a name or a constant
// formula) in a field.
#pragma once

#include <string>

#include "calc/Complexe.h"
#include "core/Messages.h"

class CListeAction;
class CValeurDynamique;
class CValeurAssocieeAVariable;
class CValeurAngle;
class CValeurAssocieeComp;

// The name of a new (or renamed) value, function or sequence; `limitIndex` is the index of the
// object being edited (the list's count for a new one): only the objects before it count.
// Returns 0, or the identifier of the message to show (`emptyMessage` for an empty name).
int checkValueName(const CListeAction& list, const std::string& name, int limitIndex,
                   int emptyMessage = Msg::calculationNameMissing);
// The formal variable of a new function named `functionName`.
int checkFormalVariableName(const CListeAction& list, const std::string& variable,
                            const std::string& functionName, int limitIndex);
// A measure whose automatic name is taken cannot be created (Msg::measureNameTaken).
bool isMeasureNameTaken(const CListeAction& list, const std::string& name);

// A parameter typed in a dialog field: the name of a value defined before the object being
// built (`limitIndex`), or a formula of constants. The messages (and the question about a value
// that does not exist at the moment) go through the host's message boxes.
struct ParameterEntry {
    bool ok = false;
    CValeurDynamique* reference = nullptr;  // set when a name was typed
    double value = 0.0;                     // the formula's value otherwise
    Complexe complexValue;
    int messageId = 0;  // the message shown on refusal
    int position = 0;   // caret position in the field
};
ParameterEntry enterParameter(const CListeAction& list, const std::string& text, int limitIndex,
                              int emptyMessage = Msg::enterFormula, bool complex = false);
// The same, applied to a parameter value on success.
ParameterEntry enterParameter(const CListeAction& list, const std::string& text, int limitIndex,
                              int emptyMessage, CValeurAssocieeAVariable& target);
ParameterEntry enterAngleParameter(const CListeAction& list, const std::string& text,
                                   int limitIndex, int emptyMessage, CValeurAngle& target);
ParameterEntry enterComplexParameter(const CListeAction& list, const std::string& text,
                                     int limitIndex, int emptyMessage, CValeurAssocieeComp& target);
