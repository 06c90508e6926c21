// The macro kinds: what each one keeps, saves and describes, and how it runs.
#pragma once

#include <string>

#include "geometry/CPointLie.h"
#include "macros/CMacro.h"
#include "values/CValeurAssocieeAVariable.h"
#include "values/CVariable.h"

class CMacroApparition : public CMacroAvecListe {
    DECLARE_SERIAL(CMacroApparition)
public:
    using CMacroAvecListe::CMacroAvecListe;
    CMacroApparition() = default;
    bool oneByOne = false;  // one object per click

    void Serialize(CArchive& ar) override;
    bool changesFigure() const override { return true; }
    bool execute(CMacroContext& context) override;
    bool executeWithoutAnimation(CMacroContext& context) override;
    bool applyFinalState(CListeAction& target) override;
    int addObjectsPromptId() const override { return 1340; }
    int removeObjectsPromptId() const override { return 1343; }
    std::string kindTitle() const override;
    std::string details() const override;
};

class CMacroDisparition : public CMacroAvecListe {
    DECLARE_SERIAL(CMacroDisparition)
public:
    using CMacroAvecListe::CMacroAvecListe;
    CMacroDisparition() = default;

    bool changesFigure() const override { return true; }
    bool execute(CMacroContext& context) override;
    bool executeWithoutAnimation(CMacroContext& context) override;
    bool applyFinalState(CListeAction& target) override;
    std::string kindTitle() const override;
    std::string details() const override;
};

// Traces of the listed objects while a linked point runs over its curve.
class CMacroTraceAuto : public CMacroAvecListe {
    DECLARE_SERIAL(CMacroTraceAuto)
public:
    using CMacroAvecListe::CMacroAvecListe;
    CMacroTraceAuto() = default;
    int32_t n = 100;  // positions of the generator
    int32_t f = 0;    // frame period in ms; 0 as fast as possible
    CPointLie* linkedPoint = nullptr;

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    bool usesLinkedPoint(const CElementBase* p) const override { return p && p == linkedPoint; }
    bool execute(CMacroContext& context) override;
    std::string kindTitle() const override;
    std::string details() const override;
};

class CMacroTraceAutoParVariable : public CMacroAvecListe {
    DECLARE_SERIAL(CMacroTraceAutoParVariable)
public:
    using CMacroAvecListe::CMacroAvecListe;
    CMacroTraceAutoParVariable() = default;
    int32_t n = 100;
    int32_t f = 0;
    CVariableBornee* variable = nullptr;

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    bool usesElement(const CElementBase* e) const override { return e && e == variable; }
    bool execute(CMacroContext& context) override;
    std::string kindTitle() const override;
    std::string details() const override;
};

class CMacroAnimationPointLie : public CMacro {
    DECLARE_SERIAL(CMacroAnimationPointLie)
public:
    using CMacro::CMacro;
    CMacroAnimationPointLie() = default;
    bool cyclic = false;
    int32_t f = 10;   // frame period in ms
    int32_t n = 100;  // positions over the range
    int32_t d = 0;    // duration in tenths of a second; 0 until a click or Escape
    CPointLie* linkedPoint = nullptr;

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    bool usesLinkedPoint(const CElementBase* p) const override { return p && p == linkedPoint; }
    bool execute(CMacroContext& context) override;
    int runningPromptId() const override { return d > 0 ? 1379 : 1380; }
    std::string kindTitle() const override;
    std::string details() const override;
};

class CMacroAnimationAvecTrace : public CMacroAvecListe {
    DECLARE_SERIAL(CMacroAnimationAvecTrace)
public:
    using CMacroAvecListe::CMacroAvecListe;
    CMacroAnimationAvecTrace() = default;
    bool oneCycle = false;
    bool cyclic = false;
    bool eraseTraces = false;  // at each end of the range
    int32_t f = 10;
    int32_t n = 100;
    int32_t d = 0;
    CPointLie* linkedPoint = nullptr;

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    bool usesLinkedPoint(const CElementBase* p) const override { return p && p == linkedPoint; }
    bool execute(CMacroContext& context) override;
    int runningPromptId() const override { return d > 0 ? 1379 : 1380; }
    std::string kindTitle() const override;
    std::string details() const override;
};

// Runs other macros in list order.
class CMacroSuiteMacros : public CMacroAvecListe {
    DECLARE_SERIAL(CMacroSuiteMacros)
public:
    using CMacroAvecListe::CMacroAvecListe;
    CMacroSuiteMacros() = default;

    // True when `m` is this sequence or runs it, directly or through other sequences: adding
    // such a macro would make the sequence run itself.
    bool wouldLoop(const CMacro* m) const;
    std::vector<CMacro*> calledMacros() const override;
    bool usesElement(const CElementBase* e) const override;
    // Only another macro takes the place of a listed one: files refuse a sequence of anything
    // else.
    void replaceInSubLists(CActionAncetre* old, CActionAncetre* repl) override;
    bool managesCursor() const override;
    bool canExecute(bool report) override;
    bool execute(CMacroContext& context) override;
    bool executeWithoutAnimation(CMacroContext& context) override;
    bool applyFinalState(CListeAction& target) override;
    std::string kindTitle() const override;
    std::string details() const override;

protected:
    void checkListedObjects() const override;
};

class CMacroAffectationValeurVariable : public CMacro {
    DECLARE_SERIAL(CMacroAffectationValeurVariable)
public:
    using CMacro::CMacro;
    CMacroAffectationValeurVariable() = default;
    CValeurAssocieeAVariable value;  // owned
    CVariableBornee* variable = nullptr;

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    bool computeDependsOn(const CElementBase* p) const override;
    bool computeDependsOnForPositioning(const CElementBase* p) const override;
    void replaceReference(CElementBase* old, CElementBase* repl) override;
    bool usesElement(const CElementBase* e) const override { return e && e == variable; }
    bool canExecute(bool report) override;
    bool changesFigure() const override { return true; }
    bool execute(CMacroContext& context) override;
    bool executeWithoutAnimation(CMacroContext& context) override;
    bool applyFinalState(CListeAction& target) override;
    std::string kindTitle() const override;
    std::string details() const override;
};

// Increment (up) or decrement (down) of a bounded variable by its step.
class CMacroPasVariable : public CMacro {
    DECLARE_DYNAMIC(CMacroPasVariable)
public:
    using CMacro::CMacro;
    CMacroPasVariable() = default;
    CVariableBornee* variable = nullptr;

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
    bool usesElement(const CElementBase* e) const override { return e && e == variable; }
    bool changesFigure() const override { return true; }
    bool execute(CMacroContext& context) override;
    bool executeWithoutAnimation(CMacroContext& context) override;
    bool applyFinalState(CListeAction& target) override;

protected:
    virtual bool up() const = 0;
};

class CMacroIncrementationVariable : public CMacroPasVariable {
    DECLARE_SERIAL(CMacroIncrementationVariable)
public:
    using CMacroPasVariable::CMacroPasVariable;
    CMacroIncrementationVariable() = default;
    std::string kindTitle() const override;
    std::string details() const override;

protected:
    bool up() const override { return true; }
};

class CMacroDecrementationVariable : public CMacroPasVariable {
    DECLARE_SERIAL(CMacroDecrementationVariable)
public:
    using CMacroPasVariable::CMacroPasVariable;
    CMacroDecrementationVariable() = default;
    std::string kindTitle() const override;
    std::string details() const override;

protected:
    bool up() const override { return false; }
};

class CMacroJouantSon : public CMacro {
    DECLARE_SERIAL(CMacroJouantSon)
public:
    using CMacro::CMacro;
    CMacroJouantSon() = default;
    std::string path;  // as typed or stored
    bool asynchronous = false;

    void Serialize(CArchive& ar) override;
    bool execute(CMacroContext& context) override;
    std::string kindTitle() const override;
    std::string details() const override;
};

class CMacroClignotement : public CMacroAvecListe {
    DECLARE_SERIAL(CMacroClignotement)
public:
    using CMacroAvecListe::CMacroAvecListe;
    CMacroClignotement() = default;
    int32_t d = 0;  // tenths of a second; 0 until a click or Escape

    void Serialize(CArchive& ar) override;
    bool execute(CMacroContext& context) override;
    std::string kindTitle() const override;
    std::string details() const override;
};

class CMacroAffichantTout : public CMacro {
    DECLARE_SERIAL(CMacroAffichantTout)
public:
    using CMacro::CMacro;
    CMacroAffichantTout() = default;

    bool execute(CMacroContext& context) override;
    bool executeWithoutAnimation(CMacroContext& context) override;
    std::string kindTitle() const override;
    std::string details() const override;
};

class CMacroPause : public CMacro {
    DECLARE_SERIAL(CMacroPause)
public:
    using CMacro::CMacro;
    CMacroPause() = default;
    int32_t seconds = 0;  // 0 until a click or Escape

    void Serialize(CArchive& ar) override;
    bool execute(CMacroContext& context) override;
    std::string kindTitle() const override;
    std::string details() const override;
};

class CMacroModificationVariable : public CMacro {
    DECLARE_SERIAL(CMacroModificationVariable)
public:
    using CMacro::CMacro;
    CMacroModificationVariable() = default;
    CValeurAssocieeAVariable minimum, maximum, step, value;  // owned
    CVariableBornee* variable = nullptr;

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    bool computeDependsOn(const CElementBase* p) const override;
    bool computeDependsOnForPositioning(const CElementBase* p) const override;
    void replaceReference(CElementBase* old, CElementBase* repl) override;
    bool usesElement(const CElementBase* e) const override { return e && e == variable; }
    // The new bounds are defined and ordered, the value between them, the step positive.
    bool canExecute(bool report) override;
    bool changesFigure() const override { return true; }
    bool execute(CMacroContext& context) override;
    bool executeWithoutAnimation(CMacroContext& context) override;
    bool applyFinalState(CListeAction& target) override;
    std::string kindTitle() const override;
    std::string details() const override;
};

// The fields shared by the two loops over a variable.
struct LoopFields {
    bool visible = true;  // the figure is drawn at each value
    int32_t f = 0;
    CVariableBornee* variable = nullptr;
    CMacro* before = nullptr;  // run once before the loops; may be none
    CMacro* atEnd = nullptr;   // run at the end of each loop; may be none
};

class CMacroBoucleAvecAnimation : public CMacro {
    DECLARE_SERIAL(CMacroBoucleAvecAnimation)
public:
    using CMacro::CMacro;
    CMacroBoucleAvecAnimation() = default;
    LoopFields loop;

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    bool usesElement(const CElementBase* e) const override;
    std::vector<CMacro*> calledMacros() const override { return {loop.before, loop.atEnd}; }
    // The variable is there and neither loop macro runs this one.
    bool canExecute(bool report) override;
    bool execute(CMacroContext& context) override;
    std::string kindTitle() const override;
    std::string details() const override;
};

class CMacroBoucleAvecTrace : public CMacroAvecListe {
    DECLARE_SERIAL(CMacroBoucleAvecTrace)
public:
    using CMacroAvecListe::CMacroAvecListe;
    CMacroBoucleAvecTrace() = default;
    LoopFields loop;

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    bool usesElement(const CElementBase* e) const override;
    std::vector<CMacro*> calledMacros() const override { return {loop.before, loop.atEnd}; }
    // The variable is there and neither loop macro runs this one.
    bool canExecute(bool report) override;
    bool execute(CMacroContext& context) override;
    std::string kindTitle() const override;
    std::string details() const override;
};

class CMacroAffectationPointLie : public CMacro {
    DECLARE_SERIAL(CMacroAffectationPointLie)
public:
    using CMacro::CMacro;
    CMacroAffectationPointLie() = default;
    CPointLie* moved = nullptr;
    CPointLie* target = nullptr;  // whose place the moved point takes

    DECLARE_REFS();
    void Serialize(CArchive& ar) override;
    bool usesLinkedPoint(const CElementBase* p) const override {
        return p && (p == moved || p == target);
    }
    bool changesFigure() const override { return true; }
    // Both points are on the same curve.
    bool canExecute(bool report) override;
    bool execute(CMacroContext& context) override;
    bool executeWithoutAnimation(CMacroContext& context) override;
    bool applyFinalState(CListeAction& target) override;
    std::string kindTitle() const override;
    std::string details() const override;
};
