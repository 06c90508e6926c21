// The "Mouvoir" tools by logical clicks: objects that leave traces while a point is dragged,
// and the animation of a linked point stopped by Escape, which puts the point back.
#include "geometry/CPointLie.h"
#include "tools_fixture.h"
#include "values/CVariable.h"
#include "view/ToolTexts.h"

TEST_F(ToolsTest, TracedSegmentWhileDraggingChangesNothingButThePoint) {
    twoPointsAnd(Cmd::segment, 100, 100, 200, 100);
    const int count = list().count();
    ASSERT_TRUE(select(Cmd::traceObjects));
    click(150, 100);
    rightClick(150, 100);
    ASSERT_EQ(captureHandler().traced.count(), 1);

    click(200, 100);
    move(220, 150);
    move(240, 200);
    click(240, 200);
    EXPECT_EQ(list().count(), count) << "the traces are no objects of the figure";
    EXPECT_EQ(doc().history().undoText(), "Capture");

    select(Cmd::freePoint);
    EXPECT_TRUE(captureHandler().traced.empty()) << "leaving the capture tool ends the traces";
}

namespace {
// Escape after a few frames; records the animated point's abscissa at each frame.
struct AnimationHost : CHeadlessHost {
    CPointLie* point = nullptr;
    std::vector<double> seen;
    void pumpMessages() override {
        if (point) seen.push_back(point->abscissa);
    }
    void waitUntil(uint64_t) override {}
    bool isKeyDown(HostKey key) override { return key == KEY_ESCAPE && seen.size() >= 5; }
};
}  // namespace

TEST_F(ToolsTest, AnimationOfALinkedPointStoppedByEscapeRestoresIt) {
    EXPECT_FALSE(select(Cmd::animation));
    EXPECT_EQ(lastMessage(), toolText(Msg::needLinkedPoint));
    twoPointsAnd(Cmd::circleCentrePoint, 320, 240, 420, 240);
    select(Cmd::linkedPoint);
    click(320, 140);
    auto* m = last<CPointLie>();
    const double t0 = m->abscissa;
    const std::string undo = doc().history().undoText();

    AnimationHost animationHost;
    animationHost.point = m;
    setHost(&animationHost);
    ASSERT_TRUE(select(Cmd::animation));
    click(320, 140);
    setHost(&host);
    ASSERT_GE(animationHost.seen.size(), 5u);
    EXPECT_NE(animationHost.seen[2], animationHost.seen[1]) << "the point runs";
    EXPECT_EQ(m->abscissa, t0);
    EXPECT_EQ(doc().history().undoText(), undo);
}

TEST_F(ToolsTest, AutomaticTraceByAVariableLeavesTheFigureAsItWas) {
    auto* k = add<CVariableBornee>(nat::variable, "k", 0.5, 0, 1, 0.1, "0", "1", "0.1");
    freePoint(100, 100);
    freePoint(300, 100);
    select(Cmd::pointByAbscissa);
    dialogs.fieldAnswers = {{"k"}};
    clicks({{100, 100}, {300, 100}});
    const int count = list().count();
    ASSERT_TRUE(select(Cmd::autoTraceVariable));
    click(200, 100);
    rightClick(200, 100);
    EXPECT_EQ(k->value, 0.5);
    EXPECT_EQ(list().count(), count);
    EXPECT_TRUE(host.messages.empty()) << lastMessage();
}
