// Running macros with a fake clock and scripted Escape and clicks: frame counts and positions
// of animations, durations, restored states, the error report and sequences or loops that would
// run themselves. Undo states and Escape through the view are the view's tests.
#include <algorithm>
#include <cmath>

#include "MacroFigure.h"
#include "core/CHost.h"
#include "core/CPreferences.h"
#include "macros/MacroRun.h"

namespace {

// A clock that only moves when the model waits (or pumps, by `pumpCost`), and keys pressed at
// given times, each seen once.
struct FakeHost : CHeadlessHost {
    uint64_t clock = 1000;
    uint64_t pumpCost = 0;
    std::vector<uint64_t> escapes, clicks;

    uint64_t tickCount() override { return clock; }
    void waitUntil(uint64_t deadline) override { clock = std::max(clock, deadline); }
    void pumpMessages() override { clock += pumpCost; }
    bool isKeyDown(HostKey key) override {
        std::vector<uint64_t>& times = key == KEY_ESCAPE ? escapes : clicks;
        auto it = std::find_if(times.begin(), times.end(), [&](uint64_t t) { return t <= clock; });
        if (it == times.end()) return false;
        times.erase(it);
        return true;
    }
};

// Stands in for the view: counts redraws, records prompts and the watched point's abscissa at
// each redraw.
struct RecordingContext : CMacroContext {
    CListeAction& list;
    int redraws = 0;
    std::vector<int> prompts;
    CPointLie* watched = nullptr;
    std::vector<double> positions;
    explicit RecordingContext(CListeAction& l) : list(l) {}
    CListeAction& figure() override { return list; }
    CDC* dc() override { return nullptr; }
    void setPrompt(int id) override { prompts.push_back(id); }
    void redraw() override {
        ++redraws;
        if (watched) positions.push_back(watched->abscissa);
    }
};

class MacroRun : public ::testing::Test {
protected:
    void SetUp() override {
        setHost(&host);
        savedPrefs = preferences();
    }
    void TearDown() override {
        setHost(nullptr);
        preferences() = savedPrefs;
    }
    FakeHost host;
    CPreferences savedPrefs;
    CListeAction list;
    MacroFigure f{list};
    RecordingContext context{list};

    // An animation of `point` every `frequency` ms for `duration` tenths of a second.
    CMacroAnimationPointLie* animation(CPointLieDroite* point, int frequency, int duration) {
        auto* an = f.macro<CMacroAnimationPointLie>("Anim");
        an->linkedPoint = point;
        an->f = frequency, an->d = duration;
        return an;
    }
};

std::vector<double> rounded(const std::vector<double>& v) {
    std::vector<double> out;
    for (double x : v) out.push_back(std::round(x * 1000) / 1000);
    return out;
}

// An animation of M (at 0.25 on [AB]) or P (at 0.75), run with the fake clock: the positions
// of its frames, how many redraws, when it ended; the point is put back at the end.
struct Frames {
    const char* name;
    bool onP, cyclic;
    int f, d, n;
    uint64_t pumpCost;
    std::vector<uint64_t> clicks;
    std::vector<double> positions;  // every frame, when given
    int redraws;                    // the frames and the final redraw
    uint64_t end;
};

class Animation : public MacroRun, public ::testing::WithParamInterface<Frames> {};

TEST_P(Animation, FramesAndEnd) {
    const Frames& c = GetParam();
    CPointLieDroite* point = c.onP ? f.p : f.m;
    const double start = point->abscissa;
    auto* an = animation(point, c.f, c.d);
    an->cyclic = c.cyclic, an->n = c.n;
    host.pumpCost = c.pumpCost;
    host.clicks = c.clicks;
    context.watched = point;
    EXPECT_TRUE(an->execute(context));
    EXPECT_EQ(c.redraws, context.redraws);
    EXPECT_EQ(c.end, host.clock);
    EXPECT_EQ(start, context.positions.back());
    EXPECT_EQ(start, point->abscissa);
    if (!c.positions.empty()) {
        EXPECT_EQ(c.positions, rounded({context.positions.begin(), context.positions.end() - 1}));
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Kinds, Animation, ::testing::Values(
    // 100 ms: 10 frames of 10 ms; an end is never shown twice in a row.
    Frames{"BackAndForth", false, false, 10, 1, 5, 0, {},
           {0.5, 0.75, 1, 0.75, 0.5, 0.25, 0, 0.25, 0.5, 0.75}, 11, 1100},
    Frames{"CyclicRestartsAtTheBeginning", true, true, 10, 1, 5, 0, {},
           {1, 0, 0.25, 0.5, 0.75, 1, 0, 0.25, 0.5, 0.75}, 11, 1100},
    Frames{"DurationOnTheClock", false, false, 10, 25, 100, 0, {}, {}, 251, 3500},
    // Without a duration, until a click, seen at the start of the frame after it; that frame
    // is still drawn and lasts f.
    Frames{"UntilAClick", false, false, 20, 0, 100, 0, {1205}, {}, 13, 1240},
    Frames{"FullSpeedStillEnds", false, false, 0, 1, 100, 1, {}, {}, 101, 1100}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST_F(MacroRun, OneByOneNeedsAClickBeforeEachFurtherObject) {
    auto* app = f.macro<CMacroApparition>("Voir");
    app->oneByOne = true;
    for (CElementGraphique* g : std::vector<CElementGraphique*>{f.seg, f.m, f.p}) {
        g->masked = true;
        app->addObject(nat::pointLie, g);
    }
    host.clicks = {1500};
    host.escapes = {3000};
    EXPECT_FALSE(app->execute(context));  // Escape while waiting for the second click
    EXPECT_FALSE(f.seg->masked);
    EXPECT_FALSE(f.m->masked);
    EXPECT_TRUE(f.p->masked);
    EXPECT_EQ((std::vector<int>{1481, 1481}), context.prompts);
    host.clicks = {3100, 3200};
    f.m->masked = f.seg->masked = true;
    EXPECT_TRUE(app->execute(context));
    EXPECT_FALSE(f.p->masked);
}

TEST_F(MacroRun, ErrorReportFollowsThePreferences) {
    auto* app = f.macro<CMacroApparition>("Voir");
    app->addObject(nat::pointLie, f.m);
    CActionAncetre* entry = list.detachAt(list.indexOf(f.m));  // the object left the figure
    preferences().beepOnMacroError = true;
    preferences().informationOnMacroError = false;
    EXPECT_FALSE(macro_run::executeMacro(*app, context));
    EXPECT_TRUE(host.messages.empty());
    preferences().beepOnMacroError = false;
    preferences().informationOnMacroError = true;
    EXPECT_FALSE(macro_run::executeMacro(*app, context));
    EXPECT_EQ(1, host.beeps);
    EXPECT_EQ("la macro suivante ne peut pas être exécutée: \r\nVoir", host.messages.at(0).text);
    list.append(entry);
}

// A pause lasts its seconds, or until a click; a blinking hides at once, shows at 1500, hides
// at 2000, shows at 2500, then ends visible.
TEST_F(MacroRun, PausesAndBlinking) {
    auto* pause = f.macro<CMacroPause>("Pause");
    pause->seconds = 2;
    EXPECT_TRUE(pause->execute(context));
    EXPECT_EQ(3000u, host.clock);
    pause->seconds = 0;
    host.clicks = {9000};
    EXPECT_TRUE(pause->execute(context));
    EXPECT_LT(host.clock - 9000, 100u);
    auto* cl = f.macro<CMacroClignotement>("Clignoter");
    cl->addObject(nat::pointLie, f.m);
    cl->d = 20;
    host.clock = 1000;
    EXPECT_TRUE(cl->execute(context));
    EXPECT_EQ(3000u, host.clock);
    EXPECT_EQ(5, context.redraws);
    EXPECT_FALSE(f.m->masked);
}

// Loops: the variable runs from its minimum to its maximum; the end-of-loop macro runs at each
// value; the variable keeps its last value.
TEST_F(MacroRun, LoopRunsEveryValueAndItsMacros) {
    auto* w = f.make<CVariableBornee>(nat::variable, "w", 0, 0, 100, 1, "0", "100", "1");
    auto* plus = f.macro<CMacroIncrementationVariable>("Plus");
    plus->variable = w;
    auto* reset = f.macro<CMacroAffectationValeurVariable>("Zero");
    reset->variable = w;
    reset->value.setNumber(50);
    auto* loop = f.macro<CMacroBoucleAvecAnimation>("Boucle");
    loop->loop.variable = f.v;  // 0 to 10 by 1
    loop->loop.before = reset, loop->loop.atEnd = plus, loop->loop.f = 10;
    EXPECT_TRUE(loop->execute(context));
    EXPECT_EQ(61, w->value);
    EXPECT_EQ(10, f.v->value);
    EXPECT_EQ(1110u, host.clock);
    host.escapes = {1150};  // the second run starts at 1110: four values before Escape
    EXPECT_FALSE(loop->execute(context));
    EXPECT_EQ(54, w->value);
}

TEST_F(MacroRun, VariableMacrosChangeTheFigure) {
    f.addEveryKind();
    auto* modify = static_cast<CMacroModificationVariable*>(f.macros[14]);
    EXPECT_TRUE(macro_run::executeMacro(*modify, context));
    EXPECT_EQ(20, f.v->maximum);
    EXPECT_EQ(4, f.v->value);
    modify->step.setNumber(-1);
    EXPECT_FALSE(modify->canExecute(false));
    EXPECT_TRUE(f.macros[8]->execute(context));
    EXPECT_EQ(4.5, f.v->value);
    auto* place = static_cast<CMacroAffectationPointLie*>(f.macros[17]);
    EXPECT_TRUE(place->execute(context));
    EXPECT_EQ(0.75, f.m->abscissa);
}

// Sequences that contain themselves, directly or through another sequence or a loop.
TEST_F(MacroRun, SequencesThatRunThemselvesAreRefusedAndNeverRecurse) {
    auto* s1 = f.macro<CMacroSuiteMacros>("S1");
    auto* s2 = f.macro<CMacroSuiteMacros>("S2");
    auto* plus = f.macro<CMacroIncrementationVariable>("Plus");
    plus->variable = f.v;
    s2->addObject(nat::macro, plus);
    s1->addObject(nat::macro, s2);
    EXPECT_TRUE(s2->wouldLoop(s1));
    s2->addObject(nat::macro, s1);  // what the tools refuse, made by hand
    EXPECT_FALSE(s1->canExecute(true));
    EXPECT_FALSE(macro_run::executeMacro(*s2, context));
    EXPECT_FALSE(s1->execute(context));
    EXPECT_EQ(3, f.v->value);  // S1 ran S2, which ran Plus once and stopped at S1
    auto* loop = f.macro<CMacroBoucleAvecAnimation>("Boucle");
    loop->loop.variable = f.v;
    loop->loop.atEnd = s1;
    s1->addObject(nat::macro, loop);
    EXPECT_FALSE(loop->canExecute(false));
}

}  // namespace
