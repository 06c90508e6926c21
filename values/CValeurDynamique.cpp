#include "values/CValeurDynamique.h"

#include <cctype>

#include "calc/NumberFormat.h"
#include "core/CArchive.h"

IMPLEMENT_SERIAL(CValeurDynamique, CElementBase, 1)

double CValeurDynamique::getValue() const {
    return 0.0;
}

Complexe CValeurDynamique::getComplexValue() const {
    return {getValue(), 0.0};
}

std::string CValeurDynamique::getName() const {
    return "";
}

int CValeurDynamique::getValueKind() const {
    return 0;
}

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

bool CValeurDynamique::matchesNameAt(const std::string& text, size_t pos, int* length) const {
    std::string n = getName();
    if (length) *length = static_cast<int>(n.size());
    if (n.empty() || pos > text.size() || text.size() - pos < n.size()) return false;
    for (size_t i = 0; i < n.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[pos + i])) !=
            std::tolower(static_cast<unsigned char>(n[i])))
            return false;
    return true;
}

bool CValeurDynamique::hasName(const std::string& name) const {
    std::string n = getName();
    if (n.size() != name.size()) return false;
    for (size_t i = 0; i < n.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(name[i])) !=
            std::tolower(static_cast<unsigned char>(n[i])))
            return false;
    return true;
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
