// Formulas: checking and building a typical formula against a figure of 200 values, and
// evaluating its tree (what every recomputation of a curve point costs).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "calc/EvaluationState.h"
#include "calc/NumberFormat.h"
#include "calc/Parser.h"
#include "core/CListeAction.h"
#include "values/CCalcConst.h"
#include "values/CFonc.h"
#include "values/CVariable.h"

namespace {
struct Figure {
    CListeAction list;
    CFonc* f = nullptr;
    Figure() {
        list.append(makePiEntry());
        for (int k = 0; k < 200; ++k) {
            auto v = std::make_unique<CVariableBornee>("v" + std::to_string(k), k, -1000, 1000, 1,
                                                       "-1000", "1000", "1");
            v->exists = true;
            list.append(std::make_unique<CAction>(nat::variable, std::move(v)));
        }
        auto fn = std::make_unique<CFonc>("f", "sin(x)^2+v12*exp(-x²/2)-abs(x-v3)/(1+x^4)", "x");
        fn->rebuildTree(list);
        fn->computePosition();
        f = fn.get();
        list.append(std::make_unique<CAction>(nat::fonction, std::move(fn)));
    }
};

const std::string kFormula = "f(v10*x)+sqrt(abs(v199-x))*ln(2+x²)-(x>v5)*pi";

void BM_CheckAndBuild(benchmark::State& state) {
    Figure fig;
    for (auto _ : state) {
        int id = 0, pos = 0;
        bool ok = checkRealFormula(&fig.list, kFormula, id, pos, fig.list.count() - 1, "x");
        auto tree = buildRealTree(&fig.list, kFormula, "x");
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(tree.get());
    }
}
BENCHMARK(BM_CheckAndBuild);

void BM_EvaluateAt(benchmark::State& state) {
    Figure fig;
    auto tree = buildRealTree(&fig.list, kFormula, "x");
    double x = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(tree->evaluateAt(x));
        x += 0.001;
    }
    clearCalculationError();
}
BENCHMARK(BM_EvaluateAt);

void BM_FormatNumber(benchmark::State& state) {
    double v = 1.0 / 3.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(formatNumber(v, 17, 2));
        v += 1.1;
    }
}
BENCHMARK(BM_FormatNumber);
}  // namespace
BENCHMARK_MAIN();
