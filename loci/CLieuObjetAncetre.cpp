#include "loci/CLieuObjetAncetre.h"

#include "core/CArchive.h"
#include "geometry/CPointLie.h"
#include "loci/LocusSampling.h"
#include "values/CVariable.h"

IMPLEMENT_SERIAL(CLieuObjetAncetre, CElementGraphique, 1)
IMPLEMENT_SERIAL(CLieuObjetParPtLie, CLieuObjetAncetre, 1)
IMPLEMENT_SERIAL(CLieuObjetParVariable, CLieuObjetAncetre, 1)

IMPLEMENT_REFS(CLieuObjetAncetre, CElementGraphique, tracedObject)
// A generator may be none, as for the loci of points.
IMPLEMENT_REFS(CLieuObjetParPtLie, CLieuObjetAncetre, optional(linkedPoint))
IMPLEMENT_REFS(CLieuObjetParVariable, CLieuObjetAncetre, optional(variable))

namespace {
std::string textOf(const CElementBase* e) {
    if (!e) return "";
    std::string n = geo::nameOf(e);
    return n.empty() ? e->getDisplayName() : n;
}
}  // namespace

CLieuObjetAncetre::CLieuObjetAncetre() = default;

CLieuObjetAncetre::CLieuObjetAncetre(CListeAction* list, CElementGraphique* tracedObject,
                                     int copyCount, int8_t colour)
    : CElementGraphique(colour), list(list), tracedObject(tracedObject), copyCount(copyCount) {
    buildCopies();
}

CLieuObjetAncetre::~CLieuObjetAncetre() = default;

CElementGraphique* CLieuObjetAncetre::copyAt(int i) const {
    if (!copies) return nullptr;
    return dynamic_cast<CElementGraphique*>(copies->elementAt(i));
}

void CLieuObjetAncetre::buildCopies() {
    if (!copies) copies = std::make_unique<CListeAction>(true);
    copies->clear();
    if (!list || !tracedObject || copyCount < 1) return;
    const CActionAncetre* entry = list->entryOf(tracedObject);
    const Nature nature = entry ? entry->nature : Nature{0};
    for (int i = 0; i < copyCount; ++i) {
        std::unique_ptr<CElementBase> clone = tracedObject->getClone(*list, *list);
        auto* g = dynamic_cast<CElementGraphique*>(clone.get());
        if (!g) {
            // A kind that cannot be copied leaves the locus without copies: it never exists.
            copies->clear();
            return;
        }
        g->setColour(colour);
        g->setName("");
        g->show();
        g->exists = false;
        copies->append(new CAction(nature, std::move(clone)));
    }
}

void CLieuObjetAncetre::setPointCount(int n) {
    if (n < 1) n = 1;
    if (n == copyCount && copies && copies->count() == n) return;
    copyCount = n;
    buildCopies();
}

void CLieuObjetAncetre::prepare() {
    if (!dependents) dependents = std::make_unique<CListeAction>(true);
    buildDependents(list);
    buildCopies();
    prepared_ = true;
}

void CLieuObjetAncetre::ensurePrepared() {
    if (!prepared_ || !dependents || !copies || copies->count() != copyCount) prepare();
}

void CLieuObjetAncetre::buildDependents(CListeAction*) {}

void CLieuObjetAncetre::rebuildInternalLists(CListeAction* figure) {
    if (figure) list = figure;
    prepare();
}

void CLieuObjetAncetre::setInternalAngleUnit(int unit) {
    if (dependents) dependents->angleUnit = unit;
}

void CLieuObjetAncetre::setColour(int8_t index) {
    colour = index;
    if (!copies) return;
    for (CActionAncetre* e : copies->entries())
        if (auto* g = dynamic_cast<CElementGraphique*>(e->element)) g->setColour(index);
}

void CLieuObjetAncetre::computePosition() {
    exists = false;
    CElementBase* gen = generator();
    if (!tracedObject || !gen || !gen->exists) return;
    ensurePrepared();
    if (copies->count() == 0) return;
    bool any = false;
    const bool ok = loci::sample(gen, copyCount, *dependents, [&](int i) {
        CElementBase* copy = copies->elementAt(i);
        copy->copyStateFrom(*tracedObject);
        copy->exists = tracedObject->exists;
        any = any || copy->exists;
    });
    exists = ok && any;
}

void CLieuObjetAncetre::draw(CDC* dc, bool hideMasked) {
    if (!exists || (hideMasked && masked) || !copies) return;
    for (CActionAncetre* e : copies->entries()) {
        auto* g = static_cast<CElementGraphique*>(e->element);
        g->masked = masked;
        g->draw(dc, hideMasked);
    }
}

void CLieuObjetAncetre::erase(CDC* dc, bool hideMasked) {
    if (!exists || (hideMasked && masked) || !copies) return;
    for (CActionAncetre* e : copies->entries()) {
        auto* g = static_cast<CElementGraphique*>(e->element);
        g->masked = masked;
        g->erase(dc, hideMasked);
    }
}

int CLieuObjetAncetre::designationDistance(int mx, int my, bool hideMasked) {
    if (!exists || (hideMasked && masked) || !copies) return kNotDesignable;
    int best = kNotDesignable;
    for (CActionAncetre* e : copies->entries()) {
        auto* g = static_cast<CElementGraphique*>(e->element);
        if (!g->exists) continue;
        g->masked = masked;
        const int d = g->designationDistance(mx, my, hideMasked);
        if (d >= 0 && d < best) best = d;
    }
    return best;
}

void CLieuObjetAncetre::replaceReference(CElementBase* old, CElementBase* repl) {
    CElementGraphique::replaceReference(old, repl);
    // The copies keep the parents of the traced object: they are made again with the lists.
    prepared_ = false;
}

void CLieuObjetAncetre::replaceInSubLists(CActionAncetre*, CActionAncetre*) {
    prepared_ = false;
}

bool CLieuObjetAncetre::coincidesWith(const CElementBase* other) const {
    if (!other || other->GetRuntimeClass() != GetRuntimeClass()) return false;
    const auto* l = static_cast<const CLieuObjetAncetre*>(other);
    return l->generator() == generator() && l->tracedObject == tracedObject;
}

void CLieuObjetAncetre::serializeBase(CArchive& ar, bool previous) {
    if (ar.IsStoring()) {
        serializeOwnRefs(ar, *this);
        ar.writeInt(copyCount);
        return;
    }
    list = ar.currentList();
    serializeOwnRefs(ar, *this);
    copyCount = loci::checkedSampleCount(previous ? ar.readShort() : ar.readInt());
    prepared_ = false;
}

void CLieuObjetAncetre::Serialize(CArchive& ar) {
    CElementGraphique::Serialize(ar);
    serializeBase(ar, false);
}

void CLieuObjetAncetre::readPreviousFormat(CArchive& ar) {
    CElementGraphique::readPreviousFormat(ar);
    serializeBase(ar, true);
}

std::string CLieuObjetAncetre::getDescription() const {
    const std::string sep = "\n      ";
    return "Lieu d'objet : " + name + sep + generatorLine() + sep + "et par la trace de l'objet " +
           textOf(tracedObject);
}

// ---------------------------------------------------------------------------------------------
// CLieuObjetParPtLie

CLieuObjetParPtLie::CLieuObjetParPtLie(CListeAction* list, CElementGraphique* tracedObject,
                                       CPointLie* generator, int copyCount, int8_t colour)
    : CLieuObjetAncetre(list, tracedObject, copyCount, colour), linkedPoint(generator) {}

CElementBase* CLieuObjetParPtLie::generator() const {
    return linkedPoint;
}

void CLieuObjetParPtLie::buildDependents(CListeAction* figure) {
    if (!dependents) dependents = std::make_unique<CListeAction>(true);
    loci::buildDependents(figure, tracedObject, linkedPoint, *dependents);
}

void CLieuObjetParPtLie::Serialize(CArchive& ar) {
    CLieuObjetAncetre::Serialize(ar);
    serializeOwnRefs(ar, *this);
}

void CLieuObjetParPtLie::readPreviousFormat(CArchive& ar) {
    CLieuObjetAncetre::readPreviousFormat(ar);
    serializeOwnRefs(ar, *this);
}

bool CLieuObjetParPtLie::dependsOnForDrag(const CElementBase* p) const {
    if (p == this) return true;
    return p != linkedPoint && tracedObject && tracedObject->dependsOn(p);
}

void CLieuObjetParPtLie::replaceReference(CElementBase* old, CElementBase* repl) {
    loci::replaceGenerator(linkedPoint, old, repl);
    CLieuObjetAncetre::replaceReference(old, repl);
}

std::string CLieuObjetParPtLie::getConstructionInfo(CElementBase** a, CElementBase** b,
                                                    CElementBase** c) const {
    if (a) *a = linkedPoint;
    if (b) *b = tracedObject;
    if (c) *c = nullptr;
    return "Lieu d'objet généré par le déplacement d'un point lié";
}

std::string CLieuObjetParPtLie::generatorLine() const {
    return "Lieu d'objet généré par le déplacement du point lié " + geo::nameOf(linkedPoint);
}

// ---------------------------------------------------------------------------------------------
// CLieuObjetParVariable

CLieuObjetParVariable::CLieuObjetParVariable(CListeAction* list, CElementGraphique* tracedObject,
                                             CVariableBornee* variable, int copyCount,
                                             int8_t colour)
    : CLieuObjetAncetre(list, tracedObject, copyCount, colour), variable(variable) {}

CElementBase* CLieuObjetParVariable::generator() const {
    return variable;
}

void CLieuObjetParVariable::buildDependents(CListeAction* figure) {
    if (!dependents) dependents = std::make_unique<CListeAction>(true);
    loci::buildDependents(figure, tracedObject, variable, *dependents);
}

void CLieuObjetParVariable::Serialize(CArchive& ar) {
    CLieuObjetAncetre::Serialize(ar);
    serializeOwnRefs(ar, *this);
}

void CLieuObjetParVariable::readPreviousFormat(CArchive& ar) {
    CLieuObjetAncetre::readPreviousFormat(ar);
    serializeOwnRefs(ar, *this);
}

void CLieuObjetParVariable::replaceReference(CElementBase* old, CElementBase* repl) {
    loci::replaceGenerator(variable, old, repl);
    CLieuObjetAncetre::replaceReference(old, repl);
}

std::string CLieuObjetParVariable::getConstructionInfo(CElementBase** a, CElementBase** b,
                                                       CElementBase** c) const {
    if (a) *a = variable;
    if (b) *b = tracedObject;
    if (c) *c = nullptr;
    return "Lieu d'objet généré par les valeurs de la variable ";
}

std::string CLieuObjetParVariable::generatorLine() const {
    return "Lieu d'objet généré par les valeurs de la variable " + geo::nameOf(variable);
}
