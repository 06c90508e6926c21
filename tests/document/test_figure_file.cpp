// Figure files: the bytes written, the three formats read, and every kind of damage refused
// with a reason while the open figure stays as it was.
#include <gtest/gtest.h>

#include <cstring>

#include "DocTestObjects.h"
#include "core/CArchive.h"
#include "core/CHost.h"
#include "core/CPreferences.h"
#include "document/CPelvantiDoc.h"
#include "document/FigureFile.h"

namespace {

constexpr size_t kListStart = 70;  // after the header of a figure without menus or texts

// The header of a current file up to the list, with the given version.
Bytes currentHeader(uint32_t version) {
    Bytes b;
    b.raw("Korvendal32Vers2").dword(version);
    if (version > 2) {
        b.byte(10).byte(20).byte(30).str("fond.png").str("/tmp/fond.png");
        b.dword(300).dword(200).dword(5000).dword(2000);
    }
    b.word(0).byte(1);  // no restricted menus, ids are the disabled ones
    b.str("secret").byte(1).byte(0).byte(2).byte(0).byte(1);
    b.str("texte").dword(640).dword(480);
    b.byte(1).byte(0).byte(1).dbl(2.5);
    return b;
}

// An empty list (no entries, no unit length, no default macro) and no embedded documents.
Bytes& emptyListAndEnd(Bytes& b) {
    return b.word(1).word(0).dword(0xFFFFFFFF).dword(0xFFFFFFFF).word(0);
}

class FigureFile : public ::testing::Test {
protected:
    void SetUp() override { setHost(&host_); }
    void TearDown() override { setHost(nullptr); }
    CHeadlessHost host_;
};

TEST_F(FigureFile, NewFigureStartsWithMagicVersionAndThePiEntry) {
    CPelvantiDoc doc;
    doc.newFigure();
    std::vector<uint8_t> bytes = doc.saveToBytes();
    ASSERT_GT(bytes.size(), kListStart + 40);
    EXPECT_EQ(0, std::memcmp(bytes.data(), "Korvendal32Vers2", 16));
    EXPECT_EQ(3u, dwordAt(bytes, 16));
    EXPECT_EQ(0u, wordAt(bytes, 41));  // no restricted menus
    EXPECT_EQ(1, bytes[43]);           // and the flag of a new figure
    EXPECT_EQ(static_cast<uint16_t>(preferences().unity), wordAt(bytes, kListStart));
    EXPECT_EQ(1u, wordAt(bytes, kListStart + 2));
    Bytes pi;
    pi.newClass("CAction", 2).byte(25).newClass("CCalcConst", 1);
    EXPECT_EQ(pi.data, std::vector<uint8_t>(bytes.begin() + kListStart + 4,
                                            bytes.begin() + kListStart + 4 + pi.data.size()));
    // No unit length, no default macro, then the empty collection of embedded documents.
    Bytes end;
    end.dword(0xFFFFFFFF).dword(0xFFFFFFFF).word(0);
    EXPECT_EQ(end.data, std::vector<uint8_t>(bytes.end() - 10, bytes.end()));
}

TEST_F(FigureFile, HeaderFieldsAreWrittenInOrder) {
    CPelvantiDoc doc;
    doc.newFigure();
    doc.setBackgroundColour(RGB(10, 20, 30));
    doc.backgroundPictureFile = "fond.png";
    doc.backgroundPicturePath = "/tmp/fond.png";
    doc.backgroundPictureSize = {300, 200};
    doc.viewSize = {5000, 2000};
    doc.protectionPassword = "secret";
    doc.protectionFlags = {true, false, true, false, true};
    doc.reservedText = "texte";
    doc.windowSize = {640, 480};
    doc.displaysPinned = true;
    doc.angleMarksPinned = false;
    doc.dynamicSurfaces = true;
    doc.clipboardUnitCm = 2.5;
    std::vector<uint8_t> bytes = doc.saveToBytes();
    Bytes expected = currentHeader(3);
    // The file stores flags as read (non-zero is true) and writes them back as 0 or 1.
    expected.data[16 + 4 + 3 + 9 + 14 + 16 + 3 + 7 + 2] = 1;
    ASSERT_GE(bytes.size(), expected.data.size());
    EXPECT_EQ(expected.data,
              std::vector<uint8_t>(bytes.begin(), bytes.begin() + expected.data.size()));
}

TEST_F(FigureFile, NatureBytesOfEntries) {
    CPelvantiDoc doc;
    buildDocTestFigure(doc);
    auto picture = std::make_unique<CDocTestPoint>(0, 0, "img");
    doc.addEntry(std::make_unique<CAction>(nat::image, std::move(picture)));
    std::vector<uint8_t> bytes = doc.saveToBytes();
    // Every CAction after the first is introduced by the class index 1.
    std::vector<uint8_t> natures;
    for (size_t i = kListStart + 4; i + 2 < bytes.size(); ++i)
        if (wordAt(bytes, i) == 0x8001) natures.push_back(bytes[i + 2]);
    std::vector<uint8_t> expected = {0, 0, 23, 12, 28, 34};
    EXPECT_EQ(expected, natures);
}

TEST_F(FigureFile, RestrictedMenusComeFirstInTheClassNumbering) {
    CPelvantiDoc doc;
    doc.newFigure();
    doc.allowedMenus.setIds({32800, 32801});
    doc.allowedMenus.idsAreDisabled = false;
    doc.addEntry(
        std::make_unique<CAction>(nat::pointLibre, std::make_unique<CDocTestPoint>(1, 2, "A")));
    std::vector<uint8_t> bytes = doc.saveToBytes();
    size_t menus = 41;
    EXPECT_EQ(2u, wordAt(bytes, menus));
    Bytes first;
    first.newClass("CIdMenu", 1).dword(32800).word(0x8001).dword(32801).byte(0);
    EXPECT_EQ(first.data, std::vector<uint8_t>(bytes.begin() + menus + 2,
                                               bytes.begin() + menus + 2 + first.data.size()));
    // CIdMenu is class 1 and its two objects 2 and 3: CAction is class 4.
    bool found = false;
    for (size_t i = menus + first.data.size(); i + 2 < bytes.size(); ++i)
        if (wordAt(bytes, i) == 0x8004 && bytes[i + 2] == 0) found = true;
    EXPECT_TRUE(found);
    CPelvantiDoc back;
    std::string reason;
    ASSERT_TRUE(back.loadFromBytes(bytes, &reason)) << reason;
    EXPECT_TRUE(back.allowedMenus.isEnabled(32800));
    EXPECT_FALSE(back.allowedMenus.isEnabled(32802));
    EXPECT_EQ(bytes, back.saveToBytes());
}

TEST_F(FigureFile, SaveLoadSaveGivesTheSameBytesAndTheSameStates) {
    CPelvantiDoc doc;
    buildDocTestFigure(doc);
    doc.reservedText = "Texte réservé é";
    std::vector<uint8_t> first = doc.saveToBytes();
    CPelvantiDoc back;
    std::string reason;
    ASSERT_TRUE(back.loadFromBytes(first, &reason)) << reason;
    EXPECT_EQ(first, back.saveToBytes());
    EXPECT_EQ("Texte réservé é", back.reservedText);
    back.list().computeAll();
    EXPECT_DOUBLE_EQ(500.0, static_cast<CDocTestLength*>(back.list().elementAt(3))->value);
    auto* macro = static_cast<CDocTestMacro*>(back.list().elementAt(5));
    EXPECT_EQ(back.list().elementAt(1), macro->objects.elementAt(0));
    // The graphic list holds the drawn entries of the new list.
    EXPECT_EQ(4, back.graphicList().count());
    // A locus on the unit length is rebuilt once, from the new list.
    auto* locus = static_cast<CDocTestLocus*>(back.list().elementAt(4));
    EXPECT_EQ(1, locus->rebuilds);
    EXPECT_EQ(&back.list(), locus->rebuiltFrom);
}

// Both are saved back as version 3, with the full header.
TEST_F(FigureFile, VersionTwoOpensWhiteAndALaterVersionWarnsAndGoesOn) {
    Bytes two = currentHeader(2), later = currentHeader(4);
    CPelvantiDoc doc;
    std::string reason;
    ASSERT_TRUE(doc.loadFromBytes(emptyListAndEnd(two).data, &reason)) << reason;
    EXPECT_EQ(RGB(255, 255, 255), doc.backgroundColour());
    EXPECT_TRUE(doc.protectionFlags[2]);  // the byte 2 is true
    EXPECT_EQ(2.5, doc.clipboardUnitCm);
    EXPECT_TRUE(host_.messages.empty());
    std::vector<uint8_t> saved = doc.saveToBytes();
    EXPECT_EQ(3u, dwordAt(saved, 16));
    EXPECT_EQ(255, saved[20]);
    EXPECT_EQ(two.data.size() + 3 + 2 + 16, saved.size());
    ASSERT_TRUE(doc.loadFromBytes(emptyListAndEnd(later).data, &reason)) << reason;
    ASSERT_EQ(1u, host_.messages.size());
    EXPECT_EQ("Cette figure a été créée avec une\nversion ultérieure de Korvendal32.",
              host_.messages[0].text);
    EXPECT_EQ(RGB(10, 20, 30), doc.backgroundColour());
    EXPECT_EQ(3u, dwordAt(doc.saveToBytes(), 16));
}

TEST_F(FigureFile, ThirtyTwoBitFormatKeepsItsTrailerAndReadsSchemaOneEntries) {
    Bytes b;
    b.raw("Tessalinor32bits").str("r").dword(700).dword(500).byte(1).byte(1).byte(0).dbl(3.0);
    b.word(0).word(1);
    b.newClass("CAction", 1).dword(1).newClass("CDocTestPoint", 1);
    b.byte(0).byte(3).byte(0).byte(1).str("P").dbl(0).dbl(0).dbl(12).dbl(34);
    b.dword(0xFFFFFFFF).dword(0xFFFFFFFF).word(0);
    CPelvantiDoc doc;
    std::string reason;
    ASSERT_TRUE(doc.loadFromBytes(b.data, &reason)) << reason;
    EXPECT_TRUE(doc.angleMarksPinned);
    EXPECT_FALSE(doc.dynamicSurfaces);
    EXPECT_EQ((LSize{700, 500}), doc.windowSize);
    ASSERT_EQ(1, doc.list().count());
    EXPECT_EQ(nat::pointLibre, doc.list().entryAt(0)->nature);
    EXPECT_EQ(34.0, static_cast<CDocTestPoint*>(doc.list().elementAt(0))->y);
    // Written back in the current format.
    EXPECT_EQ(0, std::memcmp(doc.saveToBytes().data(), "Korvendal32Vers2", 16));
}

// A current header and a list of two entries whose first is the point A.
Bytes pointThen() {
    Bytes b = currentHeader(3);
    b.word(0).word(2).newClass("CAction", 2).byte(0).newClass("CDocTestPoint", 1);
    b.byte(0).byte(1).byte(0).byte(1).str("A").dbl(0).dbl(0).dbl(1).dbl(2);
    return b;
}

std::vector<uint8_t> ended(Bytes& b) {
    return b.dword(0xFFFFFFFF).dword(0xFFFFFFFF).word(0).data;
}

TEST_F(FigureFile, DamagedListsAreRefusedAndLeaveTheFigureAsItWas) {
    Bytes inList = pointThen(), repeated = pointThen(), earliest;
    earliest.raw("TessalinorFigure").byte(1).byte(2).byte(3).word(4).word(5).word(6).dword(7);
    earliest.byte(8).word(5000).word(2000).byte(0).byte(2).word(1).dword(0);
    const std::vector<uint8_t> damaged[] = {
        // Reference entries belong to sub-lists, in either format.
        ended(inList.newClass("CActionSousListe", 2).byte(0).dword(0)),
        earliest.word(1102).dword(1).word(0).word(0xFFFF).data,
        ended(repeated.word(0x0002)),  // the first entry again
    };
    for (const std::vector<uint8_t>& bytes : damaged) {
        CPelvantiDoc doc;
        buildDocTestFigure(doc);
        std::vector<uint8_t> before = doc.saveToBytes();
        std::string reason;
        EXPECT_FALSE(doc.loadFromBytes(bytes, &reason));
        EXPECT_FALSE(reason.empty());
        EXPECT_EQ(before, doc.saveToBytes());
        EXPECT_EQ(4, doc.graphicList().count());
    }
}

// Whatever is not a figure is called so; only the beginning of a figure is "cut short".
TEST_F(FigureFile, ForeignFilesAreRefusedWithTheirOwnReason) {
    const std::string notAFigure =
        "Ce fichier n'est pas une figure de Korvendal32 (format non reconnu).";
    const std::string cutShort = "Fin de fichier inattendue : le fichier est tronqué.";
    for (auto [content, expected] :
         {std::pair<std::string, std::string>{
              "", "Ce fichier est vide : ce n'est pas une figure de Korvendal32."},
          {"bonjour\n", notAFigure},
          {"x", notAFigure},
          {"Korvendal32V", cutShort},
          {"TessalinorFigure", cutShort}}) {
        CPelvantiDoc doc;
        std::string reason;
        EXPECT_FALSE(
            doc.loadFromBytes(std::vector<uint8_t>(content.begin(), content.end()), &reason));
        EXPECT_EQ(reason, expected) << content;
        ASSERT_EQ(1, doc.list().count());
    }
}

TEST_F(FigureFile, EmbeddedDocumentsOfAnotherProgramAreLeftUnread) {
    CPelvantiDoc doc;
    buildDocTestFigure(doc);
    const std::vector<uint8_t> valid = doc.saveToBytes();
    std::vector<uint8_t> bytes = valid;
    bytes[bytes.size() - 2] = 2;
    bytes.insert(bytes.end(), {1, 2, 3, 4, 5});
    std::string reason;
    ASSERT_TRUE(doc.loadFromBytes(bytes, &reason)) << reason;
    EXPECT_EQ(valid, doc.saveToBytes());
}

}  // namespace
