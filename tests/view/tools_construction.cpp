// Tools driven by logical clicks: constructions, designation rules, validation refusals,
// intersections, preconditions, Escape and F10.
#include <QTest>

#include "geometry/CDroite.h"
#include "geometry/CIntersection.h"
#include "geometry/CPointLie.h"
#include "geometry/CPolygone.h"
#include "tools_fixture.h"
#include "view/CGestionSouris.h"
#include "view/COutilsConstruction.h"

namespace {
int countOf(const CListeAction& l, Nature n) {
    int k = 0;
    for (CActionAncetre* e : l.entries())
        if (e->nature & n) ++k;
    return k;
}
}  // namespace

TEST_F(ToolsTest, MidpointToolStaysCentroidToolEndsAfterUse) {
    freePoint(100, 300);
    freePoint(300, 300);
    freePoint(200, 100);
    ASSERT_TRUE(select(Cmd::midpoint));
    EXPECT_EQ(etatOutils().currentTool->prompt(0),
              "Milieu d'un segment: cliquez sur la première extrémité");
    // Midpoints of BC at (250, 200), CA at (150, 200) and AB at (200, 300).
    clicks({{300, 300}, {200, 100}, {200, 100}, {100, 300}, {100, 300}, {300, 300}});
    EXPECT_EQ(countOf(list(), nat::pointConstruit), 3);
    EXPECT_EQ(etatOutils().currentTool, toolOfCommand(Cmd::midpoint)) << "the midpoint tool stays";
    ASSERT_TRUE(select(Cmd::centroid));
    clicks({{100, 300}, {300, 300}, {200, 100}});
    EXPECT_EQ(etatOutils().currentTool, &captureTool()) << "the centroid tool ends after use";
}

TEST_F(ToolsTest, PointBeatsLineWithoutDialog) {
    line(100, 100, 300, 100);
    select(Cmd::midpoint);
    move(101, 100);
    EXPECT_EQ(etatOutils().mouseHandler->tooltipText, "ce point");
    click(101, 100);
    EXPECT_TRUE(dialogs.natureLists.empty());
    EXPECT_EQ(etatOutils().blinkList.elementAt(0), list().elementAt(1));
}

TEST_F(ToolsTest, LineAndCircleUnderTheMouseAskWhichInNatureOrderAndCancelDesignatesNothing) {
    line(100, 100, 300, 100);
    // Circle of radius 100 px, touching the line at (200, 100).
    twoPointsAnd(Cmd::circleCentrePoint, 200, 200, 300, 200);
    const int before = list().count();
    select(Cmd::linkedPoint);
    dialogs.natureAnswers = {-1, 1};
    click(200, 100);
    EXPECT_EQ(list().count(), before);
    move(200, 100);
    EXPECT_EQ(etatOutils().mouseHandler->tooltipText, "A préciser");
    click(200, 100);
    ASSERT_EQ(dialogs.natureLists.size(), 2u);
    EXPECT_EQ(dialogs.natureLists[1], (std::vector<std::string>{"Droite", "Cercle "}));
    EXPECT_NE(last<CPointLieCercle>(), nullptr) << "the circle was chosen";
}

TEST_F(ToolsTest, TwoPointsAtOnePlaceAskFirstOrLastAndLastIsTheLaterOne) {
    freePoint(100, 100);
    freePoint(300, 300);
    auto* p1 = freePoint(150, 150);
    auto* p2 = add<CPointBase>(nat::pointLibre, 1500, 1500);
    select(Cmd::lineTwoPoints);
    dialogs.firstOrLastAnswers = {1};
    click(150, 150);
    ASSERT_EQ(dialogs.firstOrLastCalls, 1);
    EXPECT_EQ(etatOutils().blinkList.elementAt(0), p2);
    select(Cmd::lineTwoPoints);
    dialogs.firstOrLastAnswers = {0};
    click(150, 150);
    EXPECT_EQ(etatOutils().blinkList.elementAt(0), p1);
}

TEST_F(ToolsTest, FortyTenthsIsNotAHitThirtyNineIs) {
    auto p = std::make_unique<CPointBase>(1000, 1000);
    CListeAction l(true);
    l.append(new CAction(nat::pointLibre, std::move(p)));
    l.computeAll();
    CListeAction none(false);
    CCandidats c;
    EXPECT_EQ(queryDesignation(l, nat::point, 1040, 1000, none, true, c), 0);
    EXPECT_EQ(queryDesignation(l, nat::point, 1039, 1000, none, true, c), 1);
    dynamic_cast<CElementGraphique*>(l.elementAt(0))->masked = true;
    EXPECT_EQ(queryDesignation(l, nat::point, 1000, 1000, none, true, c), 0) << "masked";
    EXPECT_EQ(
        queryDesignation(l, nat::point, 1000, 1000, none, true, c, DesignationMode::maskedOnly), 1);
}

TEST_F(ToolsTest, DesignatedObjectIsNeverDesignatedAgainAndASameLineIsRefused) {
    line(100, 100, 300, 100);
    const int before = list().count();
    const int undoTop = doc().history().top();
    clicks({{300, 100}, {300, 100}});
    EXPECT_EQ(list().count(), before);
    EXPECT_EQ(etatOutils().blinkList.count(), 1);
    click(100, 100);
    EXPECT_EQ(list().count(), before);
    EXPECT_EQ(lastMessage(), "\n\nUn même objet a déjà été créé");
    EXPECT_EQ(doc().history().top(), undoTop);
}

TEST_F(ToolsTest, UndefinedObjectAsksAndNoRemovesIt) {
    auto* a = freePoint(100, 100);
    auto* b = freePoint(300, 100);
    b->setPosition(a->x, a->y);  // the line through them does not exist
    b->computePosition();
    select(Cmd::lineTwoPoints);
    dialogs.firstOrLastAnswers = {0};
    click(100, 100);
    dialogs.firstOrLastAnswers = {0};
    const int before = list().count();
    host.answers = {IDNO};
    click(100, 100);
    EXPECT_EQ(lastMessage(),
              "L'objet que vous voulez créer\nn'est pas défini pour l'instant.\nConfirmez-vous "
              "sa création");
    EXPECT_EQ(list().count(), before);
}

TEST_F(ToolsTest, PointOutsideTheWindowAsksForConfirmation) {
    freePoint(100, 100);
    freePoint(600, 100);
    add<CPointBase>(nat::pointLibre, 20000, 1000);
    ASSERT_TRUE(select(Cmd::midpoint));
    COutil* tool = toolOfCommand(Cmd::midpoint);
    etatOutils().designatedObject = list().entryAt(1);
    tool->designate(v());
    etatOutils().designatedObject = list().entryAt(list().count() - 1);
    host.answers = {IDNO};
    const int before = list().count();
    tool->designate(v());
    EXPECT_EQ(lastMessage(),
              "Un point que vous voulez\ncréer est en dehors\nde la fenetre. "
              "Confirmez-vous\nsa création");
    EXPECT_EQ(list().count(), before);
}

TEST_F(ToolsTest, SecondIntersectionOfALineAndACircleNeedsTheFirst) {
    line(100, 200, 500, 200);
    twoPointsAnd(Cmd::circleCentrePoint, 300, 250, 300, 350);  // meets the line twice
    // The second point needs the first.
    ASSERT_TRUE(select(Cmd::secondIntersectionLineCircle));
    clicks({{150, 200}, {300, 150}});
    EXPECT_EQ(lastMessage(), "\nLes deux objets cliqués\nne sont pas sécants");
    select(Cmd::intersection);
    dialogs.natureAnswers = {0, 0};
    clicks({{150, 200}, {300, 150}});
    ASSERT_NE(last<CPointLieBipoint>(), nullptr);
    // With the first point alone, the second-point tool builds the other and ends after use.
    doc().deleteWithDependents(list().elementAt(list().count() - 1));
    ASSERT_TRUE(select(Cmd::secondIntersectionLineCircle));
    clicks({{150, 200}, {300, 150}});
    EXPECT_NE(last<CAutrePointIntersectionDroiteCercle>(), nullptr);
    EXPECT_EQ(etatOutils().currentTool, &captureTool());
}

struct Unavailable {
    int command;
    int points;
    const char* message;
};

class ToolsUnavailable : public ToolsTest, public ::testing::WithParamInterface<Unavailable> {};

TEST_P(ToolsUnavailable, ShowsActivationImpossibleAndKeepsTheTool) {
    const Unavailable& u = GetParam();
    for (int i = 0; i < u.points; ++i) freePoint(100 + 50 * i, 100 + 30 * i);
    revenirCapture(v());
    EXPECT_FALSE(select(u.command));
    EXPECT_EQ(lastMessage(), u.message);
    EXPECT_EQ(etatOutils().currentTool, &captureTool());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Preconditions, ToolsUnavailable, ::testing::Values(
    Unavailable{Cmd::lineTwoPoints, 1, "Activation impossible : Deux points doivent être créés et visibles"},
    Unavailable{Cmd::centroid, 2, "Activation impossible : Trois points doivent être créés et visibles"},
    Unavailable{Cmd::parallel, 3, "Activation impossible : Un point et un objet de type droite\ndoivent être créés et visibles"},
    Unavailable{Cmd::intersection, 3, "Activation impossible : Au moins deux ojets de type droite, demi-droite, segment\ncercle ou arc de cercle doivent être créés et visibles"},
    Unavailable{Cmd::erase, 0, "Activation impossible : aucun objet graphique\nn'a été créé ou n'est visible"},
    Unavailable{Cmd::unpinPoint, 2, "Activation impossible : aucun point mobile n'a été\npunaisé ou alors il est masqué"}));
// clang-format on

TEST_F(ToolsTest, EscapeDropsTheConstructionAndF10SelectsItAgain) {
    freePoint(100, 100);
    freePoint(300, 100);
    ASSERT_TRUE(select(Cmd::lineTwoPoints));
    click(100, 100);
    move(200, 200);
    EXPECT_EQ(etatOutils().previewList.count(), 1) << "the line follows the mouse";
    QTest::keyClick(v(), Qt::Key_Escape);
    EXPECT_EQ(etatOutils().currentTool, &captureTool());
    EXPECT_TRUE(etatOutils().previewList.empty());
    EXPECT_FALSE(v()->isBlinking());
    ASSERT_TRUE(repeatLastCommand(v()));
    EXPECT_TRUE(isToolCommandChecked(Cmd::lineTwoPoints));
}

TEST_F(ToolsTest, RestrictedMenusDisableTheCommand) {
    freePoint(100, 100);
    freePoint(300, 100);
    doc().allowedMenus.add(Cmd::lineTwoPoints);
    EXPECT_FALSE(isToolCommandEnabled(Cmd::lineTwoPoints, v()));
    EXPECT_FALSE(select(Cmd::lineTwoPoints));
    EXPECT_TRUE(isToolCommandEnabled(Cmd::segment, v()));
    doc().allowedMenus.idsAreDisabled = false;
    EXPECT_FALSE(isToolCommandEnabled(Cmd::segment, v()));
}

TEST_F(ToolsTest, PolygonNeedsThreeVerticesAndRightClickBuildsIt) {
    freePoint(100, 100);
    freePoint(300, 100);
    freePoint(200, 300);
    ASSERT_TRUE(select(Cmd::polygon));
    clicks({{100, 100}, {300, 100}});
    rightClick(0, 0);
    EXPECT_EQ(lastMessage(), "Un polygone ou une ligne brisée doit avoir\nau moins 3 sommets");
    EXPECT_EQ(countOf(list(), nat::polygone), 0);
    clicks({{100, 100}, {300, 100}, {200, 300}});
    rightClick(0, 0);
    auto* poly = last<CPolygone>();
    ASSERT_NE(poly, nullptr);
    EXPECT_EQ(poly->vertex(3), poly->vertex(0)) << "the first vertex closes the list";
}

TEST_F(ToolsTest, ParallelThroughAPointFollowsTheMouseThenIsBuilt) {
    line(100, 100, 300, 100);
    freePoint(200, 300);
    ASSERT_TRUE(select(Cmd::parallel));
    click(200, 100);
    move(250, 250);
    ASSERT_EQ(etatOutils().previewList.count(), 1);
    auto* preview = dynamic_cast<CDroite*>(etatOutils().previewList.elementAt(0));
    EXPECT_NEAR(preview->p0y, 2500, 1e-9);
    click(200, 300);
    auto* par = last<CDroiteParallele>();
    ASSERT_NE(par, nullptr);
    EXPECT_NEAR(par->p0y, 3000, 1e-9);
}

struct Built {
    int command;
    int clicks;  // on A (100, 300), B (300, 300), C (200, 100) in that order
    Nature nature;
    const char* undo;
};

class ToolsBuild : public ToolsTest, public ::testing::WithParamInterface<Built> {};

TEST_P(ToolsBuild, ClicksOnPointsBuildTheObjectOfTheTool) {
    freePoint(100, 300);
    freePoint(300, 300);
    freePoint(200, 100);
    const Built& b = GetParam();
    const int before = list().count();
    ASSERT_TRUE(select(b.command));
    const int xs[] = {100, 300, 200}, ys[] = {300, 300, 100};
    for (int i = 0; i < b.clicks; ++i) click(xs[i], ys[i]);
    ASSERT_EQ(list().count(), before + 1) << lastMessage();
    EXPECT_EQ(list().entryAt(list().count() - 1)->nature, b.nature);
    EXPECT_TRUE(list().elementAt(list().count() - 1)->exists);
    EXPECT_EQ(doc().history().undoText(), b.undo);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ToolsBuild,
    ::testing::Values(
        Built{Cmd::lineTwoPoints, 2, nat::droite, "Créer droite par deux points"},
        Built{Cmd::segment, 2, nat::segment, "Créer segment"},
        Built{Cmd::halfLine, 2, nat::demiDroite, "Créer demi-droite"},
        Built{Cmd::vector, 2, nat::vecteur, "Créer vecteur"},
        Built{Cmd::perpBisector, 2, nat::droite, "Créer médiatrice"},
        Built{Cmd::circleCentrePoint, 2, nat::cercle, "Créer cercle par centre et point"},
        Built{Cmd::midpoint, 2, nat::pointConstruit, "Créer milieu"},
        Built{Cmd::horizontalLine, 1, nat::droite, "Créer droite horizontale"},
        Built{Cmd::verticalLine, 1, nat::droite, "Créer droite verticale"},
        Built{Cmd::angleBisector, 3, nat::droite, "Créer bissectrice"},
        Built{Cmd::angleMark, 3, nat::marqueAngle, "Créer marque d'angle géométrique"},
        Built{Cmd::orientedAngleMark, 3, nat::marqueAngle, "Créer marque d'angle orienté"},
        Built{Cmd::centroid, 3, nat::pointConstruit, "Créer centre de gravité"},
        Built{Cmd::smallArcByEnd, 3, nat::arc, "Créer petit arc de cercle"},
        Built{Cmd::largeArc, 3, nat::arc, "Créer grand arc de cercle"},
        Built{Cmd::directArcByEnd, 3, nat::arc, "Créer arc de cercle direct"}));

TEST_F(ToolsTest, TranslationMovesTheFreePointsWhileTheButtonIsHeld) {
    auto* a = freePoint(100, 100);
    ASSERT_TRUE(select(Cmd::translateFigure));
    CGestionSouris* h = etatOutils().mouseHandler;
    h->onLButtonDown(v(), 200, 200);
    h->onMouseMove(v(), 210, 230);
    h->onLButtonUp(v(), 210, 230);
    EXPECT_DOUBLE_EQ(a->x, 1100);
    EXPECT_DOUBLE_EQ(a->y, 1300);
    h->onMouseMove(v(), 400, 400);
    EXPECT_DOUBLE_EQ(a->x, 1100) << "released: the figure stays";
}
