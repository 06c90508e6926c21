// "Intersections intelligentes": a point through which both curves were drawn counts as one of
// their intersections, so that no second point is built on top of it.
#include "core/CPreferences.h"
#include "geometry/CIntersection.h"
#include "tools_fixture.h"

namespace {
enum Curves { lineAndCircle, twoCircles, twoLines };

struct SmartCase {
    Curves curves;
    bool smart;
    int added;             // entries the intersection adds
    const char* newClass;  // class of the last one, or null when refused
};

class SmartIntersections : public ToolsTest, public testing::WithParamInterface<SmartCase> {};

TEST_P(SmartIntersections, BuildOnlyWhatIsNotThereYet) {
    const SmartCase& c = GetParam();
    const bool saved = preferences().intelligentIntersections;
    preferences().intelligentIntersections = c.smart;
    // Every curve passes through A = (300, 350); each click lands on one curve only.
    twoPointsAnd(Cmd::circleCentrePoint, 300, 250, 300, 350);
    std::pair<int, int> first{300, 150}, second;
    if (c.curves == twoCircles) {
        freePoint(400, 350);
        select(Cmd::circleCentrePoint);
        clicks({{400, 350}, {300, 350}});
        second = {500, 350};
    } else {
        freePoint(500, 450);
        select(Cmd::lineTwoPoints);
        clicks({{300, 350}, {500, 450}});
        second = {400, 400};
    }
    if (c.curves == twoLines) {
        freePoint(100, 450);
        select(Cmd::lineTwoPoints);
        clicks({{300, 350}, {100, 450}});
        first = {200, 400};
    }
    const int before = list().count();
    select(Cmd::intersection);
    dialogs.natureAnswers = {0, 0};
    clicks({first, second});
    preferences().intelligentIntersections = saved;
    ASSERT_EQ(list().count(), before + c.added);
    if (c.newClass) {
        EXPECT_STREQ(list().elementAt(list().count() - 1)->GetRuntimeClass()->className,
                     c.newClass);
    } else {
        EXPECT_EQ(lastMessage(),
                  "Les ou les points d'intersection sont déjà créés\n Création abandonnée");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tools, SmartIntersections,
    testing::Values(SmartCase{lineAndCircle, true, 1, "CAutrePointIntersectionDroiteCercle"},
                    SmartCase{lineAndCircle, false, 3, "CPointLieBipoint"},
                    SmartCase{twoCircles, true, 1, "CAutrePointIntersectionCercles"},
                    SmartCase{twoLines, true, 0, nullptr},
                    SmartCase{twoLines, false, 1, "CIntDroiteDroite"}));
}  // namespace
