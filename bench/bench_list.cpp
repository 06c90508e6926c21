// Recomputation of a figure list: the whole list, and a drag (building the list of objects
// that move with the first point, then recomputing only that list).
// Shapes: a chain (each midpoint built on the previous one, so dependency tests reach through
// the whole list) and a fan (every midpoint built directly on the first point), of 2,000 and
// 20,000 objects.
#include <benchmark/benchmark.h>

#include <memory>

#include "core/CListeAction.h"
#include "geometry/CPointAncetre.h"

namespace {

// P0, Q free; then midpoints of P(i-1) (chain) or P0 (fan) and Q.
void buildFigure(CListeAction& list, int entries, bool chain) {
    auto* first = new CPointBase(0, 0);
    auto* other = new CPointBase(100, 100);
    list.append(new CAction(nat::pointLibre, std::unique_ptr<CElementBase>(first)));
    list.append(new CAction(nat::pointLibre, std::unique_ptr<CElementBase>(other)));
    CPointAncetre* previous = first;
    for (int i = 2; i < entries; ++i) {
        auto* p = new CMilieu(chain ? previous : first, other);
        list.append(new CAction(nat::pointConstruit, std::unique_ptr<CElementBase>(p)));
        previous = p;
    }
    list.computeAll();
}

void shapes(benchmark::internal::Benchmark* b) {
    b->ArgNames({"chain", "objects"});
    for (int chain : {1, 0})
        for (int n : {2000, 20000}) b->Args({chain, n});
}

void BM_ComputeAll(benchmark::State& state) {
    CListeAction list;
    buildFigure(list, static_cast<int>(state.range(1)), state.range(0) != 0);
    for (auto _ : state) list.computeAll();
    state.SetItemsProcessed(state.iterations() * state.range(1));
}
BENCHMARK(BM_ComputeAll)->Apply(shapes)->Unit(benchmark::kMicrosecond);

void BM_BuildDragList(benchmark::State& state) {
    CListeAction list;
    buildFigure(list, static_cast<int>(state.range(1)), state.range(0) != 0);
    CListeAction drag(false);
    for (auto _ : state) {
        list.buildDragList(list.elementAt(0), drag);
        benchmark::DoNotOptimize(drag.count());
    }
}
BENCHMARK(BM_BuildDragList)->Apply(shapes)->Unit(benchmark::kMicrosecond);

// One mouse move of a drag: only the objects that move with the first point are recomputed.
void BM_DragStep(benchmark::State& state) {
    CListeAction list;
    buildFigure(list, static_cast<int>(state.range(1)), state.range(0) != 0);
    CListeAction drag(false);
    list.buildDragList(list.elementAt(0), drag);
    auto* p0 = static_cast<CPointBase*>(list.elementAt(0));
    for (auto _ : state) {
        p0->setPosition(p0->x + 1, p0->y);
        drag.computeAll();
    }
    state.SetItemsProcessed(state.iterations() * drag.count());
}
BENCHMARK(BM_DragStep)->Apply(shapes)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
