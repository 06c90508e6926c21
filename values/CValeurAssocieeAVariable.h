// Parameter values owned by constructions (a radius, an abscissa, a rotation angle, a weight):
// either a plain number or a reference to a named value of the figure. They are written in
// place by their owner, without an object tag.
#pragma once

#include <memory>
#include <string>

#include "core/CObject.h"

class CArchive;
class CElementBase;
class CListeAction;
class CValeurDynamique;

class CValeurAssocieeAVariableAncetre : public CObject {
    DECLARE_SERIAL(CValeurAssocieeAVariableAncetre)
public:
    CValeurAssocieeAVariableAncetre() = default;
    explicit CValeurAssocieeAVariableAncetre(double number) : constant(number) {}
    explicit CValeurAssocieeAVariableAncetre(CValeurDynamique* ref) : reference(ref) {}

    double constant = 0.0;
    CValeurDynamique* reference = nullptr;  // null for a plain number; not owned

    virtual void setNumber(double v);
    virtual void setReference(CValeurDynamique* ref);
    bool isReference() const { return reference != nullptr; }
    // The reference exists (always true for a number).
    bool isDefined() const;
    bool dependsOn(const CElementBase* p) const;
    bool dependsOnForPositioning(const CElementBase* p) const;
    bool usesNameOf(const CElementBase* p) const;
    void replaceReference(CElementBase* old, CElementBase* repl);
    virtual double getValue() const;
    // The reference's name, or the number.
    virtual std::string getText(int decimals) const;
    virtual std::unique_ptr<CValeurAssocieeAVariableAncetre> getClone(const CListeAction& from,
                                                                      const CListeAction& to) const;
    // Parses the typed text again against `list` (after the angle unit changed).
    virtual void rebuildFromText(const CListeAction* list);

    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;

protected:
    void remapFrom(const CValeurAssocieeAVariableAncetre& src, const CListeAction& from,
                   const CListeAction& to);
};

class CValeurAssocieeAVariable : public CValeurAssocieeAVariableAncetre {
    DECLARE_SERIAL(CValeurAssocieeAVariable)
public:
    CValeurAssocieeAVariable() = default;
    explicit CValeurAssocieeAVariable(double number);
    explicit CValeurAssocieeAVariable(CValeurDynamique* ref)
        : CValeurAssocieeAVariableAncetre(ref) {}

    std::string text;  // the number as typed; empty when a reference is used

    // The text becomes formatNumber(v, 12, 12).
    void setNumber(double v) override;
    // A number with the text the user typed for it (a constant formula such as pi/2).
    void setNumberWithText(double v, const std::string& typed);
    void setReference(CValeurDynamique* ref) override;
    std::string getText(int decimals) const override;
    std::unique_ptr<CValeurAssocieeAVariableAncetre> getClone(
        const CListeAction& from, const CListeAction& to) const override;
    // Same class, reference re-mapped: for owners that hold the value as a member.
    CValeurAssocieeAVariable cloned(const CListeAction& from, const CListeAction& to) const;
    void rebuildFromText(const CListeAction* list) override;

    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
};

// An angle (rotation, similarity): the number is held in radians, shown in the figure's unit;
// it is used reduced to (-pi, pi].
class CValeurAngle : public CValeurAssocieeAVariable {
    DECLARE_SERIAL(CValeurAngle)
public:
    CValeurAngle() = default;
    explicit CValeurAngle(double radians) { constant = radians; }
    explicit CValeurAngle(CValeurDynamique* ref) : CValeurAssocieeAVariable(ref) {}

    void setNumber(double radians) override;
    // A number typed in the figure's angle unit.
    void setNumberInUnit(double v);
    void setNumberInUnit(double v, const std::string& typed);
    // Radians in (-pi, pi]; a reference is read in the figure's unit.
    double getValue() const override;
    // The reference's name, or the number in the figure's unit.
    std::string getText(int decimals) const override;
    std::unique_ptr<CValeurAssocieeAVariableAncetre> getClone(
        const CListeAction& from, const CListeAction& to) const override;
    CValeurAngle cloned(const CListeAction& from, const CListeAction& to) const;
    // The angle is kept in radians whatever the unit: nothing to parse again.
    void rebuildFromText(const CListeAction*) override {}

    void Serialize(CArchive& ar) override;
    void readPreviousFormat(CArchive& ar) override;
};

// Reduction of an angle in radians to (-pi, pi].
double reduceAngle(double a);
