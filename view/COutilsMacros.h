// Running the figure's macros from the view: the execution tool (a click on a macro's button
// runs it), the context through which a running macro reaches the view, and the state that
// keeps the rest of the program from pulling the figure away while a macro runs.
#pragma once

#include <QPoint>
#include <functional>
#include <memory>
#include <string>

#include "macros/CMacro.h"
#include "view/COutil.h"

class CPelvantiView;
class QObject;

// What a macro running in `view` asks of it: redraws, the trace surface over the buffer, the
// prompt, the mouse switched off, undo states, the cursor put back at the click.
class CViewMacroContext : public CMacroContext {
public:
    CViewMacroContext(CPelvantiView* view, QPoint click) : view_(view), click_(click) {}
    ~CViewMacroContext() override;
    CListeAction& figure() override;
    void redraw() override;
    CDC* dc() override;
    void setPrompt(int messageId) override;
    void setMouseInputEnabled(bool on) override;
    void recordSnapshot(const std::string& label) override;
    void restoreCursor() override;

private:
    CPelvantiView* view_;
    QPoint click_;
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

// The macro kinds the creation tool below makes.
enum class MacroKind { redraw, pause, appearance };

// "Nouvelle macro": the click places the button, the dialog asks the title, the comment and the
// kind's parameters; a macro acting on objects then collects them, click by click, until the
// right click, when it joins the figure.
class COutilCreationMacro : public COutil {
public:
    explicit COutilCreationMacro(MacroKind kind) : kind_(kind) {}
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
    // Asks the title, the comment and the parameters; false on Cancel.
    bool askMacro(CListeAction& list, std::string& title, std::string& comment, int& seconds);
    void addToFigure(CPelvantiView* view, std::unique_ptr<CMacro> macro);

    MacroKind kind_;
    // The macro whose objects are being collected (not yet in the figure).
    std::unique_ptr<CMacroAvecListe> collecting_;
};

// Title of the dialog that names a new macro.
inline constexpr const char* kMacroDialogTitle =
    "Entrez l'intitulé de la macro et un commentaire (facultatif)";
