#include "values/CSuiteRec.h"

#include <algorithm>
#include <cmath>

#include "calc/EvaluationState.h"
#include "core/CArchive.h"
#include "core/CListeAction.h"
#include "geometry/CRepere.h"
#include "values/CFonc.h"

IMPLEMENT_SERIAL(CSuiteRec, CCalculAncetre, 1)
IMPLEMENT_SERIAL(CSuiteRecComplexe, CCalculAncetre, 1)
IMPLEMENT_SERIAL(CGrapheSuiteRec, CElementLigne, 1)
IMPLEMENT_SERIAL(CGrapheSuiteRecComplexe, CElementLigne, 1)

using geo::existing;

namespace {
int clampTermCount(int n) {
    return std::clamp(n, CSuiteRec::kMinTerms, CSuiteRec::kMaxTerms);
}

// A term count read from a file must be one the dialog allows.
int readTermCount(CArchive& ar) {
    const int32_t n = ar.readInt();
    if (n < CSuiteRec::kMinTerms || n > CSuiteRec::kMaxTerms)
        CArchive::fail(CArchiveException::badFormat,
                       "Nombre de termes de suite récurrente invalide dans le fichier.");
    return n;
}

// k names a term 0..last: a whole number in range.
bool validIndex(double k, int last) {
    return k >= 0 && k == std::floor(k) && k <= last;
}

bool sameValue(const CValeurAssocieeAVariableAncetre& a, const CValeurAssocieeAVariableAncetre& b) {
    return a.reference == b.reference && (a.reference || a.constant == b.constant);
}

void setParents(CElementBase** a, CElementBase** b, CElementBase** c, CElementBase* pa,
                CElementBase* pb, CElementBase* pc) {
    if (a) *a = pa;
    if (b) *b = pb;
    if (c) *c = pc;
}

// The segment between two frame positions, in the graph's colour, style and mask.
void placeSegment(CSegment& s, const CRepere* r, double x1, double y1, double x2, double y2) {
    double ax, ay, bx, by;
    r->toWindow(x1, y1, &ax, &ay);
    r->toWindow(x2, y2, &bx, &by);
    s.setEnds(ax, ay, bx, by);
}

void copyLook(const CElementLigne& from, CElementLigne& to) {
    to.colour = from.colour;
    to.lineStyle = from.lineStyle;
    to.masked = from.masked;
}
}  // namespace

// ---------------------------------------------------------------------------------------------
// CSuiteRec

CSuiteRec::CSuiteRec(std::string name, CFonc* f, int termCount,
                     const CValeurAssocieeAVariable& first)
    : CCalculAncetre(std::move(name)), f(f), first(first) {
    setTermCount(termCount);
}

void CSuiteRec::setTermCount(int n) {
    termCount = clampTermCount(n);
    terms.assign(termCount, 0.0);
    lastIndex = 0;
}

double CSuiteRec::evaluateFunctionAt(double k) {
    if (!exists || !validIndex(k, lastIndex)) {
        setCalculationError();
        return 0.0;
    }
    return terms[static_cast<size_t>(k)];
}

void CSuiteRec::computePosition() {
    exists = existing(f) && first.isDefined();
    if (!exists) return;
    if (static_cast<int>(terms.size()) != termCount) terms.assign(termCount, 0.0);
    terms[0] = first.getValue();
    lastIndex = 0;
    for (int i = 1; i < termCount; ++i) {
        clearCalculationError();
        const double t = f->evaluateFunctionAt(terms[i - 1]);
        if (isCalculationError()) break;
        terms[i] = t;
        lastIndex = i;
    }
    clearCalculationError();
}

void CSuiteRec::copyStateFrom(const CElementBase& src) {
    CCalculAncetre::copyStateFrom(src);
    if (const auto* s = dynamic_cast<const CSuiteRec*>(&src)) {
        termCount = s->termCount;
        terms = s->terms;
        lastIndex = s->lastIndex;
    }
}

bool CSuiteRec::coincidesWith(const CElementBase* other) const {
    if (!other || other->GetRuntimeClass() != GetRuntimeClass()) return false;
    const auto* s = static_cast<const CSuiteRec*>(other);
    return s->f == f && s->termCount == termCount && sameValue(s->first, first);
}

bool CSuiteRec::dependsOn(const CElementBase* p) const {
    return p == this || geo::dependsOnRef(f, p) || first.dependsOn(p);
}

bool CSuiteRec::dependsOnForPositioning(const CElementBase* p) const {
    return p == this || geo::dependsOnForPositioningRef(f, p) || first.dependsOnForPositioning(p);
}

void CSuiteRec::replaceReference(CElementBase* old, CElementBase* repl) {
    geo::replaceRef(f, old, repl);
    first.replaceReference(old, repl);
}

std::unique_ptr<CElementBase> CSuiteRec::getClone(const CListeAction& from,
                                                  const CListeAction& to) const {
    return std::make_unique<CSuiteRec>(name, geo::mapRef(f, from, to), termCount,
                                       first.cloned(from, to));
}

std::string CSuiteRec::functionName() const {
    return f ? f->getName() : std::string();
}

std::string CSuiteRec::describe(const char* eol, bool oneLine) const {
    std::string text = kindText() + name + eol + name + "(n+1)=" + functionName() + "[" + name +
                       "(n)]" + " avec " + name + "(0)=" + firstTermText();
    if (oneLine)
        text += std::string(eol) + "Dernier terme calculable : " + std::to_string(lastIndex);
    return text;
}

std::string CSuiteRec::getConstructionInfo(CElementBase** a, CElementBase** b,
                                           CElementBase** c) const {
    setParents(a, b, c, f, nullptr, nullptr);
    return describe("\r\n", false);
}

std::string CSuiteRec::getDescription() const {
    return describe("\n      ", true);
}

void CSuiteRec::rebuildFromText(CListeAction* list) {
    first.rebuildFromText(list);
}

void CSuiteRec::Serialize(CArchive& ar) {
    CCalculAncetre::Serialize(ar);
    if (ar.IsStoring()) {
        ar.writeInt(termCount);
        first.Serialize(ar);
        ar.writeReference(f);
    } else {
        setTermCount(readTermCount(ar));
        first.Serialize(ar);
        f = ar.readRequiredReferenceOf<CFonc>();
    }
}

void CSuiteRec::readPreviousFormat(CArchive& ar) {
    CCalculAncetre::readPreviousFormat(ar);
    setTermCount(readTermCount(ar));
    first.readPreviousFormat(ar);
    f = ar.readRequiredReferenceOf<CFonc>();
}

// ---------------------------------------------------------------------------------------------
// CSuiteRecComplexe

CSuiteRecComplexe::CSuiteRecComplexe(std::string name, CFoncComplexe* f, int termCount,
                                     const CValeurAssocieeComp& first)
    : CCalculAncetre(std::move(name)), f(f), first(first) {
    setTermCount(termCount);
}

void CSuiteRecComplexe::setTermCount(int n) {
    termCount = clampTermCount(n);
    terms.assign(termCount, Complexe());
    lastIndex = 0;
}

Complexe CSuiteRecComplexe::evaluateFunctionComplexAt(Complexe k) {
    if (!exists || k.im != 0 || !validIndex(k.re, lastIndex)) {
        setCalculationError();
        return {0.0, 0.0};
    }
    return terms[static_cast<size_t>(k.re)];
}

void CSuiteRecComplexe::computePosition() {
    exists = existing(f) && first.isDefined();
    if (!exists) return;
    if (static_cast<int>(terms.size()) != termCount) terms.assign(termCount, Complexe());
    terms[0] = first.getComplexValue();
    lastIndex = 0;
    for (int i = 1; i < termCount; ++i) {
        clearCalculationError();
        const Complexe t = f->evaluateFunctionComplexAt(terms[i - 1]);
        if (isCalculationError()) break;
        terms[i] = t;
        lastIndex = i;
    }
    clearCalculationError();
}

void CSuiteRecComplexe::copyStateFrom(const CElementBase& src) {
    CCalculAncetre::copyStateFrom(src);
    if (const auto* s = dynamic_cast<const CSuiteRecComplexe*>(&src)) {
        termCount = s->termCount;
        terms = s->terms;
        lastIndex = s->lastIndex;
    }
}

bool CSuiteRecComplexe::coincidesWith(const CElementBase* other) const {
    if (!other || other->GetRuntimeClass() != GetRuntimeClass()) return false;
    const auto* s = static_cast<const CSuiteRecComplexe*>(other);
    return s->f == f && s->termCount == termCount && s->first.reference == first.reference &&
           (first.reference || s->first.constant == first.constant);
}

bool CSuiteRecComplexe::dependsOn(const CElementBase* p) const {
    return p == this || geo::dependsOnRef(f, p) || first.dependsOn(p);
}

bool CSuiteRecComplexe::dependsOnForPositioning(const CElementBase* p) const {
    return p == this || geo::dependsOnForPositioningRef(f, p) || first.dependsOnForPositioning(p);
}

void CSuiteRecComplexe::replaceReference(CElementBase* old, CElementBase* repl) {
    geo::replaceRef(f, old, repl);
    first.replaceReference(old, repl);
}

std::unique_ptr<CElementBase> CSuiteRecComplexe::getClone(const CListeAction& from,
                                                          const CListeAction& to) const {
    return std::make_unique<CSuiteRecComplexe>(name, geo::mapRef(f, from, to), termCount,
                                               first.cloned(from, to));
}

std::string CSuiteRecComplexe::describe(const char* eol, bool oneLine) const {
    std::string text = "Suite récurrente complexe " + name + eol + name +
                       "(n+1)=" + (f ? f->getName() : std::string()) + "[" + name + "(n)]" +
                       " avec " + name + "(0)=" + first.getText(12);
    if (oneLine)
        text += std::string(eol) + "Dernier terme calculable : " + std::to_string(lastIndex);
    return text;
}

std::string CSuiteRecComplexe::getConstructionInfo(CElementBase** a, CElementBase** b,
                                                   CElementBase** c) const {
    setParents(a, b, c, f, nullptr, nullptr);
    return describe("\r\n", false);
}

std::string CSuiteRecComplexe::getDescription() const {
    return describe("\n      ", true);
}

void CSuiteRecComplexe::rebuildFromText(CListeAction* list) {
    first.rebuildFromText(list);
}

void CSuiteRecComplexe::Serialize(CArchive& ar) {
    CCalculAncetre::Serialize(ar);
    if (ar.IsStoring()) {
        ar.writeInt(termCount);
        first.Serialize(ar);
        ar.writeReference(f);
    } else {
        setTermCount(readTermCount(ar));
        first.Serialize(ar);
        f = ar.readRequiredReferenceOf<CFoncComplexe>();
    }
}

// ---------------------------------------------------------------------------------------------
// CGrapheSuiteRec

std::vector<CGrapheSuiteRec::Piece> CGrapheSuiteRec::pieces() const {
    std::vector<Piece> out;
    if (!sequence || sequence->lastIndex < 1) return out;
    const std::vector<double>& u = sequence->terms;
    if (withAxisLines) out.push_back({u[0], 0, u[0], u[1]});
    out.push_back({u[0], u[1], u[1], u[1]});
    for (int k = 2; k <= sequence->lastIndex; ++k) {
        out.push_back({u[k - 1], u[k - 1], u[k - 1], u[k]});
        out.push_back({u[k - 1], u[k], u[k], u[k]});
        if (withAxisLines) out.push_back({u[k], 0, u[k], u[k]});
    }
    return out;
}

void CGrapheSuiteRec::Serialize(CArchive& ar) {
    CElementLigne::Serialize(ar);
    if (ar.IsStoring()) {
        ar.writeReference(sequence);
        ar.writeReference(frame);
        ar.writeBool(withAxisLines);
    } else {
        sequence = ar.readRequiredReferenceOf<CSuiteRec>();
        frame = ar.readRequiredReferenceOf<CRepere>();
        withAxisLines = ar.readBool();
    }
}

void CGrapheSuiteRec::readPreviousFormat(CArchive& ar) {
    CElementLigne::readPreviousFormat(ar);
    sequence = ar.readRequiredReferenceOf<CSuiteRec>();
    frame = ar.readRequiredReferenceOf<CRepere>();
    withAxisLines = ar.readBool();
}

std::unique_ptr<CElementBase> CGrapheSuiteRec::getClone(const CListeAction& from,
                                                        const CListeAction& to) const {
    auto g = std::make_unique<CGrapheSuiteRec>(geo::mapRef(sequence, from, to),
                                               geo::mapRef(frame, from, to), withAxisLines);
    g->copyLineAttributes(*this);
    return g;
}

void CGrapheSuiteRec::computePosition() {
    exists = existing(sequence) && existing(frame);
}

void CGrapheSuiteRec::paint(CDC* dc, bool eraseMode, bool hideMasked) {
    if (!exists || (hideMasked && masked)) return;
    CSegment s;
    copyLook(*this, s);
    for (const Piece& p : pieces()) {
        placeSegment(s, frame, p.x1, p.y1, p.x2, p.y2);
        s.drawLine(dc, eraseMode, hideMasked);
    }
}

void CGrapheSuiteRec::draw(CDC* dc, bool hideMasked) {
    paint(dc, false, hideMasked);
}

void CGrapheSuiteRec::erase(CDC* dc, bool hideMasked) {
    paint(dc, true, hideMasked);
}

bool CGrapheSuiteRec::coincidesWith(const CElementBase* other) const {
    if (!other || other->GetRuntimeClass() != GetRuntimeClass()) return false;
    const auto* g = static_cast<const CGrapheSuiteRec*>(other);
    return g->sequence == sequence && g->frame == frame;
}

bool CGrapheSuiteRec::dependsOn(const CElementBase* p) const {
    return p == this || geo::dependsOnRef(sequence, p) || geo::dependsOnRef(frame, p);
}

bool CGrapheSuiteRec::dependsOnForPositioning(const CElementBase* p) const {
    return p == this || geo::dependsOnForPositioningRef(sequence, p) ||
           geo::dependsOnForPositioningRef(frame, p);
}

void CGrapheSuiteRec::replaceReference(CElementBase* old, CElementBase* repl) {
    geo::replaceRef(sequence, old, repl);
    geo::replaceRef(frame, old, repl);
}

std::string CGrapheSuiteRec::getConstructionInfo(CElementBase** a, CElementBase** b,
                                                 CElementBase** c) const {
    setParents(a, b, c, sequence, frame, nullptr);
    return "Graphe de suite récurrente";
}

std::string CGrapheSuiteRec::getDisplayName() const {
    return "Graphe de la suite " + (sequence ? sequence->getName() : std::string()) +
           " dans le repère " + frameText(frame);
}

int CGrapheSuiteRec::designationDistance(int mx, int my, bool hideMasked) {
    if (!exists || (hideMasked && masked)) return kNotDesignable;
    CSegment s;
    int best = kNotDesignable;
    for (const Piece& p : pieces()) {
        placeSegment(s, frame, p.x1, p.y1, p.x2, p.y2);
        best = std::min(best, s.designationDistance(mx, my, false));
    }
    return best;
}

int CGrapheSuiteRec::designationDistanceForLinking(int mx, int my, bool hideMasked) {
    return designationDistance(mx, my, hideMasked);
}

// ---------------------------------------------------------------------------------------------
// CGrapheSuiteRecComplexe

void CGrapheSuiteRecComplexe::Serialize(CArchive& ar) {
    CElementLigne::Serialize(ar);
    if (ar.IsStoring()) {
        ar.writeReference(sequence);
        ar.writeReference(frame);
        ar.writeBool(joined);
        ar.writeByte(pointMark);
    } else {
        sequence = ar.readRequiredReferenceOf<CSuiteRecComplexe>();
        frame = ar.readRequiredReferenceOf<CRepere>();
        joined = ar.readBool();
        pointMark = ar.readByte();
    }
}

std::unique_ptr<CElementBase> CGrapheSuiteRecComplexe::getClone(const CListeAction& from,
                                                                const CListeAction& to) const {
    auto g = std::make_unique<CGrapheSuiteRecComplexe>(
        geo::mapRef(sequence, from, to), geo::mapRef(frame, from, to), joined, pointMark);
    g->copyLineAttributes(*this);
    return g;
}

void CGrapheSuiteRecComplexe::computePosition() {
    exists = existing(sequence) && existing(frame);
}

void CGrapheSuiteRecComplexe::paint(CDC* dc, bool eraseMode, bool hideMasked) {
    if (!exists || (hideMasked && masked)) return;
    const std::vector<Complexe>& z = sequence->terms;
    const int last = sequence->lastIndex;
    if (joined) {
        CSegment s;
        copyLook(*this, s);
        for (int k = 0; k < last; ++k) {
            placeSegment(s, frame, z[k].re, z[k].im, z[k + 1].re, z[k + 1].im);
            s.drawLine(dc, eraseMode, hideMasked);
        }
        return;
    }
    CPointBase mark(0, 0, colour, pointMark);
    mark.masked = masked;
    for (int k = 0; k <= last; ++k) {
        double x, y;
        frame->toWindow(z[k].re, z[k].im, &x, &y);
        mark.setPosition(x, y);
        mark.drawPoint(dc, eraseMode, hideMasked);
    }
}

void CGrapheSuiteRecComplexe::draw(CDC* dc, bool hideMasked) {
    paint(dc, false, hideMasked);
}

void CGrapheSuiteRecComplexe::erase(CDC* dc, bool hideMasked) {
    paint(dc, true, hideMasked);
}

bool CGrapheSuiteRecComplexe::coincidesWith(const CElementBase* other) const {
    if (!other || other->GetRuntimeClass() != GetRuntimeClass()) return false;
    const auto* g = static_cast<const CGrapheSuiteRecComplexe*>(other);
    return g->sequence == sequence && g->frame == frame && g->joined == joined;
}

bool CGrapheSuiteRecComplexe::dependsOn(const CElementBase* p) const {
    return p == this || geo::dependsOnRef(sequence, p) || geo::dependsOnRef(frame, p);
}

bool CGrapheSuiteRecComplexe::dependsOnForPositioning(const CElementBase* p) const {
    return p == this || geo::dependsOnForPositioningRef(sequence, p) ||
           geo::dependsOnForPositioningRef(frame, p);
}

void CGrapheSuiteRecComplexe::replaceReference(CElementBase* old, CElementBase* repl) {
    geo::replaceRef(sequence, old, repl);
    geo::replaceRef(frame, old, repl);
}

std::string CGrapheSuiteRecComplexe::getConstructionInfo(CElementBase** a, CElementBase** b,
                                                         CElementBase** c) const {
    setParents(a, b, c, sequence, frame, nullptr);
    return "Graphe de suite récurrente complexe";
}

std::string CGrapheSuiteRecComplexe::getDisplayName() const {
    return "Graphe de la suite " + (sequence ? sequence->getName() : std::string()) +
           " dans le repère " + frameText(frame);
}

int CGrapheSuiteRecComplexe::designationDistance(int mx, int my, bool hideMasked) {
    if (!exists || (hideMasked && masked)) return kNotDesignable;
    const std::vector<Complexe>& z = sequence->terms;
    const int last = sequence->lastIndex;
    int best = kNotDesignable;
    if (joined) {
        CSegment s;
        for (int k = 0; k < last; ++k) {
            placeSegment(s, frame, z[k].re, z[k].im, z[k + 1].re, z[k + 1].im);
            best = std::min(best, s.designationDistance(mx, my, false));
        }
        return best;
    }
    CPointBase mark(0, 0);
    for (int k = 0; k <= last; ++k) {
        double x, y;
        frame->toWindow(z[k].re, z[k].im, &x, &y);
        mark.setPosition(x, y);
        best = std::min(best, mark.designationDistance(mx, my, false));
    }
    return best;
}

int CGrapheSuiteRecComplexe::designationDistanceForLinking(int mx, int my, bool hideMasked) {
    return designationDistance(mx, my, hideMasked);
}
