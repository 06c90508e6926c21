#include "macros/CMacro.h"

#include <algorithm>
#include <sstream>

#include "core/CArchive.h"
#include "core/CHost.h"
#include "core/CPalette.h"
#include "core/CPreferences.h"

IMPLEMENT_DYNAMIC(CMacro, CAffichageLieAPoint)
IMPLEMENT_DYNAMIC(CMacroAvecListe, CMacro)

// ---------------------------------------------------------------------------------------------
// Helpers

namespace {
thread_local std::vector<const CMacro*> visiting;
}

MacroVisit::MacroVisit(const CMacro* m) : macro_(m) {
    entered_ = std::find(visiting.begin(), visiting.end(), m) == visiting.end();
    if (entered_) visiting.push_back(m);
}

MacroVisit::~MacroVisit() {
    if (entered_) visiting.pop_back();
}

namespace macro_text {
std::string nameOf(const CElementBase* e) {
    return e ? e->getDisplayName() : std::string();
}

std::string wrap(const std::string& text, size_t width) {
    std::istringstream in(text);
    std::string word, line, out;
    while (in >> word) {
        if (!line.empty() && line.size() + 1 + word.size() > width) {
            out += (out.empty() ? "" : "\n") + line;
            line.clear();
        }
        line += (line.empty() ? "" : " ") + word;
    }
    if (!line.empty()) out += (out.empty() ? "" : "\n") + line;
    return out;
}
}  // namespace macro_text

// ---------------------------------------------------------------------------------------------
// CMacro

CMacro::CMacro(CListeAction* l, std::string t, std::string c, double x, double y, int8_t colour)
    : CAffichageLieAPoint(nullptr, x, y, colour),
      list(l),
      title(std::move(t)),
      comment(std::move(c)) {}

void CMacro::Serialize(CArchive& ar) {
    CAffichageLieAPoint::Serialize(ar);
    if (ar.IsStoring()) {
        ar.writeString(title);
        ar.writeString(comment);
    } else {
        title = ar.readString();
        comment = ar.readString();
        list = ar.currentList();
    }
}

// The earlier titles began with the 6-character button code, which is not part of the title.
void CMacro::readPreviousFormat(CArchive& ar) {
    CAffichageLieAPoint::readPreviousFormat(ar);
    const std::string raw = ar.readRawString();
    title = cp1252ToUtf8(raw.size() > 6 ? raw.substr(6) : std::string());
    comment = ar.readString();
    list = ar.currentList();
}

bool CMacro::computeDependsOn(const CElementBase* p) const {
    if (CAffichageLieAPoint::computeDependsOn(p)) return true;
    MacroVisit visit(this);
    return visit.entered() && CElementBase::computeDependsOn(p);
}

void CMacro::replaceReference(CElementBase* old, CElementBase* repl) {
    CAffichageLieAPoint::replaceReference(old, repl);
    CElementBase::replaceReference(old, repl);
}

std::string CMacro::getText() {
    return "#C(=>)" + title;
}

void CMacro::drawText(CDC* dc, bool eraseMode, bool hideMasked) {
    if (masked) return;
    CAffichageLieAPoint::drawText(dc, eraseMode, hideMasked);
    const LRect& b = box;
    dc->selectBrush(CBrushDesc::solidBrush(CPalette::colour(eraseMode ? 0 : colour)));
    dc->selectPen(CPalette::thinPen(0));
    dc->polygon({{b.left, b.bottom},
                 {b.right, b.bottom},
                 {b.right, b.top},
                 {b.right + 5, b.top + 5},
                 {b.right + 5, b.bottom + 5},
                 {b.left + 5, b.bottom + 5}});
}

std::string CMacro::getDisplayName() const {
    return "Macro d'intitulé \"" + title + "\"";
}

std::string CMacro::kindTitle() const {
    return "";
}

std::string CMacro::details() const {
    return "";
}

std::string CMacro::getDescription() const {
    std::string s = kindTitle() + macro_text::eol + "Intitulé : " + title + details();
    if (!comment.empty())
        s += "\n           Commentaire explicatif : \n" + macro_text::wrap(comment, 16);
    return s;
}

bool CMacro::usesElement(const CElementBase*) const {
    return false;
}

bool CMacro::usesLinkedPoint(const CElementBase*) const {
    return false;
}

bool CMacro::managesCursor() const {
    return false;
}

bool CMacro::canExecute(bool) {
    return true;
}

bool CMacro::changesFigure() const {
    return false;
}

bool CMacro::execute(CMacroContext&) {
    return true;
}

bool CMacro::executeWithoutAnimation(CMacroContext&) {
    return false;
}

bool CMacro::applyFinalState(CListeAction&) {
    return true;
}

int CMacro::runningPromptId() const {
    return 1379;
}

bool CMacro::runs(const CMacro* m) const {
    if (m == this) return true;
    MacroVisit visit(this);
    if (!visit.entered()) return false;
    for (const CMacro* c : calledMacros())
        if (c && c->runs(m)) return true;
    return false;
}

void CMacro::reportCannotExecute() const {
    if (preferences().beepOnMacroError) host().beep();
    if (preferences().informationOnMacroError)
        host().messageBox("la macro suivante ne peut pas être exécutée: \r\n" + title, "",
                          MB_OK | MB_ICONEXCLAMATION);
}

// ---------------------------------------------------------------------------------------------
// CMacroAvecListe

void CMacroAvecListe::addObject(const CActionAncetre& entry) {
    addObject(entry.nature, entry.element);
}

void CMacroAvecListe::addObject(Nature nature, CElementBase* element) {
    objects.append(std::make_unique<CActionSousListe>(nature, element));
}

bool CMacroAvecListe::removeObject(const CElementBase* element) {
    const int i = objects.indexOf(element);
    if (i < 0) return false;
    objects.removeAt(i);
    return true;
}

bool CMacroAvecListe::anyMasked() const {
    for (CActionAncetre* e : objects.entries())
        if (auto* g = dynamic_cast<CElementGraphique*>(e->element); g && g->masked) return true;
    return false;
}

bool CMacroAvecListe::allMasked() const {
    for (CActionAncetre* e : objects.entries()) {
        auto* g = dynamic_cast<CElementGraphique*>(e->element);
        if (g && !g->masked) return false;
    }
    return true;
}

void CMacroAvecListe::showAll() {
    for (CActionAncetre* e : objects.entries())
        if (auto* g = dynamic_cast<CElementGraphique*>(e->element)) g->masked = false;
}

bool CMacroAvecListe::isListValid() const {
    if (!list) return false;
    for (CActionAncetre* e : objects.entries())
        if (!list->contains(e->element)) return false;
    return true;
}

void CMacroAvecListe::Serialize(CArchive& ar) {
    CMacro::Serialize(ar);
    objects.Serialize(ar);
    if (ar.IsLoading()) checkListedObjects();
}

// Earliest format: a count, then the reference entries with their hand-written tags.
void CMacroAvecListe::readPreviousFormat(CArchive& ar) {
    CMacro::readPreviousFormat(ar);
    const uint32_t n = ar.readCount();
    ar.checkCount(n, 8);
    for (uint32_t i = 0; i < n; ++i) {
        std::unique_ptr<CActionSousListe> entry = ar.readPreviousObjectOf<CActionSousListe>();
        if (!entry || !entry->element)
            CArchive::fail(CArchiveException::badFormat, "Entrée vide dans une macro.");
        objects.append(entry.release());
    }
    checkListedObjects();
}

bool CMacroAvecListe::computeDependsOn(const CElementBase* p) const {
    if (CMacro::computeDependsOn(p)) return true;
    MacroVisit visit(this);
    if (!visit.entered()) return false;
    for (CActionAncetre* e : objects.entries())
        if (e->element && e->element->dependsOn(p)) return true;
    return false;
}

bool CMacroAvecListe::computeDependsOnForPositioning(const CElementBase* p) const {
    if (CMacro::computeDependsOnForPositioning(p)) return true;
    MacroVisit visit(this);
    if (!visit.entered()) return false;
    for (CActionAncetre* e : objects.entries())
        if (e->element && e->element->dependsOnForPositioning(p)) return true;
    return false;
}

void CMacroAvecListe::replaceInSubLists(CActionAncetre* old, CActionAncetre* repl) {
    if (!old || !repl) return;
    for (CActionAncetre* e : objects.entries())
        if (e->element == old->element) {
            e->element = repl->element;
            e->nature = repl->nature;
        }
}

bool CMacroAvecListe::canExecute(bool report) {
    if (isListValid()) return true;
    if (report) reportCannotExecute();
    return false;
}

std::string CMacroAvecListe::listedNames() const {
    std::string s;
    for (CActionAncetre* e : objects.entries())
        s += macro_text::eol + macro_text::nameOf(e->element);
    return s;
}
