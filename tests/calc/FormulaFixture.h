// A small figure for formula tests: pi, bounded variables, a calculation, real and complex
// functions; and helpers that check, build and evaluate a formula as the dialogs do.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "calc/EvaluationState.h"
#include "calc/Parser.h"
#include "geometry/GeoFigure.h"
#include "values/CCalcConst.h"
#include "values/CCalcul.h"
#include "values/CFonc.h"
#include "values/CVariable.h"

struct AngleUnitScope {
    int saved = evaluationState().angleUnit;
    explicit AngleUnitScope(int unit) { evaluationState().angleUnit = unit; }
    ~AngleUnitScope() { evaluationState().angleUnit = saved; }
};

struct FormulaFigure : GeoFigure {
    FormulaFigure() { list.append(makePiEntry()); }

    CVariableBornee* addVariable(const std::string& name, double value) {
        return make<CVariableBornee>(nat::variable, name, value, -100.0, 100.0, 1.0, "-100", "100",
                                     "1");
    }

    // A value defined by a formula, its tree built on the entries before it.
    template <class T, class... Args>
    T* withFormula(Nature nature, Args&&... args) {
        auto object = std::make_unique<T>(std::forward<Args>(args)...);
        object->rebuildTree(list);
        return add(nature, std::move(object));
    }

    CCalcul* addCalcul(const std::string& name, const std::string& formula) {
        return withFormula<CCalcul>(nat::calcul, name, formula);
    }
    CCalculComplexe* addComplexCalcul(const std::string& name, const std::string& formula) {
        return withFormula<CCalculComplexe>(nat::calculComplexe, name, formula);
    }
    CFonc* addFunction(const std::string& name, const std::string& formula,
                       const std::string& variable = "x") {
        return withFormula<CFonc>(nat::fonction, name, formula, variable);
    }
    CFoncComplexe* addComplexFunction(const std::string& name, const std::string& formula,
                                      const std::string& variable = "z") {
        return withFormula<CFoncComplexe>(nat::fonctionComplexe, name, formula, variable);
    }

    int last() const { return list.count() - 1; }

    // The value of a real formula at x (when given); nothing when the check refuses it or the
    // evaluation fails.
    std::optional<double> real(const std::string& text, std::optional<double> x = {},
                               const std::string& var = "x") {
        int id = 0, pos = 0;
        if (!checkRealFormula(&list, text, id, pos, last(), x ? var : "")) return std::nullopt;
        auto tree = buildRealTree(&list, text, x ? var : "");
        if (!tree) return std::nullopt;
        clearCalculationError();
        double v = x ? tree->evaluateAt(*x) : tree->evaluate();
        bool failed = isCalculationError();
        clearCalculationError();
        if (failed) return std::nullopt;
        return v;
    }

    std::optional<Complexe> complex(const std::string& text, std::optional<Complexe> z = {},
                                    const std::string& var = "z") {
        int id = 0, pos = 0;
        if (!checkComplexFormula(&list, text, id, pos, last(), z ? var : "")) return std::nullopt;
        auto tree = buildComplexTree(&list, text, z ? var : "");
        if (!tree) return std::nullopt;
        clearCalculationError();
        Complexe v = z ? tree->evaluateComplexAt(*z) : tree->evaluateComplex();
        bool failed = isCalculationError();
        clearCalculationError();
        if (failed) return std::nullopt;
        return v;
    }

    // Message and caret position of a refused formula; (0, 0) when accepted.
    std::pair<int, int> refusal(const std::string& text, const std::string& var = "",
                                bool complexSyntax = false, int maxIndex = -1) {
        int id = 0, pos = 0;
        int limit = maxIndex < 0 ? last() : maxIndex;
        bool ok = complexSyntax ? checkComplexFormula(&list, text, id, pos, limit, var)
                                : checkRealFormula(&list, text, id, pos, limit, var);
        return ok ? std::make_pair(0, 0) : std::make_pair(id, pos);
    }
};
