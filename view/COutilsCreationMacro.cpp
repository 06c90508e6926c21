// The tools that make macros ("Nouvelle macro") and that add objects to a macro or remove
// objects from it. Each kind is one row of a table: its preconditions, what its dialog asks,
// and the steps that follow the dialog.
#include <QString>
#include <algorithm>
#include <functional>
#include <optional>
#include <type_traits>

#include "core/CHost.h"
#include "core/CPreferences.h"
#include "document/CPelvantiDoc.h"
#include "macros/CMacroKinds.h"
#include "view/CFigureRenderer.h"
#include "view/CGestionSouris.h"
#include "view/COutilsMacros.h"
#include "view/COutilsValeurs.h"
#include "view/CPelvantiView.h"
#include "view/Commands.h"
#include "view/ToolTexts.h"

namespace {
using Step = MacroStep;

const char* const kPointToAnimate = "Cliquez sur le point lié que la macro animera";
const char* const kGeneratingPoint = "Cliquez sur le point lié qui générera les traces";
}  // namespace

const std::vector<MacroToolDesc>& macroToolTable() {
    using K = MacroKind;
    const char* const traced = toolText(Msg::promptObjectsToTrace);
    static const std::vector<MacroToolDesc> table = {
        // clang-format off
        {Cmd::newMacroAppearance, "Apparition d'objets", K::appearance, {Msg::needVisibleGraphic}, {Step::objects}, {toolText(Msg::promptAppearanceObjects)}},
        {Cmd::newMacroDisappearance, "Disparition d'objets", K::disappearance, {Msg::needVisibleGraphic}, {Step::objects},
         {"Cliquez sur un objet pour que la macro le masque, ou sur le bouton droit pour finir"}},
        {Cmd::newMacroDisappearanceFromAppearance, "Disparition à partir de macro d'apparition", K::disappearanceFromAppearance,
         {Msg::needAppearanceMacro}, {Step::sourceMacro}, {toolText(Msg::promptAppearanceSource)}},
        {Cmd::newMacroAppearanceFromDisappearance, "Apparition à partir de macro de disparition", K::appearanceFromDisappearance,
         {Msg::needDisappearanceMacro}, {Step::sourceMacro}, {toolText(Msg::promptDisappearanceSource)}},
        {Cmd::newMacroAnimation, "Animation", K::animation, {Msg::needLinkedPoint}, {Step::linkedPoint}, {kPointToAnimate}},
        {Cmd::newMacroAnimationWithTrace, "Animation avec trace", K::animationWithTrace, {Msg::needLinkedPoint},
         {Step::objects, Step::linkedPoint}, {traced, kPointToAnimate}},
        {Cmd::newMacroAssignValue, "Affectation valeur à variable", K::assignValue, {Msg::needVariable}, {}, {}},
        {Cmd::newMacroIncrement, "Incrémentation d'une variable", K::increment, {Msg::needVariable}, {}, {}},
        {Cmd::newMacroDecrement, "Décrémentation d'une variable", K::decrement, {Msg::needVariable}, {}, {}},
        {Cmd::newMacroModifyVariable, "Modification d'une variable", K::modifyVariable, {Msg::needVariable}, {}, {}},
        {Cmd::newMacroTraceByPoint, "Trace automatique par point lié", K::traceByPoint, {Msg::needLinkedPoint},
         {Step::objects, Step::linkedPoint}, {traced, kGeneratingPoint}},
        {Cmd::newMacroTraceByVariable, "Trace automatique par variable", K::traceByVariable,
         {Msg::needVisibleGraphic, Msg::needVariable}, {Step::objects}, {traced}},
        {Cmd::newMacroRedraw, "Réaffichant toute la figure", K::redraw, {Msg::redrawMacroExists}, {}, {}},
        {Cmd::newMacroPause, "Pause", K::pause, {}, {}, {}},
        {Cmd::newMacroSequence, "Exécution d'une suite de macros", K::sequence, {Msg::needAnyMacro}, {Step::macros},
         {"Cliquez sur les macros à exécuter, dans l'ordre, puis sur le bouton droit"}},
        {Cmd::newMacroMoveLinkedPoint, "Déplaçant un point lié", K::moveLinkedPoint, {Msg::needLinkedPoint},
         {Step::linkedPoint, Step::otherLinkedPoint},
         {"Cliquez sur le point lié que la macro déplacera", "Cliquez sur le point lié dont il prendra la place"}},
        {Cmd::newMacroSound, "Jouant un fichier sonore", K::sound, {Msg::soundNeedsSavedFigure}, {}, {}},
        {Cmd::newMacroBlinking, "Clignotement d'objets", K::blinking, {Msg::needVisibleGraphic}, {Step::objects},
         {"Cliquez sur un objet que la macro fera clignoter, ou sur le bouton droit pour finir"}},
        {Cmd::newMacroLoopAnimation, "Boucle avec animation", K::loopAnimation, {Msg::needVisibleGraphic, Msg::needVariable}, {}, {}},
        {Cmd::newMacroLoopTrace, "Boucle avec trace d'objets", K::loopTrace, {Msg::needVisibleGraphic, Msg::needVariable},
         {Step::objects}, {traced}},
        // clang-format on
    };
    return table;
}

namespace {
const MacroToolDesc& descOf(MacroKind kind) {
    for (const MacroToolDesc& d : macroToolTable())
        if (d.kind == kind) return d;
    return macroToolTable().front();
}

bool shown(const CActionAncetre* e) {
    auto* g = dynamic_cast<const CElementGraphique*>(e->element);
    return g && e->element->exists && !(drawingState().hideMasked && g->masked);
}

// The visible entries of the figure whose nature is in `mask` and that pass `keep`.
std::vector<CActionAncetre*> visibleEntries(CPelvantiDoc& doc, Nature mask,
                                            const std::function<bool(CElementBase*)>& keep = {}) {
    std::vector<CActionAncetre*> out;
    for (CActionAncetre* e : doc.graphicList().entries())
        if ((e->nature & mask) && shown(e) && (!keep || keep(e->element))) out.push_back(e);
    return out;
}

template <class T>
std::vector<T*> elementsOf(CListeAction& list) {
    std::vector<T*> out;
    for (CActionAncetre* e : list.entries())
        if (auto* t = dynamic_cast<T*>(e->element)) out.push_back(t);
    return out;
}

constexpr Nature kCollectable = nat::graphique & ~nat::macro;

bool needHolds(int id, CPelvantiDoc& doc) {
    CListeAction& list = doc.list();
    switch (id) {
        case Msg::needVisibleGraphic:
            return !visibleEntries(doc, kCollectable).empty();
        case Msg::needLinkedPoint:
            return !visibleEntries(doc, nat::pointLie).empty();
        case Msg::needVariable:
            return !elementsOf<CVariableBornee>(list).empty();
        case Msg::needAnyMacro:
            return !elementsOf<CMacro>(list).empty();
        case Msg::needAppearanceMacro:
            return !visibleEntries(doc, nat::macro, [](CElementBase* e) {
                        return dynamic_cast<CMacroApparition*>(e) != nullptr;
                    }).empty();
        case Msg::needDisappearanceMacro:
            return !visibleEntries(doc, nat::macro, [](CElementBase* e) {
                        return dynamic_cast<CMacroDisparition*>(e) != nullptr;
                    }).empty();
        case Msg::soundNeedsSavedFigure:
            return !doc.path.empty();
        case Msg::redrawMacroExists:
            return elementsOf<CMacroAffichantTout>(list).empty();
        default:
            return true;
    }
}

std::string trimmed(const std::string& text) {
    return QString::fromStdString(text).trimmed().toStdString();
}

// A whole number at least `minimum`; nullopt otherwise.
std::optional<int> readWhole(const std::string& text, int minimum) {
    bool ok = false;
    const int n = QString::fromStdString(text).trimmed().toInt(&ok);
    if (!ok || n < minimum) return std::nullopt;
    return n;
}

// A whole-number field of a macro dialog.
struct WholeField {
    const char* label;
    int minimum;
    const char* refusal;
};
const WholeField kPoints{"Nombre de positions du point :", 2,
                         "Le nombre de positions doit être un nombre\nentier au moins égal à 2"};
const WholeField kFrequency{
    "Fréquence d'animation (millièmes de seconde, 0 : vitesse maximale) :", 0,
    "La fréquence doit être un nombre entier\nde millièmes de seconde, "
    "positif ou nul"};
const WholeField kDuration{
    "Durée (dixièmes de seconde, 0 : jusqu'à un clic) :", 0,
    "La durée doit être un nombre entier\nde dixièmes de seconde, positif ou nul"};
const WholeField kSeconds{
    "Durée de la pause en secondes (0 : jusqu'à un clic) :", 0,
    "La durée de la pause doit être un nombre entier\nde secondes, positif ou nul"};

const char* const kCyclic = "Animation cyclique ?";
const char* const kVisible = "Animation visible ?";
const char* const kOneByOne = "Un objet à chaque clic ?";

std::string yesNo(bool b) {
    return b ? "1" : "0";
}

// An empty macro of `kind`, its button at (x, y) in the palette's colour, with the
// preferences' animation settings.
std::unique_ptr<CMacro> newMacro(MacroKind kind, CListeAction& list, double x, double y) {
    const int8_t colour = static_cast<int8_t>(etatPalettes().colour);
    auto make = [&](auto tag) -> std::unique_ptr<CMacro> {
        using T = typename decltype(tag)::type;
        auto m = std::make_unique<T>(&list, "", "", x, y, colour);
        if constexpr (requires { m->cyclic; }) m->cyclic = preferences().cyclicAnimation;
        if constexpr (requires { m->n; }) m->n = preferences().animationNumberPoints;
        if constexpr (requires { m->f; }) m->f = preferences().animationFrequency;
        if constexpr (requires { m->loop; }) m->loop.f = preferences().animationFrequency;
        return m;
    };
    using std::type_identity;
    using K = MacroKind;
    switch (kind) {
        case K::appearance:
        case K::appearanceFromDisappearance:
            return make(type_identity<CMacroApparition>());
        case K::disappearance:
        case K::disappearanceFromAppearance:
            return make(type_identity<CMacroDisparition>());
        case K::animation:
            return make(type_identity<CMacroAnimationPointLie>());
        case K::animationWithTrace:
            return make(type_identity<CMacroAnimationAvecTrace>());
        case K::assignValue:
            return make(type_identity<CMacroAffectationValeurVariable>());
        case K::increment:
            return make(type_identity<CMacroIncrementationVariable>());
        case K::decrement:
            return make(type_identity<CMacroDecrementationVariable>());
        case K::modifyVariable:
            return make(type_identity<CMacroModificationVariable>());
        case K::traceByPoint:
            return make(type_identity<CMacroTraceAuto>());
        case K::traceByVariable:
            return make(type_identity<CMacroTraceAutoParVariable>());
        case K::redraw:
            return make(type_identity<CMacroAffichantTout>());
        case K::pause:
            return make(type_identity<CMacroPause>());
        case K::sequence:
            return make(type_identity<CMacroSuiteMacros>());
        case K::moveLinkedPoint:
            return make(type_identity<CMacroAffectationPointLie>());
        case K::sound:
            return make(type_identity<CMacroJouantSon>());
        case K::blinking:
            return make(type_identity<CMacroClignotement>());
        case K::loopAnimation:
            return make(type_identity<CMacroBoucleAvecAnimation>());
        case K::loopTrace:
            return make(type_identity<CMacroBoucleAvecTrace>());
    }
    return nullptr;
}

const LoopFields* loopOf(const CMacro& m) {
    if (auto* l = dynamic_cast<const CMacroBoucleAvecAnimation*>(&m)) return &l->loop;
    if (auto* l = dynamic_cast<const CMacroBoucleAvecTrace*>(&m)) return &l->loop;
    return nullptr;
}

// The macro's own fields of the dialog (label, current value), after the title and the
// comment.
std::vector<std::pair<std::string, std::string>> fieldsOf(const CMacro& macro) {
    auto number = [](const CValeurAssocieeAVariable& v) { return v.getText(12); };
    auto whole = [](int v) { return std::to_string(v); };
    if (auto* m = dynamic_cast<const CMacroApparition*>(&macro))
        return {{kOneByOne, yesNo(m->oneByOne)}};
    if (auto* m = dynamic_cast<const CMacroAnimationPointLie*>(&macro))
        return {{kCyclic, yesNo(m->cyclic)},
                {kFrequency.label, whole(m->f)},
                {kPoints.label, whole(m->n)},
                {kDuration.label, whole(m->d)}};
    if (auto* m = dynamic_cast<const CMacroAnimationAvecTrace*>(&macro))
        return {{"Un seul cycle d'animation ?", yesNo(m->oneCycle)},
                {kCyclic, yesNo(m->cyclic)},
                {"Effacement des traces en fin de cycle ?", yesNo(m->eraseTraces)},
                {kFrequency.label, whole(m->f)},
                {kPoints.label, whole(m->n)},
                {kDuration.label, whole(m->d)}};
    if (auto* m = dynamic_cast<const CMacroTraceAuto*>(&macro))
        return {{kPoints.label, whole(m->n)}, {kFrequency.label, whole(m->f)}};
    if (auto* m = dynamic_cast<const CMacroTraceAutoParVariable*>(&macro))
        return {{kPoints.label, whole(m->n)}, {kFrequency.label, whole(m->f)}};
    if (auto* m = dynamic_cast<const CMacroAffectationValeurVariable*>(&macro))
        return {{"Valeur à affecter :", m->variable ? number(m->value) : ""}};
    if (auto* m = dynamic_cast<const CMacroModificationVariable*>(&macro))
        return {{"Nouvelle valeur mini :", number(m->minimum)},
                {"Nouvelle valeur maxi :", number(m->maximum)},
                {"Nouveau pas d'incrémentation :", number(m->step)},
                {"Nouvelle valeur actuelle :", number(m->value)}};
    if (auto* m = dynamic_cast<const CMacroPause*>(&macro))
        return {{kSeconds.label, whole(m->seconds)}};
    if (auto* m = dynamic_cast<const CMacroJouantSon*>(&macro))
        return {{"Chemin d'accès au fichier son :", m->path},
                {"Son asynchrone ?", yesNo(m->asynchronous)}};
    if (auto* m = dynamic_cast<const CMacroClignotement*>(&macro))
        return {{kDuration.label, whole(m->d)}};
    if (const LoopFields* l = loopOf(macro))
        return {{kVisible, yesNo(l->visible)}, {kFrequency.label, whole(l->f)}};
    return {};
}

// Reads the macro's fields of a dialog answer, in order; each refusal shows its message.
class FieldReader {
public:
    FieldReader(const std::vector<std::string>& values, CListeAction& list)
        : values_(values), list_(list) {}
    bool yes() { return values_[next_++] == "1"; }
    std::string text() { return values_[next_++]; }
    bool whole(const WholeField& field, int32_t& out) {
        const std::optional<int> n = readWhole(values_[next_++], field.minimum);
        if (!n) {
            toolMessageText(field.refusal, MB_OK | MB_ICONEXCLAMATION);
            return false;
        }
        out = *n;
        return true;
    }
    // A number or a value of the figure, which must not be `variable` itself.
    bool value(CValeurAssocieeAVariable& out, const CVariableBornee* variable) {
        CValeurAssocieeAVariable v;
        if (!readValue(list_, values_[next_++], v, Msg::enterValue)) return false;
        if (v.reference && v.reference == variable) {
            toolMessage(Msg::cannotAssignItself, MB_OK | MB_ICONEXCLAMATION);
            return false;
        }
        out = v;
        return true;
    }

private:
    const std::vector<std::string>& values_;
    CListeAction& list_;
    size_t next_ = 2;  // after the title and the comment
};

// The variable and the loop macros a macro works with, chosen from lists.
struct Choices {
    bool hasVariable = false;
    bool isLoop = false;
    CVariableBornee* variable = nullptr;
    CMacro* before = nullptr;
    CMacro* atEnd = nullptr;
};

Choices choicesOf(const CMacro& macro) {
    Choices c;
    auto uses = [&c](CVariableBornee* v) {
        c.hasVariable = true;
        c.variable = v;
    };
    if (auto* m = dynamic_cast<const CMacroTraceAutoParVariable*>(&macro)) uses(m->variable);
    if (auto* m = dynamic_cast<const CMacroAffectationValeurVariable*>(&macro)) uses(m->variable);
    if (auto* m = dynamic_cast<const CMacroPasVariable*>(&macro)) uses(m->variable);
    if (auto* m = dynamic_cast<const CMacroModificationVariable*>(&macro)) uses(m->variable);
    if (const LoopFields* l = loopOf(macro)) {
        uses(l->variable);
        c.isLoop = true;
        c.before = l->before;
        c.atEnd = l->atEnd;
    }
    return c;
}

bool fillLoop(LoopFields& loop, FieldReader& r, const Choices& c) {
    loop.visible = r.yes();
    if (!r.whole(kFrequency, loop.f)) return false;
    loop.variable = c.variable;
    loop.before = c.before;
    loop.atEnd = c.atEnd;
    return true;
}

// Sets the macro's fields from the dialog's answer and the lists' choices; false (after the
// message) when a field is refused, the macro being then partly set.
bool fillMacro(CMacro& macro, const std::vector<std::string>& values, CListeAction& list,
               const Choices& c) {
    FieldReader r(values, list);
    macro.title = values[0];
    macro.comment = values[1];
    if (auto* m = dynamic_cast<CMacroApparition*>(&macro)) {
        m->oneByOne = r.yes();
    } else if (auto* m = dynamic_cast<CMacroAnimationPointLie*>(&macro)) {
        m->cyclic = r.yes();
        return r.whole(kFrequency, m->f) && r.whole(kPoints, m->n) && r.whole(kDuration, m->d);
    } else if (auto* m = dynamic_cast<CMacroAnimationAvecTrace*>(&macro)) {
        m->oneCycle = r.yes();
        m->cyclic = r.yes();
        m->eraseTraces = r.yes();
        return r.whole(kFrequency, m->f) && r.whole(kPoints, m->n) && r.whole(kDuration, m->d);
    } else if (auto* m = dynamic_cast<CMacroTraceAuto*>(&macro)) {
        return r.whole(kPoints, m->n) && r.whole(kFrequency, m->f);
    } else if (auto* m = dynamic_cast<CMacroTraceAutoParVariable*>(&macro)) {
        m->variable = c.variable;
        return r.whole(kPoints, m->n) && r.whole(kFrequency, m->f);
    } else if (auto* m = dynamic_cast<CMacroAffectationValeurVariable*>(&macro)) {
        m->variable = c.variable;
        return r.value(m->value, c.variable);
    } else if (auto* m = dynamic_cast<CMacroPasVariable*>(&macro)) {
        m->variable = c.variable;
    } else if (auto* m = dynamic_cast<CMacroModificationVariable*>(&macro)) {
        m->variable = c.variable;
        return r.value(m->minimum, c.variable) && r.value(m->maximum, c.variable) &&
               r.value(m->step, c.variable) && r.value(m->value, c.variable);
    } else if (auto* m = dynamic_cast<CMacroPause*>(&macro)) {
        return r.whole(kSeconds, m->seconds);
    } else if (auto* m = dynamic_cast<CMacroJouantSon*>(&macro)) {
        m->path = trimmed(r.text());
        m->asynchronous = r.yes();
        if (m->path.empty()) {
            toolMessage(Msg::needSoundPath, MB_OK | MB_ICONEXCLAMATION);
            return false;
        }
    } else if (auto* m = dynamic_cast<CMacroClignotement*>(&macro)) {
        return r.whole(kDuration, m->d);
    } else if (auto* m = dynamic_cast<CMacroBoucleAvecAnimation*>(&macro)) {
        return fillLoop(m->loop, r, c);
    } else if (auto* m = dynamic_cast<CMacroBoucleAvecTrace*>(&macro)) {
        return fillLoop(m->loop, r, c);
    }
    return true;
}

// A macro chosen from the figure's macros that do not run `self`, "Aucune macro" giving
// none; false on Cancel.
bool chooseMacro(CListeAction& list, const CMacro* self, const std::string& title, CMacro*& out) {
    std::vector<CMacro*> macros;
    for (CMacro* m : elementsOf<CMacro>(list))
        if (!self || !m->runs(self)) macros.push_back(m);
    std::vector<std::string> items{"Aucune macro"};
    for (CMacro* m : macros) items.push_back(m->title);
    const auto at = std::find(macros.begin(), macros.end(), out);
    int index = at == macros.end() ? 0 : static_cast<int>(at - macros.begin()) + 1;
    if (!toolDialogs().chooseItem(title, items, index)) return false;
    out = index > 0 && index <= static_cast<int>(macros.size()) ? macros[index - 1] : nullptr;
    return true;
}

// The lists the macro needs, each showing its current choice; false on Cancel.
bool chooseLists(CListeAction& list, const CMacro* self, Choices& c) {
    if (c.hasVariable) {
        const std::vector<CVariableBornee*> variables = elementsOf<CVariableBornee>(list);
        std::vector<std::string> names;
        for (CVariableBornee* v : variables) names.push_back(v->getName());
        const auto at = std::find(variables.begin(), variables.end(), c.variable);
        int index = at == variables.end() ? 0 : static_cast<int>(at - variables.begin());
        if (!toolDialogs().chooseItem("Choisissez la variable", names, index)) return false;
        if (index < 0 || index >= static_cast<int>(variables.size())) return false;
        c.variable = variables[index];
    }
    if (c.isLoop)
        return chooseMacro(list, self, "Macro à exécuter avant le début des boucles", c.before) &&
               chooseMacro(list, self, "Macro à exécuter à la fin de chaque boucle", c.atEnd);
    return true;
}

// An accepted answer of a macro's dialog.
struct Answer {
    std::vector<std::string> values;
    Choices choices;
};

// The dialog of a macro: lists, then title, comment and the macro's fields, until an answer
// is accepted into `macro` (its title must differ from the other macros'); none on Cancel.
// `self` is the macro being edited, null for a new one.
std::optional<Answer> macroDialog(CMacro& macro, CListeAction& list, const CMacro* self) {
    Choices choices = choicesOf(macro);
    if (!chooseLists(list, self, choices)) return std::nullopt;
    if (auto* m = dynamic_cast<CMacroModificationVariable*>(&macro); m && !self) {
        // A new modification starts from what the variable holds now.
        CVariableBornee* v = choices.variable;
        m->minimum.setNumberWithText(v->minimum, v->minimumText);
        m->maximum.setNumberWithText(v->maximum, v->maximumText);
        m->step.setNumberWithText(v->step, v->stepText);
        m->value.setNumber(v->value);
    }
    std::vector<std::string> labels{"Intitulé :", "Commentaire explicatif :"};
    std::vector<std::string> values{macro.title, macro.comment};
    for (auto& [label, value] : fieldsOf(macro)) {
        labels.push_back(label);
        values.push_back(value);
    }
    for (;;) {
        if (!toolDialogs().editFields(kMacroDialogTitle, labels, values)) return std::nullopt;
        values.resize(labels.size());
        values[0] = trimmed(values[0]);
        if (values[0].empty()) {
            toolMessage(Msg::needMacroTitle, MB_OK | MB_ICONEXCLAMATION);
            continue;
        }
        const std::vector<CMacro*> taken = elementsOf<CMacro>(list);
        if (std::any_of(taken.begin(), taken.end(),
                        [&](const CMacro* m) { return m != self && m->title == values[0]; })) {
            toolMessage(Msg::macroTitleTaken, MB_OK | MB_ICONEXCLAMATION);
            continue;
        }
        if (!fillMacro(macro, values, list, choices)) continue;
        // Values that cannot be used now may become usable when the figure changes: a
        // warning, not a refusal.
        if (choices.hasVariable && !choices.isLoop && !macro.canExecute(false))
            toolMessage(Msg::macroNotExecutable, MB_OK | MB_ICONEXCLAMATION);
        return Answer{values, choices};
    }
}

CPointLie* linkedPointOf(CActionAncetre* entry) {
    return entry ? dynamic_cast<CPointLie*>(entry->element) : nullptr;
}

void setLinkedPoint(CMacro& m, CPointLie* p) {
    if (auto* a = dynamic_cast<CMacroAnimationPointLie*>(&m)) a->linkedPoint = p;
    if (auto* a = dynamic_cast<CMacroAnimationAvecTrace*>(&m)) a->linkedPoint = p;
    if (auto* a = dynamic_cast<CMacroTraceAuto*>(&m)) a->linkedPoint = p;
    if (auto* a = dynamic_cast<CMacroAffectationPointLie*>(&m)) a->moved = p;
}

// A visible linked point of the same curve as `p`, other than `p`.
bool hasOtherPointOnCurve(CPelvantiDoc& doc, const CPointLie* p) {
    return !visibleEntries(doc, nat::pointLie, [p](CElementBase* e) {
                auto* q = dynamic_cast<CPointLie*>(e);
                return q && q != p && q->getCurve() == p->getCurve();
            }).empty();
}

// The macros whose kind `source` steps take objects from.
bool isSourceFor(MacroKind kind, const CElementBase* e) {
    return kind == MacroKind::disappearanceFromAppearance
               ? dynamic_cast<const CMacroApparition*>(e) != nullptr
               : dynamic_cast<const CMacroDisparition*>(e) != nullptr;
}

void blinkEntries(CPelvantiView* view, const std::vector<CActionAncetre*>& entries) {
    EtatOutils& st = etatOutils();
    st.blinkList.clear();
    for (CActionAncetre* e : entries) st.blinkList.append(e);
    view->startBlinking();
}
}  // namespace

COutilCreationMacro::COutilCreationMacro(MacroKind kind) : kind_(kind) {}

COutilCreationMacro::~COutilCreationMacro() = default;

int COutilCreationMacro::promptId() const {
    return Msg::promptPlaceMacro;
}

std::string COutilCreationMacro::prompt(int step) const {
    const MacroToolDesc& d = descOf(kind_);
    if (step <= 0 || step > static_cast<int>(d.stepPrompts.size()))
        return toolText(Msg::promptPlaceMacro);
    return d.stepPrompts[step - 1];
}

bool COutilCreationMacro::isAvailable() {
    CPelvantiView* view = CPelvantiView::activeView();
    if (!view) return false;
    for (int id : descOf(kind_).needs)
        if (!needHolds(id, *view->document())) {
            toolMessage(id, MB_OK | MB_ICONEXCLAMATION);
            return false;
        }
    return true;
}

bool COutilCreationMacro::activate(CPelvantiView* view) {
    making_.reset();
    steps_.clear();
    step_ = 0;
    COutil::activate(view);
    // Nothing is designated: the click only gives the place of the button.
    etatOutils().natureFilter = 0;
    installHandler(standardHandler(), view);
    return true;
}

void COutilCreationMacro::deactivate(CPelvantiView* view) {
    making_.reset();
    if (view) view->stopBlinking();
    COutil::deactivate(view);
}

std::unique_ptr<CMacro> COutilCreationMacro::askMacro(CListeAction& list, double x, double y) {
    std::unique_ptr<CMacro> macro = newMacro(kind_, list, x, y);
    if (!macroDialog(*macro, list, nullptr)) return nullptr;
    return macro;
}

void COutilCreationMacro::addToFigure(CPelvantiView* view) {
    view->stopBlinking();
    view->document()->addEntry(std::make_unique<CAction>(nat::macro, std::move(making_)));
    finishConstruction(view);
}

bool COutilCreationMacro::nextStep(CPelvantiView* view) {
    EtatOutils& st = etatOutils();
    if (step_ >= steps_.size()) {
        addToFigure(view);
        return true;
    }
    view->stopBlinking();
    installHandler(standardHandler(), view);
    switch (steps_[step_]) {
        case Step::objects:
            st.natureFilter = kCollectable;
            break;
        case Step::macros:
            st.natureFilter = nat::macro;
            break;
        case Step::linkedPoint:
        case Step::otherLinkedPoint:
            st.natureFilter = nat::pointLie;
            break;
        case Step::sourceMacro:
            st.natureFilter = nat::macro;
            blinkEntries(view,
                         visibleEntries(*view->document(), nat::macro,
                                        [this](CElementBase* e) { return isSourceFor(kind_, e); }));
            installHandler(blinkingHandler(), view);
            break;
    }
    ::setPrompt(prompt(static_cast<int>(step_) + 1));
    return false;
}

// Takes the designated entry for the current step; true when the step is over.
bool COutilCreationMacro::takeStep(CPelvantiView* view, CActionAncetre* entry) {
    EtatOutils& st = etatOutils();
    switch (steps_[step_]) {
        case Step::objects:
        case Step::macros: {
            auto* list = dynamic_cast<CMacroAvecListe*>(making_.get());
            if (!list) return true;
            // A collected object is not offered again and blinks until the end.
            list->addObject(entry->nature, entry->element);
            st.pendingList.append(entry);
            st.blinkList.append(entry);
            view->startBlinking();
            return false;
        }
        case Step::linkedPoint: {
            CPointLie* p = linkedPointOf(entry);
            if (!p) return false;
            if (kind_ == MacroKind::moveLinkedPoint &&
                !hasOtherPointOnCurve(*view->document(), p)) {
                toolMessage(Msg::needOtherLinkedPoint, MB_OK | MB_ICONEXCLAMATION);
                return false;
            }
            setLinkedPoint(*making_, p);
            st.pendingList.append(entry);
            return true;
        }
        case Step::otherLinkedPoint: {
            auto* m = dynamic_cast<CMacroAffectationPointLie*>(making_.get());
            CPointLie* p = linkedPointOf(entry);
            if (!m || !p || p == m->moved || p->getCurve() != m->moved->getCurve()) return false;
            m->target = p;
            return true;
        }
        case Step::sourceMacro: {
            auto* source = dynamic_cast<CMacroAvecListe*>(entry->element);
            auto* list = dynamic_cast<CMacroAvecListe*>(making_.get());
            if (!source || !list || !isSourceFor(kind_, source)) return false;
            for (CActionAncetre* e : source->objects.entries()) list->addObject(*e);
            return true;
        }
    }
    return false;
}

bool COutilCreationMacro::designate(CPelvantiView* view) {
    EtatOutils& st = etatOutils();
    if (!view) return false;
    if (making_) {
        CActionAncetre* entry = st.designatedObject;
        st.designatedObject = nullptr;
        if (!entry || !takeStep(view, entry)) return false;
        ++step_;
        return nextStep(view);
    }
    const LPoint at = CPelvantiView::toLogical(st.lastMouseX, st.lastMouseY);
    making_ = askMacro(view->document()->list(), at.x, at.y);
    if (!making_) return false;
    steps_ = descOf(kind_).steps;
    step_ = 0;
    return nextStep(view);
}

void COutilCreationMacro::onRightClick(CPelvantiView* view) {
    if (!making_ || !view || step_ >= steps_.size()) return;
    if (steps_[step_] != Step::objects && steps_[step_] != Step::macros) return;
    auto* list = dynamic_cast<CMacroAvecListe*>(making_.get());
    const bool empty = !list || list->objects.entries().empty();
    if (kind_ == MacroKind::loopTrace && empty) {
        // A trace loop draws its own objects, or the automatic trace run at each loop does.
        auto* loop = dynamic_cast<CMacroBoucleAvecTrace*>(making_.get());
        if (!dynamic_cast<CMacroTraceAutoParVariable*>(loop->loop.atEnd)) {
            toolMessage(Msg::needLoopTraces, MB_OK | MB_ICONEXCLAMATION);
            return;
        }
    } else if (empty) {
        // A macro that would act on nothing is not kept.
        view->stopBlinking();
        making_.reset();
        revenirCapture(view);
        return;
    }
    ++step_;
    if (nextStep(view)) revenirCapture(view);
}

// ---------------------------------------------------------------------------------------------
// Adding objects to a macro, removing objects from it

namespace {
std::vector<CActionAncetre*> listMacros(CPelvantiDoc& doc) {
    return visibleEntries(doc, nat::macro, [](CElementBase* e) {
        return dynamic_cast<CMacroAvecListe*>(e) != nullptr;
    });
}

const char* const kAddObject =
    "Cliquez sur un objet pour l'ajouter à la macro, ou sur le bouton droit pour finir";
const char* const kRemoveObject =
    "Cliquez sur un objet clignotant pour le retirer de la macro, ou sur le bouton droit pour "
    "finir";
}  // namespace

int COutilObjetsMacro::promptId() const {
    return adding_ ? Msg::promptAddToMacro : Msg::promptRemoveFromMacro;
}

std::string COutilObjetsMacro::prompt(int step) const {
    if (step == 0 || !macro_) return toolText(promptId());
    const int id = adding_ ? macro_->addObjectsPromptId() : macro_->removeObjectsPromptId();
    if (id >= 0) return toolText(id);
    return adding_ ? kAddObject : kRemoveObject;
}

bool COutilObjetsMacro::isAvailable() {
    CPelvantiView* view = CPelvantiView::activeView();
    if (view && !listMacros(*view->document()).empty()) return true;
    toolMessage(Msg::needListMacro, MB_OK | MB_ICONEXCLAMATION);
    return false;
}

bool COutilObjetsMacro::activate(CPelvantiView* view) {
    hideMaskedAgain(view);
    macro_ = nullptr;
    chosen_.clear();
    COutil::activate(view);
    etatOutils().natureFilter = nat::macro;
    installHandler(blinkingHandler(), view);
    if (view) blinkEntries(view, listMacros(*view->document()));
    return true;
}

void COutilObjetsMacro::hideMaskedAgain(CPelvantiView* view) {
    if (!revealed_) return;
    revealed_ = false;
    drawingState().hideMasked = true;
    if (view) view->redraw();
}

void COutilObjetsMacro::deactivate(CPelvantiView* view) {
    macro_ = nullptr;
    chosen_.clear();
    if (view) view->stopBlinking();
    COutil::deactivate(view);
    hideMaskedAgain(view);
}

bool COutilObjetsMacro::designate(CPelvantiView* view) {
    EtatOutils& st = etatOutils();
    CActionAncetre* entry = st.designatedObject;
    st.designatedObject = nullptr;
    if (!view || !entry) return false;
    if (!macro_) {
        macro_ = dynamic_cast<CMacroAvecListe*>(entry->element);
        if (!macro_) return false;
        view->stopBlinking();
        // A macro's objects are often hidden (those that it shows): they are drawn and offered
        // while the tool works.
        revealed_ = drawingState().hideMasked;
        drawingState().hideMasked = false;
        view->redraw();
        const bool sequence = dynamic_cast<CMacroSuiteMacros*>(macro_) != nullptr;
        st.natureFilter = sequence ? nat::macro : kCollectable;
        if (adding_) {
            // What the macro holds already is not offered again, nor the macro itself.
            for (CActionAncetre* e : macro_->objects.entries()) st.pendingList.append(e);
            st.pendingList.append(entry);
            installHandler(standardHandler(), view);
        } else {
            blinkEntries(view, macro_->objects.entries());
        }
        ::setPrompt(prompt(1));
        return false;
    }
    if (adding_) {
        if (auto* seq = dynamic_cast<CMacroSuiteMacros*>(macro_);
            seq && seq->wouldLoop(dynamic_cast<CMacro*>(entry->element)))
            return false;
        st.pendingList.append(entry);
        st.blinkList.append(entry);
        view->startBlinking();
    } else {
        st.blinkList.removeAt(st.blinkList.indexOf(entry->element));
    }
    chosen_.push_back(entry);
    return false;
}

void COutilObjetsMacro::onRightClick(CPelvantiView* view) {
    if (!view) return;
    if (macro_ && !chosen_.empty()) {
        for (CActionAncetre* e : chosen_) {
            if (adding_)
                macro_->addObject(e->nature, e->element);
            else
                macro_->removeObject(e->element);
        }
        view->stopBlinking();
        chosen_.clear();
        finishConstruction(view);
    }
    revenirCapture(view);
}

// ---------------------------------------------------------------------------------------------
// Editing a macro

std::string COutilModificationMacro::prompt(int) const {
    return "Cliquez sur la macro à modifier";
}

bool COutilModificationMacro::isAvailable() {
    CPelvantiView* view = CPelvantiView::activeView();
    if (view && !visibleEntries(*view->document(), nat::macro).empty()) return true;
    toolMessage(Msg::needAnyMacro, MB_OK | MB_ICONEXCLAMATION);
    return false;
}

bool COutilModificationMacro::activate(CPelvantiView* view) {
    COutil::activate(view);
    etatOutils().natureFilter = nat::macro;
    installHandler(standardHandler(), view);
    return true;
}

bool COutilModificationMacro::designate(CPelvantiView* view) {
    EtatOutils& st = etatOutils();
    CActionAncetre* entry = st.designatedObject;
    st.designatedObject = nullptr;
    auto* macro = entry ? dynamic_cast<CMacro*>(entry->element) : nullptr;
    if (!view || !macro) return false;
    CListeAction& list = view->document()->list();
    // The answer is tried on a copy, so that a refused field leaves the macro as it was.
    std::unique_ptr<CElementBase> copy = macro->getClone(list, list);
    auto* trial = dynamic_cast<CMacro*>(copy.get());
    if (!trial) return false;
    const std::optional<Answer> answer = macroDialog(*trial, list, macro);
    if (!answer) return false;
    fillMacro(*macro, answer->values, list, answer->choices);
    finishConstruction(view);
    return true;
}
