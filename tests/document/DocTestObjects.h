// Small figure objects for the document tests: a free point, a length between two points, a
// locus built on the unit length and a macro with a sub-list, enough to exercise references,
// sub-lists and the rebuild after loading whatever object classes the figure has.
#pragma once

#include <memory>
#include <string>

#include "core/CElementGraphique.h"
#include "core/CListeAction.h"

class CDocTestPoint : public CElementGraphique {
    DECLARE_SERIAL(CDocTestPoint)
public:
    CDocTestPoint() = default;
    CDocTestPoint(double x, double y, const std::string& n) : x(x), y(y) { name = n; }
    double x = 0, y = 0;
    void Serialize(CArchive& ar) override;
};

class CDocTestLength : public CElementBase {
    DECLARE_SERIAL(CDocTestLength)
public:
    CDocTestLength() = default;
    CDocTestLength(CDocTestPoint* a, CDocTestPoint* b) : a(a), b(b) {}
    CDocTestPoint* a = nullptr;
    CDocTestPoint* b = nullptr;
    double value = 0;
    void Serialize(CArchive& ar) override;
    void computePosition() override;
    bool computeDependsOn(const CElementBase* p) const override;
};

// Counts the rebuilds of its internal list.
class CDocTestLocus : public CElementBase {
    DECLARE_SERIAL(CDocTestLocus)
public:
    CDocTestLocus() = default;
    explicit CDocTestLocus(CDocTestLength* unit) : unit(unit) {}
    CDocTestLength* unit = nullptr;
    int rebuilds = 0;
    CListeAction* rebuiltFrom = nullptr;
    void Serialize(CArchive& ar) override;
    bool computeDependsOn(const CElementBase* p) const override;
    void rebuildInternalLists(CListeAction* list) override;
};

class CDocTestMacro : public CElementGraphique {
    DECLARE_SERIAL(CDocTestMacro)
public:
    CSousListeAction objects;
    void Serialize(CArchive& ar) override;
};

// A figure built with the classes above: pi, A, B, the length AB as unit length, a locus on
// it, a macro acting on A and B as default macro.
class CPelvantiDoc;
void buildDocTestFigure(CPelvantiDoc& doc);

// Little-endian readers over saved bytes.
uint16_t wordAt(const std::vector<uint8_t>& bytes, size_t pos);
uint32_t dwordAt(const std::vector<uint8_t>& bytes, size_t pos);

// Writes primitives into a byte vector, for hand-made files.
struct Bytes {
    std::vector<uint8_t> data;
    Bytes& raw(const std::string& s);
    Bytes& byte(uint8_t v);
    Bytes& word(uint16_t v);
    Bytes& dword(uint32_t v);
    Bytes& dbl(double v);
    Bytes& str(const std::string& s);  // short strings only
    Bytes& newClass(const std::string& name, uint16_t schema);
};
