// Tools with typed values: unit length, circle by centre and radius, frame, barycentre, point
// by abscissa and arcs by angle, and the modification of those values: field checks, undo
// label.
#include <cmath>

#include "calc/EvaluationState.h"
#include "geometry/CCercle.h"
#include "geometry/CRepere.h"
#include "tools_fixture.h"

class ValueToolsTest : public ToolsTest {
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

TEST_F(ValueToolsTest, CircleByRadiusNeedsAUnitLengthAndAPositiveRadiusAtCreationAndChange) {
    triangle();
    EXPECT_FALSE(select(Cmd::modifyRadius));
    EXPECT_EQ(lastMessage(),
              "Activation impossible : aucun cercle défini par\nson rayon n'a été créé ou n'est "
              "visible");
    EXPECT_FALSE(select(Cmd::circleCentreRadius));
    EXPECT_EQ(lastMessage(), "Activation impossible:\nVous n'avez pas défini\nde longueur unité");

    unitLength();
    ASSERT_TRUE(select(Cmd::circleCentreRadius));
    dialogs.fieldAnswers = {{""}, {"-2"}, {"0,5"}, {"1/2"}};
    click(100, 100);
    EXPECT_EQ(message(2), "\nVous devez entrer\nune valeur");
    EXPECT_EQ(message(1), "\nCréation impossible : le rayon\ndoit être positif");
    EXPECT_EQ(message(0), "\n\nErreur de syntaxe") << "the comma is not a decimal point";
    auto* c = last<CCercleOR>();
    ASSERT_NE(c, nullptr);
    EXPECT_NEAR(c->radius, 1000, 1e-6) << "half the unit length AB of 200 px";

    ASSERT_TRUE(select(Cmd::modifyRadius));
    dialogs.fieldAnswers = {{"0"}, {"1"}};
    click(200, 100);  // on the circle of radius 100 px centred at C
    EXPECT_EQ(lastMessage(), "\nCréation impossible : le rayon\ndoit être positif");
    EXPECT_NEAR(c->radius, 2000, 1e-6);
    EXPECT_EQ(doc().history().undoText(), "Modifier rayon cercle");
}

TEST_F(ValueToolsTest, UnitLengthIsCreatedWithoutAskingAboutAnUndefinedObject) {
    triangle();
    for (int pass = 0; pass < 2; ++pass) {  // a first unit length, then its replacement
        host.messages.clear();
        host.answers = {IDYES};
        ASSERT_TRUE(select(Cmd::unitLength));
        clicks({{100, 300}, {100, 100}});
        for (const auto& m : host.messages)
            EXPECT_EQ(m.text.find("n'est pas défini"), std::string::npos) << pass;
        EXPECT_EQ(lastMessage(), " La longueur AC a été\n choisie comme longueur unité");
        EXPECT_TRUE(list().unitLength->exists);
    }
    host.answers = {IDNO};  // replacing it is asked first
    EXPECT_FALSE(select(Cmd::unitLength));
    EXPECT_EQ(lastMessage().rfind("Une longueur unité existe déjà", 0), 0u);
}

TEST_F(ValueToolsTest, ArcAngleIsOfferedOnlyForArcsGivenByAnAngle) {
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
    EXPECT_NEAR(std::fabs(arc->angle), geo::kPi / 2, 1e-9) << "ends where the mouse clicked";

    // Cancelled, then empty, a typo and the unit length defined before the arc.
    ASSERT_TRUE(select(Cmd::modifyArcAngle));
    const int top = doc().history().top();
    click(241, 241);  // on the arc, halfway
    EXPECT_EQ(doc().history().top(), top);
    ASSERT_TRUE(select(Cmd::modifyArcAngle));
    dialogs.fieldAnswers = {{""}, {"2*"}, {"AB"}};
    click(241, 241);
    ASSERT_EQ(dialogs.titles.size(), 4u);
    EXPECT_EQ(message(1), "\nVous devez entrer\nune valeur");
    EXPECT_TRUE(arc->angleValue.isReference());
    EXPECT_EQ(doc().history().undoText(), "Modifier angle d'arc");
}

TEST_F(ValueToolsTest, CoordinatesNeedAFrameThenAPointInIt) {
    triangle();
    EXPECT_FALSE(select(Cmd::modifyCoordinates));
    EXPECT_EQ(lastMessage(), "Activation impossible:\nAucun repère n'a été créé");
    select(Cmd::frame);
    dialogs.fieldAnswers = {{"0", "0"}};
    clicks({{100, 300}, {300, 300}, {100, 100}});
    EXPECT_EQ(lastMessage(), "Le repère (A, B, C)\n a été créé");
    auto* frame = last<CRepere>();
    ASSERT_NE(frame, nullptr);
    EXPECT_FALSE(select(Cmd::modifyCoordinates));
    EXPECT_EQ(lastMessage(),
              "Activation impossible : aucun point défini par ses\ncoordonnées n'a été créé ou "
              "n'est visible");

    auto* p = add<CPointDansRepere>(nat::pointDansRepere, frame, CValeurAssocieeAVariable(0.5),
                                    CValeurAssocieeAVariable(0.5));
    unitLength();  // a value defined after the point

    ASSERT_TRUE(select(Cmd::modifyCoordinates));
    // The second field refuses a value defined after the point: neither coordinate changes.
    dialogs.fieldAnswers = {{"1", "AB"}, {"1", ""}, {"1", "0.25"}};
    click(200, 200);
    ASSERT_EQ(dialogs.titles.size(), 4u);  // the frame's, then three
    EXPECT_EQ(message(0), "\nVous devez entrer\nune valeur");
    EXPECT_EQ(message(1), "La valeur indiquée a été définie\naprès l'objet");
    EXPECT_NEAR(p->x, 3000, 1e-6) << "x = 1, y = 0.25 in (A, B, C)";
    EXPECT_NEAR(p->y, 2500, 1e-6);
    EXPECT_EQ(doc().history().undoText(), "Modifier coordonnées");
}

TEST_F(ValueToolsTest, BarycentreWeightsAreCheckedTogether) {
    triangle();
    EXPECT_FALSE(select(Cmd::modifyBarycentre));
    EXPECT_EQ(lastMessage(), "Activation impossible : Un barycentre doit être créé et visible");
    select(Cmd::barycentre);
    dialogs.fieldAnswers = {{"1"}, {"3"}};
    clicks({{100, 300}, {300, 300}});
    rightClick(300, 300);
    auto* b = last<CBarycentre>();
    ASSERT_NE(b, nullptr);
    EXPECT_NEAR(b->x, (1000 + 3 * 3000) / 4.0, 1e-9);
    EXPECT_EQ(doc().history().undoText(), "Créer barycentre");
    unitLength();

    ASSERT_TRUE(select(Cmd::modifyBarycentre));
    dialogs.titles.clear();
    dialogs.fieldAnswers = {{"1", ""}, {"1", "AB"}, {"2", "2"}};
    click(250, 300);
    ASSERT_EQ(dialogs.titles.size(), 3u);
    EXPECT_EQ(dialogs.titles[0], "Coefficients du barycentre " + b->getName());
    EXPECT_EQ(message(1), "\nVous devez entrer\nle coefficient");
    EXPECT_EQ(message(0), "La valeur indiquée a été définie\naprès l'objet");
    EXPECT_NEAR(b->x, 2000, 1e-6) << "equal weights";
    EXPECT_EQ(doc().history().undoText(), "Modifier barycentre");
}

struct AngleEntry {
    int unit;  // 0 radian, otherwise degree
    const char* typed;
    double radians;
};

class ArcAngleUnitTest : public ValueToolsTest, public ::testing::WithParamInterface<AngleEntry> {};

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
    EXPECT_NEAR(arc->angleValue.constant, GetParam().radians, 1e-12);
    evaluationState().angleUnit = saved;
}

INSTANTIATE_TEST_SUITE_P(Units, ArcAngleUnitTest,
                         ::testing::Values(AngleEntry{0, "pi/3", M_PI / 3},
                                           AngleEntry{1, "-90", -M_PI / 2}));
