// Constructions that move with a dragged point, and the curve of a function.
// dragImagesAndLocus: the free point A is the centre of a rotation carrying the image of a
// 50-vertex polygon, and of a circle on which runs the point generating a locus of 1,000
// samples that bounds a filled surface; one mouse move drags A.
// functionCurve: the construction of the curve of x*x-2 with 1,000 points in a frame, built and
// then the figure redrawn.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cmath>
#include <memory>

#include "document/CPelvantiDoc.h"
#include "geometry/CCercle.h"
#include "geometry/CPointLie.h"
#include "geometry/CPolygone.h"
#include "geometry/CRepere.h"
#include "geometry/CTransformation.h"
#include "loci/CLieuDeBase.h"
#include "loci/CSurfaceLieu.h"
#include "support/ShownFigure.h"
#include "values/CFonc.h"
#include "view/CCapture.h"
#include "view/COutilsCourbe.h"
#include "view/COutilsRegistry.h"
#include "view/CPelvantiView.h"

namespace {
template <class T>
T* add(CPelvantiDoc& doc, Nature n, std::unique_ptr<T> o) {
    T* raw = o.get();
    doc.addEntry(new CAction(n, std::move(o)));
    return raw;
}

std::unique_ptr<CPelvantiDoc> movingFigure() {
    auto doc = std::make_unique<CPelvantiDoc>();
    doc->newFigure();
    auto* a = add(*doc, nat::pointLibre, std::make_unique<CPointBase>(3000, 2000));
    std::vector<CPointAncetre*> vertices, images;
    for (int i = 0; i < 50; ++i) {
        const double t = 2 * M_PI * i / 50;
        vertices.push_back(
            add(*doc, nat::pointLibre,
                std::make_unique<CPointBase>(1500 + 800 * std::cos(t), 2000 + 800 * std::sin(t))));
    }
    vertices.push_back(vertices.front());
    add(*doc, nat::polygone, std::make_unique<CPolygone>(vertices, 1, 0, &doc->list()));
    auto* r = add(*doc, nat::transformation, std::make_unique<CRotation>(a, CValeurAngle(1.0)));
    for (size_t i = 0; i + 1 < vertices.size(); ++i)
        images.push_back(
            add(*doc, nat::pointConstruit, std::make_unique<CPointImage>(vertices[i], r)));
    images.push_back(images.front());
    add(*doc, nat::polygone, std::make_unique<CPolygone>(images, 1, 0, &doc->list()));
    auto* b = add(*doc, nat::pointLibre, std::make_unique<CPointBase>(4000, 2000));
    auto* c = add(*doc, nat::cercle, std::make_unique<CCercleOA>(a, b));
    auto* m = add(*doc, nat::pointLie, std::make_unique<CPointLieCercle>(c, 0.5));
    auto* fixed = add(*doc, nat::pointLibre, std::make_unique<CPointBase>(1000, 1000));
    auto* mid = add(*doc, nat::pointConstruit, std::make_unique<CMilieu>(m, fixed));
    auto* locus = add(*doc, nat::lieuPoints,
                      std::make_unique<CLieuDePoints>(&doc->list(), mid, m, 1000, false));
    add(*doc, nat::surface, std::make_unique<CSurfaceLieu>(locus, 5));
    return doc;
}

void dragImagesAndLocus(benchmark::State& state) {
    auto view = shownFigure(movingFigure());
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
        h.onMouseMove(view.get(), 300 + (k % 100), 200 + (k % 80));
    }
    state.counters["moving"] = captureTool().dependents.count();
    h.onLButtonDown(view.get(), 300, 200);
    revenirCapture(view.get());
    CPelvantiView::setActiveView(nullptr);
}
BENCHMARK(dragImagesAndLocus)->Unit(benchmark::kMillisecond);

void functionCurve(benchmark::State& state) {
    auto doc = std::make_unique<CPelvantiDoc>();
    doc->newFigure();
    auto* o = add(*doc, nat::pointLibre, std::make_unique<CPointBase>(4000, 3000));
    auto* i = add(*doc, nat::pointLibre, std::make_unique<CPointBase>(4500, 3000));
    auto* j = add(*doc, nat::pointLibre, std::make_unique<CPointBase>(4000, 2500));
    auto* x = add(*doc, nat::droite, std::make_unique<CDroiteAB>(o, i));
    auto* y = add(*doc, nat::droite, std::make_unique<CDroiteAB>(o, j));
    CValeurAssocieeAVariable zero(0.0);
    auto* frame = add(*doc, nat::repere,
                      std::make_unique<CRepere>(o, i, j, x, y, zero, zero, false, false, false));
    auto f = std::make_unique<CFonc>("f", "x*x-2", "x");
    f->rebuildTree(doc->list());
    CFonc* fn = add(*doc, nat::fonction, std::move(f));
    auto view = shownFigure(std::move(doc));
    CPelvantiDoc& d = *view->document();
    CurveRequest r{frame, fn, "M", "u", "v", 1000, false, false};
    for (auto _ : state) {
        if (!buildFunctionCurve(d, x, r)) state.SkipWithError("the curve was not built");
        view->recomputeAndRedraw();
        state.PauseTiming();
        d.removeLast(6);
        state.ResumeTiming();
    }
    CPelvantiView::setActiveView(nullptr);
}
BENCHMARK(functionCurve)->Unit(benchmark::kMillisecond);
}  // namespace
