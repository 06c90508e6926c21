#include "view/COutilsMesures.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>

#include "calc/ValueNames.h"
#include "core/CHost.h"
#include "document/CPelvantiDoc.h"
#include "geometry/CAffichage.h"
#include "geometry/CPolygone.h"
#include "geometry/CRepere.h"
#include "measures/CMesure.h"
#include "values/ValueDialogs.h"
#include "view/COutilsCalculs.h"
#include "view/CPelvantiView.h"
#include "view/Commands.h"
#include "view/ToolTexts.h"

namespace {
constexpr Nature P = nat::point;
// Offset of a new display from its point, in figure units.
constexpr double kTiedOffset = 50;

int8_t colour() {
    return static_cast<int8_t>(etatPalettes().colour);
}

ToolEntries single(Nature n, std::unique_ptr<CElementBase> object) {
    ToolEntries out;
    out.push_back(std::make_unique<CAction>(n, std::move(object)));
    return out;
}

// Designated point `i`; a measure is named after its points, so an unnamed one gets a name.
CPointAncetre* namedPoint(ToolContext& c, size_t i) {
    auto* p = i < c.parents.size() ? dynamic_cast<CPointAncetre*>(c.parents[i]) : nullptr;
    if (p && p->getName().empty()) p->setName(c.doc->list().nextPointName(p));
    return p;
}

// The new measure, unless its automatic name is already a value's.
ToolEntries measure(ToolContext& c, Nature n, std::unique_ptr<CValeurDynamique> m) {
    if (isMeasureNameTaken(c.doc->list(), m->getName())) {
        toolMessage(Msg::measureNameTaken, MB_OK | MB_ICONEXCLAMATION);
        return {};
    }
    return single(n, std::move(m));
}

ToolEntries buildLength(ToolContext& c) {
    CPointAncetre *a = namedPoint(c, 0), *b = namedPoint(c, 1);
    return measure(c, nat::mesure, std::make_unique<CLongueur>(&c.doc->list(), a, b));
}

template <class Angle>
ToolEntries buildAngle(ToolContext& c) {
    CPointAncetre *a = namedPoint(c, 0), *o = namedPoint(c, 1), *b = namedPoint(c, 2);
    return measure(c, nat::mesure, std::make_unique<Angle>(a, o, b));
}

ToolEntries buildAbscissa(ToolContext& c) {
    CPointAncetre *o = namedPoint(c, 0), *i = namedPoint(c, 1), *m = namedPoint(c, 2);
    return measure(c, nat::mesure, std::make_unique<CMesureAbscisse>(o, i, m));
}

// The frame of a coordinate: the only one, or the one the user chooses.
CRepere* chooseFrame(CListeAction& list) {
    std::vector<CRepere*> frames;
    std::vector<std::string> names;
    for (CActionAncetre* e : list.entries())
        if (auto* r = dynamic_cast<CRepere*>(e->element); r && (e->nature & nat::repere)) {
            frames.push_back(r);
            names.push_back("(" + r->O->getName() + "," + r->I->getName() + "," + r->J->getName() +
                            ")");
        }
    if (frames.size() <= 1) return frames.empty() ? nullptr : frames.front();
    int index = 0;
    if (!toolDialogs().chooseItem("Choix du repère", names, index) || index < 0 ||
        index >= static_cast<int>(frames.size()))
        return nullptr;
    return frames[index];
}

template <class Coordinate>
ToolEntries buildCoordinate(ToolContext& c) {
    CPointAncetre* m = namedPoint(c, 0);
    CRepere* frame = chooseFrame(c.doc->list());
    if (!frame || !m) return {};
    for (CPointAncetre* p : {frame->O, frame->I, frame->J})
        if (p->getName().empty()) p->setName(c.doc->list().nextPointName(p));
    const Nature n = std::is_same_v<Coordinate, CMesureAffixe> ? nat::mesureAffixe : nat::mesure;
    return measure(c, n, std::make_unique<Coordinate>(frame, m));
}

// A name typed by the user (areas, lengths of lines); empty on Cancel.
std::string askMeasureName(CListeAction& list, const char* title, const std::string& base) {
    FormulaDialog d;
    d.title = title;
    d.labels = {"Nom de la mesure :"};
    d.values = {isValueNameTaken(list, base) ? uniqueNumberedValueName(list, base) : base};
    d.check = [&](FormulaDialog& d, int&) {
        if (int m = checkValueName(list, d.values[0], list.count())) {
            toolMessage(m, MB_OK | MB_ICONEXCLAMATION);
            return 0;
        }
        return -1;
    };
    return toolDialogs().editFormula(d) ? d.values[0] : std::string();
}

ToolEntries buildArea(ToolContext& c) {
    auto* polygon = c.parents.empty() ? nullptr : dynamic_cast<CPolygone*>(c.parents[0]);
    if (!polygon) return {};
    std::string name = askMeasureName(c.doc->list(), "Aire d'un polygone", "aire");
    if (name.empty()) return {};
    return single(nat::mesure, std::make_unique<CMesureAire>(name, &c.doc->list(), polygon));
}

ToolEntries buildLineLength(ToolContext& c) {
    auto* line = c.parents.empty() ? nullptr : dynamic_cast<CLignePolygonaleAncetre*>(c.parents[0]);
    if (!line) return {};
    std::string name = askMeasureName(c.doc->list(), "Longueur d'une ligne", "long");
    if (name.empty()) return {};
    return single(nat::mesure, std::make_unique<CMesureLongueurLigne>(name, &c.doc->list(), line));
}

// ---------------------------------------------------------------------------------------------
// Displays

std::vector<FormulaDialog::Box> frameBoxes(const CAffichageLieAPoint& d) {
    return {{"avec encadrement", d.framed}, {"avec effacement de l'arrière-plan", d.opaque}};
}
void readFrameBoxes(const FormulaDialog& f, CAffichageLieAPoint& d) {
    d.framed = f.boxes[0].checked;
    d.opaque = f.boxes[1].checked;
}

// The value, texts, decimals and options of a value display, from its dialog.
bool valueDisplayDialog(const CListeAction& list, int limit, CValeurAffichee& v) {
    std::vector<CValeurDynamique*> values;
    std::vector<std::string> names;
    int index = 0;
    for (int i = 0; i < std::min(limit, list.count()); ++i)
        if (list.entryAt(i)->nature & (nat::valeurReelle | nat::valeurComplexe)) {
            auto* x = dynamic_cast<CValeurDynamique*>(list.elementAt(i));
            if (!x) continue;
            if (x == v.V || (!v.V && i > 0)) index = static_cast<int>(values.size());
            values.push_back(x);
            names.push_back(x->getName());
        }
    FormulaDialog d;
    d.title = "Affichage de valeur";
    d.labels = {"Texte avant la valeur :", "Texte après la valeur :", "Nombre de décimales :"};
    d.values = {v.prefix, v.suffix, std::to_string(v.decimals)};
    d.choices = {{"Valeur à afficher :", names, index}};
    d.boxes = frameBoxes(v);
    int decimals = 0;
    d.check = [&](FormulaDialog& d, int&) {
        if (readWholeNumber(d.values[2], 0, 16, decimals)) return -1;
        toolMessageText("Le nombre de décimales doit être\nun entier de 0 à 16",
                        MB_OK | MB_ICONEXCLAMATION);
        return 2;
    };
    if (values.empty() || !toolDialogs().editFormula(d)) return false;
    v.V = values[d.choices[0].index];
    v.prefix = d.values[0];
    v.suffix = d.values[1];
    v.decimals = static_cast<int8_t>(decimals);
    readFrameBoxes(d, v);
    return true;
}

bool commentDialog(CCommentaire& c) {
    FormulaDialog d;
    d.title = "Commentaire";
    d.labels = {"Texte du commentaire :"};
    d.values = {c.comment};
    d.boxes = frameBoxes(c);
    if (c.figure) d.insertable = insertableNames(*c.figure, c.figure->count(), false);
    d.check = [](FormulaDialog& d, int&) {
        if (!d.values[0].empty()) return -1;
        toolMessageText("\nVous devez entrer\nun texte", MB_OK | MB_ICONEXCLAMATION);
        return 0;
    };
    if (!toolDialogs().editFormula(d)) return false;
    c.setComment(d.values[0]);
    readFrameBoxes(d, c);
    return true;
}

// The chooser's filter: every format the picture reader decodes.
const std::string& imageFilter() {
    static const std::string filter = [] {
        QStringList globs;
        for (const QByteArray& f : QImageReader::supportedImageFormats())
            globs << QStringLiteral("*.") + QString::fromLatin1(f);
        return QStringLiteral("Images (%1);;Tous les fichiers (*)")
            .arg(globs.join(QLatin1Char(' ')))
            .toStdString();
    }();
    return filter;
}

// The picture file, found against the figure's folder when the path is relative.
bool imageDialog(const CPelvantiDoc& doc, CImage& image) {
    const QDir folder = QFileInfo(QString::fromStdString(doc.path)).absoluteDir();
    FormulaDialog d;
    d.title = "Affichage d'image";
    d.labels = {"Fichier image :"};
    d.values = {image.absolutePath};
    d.fileField = 0;
    d.fileFilter = imageFilter();
    d.fileFolder = folder.absolutePath().toStdString();
    d.boxes = frameBoxes(image);
    d.check = [](FormulaDialog& d, int&) {
        if (!d.values[0].empty()) return -1;
        toolMessageText("\nVous devez indiquer\nun fichier image", MB_OK | MB_ICONEXCLAMATION);
        return 0;
    };
    if (!toolDialogs().editFormula(d)) return false;
    const QString file =
        QDir::cleanPath(folder.absoluteFilePath(QString::fromStdString(d.values[0])));
    image.absolutePath = file.toStdString();
    image.relativePath = folder.relativeFilePath(file).toStdString();
    // Read again at the next positioning; a file that cannot be read shows the placeholder.
    image.loaded = image.loadAttempted = false;
    image.picture.reset();
    readFrameBoxes(d, image);
    return true;
}

// A new display goes where the user clicked, or beside the designated point.
void place(ToolContext& c, CAffichageLieAPoint& d) {
    d.point = c.parents.empty() ? nullptr : dynamic_cast<CPointAncetre*>(c.parents[0]);
    d.setNameAnchor(d.point ? d.point->x : c.x, d.point ? d.point->y : c.y);
    if (d.point) d.setNameOffset(kTiedOffset, kTiedOffset);
    d.setColour(colour());
}

ToolEntries buildValueDisplay(ToolContext& c) {
    if (!c.doc) return {};
    auto d = std::make_unique<CValeurAffichee>();
    place(c, *d);
    CListeAction& list = c.doc->list();
    if (!valueDisplayDialog(list, list.count(), *d)) return {};
    return single(nat::valeurAffichee, std::move(d));
}

ToolEntries buildComment(ToolContext& c) {
    if (!c.doc) return {};
    auto d = std::make_unique<CCommentaire>("", &c.doc->list(), nullptr, 0, 0);
    place(c, *d);
    if (!commentDialog(*d)) return {};
    return single(nat::commentaire, std::move(d));
}

ToolEntries buildImage(ToolContext& c) {
    if (!c.doc) return {};
    auto d = std::make_unique<CImage>("", "", &c.doc->list(), nullptr, 0, 0);
    place(c, *d);
    if (!imageDialog(*c.doc, *d)) return {};
    return single(nat::image, std::move(d));
}

template <class Display>
Display* display(CActionAncetre* e) {
    return e ? dynamic_cast<Display*>(e->element) : nullptr;
}

bool applyValueDisplay(CPelvantiView* view, CActionAncetre* e) {
    auto* v = display<CValeurAffichee>(e);
    CListeAction& list = view->document()->list();
    return v && valueDisplayDialog(list, list.indexOf(v), *v);
}

bool applyComment(CPelvantiView* view, CActionAncetre* e) {
    auto* c = display<CCommentaire>(e);
    if (!c || !commentDialog(*c)) return false;
    // A comment comes after the values its fields show.
    CPelvantiDoc& doc = *view->document();
    CListeAction& list = doc.list();
    for (CValeurDynamique* v : c->values)
        if (list.indexOf(v) > list.indexOf(c)) {
            doc.reclassToEnd(list.entryAt(list.indexOf(c)));
            break;
        }
    return true;
}

bool applyImage(CPelvantiView* view, CActionAncetre* e) {
    auto* i = display<CImage>(e);
    return i && imageDialog(*view->document(), *i);
}

// A display freed from its point stays where it is shown.
bool applyUnlink(CPelvantiView*, CActionAncetre* e) {
    auto* d = display<CAffichageLieAPoint>(e);
    if (!d || !d->point) return false;
    d->point = nullptr;
    return true;
}

}  // namespace

// ---------------------------------------------------------------------------------------------

bool COutilMesure::isAvailable() {
    return valuePreconditionsHoldInActiveView(desc_.unavailable);
}

bool COutilMesure::build(CPelvantiDoc* doc) {
    CListeAction& list = doc->list();
    const int before = list.count();
    if (!COutilDesigne::build(doc)) return false;
    if (list.count() > before)
        if (auto* v = dynamic_cast<CValeurDynamique*>(list.elementAt(list.count() - 1))) {
            const std::string message = v->getCreationMessage();
            if (!message.empty()) toolMessageText(message, MB_OK | MB_ICONINFORMATION);
        }
    return true;
}

bool COutilLiaisonAffichage::build(CPelvantiDoc* doc) {
    if (designated_.size() < 2) return false;
    auto* d = dynamic_cast<CAffichageLieAPoint*>(designated_[0]);
    auto* p = dynamic_cast<CPointAncetre*>(designated_[1]);
    CListeAction& list = doc->list();
    if (!d || !p || d->point == p || !list.contains(d) || !list.contains(p)) return false;
    // A display comes after the point it follows.
    if (list.indexOf(p) > list.indexOf(d) && !doc->reclassToEnd(list.entryAt(list.indexOf(d)))) {
        toolMessageText("Cet affichage ne peut pas être lié à ce point",
                        MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    // It stays where it is shown: its offset is taken from the point.
    const double x = d->nameAnchorX + d->nameOffsetX, y = d->nameAnchorY + d->nameOffsetY;
    d->point = p;
    d->setNameAnchor(p->x, p->y);
    d->setNameOffset(x - p->x, y - p->y);
    return true;
}

bool COutilModificationAffichage::isAvailable() {
    return valuePreconditionsHoldInActiveView(desc().unavailable);
}

const std::vector<ToolDesc>& measureToolTable() {
    using namespace Msg;
    // clang-format off
    static const std::vector<ToolDesc> table = {
        {Cmd::measureLength, "Calculs/Mesurer", "Longueur", promptMeasureLength1, {P, P}, 0, {needTwoPoints, needUnitLength}, true, "Mesurer longueur", buildLength},
        {Cmd::measureAngle, "Calculs/Mesurer", "Angle géométrique", promptMeasureAngle1, {P, P, P}, 0, {needThreePoints}, true, "Mesurer angle géométrique", buildAngle<CMesureAngleGeometrique>},
        {Cmd::measureOrientedAngle, "Calculs/Mesurer", "Angle orienté", promptMeasureOrientedAngle1, {P, P, P}, 0, {needThreePoints}, true, "Mesurer angle orienté", buildAngle<CMesureAngleOriente>},
        {Cmd::measureAbscissa, "Calculs/Mesurer", "Abscisse sur droite", promptMeasureAbscissa1, {P, P, P}, 0, {needThreePoints}, true, "Mesurer abscisse", buildAbscissa},
        {Cmd::measureX, "Calculs/Mesurer", "Abscisse dans repère", promptMeasureX, {P}, 0, {needFrame, needPoint}, true, "Mesurer abscisse dans repère", buildCoordinate<CMesureX>},
        {Cmd::measureY, "Calculs/Mesurer", "Ordonnée dans repère", promptMeasureY, {P}, 0, {needFrame, needPoint}, true, "Mesurer ordonnée dans repère", buildCoordinate<CMesureY>},
        {Cmd::measureAffix, "Calculs/Mesurer", "Affixe dans repère", promptMeasureAffix, {P}, 0, {needFrame, needPoint}, true, "Mesurer affixe", buildCoordinate<CMesureAffixe>},
        {Cmd::measureArea, "Calculs/Mesurer", "Aire d'un polygone", promptMeasureArea, {nat::polygone}, 0, {needUnitLength, needPolygon}, true, "Mesurer aire polygone ", buildArea},
        {Cmd::measureLineLength, "Calculs/Mesurer", "Longueur d'une ligne", promptMeasureLineLength, {nat::polygone | nat::ligneBrisee}, 0, {needUnitLength, needPolyline}, true, "Mesurer longueur d'une ligne ", buildLineLength},
        {Cmd::valueDisplayFree, "Créer/Affichage de valeur", "Libre", promptValueDisplayFree, {}, 0, {needValue}, true, "Créer affichage valeur", buildValueDisplay},
        {Cmd::valueDisplayLinked, "Créer/Affichage de valeur", "Lié à un point", promptValueDisplayLinked, {P}, 0, {needPoint}, true, "Créer affichage valeur", buildValueDisplay},
        {Cmd::commentFree, "Créer/Commentaire", "Libre", promptCommentFree, {}, 0, {}, true, "Créer commentaire", buildComment},
        {Cmd::commentLinked, "Créer/Commentaire", "Lié à un point", promptCommentLinked, {P}, 0, {needPoint}, true, "Créer commentaire", buildComment},
        {Cmd::imageFree, "Créer/Affichage d'image", "Libre", promptImageFree, {}, 0, {needSavedFigure}, true, "Créer affichage d'image", buildImage},
        {Cmd::imageLinked, "Créer/Affichage d'image", "Lié à un point", promptImageLinked, {P}, 0, {needSavedFigure, needPoint}, true, "Créer affichage d'image", buildImage},
        {Cmd::linkDisplay, "Modifier/Création d'une liaison", "Entre un affichage et un point", promptLinkDisplay1, {kDisplays, P}, 0, {needDisplay, needPoint}, true, "Créer liaison", nullptr},
    };
    // clang-format on
    return table;
}

const std::vector<EditDesc>& displayEditToolTable() {
    using namespace Msg;
    // clang-format off
    static const std::vector<EditDesc> table = {
        {Cmd::modifyValueDisplay, "Modifier", "Affichage de valeur", promptModifyValueDisplay, nat::valeurAffichee, {needValueDisplay}, true, "Modifier affichage valeur", false, applyValueDisplay},
        {Cmd::modifyComment, "Modifier", "Commentaire", promptModifyComment, nat::commentaire, {needComment}, true, "Modifier commentaire", false, applyComment},
        {Cmd::modifyImage, "Modifier", "Affichage d'image", promptModifyImage, nat::image, {needImage}, true, "Modifier affichage d'image", false, applyImage},
        {Cmd::unlinkDisplay, "Modifier/Suppression d'une liaison", "Entre un affichage et un point", promptUnlinkDisplay, kDisplays, {needTiedDisplay}, true, "Supprimer liaison", false, applyUnlink},
    };
    // clang-format on
    return table;
}
