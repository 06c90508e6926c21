// Macros run in a shown view: one frame of the animation of a linked point that carries 500
// objects (the point moves, its dependents are recomputed and drawn over a picture of the rest),
// with smoothed drawing (the default) and without, and
// a loop over a variable of 1,000 values whose end-of-loop macro changes another variable.
// The host lets the animation run a fixed number of frames, then answers a click.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <chrono>
#include <ctime>
#include <memory>

#include "core/CHost.h"
#include "core/CPreferences.h"
#include "document/CPelvantiDoc.h"
#include "geometry/CCercle.h"
#include "geometry/CDroite.h"
#include "geometry/CPointLie.h"
#include "macros/CMacroKinds.h"
#include "view/COutilsMacros.h"
#include "view/CPelvantiView.h"

namespace {
template <class T>
T* add(CPelvantiDoc& doc, Nature n, std::unique_ptr<T> o) {
    T* raw = o.get();
    doc.addEntry(new CAction(n, std::move(o)));
    return raw;
}

// A click after `frames` questions about the left button (the first one, at the start of the
// animation, clears the key state).
struct FrameCountingHost : CHeadlessHost {
    int frames = 0;
    int asked = 0;
    bool isKeyDown(HostKey key) override { return key == KEY_LBUTTON && asked++ > frames; }
};

// CPU time of this thread: the machine's other work does not count.
double threadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

struct Figure {
    std::unique_ptr<CPelvantiView> view;
    CPointLie* m = nullptr;
    CVariableBornee* k = nullptr;
    CVariableBornee* j = nullptr;
};

// A segment with a linked point M that carries `carried` midpoints, lines and circles, built
// on 100 fixed points; a variable k (0 to 999) that 20 circles use as radius; a variable j.
Figure figure(int carried) {
    auto doc = std::make_unique<CPelvantiDoc>();
    doc->newFigure();
    Figure f;
    CPelvantiDoc& d = *doc;
    auto* a = add(d, nat::pointLibre, std::make_unique<CPointBase>(500, 3000));
    auto* b = add(d, nat::pointLibre, std::make_unique<CPointBase>(7500, 3000));
    auto* seg = add(d, nat::segment, std::make_unique<CSegment>(a, b));
    f.m = add(d, nat::pointLie, std::make_unique<CPointLieDroite>(seg, 0.5));
    std::vector<CPointBase*> fixed;
    for (int i = 0; i < 100; ++i)
        fixed.push_back(
            add(d, nat::pointLibre,
                std::make_unique<CPointBase>(200 + (i * 37) % 7000, 200 + (i * 53) % 5000)));
    for (int i = 0; i < carried; ++i) {
        CPointBase* p = fixed[i % fixed.size()];
        switch (i % 3) {
            case 0:
                add(d, nat::droite, std::make_unique<CDroiteAB>(f.m, p));
                break;
            case 1:
                add(d, nat::cercle, std::make_unique<CCercleOA>(p, f.m));
                break;
            default:
                add(d, nat::pointConstruit, std::make_unique<CMilieu>(f.m, p));
                break;
        }
    }
    f.k = add(d, nat::variable,
              std::make_unique<CVariableBornee>("k", 0.0, 0.0, 999.0, 1.0, "0", "999", "1"));
    f.j = add(d, nat::variable,
              std::make_unique<CVariableBornee>("j", 0.0, 0.0, 1e6, 1.0, "0", "1000000", "1"));
    for (int i = 0; i < 20; ++i)
        add(d, nat::cercle,
            std::make_unique<CCercleOR>(fixed[i], CValeurAssocieeAVariable(f.k), &d.list()));
    f.view = std::make_unique<CPelvantiView>(std::move(doc));
    f.view->resize(800, 600);
    f.view->show();
    CPelvantiView::setActiveView(f.view.get());
    f.view->recomputeAndRedraw();
    return f;
}

template <class T>
T* macro(Figure& f, const char* title, double y) {
    CPelvantiDoc& d = *f.view->document();
    return add(d, nat::macro, std::make_unique<T>(&d.list(), title, "", 200.0, y));
}

void animationFrame(benchmark::State& state) {
    Figure f = figure(static_cast<int>(state.range(0)));
    auto* anim = macro<CMacroAnimationPointLie>(f, "Animer", 5500);
    anim->linkedPoint = f.m;
    anim->cyclic = false, anim->f = 0, anim->n = 100, anim->d = 0;
    constexpr int kFrames = 200;
    FrameCountingHost counting;
    CHost* previous = setHost(&counting);
    const bool smooth = preferences().smoothDrawing;
    preferences().smoothDrawing = state.range(1) != 0;
    double seconds = 0, cpu = 0;
    for (auto _ : state) {
        counting.frames = kFrames;
        counting.asked = 0;
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = threadSeconds();
        runMacro(*anim, f.view.get(), QPoint());
        cpu += threadSeconds() - cpuStart;
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    setHost(previous);
    preferences().smoothDrawing = smooth;
    // The run's own start and end (dependents listed, figure restored) are shared out among
    // its frames.
    state.counters["frame_ms"] = 1000.0 * seconds / (state.iterations() * kFrames);
    state.counters["frame_cpu_ms"] = 1000.0 * cpu / (state.iterations() * kFrames);
    CPelvantiView::setActiveView(nullptr);
}
BENCHMARK(animationFrame)
    ->ArgNames({"moving", "smooth"})
    ->Args({500, 1})
    ->Args({500, 0})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

void loopOfAThousandValues(benchmark::State& state) {
    Figure f = figure(0);
    auto* step = macro<CMacroIncrementationVariable>(f, "Plus", 5000);
    step->variable = f.j;
    auto* loop = macro<CMacroBoucleAvecAnimation>(f, "Boucler", 5500);
    loop->loop.variable = f.k;
    loop->loop.atEnd = step;
    loop->loop.visible = state.range(0) != 0;
    loop->loop.f = 0;
    for (auto _ : state) {
        f.k->setValue(0);
        f.j->setValue(0);
        runMacro(*loop, f.view.get(), QPoint());
    }
    if (f.j->value < 999) state.SkipWithError("the loop did not run every value");
    state.counters["loops"] = f.j->value;
    CPelvantiView::setActiveView(nullptr);
}
BENCHMARK(loopOfAThousandValues)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
}  // namespace
