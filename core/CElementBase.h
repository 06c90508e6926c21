// Root of every figure object: the protocol by which figure lists recompute, draw, test
// dependencies, copy, name and save their objects.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/CObject.h"
#include "core/CRefVisitor.h"

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
    virtual bool dependsOn(const CElementBase* p) const;
    virtual bool dependsOnForPositioning(const CElementBase* p) const;
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
};

// A walk that asks the objects of a list, in list order, whether they depend on `p`. Parents
// stand before their dependents, so when an object's dependency test reaches a parent the
// walk has already answered for it and the remembered answer is used instead of a walk down
// the parent's chain: the whole walk is linear in the figure and recurses no deeper than one
// object, whatever the length of its chains. The answers are those of dependsOn.
class CDependencyWalk {
public:
    explicit CDependencyWalk(const CElementBase* p);
    ~CDependencyWalk();
    CDependencyWalk(const CDependencyWalk&) = delete;
    CDependencyWalk& operator=(const CDependencyWalk&) = delete;

    // e->dependsOn(p), remembered for the objects that come after e.
    bool dependsOn(const CElementBase* e);
    // The answer already given for `e` about `p`, if this walk (or an enclosing one) gave it.
    static const bool* known(const CElementBase* e, const CElementBase* p);

private:
    const CElementBase* p_;
    std::unordered_map<const CElementBase*, bool> answers_;
    CDependencyWalk* enclosing_;
};
