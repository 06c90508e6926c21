// Tools that build from a dialog alone, opened as the tool is chosen: curves of functions and
// graphs of recurrent sequences. A curve of a function is no object of its own but an ordinary
// construction built in one go: a point linked to the x-axis (or to a segment or half-line of
// it), the measure of its abscissa, two calculations, the point of the curve and its locus.
#pragma once

#include <string>
#include <vector>

#include "view/COutil.h"
#include "view/COutilsModificationParametres.h"

class CDroite;
class CFonc;
class CPelvantiDoc;
class CRepere;
class CVariableBornee;

enum class CurveDomain { all, segment, from, upTo };

struct CurveRequest {
    CRepere* frame = nullptr;
    CFonc* function = nullptr;
    std::string generatorName, abscissaName, imageName;
    int pointCount = 200;
    bool hideGenerator = false, hidePoint = false;
};

// Appends the construction on `support`; false (nothing left of it) when the curve is not
// visible and the user refuses it.
bool buildFunctionCurve(CPelvantiDoc& doc, CDroite* support, const CurveRequest& r);

// The frame a new object refers to: the only one of the figure, or the one chosen; null on
// Cancel or without a frame.
CRepere* chooseFrame(const CListeAction& list);
// The same for the bounded variable that generates a locus or a trace; `title` names the list.
CVariableBornee* chooseVariable(const CListeAction& list, const std::string& title);

// The dialog opens as the tool is chosen; the figure changed is recorded under undoLabel(),
// then the program returns to the capture tool.
class COutilParDialogue : public COutil {
public:
    bool activate(CPelvantiView* view) override;

protected:
    // The dialog and the build; true when the figure changed.
    virtual bool run(CPelvantiDoc& doc) = 0;
};

struct CurveToolDesc {
    int command;
    const char* text;  // under Créer/Courbe de fonction
    CurveDomain domain;
    int promptId;
};
const std::vector<CurveToolDesc>& curveToolTable();

class COutilCourbeFonction : public COutilParDialogue {
public:
    explicit COutilCourbeFonction(const CurveToolDesc& d) : desc_(d) {}

    std::string prompt(int step) const override;
    bool isAvailable() override;
    std::string undoLabel() const override { return "Créer courbe de fonction"; }
    int promptId() const override { return desc_.promptId; }

protected:
    bool run(CPelvantiDoc& doc) override;

private:
    CurveToolDesc desc_;
};

// Graph of a real sequence (staircase or cobweb) or of a complex one in a frame.
class COutilGrapheSuite : public COutilParDialogue {
public:
    explicit COutilGrapheSuite(bool complex) : complex_(complex) {}

    std::string prompt(int step) const override;
    bool isAvailable() override;
    std::string undoLabel() const override;
    int promptId() const override;

protected:
    bool run(CPelvantiDoc& doc) override;

private:
    bool complex_;
};

// Lines back to the axes of a real sequence's graph, or the joined terms of a complex one.
class COutilModificationGrapheSuite : public COutilModificationParametres {
public:
    using COutilModificationParametres::COutilModificationParametres;

protected:
    bool isEligible(CElementBase* e) const override;
    bool edit(CListeAction& list, CElementBase* e) override;
};

const std::vector<ParamModifyDesc>& sequenceGraphModifyToolTable();
