#include "core/CElementBase.h"

#include <vector>

#include "core/CArchive.h"
#include "core/CListeAction.h"

IMPLEMENT_SERIAL(CElementBase, CObject, 1)

void CElementBase::Serialize(CArchive&) {}

void CElementBase::forEachRef(CRefVisitor&) {}

namespace {
// Visits the slots of an object through the const protocol: reading only.
template <class F>
void eachParent(const CElementBase* e, F f) {
    struct Reader : CRefVisitor {
        F& f;
        explicit Reader(F& f) : f(f) {}
        void visit(const CRefSlot& s) override { f(s.get()); }
    } reader(f);
    const_cast<CElementBase*>(e)->forEachRef(reader);
}
}  // namespace

std::vector<CElementBase*> CElementBase::refs() const {
    std::vector<CElementBase*> r;
    eachParent(this, [&](CElementBase* p) { r.push_back(p); });
    return r;
}

bool CElementBase::hasSameRefsAs(const CElementBase* other, bool symmetricPair) const {
    if (!other || other->GetRuntimeClass() != GetRuntimeClass()) return false;
    std::vector<CElementBase*> mine = refs();
    std::vector<CElementBase*> theirs = other->refs();
    if (mine == theirs) return true;
    if (!symmetricPair || mine.size() < 2) return false;
    std::swap(theirs[0], theirs[1]);
    return mine == theirs;
}

// The values named by parameters (held slots) are parents, but not parents of the construction.
void CElementBase::firstParents(CElementBase** a, CElementBase** b, CElementBase** c) const {
    std::vector<CElementBase*> r;
    struct Stored : CRefVisitor {
        std::vector<CElementBase*>& r;
        explicit Stored(std::vector<CElementBase*>& r) : r(r) {}
        void visit(const CRefSlot& s) override {
            if (s.stored()) r.push_back(s.get());
        }
    } stored(r);
    const_cast<CElementBase*>(this)->forEachRef(stored);
    CElementBase** out[3] = {a, b, c};
    for (size_t i = 0; i < 3; ++i)
        if (out[i]) *out[i] = i < r.size() ? r[i] : nullptr;
}

std::unique_ptr<CElementBase> CElementBase::getClone(const CListeAction& from,
                                                     const CListeAction& to) const {
    return cloneThroughArchive(*this, from, to);
}

void CElementBase::copyStateFrom(const CElementBase& src) {
    exists = src.exists;
}

void CElementBase::draw(CDC*, bool) {}

void CElementBase::erase(CDC*, bool) {}

void CElementBase::computePosition() {
    exists = true;
}

void CElementBase::computeAndDraw(CDC* dc, bool hideMasked) {
    computePosition();
    draw(dc, hideMasked);
}

bool CElementBase::coincidesWith(const CElementBase*) const {
    return false;
}

bool CElementBase::usesTransformation(const CElementBase*) const {
    return false;
}

CElementBase* CElementBase::getTransformation() const {
    return nullptr;
}

bool CElementBase::dependsOn(const CElementBase* p) const {
    return CDependencyWalk::ask(this, p, CDependencyWalk::construction);
}

bool CElementBase::dependsOnForPositioning(const CElementBase* p) const {
    return CDependencyWalk::ask(this, p, CDependencyWalk::positioning);
}

bool CElementBase::computeDependsOn(const CElementBase* p) const {
    if (p == this) return true;
    bool found = false;
    eachParent(this, [&](CElementBase* e) { found = found || (e && e->dependsOn(p)); });
    return found;
}

bool CElementBase::computeDependsOnForPositioning(const CElementBase* p) const {
    if (p == this) return true;
    bool found = false;
    eachParent(this,
               [&](CElementBase* e) { found = found || (e && e->dependsOnForPositioning(p)); });
    return found;
}

bool CElementBase::dependsOnForDrag(const CElementBase* p) const {
    return dependsOn(p);
}

// A replacement of another class than the slot's, or none, is not put in: the slot keeps its
// parent.
void CElementBase::replaceReference(CElementBase* old, CElementBase* repl) {
    struct Replacer : CRefVisitor {
        CElementBase* old;
        CElementBase* repl;
        void visit(const CRefSlot& s) override {
            if (old && repl && s.get() == old) s.set(repl);
        }
    } replacer;
    replacer.old = old;
    replacer.repl = repl;
    forEachRef(replacer);
}

bool CElementBase::usesNameOf(const CElementBase*) const {
    return false;
}

std::string CElementBase::getConstructionInfo(CElementBase**, CElementBase**,
                                              CElementBase**) const {
    return "";
}

void CElementBase::readPreviousFormat(CArchive& ar) {
    exists = ar.readByte() != 0;
}

void CElementBase::replaceInSubLists(CActionAncetre*, CActionAncetre*) {}

std::unique_ptr<CAction> CElementBase::createIllustration() const {
    return nullptr;
}

std::string CElementBase::getDisplayName() const {
    return "";
}

std::string CElementBase::getDescription() const {
    return getDisplayName();
}

std::string CElementBase::getStatusText() const {
    return exists ? "" : "n'existe pas";
}

void CElementBase::rebuildFromText(CListeAction*) {}

void CElementBase::translateBy(double, double) {}

void CElementBase::zoomAbout(double, double, double) {}

void CElementBase::setInternalAngleUnit(int) {}

void CElementBase::rebuildInternalLists(CListeAction*) {}

// ---------------------------------------------------------------------------------------------
// Dependency walks

namespace {
// The program has one thread and no re-entrant evaluation: one walk at a time is innermost, and
// one answers the tests being made (the driving walk), counting how deep they go; past the limit
// a test is put off. Each level costs a few stack frames: a few hundred stay far within any
// thread's stack.
CDependencyWalk* innermostWalk = nullptr;
const CDependencyWalk* drivingWalk = nullptr;
int depth = 0;
constexpr int kMaxDepth = 256;
// Every walk has its own number, never reused: an object's mark tells which walk answered.
uint64_t lastStamp = 0;

struct PutOff {
    const CElementBase* at;
};

struct DepthLevel {
    DepthLevel() { ++depth; }
    ~DepthLevel() { --depth; }
};

// An object of no figure: nothing is built from it.
const CElementBase& nothing() {
    static const CElementBase object;
    return object;
}
}  // namespace

CDependencyWalk::CDependencyWalk(const CElementBase* p, Relation relation)
    : p_(p), relation_(relation), stamp_(++lastStamp), enclosing_(innermostWalk) {
    innermostWalk = this;
}

CDependencyWalk::~CDependencyWalk() {
    innermostWalk = enclosing_;
}

CDependencyWalk* CDependencyWalk::openFor(const CElementBase* p, Relation relation) {
    for (CDependencyWalk* w = innermostWalk; w; w = w->enclosing_)
        if (w->p_ == p && w->relation_ == relation) return w;
    return nullptr;
}

bool CDependencyWalk::compute(const CElementBase* e) const {
    return relation_ == construction ? e->computeDependsOn(p_)
                                     : e->computeDependsOnForPositioning(p_);
}

const bool* CDependencyWalk::find(const CElementBase* e) const {
    if (e->walkMark_.walk == stamp_) return &e->walkMark_.answer;
    return others_.size() ? others_.find(e) : nullptr;
}

void CDependencyWalk::store(const CElementBase* e, bool answer) {
    CElementBase::WalkMark& mark = e->walkMark_;
    // The mark of a closed walk is free; that of an open one stays until it closes.
    bool free = mark.walk != stamp_;
    for (const CDependencyWalk* w = innermostWalk; free && w; w = w->enclosing_)
        free = w->stamp_ != mark.walk;
    if (mark.walk == stamp_ || free) {
        mark.walk = stamp_;
        mark.answer = answer;
    } else {
        others_.assign(e, answer);
    }
}

bool CDependencyWalk::answer(const CElementBase* e) {
    if (const bool* known = find(e)) return *known;
    struct Driving {
        const CDependencyWalk* walk = drivingWalk;
        int level = depth;
        ~Driving() {
            drivingWalk = walk;
            depth = level;
        }
    } previous;
    drivingWalk = this;
    // The objects whose tests were put off wait, the first asked first: each is tried again
    // once the object where the depth ran out is answered.
    std::vector<const CElementBase*> waiting;
    for (const CElementBase* t = e; t;) {
        depth = 0;
        try {
            DepthLevel level;
            store(t, compute(t));
        } catch (const PutOff& off) {
            waiting.push_back(t);
            t = off.at;
            continue;
        }
        t = nullptr;
        while (!t && !waiting.empty()) {
            t = waiting.back();
            waiting.pop_back();
            if (find(t)) t = nullptr;
        }
    }
    return *find(e);
}

bool CDependencyWalk::ask(const CElementBase* e, const CElementBase* p, Relation relation) {
    CDependencyWalk* walk = openFor(p, relation);
    if (!walk) {
        CDependencyWalk own(p, relation);
        return own.answer(e);
    }
    if (const bool* known = walk->find(e)) return *known;
    if (walk != drivingWalk) return walk->answer(e);
    if (depth >= kMaxDepth) throw PutOff{e};
    DepthLevel level;
    const bool found = walk->compute(e);
    walk->store(e, found);
    return found;
}

CAncestors::CAncestors() : walk_(&nothing()) {}
