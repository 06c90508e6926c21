// The program as a desktop user meets it: Qt's dialogs in French, the preferences (corrected
// on reading, stored, and from the menu), drag and drop, and the copies of open figures that
// survive a killed program.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QDirIterator>
#include <QDragEnterEvent>
#include <QElapsedTimer>
#include <QLockFile>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTabBar>
#include <QTabWidget>
#include <QThread>
#include <QTimer>
#include <QToolBar>
#include <QTranslator>
#include <QUrl>

#include "app/CPreferencesDialog.h"
#include "app/CRecovery.h"
#include "app/Desktop.h"
#include "app/FrameFixture.h"
#include "app/PreferencesIO.h"
#include "app/Settings.h"

TEST(Desktop, QtDialogsSpeakFrench) {
    const QLocale systemLocale;
    ASSERT_TRUE(installFrenchTranslations(*QCoreApplication::instance()));
    QDialogButtonBox buttons(QDialogButtonBox::Cancel);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text().remove('&'), "Annuler");
    EXPECT_EQ(QLocale().toString(2.5), "2,5");
    // The other tests meet Qt's own texts.
    QLocale::setDefault(systemLocale);
    for (QTranslator* t : QCoreApplication::instance()->findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(t);
        delete t;
    }
}

// "Collège" from the menu forces degrees, is stored, and shortens the construction bar; its
// commands stay in the menus.
TEST(Desktop, PreferencesFromTheMenuInSightAndApplied) {
    Fixture f;
    const qsizetype full = f.frame->toolBarButtons(ToolBarId::construction).size();
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<CPreferencesDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        QTabBar* tabs = dialog->pages()->tabBar();
        QStringList pages;
        for (int i = 0; i < tabs->count(); ++i) {
            EXPECT_TRUE(tabs->rect().contains(tabs->tabRect(i))) << qPrintable(tabs->tabText(i));
            pages << tabs->tabText(i);
        }
        EXPECT_EQ(pages,
                  (QStringList{"Niveau", "Unité d'angle", "Lieux de points", "Animation", "Trace",
                               "Décalage", "Polices", "Séparateur décimal", "Macros", "Dessin"}));
        for (QRadioButton* b : dialog->findChildren<QRadioButton*>())
            if (b->text() == "Collège") b->setChecked(true);
        dialog->accept();
    });
    preferences().unity = 0;
    preferences().animationFrequency = 5;  // valid, though not offered by the list
    f.run(Cmd::preferences);
    EXPECT_TRUE(preferences().lowGradeMode);
    EXPECT_EQ(preferences().unity, 1);
    EXPECT_EQ(preferences().animationFrequency, 5);
    QSettings stored(f.dir.filePath("k.ini"), QSettings::IniFormat);
    EXPECT_EQ(stored.value("Preferences/LowGradeMode").toInt(), 1);
    const QList<QAction*> bar = f.frame->toolBarButtons(ToolBarId::construction);
    EXPECT_EQ(bar.size(), full - 3);
    for (int command : {Cmd::vector, Cmd::locusByLinkedPoint, Cmd::curveOnR}) {
        EXPECT_FALSE(bar.contains(f.frame->action(command))) << command;
        EXPECT_FALSE(f.frame->action(command)->associatedObjects().isEmpty()) << "in its menu";
    }
}

TEST(Preferences, OutOfRangeValuesAreCorrectedOnReading) {
    const struct {
        const char* key;
        const char* stored;
        int CPreferences::*field;
        int expected;
    } cases[] = {{"LocusPointsNumber", "4", &CPreferences::locusPointsNumber, 100},
                 {"LocusPointsNumber", "5", &CPreferences::locusPointsNumber, 5},
                 {"LocusPointsNumber", "2000000", &CPreferences::locusPointsNumber, 100},
                 {"PointsNumber", "2", &CPreferences::pointsNumber, 50},
                 {"PointsNumber", "3", &CPreferences::pointsNumber, 3},
                 {"AnimationFrequency", "150", &CPreferences::animationFrequency, 100},
                 {"AnimationFrequency", "1100", &CPreferences::animationFrequency, 100},
                 {"AnimationFrequency", "abc", &CPreferences::animationFrequency, 100}};
    for (const auto& c : cases) {
        CMapPreferenceStore store;
        store.values = {{c.key, c.stored}};
        CPreferences p;
        readPreferences(store, p);
        EXPECT_EQ(p.*(c.field), c.expected) << c.key << "=" << c.stored;
    }
}

TEST(Settings, FourMostRecentFilesWithoutDuplicates) {
    QStringList files;
    for (const char* f : {"/a.qvf", "/b.qvf", "/c.qvf", "/d.qvf", "/e.qvf", "/c.qvf"})
        files = withRecentFile(files, f);
    EXPECT_EQ(files, (QStringList{"/c.qvf", "/e.qvf", "/d.qvf", "/b.qvf"}));
    QTemporaryDir dir;
    QSettings s(dir.filePath("recent.ini"), QSettings::IniFormat);
    saveRecentFiles(s, files);
    EXPECT_EQ(loadRecentFiles(s), files);
    saveRecentFiles(s, {"/x.qvf"});
    EXPECT_EQ(loadRecentFiles(s), QStringList{"/x.qvf"});
}

TEST(Desktop, FiguresDroppedOnTheWindowOpenAndNewFiguresStartInTheirFolder) {
    Fixture f;
    QDir(f.dir.path()).mkpath("figures");
    const QString path = QString::fromStdString(f.saveFigureWithPoint("figures/dropped.qvf"));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f.frame.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f.frame.get(), &drop);
    ASSERT_EQ(f.frame->views().size(), 1);
    EXPECT_EQ(f.frame->activeView()->document()->path, path.toStdString());
    // A new figure starts where the last one was opened.
    EXPECT_EQ(f.frame->dialogFolder(f.frame->newFigure()), f.dir.filePath("figures"));
}

namespace {
QStringList copiesIn(const QString& root) {
    QStringList found;
    QDirIterator it(root, {"figure*.qvf"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) found << it.next();
    return found;
}

int objectsIn(const QString& copy) {
    CPelvantiDoc doc;
    return doc.loadFromFile(copy.toStdString(), nullptr) ? doc.list().count() : -1;
}

void write(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray emptyFigure() {
    CPelvantiDoc doc;
    doc.newFigure();
    const std::vector<uint8_t> bytes = doc.saveToBytes();
    return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<qsizetype>(bytes.size()));
}
}  // namespace

TEST(Recovery, AKilledProgramsFigureComesBackAtTheNextStart) {
    QTemporaryDir dir;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_DATA_HOME", dir.filePath("data"));
    env.insert("XDG_CONFIG_HOME", dir.filePath("config"));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("KORVENDAL_RECOVERY_INTERVAL_MS", "200");
    env.insert("KORVENDAL_TEST_CHANGES", "25");
    QProcess app;
    app.setProcessEnvironment(env);
    app.start(KORVENDAL_APP, {});
    ASSERT_TRUE(app.waitForStarted());
    const QString root = dir.filePath("data/Ovrane/Korvendal32/recovery");
    // "pi" and the 25 points, whatever the order of the copies.
    auto complete = [&] {
        for (const QString& c : copiesIn(root))
            if (objectsIn(c) == 26) return true;
        return false;
    };
    QElapsedTimer waited;
    waited.start();
    while (!complete() && waited.elapsed() < 30000) QThread::msleep(50);
    app.kill();
    app.waitForFinished();
    ASSERT_TRUE(complete()) << app.readAllStandardError().toStdString();

    Fixture f;
    CRecovery next(*f.frame, root);
    f.headless.answers = {IDYES};
    EXPECT_EQ(next.offerRestore(), 1);
    ASSERT_EQ(f.headless.messages.size(), 1u);
    EXPECT_NE(f.headless.messages[0].text.find("Restaurer la figure non enregistrée"),
              std::string::npos);
    EXPECT_EQ(f.frame->activeView()->document()->list().count(), 26);
    EXPECT_TRUE(f.frame->activeView()->isModified());
    // Taken once: the killed session is gone, only the running one is left.
    EXPECT_EQ(QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
              QStringList{QFileInfo(next.sessionFolder()).fileName()});
}

TEST(Recovery, EveryTwentiethChangeIsCopiedAndClosingGivesTheCopyUp) {
    Fixture f;
    CRecovery recovery(*f.frame, f.dir.filePath("recovery"));
    CPelvantiView* v = f.frame->newFigure();
    for (int i = 1; i <= 20; ++i) {
        add<CPointBase>(v, nat::pointLibre, 100.0 * i, 500.0);
        v->document()->history().record("Créer point libre");
        if (i == 19) {
            recovery.tick();
            EXPECT_TRUE(copiesIn(recovery.sessionFolder()).isEmpty());
        }
    }
    recovery.tick();
    ASSERT_EQ(copiesIn(recovery.sessionFolder()).size(), 1);
    EXPECT_EQ(objectsIn(copiesIn(recovery.sessionFolder())[0]), 21);
    f.frame->automaticAnswer = IDNO;
    f.frame->closeActive();
    flushEvents();
    EXPECT_TRUE(copiesIn(recovery.sessionFolder()).isEmpty());
    recovery.finish();
    EXPECT_FALSE(QFileInfo::exists(recovery.sessionFolder()));
}

// A damaged copy is reported and set aside, a running session left alone, and an untitled
// figure keeps a free number that new figures count on from.
TEST(Recovery, DamagedCopiesRunningSessionsAndTitlesOfRestoredFigures) {
    Fixture f;
    f.frame->newFigure();  // Figure1
    const QString root = f.dir.filePath("recovery");
    write(root + "/session-1-1/figure1.qvf", QByteArray("Korvendal32Vers2\x03", 17));
    write(root + "/session-1-1/figure1.txt", "\nFigure7\n");
    write(root + "/session-1-1/figure2.qvf", emptyFigure());
    write(root + "/session-1-1/figure2.txt", "\nFigure1\n");
    write(root + "/session-1-1/figure3.qvf", emptyFigure());
    write(root + "/session-1-1/figure3.txt", "\nFigure4\n");
    write(root + "/session-2-2/figure1.qvf", "");
    QLockFile running(root + "/session-2-2/verrou");
    ASSERT_TRUE(running.tryLock(0));

    CRecovery recovery(*f.frame, root);
    f.headless.answers = {IDYES};
    EXPECT_EQ(recovery.offerRestore(), 2);
    ASSERT_EQ(f.headless.messages.size(), 2u);
    EXPECT_NE(f.headless.messages[0].text.find("les 3 figures"), std::string::npos);
    EXPECT_NE(f.headless.messages[1].text.find("« Figure7 » est endommagée"), std::string::npos);
    EXPECT_TRUE(QFileInfo::exists(root + "/endommagées/session-1-1-figure1.qvf"));
    EXPECT_FALSE(QFileInfo::exists(root + "/session-1-1"));
    EXPECT_TRUE(QFileInfo::exists(root + "/session-2-2/figure1.qvf"));
    f.frame->newFigure();
    QStringList titles;
    for (CPelvantiView* v : f.frame->views()) titles << v->property("figureTitle").toString();
    titles.sort();
    EXPECT_EQ(titles, (QStringList{"Figure1", "Figure2", "Figure4", "Figure5"}));
}
