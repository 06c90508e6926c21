// Checked maths and random draws of formulas, over the process-wide evaluation record.
#pragma once

#include "core/EvaluationRecord.h"

void setCalculationError();
void clearCalculationError();
bool isCalculationError();
inline bool isDegreeMode() {
    return evaluationState().angleUnit != 0;
}

// A NaN becomes 0 without raising the flag; an infinity raises it and is kept.
void checkResult(double& v);

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
