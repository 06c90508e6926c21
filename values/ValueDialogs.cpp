#include "values/ValueDialogs.h"

#include "calc/BuiltInFunctions.h"
#include "calc/Parser.h"
#include "calc/ValueNames.h"
#include "core/CHost.h"
#include "core/CListeAction.h"
#include "core/Messages.h"
#include "values/CFonc.h"
#include "values/CValeurAssocieeAVariable.h"
#include "values/CValeurAssocieeComp.h"
#include "values/CValeurDynamique.h"

namespace {
bool sameNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// The value, function or measure of that name before `limitIndex`, or -1.
int indexOfValueNamed(const CListeAction& list, const std::string& name, int from, int to) {
    for (int i = std::max(from, 0); i < std::min(to, list.count()); ++i) {
        CActionAncetre* e = list.entryAt(i);
        if (!(e->nature & nat::valeurOuFonction)) continue;
        auto* v = dynamic_cast<const CValeurDynamique*>(e->element);
        if (v && v->hasName(name)) return i;
    }
    return -1;
}

bool isFormalVariableOfFunction(const CListeAction& list, const std::string& name, int limitIndex) {
    for (int i = 0; i < std::min(limitIndex, list.count()); ++i) {
        auto* f = dynamic_cast<const CFonc*>(list.elementAt(i));
        if (f && !f->formalVariable.empty() && sameNoCase(f->formalVariable, name)) return true;
    }
    return false;
}
}  // namespace

int checkValueName(const CListeAction& list, const std::string& name, int limitIndex,
                   int emptyMessage) {
    if (name.empty()) return emptyMessage;
    if (name == "i" || name == "I") return Msg::nameIReserved;
    if (!isValidName(name)) return Msg::invalidName;
    if (isBuiltInFunctionName(name)) return Msg::nameIsBuiltInFunction;
    if (indexOfValueNamed(list, name, 0, limitIndex) >= 0) return Msg::nameTaken;
    if (isFormalVariableOfFunction(list, name, limitIndex)) return Msg::nameIsFormalVariable;
    return 0;
}

int checkFormalVariableName(const CListeAction& list, const std::string& variable,
                            const std::string& functionName, int limitIndex) {
    if (variable.empty()) return Msg::formalVariableMissing;
    if (!isValidName(variable) || static_cast<int>(variable.size()) > kMaxFormalVariableLength)
        return Msg::formalVariableInvalid;
    if (isBuiltInFunctionName(variable)) return Msg::formalVariableBuiltIn;
    if (indexOfValueNamed(list, variable, 0, limitIndex) >= 0) return Msg::formalVariableTaken;
    if (sameNoCase(variable, functionName)) return Msg::variableIsFunctionName;
    return 0;
}

bool isMeasureNameTaken(const CListeAction& list, const std::string& name) {
    return isValueNameTaken(list, name);
}

ParameterEntry enterParameter(const CListeAction& list, const std::string& text, int limitIndex,
                              int emptyMessage, bool complex) {
    ParameterEntry r;
    if (!text.empty()) {
        int before = indexOfValueNamed(list, text, 0, limitIndex);
        if (before >= 0) {
            auto* v = dynamic_cast<CValeurDynamique*>(list.elementAt(before));
            if (!v->exists &&
                showMessage(Msg::valueUndefinedNow, MB_YESNO | MB_ICONEXCLAMATION) != IDYES) {
                r.messageId = Msg::valueUndefinedNow;
                return r;
            }
            r.ok = true;
            r.reference = v;
            r.value = v->getValue();
            r.complexValue = v->getComplexValue();
            return r;
        }
        if (indexOfValueNamed(list, text, limitIndex, list.count()) >= 0) {
            r.messageId = Msg::valueDefinedAfter;
            showMessage(Msg::valueDefinedAfter);
            return r;
        }
    }
    ConstantFieldResult c = checkConstantField(&list, text, emptyMessage, complex);
    if (!c.ok) {
        r.messageId = c.messageId == Msg::valueDefinedLater ? Msg::constantFieldOnly : c.messageId;
        r.position = c.position;
        showMessage(r.messageId);
        return r;
    }
    r.ok = true;
    r.value = c.value;
    r.complexValue = c.complexValue;
    return r;
}

ParameterEntry enterParameter(const CListeAction& list, const std::string& text, int limitIndex,
                              int emptyMessage, CValeurAssocieeAVariable& target) {
    ParameterEntry r = enterParameter(list, text, limitIndex, emptyMessage, false);
    if (!r.ok) return r;
    if (r.reference)
        target.setReference(r.reference);
    else
        target.setNumberWithText(r.value, text);
    return r;
}

ParameterEntry enterAngleParameter(const CListeAction& list, const std::string& text,
                                   int limitIndex, int emptyMessage, CValeurAngle& target) {
    ParameterEntry r = enterParameter(list, text, limitIndex, emptyMessage, false);
    if (!r.ok) return r;
    if (r.reference)
        target.setReference(r.reference);
    else
        target.setNumberInUnit(r.value, text);
    return r;
}

ParameterEntry enterComplexParameter(const CListeAction& list, const std::string& text,
                                     int limitIndex, int emptyMessage,
                                     CValeurAssocieeComp& target) {
    ParameterEntry r = enterParameter(list, text, limitIndex, emptyMessage, true);
    if (!r.ok) return r;
    if (r.reference)
        target.setReference(r.reference);
    else
        target.setNumberWithText(r.complexValue, text);
    return r;
}
