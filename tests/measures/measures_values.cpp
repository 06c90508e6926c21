// Measures: the unit length and the lengths that depend on it, geometric and oriented angles
// (flat and right angles, screen orientation), abscissas on horizontal and vertical axes,
// coordinates and affixes in a frame, areas and line lengths, complex parts and the files that
// name a part of a real value. Names and creation messages are checked through the tools.
#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "calc/FormulaFixture.h"
#include "core/CArchive.h"
#include "geometry/CPolygone.h"
#include "geometry/CRepere.h"
#include "measures/CMesure.h"

namespace {
constexpr double kPi = 3.14159265358979323846;

struct MeasureFigure : FormulaFigure {
    CLongueur* length(CPointBase* a, CPointBase* b) {
        return make<CLongueur>(nat::mesure, &list, a, b);
    }
};

TEST(MeasuresLength, UnitLengthAndOtherLengths) {
    MeasureFigure f;
    auto* a = f.point(0, 0, "A");
    auto* b = f.point(30, 40, "B");
    auto* c = f.point(100, 0, "C");
    CLongueur* ab = f.length(a, b);
    CLongueur* ac = f.length(a, c);
    EXPECT_FALSE(ab->exists);  // no unit length yet
    f.list.unitLength = ab;
    f.list.computeAll();
    EXPECT_EQ(ab->value, 1);
    EXPECT_DOUBLE_EQ(ac->value, 2);
    EXPECT_EQ(ab->getConstructionInfo(nullptr, nullptr, nullptr), "Longueur unité : AB");
    EXPECT_EQ(ac->getConstructionInfo(nullptr, nullptr, nullptr), "Longueur mesurée : AC");
    // A length answers to its name in both orders.
    EXPECT_EQ(f.addCalcul("c", "ba+1")->value, 2);
    EXPECT_TRUE(f.length(b, a)->coincidesWith(ab));
    // A unit length of zero leaves the other lengths undefined, the unit itself still 1.
    b->x = b->y = 0;
    f.list.computeAll();
    EXPECT_EQ(ab->value, 1);
    EXPECT_FALSE(ac->exists);
}

// The vertex at the origin; up on screen is counter-clockwise, so positive; a flat angle is pi,
// never -pi. The values follow the figure's unit.
TEST(MeasuresAngle, GeometricAndOrientedValues) {
    for (auto [ax, ay, bx, by, geometric, oriented] :
         {std::array<double, 6>{10, 0, 0, -10, kPi / 2, kPi / 2},
          {10, 0, 0, 10, kPi / 2, -kPi / 2},
          {10, 0, -10, 0, kPi, kPi},
          {0.1, 0.3, -0.2, -0.6, kPi, kPi},
          {10, 0, -10, 10, 3 * kPi / 4, -3 * kPi / 4}}) {
        MeasureFigure f;
        auto* a = f.point(ax, ay, "A");
        auto* o = f.point(0, 0, "O");
        auto* b = f.point(bx, by, "B");
        auto* g = f.make<CMesureAngleGeometrique>(nat::mesure, a, o, b);
        EXPECT_NEAR(g->value, geometric, 1e-12) << ax << " " << ay << " " << bx << " " << by;
        AngleUnitScope degrees(1);
        EXPECT_NEAR(f.make<CMesureAngleOriente>(nat::mesure, a, o, b)->value, oriented * 180 / kPi,
                    1e-9)
            << ax << " " << ay << " " << bx << " " << by;
    }
}

TEST(MeasuresAngle, UndefinedWhenASideIsNull) {
    MeasureFigure f;
    auto* a = f.point(5, 5, "A");
    auto* o = f.point(5, 5, "O");  // on A
    auto* b = f.point(10, 0, "B");
    auto* g = f.make<CMesureAngleGeometrique>(nat::mesure, a, o, b);
    EXPECT_FALSE(g->exists);
    auto* r = f.make<CMesureAngleOriente>(nat::mesure, b, o, a);
    EXPECT_FALSE(r->exists);
    EXPECT_EQ(r->getConstructionInfo(nullptr, nullptr, nullptr), "Angle orienté mesuré (OB,OA)");
    // AOB and BOA are the same geometric angle, not the same oriented one.
    EXPECT_TRUE(f.make<CMesureAngleGeometrique>(nat::mesure, b, o, a)->coincidesWith(g));
    EXPECT_FALSE(f.make<CMesureAngleOriente>(nat::mesure, a, o, b)->coincidesWith(r));
}

TEST(MeasuresAbscissa, LargerComponentIsTheDivisor) {
    MeasureFigure f;
    auto* o = f.point(100, 100, "O");
    auto* i = f.point(100, 50, "I");  // vertical axis
    auto* m = f.point(100, 250, "M");
    auto* x = f.make<CMesureAbscisse>(nat::mesure, o, i, m);
    ASSERT_TRUE(x->exists);
    EXPECT_DOUBLE_EQ(x->value, -3);
    EXPECT_EQ(x->getConstructionInfo(nullptr, nullptr, nullptr),
              "Abscisse mesurée M(O,I) du point M\r\n dans le repère (O,I)");
    m->x = 101;
    x->computePosition();
    EXPECT_FALSE(x->exists);  // not aligned
    i->x = 120, i->y = 110, m->x = 160, m->y = 130;
    x->computePosition();
    ASSERT_TRUE(x->exists);
    EXPECT_DOUBLE_EQ(x->value, 3);
}

TEST(MeasuresFrame, CoordinatesAndAffix) {
    MeasureFigure f;
    auto* o = f.point(100, 100, "O");
    auto* i = f.point(150, 100, "I");
    auto* j = f.point(100, 50, "J");
    auto* r = f.make<CRepere>(nat::repere, o, i, j, f.make<CDroiteAB>(nat::droite, o, i),
                              f.make<CDroiteAB>(nat::droite, o, j), CValeurAssocieeAVariable(1.0),
                              CValeurAssocieeAVariable(0.0));
    auto* m = f.point(200, 50, "M");
    auto* mx = f.make<CMesureX>(nat::mesure, r, m);
    auto* my = f.make<CMesureY>(nat::mesure, r, m);
    auto* mz = f.make<CMesureAffixe>(nat::mesureAffixe, r, m);
    ASSERT_TRUE(mx->exists);
    EXPECT_DOUBLE_EQ(mx->value, 3);  // O has abscissa 1
    EXPECT_DOUBLE_EQ(my->value, 1);
    EXPECT_EQ(mz->getComplexValue(), Complexe(3, 1));
    EXPECT_EQ(mx->getConstructionInfo(nullptr, nullptr, nullptr),
              "Mesure de l'abscisse du point M dans le repère (O,I,J)");
    // A flat frame has no coordinates.
    j->x = 300, j->y = 100;
    f.list.computeAll();
    EXPECT_FALSE(mx->exists);
    EXPECT_FALSE(mz->exists);
}

TEST(MeasuresArea, AreaInTheSquareOfTheUnit) {
    MeasureFigure f;
    auto* a = f.point(0, 0, "A");
    auto* b = f.point(20, 0, "B");
    auto* c = f.point(20, 20, "C");
    auto* d = f.point(0, 20, "D");
    auto* poly = f.make<CPolygone>(nat::polygone, std::vector<CPointAncetre*>{a, b, c, d, a});
    auto* area = f.make<CMesureAire>(nat::mesure, "s", &f.list, poly);
    EXPECT_FALSE(area->exists);
    f.list.unitLength = f.length(a, b);
    f.list.computeAll();
    EXPECT_DOUBLE_EQ(area->value, 1);
    b->x = 10;  // the unit shrinks too
    f.list.computeAll();
    EXPECT_DOUBLE_EQ(area->value, 3);  // 300 / 10^2
}

TEST(MeasuresComplex, PartsOfACalculation) {
    MeasureFigure f;
    CCalculComplexe* z = f.addComplexCalcul("z", "-3+4*i");
    auto* mod = f.make<CModule>(nat::valeurNumerique, "m", z);
    EXPECT_NEAR(f.make<CArgument>(nat::valeurNumerique, "t", z)->value, kPi - std::atan(4.0 / 3),
                1e-12);
    EXPECT_EQ(mod->getConstructionInfo(nullptr, nullptr, nullptr),
              "Module nommé m du complexe z\r\nValeur actuelle : 5");
    CCalculComplexe* zero = f.addComplexCalcul("w", "0*i");
    EXPECT_FALSE(f.make<CArgument>(nat::valeurNumerique, "u", zero)->exists);  // the modulus is 0
}

TEST(MeasuresArchive, PartOfARealValueIsRefused) {
    MeasureFigure f;
    CCalcul* c = f.addCalcul("c", "2");
    f.make<CPartieReelle>(nat::valeurNumerique, "re", c);
    std::vector<uint8_t> bytes = saveList(f.list);
    CListeAction copy;
    EXPECT_THROW(GeoFigure::load(bytes, copy), CArchiveException);
}
}  // namespace
