#include "view/ToolTexts.h"

#include <algorithm>
#include <iterator>

#include "core/CHost.h"
#include "core/Messages.h"

namespace {
struct Row {
    int id;
    const char* text;
};

// Sorted by identifier.
constexpr Row kTexts[] = {
    {1001, "Cliquez pour créer un point libre"},
    {1002, "Cliquez sur le premier point de la droite"},
    {1003, "Cliquez sur le deuxième point de la droite"},
    {1004, "Cliquez sur la première extrémité du segment"},
    {1005, "Cliquez sur la deuxième extrémité du segment"},
    {1006, "Cliquez sur la droite ou le segment auquel la droite sera parallèle"},
    {1007, "Cliquez sur le point par lequel passera la parallèle"},
    {1008, "Cliquez sur la droite ou le segment auquel la droite sera perpendiculaire"},
    {1009, "Cliquez sur le point par lequel passera la perpendiculaire"},
    {1010, "Milieu d'un segment: cliquez sur la première extrémité"},
    {1011, "Milieu d'un segment: cliquez sur la deuxième extrémité"},
    {1012, "Cliquez sur l'origine du vecteur"},
    {1013, "Cliquez sur l'extrémité du vecteur"},
    {1014, "Cliquez sur le centre du cercle"},
    {1015, "Cliquez sur un point du cercle"},
    {1016, "Médiatrice: Cliquez sur la première extrémité du segment"},
    {1017, "Médiatrice: Cliquez sur la deuxième extrémité du segment"},
    {1018, "Bissectrice d'un angle du type AOB: cliquez sur A"},
    {1019, "Bissectrice d'un angle du type AOB: cliquez sur O"},
    {1020, "Bissectrice d'un angle du type AOB: cliquez sur B"},
    {1021, "Pour marquer un angle du type AOB: cliquez sur A"},
    {1022, "Pour marquer un angle du type AOB: cliquez sur O"},
    {1023, "Pour marquer un angle du type AOB: cliquez sur B"},
    {1028, "Cliquez sur l'origine de la demi-droite"},
    {1029, "Cliquez sur un autre point de la demi-droite"},
    {1043, "Cliquez sur le point ou la droite à nommer"},
    {1045, "Cliquez sur un point libre, lié ou un objet pour le déplacer"},
    {1046, "Déplacez l'objet puis cliquez pour le déposer"},
    {1047, "Cliquez sur un objet pour créer un point lié à cet objet"},
    {1065, "Cliquez sur l'objet à supprimer"},
    {1066, "Cliquez sur un objet pour modifier sa couleur ou son tracé"},
    {1067, "Cliquez sur un objet pour l'effacer"},
    {1068, "Cliquez sur un objet pointillé (caché) pour le faire réapparaître"},
    {1078, "Intersection de deux objets: cliquez sur le premier objet"},
    {1079, "Intersection de deux objets: cliquez sur le deuxième objet"},
    {1089, "Cliquez sur un point lié à un objet pour le transformer en point libre"},
    {1090, "Cliquez sur un point libre que vous voulez lier à un objet"},
    {1091, "Cliquez sur l'objet auquel le point sera lié"},
    {1096, "Cliquez sur un point de la droite horizontale à créer"},
    {1097, "Cliquez sur un point de la droite verticale à créer"},
    {1119, "\n\nUn même objet a déjà été créé"},
    {1148,
     "Un point que vous voulez\ncréer est en dehors\nde la fenetre. Confirmez-vous\nsa création"},
    {1155,
     "Une droite que vous voulez\ncréer est en dehors\nde la fenetre. Confirmez-vous\nsa création"},
    {1156,
     "Une demi-droite que vous voulez\ncréer est en dehors\nde la fenetre. Confirmez-vous\nsa "
     "création"},
    {1157,
     "Un cercle que vous voulez\ncréer est en dehors\nde la fenetre. Confirmez-vous\nsa création"},
    {1185, "Cliquez sur la droite sur laquelle projeter le point"},
    {1186, "Cliquez sur le point à projeter"},
    {1187,
     "L'objet que vous voulez créer\nn'est pas défini pour l'instant.\nConfirmez-vous sa création"},
    {1197, "Deuxième point d'intersection de 2 cercles : cliquez sur le premier cercle"},
    {1198, "Deuxième point d'intersection de 2 cercles : cliquez sur le deuxième cercle"},
    {1200, "\nLes deux objets cliqués\nne sont pas sécants"},
    {1203, "Deuxième point d'intersection d'une droite et un cercle : cliquez sur la droite"},
    {1204, "Deuxième point d'intersection d'une droite et un cercle : cliquez sur le cercle"},
    {1208, "Cliquez sur chaque sommet du polygone, puis cliquez sur le bouton droit."},
    {1221, "Pour marquer un angle orienté du type (OA,OB) : cliquez sur A"},
    {1222, "Pour marquer un angle orienté du type (OA,OB) : cliquez sur O"},
    {1223, "Pour marquer un angle orienté du type (OA,OB) : cliquez sur B"},
    {1309, "Cliquez sur un des points clignotants pour le punaiser (le fixer)"},
    {1310, "Cliquez sur un des points clignotants pour le dépunaiser"},
    {1314, "Cliquez sur la figure puis bougez la souris sans relâcher le bouton gauche"},
    {1395, "Cliquez sur un objet pour le reclasser en fin de liste des objets créés"},
    {1398, "Cliquez sur un objet pour le reclasser en début de liste des objets créés"},
    {1411, "Pour marquer un angle orienté dans le sens direct du type (OA,OB) : cliquez sur A"},
    {1412, "Pour marquer un angle orienté dans le sens direct du type (OA,OB) : cliquez sur O"},
    {1413, "Pour marquer un angle orienté dans le sens direct du type (OA,OB) : cliquez sur B"},
    {1416, "Pour marquer un angle orienté dans le sens indirect du type (OA,OB) : cliquez sur A"},
    {1417, "Pour marquer un angle orienté dans le sens indirect du type (OA,OB) : cliquez sur O"},
    {1418, "Pour marquer un angle orienté dans le sens indirect du type (OA,OB) : cliquez sur B"},
    {1427, "Cliquez sur chaque sommet de la ligne brisée, puis cliquez sur le bouton droit."},
    {1428, "Création d'un centre de gravité : cliquez sur le premier sommet"},
    {1429, "Création d'un centre de gravité : cliquez sur le deuxième sommet"},
    {1430, "Création d'un centre de gravité : cliquez sur le troisième sommet"},
    {1436, "Activation impossible : Trois points doivent être créés et visibles"},
    {1437, "Activation impossible : Deux points doivent être créés et visibles"},
    {1438,
     "Activation impossible : Un point et un objet de type droite\ndoivent être créés et visibles"},
    {1439, "Activation impossible : Un point doit être créé et visible"},
    {1441, "Activation impossible : Un point ou une droite doit être créé et visible"},
    {1442,
     "Activation impossible : Au moins un objet de type droite, demi-droite,\nsegment, cercle, arc "
     "de cercle, polygone ou ligne brisée\n doit être créé et visible pour lui lier un point"},
    {1443,
     "Activation impossible : Au moins deux ojets de type droite, demi-droite, segment\ncercle ou "
     "arc de cercle doivent être créés et visibles"},
    {1450, "Activation impossible : aucun objet graphique\nn'a été créé ou n'est visible"},
    {1451, "Activation impossible : aucun objet graphique n'a été gommé"},
    {1458, "Activation impossible : aucun point lié à un objet\nn'a été créé ou n'est visible"},
    {1465, "Activation impossible : aucun point libre\nn'a été cré ou n'est visible"},
    {1470,
     "Activation impossible : aucun point libre ou lié\nà une objet n'a été créé ou n'est visible"},
    {1474, "Activation impossible : aucun objet graphique\nn'est visible"},
    {1476, "Activation impossible : aucun point mobile n'a été\npunaisé ou alors il est masqué"},
    {1477,
     "Activation impossible : au moins deux cercles\nou arcs de cercles doivent etre\ncréés et "
     "visibles"},
    {1478,
     "Activation impossible : au moins un objet de type droite\net un objet de type cercle "
     "doivent\nêtre créés et visibles"},
    {1485, "Creation d'une marque d'angle droit : cliquez sur une perpendiculaire"},
    {1486, "Activation impossible : aucune perpendiculaire n'a été crée ou n'est visible"},
    {1498, "Création d'une marque de segment : cliquez sur le segment"},
    {1499, "Aucun segment n'a été créé ou n'est visible"},
    {1537, "Test de parallélisme : Cliquez sur la première droite"},
    {1538, "Test de parallélisme : Cliquez sur la deuxième droite"},
    {1539, "Activation impossible : Deux droites doivent être créées et visibles"},
    {1540, "Test d'orthogonalité : Cliquez sur la première droite"},
    {1541, "Test d'orthogonalité : Cliquez sur la deuxième droite"},
    {1542, "Test d'alignement de trois points : cliquez sur le premier point"},
    {1543, "Test d'alignement de trois points : cliquez sur le deuxième point"},
    {1544, "Test d'alignement de trois points : cliquez sur le troisième point"},
    {1576, "Activation impossible : Un point et un cercle doivent être créés et visibles"},
    // Prompts of the tests that have no string of their own.
    {90000, "Test de milieu : cliquez sur le point qui serait le milieu"},
    {90001, "Test de milieu : cliquez sur la première extrémité"},
    {90002, "Test de milieu : cliquez sur la deuxième extrémité"},
    {90010, "Test d'équidistance : cliquez sur le point dont on teste l'équidistance"},
    {90011, "Test d'équidistance : cliquez sur le deuxième point"},
    {90012, "Test d'équidistance : cliquez sur le troisième point"},
    {90020, "Test d'appartenance à un cercle : cliquez sur le cercle"},
    {90021, "Test d'appartenance à un cercle : cliquez sur le point"},
};
}  // namespace

const char* toolText(int id) {
    auto it = std::lower_bound(std::begin(kTexts), std::end(kTexts), id,
                               [](const Row& r, int v) { return r.id < v; });
    if (it != std::end(kTexts) && it->id == id) return it->text;
    return messageText(id);
}

int toolMessageText(const std::string& text, unsigned flags) {
    return host().messageBox(text, "Korvendal32", flags);
}

int toolMessage(int id, unsigned flags) {
    return toolMessageText(toolText(id), flags);
}
