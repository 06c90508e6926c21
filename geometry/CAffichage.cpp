#include "geometry/CAffichage.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/CArchive.h"
#include "core/CHost.h"
#include "core/CListeAction.h"
#include "core/CPalette.h"
#include "core/CPreferences.h"
#include "values/CCalcul.h"
#include "values/CFonc.h"
#include "values/CValeurDynamique.h"

IMPLEMENT_SERIAL(CAffichageLieAPoint, CElementGraphique, 1)
IMPLEMENT_SERIAL(CValeurAffichee, CAffichageLieAPoint, 1)
IMPLEMENT_SERIAL(CCommentaire, CAffichageLieAPoint, 1)
IMPLEMENT_SERIAL(CImage, CAffichageLieAPoint, 1)

namespace {
std::string& folderSetting() {
    static std::string folder;
    return folder;
}

int truncToInt(double v) {
    if (!(v > -2147483648.0)) return -2147483647 - 1;
    if (!(v < 2147483647.0)) return 2147483647;
    return static_cast<int>(v);
}

// Lines of a text; "\r\n" and "\n" both end a line.
std::vector<std::string> splitLines(const std::string& s) {
    std::vector<std::string> lines(1);
    for (char c : s) {
        if (c == '\r') continue;
        if (c == '\n')
            lines.emplace_back();
        else
            lines.back() += c;
    }
    return lines;
}

const char* const kIndent = "\n      ";
}  // namespace

void setFigureFolder(const std::string& folder) {
    folderSetting() = folder;
}

const std::string& figureFolder() {
    return folderSetting();
}

// ---------------------------------------------------------------------------------------------
// CAffichageLieAPoint

CAffichageLieAPoint::CAffichageLieAPoint() {}

CAffichageLieAPoint::CAffichageLieAPoint(CPointAncetre* p, double x, double y, int8_t colour)
    : CElementGraphique(colour), point(p) {
    nameAnchorX = x;
    nameAnchorY = y;
    nameOffsetX = 0;
    nameOffsetY = 0;
}

IMPLEMENT_REFS(CAffichageLieAPoint, CElementGraphique, optional(point))

void CAffichageLieAPoint::Serialize(CArchive& ar) {
    CElementGraphique::Serialize(ar);
    serializeOwnRefs(ar, *this);
    if (ar.IsStoring()) {
        ar.writeByte(static_cast<uint8_t>(fontIndex));
        ar.writeDouble(nameAnchorX);
        ar.writeDouble(nameAnchorY);
        ar.writeBool(framed);
        ar.writeBool(opaque);
    } else {
        fontIndex = static_cast<int8_t>(ar.readByte());
        nameAnchorX = ar.readDouble();
        nameAnchorY = ar.readDouble();
        framed = ar.readBool();
        opaque = ar.readBool();
        boxValid = false;
    }
}

void CAffichageLieAPoint::readPreviousFormat(CArchive& ar) {
    CElementGraphique::readPreviousFormat(ar);
    serializeOwnRefs(ar, *this);
    fontIndex = static_cast<int8_t>(ar.readByte());
    nameAnchorX = ar.readDouble();
    nameAnchorY = ar.readDouble();
    framed = ar.readBool();
    opaque = ar.readBool();
}

void CAffichageLieAPoint::copyStateFrom(const CElementBase& src) {
    CElementGraphique::copyStateFrom(src);
    if (const auto* d = dynamic_cast<const CAffichageLieAPoint*>(&src)) {
        text = d->text;
        box = d->box;
        boxValid = d->boxValid;
    }
}

void CAffichageLieAPoint::updateNameAnchor() {
    if (point) setNameAnchor(point->x, point->y);
}

void CAffichageLieAPoint::computePosition() {
    if (point) {
        exists = point->exists && !point->outOfRange;
        if (!exists) return;
        updateNameAnchor();
    } else {
        exists = true;
    }
    text = getText();
}

std::string CAffichageLieAPoint::getText() {
    return "";
}

CFontDesc CAffichageLieAPoint::textFont() const {
    const CLogFont& lf = preferences().textFont;
    CFontDesc f;
    f.faceName = lf.faceName;
    f.pointSize = namePointSize(fontIndex);
    f.weight = lf.weight;
    f.italic = lf.italic != 0;
    f.underline = lf.underline != 0;
    f.strikeOut = lf.strikeOut != 0;
    return f;
}

LSize CAffichageLieAPoint::measureText(CDC* dc, const std::string& s) const {
    dc->selectFont(textFont());
    const int lineHeight = dc->textExtent("A").cy;
    LSize size;
    for (const std::string& line : splitLines(s)) {
        if (!line.empty()) size.cx = std::max(size.cx, dc->textExtent(line).cx);
        size.cy += lineHeight;
    }
    return size;
}

void CAffichageLieAPoint::paintText(CDC* dc, const std::string& s, int x, int y) const {
    dc->selectFont(textFont());
    const int lineHeight = dc->textExtent("A").cy;
    for (const std::string& line : splitLines(s)) {
        if (!line.empty()) dc->textOut(x, y, line);
        y += lineHeight;
    }
}

void CAffichageLieAPoint::corner(int* left, int* top) const {
    *left = truncToInt(nameAnchorX + nameOffsetX);
    *top = truncToInt(nameAnchorY + nameOffsetY);
}

void CAffichageLieAPoint::layout(CDC* dc) {
    int left, top0;
    corner(&left, &top0);
    const LSize size = measureText(dc, text);
    box = {left, top0 + 20, left + size.cx + 20, top0 + size.cy};
    boxValid = true;
}

namespace {
// A free display moved far away (by a translation of the figure) still exists, but like a point
// out of range it is not drawn.
bool boxInRange(const LRect& b) {
    return geo::inRange(b.left, b.top) && geo::inRange(b.right, b.bottom);
}
}  // namespace

void CAffichageLieAPoint::draw(CDC* dc, bool hideMasked) {
    if (!exists || (hideMasked && masked)) return;
    layout(dc);
    if (boxInRange(box)) drawText(dc, false, hideMasked);
}

void CAffichageLieAPoint::erase(CDC* dc, bool hideMasked) {
    if (!exists || (hideMasked && masked)) return;
    layout(dc);
    if (boxInRange(box)) drawText(dc, true, hideMasked);
}

void CAffichageLieAPoint::drawText(CDC* dc, bool eraseMode, bool hideMasked) {
    if (text.empty() || (hideMasked && masked)) return;
    const int c = eraseMode ? 0 : colour;
    if (opaque && !eraseMode) dc->fillRect(box, CPalette::colour(0));
    dc->setBkMode(BK_TRANSPARENT);
    dc->setTextColour(CPalette::colour(c));
    int left, top0;
    corner(&left, &top0);
    paintText(dc, text, left + 10, top0 + 10);
    if (framed) {
        dc->selectPen(CPalette::thinPen(c));
        dc->selectBrush(CBrushDesc::nullBrush());
        dc->rectangle(box.left, box.top, box.right, box.bottom);
    }
}

void CAffichageLieAPoint::translate(double dx, double dy) {
    if (!point) {
        setNameAnchor(nameAnchorX + dx, nameAnchorY + dy);
    } else if (preferences().displaysTranslation) {
        setNameOffset(nameOffsetX + dx, nameOffsetY + dy);
    }
}

std::string CAffichageLieAPoint::getStatusText() const {
    std::string s = CElementGraphique::getStatusText();
    if (opaque) s = joinStatus(s, "avec effacement de l'arrière-plan");
    if (framed) s = joinStatus(s, "avec encadrement");
    return s;
}

int CAffichageLieAPoint::designationDistance(int mx, int my, bool hideMasked) {
    if (!exists || !boxValid || (hideMasked && masked)) return kNotDesignable;
    if (mx >= box.left && mx <= box.right && my >= box.top && my <= box.bottom) return 0;
    return kNotDesignable;
}

std::string CAffichageLieAPoint::tiedText() const {
    return point ? std::string(kIndent) + "lié au point " + geo::nameOf(point) : std::string();
}

// ---------------------------------------------------------------------------------------------
// CValeurAffichee

CValeurAffichee::CValeurAffichee(CValeurDynamique* v, CPointAncetre* p, double x, double y,
                                 std::string prefix, std::string suffix, int decimals,
                                 int8_t colour)
    : CAffichageLieAPoint(p, x, y, colour),
      V(v),
      prefix(std::move(prefix)),
      suffix(std::move(suffix)),
      decimals(static_cast<int8_t>(decimals)) {}

IMPLEMENT_REFS(CValeurAffichee, CAffichageLieAPoint, V)

void CValeurAffichee::Serialize(CArchive& ar) {
    CAffichageLieAPoint::Serialize(ar);
    if (ar.IsStoring()) {
        ar.writeString(prefix);
        ar.writeString(suffix);
        ar.writeByte(static_cast<uint8_t>(decimals));
    } else {
        prefix = ar.readString();
        suffix = ar.readString();
        decimals = static_cast<int8_t>(ar.readByte());
    }
    serializeOwnRefs(ar, *this);
}

void CValeurAffichee::readPreviousFormat(CArchive& ar) {
    CAffichageLieAPoint::readPreviousFormat(ar);
    prefix = ar.readString();
    suffix = ar.readString();
    decimals = static_cast<int8_t>(ar.previousDecimals);
    serializeOwnRefs(ar, *this);
}

void CValeurAffichee::computePosition() {
    if (!geo::existing(V)) {
        exists = false;
        return;
    }
    CAffichageLieAPoint::computePosition();
}

bool CValeurAffichee::coincidesWith(const CElementBase* other) const {
    if (!other || other->GetRuntimeClass() != GetRuntimeClass()) return false;
    const auto* d = static_cast<const CValeurAffichee*>(other);
    return d->V == V && d->point == point && d->prefix == prefix && d->suffix == suffix &&
           (point || (d->nameAnchorX == nameAnchorX && d->nameAnchorY == nameAnchorY));
}

std::string CValeurAffichee::getText() {
    if (!V) return "";
    const int k = V->getValueKind();
    const bool complex = k != -1 && (k & (kind::calculComplexe | kind::affixe |
                                          kind::fonctionComplexe | kind::suiteRecComplexe));
    const std::string value =
        complex ? V->getComplexValueText(decimals) : V->getValueText(decimals);
    if (prefix == "*") return V->getName() + " = " + value + suffix;
    return prefix + value + suffix;
}

// The value comes first, before the point that is the first slot.
std::string CValeurAffichee::getConstructionInfo(CElementBase** a, CElementBase** b,
                                                 CElementBase** c) const {
    if (a) *a = V;
    if (b) *b = point;
    if (c) *c = nullptr;
    return "Affichage de la valeur de " + (V ? V->getName() : std::string()) +
           (point ? " (lié à un point)" : "");
}

std::string CValeurAffichee::getDescription() const {
    return "Affichage de valeur : " + getName() + kIndent + "Affichage de la valeur de " +
           (V ? V->getName() : std::string()) + tiedText() + kIndent +
           "Affichage précédé de : " + prefix + kIndent + "Affichage suivi de : " + suffix;
}

// ---------------------------------------------------------------------------------------------
// CCommentaire

namespace {
// The value of `figure` named `name` (any case), or null.
CValeurDynamique* valueNamed(const CListeAction* figure, const std::string& name) {
    if (!figure || name.empty()) return nullptr;
    for (CActionAncetre* e : figure->entries()) {
        if (!e->isOfNature(nat::valeurOuFonction)) continue;
        auto* v = dynamic_cast<CValeurDynamique*>(e->element);
        if (v && v->hasName(name)) return v;
    }
    return nullptr;
}

size_t nextFieldStart(const std::string& s, size_t from) {
    return std::min(s.find("#Val(", from), s.find("#For(", from));
}

std::vector<std::string> splitAtCommas(const std::string& s) {
    std::vector<std::string> parts(1);
    for (char c : s) {
        if (c == ',')
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

// Number of decimals of a field part: its leading whole number, within the formatter's reach.
int decimalsOf(const std::string& part) {
    long n = std::strtol(part.c_str(), nullptr, 10);
    return static_cast<int>(std::clamp(n, 0L, 15L));
}
}  // namespace

CCommentaire::CCommentaire(std::string c, CListeAction* figure, CPointAncetre* p, double x,
                           double y, int8_t colour)
    : CAffichageLieAPoint(p, x, y, colour), comment(std::move(c)), figure(figure) {
    rebuildValueList();
}

void CCommentaire::setComment(const std::string& c) {
    comment = c;
    rebuildValueList();
}

void CCommentaire::rebuildValueList() {
    values.clear();
    expandFields(comment, figure, &values);
}

std::string CCommentaire::expandFields(const std::string& s, const CListeAction* figure,
                                       std::vector<CValeurDynamique*>* found) {
    constexpr size_t kStartLength = 5;
    if (nextFieldStart(s, 0) == std::string::npos) return s;
    std::string out;
    size_t pos = 0;
    while (pos < s.size()) {
        const size_t start = nextFieldStart(s, pos);
        if (start == std::string::npos) {
            out.append(s, pos, std::string::npos);
            break;
        }
        out.append(s, pos, start - pos);
        const size_t close = s.find(')', start + kStartLength);
        if (close == std::string::npos) {
            out.append(s, start, std::string::npos);
            break;
        }
        const size_t other = nextFieldStart(s, start + kStartLength);
        if (other != std::string::npos && other < close) {
            out.append(s, start, kStartLength);
            pos = start + kStartLength;
            continue;
        }
        std::string inside = s.substr(start + kStartLength, close - start - kStartLength);
        inside.erase(std::remove(inside.begin(), inside.end(), ' '), inside.end());
        const std::vector<std::string> parts = splitAtCommas(inside);
        CValeurDynamique* v = valueNamed(figure, parts[0]);
        const bool isFormula = s.compare(start, kStartLength, "#For(") == 0;
        if (!v || (isFormula && !dynamic_cast<CCalcul*>(v))) {
            out.append(s, start, close + 1 - start);
            pos = close + 1;
            continue;
        }
        if (found && std::find(found->begin(), found->end(), v) == found->end())
            found->push_back(v);
        if (isFormula) {
            // CFonc derives from CCalcul: both keep the formula as typed.
            out += static_cast<CCalcul*>(v)->formula;
        } else if (v->exists) {
            int decimals = 2;
            bool sign = false;
            if (parts.size() >= 2) {
                if (parts[1] == "+") {
                    sign = true;
                } else {
                    decimals = decimalsOf(parts[1]);
                    sign = parts.size() >= 3 && parts[2] == "+";
                }
            }
            if (sign && v->getValue() >= 0) out += "+";
            out += v->getDisplayValueText(decimals);
        }
        pos = close + 1;
    }
    return out;
}

std::string CCommentaire::getText() {
    return expandFields(comment, figure, nullptr);
}

void CCommentaire::forEachRef(CRefVisitor& v) {
    CAffichageLieAPoint::forEachRef(v);
    for (CValeurDynamique*& value : values) v(value);
}

void CCommentaire::Serialize(CArchive& ar) {
    CAffichageLieAPoint::Serialize(ar);
    if (ar.IsStoring()) {
        ar.writeString(comment);
    } else {
        comment = ar.readString();
        figure = ar.currentList();
        rebuildValueList();
    }
}

void CCommentaire::readPreviousFormat(CArchive& ar) {
    CAffichageLieAPoint::readPreviousFormat(ar);
    comment = ar.readString();
    figure = ar.currentList();
    rebuildValueList();
}

// Only the point: the values named in the text are not shown as parents.
std::string CCommentaire::getConstructionInfo(CElementBase** a, CElementBase** b,
                                              CElementBase** c) const {
    if (a) *a = point;
    if (b) *b = nullptr;
    if (c) *c = nullptr;
    return std::string("Commentaire ") + (point ? " (lié à un point)" : "");
}

std::string CCommentaire::getDescription() const {
    std::string d = "Commentaire " + getName() + tiedText() + kIndent + "Texte du commentaire :";
    for (const std::string& line : splitLines(comment)) d += kIndent + line;
    return d;
}

// ---------------------------------------------------------------------------------------------
// CImage

CImage::CImage() {
    syncPlaceholder();
}

CImage::CImage(std::string absolute, std::string relative, CListeAction* figure, CPointAncetre* p,
               double x, double y, int8_t colour)
    : CAffichageLieAPoint(p, x, y, colour),
      figure(figure),
      absolutePath(std::move(absolute)),
      relativePath(std::move(relative)) {
    syncPlaceholder();
}

CImage::~CImage() = default;

void CImage::syncPlaceholder() {
    if (!placeholder)
        placeholder = std::make_unique<CCommentaire>(kPlaceholder, nullptr, nullptr, 0, 0);
    placeholder->colour = colour;
    placeholder->fontIndex = fontIndex;
    placeholder->framed = framed;
    placeholder->opaque = opaque;
    placeholder->masked = masked;
    placeholder->nameAnchorX = nameAnchorX;
    placeholder->nameAnchorY = nameAnchorY;
    placeholder->nameOffsetX = nameOffsetX;
    placeholder->nameOffsetY = nameOffsetY;
}

void CImage::Serialize(CArchive& ar) {
    CAffichageLieAPoint::Serialize(ar);
    if (ar.IsStoring()) {
        ar.writeString(absolutePath);
        ar.writeString(relativePath);
        ar.writeSize(width, height);
    } else {
        absolutePath = ar.readString();
        relativePath = ar.readString();
        ar.readSize(width, height);
        figure = ar.currentList();
        picture.reset();
        loaded = false;
        loadAttempted = false;
        placeholder.reset();
        syncPlaceholder();
    }
}

void CImage::copyStateFrom(const CElementBase& src) {
    CAffichageLieAPoint::copyStateFrom(src);
    if (const auto* i = dynamic_cast<const CImage*>(&src)) {
        width = i->width;
        height = i->height;
    }
    syncPlaceholder();
}

bool CImage::loadPicture() {
    namespace fs = std::filesystem;
    std::vector<fs::path> candidates;
    if (!relativePath.empty()) {
        fs::path rel = fs::u8path(relativePath);
        candidates.push_back(figureFolder().empty() ? rel : fs::u8path(figureFolder()) / rel);
    }
    if (!absolutePath.empty()) candidates.push_back(fs::u8path(absolutePath));
    for (const fs::path& p : candidates) {
        std::error_code ec;
        if (!fs::is_regular_file(p, ec)) continue;
        std::ifstream in(p, std::ios::binary);
        if (!in) continue;
        std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                   std::istreambuf_iterator<char>());
        if (bytes.empty()) continue;
        std::unique_ptr<CPicture> pic = host().decodePicture(bytes);
        if (!pic) continue;
        const LSize px = pic->sizeInPixels();
        if (px.cx <= 0 || px.cy <= 0) continue;
        picture = std::move(pic);
        width = px.cx * 10;
        height = px.cy * 10;
        return true;
    }
    return false;
}

void CImage::computePosition() {
    CAffichageLieAPoint::computePosition();
    syncPlaceholder();
    if (!exists) return;
    if (!loadAttempted) {
        loadAttempted = true;
        loaded = loadPicture();
    }
    if (!loaded) placeholder->computePosition();
}

void CImage::layout(CDC* dc) {
    if (!loaded) {
        syncPlaceholder();
        placeholder->computePosition();
        placeholder->layout(dc);
        box = placeholder->box;
        boxValid = true;
        return;
    }
    int left, top;
    corner(&left, &top);
    box = {left, top, left + width - 10, top + height - 10};
    if (framed) box = {box.left - 10, box.top - 10, box.right + 10, box.bottom + 10};
    boxValid = true;
}

void CImage::drawText(CDC* dc, bool eraseMode, bool hideMasked) {
    if (hideMasked && masked) return;
    if (!loaded || !picture) {
        placeholder->drawText(dc, eraseMode, hideMasked);
        return;
    }
    const int c = eraseMode ? 0 : colour;
    if (eraseMode) {
        dc->fillRect(box, CPalette::colour(0));
    } else {
        if (opaque) dc->fillRect(box, CPalette::colour(0));
        LRect dest = box;
        if (framed) dest = {box.left + 10, box.top + 10, box.right - 10, box.bottom - 10};
        dc->drawPicture(*picture, dest);
    }
    if (framed) {
        dc->selectPen(CPalette::thinPen(c));
        dc->selectBrush(CBrushDesc::nullBrush());
        dc->rectangle(box.left, box.top, box.right, box.bottom);
    }
}

void CImage::translate(double dx, double dy) {
    CAffichageLieAPoint::translate(dx, dy);
    syncPlaceholder();
}

void CImage::setNameOffset(double dx, double dy) {
    CAffichageLieAPoint::setNameOffset(dx, dy);
    if (placeholder) placeholder->setNameOffset(dx, dy);
}

void CImage::setNameAnchor(double x, double y) {
    CAffichageLieAPoint::setNameAnchor(x, y);
    if (placeholder) placeholder->setNameAnchor(x, y);
}

void CImage::setColour(int8_t index) {
    CAffichageLieAPoint::setColour(index);
    if (placeholder) placeholder->setColour(index);
}

std::string CImage::getConstructionInfo(CElementBase** a, CElementBase** b,
                                        CElementBase** c) const {
    firstParents(a, b, c);
    return "Affichage d'image\r\nChemin relatif d'accès : " + relativePath +
           (point ? " (lié à un point)" : "");
}

std::string CImage::getDescription() const {
    return "Affichage de l'image " + relativePath + tiedText();
}
