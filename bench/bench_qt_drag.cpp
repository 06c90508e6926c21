// Dragging a free point of a 10,000-object figure with the capture tool: the time of one mouse
// move, that is recomputing the objects that move with the point, repainting them over the
// still picture in the view's off-screen image and painting that image on the window.
// Figures: the dragged point and the lines, circles and midpoints it carries make 2,000 or 5
// moving objects; the others stay still.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>

#include "document/CPelvantiDoc.h"
#include "geometry/CCercle.h"
#include "geometry/CDroite.h"
#include "geometry/CPointAncetre.h"
#include "support/ShownFigure.h"
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

constexpr int kObjects = 10000;

// The dragged point A is the first entry after "pi", at (5, 5) pixels, away from the others.
std::unique_ptr<CPelvantiDoc> figure(int carriedByA) {
    auto doc = std::make_unique<CPelvantiDoc>();
    doc->newFigure();
    auto* a = add(*doc, nat::pointLibre, std::make_unique<CPointBase>(50, 50));
    int count = 1;
    std::vector<CPointBase*> pts;
    for (int i = 0; i < 2000; ++i) {
        pts.push_back(
            add(*doc, nat::pointLibre,
                std::make_unique<CPointBase>(200 + (i * 37) % 6000, 200 + (i * 53) % 4400)));
        ++count;
    }
    for (int i = 0; count < kObjects; ++i) {
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
    // A and the objects it carries.
    auto view = shownFigure(figure(static_cast<int>(state.range(0)) - 1));
    CGestionSourisCapture& h = captureHandler();
    h.onMouseMove(view.get(), 5, 5);
    h.onLButtonDown(view.get(), 5, 5);
    if (!h.dragging) {
        state.SkipWithError("the point was not taken");
        return;
    }
    int k = 0;
    for (auto _ : state) {
        ++k;
        h.onMouseMove(view.get(), 5 + (k % 200), 5 + (k % 150));
        view->repaint();
    }
    state.counters["moving"] = captureTool().dependents.count();
    h.onLButtonDown(view.get(), 5, 5);
    revenirCapture(view.get());
    CPelvantiView::setActiveView(nullptr);
}
BENCHMARK(dragMove)->ArgName("moving")->Arg(2000)->Arg(5)->Unit(benchmark::kMicrosecond);
}  // namespace
