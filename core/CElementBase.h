// Root of every figure object: the protocol by which figure lists recompute, draw, test
// dependencies, copy, name and save their objects.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/CObject.h"
#include "core/CRefVisitor.h"
#include "core/PointerMap.h"

class CArchive;
class CDC;
class CListeAction;
class CActionAncetre;
class CAction;

class CElementBase : public CObject {
    DECLARE_SERIAL(CElementBase)
public:
    CElementBase() = default;
    ~CElementBase() override = default;

    // Defined in the current state of the figure; set by computePosition.
    bool exists = false;

    void Serialize(CArchive& ar) override;
    // The reference slots: the base classes' first, then the class's own, in file order (see
    // DECLARE_REFS). The dependency tests, the replacement of a parent and the clone below are
    // derived from them; a class overrides those only for a rule of its own.
    virtual void forEachRef(CRefVisitor& v);
    // The parents in slot order, empty slots included.
    std::vector<CElementBase*> refs() const;
    // Same class and the same parents slot by slot; with `symmetricPair` the first two slots may
    // also be swapped (the midpoint of B and A is the midpoint of A and B).
    bool hasSameRefsAs(const CElementBase* other, bool symmetricPair = false) const;
    // The first three parents of the stored slots for getConstructionInfo (null where there are
    // fewer).
    void firstParents(CElementBase** a, CElementBase** b, CElementBase** c) const;
    // Same class, parents taken at the same indexes in `to` as they have in `from`.
    // The base saves the object and reads it back against `to`: every stored field is copied.
    virtual std::unique_ptr<CElementBase> getClone(const CListeAction& from,
                                                   const CListeAction& to) const;
    virtual void copyStateFrom(const CElementBase& src);
    virtual void draw(CDC* dc, bool hideMasked);
    virtual void erase(CDC* dc, bool hideMasked);
    virtual void computePosition();
    void computeAndDraw(CDC* dc, bool hideMasked);
    virtual bool coincidesWith(const CElementBase* other) const;
    virtual bool usesTransformation(const CElementBase* t) const;
    virtual CElementBase* getTransformation() const;
    // Whether this object is `p` or is built from it, directly or through other objects; for
    // positioning, whether it moves when `p` moves. Answered through the walk open for `p`, if
    // any, so that a pass over a list is linear; never recursing deeper than a bounded number of
    // objects, whatever the length of the chains.
    bool dependsOn(const CElementBase* p) const;
    bool dependsOnForPositioning(const CElementBase* p) const;
    virtual bool dependsOnForDrag(const CElementBase* p) const;
    virtual void replaceReference(CElementBase* old, CElementBase* repl);
    virtual bool usesNameOf(const CElementBase* p) const;
    // Kind of construction and up to three parents (out-parameters untouched where absent).
    virtual std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                            CElementBase** c) const;
    // Earliest format: the base reads one byte, exists = byte != 0.
    void readPreviousFormat(CArchive& ar) override;
    // Objects that keep entries of other objects (macros) replace `old` by `repl` there.
    virtual void replaceInSubLists(CActionAncetre* old, CActionAncetre* repl);
    // A temporary object showing how this one is built (the vector of a translation); may be
    // null.
    virtual std::unique_ptr<CAction> createIllustration() const;
    virtual std::string getDisplayName() const;
    virtual std::string getDescription() const;
    virtual std::string getStatusText() const;
    // Parses the object's formula texts again against `list` (after the angle unit changed).
    virtual void rebuildFromText(CListeAction* list);

    // Hooks of the list operations that only some kinds answer (free points, displays, fixed
    // directions, loci); the base does nothing.
    // Translation of the whole figure: free points and free displays (unless pinned) move.
    virtual void translateBy(double dx, double dy);
    // Zoom of the whole figure about (cx, cy): free points move, fixed directions scale.
    virtual void zoomAbout(double cx, double cy, double ratio);
    // Angle unit passed on to the internal lists of loci.
    virtual void setInternalAngleUnit(int unit);
    // Loci that keep an internal copy of the figure rebuild it (after loading, or when the
    // unit length changed); `list` is the figure they stand in.
    virtual void rebuildInternalLists(CListeAction* list);

protected:
    friend class CDependencyWalk;
    // The tests themselves, called through dependsOn and dependsOnForPositioning only: they ask
    // the parents through those, never through these. The base: the object itself, or one of
    // its reference slots.
    virtual bool computeDependsOn(const CElementBase* p) const;
    virtual bool computeDependsOnForPositioning(const CElementBase* p) const;

private:
    // The answer of the dependency walk that examined this object last, kept here so that a
    // walk needs no table of its own. A copy is another object: it starts unexamined.
    struct WalkMark {
        uint64_t walk = 0;
        bool answer = false;
        WalkMark() = default;
        WalkMark(const WalkMark&) {}
        WalkMark& operator=(const WalkMark&) { return *this; }
    };
    mutable WalkMark walkMark_;
};

// The answers of the dependency tests about one object `p`, kept while the walk is open, so
// that each object is examined once: a pass over a list in order (parents first) is linear.
// The answers sit in the objects themselves; only an object already holding the answer of
// another open walk (walks opened inside a test, or side by side) has its answer in a table.
// A test that would recurse too deep is put off: the walk answers first for the object where
// the depth ran out, then resumes, so that no chain, however long, exhausts the stack.
// Tests about `p` asked while no walk for it is open open their own for the question.
class CDependencyWalk {
public:
    enum Relation { construction, positioning };
    explicit CDependencyWalk(const CElementBase* p, Relation relation = construction);
    ~CDependencyWalk();
    CDependencyWalk(const CDependencyWalk&) = delete;
    CDependencyWalk& operator=(const CDependencyWalk&) = delete;

    // Whether `e` depends on `p` in the walk's relation.
    bool answer(const CElementBase* e);
    // Whether the walk has examined `e`: asked about it, or reached it through an object asked.
    bool reached(const CElementBase* e) const { return find(e) != nullptr; }

    // The test of dependsOn and dependsOnForPositioning.
    static bool ask(const CElementBase* e, const CElementBase* p, Relation relation);

private:
    bool compute(const CElementBase* e) const;
    const bool* find(const CElementBase* e) const;
    void store(const CElementBase* e, bool answer);
    static CDependencyWalk* openFor(const CElementBase* p, Relation relation);

    const CElementBase* p_;
    Relation relation_;
    uint64_t stamp_;
    PointerMap<bool> others_;
    CDependencyWalk* enclosing_;
};

// The objects that some objects depend on (themselves included): asked about an object of no
// figure, a walk examines every object the ones asked are built from, and only those.
class CAncestors {
public:
    CAncestors();
    void add(const CElementBase* e) {
        if (e) walk_.answer(e);
    }
    bool contains(const CElementBase* e) const { return e && walk_.reached(e); }

private:
    CDependencyWalk walk_;
};
