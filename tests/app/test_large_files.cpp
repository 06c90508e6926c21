// Large figures in the window: their reading and writing show a progress dialog that is gone
// once the figure is drawn or written; a file claiming more objects than it holds opens nothing.
#include <gtest/gtest.h>

#include <QFile>
#include <QProgressDialog>

#include "FrameFixture.h"
#include "app/FigureProgress.h"
#include "view/CPelvantiView.h"

namespace {

// The labels of the progress dialogs shown while it watches.
struct ShownProgress : QObject {
    QStringList labels;
    ShownProgress() { qApp->installEventFilter(this); }
    bool eventFilter(QObject* o, QEvent* e) override {
        if (auto* d = qobject_cast<QProgressDialog*>(o); d && e->type() == QEvent::Show)
            labels << d->labelText();
        return false;
    }
};

struct AtOnce {
    int previous = CFigureProgress::minimumDurationMs;
    AtOnce() { CFigureProgress::minimumDurationMs = 0; }
    ~AtOnce() { CFigureProgress::minimumDurationMs = previous; }
};

std::string saveLargeFigure(Fixture& f, int points) {
    CPelvantiDoc doc;
    doc.newFigure();
    for (int i = 0; i < points; ++i)
        doc.list().append(new CAction(
            nat::pointLibre, std::make_unique<CPointBase>(10.0 * (i % 500), 10.0 * (i / 500))));
    doc.rebuildGraphicList();
    const std::string path = f.dir.filePath("large.qvf").toStdString();
    std::string reason;
    EXPECT_TRUE(doc.saveToFile(path, &reason)) << reason;
    return path;
}

bool progressLeft(const Fixture& f) {
    for (QProgressDialog* d : f.frame->findChildren<QProgressDialog*>())
        if (d->isVisible()) return true;
    return false;
}

TEST(LargeFiles, OpeningAndSavingShowProgressAndLeaveTheFigureShown) {
    Fixture f;
    AtOnce atOnce;
    const std::string path = saveLargeFigure(f, 20000);
    ShownProgress shown;
    CPelvantiView* v = f.frame->openFile(QString::fromStdString(path));
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(shown.labels, QStringList{QStringLiteral("Lecture de la figure…")});
    EXPECT_EQ(v->document()->list().count(), 20001);
    EXPECT_EQ(f.frame->activeView(), v);
    EXPECT_FALSE(v->isModified());
    EXPECT_FALSE(progressLeft(f));
    // The points cover 50 x 40 pixels at the top left, and nothing is drawn further away.
    EXPECT_NE(v->buffer().pixelColor(20, 20), v->buffer().pixelColor(400, 300));

    shown.labels.clear();
    f.run(Cmd::fileSave);
    EXPECT_EQ(shown.labels, QStringList{QStringLiteral("Enregistrement de la figure…")});
    EXPECT_FALSE(progressLeft(f));
    EXPECT_TRUE(f.headless.messages.empty());
}

TEST(LargeFiles, AFileClaimingAMillionObjectsButCutShortOpensNothing) {
    Fixture f;
    const QString path = QString::fromStdString(saveLargeFigure(f, 3));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray bytes = file.readAll();
    file.close();
    // The count of entries, a word, stands just before the first entry's class name; a
    // larger count is written as 0xFFFF and a dword.
    const qsizetype at = bytes.indexOf("CAction") - 8;
    ASSERT_GT(at, 0);
    ASSERT_EQ(bytes[at], 4);
    const char million[6] = {'\xFF', '\xFF', 0x40, 0x42, 0x0F, 0x00};
    bytes.replace(at, 2, million, 6);
    bytes.chop(16);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
    file.close();
    EXPECT_EQ(f.frame->openFile(path), nullptr);
    EXPECT_TRUE(f.frame->views().isEmpty());
    EXPECT_FALSE(progressLeft(f));
    ASSERT_EQ(f.headless.messages.size(), 1u);
    EXPECT_NE(f.headless.messages[0].text.find("Le fichier annonce plus d'éléments qu'il n'en "
                                               "contient."),
              std::string::npos);
}

}  // namespace
