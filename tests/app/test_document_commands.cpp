// The commands on the figure itself, through their menu actions: new figures from templates,
// the figure's text, the history of created objects, the figure's options, reclassing values.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <cmath>

#include "app/CDocumentCommands.h"
#include "app/FrameFixture.h"
#include "document/FigureTemplates.h"
#include "geometry/CCercle.h"
#include "geometry/CDroite.h"
#include "geometry/CRepere.h"
#include "macros/CMacroKinds.h"

namespace {
struct TemplateCase {
    int command;
    int count;
    const char* shownNames;
};

class Templates : public testing::TestWithParam<TemplateCase> {};

TEST_P(Templates, BuildTheirObjectsWithTheirUnitLengthAndNoUndo) {
    Fixture f;
    CPelvantiView* v = f.run(GetParam().command);
    const CListeAction& list = v->document()->list();
    EXPECT_EQ(list.count(), GetParam().count);
    std::string names;
    for (CActionAncetre* e : list.entries()) {
        EXPECT_TRUE(e->element->exists) << e->element->GetRuntimeClass()->className;
        if (auto* g = dynamic_cast<CElementGraphique*>(e->element); g && !g->masked)
            names += g->getName();
    }
    EXPECT_EQ(names, GetParam().shownNames);
    auto* unit = dynamic_cast<CValeurDynamique*>(list.unitLength);
    EXPECT_EQ(unit == nullptr, GetParam().command == Cmd::newFigureWithoutUnit);
    EXPECT_NEAR(unit ? unit->getValue() : 1.0, 1.0, 1e-12);
    EXPECT_FALSE(f.frame->action(Cmd::editUndo)->isEnabled());
    EXPECT_FALSE(v->isModified());
}

INSTANTIATE_TEST_SUITE_P(Menu, Templates,
                         testing::Values(TemplateCase{Cmd::newFigureWithoutUnit, 1, ""},
                                         TemplateCase{Cmd::newOrthonormalGrid, 10, "OIJ"},
                                         TemplateCase{Cmd::newOrthogonalDottedVectors, 14, "OIJ"},
                                         TemplateCase{Cmd::newSquare, 19, "ABDC"},
                                         TemplateCase{Cmd::newRectangle, 19, "ABDC"},
                                         TemplateCase{Cmd::newParallelogram, 18, "ABDC"},
                                         TemplateCase{Cmd::newTriangleAny, 15, "BCA"},
                                         TemplateCase{Cmd::newTriangleRight, 17, "ABC"},
                                         TemplateCase{Cmd::newTriangleIsosceles, 20, "BCA"},
                                         TemplateCase{Cmd::newTriangleRightIsosceles, 19, "ABC"},
                                         TemplateCase{Cmd::newTriangleEquilateral, 19, "BCA"},
                                         TemplateCase{Cmd::newTrapezoidAny, 18, "ABDC"},
                                         TemplateCase{Cmd::newTrapezoidRight, 20, "ABDC"},
                                         TemplateCase{Cmd::newTrapezoidIsosceles, 23, "ABDC"},
                                         TemplateCase{Cmd::newHexagon, 26, "OABCDEF"},
                                         TemplateCase{Cmd::newSegmentOfLength, 15, "AB"}));

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
        f.run(step ? Cmd::figureText : Cmd::viewFigureText);
        auto* d = f.dialog<CFigureTextDialog>();
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->editor()->isReadOnly(), step == 0);
        if (step == 2) d->editor()->setPlainText("Un triangle é\nsa hauteur");
        d->accept();
        delete d;
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
    f.run(Cmd::history);
    auto* d = f.dialog<CHistoryDialog>();
    ASSERT_NE(d, nullptr);
    d->showStep(-3);
    EXPECT_EQ(d->step(), 0);
    d->showStep(1000);
    EXPECT_EQ(d->step(), list.count() - 1);
    // The midpoint of U and V: the object blinks on one timer, its two parents on the other.
    d->showStep(5);
    EXPECT_TRUE(d->constructionText().contains(QStringLiteral("Milieu")));
    EtatOutils& st = etatOutils();
    ASSERT_EQ(st.blinkList.count(), 1);
    EXPECT_EQ(st.blinkList.elementAt(0), list.elementAt(5));
    ASSERT_EQ(st.blinkList2.count(), 2);
    EXPECT_EQ(st.blinkList2.elementAt(1), list.elementAt(3));
    // V lies on a hidden line that has no name: the line is told by its kind.
    d->showStep(3);
    EXPECT_TRUE(d->constructionText().endsWith(QStringLiteral("Point V : Point lié à une droite")))
        << d->constructionText().toStdString();
    d->accept();
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
    f.run(Cmd::figureOptions);
    auto* d = f.dialog<CFigureOptionsDialog>();
    ASSERT_NE(d, nullptr);
    d->degree->setChecked(true);
    d->colour = QColor(10, 20, 30);
    d->dynamicSurfaces->setChecked(false);
    d->accept();
    delete d;
    EXPECT_EQ(doc.list().angleUnit, 1);
    EXPECT_NEAR(circle->radiusValue.getValue(), 5.0, 1e-9);
    EXPECT_EQ(doc.backgroundColour(), RGB(10, 20, 30));
    EXPECT_FALSE(doc.dynamicSurfaces);
    EXPECT_EQ(doc.history().undoText(), "Figure en cours");
    // A picture that cannot be read is reported and leaves no picture.
    f.run(Cmd::figureOptions);
    d = f.dialog<CFigureOptionsDialog>();
    d->picture->setText(f.dir.filePath("absente.png"));
    d->accept();
    delete d;
    EXPECT_EQ(doc.backgroundPicture, nullptr);
    ASSERT_FALSE(f.headless.messages.empty());
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
        f.run(Cmd::figureOptions);
        auto* d = f.dialog<CFigureOptionsDialog>();
        ASSERT_NE(d, nullptr);
        d->defaultMacro->setCurrentIndex(d->defaultMacro->findText(title));
        d->accept();
        delete d;
    };
    choose("Macro d'intitulé \"Montrer\"");
    EXPECT_NE(background, v->buffer().pixelColor(200, 100));
    EXPECT_TRUE(seg->masked);
    EXPECT_EQ(doc.history().undoText(), "Figure en cours");
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
    EXPECT_EQ(f.headless.messages.back().text, "L'objet a été reclassé");
    EXPECT_EQ(v->document()->history().undoText(), "Reclasser en fin de liste");
    f.run(Cmd::moveValueToEnd);
    EXPECT_EQ(f.headless.messages.back().text, "L'objet ne peut pas être reclassé");
    f.run(Cmd::moveValueToStart);
    // Back right after its last parent, V.
    EXPECT_EQ(list.indexOf(unit), 4);
    EXPECT_EQ(v->document()->history().undoText(), "Reclasser en début de liste");
}
