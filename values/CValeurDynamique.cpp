#include "values/CValeurDynamique.h"

#include "calc/NumberFormat.h"
#include "core/CArchive.h"

IMPLEMENT_SERIAL(CValeurDynamique, CElementBase, 1)

std::string CValeurDynamique::getNameAndValueText(int decimals) const {
    return getName() + "=" + formatNumber(getValue(), 8, decimals);
}

std::string CValeurDynamique::getValueText(int decimals) const {
    return formatNumber(getValue(), 17, decimals);
}

std::string CValeurDynamique::getComplexValueText(int decimals) const {
    return formatComplex(getComplexValue(), decimals);
}

std::string CValeurDynamique::getDisplayValueText(int decimals) const {
    int k = getValueKind();
    if (k != -1 && (k & (kind::calculComplexe | kind::affixe)))
        return getComplexValueText(decimals);
    return getValueText(decimals);
}

std::string CValeurDynamique::getCreationMessage() const {
    return "";
}

int CValeurDynamique::modify() {
    return -1;
}

std::string CValeurDynamique::getStatusText() const {
    return exists ? "" : "n'existe pas";
}

std::string readEarliestName(CArchive& ar) {
    uint8_t len = ar.readByte();
    char chars[4];
    ar.readBytes(chars, 4);
    return cp1252ToUtf8(std::string(chars, len < 4 ? len : 4));
}

std::string creationMessageFor(int valueKind, const std::string& name) {
    switch (valueKind) {
        case kind::longueur:
            return "La longueur " + name + "\r\n" + " a été mesurée";
        case kind::angle:
            return "L'angle " + name + "\r\n" + " a été mesuré";
        case kind::abscisse:
        case kind::mesureX:
            return "L'abscisse " + name + "\r\n" + " a été mesurée";
        case kind::mesureY:
            return "L'ordonnée " + name + "\r\n" + " a été mesurée";
        case kind::affixe:
            return "L'affixe " + name + "\r\n" + " a été mesurée";
        case kind::solutionEquation:
            return "La solution d'équation " + name + "\r\n" + " a été créée ";
        default:
            return "";
    }
}
