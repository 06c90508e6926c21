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

// A figure list: pi then a bounded variable "a" = 2.
struct Figure : FormulaFigure {
    CVariableBornee* a = addVariable("a", 2);
};

}  // namespace

TEST(ValeurAssociee, NumberAndReference) {
    Figure f;
    CValeurAssocieeAVariable n(2.5);
    EXPECT_EQ(n.text, "2.5");
    EXPECT_TRUE(n.isDefined());
    EXPECT_FALSE(n.dependsOn(f.a));
    EXPECT_DOUBLE_EQ(n.getValue(), 2.5);

    CValeurAssocieeAVariable r(f.a);
    EXPECT_DOUBLE_EQ(r.getValue(), 2);
    EXPECT_EQ(r.getText(2), "a");
    EXPECT_TRUE(r.dependsOn(f.a));
    EXPECT_TRUE(r.dependsOnForPositioning(f.a));
    f.a->exists = false;
    EXPECT_FALSE(r.isDefined());
}

TEST(ValeurAssociee, RebuildFromTextFollowsUnit) {
    Figure f;
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

TEST(ValeurAngle, HeldInRadiansShownInUnit) {
    AngleUnitScope deg(1);
    CValeurAngle a;
    a.setNumberInUnit(90);
    EXPECT_DOUBLE_EQ(a.constant, kPi / 2);
    EXPECT_EQ(a.getText(2), "90");
    a.setNumberInUnit(270);
    EXPECT_NEAR(a.getValue(), -kPi / 2, 1e-12);
    a.setNumberInUnit(-180);
    EXPECT_DOUBLE_EQ(a.getValue(), kPi);
}

TEST(ValeurAngle, ReferenceReadInFigureUnit) {
    Figure f;
    f.a->setValue(90);
    CValeurAngle a(f.a);
    {
        AngleUnitScope deg(1);
        EXPECT_NEAR(a.getValue(), kPi / 2, 1e-12);
        EXPECT_EQ(a.getText(2), "a");
    }
    AngleUnitScope rad(0);
    EXPECT_NEAR(a.getValue(), 90 - 28 * kPi, 1e-9);
}

TEST(ReduceAngle, Boundaries) {
    EXPECT_DOUBLE_EQ(reduceAngle(kPi), kPi);
    EXPECT_DOUBLE_EQ(reduceAngle(-kPi), kPi);
    EXPECT_DOUBLE_EQ(reduceAngle(3 * kPi), kPi);
    EXPECT_NEAR(reduceAngle(1.5 * kPi), -0.5 * kPi, 1e-12);
    EXPECT_DOUBLE_EQ(reduceAngle(0.25), 0.25);
}

TEST(ValeurAssocieeComp, NumberTextAndReference) {
    Figure f;
    CValeurAssocieeComp z(Complexe{2, -3});
    EXPECT_EQ(z.text, "2-3*i");
    z.constant = {0, 0};
    z.rebuildFromText(&f.list);
    EXPECT_EQ(z.getComplexValue(), (Complexe{2, -3}));
    CValeurAssocieeComp r(f.a);
    EXPECT_EQ(r.getComplexValue(), (Complexe{2, 0}));
}
