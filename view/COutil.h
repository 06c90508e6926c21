// The hook between the view and the interactive tools. A tool (COutil) is current at any time;
// it installs a mouse handler (CGestionSouris) to which the view forwards its mouse messages
// with positions in pixels of the client area; the figure position is ten times that
// (CPelvantiView::toLogical). Tools and handlers are process-wide singletons that live for the
// whole run; the tool state (EtatOutils) is shared by all of them and by every view.
//
// Everything a tool decides goes through the handlers' operations with pixel positions, so
// tests drive tools with logical clicks; the dialogs a tool opens sit behind CToolDialogs.
#pragma once

#include <QCursor>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/CListeAction.h"
#include "geometry/CPointAncetre.h"

class CPelvantiView;
class CPelvantiDoc;

// Result of a designation query: one bucket per designable nature bit.
struct CCandidats {
    static constexpr int kBuckets = 30;
    struct Bucket {
        int count = 0;
        CActionAncetre* first = nullptr;
        CActionAncetre* last = nullptr;
        bool empty = true;
    };
    std::array<Bucket, kBuckets> buckets;
    int total = 0;
    int natureCount = 0;
    Nature natures = 0;
    int pointCount = 0;
    CActionAncetre* firstPoint = nullptr;
    CActionAncetre* secondPoint = nullptr;

    void clear() { *this = CCandidats(); }
};

// The thirty designable natures: bit, name in the ambiguity dialog, label next to the mouse.
struct NatureDesignable {
    int bit;
    const char* listName;
    const char* label;
};
const std::array<NatureDesignable, CCandidats::kBuckets>& designableNatures();
// Bucket of a nature bit number; -1 when the nature is never designable.
int bucketOfBit(int bit);

// Which objects a query may return besides the nature filter.
enum class DesignationMode { visible, maskedOnly };

// Fills `out` with the entries of `list` within 4 pixels of the logical point (x, y): nature in
// `filter`, not in `exclusion`. Points take priority over every other nature. Returns the total.
int queryDesignation(const CListeAction& list, Nature filter, int x, int y,
                     const CListeAction& exclusion, bool hideMasked, CCandidats& out,
                     DesignationMode mode = DesignationMode::visible);
// Label shown next to the mouse for the candidates: "ce point", "cette droite", "A préciser"...
// `list` (the list queried) names what a copy copies.
std::string candidateLabel(const CCandidats& c, const CListeAction* list = nullptr);

// A dialog of fields checked on OK: text fields (formulas, names), choices among items and
// boxes to tick. `check` answers -1 to accept the values; otherwise it has shown why and gives
// the field that takes the focus back, with the caret at `caret` (characters).
struct FormulaDialog {
    struct Choice {
        std::string label;
        std::vector<std::string> items;
        int index = 0;
    };
    struct Box {
        std::string label;
        bool checked = false;
    };
    std::string title;
    std::vector<std::string> labels;
    std::vector<std::string> values;
    std::vector<Choice> choices;
    std::vector<Box> boxes;
    // Names offered for insertion in a text field: the figure's values, built-in functions.
    std::vector<std::string> insertable;
    std::function<int(FormulaDialog& d, int& caret)> check;
    // The text field that names a file to open, or -1: a button beside it opens a file
    // chooser with `fileFilter` (Qt's filter syntax), relative paths read from `fileFolder`.
    int fileField = -1;
    std::string fileFilter, fileFolder;
};

// The dialogs the tools open. The Qt implementation is installed by default; tests install
// their own answers.
class CToolDialogs {
public:
    // A dialog of checked fields (the Qt dialog unless overridden); false on Cancel.
    virtual bool editFormula(FormulaDialog& d);
    virtual ~CToolDialogs() = default;
    // Dialog 136 "En cliquant, vous souhaitiez désigner :"; the chosen index or -1 (Cancel).
    virtual int chooseNature(const std::vector<std::string>& names) = 0;
    // Dialog 146 "Levée de l'indétermination": 0 the first object, 1 the last, -1 Cancel.
    virtual int chooseFirstOrLast() = 0;
    // A dialog of text fields; false on Cancel. Values come back in `values`. A field whose
    // label ends with '?' is a yes/no question, answered "1" or "0".
    virtual bool editFields(const std::string& title, const std::vector<std::string>& labels,
                            std::vector<std::string>& values) = 0;
    // A choice among items (colours, styles); false on Cancel.
    virtual bool chooseItem(const std::string& title, const std::vector<std::string>& items,
                            int& index) = 0;
};
CToolDialogs& toolDialogs();
// Installs `d` (not owned); null restores the Qt dialogs.
void setToolDialogs(CToolDialogs* d);

class CGestionSouris {
public:
    virtual ~CGestionSouris() = default;
    virtual void reset(CPelvantiView*) {}
    virtual void onMouseMove(CPelvantiView*, int /*x*/, int /*y*/) {}
    virtual void onLButtonDown(CPelvantiView*, int /*x*/, int /*y*/) {}
    virtual void onRButtonDown(CPelvantiView*, int /*x*/, int /*y*/) {}
    virtual void onLButtonUp(CPelvantiView*, int /*x*/, int /*y*/) {}
    virtual void onLButtonDblClk(CPelvantiView*, int /*x*/, int /*y*/) {}
    // A key pressed in the view (Qt key code); true when the handler used it.
    virtual bool onKey(CPelvantiView*, int /*key*/) { return false; }

    // The label next to the mouse naming what a click would designate.
    virtual void eraseTooltip(CPelvantiView* view);
    virtual void showTooltip(CPelvantiView* view, int x, int y);

    bool tooltipShown = false;
    int tooltipX = 0, tooltipY = 0;  // pixels, bottom-left corner at the mouse
    std::string tooltipText;
};

class COutil {
public:
    virtual ~COutil() = default;

    QCursor cursor{Qt::CrossCursor};
    int commandId = 0;

    // Makes the tool current for `view` and shows its first prompt.
    virtual bool activate(CPelvantiView* view);
    // Drops designations, previews and blinking; the mouse handler is reset.
    virtual void deactivate(CPelvantiView* view);
    // Consumes etatOutils().designatedObject; true when a construction was completed.
    virtual bool designate(CPelvantiView*) { return true; }
    virtual bool complete(CPelvantiDoc*) { return true; }
    // Text shown in the prompt bar at step `step` of the tool (0: first designation).
    virtual std::string prompt(int /*step*/) const { return {}; }
    // Precondition checked before the tool is selected (the tool shows its own message).
    virtual bool isAvailable() { return true; }
    virtual bool endsAfterUse() const { return false; }
    virtual std::string undoLabel() const { return {}; }
    virtual void startPreview() {}
    // String-table id of the first prompt; step k shows promptId() + k.
    virtual int promptId() const { return 0; }
    // Right click of the standard handler (tools that collect an open list).
    virtual void onRightClick(CPelvantiView*) {}

protected:
    // Construction end shared by every tool: preview dropped, undo snapshot labelled
    // undoLabel(), figure redrawn, tool activated again.
    void finishConstruction(CPelvantiView* view);
    // Preview objects are recomputed and drawn around the mouse point.
    void refreshPreview(CPelvantiView* view);
};

// The shared tool state.
struct EtatOutils {
    COutil* currentTool = nullptr;
    int lastCommandId = 0;
    CGestionSouris* mouseHandler = nullptr;
    QCursor currentCursor{Qt::CrossCursor};
    // False while an animation or a macro runs: the views then ignore the mouse.
    bool mouseInputEnabled = true;
    Nature natureFilter = 0;
    CActionAncetre* designatedObject = nullptr;
    int lastMouseX = 0, lastMouseY = 0;
    // Objects designated by the current construction, and the two blinking lists (250 ms and
    // 125 ms timers of the view); none of them owns its entries.
    CListeAction pendingList{false};
    CListeAction blinkList{false};
    CListeAction blinkList2{false};
    // Temporary objects that follow the mouse; they are never part of the figure.
    CListeAction previewList{true};
    // The point that follows the mouse; previews are built on it.
    CPointBase mousePoint{0, 0};
    CCandidats candidates;
    // The capture tool, the default tool.
    COutil* captureTool = nullptr;

    // Show a text in the prompt bar and in the status bar (installed by the main window).
    std::function<void(const std::string&)> showPrompt;
    std::function<void(const std::string&)> showStatus;
    // Makes the capture tool current (installed by whoever provides the capture tool).
    std::function<void(CPelvantiView*)> returnToCapture;
    // The current tool changed: menus and buttons follow (installed with the tool commands).
    std::function<void()> toolChanged;
};

EtatOutils& etatOutils();

// Show `text` in the prompt bar or the status bar, when there is one.
void setPrompt(const std::string& text);
void setStatusText(const std::string& text);

// Selects `tool` for `view` as a menu command does: precondition, deactivation of the current
// tool, activation of the new one. Returns false when the precondition refused it.
bool selectTool(COutil* tool, int commandId, CPelvantiView* view);

// The capture tool becomes current (Escape, end of a tool); lastCommandId is kept.
void revenirCapture(CPelvantiView* view);

// Styles chosen in the palettes, given to the objects the tools create.
struct EtatPalettes {
    int colour = 1;       // palette index
    int lineStyle = 0;    // 0..5
    int pointStyle = 0;   // 0..7
    int fillStyle = 0;    // 0..6
    int arrowStyle = 0;   // 0..3
    int segmentMark = 0;  // 0..3
};

EtatPalettes& etatPalettes();
