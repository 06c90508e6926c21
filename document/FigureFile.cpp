#include "document/FigureFile.h"

#include <algorithm>
#include <cstring>

#include "core/CArchive.h"
#include "core/CElementBase.h"
#include "core/CListeAction.h"
#include "document/CPelvantiDoc.h"
#include "values/CCalcConst.h"

namespace figurefile {

namespace {
// Loci whose internal lists copy part of the figure.
constexpr Nature kLocusNatures = nat::lieuPoints | nat::lieuDiscret | nat::lieuObjets;

void readHeaderOptionsV3(CArchive& ar, CFigureHeader& h) {
    h.backgroundRed = ar.readByte();
    h.backgroundGreen = ar.readByte();
    h.backgroundBlue = ar.readByte();
    h.backgroundPictureFile = ar.readString();
    h.backgroundPicturePath = ar.readString();
    ar.readSize(h.backgroundPictureSize.cx, h.backgroundPictureSize.cy);
    ar.readSize(h.viewSize.cx, h.viewSize.cy);
}

void setWhiteWithoutPicture(CFigureHeader& h) {
    h.backgroundRed = h.backgroundGreen = h.backgroundBlue = 255;
    h.backgroundPictureFile.clear();
    h.backgroundPicturePath.clear();
    h.backgroundPictureSize = {};
}

// Common trailer of the two 32-bit formats.
void readTrailer(CArchive& ar, CFigureHeader& h, CListeAction& list) {
    h.reservedText = ar.readString();
    ar.readSize(h.windowSize.cx, h.windowSize.cy);
    if (h.windowSize.cx == 0 || h.windowSize.cy == 0)
        CArchive::fail(CArchiveException::badFormat,
                       "La taille de la fenêtre de la figure est nulle dans le fichier.");
    if (h.windowSize.cx < 0 || h.windowSize.cy < 0)
        CArchive::fail(CArchiveException::badFormat,
                       "La taille de la fenêtre de la figure est invalide dans le fichier.");
    h.displaysPinned = ar.readBool();
    h.angleMarksPinned = ar.readBool();
    h.dynamicSurfaces = ar.readBool();
    h.clipboardUnitCm = ar.readDouble();
    list.Serialize(ar);
    // Embedded documents close the file; this program writes none. Whatever another program
    // stored there is left unread: nothing of the figure follows it.
    ar.readCount();
}

void readEarliest(CArchive& ar, CFigureHeader& h, CListeAction& list) {
    ar.setFormat(CArchive::Format::earliest);
    setWhiteWithoutPicture(h);
    h.reservedText.clear();
    h.displaysPinned = false;
    h.angleMarksPinned = false;
    h.dynamicSurfaces = true;
    h.clipboardUnitCm = 0.0;
    // Three bytes, a word, two words, a dword and a byte that this program does not use.
    uint8_t ignored[14];
    ar.readBytes(ignored, sizeof ignored);
    unsigned width = ar.readWord();
    unsigned height = ar.readWord();
    h.windowSize = {static_cast<int>(width / 10 + 2 * kSizingFrame),
                    static_cast<int>(height / 10 + 2 * kSizingFrame + kCaptionBar)};
    list.angleUnit = ar.readByte();
    ar.previousDecimals = ar.readByte();
    list.readPreviousEntries(ar);
}
}  // namespace

void writeFigure(CArchive& ar, const CFigureHeader& h, CListeAction& list) {
    ar.writeBytes(kMagicCurrent, kMagicLength);
    ar.writeDword(CFigureHeader::kCurrentVersion);
    ar.writeByte(h.backgroundRed);
    ar.writeByte(h.backgroundGreen);
    ar.writeByte(h.backgroundBlue);
    ar.writeString(h.backgroundPictureFile);
    ar.writeString(h.backgroundPicturePath);
    ar.writeSize(h.backgroundPictureSize.cx, h.backgroundPictureSize.cy);
    ar.writeSize(h.viewSize.cx, h.viewSize.cy);
    const_cast<CListeIdMenus&>(h.allowedMenus).Serialize(ar);
    ar.writeString(h.protectionPassword);
    for (bool flag : h.protectionFlags) ar.writeBool(flag);
    ar.writeString(h.reservedText);
    ar.writeSize(h.windowSize.cx, h.windowSize.cy);
    ar.writeBool(h.displaysPinned);
    ar.writeBool(h.angleMarksPinned);
    ar.writeBool(h.dynamicSurfaces);
    ar.writeDouble(h.clipboardUnitCm);
    list.Serialize(ar);
    ar.writeCount(0);  // no embedded documents
}

namespace {
constexpr const char* kNotAFigure =
    "Ce fichier n'est pas une figure de Korvendal32 (format non reconnu).";

// A file shorter than the magic is a figure cut short only when it begins like one; anything
// else (an empty file, a short text renamed) is not a figure at all.
void refuseShortFile(CArchive& ar) {
    const size_t n = ar.remaining();
    if (n == 0)
        CArchive::fail(CArchiveException::badFormat,
                       "Ce fichier est vide : ce n'est pas une figure de Korvendal32.");
    char start[kMagicLength];
    ar.readBytes(start, n);
    for (const char* magic : {kMagicCurrent, kMagic32Bits, kMagicEarliest})
        if (std::memcmp(start, magic, n) == 0) {
            // A figure cut short: reading on reports the end of the file as the reason.
            ar.readBytes(start, 1);
        }
    CArchive::fail(CArchiveException::badFormat, kNotAFigure);
}
}  // namespace

void readFigure(CArchive& ar, CFigureHeader& h, CListeAction& list, bool* laterVersion) {
    if (laterVersion) *laterVersion = false;
    if (ar.remaining() < kMagicLength) refuseShortFile(ar);
    char magic[kMagicLength];
    ar.readBytes(magic, kMagicLength);
    if (std::memcmp(magic, kMagicCurrent, kMagicLength) == 0) {
        h.formatVersion = ar.readDword();
        if (h.formatVersion <= 2)
            setWhiteWithoutPicture(h);
        else
            readHeaderOptionsV3(ar, h);
        h.allowedMenus.Serialize(ar);
        h.protectionPassword = ar.readString();
        for (bool& flag : h.protectionFlags) flag = ar.readBool();
        if (laterVersion) *laterVersion = h.formatVersion > CFigureHeader::kCurrentVersion;
        readTrailer(ar, h, list);
    } else if (std::memcmp(magic, kMagic32Bits, kMagicLength) == 0) {
        setWhiteWithoutPicture(h);
        readTrailer(ar, h, list);
    } else if (std::memcmp(magic, kMagicEarliest, kMagicLength) == 0) {
        readEarliest(ar, h, list);
    } else {
        CArchive::fail(CArchiveException::badFormat, kNotAFigure);
    }
    // The file's version is kept only to warn; the figure is written back in the current one.
    h.formatVersion = CFigureHeader::kCurrentVersion;
    rebuildLociOnUnitLength(list);
}

void rebuildLociOnUnitLength(CListeAction& list) {
    if (!list.unitLength) return;
    const std::vector<CActionAncetre*>& entries = list.entries();
    if (std::none_of(entries.begin(), entries.end(),
                     [](const CActionAncetre* e) { return e->nature & kLocusNatures; }))
        return;
    // One walk: a test per locus would go down every chain below it.
    std::vector<bool> onUnit = list.dependentsOf(list.unitLength);
    for (size_t i = 0; i < entries.size(); ++i)
        if ((entries[i]->nature & kLocusNatures) && onUnit[i])
            entries[i]->element->rebuildInternalLists(&list);
}

std::unique_ptr<CAction> makePiEntry() {
    return ::makePiEntry();
}

}  // namespace figurefile
