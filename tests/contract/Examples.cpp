#include "contract/Examples.h"

#include <iterator>
#include <sstream>

#include "calc/Arithmetic.h"
#include "geometry/CAffichage.h"
#include "geometry/CCercle.h"
#include "geometry/CDroite.h"
#include "geometry/CGrapheSuiteRec.h"
#include "geometry/CIntersection.h"
#include "geometry/CPointLie.h"
#include "geometry/CPolygone.h"
#include "geometry/CRepere.h"
#include "geometry/CSurface.h"
#include "geometry/CTransformation.h"
#include "loci/CLieuDeBase.h"
#include "loci/CLieuDiscretDeBase.h"
#include "loci/CLieuObjetAncetre.h"
#include "loci/CSurfaceLieu.h"
#include "macros/CMacroKinds.h"
#include "measures/CMesure.h"
#include "values/CCalcConst.h"
#include "values/CCalcul.h"
#include "values/CDerivee.h"
#include "values/CFonc.h"
#include "values/CSolutionEquation.h"
#include "values/CSuiteRec.h"
#include "values/CVariable.h"

using Num = CValeurAssocieeAVariable;

ContractFigure::ContractFigure() {
    doc.newFigure();
    doc.windowSize = {800, 600};
}

namespace {

template <class T>
T* named(T* object, const std::string& name) {
    object->setName(name);
    return object;
}

// Ancestors the examples share.
CPointBase* point(ContractFigure& f, double x, double y, const char* name) {
    return named(f.make<CPointBase>(nat::pointLibre, x, y), name);
}
CSegment* segment(ContractFigure& f, CPointAncetre* a, CPointAncetre* b) {
    return f.make<CSegment>(nat::segment, a, b);
}
CDroiteAB* line(ContractFigure& f, CPointAncetre* a, CPointAncetre* b) {
    return f.make<CDroiteAB>(nat::droite, a, b);
}
CCercleOA* circle(ContractFigure& f, CPointAncetre* o, CPointAncetre* a) {
    auto* c = f.make<CCercleOA>(nat::cercle, o, a);
    return named(c, "c" + std::to_string(f.list().count()));
}
CVariableBornee* variable(ContractFigure& f, const std::string& name, double value) {
    return f.make<CVariableBornee>(nat::variable, name, value, 0.0, 10.0, 0.5, "0", "10", "0.5");
}
CFonc* function(ContractFigure& f, const std::string& name, const std::string& formula) {
    auto fn = std::make_unique<CFonc>(name, formula, "x");
    fn->rebuildTree(f.list());
    return f.add(nat::fonction, std::move(fn));
}
// The frame (O, I, J) with its two axes.
CRepere* frame(ContractFigure& f) {
    auto* o = point(f, 300, 300, "O");
    auto* i = point(f, 400, 300, "I");
    auto* j = point(f, 300, 200, "J");
    return f.make<CRepere>(nat::repere, o, i, j, line(f, o, i), line(f, o, j), Num(0.0), Num(0.0));
}
// A length between two points of its own, made the figure's unit length.
void unitLength(ContractFigure& f) {
    f.list().unitLength =
        f.make<CLongueur>(nat::mesure, &f.list(), point(f, 600, 400, "U"), point(f, 650, 400, "V"));
}

// --- The examples ----------------------------------------------------------------------------

using Build = std::function<void(ContractFigure&)>;

template <class T>
Example example(Build build) {
    return Example{T::staticClass()->className, std::move(build)};
}

// Free points A, B and O, in this order; declared parents unless `declared` is false.
std::vector<CPointAncetre*> points(ContractFigure& f, int n, bool declared = true) {
    static const double xy[3][2] = {{100, 100}, {300, 160}, {100, 300}};
    static const char* const names[3] = {"A", "B", "O"};
    std::vector<CPointAncetre*> p;
    for (int i = 0; i < n; ++i) {
        p.push_back(point(f, xy[i][0], xy[i][1], names[i]));
        if (declared) f.parent(p.back());
    }
    return p;
}

// T(A, more), T(A, B, more) or T(A, O, B, more).
template <class T, int N, class... More>
Example onPoints(Nature n, More... more) {
    return example<T>([=](ContractFigure& f) {
        auto p = points(f, N);
        if constexpr (N == 1)
            f.object<T>(n, p[0], more...);
        else if constexpr (N == 2)
            f.object<T>(n, p[0], p[1], more...);
        else
            f.object<T>(n, p[0], p[2], p[1], more...);
    });
}

// T(parent, more), the parent made by `make`.
template <class T, class Make, class... More>
Example on(Nature n, Make make, More... more) {
    return example<T>([=](ContractFigure& f) { f.object<T>(n, f.parent(make(f)), more...); });
}

CDroiteAB* aLine(ContractFigure& f) {
    return line(f, point(f, 100, 200, "A"), point(f, 400, 250, "B"));
}
CCercleOA* aCircle(ContractFigure& f) {
    return circle(f, point(f, 200, 200, "O"), point(f, 300, 200, "R"));
}
CSegment* aSegment(ContractFigure& f) {
    return segment(f, point(f, 100, 300, "A"), point(f, 500, 300, "B"));
}
CPolygone* aTriangle(ContractFigure& f) {
    return f.make<CPolygone>(nat::polygone, points(f, 3, false));
}
CLigneBrisee* aBrokenLine(ContractFigure& f) {
    return f.make<CLigneBrisee>(nat::ligneBrisee, points(f, 3, false));
}

// T(P, d): a point and a line.
template <class T>
Example onPointAndLine(Nature n) {
    return example<T>([=](ContractFigure& f) {
        auto* p = f.parent(point(f, 200, 50, "P"));
        f.object<T>(n, p, f.parent(aLine(f)));
    });
}

// The image of what `make` gives by the translation of vector UV.
template <class T, class Make>
Example image(Nature n, Make make) {
    return example<T>([=](ContractFigure& f) {
        auto* a = f.parent(make(f));
        f.object<T>(n, a,
                    f.parent(f.make<CTranslation>(nat::transformation, point(f, 20, 20, "U"),
                                                  point(f, 70, 40, "V"))));
    });
}

// T(frame, M).
template <class T>
Example inFrame(Nature n) {
    return example<T>([=](ContractFigure& f) {
        auto* r = f.parent(frame(f));
        f.object<T>(n, r, f.parent(point(f, 450, 150, "M")));
    });
}

// T(name, z) for the complex calculation z = -3+4i.
template <class T>
Example ofComplex(const char* name) {
    return example<T>([=](ContractFigure& f) {
        auto z = std::make_unique<CCalculComplexe>("z", "-3+4*i");
        z->rebuildTree(f.list());
        f.object<T>(nat::valeurNumerique, name, f.parent(f.add(nat::calculComplexe, std::move(z))));
    });
}

// A segment [AB] with a point M linked to it: the generator of the loci.
CPointLieDroite* linkedPoint(ContractFigure& f) {
    return named(f.make<CPointLieDroite>(nat::pointLie, aSegment(f), 0.3), "M");
}

// What the loci trace: the midpoint of a generator and C, or a point moved along [AB] by k.
CPointAncetre* traced(ContractFigure& f, CPointAncetre* generator) {
    return named(f.make<CMilieu>(nat::pointConstruit, generator, point(f, 300, 100, "C")), "P");
}
CPointAncetre* traced(ContractFigure& f, CVariableBornee* k) {
    return named(f.make<CPointParAbscisse>(nat::pointConstruit, point(f, 100, 300, "A"),
                                           point(f, 500, 300, "B"), Num(k)),
                 "P");
}

// The loci: T(list, traced, generator, more), traced by the generator.
template <class T, class Generator, class... More>
Example locus(Generator* (*generator)(ContractFigure&), Nature n, More... more) {
    return example<T>([=](ContractFigure& f) {
        Generator* g = f.parent(generator(f));
        auto* p = f.parent(traced(f, g));
        f.object<T>(n, &f.list(), p, g, more...);
    });
}
CVariableBornee* variableK(ContractFigure& f) {
    return variable(f, "k", 0.5);
}

// A locus of points, for the surfaces bounded by loci.
CLieuDePoints* aLocus(ContractFigure& f) {
    CPointLieDroite* m = linkedPoint(f);
    return named(f.make<CLieuDePoints>(nat::lieuPoints, &f.list(), traced(f, m), m, 40, false),
                 "L");
}

// Formulas read against the figure.
template <class T>
T* formula(ContractFigure& f, Nature n, std::unique_ptr<T> value) {
    value->rebuildTree(f.list());
    return f.add(n, std::move(value));
}
CFoncComplexe* functionG(ContractFigure& f) {
    return formula(f, nat::fonctionComplexe, std::make_unique<CFoncComplexe>("g", "z*i", "z"));
}

// --- Macros ----------------------------------------------------------------------------------

// A macro of kind M, its button at (400, 50); the subject when `subject`.
template <class M>
M* aMacro(ContractFigure& f, const char* title, bool subject = false) {
    auto* m = f.make<M>(nat::macro, &f.list(), title, subject ? "Bouton d'essai" : "", 400.0,
                        subject ? 50.0 : 20.0 * f.list().count());
    if (subject) f.subject = m;
    return m;
}

// The macro lists `objects`, each under the nature of its figure entry.
void listing(ContractFigure& f, CMacroAvecListe* m, std::initializer_list<CElementBase*> objects) {
    for (CElementBase* o : objects) {
        m->addObject(*f.list().entryOf(o));
        f.listed.push_back(f.parent(o));
    }
}

// A second point linked to the segment of `m`, for the macro that moves one onto the other.
CPointLieDroite* linkedPointBeside(ContractFigure& f, CPointLieDroite* m) {
    return named(f.make<CPointLieDroite>(nat::pointLie, m->line, 0.8), "P");
}

// A macro of kind M on the variable a.
template <class M>
Example onVariable(const char* title) {
    return example<M>([=](ContractFigure& f) {
        auto* a = f.parent(variable(f, "a", 1));
        aMacro<M>(f, title, true)->variable = a;
    });
}

std::vector<Example> macroExamples() {
    return {
        example<CMacroApparition>([](ContractFigure& f) {
            auto* s = aSegment(f);
            auto* c = aCircle(f);
            auto* m = aMacro<CMacroApparition>(f, "Montrer", true);
            m->oneByOne = true;
            listing(f, m, {s, c});
        }),
        example<CMacroDisparition>([](ContractFigure& f) {
            auto* p = point(f, 50, 50, "Q");
            listing(f, aMacro<CMacroDisparition>(f, "Cacher", true), {p});
        }),
        example<CMacroTraceAuto>([](ContractFigure& f) {
            auto* m = f.parent(linkedPoint(f));
            auto* p = traced(f, m);
            auto* t = aMacro<CMacroTraceAuto>(f, "Trace", true);
            t->n = 50, t->f = 10, t->linkedPoint = m;
            listing(f, t, {p});
        }),
        example<CMacroTraceAutoParVariable>([](ContractFigure& f) {
            auto* k = f.parent(variableK(f));
            auto* p = traced(f, k);
            auto* t = aMacro<CMacroTraceAutoParVariable>(f, "TraceVar", true);
            t->n = 20, t->f = 5, t->variable = k;
            listing(f, t, {p});
        }),
        example<CMacroAnimationPointLie>([](ContractFigure& f) {
            auto* m = f.parent(linkedPoint(f));
            auto* a = aMacro<CMacroAnimationPointLie>(f, "Anim", true);
            a->cyclic = true, a->f = 10, a->n = 100, a->d = 25, a->linkedPoint = m;
        }),
        example<CMacroAnimationAvecTrace>([](ContractFigure& f) {
            auto* m = f.parent(linkedPoint(f));
            auto* p = traced(f, m);
            auto* a = aMacro<CMacroAnimationAvecTrace>(f, "AnimTrace", true);
            a->oneCycle = true, a->eraseTraces = true, a->f = 15, a->n = 30, a->linkedPoint = m;
            listing(f, a, {p});
        }),
        example<CMacroSuiteMacros>([](ContractFigure& f) {
            auto* show = aMacro<CMacroAffichantTout>(f, "Tout");
            auto* pause = aMacro<CMacroPause>(f, "Pause");
            listing(f, aMacro<CMacroSuiteMacros>(f, "Suite", true), {show, pause});
        }),
        example<CMacroAffectationValeurVariable>([](ContractFigure& f) {
            auto* a = f.parent(variable(f, "a", 1));
            auto* b = f.parent(variable(f, "b", 3));
            auto* m = aMacro<CMacroAffectationValeurVariable>(f, "Affecter", true);
            m->variable = a;
            m->value.setReference(b);
        }),
        onVariable<CMacroIncrementationVariable>("Plus"),
        onVariable<CMacroDecrementationVariable>("Moins"),
        example<CMacroJouantSon>([](ContractFigure& f) {
            auto* m = aMacro<CMacroJouantSon>(f, "Son", true);
            m->path = "C:\\sons\\gong é.wav";
            m->asynchronous = true;
        }),
        example<CMacroClignotement>([](ContractFigure& f) {
            auto* c = aCircle(f);
            auto* m = aMacro<CMacroClignotement>(f, "Clignoter", true);
            m->d = 30;
            listing(f, m, {c});
        }),
        example<CMacroAffichantTout>(
            [](ContractFigure& f) { aMacro<CMacroAffichantTout>(f, "Tout", true); }),
        example<CMacroPause>(
            [](ContractFigure& f) { aMacro<CMacroPause>(f, "Pause", true)->seconds = 2; }),
        example<CMacroModificationVariable>([](ContractFigure& f) {
            auto* v = f.parent(variable(f, "v", 1));
            auto* top = f.parent(variable(f, "m", 20));
            auto* m = aMacro<CMacroModificationVariable>(f, "Modifier", true);
            m->minimum.setNumber(-1), m->step.setNumber(0.5), m->value.setNumber(4);
            m->maximum.setReference(top);
            m->variable = v;
        }),
        example<CMacroBoucleAvecAnimation>([](ContractFigure& f) {
            auto* k = f.parent(variableK(f));
            auto* before = f.parent(aMacro<CMacroAffichantTout>(f, "Tout"));
            auto* b = variable(f, "b", 3);
            auto* atEnd = f.parent(aMacro<CMacroIncrementationVariable>(f, "Plus"));
            atEnd->variable = b;
            auto* m = aMacro<CMacroBoucleAvecAnimation>(f, "Boucle", true);
            m->loop.visible = false, m->loop.f = 20;
            m->loop.variable = k, m->loop.before = before, m->loop.atEnd = atEnd;
        }),
        example<CMacroBoucleAvecTrace>([](ContractFigure& f) {
            auto* k = f.parent(variableK(f));
            auto* p = traced(f, k);
            auto* atEnd = f.parent(aMacro<CMacroPause>(f, "Pause"));
            auto* m = aMacro<CMacroBoucleAvecTrace>(f, "BoucleTrace", true);
            m->loop.f = 7, m->loop.variable = k, m->loop.atEnd = atEnd;
            listing(f, m, {p});
        }),
        example<CMacroAffectationPointLie>([](ContractFigure& f) {
            auto* m = f.parent(linkedPoint(f));
            auto* p = f.parent(linkedPointBeside(f, m));
            auto* a = aMacro<CMacroAffectationPointLie>(f, "Placer", true);
            a->moved = m, a->target = p;
        }),
    };
}

std::vector<Example> buildExamples() {
    std::vector<Example> ex = {
        // Points.
        example<CPointBase>([](ContractFigure& f) {
            f.object<CPointBase>(nat::pointLibre, 120.0, 80.0, 3, 2)->mobile = false;
        }),
        onPoints<CMilieu, 2>(nat::pointConstruit),
        onPoints<CCentreGravite, 3>(nat::pointConstruit),
        onPointAndLine<CPointProjete>(nat::pointConstruit),
        example<CBarycentre>([](ContractFigure& f) {
            auto p = points(f, 2);
            auto bar = std::make_unique<CBarycentre>(int8_t{1});
            bar->addNode(p[0], Num(1.5));
            bar->addNode(p[1], Num(f.parent(variable(f, "k", 2))));
            f.subject = f.add(nat::barycentre, std::move(bar));
        }),
        example<CPointParAbscisse>([](ContractFigure& f) {
            auto p = points(f, 2);
            Num t;
            t.setNumberWithText(0.25, "1/4");
            f.object<CPointParAbscisse>(nat::pointConstruit, p[0], p[1], t);
        }),

        // Straight lines.
        onPoints<CDroiteAB, 2>(nat::droite, 4, 1),
        onPoints<CSegment, 2>(nat::segment, 2, 2),
        onPoints<CVecteur, 2>(nat::vecteur, 2),
        onPoints<CDemiDroiteOA, 2>(nat::demiDroite),
        onPointAndLine<CDroiteParallele>(nat::droite),
        onPointAndLine<CDroitePerpendiculaire>(nat::droite),
        onPoints<CMediatrice, 2>(nat::droite),
        onPoints<CBissectrice, 3>(nat::droite),
        onPoints<CDroiteDirectionFixe, 1>(nat::droite, false, 10.0),
        on<CMarqueSegment>(nat::marqueSegment, aSegment, 3, 5, 1),

        // Circles, arcs and angle marks.
        onPoints<CCercleOA, 2>(nat::cercle, 9, 3),
        example<CCercleOR>([](ContractFigure& f) {
            unitLength(f);
            auto* o = f.parent(point(f, 200, 200, "O"));
            auto* r = f.parent(variable(f, "r", 3));
            f.object<CCercleOR>(nat::cercle, o, Num(r), &f.list());
        }),
        example<CGrandArcDeCercle>([](ContractFigure& f) {
            auto p = points(f, 2);
            auto* t = f.parent(variable(f, "t", 2));
            f.object<CGrandArcDeCercle>(nat::arc, p[0], p[1], CValeurAngle(t));
        }),
        onPoints<CArcDeCercleDirect, 2>(nat::arc, CValeurAngle(1.0)),
        onPoints<CArcDeCercleIndirect, 2>(nat::arc, CValeurAngle(0.5)),
        on<CMarqueAngleDroit>(
            nat::marqueAngle,
            [](ContractFigure& f) {
                return f.make<CDroitePerpendiculaire>(nat::droite, point(f, 200, 50, "P"),
                                                      aLine(f));
            },
            25.0),
        example<CArcDeCercle>([](ContractFigure& f) {
            auto p = points(f, 3);
            f.object<CArcDeCercle>(nat::arc, p[0], p[1], p[2]);
        }),
        onPoints<CMarqueAngleGeometrique, 3>(nat::marqueAngle, 30.0),
        onPoints<CMarqueAngleOriente, 3>(nat::marqueAngle, 30.0, 1),
        onPoints<CMarqueAngleOrienteDirecte, 3>(nat::marqueAngle, 30.0, 2),
        onPoints<CMarqueAngleOrienteIndirecte, 3>(nat::marqueAngle, 30.0, 3),

        // Intersections.
        example<CIntDroiteCercle>([](ContractFigure& f) {
            auto* d = f.parent(line(f, point(f, 100, 200, "A"), point(f, 400, 200, "B")));
            auto* c = f.parent(circle(f, point(f, 250, 200, "O"), point(f, 250, 300, "R")));
            f.object<CIntDroiteCercle>(nat::bipoint, d, c);
        }),
        example<CIntCercleCercle>([](ContractFigure& f) {
            auto* c1 = f.parent(aCircle(f));
            auto* c2 = f.parent(circle(f, point(f, 300, 250, "Q"), point(f, 300, 350, "S")));
            f.object<CIntCercleCercle>(nat::bipoint, c1, c2);
        }),
        on<CPointLieBipoint>(
            nat::pointConstruit,
            [](ContractFigure& f) {
                return f.make<CIntDroiteCercle>(
                    nat::bipoint, line(f, point(f, 100, 200, "A"), point(f, 400, 200, "B")),
                    circle(f, point(f, 250, 200, "O"), point(f, 250, 300, "R")));
            },
            2),
        example<CIntDroiteDroite>([](ContractFigure& f) {
            auto* d1 = f.parent(line(f, point(f, 100, 100, "A"), point(f, 400, 300, "B")));
            auto* d2 = f.parent(segment(f, point(f, 100, 300, "C"), point(f, 400, 100, "D")));
            f.object<CIntDroiteDroite>(nat::pointConstruit, d1, d2);
        }),
        example<CAutrePointIntersectionCercles>([](ContractFigure& f) {
            auto* a = f.parent(point(f, 250, 100, "A"));
            auto* c1 = f.parent(circle(f, point(f, 200, 200, "O"), a));
            auto* c2 = f.parent(circle(f, point(f, 320, 220, "Q"), a));
            f.object<CAutrePointIntersectionCercles>(nat::pointConstruit, c1, c2, a);
        }),
        example<CAutrePointIntersectionDroiteCercle>([](ContractFigure& f) {
            auto* a = f.parent(point(f, 250, 100, "A"));
            auto* c = f.parent(circle(f, point(f, 200, 200, "O"), a));
            auto* d = f.parent(line(f, a, point(f, 260, 400, "B")));
            f.object<CAutrePointIntersectionDroiteCercle>(nat::pointConstruit, c, d, a);
        }),

        // Linked points.
        on<CPointLieDroite>(nat::pointLie, aSegment, 0.4),
        example<CPointLieCercle>([](ContractFigure& f) {
            f.object<CPointLieCercle>(nat::pointLie, f.parent(aCircle(f)), 2.0)->mobile = false;
        }),
        onPoints<CPointLiePoint, 1>(nat::pointLie),
        on<CPointLieLigne>(nat::pointLie, aBrokenLine, 0.7),

        // Transformations and images.
        example<CHomothetie>([](ContractFigure& f) {
            auto* o = f.parent(point(f, 200, 200, "O"));
            f.object<CHomothetie>(nat::transformation, o, Num(f.parent(variable(f, "k", 2))));
        }),
        onPoints<CSymetrieCentrale, 1>(nat::transformation),
        example<CRotation>([](ContractFigure& f) {
            auto* o = f.parent(point(f, 200, 200, "O"));
            f.object<CRotation>(nat::transformation, o,
                                CValeurAngle(f.parent(variable(f, "t", 1))));
        }),
        example<CSimilitude>([](ContractFigure& f) {
            auto* o = f.parent(point(f, 200, 200, "O"));
            f.object<CSimilitude>(nat::transformation, o, CValeurAngle(0.5),
                                  Num(f.parent(variable(f, "k", 2))));
        }),
        on<CSymetrieAxiale>(nat::transformation, aLine),
        onPoints<CTranslation, 2>(nat::transformation),
        example<CInversion>([](ContractFigure& f) {
            unitLength(f);
            auto* o = f.parent(point(f, 200, 200, "O"));
            f.object<CInversion>(nat::transformation, o, Num(2.0), &f.list());
        }),
        image<CPointImage>(nat::pointConstruit,
                           [](ContractFigure& f) { return point(f, 200, 200, "P"); }),
        image<CDroiteImage>(nat::droite, aLine),
        image<CDemiDroiteImage>(nat::demiDroite,
                                [](ContractFigure& f) {
                                    return f.make<CDemiDroiteOA>(nat::demiDroite,
                                                                 point(f, 100, 200, "A"),
                                                                 point(f, 400, 250, "B"));
                                }),
        image<CCercleImage>(nat::cercle, aCircle),
        image<CArcDeCercleImage>(nat::arc,
                                 [](ContractFigure& f) {
                                     return f.make<CArcDeCercle>(nat::arc, point(f, 200, 200, "O"),
                                                                 point(f, 300, 200, "A"),
                                                                 CValeurAngle(1.5));
                                 }),

        // Frame and the objects defined in it.
        example<CRepere>([](ContractFigure& f) {
            auto p = points(f, 3);
            auto* x = f.parent(line(f, p[2], p[0]));
            auto* y = f.parent(line(f, p[2], p[1]));
            auto* a = f.parent(variable(f, "a", 1));
            f.object<CRepere>(nat::repere, p[2], p[0], p[1], x, y, Num(a), Num(-2.0), true, false,
                              true);
        }),
        example<CPointDansRepere>([](ContractFigure& f) {
            auto* r = f.parent(frame(f));
            auto* x = f.parent(variable(f, "x", 1.5));
            f.object<CPointDansRepere>(nat::pointDansRepere, r, Num(x), Num(-0.5));
        }),
        example<CPointParAffixe>([](ContractFigure& f) {
            auto* r = f.parent(frame(f));
            auto* z = f.parent(
                formula(f, nat::calculComplexe, std::make_unique<CCalculComplexe>("z", "1+2*i")));
            f.object<CPointParAffixe>(nat::pointParAffixe, r, CValeurAssocieeComp(z));
        }),
        example<CPointBaseEnt>([](ContractFigure& f) {
            auto* e = f.object<CPointBaseEnt>(nat::pointAutre, f.parent(frame(f)), 2.0, -1.0);
            e->abscissaFree = false;
            e->abscissaMin = -7;
            e->abscissaMax = 9;
        }),
        example<CDroiteOm>([](ContractFigure& f) {
            auto* r = f.parent(frame(f));
            auto* a = f.parent(point(f, 350, 250, "A"));
            f.object<CDroiteOm>(nat::droite, r, a, Num(f.parent(variable(f, "m", 0.5))));
        }),

        // Displays.
        example<CValeurAffichee>([](ContractFigure& f) {
            auto* a = f.parent(variable(f, "a", 1.25));
            auto* v = f.object<CValeurAffichee>(
                nat::valeurAffichee, a, f.parent(point(f, 100, 100, "P")), 0.0, 0.0, "x=", " u", 2);
            v->framed = true;
            v->fontIndex = 4;
        }),
        example<CCommentaire>([](ContractFigure& f) {
            f.parent(variable(f, "a", 1.25));
            auto* p = f.parent(point(f, 100, 100, "P"));
            f.object<CCommentaire>(nat::commentaire, "a vaut #Val(a)", &f.list(), p, 3.0, 4.0)
                ->opaque = true;
        }),
        example<CImage>([](ContractFigure& f) {
            auto* p = f.parent(point(f, 100, 100, "P"));
            f.object<CImage>(nat::image, "/x/y.bmp", "y.bmp", &f.list(), p, 5.0, 6.0);
        }),

        // Polygons and broken lines.
        example<CPolygone>([](ContractFigure& f) {
            auto p = points(f, 3);
            f.object<CPolygone>(nat::polygone, std::vector<CPointAncetre*>{p[0], p[1], p[2], p[0]},
                                7, 2);
        }),
        example<CLigneBrisee>(
            [](ContractFigure& f) { f.object<CLigneBrisee>(nat::ligneBrisee, points(f, 3)); }),

        // Surfaces, half-planes and duplicated objects.
        example<CSurfaceRemplie>([](ContractFigure& f) {
            auto* o = f.parent(point(f, 250, 250, "O"));
            auto* c = f.parent(circle(f, point(f, 200, 200, "Q"), point(f, 400, 200, "R")));
            auto* d = f.parent(line(f, point(f, 100, 300, "A"), point(f, 400, 310, "B")));
            f.object<CSurfaceRemplie>(nat::surface, o, std::vector<CElementGraphique*>{c, d},
                                      &f.list(), 4, 6);
        }),
        on<CSurfacePolygone>(nat::surface, aTriangle, 2, 6),
        on<CSurfaceDisque>(nat::surface, aCircle, 1, 3),
        on<CSurfaceSecteurCirculaire>(
            nat::surface,
            [](ContractFigure& f) {
                return f.make<CArcDeCercleDirect>(nat::arc, point(f, 200, 200, "O"),
                                                  point(f, 300, 200, "A"), point(f, 200, 100, "B"));
            },
            2, 4),
        example<CDemiPlan>([](ContractFigure& f) {
            auto* d = f.parent(aLine(f));
            f.object<CDemiPlan>(nat::demiPlan, d, f.parent(point(f, 200, 50, "M")), 3, 5);
        }),
        on<CObjetDuplique>(nat::objetDuplique, aCircle),
        on<CSurfaceLieu>(nat::surface, aLocus, 1, 2),
        example<CSurfaceLieuDroite>([](ContractFigure& f) {
            auto* l = f.parent(aLocus(f));
            auto* d = f.parent(line(f, point(f, 100, 400, "D"), point(f, 400, 420, "E")));
            f.object<CSurfaceLieuDroite>(nat::surface, l, d, 1, 2);
        }),
        example<CSurfaceDeuxLieux>([](ContractFigure& f) {
            auto* l1 = f.parent(aLocus(f));
            f.object<CSurfaceDeuxLieux>(nat::surface, l1, f.parent(aLocus(f)), 1, 2);
        }),
        example<CSurfaceLieuDeuxPoints>([](ContractFigure& f) {
            auto* l = f.parent(aLocus(f));
            auto* a = f.parent(point(f, 100, 400, "D"));
            auto* b = f.parent(point(f, 400, 420, "E"));
            f.object<CSurfaceLieuDeuxPoints>(nat::surface, l, a, b, 1, 2);
        }),

        // Loci.
        locus<CLieuDePoints>(linkedPoint, nat::lieuPoints, 40, false),
        locus<CLieuParVariable>(variableK, nat::lieuPoints, 30, true),
        locus<CLieuDiscretParPointLie>(linkedPoint, nat::lieuDiscret, 2, 12),
        locus<CLieuDiscretParVariable>(variableK, nat::lieuDiscret, 1, 8),
        example<CLieuObjetParPtLie>([](ContractFigure& f) {
            CPointLieDroite* m = f.parent(linkedPoint(f));
            auto* s = f.parent(segment(f, m, point(f, 300, 100, "C")));
            f.object<CLieuObjetParPtLie>(nat::lieuObjets, &f.list(), s, m, 6);
        }),
        example<CLieuObjetParVariable>([](ContractFigure& f) {
            auto* k = f.parent(variableK(f));
            auto* s = f.parent(segment(f, traced(f, k), point(f, 300, 100, "C")));
            f.object<CLieuObjetParVariable>(nat::lieuObjets, &f.list(), s, k, 5);
        }),

        // Values. The formulas use every kind of tree node between them.
        example<CVariable>([](ContractFigure& f) { f.object<CVariable>(nat::variable, "v"); }),
        example<CVariableBornee>([](ContractFigure& f) {
            f.object<CVariableBornee>(nat::variable, "k", 2.5, -1.0, 4.0, 0.5, "-1", "4", "0.5");
        }),
        example<CCalcul>([](ContractFigure& f) {
            f.parent(variable(f, "a", 2));
            f.parent(function(f, "f", "x/2+1"));
            f.subject = formula(f, nat::calcul,
                                std::make_unique<CCalcul>("c", "-abs(a)^3+f(a)*2/4+(1<>pi)"));
        }),
        example<CCalculComplexe>([](ContractFigure& f) {
            f.parent(variable(f, "a", 2));
            f.parent(functionG(f));
            f.parent(
                formula(f, nat::calculComplexe, std::make_unique<CCalculComplexe>("z", "1+2*i")));
            f.subject =
                formula(f, nat::calculComplexe, std::make_unique<CCalculComplexe>("w", "g(z)+a=a"));
        }),
        example<CCalcConst>([](ContractFigure& f) {
            auto* c = formula(f, nat::calcul, std::make_unique<CCalcConst>("e", "2.5"));
            c->computeNow();
            f.subject = c;
        }),
        example<CFonc>([](ContractFigure& f) {
            f.parent(variable(f, "a", 2));
            f.subject = function(f, "f", "a*x²-int(x)");
        }),
        example<CFoncComplexe>([](ContractFigure& f) {
            f.parent(variable(f, "a", 2));
            f.subject = formula(f, nat::fonctionComplexe,
                                std::make_unique<CFoncComplexe>("g", "conj(z)*i-z^2+a", "z"));
        }),
        example<CDerivee>([](ContractFigure& f) {
            f.object<CDerivee>(nat::fonction, "df", f.parent(function(f, "f", "x^3")), f.list());
        }),
        example<CSuiteRec>([](ContractFigure& f) {
            auto* fn = f.parent(function(f, "f", "x/2+1"));
            auto* a = f.parent(variable(f, "a", 1));
            f.object<CSuiteRec>(nat::suiteRec, "u", fn, 7, Num(a));
        }),
        example<CSuiteRecComplexe>([](ContractFigure& f) {
            auto* g = f.parent(functionG(f));
            f.object<CSuiteRecComplexe>(nat::suiteRecComplexe, "w", g, 9,
                                        CValeurAssocieeComp(Complexe{1, 2}));
        }),
        example<CGrapheSuiteRec>([](ContractFigure& f) {
            auto* fn = function(f, "f", "x/2+1");
            auto* u = f.parent(f.make<CSuiteRec>(nat::suiteRec, "u", fn, 7, Num(0.5)));
            f.object<CGrapheSuiteRec>(nat::grapheSuite, u, f.parent(frame(f)), true, 3, 2);
        }),
        example<CGrapheSuiteRecComplexe>([](ContractFigure& f) {
            auto* g = functionG(f);
            auto* w = f.parent(f.make<CSuiteRecComplexe>(nat::suiteRecComplexe, "w", g, 4,
                                                         CValeurAssocieeComp(Complexe{1, 0})));
            f.object<CGrapheSuiteRecComplexe>(nat::grapheSuiteComplexe, w, f.parent(frame(f)), true,
                                              5, 4, 1);
        }),
        example<CSolutionEquation>([](ContractFigure& f) {
            auto* fn = f.parent(function(f, "f", "x^2-2"));
            auto* b = f.parent(variable(f, "b", 2));
            f.object<CSolutionEquation>(nat::valeurNumerique, "s", fn, Num(0.0), Num(b),
                                        Num(0.001));
        }),
        example<CIntegrale>([](ContractFigure& f) {
            auto* fn = f.parent(function(f, "f", "x^2-2"));
            auto* a = f.parent(variable(f, "a", 1));
            f.object<CIntegrale>(nat::valeurNumerique, "I", fn, Num(a), Num(3.0), 17);
        }),

        // Measures.
        example<CLongueur>([](ContractFigure& f) {
            unitLength(f);
            auto p = points(f, 2);
            f.object<CLongueur>(nat::mesure, &f.list(), p[0], p[1]);
        }),
        onPoints<CMesureAngleGeometrique, 3>(nat::mesure),
        onPoints<CMesureAngleOriente, 3>(nat::mesure),
        example<CMesureAbscisse>([](ContractFigure& f) {
            auto* o = f.parent(point(f, 100, 100, "O"));
            auto* i = f.parent(point(f, 200, 100, "I"));
            f.object<CMesureAbscisse>(nat::mesure, o, i, f.parent(point(f, 350, 100, "M")));
        }),
        inFrame<CMesureX>(nat::mesure),
        inFrame<CMesureY>(nat::mesure),
        inFrame<CMesureAffixe>(nat::mesureAffixe),
        example<CMesureAire>([](ContractFigure& f) {
            unitLength(f);
            f.object<CMesureAire>(nat::mesure, "s", &f.list(), f.parent(aTriangle(f)));
        }),
        example<CMesureLongueurLigne>([](ContractFigure& f) {
            unitLength(f);
            f.object<CMesureLongueurLigne>(nat::mesure, "l", &f.list(), f.parent(aBrokenLine(f)));
        }),
        ofComplex<CPartieReelle>("re"),
        ofComplex<CPartieImaginaire>("im"),
        ofComplex<CArgument>("ar"),
        ofComplex<CModule>("mo"),
    };

    // The existence test takes any object.
    Example test = example<CTestExistence>([](ContractFigure& f) {
        auto* d1 = line(f, point(f, 100, 100, "A"), point(f, 400, 300, "B"));
        auto* d2 = line(f, point(f, 100, 300, "C"), point(f, 400, 100, "D"));
        f.object<CTestExistence>(nat::calcul, "t",
                                 f.parent(f.make<CIntDroiteDroite>(nat::pointConstruit, d1, d2)));
    });
    test.anyClassSlot = true;
    ex.push_back(test);
    for (Example& m : macroExamples()) ex.push_back(std::move(m));
    return ex;
}

}  // namespace

const std::vector<Example>& examples() {
    static const std::vector<Example> all = buildExamples();
    return all;
}

const std::vector<std::string>& baseClassesNeverInFiles() {
    static const std::vector<std::string> bases = [] {
        std::istringstream names(
            "CElementBase CElementGraphique CPointAncetre CPointAncetrePointsMobiles CPointLie "
            "CElementLigne CDroite CDemiDroite CCercle CArcDeCercleAncetre CMarqueAngleAncetre "
            "CBipoint CTransformation CLignePolygonaleAncetre CAffichageLieAPoint CSurfaceAncetre "
            "CSurface CValeurDynamique CCalculAncetre CLieuDeBase CLieuDiscretDeBase "
            "CLieuObjetAncetre");
        return std::vector<std::string>(std::istream_iterator<std::string>(names), {});
    }();
    return bases;
}
