// The construction tools. Each tool is one row of a table (command, prompts, natures of each
// designation, precondition, undo label and the builder of the new objects) driving one
// generic path; the intermediate bases name the usual shapes of that path.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "view/COutil.h"

class CAction;
class CPelvantiDoc;

// Natures that tools designate together.
inline constexpr Nature kLineLike = nat::segment | nat::droite | nat::vecteur | nat::demiDroite;
inline constexpr Nature kCircles = nat::cercle | nat::arc;
inline constexpr Nature kLineOrCircle = kLineLike | kCircles;
inline constexpr Nature kLinkable = kLineOrCircle | nat::polygone | nat::ligneBrisee;
inline constexpr Nature kMovablePoints = nat::pointLibre | nat::pointLie;
inline constexpr Nature kLinkedPoints = nat::pointLie | nat::pointAutre;

// What a builder receives: the designated objects in order (for a preview the mouse point
// stands for the last one) and the click position for tools that place something.
struct ToolContext {
    CPelvantiDoc* doc = nullptr;
    std::vector<CElementBase*> parents;
    int x = 0, y = 0;  // logical position of the last click
    bool preview = false;
};

using ToolEntries = std::vector<std::unique_ptr<CAction>>;
// Creates the new objects in figure order; empty when nothing is to be created (a dialog
// cancelled, a refusal already reported).
using ToolBuilder = ToolEntries (*)(ToolContext&);

struct ToolDesc {
    int command;
    const char* menu;              // menu path, submenus separated by '/'
    const char* text;              // menu text
    int promptId;                  // prompt of step k: promptId + k
    std::vector<Nature> steps;     // accepted natures of each designation; none: placement
    int previewAfter;              // designations after which the preview follows the mouse; 0 none
    std::vector<int> unavailable;  // checks of isAvailable, by message id, in order
    bool ends;
    const char* undo;  // null: the tool builds nothing (tests show a verdict)
    ToolBuilder build;
};

// Counts the visible existing objects of a nature group (and of `extra`, when given).
int countVisible(const CPelvantiDoc& doc, Nature mask,
                 bool (*extra)(const CElementBase*) = nullptr);

// Precondition `id` (message id of its refusal) holds for the figure.
bool preconditionHolds(int id, CPelvantiDoc& doc);
// The preconditions hold, in that order, for the active figure; the first that fails shows
// its message.
bool preconditionsHold(const std::vector<int>& ids);

// Appends the entries to the figure, computes them and applies the checks of a new object:
// a duplicate is refused; an object outside the window or not defined is kept only when the user
// confirms; a new point inside the window gets an automatic name when the preference asks for
// it. Refused entries are removed.
bool addValidated(CPelvantiDoc& doc, ToolEntries entries, bool askUndefined = true);

// Automatic name of a new point when the preference asks for it.
void nameNewPoint(CPelvantiDoc& doc, CElementBase* point);

// Base of the tools that make designated objects blink.
class COutilClignotant : public COutil {
public:
    void deactivate(CPelvantiView* view) override;
};

// A tool described by a table row.
class COutilDesigne : public COutilClignotant {
public:
    explicit COutilDesigne(const ToolDesc& desc) : desc_(desc) {}

    bool activate(CPelvantiView* view) override;
    void deactivate(CPelvantiView* view) override;
    bool designate(CPelvantiView* view) override;
    bool complete(CPelvantiDoc* doc) override;
    std::string prompt(int step) const override;
    bool isAvailable() override;
    bool endsAfterUse() const override { return desc_.ends; }
    std::string undoLabel() const override { return desc_.undo ? desc_.undo : ""; }
    void startPreview() override;
    int promptId() const override { return desc_.promptId; }

    const ToolDesc& desc() const { return desc_; }
    const std::vector<CElementBase*>& designated() const { return designated_; }

protected:
    // Builds with the designations and the click; false when nothing was added.
    virtual bool build(CPelvantiDoc* doc);
    // Called when the last designation is made.
    bool completeAndRestart(CPelvantiView* view);

    ToolDesc desc_;
    std::vector<CElementBase*> designated_;
};

// Two designations of points (line through two points, segment, midpoint...).
class COutilDeuxPoints : public COutilDesigne {
public:
    using COutilDesigne::COutilDesigne;
    CElementBase* first() const { return designated_.size() > 0 ? designated_[0] : nullptr; }
    CElementBase* second() const { return designated_.size() > 1 ? designated_[1] : nullptr; }
};

// Three designations of points (centroid, bisector, angle marks...).
class COutilTroisPoints : public COutilDesigne {
public:
    using COutilDesigne::COutilDesigne;
    CElementBase* third() const { return designated_.size() > 2 ? designated_[2] : nullptr; }
};

// A line-like object, then a point (parallel, perpendicular, projection).
class COutilDroitePoint : public COutilDesigne {
public:
    using COutilDesigne::COutilDesigne;
};

// Intersection of two objects and the two "second point" tools.
class COutilIntersection : public COutilDesigne {
public:
    using COutilDesigne::COutilDesigne;

protected:
    bool build(CPelvantiDoc* doc) override;
};

// Polygon and broken line: vertices until the right click.
class COutilCreationPolygone : public COutilDesigne {
public:
    using COutilDesigne::COutilDesigne;
    bool designate(CPelvantiView* view) override;
    void onRightClick(CPelvantiView* view) override;

protected:
    bool build(CPelvantiDoc* doc) override;
    virtual bool closed() const { return true; }
    // A click on the first vertex closes the polygon.
    bool closing_ = false;
};

class COutilCreationLigneBrisee : public COutilCreationPolygone {
public:
    using COutilCreationPolygone::COutilCreationPolygone;
    void onRightClick(CPelvantiView* view) override;

protected:
    bool closed() const override { return false; }
};

// The table of the construction tools of points, lines, circles, marks and polygons.
const std::vector<ToolDesc>& constructionToolTable();
