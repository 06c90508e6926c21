// Images by transformations: each transformation's point, vector, length and angle images, the
// undefined cases (an undefined angle or ratio, the inversion's centre, a missing unit length),
// the image objects built on them and their texts.
#include <gtest/gtest.h>

#include <cmath>

#include "GeoFigure.h"
#include "calc/EvaluationState.h"
#include "core/CPalette.h"
#include "geometry/CTransformation.h"
#include "measures/CMesure.h"
#include "values/CVariable.h"

namespace {
constexpr double kPi = 3.14159265358979323846;

class Geo2Transformations : public GeoTest {
protected:
    void SetUp() override {
        GeoTest::SetUp();
        evaluationState().angleUnit = 0;
    }
    GeoFigure fig;
};

CValeurAssocieeAVariable number(double v) {
    return CValeurAssocieeAVariable(v);
}

TEST_F(Geo2Transformations, HomothetyOfRatioMinusTwo) {
    CPointBase* o = fig.point(0, 0, "O");
    auto* h = fig.make<CHomothetie>(nat::transformation, o, number(-2));
    CPointBase* p = fig.point(10, 0, "P");
    auto* img = fig.make<CPointImage>(nat::pointConstruit, p, h);
    EXPECT_TRUE(img->exists);
    EXPECT_DOUBLE_EQ(img->x, -20);
    EXPECT_DOUBLE_EQ(img->y, 0);
    double len;
    h->imageOfLength(5, &len);
    EXPECT_DOUBLE_EQ(len, 10);
    double v[2];
    h->imageOfVector(1, 3, v);
    EXPECT_DOUBLE_EQ(v[0], -2);
    EXPECT_DOUBLE_EQ(v[1], -6);
    double a;
    h->imageOfAngle(0.7, &a);
    EXPECT_DOUBLE_EQ(a, 0.7);
}

TEST_F(Geo2Transformations, CircleImageTakesTheAbsoluteRatio) {
    CPointBase* o = fig.point(0, 0, "O");
    CPointBase* c = fig.point(100, 100, "C");
    CPointBase* on = fig.point(105, 100, "D");
    auto* circle = fig.make<CCercleOA>(nat::cercle, c, on);
    auto* h = fig.make<CHomothetie>(nat::transformation, o, number(-2));
    auto* img = fig.make<CCercleImage>(nat::cercle, circle, h);
    ASSERT_TRUE(img->exists);
    EXPECT_DOUBLE_EQ(img->radius, 10);
    EXPECT_DOUBLE_EQ(img->centreX, -200);
    EXPECT_DOUBLE_EQ(img->centreY, -200);
}

TEST_F(Geo2Transformations, CentralSymmetry) {
    CPointBase* o = fig.point(3, 4, "O");
    auto* s = fig.make<CSymetrieCentrale>(nat::transformation, o);
    CPointBase* p = fig.point(10, -7, "P");
    auto* img = fig.make<CPointImage>(nat::pointConstruit, p, s);
    EXPECT_DOUBLE_EQ(img->x, 6 - 10);
    EXPECT_DOUBLE_EQ(img->y, 8 + 7);
    double v[2];
    s->imageOfVector(2, -5, v);
    EXPECT_DOUBLE_EQ(v[0], -2);
    EXPECT_DOUBLE_EQ(v[1], 5);
}

TEST_F(Geo2Transformations, RotationTurnsCounterClockwiseOnScreen) {
    CPointBase* o = fig.point(100, 100, "O");
    auto* r = fig.make<CRotation>(nat::transformation, o, CValeurAngle(kPi / 2));
    CPointBase* p = fig.point(110, 100, "P");
    auto* img = fig.make<CPointImage>(nat::pointConstruit, p, r);
    // A quarter turn counter-clockwise on screen goes up: y decreases.
    EXPECT_NEAR(img->x, 100, 1e-9);
    EXPECT_NEAR(img->y, 90, 1e-9);
}

TEST_F(Geo2Transformations, RotationWithUndefinedAngleHasNoImages) {
    auto* undefinedValue = fig.make<CVariable>(nat::variable, "t");
    CPointBase* o = fig.point(100, 100, "O");
    auto* r = fig.make<CRotation>(nat::transformation, o, CValeurAngle(undefinedValue));
    CPointBase* p = fig.point(110, 100, "P");
    auto* img = fig.make<CPointImage>(nat::pointConstruit, p, r);
    undefinedValue->exists = false;
    r->computePosition();
    img->computePosition();
    EXPECT_FALSE(r->exists);
    EXPECT_FALSE(img->exists);
}

TEST_F(Geo2Transformations, SimilitudeTurnsAndScales) {
    CPointBase* o = fig.point(0, 0, "O");
    auto* s = fig.make<CSimilitude>(nat::transformation, o, CValeurAngle(kPi / 2), number(3));
    double x, y, len;
    s->imageOfPoint(10, 0, &x, &y);
    EXPECT_NEAR(x, 0, 1e-9);
    EXPECT_NEAR(y, -30, 1e-9);
    s->imageOfLength(2, &len);
    EXPECT_DOUBLE_EQ(len, 6);
    EXPECT_EQ(s->getKindText(), "similitude  directe\r\nd'angle 1.570796326795 et de rapport 3");
}

TEST_F(Geo2Transformations, AxialSymmetryKeepsTheAxisAndReversesAngles) {
    CPointBase* a = fig.point(0, 0, "A");
    CPointBase* b = fig.point(100, 100, "B");
    auto* d = fig.make<CDroiteAB>(nat::droite, a, b);
    auto* s = fig.make<CSymetrieAxiale>(nat::transformation, d);
    double x, y;
    s->imageOfPoint(50, 50, &x, &y);
    EXPECT_NEAR(x, 50, 1e-9);
    EXPECT_NEAR(y, 50, 1e-9);
    s->imageOfPoint(30, 0, &x, &y);
    EXPECT_NEAR(x, 0, 1e-9);
    EXPECT_NEAR(y, 30, 1e-9);
    double ang;
    s->imageOfAngle(0.5, &ang);
    EXPECT_DOUBLE_EQ(ang, -0.5);
    double len;
    s->imageOfLength(7, &len);
    EXPECT_DOUBLE_EQ(len, 7);
}

TEST_F(Geo2Transformations, AxialSymmetryInAHorizontalAxis) {
    CPointBase* a = fig.point(0, 50, "A");
    CPointBase* b = fig.point(100, 50, "B");
    auto* d = fig.make<CDroiteAB>(nat::droite, a, b);
    auto* s = fig.make<CSymetrieAxiale>(nat::transformation, d);
    CPointBase* p = fig.point(20, 80, "P");
    auto* img = fig.make<CPointImage>(nat::pointConstruit, p, s);
    EXPECT_NEAR(img->x, 20, 1e-9);
    EXPECT_NEAR(img->y, 20, 1e-9);
}

TEST_F(Geo2Transformations, TranslationAndItsIllustration) {
    CPointBase* a = fig.point(10, 10, "A");
    CPointBase* b = fig.point(40, 50, "B");
    auto* t = fig.make<CTranslation>(nat::transformation, a, b);
    CPointBase* p = fig.point(100, 100, "P");
    auto* img = fig.make<CPointImage>(nat::pointConstruit, p, t);
    EXPECT_DOUBLE_EQ(img->x, 130);
    EXPECT_DOUBLE_EQ(img->y, 140);
    std::unique_ptr<CAction> ill = img->createIllustration();
    ASSERT_TRUE(ill);
    EXPECT_EQ(ill->nature, nat::vecteur);
    auto* v = dynamic_cast<CVecteur*>(ill->element);
    ASSERT_TRUE(v);
    EXPECT_EQ(v->A, a);
    EXPECT_EQ(v->B, b);
    EXPECT_TRUE(v->exists);
    EXPECT_EQ(t->getDisplayName(), "la translation de vecteur AB");
    // Other transformations illustrate nothing.
    CPointBase* o = fig.point(0, 0, "O");
    auto* sym = fig.make<CSymetrieCentrale>(nat::transformation, o);
    auto* img2 = fig.make<CPointImage>(nat::pointConstruit, p, sym);
    EXPECT_FALSE(img2->createIllustration());
    EXPECT_FALSE(sym->createIllustration());
}

class Geo2Inversion : public Geo2Transformations {
protected:
    void SetUp() override {
        Geo2Transformations::SetUp();
        u1 = fig.point(0, 0, "U");
        u2 = fig.point(50, 0, "V");
        unit = fig.make<CLongueur>(nat::mesure, &fig.list, u1, u2);
        fig.list.unitLength = unit;
        o = fig.point(200, 200, "O");
        inv = fig.make<CInversion>(nat::transformation, o, number(4), &fig.list);
        fig.computeAll();
    }
    CPointBase *u1 = nullptr, *u2 = nullptr, *o = nullptr;
    CLongueur* unit = nullptr;
    CInversion* inv = nullptr;
};

TEST_F(Geo2Inversion, PointAtOneUnitGoesToKUnitsOnTheSameRay) {
    CPointBase* p = fig.point(200, 150, "P");
    auto* img = fig.make<CPointImage>(nat::pointConstruit, p, inv);
    ASSERT_TRUE(img->exists);
    EXPECT_NEAR(img->x, 200, 1e-9);
    EXPECT_NEAR(img->y, 0, 1e-9);
    // Two units away: k / 2 units.
    p->x = 300;
    p->y = 200;
    img->computePosition();
    EXPECT_NEAR(img->x, 300, 1e-9);
}

TEST_F(Geo2Inversion, CentreHasNoImage) {
    CPointBase* p = fig.point(200, 200, "P");
    auto* img = fig.make<CPointImage>(nat::pointConstruit, p, inv);
    EXPECT_FALSE(inv->isDefinedFor(p));
    EXPECT_FALSE(img->exists);
    p->x = 200.5;
    img->computePosition();
    EXPECT_TRUE(img->exists);
}

TEST_F(Geo2Inversion, NeedsANonZeroUnitLength) {
    EXPECT_TRUE(inv->exists);
    u2->x = 0;
    fig.computeAll();
    EXPECT_FALSE(inv->exists);
    fig.list.unitLength = nullptr;
    u2->x = 50;
    fig.computeAll();
    EXPECT_FALSE(inv->exists);
    EXPECT_TRUE(inv->dependsOn(o));
}

TEST_F(Geo2Transformations, LineAndHalfLineImages) {
    CPointBase* o = fig.point(0, 0, "O");
    auto* t = fig.make<CSymetrieCentrale>(nat::transformation, o);
    CPointBase* a = fig.point(100, 100, "A");
    CPointBase* b = fig.point(200, 100, "B");
    auto* line = fig.make<CDroiteAB>(nat::droite, a, b);
    auto* li = fig.make<CDroiteImage>(nat::droite, line, t);
    ASSERT_TRUE(li->exists);
    EXPECT_DOUBLE_EQ(li->p0y, -100);
    auto* half = fig.make<CDemiDroiteOA>(nat::demiDroite, a, b);
    auto* hi = fig.make<CDemiDroiteImage>(nat::demiDroite, half, t);
    ASSERT_TRUE(hi->exists);
    EXPECT_DOUBLE_EQ(hi->x1, -100);
    EXPECT_LT(hi->wx, 0);
    // The image goes when the antecedent goes.
    b->x = 100;
    fig.computeAll();
    EXPECT_FALSE(line->exists);
    EXPECT_FALSE(li->exists);
}

TEST_F(Geo2Transformations, ImagesAnswerTheirTransformation) {
    CPointBase* o = fig.point(0, 0, "O");
    auto* t = fig.make<CSymetrieCentrale>(nat::transformation, o);
    auto* other = fig.make<CSymetrieCentrale>(nat::transformation, o);
    CPointBase* p = fig.point(10, 10, "P");
    auto* img = fig.make<CPointImage>(nat::pointConstruit, p, t);
    EXPECT_TRUE(img->usesTransformation(t));
    EXPECT_FALSE(img->usesTransformation(other));
    EXPECT_EQ(img->getTransformation(), t);
    EXPECT_TRUE(fig.list.isTransformationUsed(t));
    EXPECT_TRUE(t->coincidesWith(other));
}

TEST_F(Geo2Transformations, KindTextsAndDescriptions) {
    CPointBase* o = fig.point(0, 0, "O");
    CPointBase* p = fig.point(10, 10, "P");
    auto* h = fig.make<CHomothetie>(nat::transformation, o, number(2));
    auto* img = fig.make<CPointImage>(nat::pointConstruit, p, h);
    img->setName("Q");
    CElementBase *a = nullptr, *b = nullptr;
    EXPECT_EQ(img->getConstructionInfo(&a, &b, nullptr),
              "Point image par une homothétie de rapport 2");
    EXPECT_EQ(a, p);
    EXPECT_EQ(b, h);
    EXPECT_EQ(
        img->getDescription(),
        "Point Q : Point image du point P\n      par l'homothétie de centre O et de rapport 2");
    EXPECT_EQ(CSymetrieCentrale(o).getDisplayName(), "la symétrie centrale de centre O");
    EXPECT_EQ(CRotation(o, CValeurAngle(1.0)).getKindText(), "rotation d'angle 1");
    CInversion inv(o, number(3), &fig.list);
    EXPECT_EQ(inv.getKindText(), "Inversion de rapport 3");
    EXPECT_EQ(inv.getDisplayName(), " l'inversion de centre O et de rapport 3");
}

TEST_F(Geo2Transformations, ArcImageByAxialSymmetryReversesTheArc) {
    CPointBase* o = fig.point(100, 100, "O");
    CPointBase* a = fig.point(150, 100, "A");
    auto* arc = fig.make<CArcDeCercle>(nat::arc, o, a, CValeurAngle(kPi / 2));
    ASSERT_TRUE(arc->exists);
    CPointBase* p = fig.point(0, 100, "P");
    auto* axis = fig.make<CDroiteAB>(nat::droite, o, p);  // horizontal through O
    auto* s = fig.make<CSymetrieAxiale>(nat::transformation, axis);
    auto* img = fig.make<CArcDeCercleImage>(nat::arc, arc, s);
    ASSERT_TRUE(img->exists);
    EXPECT_NEAR(img->angle, -kPi / 2, 1e-12);
    EXPECT_NEAR(img->radius, 50, 1e-12);
    EXPECT_EQ(img->getArcKind(), 1);
    // The antecedent goes up from A, the image goes down.
    EXPECT_TRUE(arc->containsCirclePoint(100, 50));
    EXPECT_FALSE(img->containsCirclePoint(100, 50));
    EXPECT_TRUE(img->containsCirclePoint(100, 150));
    EXPECT_EQ(img->designationDistance(100, 153, true), 3);
    EXPECT_EQ(img->designationDistance(100, 47, true), kNotDesignable);
    img->setColour(6);
    CRecordingDC dc;
    img->draw(&dc, true);
    ASSERT_EQ(dc.opsOfKind("arc").size(), 1u);
    EXPECT_EQ(dc.opsOfKind("arc")[0].pen.colour, CPalette::colour(6));
    EXPECT_EQ(img->getConstructionInfo(nullptr, nullptr, nullptr),
              "Arc de cercle image par  symétrie axiale");
}

TEST_F(Geo2Transformations, ArcImagesKeepTheKindOfArc) {
    CPointBase* o = fig.point(100, 100, "O");
    CPointBase* a = fig.point(150, 100, "A");
    CPointBase* b = fig.point(100, 150, "B");
    CPointBase* u = fig.point(20, 30, "U");
    CPointBase* v = fig.point(60, 10, "V");
    auto* t = fig.make<CTranslation>(nat::transformation, u, v);
    std::vector<CArcDeCercleAncetre*> arcs = {fig.make<CArcDeCercle>(nat::arc, o, a, b),
                                              fig.make<CGrandArcDeCercle>(nat::arc, o, a, b),
                                              fig.make<CArcDeCercleDirect>(nat::arc, o, a, b),
                                              fig.make<CArcDeCercleIndirect>(nat::arc, o, a, b)};
    for (CArcDeCercleAncetre* arc : arcs) {
        auto* img = fig.make<CArcDeCercleImage>(nat::arc, arc, t);
        ASSERT_TRUE(img->exists) << arc->getArcKind();
        EXPECT_EQ(img->getArcKind(), arc->getArcKind());
        EXPECT_NEAR(img->centreX, 140, 1e-9);
        EXPECT_NEAR(img->centreY, 80, 1e-9);
        EXPECT_NEAR(img->startAngle, arc->startAngle, 1e-9);
        EXPECT_NEAR(img->endAngle, arc->endAngle, 1e-9);
        // A translated point of the antecedent belongs to the image exactly when it belonged.
        for (double th = 0.1; th < 6.2; th += 0.5) {
            const double x = 100 + 50 * std::cos(th), y = 100 - 50 * std::sin(th);
            EXPECT_EQ(img->containsCirclePoint(x + 40, y - 20), arc->containsCirclePoint(x, y))
                << arc->getArcKind() << " " << th;
        }
        EXPECT_TRUE(img->createIllustration());
    }
    // The antecedent gone, the image goes.
    b->x = 100;
    b->y = 100;
    o->x = 100;
    fig.list.computeAll();
    EXPECT_FALSE(arcs[0]->exists);
    EXPECT_FALSE(fig.list.elementAt(fig.list.count() - 4)->exists);
}
TEST_F(Geo2Transformations, RatioTextsAreParsedAgain) {
    CPointBase* o = fig.point(0, 0, "O");
    CValeurAssocieeAVariable typed;
    typed.setNumberWithText(0, "2*3");
    auto* h = fig.make<CHomothetie>(nat::transformation, o, typed);
    h->rebuildFromText(&fig.list);
    EXPECT_DOUBLE_EQ(h->k.getValue(), 6);
    auto* s = fig.make<CSimilitude>(nat::transformation, o, CValeurAngle(0.0), typed);
    s->rebuildFromText(&fig.list);
    EXPECT_DOUBLE_EQ(s->k.getValue(), 6);
}
}  // namespace
