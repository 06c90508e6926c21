#include "loci/LocusSampling.h"

#include <utility>

#include "geometry/CPointLie.h"
#include "values/CVariable.h"

namespace loci {

bool rangeOf(const CElementBase* generator, int n, double* first, double* step) {
    if (!generator || !generator->exists || n < 1) return false;
    double a = 0, b = 0;
    bool cyclic = false;
    if (const auto* p = dynamic_cast<const CPointLie*>(generator)) {
        a = p->getAbscissaMin();
        b = p->getAbscissaMax();
        cyclic = p->isCyclic();
    } else if (const auto* v = dynamic_cast<const CVariableBornee*>(generator)) {
        a = v->minimum;
        b = v->maximum;
    } else {
        return false;
    }
    if (!(a == a) || !(b == b) || a == b) return false;
    if (a > b) std::swap(a, b);
    *first = a;
    if (cyclic)
        *step = (b - a) / n;
    else
        *step = n > 1 ? (b - a) / (n - 1) : 0.0;
    return true;
}

double generatorValue(const CElementBase* generator) {
    if (const auto* p = dynamic_cast<const CPointLie*>(generator)) return p->abscissa;
    if (const auto* v = dynamic_cast<const CVariableBornee*>(generator)) return v->value;
    return 0.0;
}

void setGeneratorValue(CElementBase* generator, double t) {
    if (auto* p = dynamic_cast<CPointLie*>(generator)) {
        p->abscissa = t;
        p->computePosition();
    } else if (auto* v = dynamic_cast<CVariableBornee*>(generator)) {
        v->setValue(t);
        v->computePosition();
    }
}

void buildDependents(const CListeAction* list, const CElementBase* traced,
                     const CElementBase* generator, CListeAction& out) {
    out.clear();
    if (!list || !traced || !generator) return;
    out.angleUnit = list->angleUnit;
    CAncestors tracedFrom;
    tracedFrom.add(traced);
    CDependencyWalk moved(generator);
    for (CActionAncetre* e : list->entries()) {
        CElementBase* o = e->element;
        if (tracedFrom.contains(o) && moved.answer(o))
            out.append(new CActionSousListe(e->nature, o));
        if (o == traced) break;
    }
}

int checkedSampleCount(int n) {
    if (n < 1 || n > kMaxSamples)
        CArchive::fail(CArchiveException::badFormat, "Nombre de points d'un lieu invalide.");
    return n;
}

}  // namespace loci
