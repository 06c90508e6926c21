// The large figure of the file benchmarks: cells of five objects (two free points, their
// midpoint, the segment and the circle centred on the first point through the second).
#pragma once

#include <memory>

#include "core/CListeAction.h"
#include "document/CPelvantiDoc.h"
#include "geometry/CCercle.h"
#include "geometry/CDroite.h"
#include "geometry/CPointAncetre.h"

inline void buildCells(CPelvantiDoc& doc, int objects) {
    CListeAction& list = doc.list();
    for (int cell = 0; cell < objects / 5; ++cell) {
        double y = 10.0 * (cell % 500);
        auto* a = new CPointBase(10.0 + cell % 7, y);
        auto* b = new CPointBase(60.0 + cell % 11, y + 5);
        list.append(new CAction(nat::pointLibre, std::unique_ptr<CElementBase>(a)));
        list.append(new CAction(nat::pointLibre, std::unique_ptr<CElementBase>(b)));
        list.append(new CAction(nat::pointConstruit, std::make_unique<CMilieu>(a, b)));
        list.append(new CAction(nat::segment, std::make_unique<CSegment>(a, b)));
        list.append(new CAction(nat::cercle, std::make_unique<CCercleOA>(a, b)));
    }
    doc.rebuildGraphicList();
    list.computeAll();
}
