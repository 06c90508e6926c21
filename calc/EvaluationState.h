// Checked maths and random draws of formulas, over the process-wide evaluation record.
#pragma once

#include <cmath>

#include "calc/Complexe.h"
#include "core/EvaluationRecord.h"

void setCalculationError();
void clearCalculationError();
bool isCalculationError();
inline bool isDegreeMode() {
    return evaluationState().angleUnit != 0;
}

// A NaN becomes 0 without raising the flag; an infinity raises it and is kept.
void checkResult(double& v);

// Result of a computing step (operation, power, built-in function): an infinity is an overflow
// and fails. Every step fails explicitly where it is undefined, so a NaN with the flag down is a
// fault of the step itself: debug builds stop on it, release builds fail. The value is kept.
// (Inline: it runs at every node of every evaluation.)
void failNonFinite(double v);
inline void checkComputed(double v) {
    if (!std::isfinite(v)) failNonFinite(v);
}
// A complex product that overflows in one part may leave inf - inf = NaN in the other: the
// step failed by its overflow, not by a fault.
void failNonFinite(Complexe z);
inline void checkComputed(Complexe z) {
    if (!std::isfinite(z.re) || !std::isfinite(z.im)) failNonFinite(z);
}
// A value that enters a formula from outside (a stored constant, a value of the figure, the
// variable): not a finite number, it fails, since a damaged file may hold one.
inline void checkEntering(double v) {
    if (!std::isfinite(v)) setCalculationError();
}

// A uniform draw in [0, 1) with the resolution of the runtime's rand() (32768 steps).
double drawRandom();
// Seeds the draws (tests and start-up).
void seedRandom(unsigned seed);

// Library functions whose domain errors, singularities and overflows raise the failure flag
// (the runtime has no math-error hook) and then return 0.
namespace checked {
double sqrt(double t);
double log(double t);
double exp(double t);
double sin(double t);
double cos(double t);
double tan(double t);
}  // namespace checked

// Switches the random draws for the duration of a scope, restoring the previous state.
class RandomModeScope {
public:
    RandomModeScope(bool redraw, bool transient);
    ~RandomModeScope();
    RandomModeScope(const RandomModeScope&) = delete;
    RandomModeScope& operator=(const RandomModeScope&) = delete;

private:
    bool redraw_, transient_;
};
