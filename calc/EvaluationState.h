// The process-wide evaluation state of formulas: the failure flag through which an undefined
// result propagates, the angle unit in force and the random-draw switches.
#pragma once

#include <cmath>

#include "calc/Complexe.h"

struct EvaluationState {
    bool failed = false;  // raised by any failing step of an evaluation
    int angleUnit = 0;    // 0 radian, 1 degree; published by the list being recomputed
    double degreesToRadians = 0.017453292519943295;
    double radiansToDegrees = 57.295779513082323;
    bool redrawRandom = false;     // "Tout redessiner": every Rand draws again and keeps it
    bool transientRandom = false;  // animations: every Rand draws on each evaluation
};

EvaluationState& evaluationState();

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
