// Dragging a free point of a 2,000-object figure with the capture tool: the time of one mouse
// move, that is recomputing the objects that move with the point and repainting them over
// the still picture in the view's off-screen image.
// Figures: "fan" (the dragged point carries 400 lines, circles and midpoints) and "few" (it
// carries 4 objects, the other 1,996 stay still).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <memory>

#include "document/CPelvantiDoc.h"
#include "geometry/CCercle.h"
#include "geometry/CDroite.h"
#include "geometry/CPointAncetre.h"
#include "view/CCapture.h"
#include "view/COutilsRegistry.h"
#include "view/CPelvantiView.h"

namespace {
template <class T>
T* add(CPelvantiDoc& doc, Nature n, std::unique_ptr<T> o) {
    T* raw = o.get();
    doc.addEntry(new CAction(n, std::move(o)));
    return raw;
}

// 2,000 objects; the dragged point A is the first entry after "pi".
std::unique_ptr<CPelvantiDoc> figure(int carriedByA) {
    auto doc = std::make_unique<CPelvantiDoc>();
    doc->newFigure();
    auto* a = add(*doc, nat::pointLibre, std::make_unique<CPointBase>(3000, 2000));
    int count = 1;
    std::vector<CPointBase*> pts;
    for (int i = 0; i < 400; ++i) {
        pts.push_back(
            add(*doc, nat::pointLibre,
                std::make_unique<CPointBase>(200 + (i * 37) % 6000, 200 + (i * 53) % 4400)));
        ++count;
    }
    for (int i = 0; count < 2000; ++i) {
        CPointBase* p = pts[i % pts.size()];
        CPointBase* q = pts[(i + 1) % pts.size()];
        const bool onA = i < carriedByA;
        switch (i % 3) {
            case 0:
                add(*doc, nat::droite, std::make_unique<CDroiteAB>(onA ? a : q, p));
                break;
            case 1:
                add(*doc, nat::cercle, std::make_unique<CCercleOA>(p, onA ? a : q));
                break;
            default:
                add(*doc, nat::pointConstruit, std::make_unique<CMilieu>(onA ? a : q, p));
                break;
        }
        ++count;
    }
    return doc;
}

void dragMove(benchmark::State& state) {
    auto view = std::make_unique<CPelvantiView>(figure(static_cast<int>(state.range(0))));
    view->resize(800, 600);
    view->show();
    CPelvantiView::setActiveView(view.get());
    view->recomputeAndRedraw();
    toolCommands();
    revenirCapture(view.get());
    CGestionSourisCapture& h = captureHandler();
    h.onMouseMove(view.get(), 300, 200);
    h.onLButtonDown(view.get(), 300, 200);
    if (!h.dragging) {
        state.SkipWithError("the point was not taken");
        return;
    }
    int k = 0;
    for (auto _ : state) {
        ++k;
        h.onMouseMove(view.get(), 300 + (k % 200), 200 + (k % 150));
    }
    state.counters["moving"] = captureTool().dependents.count();
    h.onLButtonDown(view.get(), 300, 200);
    revenirCapture(view.get());
    CPelvantiView::setActiveView(nullptr);
}
BENCHMARK(dragMove)->Arg(400)->Arg(4)->Unit(benchmark::kMicrosecond);
}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
