// The protractor by logical clicks: the figure must count in degrees, the image turns with the
// mouse by whole degrees, and a rotation of the same angle serves again.
#include <cmath>

#include "geometry/CTransformation.h"
#include "tools_fixture.h"
#include "view/ToolTexts.h"

namespace {
int rotations(const CListeAction& l) {
    int k = 0;
    for (CActionAncetre* e : l.entries())
        if (dynamic_cast<CRotation*>(e->element)) ++k;
    return k;
}
}  // namespace

// O (200, 300), A (300, 300), B (250, 300).
TEST_F(ToolsTest, ProtractorTurnsByWholeDegreesInAFigureInDegrees) {
    freePoint(200, 300);
    freePoint(300, 300);
    freePoint(250, 300);
    list().angleUnit = 0;
    host.answers = {IDNO};
    EXPECT_FALSE(select(Cmd::protractor));
    EXPECT_EQ(lastMessage(), toolText(Msg::needDegrees));
    host.answers = {IDYES};
    ASSERT_TRUE(select(Cmd::protractor));
    EXPECT_EQ(list().angleUnit, 1);

    const int before = list().count();
    clicks({{200, 300}, {300, 300}});
    move(200, 200);
    EXPECT_EQ(list().count(), before) << "nothing joins the figure before the last click";
    click(200, 200);
    auto* image = last<CPointImage>();
    ASSERT_NE(image, nullptr);
    EXPECT_NEAR(image->x, 2000, 1e-6);
    EXPECT_EQ(list().count(), before + 2);
    EXPECT_EQ(doc().history().undoText(), "Outil Rotation");

    clicks({{200, 300}, {250, 300}, {200, 250}});
    EXPECT_EQ(list().count(), before + 3) << "the rotation of 90 degrees serves again";
    EXPECT_EQ(rotations(list()), 1);

    // 5.7 degrees become 6.
    clicks({{200, 300}, {300, 300}, {300, 290}});
    image = last<CPointImage>();
    ASSERT_NE(image, nullptr);
    const double a = 6 * 3.14159265358979323846 / 180;
    EXPECT_NEAR(image->x, 2000 + 1000 * std::cos(a), 1e-6);
    EXPECT_NEAR(image->y, 3000 - 1000 * std::sin(a), 1e-6);
    EXPECT_EQ(rotations(list()), 2);
}
