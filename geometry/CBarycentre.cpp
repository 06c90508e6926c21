#include <cmath>

#include "core/CArchive.h"
#include "geometry/CAffichage.h"
#include "geometry/CPointAncetre.h"
#include "values/CValeurDynamique.h"

IMPLEMENT_SERIAL(CNoeudPondere, CObject, 1)
IMPLEMENT_SERIAL(CBarycentre, CPointAncetre, 1)
IMPLEMENT_SERIAL(CPointParAbscisse, CPointAncetre, 1)

IMPLEMENT_REFS(CPointParAbscisse, CPointAncetre, A, B, held(t.reference))

std::string geo::valueText(const CValeurAssocieeAVariable& v) {
    return v.getText(12);
}

// ---------------------------------------------------------------------------------------------
// CNoeudPondere

void CNoeudPondere::forEachOwnRef(CRefVisitor& v) {
    v(point);
}

void CNoeudPondere::Serialize(CArchive& ar) {
    weight.Serialize(ar);
    serializeOwnRefs(ar, *this);
}

void CNoeudPondere::readPreviousFormat(CArchive& ar) {
    weight.readPreviousFormat(ar);
    serializeOwnRefs(ar, *this);
}

bool CNoeudPondere::sameAs(const CNoeudPondere& other) const {
    return point == other.point && weight.constant == other.weight.constant &&
           weight.reference == other.weight.reference;
}

// ---------------------------------------------------------------------------------------------
// CBarycentre

void CBarycentre::addNode(CPointAncetre* p, const CValeurAssocieeAVariable& weight) {
    nodes.push_back(std::make_unique<CNoeudPondere>(p, weight));
}

void CBarycentre::Serialize(CArchive& ar) {
    CPointAncetre::Serialize(ar);
    if (ar.IsStoring()) {
        ar.writeCount(static_cast<uint32_t>(nodes.size()));
        for (const auto& n : nodes) ar.writeObject(n.get());
    } else {
        readNodes(ar, false);
    }
}

void CBarycentre::readPreviousFormat(CArchive& ar) {
    CPointAncetre::readPreviousFormat(ar);
    readNodes(ar, true);
}

void CBarycentre::readNodes(CArchive& ar, bool previous) {
    const uint32_t n = ar.readCount();
    ar.checkCount(n, 14);
    nodes.clear();
    for (uint32_t i = 0; i < n; ++i) {
        std::unique_ptr<CNoeudPondere> node =
            previous ? ar.readPreviousObjectOf<CNoeudPondere>() : ar.readObjectOf<CNoeudPondere>();
        if (!node)
            CArchive::fail(CArchiveException::badFormat, "Point pondéré manquant d'un barycentre.");
        nodes.push_back(std::move(node));
    }
}

void CBarycentre::forEachRef(CRefVisitor& v) {
    CPointAncetre::forEachRef(v);
    for (auto& n : nodes) n->forEachOwnRef(v);
}

void CBarycentre::computePosition() {
    double sw = 0, sx = 0, sy = 0;
    for (const auto& n : nodes) {
        if (!geo::existing(n->point) || !n->weight.isDefined()) {
            exists = false;
            return;
        }
        const double w = n->weight.getValue();
        sw += w;
        sx += w * n->point->x;
        sy += w * n->point->y;
    }
    if (sw == 0 || !std::isfinite(sx / sw) || !std::isfinite(sy / sw)) {
        exists = false;
        return;
    }
    setPosition(sx / sw, sy / sw);
}

bool CBarycentre::coincidesWith(const CElementBase* other) const {
    if (!other || other->GetRuntimeClass() != GetRuntimeClass()) return false;
    const auto* b = static_cast<const CBarycentre*>(other);
    if (b->nodes.size() != nodes.size()) return false;
    std::vector<bool> used(nodes.size(), false);
    for (const auto& n : nodes) {
        bool found = false;
        for (size_t j = 0; j < b->nodes.size() && !found; ++j) {
            if (!used[j] && n->sameAs(*b->nodes[j])) used[j] = found = true;
        }
        if (!found) return false;
    }
    return true;
}

bool CBarycentre::computeDependsOn(const CElementBase* p) const {
    if (CPointAncetre::computeDependsOn(p)) return true;
    for (const auto& n : nodes)
        if (n->weight.dependsOn(p)) return true;
    return false;
}

bool CBarycentre::computeDependsOnForPositioning(const CElementBase* p) const {
    if (CPointAncetre::computeDependsOnForPositioning(p)) return true;
    for (const auto& n : nodes)
        if (n->weight.dependsOnForPositioning(p)) return true;
    return false;
}

void CBarycentre::replaceReference(CElementBase* old, CElementBase* repl) {
    CPointAncetre::replaceReference(old, repl);
    for (auto& n : nodes) n->weight.replaceReference(old, repl);
}

bool CBarycentre::usesNameOf(const CElementBase* p) const {
    for (const auto& n : nodes)
        if (n->weight.usesNameOf(p)) return true;
    return false;
}

std::string CBarycentre::getConstructionInfo(CElementBase** a, CElementBase** b,
                                             CElementBase** c) const {
    firstParents(a, b, c);
    return "Barycentre de " + std::to_string(nodes.size()) + " points pondérés";
}

std::string CBarycentre::getDescription() const {
    std::string s = "Point " + getName() + ":" + "Barycentre de ";
    for (const auto& n : nodes)
        s += "\n      " + geo::nameOf(n->point) + " affecté du coefficient " +
             geo::valueText(n->weight);
    return s;
}

namespace {
// The weights of a barycentre's nodes, each a comment tied to its point. The comments sit
// opposite the points' names, so their offsets follow the names' offsets at every drawing.
class CIllustrationBarycentre : public CElementGraphique {
public:
    explicit CIllustrationBarycentre(const CBarycentre& b) : CElementGraphique(1, false) {
        for (const auto& n : b.nodes) {
            if (!n->point) continue;
            comments_.push_back(std::make_unique<CCommentaire>(geo::valueText(n->weight), nullptr,
                                                               n->point, n->point->x, n->point->y,
                                                               n->point->colour));
        }
        exists = true;
    }

    void computePosition() override {
        exists = true;
        for (auto& c : comments_) c->computePosition();
    }
    void draw(CDC* dc, bool hideMasked) override {
        for (auto& c : comments_) {
            place(dc, *c);
            c->draw(dc, hideMasked);
        }
    }
    void erase(CDC* dc, bool hideMasked) override {
        for (auto& c : comments_) {
            place(dc, *c);
            c->erase(dc, hideMasked);
        }
    }
    int designationDistance(int, int, bool) override { return kNotDesignable; }
    int designationDistanceForLinking(int, int, bool) override { return kNotDesignable; }

    const std::vector<std::unique_ptr<CCommentaire>>& comments() const { return comments_; }

private:
    static void place(CDC* dc, CCommentaire& c) {
        c.computePosition();
        const LSize size = c.measureText(dc, c.text);
        c.setNameOffset(-c.point->nameOffsetX - size.cx, -c.point->nameOffsetY - size.cy);
    }
    std::vector<std::unique_ptr<CCommentaire>> comments_;
};
}  // namespace

std::unique_ptr<CAction> CBarycentre::createIllustration() const {
    auto illustration = std::make_unique<CIllustrationBarycentre>(*this);
    illustration->computePosition();
    return std::make_unique<CAction>(nat::commentaire, std::move(illustration));
}

void CBarycentre::rebuildFromText(CListeAction* list) {
    for (auto& n : nodes) n->weight.rebuildFromText(list);
}

// ---------------------------------------------------------------------------------------------
// CPointParAbscisse

CPointParAbscisse::CPointParAbscisse(CPointAncetre* a, CPointAncetre* b,
                                     const CValeurAssocieeAVariable& t, int8_t colour,
                                     int pointStyle)
    : CPointAncetre(colour, pointStyle), A(a), B(b), t(t) {}

void CPointParAbscisse::Serialize(CArchive& ar) {
    CPointAncetre::Serialize(ar);
    serializeOwnRefs(ar, *this);
    t.Serialize(ar);
}

void CPointParAbscisse::readPreviousFormat(CArchive& ar) {
    CPointAncetre::readPreviousFormat(ar);
    serializeOwnRefs(ar, *this);
    t.readPreviousFormat(ar);
}

void CPointParAbscisse::computePosition() {
    exists = geo::existing(A) && geo::existing(B) && t.isDefined();
    if (!exists) return;
    const double v = t.getValue();
    x = A->x + v * (B->x - A->x);
    y = A->y + v * (B->y - A->y);
    checkRange();
}

bool CPointParAbscisse::coincidesWith(const CElementBase* other) const {
    if (!hasSameRefsAs(other)) return false;
    const auto* p = static_cast<const CPointParAbscisse*>(other);
    return p->t.constant == t.constant && p->t.reference == t.reference;
}

bool CPointParAbscisse::usesNameOf(const CElementBase* p) const {
    return t.usesNameOf(p);
}

std::string CPointParAbscisse::getConstructionInfo(CElementBase** a, CElementBase** b,
                                                   CElementBase** c) const {
    firstParents(a, b, c);
    return "Point d'abscisse " + geo::valueText(t) + "\r\n dans le repère (" + geo::nameOf(A) +
           "," + geo::nameOf(B) + ")";
}

std::string CPointParAbscisse::getDescription() const {
    return "Point d'abscisse " + geo::valueText(t) + " dans le repère (" + geo::nameOf(A) + "," +
           geo::nameOf(B) + ")";
}

void CPointParAbscisse::rebuildFromText(CListeAction* list) {
    t.rebuildFromText(list);
}
