#include "calc/Arithmetic.h"

#include <cfloat>
#include <cmath>

#include "calc/EvaluationState.h"

namespace {
constexpr double kPi = 3.14159265358979323846;

double fail() {
    setCalculationError();
    return 0.0;
}

Complexe failComplex() {
    setCalculationError();
    return {0.0, 0.0};
}

bool isIntegral(double v) {
    return std::isfinite(v) && std::floor(v) == v;
}

int highestBit(int n) {
    int h = 0;
    for (int bit = 7; bit >= 0; --bit)
        if (n & (1 << bit)) {
            h = bit;
            break;
        }
    return h;
}

// n in 1..255. The square is not squared again after the highest bit: that extra product
// could only overflow (5e200^1 would be undefined) and is never used.
double integerPower(double a, int n) {
    double result = 1.0, square = a;
    int h = highestBit(n);
    for (int bit = 0; bit <= h; ++bit) {
        if (n & (1 << bit)) result *= square;
        if (bit < h) {
            square *= square;
            checkResult(square);
        }
    }
    checkResult(result);
    return result;
}

void checkComplex(Complexe& z) {
    checkResult(z.re);
    checkResult(z.im);
}

Complexe integerPower(Complexe a, int n) {
    Complexe result{1.0, 0.0}, square = a;
    int h = highestBit(n);
    for (int bit = 0; bit <= h; ++bit) {
        if (n & (1 << bit)) result = complexMul(result, square);
        if (bit < h) {
            square = complexMul(square, square);
            checkComplex(square);
        }
    }
    checkComplex(result);
    return result;
}

// Degree arguments are reduced modulo 360 first (fmod is exact), so that huge arguments keep
// their digits and the multiples of 90° are recognised: their sine, cosine and tangent are exact
// (tangent undefined). A reduced argument other than those converts to radians as it always did.
// Gives the right angles in t (1..3) once reduced in place, 0 for a whole turn and -1 otherwise.
int reduceDegrees(double& t) {
    t = std::fmod(t, 360.0);
    if (std::fmod(t, 90.0) != 0) return -1;
    int q = static_cast<int>(t / 90.0) % 4;
    return q < 0 ? q + 4 : q;
}

constexpr double kSinOfRightAngles[4] = {0.0, 1.0, 0.0, -1.0};
constexpr double kCosOfRightAngles[4] = {1.0, 0.0, -1.0, 0.0};

// Sine, cosine and tangent of an argument in the angle unit of the figure. A whole turn (q = 0)
// goes to the library with t = ±0, which keeps the sign of zero of sin(-0) and tan(-0).
double unitSin(double t) {
    if (!isDegreeMode()) return checked::sin(t);
    if (!std::isfinite(t)) return fail();
    int q = reduceDegrees(t);
    if (q > 0) return kSinOfRightAngles[q];
    return checked::sin(t * evaluationState().degreesToRadians);
}
double unitCos(double t) {
    if (!isDegreeMode()) return checked::cos(t);
    if (!std::isfinite(t)) return fail();
    int q = reduceDegrees(t);
    if (q > 0) return kCosOfRightAngles[q];
    return checked::cos(t * evaluationState().degreesToRadians);
}
double unitTan(double t) {
    if (!isDegreeMode()) return checked::tan(t);
    if (!std::isfinite(t)) return fail();
    int q = reduceDegrees(t);
    if (q == 1 || q == 3) return fail();
    if (q == 2) return 0.0;
    return checked::tan(t * evaluationState().degreesToRadians);
}

// Below this the exponential forms of Sh and Th cancel (their error grows like 1/t ulps); from
// it on they are as exact as the expm1 forms, and are kept so that their values do not move.
constexpr double kSmallHyperbolic = 0.3;

// sinh and tanh of a small t (|t| < 1) from expm1, to the last bit or so however small t is.
double smallSinh(double t) {
    double e = std::expm1(std::fabs(t));
    double r = 0.5 * (2 * e - e * e / (e + 1));
    return t < 0 ? -r : r;
}
double smallTanh(double t) {
    double e = std::expm1(-2 * std::fabs(t));
    double r = -e / (e + 2);
    return t < 0 ? -r : r;
}

// A part of a complex result recomputed without cancellation. Where it is zero the plain
// formula was exact too, and the sign of its zero is kept.
void setIfNonZero(double& part, double value) {
    if (value != 0) part = value;
}

// Real part of (e - 1) / (e + 1) where e = exp(2w) and x = 4 re(w) is small: the numerator
// |e|^2 - 1 cancels, it is e^x - 1 from expm1 (exactly 0 for an imaginary w, where the plain
// formula left rounding noise). The denominator is the one the division used; zero there, the
// division has already failed.
double smallTanhPart(Complexe e, double x) {
    double d = (e.re + 1) * (e.re + 1) + e.im * e.im;
    if (!(d > 0) || x == 0) return 0.0;
    return std::expm1(x) / d;
}

// |w|: the sum of squares overflows beyond 1e154 and underflows below 1e-154, where hypot
// does not; elsewhere the sum is kept, so that the last bit of every other modulus stays.
double modulus(Complexe w) {
    double s = w.re * w.re + w.im * w.im;
    if (s >= DBL_MIN && s <= DBL_MAX) return std::sqrt(s);
    return std::hypot(w.re, w.im);
}

// a / b (b not zero) with both scaled by powers of two near 1, so that no product overflows
// or underflows on the way: only a quotient beyond the range of doubles is infinite.
Complexe scaledDiv(Complexe a, Complexe b) {
    if (a.re == 0 && a.im == 0) return {0.0, 0.0};
    int ea = std::ilogb(std::fmax(std::fabs(a.re), std::fabs(a.im)));
    int eb = std::ilogb(std::fmax(std::fabs(b.re), std::fabs(b.im)));
    double ar = std::scalbn(a.re, -ea), ai = std::scalbn(a.im, -ea);
    double br = std::scalbn(b.re, -eb), bi = std::scalbn(b.im, -eb);
    double d = br * br + bi * bi;
    return {std::scalbn((ar * br + ai * bi) / d, ea - eb),
            std::scalbn((ai * br - ar * bi) / d, ea - eb)};
}

double toDegreesIfDegree(double t) {
    return isDegreeMode() ? t * evaluationState().radiansToDegrees : t;
}

Complexe add(Complexe a, Complexe b) {
    return {a.re + b.re, a.im + b.im};
}
Complexe sub(Complexe a, Complexe b) {
    return {a.re - b.re, a.im - b.im};
}
Complexe half(Complexe a) {
    return {a.re / 2, a.im / 2};
}

// Real code of the complex functions that only accept a real argument.
int realCodeOf(int complexCode) {
    switch (complexCode) {
        case fnCInt:
            return fnInt;
        case fnCArccos:
            return fnArccos;
        case fnCArcsin:
            return fnArcsin;
        case fnCArctan:
            return fnArctan;
        case fnCArgCh:
            return fnArgCh;
        case fnCArgSh:
            return fnArgSh;
        case fnCArgTh:
            return fnArgTh;
        default:
            return -1;
    }
}
}  // namespace

double computeReal(int op, double a, double b) {
    switch (op) {
        case opAdd:
            return a + b;
        case opSub:
            return a - b;
        case opMul:
            return a * b;
        case opDiv:
            return b == 0 ? fail() : a / b;
        case opLess:
            return a < b ? 1 : 0;
        case opGreater:
            return a > b ? 1 : 0;
        case opLessEqual:
            return a <= b ? 1 : 0;
        case opGreaterEqual:
            return a >= b ? 1 : 0;
        case opEqual:
            return a == b ? 1 : 0;
        case opNotEqual:
            return a != b ? 1 : 0;
        default:
            return fail();
    }
}

Complexe complexMul(Complexe a, Complexe b) {
    return {a.re * b.re - a.im * b.im, a.im * b.re + a.re * b.im};
}

// Only a zero divisor fails. The plain formula is kept wherever it works: its squared modulus
// overflows beyond 1e154 (Th(200) was inf/inf) and underflows below 1e-154, and its products can
// overflow although the quotient does not; there the division is scaled.
Complexe complexDiv(Complexe a, Complexe b) {
    if (b.re == 0 && b.im == 0) return failComplex();
    double d = b.re * b.re + b.im * b.im;
    Complexe q{(a.re * b.re + a.im * b.im) / d, (a.im * b.re - a.re * b.im) / d};
    bool finiteOperands =
        std::isfinite(a.re) && std::isfinite(a.im) && std::isfinite(b.re) && std::isfinite(b.im);
    if (!finiteOperands ||
        (d >= DBL_MIN && d <= DBL_MAX && std::isfinite(q.re) && std::isfinite(q.im)))
        return q;
    return scaledDiv(a, b);
}

Complexe computeComplexOperation(int op, Complexe a, Complexe b) {
    switch (op) {
        case opAdd:
            return add(a, b);
        case opSub:
            return sub(a, b);
        case opMul:
            return complexMul(a, b);
        case opDiv:
            return complexDiv(a, b);
        case opLess:
        case opGreater:
        case opLessEqual:
        case opGreaterEqual: {
            // Only real operands compare, and by their squares: -3 < 2 is false here.
            if (a.im != 0 || b.im != 0) return failComplex();
            double a2 = a.re * a.re, b2 = b.re * b.re;
            bool r = op == opLess        ? a2 < b2
                     : op == opGreater   ? a2 > b2
                     : op == opLessEqual ? a2 <= b2
                                         : a2 >= b2;
            return {r ? 1.0 : 0.0, 0.0};
        }
        case opEqual:
            return {(a.re == b.re && a.im == b.im) ? 1.0 : 0.0, 0.0};
        case opNotEqual:
            return {(a.re != b.re || a.im != b.im) ? 1.0 : 0.0, 0.0};
        default:
            return failComplex();
    }
}

double realPower(double a, double b) {
    if (a == 0) return b > 0 ? 0.0 : fail();
    if (b == 0) return 1.0;
    if (isIntegral(b) && b > 0 && b < 256) return integerPower(a, static_cast<int>(b));
    if (a > 0) return checked::exp(b * checked::log(a));
    if (!isIntegral(b)) return fail();
    double r = checked::exp(b * checked::log(-a));
    return std::fmod(b, 2.0) != 0 ? -r : r;
}

Complexe complexPower(Complexe a, Complexe b) {
    if (b.re * b.re + b.im * b.im == 0) {
        if (a.re * a.re + a.im * a.im == 0) return failComplex();
        return {1.0, 0.0};
    }
    bool aNonZero = a.re != 0 || a.im != 0;
    if (aNonZero && b.im == 0 && isIntegral(b.re)) {
        double n = b.re;
        if (n > 0 && n < 256) return integerPower(a, static_cast<int>(n));
        if (n < 0 && n > -256) return complexDiv({1.0, 0.0}, integerPower(a, static_cast<int>(-n)));
    }
    if (aNonZero) return complexExp(complexMul(b, complexLn(a)));
    if (b.im != 0) return failComplex();
    if (b.re > 0) return {0.0, 0.0};
    return failComplex();
}

double angleOf(Complexe w) {
    double u = w.re, v = w.im, a;
    if (u == 0)
        a = v > 0 ? kPi / 2 : -kPi / 2;
    else if (u > 0)
        a = std::atan(v / u);
    else
        a = v >= 0 ? std::atan(v / u) + kPi : std::atan(v / u) - kPi;
    return toDegreesIfDegree(a);
}

Complexe complexExp(Complexe w) {
    double e = checked::exp(w.re);
    return {e * unitCos(w.im), e * unitSin(w.im)};
}

Complexe complexLn(Complexe w) {
    return {checked::log(modulus(w)), angleOf(w)};
}

double realFunction(int code, double t) {
    switch (code) {
        case fnAbs:
            return std::fabs(t);
        case fnSqrt:
        case fnRac:
            return checked::sqrt(t);
        case fnInt:
            return std::floor(t);
        case fnSin:
            return unitSin(t);
        case fnCos:
            return unitCos(t);
        case fnTan:
            return unitTan(t);
        case fnLn:
            return checked::log(t);
        case fnExp:
            return checked::exp(t);
        case fnArctan:
            return toDegreesIfDegree(std::atan(t));
        case fnArccos:
            if (!(t >= -1 && t <= 1)) return fail();
            return toDegreesIfDegree(std::acos(t));
        case fnArcsin:
            if (!(t >= -1 && t <= 1)) return fail();
            return toDegreesIfDegree(std::asin(t));
        case fnCh:
            return (checked::exp(t) + checked::exp(-t)) / 2;
        case fnSh:
            if (std::fabs(t) < kSmallHyperbolic) return smallSinh(t);
            return (checked::exp(t) - checked::exp(-t)) / 2;
        case fnTh: {
            if (std::fabs(t) < kSmallHyperbolic) return smallTanh(t);
            double e = checked::exp(2 * t);
            return (e - 1) / (e + 1);
        }
        // The inverse hyperbolic functions are computed without cancellation: ArgSh(-1e9)
        // is defined although t + sqrt(t^2 + 1) rounds to 0 there.
        case fnArgCh:
            if (!(t >= 1)) return fail();
            return std::acosh(t);
        case fnArgSh:
            return std::asinh(t);
        case fnArgTh:
            if (!(t > -1 && t < 1)) return fail();
            return std::atanh(t);
        default:
            return fail();
    }
}

Complexe complexFunction(int code, Complexe w) {
    double u = w.re, v = w.im;
    switch (code) {
        case fnCAbs:
            return {modulus(w), 0.0};
        // The part that is sinh of a small number is computed as such: the difference of the two
        // exponentials cancels there (sin(1+1e-20*i) had no imaginary part).
        case fnCSin: {
            Complexe d = sub(complexExp({-v, u}), complexExp({v, -u}));
            Complexe r{d.im / 2, -d.re / 2};  // divided by 2i
            if (std::fabs(v) < kSmallHyperbolic) setIfNonZero(r.im, smallSinh(v) * unitCos(u));
            return r;
        }
        case fnCCos: {
            Complexe r = half(add(complexExp({-v, u}), complexExp({v, -u})));
            if (std::fabs(v) < kSmallHyperbolic) setIfNonZero(r.im, -smallSinh(v) * unitSin(u));
            return r;
        }
        case fnCTan: {
            Complexe e = complexExp({-2 * v, 2 * u});
            Complexe q = complexDiv({e.re - 1, e.im}, {e.re + 1, e.im});
            if (std::fabs(v) < kSmallHyperbolic) q.re = smallTanhPart(e, -4 * v);
            return {q.im, -q.re};  // times -i
        }
        case fnCLn:
            return complexLn(w);
        case fnCExp:
            return complexExp(w);
        case fnCCh: {
            Complexe r = half(add(complexExp(w), complexExp({-u, -v})));
            if (std::fabs(u) < kSmallHyperbolic) setIfNonZero(r.im, smallSinh(u) * unitSin(v));
            return r;
        }
        case fnCSh: {
            Complexe r = half(sub(complexExp(w), complexExp({-u, -v})));
            if (std::fabs(u) < kSmallHyperbolic) setIfNonZero(r.re, smallSinh(u) * unitCos(v));
            return r;
        }
        case fnCTh: {
            Complexe e = complexExp({2 * u, 2 * v});
            Complexe q = complexDiv({e.re - 1, e.im}, {e.re + 1, e.im});
            if (std::fabs(u) < kSmallHyperbolic) q.re = smallTanhPart(e, 4 * u);
            return q;
        }
        case fnCConj:
            return {u, -v};
        case fnCAngle:
            if (u == 0 && v == 0) return failComplex();
            return {angleOf(w), 0.0};
        case fnCRe:
            return {u, 0.0};
        case fnCIm:
            return {v, 0.0};
        case fnCSqrt:
        case fnCRac:
            if (v == 0 && u >= 0) return {std::sqrt(u), 0.0};
            return failComplex();
        default: {
            int real = realCodeOf(code);
            if (real < 0 || v != 0) return failComplex();
            return {realFunction(real, u), 0.0};
        }
    }
}
