#include "view/COutilsCourbe.h"

#include <cctype>
#include <cstdlib>

#include "calc/Parser.h"
#include "core/CHost.h"
#include "document/CPelvantiDoc.h"
#include "geometry/CGrapheSuiteRec.h"
#include "geometry/CPointLie.h"
#include "geometry/CRepere.h"
#include "geometry/CTransformation.h"
#include "loci/CLieuDeBase.h"
#include "measures/CMesure.h"
#include "values/CFonc.h"
#include "values/CSuiteRec.h"
#include "values/CVariable.h"
#include "values/ValueDialogs.h"
#include "view/COutilsConstruction.h"
#include "view/CPelvantiView.h"
#include "view/Commands.h"
#include "view/ToolTexts.h"

namespace {
int8_t colour() {
    return static_cast<int8_t>(etatPalettes().colour);
}

template <class T>
T* append(CPelvantiDoc& doc, Nature n, std::unique_ptr<T> object) {
    T* raw = object.get();
    doc.addEntry(new CAction(n, std::move(object)));
    raw->computePosition();
    return raw;
}

// A support object: an identical one of the figure serves, else this one is appended and
// counted in `added`.
template <class T>
T* reuseOrAppend(CPelvantiDoc& doc, Nature n, std::unique_ptr<T> object, int& added) {
    // Some objects coincide by their positions.
    object->computePosition();
    if (auto* same = dynamic_cast<T*>(doc.list().findCoinciding(object.get()))) return same;
    ++added;
    return append(doc, n, std::move(object));
}

// Some sample, the last of each piece excepted, lies in the drawing area.
bool isVisible(const CLieuDeBase& locus) {
    if (!locus.exists) return false;
    const LSize area = activeDrawingArea();
    for (int k = 0; k < locus.pieceCount; ++k) {
        const CLieuDeBase::Piece& piece = locus.pieces[k];
        for (int i = piece.start; i < piece.start + piece.count - 1; ++i) {
            const LPoint& p = locus.points[i];
            if (p.x >= 0 && p.x <= area.cx && p.y >= 0 && p.y <= area.cy) return true;
        }
    }
    return false;
}

bool sameIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// The first of `base`, `base`1, `base`2... free for a new value.
std::string freeValueName(const CListeAction& list, const std::string& base) {
    std::string name = base;
    for (int k = 1; checkValueName(list, name, list.count()) != 0; ++k)
        name = base + std::to_string(k);
    return name;
}

template <class T>
std::vector<T*> objectsOf(const CListeAction& list) {
    std::vector<T*> out;
    for (CActionAncetre* e : list.entries())
        if (auto* t = dynamic_cast<T*>(e->element)) out.push_back(t);
    return out;
}

// Complex functions have no curve in a frame.
std::vector<CFonc*> realFunctions(const CListeAction& list) {
    std::vector<CFonc*> out;
    for (CFonc* f : objectsOf<CFonc>(list))
        if (!dynamic_cast<CFoncComplexe*>(f)) out.push_back(f);
    return out;
}

// One of `items` (the only one, or the one chosen); null on Cancel.
template <class T>
T* choose(const std::string& title, const std::vector<T*>& items) {
    if (items.size() == 1) return items.front();
    std::vector<std::string> names;
    for (T* t : items) names.push_back(t->getName());
    int index = 0;
    if (!toolDialogs().chooseItem(title, names, index) || index < 0 ||
        index >= static_cast<int>(items.size()))
        return nullptr;
    return items[index];
}

// The option of a sequence graph: lines back to the axes, or terms joined for a complex one.
const char* graphOptionLabel(bool complex) {
    return complex ? "Termes reliés ?" : "Traits de rappel ?";
}

}  // namespace

CRepere* chooseFrame(const CListeAction& list) {
    return choose("Choix du repère :", objectsOf<CRepere>(list));
}

CVariableBornee* chooseVariable(const CListeAction& list, const std::string& title) {
    return choose(title, objectsOf<CVariableBornee>(list));
}

namespace {
const char* titleOf(CurveDomain d) {
    switch (d) {
        case CurveDomain::all:
            return "Création d'une courbe de fonction définie sur R";
        case CurveDomain::segment:
            return "Création d'une courbe de fonction définie sur [a;b]";
        case CurveDomain::from:
            return "Création d'une courbe de fonction définie sur [a; ->[";
        case CurveDomain::upTo:
            break;
    }
    return "Création d'une courbe de fonction définie sur ]<-; a]";
}
}  // namespace

bool buildFunctionCurve(CPelvantiDoc& doc, CDroite* support, const CurveRequest& r) {
    CListeAction& list = doc.list();
    double lo = support->getAbscissaMin(), hi = support->getAbscissaMax();
    const double d = (hi - lo) / 10;
    lo += d;
    hi -= d;
    const double t = lo + (hi - lo) * (std::rand() % 32768) / 32767.0;
    const int pointStyle = etatPalettes().pointStyle;

    auto generator = std::make_unique<CPointLieDroite>(support, t, colour(), pointStyle);
    generator->setName(r.generatorName);
    generator->masked = r.hideGenerator;
    CPointLieDroite* g = append(doc, nat::pointLie, std::move(generator));
    CMesureX* measure = append(doc, nat::mesure, std::make_unique<CMesureX>(r.frame, g));
    auto abscissa = std::make_unique<CCalcul>(r.abscissaName, measure->getName());
    abscissa->rebuildTree(list);
    CCalcul* x = append(doc, nat::calcul, std::move(abscissa));
    auto image =
        std::make_unique<CCalcul>(r.imageName, r.function->getName() + "(" + r.abscissaName + ")");
    image->rebuildTree(list);
    CCalcul* y = append(doc, nat::calcul, std::move(image));
    auto point = std::make_unique<CPointDansRepere>(
        r.frame, CValeurAssocieeAVariable(x), CValeurAssocieeAVariable(y), colour(), pointStyle);
    point->masked = r.hidePoint;
    CPointDansRepere* m = append(doc, nat::pointDansRepere, std::move(point));
    CLieuDePoints* curve =
        append(doc, nat::lieuPoints,
               std::make_unique<CLieuDePoints>(&list, m, g, r.pointCount, false, colour(),
                                               etatPalettes().lineStyle));
    if (isVisible(*curve) || toolMessage(Msg::curveNotVisible, MB_YESNO | MB_ICONQUESTION) == IDYES)
        return true;
    doc.removeLast(6);
    return false;
}

const std::vector<CurveToolDesc>& curveToolTable() {
    using D = CurveDomain;
    // clang-format off
    static const std::vector<CurveToolDesc> table = {
        {Cmd::curveOnR, "définie sur R", D::all, Msg::promptCurveOnR},
        {Cmd::curveOnSegment, "définie sur [a;b]", D::segment, Msg::promptCurveOnSegment},
        {Cmd::curveFrom, "définie sur [a; ->[", D::from, Msg::promptCurveFrom},
        {Cmd::curveUpTo, "définie sur ]<-; a]", D::upTo, Msg::promptCurveUpTo},
    };
    // clang-format on
    return table;
}

bool COutilCourbeFonction::isAvailable() {
    CPelvantiView* view = CPelvantiView::activeView();
    if (!view) return false;
    const CListeAction& list = view->document()->list();
    if (objectsOf<CRepere>(list).empty()) {
        toolMessage(Msg::needFrame, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    if (realFunctions(list).empty()) {
        toolMessage(Msg::needFunction, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    return true;
}

std::string COutilCourbeFonction::prompt(int) const {
    return toolText(desc_.promptId);
}

bool COutilParDialogue::activate(CPelvantiView* view) {
    COutil::activate(view);
    etatOutils().natureFilter = 0;
    if (!view) return true;
    if (run(*view->document())) {
        view->document()->history().record(undoLabel());
        view->recomputeAndRedraw();
        view->setModified(true);
        emit view->figureChanged();
    } else {
        view->recomputeAndRedraw();
    }
    revenirCapture(view);
    return true;
}

bool COutilCourbeFonction::run(CPelvantiDoc& doc) {
    CListeAction& list = doc.list();
    CurveRequest r;
    r.frame = chooseFrame(list);
    if (!r.frame) return false;
    r.function = choose("Fonction :", realFunctions(list));
    if (!r.function) return false;

    const int bounds =
        desc_.domain == CurveDomain::all ? 0 : (desc_.domain == CurveDomain::segment ? 2 : 1);
    std::vector<std::string> labels, values;
    if (bounds > 0) labels.push_back("a :");
    if (bounds > 1) labels.push_back("b :");
    values.assign(labels.size(), "");
    const size_t fields = labels.size();
    for (const char* label :
         {"Nom du point lié générateur :", "Nom de l'abscisse du point lié générateur :",
          "Nom de l'image par la fonction de l'abscisse :", "Nombre de points de la courbe :",
          "Point générateur de la courbe caché ?", "Point de la courbe caché ?"})
        labels.push_back(label);
    values.push_back(list.nextPointName());
    values.push_back(freeValueName(list, "x"));
    values.push_back(freeValueName(list, "y"));
    values.push_back("200");
    values.push_back("1");
    values.push_back("0");

    CValeurAssocieeAVariable a, b;
    for (;;) {
        if (!toolDialogs().editFields(titleOf(desc_.domain), labels, values)) return false;
        values.resize(labels.size());
        if (bounds > 0 && !enterParameter(list, values[0], list.count(), Msg::enterBoundA, a).ok)
            continue;
        if (bounds > 1 && !enterParameter(list, values[1], list.count(), Msg::enterBoundB, b).ok)
            continue;
        r.generatorName = values[fields];
        r.abscissaName = values[fields + 1];
        r.imageName = values[fields + 2];
        if (!isValidName(r.generatorName) || list.isPointOrLineNameUsed(nullptr, r.generatorName)) {
            toolMessage(Msg::invalidName, MB_OK | MB_ICONEXCLAMATION);
            continue;
        }
        int message = checkValueName(list, r.abscissaName, list.count());
        if (!message) message = checkValueName(list, r.imageName, list.count());
        if (!message && sameIgnoringCase(r.abscissaName, r.imageName))
            message = Msg::curveNamesEqual;
        if (message) {
            toolMessage(message, MB_OK | MB_ICONEXCLAMATION);
            continue;
        }
        char* end = nullptr;
        const long n = std::strtol(values[fields + 3].c_str(), &end, 10);
        if (values[fields + 3].empty() || *end != '\0' || n < 4 || n > 1000) {
            toolMessageText("Le nombre de points doit être\ncompris entre 4 et 1000",
                            MB_OK | MB_ICONEXCLAMATION);
            continue;
        }
        r.pointCount = static_cast<int>(n);
        r.hideGenerator = values[fields + 4] == "1";
        r.hidePoint = values[fields + 5] == "1";
        break;
    }

    int added = 0;
    CDroite* support = r.frame->xAxis;
    const CValeurAssocieeAVariable zero(0.0);
    const int ps = etatPalettes().pointStyle;
    if (desc_.domain != CurveDomain::all) {
        auto* p = reuseOrAppend(doc, nat::pointDansRepere,
                                std::make_unique<CPointDansRepere>(r.frame, a, zero, colour(), ps),
                                added);
        if (desc_.domain == CurveDomain::segment) {
            auto* q = reuseOrAppend(
                doc, nat::pointDansRepere,
                std::make_unique<CPointDansRepere>(r.frame, b, zero, colour(), ps), added);
            support = reuseOrAppend(
                doc, nat::segment,
                std::make_unique<CSegment>(p, q, colour(), etatPalettes().lineStyle), added);
        } else {
            // Along the x-axis, towards increasing abscissas for [a; ->[.
            const bool up = desc_.domain == CurveDomain::from;
            auto* t = reuseOrAppend(doc, nat::transformation,
                                    std::make_unique<CTranslation>(up ? r.frame->O : r.frame->I,
                                                                   up ? r.frame->I : r.frame->O),
                                    added);
            auto* image = reuseOrAppend(doc, nat::pointConstruit,
                                        std::make_unique<CPointImage>(p, t, colour(), ps), added);
            support = reuseOrAppend(
                doc, nat::demiDroite,
                std::make_unique<CDemiDroiteOA>(p, image, colour(), etatPalettes().lineStyle),
                added);
        }
    }
    if (support && buildFunctionCurve(doc, support, r)) return true;
    doc.removeLast(added);
    return false;
}

// ---------------------------------------------------------------------------------------------
// Graphs of sequences

std::string COutilGrapheSuite::prompt(int) const {
    return toolText(promptId());
}

int COutilGrapheSuite::promptId() const {
    return Msg::promptSequenceGraph;
}

std::string COutilGrapheSuite::undoLabel() const {
    return complex_ ? "Créer graphe de suite complexe" : "Créer graphe de suite";
}

bool COutilGrapheSuite::isAvailable() {
    CPelvantiView* view = CPelvantiView::activeView();
    if (!view) return false;
    const CListeAction& list = view->document()->list();
    int message = 0;
    if (objectsOf<CRepere>(list).empty())
        message = Msg::needFrame;
    else if (complex_ ? objectsOf<CSuiteRecComplexe>(list).empty()
                      : objectsOf<CSuiteRec>(list).empty())
        message = Msg::needSequence;
    if (message) toolMessage(message, MB_OK | MB_ICONEXCLAMATION);
    return message == 0;
}

bool COutilGrapheSuite::run(CPelvantiDoc& doc) {
    CListeAction& list = doc.list();
    CSuiteRec* real = nullptr;
    CSuiteRecComplexe* complex = nullptr;
    if (complex_)
        complex = choose("Suite :", objectsOf<CSuiteRecComplexe>(list));
    else
        real = choose("Suite :", objectsOf<CSuiteRec>(list));
    if (!real && !complex) return false;
    CRepere* frame = chooseFrame(list);
    if (!frame) return false;
    std::vector<std::string> values{complex_ ? "1" : "0"};
    if (!toolDialogs().editFields(toolText(Msg::promptSequenceGraph), {graphOptionLabel(complex_)},
                                  values))
        return false;
    values.resize(1);
    const bool option = values[0] == "1";
    ToolEntries out;
    if (complex_)
        out.push_back(std::make_unique<CAction>(
            nat::grapheSuiteComplexe, std::make_unique<CGrapheSuiteRecComplexe>(
                                          complex, frame, option, etatPalettes().pointStyle,
                                          colour(), etatPalettes().lineStyle)));
    else
        out.push_back(std::make_unique<CAction>(
            nat::grapheSuite, std::make_unique<CGrapheSuiteRec>(real, frame, option, colour(),
                                                                etatPalettes().lineStyle)));
    return addValidated(doc, std::move(out));
}

const std::vector<ParamModifyDesc>& sequenceGraphModifyToolTable() {
    // clang-format off
    static const std::vector<ParamModifyDesc> table = {
        {Cmd::modifySequenceGraph, "Modifier", "Graphe d'une suite réelle u(n+1)=f[u(n)]", Msg::promptModifySequenceGraph, nat::grapheSuite, {Msg::needSequenceGraph}, "Modifier graphe de suite"},
        {Cmd::modifyComplexSequenceGraph, "Modifier", "Graphe d'une suite complexe u(n+1)=f[u(n)]", Msg::promptModifyComplexSequenceGraph, nat::grapheSuiteComplexe, {Msg::needComplexSequenceGraph}, "Modifier graphe de suite"},
    };
    // clang-format on
    return table;
}

bool COutilModificationGrapheSuite::isEligible(CElementBase* e) const {
    return dynamic_cast<CGrapheSuiteRec*>(e) || dynamic_cast<CGrapheSuiteRecComplexe*>(e);
}

bool COutilModificationGrapheSuite::edit(CListeAction&, CElementBase* e) {
    auto* real = dynamic_cast<CGrapheSuiteRec*>(e);
    auto* complex = dynamic_cast<CGrapheSuiteRecComplexe*>(e);
    const bool option = real ? real->withAxisLines : complex->joined;
    std::vector<std::string> values{option ? "1" : "0"};
    if (!toolDialogs().editFields(undoLabel(), {graphOptionLabel(complex != nullptr)}, values))
        return false;
    values.resize(1);
    (real ? real->withAxisLines : complex->joined) = values[0] == "1";
    return true;
}
