#include "contract/Examples.h"

#include "calc/Arithmetic.h"
#include "calc/CCalculBase.h"
#include "core/CArchive.h"
#include "geometry/CAffichage.h"
#include "geometry/CCercle.h"
#include "geometry/CDroite.h"
#include "geometry/CIntersection.h"
#include "geometry/CPointLie.h"
#include "geometry/CPolygone.h"
#include "geometry/CRepere.h"
#include "geometry/CSurface.h"
#include "geometry/CTransformation.h"
#include "loci/CLieuDeBase.h"
#include "loci/CLieuDiscretDeBase.h"
#include "loci/CLieuObjetAncetre.h"
#include "values/CCalcConst.h"
#include "values/CCalcul.h"
#include "values/CDerivee.h"
#include "values/CFonc.h"
#include "values/CMesure.h"
#include "values/CSolutionEquation.h"
#include "values/CSuiteRec.h"
#include "values/CVariable.h"

using Bytes = std::vector<uint8_t>;
using Num = CValeurAssocieeAVariable;

ContractFigure::ContractFigure() {
    doc.newFigure();
    doc.windowSize = {800, 600};
}

CPointBase* ContractFigure::point(double x, double y, const std::string& name) {
    auto* p = make<CPointBase>(nat::pointLibre, x, y);
    p->setName(name);
    return p;
}

CSegment* ContractFigure::segment(CPointAncetre* a, CPointAncetre* b) {
    return make<CSegment>(nat::segment, a, b);
}

CDroiteAB* ContractFigure::line(CPointAncetre* a, CPointAncetre* b) {
    return make<CDroiteAB>(nat::droite, a, b);
}

CCercleOA* ContractFigure::circle(CPointAncetre* o, CPointAncetre* a) {
    auto* c = make<CCercleOA>(nat::cercle, o, a);
    c->setName("c" + std::to_string(list().count()));
    return c;
}

CVariableBornee* ContractFigure::variable(const std::string& name, double value) {
    return make<CVariableBornee>(nat::variable, name, value, 0.0, 10.0, 0.5, "0", "10", "0.5");
}

CFonc* ContractFigure::function(const std::string& name, const std::string& formula) {
    auto f = std::make_unique<CFonc>(name, formula, "x");
    f->rebuildTree(list());
    return add(nat::fonction, std::move(f));
}

CRepere* ContractFigure::frame() {
    auto* o = point(300, 300, "O");
    auto* i = point(400, 300, "I");
    auto* j = point(300, 200, "J");
    return make<CRepere>(nat::repere, o, i, j, line(o, i), line(o, j), Num(0.0), Num(0.0));
}

void ContractFigure::unitLength() {
    list().unitLength =
        make<CLongueur>(nat::mesure, &list(), point(600, 400, "U"), point(650, 400, "V"));
}

std::vector<uint8_t> fieldsOf(CObject& object, CListeAction& list, bool earliest) {
    Bytes bytes;
    CArchive ar(CArchive::store, bytes);
    if (earliest) ar.setFormat(CArchive::Format::earliest);
    ar.setCurrentList(&list);
    object.Serialize(ar);
    return bytes;
}

namespace {

template <class T>
T* as(CElementBase* e) {
    return static_cast<T*>(e);
}

// --- Older layouts ---------------------------------------------------------------------------

// Removes the text that a parameter value writes after its number and reference, `from` bytes
// before the end of the value's text.
void dropValueText(Bytes& b, const Num& v, size_t after = 0) {
    const size_t len = 1 + (v.reference ? 0 : v.text.size());
    b.erase(b.end() - static_cast<long>(after + len), b.end() - static_cast<long>(after));
}

// A count written as a dword ending `after` bytes before the end becomes a word.
void countAsWord(Bytes& b, size_t after) {
    b.erase(b.end() - static_cast<long>(after + 2), b.end() - static_cast<long>(after));
}

// The earliest layout of a value's name: a length byte and four characters.
void fixedName(Bytes& out, const std::string& name) {
    out.push_back(static_cast<uint8_t>(name.size()));
    for (size_t i = 0; i < 4; ++i) out.push_back(i < name.size() ? name[i] : 0);
}

// Expression trees of the earliest format: a word tag per node, then its fields.
void writeEarliestTree(CArchive& ar, const CCalculBase* n) {
    if (!n) {
        ar.writeWord(0);
    } else if (auto* c = dynamic_cast<const CConstante*>(n)) {
        ar.writeWord(1301);
        ar.writeDouble(c->value);
    } else if (auto* r = dynamic_cast<const CResultatValeur*>(n)) {
        ar.writeWord(1302);
        ar.writeReference(r->value);
    } else if (auto* o = dynamic_cast<const COperation*>(n)) {
        ar.writeWord(1303);
        ar.writeByte(static_cast<uint8_t>(o->op));
        writeEarliestTree(ar, o->left.get());
        writeEarliestTree(ar, o->right.get());
    } else if (auto* f = dynamic_cast<const CFonction*>(n)) {
        ar.writeWord(1304);
        ar.writeByte(static_cast<uint8_t>(f->code));
        writeEarliestTree(ar, f->argument.get());
    } else if (auto* p = dynamic_cast<const CPuissance*>(n)) {
        ar.writeWord(1305);
        writeEarliestTree(ar, p->base.get());
        writeEarliestTree(ar, p->exponent.get());
    } else if (dynamic_cast<const CVariableFormelle*>(n)) {
        ar.writeWord(1306);
    } else if (auto* a = dynamic_cast<const CAppelFonction*>(n)) {
        ar.writeWord(1307);
        ar.writeReference(a->function);
        writeEarliestTree(ar, a->argument.get());
    }
}

// A calculation of the earliest format: exists, fixed name, formula text, tree.
EarliestLayout formulaLayout(bool function) {
    return [function](ContractFigure& f, Bytes& b) {
        auto* c = as<CCalcul>(f.subject);
        b.clear();
        CArchive ar(CArchive::store, b);
        ar.setFormat(CArchive::Format::earliest);
        ar.setCurrentList(&f.list());
        if (function) ar.writeString(as<CFonc>(f.subject)->formalVariable);
        ar.writeByte(c->exists ? 1 : 0);
        Bytes name;
        fixedName(name, c->name);
        ar.writeBytes(name.data(), name.size());
        ar.writeString(c->formula);
        writeEarliestTree(ar, c->tree.get());
    };
}

// Object lists of the earliest format: a word count, then each node after its word tag.
template <class Node, class WriteNode>
void earliestNodes(ContractFigure& f, Bytes& b, const std::vector<std::unique_ptr<Node>>& nodes,
                   uint16_t tag, WriteNode writeNode) {
    Bytes current;
    {
        CArchive ar(CArchive::store, current);
        ar.setFormat(CArchive::Format::earliest);
        ar.setCurrentList(&f.list());
        ar.writeCount(static_cast<uint32_t>(nodes.size()));
        for (const auto& n : nodes) ar.writeObject(n.get());
    }
    b.resize(b.size() - current.size());
    CArchive ar(CArchive::store, b);
    ar.setFormat(CArchive::Format::earliest);
    ar.setCurrentList(&f.list());
    ar.writeWord(static_cast<uint16_t>(nodes.size()));
    for (const auto& n : nodes) {
        ar.writeWord(tag);
        writeNode(ar, *n);
    }
}

// Transformations of the earliest format: the ratio has no text.
void ratioLayout(ContractFigure& f, Bytes& b) {
    dropValueText(b, as<CHomothetie>(f.subject)->k);
}

void locusLayout(ContractFigure&, Bytes& b) {
    countAsWord(b, 1 + 2);  // the count before `closed` and the generator
}

// --- The examples ----------------------------------------------------------------------------

// Two free points A and B, declared parents.
std::pair<CPointBase*, CPointBase*> twoParents(ContractFigure& f) {
    return {f.parent(f.point(100, 100, "A")), f.parent(f.point(300, 160, "B"))};
}

// A segment [AB] with a point M linked to it: the generator of the loci.
CPointLieDroite* linkedPoint(ContractFigure& f) {
    auto* s = f.segment(f.point(100, 300, "A"), f.point(500, 300, "B"));
    auto* m = f.make<CPointLieDroite>(nat::pointLie, s, 0.3);
    m->setName("M");
    return m;
}

// The midpoint of the generator and a fixed point: what the point loci trace.
CMilieu* traced(ContractFigure& f, CPointAncetre* generator) {
    auto* p = f.make<CMilieu>(nat::pointConstruit, generator, f.point(300, 100, "C"));
    p->setName("P");
    return p;
}

// A point moved along [AB] by the variable k: what the loci by variable trace.
CPointParAbscisse* tracedByVariable(ContractFigure& f, CVariableBornee* k) {
    auto* p = f.make<CPointParAbscisse>(nat::pointConstruit, f.point(100, 300, "A"),
                                        f.point(500, 300, "B"), Num(k));
    p->setName("P");
    return p;
}

CLieuDePoints* pointLocus(ContractFigure& f, bool declareParents) {
    CPointLieDroite* m = linkedPoint(f);
    CMilieu* p = traced(f, m);
    if (declareParents) {
        f.parent(p);
        f.parent(m);
    }
    auto l = std::make_unique<CLieuDePoints>(&f.list(), p, m, 40, false);
    l->setName("L");
    return f.add(nat::lieuPoints, std::move(l));
}

std::vector<Example> buildExamples() {
    std::vector<Example> ex;
    auto add = [&ex](std::string cls, std::function<void(ContractFigure&)> build,
                     EarliestLayout earliest = nullptr) {
        ex.push_back({std::move(cls), std::move(build), std::move(earliest), "", {}, false, {}});
        return &ex.back();
    };

    // Points.
    add("CPointBase", [](ContractFigure& f) {
        f.object<CPointBase>(nat::pointLibre, 120.0, 80.0, 3, 2)->setName("A");
    });
    add("CMilieu", [](ContractFigure& f) {
        auto [a, b] = twoParents(f);
        f.object<CMilieu>(nat::pointConstruit, a, b)->setName("M");
    });
    add("CCentreGravite", [](ContractFigure& f) {
        auto [a, b] = twoParents(f);
        auto* c = f.parent(f.point(200, 300, "C"));
        f.object<CCentreGravite>(nat::pointConstruit, a, b, c)->setName("G");
    });
    add("CPointProjete", [](ContractFigure& f) {
        auto* p = f.parent(f.point(200, 50, "P"));
        auto* d = f.parent(f.line(f.point(100, 200, "A"), f.point(400, 250, "B")));
        f.object<CPointProjete>(nat::pointConstruit, p, d)->setName("H");
    });
    add(
        "CBarycentre",
        [](ContractFigure& f) {
            auto [a, b] = twoParents(f);
            auto* k = f.parent(f.variable("k", 2));
            auto bar = std::make_unique<CBarycentre>(int8_t{1});
            bar->addNode(a, Num(1.5));
            bar->addNode(b, Num(k));
            bar->setName("G");
            f.subject = f.add(nat::barycentre, std::move(bar));
        },
        [](ContractFigure& f, Bytes& b) {
            earliestNodes(f, b, as<CBarycentre>(f.subject)->nodes, 1015,
                          [](CArchive& ar, const CNoeudPondere& n) {
                              ar.writeDouble(n.weight.constant);
                              ar.writeReference(n.weight.reference);
                              ar.writeReference(n.point);
                          });
        });
    add(
        "CPointParAbscisse",
        [](ContractFigure& f) {
            auto [a, b] = twoParents(f);
            f.object<CPointParAbscisse>(nat::pointConstruit, a, b, Num(0.25))->setName("P");
        },
        [](ContractFigure& f, Bytes& b) { dropValueText(b, as<CPointParAbscisse>(f.subject)->t); });

    // Straight lines.
    add("CDroiteAB", [](ContractFigure& f) {
        auto [a, b] = twoParents(f);
        f.object<CDroiteAB>(nat::droite, a, b, 4, 1)->setName("d");
    });
    add("CSegment", [](ContractFigure& f) {
        auto [a, b] = twoParents(f);
        f.object<CSegment>(nat::segment, a, b, 2, 2);
    });
    add("CVecteur", [](ContractFigure& f) {
        auto [a, b] = twoParents(f);
        f.object<CVecteur>(nat::vecteur, a, b, 2);
    });
    add("CDemiDroiteOA", [](ContractFigure& f) {
        auto [a, b] = twoParents(f);
        f.object<CDemiDroiteOA>(nat::demiDroite, a, b);
    });
    for (const char* cls : {"CDroiteParallele", "CDroitePerpendiculaire"}) {
        add(cls, [cls](ContractFigure& f) {
            auto* p = f.parent(f.point(200, 50, "P"));
            auto* d = f.parent(f.line(f.point(100, 200, "A"), f.point(400, 250, "B")));
            if (std::string(cls) == "CDroiteParallele")
                f.object<CDroiteParallele>(nat::droite, p, d);
            else
                f.object<CDroitePerpendiculaire>(nat::droite, p, d);
        });
    }
    add("CMediatrice", [](ContractFigure& f) {
        auto [a, b] = twoParents(f);
        f.object<CMediatrice>(nat::droite, a, b);
    });
    add("CBissectrice", [](ContractFigure& f) {
        auto [a, b] = twoParents(f);
        auto* o = f.parent(f.point(100, 300, "O"));
        f.object<CBissectrice>(nat::droite, a, o, b);
    });
    add("CDroiteDirectionFixe", [](ContractFigure& f) {
        auto* a = f.parent(f.point(200, 200, "A"));
        f.object<CDroiteDirectionFixe>(nat::droite, a, false, 10.0);
    });
    add("CMarqueSegment", [](ContractFigure& f) {
        auto [a, b] = twoParents(f);
        auto* s = f.parent(f.segment(a, b));
        f.parents = {s};
        f.object<CMarqueSegment>(nat::marqueSegment, s, 3, 5, 1);
    });

    // Circles, arcs and angle marks.
    add("CCercleOA", [](ContractFigure& f) {
        auto [o, a] = twoParents(f);
        f.object<CCercleOA>(nat::cercle, o, a, 9, 3)->setName("c");
    });
    add(
        "CCercleOR",
        [](ContractFigure& f) {
            f.unitLength();
            auto* o = f.parent(f.point(200, 200, "O"));
            auto* r = f.parent(f.variable("r", 3));
            f.object<CCercleOR>(nat::cercle, o, Num(r), &f.list());
        },
        [](ContractFigure& f, Bytes& b) {
            dropValueText(b, as<CCercleOR>(f.subject)->radiusValue);
        });
    add("CArcDeCercle", [](ContractFigure& f) {
        auto [o, a] = twoParents(f);
        auto* e = f.parent(f.point(100, 300, "E"));
        f.object<CArcDeCercle>(nat::arc, o, a, e);
    })->earliestUnknown = "an arc to an end point is unknown to the earliest format";
    // The earliest arcs have no end point index before their angle (a double and a word).
    auto arcByAngle = [](ContractFigure&, Bytes& b) { b.erase(b.end() - 12, b.end() - 10); };
    add(
        "CGrandArcDeCercle",
        [](ContractFigure& f) {
            auto [o, a] = twoParents(f);
            auto* t = f.parent(f.variable("t", 2));
            f.object<CGrandArcDeCercle>(nat::arc, o, a, CValeurAngle(t));
        },
        arcByAngle);
    add(
        "CArcDeCercleDirect",
        [](ContractFigure& f) {
            auto [o, a] = twoParents(f);
            f.object<CArcDeCercleDirect>(nat::arc, o, a, CValeurAngle(1.0));
        },
        arcByAngle);
    add(
        "CArcDeCercleIndirect",
        [](ContractFigure& f) {
            auto [o, a] = twoParents(f);
            f.object<CArcDeCercleIndirect>(nat::arc, o, a, CValeurAngle(0.5));
        },
        arcByAngle);
    add("CMarqueAngleDroit", [](ContractFigure& f) {
        auto* d = f.line(f.point(100, 200, "A"), f.point(400, 250, "B"));
        auto* p = f.parent(f.make<CDroitePerpendiculaire>(nat::droite, f.point(200, 50, "P"), d));
        f.object<CMarqueAngleDroit>(nat::marqueAngle, p, 25.0);
    });
    add("CMarqueAngleGeometrique", [](ContractFigure& f) {
        auto [a, b] = twoParents(f);
        auto* o = f.parent(f.point(100, 300, "O"));
        f.object<CMarqueAngleGeometrique>(nat::marqueAngle, a, o, b, 30.0);
    });
    add("CMarqueAngleOriente", [](ContractFigure& f) {
        auto [a, b] = twoParents(f);
        auto* o = f.parent(f.point(100, 300, "O"));
        f.object<CMarqueAngleOriente>(nat::marqueAngle, a, o, b, 30.0, 1);
    });
    add("CMarqueAngleOrienteDirecte", [](ContractFigure& f) {
        auto [a, b] = twoParents(f);
        auto* o = f.parent(f.point(100, 300, "O"));
        f.object<CMarqueAngleOrienteDirecte>(nat::marqueAngle, a, o, b, 30.0, 2);
    });
    add("CMarqueAngleOrienteIndirecte", [](ContractFigure& f) {
        auto [a, b] = twoParents(f);
        auto* o = f.parent(f.point(100, 300, "O"));
        f.object<CMarqueAngleOrienteIndirecte>(nat::marqueAngle, a, o, b, 30.0, 3);
    });

    // Intersections.
    add("CIntDroiteCercle", [](ContractFigure& f) {
        auto* d = f.parent(f.line(f.point(100, 200, "A"), f.point(400, 200, "B")));
        auto* c = f.parent(f.circle(f.point(250, 200, "O"), f.point(250, 300, "R")));
        f.object<CIntDroiteCercle>(nat::bipoint, d, c);
    });
    add("CIntCercleCercle", [](ContractFigure& f) {
        auto* c1 = f.parent(f.circle(f.point(200, 200, "O"), f.point(300, 200, "R")));
        auto* c2 = f.parent(f.circle(f.point(300, 250, "Q"), f.point(300, 350, "S")));
        f.object<CIntCercleCercle>(nat::bipoint, c1, c2);
    });
    add("CPointLieBipoint", [](ContractFigure& f) {
        auto* d = f.line(f.point(100, 200, "A"), f.point(400, 200, "B"));
        auto* c = f.circle(f.point(250, 200, "O"), f.point(250, 300, "R"));
        auto* bp = f.parent(f.make<CIntDroiteCercle>(nat::bipoint, d, c));
        f.object<CPointLieBipoint>(nat::pointConstruit, bp, 2)->setName("I");
    });
    add("CIntDroiteDroite", [](ContractFigure& f) {
        auto* d1 = f.parent(f.line(f.point(100, 100, "A"), f.point(400, 300, "B")));
        auto* d2 = f.parent(f.segment(f.point(100, 300, "C"), f.point(400, 100, "D")));
        f.object<CIntDroiteDroite>(nat::pointConstruit, d1, d2)->setName("I");
    });
    add("CAutrePointIntersectionCercles", [](ContractFigure& f) {
        auto* a = f.parent(f.point(250, 100, "A"));
        auto* c1 = f.parent(f.circle(f.point(200, 200, "O"), a));
        auto* c2 = f.parent(f.circle(f.point(320, 220, "Q"), a));
        f.object<CAutrePointIntersectionCercles>(nat::pointConstruit, c1, c2, a);
    });
    add("CAutrePointIntersectionDroiteCercle", [](ContractFigure& f) {
        auto* a = f.parent(f.point(250, 100, "A"));
        auto* c = f.parent(f.circle(f.point(200, 200, "O"), a));
        auto* d = f.parent(f.line(a, f.point(260, 400, "B")));
        f.object<CAutrePointIntersectionDroiteCercle>(nat::pointConstruit, c, d, a);
    });

    // Linked points.
    add("CPointLieDroite", [](ContractFigure& f) {
        auto* s = f.parent(f.segment(f.point(100, 300, "A"), f.point(500, 300, "B")));
        f.object<CPointLieDroite>(nat::pointLie, s, 0.4)->setName("M");
    });
    add("CPointLieCercle", [](ContractFigure& f) {
        auto* c = f.parent(f.circle(f.point(200, 200, "O"), f.point(300, 200, "R")));
        f.object<CPointLieCercle>(nat::pointLie, c, 2.0)->mobile = false;
    });
    add("CPointLiePoint", [](ContractFigure& f) {
        auto* p = f.parent(f.point(200, 200, "P"));
        f.object<CPointLiePoint>(nat::pointLie, p);
    });
    add("CPointLieLigne", [](ContractFigure& f) {
        auto* l = f.parent(f.make<CLigneBrisee>(
            nat::ligneBrisee,
            std::vector<CPointAncetre*>{f.point(100, 100, "A"), f.point(300, 120, "B"),
                                        f.point(200, 300, "C")}));
        f.object<CPointLieLigne>(nat::pointLie, l, 0.7);
    });

    // Transformations and images.
    add(
        "CHomothetie",
        [](ContractFigure& f) {
            auto* o = f.parent(f.point(200, 200, "O"));
            auto* k = f.parent(f.variable("k", 2));
            f.object<CHomothetie>(nat::transformation, o, Num(k));
        },
        ratioLayout);
    add("CSymetrieCentrale", [](ContractFigure& f) {
        f.object<CSymetrieCentrale>(nat::transformation, f.parent(f.point(200, 200, "O")));
    });
    add("CRotation", [](ContractFigure& f) {
        auto* o = f.parent(f.point(200, 200, "O"));
        auto* t = f.parent(f.variable("t", 1));
        f.object<CRotation>(nat::transformation, o, CValeurAngle(t));
    });
    add("CSimilitude", [](ContractFigure& f) {
        auto* o = f.parent(f.point(200, 200, "O"));
        auto* k = f.parent(f.variable("k", 2));
        f.object<CSimilitude>(nat::transformation, o, CValeurAngle(0.5), Num(k));
    });
    add("CSymetrieAxiale", [](ContractFigure& f) {
        auto* d = f.parent(f.line(f.point(100, 200, "A"), f.point(400, 250, "B")));
        f.object<CSymetrieAxiale>(nat::transformation, d);
    });
    add("CTranslation", [](ContractFigure& f) {
        auto [a, b] = twoParents(f);
        f.object<CTranslation>(nat::transformation, a, b);
    });
    add("CInversion", [](ContractFigure& f) {
        f.unitLength();
        auto* o = f.parent(f.point(200, 200, "O"));
        f.object<CInversion>(nat::transformation, o, Num(2.0), &f.list());
    });
    // Images: the antecedent and a translation by (50, 20).
    auto translation = [](ContractFigure& f) {
        return f.parent(
            f.make<CTranslation>(nat::transformation, f.point(20, 20, "U"), f.point(70, 40, "V")));
    };
    add("CPointImage", [translation](ContractFigure& f) {
        auto* p = f.parent(f.point(200, 200, "P"));
        f.object<CPointImage>(nat::pointConstruit, p, translation(f))->setName("Q");
    });
    add("CDroiteImage", [translation](ContractFigure& f) {
        auto* d = f.parent(f.line(f.point(100, 200, "A"), f.point(400, 250, "B")));
        f.object<CDroiteImage>(nat::droite, d, translation(f));
    });
    add("CDemiDroiteImage", [translation](ContractFigure& f) {
        auto* d = f.parent(
            f.make<CDemiDroiteOA>(nat::demiDroite, f.point(100, 200, "A"), f.point(400, 250, "B")));
        f.object<CDemiDroiteImage>(nat::demiDroite, d, translation(f));
    });
    add("CCercleImage", [translation](ContractFigure& f) {
        auto* c = f.parent(f.circle(f.point(200, 200, "O"), f.point(300, 200, "R")));
        f.object<CCercleImage>(nat::cercle, c, translation(f));
    });
    add("CArcDeCercleImage", [translation](ContractFigure& f) {
        auto* arc = f.parent(f.make<CArcDeCercle>(nat::arc, f.point(200, 200, "O"),
                                                  f.point(300, 200, "A"), CValeurAngle(1.5)));
        f.object<CArcDeCercleImage>(nat::arc, arc, translation(f));
    });

    // Frame and the objects defined in it.
    add(
        "CRepere",
        [](ContractFigure& f) {
            auto* o = f.parent(f.point(300, 300, "O"));
            auto* i = f.parent(f.point(400, 300, "I"));
            auto* j = f.parent(f.point(300, 200, "J"));
            auto* x = f.parent(f.line(o, i));
            auto* y = f.parent(f.line(o, j));
            auto* a = f.parent(f.variable("a", 1));
            f.object<CRepere>(nat::repere, o, i, j, x, y, Num(a), Num(-2.0), true, false, true);
        },
        [](ContractFigure& f, Bytes& b) {
            auto* r = as<CRepere>(f.subject);
            dropValueText(b, r->b);
            dropValueText(b, r->a, 10);
            // The byte that schema 1 has before O, after the graphic header and the name.
            const size_t header = 1 + 3 + 5 + 16;
            b.insert(b.begin() + static_cast<long>(header), 0);
        })
        // The axes are references but not dependencies: deleting an axis leaves the frame.
        ->knownNotDependedOn = {3, 4};
    add(
        "CPointDansRepere",
        [](ContractFigure& f) {
            auto* r = f.parent(f.frame());
            auto* x = f.parent(f.variable("x", 1.5));
            f.object<CPointDansRepere>(nat::pointDansRepere, r, Num(x), Num(-0.5));
        },
        [](ContractFigure& f, Bytes& b) {
            auto* p = as<CPointDansRepere>(f.subject);
            dropValueText(b, p->yv);
            dropValueText(b, p->xv, 10);
        });
    add("CPointParAffixe", [](ContractFigure& f) {
        auto* r = f.parent(f.frame());
        auto z = std::make_unique<CCalculComplexe>("z", "1+2*i");
        z->rebuildTree(f.list());
        auto* zc = f.parent(f.add(nat::calculComplexe, std::move(z)));
        f.object<CPointParAffixe>(nat::pointParAffixe, r, CValeurAssocieeComp(zc));
    });
    add("CPointBaseEnt", [](ContractFigure& f) {
        f.object<CPointBaseEnt>(nat::pointAutre, f.parent(f.frame()), 2.0, -1.0)->setName("E");
    });
    add(
        "CDroiteOm",
        [](ContractFigure& f) {
            auto* r = f.parent(f.frame());
            auto* a = f.parent(f.point(350, 250, "A"));
            auto* m = f.parent(f.variable("m", 0.5));
            f.object<CDroiteOm>(nat::droite, r, a, Num(m));
        },
        [](ContractFigure& f, Bytes& b) { dropValueText(b, as<CDroiteOm>(f.subject)->m); });

    // Displays.
    add(
        "CValeurAffichee",
        [](ContractFigure& f) {
            auto* a = f.parent(f.variable("a", 1.25));
            auto* p = f.parent(f.point(100, 100, "P"));
            f.object<CValeurAffichee>(nat::valeurAffichee, a, p, 0.0, 0.0, "x=", " u", 2);
        },
        // No number of decimals of its own: the file's, read once before the list.
        [](ContractFigure&, Bytes& b) { b.erase(b.end() - 3); });
    add("CCommentaire", [](ContractFigure& f) {
        f.parent(f.variable("a", 1.25));
        auto* p = f.parent(f.point(100, 100, "P"));
        f.object<CCommentaire>(nat::commentaire, "a vaut #Val(a)", &f.list(), p, 3.0, 4.0);
    });
    add("CImage", [](ContractFigure& f) {
        auto* p = f.parent(f.point(100, 100, "P"));
        f.object<CImage>(nat::image, "/x/y.bmp", "y.bmp", &f.list(), p, 5.0, 6.0);
    });

    // Polygons and broken lines.
    auto vertexLayout = [](ContractFigure& f, Bytes& b) {
        earliestNodes(
            f, b, as<CLignePolygonaleAncetre>(f.subject)->vertices, 1051,
            [](CArchive& ar, const CNoeudPointeurSurPoint& n) { ar.writeReference(n.point); });
    };
    add(
        "CPolygone",
        [](ContractFigure& f) {
            auto [a, b] = twoParents(f);
            auto* c = f.parent(f.point(200, 300, "C"));
            f.object<CPolygone>(nat::polygone, std::vector<CPointAncetre*>{a, b, c, a}, 7, 2);
        },
        vertexLayout);
    add("CLigneBrisee", [](ContractFigure& f) {
        auto [a, b] = twoParents(f);
        auto* c = f.parent(f.point(200, 300, "C"));
        f.object<CLigneBrisee>(nat::ligneBrisee, std::vector<CPointAncetre*>{a, b, c});
    });

    // Surfaces, half-planes and duplicated objects.
    add("CSurfaceRemplie", [](ContractFigure& f) {
        auto* o = f.parent(f.point(250, 250, "O"));
        auto* c = f.parent(f.circle(f.point(200, 200, "Q"), f.point(400, 200, "R")));
        auto* d = f.parent(f.line(f.point(100, 300, "A"), f.point(400, 310, "B")));
        f.object<CSurfaceRemplie>(nat::surface, o, std::vector<CElementGraphique*>{c, d}, &f.list(),
                                  4, 6);
    });
    add("CSurfacePolygone", [](ContractFigure& f) {
        auto* p = f.parent(f.make<CPolygone>(
            nat::polygone,
            std::vector<CPointAncetre*>{f.point(100, 100, "A"), f.point(300, 120, "B"),
                                        f.point(200, 300, "C")}));
        f.object<CSurfacePolygone>(nat::surface, p, 2, 6);
    });
    add("CSurfaceDisque", [](ContractFigure& f) {
        auto* c = f.parent(f.circle(f.point(200, 200, "O"), f.point(300, 200, "R")));
        f.object<CSurfaceDisque>(nat::surface, c, 1, 3);
    });
    add("CSurfaceSecteurCirculaire", [](ContractFigure& f) {
        auto* arc = f.parent(f.make<CArcDeCercleDirect>(
            nat::arc, f.point(200, 200, "O"), f.point(300, 200, "A"), f.point(200, 100, "B")));
        f.object<CSurfaceSecteurCirculaire>(nat::surface, arc, 2, 4);
    });
    add("CDemiPlan", [](ContractFigure& f) {
        auto* d = f.parent(f.line(f.point(100, 200, "A"), f.point(400, 250, "B")));
        auto* m = f.parent(f.point(200, 50, "M"));
        f.object<CDemiPlan>(nat::demiPlan, d, m, 3, 5);
    });
    add("CObjetDuplique", [](ContractFigure& f) {
        auto* c = f.parent(f.circle(f.point(200, 200, "O"), f.point(300, 200, "R")));
        f.object<CObjetDuplique>(nat::objetDuplique, c);
    });
    add("CSurfaceLieu", [](ContractFigure& f) {
        auto* l = f.parent(pointLocus(f, false));
        f.object<CSurfaceLieu>(nat::surface, l, 1, 2);
    });
    add("CSurfaceLieuDroite", [](ContractFigure& f) {
        auto* l = f.parent(pointLocus(f, false));
        auto* d = f.parent(f.line(f.point(100, 400, "D"), f.point(400, 420, "E")));
        f.object<CSurfaceLieuDroite>(nat::surface, l, d, 1, 2);
    });
    add("CSurfaceDeuxLieux", [](ContractFigure& f) {
        auto* l1 = f.parent(pointLocus(f, false));
        auto* l2 = f.parent(pointLocus(f, false));
        f.object<CSurfaceDeuxLieux>(nat::surface, l1, l2, 1, 2);
    });
    add("CSurfaceLieuDeuxPoints", [](ContractFigure& f) {
        auto* l = f.parent(pointLocus(f, false));
        auto* a = f.parent(f.point(100, 400, "D"));
        auto* b = f.parent(f.point(400, 420, "E"));
        f.object<CSurfaceLieuDeuxPoints>(nat::surface, l, a, b, 1, 2);
    });

    // Loci.
    add(
        "CLieuDePoints",
        [](ContractFigure& f) {
            CLieuDePoints* l = pointLocus(f, true);
            f.subject = l;
        },
        locusLayout);
    add(
        "CLieuParVariable",
        [](ContractFigure& f) {
            auto* k = f.parent(f.variable("k", 0.5));
            auto* p = f.parent(tracedByVariable(f, k));
            f.object<CLieuParVariable>(nat::lieuPoints, &f.list(), p, k, 30, true);
        },
        locusLayout);
    add("CLieuDiscretParPointLie", [](ContractFigure& f) {
        CPointLieDroite* m = f.parent(linkedPoint(f));
        auto* p = f.parent(traced(f, m));
        f.object<CLieuDiscretParPointLie>(nat::lieuDiscret, &f.list(), p, m, 2, 12);
    });
    add("CLieuDiscretParVariable", [](ContractFigure& f) {
        auto* k = f.parent(f.variable("k", 0.5));
        auto* p = f.parent(tracedByVariable(f, k));
        f.object<CLieuDiscretParVariable>(nat::lieuDiscret, &f.list(), p, k, 1, 8);
    });
    add("CLieuObjetParPtLie", [](ContractFigure& f) {
        CPointLieDroite* m = f.parent(linkedPoint(f));
        auto* s = f.parent(f.segment(m, f.point(300, 100, "C")));
        f.object<CLieuObjetParPtLie>(nat::lieuObjets, &f.list(), s, m, 6);
    });
    add("CLieuObjetParVariable", [](ContractFigure& f) {
        auto* k = f.parent(f.variable("k", 0.5));
        auto* s = f.parent(f.segment(tracedByVariable(f, k), f.point(300, 100, "C")));
        f.object<CLieuObjetParVariable>(nat::lieuObjets, &f.list(), s, k, 5);
    });

    // Values.
    add("CVariable", [](ContractFigure& f) { f.object<CVariable>(nat::variable, "v"); });
    add(
        "CVariableBornee",
        [](ContractFigure& f) {
            f.object<CVariableBornee>(nat::variable, "k", 2.5, -1.0, 4.0, 0.5, "-1", "4", "0.5");
        },
        [](ContractFigure& f, Bytes& b) {
            auto* v = as<CVariableBornee>(f.subject);
            b = {1};
            fixedName(b, v->name);
            CArchive ar(CArchive::store, b);
            for (double d : {v->value, v->minimum, v->maximum, v->step}) ar.writeDouble(d);
        });
    add(
        "CCalcul",
        [](ContractFigure& f) {
            f.parent(f.variable("a", 2));
            auto c = std::make_unique<CCalcul>("c", "a*2+sin(a)^2");
            c->rebuildTree(f.list());
            f.subject = f.add(nat::calcul, std::move(c));
        },
        formulaLayout(false));
    add("CCalculComplexe", [](ContractFigure& f) {
        f.parent(f.variable("a", 2));
        auto c = std::make_unique<CCalculComplexe>("w", "a+2*i");
        c->rebuildTree(f.list());
        f.subject = f.add(nat::calculComplexe, std::move(c));
    });
    add(
        "CCalcConst",
        [](ContractFigure& f) {
            auto c = std::make_unique<CCalcConst>("e", "2.5");
            c->rebuildTree(f.list());
            c->computeNow();
            f.subject = f.add(nat::calcul, std::move(c));
        },
        formulaLayout(false));
    add(
        "CFonc",
        [](ContractFigure& f) {
            f.parent(f.variable("a", 2));
            f.subject = f.function("f", "a*x^2-1");
        },
        formulaLayout(true));
    add("CFoncComplexe", [](ContractFigure& f) {
        f.parent(f.variable("a", 2));
        auto g = std::make_unique<CFoncComplexe>("g", "z*i+a", "z");
        g->rebuildTree(f.list());
        f.subject = f.add(nat::fonctionComplexe, std::move(g));
    });
    add("CDerivee", [](ContractFigure& f) {
        auto* fn = f.parent(f.function("f", "x^3"));
        f.object<CDerivee>(nat::fonction, "df", fn, f.list());
    });
    add(
        "CSuiteRec",
        [](ContractFigure& f) {
            auto* fn = f.parent(f.function("f", "x/2+1"));
            auto* a = f.parent(f.variable("a", 1));
            f.object<CSuiteRec>(nat::suiteRec, "u", fn, 7, Num(a));
        },
        [](ContractFigure& f, Bytes& b) {
            auto* u = as<CSuiteRec>(f.subject);
            dropValueText(b, u->first, 2);
            Bytes out{b[0]};
            fixedName(out, u->name);
            out.insert(out.end(), b.begin() + 2 + static_cast<long>(u->name.size()), b.end());
            b = out;
        });
    add("CSuiteRecComplexe", [](ContractFigure& f) {
        auto g = std::make_unique<CFoncComplexe>("g", "z*i", "z");
        g->rebuildTree(f.list());
        auto* gp = f.parent(f.add(nat::fonctionComplexe, std::move(g)));
        f.object<CSuiteRecComplexe>(nat::suiteRecComplexe, "w", gp, 9,
                                    CValeurAssocieeComp(Complexe{1, 2}));
    });
    add("CGrapheSuiteRec", [](ContractFigure& f) {
        auto* fn = f.function("f", "x/2+1");
        auto* u = f.parent(f.make<CSuiteRec>(nat::suiteRec, "u", fn, 7, Num(0.5)));
        auto* r = f.parent(f.frame());
        f.object<CGrapheSuiteRec>(nat::grapheSuite, u, r, true, 3, 2);
    });
    add("CGrapheSuiteRecComplexe", [](ContractFigure& f) {
        auto g = std::make_unique<CFoncComplexe>("g", "z*i", "z");
        g->rebuildTree(f.list());
        auto* gp = f.add(nat::fonctionComplexe, std::move(g));
        auto* w = f.parent(f.make<CSuiteRecComplexe>(nat::suiteRecComplexe, "w", gp, 4,
                                                     CValeurAssocieeComp(Complexe{1, 0})));
        auto* r = f.parent(f.frame());
        f.object<CGrapheSuiteRecComplexe>(nat::grapheSuiteComplexe, w, r, true, 5, 4, 1);
    });
    add("CSolutionEquation", [](ContractFigure& f) {
        auto* fn = f.parent(f.function("f", "x^2-2"));
        auto* b = f.parent(f.variable("b", 2));
        f.object<CSolutionEquation>(nat::valeurNumerique, "s", fn, Num(0.0), Num(b), Num(0.001));
    });
    add("CIntegrale", [](ContractFigure& f) {
        auto* fn = f.parent(f.function("f", "x^2-2"));
        auto* a = f.parent(f.variable("a", 1));
        f.object<CIntegrale>(nat::valeurNumerique, "I", fn, Num(a), Num(3.0), 17);
    });
    add("CTestExistence", [](ContractFigure& f) {
        auto* d1 = f.line(f.point(100, 100, "A"), f.point(400, 300, "B"));
        auto* d2 = f.line(f.point(100, 300, "C"), f.point(400, 100, "D"));
        auto* i = f.parent(f.make<CIntDroiteDroite>(nat::pointConstruit, d1, d2));
        f.object<CTestExistence>(nat::calcul, "t", i);
    })->anyClassSlot = true;

    // Measures.
    add("CLongueur", [](ContractFigure& f) {
        f.unitLength();
        auto [a, b] = twoParents(f);
        f.object<CLongueur>(nat::mesure, &f.list(), a, b);
    });
    add("CMesureAngleGeometrique", [](ContractFigure& f) {
        auto [a, b] = twoParents(f);
        auto* o = f.parent(f.point(100, 300, "O"));
        f.object<CMesureAngleGeometrique>(nat::mesure, a, o, b);
    });
    add("CMesureAngleOriente", [](ContractFigure& f) {
        auto [a, b] = twoParents(f);
        auto* o = f.parent(f.point(100, 300, "O"));
        f.object<CMesureAngleOriente>(nat::mesure, a, o, b);
    });
    add("CMesureAbscisse", [](ContractFigure& f) {
        auto* o = f.parent(f.point(100, 100, "O"));
        auto* i = f.parent(f.point(200, 100, "I"));
        auto* m = f.parent(f.point(350, 100, "M"));
        f.object<CMesureAbscisse>(nat::mesure, o, i, m);
    });
    add("CMesureX", [](ContractFigure& f) {
        auto* r = f.parent(f.frame());
        f.object<CMesureX>(nat::mesure, r, f.parent(f.point(450, 150, "M")));
    });
    add("CMesureY", [](ContractFigure& f) {
        auto* r = f.parent(f.frame());
        f.object<CMesureY>(nat::mesure, r, f.parent(f.point(450, 150, "M")));
    });
    add("CMesureAffixe", [](ContractFigure& f) {
        auto* r = f.parent(f.frame());
        f.object<CMesureAffixe>(nat::mesureAffixe, r, f.parent(f.point(450, 150, "M")));
    });
    add("CMesureAire", [](ContractFigure& f) {
        f.unitLength();
        auto [a, b] = twoParents(f);
        auto* p = f.parent(f.make<CPolygone>(
            nat::polygone, std::vector<CPointAncetre*>{a, b, f.point(200, 300, "C")}));
        f.parents = {p};
        f.object<CMesureAire>(nat::mesure, "s", &f.list(), p);
    });
    add("CMesureLongueurLigne", [](ContractFigure& f) {
        f.unitLength();
        auto [a, b] = twoParents(f);
        auto* l = f.parent(f.make<CLigneBrisee>(
            nat::ligneBrisee, std::vector<CPointAncetre*>{a, b, f.point(200, 300, "C")}));
        f.parents = {l};
        f.object<CMesureLongueurLigne>(nat::mesure, "l", &f.list(), l);
    });
    auto complexValue = [](ContractFigure& f) {
        auto z = std::make_unique<CCalculComplexe>("z", "-3+4*i");
        z->rebuildTree(f.list());
        return f.parent(f.add(nat::calculComplexe, std::move(z)));
    };
    add("CPartieReelle", [complexValue](ContractFigure& f) {
        f.object<CPartieReelle>(nat::valeurNumerique, "re", complexValue(f));
    });
    add("CPartieImaginaire", [complexValue](ContractFigure& f) {
        f.object<CPartieImaginaire>(nat::valeurNumerique, "im", complexValue(f));
    });
    add("CArgument", [complexValue](ContractFigure& f) {
        f.object<CArgument>(nat::valeurNumerique, "ar", complexValue(f));
    });
    add("CModule", [complexValue](ContractFigure& f) {
        f.object<CModule>(nat::valeurNumerique, "mo", complexValue(f));
    });
    return ex;
}

}  // namespace

const std::vector<Example>& examples() {
    static const std::vector<Example> all = buildExamples();
    return all;
}

const std::vector<std::string>& baseClassesNeverInFiles() {
    static const std::vector<std::string> bases = {"CElementBase",
                                                   "CElementGraphique",
                                                   "CPointAncetre",
                                                   "CPointAncetrePointsMobiles",
                                                   "CPointLie",
                                                   "CElementLigne",
                                                   "CDroite",
                                                   "CDemiDroite",
                                                   "CCercle",
                                                   "CArcDeCercleAncetre",
                                                   "CMarqueAngleAncetre",
                                                   "CBipoint",
                                                   "CTransformation",
                                                   "CLignePolygonaleAncetre",
                                                   "CAffichageLieAPoint",
                                                   "CSurfaceAncetre",
                                                   "CSurface",
                                                   "CValeurDynamique",
                                                   "CCalculAncetre",
                                                   "CLieuDeBase",
                                                   "CLieuDiscretDeBase",
                                                   "CLieuObjetAncetre"};
    return bases;
}
