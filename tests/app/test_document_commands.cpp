// The commands on the figure itself, through their menu actions: new figures from templates,
// the figure's text, the history of created objects, the figure's options, reclassing values,
// and the web commands of the Edition menu.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <cmath>
#include <functional>
#include <sstream>

#include "app/CDocumentCommands.h"
#include "app/FrameFixture.h"
#include "app/WebPageCommands.h"
#include "document/FigureTemplates.h"
#include "geometry/CCercle.h"
#include "geometry/CDroite.h"
#include "geometry/CRepere.h"
#include "macros/CMacroKinds.h"

namespace {
// Each template: its count of objects, then the names it shows.
TEST(Templates, BuildTheirObjectsWithTheirUnitLengthAndNoUndo) {
    const std::pair<int, std::string> cases[] = {{Cmd::newFigureWithoutUnit, "1:"},
                                                 {Cmd::newOrthonormalGrid, "10:OIJ"},
                                                 {Cmd::newOrthogonalDottedVectors, "14:OIJ"},
                                                 {Cmd::newSquare, "19:ABDC"},
                                                 {Cmd::newRectangle, "19:ABDC"},
                                                 {Cmd::newParallelogram, "18:ABDC"},
                                                 {Cmd::newTriangleAny, "15:BCA"},
                                                 {Cmd::newTriangleRight, "17:ABC"},
                                                 {Cmd::newTriangleIsosceles, "20:BCA"},
                                                 {Cmd::newTriangleRightIsosceles, "19:ABC"},
                                                 {Cmd::newTriangleEquilateral, "19:BCA"},
                                                 {Cmd::newTrapezoidAny, "18:ABDC"},
                                                 {Cmd::newTrapezoidRight, "20:ABDC"},
                                                 {Cmd::newTrapezoidIsosceles, "23:ABDC"},
                                                 {Cmd::newHexagon, "26:OABCDEF"},
                                                 {Cmd::newSegmentOfLength, "15:AB"}};
    for (const auto& [command, expected] : cases) {
        Fixture f;
        CPelvantiView* v = f.run(command);
        const CListeAction& list = v->document()->list();
        std::string shown = std::to_string(list.count()) + ":";
        for (CActionAncetre* e : list.entries()) {
            EXPECT_TRUE(e->element->exists) << e->element->GetRuntimeClass()->className;
            if (auto* g = dynamic_cast<CElementGraphique*>(e->element); g && !g->masked)
                shown += g->getName();
        }
        EXPECT_EQ(shown, expected);
        auto* unit = dynamic_cast<CValeurDynamique*>(list.unitLength);
        EXPECT_EQ(unit == nullptr, command == Cmd::newFigureWithoutUnit);
        EXPECT_NEAR(unit ? unit->getValue() : 1.0, 1.0, 1e-12);
        EXPECT_FALSE(f.frame->action(Cmd::editUndo)->isEnabled());
        EXPECT_FALSE(v->isModified());
    }
}

TEST(Templates, FrameStylesAndShapesHoldTheirProperties) {
    Fixture f;
    auto frameOf = [&](int command) {
        return dynamic_cast<CRepere*>(f.run(command)->document()->list().elementAt(8));
    };
    CRepere* grid = frameOf(Cmd::newOrthonormalGrid);
    EXPECT_TRUE(grid->xGrid && grid->yGrid && !grid->dotted);
    // Orthonormal: OJ is OI turned a quarter turn counter-clockwise on screen.
    EXPECT_NEAR(grid->vx, grid->uy, 1e-9);
    EXPECT_NEAR(grid->vy, -grid->ux, 1e-9);
    EXPECT_TRUE(frameOf(Cmd::newOrthonormalDotted)->dotted);
    CRepere* plain = frameOf(Cmd::newOrthogonalPlain);
    EXPECT_TRUE(!plain->xGrid && !plain->yGrid && !plain->dotted);
    // The given length is five units (UV), and the named point lies on the right of A.
    CListeAction& list = f.run(Cmd::newSegmentOfLength)->document()->list();
    auto x = [&](int i) { return dynamic_cast<CPointAncetre*>(list.elementAt(i))->x; };
    EXPECT_NEAR(x(12) - x(8), 5 * (x(3) - x(1)), 1e-6);
}

TEST(Templates, NeverLeaveAHalfBuiltFigure) {
    // No room at all: the two base points coincide and the axis of an isosceles triangle
    // cannot be built.
    CPelvantiDoc doc;
    EXPECT_FALSE(buildFigureTemplate(doc, FigureTemplate::triangleIsosceles, {0, 0}));
    EXPECT_EQ(doc.list().count(), 1);
    EXPECT_FALSE(doc.history().canUndo());
}

// Long enough for the longest length prefix of stored strings, with accents and both line ends.
std::string longText() {
    std::string text;
    for (int i = 0; text.size() < 70000; ++i)
        text += "Ligne " + std::to_string(i) + " : été\r\n" + (i % 7 ? "" : "seule\n\rx\t");
    return text;
}
}  // namespace

TEST(FigureText, KeptByteForByteUnlessEdited) {
    Fixture f;
    CPelvantiView* v = f.run(Cmd::newFigureWithoutUnit);
    CPelvantiDoc& doc = *v->document();
    const std::string text = longText();
    doc.reservedText = text;
    // Shown, opened for editing, then edited.
    for (int step : {0, 1, 2}) {
        f.answer<CFigureTextDialog>(step ? Cmd::figureText : Cmd::viewFigureText, [&](auto& d) {
            EXPECT_EQ(d.editor()->isReadOnly(), step == 0);
            if (step == 2) d.editor()->setPlainText("Un triangle é\nsa hauteur");
        });
        EXPECT_TRUE(step == 2 || doc.reservedText == text);
    }
    EXPECT_EQ(doc.reservedText, "Un triangle é\r\nsa hauteur");
    EXPECT_TRUE(v->isModified());
    doc.reservedText = text;
    CPelvantiDoc back;
    ASSERT_TRUE(back.loadFromBytes(doc.saveToBytes(), nullptr));
    EXPECT_EQ(back.reservedText, text);
}

TEST(History, StepsThroughTheObjectsAndBlinksTheirParents) {
    Fixture f;
    CPelvantiView* v = f.run(Cmd::newSquare);
    CListeAction& list = v->document()->list();
    EtatOutils& st = etatOutils();
    f.answer<CHistoryDialog>(Cmd::history, [&](CHistoryDialog& d) {
        d.showStep(-3);
        EXPECT_EQ(d.step(), 0);
        d.showStep(1000);
        EXPECT_EQ(d.step(), list.count() - 1);
        // The midpoint of U and V: the object blinks on one timer, its two parents on the other.
        d.showStep(5);
        EXPECT_EQ(st.blinkList.count(), 1);
        ASSERT_EQ(st.blinkList2.count(), 2);
        EXPECT_EQ(st.blinkList2.elementAt(1), list.elementAt(3));
        // V lies on a hidden line that has no name: the line is told by its kind.
        d.showStep(3);
        EXPECT_TRUE(d.constructionText().endsWith("Point V : Point lié à une droite"));
    });
    EXPECT_FALSE(v->isBlinking() || v->isBlinking2());
    EXPECT_TRUE(st.blinkList.empty() && st.blinkList2.empty());
}

TEST(FigureOptions, StoredOnOkWithFormulasReadInTheNewUnit) {
    Fixture f;
    CPelvantiView* v = f.run(Cmd::newSegmentOfLength);
    CPelvantiDoc& doc = *v->document();
    doc.changeAngleUnit(0);
    auto* circle = dynamic_cast<CCercleOR*>(doc.list().elementAt(10));
    ASSERT_NE(circle, nullptr);
    circle->radiusValue.setNumberWithText(10 * std::cos(60.0), "cos(60)*10");
    f.answer<CFigureOptionsDialog>(Cmd::figureOptions, [](auto& d) {
        d.degree->setChecked(true);
        d.colour = QColor(10, 20, 30);
    });
    EXPECT_EQ(doc.list().angleUnit, 1);
    EXPECT_NEAR(circle->radiusValue.getValue(), 5.0, 1e-9);
    EXPECT_EQ(doc.backgroundColour(), RGB(10, 20, 30));
    EXPECT_EQ(doc.history().undoText(), "Figure en cours");
    // A picture that cannot be read is reported and leaves no picture.
    f.answer<CFigureOptionsDialog>(
        Cmd::figureOptions, [&](auto& d) { d.picture->setText(f.dir.filePath("absente.png")); });
    EXPECT_EQ(doc.backgroundPicture, nullptr);
    EXPECT_NE(f.headless.messages.back().text.find("absente.png"), std::string::npos);
}

// The default macro chosen among the options is drawn in its final state over a figure that
// stays as it was.
TEST(FigureOptions, DefaultMacroDrawnInItsFinalState) {
    Fixture f;
    CPelvantiView* v = f.run(Cmd::fileNew);
    CPelvantiDoc& doc = *v->document();
    auto* a = add<CPointBase>(v, nat::pointLibre, 1000.0, 1000.0, 4, 0);
    auto* seg = add<CSegment>(v, nat::segment, a,
                              add<CPointBase>(v, nat::pointLibre, 3000.0, 1000.0, 4, 0));
    auto* p = add<CPointBase>(v, nat::pointLibre, 2000.0, 2000.0, 4, 0);
    add<CMacroApparition>(v, nat::macro, &doc.list(), "Montrer", "", 200.0, 3000.0)
        ->addObject(nat::segment, seg);
    add<CMacroDisparition>(v, nat::macro, &doc.list(), "Cacher", "", 200.0, 3500.0)
        ->addObject(nat::pointLibre, p);
    seg->masked = true;
    v->recomputeAndRedraw();
    const QColor background = v->buffer().pixelColor(0, 0);
    auto choose = [&](const char* title) {
        f.answer<CFigureOptionsDialog>(Cmd::figureOptions, [&](auto& d) {
            d.defaultMacro->setCurrentIndex(d.defaultMacro->findText(title));
        });
    };
    choose("Macro d'intitulé \"Montrer\"");
    EXPECT_NE(background, v->buffer().pixelColor(200, 100));
    EXPECT_TRUE(seg->masked);
    choose("Macro d'intitulé \"Cacher\"");
    EXPECT_EQ(background, v->buffer().pixelColor(200, 100));
    EXPECT_EQ(background, v->buffer().pixelColor(200, 200));
    EXPECT_FALSE(p->masked);
    choose("Aucune");
    EXPECT_NE(background, v->buffer().pixelColor(200, 200));
}

TEST(ReclassValue, BothWaysFromTheMenu) {
    Fixture f;
    CPelvantiView* v = f.run(Cmd::newSquare);
    CListeAction& list = v->document()->list();
    CElementBase* unit = list.unitLength;
    f.dialogs.itemAnswers = {0, 0, 0};
    f.run(Cmd::moveValueToEnd);
    EXPECT_EQ(list.elementAt(list.count() - 1), unit);
    EXPECT_EQ(v->document()->history().undoText(), "Reclasser en fin de liste");
    f.run(Cmd::moveValueToEnd);
    EXPECT_EQ(f.headless.messages.back().text, "L'objet ne peut pas être reclassé");
    f.run(Cmd::moveValueToStart);
    // Back right after its last parent, V.
    EXPECT_EQ(list.indexOf(unit), 4);
    EXPECT_EQ(v->document()->history().undoText(), "Reclasser en début de liste");
}

namespace {
CPelvantiView* openSavedFigure(Fixture& f) {
    return f.frame->openFile(QString::fromStdString(f.saveFigureWithPoint("triangle.qvf")));
}

bool enabled(Fixture& f, int command) {
    f.frame->updateActions();
    return f.frame->action(command)->isEnabled();
}

// Runs `answer` on the modal dialog that the next action opens.
void whenDialogOpens(std::function<void(QDialog*)> answer) {
    QTimer::singleShot(0, [answer] {
        if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) answer(d);
    });
}
}  // namespace

TEST(WebPage, AppletCodeOnlyForASavedUnchangedFigureAndCopiedFromTheDialog) {
    Fixture f;
    f.frame->newFigure();
    EXPECT_FALSE(enabled(f, Cmd::appletCode));  // never saved
    CPelvantiView* v = openSavedFigure(f);
    ASSERT_NE(v, nullptr);
    v->document()->allowedMenus.add(Cmd::appletCode);
    EXPECT_FALSE(enabled(f, Cmd::appletCode));  // refused by the restricted menus
    v->document()->allowedMenus.clear();
    // The size of the view now, not the one stored in the file.
    v->parentWidget()->resize(431, 287);
    QApplication::processEvents();
    const LSize area = v->drawingArea();
    QApplication::clipboard()->clear();
    whenDialogOpens([](QDialog* d) {
        for (auto* b : d->findChildren<QPushButton*>())
            if (b->text() == "Copier le code dans le presse-papier") b->click();
        d->accept();
    });
    ASSERT_TRUE(enabled(f, Cmd::appletCode));
    f.run(Cmd::appletCode);
    EXPECT_EQ(QApplication::clipboard()->text(),
              QStringLiteral("<APPLET CODE=\"Applet.AppletKorvendal32.class\"\r\n"
                             "    ARCHIVE = \"AppletKorvendal32.jar\"\r\n"
                             "    WIDTH=%1\r\n    HEIGHT=%2>\r\n"
                             "    <PARAM NAME= Path VALUE = \"triangle.qvf\">\r\n</APPLET>")
                  .arg(area.cx / 10)
                  .arg(area.cy / 10));
    add<CPointBase>(v, nat::pointLibre, 300.0, 200.0);
    EXPECT_FALSE(enabled(f, Cmd::appletCode));  // modified
}

namespace {
// A stand-in for the built viewer, with the one text a script element cannot hold.
struct FakeViewer {
    QTemporaryDir dir;
    QString path = dir.filePath("korvendal-viewer.js");
    explicit FakeViewer(bool present = true) {
        if (present) {
            QFile f(path);
            f.open(QIODevice::WriteOnly);
            f.write("var end = '</script>';");
        }
        qputenv("KORVENDAL_WEB_VIEWER", path.toUtf8());
    }
    ~FakeViewer() { qunsetenv("KORVENDAL_WEB_VIEWER"); }
};

QByteArray contentOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
}  // namespace

TEST(WebPage, InteractivePageFromTheMenu) {
    Fixture f;
    FakeViewer viewer;
    CPelvantiView* v = openSavedFigure(f);
    ASSERT_NE(v, nullptr);
    // Unsaved changes go into the page too.
    add<CPointBase>(v, nat::pointLibre, 300.0, 200.0);
    const QString single = f.dir.filePath("seul.html");
    const QString fragment = f.dir.filePath("extrait.html");
    for (const QString& page : {single, fragment}) {
        whenDialogOpens([page, fragmentWanted = page == fragment](QDialog* d) {
            d->findChild<QLineEdit*>()->setText(page);
            if (fragmentWanted) d->findChild<QRadioButton*>("fragment")->setChecked(true);
            d->accept();
        });
        f.run(Cmd::exportWebPage);
    }
    const QByteArray page = contentOf(single);
    EXPECT_TRUE(page.startsWith("<!DOCTYPE html>"));
    EXPECT_TRUE(page.contains("var end = '<\\/script>';"));
    const std::vector<uint8_t> figure = v->document()->saveToBytes();
    EXPECT_TRUE(
        page.contains("data-qvf=\"" + QByteArray(reinterpret_cast<const char*>(figure.data()),
                                                 static_cast<qsizetype>(figure.size()))
                                          .toBase64()));
    EXPECT_EQ(contentOf(fragment),
              "<div class=\"korvendal-figure\" data-src=\"extrait-web.qvf\"></div>\n"
              "<script src=\"korvendal-viewer.js\"></script>\n");
    EXPECT_EQ(contentOf(f.dir.filePath("korvendal-viewer.js")), contentOf(viewer.path));
    EXPECT_TRUE(
        CPelvantiDoc().loadFromFile(f.dir.filePath("extrait-web.qvf").toStdString(), nullptr));
}

TEST(WebPageCommand, WritesThePageOrSaysWhy) {
    struct {
        bool viewerBuilt;
        const char* figure;  // under tests/data/figures
        int status;
        const char* says;
    } cases[] = {{true, "valid/construction.qvf", 0, "Page web écrite"},
                 {false, "valid/construction.qvf", 1, "tools/build-web.sh"},
                 {true, "damaged/truncated.qvf", 1, ""}};
    for (const auto& c : cases) {
        FakeViewer viewer(c.viewerBuilt);
        QTemporaryDir out;
        const std::string page = out.filePath("page.html").toStdString();
        const std::string figure = std::string(KORVENDAL_TEST_DATA "/figures/") + c.figure;
        std::ostringstream o, e;
        EXPECT_EQ(runWebPageCommand({"--web-page", figure, page}, o, e), c.status) << c.says;
        EXPECT_NE((o.str() + e.str()).find(c.says), std::string::npos) << o.str() << e.str();
        EXPECT_EQ(QFileInfo::exists(QString::fromStdString(page)), c.status == 0);
    }
}
