// The Qt side of macros: the host's latched Escape and clicks, waits that handle events until
// their deadline, sounds looked up beside the figure and reported when they cannot play, and
// the execution tool running a clicked macro through the protocol.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include "geometry/CDroite.h"
#include "geometry/CPointLie.h"
#include "macro_fixture.h"
#include "macros/CMacroKinds.h"
#include "view/CFigureRenderer.h"
#include "view/COutilsMacros.h"
#include "view/CQtHost.h"

namespace {

// A Qt host whose message boxes are answered at once and whose sound errors are recorded.
struct RecordingQtHost : CQtHost {
    std::vector<std::string> soundErrors;
    RecordingQtHost() {
        reportSoundError = [this](const std::string& t) { soundErrors.push_back(t); };
    }
    int messageBox(const std::string&, const std::string&, unsigned) override { return IDOK; }
};

void press(QWidget& w, int key) {
    QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(&w, &e);
}

void mouse(QWidget& w, Qt::MouseButton button) {
    const QPointF p(5, 5);
    QMouseEvent e(QEvent::MouseButtonPress, p, w.mapToGlobal(p), button, button, Qt::NoModifier);
    QApplication::sendEvent(&w, &e);
}

TEST(QtHost, EscapeAndLeftClickAreSeenOnceSinceLastAskedAndWaitsHandleEvents) {
    RecordingQtHost host;
    QWidget w;
    press(w, Qt::Key_Escape);
    press(w, Qt::Key_Escape);
    EXPECT_TRUE(host.isKeyDown(KEY_ESCAPE));
    EXPECT_FALSE(host.isKeyDown(KEY_ESCAPE));
    mouse(w, Qt::RightButton);
    EXPECT_FALSE(host.isKeyDown(KEY_LBUTTON));
    mouse(w, Qt::LeftButton);
    EXPECT_FALSE(host.isKeyDown(KEY_ESCAPE)) << "a click is no Escape";
    EXPECT_TRUE(host.isKeyDown(KEY_LBUTTON));
    EXPECT_FALSE(host.isKeyDown(KEY_LBUTTON));

    bool handled = false;
    QTimer::singleShot(0, [&] { handled = true; });
    const uint64_t deadline = host.tickCount() + 30;
    host.waitUntil(deadline);
    EXPECT_TRUE(handled);
    EXPECT_GE(host.tickCount(), deadline);
}

struct SoundCase {
    const char* stored;    // path kept by the macro ("%1": the other folder)
    bool fileBeside;       // a file of that name beside the figure
    bool fileElsewhere;    // the file at the stored path
    const char* expected;  // "beside", "stored" or "" (not found)
};

class SoundLookUp : public ::testing::TestWithParam<SoundCase> {};

TEST_P(SoundLookUp, BesideTheFigureFirstThenAsStored) {
    const SoundCase& c = GetParam();
    QTemporaryDir figure, other;
    const QString beside = QDir(figure.path()).filePath("bip.wav");
    const QString elsewhere = QDir(other.path()).filePath("bip.wav");
    if (c.fileBeside) QFile(beside).open(QIODevice::WriteOnly);
    if (c.fileElsewhere) QFile(elsewhere).open(QIODevice::WriteOnly);
    const QString stored = QString::fromUtf8(c.stored).arg(other.path());
    const QString found = CQtHost::locateSound(stored.toStdString(), figure.path().toStdString());
    const std::string want = c.expected;
    if (want == "beside")
        EXPECT_EQ(QFileInfo(beside).absoluteFilePath(), found);
    else if (want == "stored")
        EXPECT_EQ(QFileInfo(elsewhere).absoluteFilePath(), found);
    else
        EXPECT_TRUE(found.isEmpty()) << found.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Paths, SoundLookUp,
                         ::testing::Values(SoundCase{"C:\\Cours\\Sons\\bip.wav", true, false,
                                                     "beside"},
                                           SoundCase{"C:\\Cours\\Sons\\bip.wav", false, false, ""},
                                           SoundCase{"%1/bip.wav", false, true, "stored"}));

TEST(QtHost, SoundThatCannotPlayIsReportedNeverThrown) {
    RecordingQtHost host;
    host.playSound("C:\\nulle part\\absent.wav", true);
    ASSERT_EQ(1u, host.soundErrors.size());
    EXPECT_EQ(0, host.soundErrors[0].find("Impossible de jouer le fichier son"));
    // A file that is no sound: reported once it fails, the call returns.
    QTemporaryDir dir;
    const QString junk = QDir(dir.path()).filePath("faux.wav");
    QFile f(junk);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("pas un son");
    f.close();
    host.playSound(junk.toStdString(), true);
    EXPECT_EQ(2u, host.soundErrors.size());
}

// A click on a macro runs it through the protocol: an appearance leaves one undo state; an
// animation runs with the mouse off, each frame drawn as a whole redraw would draw the figure,
// and leaves none.
TEST_F(MacroTool, ExecutionToolRunsTheClickedMacro) {
    RecordingQtHost qt;
    CHost* previous = setHost(&qt);
    auto* show = macro<CMacroApparition>("Montrer", 3500);
    show->addObject(nat::segment, seg);
    seg->masked = true;
    auto* anim = animation(2);
    clickOn(show);
    EXPECT_FALSE(seg->masked);
    EXPECT_EQ("Exécuter macro", doc().history().undoText());
    const uint64_t changes = doc().history().changeCount();

    std::vector<bool> mouseDuring, drawnAsAWhole;
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        mouseDuring.push_back(etatOutils().mouseInputEnabled);
        drawnAsAWhole.push_back(view->buffer() == renderFigureImage(doc()));
    });
    probe.start(15);
    clickOn(anim);
    probe.stop();
    setHost(previous);
    ASSERT_FALSE(mouseDuring.empty());
    EXPECT_EQ(std::vector<bool>(mouseDuring.size(), false), mouseDuring);
    EXPECT_EQ(std::vector<bool>(mouseDuring.size(), true), drawnAsAWhole);
    EXPECT_DOUBLE_EQ(0.25, m->abscissa);
    EXPECT_EQ(changes, doc().history().changeCount());
    // The tool stays, the mouse is back, nothing is left running.
    EXPECT_EQ(toolOfCommand(Cmd::executeMacro), etatOutils().currentTool);
    EXPECT_TRUE(etatOutils().mouseInputEnabled);
    EXPECT_EQ(nullptr, runningMacroView());
}

TEST_F(MacroTool, EscapeStopsAnEndlessAnimationAndRestoresThePoint) {
    RecordingQtHost qt;
    CHost* previous = setHost(&qt);
    auto* anim = animation(0);
    // An Escape pressed before the click is forgotten (pressed elsewhere: in the view it
    // would go back to the capture tool).
    QWidget elsewhere;
    press(elsewhere, Qt::Key_Escape);
    bool stillCurrent = false;
    QTimer::singleShot(60, [&] {
        press(*view, Qt::Key_Escape);
        stillCurrent = etatOutils().currentTool == toolOfCommand(Cmd::executeMacro);
    });
    clickOn(anim);
    setHost(previous);
    // Escape in the view stops the macro without leaving the tool.
    EXPECT_TRUE(stillCurrent);
    EXPECT_DOUBLE_EQ(0.25, m->abscissa);
    EXPECT_TRUE(etatOutils().mouseInputEnabled);
}

TEST_F(MacroTool, CancelledDialogCreatesNothingAndOnlyOneRedrawMacroPerFigure) {
    ASSERT_TRUE(select(Cmd::newMacroRedraw));
    const int before = list().count();
    click(50, 60);  // no answer queued: Cancel
    EXPECT_EQ(before, list().count());
    dialogs.fieldAnswers.push_back({"Tout", "", ""});
    click(50, 60);
    ASSERT_NE(nullptr, last<CMacroAffichantTout>());
    EXPECT_FALSE(select(Cmd::newMacroRedraw));
    EXPECT_EQ("Une telle macro a déjà été définie", lastMessage());
}

}  // namespace
