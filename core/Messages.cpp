#include "core/Messages.h"

#include <algorithm>
#include <iterator>

#include "core/CHost.h"

namespace {
struct MessageRow {
    int id;
    const char* text;
};

// Sorted by identifier (a test holds it); add rows in order.
constexpr MessageRow kMessages[] = {
    {1110, "\n\nErreur de syntaxe"},
    {1111, "\n\nErreur de Parenthèse"},
    {1112, "\n\nLe nom choisi est incorrect"},
    {1113, "Le nom choisi est le nom\nd'une valeur, une fonction ou une mesure\ndéjà définie"},
    {1114, "Le nom choisi est le nom\nd 'une fonction mathématique prédéfinie"},
    {1115, "\nVous devez entrer\nune formule"},
    {1116,
     "Création impossible: la mesure\naurait le même nom qu'une\nvaleur ou fonction déjà "
     "définie"},
    {1132, "\nVous devez entrer\nune valeur"},
    {1134, "\nVous devez entrer\nune valeur"},
    {1135, "\nVous devez entrer\nune valeur"},
    {1136, "\nVous devez entrer\nle coefficient"},
    {1137, "\nLe coefficient\nne doit pas être nul"},
    {1139, "\nVous devez entrer\nune valeur"},
    {1140, "\nLa valeur mini doit être\ninférieure à la valeur maxi"},
    {1141, "\nLa valeur actuelle doit être\ncomprise entre les\n valeurs mini et maxi"},
    {1142, "\n\nLe pas est trop grand ou négatif ou nul"},
    {1146, "\nCette constante est prédéfinie\net ne peut pas être\nmodifiée"},
    {1177, "\nVous devez entrer\nune valeur"},
    {1180, "\nVous devez entrer\nune valeur"},
    {1195, "\n\nLe nom du calcul doit être défini"},
    {1227, "La valeur indiquée a été définie\naprès l'objet"},
    {1233, "\nCréation impossible : le rayon\ndoit être positif"},
    {1234, "\nVous devez rentrer\nun nom pour la variable formelle"},
    {1235, "\nLe nom de la variable formelle\nn'est pas valide"},
    {1236, "Le nom choisi pour la\nvariable formelle est celui\nd'une fonction prédéfinie"},
    {1237, "\nLe nom choisi pour la variable\nformelle est un nom déjà utilisé"},
    {1238, "Activation impossible : Aucune fonction n'a\n été définie"},
    {1246, "\nVous devez entrer\nune valeur"},
    {1253, "Le nom de la variable\ndoit être différent de celui\nde la fonction"},
    {1334, "\nVous devez entrer\nune valeur"},
    {1335, "\nVous devez entrer\nune valeur"},
    {1336, "\nVous devez entrer\nune valeur"},
    {1337, "L'incertitude doit être strictement positive"},
    {1338, "Ce nom n'est pas valide car il\nest déjà le nom d'un paramètre\nformel de fonction"},
    {1354, "La calcul ne donne pas un\nrésultat valide"},
    {1363, "Le calcul ne doit pas utiliser une valeur définie postérieurement"},
    {1364,
     "Vous ne pouver entrer dans ce champ\nque le nom d'une valeur déjà définie\nou un calcul "
     "n'utilisant que des\nconstantes (seule pi est permise)."},
    {1365, "Un calcul ne donne pas\nun résultat valide"},
    {1369, "La valeur que vous voulez utiliser\nest définie mais non valide"},
    {1419, "Dans ce champ, vous ne pouvez pas\nfaire appel à la fonction Rand"},
    {1570, "Le nom i est réservé pour les calculs\nsur les nombres complexes"},
};

const MessageRow* find(int id) {
    auto it = std::lower_bound(std::begin(kMessages), std::end(kMessages), id,
                               [](const MessageRow& r, int v) { return r.id < v; });
    return (it != std::end(kMessages) && it->id == id) ? it : nullptr;
}
}  // namespace

const char* messageText(int id) {
    const MessageRow* r = find(id);
    return r ? r->text : "";
}

bool hasMessage(int id) {
    return find(id) != nullptr;
}

int showMessage(int id, unsigned flags) {
    return host().messageBox(messageText(id), "Korvendal32", flags);
}
