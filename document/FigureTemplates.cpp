#include "document/FigureTemplates.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <type_traits>

#include "document/CPelvantiDoc.h"
#include "geometry/CAffichage.h"
#include "geometry/CCercle.h"
#include "geometry/CDroite.h"
#include "geometry/CIntersection.h"
#include "geometry/CPointLie.h"
#include "geometry/CRepere.h"
#include "geometry/CTransformation.h"
#include "measures/CMesure.h"

namespace {
constexpr double kPi = std::numbers::pi;
// One unit: about a centimetre on screen. Shapes span a few units.
constexpr double kUnit = 400;
constexpr double kMarkRadius = 300;

struct Builder {
    CPelvantiDoc& doc;
    double cx, cy;  // centre of the drawing area
    double h;       // half the side of the shapes

    CListeAction& list() { return doc.list(); }

    template <class T>
    T* add(Nature nature, std::unique_ptr<T> object, bool hidden = false) {
        T* raw = object.get();
        doc.addEntry(
            std::make_unique<CAction>(nature, std::unique_ptr<CElementBase>(object.release())));
        raw->computePosition();
        if constexpr (std::is_base_of_v<CElementGraphique, T>)
            if (hidden) raw->hide();
        return raw;
    }

    // A point gets its name, drawn away from the centre of the figure.
    template <class T>
    T* point(Nature nature, std::unique_ptr<T> p, const char* name, bool hidden = false) {
        T* raw = add(nature, std::move(p), hidden);
        raw->setName(name);
        raw->nameHidden = hidden;
        double ux = raw->x - cx, uy = raw->y - cy;
        const double norm = std::hypot(ux, uy);
        if (norm > 1) ux /= norm, uy /= norm;
        raw->setNameOffset(ux * 200 - 50, uy * 200 - 80);
        return raw;
    }
    CPointBase* freePoint(const char* name, double x, double y, bool hidden = false) {
        return point(nat::pointLibre, std::make_unique<CPointBase>(x, y), name, hidden);
    }
    CDroiteDirectionFixe* fixed(CPointAncetre* a, bool horizontal) {
        return add(nat::droite, std::make_unique<CDroiteDirectionFixe>(a, horizontal, 1.0), true);
    }
    // A point of `line` placed at the foot of (x, y) on it.
    CPointLieDroite* linked(const char* name, CDroite* line, double x, double y,
                            bool hidden = false) {
        const double n2 = line->wx * line->wx + line->wy * line->wy;
        const double t =
            n2 > 0 ? ((x - line->p0x) * line->wx + (y - line->p0y) * line->wy) / n2 : 0;
        return point(nat::pointLie, std::make_unique<CPointLieDroite>(line, t), name, hidden);
    }
    CPointImage* image(const char* name, CPointAncetre* p, CTransformation* t) {
        return point(nat::pointConstruit, std::make_unique<CPointImage>(p, t), name);
    }
    CRotation* rotation(CPointAncetre* o, double angle) {
        return add(nat::transformation, std::make_unique<CRotation>(o, CValeurAngle(angle)));
    }
    CTranslation* translation(CPointAncetre* a, CPointAncetre* b) {
        return add(nat::transformation, std::make_unique<CTranslation>(a, b));
    }
    CSegment* segment(CPointAncetre* a, CPointAncetre* b, bool marked = false) {
        CSegment* s = add(nat::segment, std::make_unique<CSegment>(a, b));
        if (marked) add(nat::marqueSegment, std::make_unique<CMarqueSegment>(s, 0));
        return s;
    }
    void polygon(std::initializer_list<CPointAncetre*> points) {
        const auto* first = points.begin();
        for (const auto* p = first; p != points.end(); ++p)
            segment(*p, p + 1 == points.end() ? *first : *(p + 1));
    }
    void angleMark(CPointAncetre* a, CPointAncetre* o, CPointAncetre* b) {
        add(nat::marqueAngle, std::make_unique<CMarqueAngleGeometrique>(a, o, b, kMarkRadius));
    }
    void unitLength(CPointAncetre* a, CPointAncetre* b) {
        list().unitLength = add(nat::mesure, std::make_unique<CLongueur>(&list(), a, b));
    }
    // The unit length of the templates other than frames, hidden in a corner.
    void hiddenUnitLength() {
        CPointBase* u = freePoint("U", kUnit, 2 * cy - kUnit, true);
        CDroite* line = fixed(u, true);
        CPointLieDroite* v = linked("V", line, 2 * kUnit, 2 * cy - kUnit, true);
        add(nat::segment, std::make_unique<CSegment>(u, v), true);
        CMilieu* m = add(nat::pointConstruit, std::make_unique<CMilieu>(u, v), true);
        m->nameHidden = true;
        auto comment = std::make_unique<CCommentaire>("1", &list(), m, 0, 0);
        comment->setNameOffset(-40, 40);
        add(nat::commentaire, std::move(comment), true);
        unitLength(u, v);
    }

    void frame(bool orthonormal, bool grid, bool dotted, bool vectors) {
        CPointBase* o = freePoint("O", cx, cy);
        CDroite* xLine = fixed(o, true);
        CDroite* yLine = orthonormal ? nullptr : fixed(o, false);
        CPointAncetre* i = linked("I", xLine, cx + kUnit, cy);
        CPointAncetre* j = orthonormal
                               ? static_cast<CPointAncetre*>(image("J", i, rotation(o, kPi / 2)))
                               : linked("J", yLine, cx, cy - kUnit);
        auto* x = add(nat::droite, std::make_unique<CDroiteAB>(o, i));
        auto* y = add(nat::droite, std::make_unique<CDroiteAB>(o, j));
        add(nat::repere,
            std::make_unique<CRepere>(o, i, j, x, y, CValeurAssocieeAVariable(0.0),
                                      CValeurAssocieeAVariable(0.0), grid, grid, dotted));
        if (vectors) {
            // Each name beside the middle of its vector: below the first, left of the second.
            const struct {
                CPointAncetre* end;
                const char* text;
                double dx, dy;
            } named[] = {{i, "i", -30, 40}, {j, "j", -150, -80}};
            for (const auto& n : named) {
                add(nat::vecteur, std::make_unique<CVecteur>(o, n.end));
                auto comment = std::make_unique<CCommentaire>(n.text, &list(), o, 0, 0);
                comment->setNameOffset((n.end->x - o->x) / 2 + n.dx, (n.end->y - o->y) / 2 + n.dy);
                add(nat::commentaire, std::move(comment));
            }
        }
        unitLength(o, i);
    }

    void build(FigureTemplate which) {
        using F = FigureTemplate;
        const int w = static_cast<int>(which);
        if (w <= static_cast<int>(F::orthogonalDottedVectors)) {
            const int variant = w % 3;  // grid, plain, dotted
            frame(which < F::orthogonalGrid, variant == 0, variant == 2, w % 6 >= 3);
            return;
        }
        hiddenUnitLength();
        const double left = cx - h, right = cx + h, bottom = cy + h, top = cy - h;
        // Most shapes start with a point and a second one linked to the horizontal through it.
        auto base = [&](const char* n1, const char* n2, double x1, double x2, double y) {
            CPointBase* p = freePoint(n1, x1, y);
            CDroite* line = fixed(p, true);
            return std::tuple{p, line, linked(n2, line, x2, y)};
        };
        switch (which) {
            case F::square: {
                auto [a, line, b] = base("A", "B", left, right, bottom);
                CPointImage* d = image("D", b, rotation(a, kPi / 2));
                CPointImage* c = image("C", d, translation(a, b));
                polygon({a, b, c, d});
                break;
            }
            case F::rectangle: {
                auto [a, line, b] = base("A", "B", left - h / 2, right + h / 2, bottom);
                CPointLieDroite* d = linked("D", fixed(a, false), left - h / 2, top);
                CPointImage* c = image("C", d, translation(a, b));
                polygon({a, b, c, d});
                break;
            }
            case F::parallelogram: {
                auto [a, line, b] = base("A", "B", left - h / 2, right, bottom);
                CPointBase* d = freePoint("D", left, top);
                CPointImage* c = image("C", d, translation(a, b));
                polygon({a, b, c, d});
                break;
            }
            case F::triangleAny: {
                auto [b, line, c] = base("B", "C", left, right, bottom);
                CPointBase* a = freePoint("A", cx - h / 3, top);
                polygon({a, b, c});
                break;
            }
            case F::triangleRight: {
                auto [a, line, b] = base("A", "B", left, right, bottom);
                CPointLieDroite* c = linked("C", fixed(a, false), left, top);
                polygon({a, b, c});
                angleMark(b, a, c);
                break;
            }
            case F::triangleIsosceles: {
                auto [b, line, c] = base("B", "C", left, right, bottom);
                auto* axis = add(nat::droite, std::make_unique<CMediatrice>(b, c), true);
                CPointLieDroite* a = linked("A", axis, cx, top - h / 2);
                segment(b, c);
                segment(a, b, true);
                segment(a, c, true);
                angleMark(a, b, c);
                angleMark(a, c, b);
                break;
            }
            case F::triangleRightIsosceles: {
                auto [a, line, b] = base("A", "B", left, right, bottom);
                CPointImage* c = image("C", b, rotation(a, kPi / 2));
                segment(a, b, true);
                segment(b, c);
                segment(c, a, true);
                angleMark(b, a, c);
                break;
            }
            case F::triangleEquilateral: {
                auto [b, line, c] = base("B", "C", left, right, bottom);
                CPointImage* a = image("A", c, rotation(b, kPi / 3));
                segment(a, b, true);
                segment(b, c, true);
                segment(c, a, true);
                break;
            }
            case F::trapezoidAny:
            case F::trapezoidRight: {
                auto [a, line, b] = base("A", "B", left - h / 2, right + h / 2, bottom);
                const bool right = which == F::trapezoidRight;
                CPointAncetre* d = right ? static_cast<CPointAncetre*>(
                                               linked("D", fixed(a, false), left - h / 2, top))
                                         : freePoint("D", left, top);
                auto* parallel =
                    add(nat::droite, std::make_unique<CDroiteParallele>(d, line), true);
                CPointLieDroite* c = linked("C", parallel, cx + h / 2, top);
                polygon({a, b, c, d});
                if (right) angleMark(b, a, d);
                break;
            }
            case F::trapezoidIsosceles: {
                auto [a, line, b] = base("A", "B", left - h / 2, right + h / 2, bottom);
                auto* axis = add(nat::droite, std::make_unique<CMediatrice>(a, b), true);
                CPointBase* d = freePoint("D", left, top);
                auto* symmetry = add(nat::transformation, std::make_unique<CSymetrieAxiale>(axis));
                CPointImage* c = image("C", d, symmetry);
                segment(a, b);
                segment(b, c, true);
                segment(c, d);
                segment(d, a, true);
                angleMark(b, a, d);
                angleMark(a, b, c);
                break;
            }
            case F::hexagon: {
                auto [o, line, a] = base("O", "A", cx, cx + h, cy);
                CRotation* r = rotation(o, kPi / 3);
                CPointAncetre* p[6] = {a};
                const char* names[] = {"A", "B", "C", "D", "E", "F"};
                for (int k = 1; k < 6; ++k) p[k] = image(names[k], p[k - 1], r);
                polygon({p[0], p[1], p[2], p[3], p[4], p[5]});
                for (int k = 0; k < 3; ++k) segment(p[k], p[k + 3]);
                break;
            }
            case F::segmentOfLength: {
                CPointBase* a = freePoint("A", left, cy);
                CDroite* line = fixed(a, true);
                CValeurAssocieeAVariable radius;
                radius.setNumberWithText(5, "5");
                auto* circle =
                    add(nat::cercle, std::make_unique<CCercleOR>(a, radius, &list()), true);
                auto* pair = add(nat::bipoint, std::make_unique<CIntDroiteCercle>(line, circle));
                // The first solution lies further along the line: to the right of A.
                auto* b =
                    point(nat::pointConstruit, std::make_unique<CPointLieBipoint>(pair, 1), "B");
                auto* other =
                    add(nat::pointConstruit, std::make_unique<CPointLieBipoint>(pair, 2), true);
                other->nameHidden = true;
                segment(a, b);
                break;
            }
            default:
                break;
        }
    }
};
}  // namespace

bool buildFigureTemplate(CPelvantiDoc& doc, FigureTemplate which, LSize area) {
    doc.newFigure();
    // Shapes of five units, smaller in a small window.
    const double half = std::min({2.5 * kUnit, area.cy * 0.3, area.cx * 0.2});
    Builder builder{doc, area.cx / 2.0, area.cy / 2.0, half};
    builder.build(which);
    CListeAction& list = doc.list();
    list.computeAll();
    for (CActionAncetre* e : list.entries())
        if (!e->element->exists) {
            doc.newFigure();
            return false;
        }
    doc.history().resetHistory();
    return true;
}
