// Macros: buttons of a figure that act on it when executed (show or hide objects, animate a
// linked point, trace, change variables...). The base keeps the title and the comment; list
// macros keep the entries of the objects they act on, as references into the figure list.
#pragma once

#include <string>
#include <vector>

#include "core/CListeAction.h"
#include "geometry/CAffichage.h"

// What a running macro asks of the view that shows its figure.
class CMacroContext {
public:
    virtual ~CMacroContext() = default;
    virtual CListeAction& figure() = 0;
    // Repaints the whole figure as it now stands.
    virtual void redraw() = 0;
    // The view's drawing surface, for traces drawn over the figure; may be null.
    virtual CDC* dc() = 0;
    // An animation moves only `moving`: until endMoving the view may keep a picture of the
    // rest and draw only them at each frame (drawMoving), as a drag does.
    virtual void beginMoving(const std::vector<CElementBase*>& /*moving*/) {}
    virtual void drawMoving() { redraw(); }
    virtual void endMoving() {}
    virtual void setPrompt(int messageId) = 0;
    // While a macro runs, clicks and moves on figures are ignored.
    virtual void setMouseInputEnabled(bool) {}
    // An undo state of the figure as it now stands, and the document marked modified.
    virtual void recordSnapshot(const std::string& /*label*/) {}
    // The cursor goes back where the click that started the macro was.
    virtual void restoreCursor() {}
};

class CMacro : public CAffichageLieAPoint {
    DECLARE_DYNAMIC(CMacro)
public:
    CMacro() = default;
    CMacro(CListeAction* list, std::string title, std::string comment, double x, double y,
           int8_t colour = 1);

    CListeAction* list = nullptr;  // the figure holding the macro; not saved
    std::string title;
    std::string comment;

    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    // The macro's parents (a point, a variable, other macros) count like a display's point.
    bool computeDependsOn(const CElementBase* p) const override;
    void replaceReference(CElementBase* old, CElementBase* repl) override;
    std::string getText() override;
    void drawText(CDC* dc, bool eraseMode, bool hideMasked) override;
    std::string getDisplayName() const override;
    std::string getDescription() const override;

    virtual bool usesElement(const CElementBase* element) const;
    virtual bool usesLinkedPoint(const CElementBase* point) const;
    virtual bool managesCursor() const;
    virtual bool canExecute(bool report);
    virtual bool changesFigure() const;
    virtual bool execute(CMacroContext& context);
    virtual bool executeWithoutAnimation(CMacroContext& context);
    virtual bool applyFinalState(CListeAction& target);
    virtual int runningPromptId() const;

    // "Macro ..." title line of the description, then the details after "Intitulé : ".
    virtual std::string kindTitle() const;
    virtual std::string details() const;
    // The macros this one runs (members of a sequence, macros of a loop).
    virtual std::vector<CMacro*> calledMacros() const { return {}; }
    // True when running this macro would run `m` (itself included), however deep.
    bool runs(const CMacro* m) const;

protected:
    // The error report: a beep and/or a message naming the macro, as the preferences say.
    void reportCannotExecute() const;
};

class CMacroAvecListe : public CMacro {
    DECLARE_DYNAMIC(CMacroAvecListe)
public:
    CMacroAvecListe() = default;
    using CMacro::CMacro;

    CSousListeAction objects;

    // Appends a reference entry of `entry`'s object.
    void addObject(const CActionAncetre& entry);
    void addObject(Nature nature, CElementBase* element);
    // Removes the entry of `element`; false when it is not listed.
    bool removeObject(const CElementBase* element);
    bool anyMasked() const;
    bool allMasked() const;
    void showAll();
    // Every listed object is still in the figure.
    bool isListValid() const;

    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    bool computeDependsOn(const CElementBase* p) const override;
    bool computeDependsOnForPositioning(const CElementBase* p) const override;
    void replaceInSubLists(CActionAncetre* old, CActionAncetre* repl) override;
    bool canExecute(bool report) override;

    virtual int addObjectsPromptId() const { return -1; }
    virtual int removeObjectsPromptId() const { return -1; }

protected:
    // The names of the listed objects, one per description line.
    std::string listedNames() const;
    // Called after the list was read: refuses listed objects of the wrong kind.
    virtual void checkListedObjects() const {}
};

// Description helpers shared by the kinds.
namespace macro_text {
inline const std::string eol = "\n      ";
std::string nameOf(const CElementBase* e);
// Words of `text` on lines of at most `width` characters (a longer word stands alone).
std::string wrap(const std::string& text, size_t width);
}  // namespace macro_text

// Marks a macro as being visited by a recursive walk (dependency test, execution) on this
// thread; a macro met again while it is marked is a cycle, and the walk stops there.
class MacroVisit {
public:
    explicit MacroVisit(const CMacro* m);
    ~MacroVisit();
    MacroVisit(const MacroVisit&) = delete;
    MacroVisit& operator=(const MacroVisit&) = delete;
    // False when the macro was already being visited.
    bool entered() const { return entered_; }

private:
    const CMacro* macro_;
    bool entered_;
};
