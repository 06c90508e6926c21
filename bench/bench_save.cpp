// Saving and reading large figures: load, save, load + recompute + save (as --resave does) and
// one undo snapshot. The figure is made of cells of five objects: two free points, their
// midpoint, the segment and the circle centred on the first point through the second.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "core/CListeAction.h"
#include "document/CPelvantiDoc.h"
#include "geometry/CCercle.h"
#include "geometry/CDroite.h"
#include "geometry/CPointAncetre.h"

namespace {

void buildCells(CPelvantiDoc& doc, int objects) {
    CListeAction& list = doc.list();
    for (int cell = 0; cell < objects / 5; ++cell) {
        double y = 10.0 * (cell % 500);
        auto* a = new CPointBase(10.0 + cell % 7, y);
        auto* b = new CPointBase(60.0 + cell % 11, y + 5);
        list.append(new CAction(nat::pointLibre, std::unique_ptr<CElementBase>(a)));
        list.append(new CAction(nat::pointLibre, std::unique_ptr<CElementBase>(b)));
        list.append(new CAction(nat::pointConstruit, std::make_unique<CMilieu>(a, b)));
        list.append(new CAction(nat::segment, std::make_unique<CSegment>(a, b)));
        list.append(new CAction(nat::cercle, std::make_unique<CCercleOA>(a, b)));
    }
    doc.rebuildGraphicList();
    list.computeAll();
}

std::vector<uint8_t> savedFigure(int objects) {
    CPelvantiDoc doc;
    doc.newFigure();
    buildCells(doc, objects);
    return doc.saveToBytes();
}

void BM_Load(benchmark::State& state) {
    const std::vector<uint8_t> bytes = savedFigure(static_cast<int>(state.range(0)));
    CPelvantiDoc doc;
    for (auto _ : state) {
        std::string reason;
        if (!doc.loadFromBytes(bytes, &reason)) state.SkipWithError(reason.c_str());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_Save(benchmark::State& state) {
    CPelvantiDoc doc;
    doc.newFigure();
    buildCells(doc, static_cast<int>(state.range(0)));
    size_t bytes = 0;
    for (auto _ : state) bytes = doc.saveToBytes().size();
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.counters["bytes"] = static_cast<double>(bytes);
}

// What --resave does: read, recompute, write.
void BM_LoadComputeSave(benchmark::State& state) {
    const std::vector<uint8_t> bytes = savedFigure(static_cast<int>(state.range(0)));
    CPelvantiDoc doc;
    for (auto _ : state) {
        std::string reason;
        if (!doc.loadFromBytes(bytes, &reason)) state.SkipWithError(reason.c_str());
        doc.list().computeAll();
        benchmark::DoNotOptimize(doc.saveToBytes());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Each construction records one: the whole list written into memory.
void BM_UndoSnapshot(benchmark::State& state) {
    CPelvantiDoc doc;
    doc.newFigure();
    buildCells(doc, static_cast<int>(state.range(0)));
    for (auto _ : state) doc.history().record("Milieu");
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_Load)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadComputeSave)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoSnapshot)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
