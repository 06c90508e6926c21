#include "values/CVariable.h"

#include "calc/NumberFormat.h"
#include "calc/Parser.h"
#include "core/CArchive.h"
#include "core/CHost.h"
#include "core/CListeAction.h"
#include "core/Messages.h"
#include "values/CCalcul.h"

IMPLEMENT_SERIAL(CVariable, CValeurDynamique, 1)
IMPLEMENT_SERIAL(CVariableBornee, CVariable, 1)

// ---------------------------------------------------------------------------------------------
// CVariable

void CVariable::Serialize(CArchive& ar) {
    if (ar.IsStoring())
        ar.writeString(name);
    else
        name = ar.readString();
}

void CVariable::readPreviousFormat(CArchive& ar) {
    CValeurDynamique::readPreviousFormat(ar);
    name = readEarliestName(ar);
}

// ---------------------------------------------------------------------------------------------
// CVariableBornee

CVariableBornee::CVariableBornee(std::string name, double value, double minimum, double maximum,
                                 double step, std::string minimumText, std::string maximumText,
                                 std::string stepText, bool withWindow)
    : CVariable(std::move(name)),
      value(value),
      minimum(minimum),
      maximum(maximum),
      step(step),
      minimumText(std::move(minimumText)),
      maximumText(std::move(maximumText)),
      stepText(std::move(stepText)),
      withWindow(withWindow) {}

void CVariableBornee::copyStateFrom(const CElementBase& src) {
    CVariable::copyStateFrom(src);
    if (const auto* v = dynamic_cast<const CVariableBornee*>(&src)) value = v->value;
}

std::string CVariableBornee::getConstructionInfo(CElementBase**, CElementBase**,
                                                 CElementBase**) const {
    return "Variable nommée " + name + "\r\n" + "Valeur actuelle : " + formatNumber(value, 12, 12);
}

std::string CVariableBornee::getDescription() const {
    const std::string eol = "\n      ";
    std::string text = "Variable nommée " + name + eol +
                       "Valeur minimale : " + formatNumber(minimum, 12, 12) + eol +
                       "Valeur maximale : " + formatNumber(maximum, 12, 12) + eol +
                       "Pas d'incrémentation : " + formatNumber(step, 12, 12) + eol +
                       "Valeur actuelle : " + formatNumber(value, 12, 12);
    if (withWindow) text += eol + "Avec dialogue associé";
    return text;
}

bool CVariableBornee::increment() {
    double v = value + step;
    if (minimum <= v && v <= maximum) {
        value = v;
        return true;
    }
    host().beep();
    return false;
}

bool CVariableBornee::decrement() {
    double v = value - step;
    if (minimum <= v && v <= maximum) {
        value = v;
        return true;
    }
    host().beep();
    return false;
}

void CVariableBornee::Serialize(CArchive& ar) {
    CVariable::Serialize(ar);
    if (ar.IsStoring()) {
        ar.writeDouble(value);
        ar.writeDouble(minimum);
        ar.writeDouble(maximum);
        ar.writeDouble(step);
        ar.writeBool(withWindow);
        ar.writeString(minimumText);
        ar.writeString(maximumText);
        ar.writeString(stepText);
    } else {
        value = ar.readDouble();
        minimum = ar.readDouble();
        maximum = ar.readDouble();
        step = ar.readDouble();
        withWindow = ar.readBool();
        minimumText = ar.readString();
        maximumText = ar.readString();
        stepText = ar.readString();
    }
}

// The earliest format keeps only the numbers: the texts are rebuilt from them.
void CVariableBornee::readPreviousFormat(CArchive& ar) {
    CVariable::readPreviousFormat(ar);
    value = ar.readDouble();
    minimum = ar.readDouble();
    maximum = ar.readDouble();
    step = ar.readDouble();
    withWindow = false;
    minimumText = formatNumber(minimum, 12, 12);
    maximumText = formatNumber(maximum, 12, 12);
    stepText = formatNumber(step, 12, 12);
}

// ---------------------------------------------------------------------------------------------
// Dialog checks

BoundedVariableCheck checkBoundedVariableFields(const CListeAction* list,
                                                const std::string& minimumText,
                                                const std::string& maximumText,
                                                const std::string& stepText,
                                                const std::string& valueText, int maxIndex) {
    BoundedVariableCheck r;
    const std::string* texts[4] = {&minimumText, &maximumText, &stepText, &valueText};
    double* numbers[4] = {&r.minimum, &r.maximum, &r.step, &r.value};
    for (int f = 0; f < 4; ++f) {
        r.field = f;
        if (!checkRealFormula(list, *texts[f], r.messageId, r.position, maxIndex)) return r;
        // A temporary calculation, computed then discarded.
        CCalcul temporary("", *texts[f]);
        temporary.tree = buildRealTree(list, *texts[f]);
        temporary.computePosition();
        if (!temporary.exists) {
            r.messageId = Msg::someCalculationInvalid;
            r.position = 0;
            return r;
        }
        *numbers[f] = temporary.value;
    }
    if (!(r.minimum < r.maximum)) {
        r.messageId = Msg::minNotBelowMax;
        r.field = 0;
        return r;
    }
    if (r.step > r.maximum - r.minimum || r.step <= 0) {
        r.messageId = Msg::stepInvalid;
        r.field = 2;
        return r;
    }
    if (r.value < r.minimum || r.value > r.maximum) {
        r.messageId = Msg::currentOutOfBounds;
        r.field = 3;
        return r;
    }
    r.field = -1;
    r.messageId = 0;
    r.ok = true;
    return r;
}
