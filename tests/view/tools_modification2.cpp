// Modification of the angle of an arc, of the coordinates of a point in a frame and of the
// weights of a barycentre: blinking of the eligible objects, field checks, undo label.
#include <cmath>

#include "calc/EvaluationState.h"
#include "geometry/CCercle.h"
#include "geometry/CRepere.h"
#include "measures/CMesure.h"
#include "tools_fixture.h"

class ModificationToolsTest : public ToolsTest {
protected:
    void triangle() {
        freePoint(100, 300);  // A
        freePoint(300, 300);  // B
        freePoint(100, 100);  // C
    }
    // The length AB as a named value, built after everything present.
    void unitLength() {
        select(Cmd::unitLength);
        clicks({{100, 300}, {300, 300}});
    }
    std::string message(size_t fromEnd) const {
        return host.messages.size() > fromEnd
                   ? host.messages[host.messages.size() - 1 - fromEnd].text
                   : std::string();
    }
};

TEST_F(ModificationToolsTest, ArcAngleIsOfferedOnlyForArcsGivenByAnAngle) {
    triangle();
    EXPECT_FALSE(select(Cmd::modifyArcAngle));
    EXPECT_EQ(lastMessage(),
              "Activation impossible : Au moins un arc de cercle doit être créé et visible");
    // An arc ending on a point has no angle to change.
    ASSERT_TRUE(select(Cmd::smallArcByEnd));
    clicks({{100, 300}, {300, 300}, {100, 100}});
    ASSERT_NE(last<CArcDeCercle>(), nullptr);
    EXPECT_FALSE(select(Cmd::modifyArcAngle));

    unitLength();
    ASSERT_TRUE(select(Cmd::smallArc));
    clicks({{100, 100}, {100, 300}, {300, 100}});
    auto* arc = last<CArcDeCercle>();
    ASSERT_NE(arc, nullptr);
    ASSERT_EQ(arc->B, nullptr);
    const double before = arc->angleValue.getValue();

    ASSERT_TRUE(select(Cmd::modifyArcAngle));
    EXPECT_EQ(etatOutils().blinkList.count(), 1);
    EXPECT_EQ(toolOfCommand(Cmd::modifyArcAngle)->prompt(0),
              "Cliquez sur un arc pour modifier son angle");
    // Empty, then a typo, then the unit length defined before the arc.
    dialogs.fieldAnswers = {{""}, {"2*"}, {"AB"}};
    click(241, 241);  // on the arc, halfway
    ASSERT_EQ(dialogs.titles.size(), 3u);
    EXPECT_EQ(message(1), "\nVous devez entrer\nune valeur");
    EXPECT_TRUE(arc->angleValue.isReference());
    EXPECT_NE(arc->angleValue.getValue(), before);
    EXPECT_EQ(doc().history().undoText(), "Modifier angle d'arc");
    EXPECT_EQ(etatOutils().currentTool, &captureTool());
}

TEST_F(ModificationToolsTest, ArcAngleCancelLeavesTheArcAsItWas) {
    triangle();
    select(Cmd::largeArc);
    clicks({{100, 300}, {300, 300}, {100, 100}});
    auto* arc = last<CGrandArcDeCercle>();
    ASSERT_NE(arc, nullptr);
    const std::string text = arc->angleValue.getText(12);
    const std::string undo = doc().history().undoText();
    ASSERT_TRUE(select(Cmd::modifyArcAngle));
    dialogs.fieldAnswers = {};
    click(241, 441);  // the major arc passes below the centre
    ASSERT_EQ(dialogs.titles.size(), 1u);
    EXPECT_EQ(arc->angleValue.getText(12), text);
    EXPECT_EQ(doc().history().undoText(), undo);
}

TEST_F(ModificationToolsTest, CoordinatesNeedAFrameThenAPointInIt) {
    triangle();
    EXPECT_FALSE(select(Cmd::modifyCoordinates));
    EXPECT_EQ(lastMessage(), "Activation impossible:\nAucun repère n'a été créé");
    select(Cmd::frame);
    dialogs.fieldAnswers = {{"0", "0"}};
    clicks({{100, 300}, {300, 300}, {100, 100}});
    auto* frame = last<CRepere>();
    ASSERT_NE(frame, nullptr);
    EXPECT_FALSE(select(Cmd::modifyCoordinates));
    EXPECT_EQ(lastMessage(),
              "Activation impossible : aucun point défini par ses\ncoordonnées n'a été créé ou "
              "n'est visible");

    doc().addEntry(std::make_unique<CAction>(
        nat::pointDansRepere,
        std::make_unique<CPointDansRepere>(frame, CValeurAssocieeAVariable(0.5),
                                           CValeurAssocieeAVariable(0.5))));
    auto* p = last<CPointDansRepere>();
    view->recomputeAndRedraw();
    unitLength();  // a value defined after the point

    ASSERT_TRUE(select(Cmd::modifyCoordinates));
    EXPECT_EQ(etatOutils().blinkList.count(), 1);
    // The second field refuses a value defined after the point: neither coordinate changes.
    dialogs.fieldAnswers = {{"1", "AB"}, {"1", ""}, {"1", "0.25"}};
    click(200, 200);
    ASSERT_EQ(dialogs.titles.size(), 4u);  // the frame's, then three
    EXPECT_EQ(message(0), "\nVous devez entrer\nune valeur");
    EXPECT_EQ(message(1), "La valeur indiquée a été définie\naprès l'objet");
    EXPECT_DOUBLE_EQ(p->xv.getValue(), 1.0);
    EXPECT_DOUBLE_EQ(p->yv.getValue(), 0.25);
    const CPointAncetre *o = frame->O, *i = frame->I, *j = frame->J;
    EXPECT_NEAR(p->x, o->x + (i->x - o->x) + 0.25 * (j->x - o->x), 1e-6);
    EXPECT_NEAR(p->y, o->y + (i->y - o->y) + 0.25 * (j->y - o->y), 1e-6);
    EXPECT_EQ(doc().history().undoText(), "Modifier coordonnées");
    EXPECT_EQ(etatOutils().currentTool, &captureTool());
}

TEST_F(ModificationToolsTest, BarycentreWeightsAreCheckedTogether) {
    triangle();
    EXPECT_FALSE(select(Cmd::modifyBarycentre));
    EXPECT_EQ(lastMessage(), "Activation impossible : Un barycentre doit être créé et visible");
    select(Cmd::barycentre);
    dialogs.fieldAnswers = {{"1"}, {"3"}};
    clicks({{100, 300}, {300, 300}});
    rightClick(300, 300);
    auto* b = last<CBarycentre>();
    ASSERT_NE(b, nullptr);
    ASSERT_EQ(b->nodes.size(), 2u);
    unitLength();

    ASSERT_TRUE(select(Cmd::modifyBarycentre));
    EXPECT_EQ(toolOfCommand(Cmd::modifyBarycentre)->prompt(0),
              "Cliquez sur un barycentre déjà crée");
    dialogs.titles.clear();
    dialogs.fieldAnswers = {{"1", ""}, {"1", "AB"}, {"2", "2"}};
    click(250, 300);
    ASSERT_EQ(dialogs.titles.size(), 3u);
    EXPECT_EQ(dialogs.titles[0], "Coefficients du barycentre " + b->getName());
    EXPECT_EQ(message(1), "\nVous devez entrer\nle coefficient");
    EXPECT_EQ(message(0), "La valeur indiquée a été définie\naprès l'objet");
    EXPECT_DOUBLE_EQ(b->nodes[0]->weight.getValue(), 2.0);
    EXPECT_DOUBLE_EQ(b->nodes[1]->weight.getValue(), 2.0);
    const CPointAncetre *a = b->nodes[0]->point, *c = b->nodes[1]->point;
    EXPECT_NEAR(b->x, (a->x + c->x) / 2, 1e-6);
    EXPECT_EQ(doc().history().undoText(), "Modifier barycentre");
    EXPECT_EQ(etatOutils().currentTool, &captureTool());
}

struct AngleEntry {
    int unit;  // 0 radian, otherwise degree
    const char* typed;
    double radians;
};

class ArcAngleUnitTest : public ModificationToolsTest,
                         public ::testing::WithParamInterface<AngleEntry> {};

TEST_P(ArcAngleUnitTest, TypedAngleIsReadInTheFigureUnit) {
    triangle();
    select(Cmd::directArc);
    clicks({{100, 100}, {100, 300}, {300, 100}});
    auto* arc = last<CArcDeCercleDirect>();
    ASSERT_NE(arc, nullptr);
    list().angleUnit = GetParam().unit;
    // Another figure computed last in the other unit must not change the reading.
    const int saved = evaluationState().angleUnit;
    evaluationState().angleUnit = GetParam().unit ? 0 : 1;
    ASSERT_TRUE(select(Cmd::modifyArcAngle));
    dialogs.fieldAnswers = {{GetParam().typed}};
    click(241, 241);
    EXPECT_FALSE(arc->angleValue.isReference());
    EXPECT_EQ(arc->angleValue.text, GetParam().typed);
    EXPECT_NEAR(arc->angleValue.constant, GetParam().radians, 1e-12);
    evaluationState().angleUnit = saved;
}

INSTANTIATE_TEST_SUITE_P(Units, ArcAngleUnitTest,
                         ::testing::Values(AngleEntry{0, "pi/3", M_PI / 3},
                                           AngleEntry{1, "60", M_PI / 3},
                                           AngleEntry{1, "-90", -M_PI / 2},
                                           AngleEntry{0, "1", 1.0}));
