#include "calc/CSourceValeur.h"

#include <cctype>

double CSourceValeur::getValue() const {
    return 0.0;
}

Complexe CSourceValeur::getComplexValue() const {
    return {getValue(), 0.0};
}

std::string CSourceValeur::getName() const {
    return "";
}

int CSourceValeur::getValueKind() const {
    return 0;
}

namespace {
bool sameLetter(char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) ==
           std::tolower(static_cast<unsigned char>(b));
}
}  // namespace

bool CSourceValeur::matchesNameAt(const std::string& text, size_t pos, int* length) const {
    std::string n = getName();
    if (length) *length = static_cast<int>(n.size());
    if (n.empty() || pos > text.size() || text.size() - pos < n.size()) return false;
    for (size_t i = 0; i < n.size(); ++i)
        if (!sameLetter(text[pos + i], n[i])) return false;
    return true;
}

bool CSourceValeur::hasName(const std::string& name) const {
    std::string n = getName();
    if (n.size() != name.size()) return false;
    for (size_t i = 0; i < n.size(); ++i)
        if (!sameLetter(name[i], n[i])) return false;
    return true;
}

double CSourceValeur::evaluateFunctionAt(double) {
    return 0.0;
}

// The value of a call whose function has no evaluation of its own.
Complexe CSourceValeur::evaluateFunctionComplexAt(Complexe) {
    return {-1.0, 0.0};
}
