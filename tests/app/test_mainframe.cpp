// The main window: documents in child windows, the bars and their bits, the undo menu texts,
// asking before a modified figure is closed, failed loads, the command icons, the export, and
// what assistive technology reaches: named buttons, announced prompts, typed coordinates.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QSet>
#include <QStyleOptionMenuItem>
#include <QToolBar>
#include <QToolButton>
#include <sstream>

#include "app/ExportCommand.h"
#include "app/FrameFixture.h"
#include "app/PreferencesIO.h"
#include "measures/CMesure.h"
#include "values/CCalcul.h"
#include "view/CFigureAccessible.h"
#include "view/COutilsRegistry.h"
#include "view/CQtDC.h"

TEST(MainFrame, ToolBarsFollowTheirBitsAndThickLinesTheirCommand) {
    Fixture f({{"ToolBars", 0x0009}});
    EXPECT_FALSE(f.frame->toolBarOfBit(toolbar_bits::construction)->isHidden());
    EXPECT_TRUE(f.frame->toolBarOfBit(toolbar_bits::colours)->isHidden());
    f.frame->setBarVisible(toolbar_bits::colours, true);
    f.frame->setBarVisible(toolbar_bits::files, false);
    EXPECT_EQ(preferences().toolBars, 0x0028u);
    f.frame->newFigure();
    f.run(Cmd::thickLines);
    EXPECT_EQ(CPalette::pen(0, 1).width, preferences().lineEnforcement ? 6 : 1);
}

TEST(MainFrame, UndoMenuTextNamesTheLastActionWithTheSameShortcutText) {
    // The text a menu shows for an action, shortcut included.
    struct Menu : QMenu {
        QString shown(QAction* a) {
            QStyleOptionMenuItem option;
            initStyleOption(&option, a);
            return option.text;
        }
    } menu;
    Fixture f;
    CPelvantiView* v = f.frame->newFigure();
    f.frame->updateActions();
    QAction* undo = f.frame->action(Cmd::editUndo);
    EXPECT_EQ(menu.shown(undo), "Annuler \tCtrl+Z");
    EXPECT_FALSE(undo->isEnabled());
    add<CPointBase>(v, nat::pointLibre, 100.0, 100.0);
    v->document()->history().record("Créer milieu");
    f.frame->updateActions();
    EXPECT_EQ(menu.shown(undo), "Annuler Créer milieu\tCtrl+Z");
    undo->trigger();
    EXPECT_EQ(v->document()->list().count(), 1);
    EXPECT_EQ(menu.shown(f.frame->action(Cmd::editRedo)), "Rétablir Créer milieu\tCtrl+Y");
}

// Figure windows stay in view and usable through cascade and tile.
TEST(MainFrame, NewFiguresOpenInTheirOwnWindowsAndAModifiedOneAsksBeforeClosing) {
    Fixture f;
    for (int i = 0; i < 9; ++i) f.frame->newFigure();
    for (int command : {Cmd::fileNew, Cmd::windowCascade, Cmd::windowTile}) {
        f.run(command);
        for (QMdiSubWindow* w : f.frame->mdiArea()->subWindowList()) {
            EXPECT_TRUE(f.frame->mdiArea()->viewport()->rect().contains(w->geometry()));
            EXPECT_TRUE(command == Cmd::windowTile || w->widget()->height() >= 150) << command;
        }
    }
    for (int i = 0; i < 8; ++i) f.frame->closeActive(), flushEvents();
    ASSERT_EQ(f.frame->views().size(), 2);
    CPelvantiView* v = f.frame->activeView();
    add<CPointBase>(v, nat::pointLibre, 100.0, 100.0);
    f.frame->automaticAnswer = IDCANCEL;
    f.frame->closeActive();
    EXPECT_EQ(f.frame->views().size(), 2);
    f.frame->automaticAnswer = IDNO;
    f.frame->closeActive();
    flushEvents();
    EXPECT_EQ(f.frame->views().size(), 1);
    // A change that neither the history nor the object count shows still asks.
    CPelvantiView* w = f.frame->activeView();
    auto* p = new CPointBase(100, 100);
    w->document()->addEntry(
        std::make_unique<CAction>(nat::pointLibre, std::unique_ptr<CPointBase>(p)));
    w->markSaved();
    EXPECT_FALSE(w->isModified());
    p->x = 900;
    f.frame->automaticAnswer = IDCANCEL;
    f.frame->closeActive();
    EXPECT_EQ(f.frame->views().size(), 1);
    p->x = 100;
    // An unmodified one closes without asking.
    f.frame->closeActive();
    flushEvents();
    EXPECT_EQ(f.frame->views().size(), 0);
    EXPECT_TRUE(f.headless.messages.empty());
}

TEST(MainFrame, OpenSaveAndReopenButNothingFromADamagedOrMissingFile) {
    Fixture f;
    const QString bad = f.dir.filePath("bad.qvf");
    QFile file(bad);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("Korvendal32Vers2\x03\x00"));
    file.close();
    EXPECT_EQ(f.frame->openFile(bad), nullptr);
    EXPECT_EQ(f.frame->openFile(f.dir.filePath("missing.qvf")), nullptr);
    ASSERT_EQ(f.headless.messages.size(), 2u);
    EXPECT_FALSE(f.headless.messages[0].text.empty());
    const QString path = QString::fromStdString(f.saveFigureWithPoint("a.qvf"));
    CPelvantiView* v = f.frame->openFile(path);
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(f.frame->openFile(path), v);  // already open
    EXPECT_EQ(f.frame->views().size(), 1);
    EXPECT_EQ(f.frame->recentFiles().first(), path);
    EXPECT_EQ(fromQColor(v->buffer().pixelColor(100, 50)), CPalette::colour(4));
    add<CPointBase>(v, nat::pointLibre, 2000.0, 100.0);
    EXPECT_TRUE(f.frame->save());
    EXPECT_FALSE(v->isModified());
    f.frame->closeActive();
    flushEvents();
    CPelvantiView* again = f.frame->openFile(path);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->document()->list().count(), 3);
}

TEST(MainFrame, ToolCommandsAreMenuItemsAndButtonsAndEveryIconExists) {
    Fixture f;
    for (const CommandDesc& c : commandTable())
        EXPECT_TRUE(!c.icon || QFile::exists(QStringLiteral(":/icons/%1.svg").arg(c.icon)));
    for (const ToolButtonDesc& b : toolButtonTable())
        EXPECT_TRUE(QFile::exists(QStringLiteral(":/icons/%1.svg").arg(b.icon))) << b.icon;
    CPelvantiView* v = f.frame->newFigure();
    add<CPointBase>(v, nat::pointLibre, 100.0, 100.0);
    add<CPointBase>(v, nat::pointLibre, 900.0, 100.0);
    v->recomputeAndRedraw();
    QAction* midpoint = f.frame->action(Cmd::midpoint);
    EXPECT_TRUE(f.frame->toolBarButtons(ToolBarId::construction).contains(midpoint));
    midpoint->trigger();
    EXPECT_EQ(etatOutils().currentTool->commandId, Cmd::midpoint);
    EXPECT_TRUE(midpoint->isChecked());
    EXPECT_FALSE(f.frame->action(Cmd::lineTwoPoints)->isCheckable()) << "no empty check box";
    etatOutils().returnToCapture(f.frame->activeView());  // Escape keeps the last command
    f.frame->updateActions();
    EXPECT_FALSE(midpoint->isChecked());
    EXPECT_TRUE(f.frame->action(Cmd::capture)->isChecked());
    f.run(Cmd::repeatLast);
    EXPECT_EQ(etatOutils().currentTool->commandId, Cmd::midpoint);
}

TEST(CalculsMenu, RedrawAllDrawsRandomValuesAgain) {
    Fixture f;
    CPelvantiView* view = f.frame->newFigure();
    auto* raw = add<CCalcul>(view, nat::calcul, "r", "Rand(0)+Rand(0)*1000");
    raw->rebuildTree(view->document()->list());
    view->recomputeAndRedraw();
    const double first = raw->value;
    view->recomputeAndRedraw();
    EXPECT_EQ(raw->value, first);
    f.run(Cmd::redrawAll);
    EXPECT_NE(raw->value, first);
}

TEST(Export, WritesPngSvgAndPdfAtTheGivenOrTheFigureSizeAndRefusesBadArguments) {
    Fixture f;
    std::string figure = f.saveFigureWithPoint("fig.qvf");
    std::ostringstream out, err;
    for (const char* name : {"out.png", "out.svg", "out.pdf"}) {
        std::string target = f.dir.filePath(name).toStdString();
        EXPECT_EQ(runExportCommand({"--export", figure, target, "--size", "400x300"}, out, err), 0)
            << err.str();
        EXPECT_GT(QFile(QString::fromStdString(target)).size(), 100) << name;
    }
    EXPECT_EQ(QImage(f.dir.filePath("out.png")).size(), QSize(400, 300));
    // Without a size, the figure's own: the point where it was drawn.
    std::string target = f.dir.filePath("p.png").toStdString();
    ASSERT_EQ(runExportCommand({"--export", figure, target}, out, err), 0) << err.str();
    QImage png(QString::fromStdString(target));
    EXPECT_EQ(fromQColor(png.pixelColor(100, 50)), RGB(255, 0, 0));
    EXPECT_EQ(fromQColor(png.pixelColor(150, 50)), RGB(255, 255, 255));

    target = f.dir.filePath("x.png").toStdString();
    EXPECT_EQ(runExportCommand({"--export", figure}, out, err), 2);
    EXPECT_EQ(runExportCommand({"--export", figure, target, "--size", "0x10"}, out, err), 2);
    EXPECT_EQ(runExportCommand({"--export", figure, target + ".bmp"}, out, err), 1);
    EXPECT_EQ(runExportCommand({"--export", target + ".qvf", target}, out, err), 1);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(target)));
}

namespace {
std::vector<std::pair<QObject*, QAccessible::Event>> gAppEvents;
void recordAppEvent(QAccessibleEvent* e) {
    gAppEvents.emplace_back(e->object(), e->type());
}
}  // namespace

TEST(AccessibleControls, EveryButtonIsNamedAndPalettesSayWhatTheyGive) {
    Fixture f;
    for (QToolButton* b : f.frame->findChildren<QToolButton*>()) {
        if (!b->isVisibleTo(f.frame.get()) || !qobject_cast<QToolBar*>(b->parentWidget())) continue;
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(b);
        EXPECT_FALSE(a->text(QAccessible::Name).trimmed().isEmpty())
            << qPrintable(b->parentWidget()->objectName()) << " " << qPrintable(b->objectName());
    }
    // Palettes: one name per button, saying what it gives.
    for (const char* bar :
         {"colours", "lineStyles", "pointStyles", "fillStyles", "arrowStyles", "segmentMarks"}) {
        QSet<QString> names;
        for (QAction* a : f.frame->findChild<QToolBar*>(bar)->actions()) names.insert(a->text());
        EXPECT_EQ(names.size(), f.frame->findChild<QToolBar*>(bar)->actions().size()) << bar;
    }
    const QList<QAction*> colours = f.frame->findChild<QToolBar*>("colours")->actions();
    ASSERT_EQ(colours.size(), 15);
    EXPECT_EQ(colours.first()->text(), "Noir");
    EXPECT_EQ(colours.last()->text(), "Rouge très foncé");
    // A colour button gives its colour.
    colours[3]->trigger();
    EXPECT_EQ(etatPalettes().colour, 4);
    etatPalettes().colour = 1;
}

TEST(AccessibleControls, EachNewPromptIsAnnounced) {
    Fixture f;
    f.frame->newFigure();
    setAccessibilitySink(recordAppEvent);
    gAppEvents.clear();
    f.frame->action(Cmd::capture)->trigger();
    f.frame->action(Cmd::capture)->trigger();
    setAccessibilitySink(nullptr);
    auto* prompt = f.frame->findChild<QLabel*>("promptText");
    ASSERT_NE(prompt, nullptr);
    EXPECT_EQ(prompt->text(), "Cliquez sur un point libre, lié ou un objet pour le déplacer");
    EXPECT_EQ(std::count(gAppEvents.begin(), gAppEvents.end(),
                         std::make_pair(static_cast<QObject*>(prompt), QAccessible::Alert)),
              1)
        << "once: the same prompt again is not news";
}

TEST(AccessibleControls, FreePointAtTypedCoordinatesFromTheMenu) {
    Fixture f;
    CPelvantiView* view = f.frame->newFigure();
    CListeAction& list = view->document()->list();
    f.dialogs.fieldAnswers = {{"douze", "3"}, {"12,5", "30"}};
    f.run(Cmd::freePointAt);
    EXPECT_EQ(f.headless.messages.back().text, "Les deux coordonnées doivent être des nombres");
    auto* p = dynamic_cast<CPointBase*>(list.elementAt(list.count() - 1));
    ASSERT_NE(p, nullptr);
    EXPECT_DOUBLE_EQ(p->x, 125) << "pixels: ten figure units each";
    EXPECT_DOUBLE_EQ(p->y, 300);
    EXPECT_EQ(view->document()->history().undoText(), "Créer point libre");
    const int count = list.count();
    f.dialogs.fieldAnswers.clear();  // cancelled
    f.run(Cmd::freePointAt);
    EXPECT_EQ(list.count(), count);

    // With a unit length of 50 pixels, coordinates count in units.
    list.unitLength = add<CLongueur>(view, nat::mesure, &list, p,
                                     add<CPointBase>(view, nat::pointLibre, 625.0, 300.0));
    list.computeAll();
    f.dialogs.fieldAnswers = {{"2", "1,5"}};
    f.run(Cmd::freePointAt);
    p = dynamic_cast<CPointBase*>(list.elementAt(list.count() - 1));
    EXPECT_TRUE(p && p->x == 1000 && p->y == 750);
}
