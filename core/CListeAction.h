// The figure list: entries in construction order, each holding one object and its nature.
// Parents always stand before their dependents, so one pass head to tail recomputes all.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/CDC.h"
#include "core/CObject.h"
#include "core/Natures.h"
#include "core/PointerMap.h"

class CArchive;
class CElementBase;
class CElementGraphique;

// Base of list entries: a nature (one bit set) and an object.
class CActionAncetre : public CObject {
    DECLARE_SERIAL(CActionAncetre)
public:
    CActionAncetre() = default;
    CActionAncetre(Nature n, CElementBase* e) : nature(n), element(e) {}
    ~CActionAncetre() override = default;

    Nature nature = 0;
    CElementBase* element = nullptr;

    uint32_t natureLow() const { return static_cast<uint32_t>(nature); }
    uint32_t natureHigh() const { return static_cast<uint32_t>(nature >> 32); }
    bool isOfNature(Nature mask) const { return (nature & mask) != 0; }

    // The nature: a byte with the set bit's number (schema 2) or a dword (schema 1).
    void Serialize(CArchive& ar) override;
    // Earliest format: a dword nature (low 32 bits).
    void readPreviousFormat(CArchive& ar) override;
};

// An entry that owns its object.
class CAction : public CActionAncetre {
    DECLARE_SERIAL(CAction)
public:
    CAction() = default;
    CAction(Nature n, std::unique_ptr<CElementBase> e);
    CAction(uint32_t natureLow, uint32_t natureHigh, std::unique_ptr<CElementBase> e);
    ~CAction() override;

    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
};

// An entry referring to an object of the figure's main list, without owning it.
class CActionSousListe : public CActionAncetre {
    DECLARE_SERIAL(CActionSousListe)
public:
    CActionSousListe() = default;
    CActionSousListe(Nature n, CElementBase* e) : CActionAncetre(n, e) {}

    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
};

class CListeAction : public CObject {
    DECLARE_SERIAL(CListeAction)
public:
    // A list owns its entries; a non-owning list (the document's graphic list, drag lists)
    // holds entries owned elsewhere.
    explicit CListeAction(bool ownsEntries = true) : ownsEntries_(ownsEntries) {}
    ~CListeAction() override;
    CListeAction(const CListeAction&) = delete;
    CListeAction& operator=(const CListeAction&) = delete;

    CElementBase* unitLength = nullptr;
    int angleUnit = 0;  // 0 radian, otherwise degree
    CElementBase* defaultMacro = nullptr;

    // Entries.
    int count() const { return static_cast<int>(entries_.size()); }
    bool empty() const { return entries_.empty(); }
    CActionAncetre* entryAt(int index) const;
    const std::vector<CActionAncetre*>& entries() const { return entries_; }
    CActionAncetre* entryOf(const CElementBase* element) const;
    bool ownsEntries() const { return ownsEntries_; }

    void append(CActionAncetre* entry);  // takes ownership when the list owns its entries
    void append(std::unique_ptr<CActionAncetre> entry) { append(entry.release()); }
    void insertAt(int index, CActionAncetre* entry);
    // Removes without destroying; returns the entry.
    CActionAncetre* detachAt(int index);
    // Removes and destroys (when owned) the entry at index.
    void removeAt(int index);
    // Removes and destroys every entry; unit length and default macro become none.
    void clear();

    // Look-ups.
    // A search, unless an IndexScope is open on the list.
    int indexOf(const CElementBase* element) const;

    // While a whole-list operation that leaves the list as it is runs (writing it, copying it),
    // indexOf answers from a map built once, so that N references cost N look-ups rather than
    // N searches; an object the map does not place is searched for. A change to the list drops
    // the map; a scope opened inside another on the same list does nothing.
    class IndexScope {
    public:
        explicit IndexScope(const CListeAction& list);
        ~IndexScope();
        IndexScope(const IndexScope&) = delete;
        IndexScope& operator=(const IndexScope&) = delete;

    private:
        const CListeAction& list_;
        PointerMap<int> map_;
        bool installed_ = false;
    };

    CElementBase* elementAt(int index) const;
    CElementBase* findByNature(Nature mask) const;
    bool contains(const CElementBase* element) const { return indexOf(element) >= 0; }
    bool anyExists() const;
    bool sameElements(const CListeAction& other) const;
    CElementBase* findCoinciding(const CElementBase* element) const;
    bool anyDependsOn(const CElementBase* p) const;
    // For each entry, whether its object depends on `p` (dependsOn), in one pass in list order.
    std::vector<bool> dependentsOf(const CElementBase* p) const;
    bool anyDependsOnForPositioning(const CElementBase* p) const;
    bool anyUsesNameOf(const CElementBase* p) const;
    bool isTransformationUsed(const CElementBase* t) const;
    void replaceReferenceEverywhere(CElementBase* old, CElementBase* repl);
    void replaceInSubListsEverywhere(CActionAncetre* oldEntry, CActionAncetre* replEntry);
    void setAngleUnit(int unit);
    void showAll();
    void hideAll();
    // Empties `target` and fills it with clones of this list's objects.
    void copyTo(CListeAction& target) const;
    // 1 + the run of variables after the first entry; -1 when nothing can move.
    int firstMovableIndex() const;

    // Structure (the document wraps these and rebuilds its graphic list after them).
    void insertVariable(CActionAncetre* entry);
    void removeLast(int n);
    void keepFirst(int n);
    void deleteWithDependents(const CElementBase* p);
    void replaceEntryAt(int index, CActionAncetre* entry);
    bool reclassToEnd(CActionAncetre* entry);
    bool reclassToBeginning(CActionAncetre* entry);
    // Moves free points, and free displays unless `withoutDisplays`.
    void translateFigure(double dx, double dy, bool withoutDisplays = false);
    void zoomFigure(double cx, double cy, double ratio);
    // Fills `graphic` (non-owning) with the graphic entries of this list, in order.
    void buildGraphicList(CListeAction& graphic) const;

    // Recomputation.
    void computeAll();
    void computeDependentsOf(const CElementBase* p);
    void buildDragList(const CElementBase* p, CListeAction& out) const;
    void buildDragListExcept(const CElementBase* p, CListeAction& out,
                             const CElementBase* except) const;

    // Drawing passes (graphic natures only).
    void drawAll(CDC* dc, bool hideMasked, bool respectNameHidden);
    void drawAllButSurfaces(CDC* dc, bool hideMasked, bool respectNameHidden);
    void eraseAll(CDC* dc, bool hideMasked, bool respectNameHidden);
    void eraseAllButSurfaces(CDC* dc, bool hideMasked, bool respectNameHidden);
    void drawIncludingMasked(CDC* dc, bool respectNameHidden);
    void drawMaskedAndHiddenNames(CDC* dc);
    void drawWithNameFramed(CDC* dc, bool hideMasked, bool respectNameHidden,
                            const CElementBase* framed);
    void eraseWithNameFrame(CDC* dc, bool hideMasked, bool respectNameHidden,
                            const CElementBase* framed);
    void drawWithoutNames(CDC* dc, bool hideMasked);
    void drawInOneColour(CDC* dc, bool hideMasked);
    void drawFirst(CDC* dc, int n);
    void eraseMovingWith(CDC* dc, const CElementBase* p, bool hideMasked, bool respectNameHidden);

    // Names.
    bool isGraphicNameUsed(const CElementBase* exclude, const std::string& name) const;
    bool isPointOrLineNameUsed(const CElementBase* exclude, const std::string& name) const;
    std::string uniqueName(const std::string& base) const;
    std::string nextPointName(const CElementBase* exclude = nullptr) const;
    void nameUnnamedPoints();

    // Angle unit, entries, unit length and default macro; references resolve against this
    // list while it is written or read.
    void Serialize(CArchive& ar) override;
    // Earliest format body (after the angle unit and decimals bytes, which the document reads).
    void readPreviousEntries(CArchive& ar);

protected:
    // Unit length or default macro read from a file: -1 is none; anything else must name an
    // entry (of `nature` unless 0), or the file is refused.
    CElementBase* readListReference(CArchive& ar, int index, Nature nature) const;
    void destroyEntry(CActionAncetre* entry);
    // Clears the references the list keeps to an object about to be destroyed.
    void forget(const CElementBase* element);

    // Called by every change of entries_.
    void dropIndexMap() { indexMap_ = nullptr; }

    std::vector<CActionAncetre*> entries_;
    bool ownsEntries_ = true;
    mutable const PointerMap<int>* indexMap_ = nullptr;
};

// Entries of the objects a macro acts on (references into the main list).
class CSousListeAction : public CListeAction {
    DECLARE_SERIAL(CSousListeAction)
public:
    CSousListeAction() : CListeAction(true) {}
    // Entries only; references resolve against the main list being written or read.
    void Serialize(CArchive& ar) override;
};

// True when the entry's element is graphic (nature in the graphic group).
inline bool isGraphicNature(Nature n) {
    return (n & nat::graphique) != 0;
}
