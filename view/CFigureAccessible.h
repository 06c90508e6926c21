// The figure view as assistive technology sees it: one child per object shown, in figure
// order, named as the user knows it ("Point A", "Segment [AB]"), described by its construction,
// placed where it is drawn. A child keeps only the object it stands for and checks it against
// the figure at every question, so an object deleted or replaced (undo) only makes its child
// invalid. After each redraw the view compares what is shown with what was shown before and
// tells the assistive technology what was added, removed, renamed or moved.
#pragma once

#include <QAccessibleWidget>
#include <QRect>
#include <QString>
#include <unordered_map>
#include <vector>

class CActionAncetre;
class CElementBase;
class CElementGraphique;
class CPelvantiView;

// Makes Qt build the interfaces below for figure views; installed once.
void installFigureAccessibility();
// Assistive technology listens: changes are worth reporting.
bool accessibilityListening();
// Tells assistive technology (or the sink) about `event`.
void reportAccessibleEvent(QAccessibleEvent* event);
// Where the events go instead of the platform (tests); null restores the platform.
using AccessibilitySink = void (*)(QAccessibleEvent*);
void setAccessibilitySink(AccessibilitySink sink);

// The objects the view shows, in figure order: existing, and not masked while masked objects
// are hidden.
std::vector<CActionAncetre*> shownObjects(CPelvantiView* view);
// "Point A", "Segment [AB]", "Commentaire Bonjour"...
QString accessibleName(const CActionAncetre* e);
// Where the object and its name are drawn, in pixels of the view; empty when nothing is drawn.
QRect objectBounds(CPelvantiView* view, CElementGraphique* g);

class CFigureAccessible : public QAccessibleWidget {
public:
    explicit CFigureAccessible(CPelvantiView* view);
    ~CFigureAccessible() override;

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    // The child standing for `element` (made on first use); null when it is not shown.
    QAccessibleInterface* childFor(const CElementBase* element) const;
    // Reports what changed in the figure since the last call.
    void figureChanged();
    // `element` (null: none) is the keyboard's candidate: the focus goes to its child.
    void setCandidate(const CElementBase* element);

private:
    CPelvantiView* view() const;
    QAccessibleInterface* interfaceFor(const CElementBase* element) const;
    struct Shown {
        const CElementBase* element;
        QString name, description;
        QRect rect;
    };
    void reportChanges(const std::vector<Shown>& now);
    mutable std::unordered_map<const CElementBase*, QAccessible::Id> children_;
    std::vector<Shown> shown_;
    bool primed_ = false;
    const CElementBase* candidate_ = nullptr;
};

// The accessible interface of `view` (made on first use).
CFigureAccessible* figureAccessible(CPelvantiView* view);
