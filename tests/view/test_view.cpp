// The figure view: drawing at known logical positions, resizing, masked objects and names,
// repainting without recomputing, mouse routing, variable windows, zoom, undo.
#include <QTest>

#include "core/CPalette.h"
#include "geometry/CDroite.h"
#include "geometry/CPointLie.h"
#include "measures/CMesure.h"
#include "tools_fixture.h"
#include "values/CVariable.h"
#include "view/CFigureRenderer.h"
#include "view/CQtDC.h"
#include "view/CVariableWindow.h"

namespace {
// Palette index 4 is red, 2 blue.
constexpr int kRed = 4, kBlue = 2;

class ViewTest : public ToolsTest {
protected:
    CPointBase* point(double x, double y, int colour = kRed) {
        return add<CPointBase>(nat::pointLibre, x, y, static_cast<int8_t>(colour), 0);
    }
    COLORREF pixel(int x, int y) const { return fromQColor(view->buffer().pixelColor(x, y)); }
};
}  // namespace

TEST_F(ViewTest, ResizeSetsDrawingAreaZoomCentreAndViewSize) {
    EXPECT_EQ(doc().viewSize, (LSize{6400, 4800}));
    v()->resize(300, 200);
    EXPECT_EQ(v()->drawingArea(), (LSize{3000, 2000}));
    EXPECT_EQ(v()->zoomCentre(), (LPoint{1500, 1000}));
}

TEST_F(ViewTest, PointAndSegmentAreDrawnAtTheirLogicalPositionsOverTheFigureBackground) {
    doc().setBackgroundColour(RGB(255, 255, 0));
    point(1000, 500);
    add<CSegment>(nat::segment, point(500, 1000, kBlue), point(4500, 1000, kBlue), kBlue, 0);
    EXPECT_EQ(pixel(100, 50), CPalette::colour(kRed));
    EXPECT_EQ(pixel(110, 50), RGB(255, 255, 0));
    EXPECT_EQ(pixel(250, 100), CPalette::colour(kBlue));
    EXPECT_EQ(pixel(250, 110), RGB(255, 255, 0));
    // Repainting copies the buffer without recomputing.
    const int before = v()->recomputeCount();
    v()->repaint();
    EXPECT_EQ(fromQColor(v()->grab().toImage().pixelColor(100, 50)), CPalette::colour(kRed));
    EXPECT_EQ(v()->recomputeCount(), before);
    CPalette::setBackgroundColour(255, 255, 255);
}

TEST_F(ViewTest, MaskedObjectsAndHiddenNamesAreDrawnOnlyWhenTheirOptionIsOff) {
    CPointBase* p = point(1000, 500);
    p->masked = true;
    CPointBase* named = point(3000, 500);
    named->setName("A");
    named->setNameOffset(100, 100);
    named->nameHidden = true;
    // Red-dominated pixels where the name is written (text may be antialiased).
    auto nameInk = [&] {
        int n = 0;
        for (int y = 55; y < 95; ++y)
            for (int x = 305; x < 340; ++x) {
                QColor c = v()->buffer().pixelColor(x, y);
                if (c.red() > 150 && c.green() < 150) ++n;
            }
        return n;
    };
    v()->redraw();
    EXPECT_EQ(pixel(100, 50), CPalette::colour(0));
    EXPECT_EQ(nameInk(), 0);
    drawingState().hideMasked = false;
    drawingState().respectNameHidden = false;
    v()->redraw();
    const int shown = nameInk();
    drawingState().hideMasked = true;
    drawingState().respectNameHidden = true;
    EXPECT_EQ(pixel(100, 50), CPalette::colour(kRed));
    EXPECT_GT(shown, 5);
}

TEST_F(ViewTest, MouseReachesTheToolInPixelsUnlessAMacroRuns) {
    ASSERT_TRUE(select(Cmd::freePoint));
    QTest::mouseClick(v(), Qt::LeftButton, {}, QPoint(37, 12));
    auto* p = last<CPointBase>();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->x, 370);
    EXPECT_EQ(p->y, 120);
    const int count = list().count();
    etatOutils().mouseInputEnabled = false;
    QTest::mouseClick(v(), Qt::LeftButton, {}, QPoint(80, 80));
    etatOutils().mouseInputEnabled = true;
    EXPECT_EQ(list().count(), count);
}

TEST_F(ViewTest, AtMostFourVariableWindowsStepWithinTheBoundsAndRecompute) {
    std::vector<CVariableBornee*> vars;
    for (const char* name : {"k", "v1", "v2", "v3", "v4", "v5"}) {
        auto var = std::make_unique<CVariableBornee>(name, 2, 0, 3, 1, "0", "3", "1", true);
        vars.push_back(var.get());
        doc().insertVariable(new CAction(nat::variable, std::move(var)));
    }
    CVariableBornee* k = vars[0];
    v()->markSaved();
    v()->createVariableWindows();
    ASSERT_EQ(v()->variableWindows().size(), 4u);
    // Stacked against the right edge, the first at the bottom.
    CVariableWindow* w = v()->variableWindows()[0];
    EXPECT_EQ(w->geometry().right(), v()->width() - 1);
    EXPECT_EQ(v()->variableWindows()[1]->geometry().top(), v()->height() - 2 * w->height() - 1);
    ASSERT_TRUE(w->text().startsWith("k"));
    int before = v()->recomputeCount();
    w->stepUp();
    EXPECT_EQ(k->value, 3);
    EXPECT_GT(v()->recomputeCount(), before);
    EXPECT_TRUE(v()->isModified());
    w->stepUp();  // beyond the maximum: a beep, no change
    EXPECT_EQ(k->value, 3);
    EXPECT_EQ(host.beeps, 1);
    EXPECT_FALSE(w->setValue(7));
    EXPECT_TRUE(w->setValue(0.5));
    EXPECT_EQ(k->value, 0.5);
}

// Zooming keeps the figure similar to itself, whatever carries its unit length: two free
// points, or (as in the new-figure templates) a free point and a point linked to a
// horizontal line through it.
class ZoomWithUnitLength : public ViewTest, public ::testing::WithParamInterface<bool> {};

TEST_P(ZoomWithUnitLength, KeepsShapeAndMeasures) {
    CPointBase* u = point(1000, 4000);
    CPointAncetre* w =
        GetParam()
            ? static_cast<CPointAncetre*>(add<CPointLieDroite>(
                  nat::pointLie, add<CDroiteDirectionFixe>(nat::droite, u, true, 100.0), 5.0))
            : point(1500, 4000);
    list().unitLength = add<CLongueur>(nat::mesure, &list(), u, w);
    CPointBase* a = point(2000, 1000);
    CPointBase* b = point(4500, 1500);
    auto* ab = add<CLongueur>(nat::mesure, &list(), a, b);
    auto* angle = add<CMesureAngleGeometrique>(nat::mesure, b, a, point(3000, 3500));
    ASSERT_TRUE(ab->exists);
    const double length = ab->value, bac = angle->value;
    // The unit length's points scale too, about the centre of the drawing area.
    const std::tuple<CPointAncetre*, double, double> was[] = {{u, 1000, 4000}, {w, w->x, w->y}};
    v()->zoomIn();
    for (auto [p, x, y] : was) {
        EXPECT_NEAR(p->x, 3200 + (x - 3200) * 1.2, 1e-9);
        EXPECT_NEAR(p->y, 2400 + (y - 2400) * 1.2, 1e-9);
    }
    EXPECT_NEAR(ab->value, length, 1e-12);
    EXPECT_NEAR(angle->value, bac, 1e-12);
    EXPECT_EQ(pixel(176, 72), CPalette::colour(kRed)) << "redrawn";
    v()->zoomOut();
    EXPECT_NEAR(a->x, 2000, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(View, ZoomWithUnitLength, ::testing::Bool());

// Opening and saving are checked with the main window.
TEST_F(ViewTest, UndoAndRedoRedraw) {
    point(1000, 500);
    doc().history().record("Point");
    v()->markSaved();
    point(2000, 1000);
    doc().history().record("Point libre");
    EXPECT_TRUE(v()->isModified());
    EXPECT_TRUE(v()->undo());
    EXPECT_EQ(pixel(200, 100), CPalette::colour(0));
    EXPECT_TRUE(v()->redo());
    EXPECT_EQ(pixel(200, 100), CPalette::colour(kRed));
}

TEST_F(ViewTest, StepDisplayShowsOnlyTheFirstObjects) {
    point(1000, 500);
    point(2000, 500);
    v()->setStepDisplay(1);  // "pi", then the first point
    EXPECT_EQ(pixel(100, 50), CPalette::colour(kRed));
    EXPECT_EQ(pixel(200, 50), CPalette::colour(0));
    v()->setStepDisplay(-1);
    EXPECT_EQ(pixel(200, 50), CPalette::colour(kRed));
}
