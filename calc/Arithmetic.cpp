#include "calc/Arithmetic.h"

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

double toRadiansIfDegree(double t) {
    return isDegreeMode() ? t * evaluationState().degreesToRadians : t;
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

Complexe complexDiv(Complexe a, Complexe b) {
    double d = b.re * b.re + b.im * b.im;
    if (d == 0) return failComplex();
    return {(a.re * b.re + a.im * b.im) / d, (a.im * b.re - a.re * b.im) / d};
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
    double v = toRadiansIfDegree(w.im);
    return {e * checked::cos(v), e * checked::sin(v)};
}

Complexe complexLn(Complexe w) {
    return {checked::log(std::sqrt(w.re * w.re + w.im * w.im)), angleOf(w)};
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
            return checked::sin(toRadiansIfDegree(t));
        case fnCos:
            return checked::cos(toRadiansIfDegree(t));
        case fnTan:
            return checked::tan(toRadiansIfDegree(t));
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
            return (checked::exp(t) - checked::exp(-t)) / 2;
        case fnTh: {
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
            return {std::sqrt(u * u + v * v), 0.0};
        case fnCSin: {
            Complexe d = sub(complexExp({-v, u}), complexExp({v, -u}));
            return {d.im / 2, -d.re / 2};  // divided by 2i
        }
        case fnCCos:
            return half(add(complexExp({-v, u}), complexExp({v, -u})));
        case fnCTan: {
            Complexe e = complexExp({-2 * v, 2 * u});
            Complexe q = complexDiv({e.re - 1, e.im}, {e.re + 1, e.im});
            return {q.im, -q.re};  // times -i
        }
        case fnCLn:
            return complexLn(w);
        case fnCExp:
            return complexExp(w);
        case fnCCh:
            return half(add(complexExp(w), complexExp({-u, -v})));
        case fnCSh:
            return half(sub(complexExp(w), complexExp({-u, -v})));
        case fnCTh: {
            Complexe e = complexExp({2 * u, 2 * v});
            return complexDiv({e.re - 1, e.im}, {e.re + 1, e.im});
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
