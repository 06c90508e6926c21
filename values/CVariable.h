// User variables: a named number, and the bounded variable moved between bounds by a step.
#pragma once

#include <string>

#include "values/CValeurDynamique.h"

class CListeAction;

class CVariable : public CValeurDynamique {
    DECLARE_SERIAL(CVariable)
public:
    CVariable() = default;
    explicit CVariable(std::string n) : name(std::move(n)) {}
    std::string name;

    std::string getName() const override { return name; }
    int getValueKind() const override { return kind::variable; }
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
};

class CVariableBornee : public CVariable {
    DECLARE_SERIAL(CVariableBornee)
public:
    CVariableBornee() = default;
    CVariableBornee(std::string name, double value, double minimum, double maximum, double step,
                    std::string minimumText, std::string maximumText, std::string stepText,
                    bool withWindow = false);

    bool isBoundedVariable() const override { return true; }

    double value = 0.0, minimum = 0.0, maximum = 1.0, step = 0.1;
    std::string minimumText, maximumText, stepText;  // as typed
    bool withWindow = false;                         // the variable has its stepping window

    double getValue() const override { return value; }
    // Whatever the user or a macro set.
    void computePosition() override { exists = true; }
    void copyStateFrom(const CElementBase& src) override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;
    std::string getDescription() const override;

    // One step up or down within the bounds (inclusive, compared exactly); a step that would
    // leave them beeps and changes nothing. True when the value moved.
    bool increment();
    bool decrement();
    void setValue(double v) { value = v; }

    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
};

// The checks of the bounded variable dialog, in order; the texts are formulas that may name
// objects up to list index `maxIndex`. On success the four numbers are set.
struct BoundedVariableCheck {
    bool ok = false;
    int messageId = 0;
    int field = -1;    // 0 minimum, 1 maximum, 2 step, 3 current value
    int position = 0;  // caret in that field, for syntax errors
    double minimum = 0, maximum = 0, step = 0, value = 0;
};
BoundedVariableCheck checkBoundedVariableFields(const CListeAction* list,
                                                const std::string& minimumText,
                                                const std::string& maximumText,
                                                const std::string& stepText,
                                                const std::string& valueText, int maxIndex = 0);
