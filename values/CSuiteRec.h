// Recurrent sequences u(n+1) = f(u(n)), real and complex, and their graphs in a frame: the
// cobweb diagram of a real sequence and the terms of a complex sequence as points.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "calc/Complexe.h"
#include "geometry/CDroite.h"
#include "values/CCalcul.h"
#include "values/CValeurAssocieeAVariable.h"
#include "values/CValeurAssocieeComp.h"

class CFonc;
class CFoncComplexe;
class CRepere;

class CSuiteRec : public CCalculAncetre {
    DECLARE_SERIAL(CSuiteRec)
public:
    static constexpr int kMinTerms = 2;
    static constexpr int kMaxTerms = 500;

    CSuiteRec() = default;
    CSuiteRec(std::string name, CFonc* f, int termCount, const CValeurAssocieeAVariable& first);

    CFonc* f = nullptr;
    int termCount = kMinTerms;  // N
    CValeurAssocieeAVariable first;
    int lastIndex = 0;  // index of the last term computed
    std::vector<double> terms;

    DECLARE_REFS();

    // Changes N and reallocates the terms (N is kept within 2..500).
    void setTermCount(int n);

    int getValueKind() const override { return kind::suiteRec; }
    double evaluateFunctionAt(double k) override;
    void computePosition() override;
    void copyStateFrom(const CElementBase& src) override;
    bool coincidesWith(const CElementBase* other) const override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;
    std::string getDescription() const override;
    void rebuildFromText(CListeAction* list) override;
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;

protected:
    std::string describe(const char* eol, bool oneLine) const;
    virtual std::string kindText() const { return "Suite récurrente "; }
    virtual std::string firstTermText() const { return first.getText(12); }
    virtual std::string functionName() const;
};

class CSuiteRecComplexe : public CCalculAncetre {
    DECLARE_SERIAL(CSuiteRecComplexe)
public:
    CSuiteRecComplexe() = default;
    CSuiteRecComplexe(std::string name, CFoncComplexe* f, int termCount,
                      const CValeurAssocieeComp& first);

    CFoncComplexe* f = nullptr;
    int termCount = CSuiteRec::kMinTerms;
    CValeurAssocieeComp first;
    int lastIndex = 0;
    std::vector<Complexe> terms;

    DECLARE_REFS();

    void setTermCount(int n);

    int getValueKind() const override { return kind::suiteRecComplexe; }
    Complexe evaluateFunctionComplexAt(Complexe k) override;
    void computePosition() override;
    void copyStateFrom(const CElementBase& src) override;
    bool coincidesWith(const CElementBase* other) const override;
    std::string getConstructionInfo(CElementBase** a, CElementBase** b,
                                    CElementBase** c) const override;
    std::string getDescription() const override;
    void rebuildFromText(CListeAction* list) override;
    void Serialize(CArchive& ar) override;

private:
    std::string describe(const char* eol, bool oneLine) const;
};

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
