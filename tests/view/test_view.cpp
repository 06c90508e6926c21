// The figure view: drawing at known logical positions, resizing, masked objects and names,
// repainting without recomputing, mouse routing, variable windows, zoom, undo.
#include <gtest/gtest.h>

#include <QTest>

#include "core/CHost.h"
#include "core/CPalette.h"
#include "document/CPelvantiDoc.h"
#include "geometry/CDroite.h"
#include "geometry/CPointAncetre.h"
#include "geometry/CPointLie.h"
#include "measures/CMesure.h"
#include "values/CVariable.h"
#include "view/CFigureRenderer.h"
#include "view/COutil.h"
#include "view/CPelvantiView.h"
#include "view/CQtDC.h"
#include "view/CVariableWindow.h"
#include "view/Commands.h"

namespace {
// Palette index 4 is red, 2 blue.
constexpr int kRedIndex = 4;
constexpr int kBlueIndex = 2;

template <class T, class... Args>
T* add(CPelvantiDoc& doc, Nature nature, Args&&... args) {
    auto object = std::make_unique<T>(std::forward<Args>(args)...);
    T* raw = object.get();
    doc.addEntry(std::make_unique<CAction>(nature, std::move(object)));
    return raw;
}

CPointBase* addPoint(CPelvantiDoc& doc, double x, double y, int colour = kRedIndex) {
    return add<CPointBase>(doc, nat::pointLibre, x, y, static_cast<int8_t>(colour), 0);
}

std::unique_ptr<CPelvantiDoc> newDoc() {
    auto doc = std::make_unique<CPelvantiDoc>();
    doc->newFigure();
    return doc;
}

COLORREF pixel(const CPelvantiView& v, int x, int y) {
    return fromQColor(v.buffer().pixelColor(x, y));
}

// A view shown at a known client size.
struct ShownView {
    std::unique_ptr<CPelvantiView> view;
    explicit ShownView(std::unique_ptr<CPelvantiDoc> doc, QSize size = QSize(640, 480)) {
        view = std::make_unique<CPelvantiView>(std::move(doc));
        view->resize(size);
        view->show();
        CPelvantiView::setActiveView(view.get());
        view->recomputeAndRedraw();
    }
    ~ShownView() { CPelvantiView::setActiveView(nullptr); }
    CPelvantiView* operator->() { return view.get(); }
};

class RecordingHandler : public CGestionSouris {
public:
    void onLButtonDown(CPelvantiView*, int x, int y) override { downs.push_back({x, y}); }
    void onRButtonDown(CPelvantiView*, int x, int y) override { rights.push_back({x, y}); }
    std::vector<QPoint> downs, rights;
};

class RecordingTool : public COutil {
public:
    RecordingHandler handler;
    bool activate(CPelvantiView* view) override {
        COutil::activate(view);
        etatOutils().mouseHandler = &handler;
        return true;
    }
    std::string prompt(int) const override { return "Cliquez"; }
};

class HostGuard {
public:
    HostGuard() { previous_ = setHost(&headless); }
    ~HostGuard() { setHost(previous_); }
    CHeadlessHost headless;

private:
    CHost* previous_;
};
}  // namespace

TEST(View, ResizeSetsDrawingAreaZoomCentreAndViewSize) {
    EXPECT_EQ(CPelvantiView(newDoc()).drawingArea(), (LSize{5000, 2000})) << "before any resize";
    ShownView v(newDoc(), QSize(640, 480));
    EXPECT_EQ(v->drawingArea(), (LSize{6400, 4800}));
    EXPECT_EQ(v->document()->viewSize, (LSize{6400, 4800}));
    v->resize(300, 200);
    EXPECT_EQ(v->drawingArea(), (LSize{3000, 2000}));
    EXPECT_EQ(v->zoomCentre(), (LPoint{1500, 1000}));
}

TEST(View, PointAndSegmentAreDrawnAtTheirLogicalPositionsOverTheFigureBackground) {
    auto doc = newDoc();
    doc->setBackgroundColour(RGB(255, 255, 0));
    addPoint(*doc, 1000, 500);
    CPointBase* a = addPoint(*doc, 500, 1000, kBlueIndex);
    CPointBase* b = addPoint(*doc, 4500, 1000, kBlueIndex);
    add<CSegment>(*doc, nat::segment, a, b, kBlueIndex, 0);
    ShownView v(std::move(doc));
    EXPECT_EQ(pixel(*v.view, 100, 50), CPalette::colour(kRedIndex));
    EXPECT_EQ(pixel(*v.view, 110, 50), RGB(255, 255, 0));
    EXPECT_EQ(pixel(*v.view, 250, 100), CPalette::colour(kBlueIndex));
    EXPECT_EQ(pixel(*v.view, 250, 110), RGB(255, 255, 0));
    // Repainting copies the buffer without recomputing.
    const int before = v->recomputeCount();
    v->repaint();
    EXPECT_EQ(fromQColor(v->grab().toImage().pixelColor(100, 50)), CPalette::colour(kRedIndex));
    EXPECT_EQ(v->recomputeCount(), before);
    CPalette::setBackgroundColour(255, 255, 255);
}

TEST(View, MaskedObjectsAreDrawnOnlyWhenHideMaskedIsCleared) {
    auto doc = newDoc();
    CPointBase* p = addPoint(*doc, 1000, 500);
    p->masked = true;
    ShownView v(std::move(doc));
    EXPECT_EQ(pixel(*v.view, 100, 50), CPalette::colour(0));
    drawingState().hideMasked = false;
    v->redraw();
    EXPECT_EQ(pixel(*v.view, 100, 50), CPalette::colour(kRedIndex));
    drawingState().hideMasked = true;
}

TEST(View, HiddenNamesAreDrawnWhenCacherLesNomsMasquesIsOff) {
    auto doc = newDoc();
    CPointBase* p = addPoint(*doc, 1000, 500);
    p->setName("A");
    p->setNameOffset(100, 100);
    p->nameHidden = true;
    ShownView v(std::move(doc));
    // Red-dominated pixels where the name is written (text may be antialiased).
    auto nameInk = [&] {
        int n = 0;
        for (int y = 55; y < 95; ++y)
            for (int x = 105; x < 140; ++x) {
                QColor c = v->buffer().pixelColor(x, y);
                if (c.red() > 150 && c.green() < 150) ++n;
            }
        return n;
    };
    EXPECT_EQ(nameInk(), 0);
    drawingState().respectNameHidden = false;
    v->redraw();
    int shown = nameInk();
    drawingState().respectNameHidden = true;
    EXPECT_GT(shown, 5);
}

TEST(View, MouseReachesTheToolInPixelsAndLogicalUnitsAreTenTimesThat) {
    ShownView v(newDoc());
    RecordingTool tool;
    ASSERT_TRUE(selectTool(&tool, Cmd::freePoint, v.view.get()));
    QTest::mouseClick(v.view.get(), Qt::LeftButton, {}, QPoint(37, 12));
    ASSERT_EQ(tool.handler.downs.size(), 1u);
    EXPECT_EQ(tool.handler.downs[0], QPoint(37, 12));
    EXPECT_EQ(CPelvantiView::toLogical(37, 12), (LPoint{370, 120}));
    QTest::mouseClick(v.view.get(), Qt::RightButton, {}, QPoint(5, 6));
    EXPECT_EQ(tool.handler.rights.size(), 1u);
    // While a macro runs the mouse does not reach the tool.
    etatOutils().mouseInputEnabled = false;
    QTest::mouseClick(v.view.get(), Qt::LeftButton, {}, QPoint(40, 40));
    etatOutils().mouseInputEnabled = true;
    EXPECT_EQ(tool.handler.downs.size(), 1u);
    tool.deactivate(v.view.get());
    etatOutils().currentTool = nullptr;
    etatOutils().mouseHandler = nullptr;
}

TEST(View, AtMostFourVariableWindowsStepWithinTheBoundsAndRecompute) {
    HostGuard guard;
    auto doc = newDoc();
    std::vector<CVariableBornee*> vars;
    for (const char* name : {"k", "v1", "v2", "v3", "v4", "v5"}) {
        auto var = std::make_unique<CVariableBornee>(name, 2, 0, 3, 1, "0", "3", "1", true);
        vars.push_back(var.get());
        doc->insertVariable(new CAction(nat::variable, std::move(var)));
    }
    CVariableBornee* k = vars[0];
    ShownView v(std::move(doc));
    v->markSaved();
    v->createVariableWindows();
    ASSERT_EQ(v->variableWindows().size(), 4u);
    // Stacked against the right edge, the first at the bottom.
    CVariableWindow* w = v->variableWindows()[0];
    EXPECT_EQ(w->geometry().right(), v->width() - 1);
    EXPECT_EQ(v->variableWindows()[1]->geometry().top(), v->height() - 2 * w->height() - 1);
    ASSERT_TRUE(w->text().startsWith("k"));
    int before = v->recomputeCount();
    w->stepUp();
    EXPECT_EQ(k->value, 3);
    EXPECT_GT(v->recomputeCount(), before);
    EXPECT_TRUE(v->isModified());
    w->stepUp();  // beyond the maximum: a beep, no change
    EXPECT_EQ(k->value, 3);
    EXPECT_EQ(guard.headless.beeps, 1);
    EXPECT_FALSE(w->setValue(7));
    EXPECT_TRUE(w->setValue(0.5));
    EXPECT_EQ(k->value, 0.5);
}

// Zooming keeps the figure similar to itself, whatever carries its unit length: two free
// points, or (as in the new-figure templates) a free point and a point linked to a
// horizontal line through it.
class ZoomWithUnitLength : public ::testing::TestWithParam<bool> {};

TEST_P(ZoomWithUnitLength, KeepsShapeAndMeasures) {
    const bool linkedUnit = GetParam();
    auto doc = newDoc();
    CListeAction& list = doc->list();
    CPointBase* u = addPoint(*doc, 1000, 4000);
    CPointAncetre* w = nullptr;
    if (linkedUnit) {
        CDroite* d = add<CDroiteDirectionFixe>(*doc, nat::droite, u, true, 100.0);
        w = add<CPointLieDroite>(*doc, nat::pointLie, d, 5.0);
    } else {
        w = addPoint(*doc, 1500, 4000);
    }
    list.unitLength = add<CLongueur>(*doc, nat::mesure, &list, u, w);
    CPointBase* a = addPoint(*doc, 2000, 1000);
    CPointBase* b = addPoint(*doc, 4500, 1500);
    CPointBase* c = addPoint(*doc, 3000, 3500);
    auto* abRaw = add<CLongueur>(*doc, nat::mesure, &list, a, b);
    auto* angleRaw = add<CMesureAngleGeometrique>(*doc, nat::mesure, b, a, c);
    ShownView v(std::move(doc), QSize(640, 480));
    ASSERT_TRUE(abRaw->exists);
    const double length = abRaw->value, bac = angleRaw->value;
    struct Was {
        CPointAncetre* p;
        double x, y;
    };
    // The unit length's points scale too, about the centre of the drawing area.
    const Was was[] = {{u, u->x, u->y}, {w, w->x, w->y}, {a, a->x, a->y}};
    for (double r : {1.2, 1.0}) {
        r == 1.0 ? v->zoomOut() : v->zoomIn();
        for (const Was& p : was) {
            EXPECT_NEAR(p.p->x, 3200 + (p.x - 3200) * r, 1e-9) << r;
            EXPECT_NEAR(p.p->y, 2400 + (p.y - 2400) * r, 1e-9) << r;
        }
        EXPECT_NEAR(abRaw->value, length, 1e-12);
        EXPECT_NEAR(angleRaw->value, bac, 1e-12);
        if (r > 1) {
            EXPECT_EQ(pixel(*v.view, 176, 72), CPalette::colour(kRedIndex)) << "redrawn";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(View, ZoomWithUnitLength, ::testing::Bool());

// Opening and saving are checked with the main window.
TEST(View, UndoAndRedoRedraw) {
    auto doc = newDoc();
    addPoint(*doc, 1000, 500);
    doc->history().record("Point");
    ShownView v(std::move(doc));
    v->markSaved();
    addPoint(*v->document(), 2000, 1000);
    v->document()->history().record("Point libre");
    v->recomputeAndRedraw();
    EXPECT_TRUE(v->isModified());
    EXPECT_TRUE(v->undo());
    EXPECT_EQ(pixel(*v.view, 200, 100), CPalette::colour(0));
    EXPECT_TRUE(v->redo());
    EXPECT_EQ(pixel(*v.view, 200, 100), CPalette::colour(kRedIndex));
}

TEST(View, StepDisplayShowsOnlyTheFirstObjects) {
    auto doc = newDoc();
    addPoint(*doc, 1000, 500);
    addPoint(*doc, 2000, 500);
    ShownView v(std::move(doc));
    v->setStepDisplay(1);  // "pi", then the first point
    EXPECT_EQ(pixel(*v.view, 100, 50), CPalette::colour(kRedIndex));
    EXPECT_EQ(pixel(*v.view, 200, 50), CPalette::colour(0));
    v->setStepDisplay(-1);
    EXPECT_EQ(pixel(*v.view, 200, 50), CPalette::colour(kRedIndex));
}
