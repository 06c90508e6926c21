// A figure document: the main figure list, the graphic list beside it (same entries, graphic
// natures only), the header options saved with the figure, and the undo history.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "core/CListeAction.h"

class CPelvantiDoc {
public:
    CPelvantiDoc();
    ~CPelvantiDoc();
    CPelvantiDoc(const CPelvantiDoc&) = delete;
    CPelvantiDoc& operator=(const CPelvantiDoc&) = delete;

    CListeAction& list() { return list_; }
    const CListeAction& list() const { return list_; }
    // Graphic entries of the main list, in order; rebuilt after every structural change.
    CListeAction& graphicList() { return graphicList_; }

    // Length in centimetres of the unit length in clipboard copies (0: automatic).
    double clipboardUnitCm = 0.0;

    // Structural operations on the main list; each one rebuilds the graphic list, and resets
    // the clipboard unit length when the figure has lost its unit length.
    void addEntry(CActionAncetre* entry);
    void addEntry(std::unique_ptr<CActionAncetre> entry) { addEntry(entry.release()); }
    void insertVariable(CActionAncetre* entry);
    void removeLast(int n);
    void keepFirst(int n);
    void deleteWithDependents(const CElementBase* p);
    void replaceEntryAt(int index, CActionAncetre* entry);
    bool reclassToEnd(CActionAncetre* entry);
    bool reclassToBeginning(CActionAncetre* entry);
    void translateFigure(double dx, double dy, bool withoutDisplays = false);
    // Zoom about the centre of the drawing area (`width` x `height`), then recompute.
    void zoomIn(int width, int height);
    void zoomOut(int width, int height);

    void rebuildGraphicList();

private:
    void afterStructureChange();

    CListeAction list_;
    CListeAction graphicList_{false};
};
