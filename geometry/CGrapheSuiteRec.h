// Graphs of recurrent sequences in a frame: the cobweb diagram of a real sequence and the terms
// of a complex sequence as points.
#pragma once

#include <memory>
#include <vector>

#include "geometry/CDroite.h"
#include "values/CSuiteRec.h"

class CRepere;

// Cobweb (staircase) diagram of a real sequence in a frame.
class CGrapheSuiteRec : public CElementLigne {
    DECLARE_SERIAL(CGrapheSuiteRec)
public:
    CGrapheSuiteRec() = default;
    CGrapheSuiteRec(CSuiteRec* sequence, CRepere* frame, bool withAxisLines, int8_t colour = 1,
                    int lineStyle = 0)
        : CElementLigne(colour, lineStyle),
          sequence(sequence),
          frame(frame),
          withAxisLines(withAxisLines) {}

    CSuiteRec* sequence = nullptr;
    CRepere* frame = nullptr;
    bool withAxisLines = false;

    DECLARE_REFS();

    struct Piece {
        double x1, y1, x2, y2;  // frame coordinates
    };
    // The segments of the diagram, in drawing order.
    std::vector<Piece> pieces() const;

    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    void computePosition() override;
    void draw(CDC* dc, bool hideMasked) override;
    void erase(CDC* dc, bool hideMasked) override;
    bool coincidesWith(const CElementBase* other) const override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;
    std::string getDisplayName() const override;
    int designationDistance(int mx, int my, bool hideMasked) override;
    int designationDistanceForLinking(int mx, int my, bool hideMasked) override;

private:
    void paint(CDC* dc, bool eraseMode, bool hideMasked);
};

// Terms of a complex sequence as points of the plane, marked or joined.
class CGrapheSuiteRecComplexe : public CElementLigne {
    DECLARE_SERIAL(CGrapheSuiteRecComplexe)
public:
    CGrapheSuiteRecComplexe() = default;
    CGrapheSuiteRecComplexe(CSuiteRecComplexe* sequence, CRepere* frame, bool joined, int pointMark,
                            int8_t colour = 1, int lineStyle = 0)
        : CElementLigne(colour, lineStyle),
          pointMark(static_cast<uint8_t>(pointMark)),
          joined(joined),
          sequence(sequence),
          frame(frame) {}

    uint8_t pointMark = 0;
    bool joined = false;
    CSuiteRecComplexe* sequence = nullptr;
    CRepere* frame = nullptr;

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void computePosition() override;
    void draw(CDC* dc, bool hideMasked) override;
    void erase(CDC* dc, bool hideMasked) override;
    bool coincidesWith(const CElementBase* other) const override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;
    std::string getDisplayName() const override;
    int designationDistance(int mx, int my, bool hideMasked) override;
    int designationDistanceForLinking(int mx, int my, bool hideMasked) override;

private:
    void paint(CDC* dc, bool eraseMode, bool hideMasked);
};
