// The "Macros" menu: each creation tool from its command, with its lists, dialog and clicks;
// the refusals of the preconditions and of the dialogs; the conversions and the tools that add
// objects to a macro or remove them.
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QTimer>
#include <variant>

#include "macro_fixture.h"
#include "view/CFigureRenderer.h"
#include "view/COutilsMacros.h"
#include "view/ToolTexts.h"

namespace {

// What the tests' figure holds besides [AB] and M: a second point N linked to [AB], a
// variable k, a pause macro and a macro showing A and [AB].
struct Refs {
    CPointBase* a;
    CSegment* seg;
    CPointLie *m, *n;
    CVariableBornee* k;
    CMacro* pause;
};

class MacroMenu : public MacroTool {
protected:
    void SetUp() override {
        MacroTool::SetUp();
        n = add<CPointLieDroite>(nat::pointLie, seg, 0.75);
        k = add<CVariableBornee>(nat::variable, "k", 1.0, 0.0, 10.0, 1.0, "0", "10", "1");
        pause = macro<CMacroPause>("Attendre");
        show = macro<CMacroApparition>("Voir", 4500);
        show->addObject(nat::pointLibre, a);
        show->addObject(nat::segment, seg);
        // Sounds are offered only in a saved figure.
        doc().path = "/tmp/figure.qvf";
    }
    Refs refs() const { return {a, seg, m, n, k, pause}; }

    CPointLieDroite* n = nullptr;
    CVariableBornee* k = nullptr;
    CMacro* pause = nullptr;
    CMacroApparition* show = nullptr;
};

// A click at a pixel, a click on the pause or the showing macro's button, or a right click.
struct Click {
    int x, y;
};
struct OnPause {};
struct OnShow {};
struct Right {};
using Act = std::variant<Click, OnPause, OnShow, Right>;

constexpr Click kA{100, 100}, kM{150, 100}, kN{250, 100}, kSeg{200, 100};

struct Creation {
    const char* name;
    int command;
    std::vector<int> items;  // the variable, then the loop's macros
    std::vector<std::string> fields;
    std::vector<Act> acts;
    std::function<void(CMacro*, const Refs&)> check;
};

template <class T>
T* as(CMacro* m) {
    auto* t = dynamic_cast<T*>(m);
    EXPECT_NE(nullptr, t);
    return t;
}

std::vector<CElementBase*> listed(CMacro* m) {
    std::vector<CElementBase*> out;
    if (auto* l = dynamic_cast<CMacroAvecListe*>(m))
        for (CActionAncetre* e : l->objects.entries()) out.push_back(e->element);
    return out;
}

class MacroCreation : public MacroMenu, public ::testing::WithParamInterface<Creation> {};

TEST_P(MacroCreation, FromTheMenuWithOneUndoState) {
    const Creation& c = GetParam();
    ASSERT_TRUE(select(c.command));
    dialogs.itemAnswers.assign(c.items.begin(), c.items.end());
    dialogs.fieldAnswers.push_back(c.fields);
    const int before = list().count();
    click(50, 400);
    for (const Act& act : c.acts) {
        EXPECT_EQ(before, list().count()) << "joined the figure before its last step";
        if (auto* p = std::get_if<Click>(&act)) click(p->x, p->y);
        if (std::holds_alternative<OnPause>(act)) clickOn(pause);
        if (std::holds_alternative<OnShow>(act)) clickOn(show);
        if (std::holds_alternative<Right>(act)) rightClick(5, 5);
    }
    ASSERT_EQ(before + 1, list().count());
    auto* made = last<CMacro>();
    ASSERT_NE(nullptr, made);
    EXPECT_EQ(c.fields[0], made->title);
    // The button starts at the click (logical 500, 4000) and not before it.
    view->redraw();
    EXPECT_EQ(0, made->designationDistance(510, 4030, false));
    EXPECT_NE(0, made->designationDistance(490, 4030, false));
    EXPECT_EQ("Créer une macro", doc().history().undoText());
    c.check(made, refs());
}

using Objects = std::vector<CElementBase*>;

// clang-format off
INSTANTIATE_TEST_SUITE_P(Kinds, MacroCreation, ::testing::Values(
    // A taken twice, and a click on nothing, add nothing.
    Creation{"Appearance", Cmd::newMacroAppearance, {}, {"Montrer", "", "1"}, {kA, kA, kSeg, Click{5, 5}, Right{}},
        [](CMacro* m, const Refs& r) { EXPECT_EQ((Objects{r.a, r.seg}), listed(as<CMacroApparition>(m))); }},
    Creation{"Blinking", Cmd::newMacroBlinking, {}, {"Clignoter", "", "15"}, {kA, Right{}},
        [](CMacro* m, const Refs& r) { EXPECT_EQ(Objects{r.a}, listed(as<CMacroClignotement>(m))); }},
    Creation{"Animation", Cmd::newMacroAnimation, {}, {"Animer", "", "1", "20", "30", "25"}, {kM},
        [](CMacro* m, const Refs& r) {
            auto* anim = as<CMacroAnimationPointLie>(m);
            EXPECT_EQ((std::vector<int>{20, 30, 25}), (std::vector<int>{anim->f, anim->n, anim->d}));
            EXPECT_EQ(r.m, anim->linkedPoint);
        }},
    Creation{"AnimationWithTrace", Cmd::newMacroAnimationWithTrace, {}, {"Animer et tracer", "", "1", "0", "1", "10", "40", "0"}, {kSeg, Right{}, kM},
        [](CMacro* m, const Refs& r) {
            auto* anim = as<CMacroAnimationAvecTrace>(m);
            EXPECT_TRUE(anim->oneCycle && !anim->cyclic && anim->eraseTraces);
            EXPECT_EQ(Objects{r.seg}, listed(m));
        }},
    Creation{"TraceByPoint", Cmd::newMacroTraceByPoint, {}, {"Tracer", "", "50", "5"}, {kSeg, Right{}, kM},
        [](CMacro* m, const Refs& r) { EXPECT_EQ(r.m, as<CMacroTraceAuto>(m)->linkedPoint); }},
    Creation{"TraceByVariable", Cmd::newMacroTraceByVariable, {0}, {"Tracer k", "", "60", "0"}, {kSeg, Right{}},
        [](CMacro* m, const Refs& r) { EXPECT_EQ(r.k, as<CMacroTraceAutoParVariable>(m)->variable); }},
    Creation{"DisappearanceFromAppearance", Cmd::newMacroDisappearanceFromAppearance, {}, {"Cacher", ""},
        {OnPause{}, OnShow{}},  // the pause is no appearance macro
        [](CMacro* m, const Refs& r) { EXPECT_EQ((Objects{r.a, r.seg}), listed(as<CMacroDisparition>(m))); }},
    Creation{"Pause", Cmd::newMacroPause, {}, {"Patienter", "Un temps", "3"}, {},
        [](CMacro* m, const Refs&) { EXPECT_EQ(3, as<CMacroPause>(m)->seconds); }},
    Creation{"Sequence", Cmd::newMacroSequence, {}, {"Suite", ""}, {OnPause{}, Right{}},
        [](CMacro* m, const Refs& r) { EXPECT_EQ(Objects{r.pause}, listed(as<CMacroSuiteMacros>(m))); }},
    Creation{"MoveLinkedPoint", Cmd::newMacroMoveLinkedPoint, {}, {"Echanger", ""}, {kM, kN},
        [](CMacro* m, const Refs& r) { EXPECT_EQ(r.n, as<CMacroAffectationPointLie>(m)->target); }},
    Creation{"AssignValue", Cmd::newMacroAssignValue, {0}, {"Fixer", "", "2.5"}, {},
        [](CMacro* m, const Refs&) { EXPECT_DOUBLE_EQ(2.5, as<CMacroAffectationValeurVariable>(m)->value.getValue()); }},
    Creation{"Increment", Cmd::newMacroIncrement, {0}, {"Plus", ""}, {},
        [](CMacro* m, const Refs& r) { EXPECT_EQ(r.k, as<CMacroIncrementationVariable>(m)->variable); }},
    Creation{"ModifyVariable", Cmd::newMacroModifyVariable, {0}, {"Changer", "", "-1", "5", "0.5", "2"}, {},
        [](CMacro* m, const Refs&) { EXPECT_EQ(0.5, as<CMacroModificationVariable>(m)->step.getValue()); }},
    Creation{"LoopAnimation", Cmd::newMacroLoopAnimation, {0, 0, 1}, {"Boucler", "", "0", "5"}, {},
        [](CMacro* m, const Refs& r) {
            const LoopFields& loop = as<CMacroBoucleAvecAnimation>(m)->loop;
            EXPECT_EQ(nullptr, loop.before);
            EXPECT_EQ(r.pause, loop.atEnd);
        }},
    Creation{"LoopTrace", Cmd::newMacroLoopTrace, {0, 1, 0}, {"Boucler et tracer", "", "1", "0"}, {kSeg, Right{}},
        [](CMacro* m, const Refs& r) {
            EXPECT_EQ(r.pause, as<CMacroBoucleAvecTrace>(m)->loop.before);
            EXPECT_EQ(Objects{r.seg}, listed(m));
        }},
    Creation{"Sound", Cmd::newMacroSound, {}, {"Sonner", "", "  cloche.wav ", "1"}, {},
        [](CMacro* m, const Refs&) { EXPECT_EQ("cloche.wav", as<CMacroJouantSon>(m)->path); }}),
    [](const auto& info) { return info.param.name; });
// clang-format on

// Without what the kind needs, the command is refused with its message.
struct Refusal {
    int command;
    int message;
};

class MacroRefusal : public MacroTool, public ::testing::WithParamInterface<Refusal> {};

TEST_P(MacroRefusal, LeavesTheToolAsItWas) {
    COutil* before = etatOutils().currentTool;
    EXPECT_FALSE(select(GetParam().command));
    EXPECT_EQ(toolText(GetParam().message), lastMessage());
    EXPECT_EQ(before, etatOutils().currentTool);
}

INSTANTIATE_TEST_SUITE_P(Preconditions, MacroRefusal,
                         ::testing::Values(Refusal{Cmd::executeMacro, Msg::needMacro},
                                           Refusal{Cmd::newMacroAssignValue, Msg::needVariable},
                                           Refusal{Cmd::newMacroSound, Msg::soundNeedsSavedFigure},
                                           Refusal{Cmd::newMacroDisappearanceFromAppearance,
                                                   Msg::needAppearanceMacro},
                                           Refusal{Cmd::newMacroAppearanceFromDisappearance,
                                                   Msg::needDisappearanceMacro},
                                           Refusal{Cmd::newMacroSequence, Msg::needAnyMacro},
                                           Refusal{Cmd::addObjectsToMacro, Msg::needListMacro}));

// A refused field shows its message and the dialog comes back.
struct FieldRefusal {
    int command;
    std::vector<std::string> refused, accepted;
    std::string message;
};

class MacroFieldRefusal : public MacroMenu, public ::testing::WithParamInterface<FieldRefusal> {};

TEST_P(MacroFieldRefusal, AsksAgain) {
    const FieldRefusal& c = GetParam();
    ASSERT_TRUE(select(c.command));
    dialogs.fieldAnswers = {c.refused, c.accepted};
    click(50, 400);
    EXPECT_EQ(c.message, lastMessage());
    EXPECT_EQ(2u, dialogs.titles.size());
    // The second answer was taken: the macro joined the figure or its next step began.
    EXPECT_NE(toolText(Msg::promptPlaceMacro), lastPrompt);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Fields, MacroFieldRefusal, ::testing::Values(
    FieldRefusal{Cmd::newMacroPause, {" ", "", "0"}, {"X", "", "0"}, "Vous devez entrer\nun intitulé pour la macro"},
    FieldRefusal{Cmd::newMacroPause, {"Attendre", "", "0"}, {"X", "", "0"}, "L'intitulé est celui d'une\nmacro déjà définie"},
    FieldRefusal{Cmd::newMacroPause, {"X", "", "2,5"}, {"X", "", "0"}, "La durée de la pause doit être un nombre entier\nde secondes, positif ou nul"},
    FieldRefusal{Cmd::newMacroAssignValue, {"X", "", "k"}, {"X", "", "3"}, "On ne peut pas affecter\nla variable à elle-même"},
    FieldRefusal{Cmd::newMacroAssignValue, {"X", "", " "}, {"X", "", "3"}, "\nVous devez entrer\nune valeur"},
    FieldRefusal{Cmd::newMacroSound, {"X", "", "  ", "0"}, {"X", "", "a.wav", "0"}, "Vous devez entrer un chemin d'accès au fichier"},
    FieldRefusal{Cmd::newMacroBlinking, {"X", "", "-1"}, {"X", "", "0"}, "La durée doit être un nombre entier\nde dixièmes de seconde, positif ou nul"},
    FieldRefusal{Cmd::newMacroTraceByVariable, {"X", "", "1", "0"}, {"X", "", "2", "0"}, "Le nombre de positions doit être un nombre\nentier au moins égal à 2"},
    FieldRefusal{Cmd::newMacroLoopAnimation, {"X", "", "1", "-5"}, {"X", "", "1", "5"}, "La fréquence doit être un nombre entier\nde millièmes de seconde, positif ou nul"}));
// clang-format on

TEST_F(MacroMenu, ValuesThatCannotRunNowAreOnlyAWarning) {
    ASSERT_TRUE(select(Cmd::newMacroModifyVariable));
    dialogs.fieldAnswers.push_back({"Inverser", "", "5", "1", "1", "2"});
    click(50, 400);
    EXPECT_EQ(toolText(Msg::macroNotExecutable), lastMessage());
    EXPECT_NE(nullptr, last<CMacroModificationVariable>());
}

TEST_F(MacroTool, MovingAPointNeedsAnotherPointOnItsCurve) {
    ASSERT_TRUE(select(Cmd::newMacroMoveLinkedPoint));
    dialogs.fieldAnswers.push_back({"Deplacer", ""});
    const int before = list().count();
    click(50, 400);
    click(kM.x, kM.y);
    EXPECT_EQ(toolText(Msg::needOtherLinkedPoint), lastMessage());
    EXPECT_EQ(before, list().count());
}

// A macro of objects is not kept without objects; a trace loop only when its end macro traces.
TEST_F(MacroMenu, WithoutObjectsNotKeptUnlessALoopsEndMacroTraces) {
    const int before = list().count();
    ASSERT_TRUE(select(Cmd::newMacroAppearance));
    dialogs.fieldAnswers.push_back({"Rien", ""});
    click(50, 400);
    rightClick(5, 5);
    EXPECT_EQ(before, list().count());
    ASSERT_TRUE(select(Cmd::newMacroLoopTrace));
    dialogs.itemAnswers = {0, 0, 0};
    dialogs.fieldAnswers.push_back({"Vide", "", "1", "0"});
    click(50, 400);
    rightClick(5, 5);
    EXPECT_EQ(toolText(Msg::needLoopTraces), lastMessage());
    EXPECT_EQ(before, list().count());

    auto* trace = macro<CMacroTraceAutoParVariable>("Tracer", 3500);
    trace->variable = k;
    ASSERT_TRUE(select(Cmd::newMacroLoopTrace));
    dialogs.itemAnswers = {0, 0, 3};  // the trace, after "Aucune macro", the pause and "Voir"
    dialogs.fieldAnswers.push_back({"Vide", "", "1", "0"});
    click(50, 400);
    rightClick(5, 5);
    ASSERT_NE(nullptr, last<CMacroBoucleAvecTrace>());
    EXPECT_EQ(trace, last<CMacroBoucleAvecTrace>()->loop.atEnd);
}

TEST_F(MacroMenu, ObjectsAddedToAndRemovedFromAMacroAtTheRightClick) {
    ASSERT_TRUE(select(Cmd::addObjectsToMacro));
    clickOn(show);
    click(kA.x, kA.y);  // listed already
    click(kM.x, kM.y);
    EXPECT_EQ((Objects{a, seg}), listed(show));
    rightClick(5, 5);
    EXPECT_EQ((Objects{a, seg, m}), listed(show));
    EXPECT_EQ("Ajout d'objets à macro", doc().history().undoText());

    // The objects a macro shows are hidden: they are offered all the same.
    a->masked = true;
    ASSERT_TRUE(select(Cmd::removeObjectsFromMacro));
    clickOn(show);
    click(kA.x, kA.y);
    rightClick(5, 5);
    EXPECT_EQ((Objects{seg, m}), listed(show));
    EXPECT_EQ("Retrait d'objets d'une macro", doc().history().undoText());
    EXPECT_TRUE(drawingState().hideMasked);
}

TEST_F(MacroMenu, EditingAMacroChangesItOnlyWhenAccepted) {
    auto* anim = macro<CMacroAnimationPointLie>("Animer", 3500);
    anim->linkedPoint = m;
    anim->f = 10, anim->n = 20, anim->d = 0;
    ASSERT_TRUE(select(Cmd::editMacro));
    clickOn(anim);  // Cancel
    EXPECT_FALSE(doc().history().canUndo());
    ASSERT_TRUE(select(Cmd::editMacro));
    // Its own title is not taken; the refused count asks again.
    dialogs.fieldAnswers = {{"Animer", "", "1", "10", "1", "0"},
                            {"Animer vite", "Plus vite", "0", "5", "40", "10"}};
    clickOn(anim);
    EXPECT_EQ("Le nombre de positions doit être un nombre\nentier au moins égal à 2",
              lastMessage());
    EXPECT_EQ("Animer vite", anim->title);
    EXPECT_EQ(40, anim->n);
    EXPECT_EQ("Modifier macro", doc().history().undoText());
}

// The Qt dialog shows a yes/no question as a check box and gives back "1" or "0".
TEST(MacroDialog, QuestionsAreCheckBoxes) {
    setToolDialogs(nullptr);
    QTimer::singleShot(0, [] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(nullptr, dialog);
        const auto boxes = dialog->findChildren<QCheckBox*>();
        ASSERT_EQ(2, boxes.size());
        boxes[0]->setChecked(false);
        boxes[1]->setChecked(true);
        dialog->findChild<QLineEdit*>()->setText("Animer");
        static_cast<QDialog*>(dialog)->accept();
    });
    std::vector<std::string> values{"", "1", "0"};
    ASSERT_TRUE(toolDialogs().editFields(
        kMacroDialogTitle, {"Intitulé :", "Animation cyclique ?", "Son asynchrone ?"}, values));
    EXPECT_EQ((std::vector<std::string>{"Animer", "0", "1"}), values);
}

}  // namespace
