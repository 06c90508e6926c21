// The program as a desktop user meets it: Qt's dialogs in French, file dialogs in the figure's
// folder, figure windows that stay visible and usable, the preferences dialog, drag and drop,
// and the copies of open figures that survive a killed program.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QDirIterator>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QLocale>
#include <QLockFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QTranslator>
#include <QUrl>

#include "app/CPreferencesDialog.h"
#include "app/CRecovery.h"
#include "app/Desktop.h"
#include "app/FrameFixture.h"
#include "core/CHost.h"
#include "core/CPalette.h"
#include "core/CPreferences.h"
#include "document/CPelvantiDoc.h"
#include "geometry/CPointAncetre.h"
#include "view/CPelvantiView.h"
#include "view/Commands.h"

TEST(Desktop, QtDialogsSpeakFrench) {
    const QLocale systemLocale;
    ASSERT_TRUE(installFrenchTranslations(*QCoreApplication::instance()));
    QDialogButtonBox buttons(QDialogButtonBox::Cancel | QDialogButtonBox::Open);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text().remove('&'), "Annuler");
    EXPECT_EQ(buttons.button(QDialogButtonBox::Open)->text().remove('&'), "Ouvrir");
    EXPECT_EQ(QCoreApplication::translate("QPrintPreviewDialog", "Print Preview"),
              "Aperçu avant impression");
    EXPECT_EQ(QCoreApplication::translate("QAbstractFileIconProvider", "Folder"), "Dossier");
    EXPECT_EQ(QLocale().toString(2.5), "2,5");
    // The other tests meet Qt's own texts.
    QLocale::setDefault(systemLocale);
    for (QTranslator* t : QCoreApplication::instance()->findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(t);
        delete t;
    }
}

TEST(Desktop, FigureWindowsStayInViewAndKeepTheirContentThroughCascadeAndTile) {
    Fixture f;
    QMdiArea* mdi = f.frame->mdiArea();
    const QRect room = mdi->viewport()->rect();
    auto expectUsable = [&](const char* when) {
        for (QMdiSubWindow* w : mdi->subWindowList()) {
            EXPECT_TRUE(room.contains(w->geometry()))
                << when << " " << w->windowTitle().toStdString();
            EXPECT_GE(w->widget()->height(), 150) << when;
            EXPECT_GE(w->widget()->width(), 200) << when;
        }
    };
    for (int i = 0; i < 10; ++i) f.frame->newFigure();
    expectUsable("opened");
    f.frame->action(Cmd::windowCascade)->trigger();
    expectUsable("cascade");
    f.frame->action(Cmd::windowTile)->trigger();
    for (QMdiSubWindow* w : mdi->subWindowList()) EXPECT_TRUE(room.contains(w->geometry()));
}

TEST(Desktop, PreferencesDialogShowsEveryPageTitle) {
    Fixture f;
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<CPreferencesDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        QTabBar* bar = dialog->pages()->tabBar();
        for (int i = 0; i < bar->count(); ++i)
            EXPECT_TRUE(bar->rect().contains(bar->tabRect(i))) << bar->tabText(i).toStdString();
        EXPECT_LE(bar->sizeHint().width(), dialog->pages()->width());
        seen = true;
        dialog->reject();
    });
    f.frame->action(Cmd::preferences)->trigger();
    EXPECT_TRUE(seen);
}

TEST(Desktop, FiguresDroppedOnTheWindowOpenAndFileDialogsStartInTheirFolder) {
    Fixture f;
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    EXPECT_EQ(f.frame->dialogFolder(f.frame->newFigure()),
              documents.isEmpty() ? QDir::homePath() : documents);
    QDir(f.dir.path()).mkpath("figures");
    QString path = f.dir.filePath("figures/dropped.qvf");
    CPelvantiDoc doc;
    doc.newFigure();
    ASSERT_TRUE(doc.saveToFile(path.toStdString(), nullptr));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f.frame.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f.frame.get(), &drop);
    ASSERT_EQ(f.frame->views().size(), 2);
    EXPECT_EQ(f.frame->activeView()->document()->path, path.toStdString());
    EXPECT_EQ(f.frame->dialogFolder(f.frame->activeView()), f.dir.filePath("figures"));
    // A new figure starts where the last one was opened.
    EXPECT_EQ(f.frame->dialogFolder(f.frame->newFigure()), f.dir.filePath("figures"));
}

namespace {
void addPoint(CPelvantiView* v, double x) {
    v->document()->addEntry(
        std::make_unique<CAction>(nat::pointLibre, std::make_unique<CPointBase>(x, 500)));
    v->document()->history().record("Créer point libre");
}

QStringList copiesIn(const QString& root) {
    QStringList found;
    QDirIterator it(root, {"figure*.qvf"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) found << it.next();
    return found;
}

int objectsIn(const QString& copy) {
    QFile file(copy);
    if (!file.open(QIODevice::ReadOnly)) return -1;
    QByteArray bytes = file.readAll();
    CPelvantiDoc doc;
    doc.newFigure();
    return doc.loadFromBytes(std::vector<uint8_t>(bytes.begin(), bytes.end()), nullptr)
               ? doc.list().count()
               : -1;
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
    QElapsedTimer waited;
    waited.start();
    auto complete = [&] {
        for (const QString& c : copiesIn(root))
            if (objectsIn(c) == 26) return true;
        return false;
    };
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
    ASSERT_EQ(f.frame->views().size(), 1);
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
    for (int i = 1; i < 20; ++i) addPoint(v, 100 * i);
    recovery.tick();
    EXPECT_TRUE(copiesIn(recovery.sessionFolder()).isEmpty());
    addPoint(v, 2000);
    recovery.tick();
    ASSERT_EQ(copiesIn(recovery.sessionFolder()).size(), 1);
    EXPECT_EQ(objectsIn(copiesIn(recovery.sessionFolder())[0]), 21);
    f.frame->automaticAnswer = IDNO;
    f.frame->closeActive();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(copiesIn(recovery.sessionFolder()).isEmpty());
    recovery.finish();
    EXPECT_FALSE(QFileInfo::exists(recovery.sessionFolder()));
}

TEST(Recovery, ADamagedCopyIsReportedAndSetAsideAndARunningSessionIsLeftAlone) {
    Fixture f;
    const QString root = f.dir.filePath("recovery");
    auto write = [&](const QString& name, const QByteArray& bytes) {
        QDir().mkpath(QFileInfo(QDir(root).filePath(name)).path());
        QFile file(QDir(root).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    CPelvantiDoc good;
    good.newFigure();
    good.addEntry(std::make_unique<CAction>(nat::pointLibre, std::make_unique<CPointBase>(5, 5)));
    std::vector<uint8_t> bytes = good.saveToBytes();
    write("session-1-1/figure1.qvf", QByteArray("Korvendal32Vers2\x03", 17));
    write("session-1-1/figure1.txt", "\nFigure7\n");
    write("session-1-1/figure2.qvf", QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<qsizetype>(bytes.size())));
    write("session-2-2/figure1.qvf", "");
    QLockFile running(QDir(root).filePath("session-2-2/verrou"));
    ASSERT_TRUE(running.tryLock(0));

    CRecovery recovery(*f.frame, root);
    f.headless.answers = {IDYES};
    EXPECT_EQ(recovery.offerRestore(), 1);
    ASSERT_EQ(f.frame->views().size(), 1);
    EXPECT_EQ(f.frame->activeView()->document()->list().count(), 2);
    ASSERT_EQ(f.headless.messages.size(), 2u);
    EXPECT_NE(f.headless.messages[0].text.find("les 2 figures"), std::string::npos);
    EXPECT_NE(f.headless.messages[1].text.find("« Figure7 » est endommagée"), std::string::npos);
    EXPECT_TRUE(QFileInfo::exists(root + "/endommagées/session-1-1-figure1.qvf"));
    EXPECT_FALSE(QFileInfo::exists(root + "/session-1-1"));
    EXPECT_TRUE(QFileInfo::exists(root + "/session-2-2/figure1.qvf"));
}

TEST(Recovery, AnUntitledFigureKeepsAFreeNumberAndNewFiguresCountOnFromIt) {
    Fixture f;
    f.frame->newFigure();  // Figure1
    const QString root = f.dir.filePath("recovery");
    ASSERT_TRUE(QDir().mkpath(root + "/session-1-1"));
    CPelvantiDoc doc;
    doc.newFigure();
    const std::vector<uint8_t> bytes = doc.saveToBytes();
    for (auto [number, title] : {std::pair{1, "Figure1"}, std::pair{2, "Figure4"}}) {
        QFile figure(root + QStringLiteral("/session-1-1/figure%1.qvf").arg(number));
        QFile origin(root + QStringLiteral("/session-1-1/figure%1.txt").arg(number));
        ASSERT_TRUE(figure.open(QIODevice::WriteOnly) && origin.open(QIODevice::WriteOnly));
        figure.write(reinterpret_cast<const char*>(bytes.data()),
                     static_cast<qsizetype>(bytes.size()));
        origin.write(QByteArray("\n") + title + '\n');
    }
    CRecovery recovery(*f.frame, root);
    f.headless.answers = {IDYES};
    ASSERT_EQ(recovery.offerRestore(), 2);
    f.frame->newFigure();
    QStringList titles;
    for (CPelvantiView* v : f.frame->views()) titles << v->property("figureTitle").toString();
    titles.sort();
    EXPECT_EQ(titles, (QStringList{"Figure1", "Figure2", "Figure4", "Figure5"}));
}
