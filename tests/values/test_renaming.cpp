// Renaming a point renames the measures named after it, and every formula that used their old
// names (in either order of the points) is rewritten; other names that merely contain them stay.
#include <gtest/gtest.h>

#include "calc/FormulaFixture.h"
#include "geometry/CPointAncetre.h"
#include "measures/CMesure.h"

namespace {
TEST(Renaming, FormulasFollowTheMeasureNames) {
    FormulaFigure fig;
    auto* a = fig.point(0, 0, "A");
    auto* b = fig.point(30, 40, "B");
    fig.list.unitLength = fig.make<CLongueur>(nat::mesure, &fig.list, a, b);
    fig.list.computeAll();
    fig.addVariable("ABC", 5);
    CCalcul* c = fig.addCalcul("c", "ABC+AB<=2+ab");
    CFonc* f = fig.addFunction("f", "x*BA");
    NameOverrides old = measureNamesUsing(fig.list, b);
    b->setName("Z");
    renameMeasuresInFormulas(fig.list, old);
    EXPECT_EQ(c->formula, "ABC+AZ<=2+AZ");
    EXPECT_EQ(f->formula, "x*AZ");
    fig.list.computeAll();
    EXPECT_TRUE(c->exists);
    EXPECT_EQ(fig.real("f(2)"), 2.0);
}
}  // namespace
