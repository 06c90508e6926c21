#include "calc/Derivee.h"

#include "calc/Arithmetic.h"
#include "calc/CSourceValeur.h"
#include "calc/EvaluationState.h"

namespace {
using Tree = std::unique_ptr<CCalculBase>;

Tree c(double k) {
    return std::make_unique<CConstante>(k);
}
Tree copy(const CCalculBase* t) {
    return t ? t->getCopy() : nullptr;
}
Tree op(int code, Tree a, Tree b) {
    return std::make_unique<COperation>(code, std::move(a), std::move(b));
}
Tree add(Tree a, Tree b) {
    return op(opAdd, std::move(a), std::move(b));
}
Tree sub(Tree a, Tree b) {
    return op(opSub, std::move(a), std::move(b));
}
Tree mul(Tree a, Tree b) {
    return op(opMul, std::move(a), std::move(b));
}
Tree div(Tree a, Tree b) {
    return op(opDiv, std::move(a), std::move(b));
}
Tree pow(Tree a, Tree b) {
    return std::make_unique<CPuissance>(std::move(a), std::move(b));
}
Tree fn(int code, Tree a) {
    return std::make_unique<CFonction>(code, std::move(a));
}
bool hasVariable(const CCalculBase* t) {
    return t && t->containsFormalVariable();
}

// Chain rule for f(u), f given by its tree in the formal variable.
Tree chain(const CCalculBase* formula, const CCalculBase* u) {
    if (dynamic_cast<const CVariableFormelle*>(u)) return derive(formula);
    return mul(derive(u), std::make_unique<CApplicationFormelle>(derive(formula), copy(u)));
}

Tree deriveOperation(const COperation& o) {
    const CCalculBase* u = o.left.get();
    const CCalculBase* v = o.right.get();
    switch (o.op) {
        case opAdd:
            return add(derive(u), derive(v));
        case opSub:
            return sub(derive(u), derive(v));
        case opMul: {
            bool inU = hasVariable(u), inV = hasVariable(v);
            if (!inU && !inV) return c(0);
            if (!inU) return mul(copy(u), derive(v));
            if (!inV) return mul(derive(u), copy(v));
            return add(mul(derive(u), copy(v)), mul(copy(u), derive(v)));
        }
        case opDiv:
            if (!hasVariable(v)) return div(derive(u), copy(v));
            return div(sub(mul(derive(u), copy(v)), mul(copy(u), derive(v))), pow(copy(v), c(2)));
        default:
            return c(0);  // comparisons
    }
}

Tree derivePower(const CPuissance& p) {
    const CCalculBase* u = p.base.get();
    const CCalculBase* v = p.exponent.get();
    if (!hasVariable(v)) return mul(mul(copy(v), derive(u)), pow(copy(u), sub(copy(v), c(1))));
    return mul(add(mul(derive(v), fn(fnLn, copy(u))), div(mul(derive(u), copy(v)), copy(u))),
               pow(copy(u), copy(v)));
}

Tree deriveFunction(const CFonction& f) {
    const CCalculBase* u = f.argument.get();
    const bool deg = isDegreeMode();
    const double k = evaluationState().degreesToRadians;
    const double K = evaluationState().radiansToDegrees;
    auto inDegrees = [deg](double factor, Tree t) {
        return deg ? mul(c(factor), std::move(t)) : std::move(t);
    };
    auto oneMinusSquare = [u] { return sub(c(1), pow(copy(u), c(2))); };
    switch (f.code) {
        case fnAbs:
            return mul(div(c(1), sub(op(opGreater, copy(u), c(0)), op(opLess, copy(u), c(0)))),
                       derive(u));
        case fnSqrt:
        case fnRac:
            return div(derive(u), mul(c(2), fn(f.code, copy(u))));
        case fnInt:
            return div(c(0), op(opNotEqual, copy(u), fn(fnInt, copy(u))));
        case fnSin:
            return inDegrees(k, mul(derive(u), fn(fnCos, copy(u))));
        case fnCos:
            if (deg) return mul(c(-k), mul(derive(u), fn(fnSin, copy(u))));
            return mul(mul(derive(u), fn(fnSin, copy(u))), c(-1));
        case fnTan:
            return inDegrees(k, div(derive(u), pow(fn(fnCos, copy(u)), c(2))));
        case fnLn:
            return div(derive(u), mul(copy(u), op(opGreater, copy(u), c(0))));
        case fnExp:
            return mul(derive(u), fn(fnExp, copy(u)));
        case fnArctan:
            return inDegrees(K, div(derive(u), add(c(1), pow(copy(u), c(2)))));
        case fnArcsin:
            return inDegrees(K, div(derive(u), fn(fnSqrt, oneMinusSquare())));
        case fnArccos:
            return inDegrees(K, div(sub(c(0), derive(u)), fn(fnSqrt, oneMinusSquare())));
        case fnCh:
            return mul(derive(u), fn(fnSh, copy(u)));
        case fnSh:
            return mul(derive(u), fn(fnCh, copy(u)));
        case fnTh:
            return div(derive(u), pow(fn(fnCh, copy(u)), c(2)));
        case fnArgCh:
            return div(derive(u), fn(fnSqrt, sub(pow(copy(u), c(2)), c(1))));
        case fnArgSh:
            return div(derive(u), fn(fnSqrt, add(pow(copy(u), c(2)), c(1))));
        case fnArgTh:
            return mul(op(opLess, fn(fnAbs, copy(u)), c(1)), div(derive(u), oneMinusSquare()));
        default:
            return c(0);  // Rand, and the complex functions, which have no derivative here
    }
}
}  // namespace

namespace {
// Deep trees and long chains of functions (a damaged file) get no derivative rather than a
// stack overflow.
constexpr int kMaxDepth = 2000;
int depth = 0;
}  // namespace

std::unique_ptr<CCalculBase> derive(const CCalculBase* t) {
    if (!t || depth >= kMaxDepth) return nullptr;
    ++depth;
    struct Leave {
        ~Leave() { --depth; }
    } leave;
    if (dynamic_cast<const CVariableFormelle*>(t)) return c(1);
    if (auto* o = dynamic_cast<const COperation*>(t)) return deriveOperation(*o);
    if (auto* p = dynamic_cast<const CPuissance*>(t)) return derivePower(*p);
    if (auto* f = dynamic_cast<const CFonction*>(t)) return deriveFunction(*f);
    if (auto* a = dynamic_cast<const CAppelFonction*>(t)) {
        // Only functions given by a formula have a derivative; a sequence's term is constant.
        const CCalculBase* formula = a->function ? a->function->derivableFormula() : nullptr;
        if (!formula) return c(0);
        return chain(formula, a->argument.get());
    }
    if (auto* a = dynamic_cast<const CApplicationFormelle*>(t))
        return chain(a->formula.get(), a->argument.get());
    return c(0);  // constants and values of the figure
}
