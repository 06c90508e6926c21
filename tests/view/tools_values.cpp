// Tools with typed values: unit length, circle by centre and radius, frame, barycentre, point
// by abscissa and arcs by angle.
#include <cmath>

#include "geometry/CCercle.h"
#include "geometry/CRepere.h"
#include "measures/CMesure.h"
#include "tools_fixture.h"

class ValueToolsTest : public ToolsTest {
protected:
    void triangle() {
        freePoint(100, 300);  // A
        freePoint(300, 300);  // B
        freePoint(200, 100);  // C
    }
};

TEST_F(ValueToolsTest, CircleByRadiusNeedsAUnitLengthThenAPositiveRadius) {
    triangle();
    EXPECT_FALSE(select(Cmd::circleCentreRadius));
    EXPECT_EQ(lastMessage(), "Activation impossible:\nVous n'avez pas défini\nde longueur unité");

    ASSERT_TRUE(select(Cmd::unitLength));
    clicks({{100, 300}, {300, 300}});
    EXPECT_EQ(lastMessage(), " La longueur AB a été\n choisie comme longueur unité");
    ASSERT_NE(list().unitLength, nullptr);
    EXPECT_EQ(etatOutils().currentTool, &captureTool());

    ASSERT_TRUE(select(Cmd::circleCentreRadius));
    dialogs.fieldAnswers = {{""}, {"-2"}, {"0,5"}, {"1/2"}};
    click(200, 100);
    ASSERT_GE(host.messages.size(), 4u);
    EXPECT_EQ(host.messages[host.messages.size() - 3].text, "\nVous devez entrer\nune valeur");
    EXPECT_EQ(host.messages[host.messages.size() - 2].text,
              "\nCréation impossible : le rayon\ndoit être positif");
    EXPECT_EQ(lastMessage(), "\n\nErreur de syntaxe") << "the comma is not a decimal point";
    auto* c = last<CCercleOR>();
    ASSERT_NE(c, nullptr);
    EXPECT_NEAR(c->radius, 1000, 1e-6) << "half the unit length AB of 200 px";
}

TEST_F(ValueToolsTest, UnitLengthIsCreatedWithoutAskingAboutAnUndefinedObject) {
    triangle();
    for (int pass = 0; pass < 2; ++pass) {  // a first unit length, then its replacement
        host.messages.clear();
        host.answers = {IDYES};
        ASSERT_TRUE(select(Cmd::unitLength));
        clicks({{100, 300}, {200, 100}});
        for (const auto& m : host.messages)
            EXPECT_EQ(m.text.find("n'est pas défini"), std::string::npos) << pass;
        EXPECT_EQ(lastMessage(), " La longueur AC a été\n choisie comme longueur unité");
        auto* unit = last<CLongueur>();
        ASSERT_NE(unit, nullptr);
        EXPECT_EQ(list().unitLength, unit);
        EXPECT_TRUE(unit->exists);
        EXPECT_EQ(unit->value, 1);
    }
    host.answers = {IDNO};  // replacing it is asked first
    EXPECT_FALSE(select(Cmd::unitLength));
    EXPECT_EQ(lastMessage().rfind("Une longueur unité existe déjà", 0), 0u);
}

TEST_F(ValueToolsTest, FrameIsConfirmedWithItsPointNames) {
    triangle();
    ASSERT_TRUE(select(Cmd::frame));
    dialogs.fieldAnswers = {{"0", "0"}};
    clicks({{100, 300}, {300, 300}, {200, 100}});
    EXPECT_EQ(lastMessage(), "Le repère (A, B, C)\n a été créé");
    ASSERT_NE(last<CRepere>(), nullptr);
    EXPECT_EQ(doc().history().undoText(), "Créer repère");
}

TEST_F(ValueToolsTest, BarycentreWeightsEachClickAndRightClickBuilds) {
    triangle();
    ASSERT_TRUE(select(Cmd::barycentre));
    dialogs.fieldAnswers = {{"1"}, {"3"}};
    clicks({{100, 300}, {300, 300}});
    rightClick(0, 0);
    auto* g = last<CBarycentre>();
    ASSERT_NE(g, nullptr);
    EXPECT_NEAR(g->x, (1000 + 3 * 3000) / 4.0, 1e-9);
    EXPECT_EQ(doc().history().undoText(), "Créer barycentre");
}

TEST_F(ValueToolsTest, SmallArcByAngleEndsWhereTheMouseClicks) {
    triangle();
    ASSERT_TRUE(select(Cmd::smallArc));
    click(200, 300);  // no point there: nothing designated
    click(100, 300);  // centre A
    click(300, 300);  // origin B
    move(100, 200);
    EXPECT_EQ(etatOutils().previewList.count(), 1);
    click(100, 200);
    auto* arc = last<CArcDeCercle>();
    ASSERT_NE(arc, nullptr);
    EXPECT_NEAR(std::fabs(arc->angle), geo::kPi / 2, 1e-9);
    EXPECT_EQ(etatOutils().currentTool, toolOfCommand(Cmd::smallArc));
}

TEST_F(ValueToolsTest, RadiusModificationBlinksTheCirclesAndChangesTheClickedOne) {
    triangle();
    EXPECT_FALSE(select(Cmd::modifyRadius));
    EXPECT_EQ(lastMessage(),
              "Activation impossible : aucun cercle défini par\nson rayon n'a été créé ou n'est "
              "visible");
    select(Cmd::unitLength);
    clicks({{100, 300}, {300, 300}});
    select(Cmd::circleCentreRadius);
    dialogs.fieldAnswers = {{"1"}};
    click(200, 100);
    auto* c = last<CCercleOR>();
    ASSERT_NE(c, nullptr);
    ASSERT_TRUE(select(Cmd::modifyRadius));
    EXPECT_EQ(etatOutils().blinkList.count(), 1);
    dialogs.fieldAnswers = {{"0"}, {"0.5"}};
    click(200, 300);  // on the circle of radius 200 px centred at C
    EXPECT_EQ(lastMessage(), "\nCréation impossible : le rayon\ndoit être positif");
    EXPECT_NEAR(c->radius, 1000, 1e-6);
    EXPECT_EQ(doc().history().undoText(), "Modifier rayon cercle");
    EXPECT_EQ(etatOutils().currentTool, &captureTool());
}
