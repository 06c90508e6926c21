#include "macros/CMacroKinds.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "core/CArchive.h"
#include "core/CHost.h"
#include "macros/MacroRun.h"

IMPLEMENT_SERIAL_VERSIONABLE(CMacroApparition, CMacroAvecListe, 2)
IMPLEMENT_SERIAL(CMacroDisparition, CMacroAvecListe, 1)
IMPLEMENT_SERIAL(CMacroTraceAuto, CMacroAvecListe, 1)
IMPLEMENT_SERIAL(CMacroTraceAutoParVariable, CMacroAvecListe, 1)
IMPLEMENT_SERIAL(CMacroAnimationPointLie, CMacro, 1)
IMPLEMENT_SERIAL(CMacroAnimationAvecTrace, CMacroAvecListe, 1)
IMPLEMENT_SERIAL(CMacroSuiteMacros, CMacroAvecListe, 1)
IMPLEMENT_SERIAL(CMacroAffectationValeurVariable, CMacro, 1)
IMPLEMENT_DYNAMIC(CMacroPasVariable, CMacro)
IMPLEMENT_SERIAL(CMacroIncrementationVariable, CMacroPasVariable, 1)
IMPLEMENT_SERIAL(CMacroDecrementationVariable, CMacroPasVariable, 1)
IMPLEMENT_SERIAL(CMacroJouantSon, CMacro, 1)
IMPLEMENT_SERIAL(CMacroClignotement, CMacroAvecListe, 1)
IMPLEMENT_SERIAL(CMacroAffichantTout, CMacro, 1)
IMPLEMENT_SERIAL(CMacroPause, CMacro, 1)
IMPLEMENT_SERIAL(CMacroModificationVariable, CMacro, 1)
IMPLEMENT_SERIAL(CMacroBoucleAvecAnimation, CMacro, 1)
IMPLEMENT_SERIAL_VERSIONABLE(CMacroBoucleAvecTrace, CMacroAvecListe, 2)
IMPLEMENT_SERIAL(CMacroAffectationPointLie, CMacro, 1)

IMPLEMENT_REFS(CMacroTraceAuto, CMacroAvecListe, linkedPoint)
IMPLEMENT_REFS(CMacroTraceAutoParVariable, CMacroAvecListe, variable)
IMPLEMENT_REFS(CMacroAnimationPointLie, CMacro, linkedPoint)
IMPLEMENT_REFS(CMacroAnimationAvecTrace, CMacroAvecListe, linkedPoint)
IMPLEMENT_REFS(CMacroAffectationValeurVariable, CMacro, variable)
IMPLEMENT_REFS(CMacroPasVariable, CMacro, variable)
IMPLEMENT_REFS(CMacroModificationVariable, CMacro, variable)
IMPLEMENT_REFS(CMacroBoucleAvecAnimation, CMacro, loop.variable, optional(loop.before),
               optional(loop.atEnd))
IMPLEMENT_REFS(CMacroBoucleAvecTrace, CMacroAvecListe, loop.variable, optional(loop.before),
               optional(loop.atEnd))
IMPLEMENT_REFS(CMacroAffectationPointLie, CMacro, moved, target)

using macro_text::eol;
using macro_text::nameOf;

namespace {

[[noreturn]] void refuse(const std::string& what) {
    CArchive::fail(CArchiveException::badFormat,
                   "Le fichier contient une macro dont " + what + ".");
}

// Counts and durations read from a file: a macro could never run with absurd ones.
int32_t positions(int32_t n) {
    if (n <= 0) refuse("le nombre de positions est nul ou négatif");
    return n;
}
int32_t period(int32_t f) {
    if (f < 0) refuse("la fréquence d'animation est négative");
    return f;
}
int32_t duration(int32_t d) {
    if (d < 0) refuse("la durée est négative");
    return d;
}

// Schema of a versionable macro: 1 (older fields) or 2.
unsigned macroSchema(CArchive& ar, const char* cls) {
    const unsigned schema = ar.getObjectSchema();
    if (schema != 1 && schema != 2)
        CArchive::fail(CArchiveException::badSchema,
                       std::string("Version d'objet ") + cls + " non reconnue dans le fichier.");
    return schema;
}

void showObjects(CSousListeAction& objects, bool masked) {
    for (CActionAncetre* e : objects.entries())
        if (auto* g = dynamic_cast<CElementGraphique*>(e->element)) g->masked = masked;
}

// The object of `target` at the index `e` has in `from` (a copy of the figure), or null.
CElementBase* counterpart(const CElementBase* e, const CListeAction* from,
                          const CListeAction& target) {
    if (!from) return nullptr;
    return target.elementAt(from->indexOf(e));
}

void showObjectsIn(const CSousListeAction& objects, const CListeAction* from, CListeAction& target,
                   bool masked) {
    for (CActionAncetre* e : objects.entries())
        if (auto* g = dynamic_cast<CElementGraphique*>(counterpart(e->element, from, target)))
            g->masked = masked;
}

std::string variableName(const CVariableBornee* v) {
    return v ? v->getName() : std::string();
}

std::string animationLines(bool cyclic, int f, int d) {
    std::string s = eol + std::string(cyclic ? "Animation cyclique" : "Animation non cyclique");
    s += eol + (f > 0 ? "Fréquence d'animation : " + std::to_string(f) + " millièmes de seconde"
                      : std::string("Animation à vitesse maximale"));
    s += eol + (d > 0 ? "Durée de l'animation : " + std::to_string(d) + " dixièmes de seconde"
                      : std::string("Animation jusqu'à un clic de souris ou Echappement"));
    return s;
}

std::string loopMacroLines(const LoopFields& loop) {
    auto titleOf = [](const CMacro* m) { return m ? m->title : std::string("Aucune macro "); };
    return eol + "Macro à exécuter avant le début des boucles : " + titleOf(loop.before) + eol +
           "Macro à exécuter à la fin de chaque boucle : " + titleOf(loop.atEnd);
}

void serializeLoop(CArchive& ar, LoopFields& loop, bool withVisible) {
    if (ar.IsStoring()) {
        ar.writeBool(loop.visible);
        ar.writeInt(loop.f);
    } else {
        loop.visible = withVisible ? ar.readBool() : true;
        loop.f = period(ar.readInt());
    }
}

constexpr double kEpsilon = 1e-9;

// The entries of `list` whose object depends on `p`, in list order (recomputed at each step).
std::vector<CElementBase*> dependentsOf(const CListeAction& list, const CElementBase* p) {
    std::vector<CElementBase*> out;
    CDependencyWalk walk(p);
    for (CActionAncetre* e : list.entries())
        if (e->element != p && walk.answer(e->element)) out.push_back(e->element);
    return out;
}

void computeAll(const std::vector<CElementBase*>& elements) {
    for (CElementBase* e : elements) e->computePosition();
}

// Draws the listed objects over the figure without erasing: they leave a trace.
void drawTraces(CMacroContext& context, const CSousListeAction* traced) {
    CDC* dc = context.dc();
    if (!dc || !traced) return;
    for (CActionAncetre* e : traced->entries()) e->element->draw(dc, true);
}

void orderedRange(const CPointLie* p, double* a, double* b) {
    *a = std::min(p->getAbscissaMin(), p->getAbscissaMax());
    *b = std::max(p->getAbscissaMin(), p->getAbscissaMax());
}

struct Animation {
    CPointLie* point;
    bool cyclic;
    int f, n, d;
    bool oneCycle = false;
    bool eraseTraces = false;
    const CSousListeAction* traced = nullptr;
};

// A linked point run over its range, frame by frame; the point is put back at the end.
bool animate(CMacroContext& context, const Animation& an) {
    CPointLie* point = an.point;
    if (!point) return false;
    CListeAction& figure = context.figure();
    const std::vector<CElementBase*> dependents = dependentsOf(figure, point);
    double a, b;
    orderedRange(point, &a, &b);
    double step = an.n > 1 && std::isfinite(b - a) ? (b - a) / (an.n - 1) : 0.0;
    const double t0 = point->abscissa;
    double t = t0;
    if (!an.traced) {
        std::vector<CElementBase*> moving{point};
        moving.insert(moving.end(), dependents.begin(), dependents.end());
        context.beginMoving(moving);
    }
    macro_run::startWatching();
    const bool ok = macro_run::runFrames(an.f, an.d, [&] {
        const double previous = t;
        t += step;
        bool end = false;
        if (!an.cyclic) {
            // Back and forth: the end position is not shown twice in a row.
            if (t > b + kEpsilon) {
                step = -step;
                t = previous >= b - kEpsilon ? b + step : b;
                end = true;
            } else if (t < a - kEpsilon) {
                step = -step;
                t = previous <= a + kEpsilon ? a + step : a;
                end = true;
            }
        } else if (t > b + kEpsilon) {
            // On a closed curve a and b are the same place: it is not shown twice either.
            t = previous >= b - kEpsilon && point->isCyclic() ? a + step : a;
            end = true;
        }
        point->abscissa = t;
        point->computePosition();
        computeAll(dependents);
        if (end && an.eraseTraces) context.redraw();
        if (an.traced)
            drawTraces(context, an.traced);
        else
            context.drawMoving();
        if (end && an.oneCycle) macro_run::flags().clicked = true;
    });
    if (!an.traced) context.endMoving();
    point->abscissa = t0;
    point->computePosition();
    computeAll(dependents);
    context.redraw();
    return ok;
}

// A generator run through n values from `a` to `b` while the listed objects leave traces; only
// Escape stops it. `set` puts the generator at a value.
bool trace(CMacroContext& context, int n, int f, double a, double step,
           const std::vector<CElementBase*>& dependents, const CSousListeAction& traced,
           const std::function<void(double)>& set) {
    macro_run::startWatching();
    bool stopped = false;
    for (int i = 0; i < n && !stopped; ++i) {
        const uint64_t stepStart = macro_run::now();
        host().pumpMessages();
        if (macro_run::escapeSeen()) {
            stopped = true;
            break;
        }
        set(a + i * step);
        computeAll(dependents);
        drawTraces(context, &traced);
        if (f > 0) {
            host().pumpMessages();
            host().waitUntil(stepStart + static_cast<uint64_t>(f));
        }
    }
    macro_run::flags().stopRequested = stopped;
    return !stopped;
}

// The entries that depend on one of `generators` (for positioning) and on which one of the
// traced objects depends.
std::vector<CElementBase*> traceDependents(const CListeAction& list, const CElementBase* generator,
                                           const CSousListeAction& traced) {
    std::vector<CElementBase*> out;
    CAncestors tracedFrom;
    for (CActionAncetre* o : traced.entries()) tracedFrom.add(o->element);
    CDependencyWalk moved(generator, CDependencyWalk::positioning);
    for (CActionAncetre* e : list.entries())
        if (e->element != generator && moved.answer(e->element) && tracedFrom.contains(e->element))
            out.push_back(e->element);
    return out;
}

bool loopRunnable(const LoopFields& loop, const CMacro* self) {
    return loop.variable && std::isfinite(loop.variable->step) && loop.variable->step > 0 &&
           !(loop.before && loop.before->runs(self)) && !(loop.atEnd && loop.atEnd->runs(self));
}

bool loopUses(const LoopFields& loop, const CElementBase* e) {
    return e && (e == loop.variable || e == loop.before || e == loop.atEnd);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Appearance and disappearance

void CMacroApparition::Serialize(CArchive& ar) {
    const unsigned schema = ar.IsLoading() ? macroSchema(ar, "CMacroApparition") : 2;
    CMacroAvecListe::Serialize(ar);
    if (ar.IsStoring())
        ar.writeBool(oneByOne);
    else
        oneByOne = schema >= 2 ? ar.readBool() : false;
}

bool CMacroApparition::execute(CMacroContext& context) {
    if (!oneByOne) return executeWithoutAnimation(context);
    macro_run::startWatching();
    const auto& entries = objects.entries();
    for (size_t i = 0; i < entries.size(); ++i) {
        if (auto* g = dynamic_cast<CElementGraphique*>(entries[i]->element)) g->masked = false;
        context.redraw();
        if (i + 1 == entries.size()) break;
        context.setPrompt(1481);
        if (!macro_run::pause(0)) return false;
    }
    return true;
}

bool CMacroApparition::executeWithoutAnimation(CMacroContext& context) {
    showObjects(objects, false);
    context.redraw();
    return true;
}

bool CMacroApparition::applyFinalState(CListeAction& target) {
    showObjectsIn(objects, list, target, false);
    return true;
}

std::string CMacroApparition::kindTitle() const {
    return "Macro d'apparition d'objets";
}

std::string CMacroApparition::details() const {
    std::string s = " faisant apparaître les objets suivants :" + listedNames();
    if (oneByOne) s += eol + "Clic gauche pour passer à l'objet suivant";
    return s;
}

bool CMacroDisparition::execute(CMacroContext& context) {
    return executeWithoutAnimation(context);
}

bool CMacroDisparition::executeWithoutAnimation(CMacroContext& context) {
    showObjects(objects, true);
    context.redraw();
    return true;
}

bool CMacroDisparition::applyFinalState(CListeAction& target) {
    showObjectsIn(objects, list, target, true);
    return true;
}

std::string CMacroDisparition::kindTitle() const {
    return "Macro de disparition d'objets";
}

std::string CMacroDisparition::details() const {
    return " masquant les objets suivants :" + listedNames();
}

// ---------------------------------------------------------------------------------------------
// Automatic traces

void CMacroTraceAuto::Serialize(CArchive& ar) {
    CMacroAvecListe::Serialize(ar);
    if (ar.IsStoring()) {
        ar.writeInt(n);
        ar.writeInt(f);
    } else {
        n = positions(ar.readInt());
        f = period(ar.readInt());
    }
    serializeOwnRefs(ar, *this);
}

// The earlier traces had no frame period: as fast as possible.
void CMacroTraceAuto::readPreviousFormat(CArchive& ar) {
    CMacroAvecListe::readPreviousFormat(ar);
    n = positions(ar.readInt());
    f = 0;
    serializeOwnRefs(ar, *this);
}

std::string CMacroTraceAuto::kindTitle() const {
    return "Macro de trace automatique d'objets\r\ngénérée par point lié";
}

std::string CMacroTraceAuto::details() const {
    return " dessinant la trace générée par le point lié " + nameOf(linkedPoint) +
           " des objets :" + listedNames();
}

void CMacroTraceAutoParVariable::Serialize(CArchive& ar) {
    CMacroAvecListe::Serialize(ar);
    if (ar.IsStoring()) {
        ar.writeInt(n);
        ar.writeInt(f);
    } else {
        n = positions(ar.readInt());
        f = period(ar.readInt());
    }
    serializeOwnRefs(ar, *this);
}

void CMacroTraceAutoParVariable::readPreviousFormat(CArchive& ar) {
    CMacroAvecListe::readPreviousFormat(ar);
    n = positions(ar.readInt());
    f = 0;
    serializeOwnRefs(ar, *this);
}

std::string CMacroTraceAutoParVariable::kindTitle() const {
    return "Macro de trace automatique d'objets\r\ngénérée par la variable " +
           variableName(variable);
}

std::string CMacroTraceAutoParVariable::details() const {
    return " dessinant la trace générée par la variable " + variableName(variable) +
           " des objets :" + listedNames();
}

// ---------------------------------------------------------------------------------------------
// Animations

void CMacroAnimationPointLie::Serialize(CArchive& ar) {
    CMacro::Serialize(ar);
    if (ar.IsStoring()) {
        ar.writeBool(cyclic);
        ar.writeInt(f);
        ar.writeInt(n);
        ar.writeInt(d);
    } else {
        cyclic = ar.readBool();
        f = period(ar.readInt());
        n = positions(ar.readInt());
        d = duration(ar.readInt());
    }
    serializeOwnRefs(ar, *this);
}

void CMacroAnimationPointLie::readPreviousFormat(CArchive& ar) {
    CMacro::readPreviousFormat(ar);
    cyclic = ar.readBool();
    f = period(ar.readInt());
    n = positions(ar.readInt());
    d = duration(ar.readInt());
    serializeOwnRefs(ar, *this);
}

std::string CMacroAnimationPointLie::kindTitle() const {
    return "Macro d'animation d'un point lié";
}

std::string CMacroAnimationPointLie::details() const {
    return " d'animation du point lié " + nameOf(linkedPoint) + animationLines(cyclic, f, d);
}

void CMacroAnimationAvecTrace::Serialize(CArchive& ar) {
    CMacroAvecListe::Serialize(ar);
    if (ar.IsStoring()) {
        ar.writeBool(oneCycle);
        ar.writeBool(cyclic);
        ar.writeBool(eraseTraces);
        ar.writeInt(f);
        ar.writeInt(n);
        ar.writeInt(d);
    } else {
        oneCycle = ar.readBool();
        cyclic = ar.readBool();
        eraseTraces = ar.readBool();
        f = period(ar.readInt());
        n = positions(ar.readInt());
        d = duration(ar.readInt());
    }
    serializeOwnRefs(ar, *this);
}

std::string CMacroAnimationAvecTrace::kindTitle() const {
    return "Macro d'animation d'un point lié avec trace d'objets";
}

std::string CMacroAnimationAvecTrace::details() const {
    std::string s =
        " d'animation du point lié " + nameOf(linkedPoint) + animationLines(cyclic, f, d);
    if (oneCycle) s += eol + "Un seul cycle d'animation";
    if (eraseTraces) s += eol + "Effacement des traces en fin de cycle";
    return s;
}

// ---------------------------------------------------------------------------------------------
// Sequence of macros

void CMacroSuiteMacros::checkListedObjects() const {
    for (CActionAncetre* e : objects.entries())
        if (!dynamic_cast<CMacro*>(e->element) || e->element == this)
            CArchive::fail(CArchiveException::badFormat,
                           "Le fichier contient une suite de macros dont un élément n'est pas "
                           "une macro.");
}

bool CMacroSuiteMacros::wouldLoop(const CMacro* m) const {
    return m && m->runs(this);
}

std::vector<CMacro*> CMacroSuiteMacros::calledMacros() const {
    std::vector<CMacro*> out;
    for (CActionAncetre* a : objects.entries())
        if (auto* m = dynamic_cast<CMacro*>(a->element)) out.push_back(m);
    return out;
}

bool CMacroSuiteMacros::usesElement(const CElementBase* e) const {
    if (!e) return false;
    for (CActionAncetre* a : objects.entries())
        if (a->element == e) return true;
    return false;
}

void CMacroSuiteMacros::replaceInSubLists(CActionAncetre* old, CActionAncetre* repl) {
    if (repl && dynamic_cast<CMacro*>(repl->element) && repl->element != this)
        CMacroAvecListe::replaceInSubLists(old, repl);
}

bool CMacroSuiteMacros::managesCursor() const {
    MacroVisit visit(this);
    if (!visit.entered()) return false;
    for (CActionAncetre* a : objects.entries())
        if (auto* m = dynamic_cast<CMacro*>(a->element); m && m->managesCursor()) return true;
    return false;
}

// A sequence that runs itself, however deep, would never end: it is refused like a broken one.
bool CMacroSuiteMacros::canExecute(bool report) {
    bool ok = CMacroAvecListe::canExecute(false);
    for (CActionAncetre* a : objects.entries())
        if (auto* m = dynamic_cast<CMacro*>(a->element); !m || m->runs(this)) ok = false;
    if (!ok && report) reportCannotExecute();
    return ok;
}

bool CMacroSuiteMacros::execute(CMacroContext& context) {
    MacroVisit visit(this);
    if (!visit.entered()) return false;
    for (CActionAncetre* a : objects.entries()) {
        auto* m = dynamic_cast<CMacro*>(a->element);
        if (!m || !m->canExecute(true)) continue;
        if (!m->execute(context)) return false;
    }
    return true;
}

bool CMacroSuiteMacros::executeWithoutAnimation(CMacroContext& context) {
    MacroVisit visit(this);
    if (!visit.entered()) return false;
    bool ok = true;
    for (CActionAncetre* a : objects.entries())
        if (auto* m = dynamic_cast<CMacro*>(a->element); m && m->canExecute(false))
            ok = m->executeWithoutAnimation(context) && ok;
    return ok;
}

bool CMacroSuiteMacros::applyFinalState(CListeAction& target) {
    MacroVisit visit(this);
    if (!visit.entered()) return false;
    bool ok = true;
    for (CActionAncetre* a : objects.entries())
        if (auto* m = dynamic_cast<CMacro*>(a->element)) ok = m->applyFinalState(target) && ok;
    return ok;
}

std::string CMacroSuiteMacros::kindTitle() const {
    return "Macro d'exécution de plusieurs macros";
}

std::string CMacroSuiteMacros::details() const {
    return " exécutant dans l'ordre les macros suivantes :" + listedNames();
}

// ---------------------------------------------------------------------------------------------
// Variables

void CMacroAffectationValeurVariable::Serialize(CArchive& ar) {
    CMacro::Serialize(ar);
    value.Serialize(ar);
    serializeOwnRefs(ar, *this);
}

void CMacroAffectationValeurVariable::readPreviousFormat(CArchive& ar) {
    CMacro::readPreviousFormat(ar);
    value.readPreviousFormat(ar);
    serializeOwnRefs(ar, *this);
}

bool CMacroAffectationValeurVariable::computeDependsOn(const CElementBase* p) const {
    return CMacro::computeDependsOn(p) || value.dependsOn(p);
}

bool CMacroAffectationValeurVariable::computeDependsOnForPositioning(const CElementBase* p) const {
    return CMacro::computeDependsOnForPositioning(p) || value.dependsOnForPositioning(p);
}

void CMacroAffectationValeurVariable::replaceReference(CElementBase* old, CElementBase* repl) {
    CMacro::replaceReference(old, repl);
    value.replaceReference(old, repl);
}

bool CMacroAffectationValeurVariable::canExecute(bool report) {
    if (variable && value.isDefined() && std::isfinite(value.getValue())) return true;
    if (report) reportCannotExecute();
    return false;
}

bool CMacroAffectationValeurVariable::execute(CMacroContext& context) {
    if (!executeWithoutAnimation(context)) return false;
    context.redraw();
    return true;
}

bool CMacroAffectationValeurVariable::executeWithoutAnimation(CMacroContext& context) {
    if (!variable || !value.isDefined()) return false;
    variable->setValue(value.getValue());
    context.figure().computeDependentsOf(variable);
    return true;
}

bool CMacroAffectationValeurVariable::applyFinalState(CListeAction& target) {
    auto* v = dynamic_cast<CVariableBornee*>(counterpart(variable, list, target));
    if (!v || !value.isDefined()) return false;
    v->setValue(value.getValue());
    target.computeDependentsOf(v);
    return true;
}

std::string CMacroAffectationValeurVariable::kindTitle() const {
    return "Macro d'affectation de la valeur " + value.getText(12) + "\r\nà la variable " +
           variableName(variable);
}

std::string CMacroAffectationValeurVariable::details() const {
    return " affectant la valeur " + value.getText(12) + " à la variable " + variableName(variable);
}

void CMacroPasVariable::Serialize(CArchive& ar) {
    CMacro::Serialize(ar);
    serializeOwnRefs(ar, *this);
}

void CMacroPasVariable::readPreviousFormat(CArchive& ar) {
    CMacro::readPreviousFormat(ar);
    serializeOwnRefs(ar, *this);
}

bool CMacroPasVariable::execute(CMacroContext& context) {
    if (!executeWithoutAnimation(context)) return false;
    context.redraw();
    return true;
}

bool CMacroPasVariable::executeWithoutAnimation(CMacroContext& context) {
    if (!variable) return false;
    if (up() ? variable->increment() : variable->decrement())
        context.figure().computeDependentsOf(variable);
    return true;
}

bool CMacroPasVariable::applyFinalState(CListeAction& target) {
    auto* v = dynamic_cast<CVariableBornee*>(counterpart(variable, list, target));
    if (!v) return false;
    if (up() ? v->increment() : v->decrement()) target.computeDependentsOf(v);
    return true;
}

std::string CMacroIncrementationVariable::kindTitle() const {
    return "Macro d'augmentation de la variable " + variableName(variable);
}

std::string CMacroIncrementationVariable::details() const {
    return " d'incrémentation de la variable " + variableName(variable);
}

std::string CMacroDecrementationVariable::kindTitle() const {
    return "Macro de diminution d'une variable " + variableName(variable);
}

std::string CMacroDecrementationVariable::details() const {
    return " de décrémentation de la variable " + variableName(variable);
}

void CMacroModificationVariable::Serialize(CArchive& ar) {
    CMacro::Serialize(ar);
    minimum.Serialize(ar);
    maximum.Serialize(ar);
    step.Serialize(ar);
    value.Serialize(ar);
    serializeOwnRefs(ar, *this);
}

bool CMacroModificationVariable::computeDependsOn(const CElementBase* p) const {
    return CMacro::computeDependsOn(p) || minimum.dependsOn(p) || maximum.dependsOn(p) ||
           step.dependsOn(p) || value.dependsOn(p);
}

bool CMacroModificationVariable::computeDependsOnForPositioning(const CElementBase* p) const {
    return CMacro::computeDependsOnForPositioning(p) || minimum.dependsOnForPositioning(p) ||
           maximum.dependsOnForPositioning(p) || step.dependsOnForPositioning(p) ||
           value.dependsOnForPositioning(p);
}

void CMacroModificationVariable::replaceReference(CElementBase* old, CElementBase* repl) {
    CMacro::replaceReference(old, repl);
    minimum.replaceReference(old, repl);
    maximum.replaceReference(old, repl);
    step.replaceReference(old, repl);
    value.replaceReference(old, repl);
}

bool CMacroModificationVariable::canExecute(bool report) {
    bool ok = variable && minimum.isDefined() && maximum.isDefined() && step.isDefined() &&
              value.isDefined();
    if (ok) {
        const double a = minimum.getValue(), b = maximum.getValue(), s = step.getValue(),
                     v = value.getValue();
        ok = std::isfinite(a) && std::isfinite(b) && std::isfinite(s) && std::isfinite(v) &&
             a < b && s > 0 && a <= v && v <= b;
    }
    if (!ok && report) reportCannotExecute();
    return ok;
}

bool CMacroModificationVariable::execute(CMacroContext& context) {
    if (!executeWithoutAnimation(context)) return false;
    context.redraw();
    return true;
}

bool CMacroModificationVariable::executeWithoutAnimation(CMacroContext& context) {
    if (!canExecute(false)) return false;
    variable->minimum = minimum.getValue();
    variable->maximum = maximum.getValue();
    variable->step = step.getValue();
    variable->setValue(value.getValue());
    context.figure().computeDependentsOf(variable);
    return true;
}

bool CMacroModificationVariable::applyFinalState(CListeAction& target) {
    auto* v = dynamic_cast<CVariableBornee*>(counterpart(variable, list, target));
    if (!v || !canExecute(false)) return false;
    v->minimum = minimum.getValue();
    v->maximum = maximum.getValue();
    v->step = step.getValue();
    v->setValue(value.getValue());
    target.computeDependentsOf(v);
    return true;
}

std::string CMacroModificationVariable::kindTitle() const {
    return "Macro de modification de la variable " + variableName(variable);
}

std::string CMacroModificationVariable::details() const {
    return " modifiant la variable " + variableName(variable) + eol +
           "Nouvelle valeur mini : " + minimum.getText(12) + eol +
           "Nouvelle valeur maxi : " + maximum.getText(12) + eol +
           "Nouveau pas d'incrémentation : " + step.getText(12) + eol +
           "Nouvelle valeur actuelle: " + value.getText(12);
}

// ---------------------------------------------------------------------------------------------
// Sound, blinking, redraw, pause

void CMacroJouantSon::Serialize(CArchive& ar) {
    CMacro::Serialize(ar);
    if (ar.IsStoring()) {
        ar.writeString(path);
        ar.writeBool(asynchronous);
    } else {
        path = ar.readString();
        asynchronous = ar.readBool();
    }
}

bool CMacroJouantSon::execute(CMacroContext&) {
    host().playSound(path, !asynchronous);
    return true;
}

std::string CMacroJouantSon::kindTitle() const {
    return "Macro jouant le fichier son :";
}

std::string CMacroJouantSon::details() const {
    return " jouant le fichier sonore " + path;
}

void CMacroClignotement::Serialize(CArchive& ar) {
    CMacroAvecListe::Serialize(ar);
    if (ar.IsStoring())
        ar.writeInt(d);
    else
        d = duration(ar.readInt());
}

std::string CMacroClignotement::kindTitle() const {
    return "Macro de clignotement d'objets";
}

std::string CMacroClignotement::details() const {
    return " faisant clignoter les objets suivants " + listedNames() + eol +
           (d > 0 ? " avec une durée de " + std::to_string(d) + " dixièmes de seconde"
                  : std::string(" jusqu'à un clic de souris ou Echappement"));
}

bool CMacroAffichantTout::execute(CMacroContext& context) {
    return executeWithoutAnimation(context);
}

bool CMacroAffichantTout::executeWithoutAnimation(CMacroContext& context) {
    context.figure().computeAll();
    context.redraw();
    return true;
}

std::string CMacroAffichantTout::kindTitle() const {
    return "Macro de réaffichage complet de la figure";
}

std::string CMacroAffichantTout::details() const {
    return " réaffichant toute la figure";
}

void CMacroPause::Serialize(CArchive& ar) {
    CMacro::Serialize(ar);
    if (ar.IsStoring())
        ar.writeInt(seconds);
    else
        seconds = duration(ar.readInt());
}

std::string CMacroPause::kindTitle() const {
    return seconds == 0 ? "Macro de pause attendant un clic de souris"
                        : "Macro d'exécution d'une pause de " + std::to_string(seconds);
}

std::string CMacroPause::details() const {
    return seconds == 0 ? " effectuant une pause jusqu'à un clic de souris ou Echappement"
                        : " effectuant une pause de " + std::to_string(seconds) + " secondes";
}

// ---------------------------------------------------------------------------------------------
// Loops

void CMacroBoucleAvecAnimation::Serialize(CArchive& ar) {
    CMacro::Serialize(ar);
    serializeLoop(ar, loop, true);
    serializeOwnRefs(ar, *this);
}

bool CMacroBoucleAvecAnimation::usesElement(const CElementBase* e) const {
    return loopUses(loop, e);
}

bool CMacroBoucleAvecAnimation::canExecute(bool report) {
    if (loopRunnable(loop, this)) return true;
    if (report) reportCannotExecute();
    return false;
}

std::string CMacroBoucleAvecAnimation::kindTitle() const {
    return "Macro de boucle avec animation\r\ngénérée par la variable " +
           variableName(loop.variable);
}

std::string CMacroBoucleAvecAnimation::details() const {
    return " faisant boucler la figure sans trace d'objets \n      avec les valeurs de la "
           "variable " +
           variableName(loop.variable) + eol +
           (loop.visible ? "Animation visible" : "Animation invisible") + loopMacroLines(loop);
}

void CMacroBoucleAvecTrace::Serialize(CArchive& ar) {
    const unsigned schema = ar.IsLoading() ? macroSchema(ar, "CMacroBoucleAvecTrace") : 2;
    CMacroAvecListe::Serialize(ar);
    serializeLoop(ar, loop, schema >= 2);
    serializeOwnRefs(ar, *this);
}

bool CMacroBoucleAvecTrace::usesElement(const CElementBase* e) const {
    return loopUses(loop, e);
}

bool CMacroBoucleAvecTrace::canExecute(bool report) {
    if (CMacroAvecListe::canExecute(false) && loopRunnable(loop, this)) return true;
    if (report) reportCannotExecute();
    return false;
}

std::string CMacroBoucleAvecTrace::kindTitle() const {
    return "Macro de boucle avec trace\r\ngénérée par la variable " + variableName(loop.variable);
}

std::string CMacroBoucleAvecTrace::details() const {
    return " faisant boucler la figure avec trace d'objets \n      avec les valeurs de la "
           "variable " +
           variableName(loop.variable) + loopMacroLines(loop) + eol +
           "Liste des objets laissant une trace lors des boucles : " + listedNames();
}

// ---------------------------------------------------------------------------------------------
// Moving a linked point

void CMacroAffectationPointLie::Serialize(CArchive& ar) {
    CMacro::Serialize(ar);
    serializeOwnRefs(ar, *this);
}

std::string CMacroAffectationPointLie::kindTitle() const {
    return "Macro déplaçant un point lié\r\nà l'endroit occupé par un autre";
}

std::string CMacroAffectationPointLie::details() const {
    return " plaçant le point lié " + nameOf(moved) + " à l'endroit occupé par le point lié " +
           nameOf(target);
}

// ---------------------------------------------------------------------------------------------
// Running the animating kinds

bool CMacroTraceAuto::execute(CMacroContext& context) {
    if (!linkedPoint) return false;
    CListeAction& figure = context.figure();
    double a, b;
    orderedRange(linkedPoint, &a, &b);
    const double step = n > 1 ? (linkedPoint->isCyclic() ? (b - a) / n : (b - a) / (n - 1)) : 0.0;
    const double t0 = linkedPoint->abscissa;
    CPointLie* point = linkedPoint;
    const bool ok = trace(context, n, f, a, step, traceDependents(figure, point, objects), objects,
                          [point](double t) {
                              point->abscissa = t;
                              point->computePosition();
                          });
    point->abscissa = t0;
    figure.computeAll();
    context.redraw();
    return ok;
}

bool CMacroTraceAutoParVariable::execute(CMacroContext& context) {
    if (!variable) return false;
    CListeAction& figure = context.figure();
    const double a = variable->minimum, b = variable->maximum;
    const double step = n > 1 ? (b - a) / (n - 1) : 0.0;
    const double v0 = variable->value;
    CVariableBornee* v = variable;
    const bool ok = trace(context, n, f, a, step, traceDependents(figure, v, objects), objects,
                          [v](double t) { v->setValue(t); });
    v->setValue(v0);
    figure.computeAll();
    context.redraw();
    return ok;
}

bool CMacroAnimationPointLie::execute(CMacroContext& context) {
    return animate(context, {linkedPoint, cyclic, f, n, d});
}

bool CMacroAnimationAvecTrace::execute(CMacroContext& context) {
    return animate(context, {linkedPoint, cyclic, f, n, d, oneCycle, eraseTraces, &objects});
}

bool CMacroClignotement::execute(CMacroContext& context) {
    macro_run::startWatching();
    const uint64_t start = macro_run::now();
    const uint64_t end = start + 100 * static_cast<uint64_t>(d);
    uint64_t nextToggle = start + 500;
    bool hidden = true, stopped = false;
    showObjects(objects, hidden);
    context.redraw();
    for (;;) {
        host().pumpMessages();
        if (macro_run::escapeSeen()) {
            stopped = true;
            break;
        }
        if (d == 0 && macro_run::clickedSince()) break;
        const uint64_t t = macro_run::now();
        if (d > 0 && t >= end) break;
        if (t >= nextToggle) {
            hidden = !hidden;
            showObjects(objects, hidden);
            context.redraw();
            nextToggle += 500;
            continue;
        }
        // Short waits keep Escape and clicks live between two changes.
        uint64_t deadline = std::min(nextToggle, t + 20);
        if (d > 0) deadline = std::min(deadline, end);
        host().waitUntil(deadline);
    }
    showObjects(objects, false);
    context.redraw();
    macro_run::flags().stopRequested = stopped;
    return !stopped;
}

bool CMacroPause::execute(CMacroContext&) {
    macro_run::startWatching();
    return macro_run::pause(seconds);
}

namespace {

// True when running `m` may change `v` (directly or through the macros it runs).
bool changesVariable(const CMacro* m, const CVariableBornee* v) {
    if (!m) return false;
    MacroVisit visit(m);
    if (!visit.entered()) return false;
    if (m->usesElement(v)) return true;
    for (const CMacro* c : m->calledMacros())
        if (changesVariable(c, v)) return true;
    return false;
}

// The loop over the values of the variable, from its minimum to its maximum by its step.
bool runLoop(CMacroContext& context, const LoopFields& loop, const CSousListeAction* traced) {
    CVariableBornee* v = loop.variable;
    CListeAction& figure = context.figure();
    const std::vector<CElementBase*> dependents = dependentsOf(figure, v);
    std::vector<CElementBase*> endDependents;
    if (loop.atEnd)
        for (CActionAncetre* e : figure.entries())
            if (auto* w = dynamic_cast<CVariableBornee*>(e->element);
                w && w != v && changesVariable(loop.atEnd, w)) {
                std::vector<CElementBase*> more = dependentsOf(figure, w);
                endDependents.insert(endDependents.end(), more.begin(), more.end());
            }
    if (loop.before && loop.before->canExecute(true)) loop.before->executeWithoutAnimation(context);
    const double lo = v->minimum, hi = v->maximum, step = v->step;
    const double tolerance = kEpsilon * std::max(1.0, std::fabs(hi));
    macro_run::Flags& fl = macro_run::flags();
    macro_run::startWatching();
    fl.loopRunning = true;
    for (int64_t i = 0;; ++i) {
        const double t = lo + static_cast<double>(i) * step;
        if (t > hi + tolerance) break;
        host().pumpMessages();
        fl.stopRequested = fl.stopRequested || macro_run::escapeSeen();
        fl.clicked = fl.clicked || macro_run::clickedSince();
        if (fl.stopRequested || fl.clicked) break;
        const uint64_t frameStart = macro_run::now();
        if (loop.visible) {
            context.redraw();
            if (loop.f > 0) host().waitUntil(frameStart + static_cast<uint64_t>(loop.f));
            drawTraces(context, traced);
        }
        v->setValue(t);
        computeAll(dependents);
        if (loop.atEnd && loop.atEnd->canExecute(false)) {
            loop.atEnd->executeWithoutAnimation(context);
            computeAll(endDependents);
        }
    }
    fl.loopRunning = false;
    context.redraw();
    return !fl.stopRequested;
}

bool stepIsUsable(const CVariableBornee* v) {
    return v && std::isfinite(v->step) && v->step > 0 && std::isfinite(v->minimum) &&
           std::isfinite(v->maximum);
}

}  // namespace

bool CMacroBoucleAvecAnimation::execute(CMacroContext& context) {
    if (!stepIsUsable(loop.variable)) return false;
    return runLoop(context, loop, nullptr);
}

bool CMacroBoucleAvecTrace::execute(CMacroContext& context) {
    if (!stepIsUsable(loop.variable)) return false;
    return runLoop(context, loop, &objects);
}

bool CMacroAffectationPointLie::canExecute(bool report) {
    if (moved && target && moved->getCurve() && moved->getCurve() == target->getCurve())
        return true;
    if (report) reportCannotExecute();
    return false;
}

bool CMacroAffectationPointLie::execute(CMacroContext& context) {
    if (!executeWithoutAnimation(context)) return false;
    context.redraw();
    return true;
}

bool CMacroAffectationPointLie::executeWithoutAnimation(CMacroContext& context) {
    if (!canExecute(false)) return false;
    moved->abscissa = target->abscissa;
    context.figure().computeDependentsOf(moved);
    return true;
}

bool CMacroAffectationPointLie::applyFinalState(CListeAction& target2) {
    auto* m = dynamic_cast<CPointLie*>(counterpart(moved, list, target2));
    auto* t = dynamic_cast<CPointLie*>(counterpart(target, list, target2));
    if (!m || !t) return false;
    m->abscissa = t->abscissa;
    target2.computeDependentsOf(m);
    return true;
}
