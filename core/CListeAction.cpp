#include "core/CListeAction.h"

#include <algorithm>
#include <unordered_map>

#include "core/CArchive.h"
#include "core/CElementGraphique.h"
#include "core/EvaluationRecord.h"

IMPLEMENT_SERIAL_VERSIONABLE(CActionAncetre, CObject, 2)
IMPLEMENT_SERIAL_VERSIONABLE(CAction, CActionAncetre, 2)
IMPLEMENT_SERIAL_VERSIONABLE(CActionSousListe, CActionAncetre, 2)
IMPLEMENT_SERIAL(CListeAction, CObject, 1)
IMPLEMENT_SERIAL(CSousListeAction, CListeAction, 1)

// ---------------------------------------------------------------------------------------------
// Entries

void CActionAncetre::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.writeByte(static_cast<uint8_t>(natureBitNumber(nature)));
        return;
    }
    unsigned schema = ar.getObjectSchema();
    if (schema == 1) {
        nature = ar.readDword();
    } else if (schema == 2) {
        uint8_t bit = ar.readByte();
        // 64 is what the writer stores for a nature with no bit set.
        if (bit > 64)
            CArchive::fail(CArchiveException::badFormat,
                           "Nature d'objet invalide dans le fichier.");
        nature = bit == 64 ? 0 : natureBit(bit);
    } else {
        CArchive::fail(CArchiveException::badSchema,
                       "Version d'entrée de la figure non reconnue dans le fichier.");
    }
}

void CActionAncetre::readPreviousFormat(CArchive& ar) {
    nature = ar.readDword();
}

CAction::CAction(Nature n, std::unique_ptr<CElementBase> e) : CActionAncetre(n, e.release()) {}

CAction::CAction(uint32_t natureLow, uint32_t natureHigh, std::unique_ptr<CElementBase> e)
    : CActionAncetre(natureMask(natureLow, natureHigh), e.release()) {}

CAction::~CAction() {
    delete element;
}

void CAction::Serialize(CArchive& ar) {
    CActionAncetre::Serialize(ar);
    if (ar.IsStoring()) {
        ar.writeObject(element);
    } else {
        element = ar.readObjectOf<CElementBase>().release();
        if (!element)
            CArchive::fail(CArchiveException::badFormat, "Entrée de la figure sans objet.");
    }
}

void CAction::readPreviousFormat(CArchive& ar) {
    CActionAncetre::readPreviousFormat(ar);
    element = ar.readPreviousObjectOf<CElementBase>().release();
    if (!element) CArchive::fail(CArchiveException::badFormat, "Entrée de la figure sans objet.");
}

void CActionSousListe::Serialize(CArchive& ar) {
    CActionAncetre::Serialize(ar);
    if (ar.IsStoring())
        ar.writeReference(element);
    else
        element = ar.readRequiredReferenceOf<CElementBase>();
}

void CActionSousListe::readPreviousFormat(CArchive& ar) {
    CActionAncetre::readPreviousFormat(ar);
    element = ar.readRequiredReferenceOf<CElementBase>();
}

// ---------------------------------------------------------------------------------------------
// Entries of the list

CListeAction::~CListeAction() {
    clear();
}

CActionAncetre* CListeAction::entryAt(int index) const {
    return index >= 0 && index < count() ? entries_[index] : nullptr;
}

CActionAncetre* CListeAction::entryOf(const CElementBase* element) const {
    return entryAt(indexOf(element));
}

void CListeAction::append(CActionAncetre* entry) {
    dropIndexMap();
    entries_.push_back(entry);
}

void CListeAction::insertAt(int index, CActionAncetre* entry) {
    dropIndexMap();
    index = std::clamp(index, 0, count());
    entries_.insert(entries_.begin() + index, entry);
}

CActionAncetre* CListeAction::detachAt(int index) {
    CActionAncetre* e = entryAt(index);
    if (e) {
        dropIndexMap();
        entries_.erase(entries_.begin() + index);
    }
    return e;
}

void CListeAction::destroyEntry(CActionAncetre* entry) {
    if (!entry) return;
    forget(entry->element);
    if (ownsEntries_) delete entry;
}

void CListeAction::forget(const CElementBase* element) {
    if (!element) return;
    if (unitLength == element) unitLength = nullptr;
    if (defaultMacro == element) defaultMacro = nullptr;
}

void CListeAction::removeAt(int index) {
    destroyEntry(detachAt(index));
}

void CListeAction::clear() {
    dropIndexMap();
    std::vector<CActionAncetre*> old;
    old.swap(entries_);
    unitLength = nullptr;
    defaultMacro = nullptr;
    if (ownsEntries_)
        for (CActionAncetre* e : old) delete e;
}

// ---------------------------------------------------------------------------------------------
// Look-ups

int CListeAction::indexOf(const CElementBase* element) const {
    if (!element) return -1;
    if (indexMap_) {
        // An entry given another object in place makes the map wrong: search then. Valid
        // figures refer only to objects of the list, so that this stays rare.
        if (const int* i = indexMap_->find(element))
            if (*i < count() && entries_[*i]->element == element) return *i;
    }
    for (int i = 0; i < count(); ++i)
        if (entries_[i]->element == element) return i;
    return -1;
}

CListeAction::IndexScope::IndexScope(const CListeAction& list) : list_(list) {
    if (list.indexMap_) return;
    map_.reserve(list.entries_.size());
    for (int i = 0; i < list.count(); ++i)
        map_.insert(list.entries_[i]->element, i);  // the first entry wins, as in a search
    list.indexMap_ = &map_;
    installed_ = true;
}

CListeAction::IndexScope::~IndexScope() {
    if (installed_ && list_.indexMap_ == &map_) list_.indexMap_ = nullptr;
}

CElementBase* CListeAction::elementAt(int index) const {
    CActionAncetre* e = entryAt(index);
    return e ? e->element : nullptr;
}

CElementBase* CListeAction::findByNature(Nature mask) const {
    for (CActionAncetre* e : entries_)
        if (e->nature == mask) return e->element;
    return nullptr;
}

bool CListeAction::anyExists() const {
    return std::any_of(entries_.begin(), entries_.end(),
                       [](const CActionAncetre* e) { return e->element && e->element->exists; });
}

bool CListeAction::sameElements(const CListeAction& other) const {
    if (count() != other.count()) return false;
    return std::all_of(entries_.begin(), entries_.end(),
                       [&](const CActionAncetre* e) { return other.contains(e->element); });
}

CElementBase* CListeAction::findCoinciding(const CElementBase* element) const {
    for (CActionAncetre* e : entries_)
        if (e->element != element && e->element->coincidesWith(element)) return e->element;
    return nullptr;
}

// The passes below ask their questions about `p` in list order, through one walk: each object
// is examined once.

bool CListeAction::anyDependsOn(const CElementBase* p) const {
    CDependencyWalk walk(p);
    return std::any_of(entries_.begin(), entries_.end(),
                       [&](const CActionAncetre* e) { return walk.answer(e->element); });
}

std::vector<bool> CListeAction::dependentsOf(const CElementBase* p) const {
    std::vector<bool> marks(entries_.size());
    CDependencyWalk walk(p);
    for (size_t i = 0; i < entries_.size(); ++i) marks[i] = walk.answer(entries_[i]->element);
    return marks;
}

bool CListeAction::anyDependsOnForPositioning(const CElementBase* p) const {
    CDependencyWalk walk(p, CDependencyWalk::positioning);
    return std::any_of(entries_.begin(), entries_.end(),
                       [&](const CActionAncetre* e) { return walk.answer(e->element); });
}

bool CListeAction::anyUsesNameOf(const CElementBase* p) const {
    return std::any_of(entries_.begin(), entries_.end(),
                       [p](const CActionAncetre* e) { return e->element->usesNameOf(p); });
}

bool CListeAction::isTransformationUsed(const CElementBase* t) const {
    return std::any_of(entries_.begin(), entries_.end(), [t](const CActionAncetre* e) {
        return e->element->getTransformation() == t;
    });
}

void CListeAction::replaceReferenceEverywhere(CElementBase* old, CElementBase* repl) {
    for (CActionAncetre* e : entries_) e->element->replaceReference(old, repl);
}

void CListeAction::replaceInSubListsEverywhere(CActionAncetre* oldEntry,
                                               CActionAncetre* replEntry) {
    for (CActionAncetre* e : entries_) e->element->replaceInSubLists(oldEntry, replEntry);
}

void CListeAction::setAngleUnit(int unit) {
    angleUnit = unit;
    for (CActionAncetre* e : entries_) e->element->setInternalAngleUnit(unit);
}

void CListeAction::showAll() {
    for (CActionAncetre* e : entries_)
        if (auto* g = dynamic_cast<CElementGraphique*>(e->element)) g->show();
}

void CListeAction::hideAll() {
    for (CActionAncetre* e : entries_)
        if (auto* g = dynamic_cast<CElementGraphique*>(e->element)) g->hide();
}

void CListeAction::copyTo(CListeAction& target) const {
    // Every clone maps its parents through indexes in this list.
    IndexScope indexes(*this);
    target.clear();
    // The clones belong to the copy, whatever `target` held before.
    target.ownsEntries_ = true;
    target.angleUnit = angleUnit;
    for (CActionAncetre* e : entries_) {
        if (dynamic_cast<CActionSousListe*>(e)) {
            target.append(new CActionSousListe(e->nature, target.elementAt(indexOf(e->element))));
            continue;
        }
        std::unique_ptr<CElementBase> clone = e->element->getClone(*this, target);
        if (!clone) clone = cloneThroughArchive(*e->element, *this, target);
        target.append(new CAction(e->nature, std::move(clone)));
    }
    target.unitLength = target.elementAt(indexOf(unitLength));
    target.defaultMacro = target.elementAt(indexOf(defaultMacro));
}

int CListeAction::firstMovableIndex() const {
    if (count() < 2) return -1;
    int i = 1;
    while (i < count() && entries_[i]->nature == nat::variable) ++i;
    return i < count() ? i : -1;
}

// ---------------------------------------------------------------------------------------------
// Structure

void CListeAction::insertVariable(CActionAncetre* entry) {
    if (empty()) {
        append(entry);
        return;
    }
    int i = 1;
    while (i < count() && entries_[i]->nature == nat::variable) ++i;
    insertAt(i, entry);
}

void CListeAction::removeLast(int n) {
    for (int k = 0; k < n && !empty(); ++k) removeAt(count() - 1);
}

void CListeAction::keepFirst(int n) {
    while (count() > std::max(n, 0)) removeAt(count() - 1);
}

void CListeAction::deleteWithDependents(const CElementBase* p) {
    // Removing objects changes nobody's dependency on `p`, so all are marked first, then the
    // list closes up in one pass.
    std::vector<bool> doomed = dependentsOf(p);
    std::vector<CActionAncetre*> removed;
    size_t kept = 0;
    for (size_t i = 0; i < entries_.size(); ++i) {
        if (doomed[i])
            removed.push_back(entries_[i]);
        else
            entries_[kept++] = entries_[i];
    }
    dropIndexMap();
    entries_.resize(kept);
    // Backwards, so that dependents go before their parents.
    for (auto e = removed.rbegin(); e != removed.rend(); ++e) destroyEntry(*e);

    // Transformations left unused go too, and with them a transformation that only they used.
    std::unordered_map<const CElementBase*, int> uses;
    for (CActionAncetre* e : entries_)
        if (const CElementBase* t = e->element->getTransformation()) ++uses[t];
    for (int i = count() - 1; i >= 0; --i) {
        CElementBase* t = entries_[i]->element;
        if (entries_[i]->nature != nat::transformation || uses[t] > 0) continue;
        if (const CElementBase* inner = t->getTransformation()) --uses[inner];
        removeAt(i);
    }
}

void CListeAction::replaceEntryAt(int index, CActionAncetre* entry) {
    CActionAncetre* old = entryAt(index);
    if (!old) return;
    replaceInSubListsEverywhere(old, entry);
    if (unitLength == old->element) unitLength = nullptr;
    if (defaultMacro == old->element) defaultMacro = nullptr;
    dropIndexMap();
    entries_[index] = entry;
    if (ownsEntries_) delete old;
}

bool CListeAction::reclassToEnd(CActionAncetre* entry) {
    auto first = std::find(entries_.begin(), entries_.end(), entry);
    if (first == entries_.end() || first + 1 == entries_.end()) return false;
    CDependencyWalk walk(entry->element);
    // Everything from the entry on that does not depend on it, then the rest, each in its order:
    // the dependents end up right after the last object that does not depend on the entry.
    auto kept = std::stable_partition(
        first, entries_.end(), [&](const CActionAncetre* a) { return !walk.answer(a->element); });
    if (kept == first) return false;  // every follower depends on the entry
    dropIndexMap();
    return true;
}

bool CListeAction::reclassToBeginning(CActionAncetre* entry) {
    int f = firstMovableIndex();
    int k = static_cast<int>(std::find(entries_.begin(), entries_.end(), entry) - entries_.begin());
    if (k >= count() || f < 0 || f >= k) return false;
    CAncestors needed;
    needed.add(entry->element);
    auto from = entries_.begin() + f, to = entries_.begin() + k + 1;
    auto t = std::find_if(from, to - 1,
                          [&](const CActionAncetre* a) { return !needed.contains(a->element); });
    if (t == to - 1) return false;
    // The entry and what it is built from, in their order, in front of what it does not need.
    std::stable_partition(t, to,
                          [&](const CActionAncetre* a) { return needed.contains(a->element); });
    dropIndexMap();
    return true;
}

void CListeAction::translateFigure(double dx, double dy, bool withoutDisplays) {
    for (CActionAncetre* e : entries_) {
        Nature n = e->nature;
        if (n == nat::pointLibre) {
            e->element->translateBy(dx, dy);
        } else if (!withoutDisplays && (n == nat::commentaire || n == nat::valeurAffichee ||
                                        n == nat::macro || n == nat::image)) {
            e->element->translateBy(dx, dy);
        }
    }
}

void CListeAction::zoomFigure(double cx, double cy, double ratio) {
    // Every free point scales, those of the unit length too: the figure stays similar to
    // itself and every measure in the unit keeps its value.
    for (CActionAncetre* e : entries_)
        if (e->nature == nat::pointLibre || e->nature == nat::droite)
            e->element->zoomAbout(cx, cy, ratio);
}

void CListeAction::buildGraphicList(CListeAction& graphic) const {
    graphic.clear();
    // The entries stay owned by this list, whatever `graphic` was made for.
    graphic.ownsEntries_ = false;
    graphic.angleUnit = angleUnit;
    for (CActionAncetre* e : entries_)
        if (isGraphicNature(e->nature)) graphic.append(e);
}

// ---------------------------------------------------------------------------------------------
// Recomputation

void CListeAction::computeAll() {
    evaluationState().angleUnit = angleUnit;
    for (CActionAncetre* e : entries_) e->element->computePosition();
}

void CListeAction::computeDependentsOf(const CElementBase* p) {
    evaluationState().angleUnit = angleUnit;
    CDependencyWalk walk(p);
    for (CActionAncetre* e : entries_)
        if (walk.answer(e->element)) e->element->computePosition();
}

void CListeAction::buildDragList(const CElementBase* p, CListeAction& out) const {
    buildDragListExcept(p, out, nullptr);
}

void CListeAction::buildDragListExcept(const CElementBase* p, CListeAction& out,
                                       const CElementBase* except) const {
    out.clear();
    out.ownsEntries_ = false;
    CDependencyWalk walk(p);
    for (CActionAncetre* e : entries_)
        if (e->element != except && e->element->dependsOnForDrag(p)) out.append(e);
    out.setAngleUnit(angleUnit);
}

// ---------------------------------------------------------------------------------------------
// Drawing passes

namespace {
CElementGraphique* graphicOf(const CActionAncetre* e) {
    return isGraphicNature(e->nature) ? dynamic_cast<CElementGraphique*>(e->element) : nullptr;
}
bool hasDrawnName(const CActionAncetre* e) {
    return (e->nature & nat::nomDessine) != 0;
}
}  // namespace

void CListeAction::drawAll(CDC* dc, bool hideMasked, bool respectNameHidden) {
    for (CActionAncetre* e : entries_)
        if (CElementGraphique* g = graphicOf(e)) {
            g->draw(dc, hideMasked);
            if (hasDrawnName(e)) g->drawName(dc, hideMasked, respectNameHidden);
        }
}

void CListeAction::drawAllButSurfaces(CDC* dc, bool hideMasked, bool respectNameHidden) {
    for (CActionAncetre* e : entries_)
        if (e->nature & nat::graphiqueSaufSurfaces)
            if (CElementGraphique* g = graphicOf(e)) {
                g->draw(dc, hideMasked);
                if (hasDrawnName(e)) g->drawName(dc, hideMasked, respectNameHidden);
            }
}

void CListeAction::eraseAll(CDC* dc, bool hideMasked, bool respectNameHidden) {
    for (CActionAncetre* e : entries_)
        if (CElementGraphique* g = graphicOf(e)) {
            g->erase(dc, hideMasked);
            if (hasDrawnName(e)) g->eraseName(dc, hideMasked, respectNameHidden);
        }
}

void CListeAction::eraseAllButSurfaces(CDC* dc, bool hideMasked, bool respectNameHidden) {
    for (CActionAncetre* e : entries_)
        if (e->nature & nat::graphiqueSaufSurfaces)
            if (CElementGraphique* g = graphicOf(e)) {
                g->erase(dc, hideMasked);
                if (hasDrawnName(e)) g->eraseName(dc, hideMasked, respectNameHidden);
            }
}

void CListeAction::drawIncludingMasked(CDC* dc, bool respectNameHidden) {
    for (CActionAncetre* e : entries_)
        if (CElementGraphique* g = graphicOf(e)) {
            bool wasMasked = g->masked;
            g->masked = false;
            g->draw(dc, true);
            if (hasDrawnName(e)) g->drawName(dc, true, respectNameHidden);
            g->masked = wasMasked;
        }
}

void CListeAction::drawMaskedAndHiddenNames(CDC* dc) {
    for (CActionAncetre* e : entries_)
        if (CElementGraphique* g = graphicOf(e)) {
            bool wasMasked = g->masked;
            bool wasHidden = g->nameHidden;
            // Macros and comments stay hidden: showing them would act on the figure.
            if (e->nature != nat::macro && e->nature != nat::commentaire) g->masked = false;
            g->draw(dc, true);
            g->nameHidden = false;
            if (hasDrawnName(e)) g->drawName(dc, true, true);
            g->nameHidden = wasHidden;
            g->masked = wasMasked;
        }
}

void CListeAction::drawWithNameFramed(CDC* dc, bool hideMasked, bool respectNameHidden,
                                      const CElementBase* framed) {
    for (CActionAncetre* e : entries_)
        if (CElementGraphique* g = graphicOf(e)) {
            g->draw(dc, hideMasked);
            if (g == framed)
                g->drawNameFrame(dc);
            else if (hasDrawnName(e))
                g->drawName(dc, hideMasked, respectNameHidden);
        }
}

void CListeAction::eraseWithNameFrame(CDC* dc, bool hideMasked, bool respectNameHidden,
                                      const CElementBase* framed) {
    for (CActionAncetre* e : entries_)
        if (CElementGraphique* g = graphicOf(e)) {
            g->erase(dc, hideMasked);
            if (g == framed)
                g->eraseNameFrame(dc);
            else if (hasDrawnName(e))
                g->eraseName(dc, hideMasked, respectNameHidden);
        }
}

void CListeAction::drawWithoutNames(CDC* dc, bool hideMasked) {
    for (CActionAncetre* e : entries_)
        if (CElementGraphique* g = graphicOf(e)) g->draw(dc, hideMasked);
}

void CListeAction::drawInOneColour(CDC* dc, bool hideMasked) {
    for (CActionAncetre* e : entries_)
        if (CElementGraphique* g = graphicOf(e)) {
            int8_t c = g->getColour();
            g->setColour(15);
            g->draw(dc, hideMasked);
            g->setColour(c);
        }
}

void CListeAction::drawFirst(CDC* dc, int n) {
    for (int i = 0; i <= n && i < count(); ++i) {
        CActionAncetre* e = entries_[i];
        CElementGraphique* g = graphicOf(e);
        if (!g || (e->nature == nat::macro && g->masked)) continue;
        bool wasMasked = g->masked;
        g->show();
        g->draw(dc, true);
        g->drawName(dc, true, false);
        g->masked = wasMasked;
    }
}

void CListeAction::eraseMovingWith(CDC* dc, const CElementBase* p, bool hideMasked,
                                   bool respectNameHidden) {
    CDependencyWalk walk(p);
    for (CActionAncetre* e : entries_)
        if (CElementGraphique* g = graphicOf(e))
            if (g->dependsOnForDrag(p)) {
                g->erase(dc, hideMasked);
                if (hasDrawnName(e)) g->eraseName(dc, hideMasked, respectNameHidden);
            }
}

// ---------------------------------------------------------------------------------------------
// Names

namespace {
bool nameUsedIn(const std::vector<CActionAncetre*>& entries, Nature group,
                const CElementBase* exclude, const std::string& name) {
    if (name.empty()) return false;
    for (const CActionAncetre* e : entries) {
        if (!(e->nature & group) || e->element == exclude) continue;
        auto* g = dynamic_cast<const CElementGraphique*>(e->element);
        if (g && g->getName() == name) return true;
    }
    return false;
}

std::string nextLetter(const std::string& letter) {
    return letter == "Z" ? "A" : std::string(1, static_cast<char>(letter[0] + 1));
}
}  // namespace

bool CListeAction::isGraphicNameUsed(const CElementBase* exclude, const std::string& name) const {
    return nameUsedIn(entries_, nat::graphique, exclude, name);
}

bool CListeAction::isPointOrLineNameUsed(const CElementBase* exclude,
                                         const std::string& name) const {
    return nameUsedIn(entries_, nat::pointOuDroite, exclude, name);
}

std::string CListeAction::uniqueName(const std::string& base) const {
    if (!isGraphicNameUsed(nullptr, base)) return base;
    for (int k = 1;; ++k) {
        std::string candidate = base + std::to_string(k);
        if (!isGraphicNameUsed(nullptr, candidate)) return candidate;
    }
}

std::string CListeAction::nextPointName(const CElementBase* exclude) const {
    for (int k = 0;; ++k)
        for (char letter = 'A'; letter <= 'Z'; ++letter) {
            std::string candidate(1, letter);
            if (k > 0) candidate += std::to_string(k);
            if (!isPointOrLineNameUsed(exclude, candidate)) return candidate;
        }
}

void CListeAction::nameUnnamedPoints() {
    std::string letter = "A";
    for (CActionAncetre* e : entries_) {
        if (!(e->nature & nat::point)) continue;
        auto* g = dynamic_cast<CElementGraphique*>(e->element);
        if (!g || !g->getName().empty()) continue;
        g->setName(uniqueName(letter));
        g->nameFontIndex = 0;
        letter = nextLetter(letter);
    }
}

// ---------------------------------------------------------------------------------------------
// Persistence

void CListeAction::Serialize(CArchive& ar) {
    CListeAction* previous = ar.setCurrentList(this);
    struct Restore {
        CArchive& ar;
        CListeAction* previous;
        ~Restore() { ar.setCurrentList(previous); }
    } restore{ar, previous};
    if (ar.IsStoring()) {
        // Every reference written is an index in this list.
        IndexScope indexes(*this);
        ar.expectObjects(2 * entries_.size());  // entries and their objects
        ar.writeWord(static_cast<uint16_t>(angleUnit));
        ar.writeCount(static_cast<uint32_t>(count()));
        for (CActionAncetre* e : entries_) ar.writeObject(e);
        ar.writeInt(indexOf(unitLength));
        ar.writeInt(indexOf(defaultMacro));
        return;
    }
    angleUnit = ar.readWord();
    uint32_t n = ar.readCount();
    ar.checkCount(n, 3);
    for (uint32_t i = 0; i < n; ++i) {
        // Owning entries only: a reference entry would list its object twice.
        std::unique_ptr<CAction> entry = ar.readObjectOf<CAction>();
        if (!entry || !entry->element)
            CArchive::fail(CArchiveException::badFormat, "Entrée vide dans la figure.");
        append(entry.release());
    }
    unitLength = readListReference(ar, ar.readInt(), nat::mesure);
    defaultMacro = readListReference(ar, ar.readInt(), nat::macro);
}

CElementBase* CListeAction::readListReference(CArchive& ar, int index, Nature nature) const {
    if (index == -1) return nullptr;
    // Whoever uses the unit length or the default macro takes it for a measure or a macro.
    CActionAncetre* e = entryAt(index);
    if (!e || (nature && e->nature != nature)) ar.failBadReference();
    return e->element;
}

void CListeAction::readPreviousEntries(CArchive& ar) {
    CListeAction* previous = ar.setCurrentList(this);
    struct Restore {
        CArchive& ar;
        CListeAction* previous;
        ~Restore() { ar.setCurrentList(previous); }
    } restore{ar, previous};
    uint16_t n = ar.readWord();
    ar.readDword();
    ar.checkCount(n, 6);
    for (uint16_t i = 0; i < n; ++i) {
        // Owning entries only: a reference entry would list its object twice.
        std::unique_ptr<CAction> entry = ar.readPreviousObjectOf<CAction>();
        if (!entry || !entry->element)
            CArchive::fail(CArchiveException::badFormat, "Entrée vide dans la figure.");
        append(entry.release());
    }
    // Checked as in the current format, or the figure would be saved in a form it cannot read.
    unitLength = readListReference(ar, ar.readShort(), nat::mesure);
    defaultMacro = nullptr;
}

void CSousListeAction::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.writeCount(static_cast<uint32_t>(count()));
        for (CActionAncetre* e : entries_) ar.writeObject(e);
        return;
    }
    uint32_t n = ar.readCount();
    ar.checkCount(n, 3);
    for (uint32_t i = 0; i < n; ++i) {
        // The objects of a sub-list belong to the main list: reference entries only.
        std::unique_ptr<CActionSousListe> entry = ar.readObjectOf<CActionSousListe>();
        if (!entry || !entry->element)
            CArchive::fail(CArchiveException::badFormat, "Entrée vide dans une macro.");
        append(entry.release());
    }
    unitLength = nullptr;
}
