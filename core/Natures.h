// Nature bits of figure list entries (one bit set: the kind of the object) and the group masks
// that filter entries by kind.
#pragma once

#include <cstdint>
#include <string>

using Nature = uint64_t;

// A mask given as (low 32 bits, high 32 bits).
constexpr Nature natureMask(uint32_t low, uint32_t high) {
    return static_cast<Nature>(low) | (static_cast<Nature>(high) << 32);
}
constexpr Nature natureBit(int bit) {
    return Nature{1} << bit;
}

namespace nat {
inline constexpr Nature pointLibre = natureBit(0);
inline constexpr Nature pointConstruit = natureBit(1);
inline constexpr Nature pointLie = natureBit(2);
inline constexpr Nature barycentre = natureBit(3);
inline constexpr Nature segment = natureBit(4);
inline constexpr Nature droite = natureBit(5);
inline constexpr Nature vecteur = natureBit(6);
inline constexpr Nature demiDroite = natureBit(7);
inline constexpr Nature cercle = natureBit(8);
inline constexpr Nature marqueAngle = natureBit(9);
inline constexpr Nature valeurAffichee = natureBit(10);
inline constexpr Nature arc = natureBit(11);
inline constexpr Nature lieuPoints = natureBit(12);
inline constexpr Nature repere = natureBit(13);
inline constexpr Nature pointDansRepere = natureBit(14);
inline constexpr Nature commentaire = natureBit(15);
inline constexpr Nature pointAutre = natureBit(16);
inline constexpr Nature polygone = natureBit(17);
inline constexpr Nature surface = natureBit(18);
inline constexpr Nature objetDuplique = natureBit(19);
inline constexpr Nature grapheSuite = natureBit(20);
inline constexpr Nature bipoint = natureBit(21);
inline constexpr Nature transformation = natureBit(22);
inline constexpr Nature mesure = natureBit(23);
inline constexpr Nature variable = natureBit(24);
inline constexpr Nature calcul = natureBit(25);
inline constexpr Nature fonction = natureBit(26);
inline constexpr Nature suiteRec = natureBit(27);
inline constexpr Nature macro = natureBit(28);
inline constexpr Nature demiPlan = natureBit(29);
inline constexpr Nature valeurNumerique = natureBit(30);
inline constexpr Nature lieuDiscret = natureBit(31);
inline constexpr Nature ligneBrisee = natureBit(32);
inline constexpr Nature marqueSegment = natureBit(33);
inline constexpr Nature image = natureBit(34);
inline constexpr Nature lieuObjets = natureBit(35);
inline constexpr Nature calculComplexe = natureBit(36);
inline constexpr Nature fonctionComplexe = natureBit(37);
inline constexpr Nature pointParAffixe = natureBit(38);
inline constexpr Nature suiteRecComplexe = natureBit(39);
inline constexpr Nature mesureAffixe = natureBit(40);
inline constexpr Nature grapheSuiteComplexe = natureBit(41);

// Group masks.
inline constexpr Nature point = pointLibre | pointConstruit | pointLie | barycentre |
                                pointDansRepere | pointAutre | pointParAffixe;
inline constexpr Nature pointOuDroite = point | droite;
inline constexpr Nature nomDessine = point | droite | demiDroite | objetDuplique;
inline constexpr Nature graphique =
    point | segment | droite | vecteur | demiDroite | cercle | marqueAngle | valeurAffichee | arc |
    lieuPoints | repere | commentaire | polygone | surface | objetDuplique | grapheSuite | macro |
    demiPlan | lieuDiscret | ligneBrisee | marqueSegment | image | lieuObjets | grapheSuiteComplexe;
inline constexpr Nature graphiqueSaufSurfaces = graphique & ~surface;
inline constexpr Nature valeurReelle = mesure | variable | calcul | valeurNumerique;
inline constexpr Nature valeurComplexe = calculComplexe | mesureAffixe;
inline constexpr Nature fonctionOuSuite = fonction | suiteRec;
inline constexpr Nature fonctionOuSuiteComplexe = fonctionComplexe | suiteRecComplexe;
inline constexpr Nature valeurOuFonction =
    valeurReelle | fonctionOuSuite | valeurComplexe | fonctionOuSuiteComplexe;
}  // namespace nat

// Number (0..63) of the set bit; 64 when no bit is set.
int natureBitNumber(Nature n);
// Noun group used in messages ("ce point", "cette droite", ...); empty for numeric natures.
// For a duplicated object, pass the nature of the copied object's entry as `copiedNature`.
std::string natureNounGroup(Nature n, Nature copiedNature = 0);
