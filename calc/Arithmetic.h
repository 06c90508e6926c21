// The arithmetic of formulas over the reals and the complex numbers: operators, powers and
// built-in functions. Every undefined result raises the evaluation failure flag and gives 0.
#pragma once

#include "calc/Complexe.h"

// Operator codes of COperation (stored in files).
enum OperatorCode {
    opAdd = 0,
    opSub = 1,
    opMul = 2,
    opDiv = 3,
    opLess = 4,
    opGreater = 5,
    opLessEqual = 6,
    opGreaterEqual = 7,
    opEqual = 8,
    opNotEqual = 9,
};
inline constexpr int kOperatorCount = 10;

// Function codes of CFonction: 0..18 real, 19..41 complex (19 + position in the complex table).
enum FunctionCode {
    fnAbs = 0,
    fnSqrt = 1,
    fnInt = 2,
    fnSin = 3,
    fnCos = 4,
    fnTan = 5,
    fnLn = 6,
    fnExp = 7,
    fnArctan = 8,
    fnArccos = 9,
    fnArcsin = 10,
    fnCh = 11,
    fnSh = 12,
    fnTh = 13,
    fnArgCh = 14,
    fnArgSh = 15,
    fnArgTh = 16,
    fnRand = 17,
    fnRac = 18,
    fnCAbs = 19,
    fnCSin = 20,
    fnCCos = 21,
    fnCTan = 22,
    fnCLn = 23,
    fnCExp = 24,
    fnCCh = 25,
    fnCSh = 26,
    fnCTh = 27,
    fnCRand = 28,
    fnCConj = 29,
    fnCAngle = 30,
    fnCRe = 31,
    fnCIm = 32,
    fnCSqrt = 33,
    fnCRac = 34,
    fnCInt = 35,
    fnCArccos = 36,
    fnCArcsin = 37,
    fnCArctan = 38,
    fnCArgCh = 39,
    fnCArgSh = 40,
    fnCArgTh = 41,
};
inline constexpr int kRealFunctionCount = 19;
inline constexpr int kFunctionCount = 42;

double computeReal(int op, double a, double b);
Complexe computeComplexOperation(int op, Complexe a, Complexe b);

double realPower(double a, double b);
Complexe complexPower(Complexe a, Complexe b);

// Real function `code` (0..18) of t; Rand is drawn by the node, not here.
double realFunction(int code, double t);
// Complex function `code` (19..41) of w, Rand excepted.
Complexe complexFunction(int code, Complexe w);

// Argument of w in (-pi, pi] (degrees when the angle unit is degree); w = 0 gives -pi/2.
double angleOf(Complexe w);
// The complex exponential and logarithm of formulas: imaginary parts in degrees in degree mode.
Complexe complexExp(Complexe w);
Complexe complexLn(Complexe w);
Complexe complexMul(Complexe a, Complexe b);
Complexe complexDiv(Complexe a, Complexe b);
