// Curves of functions and graphs of sequences from their commands: the construction built in one
// go, its supports reused, and nothing left when the names clash or the user refuses an
// invisible curve.
#include "geometry/CGrapheSuiteRec.h"
#include "geometry/CPointLie.h"
#include "geometry/CRepere.h"
#include "loci/CLieuDeBase.h"
#include "tools_fixture.h"
#include "values/CFonc.h"
#include "values/CSuiteRec.h"
#include "values/CValeurAssocieeComp.h"
#include "view/ToolTexts.h"

namespace {
// A frame of origin (320, 240) with 50-pixel units, and f, g with f(x) = x*x - 2, g(x) = x + 100.
class CurvesTest : public ToolsTest {
protected:
    void SetUp() override {
        ToolsTest::SetUp();
        freePoint(320, 240);
        freePoint(370, 240);
        freePoint(320, 190);
        select(Cmd::frame);
        dialogs.fieldAnswers = {{"0", "0"}};
        clicks({{320, 240}, {370, 240}, {320, 190}});
        for (auto [name, formula] : {std::pair{"f", "x*x-2"}, std::pair{"g", "x+100"}})
            add<CFonc>(nat::fonction, name, formula, "x")->rebuildTree(list());
        view->recomputeAndRedraw();
        host.messages.clear();
    }
    std::vector<std::string> answers(const char* fn, const char* point, const char* x,
                                     const char* y) {
        dialogs.itemAnswers = {fn[0] == 'f' ? 0 : 1};
        return {point, x, y, "100", "1", "0"};
    }
};
}  // namespace

TEST_F(CurvesTest, CurveOnAnIntervalIsBuiltInOneGoAndReusesItsSupport) {
    const int before = list().count();
    auto fields = answers("f", "M", "u", "v");
    fields.insert(fields.begin(), {"-2", "2"});
    dialogs.fieldAnswers = {fields};
    ASSERT_TRUE(select(Cmd::curveOnSegment));
    ASSERT_EQ(list().count(), before + 9) << "two points, their segment and six objects";
    auto* curve = last<CLieuDePoints>();
    ASSERT_NE(curve, nullptr);
    auto* m = dynamic_cast<CPointDansRepere*>(curve->tracedPoint);
    ASSERT_NE(m, nullptr);
    const double x = m->xv.getValue();
    EXPECT_NEAR(m->y, 2400 - 500 * (x * x - 2), 1e-6);
    EXPECT_TRUE(curve->linkedPoint->masked) << "the generator is hidden";
    EXPECT_EQ(doc().history().undoText(), "Créer courbe de fonction");

    fields = answers("f", "N", "u2", "v2");
    fields.insert(fields.begin(), {"-2", "2"});
    dialogs.fieldAnswers = {fields};
    ASSERT_TRUE(select(Cmd::curveOnSegment));
    EXPECT_EQ(list().count(), before + 15) << "the segment serves again";
}

TEST_F(CurvesTest, ClashingNamesAndARefusedInvisibleCurveLeaveTheFigureAsItWas) {
    const int before = list().count();
    dialogs.fieldAnswers = {answers("f", "M", "u", "U")};
    ASSERT_TRUE(select(Cmd::curveOnR));
    EXPECT_EQ(host.messages.front().text, toolText(Msg::curveNamesEqual));
    EXPECT_EQ(list().count(), before);

    auto fields = answers("g", "M", "u", "v");
    fields.insert(fields.begin(), "1");
    dialogs.fieldAnswers = {fields};
    host.answers = {IDNO};
    ASSERT_TRUE(select(Cmd::curveFrom));
    EXPECT_EQ(lastMessage(), toolText(Msg::curveNotVisible));
    EXPECT_EQ(list().count(), before) << "the half-line and its points are removed too";
}

TEST_F(CurvesTest, GraphsOfSequencesInTheFrameAndTheirModification) {
    EXPECT_FALSE(select(Cmd::sequenceGraph));
    EXPECT_EQ(lastMessage(), toolText(Msg::needSequence));
    auto* f = dynamic_cast<CFonc*>(list().elementAt(list().count() - 2));
    add<CSuiteRec>(nat::suiteRec, "u", f, 10, CValeurAssocieeAVariable(0.5));
    dialogs.fieldAnswers = {{"0"}};
    ASSERT_TRUE(select(Cmd::sequenceGraph));
    auto* graph = last<CGrapheSuiteRec>();
    ASSERT_NE(graph, nullptr);
    EXPECT_EQ(doc().history().undoText(), "Créer graphe de suite");

    ASSERT_TRUE(select(Cmd::modifySequenceGraph));
    const CGrapheSuiteRec::Piece p = graph->pieces().front();
    dialogs.fieldAnswers = {{"1"}};
    click(static_cast<int>(320 + 25 * (p.x1 + p.x2)), static_cast<int>(240 - 25 * (p.y1 + p.y2)));
    EXPECT_TRUE(graph->withAxisLines);
    EXPECT_EQ(doc().history().undoText(), "Modifier graphe de suite");

    auto* c = add<CFoncComplexe>(nat::fonctionComplexe, "c", "z*(0.6+0.6*i)", "z");
    c->rebuildTree(list());
    add<CSuiteRecComplexe>(nat::suiteRecComplexe, "w", c, 10, CValeurAssocieeComp(Complexe{1, 0}));
    dialogs.fieldAnswers = {{"1"}};
    ASSERT_TRUE(select(Cmd::complexSequenceGraph));
    ASSERT_NE(last<CGrapheSuiteRecComplexe>(), nullptr);
    EXPECT_EQ(doc().history().undoText(), "Créer graphe de suite complexe");
}

// The three ways to give the point (1; 2) of the frame, then a line by slope through it.
TEST_F(CurvesTest, ObjectsInTheFrame) {
    const struct {
        int command;
        std::vector<std::vector<std::string>> fields;
        const char* undo;
    } rows[] = {
        {Cmd::pointByCoordinates, {{"1", "2"}}, "Créer point M(x;y)"},
        {Cmd::pointByAffix, {{"1+2*i"}}, "Créer point par affixe"},
        {Cmd::integerPoint, {}, "Créer point libre à coordonnées entières "},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.undo);
        dialogs.fieldAnswers = {r.fields.begin(), r.fields.end()};
        ASSERT_TRUE(select(r.command));
        if (r.fields.empty()) click(372, 138);
        ASSERT_NE(last<CPointAncetre>(), nullptr);
        EXPECT_NEAR(last<CPointAncetre>()->y, 1400, 1e-6);
        EXPECT_EQ(doc().history().undoText(), r.undo);
    }
    ASSERT_TRUE(select(Cmd::lineBySlope));
    dialogs.fieldAnswers = {{"2"}};
    click(370, 140);
    auto* d = last<CDroiteOm>();
    ASSERT_NE(d, nullptr);
    ASSERT_TRUE(select(Cmd::modifySlope));
    dialogs.fieldAnswers = {{"-1"}};
    click(320, 240);
    EXPECT_DOUBLE_EQ(d->m.getValue(), -1);
    EXPECT_EQ(doc().history().undoText(), "Modifier coefficient directeur");
}

TEST_F(ToolsTest, CurveCommandsNeedAFrameAndAFunction) {
    EXPECT_FALSE(select(Cmd::curveOnR));
    EXPECT_EQ(lastMessage(), toolText(Msg::needFrame));
}
