// The process-wide evaluation state of formulas: the failure flag through which an undefined
// result propagates, the angle unit in force and the random-draw switches.
#pragma once

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
