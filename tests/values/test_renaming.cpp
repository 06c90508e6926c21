// Renaming a point renames the measures named after it, and every formula that used their old
// names is rewritten.
#include <gtest/gtest.h>

#include "calc/FormulaFixture.h"
#include "geometry/CPointAncetre.h"
#include "measures/CMesure.h"

namespace {
struct LengthFigure : FormulaFigure {
    CPointBase* A = addPoint("A", 0, 0);
    CPointBase* B = addPoint("B", 30, 40);
    CLongueur* AB = make<CLongueur>(nat::mesure, &list, A, B);
    LengthFigure() {
        list.unitLength = AB;
        list.computeAll();
    }
    CPointBase* addPoint(const char* name, double x, double y) {
        auto* p = make<CPointBase>(nat::pointLibre, x, y);
        p->setName(name);
        return p;
    }
};

TEST(Renaming, FormulasFollowTheMeasureNames) {
    LengthFigure fig;
    ASSERT_EQ(fig.AB->getName(), "AB");
    CCalcul* c = fig.addCalcul("c", "AB+1+ab*2");
    CCalcul* other = fig.addCalcul("d", "pi+BA");  // a length answers to both orders
    CFonc* f = fig.addFunction("f", "x*AB");
    ASSERT_TRUE(c->exists);
    EXPECT_EQ(c->getValue(), 4);

    NameOverrides old = measureNamesUsing(fig.list, fig.A);
    ASSERT_EQ(old.count(fig.AB), 2u);  // AB, and BA as formula d spells it
    fig.A->setName("M");
    renameMeasuresInFormulas(fig.list, old);
    EXPECT_EQ(c->formula, "MB+1+MB*2");
    EXPECT_EQ(f->formula, "x*MB");
    EXPECT_EQ(other->formula, "pi+MB");
    fig.list.computeAll();
    EXPECT_EQ(c->getValue(), 4);
    EXPECT_TRUE(c->dependsOn(fig.AB));
    EXPECT_EQ(fig.real("MB*2"), 2.0);
}

TEST(Renaming, NamesThatAreNotMeasuresStay) {
    LengthFigure fig;
    fig.addVariable("ABC", 5);
    CCalcul* c = fig.addCalcul("c", "ABC+AB<=2");
    NameOverrides old = measureNamesUsing(fig.list, fig.B);
    fig.B->setName("Z");
    renameMeasuresInFormulas(fig.list, old);
    EXPECT_EQ(c->formula, "ABC+AZ<=2");
}
}  // namespace
