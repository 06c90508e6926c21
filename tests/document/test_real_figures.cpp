// Figures built with the program's own object classes: save, load and save again give the same
// bytes, and the loaded figure recomputes to the same states. Also writes the sample files of
// tests/data when asked (DISABLED_WriteSampleFigures, with KORVENDAL_SAMPLES_OUT set).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "calc/Parser.h"
#include "core/CHost.h"
#include "document/CPelvantiDoc.h"
#include "geometry/CAffichage.h"
#include "geometry/CCercle.h"
#include "geometry/CDroite.h"
#include "geometry/CIntersection.h"
#include "geometry/CPointAncetre.h"
#include "geometry/CPointLie.h"
#include "geometry/CPolygone.h"
#include "geometry/CSurface.h"
#include "geometry/CTransformation.h"
#include "loci/CLieuDeBase.h"
#include "values/CCalcul.h"
#include "values/CFonc.h"
#include "measures/CMesure.h"
#include "values/CVariable.h"

namespace {

class Builder {
public:
    explicit Builder(CPelvantiDoc& doc) : doc_(doc) {}
    template <class T>
    T* add(Nature nature, std::unique_ptr<T> object) {
        T* p = object.get();
        doc_.addEntry(std::make_unique<CAction>(nature, std::move(object)));
        return p;
    }
    template <class T>
    T* addFormula(Nature nature, std::unique_ptr<T> object) {
        object->rebuildTree(doc_.list());
        return add(nature, std::move(object));
    }

private:
    CPelvantiDoc& doc_;
};

// Every object class of the program that a figure can hold, a few times over.
void buildRealFigure(CPelvantiDoc& doc) {
    doc.newFigure();
    Builder b(doc);
    auto* a = b.add(nat::pointLibre, std::make_unique<CPointBase>(1000, 1000));
    a->setName("A");
    auto* pb = b.add(nat::pointLibre, std::make_unique<CPointBase>(3000, 1500, 2, 1));
    pb->setName("B");
    auto* c = b.add(nat::pointLibre, std::make_unique<CPointBase>(2000, 3000));
    c->setName("C");
    doc.insertVariable(new CAction(nat::variable, std::make_unique<CVariableBornee>(
                                                      "k", 2, 0, 10, 0.5, "0", "10", "0.5", true)));
    b.addFormula(nat::calcul, std::make_unique<CCalcul>("c1", "k*2+pi"));
    b.addFormula(nat::fonction, std::make_unique<CFonc>("f", "x^2+k", "x"));
    b.add(nat::pointConstruit, std::make_unique<CMilieu>(a, pb));
    b.add(nat::pointConstruit, std::make_unique<CCentreGravite>(a, pb, c));
    auto* seg = b.add(nat::segment, std::make_unique<CSegment>(a, pb, 3, 2));
    (void)seg;
    auto* ab = b.add(nat::droite, std::make_unique<CDroiteAB>(a, pb));
    auto* bc = b.add(nat::droite, std::make_unique<CDroiteAB>(pb, c));
    b.add(nat::demiDroite, std::make_unique<CDemiDroiteOA>(a, c));
    b.add(nat::vecteur, std::make_unique<CVecteur>(c, a, 1));
    auto* par = b.add(nat::droite, std::make_unique<CDroiteParallele>(c, ab));
    auto* perp = b.add(nat::droite, std::make_unique<CDroitePerpendiculaire>(a, bc));
    b.add(nat::droite, std::make_unique<CMediatrice>(a, pb));
    b.add(nat::droite, std::make_unique<CBissectrice>(a, pb, c));
    b.add(nat::droite, std::make_unique<CDroiteDirectionFixe>(c, true, 1000.0));
    b.add(nat::pointConstruit, std::make_unique<CPointProjete>(c, ab));
    b.add(nat::pointConstruit, std::make_unique<CIntDroiteDroite>(par, perp));
    auto* circle = b.add(nat::cercle, std::make_unique<CCercleOA>(a, pb));
    auto* circle2 = b.add(nat::cercle, std::make_unique<CCercleOA>(pb, a));
    b.add(nat::pointLie, std::make_unique<CPointLieDroite>(ab, 0.25));
    b.add(nat::pointLie, std::make_unique<CPointLieCercle>(circle, 1.0));
    auto* bip = b.add(nat::bipoint, std::make_unique<CIntDroiteCercle>(bc, circle));
    b.add(nat::pointConstruit, std::make_unique<CPointLieBipoint>(bip, 1));
    auto* bip2 = b.add(nat::bipoint, std::make_unique<CIntCercleCercle>(circle, circle2));
    b.add(nat::pointConstruit, std::make_unique<CPointLieBipoint>(bip2, 2));
    auto* poly =
        b.add(nat::polygone, std::make_unique<CPolygone>(std::vector<CPointAncetre*>{a, pb, c}));
    b.add(nat::ligneBrisee,
          std::make_unique<CLigneBrisee>(std::vector<CPointAncetre*>{c, a, pb}, 4));
    auto* unit = b.add(nat::mesure, std::make_unique<CLongueur>(&doc.list(), a, pb));
    doc.list().unitLength = unit;
    auto* angle = b.add(nat::mesure, std::make_unique<CMesureAngleGeometrique>(a, pb, c));
    b.add(nat::valeurAffichee,
          std::make_unique<CValeurAffichee>(unit, nullptr, 500, 500, "AB = ", " u", 2));
    b.add(nat::valeurAffichee,
          std::make_unique<CValeurAffichee>(angle, c, 0, 0, "", " degrés", 1, 5));
    b.add(nat::commentaire,
          std::make_unique<CCommentaire>("Triangle ABC", &doc.list(), nullptr, 200, 300));
    auto* shift = b.add(nat::transformation, std::make_unique<CTranslation>(a, pb));
    b.add(nat::pointConstruit, std::make_unique<CPointImage>(c, shift));
    b.add(nat::surface, std::make_unique<CSurfacePolygone>(poly, 1));
    b.add(nat::surface, std::make_unique<CSurfaceDisque>(circle2, 2, 3));
    b.add(nat::demiPlan, std::make_unique<CDemiPlan>(ab, c, 3));
    auto* mobile = b.add(nat::pointLie, std::make_unique<CPointLieCercle>(circle2, 0.5));
    auto* traced = b.add(nat::pointConstruit, std::make_unique<CMilieu>(mobile, c));
    b.add(nat::lieuPoints,
          std::make_unique<CLieuDePoints>(&doc.list(), traced, mobile, 40, true, 6));
    doc.list().computeAll();
    doc.reservedText = "Figure d'essai";
    doc.allowedMenus.setIds({32771});
    doc.history().resetHistory();
}

// Index of the first differing byte, for the failure message.
size_t firstDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
    return i;
}

std::vector<bool> states(CListeAction& list) {
    std::vector<bool> out;
    for (int i = 0; i < list.count(); ++i) out.push_back(list.elementAt(i)->exists);
    return out;
}

TEST(RealFigures, SaveLoadSaveIsStableAndRecomputesAlike) {
    CPelvantiDoc doc;
    buildRealFigure(doc);
    std::vector<uint8_t> first = doc.saveToBytes();
    CPelvantiDoc back;
    std::string reason;
    ASSERT_TRUE(back.loadFromBytes(first, &reason)) << reason;
    EXPECT_EQ(first.size(), back.saveToBytes().size());
    EXPECT_EQ(first.size(), firstDifference(first, back.saveToBytes()));
    back.list().computeAll();
    doc.list().computeAll();
    ASSERT_EQ(doc.list().count(), back.list().count());
    EXPECT_EQ(states(doc.list()), states(back.list()));
    for (int i = 0; i < doc.list().count(); ++i) {
        EXPECT_EQ(doc.list().entryAt(i)->nature, back.list().entryAt(i)->nature) << i;
        EXPECT_EQ(doc.list().elementAt(i)->getDescription(),
                  back.list().elementAt(i)->getDescription())
            << i;
    }
    // Recomputing changes nothing that is saved.
    EXPECT_EQ(first.size(), firstDifference(first, back.saveToBytes()));
}

TEST(RealFigures, UndoOfADeletionGivesBackTheSameFigure) {
    CPelvantiDoc doc;
    buildRealFigure(doc);
    std::vector<uint8_t> before = doc.saveToBytes();
    // Point A, with most of the figure.
    doc.deleteWithDependents(doc.list().elementAt(2));
    doc.history().record("Supprimer");
    EXPECT_LT(doc.list().count(), 10);
    ASSERT_TRUE(doc.history().undo());
    EXPECT_EQ(before.size(), firstDifference(before, doc.saveToBytes()));
    ASSERT_TRUE(doc.history().redo());
    EXPECT_FALSE(doc.history().canRedo());
}

TEST(RealFigures, EveryTruncationOfARealFigureIsRefused) {
    CPelvantiDoc doc;
    buildRealFigure(doc);
    std::vector<uint8_t> bytes = doc.saveToBytes();
    for (size_t n = 0; n < bytes.size(); n += 7) {
        CPelvantiDoc cut;
        std::string reason;
        EXPECT_FALSE(cut.loadFromBytes(
            std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<long>(n)), &reason))
            << n;
    }
}

TEST(RealFigures, DISABLED_WriteSampleFigures) {
    const char* out = std::getenv("KORVENDAL_SAMPLES_OUT");
    ASSERT_NE(nullptr, out);
    CPelvantiDoc doc;
    doc.newFigure();
    doc.windowSize = {640, 480};
    ASSERT_TRUE(doc.saveToFile(std::string(out) + "/pi.qvf", nullptr));
    buildRealFigure(doc);
    ASSERT_TRUE(doc.saveToFile(std::string(out) + "/construction.qvf", nullptr));
}

}  // namespace
