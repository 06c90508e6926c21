#include "view/COutilsMacros.h"

#include <QCoreApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "core/CHost.h"
#include "document/CPelvantiDoc.h"
#include "macros/CMacroKinds.h"
#include "macros/MacroRun.h"
#include "view/CGestionSouris.h"
#include "view/CPelvantiView.h"
#include "view/CQtHost.h"
#include "view/ToolTexts.h"

namespace {
CPelvantiView* gRunningView = nullptr;
struct Deferred {
    QPointer<QObject> owner;
    std::function<void()> action;
};
std::vector<Deferred> gDeferred;

// True when the figure holds a macro the user can click.
bool hasVisibleMacro(CPelvantiDoc& doc) {
    for (CActionAncetre* e : doc.graphicList().entries())
        if (auto* m = dynamic_cast<CMacro*>(e->element); m && !m->masked) return true;
    return false;
}
}  // namespace

CViewMacroContext::~CViewMacroContext() {
    view_->closeTraceDC();
}

CListeAction& CViewMacroContext::figure() {
    return view_->document()->list();
}

void CViewMacroContext::redraw() {
    view_->closeTraceDC();
    view_->redraw();
}

CDC* CViewMacroContext::dc() {
    return view_->openTraceDC();
}

void CViewMacroContext::setPrompt(int messageId) {
    ::setPrompt(toolText(messageId));
}

void CViewMacroContext::setMouseInputEnabled(bool on) {
    etatOutils().mouseInputEnabled = on;
}

void CViewMacroContext::recordSnapshot(const std::string& label) {
    view_->document()->history().record(label);
    view_->setModified(true);
    emit view_->figureChanged();
}

void CViewMacroContext::restoreCursor() {
    const QPoint global = view_->mapToGlobal(click_);
    QCursor::setPos(global);
    // The view learns where the mouse now is, as after a move: the label next to the cursor
    // names the macro again.
    QCoreApplication::postEvent(
        view_, new QMouseEvent(QEvent::MouseMove, QPointF(click_), QPointF(global), Qt::NoButton,
                               Qt::NoButton, Qt::NoModifier));
}

CPelvantiView* runningMacroView() {
    return gRunningView;
}

void requestMacroStop() {
    if (!gRunningView) return;
    macro_run::flags().stopRequested = true;
    // The waits poll Escape through the host: the request reaches them as one.
    if (auto* qt = dynamic_cast<CQtHost*>(&host())) qt->requestStop();
}

bool deferWhileMacroRuns(QObject* owner, std::function<void()> action) {
    if (!gRunningView) return false;
    requestMacroStop();
    gDeferred.push_back({QPointer<QObject>(owner), std::move(action)});
    return true;
}

bool runMacro(CMacro& macro, CPelvantiView* view, QPoint click) {
    if (gRunningView || !view) return false;
    gRunningView = view;
    const QCursor previous = view->cursor();
    view->setCursor(Qt::BusyCursor);
    bool ok = false;
    {
        CViewMacroContext context(view, click);
        ok = macro_run::executeMacro(macro, context);
    }
    // The stop request belongs to this run only.
    macro_run::flags().stopRequested = false;
    if (auto* qt = dynamic_cast<CQtHost*>(&host())) qt->releaseStop();
    view->setCursor(previous);
    gRunningView = nullptr;
    // What was asked meanwhile runs from the event loop, where no macro frame is left.
    for (Deferred& d : std::exchange(gDeferred, {}))
        if (d.owner) QTimer::singleShot(0, d.owner.data(), std::move(d.action));
    return ok;
}

COutilExecutionMacro::COutilExecutionMacro() {
    cursor = QCursor(Qt::PointingHandCursor);
}

int COutilExecutionMacro::promptId() const {
    return Msg::promptExecuteMacro;
}

std::string COutilExecutionMacro::prompt(int) const {
    return toolText(Msg::promptExecuteMacro);
}

bool COutilExecutionMacro::isAvailable() {
    CPelvantiView* view = CPelvantiView::activeView();
    if (view && hasVisibleMacro(*view->document())) return true;
    toolMessage(Msg::needMacro, MB_OK | MB_ICONEXCLAMATION);
    return false;
}

bool COutilExecutionMacro::activate(CPelvantiView* view) {
    COutil::activate(view);
    etatOutils().natureFilter = nat::macro;
    installHandler(standardHandler(), view);
    return true;
}

bool COutilExecutionMacro::designate(CPelvantiView* view) {
    EtatOutils& st = etatOutils();
    if (!view || !st.designatedObject) return false;
    auto* macro = dynamic_cast<CMacro*>(st.designatedObject->element);
    st.designatedObject = nullptr;
    if (!macro) return false;
    runMacro(*macro, view, QPoint(st.lastMouseX, st.lastMouseY));
    return false;
}

namespace {
// The figure's macros other than `except`.
std::vector<CMacro*> macrosOf(CListeAction& list, const CMacro* except = nullptr) {
    std::vector<CMacro*> out;
    for (CActionAncetre* e : list.entries())
        if (auto* m = dynamic_cast<CMacro*>(e->element); m && m != except) out.push_back(m);
    return out;
}

// A whole number of seconds, 0 or more; nullopt otherwise.
std::optional<int> readSeconds(const std::string& text) {
    const QString t = QString::fromStdString(text).trimmed();
    bool ok = false;
    const int n = t.toInt(&ok);
    if (!ok || n < 0) return std::nullopt;
    return n;
}
}  // namespace

int COutilCreationMacro::promptId() const {
    return Msg::promptPlaceMacro;
}

std::string COutilCreationMacro::prompt(int) const {
    return toolText(Msg::promptPlaceMacro);
}

bool COutilCreationMacro::isAvailable() {
    CPelvantiView* view = CPelvantiView::activeView();
    if (!view) return false;
    if (kind_ == MacroKind::redraw)
        for (CMacro* m : macrosOf(view->document()->list()))
            if (dynamic_cast<CMacroAffichantTout*>(m)) {
                toolMessage(Msg::redrawMacroExists, MB_OK | MB_ICONEXCLAMATION);
                return false;
            }
    return true;
}

COutilCreationMacro::~COutilCreationMacro() = default;

bool COutilCreationMacro::activate(CPelvantiView* view) {
    collecting_.reset();
    COutil::activate(view);
    // Nothing is designated: the click only gives the place of the button.
    etatOutils().natureFilter = 0;
    installHandler(standardHandler(), view);
    return true;
}

void COutilCreationMacro::deactivate(CPelvantiView* view) {
    collecting_.reset();
    if (view) view->stopBlinking();
    COutil::deactivate(view);
}

bool COutilCreationMacro::askMacro(CListeAction& list, std::string& title, std::string& comment,
                                   int& seconds) {
    std::vector<std::string> labels{"Intitulé :", "Commentaire explicatif :"};
    std::vector<std::string> values{"", ""};
    if (kind_ == MacroKind::pause) {
        labels.push_back("Durée de la pause en secondes (0 : jusqu'à un clic) :");
        values.push_back("0");
    }
    for (;;) {
        if (!toolDialogs().editFields(kMacroDialogTitle, labels, values)) return false;
        title = QString::fromStdString(values[0]).trimmed().toStdString();
        if (title.empty()) {
            toolMessage(Msg::needMacroTitle, MB_OK | MB_ICONEXCLAMATION);
            continue;
        }
        const auto taken = macrosOf(list);
        if (std::any_of(taken.begin(), taken.end(),
                        [&](const CMacro* m) { return m->title == title; })) {
            toolMessage(Msg::macroTitleTaken, MB_OK | MB_ICONEXCLAMATION);
            continue;
        }
        if (kind_ == MacroKind::pause) {
            const std::optional<int> s = readSeconds(values[2]);
            if (!s) {
                toolMessageText(
                    "La durée de la pause doit être un nombre entier\nde secondes, "
                    "positif ou nul",
                    MB_OK | MB_ICONEXCLAMATION);
                continue;
            }
            seconds = *s;
        }
        comment = values[1];
        return true;
    }
}

void COutilCreationMacro::addToFigure(CPelvantiView* view, std::unique_ptr<CMacro> macro) {
    view->document()->addEntry(std::make_unique<CAction>(nat::macro, std::move(macro)));
    finishConstruction(view);
}

bool COutilCreationMacro::designate(CPelvantiView* view) {
    EtatOutils& st = etatOutils();
    if (!view) return false;
    if (collecting_) {
        CActionAncetre* entry = st.designatedObject;
        st.designatedObject = nullptr;
        if (!entry) return false;
        // A collected object is not offered again and blinks until the end.
        collecting_->addObject(entry->nature, entry->element);
        st.pendingList.append(entry);
        st.blinkList.append(entry);
        view->startBlinking();
        return false;
    }
    const LPoint at = CPelvantiView::toLogical(st.lastMouseX, st.lastMouseY);
    CListeAction& list = view->document()->list();
    std::string title, comment;
    int seconds = 0;
    if (!askMacro(list, title, comment, seconds)) return false;
    const int8_t colour = static_cast<int8_t>(etatPalettes().colour);
    switch (kind_) {
        case MacroKind::pause: {
            auto pause = std::make_unique<CMacroPause>(&list, title, comment, at.x, at.y, colour);
            pause->seconds = seconds;
            addToFigure(view, std::move(pause));
            return true;
        }
        case MacroKind::redraw:
            addToFigure(view, std::make_unique<CMacroAffichantTout>(&list, title, comment, at.x,
                                                                    at.y, colour));
            return true;
        case MacroKind::appearance:
            collecting_ =
                std::make_unique<CMacroApparition>(&list, title, comment, at.x, at.y, colour);
            st.natureFilter = nat::graphique & ~nat::macro;
            ::setPrompt(toolText(Msg::promptAppearanceObjects));
            return false;
    }
    return false;
}

void COutilCreationMacro::onRightClick(CPelvantiView* view) {
    if (!collecting_ || !view) return;
    std::unique_ptr<CMacroAvecListe> macro = std::move(collecting_);
    view->stopBlinking();
    // A macro that would act on nothing is not kept.
    if (!macro->objects.entries().empty()) addToFigure(view, std::move(macro));
    revenirCapture(view);
}
