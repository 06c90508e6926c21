// What the three locus families share: the generator (a linked point moved along its curve or a
// bounded variable moved between its bounds), the sub-list of objects recomputed at each sample
// and the sampling loop itself.
#pragma once

#include <memory>

#include "core/CArchive.h"
#include "core/CListeAction.h"

class CPointLie;
class CVariableBornee;

namespace loci {

// Largest number of samples a locus accepts; a file asking for more is refused.
inline constexpr int kMaxSamples = 100000;

// First abscissa and step of the n samples of a generator; false when the generator does not
// exist or its range is empty. A full circle is not sampled twice at the same place.
bool rangeOf(const CElementBase* generator, int n, double* first, double* step);
double generatorValue(const CElementBase* generator);
void setGeneratorValue(CElementBase* generator, double t);

// The objects of `list`, up to `traced` included and in list order, that `traced` depends on
// and that depend on `generator`: only they change while the generator runs.
void buildDependents(const CListeAction* list, const CElementBase* traced,
                     const CElementBase* generator, CListeAction& out);

// Runs the generator through its n samples, recomputing `dependents` and calling look(i) after
// each, then puts the generator back where it was. False when the range is unusable.
template <class Look>
bool sample(CElementBase* generator, int n, CListeAction& dependents, Look&& look) {
    double first = 0, step = 0;
    if (n < 1 || !rangeOf(generator, n, &first, &step)) return false;
    const double saved = generatorValue(generator);
    for (int i = 0; i < n; ++i) {
        setGeneratorValue(generator, first + i * step);
        dependents.computeAll();
        look(i);
    }
    setGeneratorValue(generator, saved);
    dependents.computeAll();
    return true;
}

// Sample count read from a file: refused when it could not be a real locus.
int checkedSampleCount(int n);

// A generator replaced by an object that cannot run (the unlinking tool puts a free point in
// place of the linked one) leaves the locus without generator, rather than pointing at the
// object about to be deleted.
template <class T>
void replaceGenerator(T*& generator, CElementBase* old, CElementBase* repl) {
    if (old && generator == old) generator = dynamic_cast<T*>(repl);
}

}  // namespace loci
