// The capture tool: one click takes, moves follow, the next click drops (or the release, after
// a press-and-drag); only what moves is recomputed; one undo state per drop; a drag ended
// otherwise puts the object back; pinned points are never taken.
#include <QTest>

#include "geometry/CAffichage.h"
#include "geometry/CCercle.h"
#include "geometry/CDroite.h"
#include "geometry/CPointLie.h"
#include "tools_fixture.h"
#include "view/CFigureRenderer.h"

namespace {
// A triangle ABC and its centroid G, built by clicks.
struct Triangle {
    CPointBase *a, *b, *c;
    CCentreGravite* g;
};
}  // namespace

class CaptureTest : public ToolsTest {
protected:
    Triangle triangle() {
        Triangle t{};
        t.a = freePoint(100, 300);
        t.b = freePoint(300, 300);
        t.c = freePoint(200, 100);
        select(Cmd::centroid);
        clicks({{100, 300}, {300, 300}, {200, 100}});
        t.g = last<CCentreGravite>();
        return t;
    }
};

TEST_F(CaptureTest, DragVertexCentroidFollowsDropRecordsOneUndoState) {
    Triangle t = triangle();
    ASSERT_NE(t.g, nullptr);
    const int top = doc().history().top();
    const int recomputes = v()->recomputeCount();
    const QImage before = v()->buffer().copy();

    click(100, 300);
    EXPECT_TRUE(captureHandler().dragging);
    EXPECT_EQ(captureTool().dependents.count(), 2) << "A and G move, B and C do not";
    for (int k = 1; k <= 10; ++k) move(100 + 5 * k, 300 - 5 * k);
    EXPECT_DOUBLE_EQ(t.a->y, 2500);
    EXPECT_NEAR(t.g->x, (1500 + 3000 + 2000) / 3.0, 1e-9);
    EXPECT_EQ(v()->recomputeCount(), recomputes) << "moves recompute only the dependents";
    EXPECT_NE(v()->buffer(), before) << "the moved pixels are repainted";
    EXPECT_NE(v()->buffer().pixelColor(300, 300), v()->buffer().pixelColor(5, 5))
        << "the still part is kept: B is still drawn";

    click(150, 250);
    EXPECT_FALSE(captureHandler().dragging);
    EXPECT_EQ(doc().history().top(), top + 1);
    EXPECT_EQ(doc().history().undoText(), "Capture");
    ASSERT_TRUE(v()->undo());
    auto* g = dynamic_cast<CCentreGravite*>(list().elementAt(list().count() - 1));
    ASSERT_NE(g, nullptr);
    EXPECT_NEAR(g->x, 2000, 1e-9);
}

// Ways to end a drag without dropping: all put the point and what moved with it back, record
// nothing and draw the figure as it was.
enum class Abandon { escape, otherTool, otherWindow };

class CaptureAbandon : public CaptureTest, public ::testing::WithParamInterface<Abandon> {};

TEST_P(CaptureAbandon, PutsBackAndRecordsNothing) {
    Triangle t = triangle();
    auto otherDoc = std::make_unique<CPelvantiDoc>();
    otherDoc->newFigure();
    CPelvantiView other(std::move(otherDoc));
    other.resize(320, 240);
    const int top = doc().history().top(), otherTop = other.document()->history().top();
    v()->markSaved();
    const QImage before = v()->buffer().copy();
    click(100, 300);
    release(100, 300);
    move(120, 320);
    move(160, 340);
    ASSERT_DOUBLE_EQ(t.a->x, 1600);
    CGestionSouris* h = etatOutils().mouseHandler;
    switch (GetParam()) {
        case Abandon::escape:
            QTest::keyClick(v(), Qt::Key_Escape);
            break;
        case Abandon::otherTool:
            ASSERT_TRUE(select(Cmd::freePoint));
            break;
        case Abandon::otherWindow:
            h->onMouseMove(&other, 50, 50);
            EXPECT_DOUBLE_EQ(t.a->x, 1600) << "moving over another figure moves nothing";
            h->onLButtonDown(&other, 50, 50);
            EXPECT_EQ(other.document()->history().top(), otherTop);
            break;
    }
    EXPECT_FALSE(captureHandler().dragging);
    EXPECT_DOUBLE_EQ(t.a->x, 1000);
    EXPECT_NEAR(t.g->y, 7000 / 3.0, 1e-9) << "what moved with the point went back too";
    EXPECT_EQ(doc().history().top(), top);
    EXPECT_FALSE(v()->isModified());
    EXPECT_EQ(v()->buffer(), before) << "the figure is drawn as it was";
    h->onMouseMove(v(), 500, 400);
    EXPECT_DOUBLE_EQ(t.a->x, 1000);
}

INSTANTIATE_TEST_SUITE_P(Ways, CaptureAbandon,
                         ::testing::Values(Abandon::escape, Abandon::otherTool,
                                           Abandon::otherWindow));

TEST_F(CaptureTest, LinkedPointStopsAtItsEndAndACommentFollowsTheMouse) {
    twoPointsAnd(Cmd::segment, 100, 100, 300, 100);
    select(Cmd::linkedPoint);
    click(200, 100);
    auto* p = last<CPointLieDroite>();
    auto* comment = add<CCommentaire>(nat::commentaire, "Bonjour", &list(), nullptr, 2000, 3000);
    revenirCapture(v());
    click(200, 100);
    for (int x = 205; x <= 500; x += 5) move(x, 130);
    EXPECT_NEAR(p->x, 3000, 1e-6);
    EXPECT_NEAR(p->y, 1000, 1e-6);
    click(500, 130);

    const double y0 = comment->nameAnchorY;
    const int px = (comment->box.left + comment->box.right) / 20,
              py = (comment->box.top + comment->box.bottom) / 20;
    click(px, py);
    move(px + 30, py + 20);
    EXPECT_DOUBLE_EQ(comment->nameAnchorY, y0 + 200);
}

TEST_F(CaptureTest, UndoWhileDraggingPutsThePointBackThenUndoesTheLastStep) {
    triangle();
    const int count = list().count();
    click(100, 300);
    release(100, 300);
    move(150, 350);
    ASSERT_TRUE(v()->undo());
    EXPECT_FALSE(captureHandler().dragging);
    EXPECT_EQ(list().count(), count - 1) << "the centroid, the last recorded step";
}

TEST_F(CaptureTest, ClickWithoutMovingTakesAndTheNextClickDrops) {
    Triangle t = triangle();
    const int top = doc().history().top();
    // A tremor within the slop still counts as a click.
    click(100, 300);
    move(100 + CGestionSourisCapture::kClickSlop, 300);
    release(100 + CGestionSourisCapture::kClickSlop, 300);
    EXPECT_TRUE(captureHandler().dragging);
    move(180, 260);
    EXPECT_DOUBLE_EQ(t.a->x, 1800);
    click(180, 260);
    release(180, 260);
    move(250, 250);
    EXPECT_DOUBLE_EQ(t.a->x, 1800);
    EXPECT_EQ(doc().history().top(), top + 1) << "one drop, one state";
}

TEST_F(CaptureTest, RealMouseEventsDragAndDropOnRelease) {
    Triangle t = triangle();
    const int top = doc().history().top();
    QTest::mousePress(v(), Qt::LeftButton, {}, QPoint(100, 300));
    ASSERT_TRUE(captureHandler().dragging);
    QTest::mouseMove(v(), QPoint(140, 280));
    QTest::mouseRelease(v(), Qt::LeftButton, {}, QPoint(140, 280));
    EXPECT_DOUBLE_EQ(t.a->y, 2800);
    EXPECT_EQ(doc().history().top(), top + 1);
    move(300, 200);
    EXPECT_DOUBLE_EQ(t.a->x, 1400) << "the point is no longer glued to the mouse";
}

TEST_F(CaptureTest, PinnedPointIsNeverOffered) {
    Triangle t = triangle();
    ASSERT_TRUE(select(Cmd::pinPoint));
    click(100, 300);
    EXPECT_EQ(lastMessage(), "Le point cliqué\na été punaisé");
    EXPECT_EQ(doc().history().undoText(), "Fixer point mobile");
    click(100, 300);
    EXPECT_FALSE(captureHandler().dragging);
    ASSERT_TRUE(select(Cmd::unpinPoint));
    EXPECT_EQ(etatOutils().blinkList.count(), 1) << "only the pinned point is offered";
    click(100, 300);
    EXPECT_TRUE(t.a->mobile);
    EXPECT_EQ(lastMessage(), "Le point cliqué\na été dépunaisé");
}

TEST_F(CaptureTest, EraseThenUnmaskAndDeleteWithDependents) {
    Triangle t = triangle();
    ASSERT_TRUE(select(Cmd::erase));
    click(200, 100);
    EXPECT_TRUE(t.c->masked);
    EXPECT_EQ(doc().history().undoText(), "Gommer objet");
    ASSERT_TRUE(select(Cmd::unmask));
    click(200, 100);
    EXPECT_FALSE(t.c->masked);
    ASSERT_TRUE(select(Cmd::deleteObject));
    const int before = list().count();
    click(200, 100);
    EXPECT_EQ(list().count(), before - 2) << "C and the centroid";
}

TEST_F(CaptureTest, NamingRefusesAUsedNameAndKeepsTheOld) {
    Triangle t = triangle();
    ASSERT_TRUE(select(Cmd::name));
    dialogs.fieldAnswers = {{"B"}, {"K"}};
    click(100, 300);
    EXPECT_EQ(lastMessage(), "Ce nom est déjà celui d'un autre point\nou d'une autre droite");
    EXPECT_EQ(t.a->getName(), "K");
    EXPECT_EQ(doc().history().undoText(), "Nommer point ou droite");
}

struct Verdict {
    int command;
    std::vector<std::pair<int, int>> clicks;
    const char* text;
};

class TestTools : public CaptureTest, public ::testing::WithParamInterface<Verdict> {};

TEST_P(TestTools, ShowVerdictAndReturnToCapture) {
    line(100, 100, 300, 100);  // AB
    freePoint(200, 100);       // the midpoint of AB
    line(100, 300, 300, 300);  // DF
    const Verdict& p = GetParam();
    ASSERT_TRUE(select(p.command));
    for (auto [x, y] : p.clicks) click(x, y);
    EXPECT_EQ(lastMessage(), p.text);
    EXPECT_EQ(etatOutils().currentTool, &captureTool());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Verdicts, TestTools, ::testing::Values(
    Verdict{Cmd::testParallel, {{150, 100}, {150, 300}}, "Les deux droites sont parallèles "},
    Verdict{Cmd::testOrthogonal, {{150, 100}, {150, 300}}, "Les deux droites ne sont pas perpendiculaires "},
    Verdict{Cmd::testAligned, {{100, 100}, {300, 100}, {200, 100}}, "Les points sont alignés"},
    Verdict{Cmd::testAligned, {{100, 100}, {300, 100}, {100, 300}}, "Les points ne sont pas alignés"},
    Verdict{Cmd::testMidpoint, {{200, 100}, {100, 100}, {300, 100}}, "Le premier point est le milieu\ndu segment formé par les deux autres"},
    Verdict{Cmd::testMidpoint, {{100, 100}, {200, 100}, {300, 100}}, "Le premier point n'est pas le milieu\ndu segment formé par les deux autres"},
    Verdict{Cmd::testEquidistant, {{200, 100}, {100, 100}, {300, 100}}, "Le premier point est équidistant\n des deux derniers"}));
// clang-format on

TEST_F(CaptureTest, LinkAFreePointToASegmentThenUnlinkIt) {
    twoPointsAnd(Cmd::segment, 100, 100, 300, 100);
    const std::string name = freePoint(200, 100)->getName();  // after the segment, on it
    select(Cmd::midpoint);
    click(200, 100);
    click(100, 100);  // a midpoint that depends on the point
    ASSERT_TRUE(select(Cmd::linkPoint));
    dialogs.natureAnswers = {0};
    clicks({{200, 100}, {250, 100}});
    auto* linked = dynamic_cast<CPointLieDroite*>(list().elementAt(list().count() - 2));
    ASSERT_NE(linked, nullptr);
    EXPECT_EQ(linked->getName(), name);
    EXPECT_EQ(last<CMilieu>()->A, linked) << "the dependents follow the new point";
    EXPECT_EQ(doc().history().undoText(), "Créer liaison");

    ASSERT_TRUE(select(Cmd::unlinkPoint));
    click(200, 100);
    auto* back = dynamic_cast<CPointBase*>(list().elementAt(list().count() - 2));
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(last<CMilieu>()->A, back);
}

// A point carrying many lines and circles is drawn roughly while the button is held; the frame
// after the release is the whole figure drawn smoothed.
TEST_F(CaptureTest, ManyMovingObjectsDragRoughlyAndTheReleaseRedrawsSmoothed) {
    CPointBase* a = freePoint(100, 100);
    std::vector<CPointBase*> others;
    for (int i = 0; i < 8; ++i) others.push_back(freePoint(300 + 30 * i, 200 + 20 * i));
    for (int i = 0; i <= CGestionSourisCapture::kRoughDragObjects; ++i) {
        CPointBase* p = others[i % others.size()];
        if (i % 2)
            list().append(new CAction(nat::droite, std::make_unique<CDroiteAB>(a, p)));
        else
            list().append(new CAction(nat::cercle, std::make_unique<CCercleOA>(p, a)));
    }
    doc().rebuildGraphicList();
    v()->recomputeAndRedraw();
    revenirCapture(v());

    QTest::mousePress(v(), Qt::LeftButton, {}, QPoint(100, 100));
    QTest::mouseMove(v(), QPoint(130, 120));
    ASSERT_TRUE(captureHandler().dragging);
    const QSize size = v()->buffer().size();
    EXPECT_NE(v()->buffer(), renderFigureImage(doc(), size)) << "not drawn roughly";
    QTest::mouseRelease(v(), Qt::LeftButton, {}, QPoint(130, 120));
    ASSERT_FALSE(captureHandler().dragging);
    EXPECT_DOUBLE_EQ(a->x, 1300);
    EXPECT_EQ(v()->buffer(), renderFigureImage(doc(), size));
    // Taken by a click and moved without the button: rough too, until the dropping click.
    click(130, 120);
    ASSERT_TRUE(captureHandler().dragging);
    move(150, 120);
    EXPECT_NE(v()->buffer(), renderFigureImage(doc(), size)) << "not drawn roughly";
    click(150, 120);
    ASSERT_FALSE(captureHandler().dragging);
    EXPECT_EQ(v()->buffer(), renderFigureImage(doc(), size));
}
