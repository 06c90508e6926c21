// A figure of 100,002 objects in the window: two free points and 100,000 midpoints, each of the
// previous one. Opening the file in the main window (reading, recomputing, drawing), taking its
// first point with the capture tool, moving it once and dropping it, and saving it.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <memory>

#include "app/CMainFrame.h"
#include "document/CPelvantiDoc.h"
#include "geometry/CPointAncetre.h"
#include "view/CCapture.h"
#include "view/COutilsRegistry.h"
#include "view/CPelvantiView.h"

namespace {
constexpr int kMidpoints = 100000;

QString chainFile() {
    static const QString path = [] {
        CPelvantiDoc doc;
        doc.newFigure();
        CListeAction& list = doc.list();
        auto* a = new CPointBase(300, 200);
        auto* b = new CPointBase(4000, 3000);
        list.append(new CAction(nat::pointLibre, std::unique_ptr<CElementBase>(a)));
        list.append(new CAction(nat::pointLibre, std::unique_ptr<CElementBase>(b)));
        CPointAncetre* previous = a;
        for (int i = 0; i < kMidpoints; ++i) {
            auto* m = new CMilieu(previous, b);
            list.append(new CAction(nat::pointConstruit, std::unique_ptr<CElementBase>(m)));
            previous = m;
        }
        doc.rebuildGraphicList();
        list.computeAll();
        const QString file = QDir::temp().filePath(QStringLiteral("bench_qt_open.qvf"));
        std::string reason;
        if (!doc.saveToFile(file.toStdString(), &reason)) return QString();
        return file;
    }();
    return path;
}

void openInWindow(benchmark::State& state) {
    const QString file = chainFile();
    for (auto _ : state) {
        auto frame = std::make_unique<CMainFrame>();
        frame->show();
        CPelvantiView* view = frame->openFile(file);
        QApplication::processEvents();
        state.PauseTiming();
        CPelvantiView::setActiveView(nullptr);
        frame.reset();
        state.ResumeTiming();
        if (!view) {
            state.SkipWithError("the figure did not open");
            return;
        }
    }
}
BENCHMARK(openInWindow)->Unit(benchmark::kMillisecond)->Iterations(3);

// Its first point is at (30, 20) pixels; it goes to (60, 40) and back, one drag an iteration
// (with the drop, which records an undo state, or without it).
void takeMoveDrop(benchmark::State& state) {
    CMainFrame frame;
    frame.show();
    CPelvantiView* view = frame.openFile(chainFile());
    if (!view) {
        state.SkipWithError("the figure did not open");
        return;
    }
    QApplication::processEvents();
    revenirCapture(view);
    CGestionSourisCapture& h = captureHandler();
    int k = 0;
    for (auto _ : state) {
        const int from = ++k % 2 ? 1 : 2, to = 3 - from;
        h.onMouseMove(view, 30 * from, 20 * from);
        h.onLButtonDown(view, 30 * from, 20 * from);
        if (!h.dragging) {
            state.SkipWithError("the point was not taken");
            return;
        }
        h.onMouseMove(view, 30 * to, 20 * to);
        view->repaint();
        // Arg 1 times the take and the move alone.
        if (state.range(0)) state.PauseTiming();
        h.onLButtonDown(view, 30 * to, 20 * to);
        view->repaint();
        if (state.range(0)) state.ResumeTiming();
    }
    CPelvantiView::setActiveView(nullptr);
}
BENCHMARK(takeMoveDrop)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

// Saving it from the window (File > Enregistrer): written into memory, then to a temporary file
// flushed to the disk and renamed over the figure.
void saveFromWindow(benchmark::State& state) {
    CMainFrame frame;
    frame.show();
    CPelvantiView* view = frame.openFile(chainFile());
    if (!view) {
        state.SkipWithError("the figure did not open");
        return;
    }
    QApplication::processEvents();
    for (auto _ : state)
        if (!frame.save()) state.SkipWithError("the figure was not saved");
    CPelvantiView::setActiveView(nullptr);
}
BENCHMARK(saveFromWindow)->Unit(benchmark::kMillisecond)->Iterations(5);
}  // namespace
