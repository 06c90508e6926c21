#include "view/CFigureAccessible.h"

#include <QPainter>
#include <QPicture>
#include <QPointer>
#include <QWidget>
#include <QWindow>
#include <map>

#include "core/CElementGraphique.h"
#include "document/CPelvantiDoc.h"
#include "geometry/CAffichage.h"
#include "values/CValeurDynamique.h"
#include "view/CFigureRenderer.h"
#include "view/COutil.h"
#include "view/COutilsConstruction.h"
#include "view/CPelvantiView.h"
#include "view/CQtDC.h"

namespace {
// Descriptions are laid out on several indented lines; read aloud they are one sentence.
QString oneLine(const std::string& text) {
    return QString::fromStdString(text).simplified();
}

bool isShown(const CActionAncetre* e) {
    auto* g = dynamic_cast<const CElementGraphique*>(e->element);
    return g && g->exists && !(g->masked && drawingState().hideMasked);
}

CActionAncetre* shownEntry(CPelvantiView* view, const CElementBase* element) {
    if (!view || !element) return nullptr;
    CActionAncetre* e = view->document()->graphicList().entryOf(element);
    return e && isShown(e) ? e : nullptr;
}

class CObjectAccessible : public QAccessibleInterface {
public:
    CObjectAccessible(CPelvantiView* view, const CElementBase* element)
        : view_(view), element_(element) {}

    // Valid while its view lives: the notice of its object's removal must still reach the
    // assistive technology, which would drop it for an invalid child.
    bool isValid() const override { return !view_.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return view_ ? view_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return view_ ? QAccessible::queryAccessibleInterface(view_.data()) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    void setText(QAccessible::Text, const QString&) override {}

    QString text(QAccessible::Text t) const override {
        CActionAncetre* e = entry();
        if (!e) return {};
        switch (t) {
            case QAccessible::Name:
                return accessibleName(e);
            case QAccessible::Description:
                return oneLine(e->element->getDescription());
            case QAccessible::Value:
                if (auto* d = dynamic_cast<const CValeurAffichee*>(e->element))
                    return oneLine(d->text);
                return {};
            default:
                return {};
        }
    }

    QRect rect() const override {
        CActionAncetre* e = entry();
        if (!e) return {};
        QRect r = objectBounds(view_, static_cast<CElementGraphique*>(e->element));
        return r.isEmpty() ? r : r.translated(view_->mapToGlobal(QPoint(0, 0)));
    }

    QAccessible::Role role() const override {
        CActionAncetre* e = entry();
        if (!e) return QAccessible::NoRole;
        if (e->nature & nat::macro) return QAccessible::Button;
        if (e->nature & (nat::commentaire | nat::valeurAffichee)) return QAccessible::StaticText;
        return QAccessible::Graphic;
    }

    QAccessible::State state() const override {
        QAccessible::State s;
        CActionAncetre* e = entry();
        if (!e) {
            s.invalid = true;
            return s;
        }
        const EtatOutils& st = etatOutils();
        s.focusable = true;
        s.selectable = true;
        // Designated by the construction going on: it blinks.
        s.selected = st.blinkList.contains(e->element);
        auto* a = figureAccessible(view_);
        s.focused = a && a->focusChild() == this;
        // A masked object shown while a tool shows masked objects.
        s.invisible = static_cast<CElementGraphique*>(e->element)->masked;
        auto* p = dynamic_cast<const CPointAncetrePointsMobiles*>(e->element);
        s.movable = (e->nature & kMovablePoints) && p && p->mobile;
        return s;
    }

    const CElementBase* element() const { return element_; }

private:
    CActionAncetre* entry() const { return shownEntry(view_, element_); }

    QPointer<CPelvantiView> view_;
    const CElementBase* element_;
};

AccessibilitySink gSink = nullptr;

QAccessibleInterface* makeInterface(const QString&, QObject* object) {
    if (auto* view = qobject_cast<CPelvantiView*>(object)) return new CFigureAccessible(view);
    return nullptr;
}
}  // namespace

void installFigureAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(makeInterface);
        return true;
    }();
    (void)installed;
}

bool accessibilityListening() {
    return gSink || QAccessible::isActive();
}

void reportAccessibleEvent(QAccessibleEvent* event) {
    if (gSink)
        gSink(event);
    else
        QAccessible::updateAccessibility(event);
}

void setAccessibilitySink(AccessibilitySink sink) {
    gSink = sink;
}

std::vector<CActionAncetre*> shownObjects(CPelvantiView* view) {
    std::vector<CActionAncetre*> out;
    for (CActionAncetre* e : view->document()->graphicList().entries())
        if (isShown(e)) out.push_back(e);
    return out;
}

QString accessibleName(const CActionAncetre* e) {
    std::string kind = "Objet";
    if (e->nature & nat::point) {
        kind = "Point";
    } else if (int bucket = bucketOfBit(natureBitNumber(e->nature)); bucket >= 0) {
        kind = designableNatures()[bucket].listName;
    }
    std::string label = e->element->getDisplayName();
    if (auto* v = dynamic_cast<const CValeurAffichee*>(e->element))
        label = v->V ? v->V->getName() : std::string();
    else if (auto* d = dynamic_cast<const CAffichageLieAPoint*>(e->element))
        label = d->text;
    return (QString::fromStdString(kind) + ' ' + oneLine(label)).trimmed();
}

QRect objectBounds(CPelvantiView* view, CElementGraphique* g) {
    // Displays lay their box out as they draw: the measuring draw must not move it.
    auto* display = dynamic_cast<CAffichageLieAPoint*>(g);
    const LRect box = display ? display->box : LRect{};
    const bool boxValid = display && display->boxValid;
    QPicture picture;
    {
        QPainter painter(&picture);
        const LSize area = view->drawingArea();
        CQtDC dc(painter, {0, 0, area.cx, area.cy}, 1.0 / CPelvantiView::kLogicalPerPixel);
        const CDrawingState& ds = drawingState();
        g->draw(&dc, ds.hideMasked);
        g->drawName(&dc, ds.hideMasked, ds.respectNameHidden);
    }
    if (display) {
        display->box = box;
        display->boxValid = boxValid;
    }
    return picture.boundingRect() & view->rect();
}

// ---------------------------------------------------------------------------------------------

CFigureAccessible::CFigureAccessible(CPelvantiView* view)
    : QAccessibleWidget(view, QAccessible::Canvas) {
    figureChanged();
}

CFigureAccessible::~CFigureAccessible() {
    for (auto& [element, id] : children_) QAccessible::deleteAccessibleInterface(id);
}

CFigureAccessible* figureAccessible(CPelvantiView* view) {
    return view ? dynamic_cast<CFigureAccessible*>(QAccessible::queryAccessibleInterface(view))
                : nullptr;
}

CPelvantiView* CFigureAccessible::view() const {
    return static_cast<CPelvantiView*>(widget());
}

QAccessibleInterface* CFigureAccessible::interfaceFor(const CElementBase* element) const {
    auto it = children_.find(element);
    if (it != children_.end()) return QAccessible::accessibleInterface(it->second);
    auto* iface = new CObjectAccessible(view(), element);
    children_[element] = QAccessible::registerAccessibleInterface(iface);
    return iface;
}

int CFigureAccessible::childCount() const {
    return static_cast<int>(shownObjects(view()).size());
}

QAccessibleInterface* CFigureAccessible::child(int index) const {
    const std::vector<CActionAncetre*> shown = shownObjects(view());
    if (index < 0 || index >= static_cast<int>(shown.size())) return nullptr;
    return interfaceFor(shown[index]->element);
}

QAccessibleInterface* CFigureAccessible::childFor(const CElementBase* element) const {
    return shownEntry(view(), element) ? interfaceFor(element) : nullptr;
}

int CFigureAccessible::indexOfChild(const QAccessibleInterface* child) const {
    auto* object = dynamic_cast<const CObjectAccessible*>(child);
    if (!object) return -1;
    const std::vector<CActionAncetre*> shown = shownObjects(view());
    for (size_t i = 0; i < shown.size(); ++i)
        if (shown[i]->element == object->element()) return static_cast<int>(i);
    return -1;
}

QAccessibleInterface* CFigureAccessible::childAt(int x, int y) const {
    // What a click there would find, points first.
    const QPoint local = view()->mapFromGlobal(QPoint(x, y));
    const LPoint p = CPelvantiView::toLogical(local.x(), local.y());
    const CListeAction none(false);
    CCandidats found;
    if (!queryDesignation(view()->document()->graphicList(), nat::graphique, p.x, p.y, none,
                          drawingState().hideMasked, found))
        return nullptr;
    if (found.firstPoint) return interfaceFor(found.firstPoint->element);
    for (const CCandidats::Bucket& b : found.buckets)
        if (!b.empty) return interfaceFor(b.first->element);
    return nullptr;
}

QAccessibleInterface* CFigureAccessible::focusChild() const {
    return candidate_ ? childFor(candidate_) : nullptr;
}

void CFigureAccessible::setCandidate(const CElementBase* element) {
    candidate_ = element;
    QAccessibleInterface* child = element ? childFor(element) : nullptr;
    if (!child) return;
    QAccessible::State changed;
    changed.focused = true;
    QAccessibleStateChangeEvent state(child, changed);
    reportAccessibleEvent(&state);
    QAccessibleEvent focus(child, QAccessible::Focus);
    reportAccessibleEvent(&focus);
}

void CFigureAccessible::figureChanged() {
    CPelvantiView* v = view();
    std::vector<Shown> now;
    std::unordered_map<const CElementBase*, size_t> where;
    for (CActionAncetre* e : shownObjects(v)) {
        where[e->element] = now.size();
        now.push_back({e->element, accessibleName(e), oneLine(e->element->getDescription()),
                       objectBounds(v, static_cast<CElementGraphique*>(e->element))});
    }
    if (primed_) reportChanges(now);
    // Children of objects gone from the figure (a figure replaced by undo) are dropped.
    for (auto it = children_.begin(); it != children_.end();) {
        if (where.count(it->first)) {
            ++it;
            continue;
        }
        QAccessible::deleteAccessibleInterface(it->second);
        it = children_.erase(it);
    }
    shown_ = std::move(now);
    primed_ = true;
}

void CFigureAccessible::reportChanges(const std::vector<Shown>& now) {
    CPelvantiView* v = view();
    // The same object, or, when undo replaced the figure, the object read and described the
    // same way, in order.
    std::vector<int> match(now.size(), -1);
    std::vector<bool> kept(shown_.size(), false);
    std::unordered_map<const CElementBase*, int> before;
    for (size_t j = 0; j < shown_.size(); ++j) before[shown_[j].element] = static_cast<int>(j);
    for (size_t i = 0; i < now.size(); ++i)
        if (auto it = before.find(now[i].element); it != before.end()) {
            match[i] = it->second;
            kept[it->second] = true;
        }
    std::multimap<QString, int> byText;
    for (size_t j = 0; j < shown_.size(); ++j)
        if (!kept[j]) byText.emplace(shown_[j].name + '\n' + shown_[j].description, j);
    for (size_t i = 0; i < now.size(); ++i) {
        if (match[i] >= 0) continue;
        auto it = byText.find(now[i].name + '\n' + now[i].description);
        if (it == byText.end()) continue;
        match[i] = it->second;
        kept[it->second] = true;
        byText.erase(it);
    }
    for (size_t j = 0; j < shown_.size(); ++j) {
        if (kept[j]) continue;
        // Told through its own child: the view no longer has one at its place.
        QAccessibleEvent removed(interfaceFor(shown_[j].element), QAccessible::ObjectDestroyed);
        reportAccessibleEvent(&removed);
    }
    for (size_t i = 0; i < now.size(); ++i) {
        if (match[i] < 0) {
            QAccessibleEvent added(v, QAccessible::ObjectCreated);
            added.setChild(static_cast<int>(i));
            reportAccessibleEvent(&added);
            continue;
        }
        const Shown& old = shown_[match[i]];
        if (old.name != now[i].name) {
            QAccessibleEvent renamed(interfaceFor(now[i].element), QAccessible::NameChanged);
            reportAccessibleEvent(&renamed);
        }
        if (old.rect != now[i].rect) {
            QAccessibleEvent moved(interfaceFor(now[i].element), QAccessible::LocationChanged);
            reportAccessibleEvent(&moved);
        }
    }
}
