// "Voir tous les calculs" and the edit of a value on a figure of 5,000 values: the time to fill
// the window's list, and the recomputation after one variable changed (only its dependents,
// against the whole figure).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>

#include "document/CPelvantiDoc.h"
#include "values/CCalcul.h"
#include "values/CVariable.h"
#include "view/CCalculsWindow.h"
#include "view/CPelvantiView.h"

namespace {
constexpr int kValues = 5000;

// A variable k, ten calculations that use it, then calculations of constants.
std::unique_ptr<CPelvantiDoc> figure(CElementBase** variable) {
    auto doc = std::make_unique<CPelvantiDoc>();
    doc->newFigure();
    auto k = std::make_unique<CVariableBornee>("k", 1, 0, 10, 1, "0", "10", "1");
    *variable = k.get();
    doc->addEntry(new CAction(nat::variable, std::move(k)));
    for (int i = 0; i < kValues; ++i) {
        auto c = std::make_unique<CCalcul>("c" + std::to_string(i),
                                           i < 10 ? "k*" + std::to_string(i) : "pi/3+2");
        c->rebuildTree(doc->list());
        doc->addEntry(new CAction(nat::calcul, std::move(c)));
    }
    doc->list().computeAll();
    return doc;
}

void fillCalculationsWindow(benchmark::State& state) {
    CElementBase* k = nullptr;
    CPelvantiView view(figure(&k));
    CCalculsWindow window(&view);
    for (auto _ : state) window.fill();
    state.counters["rows"] = window.rowCount();
}
BENCHMARK(fillCalculationsWindow)->Unit(benchmark::kMillisecond);

// Arg 1: the dependents of k only; arg 0: the whole figure.
void recomputeAfterVariableEdit(benchmark::State& state) {
    CElementBase* k = nullptr;
    auto doc = figure(&k);
    for (auto _ : state) {
        static_cast<CVariableBornee*>(k)->setValue(2);
        if (state.range(0))
            doc->list().computeDependentsOf(k);
        else
            doc->list().computeAll();
    }
}
BENCHMARK(recomputeAfterVariableEdit)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);
}  // namespace
