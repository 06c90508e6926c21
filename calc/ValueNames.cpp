#include "calc/ValueNames.h"

#include "calc/BuiltInFunctions.h"
#include "calc/CSourceValeur.h"

int findLongestNameAt(const CListeAction& list, const std::string& text, size_t pos, Nature group,
                      CElementBase** found) {
    int best = 0;
    if (found) *found = nullptr;
    for (int i = 0; i < list.count(); ++i) {
        const CActionAncetre* e = list.entryAt(i);
        if (!(e->nature & group)) continue;
        auto* v = dynamic_cast<const CSourceValeur*>(e->element);
        int length = 0;
        if (v && v->matchesNameAt(text, pos, &length) && length > best) {
            best = length;
            if (found) *found = e->element;
        }
    }
    return best;
}

int findLongestValueNameAt(const CListeAction& list, const std::string& text, size_t pos,
                           CElementBase** found) {
    return findLongestNameAt(list, text, pos, nat::valeurReelle, found);
}

int findLongestComplexValueNameAt(const CListeAction& list, const std::string& text, size_t pos,
                                  CElementBase** found) {
    return findLongestNameAt(list, text, pos, nat::valeurComplexe, found);
}

int findLongestFunctionNameAt(const CListeAction& list, const std::string& text, size_t pos,
                              CElementBase** found) {
    return findLongestNameAt(list, text, pos, nat::fonctionOuSuite, found);
}

int findLongestComplexFunctionNameAt(const CListeAction& list, const std::string& text, size_t pos,
                                     CElementBase** found) {
    return findLongestNameAt(list, text, pos, nat::fonctionOuSuiteComplexe, found);
}

bool isValueNameTaken(const CListeAction& list, const std::string& name) {
    for (int i = 0; i < list.count(); ++i) {
        const CActionAncetre* e = list.entryAt(i);
        if (!(e->nature & nat::valeurOuFonction)) continue;
        auto* v = dynamic_cast<const CSourceValeur*>(e->element);
        if (v && v->hasName(name)) return true;
    }
    return isBuiltInFunctionName(name);
}

std::string uniqueNumberedValueName(const CListeAction& list, const std::string& base) {
    for (int k = 1;; ++k) {
        std::string candidate = base + std::to_string(k);
        bool taken = false;
        for (int i = 0; i < list.count(); ++i) {
            const CActionAncetre* e = list.entryAt(i);
            if (!(e->nature & nat::valeurOuFonction)) continue;
            auto* v = dynamic_cast<const CSourceValeur*>(e->element);
            if (v && v->hasName(candidate)) {
                taken = true;
                break;
            }
        }
        if (!taken) return candidate;
    }
}
