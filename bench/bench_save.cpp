// Saving and reading large figures: load, save, load + recompute + save (as --resave does) and
// one undo snapshot, on the figure of CellFigure.h.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "CellFigure.h"

namespace {

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
