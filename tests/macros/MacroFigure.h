// A figure with every macro kind.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "geometry/CDroite.h"
#include "geometry/CPointLie.h"
#include "geometry/GeoFigure.h"
#include "macros/CMacroKinds.h"
#include "values/CVariable.h"

// Built in `list` (after whatever it already holds, such as the constant pi).
struct MacroFigure {
    CListeAction& list;
    CPointBase *a = nullptr, *b = nullptr;
    CSegment* seg = nullptr;
    CPointLieDroite *m = nullptr, *p = nullptr;
    CVariableBornee* v = nullptr;
    std::vector<CMacro*> macros;

    explicit MacroFigure(CListeAction& l) : list(l) {
        a = make<CPointBase>(nat::pointLibre, 100, 100);
        a->setName("A");
        b = make<CPointBase>(nat::pointLibre, 300, 100);
        b->setName("B");
        seg = make<CSegment>(nat::segment, a, b);
        m = make<CPointLieDroite>(nat::pointLie, seg, 0.25);
        m->setName("M");
        p = make<CPointLieDroite>(nat::pointLie, seg, 0.75);
        p->setName("P");
        v = make<CVariableBornee>(nat::variable, "a", 2, 0, 10, 1, "0", "10", "1");
    }

    template <class T, class... Args>
    T* make(Nature nature, Args&&... args) {
        T* raw = appendEntry(list, nature, std::make_unique<T>(std::forward<Args>(args)...));
        raw->computePosition();
        return raw;
    }
    template <class T>
    T* macro(const std::string& title, const std::string& comment = "") {
        T* mac = make<T>(nat::macro, &list, title, comment, 400.0, 50.0 + 20 * macros.size());
        macros.push_back(mac);
        return mac;
    }

    // One macro of every kind, each using the objects its kind can use.
    void addEveryKind() {
        auto* app = macro<CMacroApparition>("Montrer", "Fait apparaître le segment puis M");
        app->addObject(nat::segment, seg);
        app->addObject(nat::pointLie, m);
        auto* dis = macro<CMacroDisparition>("Cacher");
        dis->addObject(nat::pointLie, m);
        auto* ta = macro<CMacroTraceAuto>("Trace");
        ta->linkedPoint = m;
        ta->addObject(nat::segment, seg);
        auto* tv = macro<CMacroTraceAutoParVariable>("TraceVar");
        tv->variable = v;
        tv->addObject(nat::pointLie, p);
        macro<CMacroAnimationPointLie>("Anim")->linkedPoint = m;
        auto* at = macro<CMacroAnimationAvecTrace>("AnimTrace");
        at->linkedPoint = p;
        at->addObject(nat::segment, seg);
        auto* su = macro<CMacroSuiteMacros>("Suite");
        su->addObject(nat::macro, app);
        su->addObject(nat::macro, dis);
        auto* af = macro<CMacroAffectationValeurVariable>("Affecter");
        af->variable = v;
        macro<CMacroIncrementationVariable>("Plus")->variable = v;
        macro<CMacroDecrementationVariable>("Moins")->variable = v;
        macro<CMacroJouantSon>("Son");
        macro<CMacroClignotement>("Clignoter")->addObject(nat::pointLibre, a);
        macro<CMacroAffichantTout>("Tout");
        macro<CMacroPause>("Pause");
        auto* mo = macro<CMacroModificationVariable>("Modifier");
        mo->minimum.setNumber(-1), mo->maximum.setNumber(20), mo->step.setNumber(0.5);
        mo->value.setNumber(4);
        mo->variable = v;
        auto* ba = macro<CMacroBoucleAvecAnimation>("Boucle");
        ba->loop.variable = v, ba->loop.before = af, ba->loop.atEnd = macros[8];
        auto* bt = macro<CMacroBoucleAvecTrace>("BoucleTrace");
        bt->loop.variable = v, bt->loop.atEnd = tv;
        bt->addObject(nat::segment, seg);
        auto* ap = macro<CMacroAffectationPointLie>("Placer");
        ap->moved = m, ap->target = p;
        for (CMacro* mac : macros) mac->computePosition();
    }
};
