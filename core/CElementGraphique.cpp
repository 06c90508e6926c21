#include "core/CElementGraphique.h"

#include <algorithm>
#include <cmath>

#include "core/CArchive.h"
#include "core/CPalette.h"
#include "core/CPreferences.h"

IMPLEMENT_SERIAL(CElementGraphique, CElementBase, 1)

namespace {
constexpr int kNamePointSizes[6] = {8, 9, 11, 12, 14, 16};
// Width of the rectangle of an empty name, per font size (logical units).
constexpr int kEmptyNameWidth[6] = {60, 70, 80, 90, 100, 120};

// The next UTF-8 character of `s` from `i`.
std::string nextChar(const std::string& s, size_t& i) {
    size_t start = i;
    ++i;
    while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) ++i;
    return s.substr(start, i - start);
}

int truncateToInt(double v) {
    if (!(v > -2147483648.0)) return -2147483647 - 1;
    if (!(v < 2147483647.0)) return 2147483647;
    return static_cast<int>(v);
}
}  // namespace

CElementGraphique::CElementGraphique()
    : nameFontIndex(static_cast<int8_t>(preferences().defaultNameFontIndex)) {}

CElementGraphique::CElementGraphique(int8_t colour, bool masked)
    : colour(colour), masked(masked), nameFontIndex(1) {}

CElementGraphique::CElementGraphique(int8_t colour)
    : colour(colour), nameFontIndex(static_cast<int8_t>(preferences().defaultNameFontIndex)) {}

CElementGraphique::CElementGraphique(int8_t colour, bool nameHidden, double anchorX, double anchorY,
                                     double offsetX, double offsetY, bool masked,
                                     const std::string& name, int8_t nameFontIndex)
    : colour(colour),
      nameHidden(nameHidden),
      nameAnchorX(anchorX),
      nameAnchorY(anchorY),
      nameOffsetX(offsetX),
      nameOffsetY(offsetY),
      masked(masked),
      name(name),
      nameFontIndex(nameFontIndex) {}

void CElementGraphique::Serialize(CArchive& ar) {
    CElementBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar.writeBool(masked);
        ar.writeByte(static_cast<uint8_t>(colour));
        ar.writeBool(nameHidden);
        ar.writeByte(static_cast<uint8_t>(nameFontIndex));
        ar.writeString(name);
        ar.writeDouble(nameOffsetX);
        ar.writeDouble(nameOffsetY);
    } else {
        masked = ar.readBool();
        colour = static_cast<int8_t>(ar.readByte());
        nameHidden = ar.readBool();
        nameFontIndex = static_cast<int8_t>(ar.readByte());
        name = ar.readString();
        nameOffsetX = ar.readDouble();
        nameOffsetY = ar.readDouble();
    }
}

void CElementGraphique::readPreviousFormat(CArchive& ar) {
    CElementBase::readPreviousFormat(ar);
    masked = ar.readBool();
    colour = static_cast<int8_t>(ar.readByte());
    nameHidden = ar.readBool();
    nameFontIndex = 3;
    uint8_t len = ar.readByte();
    char chars[4];
    ar.readBytes(chars, 4);
    name = cp1252ToUtf8(std::string(chars, len < 4 ? len : 4));
    nameOffsetX = ar.readDouble();
    nameOffsetY = ar.readDouble();
}

void CElementGraphique::copyStateFrom(const CElementBase& src) {
    CElementBase::copyStateFrom(src);
    if (const auto* g = dynamic_cast<const CElementGraphique*>(&src)) {
        nameAnchorX = g->nameAnchorX;
        nameAnchorY = g->nameAnchorY;
        nameOffsetX = g->nameOffsetX;
        nameOffsetY = g->nameOffsetY;
    }
}

void CElementGraphique::copyAttributesFrom(const CElementGraphique& src) {
    colour = src.colour;
    nameHidden = src.nameHidden;
    nameOffsetX = src.nameOffsetX;
    nameOffsetY = src.nameOffsetY;
    masked = src.masked;
    name = src.name;
    nameFontIndex = src.nameFontIndex;
}

std::string joinStatus(const std::string& a, const std::string& b) {
    if (a.empty()) return b;
    if (b.empty()) return a;
    return a + " , " + b;
}

std::string CElementGraphique::getStatusText() const {
    std::string base = CElementBase::getStatusText();
    return masked ? joinStatus(base, "masqué ") : base;
}

void CElementGraphique::getNameInto(char* buffer, size_t size) const {
    if (!buffer || size == 0) return;
    std::string n = getName();
    size_t len = std::min(n.size(), size - 1);
    while (len > 0 && len < n.size() && (static_cast<unsigned char>(n[len]) & 0xC0) == 0x80) --len;
    n.copy(buffer, len);
    buffer[len] = '\0';
}

void CElementGraphique::updateNameAnchor() {}

void CElementGraphique::setNameAnchor(double x, double y) {
    nameAnchorX = x;
    nameAnchorY = y;
}

void CElementGraphique::setNameOffset(double dx, double dy) {
    nameOffsetX = dx;
    nameOffsetY = dy;
}

int CElementGraphique::namePointSize(int fontIndex) {
    if (fontIndex < 0) fontIndex = 0;
    if (fontIndex > 5) fontIndex = 5;
    return kNamePointSizes[fontIndex];
}

CFontDesc CElementGraphique::nameFont(int fontIndex, bool symbol) {
    const CLogFont& lf = preferences().nameFont;
    CFontDesc f;
    f.faceName = lf.faceName;
    f.pointSize = namePointSize(fontIndex);
    f.weight = lf.weight;
    f.italic = lf.italic != 0;
    f.underline = lf.underline != 0;
    f.strikeOut = lf.strikeOut != 0;
    f.symbol = symbol;
    return f;
}

int CElementGraphique::paintName(CDC* dc, int x, int y, bool draw) {
    const CFontDesc normal = nameFont(nameFontIndex, false);
    const CFontDesc symbol = nameFont(nameFontIndex, true);
    dc->selectFont(normal);
    int advance = 0;
    size_t i = 0;
    while (i < name.size()) {
        std::string ch = nextChar(name, i);
        bool useSymbol = false;
        if (ch == "&") {
            // "&" is not drawn: the next character is drawn in the symbol font.
            if (i >= name.size()) break;
            ch = nextChar(name, i);
            useSymbol = true;
            dc->selectFont(symbol);
        }
        bool digit = ch.size() == 1 && ch[0] >= '0' && ch[0] <= '9';
        if (draw) dc->textOut(x + advance, digit ? y + 40 : y, ch);
        int w = dc->textExtent(ch).cx;
        advance += (ch == "'") ? w / 2 : w;
        if (useSymbol) dc->selectFont(normal);
    }
    return advance;
}

void CElementGraphique::drawName(CDC* dc, bool hideMasked, bool respectNameHidden) {
    if (name.empty() || (hideMasked && masked) || (respectNameHidden && nameHidden)) return;
    dc->setTextColour(CPalette::colour(colour));
    dc->setBkMode(BK_TRANSPARENT);
    paintName(dc, truncateToInt(nameAnchorX + nameOffsetX),
              truncateToInt(nameAnchorY + nameOffsetY), true);
}

void CElementGraphique::eraseName(CDC* dc, bool hideMasked, bool respectNameHidden) {
    if (name.empty() || (hideMasked && masked) || (respectNameHidden && nameHidden)) return;
    dc->setTextColour(CPalette::colour(0));
    dc->setBkColour(CPalette::colour(0));
    dc->setBkMode(BK_OPAQUE);
    paintName(dc, truncateToInt(nameAnchorX + nameOffsetX),
              truncateToInt(nameAnchorY + nameOffsetY), true);
}

LRect CElementGraphique::getNameRect(CDC* dc) {
    int x = truncateToInt(nameAnchorX + nameOffsetX);
    int y = truncateToInt(nameAnchorY + nameOffsetY);
    int index = nameFontIndex < 0 ? 0 : nameFontIndex > 5 ? 5 : nameFontIndex;
    dc->selectFont(nameFont(nameFontIndex, false));
    int height = dc->textExtent("A").cy;
    int width = name.empty() ? kEmptyNameWidth[index] : paintName(dc, x, y, false);
    bool hasDigit = false;
    for (char c : name)
        if (c >= '0' && c <= '9') hasDigit = true;
    if (hasDigit) height += 40;
    return {x, y, x + width, y + height};
}

void CElementGraphique::drawNameFrame(CDC* dc) {
    LRect r = getNameRect(dc);
    dc->selectPen(CPalette::thinPen(colour));
    dc->selectBrush(CBrushDesc::nullBrush());
    dc->rectangle(r.left, r.top, r.right, r.bottom);
}

void CElementGraphique::eraseNameFrame(CDC* dc) {
    LRect r = getNameRect(dc);
    dc->selectPen(CPalette::thinPen(0));
    dc->selectBrush(CBrushDesc::nullBrush());
    dc->rectangle(r.left, r.top, r.right, r.bottom);
}

int CElementGraphique::designationDistance(int, int, bool) {
    return -1;
}

int CElementGraphique::designationDistanceForLinking(int, int, bool) {
    return -1;
}

std::string fig::nameOf(const CElementBase* e) {
    if (!e) return "";
    if (const auto* g = dynamic_cast<const CElementGraphique*>(e)) return g->getName();
    return e->getDisplayName();
}
