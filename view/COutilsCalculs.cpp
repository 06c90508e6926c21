#include "view/COutilsCalculs.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "calc/BuiltInFunctions.h"
#include "calc/CSourceValeur.h"
#include "calc/NumberFormat.h"
#include "calc/Parser.h"
#include "calc/ValueNames.h"
#include "core/CHost.h"
#include "document/CPelvantiDoc.h"
#include "geometry/CAffichage.h"
#include "measures/CMesure.h"
#include "values/CCalcConst.h"
#include "values/CDerivee.h"
#include "values/CFonc.h"
#include "values/CSolutionEquation.h"
#include "values/CSuiteRec.h"
#include "values/CVariable.h"
#include "values/ValueDialogs.h"
#include "view/CCalculsWindow.h"
#include "view/COutilsConstruction.h"
#include "view/CPelvantiView.h"
#include "view/CVariableWindow.h"
#include "view/Commands.h"
#include "view/ToolTexts.h"

namespace {
constexpr Nature kComplexValues = nat::calculComplexe | nat::mesureAffixe;

int refuse(int messageId, int field) {
    toolMessage(messageId, MB_OK | MB_ICONEXCLAMATION);
    return field;
}
int refuseText(const char* text, int field) {
    toolMessageText(text, MB_OK | MB_ICONEXCLAMATION);
    return field;
}

// The objects of `mask` before list index `limit` (pi, the first entry, only when `withPi`).
std::vector<CElementBase*> entriesOf(const CListeAction& list, Nature mask, int limit) {
    std::vector<CElementBase*> out;
    for (int i = 0; i < std::min(limit, list.count()); ++i)
        if (list.entryAt(i)->nature & mask) out.push_back(list.elementAt(i));
    return out;
}
std::vector<std::string> namesOf(const std::vector<CElementBase*>& objects) {
    std::vector<std::string> out;
    for (CElementBase* e : objects) out.push_back(e->getDisplayName());
    return out;
}
int indexIn(const std::vector<CElementBase*>& objects, const CElementBase* e) {
    for (size_t i = 0; i < objects.size(); ++i)
        if (objects[i] == e) return static_cast<int>(i);
    return 0;
}

// `base` when no value has it, else base1, base2...
std::string freeName(const CListeAction& list, const std::string& base) {
    return isValueNameTaken(list, base) ? uniqueNumberedValueName(list, base) : base;
}

// What a dialog edits: a new object (self null, placed at the end of the list) or an existing
// one, which may only use the objects before it.
struct Edit {
    Edit(CPelvantiView* v, CElementBase* object)
        : view(v),
          doc(*v->document()),
          list(doc.list()),
          self(object),
          limit(object ? list.indexOf(object) : list.count()) {}

    CPelvantiView* view;
    CPelvantiDoc& doc;
    CListeAction& list;
    CElementBase* self;
    int limit;

    // -1 when `name` may name the object. A renamed value must not be used by other objects:
    // their formulas keep the name as it was typed. Its own name in other letter cases is
    // taken by nothing else, and formulas find names whatever their case.
    int checkName(const std::string& name, int field, const char* emptyText = nullptr) const {
        if (auto* own = dynamic_cast<const CSourceValeur*>(self); own && own->hasName(name))
            return -1;
        if (emptyText && name.empty()) return refuseText(emptyText, field);
        if (int m = checkValueName(list, name, list.count())) return refuse(m, field);
        if (self)
            for (CActionAncetre* e : list.entries())
                if (e->element != self && e->element->dependsOn(self))
                    return refuseText(
                        "Ce nom ne peut pas être changé :\nd'autres objets utilisent cette valeur",
                        field);
        return -1;
    }

    int checkFormula(const std::string& text, const std::string& formal, bool complex, int field,
                     int& caret) const {
        if (utf8Length(text) > kMaxFormulaLength) {
            caret = kMaxFormulaLength;
            return refuseText("La formule est trop longue :\n123 caractères au plus", field);
        }
        int id = 0, pos = 0;
        const bool ok = complex ? checkComplexFormula(list, text, id, pos, limit - 1, formal)
                                : checkRealFormula(list, text, id, pos, limit - 1, formal);
        if (ok) return -1;
        caret = pos;
        return refuse(id, field);
    }

    // A parameter field (a name or a constant formula); the refusal was shown.
    template <class Target>
    int checkParameter(const std::string& text, int emptyMessage, Target& target, int field,
                       int& caret) const {
        ParameterEntry r;
        if constexpr (std::is_same_v<Target, CValeurAssocieeComp>)
            r = enterComplexParameter(list, text, limit, emptyMessage, target);
        else
            r = enterParameter(list, text, limit, emptyMessage, target);
        if (r.ok) return -1;
        caret = r.position;
        return field;
    }

    // Appends a new object; an identical object already in the figure refuses it.
    bool add(Nature n, std::unique_ptr<CElementBase> object) {
        CElementBase* raw = object.get();
        doc.addEntry(std::make_unique<CAction>(n, std::move(object)));
        raw->computePosition();
        if (list.findCoinciding(raw)) {
            doc.removeLast(1);
            toolMessage(Msg::duplicateObject, MB_OK | MB_ICONEXCLAMATION);
            return false;
        }
        return true;
    }
};

FormulaDialog dialog(const Edit& e, const char* title, bool complex) {
    FormulaDialog d;
    d.title = title;
    d.insertable = insertableNames(e.list, e.limit, complex);
    return d;
}

// ---------------------------------------------------------------------------------------------
// Calculations and functions

bool editCalculation(CPelvantiView* view, CCalcul* c, bool complex) {
    Edit e(view, c);
    FormulaDialog d = dialog(e, complex ? "Calcul complexe" : "Calcul", complex);
    d.labels = {"Nom du calcul :", "Formule :"};
    d.values = {c ? c->name : "", c ? c->formula : ""};
    d.check = [&](FormulaDialog& d, int& caret) {
        if (int f = e.checkName(d.values[0], 0); f >= 0) return f;
        return e.checkFormula(d.values[1], "", complex, 1, caret);
    };
    if (!toolDialogs().editFormula(d)) return false;
    if (!c) {
        std::unique_ptr<CCalcul> n;
        if (complex)
            n = std::make_unique<CCalculComplexe>(d.values[0], d.values[1]);
        else
            n = std::make_unique<CCalcul>(d.values[0], d.values[1]);
        n->rebuildTree(e.list);
        return e.add(complex ? nat::calculComplexe : nat::calcul, std::move(n));
    }
    if (c->name == d.values[0] && c->formula == d.values[1]) return false;
    c->name = d.values[0];
    c->formula = d.values[1];
    c->rebuildTree(e.list);
    return true;
}

bool editFunction(CPelvantiView* view, CFonc* f, bool complex) {
    Edit e(view, f);
    FormulaDialog d = dialog(e, complex ? "Fonction complexe" : "Fonction", complex);
    d.labels = {"Nom de la fonction :", "Variable formelle :", "Formule :"};
    d.values = {f ? f->name : freeName(e.list, complex ? "g" : "f"),
                f ? f->formalVariable : (complex ? "z" : "x"), f ? f->formula : ""};
    d.check = [&](FormulaDialog& d, int& caret) {
        const std::string &name = d.values[0], &var = d.values[1];
        if (int r = e.checkName(name, 0, "\n\nLe nom de la fonction doit être défini"); r >= 0)
            return r;
        if (int m = checkFormalVariableName(e.list, var, name, e.limit)) return refuse(m, 1);
        return e.checkFormula(d.values[2], var, complex, 2, caret);
    };
    if (!toolDialogs().editFormula(d)) return false;
    if (!f) {
        std::unique_ptr<CFonc> n;
        if (complex)
            n = std::make_unique<CFoncComplexe>(d.values[0], d.values[2], d.values[1]);
        else
            n = std::make_unique<CFonc>(d.values[0], d.values[2], d.values[1]);
        n->rebuildTree(e.list);
        return e.add(complex ? nat::fonctionComplexe : nat::fonction, std::move(n));
    }
    if (f->name == d.values[0] && f->formalVariable == d.values[1] && f->formula == d.values[2])
        return false;
    f->name = d.values[0];
    f->formalVariable = d.values[1];
    f->formula = d.values[2];
    f->rebuildTree(e.list);
    rebuildDerivativesOf(e.list, f);
    return true;
}

// Real functions (derivatives included) before the limit.
std::vector<CElementBase*> realFunctions(const Edit& e) {
    std::vector<CElementBase*> out;
    for (CElementBase* f : entriesOf(e.list, nat::fonction, e.limit))
        if (dynamic_cast<CFonc*>(f)) out.push_back(f);
    return out;
}

bool editDerivative(CPelvantiView* view, CDerivee* der) {
    Edit e(view, der);
    std::vector<CElementBase*> functions = realFunctions(e);
    if (functions.empty()) return refuse(Msg::needFunction, 0), false;
    FormulaDialog d = dialog(e, "Fonction dérivée", false);
    d.labels = {"Nom de la fonction dérivée :"};
    CElementBase* source = der ? der->source : functions.back();
    d.values = {der ? der->name : freeName(e.list, source->getDisplayName() + "'")};
    d.choices = {{"Fonction à dériver :", namesOf(functions), indexIn(functions, source)}};
    d.check = [&](FormulaDialog& d, int&) {
        return e.checkName(d.values[0], 0, "\n\nLe nom de la fonction doit être défini");
    };
    if (!toolDialogs().editFormula(d)) return false;
    auto* f = static_cast<CFonc*>(functions[d.choices[0].index]);
    if (!der) return e.add(nat::fonction, std::make_unique<CDerivee>(d.values[0], f, e.list));
    if (der->name == d.values[0] && der->source == f) return false;
    der->name = d.values[0];
    der->source = f;
    der->rebuild(&e.list);
    return true;
}

// ---------------------------------------------------------------------------------------------
// Bounded variable

bool editVariable(CPelvantiView* view, CVariableBornee* v) {
    Edit e(view, v);
    // A new variable goes after pi and the variables at the head of the list.
    if (!v) {
        e.limit = 1;
        while (e.limit < e.list.count() && e.list.entryAt(e.limit)->nature == nat::variable)
            ++e.limit;
    }
    FormulaDialog d = dialog(e, "Variable", false);
    d.labels = {"Nom de la variable :", "Valeur minimale :", "Valeur maximale :",
                "Pas d'incrémentation :", "Valeur actuelle :"};
    d.values = {v ? v->name : "", v ? v->minimumText : "0", v ? v->maximumText : "10",
                v ? v->stepText : "1", v ? formatNumber(v->value, 12, 12) : "0"};
    d.boxes = {{"Fenêtre associée", v ? v->withWindow : true}};
    BoundedVariableCheck r;
    d.check = [&](FormulaDialog& d, int& caret) {
        if (int f = e.checkName(d.values[0], 0); f >= 0) return f;
        r = checkBoundedVariableFields(&e.list, d.values[1], d.values[2], d.values[3], d.values[4],
                                       e.limit - 1);
        if (r.ok) return -1;
        caret = r.position;
        return refuse(r.messageId, 1 + std::max(r.field, 0));
    };
    if (!toolDialogs().editFormula(d)) return false;
    const bool window = d.boxes[0].checked;
    if (!v) {
        auto n =
            std::make_unique<CVariableBornee>(d.values[0], r.value, r.minimum, r.maximum, r.step,
                                              d.values[1], d.values[2], d.values[3], window);
        e.doc.insertVariable(new CAction(nat::variable, std::move(n)));
    } else {
        v->name = d.values[0];
        v->value = r.value;
        v->minimum = r.minimum;
        v->maximum = r.maximum;
        v->step = r.step;
        v->minimumText = d.values[1];
        v->maximumText = d.values[2];
        v->stepText = d.values[3];
        v->withWindow = window;
    }
    view->closeVariableWindows();
    view->createVariableWindows();
    return true;
}

// ---------------------------------------------------------------------------------------------
// Sequences, solutions, integrals, tests, parts of complex values

// Real and complex recurrent sequences share their dialog: only the functions offered, the
// type of the first term and the title differ.
template <class Seq, class Fn, class First>
bool editSequenceOf(CPelvantiView* view, Seq* s, Nature nature, const char* title,
                    std::vector<CElementBase*> (*functionsOf)(const Edit&)) {
    Edit e(view, s);
    std::vector<CElementBase*> functions = functionsOf(e);
    if (functions.empty()) return refuse(Msg::needFunction, 0), false;
    FormulaDialog d = dialog(e, title, nature == nat::suiteRecComplexe);
    d.labels = {"Nom de la suite :", "Premier terme u(0) :", "Nombre de termes (500 maxi) :"};
    d.values = {s ? s->name : freeName(e.list, "u"), s ? s->first.getText(12) : "",
                std::to_string(s ? s->termCount : 50)};
    d.choices = {{"Fonction f :", namesOf(functions), s ? indexIn(functions, s->f) : 0}};
    First first;
    int count = 0;
    d.check = [&](FormulaDialog& d, int& caret) {
        if (int f = e.checkName(d.values[0], 0); f >= 0) return f;
        if (int f = e.checkParameter(d.values[1], Msg::enterFirstTerm, first, 1, caret); f >= 0)
            return f;
        if (!readWholeNumber(d.values[2], CSuiteRec::kMinTerms, CSuiteRec::kMaxTerms, count))
            return refuseText("Le nombre de termes doit être\nun entier de 2 à 500", 2);
        return -1;
    };
    if (!toolDialogs().editFormula(d)) return false;
    auto* f = static_cast<Fn*>(functions[d.choices[0].index]);
    if (!s) return e.add(nature, std::make_unique<Seq>(d.values[0], f, count, first));
    s->name = d.values[0];
    s->f = f;
    s->first = first;
    s->setTermCount(count);
    return true;
}

bool editSequence(CPelvantiView* view, CSuiteRec* s) {
    return editSequenceOf<CSuiteRec, CFonc, CValeurAssocieeAVariable>(
        view, s, nat::suiteRec, "Suite récurrente u(n+1)=f[u(n)]", realFunctions);
}

bool editComplexSequence(CPelvantiView* view, CSuiteRecComplexe* s) {
    return editSequenceOf<CSuiteRecComplexe, CFoncComplexe, CValeurAssocieeComp>(
        view, s, nat::suiteRecComplexe, "Suite complexe u(n+1)=f[u(n)]",
        [](const Edit& e) { return entriesOf(e.list, nat::fonctionComplexe, e.limit); });
}

bool editSolution(CPelvantiView* view, CSolutionEquation* s) {
    Edit e(view, s);
    std::vector<CElementBase*> functions = realFunctions(e);
    if (functions.empty()) return refuse(Msg::needFunction, 0), false;
    FormulaDialog d = dialog(e, "Solution d'équation f(x)=0", false);
    d.labels = {"Nom de la solution :", "Borne a :", "Borne b :", "Incertitude :"};
    d.values = {s ? s->name : "", s ? s->a.getText(12) : "", s ? s->b.getText(12) : "",
                s ? s->tolerance.getText(12) : "0.0001"};
    d.choices = {{"Fonction f :", namesOf(functions), s ? indexIn(functions, s->f) : 0}};
    CValeurAssocieeAVariable a, b, tolerance;
    d.check = [&](FormulaDialog& d, int& caret) {
        if (int f = e.checkName(d.values[0], 0); f >= 0) return f;
        if (int f = e.checkParameter(d.values[1], Msg::enterBoundA, a, 1, caret); f >= 0) return f;
        if (int f = e.checkParameter(d.values[2], Msg::enterBoundB, b, 2, caret); f >= 0) return f;
        if (int f = e.checkParameter(d.values[3], Msg::enterTolerance, tolerance, 3, caret); f >= 0)
            return f;
        if (!tolerance.isReference() && tolerance.getValue() <= 0)
            return refuse(Msg::toleranceNotPositive, 3);
        return -1;
    };
    if (!toolDialogs().editFormula(d)) return false;
    auto* f = static_cast<CFonc*>(functions[d.choices[0].index]);
    if (!s) {
        auto n = std::make_unique<CSolutionEquation>(d.values[0], f, a, b, tolerance);
        CSolutionEquation* raw = n.get();
        if (!e.add(nat::valeurNumerique, std::move(n))) return false;
        toolMessageText(raw->getCreationMessage(), MB_OK | MB_ICONINFORMATION);
        return true;
    }
    s->name = d.values[0];
    s->f = f;
    s->a = a;
    s->b = b;
    s->tolerance = tolerance;
    return true;
}

bool editIntegral(CPelvantiView* view, CIntegrale* in) {
    Edit e(view, in);
    std::vector<CElementBase*> functions = realFunctions(e);
    if (functions.empty()) return refuse(Msg::needFunction, 0), false;
    FormulaDialog d = dialog(e, "Intégrale", false);
    d.labels = {"Nom de l'intégrale :", "Borne a :", "Borne b :", "n (de 2 à 100) :"};
    d.values = {in ? in->name : "", in ? in->a.getText(12) : "", in ? in->b.getText(12) : "",
                std::to_string(in ? in->n : 50)};
    d.choices = {{"Fonction f :", namesOf(functions), in ? indexIn(functions, in->f) : 0}};
    CValeurAssocieeAVariable a, b;
    int n = 0;
    d.check = [&](FormulaDialog& d, int& caret) {
        if (int f = e.checkName(d.values[0], 0); f >= 0) return f;
        if (int f = e.checkParameter(d.values[1], Msg::enterBoundA, a, 1, caret); f >= 0) return f;
        if (int f = e.checkParameter(d.values[2], Msg::enterBoundB, b, 2, caret); f >= 0) return f;
        if (!readWholeNumber(d.values[3], CIntegrale::kMinIntervals, CIntegrale::kMaxIntervals, n))
            return refuseText("n doit être un entier\nde 2 à 100", 3);
        return -1;
    };
    if (!toolDialogs().editFormula(d)) return false;
    auto* f = static_cast<CFonc*>(functions[d.choices[0].index]);
    if (!in)
        return e.add(nat::valeurNumerique, std::make_unique<CIntegrale>(d.values[0], f, a, b, n));
    in->name = d.values[0];
    in->f = f;
    in->a = a;
    in->b = b;
    in->n = n;
    return true;
}

// Objects an existence test may watch: the values and the named graphic objects.
std::vector<CElementBase*> testable(const Edit& e) {
    std::vector<CElementBase*> out;
    for (CElementBase* x : entriesOf(e.list, ~Nature{0}, e.limit))
        if (!x->getDisplayName().empty()) out.push_back(x);
    return out;
}

bool editTest(CPelvantiView* view, CTestExistence* t) {
    Edit e(view, t);
    std::vector<CElementBase*> objects = testable(e);
    FormulaDialog d = dialog(e, "Test d'existence", false);
    d.labels = {"Nom du test :"};
    d.values = {t ? t->name : ""};
    d.choices = {{"Objet testé :", namesOf(objects), t ? indexIn(objects, t->tested) : 0}};
    d.check = [&](FormulaDialog& d, int&) { return e.checkName(d.values[0], 0); };
    if (!toolDialogs().editFormula(d) || objects.empty()) return false;
    CElementBase* tested = objects[d.choices[0].index];
    if (!t) return e.add(nat::calcul, std::make_unique<CTestExistence>(d.values[0], tested));
    t->name = d.values[0];
    t->tested = tested;
    return true;
}

template <class Part>
bool editPart(CPelvantiView* view, Part* p, const char* title) {
    Edit e(view, p);
    std::vector<CElementBase*> values = entriesOf(e.list, kComplexValues, e.limit);
    if (values.empty()) return refuse(Msg::needComplexValue, 0), false;
    FormulaDialog d = dialog(e, title, false);
    d.labels = {"Nom :"};
    d.values = {p ? p->name : ""};
    d.choices = {{"Complexe :", namesOf(values), p ? indexIn(values, p->complexValue) : 0}};
    d.check = [&](FormulaDialog& d, int&) { return e.checkName(d.values[0], 0); };
    if (!toolDialogs().editFormula(d)) return false;
    auto* z = static_cast<CValeurDynamique*>(values[d.choices[0].index]);
    if (!p) return e.add(nat::valeurNumerique, std::make_unique<Part>(d.values[0], z));
    p->name = d.values[0];
    p->complexValue = z;
    return true;
}

// ---------------------------------------------------------------------------------------------
// Reclassing a calculation or a measure

bool reclassValue(CPelvantiView* view, bool toEnd) {
    CPelvantiDoc& doc = *view->document();
    CListeAction& list = doc.list();
    std::vector<CActionAncetre*> entries;
    std::vector<std::string> names;
    // pi stays first.
    for (int i = 1; i < list.count(); ++i)
        if (list.entryAt(i)->nature & nat::valeurOuFonction) {
            entries.push_back(list.entryAt(i));
            names.push_back(list.elementAt(i)->getDisplayName());
        }
    if (entries.empty()) return refuse(Msg::needValue, 0), false;
    int index = 0;
    const char* title = toEnd ? "Reclasser en fin de liste" : "Reclasser en début de liste";
    if (!toolDialogs().chooseItem(title, names, index) || index < 0 ||
        index >= static_cast<int>(entries.size()))
        return false;
    const bool done =
        toEnd ? doc.reclassToEnd(entries[index]) : doc.reclassToBeginning(entries[index]);
    if (!done) {
        toolMessageText("L'objet ne peut pas être reclassé", MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    toolMessageText("L'objet a été reclassé", MB_OK | MB_ICONINFORMATION);
    return true;
}

// The graphic objects that show the unit length: those it is measured on, and those built
// from them alone (the segment, its midpoint, a comment...).
std::vector<CElementGraphique*> unitLengthObjects(CListeAction& list) {
    std::vector<CElementGraphique*> out;
    auto* unit = dynamic_cast<CLongueur*>(list.unitLength);
    if (!unit) return out;
    std::vector<CElementBase*> shown;
    for (CActionAncetre* e : list.entries()) {
        auto* g = dynamic_cast<CElementGraphique*>(e->element);
        if (!g || !(e->nature & nat::graphique)) continue;
        bool built = unit->dependsOn(g), fromShown = false;
        if (!built) {
            built = true;
            for (CActionAncetre* p : list.entries()) {
                if (p == e) break;
                if (!(p->nature & nat::graphique) || !g->dependsOn(p->element)) continue;
                const bool in = std::find(shown.begin(), shown.end(), p->element) != shown.end();
                fromShown = fromShown || in;
                built = built && in;
            }
            built = built && fromShown;
        }
        if (!built) continue;
        shown.push_back(g);
        out.push_back(g);
    }
    return out;
}

bool toggleUnitLength(CPelvantiView* view) {
    CListeAction& list = view->document()->list();
    auto* unit = dynamic_cast<CLongueur*>(list.unitLength);
    if (!unit) return refuse(Msg::needUnitLength, 0), false;
    std::vector<CElementGraphique*> objects = unitLengthObjects(list);
    const bool show =
        std::any_of(objects.begin(), objects.end(), [](CElementGraphique* g) { return g->masked; });
    if (show && !(unit->A->isInWindow() && unit->B->isInWindow()))
        return refuseText("Une des extrémités de la longeur unité est hors-fenêtre", 0), false;
    for (CElementGraphique* g : objects) show ? g->show() : g->hide();
    commitFigureChange(view, show ? "Voir longueur unité" : "Cacher longueur unité");
    return false;
}
}  // namespace

// ---------------------------------------------------------------------------------------------

bool readWholeNumber(const std::string& text, int low, int high, int& out) {
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || v < low || v > high) return false;
    out = static_cast<int>(v);
    return true;
}

std::vector<std::string> insertableNames(const CListeAction& list, int limit, bool complex) {
    std::vector<std::string> out = namesOf(entriesOf(list, nat::valeurOuFonction, limit));
    const int first = complex ? kComplexCodeBase : 0;
    const int size = complex ? kComplexTableSize : kRealTableSize;
    for (int code = first; code < first + size; ++code) {
        const std::string name = builtInFunctionName(code);
        if (!name.empty()) out.push_back(name + "(");
    }
    return out;
}

bool valuePreconditionHolds(int id, CPelvantiDoc& doc) {
    const CListeAction& list = doc.list();
    auto any = [&](Nature mask, int from) {
        for (int i = from; i < list.count(); ++i)
            if (list.entryAt(i)->nature & mask) return true;
        return false;
    };
    switch (id) {
        case Msg::needFunction:
            return any(nat::fonction, 0);
        case Msg::needComplexFunction:
            return any(nat::fonctionComplexe, 0);
        case Msg::needComplexValue:
            return any(kComplexValues, 0);
        case Msg::needValue:
            // pi is there from the start: a value is one the user made.
            return any(nat::valeurOuFonction, 1);
        case Msg::needFrame:
            return any(nat::repere, 0);
        case Msg::needValueDisplay:
            return countVisible(doc, nat::valeurAffichee) > 0;
        case Msg::needComment:
            return countVisible(doc, nat::commentaire) > 0;
        case Msg::needImage:
            return countVisible(doc, nat::image) > 0;
        case Msg::needDisplay:
            return countVisible(doc, kDisplays) > 0;
        case Msg::needTiedDisplay:
            return countVisible(doc, kDisplays, [](const CElementBase* e) {
                       auto* d = dynamic_cast<const CAffichageLieAPoint*>(e);
                       return d && d->point;
                   }) > 0;
        case Msg::needPolygon:
            return countVisible(doc, nat::polygone) > 0;
        case Msg::needPolyline:
            return countVisible(doc, nat::polygone | nat::ligneBrisee) > 0;
        case Msg::needSavedFigure:
            return !doc.path.empty();
        default:
            return preconditionHolds(id, doc);
    }
}

void commitFigureChange(CPelvantiView* view, const std::string& label,
                        const CElementBase* changed) {
    CPelvantiDoc* doc = view->document();
    doc->history().record(label);
    if (changed) {
        doc->list().computeDependentsOf(changed);
        view->redraw();
        for (CVariableWindow* w : view->variableWindows()) w->refresh();
    } else {
        view->recomputeAndRedraw();
    }
    view->setModified(true);
    emit view->figureChanged();
}

bool valuePreconditionsHoldInActiveView(const std::vector<int>& ids) {
    CPelvantiView* view = CPelvantiView::activeView();
    if (!view) return false;
    for (int id : ids)
        if (!valuePreconditionHolds(id, *view->document())) {
            toolMessage(id, MB_OK | MB_ICONEXCLAMATION);
            return false;
        }
    return true;
}

bool COutilDialogueValeur::isAvailable() {
    return valuePreconditionsHoldInActiveView(desc_.unavailable);
}

bool COutilDialogueValeur::activate(CPelvantiView* view) {
    COutil::activate(view);
    if (view && desc_.run(view)) commitFigureChange(view, desc_.undo);
    revenirCapture(view);
    return true;
}

bool modifyValue(CPelvantiView* view, CElementBase* e) {
    if (!view || !e) return false;
    const char* label = nullptr;
    bool changed = false;
    if (dynamic_cast<CCalcConst*>(e)) {
        toolMessage(Msg::constantPredefined, MB_OK | MB_ICONEXCLAMATION);
        return false;
    } else if (auto* der = dynamic_cast<CDerivee*>(e)) {
        changed = editDerivative(view, der), label = "Modifier fonction dérivée";
    } else if (auto* f = dynamic_cast<CFonc*>(e)) {
        const bool complex = dynamic_cast<CFoncComplexe*>(e) != nullptr;
        changed = editFunction(view, f, complex);
        label = complex ? "Modifier fonction complexe" : "Modifier fonction";
    } else if (auto* c = dynamic_cast<CCalcul*>(e)) {
        const bool complex = dynamic_cast<CCalculComplexe*>(e) != nullptr;
        changed = editCalculation(view, c, complex);
        label = complex ? "Modifier calcul complexe" : "Modifier calcul";
    } else if (auto* v = dynamic_cast<CVariableBornee*>(e)) {
        changed = editVariable(view, v), label = "Modifier variable";
    } else if (auto* s = dynamic_cast<CSuiteRec*>(e)) {
        changed = editSequence(view, s), label = "Modifier suite récurrente";
    } else if (auto* sc = dynamic_cast<CSuiteRecComplexe*>(e)) {
        changed = editComplexSequence(view, sc), label = "Modifier suite récurrente complexe";
    } else if (auto* sol = dynamic_cast<CSolutionEquation*>(e)) {
        changed = editSolution(view, sol), label = "Modifier solution d'équation";
    } else if (auto* in = dynamic_cast<CIntegrale*>(e)) {
        changed = editIntegral(view, in), label = "Modifier intégrale";
    } else if (auto* t = dynamic_cast<CTestExistence*>(e)) {
        changed = editTest(view, t), label = "Modifier test d'existence";
    } else if (auto* p = dynamic_cast<CPartieReelle*>(e)) {
        changed = editPart(view, p, "Partie de complexe"), label = "Modifier partie de complexe";
    } else {
        toolMessageText("Une mesure suit les objets mesurés :\nelle ne se modifie pas",
                        MB_OK | MB_ICONINFORMATION);
        return false;
    }
    if (changed) commitFigureChange(view, label, e);
    return changed;
}

const std::vector<ValueCommandDesc>& valueCommandTable() {
    using V = CPelvantiView;
    // clang-format off
    static const std::vector<ValueCommandDesc> table = {
        {Cmd::newCalculation, "Calculs", "Nouveau &calcul\tCtrl+Maj+C", {}, "Créer calcul", [](V* v) { return editCalculation(v, nullptr, false); }},
        {Cmd::newComplexCalculation, "Calculs", "Nouveau calcul complexe\tCtrl+Maj+Z", {}, "Créer calcul complexe", [](V* v) { return editCalculation(v, nullptr, true); }},
        {Cmd::newVariable, "Calculs", "&Nouvelle variable", {}, "Créer variable", [](V* v) { return editVariable(v, nullptr); }},
        {Cmd::newFunction, "Calculs", "Nouvelle &fonction\tCtrl+Maj+F", {}, "Créer fonction", [](V* v) { return editFunction(v, nullptr, false); }},
        {Cmd::newComplexFunction, "Calculs", "Nouvelle fonction complexe\tCtrl+Maj+G", {}, "Créer fonction complexe", [](V* v) { return editFunction(v, nullptr, true); }},
        {Cmd::newDerivative, "Calculs", "Nouvelle fonction dérivée", {Msg::needFunction}, "Créer fonction dérivée", [](V* v) { return editDerivative(v, nullptr); }},
        {Cmd::newSequence, "Calculs", "Nouvelle &suite u(n+1)=f[u(n)]\tCtrl+Maj+S", {Msg::needFunction}, "Créer suite récurrente", [](V* v) { return editSequence(v, nullptr); }},
        {Cmd::newComplexSequence, "Calculs", "Nouvelle suite complexe u(n+1)=f[u(n)]", {Msg::needComplexFunction}, "Créer suite récurrente complexe", [](V* v) { return editComplexSequence(v, nullptr); }},
        {Cmd::newSolution, "Calculs", "Nouvelle solution d'équation f(x)=0", {Msg::needFunction}, "Créer solution d'équation", [](V* v) { return editSolution(v, nullptr); }},
        {Cmd::newIntegral, "Calculs", "Nouvelle intégrale", {Msg::needFunction}, "Créer intégrale", [](V* v) { return editIntegral(v, nullptr); }},
        {Cmd::showCalculations, "Calculs", "V&oir tous les calculs\tF6", {}, "", [](V* v) { showCalculationsWindow(v); return false; }},
        {Cmd::newExistenceTest, "Calculs", "Nouveau test d'existence", {}, "Créer test d'existence", [](V* v) { return editTest(v, nullptr); }},
        {Cmd::newRealPart, "Calculs/Complexes", "Nouvelle partie réelle de complexe", {Msg::needComplexValue}, "Créer partie réelle", [](V* v) { return editPart<CPartieReelle>(v, nullptr, "Partie réelle"); }},
        {Cmd::newImaginaryPart, "Calculs/Complexes", "Nouvelle partie imaginaire de complexe", {Msg::needComplexValue}, "Créer partie imaginaire", [](V* v) { return editPart<CPartieImaginaire>(v, nullptr, "Partie imaginaire"); }},
        {Cmd::newArgument, "Calculs/Complexes", "Nouvel argument principal de complexe", {Msg::needComplexValue}, "Créer Argument", [](V* v) { return editPart<CArgument>(v, nullptr, "Argument principal"); }},
        {Cmd::newModulus, "Calculs/Complexes", "Nouveau module de complexe", {Msg::needComplexValue}, "Créer Module", [](V* v) { return editPart<CModule>(v, nullptr, "Module"); }},
        {Cmd::toggleUnitLength, "&Affichage", "Voir/Cacher longueur unité", {Msg::needUnitLength}, "", toggleUnitLength},
        {Cmd::moveValueToEnd, "&Edition/Reclasser en fin de liste", "Un calcul ou une mesure", {Msg::needValue}, "Reclasser en fin de liste", [](V* v) { return reclassValue(v, true); }},
        {Cmd::moveValueToStart, "&Edition/Reclasser en début de liste", "Un calcul ou une mesure", {Msg::needValue}, "Reclasser en début de liste", [](V* v) { return reclassValue(v, false); }},
    };
    // clang-format on
    return table;
}
