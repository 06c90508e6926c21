// Tools whose objects carry typed values (radius, abscissa, angle, weights, frame origin) and
// the unit length.
#pragma once

#include <string>
#include <vector>

#include "values/CValeurAssocieeAVariable.h"
#include "view/COutilsConstruction.h"

// Reads the name of a value defined before list index `limitIndex` (the list's count when
// negative: a new object) or a formula of constants such as pi/2 into `out`. A refusal (an
// empty text shows `emptyMessage`) is shown to the user.
bool readValue(const CListeAction& list, std::string text, CValeurAssocieeAVariable& out,
               int emptyMessage, int limitIndex = -1);

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
