#include "document/CPelvantiDoc.h"

#include "core/CElementBase.h"

namespace {
// Zoom ratios of the zoom commands; 5/6 is the double nearest to 0.8333...
constexpr double kZoomIn = 1.2;
constexpr double kZoomOut = 5.0 / 6.0;
}  // namespace

CPelvantiDoc::CPelvantiDoc() = default;

CPelvantiDoc::~CPelvantiDoc() {
    graphicList_.clear();
    list_.clear();
}

void CPelvantiDoc::rebuildGraphicList() { list_.buildGraphicList(graphicList_); }

void CPelvantiDoc::afterStructureChange() {
    rebuildGraphicList();
    if (!list_.unitLength) clipboardUnitCm = 0.0;
}

void CPelvantiDoc::addEntry(CActionAncetre* entry) {
    list_.append(entry);
    afterStructureChange();
}

void CPelvantiDoc::insertVariable(CActionAncetre* entry) {
    list_.insertVariable(entry);
    afterStructureChange();
}

void CPelvantiDoc::removeLast(int n) {
    graphicList_.clear();
    list_.removeLast(n);
    afterStructureChange();
}

void CPelvantiDoc::keepFirst(int n) {
    graphicList_.clear();
    list_.keepFirst(n);
    afterStructureChange();
}

void CPelvantiDoc::deleteWithDependents(const CElementBase* p) {
    graphicList_.clear();
    list_.deleteWithDependents(p);
    afterStructureChange();
}

void CPelvantiDoc::replaceEntryAt(int index, CActionAncetre* entry) {
    graphicList_.clear();
    list_.replaceEntryAt(index, entry);
    afterStructureChange();
}

bool CPelvantiDoc::reclassToEnd(CActionAncetre* entry) {
    bool moved = list_.reclassToEnd(entry);
    afterStructureChange();
    return moved;
}

bool CPelvantiDoc::reclassToBeginning(CActionAncetre* entry) {
    bool moved = list_.reclassToBeginning(entry);
    afterStructureChange();
    return moved;
}

void CPelvantiDoc::translateFigure(double dx, double dy, bool withoutDisplays) {
    list_.translateFigure(dx, dy, withoutDisplays);
}

void CPelvantiDoc::zoomIn(int width, int height) {
    list_.zoomFigure(width / 2.0, height / 2.0, kZoomIn);
    list_.computeAll();
}

void CPelvantiDoc::zoomOut(int width, int height) {
    list_.zoomFigure(width / 2.0, height / 2.0, kZoomOut);
    list_.computeAll();
}
