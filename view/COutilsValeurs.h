// Tools whose objects carry typed values (radius, abscissa, angle, weights, frame origin) and
// the unit length.
#pragma once

#include <string>
#include <vector>

#include "values/CValeurAssocieeAVariable.h"
#include "view/COutilsConstruction.h"

// Reads a typed number or the name of a value of the figure into `out`; an empty text shows
// `emptyMessage`, anything else that is not a number nor a value name "Erreur de syntaxe".
bool readValue(const CListeAction& list, std::string text, CValeurAssocieeAVariable& out,
               int emptyMessage);

// Arc by angle: centre, origin, then the end follows the mouse until the click.
class COutilArcParAngle : public COutilTroisPoints {
public:
    using COutilTroisPoints::COutilTroisPoints;
    bool designate(CPelvantiView* view) override;
};

class COutilFrame : public COutilTroisPoints {
public:
    using COutilTroisPoints::COutilTroisPoints;

protected:
    bool build(CPelvantiDoc* doc) override;
};

class COutilUnitLength : public COutilDeuxPoints {
public:
    using COutilDeuxPoints::COutilDeuxPoints;
    bool isAvailable() override;

protected:
    bool build(CPelvantiDoc* doc) override;

private:
    bool replace_ = false;
};

class COutilCreationBarycentre : public COutilDesigne {
public:
    using COutilDesigne::COutilDesigne;
    bool designate(CPelvantiView* view) override;
    void onRightClick(CPelvantiView* view) override;
    void deactivate(CPelvantiView* view) override;

protected:
    bool build(CPelvantiDoc* doc) override;

private:
    std::vector<CValeurAssocieeAVariable> weights_;
};

const std::vector<ToolDesc>& valueToolTable();
