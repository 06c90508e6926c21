#include "DocTestObjects.h"

#include <bit>
#include <cmath>

#include "core/CArchive.h"
#include "document/CPelvantiDoc.h"

IMPLEMENT_SERIAL(CDocTestPoint, CElementGraphique, 1)
IMPLEMENT_SERIAL(CDocTestLength, CElementBase, 1)
IMPLEMENT_SERIAL(CDocTestLocus, CElementBase, 1)
IMPLEMENT_SERIAL(CDocTestMacro, CElementGraphique, 1)

void CDocTestPoint::Serialize(CArchive& ar) {
    CElementGraphique::Serialize(ar);
    if (ar.IsStoring()) {
        ar.writeDouble(x);
        ar.writeDouble(y);
    } else {
        x = ar.readDouble();
        y = ar.readDouble();
    }
}

void CDocTestLength::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.writeReference(a);
        ar.writeReference(b);
    } else {
        a = ar.readRequiredReferenceOf<CDocTestPoint>();
        b = ar.readRequiredReferenceOf<CDocTestPoint>();
    }
}

void CDocTestLength::computePosition() {
    exists = a->exists && b->exists;
    value = std::hypot(a->x - b->x, a->y - b->y);
}

bool CDocTestLength::computeDependsOn(const CElementBase* p) const {
    return p == this || a->dependsOn(p) || b->dependsOn(p);
}

void CDocTestLocus::Serialize(CArchive& ar) {
    if (ar.IsStoring())
        ar.writeReference(unit);
    else
        unit = ar.readRequiredReferenceOf<CDocTestLength>();
}

bool CDocTestLocus::computeDependsOn(const CElementBase* p) const {
    return p == this || unit->dependsOn(p);
}

void CDocTestLocus::rebuildInternalLists(CListeAction* list) {
    ++rebuilds;
    rebuiltFrom = list;
}

void CDocTestMacro::Serialize(CArchive& ar) {
    CElementGraphique::Serialize(ar);
    objects.Serialize(ar);
}

void buildDocTestFigure(CPelvantiDoc& doc) {
    doc.newFigure();
    auto add = [&](Nature nature, auto object) {
        auto* raw = object.get();
        doc.addEntry(std::make_unique<CAction>(nature, std::move(object)));
        return raw;
    };
    auto* a = add(nat::pointLibre, std::make_unique<CDocTestPoint>(100, 200, "A"));
    auto* b = add(nat::pointLibre, std::make_unique<CDocTestPoint>(400, 600, "B"));
    auto* ab = add(nat::mesure, std::make_unique<CDocTestLength>(a, b));
    doc.list().unitLength = ab;
    add(nat::lieuPoints, std::make_unique<CDocTestLocus>(ab));
    auto macro = std::make_unique<CDocTestMacro>();
    macro->name = "Montrer";
    macro->objects.append(new CActionSousListe(nat::pointLibre, a));
    macro->objects.append(new CActionSousListe(nat::pointLibre, b));
    doc.list().defaultMacro = add(nat::macro, std::move(macro));
    doc.list().computeAll();
}

uint16_t wordAt(const std::vector<uint8_t>& bytes, size_t pos) {
    return static_cast<uint16_t>(bytes.at(pos) | (bytes.at(pos + 1) << 8));
}

uint32_t dwordAt(const std::vector<uint8_t>& bytes, size_t pos) {
    return wordAt(bytes, pos) | (static_cast<uint32_t>(wordAt(bytes, pos + 2)) << 16);
}

Bytes& Bytes::raw(const std::string& s) {
    data.insert(data.end(), s.begin(), s.end());
    return *this;
}

Bytes& Bytes::byte(uint8_t v) {
    data.push_back(v);
    return *this;
}

Bytes& Bytes::word(uint16_t v) {
    return byte(v & 0xFF).byte(v >> 8);
}

Bytes& Bytes::dword(uint32_t v) {
    return word(v & 0xFFFF).word(v >> 16);
}

Bytes& Bytes::dbl(double v) {
    uint64_t bits = std::bit_cast<uint64_t>(v);
    return dword(static_cast<uint32_t>(bits)).dword(static_cast<uint32_t>(bits >> 32));
}

Bytes& Bytes::str(const std::string& s) {
    return byte(static_cast<uint8_t>(s.size())).raw(s);
}

Bytes& Bytes::newClass(const std::string& name, uint16_t schema) {
    return word(0xFFFF).word(schema).word(static_cast<uint16_t>(name.size())).raw(name);
}
