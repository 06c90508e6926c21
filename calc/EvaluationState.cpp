#include "calc/EvaluationState.h"

#include <cassert>
#include <cmath>
#include <random>

void setCalculationError() {
    evaluationState().failed = true;
}
void clearCalculationError() {
    evaluationState().failed = false;
}
bool isCalculationError() {
    return evaluationState().failed;
}

void checkResult(double& v) {
    if (std::isnan(v))
        v = 0.0;
    else if (!std::isfinite(v))
        setCalculationError();
}

void failNonFinite([[maybe_unused]] double v) {
    if (isCalculationError()) return;
    assert(!std::isnan(v) && "a computing step gave NaN without failing");
    setCalculationError();
}

void failNonFinite(Complexe z) {
    if (std::isinf(z.re) || std::isinf(z.im)) setCalculationError();
    failNonFinite(std::isnan(z.re) ? z.re : z.im);
}

namespace {
std::minstd_rand& generator() {
    static std::minstd_rand g{std::random_device{}()};
    return g;
}

double fail() {
    setCalculationError();
    return 0.0;
}

// Beyond 2^63 the trigonometric functions lose every significant digit: the runtime reports
// a total loss of significance there.
constexpr double kTrigLimit = 9.2233720368547758e18;
}  // namespace

double drawRandom() {
    return static_cast<double>(generator()() & 0x7FFF) / 32768.0;
}

void seedRandom(unsigned seed) {
    generator().seed(seed ? seed : 1);
}

namespace checked {
double sqrt(double t) {
    if (std::isnan(t) || t < 0) return fail();
    return std::sqrt(t);
}

double log(double t) {
    if (std::isnan(t) || t <= 0) return fail();
    return std::log(t);
}

double exp(double t) {
    if (std::isnan(t)) return fail();
    double r = std::exp(t);
    if (!std::isfinite(r)) return fail();
    return r;
}

double sin(double t) {
    if (!std::isfinite(t) || std::fabs(t) >= kTrigLimit) return fail();
    return std::sin(t);
}

double cos(double t) {
    if (!std::isfinite(t) || std::fabs(t) >= kTrigLimit) return fail();
    return std::cos(t);
}

double tan(double t) {
    if (!std::isfinite(t) || std::fabs(t) >= kTrigLimit) return fail();
    return std::tan(t);
}
}  // namespace checked

RandomModeScope::RandomModeScope(bool redraw, bool transient)
    : redraw_(evaluationState().redrawRandom), transient_(evaluationState().transientRandom) {
    evaluationState().redrawRandom = redraw;
    evaluationState().transientRandom = transient;
}

RandomModeScope::~RandomModeScope() {
    evaluationState().redrawRandom = redraw_;
    evaluationState().transientRandom = transient_;
}
