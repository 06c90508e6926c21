// The commands of the menu Calculs that open a dialog rather than wait for clicks: new
// calculations, functions, derivatives, variables, sequences and numerical values, the parts of
// a complex value, the modification of any of them and the reclassing of a value.
#pragma once

#include <string>
#include <vector>

#include "view/COutil.h"

class CPelvantiDoc;

// Natures of the displays that may be tied to a point.
inline constexpr Nature kDisplays =
    nat::valeurAffichee | nat::commentaire | nat::macro | nat::image;

// One dialog command: its preconditions (message ids, in order) and what it does; `run`
// answers true when the figure changed, which records one undo state labelled `undo`.
struct ValueCommandDesc {
    int command;
    const char* menu;
    const char* text;
    std::vector<int> unavailable;
    const char* undo;
    bool (*run)(CPelvantiView* view);
};

// Selecting the command runs its dialog at once, then the capture tool is current again.
class COutilDialogueValeur : public COutil {
public:
    explicit COutilDialogueValeur(const ValueCommandDesc& d) : desc_(d) {}
    bool activate(CPelvantiView* view) override;
    bool isAvailable() override;
    std::string undoLabel() const override { return desc_.undo; }

private:
    ValueCommandDesc desc_;
};

const std::vector<ValueCommandDesc>& valueCommandTable();

// Precondition `id` of the value and measure commands; ids it does not know hold.
bool valuePreconditionHolds(int id, CPelvantiDoc& doc);
// Whether the active view's figure meets every precondition of `ids`; the first one that fails
// shows its message.
bool valuePreconditionsHoldInActiveView(const std::vector<int>& ids);

// Opens the dialog of the value `e` of the view's figure, prefilled; on OK the object changes,
// its dependents are recomputed and one undo state is recorded. False when nothing changed.
bool modifyValue(CPelvantiView* view, CElementBase* e);

// Undo state `label`, redraw and modified flag after a change made by a command; when one
// object `changed`, only what depends on it is recomputed.
void commitFigureChange(CPelvantiView* view, const std::string& label,
                        const CElementBase* changed = nullptr);

// Names offered in formula dialogs: the values and functions before list index `limit`, then
// the built-in functions of the real (or complex) table.
std::vector<std::string> insertableNames(const CListeAction& list, int limit, bool complex);

// A whole number typed in a field, within [low, high].
bool readWholeNumber(const std::string& text, int low, int high, int& out);
