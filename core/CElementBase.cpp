#include "core/CElementBase.h"

#include "core/CArchive.h"
#include "core/CListeAction.h"

IMPLEMENT_SERIAL(CElementBase, CObject, 1)

void CElementBase::Serialize(CArchive&) {}

std::unique_ptr<CElementBase> CElementBase::getClone(const CListeAction&,
                                                     const CListeAction&) const {
    return nullptr;
}

void CElementBase::copyStateFrom(const CElementBase& src) { exists = src.exists; }

void CElementBase::draw(CDC*, bool) {}

void CElementBase::erase(CDC*, bool) {}

void CElementBase::computePosition() { exists = true; }

void CElementBase::computeAndDraw(CDC* dc, bool hideMasked) {
    computePosition();
    draw(dc, hideMasked);
}

bool CElementBase::coincidesWith(const CElementBase*) const { return false; }

bool CElementBase::usesTransformation(const CElementBase*) const { return false; }

CElementBase* CElementBase::getTransformation() const { return nullptr; }

bool CElementBase::dependsOn(const CElementBase* p) const { return p == this; }

bool CElementBase::dependsOnForPositioning(const CElementBase* p) const { return p == this; }

bool CElementBase::dependsOnForDrag(const CElementBase* p) const { return dependsOn(p); }

void CElementBase::replaceReference(CElementBase*, CElementBase*) {}

bool CElementBase::usesNameOf(const CElementBase*) const { return false; }

std::string CElementBase::getConstructionInfo(CElementBase**, CElementBase**,
                                              CElementBase**) const {
    return "";
}

void CElementBase::readPreviousFormat(CArchive& ar) { exists = ar.readByte() != 0; }

void CElementBase::replaceInSubLists(CActionAncetre*, CActionAncetre*) {}

std::unique_ptr<CAction> CElementBase::createIllustration() const { return nullptr; }

std::string CElementBase::getDisplayName() const { return ""; }

std::string CElementBase::getDescription() const { return getDisplayName(); }

std::string CElementBase::getStatusText() const { return exists ? "" : "n'existe pas"; }

void CElementBase::rebuildFromText(CListeAction*) {}

void CElementBase::translateBy(double, double) {}

void CElementBase::zoomAbout(double, double, double) {}

void CElementBase::setInternalAngleUnit(int) {}

void CElementBase::rebuildInternalLists(CListeAction*) {}
