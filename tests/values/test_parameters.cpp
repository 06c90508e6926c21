// Parameter values: a number or a reference to a named value, its text, angles in the figure's
// unit and complex values. Their files and clones go with the objects that own them
// (tests/contract).
#include <gtest/gtest.h>

#include <cmath>

#include "calc/FormulaFixture.h"
#include "values/CCalcConst.h"
#include "values/CValeurAssocieeAVariable.h"
#include "values/CValeurAssocieeComp.h"
#include "values/CVariable.h"

namespace {
constexpr double kPi = 3.14159265358979323846;

TEST(ValeurAssociee, RebuildFromTextFollowsUnit) {
    FormulaFigure f;
    CValeurAssocieeAVariable v;
    v.setNumberWithText(0, "sin(pi/6)*2");
    f.list.angleUnit = 0;
    v.rebuildFromText(&f.list);
    EXPECT_NEAR(v.constant, 1.0, 1e-12);
    v.setNumberWithText(0, "sin(30)*2");
    f.list.angleUnit = 1;
    v.rebuildFromText(&f.list);
    EXPECT_NEAR(v.constant, 1.0, 1e-12);
}

// Held in radians within (-pi, pi], given and read in the figure's unit.
TEST(ValeurAngle, HeldInRadiansShownInUnit) {
    AngleUnitScope deg(1);
    FormulaFigure f;
    EXPECT_NEAR(CValeurAngle(f.addVariable("v", 90)).getValue(), kPi / 2, 1e-12);
    CValeurAngle a;
    a.setNumberInUnit(270);
    EXPECT_NEAR(a.getValue(), -kPi / 2, 1e-12);
    a.setNumberInUnit(-180);
    EXPECT_DOUBLE_EQ(a.getValue(), kPi);
    EXPECT_DOUBLE_EQ(reduceAngle(-kPi), kPi);
    EXPECT_DOUBLE_EQ(reduceAngle(3 * kPi), kPi);
}

TEST(ValeurAssocieeComp, NumberTextAndReference) {
    FormulaFigure f;
    auto* a = f.addVariable("a", 2);
    CValeurAssocieeComp z(Complexe{2, -3});
    EXPECT_EQ(z.text, "2-3*i");
    z.constant = {0, 0};
    z.rebuildFromText(&f.list);
    EXPECT_EQ(z.getComplexValue(), (Complexe{2, -3}));
    EXPECT_EQ(CValeurAssocieeComp(a).getComplexValue(), (Complexe{2, 0}));
}
}  // namespace
