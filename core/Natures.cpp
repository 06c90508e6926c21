#include "core/Natures.h"

namespace {
struct NounGroup {
    Nature mask;
    const char* text;
};
// Tested in this order; the first group that contains the nature names it.
constexpr NounGroup kNounGroups[] = {
    {nat::point, "ce point"},
    {nat::segment, "ce segment"},
    {nat::vecteur, "ce vecteur"},
    {nat::droite, "cette droite"},
    {nat::demiDroite, "cette demi-droite"},
    {nat::cercle, "ce cercle"},
    {nat::marqueAngle, "cette marque d'angle"},
    {nat::valeurAffichee, "cette valeur"},
    {nat::arc, "Cet Arc"},
    {nat::lieuPoints, "Ce lieu"},
    {nat::repere, "Ce repere"},
    {nat::commentaire, "Ce commentaire"},
    {nat::polygone, "Ce polygone"},
    {nat::surface, "Cette surface"},
    {nat::grapheSuite | nat::grapheSuiteComplexe, "Ce graphe de suite"},
    {nat::macro, "Cette macro"},
    {nat::demiPlan, "Ce demi-plan"},
    {nat::lieuDiscret, "Ce lieu discret"},
    {nat::ligneBrisee, "Cette ligne"},
    {nat::marqueSegment, "cette marque de segment"},
    {nat::image, "Cette image"},
    {nat::lieuObjets, "ce lieu d'objet "},
};
}  // namespace

int natureBitNumber(Nature n) {
    for (int i = 0; i < 64; ++i)
        if (n & natureBit(i)) return i;
    return 64;
}

std::string natureNounGroup(Nature n, Nature copiedNature) {
    if (n == nat::objetDuplique) return "Cette copie de " + natureNounGroup(copiedNature);
    for (const NounGroup& g : kNounGroups)
        if (n & g.mask) return g.text;
    return "";
}
