// Images by transformations: lengths, vectors and angles, the undefined cases (an undefined
// angle, the inversion's centre, a missing unit length), the image objects built on them and
// their texts. Point images of each tool are checked in tests/view.
#include <gtest/gtest.h>

#include <cmath>

#include "GeoFigure.h"
#include "calc/EvaluationState.h"
#include "geometry/CTransformation.h"
#include "measures/CMesure.h"
#include "values/CVariable.h"

namespace {
constexpr double kPi = 3.14159265358979323846;

class Geo2Transformations : public GeoFigureTest {
protected:
    void SetUp() override {
        GeoFigureTest::SetUp();
        evaluationState().angleUnit = 0;
        o = f.point(0, 0, "O");
    }
    CPointBase* o = nullptr;
};

CValeurAssocieeAVariable number(double v) {
    return CValeurAssocieeAVariable(v);
}

TEST_F(Geo2Transformations, NegativeRatioScalesLengthsByItsAbsoluteValue) {
    auto* h = f.make<CHomothetie>(nat::transformation, o, number(-2));
    double len, v[2], a;
    h->imageOfLength(5, &len);
    EXPECT_DOUBLE_EQ(len, 10);
    h->imageOfVector(1, 3, v);
    EXPECT_DOUBLE_EQ(v[0], -2);
    EXPECT_DOUBLE_EQ(v[1], -6);
    h->imageOfAngle(0.7, &a);
    EXPECT_DOUBLE_EQ(a, 0.7);
    auto* circle = f.make<CCercleOA>(nat::cercle, f.point(100, 100), f.point(105, 100));
    auto* img = f.make<CCercleImage>(nat::cercle, circle, h);
    EXPECT_DOUBLE_EQ(img->radius, 10);
    EXPECT_DOUBLE_EQ(img->centreX, -200);
}

TEST_F(Geo2Transformations, RotationWithUndefinedAngleHasNoImages) {
    auto* undefinedValue = f.make<CVariable>(nat::variable, "t");
    auto* r = f.make<CRotation>(nat::transformation, o, CValeurAngle(undefinedValue));
    auto* img = f.make<CPointImage>(nat::pointConstruit, f.point(110, 100), r);
    undefinedValue->exists = false;
    r->computePosition();
    img->computePosition();
    EXPECT_FALSE(r->exists);
    EXPECT_FALSE(img->exists);
}

TEST_F(Geo2Transformations, SimilitudeScalesAxialSymmetryReversesAngles) {
    auto* s = f.make<CSimilitude>(nat::transformation, o, CValeurAngle(kPi / 2), number(3));
    double len, ang;
    s->imageOfLength(2, &len);
    EXPECT_DOUBLE_EQ(len, 6);
    EXPECT_EQ(s->getKindText(), "similitude  directe\r\nd'angle 1.570796326795 et de rapport 3");
    auto* d = f.make<CDroiteAB>(nat::droite, o, f.point(100, 100));
    auto* ax = f.make<CSymetrieAxiale>(nat::transformation, d);
    ax->imageOfAngle(0.5, &ang);
    EXPECT_DOUBLE_EQ(ang, -0.5);
    ax->imageOfLength(7, &len);
    EXPECT_DOUBLE_EQ(len, 7);
}

TEST_F(Geo2Transformations, OnlyATranslationIllustratesItsImages) {
    CPointBase* a = f.point(10, 10, "A");
    CPointBase* b = f.point(40, 50, "B");
    auto* t = f.make<CTranslation>(nat::transformation, a, b);
    CPointBase* p = f.point(100, 100, "P");
    std::unique_ptr<CAction> ill =
        f.make<CPointImage>(nat::pointConstruit, p, t)->createIllustration();
    auto* v = ill ? dynamic_cast<CVecteur*>(ill->element) : nullptr;
    ASSERT_TRUE(v);
    EXPECT_EQ(v->A, a);
    EXPECT_EQ(v->B, b);
    auto* sym = f.make<CSymetrieCentrale>(nat::transformation, o);
    EXPECT_FALSE(f.make<CPointImage>(nat::pointConstruit, p, sym)->createIllustration());
}

TEST_F(Geo2Transformations, InversionKeepsTheRayAndNeedsAUnitLength) {
    auto* u2 = f.point(50, 0, "V");
    f.list.unitLength = f.make<CLongueur>(nat::mesure, &f.list, o, u2);
    auto* inv = f.make<CInversion>(nat::transformation, f.point(200, 200, "C"), number(4), &f.list);
    CPointBase* p = f.point(200, 150, "P");
    auto* img = f.make<CPointImage>(nat::pointConstruit, p, inv);
    EXPECT_NEAR(img->x, 200, 1e-9);
    EXPECT_NEAR(img->y, 0, 1e-9);  // one unit away: k units on the same ray
    p->x = 300;
    p->y = 200;
    img->computePosition();
    EXPECT_NEAR(img->x, 300, 1e-9);  // two units away: k / 2 units
    p->x = 200;
    img->computePosition();
    EXPECT_FALSE(img->exists);  // the centre has no image
    u2->x = 0;
    f.computeAll();
    EXPECT_FALSE(inv->exists);
    f.list.unitLength = nullptr;
    u2->x = 50;
    f.computeAll();
    EXPECT_FALSE(inv->exists);
}

TEST_F(Geo2Transformations, ImageGoesWhenTheAntecedentGoes) {
    auto* t = f.make<CSymetrieCentrale>(nat::transformation, o);
    CPointBase* a = f.point(100, 100, "A");
    CPointBase* b = f.point(200, 100, "B");
    auto* line = f.make<CDroiteAB>(nat::droite, a, b);
    auto* li = f.make<CDroiteImage>(nat::droite, line, t);
    auto* hi =
        f.make<CDemiDroiteImage>(nat::demiDroite, f.make<CDemiDroiteOA>(nat::demiDroite, a, b), t);
    EXPECT_DOUBLE_EQ(li->p0y, -100);
    EXPECT_DOUBLE_EQ(hi->x1, -100);
    EXPECT_LT(hi->wx, 0);
    b->x = 100;
    f.computeAll();
    EXPECT_FALSE(li->exists);
    EXPECT_FALSE(hi->exists);
    EXPECT_TRUE(f.list.isTransformationUsed(t));
}

TEST_F(Geo2Transformations, KindAndConstructionTexts) {
    auto* h = f.make<CHomothetie>(nat::transformation, o, number(2));
    auto* img = f.make<CPointImage>(nat::pointConstruit, f.point(10, 10, "P"), h);
    CElementBase *a = nullptr, *b = nullptr;
    EXPECT_EQ(img->getConstructionInfo(&a, &b, nullptr),
              "Point image par une homothétie de rapport 2");
    EXPECT_EQ(CRotation(o, CValeurAngle(1.0)).getKindText(), "rotation d'angle 1");
    CInversion inv(o, number(3), &f.list);
    EXPECT_EQ(inv.getKindText(), "Inversion de rapport 3");
    EXPECT_EQ(inv.getDisplayName(), " l'inversion de centre O et de rapport 3");
}

TEST_F(Geo2Transformations, ArcImageByAxialSymmetryReversesTheArc) {
    CPointBase* c = f.point(100, 100, "C");
    auto* arc = f.make<CArcDeCercle>(nat::arc, c, f.point(150, 100), CValeurAngle(kPi / 2));
    auto* axis = f.make<CDroiteAB>(nat::droite, c, f.point(0, 100));  // horizontal
    auto* s = f.make<CSymetrieAxiale>(nat::transformation, axis);
    auto* img = f.make<CArcDeCercleImage>(nat::arc, arc, s);
    EXPECT_NEAR(img->angle, -kPi / 2, 1e-12);
    // The antecedent goes up from A, the image goes down.
    EXPECT_FALSE(img->containsCirclePoint(100, 50));
    EXPECT_TRUE(img->containsCirclePoint(100, 150));
    EXPECT_EQ(img->designationDistance(100, 47, true), kNotDesignable);
    EXPECT_EQ(img->getConstructionInfo(nullptr, nullptr, nullptr),
              "Arc de cercle image par  symétrie axiale");
}

TEST_F(Geo2Transformations, ArcImagesKeepTheKindOfArc) {
    CPointBase* c = f.point(100, 100, "C");
    CPointBase* a = f.point(150, 100, "A");
    CPointBase* b = f.point(100, 150, "B");
    auto* t = f.make<CTranslation>(nat::transformation, f.point(20, 30), f.point(60, 10));
    std::vector<CArcDeCercleAncetre*> arcs = {f.make<CArcDeCercle>(nat::arc, c, a, b),
                                              f.make<CGrandArcDeCercle>(nat::arc, c, a, b),
                                              f.make<CArcDeCercleDirect>(nat::arc, c, a, b),
                                              f.make<CArcDeCercleIndirect>(nat::arc, c, a, b)};
    for (CArcDeCercleAncetre* arc : arcs) {
        auto* img = f.make<CArcDeCercleImage>(nat::arc, arc, t);
        ASSERT_TRUE(img->exists) << arc->getArcKind();
        EXPECT_EQ(img->getArcKind(), arc->getArcKind());
        // A translated point of the antecedent belongs to the image exactly when it belonged.
        for (double th = 0.1; th < 6.2; th += 0.5) {
            const double x = 100 + 50 * std::cos(th), y = 100 - 50 * std::sin(th);
            EXPECT_EQ(img->containsCirclePoint(x + 40, y - 20), arc->containsCirclePoint(x, y))
                << arc->getArcKind() << " " << th;
        }
    }
}

TEST_F(Geo2Transformations, RatioTextsAreParsedAgain) {
    CValeurAssocieeAVariable typed;
    typed.setNumberWithText(0, "2*3");
    auto* h = f.make<CHomothetie>(nat::transformation, o, typed);
    h->rebuildFromText(&f.list);
    EXPECT_DOUBLE_EQ(h->k.getValue(), 6);
    auto* s = f.make<CSimilitude>(nat::transformation, o, CValeurAngle(0.0), typed);
    s->rebuildFromText(&f.list);
    EXPECT_DOUBLE_EQ(s->k.getValue(), 6);
}
}  // namespace
