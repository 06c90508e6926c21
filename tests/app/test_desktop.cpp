// The program as a desktop user meets it: Qt's dialogs in French, file dialogs in the figure's
// folder, figure windows that stay visible and usable, the preferences dialog, drag and drop.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>
#include <QUrl>

#include "app/CMainFrame.h"
#include "app/CPreferencesDialog.h"
#include "app/Desktop.h"
#include "core/CHost.h"
#include "core/CPalette.h"
#include "core/CPreferences.h"
#include "document/CPelvantiDoc.h"
#include "view/CPelvantiView.h"
#include "view/Commands.h"

namespace {
struct Frame {
    QTemporaryDir dir;
    CHeadlessHost headless;
    CHost* previousHost = setHost(&headless);
    CPreferences savedPrefs = preferences();
    std::unique_ptr<CMainFrame> frame;

    Frame() {
        frame = std::make_unique<CMainFrame>(
            std::make_unique<QSettings>(dir.filePath("k.ini"), QSettings::IniFormat));
        frame->resize(1000, 700);
        frame->show();
    }
    ~Frame() {
        frame->automaticAnswer = IDNO;
        frame.reset();
        setHost(previousHost);
        preferences() = savedPrefs;
        CPalette::rebuildPens();
    }
};
}  // namespace

TEST(Desktop, QtDialogsSpeakFrench) {
    ASSERT_TRUE(installFrenchTranslations(*QCoreApplication::instance()));
    QDialogButtonBox buttons(QDialogButtonBox::Cancel | QDialogButtonBox::Open);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text().remove('&'), "Annuler");
    EXPECT_EQ(buttons.button(QDialogButtonBox::Open)->text().remove('&'), "Ouvrir");
    EXPECT_EQ(QCoreApplication::translate("QPrintPreviewDialog", "Print Preview"),
              "Aperçu avant impression");
    // The other tests meet Qt's own texts.
    for (QTranslator* t : QCoreApplication::instance()->findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(t);
        delete t;
    }
}

TEST(Desktop, FileDialogsOpenInTheFigureFolder) {
    Frame f;
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    EXPECT_EQ(f.frame->dialogFolder(f.frame->newFigure()),
              documents.isEmpty() ? QDir::homePath() : documents);
    QDir(f.dir.path()).mkpath("figures");
    QString path = f.dir.filePath("figures/a.qvf");
    CPelvantiDoc doc;
    doc.newFigure();
    ASSERT_TRUE(doc.saveToFile(path.toStdString(), nullptr));
    CPelvantiView* opened = f.frame->openFile(path);
    EXPECT_EQ(f.frame->dialogFolder(opened), f.dir.filePath("figures"));
    // A new figure starts where the last one was opened.
    EXPECT_EQ(f.frame->dialogFolder(f.frame->newFigure()), f.dir.filePath("figures"));
}

TEST(Desktop, FigureWindowsStayInViewAndKeepTheirContentThroughCascadeAndTile) {
    Frame f;
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
    Frame f;
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

TEST(Desktop, FigureFilesDroppedOnTheWindowOpen) {
    Frame f;
    QString path = f.dir.filePath("dropped.qvf");
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
    ASSERT_EQ(f.frame->views().size(), 1);
    EXPECT_EQ(f.frame->activeView()->document()->path, path.toStdString());
    // Text is not a figure: the window does not take it.
    QMimeData text;
    text.setText("A B");
    QDragEnterEvent refused(QPoint(50, 50), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f.frame.get(), &refused);
    EXPECT_FALSE(refused.isAccepted());
}
