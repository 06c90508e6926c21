// The main window as assistive technology reaches it: every button named (the palettes by what
// they give), each new prompt announced, and the free point at typed coordinates.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QLabel>
#include <QSet>
#include <QToolBar>
#include <QToolButton>

#include "app/FrameFixture.h"
#include "measures/CMesure.h"
#include "view/CFigureAccessible.h"
#include "view/COutilsRegistry.h"
#include "view/Commands.h"

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
    ASSERT_NE(p, nullptr);
    EXPECT_DOUBLE_EQ(p->x, 1000);
    EXPECT_DOUBLE_EQ(p->y, 750);
}
