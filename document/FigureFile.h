// Reading and writing figure files: the current format ("Korvendal32Vers2") and the two
// earlier ones that are still read.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CAction;
class CArchive;
class CListeAction;
struct CFigureHeader;

namespace figurefile {

inline constexpr char kMagicCurrent[] = "Korvendal32Vers2";
inline constexpr char kMagic32Bits[] = "Tessalinor32bits";
inline constexpr char kMagicEarliest[] = "TessalinorFigure";
inline constexpr size_t kMagicLength = 16;

// Window frame of the earliest format's window size (that format stored the drawing area only):
// fixed metrics of a classic desktop window.
inline constexpr int kSizingFrame = 4;
inline constexpr int kCaptionBar = 20;

inline constexpr char kLaterVersionMessage[] =
    "Cette figure a été créée avec une\nversion ultérieure de Korvendal32.";

// The whole file: magic, header, list, empty collection of embedded documents.
void writeFigure(CArchive& ar, const CFigureHeader& header, CListeAction& list);

// Reads a whole file into `header` and `list` (expected empty), in any of the three formats.
// Throws CArchiveException on any damage; what was read stays in `list` for the caller to
// destroy. `laterVersion` tells whether the file was written by a later version, for the
// caller to warn once the whole file has been read.
void readFigure(CArchive& ar, CFigureHeader& header, CListeAction& list,
                bool* laterVersion = nullptr);

// After a list was read: the loci built on the unit length rebuild their internal lists.
void rebuildLociOnUnitLength(CListeAction& list);

// The entry of the constant "pi" that heads every figure.
std::unique_ptr<CAction> makePiEntry();

}  // namespace figurefile
