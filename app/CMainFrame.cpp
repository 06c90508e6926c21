#include "app/CMainFrame.h"

#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <optional>

#include "app/CPreferencesDialog.h"
#include "app/CToolGrid.h"
#include "app/Desktop.h"
#include "app/FigureProgress.h"
#include "app/PaletteIcons.h"
#include "app/PreferencesIO.h"
#include "app/Settings.h"
#include "core/CHost.h"
#include "core/CPalette.h"
#include "core/CPreferences.h"
#include "document/CPelvantiDoc.h"
#include "view/CFigureAccessible.h"
#include "view/CFigureRenderer.h"
#include "view/COutil.h"
#include "view/COutilsMacros.h"
#include "view/COutilsRegistry.h"
#include "view/CPelvantiView.h"
#include "view/CQtDC.h"
#include "view/Commands.h"

namespace {
const QString kFilter = QStringLiteral("Fichiers Korvendal32 (*.qvf)");
const QString kAppName = QStringLiteral("Korvendal32");

QIcon commandIcon(const char* name) {
    if (!name) return {};
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(QString::fromUtf8(name)));
}

// The menu text without its shortcut, and the shortcut.
QString menuLabel(const QString& text) {
    return text.section('\t', 0, 0);
}
QKeySequence shortcutOf(const QString& text) {
    QString keys = text.section('\t', 1).remove(' ');
    keys.replace(QStringLiteral("Maj"), QStringLiteral("Shift"));  // the French name of Shift
    return keys.isEmpty() ? QKeySequence() : QKeySequence::fromString(keys);
}
QString plainText(const QString& text) {
    return menuLabel(text).remove('&').trimmed();
}

struct BarDesc {
    uint32_t bit;
    const char* text;
};
// The show/hide commands of the bars, in the order of the bits.
const BarDesc kBars[] = {
    {toolbar_bits::files, "Gestion de fichiers"},
    {toolbar_bits::modification, "Modification figure"},
    {toolbar_bits::zoom, "Zoom et décalage"},
    {toolbar_bits::construction, "&Barre d'outils"},
    {toolbar_bits::lineStyles, "Palette de style de trait"},
    {toolbar_bits::colours, "Palette de couleurs"},
    {toolbar_bits::pointStyles, "Palette de style de point"},
    {toolbar_bits::fillStyles, "Palette de style de hachure"},
    {toolbar_bits::arrowStyles, "Palette de style de flèche"},
    {toolbar_bits::statusBar, "Barre d'état"},
    {toolbar_bits::promptBar, "Barre d'indication"},
    {toolbar_bits::segmentMarks, "Palette de marque de segment"},
    {toolbar_bits::tests, "Palette de tests"},
};
}  // namespace

// Resources of a static library are registered by hand.
static void initResources() {
    Q_INIT_RESOURCE(korvendal32);
}

// ---------------------------------------------------------------------------------------------
// Child frame

CChildFrame::CChildFrame(CMainFrame* frame, CPelvantiView* view)
    : QMdiSubWindow(), frame_(frame), view_(view) {
    setWidget(view);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(QIcon(QStringLiteral(":/icons/figure.svg")));
}

QSize CChildFrame::sizeHint() const {
    // The cascade sizes windows by their hint: the figure's own size, leaving room for the
    // offsets of the windows behind it.
    QSize wanted = preferredSize;
    if (QMdiArea* area = mdiArea()) wanted = wanted.boundedTo(area->viewport()->size() * 3 / 4);
    return wanted.expandedTo(minimumSizeHint());
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    // The running macro holds the figure: it stops, and the window closes after it.
    if (deferWhileMacroRuns(this, [this] { close(); })) {
        event->ignore();
        return;
    }
    if (!frame_->maybeSave(view_)) {
        event->ignore();
        return;
    }
    if (CPelvantiView::activeView() == view_) CPelvantiView::setActiveView(nullptr);
    event->accept();
}

// ---------------------------------------------------------------------------------------------
// Main frame

CMainFrame::CMainFrame(std::unique_ptr<QSettings> settings) : settings_(std::move(settings)) {
    initResources();
    if (!settings_) settings_ = openSettings();
    loadPreferences(*settings_);
    recent_ = loadRecentFiles(*settings_);

    setWindowTitle(kAppName);
    setWindowIcon(QIcon(QStringLiteral(":/icons/korvendal32.svg")));
    setAcceptDrops(true);
    mdi_ = new QMdiArea(this);
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setBackground(QColor(0x80, 0x80, 0x80));
    setCentralWidget(mdi_);
    connect(mdi_, &QMdiArea::subWindowActivated, this, &CMainFrame::onSubWindowActivated);

    EtatOutils& st = etatOutils();
    st.showPrompt = [this](const std::string& text) {
        const QString prompt = QString::fromStdString(text);
        if (!prompt_ || prompt_->text() == prompt) return;
        prompt_->setText(prompt);
        // A live status: screen readers speak each new prompt without the focus moving there.
        QAccessibleEvent spoken(prompt_, QAccessible::Alert);
        reportAccessibleEvent(&spoken);
    };
    st.showStatus = [this](const std::string& text) {
        statusBar()->showMessage(QString::fromStdString(text));
    };
    st.toolChanged = [this] { updateActions(); };

    buildCommands();
    applyToolBarLevel();
    buildPalettes();
    buildPromptBar();
    buildBarsMenu();
    // The button that shows the buttons a bar has no room for is named after its bar.
    for (QToolBar* bar : findChildren<QToolBar*>())
        if (auto* more = bar->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button")))
            more->setAccessibleName(QStringLiteral("Autres boutons : ") + bar->windowTitle());
    statusBar()->showMessage(QStringLiteral("Prêt"));
    applyToolBarBits();
    updateRecentMenu();
    updateActions();
    QSize screen = QGuiApplication::primaryScreen()
                       ? QGuiApplication::primaryScreen()->availableSize()
                       : QSize(1280, 800);
    resize(QSize(1200, 820).boundedTo(screen * 0.95));
}

CMainFrame::~CMainFrame() {
    // The child windows go first, while this window can still hear from them.
    disconnect(mdi_, nullptr, this, nullptr);
    for (QMdiSubWindow* w : mdi_->subWindowList()) {
        if (auto* child = qobject_cast<CChildFrame*>(w))
            disconnect(child->view(), nullptr, this, nullptr);
        delete w;
    }
    CPelvantiView::setActiveView(nullptr);
    EtatOutils& st = etatOutils();
    st.showPrompt = nullptr;
    st.showStatus = nullptr;
    st.toolChanged = nullptr;
}

QMenu* CMainFrame::menuFor(const QString& path) {
    auto it = menus_.find(path);
    if (it != menus_.end()) return it->second;
    QMenu* menu;
    int slash = path.lastIndexOf('/');
    if (slash < 0)
        menu = menuBar()->addMenu(path);
    else
        menu = menuFor(path.left(slash))->addMenu(path.mid(slash + 1));
    menus_[path] = menu;
    return menu;
}

void CMainFrame::buildCommands() {
    struct TB {
        ToolBarId id;
        const char* title;
        const char* object;
        Qt::ToolBarArea area;
    };
    const TB bars[] = {
        {ToolBarId::files, "Gestion de fichiers", "files", Qt::TopToolBarArea},
        {ToolBarId::modification, "Modification figure", "modification", Qt::TopToolBarArea},
        {ToolBarId::zoom, "Zoom et décalage", "zoom", Qt::TopToolBarArea},
        {ToolBarId::construction, "Barre d'outils", "construction", Qt::LeftToolBarArea},
        {ToolBarId::tests, "Palette de tests", "tests", Qt::TopToolBarArea},
    };
    for (const TB& b : bars) {
        auto* tb = new QToolBar(QString::fromUtf8(b.title), this);
        tb->setObjectName(QString::fromUtf8(b.object));
        tb->setIconSize(QSize(24, 24));
        addToolBar(b.area, tb);
        toolBars_[b.id] = tb;
    }
    // The construction bar gets the left side for itself.
    toolBars_[ToolBarId::construction]->setOrientation(Qt::Vertical);

    bars_[toolbar_bits::files] = toolBars_[ToolBarId::files];
    bars_[toolbar_bits::modification] = toolBars_[ToolBarId::modification];
    bars_[toolbar_bits::zoom] = toolBars_[ToolBarId::zoom];
    bars_[toolbar_bits::construction] = toolBars_[ToolBarId::construction];
    bars_[toolbar_bits::tests] = toolBars_[ToolBarId::tests];
    bars_[toolbar_bits::statusBar] = statusBar();

    for (const CommandDesc& c : commandTable()) {
        QMenu* menu = menuFor(QString::fromUtf8(c.menu));
        QToolBar* tb = c.toolbar == ToolBarId::none ? nullptr : toolBars_[c.toolbar];
        if (c.id == kSeparator) {
            menu->addSeparator();
            if (tb) tb->addSeparator();
            continue;
        }
        const QString text = QString::fromUtf8(c.text);
        auto* a = new QAction(commandIcon(c.icon), text, this);
        a->setShortcut(shortcutOf(text));
        a->setShortcutContext(Qt::ApplicationShortcut);
        a->setStatusTip(c.tip ? QString::fromUtf8(c.tip) : plainText(text));
        a->setToolTip(plainText(text));
        a->setCheckable(c.checked != nullptr);
        auto run = c.run;
        connect(a, &QAction::triggered, this, [this, run] {
            auto act = [this, run] {
                if (run) run(*this);
                updateActions();
            };
            // A command during a macro stops it first: the figure is back as it was.
            if (!deferWhileMacroRuns(this, act)) act();
        });
        menu->addAction(a);
        if (tb) tb->addAction(a);
        actions_[c.id] = a;
    }
    // The tools: a command each, in their menus, with the buttons of the table; the current one
    // is checked (updateActions).
    std::map<int, const ToolButtonDesc*> buttons;
    for (const ToolButtonDesc& b : toolButtonTable()) buttons[b.id] = &b;
    for (const ToolCommand& t : toolCommands()) {
        const QString text = QString::fromUtf8(t.text);
        auto it = buttons.find(t.command);
        auto* a =
            new QAction(it != buttons.end() ? commandIcon(it->second->icon) : QIcon(), text, this);
        a->setStatusTip(plainText(text));
        a->setToolTip(plainText(text));
        a->setShortcut(shortcutOf(text));
        a->setShortcutContext(Qt::ApplicationShortcut);
        const int command = t.command;
        connect(a, &QAction::triggered, this, [this, command] {
            auto act = [this, command] {
                selectToolCommand(command, activeView());
                updateActions();
            };
            if (!deferWhileMacroRuns(this, act)) act();
        });
        menuFor(QString::fromUtf8(t.menu))->addAction(a);
        if (it != buttons.end() && it->second->toolbar != ToolBarId::none)
            toolBars_[it->second->toolbar]->addAction(a);
        actions_[command] = a;
        toolActions_.push_back(command);
    }
    // The window list and the help stay last, after the menus of the tools.
    for (const char* last : {"Fe&nêtre", "&?"}) {
        QAction* m = menuFor(QString::fromUtf8(last))->menuAction();
        menuBar()->removeAction(m);
        menuBar()->addAction(m);
    }
    // Recent files, before "Quitter".
    QMenu* file = menuFor(QStringLiteral("&Fichier"));
    recentSeparator_ = file->insertSeparator(action(Cmd::quit));
    for (int i = 0; i < kRecentFileCount; ++i) {
        auto* a = new QAction(this);
        a->setVisible(false);
        connect(a, &QAction::triggered, this, [this, a] { openFile(a->data().toString()); });
        file->insertAction(recentSeparator_, a);
        recentActions_ << a;
    }
    windowMenu_ = menuFor(QStringLiteral("Fe&nêtre"));
    connect(windowMenu_, &QMenu::aboutToShow, this, &CMainFrame::updateWindowMenu);
    for (auto& [path, menu] : menus_)
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::updateActions);
}

namespace {
// The buttons of the palettes are named by what they give, so that a screen reader says it.
const char* const kColourNames[] = {
    "Noir",        "Bleu",       "Vert",          "Rouge",      "Cyan",
    "Magenta",     "Jaune",      "Gris",          "Bleu foncé", "Vert foncé",
    "Rouge foncé", "Cyan foncé", "Magenta foncé", "Olive",      "Rouge très foncé"};
const char* const kLineStyleNames[] = {
    "Trait fin",       "Trait pointillé",         "Trait épais",
    "Trait en tirets", "Trait tiret-point-point", "Trait très épais"};
const char* const kPointStyleNames[] = {"Point carré plein",          "Gros point rond",
                                        "Point en croix épaisse",     "Point en croix oblique",
                                        "Point carré à centre plein", "Petit point rond"};
const char* const kFillStyleNames[] = {"Remplissage : Quadrillage vertical",
                                       "Remplissage : Quadrillage horizontal",
                                       "Remplissage : Quadrillage oblique vers le bas",
                                       "Remplissage : Quadrillage oblique vers le haut",
                                       "Remplissage : pointillés",
                                       "Remplissage : plein"};
const char* const kArrowStyleNames[] = {"Flèche pleine longue", "Flèche pleine courte",
                                        "Flèche ouverte longue", "Flèche ouverte courte"};
const char* const kSegmentMarkNames[] = {"Marque à un trait", "Marque à deux traits",
                                         "Marque à trois traits", "Marque en croix"};
}  // namespace

void CMainFrame::buildPalettes() {
    struct Palette {
        uint32_t bit;
        const char* title;
        const char* object;
        int count;
        QIcon (*icon)(int);
        int EtatPalettes::*field;
        int first;
        const char* const* names;
    };
    const Palette palettes[] = {
        {toolbar_bits::lineStyles, "Palette de style de trait", "lineStyles", 6, lineStyleIcon,
         &EtatPalettes::lineStyle, 0, kLineStyleNames},
        {toolbar_bits::colours, "Palette de couleurs", "colours", 15, colourIcon,
         &EtatPalettes::colour, 1, kColourNames},
        {toolbar_bits::pointStyles, "Palette de style de point", "pointStyles", 6, pointStyleIcon,
         &EtatPalettes::pointStyle, 0, kPointStyleNames},
        {toolbar_bits::fillStyles, "Palette de style de hachure", "fillStyles", 6, fillStyleIcon,
         &EtatPalettes::fillStyle, 0, kFillStyleNames},
        {toolbar_bits::arrowStyles, "Palette de style de flèche", "arrowStyles", 4, arrowStyleIcon,
         &EtatPalettes::arrowStyle, 0, kArrowStyleNames},
        {toolbar_bits::segmentMarks, "Palette de marque de segment", "segmentMarks", 4,
         segmentMarkIcon, &EtatPalettes::segmentMark, 0, kSegmentMarkNames},
    };
    for (const Palette& pal : palettes) {
        auto* tb = new QToolBar(QString::fromUtf8(pal.title), this);
        tb->setObjectName(QString::fromUtf8(pal.object));
        tb->setIconSize(QSize(20, 20));
        auto* group = new QActionGroup(tb);
        group->setExclusive(true);
        for (int i = 0; i < pal.count; ++i) {
            int value = pal.first + i;
            auto* a = new QAction(pal.icon(value), QString::fromUtf8(pal.names[i]), group);
            a->setCheckable(true);
            a->setChecked(etatPalettes().*(pal.field) == value);
            int EtatPalettes::*field = pal.field;
            connect(a, &QAction::triggered, this,
                    [field, value] { etatPalettes().*field = value; });
            tb->addAction(a);
        }
        if (pal.bit == toolbar_bits::lineStyles || pal.bit == toolbar_bits::colours)
            addToolBarBreak(Qt::TopToolBarArea);
        addToolBar(Qt::TopToolBarArea, tb);
        bars_[pal.bit] = tb;
        // The first line is full with the file, modification and zoom bars.
        if (pal.bit == toolbar_bits::lineStyles)
            addToolBar(Qt::TopToolBarArea, toolBars_[ToolBarId::tests]);
    }
}

void CMainFrame::buildPromptBar() {
    auto* bar = new QToolBar(QStringLiteral("Barre d'indication"), this);
    bar->setObjectName(QStringLiteral("prompt"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    bar->setIconSize(QSize(16, 16));
    prompt_ = new QLabel(this);
    prompt_->setObjectName(QStringLiteral("promptText"));
    prompt_->setMinimumWidth(300);
    prompt_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    prompt_->setContentsMargins(6, 0, 6, 0);
    bar->addWidget(prompt_);
    struct Toggle {
        int id;
        const char* text;
    };
    const Toggle toggles[] = {{Cmd::visualCreation, "Visuel"},
                              {Cmd::autoNames, "Noms Auto"},
                              {Cmd::smartIntersections, "Intersections intelligentes"}};
    for (const Toggle& t : toggles) {
        QAction* a = action(t.id);
        if (!a) continue;
        auto* button = new QToolButton(bar);
        button->setDefaultAction(a);
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setText(QString::fromUtf8(t.text));
        connect(a, &QAction::changed, button,
                [button, t] { button->setText(QString::fromUtf8(t.text)); });
        bar->addWidget(button);
    }
    addToolBar(Qt::BottomToolBarArea, bar);
    bars_[toolbar_bits::promptBar] = bar;
}

void CMainFrame::buildBarsMenu() {
    QMenu* menu = menuFor(QStringLiteral("&Affichage/Barres d'outils"));
    for (const BarDesc& b : kBars) {
        auto* a = new QAction(QString::fromUtf8(b.text), this);
        a->setCheckable(true);
        uint32_t bit = b.bit;
        connect(a, &QAction::triggered, this, [this, bit](bool on) { setBarVisible(bit, on); });
        menu->addAction(a);
        barActions_[b.bit] = a;
        // Closing a toolbar by its own menu keeps the bit in step too.
        if (auto* tb = qobject_cast<QToolBar*>(bars_[b.bit]))
            connect(tb->toggleViewAction(), &QAction::triggered, this,
                    [this, bit](bool on) { setBarVisible(bit, on); });
    }
}

void CMainFrame::setBarVisible(uint32_t bit, bool visible) {
    uint32_t& bits = preferences().toolBars;
    bits = visible ? (bits | bit) : (bits & ~bit);
    if (QWidget* w = bars_[bit]) w->setVisible(visible);
    if (QAction* a = barActions_[bit]) a->setChecked(visible);
}

void CMainFrame::applyToolBarBits() {
    for (const BarDesc& b : kBars) setBarVisible(b.bit, (preferences().toolBars & b.bit) != 0);
}

QAction* CMainFrame::action(int commandId) const {
    auto it = actions_.find(commandId);
    return it == actions_.end() ? nullptr : it->second;
}

QToolBar* CMainFrame::toolBar(ToolBarId id) const {
    auto it = toolBars_.find(id);
    return it == toolBars_.end() ? nullptr : it->second;
}

QToolBar* CMainFrame::toolBarOfBit(uint32_t bit) const {
    auto it = bars_.find(bit);
    return it == bars_.end() ? nullptr : qobject_cast<QToolBar*>(it->second);
}

QString CMainFrame::promptText() const {
    return prompt_ ? prompt_->text() : QString();
}

void CMainFrame::updateActions() {
    for (const CommandDesc& c : commandTable()) {
        if (c.id == kSeparator) continue;
        QAction* a = action(c.id);
        if (!a) continue;
        a->setEnabled(!c.enabled || c.enabled(*this));
        if (c.checked) a->setChecked(c.checked(*this));
    }
    CPelvantiView* v = activeView();
    if (v) updateTitle(v);
    for (int command : toolActions_) {
        QAction* a = action(command);
        a->setEnabled(isToolCommandEnabled(command, v));
        // Only the current tool is checkable: menus would show an empty box beside the others.
        const bool current = isToolCommandChecked(command);
        a->setCheckable(current);
        a->setChecked(current);
    }
    // The menus show the shortcut of the action, written the same way whether or not there
    // is something to undo.
    if (QAction* u = action(Cmd::editUndo))
        u->setText(menuLabel(QString::fromStdString(v ? v->document()->history().undoMenuText()
                                                      : std::string("Annuler "))));
    if (QAction* r = action(Cmd::editRedo))
        r->setText(menuLabel(QString::fromStdString(v ? v->document()->history().redoMenuText()
                                                      : std::string("Rétablir "))));
}

// ---------------------------------------------------------------------------------------------
// Views

CPelvantiView* CMainFrame::activeView() const {
    if (auto* child = qobject_cast<CChildFrame*>(mdi_->activeSubWindow())) return child->view();
    // Without focus (tests, minimised window) the current sub-window still counts.
    if (auto* child = qobject_cast<CChildFrame*>(mdi_->currentSubWindow())) return child->view();
    return nullptr;
}

QList<CPelvantiView*> CMainFrame::views() const {
    QList<CPelvantiView*> result;
    for (QMdiSubWindow* w : mdi_->subWindowList())
        if (auto* child = qobject_cast<CChildFrame*>(w)) result << child->view();
    return result;
}

void CMainFrame::onSubWindowActivated(QMdiSubWindow* w) {
    if (auto* child = qobject_cast<CChildFrame*>(w)) {
        CPelvantiView* view = child->view();
        CPelvantiView::setActiveView(view);
        view->recomputeAndRedraw();
        view->createVariableWindows();
        EtatOutils& st = etatOutils();
        if (st.currentTool) st.currentTool->activate(view);
    }
    updateActions();
}

CPelvantiView* CMainFrame::addView(std::unique_ptr<CPelvantiDoc> doc, const QString& title) {
    CPelvantiDoc* d = doc.get();
    auto* view = new CPelvantiView(std::move(doc));
    auto* child = new CChildFrame(this, view);
    mdi_->addSubWindow(child);
    view->setProperty("figureTitle", title);
    connect(view, &CPelvantiView::modifiedChanged, this, [this, view] { updateTitle(view); });
    connect(view, &CPelvantiView::figureChanged, this, [this, view] {
        updateTitle(view);
        updateActions();
    });
    connect(view, &CPelvantiView::statusMessage, this,
            [this](const QString& text) { statusBar()->showMessage(text); });
    updateTitle(view);
    QSize outer(d->windowSize.cx, d->windowSize.cy);
    if (outer.width() <= 0 || outer.height() <= 0) outer = QSize(800, 560);
    child->preferredSize = outer;
    child->resize(outer);
    // The area's own placement looks for free room and finds it past the right edge: new
    // windows go down a diagonal instead, as a cascade would put them. Placed before it is
    // shown, so that a large figure is not drawn again for each change of size.
    const int step = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, child);
    const int k = (static_cast<int>(mdi_->subWindowList().size()) - 1) % 8;
    child->move(k * step, k * step);
    keepInside(child);
    child->show();
    mdi_->setActiveSubWindow(child);
    CPelvantiView::setActiveView(view);
    view->setFocus();
    return view;
}

void CMainFrame::updateTitle(CPelvantiView* view) {
    QString title = view->property("figureTitle").toString();
    if (view->isModified()) title += QStringLiteral(" *");
    if (QWidget* w = view->parentWidget()) w->setWindowTitle(title);
}

CPelvantiView* CMainFrame::newFigure() {
    auto doc = std::make_unique<CPelvantiDoc>();
    doc->newFigure();
    return addView(std::move(doc), QStringLiteral("Figure%1").arg(++untitledCount_));
}

namespace {
// Reading, drawing or writing a large figure takes a moment: the wait cursor shows meanwhile.
struct BusyCursor {
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};
}  // namespace

CPelvantiView* CMainFrame::openFile(const QString& path) {
    if (deferWhileMacroRuns(this, [this, path] { openFile(path); })) return nullptr;
    const QString absolute = QFileInfo(path).absoluteFilePath();
    for (CPelvantiView* v : views())
        if (QFileInfo(QString::fromStdString(v->document()->path)).absoluteFilePath() == absolute) {
            mdi_->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(v->parentWidget()));
            return v;
        }
    auto doc = std::make_unique<CPelvantiDoc>();
    doc->newFigure();
    std::string reason;
    // Both last until the figure is first drawn, but not over the message of a failure.
    std::optional<BusyCursor> busy(std::in_place);
    std::optional<CFigureProgress> progress(std::in_place, this,
                                            QStringLiteral("Lecture de la figure…"));
    if (!doc->loadFromFile(absolute.toStdString(), &reason, &*progress)) {
        progress.reset();
        busy.reset();
        host().messageBox(reason.empty() ? "Impossible d'ouvrir la figure." : reason, "Korvendal32",
                          MB_OK | MB_ICONEXCLAMATION);
        recent_.removeAll(absolute);
        updateRecentMenu();
        return nullptr;
    }
    addRecent(absolute);
    progress->windowStage();
    CPelvantiView* view = addView(std::move(doc), QFileInfo(absolute).fileName());
    view->markSaved();
    statusBar()->showMessage(QStringLiteral("Figure ouverte : %1").arg(absolute), 5000);
    return view;
}

QString CMainFrame::dialogFolder(CPelvantiView* view) const {
    return figureFolder(view ? QString::fromStdString(view->document()->path) : QString(),
                        recent_.isEmpty() ? QString() : recent_.first());
}

CPelvantiView* CMainFrame::openRecovered(std::unique_ptr<CPelvantiDoc> doc, const QString& title) {
    // An untitled figure keeps its number when no open figure has it, and new figures count on
    // from there; otherwise it is numbered as a new figure.
    QString name = title;
    if (doc->path.empty()) {
        static const QRegularExpression numbered(QStringLiteral("^Figure([1-9][0-9]{0,8})$"));
        const QRegularExpressionMatch m = numbered.match(title);
        bool free = m.hasMatch();
        for (CPelvantiView* v : views())
            if (v->property("figureTitle").toString() == title) free = false;
        if (free)
            untitledCount_ = std::max(untitledCount_, m.captured(1).toInt());
        else
            name = QStringLiteral("Figure%1").arg(++untitledCount_);
    }
    CPelvantiView* view = addView(std::move(doc), name);
    view->setModified(true);
    updateTitle(view);
    return view;
}

void CMainFrame::openWithDialog() {
    QStringList files =
        QFileDialog::getOpenFileNames(this, QStringLiteral("Ouvrir"), dialogFolder(activeView()),
                                      kFilter + QStringLiteral(";;Tous les fichiers (*)"));
    for (const QString& f : files) openFile(f);
}

bool CMainFrame::saveView(CPelvantiView* view, const QString& path) {
    std::string reason;
    bool saved;
    {
        BusyCursor busy;
        CFigureProgress progress(this, QStringLiteral("Enregistrement de la figure…"));
        saved = view->document()->saveToFile(path.toStdString(), &reason, &progress);
    }
    if (!saved) {
        host().messageBox(reason.empty() ? "Impossible d'enregistrer la figure." : reason,
                          "Korvendal32", MB_OK | MB_ICONERROR);
        return false;
    }
    view->setProperty("figureTitle", QFileInfo(path).fileName());
    view->markSaved();
    updateTitle(view);
    addRecent(path);
    updateActions();
    statusBar()->showMessage(QStringLiteral("Figure enregistrée : %1").arg(path), 5000);
    return true;
}

bool CMainFrame::save() {
    CPelvantiView* v = activeView();
    if (!v) return false;
    if (v->document()->path.empty()) return saveAs();
    return saveView(v, QString::fromStdString(v->document()->path));
}

bool CMainFrame::saveAs() {
    CPelvantiView* v = activeView();
    if (!v) return false;
    QString suggested =
        v->document()->path.empty()
            ? QDir(dialogFolder(v))
                  .filePath(v->property("figureTitle").toString() + QStringLiteral(".qvf"))
            : QString::fromStdString(v->document()->path);
    QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("Enregistrer sous"), suggested, kFilter);
    if (path.isEmpty()) return false;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".qvf");
    return saveView(v, path);
}

bool CMainFrame::maybeSave(CPelvantiView* view) {
    if (!view || !view->isModified(true)) return true;
    QString title = view->property("figureTitle").toString();
    int answer = automaticAnswer;
    if (!answer) {
        mdi_->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(view->parentWidget()));
        answer = host().messageBox(
            QStringLiteral("Enregistrer les modifications de « %1 » ?").arg(title).toStdString(),
            "Korvendal32", MB_YESNOCANCEL | MB_ICONQUESTION);
    }
    if (answer == IDCANCEL) return false;
    if (answer == IDNO) return true;
    if (view->document()->path.empty()) {
        QString path = QFileDialog::getSaveFileName(
            this, QStringLiteral("Enregistrer sous"),
            QDir(dialogFolder(view)).filePath(title + QStringLiteral(".qvf")), kFilter);
        if (path.isEmpty()) return false;
        if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".qvf");
        return saveView(view, path);
    }
    return saveView(view, QString::fromStdString(view->document()->path));
}

void CMainFrame::closeActive() {
    if (deferWhileMacroRuns(this, [this] { closeActive(); })) return;
    if (QMdiSubWindow* w =
            mdi_->activeSubWindow() ? mdi_->activeSubWindow() : mdi_->currentSubWindow())
        w->close();
    updateActions();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (deferWhileMacroRuns(this, [this] { close(); })) {
        event->ignore();
        return;
    }
    for (CPelvantiView* v : views()) {
        if (!maybeSave(v)) {
            event->ignore();
            return;
        }
    }
    for (CPelvantiView* v : views()) v->setModified(false);
    // Already asked: the child windows close without asking again.
    for (QMdiSubWindow* w : mdi_->subWindowList()) {
        if (auto* child = qobject_cast<CChildFrame*>(w)) child->view()->markSaved();
        w->close();
    }
    savePreferencesNow();
    event->accept();
}

void CMainFrame::savePreferencesNow() {
    savePreferences(*settings_);
    saveRecentFiles(*settings_, recent_);
}

void CMainFrame::addRecent(const QString& path) {
    recent_ = withRecentFile(recent_, path);
    saveRecentFiles(*settings_, recent_);
    updateRecentMenu();
}

void CMainFrame::updateRecentMenu() {
    for (int i = 0; i < recentActions_.size(); ++i) {
        QAction* a = recentActions_[i];
        if (i < recent_.size()) {
            a->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(recent_[i]));
            a->setData(recent_[i]);
            a->setVisible(true);
        } else {
            a->setVisible(false);
        }
    }
    if (recentSeparator_) recentSeparator_->setVisible(!recent_.isEmpty());
}

void CMainFrame::updateWindowMenu() {
    for (QAction* a : windowActions_) {
        windowMenu_->removeAction(a);
        delete a;
    }
    windowActions_.clear();
    const QList<QMdiSubWindow*> windows = mdi_->subWindowList();
    if (windows.isEmpty()) return;
    windowActions_ << windowMenu_->addSeparator();
    int n = 0;
    for (QMdiSubWindow* w : windows) {
        auto* a = windowMenu_->addAction(QStringLiteral("&%1 %2").arg(++n).arg(w->windowTitle()));
        a->setCheckable(true);
        a->setChecked(w == mdi_->activeSubWindow());
        connect(a, &QAction::triggered, this, [this, w] { mdi_->setActiveSubWindow(w); });
        windowActions_ << a;
    }
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) openFile(url.toLocalFile());
    event->acceptProposedAction();
}

// ---------------------------------------------------------------------------------------------
// Figure commands

void CMainFrame::undo() {
    if (deferWhileMacroRuns(this, [this] { undo(); })) return;
    if (CPelvantiView* v = activeView()) {
        v->undo();
        if (etatOutils().returnToCapture) etatOutils().returnToCapture(v);
    }
}

void CMainFrame::redo() {
    if (deferWhileMacroRuns(this, [this] { redo(); })) return;
    if (CPelvantiView* v = activeView()) {
        v->redo();
        if (etatOutils().returnToCapture) etatOutils().returnToCapture(v);
    }
}

void CMainFrame::copy() {
    CPelvantiView* v = activeView();
    if (!v) return;
    auto* data = new QMimeData;
    data->setImageData(renderFigureImage(*v->document()));
    data->setData(QStringLiteral("image/svg+xml"), renderFigureSvg(*v->document()));
    QApplication::clipboard()->setMimeData(data);
    v->recomputeAndRedraw();
    statusBar()->showMessage(QStringLiteral("Figure copiée dans le presse-papier"), 4000);
}

void CMainFrame::copyBitmap() {
    CPelvantiView* v = activeView();
    if (!v) return;
    QApplication::clipboard()->setImage(renderFigureImage(*v->document()));
    v->recomputeAndRedraw();
    statusBar()->showMessage(QStringLiteral("Figure copiée comme image"), 4000);
}

void CMainFrame::exportWithDialog() {
    CPelvantiView* v = activeView();
    if (!v) return;
    QString base = v->document()->path.empty()
                       ? v->property("figureTitle").toString()
                       : QFileInfo(QString::fromStdString(v->document()->path)).completeBaseName();
    QString selected;
    QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Exporter l'image de la figure"),
        QDir(dialogFolder(v)).filePath(base + QStringLiteral(".png")),
        QStringLiteral("Image PNG (*.png);;Image SVG (*.svg);;Document PDF (*.pdf)"), &selected);
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty())
        path += selected.contains("svg") ? ".svg" : selected.contains("pdf") ? ".pdf" : ".png";
    QString reason;
    LSize area = v->drawingArea();
    if (!exportFigure(*v->document(), path, QSize(area.cx / 10, area.cy / 10), &reason))
        host().messageBox(reason.toStdString(), "Korvendal32", MB_OK | MB_ICONERROR);
    else
        statusBar()->showMessage(QStringLiteral("Image exportée : %1").arg(path), 5000);
    v->recomputeAndRedraw();
}

namespace {
void printFigure(QPrinter* printer, CPelvantiView* view) {
    CPelvantiDoc& doc = *view->document();
    QPainter painter;
    if (!painter.begin(printer)) return;
    LSize area = view->drawingArea();
    QRectF page = printer->pageLayout().paintRectPixels(printer->resolution());
    double scale = std::min(page.width() / area.cx, page.height() / area.cy);
    applyBackgroundColour(doc);
    CQtDC dc(painter, {0, 0, area.cx, area.cy}, scale);
    drawFigure(dc, doc);
    painter.end();
}
}  // namespace

void CMainFrame::print() {
    CPelvantiView* v = activeView();
    if (!v) return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(v->property("figureTitle").toString());
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Imprimer la figure"));
    if (dialog.exec() != QDialog::Accepted) return;
    printFigure(&printer, v);
    v->recomputeAndRedraw();
}

void CMainFrame::printPreview() {
    CPelvantiView* v = activeView();
    if (!v) return;
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Aperçu avant impression"));
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
            [v](QPrinter* p) { printFigure(p, v); });
    dialog.exec();
    v->recomputeAndRedraw();
}

void CMainFrame::editPreferences() {
    CPreferencesDialog dialog(preferences(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    preferences() = dialog.result();
    CPalette::rebuildPens();
    savePreferences(*settings_);
    applyToolBarLevel();
    redrawAll();
}

void CMainFrame::applyToolBarLevel() {
    QToolBar* bar = toolBars_[ToolBarId::construction];
    bar->clear();
    auto* grid = new CToolGrid(bar);
    constructionGrid_ = grid;
    std::map<int, ToolBarId> buttons;
    for (const ToolButtonDesc& b : toolButtonTable()) buttons[b.id] = b.toolbar;
    for (int command : toolActions_) {
        auto it = buttons.find(command);
        if (it == buttons.end() || it->second != ToolBarId::construction) continue;
        if (!preferences().lowGradeMode || !isAdvancedButton(command))
            grid->addButton(actions_[command]);
    }
    bar->addWidget(grid);
}

QList<QAction*> CMainFrame::toolBarButtons(ToolBarId id) const {
    QList<QAction*> result;
    QToolBar* bar = toolBar(id);
    if (!bar) return result;
    if (id == ToolBarId::construction && constructionGrid_) return constructionGrid_->actions();
    for (QAction* a : bar->actions())
        if (!a->isSeparator()) result.append(a);
    return result;
}

void CMainFrame::toggleLineEnforcement() {
    preferences().lineEnforcement = !preferences().lineEnforcement;
    CPalette::rebuildPens();
    redrawAll();
}

void CMainFrame::redrawAll() {
    for (CPelvantiView* v : views()) v->redraw();
    if (CPelvantiView* v = activeView()) applyBackgroundColour(*v->document());
    updateActions();
}

void CMainFrame::recomputeAll() {
    for (CPelvantiView* v : views()) v->recomputeAndRedraw();
    if (CPelvantiView* v = activeView()) {
        CPelvantiView::setActiveView(v);
    }
    updateActions();
}

void CMainFrame::cascade() {
    mdi_->cascadeSubWindows();
    for (QMdiSubWindow* w : mdi_->subWindowList()) keepInside(w);
}

void CMainFrame::keepInside(QMdiSubWindow* w) {
    const QSize room = mdi_->viewport()->size();
    // Before the main window is laid out the area has no size yet.
    if (room.width() < 200 || room.height() < 150) return;
    QPoint at = w->pos();
    at.setX(std::clamp(at.x(), 0, room.width() - 200));
    at.setY(std::clamp(at.y(), 0, room.height() - 150));
    w->move(at);
    w->resize(w->size().boundedTo(QSize(room.width() - at.x(), room.height() - at.y())));
}

void CMainFrame::tile() {
    mdi_->tileSubWindows();
}

void CMainFrame::about() {
    QMessageBox::about(this, QStringLiteral("A propos de Korvendal32"),
                       QStringLiteral("<b>Korvendal32</b><br>Géométrie dynamique pour les "
                                      "mathématiques à l'école.<br>Version %1")
                           .arg(QApplication::applicationVersion()));
}
