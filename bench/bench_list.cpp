// Recomputation of a 2000-entry figure list: the whole list, and a drag (building the list of
// objects that move with the first point, then recomputing only that list).
// Shapes: a chain (each point built on the previous one, so dependency tests recurse through
// the whole list) and a fan (every point built directly on the first).
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "core/CElementGraphique.h"
#include "core/CListeAction.h"

namespace {

class BenchPoint : public CElementGraphique {
public:
    BenchPoint(double x, double y, CElementBase* a = nullptr, CElementBase* b = nullptr)
        : x(x), y(y), a(a), b(b) {}
    double x, y;
    CElementBase* a;
    CElementBase* b;

    void computePosition() override {
        if (!a) {
            exists = true;
            return;
        }
        auto* pa = static_cast<BenchPoint*>(a);
        auto* pb = static_cast<BenchPoint*>(b);
        exists = pa->exists && pb->exists;
        if (!exists) return;
        x = (pa->x + pb->x) / 2 + 1;
        y = (pa->y + pb->y) / 2;
        setNameAnchor(x, y);
    }
    bool dependsOn(const CElementBase* p) const override {
        return p == this || (a && (a->dependsOn(p) || b->dependsOn(p)));
    }
};

constexpr int kEntries = 2000;

// Chain: P0, Q free; Pi built on P(i-1) and Q. Fan: P0, Q free; every Pi built on P0 and Q.
void buildFigure(CListeAction& list, bool chain) {
    auto p0 = std::make_unique<BenchPoint>(0, 0);
    auto q = std::make_unique<BenchPoint>(100, 100);
    CElementBase* first = p0.get();
    CElementBase* other = q.get();
    list.append(new CAction(nat::pointLibre, std::move(p0)));
    list.append(new CAction(nat::pointLibre, std::move(q)));
    CElementBase* previous = first;
    for (int i = 2; i < kEntries; ++i) {
        auto p = std::make_unique<BenchPoint>(0, 0, chain ? previous : first, other);
        previous = p.get();
        list.append(new CAction(nat::pointConstruit, std::move(p)));
    }
}

void BM_ComputeAll(benchmark::State& state) {
    CListeAction list;
    buildFigure(list, state.range(0) == 0);
    for (auto _ : state) list.computeAll();
    state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(BM_ComputeAll)->ArgName("fan")->Arg(0)->Arg(1);

void BM_BuildDragList(benchmark::State& state) {
    CListeAction list;
    buildFigure(list, state.range(0) == 0);
    CListeAction drag(false);
    for (auto _ : state) {
        list.buildDragList(list.elementAt(0), drag);
        benchmark::DoNotOptimize(drag.count());
    }
}
BENCHMARK(BM_BuildDragList)->ArgName("fan")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// One mouse move of a drag: only the objects that move with the first point are recomputed.
void BM_DragStep(benchmark::State& state) {
    CListeAction list;
    buildFigure(list, state.range(0) == 0);
    CListeAction drag(false);
    list.buildDragList(list.elementAt(0), drag);
    auto* p0 = static_cast<BenchPoint*>(list.elementAt(0));
    for (auto _ : state) {
        p0->x += 1;
        drag.computeAll();
    }
    state.SetItemsProcessed(state.iterations() * drag.count());
}
BENCHMARK(BM_DragStep)->ArgName("fan")->Arg(0)->Arg(1);

}  // namespace

BENCHMARK_MAIN();
