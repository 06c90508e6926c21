// Images by transformations, by logical clicks: the transformation built once and kept across
// clicks, images of points, segments and polygons, the typed parameters and the modification of
// an angle.
#include "geometry/CPolygone.h"
#include "geometry/CTransformation.h"
#include "tools_fixture.h"
#include "values/CCalcul.h"
#include "view/ToolTexts.h"

namespace {
int transformations(const CListeAction& l) {
    int k = 0;
    for (CActionAncetre* e : l.entries())
        if (e->nature & nat::transformation) ++k;
    return k;
}

struct ImageCase {
    int command;
    std::vector<std::pair<int, int>> defining;  // clicks that define the transformation
    std::vector<std::string> typed;             // the dialog's fields; empty: no dialog
    double px, py;                              // image of P (300, 300), in pixels
    const char* undo;
};

class TransformationTest : public ToolsTest, public ::testing::WithParamInterface<ImageCase> {};
}  // namespace

// A (200, 300), B (250, 250), P (300, 300), Q (300, 200); the line AB serves as axis.
TEST_P(TransformationTest, TransformationBuiltOnceThenOneImagePerClickUntilRightClick) {
    const ImageCase& c = GetParam();
    list().angleUnit = 1;
    line(200, 300, 250, 250);
    freePoint(300, 300);
    freePoint(300, 200);
    const int before = list().count();
    ASSERT_TRUE(select(c.command));
    if (!c.typed.empty()) dialogs.fieldAnswers = {c.typed};
    for (auto [x, y] : c.defining) click(x, y);
    EXPECT_EQ(list().count(), before) << "the transformation waits for its first image";
    click(300, 300);
    auto* p = last<CPointImage>();
    ASSERT_NE(p, nullptr);
    EXPECT_NEAR(p->x, 10 * c.px, 1e-6);
    EXPECT_NEAR(p->y, 10 * c.py, 1e-6);
    EXPECT_EQ(doc().history().undoText(), c.undo);
    click(300, 200);
    EXPECT_EQ(transformations(list()), 1) << "the second image uses the same transformation";
    EXPECT_EQ(list().count(), before + 3);
    rightClick(10, 10);
    EXPECT_EQ(etatOutils().currentTool, &captureTool());
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, TransformationTest,
    ::testing::Values(
        ImageCase{Cmd::centralSymmetry, {{200, 300}}, {}, 100, 300, "Image par symétrie centrale"},
        ImageCase{Cmd::rotation, {{200, 300}}, {"90"}, 200, 200, "Image par rotation"},
        ImageCase{Cmd::similitude, {{200, 300}}, {"90", "2"}, 200, 100, "Image par similitude"},
        ImageCase{Cmd::axialSymmetry, {{225, 275}}, {}, 200, 200, "Image par symétrie orthogonale"},
        ImageCase{
            Cmd::translation, {{200, 300}, {250, 250}}, {}, 350, 250, "Image par translation"},
        ImageCase{Cmd::homothety, {{200, 300}}, {"2"}, 400, 300, "Image par homothétie"}));

TEST_F(ToolsTest, ImagesOfASegmentAndAPolygonComeWithTheirVertices) {
    freePoint(320, 240);  // the centre
    twoPointsAnd(Cmd::segment, 50, 50, 150, 50);
    freePoint(50, 400);
    freePoint(150, 400);
    freePoint(100, 450);
    select(Cmd::polygon);
    clicks({{50, 400}, {150, 400}, {100, 450}});
    rightClick(0, 0);
    ASSERT_TRUE(select(Cmd::centralSymmetry));
    click(320, 240);
    int before = list().count();
    click(100, 50);
    EXPECT_EQ(list().count() - before, 4) << "the transformation, two points and the segment";
    EXPECT_NE(last<CSegment>(), nullptr);
    before = list().count();
    click(100, 400);
    EXPECT_EQ(list().count() - before, 4);
    auto* poly = last<CPolygone>();
    ASSERT_NE(poly, nullptr);
    EXPECT_NEAR(poly->vertex(0)->x, 10 * (640 - 50), 1e-6);
}

TEST_F(ToolsTest, CancelledDialogBeforeTheFirstImageLeavesTheFigureAsItWas) {
    freePoint(200, 300);
    freePoint(300, 300);
    const int before = list().count();
    ASSERT_TRUE(select(Cmd::homothety));
    click(200, 300);  // the dialog is cancelled (no answer)
    EXPECT_EQ(etatOutils().currentTool->prompt(0), toolText(Msg::promptHomothety));
    click(300, 300);  // designates the centre again
    EXPECT_EQ(list().count(), before);
}

TEST_F(ToolsTest, RatioDialogRefusesZeroAndEmptyAndAsksAgain) {
    freePoint(200, 300);
    freePoint(300, 300);
    ASSERT_TRUE(select(Cmd::homothety));
    dialogs.fieldAnswers = {{"0"}, {""}, {"1/2"}};
    click(200, 300);
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].text, toolText(Msg::coefficientZero));
    EXPECT_EQ(host.messages[1].text, toolText(Msg::enterRatio));
    click(300, 300);
    auto* p = last<CPointImage>();
    ASSERT_NE(p, nullptr);
    EXPECT_NEAR(p->x, 2500, 1e-6);
}

TEST_F(ToolsTest, PreconditionsKeepThePreviousTool) {
    freePoint(200, 300);
    COutil* previous = etatOutils().currentTool;
    const struct {
        int command;
        int message;
    } rows[] = {{Cmd::translation, Msg::needTwoPoints},
                {Cmd::axialSymmetry, Msg::needLine},
                {Cmd::inversion, Msg::needUnitLength},
                {Cmd::modifyRotation, Msg::needRotation},
                {Cmd::modifyHomothety, Msg::needHomothety}};
    for (const auto& r : rows) {
        EXPECT_FALSE(select(r.command));
        EXPECT_EQ(lastMessage(), toolText(r.message));
        EXPECT_EQ(etatOutils().currentTool, previous);
    }
}

TEST_F(ToolsTest, ModifyingTheAngleOfARotationMovesItsImages) {
    list().angleUnit = 1;
    freePoint(200, 300);
    freePoint(300, 300);
    select(Cmd::rotation);
    dialogs.fieldAnswers = {{"90"}};
    click(200, 300);
    click(300, 300);
    auto* p = last<CPointImage>();
    ASSERT_NE(p, nullptr);
    // A value created after the rotation cannot give its angle.
    add<CCalcul>(nat::calcul, "late", "45");

    ASSERT_TRUE(select(Cmd::modifyRotation));
    dialogs.fieldAnswers = {{"late"}, {"180"}};
    click(200, 300);
    EXPECT_EQ(host.messages.front().text, toolText(Msg::valueDefinedAfter));
    EXPECT_NEAR(p->x, 1000, 1e-6);
    EXPECT_EQ(doc().history().undoText(), "Modifier angle rotation");
}
