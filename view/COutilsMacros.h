// Running the figure's macros from the view: the execution tool (a click on a macro's button
// runs it), the context through which a running macro reaches the view, and the state that
// keeps the rest of the program from pulling the figure away while a macro runs.
#pragma once

#include <QPoint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "macros/CMacro.h"
#include "view/COutil.h"
#include "view/CQtDC.h"

class CPelvantiDoc;
class CPelvantiView;
class QObject;

// What a macro running in `view` asks of it: redraws, the frames of an animation (what moves
// over a picture of the rest), the trace surface over the buffer, the prompt, the mouse
// switched off, undo states, the cursor put back at the click.
class CViewMacroContext : public CMacroContext {
public:
    CViewMacroContext(CPelvantiView* view, QPoint click) : view_(view), click_(click) {}
    ~CViewMacroContext() override;
    CListeAction& figure() override;
    void redraw() override;
    void beginMoving(const std::vector<CElementBase*>& moving) override;
    void drawMoving() override;
    void endMoving() override;
    CDC* dc() override;
    void setPrompt(int messageId) override;
    void setMouseInputEnabled(bool on) override;
    void recordSnapshot(const std::string& label) override;
    void restoreCursor() override;

private:
    void renderStill();

    CPelvantiView* view_;
    QPoint click_;
    // While an animation runs: what moves, its entries in drawing order, the rest's picture.
    std::unordered_set<const CElementBase*> moving_;
    CListeAction movingEntries_{false};
    CQtPicture still_{QImage()};
};

// The view whose macro is running; null when none runs.
CPelvantiView* runningMacroView();
// Asks the running macro to stop as Escape would (the figure is restored); nothing when none
// runs. Commands that would change or close a figure call it and drop their action.
void requestMacroStop();
// While a macro runs: asks it to stop and keeps `action` for after it ended (run from the
// event loop, once the macro's frames are gone; dropped if `owner` is destroyed first). True
// when the action was kept, false when no macro runs (the caller acts now).
bool deferWhileMacroRuns(QObject* owner, std::function<void()> action);

// Runs `macro` of `view`'s figure through the execution protocol; refused (false) while
// another macro runs.
bool runMacro(CMacro& macro, CPelvantiView* view, QPoint click);

// The figure's default macro drawn in its final state over the figure (the drawing
// passes' overlay), reached on a copy of the figure.
void drawDefaultMacroOverlay(CDC& dc, CPelvantiDoc& doc);

// "Exécution d'une macro" (F8): a click on a macro's button runs it; the tool stays current.
class COutilExecutionMacro : public COutil {
public:
    COutilExecutionMacro();
    bool activate(CPelvantiView* view) override;
    bool designate(CPelvantiView* view) override;
    std::string prompt(int step) const override;
    bool isAvailable() override;
    std::string undoLabel() const override { return "Exécuter macro"; }
    int promptId() const override;
};

// The macro kinds the creation tools make; the two "from" kinds copy the objects of an
// existing macro of the opposite kind.
enum class MacroKind {
    appearance,
    disappearance,
    disappearanceFromAppearance,
    appearanceFromDisappearance,
    animation,
    animationWithTrace,
    assignValue,
    increment,
    decrement,
    modifyVariable,
    traceByPoint,
    traceByVariable,
    redraw,
    pause,
    sequence,
    moveLinkedPoint,
    sound,
    blinking,
    loopAnimation,
    loopTrace,
};

// What a creation tool of one kind asks after the button is placed.
enum class MacroStep { linkedPoint, otherLinkedPoint, sourceMacro, objects, macros };

// The "Nouvelle macro" submenu: command, menu text and kind of each creation tool, the
// messages of its preconditions (checked in order), its steps after the dialog and their
// prompts.
struct MacroToolDesc {
    int command;
    const char* text;
    MacroKind kind;
    std::vector<int> needs;
    std::vector<MacroStep> steps;
    std::vector<const char*> stepPrompts;
};
const std::vector<MacroToolDesc>& macroToolTable();

// "Nouvelle macro": the click places the button, the dialog asks the title, the comment and the
// kind's parameters (a variable and the macros of a loop are chosen from lists first); then the
// kind's steps: a linked point, the other linked point, the macro whose objects are taken, or
// objects collected click by click until the right click. The macro joins the figure at the
// end, with one undo state.
class COutilCreationMacro : public COutil {
public:
    explicit COutilCreationMacro(MacroKind kind);
    ~COutilCreationMacro() override;
    bool activate(CPelvantiView* view) override;
    void deactivate(CPelvantiView* view) override;
    bool designate(CPelvantiView* view) override;
    void onRightClick(CPelvantiView* view) override;
    std::string prompt(int step) const override;
    bool isAvailable() override;
    bool endsAfterUse() const override { return true; }
    std::string undoLabel() const override { return "Créer une macro"; }
    int promptId() const override;

private:
    // Builds the macro from the click, the lists and the dialog; null on Cancel.
    std::unique_ptr<CMacro> askMacro(CListeAction& list, double x, double y);
    // The next step, or the macro joins the figure when none is left. True when it joined.
    bool nextStep(CPelvantiView* view);
    bool takeStep(CPelvantiView* view, CActionAncetre* entry);
    void addToFigure(CPelvantiView* view);

    MacroKind kind_;
    std::vector<MacroStep> steps_;
    size_t step_ = 0;
    // The macro being made (not yet in the figure).
    std::unique_ptr<CMacro> making_;
};

// "Modifier une macro": a click on a macro's button opens its dialog again (title, comment,
// parameters, variable and loop macros); an accepted answer changes the macro with one undo
// state.
class COutilModificationMacro : public COutil {
public:
    bool activate(CPelvantiView* view) override;
    bool designate(CPelvantiView* view) override;
    std::string prompt(int step) const override;
    bool isAvailable() override;
    bool endsAfterUse() const override { return true; }
    std::string undoLabel() const override { return "Modifier macro"; }
};

// "Ajout d'objets à une macro" / "Retrait d'objets d'une macro": the macros that keep a list
// blink; a click chooses one; then each click adds an object to it (or, among its blinking
// objects, removes one) until the right click, which applies the changes with one undo state.
class COutilObjetsMacro : public COutil {
public:
    explicit COutilObjetsMacro(bool adding) : adding_(adding) {}
    bool activate(CPelvantiView* view) override;
    void deactivate(CPelvantiView* view) override;
    bool designate(CPelvantiView* view) override;
    void onRightClick(CPelvantiView* view) override;
    std::string prompt(int step) const override;
    bool isAvailable() override;
    bool endsAfterUse() const override { return true; }
    std::string undoLabel() const override {
        return adding_ ? "Ajout d'objets à macro" : "Retrait d'objets d'une macro";
    }
    int promptId() const override;

private:
    void hideMaskedAgain(CPelvantiView* view);

    bool adding_;
    // Masked objects were shown for the chosen macro.
    bool revealed_ = false;
    CMacroAvecListe* macro_ = nullptr;
    std::vector<CActionAncetre*> chosen_;
};

// Title of the dialog that names a new macro.
inline constexpr const char* kMacroDialogTitle =
    "Entrez l'intitulé de la macro et un commentaire (facultatif)";
