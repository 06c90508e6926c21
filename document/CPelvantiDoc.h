// A figure document: the main figure list, the graphic list beside it (same entries, graphic
// natures only), the header options saved with the figure, and the undo history.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/CDC.h"
#include "core/CListeAction.h"
#include "document/CIdMenu.h"
#include "document/CUndoHistory.h"

class CArchive;
class CProgress;

// The options a figure file stores before its list.
struct CFigureHeader {
    static constexpr uint32_t kCurrentVersion = 3;

    uint32_t formatVersion = kCurrentVersion;
    uint8_t backgroundRed = 255, backgroundGreen = 255, backgroundBlue = 255;
    // Relative to the figure's folder; empty for none.
    std::string backgroundPictureFile;
    // Full path of that picture as last resolved.
    std::string backgroundPicturePath;
    LSize backgroundPictureSize;
    // Drawing area of the view (ten times its client size in pixels).
    LSize viewSize;
    CListeIdMenus allowedMenus;
    // Figure protection is not edited here: written back as read.
    std::string protectionPassword;
    std::array<bool, 5> protectionFlags{};
    // Stored and read back unchanged.
    std::string reservedText;
    // Outer size of the figure's window, in pixels; never zero in a valid file.
    LSize windowSize{800, 600};
    bool displaysPinned = false;
    bool angleMarksPinned = false;
    bool dynamicSurfaces = true;
    // Length in centimetres of the unit length in clipboard copies (0: automatic).
    double clipboardUnitCm = 0.0;

    COLORREF backgroundColour() const {
        return RGB(backgroundRed, backgroundGreen, backgroundBlue);
    }
    void setBackgroundColour(COLORREF c);
};

class CPelvantiDoc : public CFigureHeader {
public:
    // An empty list; newFigure() puts "pi" in it.
    CPelvantiDoc();
    ~CPelvantiDoc();
    CPelvantiDoc(const CPelvantiDoc&) = delete;
    CPelvantiDoc& operator=(const CPelvantiDoc&) = delete;

    CListeAction& list() { return list_; }
    const CListeAction& list() const { return list_; }
    // Graphic entries of the main list, in order; rebuilt after every structural change.
    CListeAction& graphicList() { return graphicList_; }
    CUndoHistory& history() { return history_; }

    // Path of the figure's file; empty for a figure never saved.
    std::string path;
    // The background picture decoded by the host, when it could be loaded.
    std::unique_ptr<CPicture> backgroundPicture;

    // Empty list with "pi", header defaults from the preferences, history reset.
    void newFigure();

    // Loading replaces the figure only when the whole file could be read; otherwise the
    // document is left as it was (a document holding no list gets "pi") and `reason` receives
    // a French text. The message about a file of a later version goes through host().
    // `progress`, when given, follows the reading to its end (done == total) on success.
    bool loadFromFile(const std::string& path, std::string* reason, CProgress* progress = nullptr);
    bool loadFromBytes(const std::vector<uint8_t>& bytes, std::string* reason,
                       CProgress* progress = nullptr);
    // Writes a temporary file beside `path`, flushes it to disk and renames it over the old
    // file, so that a failed save leaves the old file as it was.
    bool saveToFile(const std::string& path, std::string* reason, CProgress* progress = nullptr);
    std::vector<uint8_t> saveToBytes(CProgress* progress = nullptr);

    // The figure list alone in the file format, as undo states and figure copies hold it.
    std::vector<uint8_t> writeListState();
    // Replaces the main list by the state, then rebuilds the graphic list. On failure the list
    // is left empty but for "pi" and `reason` is set.
    bool readListState(const std::vector<uint8_t>& state, std::string* reason);
    // Reads a list state into `target` (emptied first), e.g. a throw-away copy of the figure.
    static bool readListInto(const std::vector<uint8_t>& state, CListeAction& target,
                             std::string* reason);

    // Decodes the background picture through the host (resolved against the figure's folder
    // first, then the stored full path); clears it when there is none.
    void loadBackgroundPicture();

    // Structural operations on the main list; each one rebuilds the graphic list, and resets
    // the clipboard unit length when the figure has lost its unit length.
    void addEntry(CActionAncetre* entry);
    void addEntry(std::unique_ptr<CActionAncetre> entry) { addEntry(entry.release()); }
    void insertVariable(CActionAncetre* entry);
    void removeLast(int n);
    void keepFirst(int n);
    void deleteWithDependents(const CElementBase* p);
    void replaceEntryAt(int index, CActionAncetre* entry);
    bool reclassToEnd(CActionAncetre* entry);
    bool reclassToBeginning(CActionAncetre* entry);
    void translateFigure(double dx, double dy, bool withoutDisplays = false);
    // The figure's angle unit (0 radian, 1 degree): every formula is read again in the new
    // unit, then the figure is recomputed.
    void changeAngleUnit(int unit);
    // Zoom about the centre of the drawing area (`width` x `height`), then recompute.
    void zoomIn(int width, int height);
    void zoomOut(int width, int height);

    void rebuildGraphicList();

private:
    void afterStructureChange();
    // Empties the list and puts "pi" back at its head.
    void resetToPi();

    CListeAction list_;
    CListeAction graphicList_{false};
    CUndoHistory history_{this};
};
