// The menu Calculs: the dialogs of new values and their checks (message, field, caret), the
// modification of a value from "Voir tous les calculs", the measure tools, and the displays,
// comments and pictures with their modification and link tools.
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <cmath>

#include "geometry/CAffichage.h"
#include "geometry/CPolygone.h"
#include "measures/CMesure.h"
#include "tools_fixture.h"
#include "values/CCalcul.h"
#include "values/CSuiteRec.h"
#include "values/CVariable.h"
#include "view/CCalculsWindow.h"
#include "view/COutilsCalculs.h"

class CalculsTest : public ToolsTest {
protected:
    // A(100,300), B(300,300), C(200,100) and the unit length AB.
    void triangleWithUnit() {
        freePoint(100, 300);
        freePoint(300, 300);
        freePoint(200, 100);
        select(Cmd::unitLength);
        clicks({{100, 300}, {300, 300}});
    }
    // Runs a dialog command with the answers; true when the list grew.
    bool run(int command, std::initializer_list<FormulaAnswer> answers) {
        dialogs.formulaAnswers = answers;
        const int before = list().count();
        select(command);
        return list().count() > before;
    }
    template <class T>
    T* named(const std::string& name) {
        for (CActionAncetre* e : list().entries())
            if (e->element->getDisplayName() == name) return dynamic_cast<T*>(e->element);
        return nullptr;
    }
};

TEST_F(CalculsTest, FromTheMenusATeacherBuildsMeasuresValuesAndDisplays) {
    triangleWithUnit();
    ASSERT_TRUE(select(Cmd::measureLength));
    clicks({{300, 300}, {200, 100}});
    EXPECT_EQ(lastMessage(), "La longueur BC\r\n a été mesurée");
    select(Cmd::measureLength);
    clicks({{200, 100}, {100, 300}});
    ASSERT_TRUE(run(Cmd::newCalculation, {{{"per", "AB+BC+CA"}}}));
    auto* per = named<CCalcul>("per");
    ASSERT_NE(per, nullptr);
    EXPECT_NEAR(per->value, 1 + 2 * std::sqrt(5.0) / 2, 1e-9);
    EXPECT_EQ(doc().history().undoText(), "Créer calcul");
    // The display of the perimeter follows A; a comment shows it live.
    ASSERT_TRUE(select(Cmd::valueDisplayLinked));
    dialogs.formulaAnswers = {{{"p = ", " cm", "3"}, {4}}};
    click(100, 300);
    auto* shown = last<CValeurAffichee>();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->V, per);
    ASSERT_TRUE(select(Cmd::commentFree));
    dialogs.formulaAnswers = {{{"P vaut #Val(per,1)"}}};
    click(400, 50);
    auto* comment = last<CCommentaire>();
    ASSERT_NE(comment, nullptr);
    ASSERT_TRUE(run(Cmd::newCalculation, {{{"q", "per/2"}}}));
    ASSERT_TRUE(select(Cmd::modifyComment));
    dialogs.formulaAnswers = {{{"P vaut #Val(per,1), Q #Val(q)"}}};
    click(comment->box.left / 10 + 1, comment->box.top / 10 + 1);
    EXPECT_GT(list().indexOf(comment), list().indexOf(named<CCalcul>("q")))
        << "a comment comes after the values it shows";
    EXPECT_EQ(doc().history().undoText(), "Modifier commentaire");
    const std::string before = shown->text, commentBefore = comment->text;
    select(Cmd::capture);
    clicks({{200, 100}, {200, 40}});  // C moves: the display and the comment follow
    EXPECT_NE(shown->text, before);
    EXPECT_NE(comment->text, commentBefore);

    ASSERT_TRUE(run(Cmd::newFunction, {{{"f", "x", "x^2-2"}}}));
    ASSERT_TRUE(run(Cmd::newDerivative, {{{"df"}}}));
    ASSERT_TRUE(run(Cmd::newSolution, {{{"s", "0", "2", "0.001"}}}));
    EXPECT_EQ(lastMessage(), "La solution d'équation s\r\n a été créée ");
    ASSERT_TRUE(run(Cmd::newIntegral, {{{"In", "0", "3", "2"}}}));
    ASSERT_TRUE(run(Cmd::newVariable, {{{"k", "0", "10", "0.5", "2"}, {}, {true}}}));
    EXPECT_EQ(list().entryAt(1)->nature, nat::variable) << "variables follow pi";
    EXPECT_EQ(v()->variableWindows().size(), 1u);
    ASSERT_TRUE(run(Cmd::newSequence, {{{"u", "k", "20"}}}));
    EXPECT_DOUBLE_EQ(named<CSuiteRec>("u")->terms[1], 2.0);
}

// One refused answer per case: the message shown, the field that gets the focus back and the
// caret; nothing is created.
struct Refusal {
    int command;
    std::vector<std::string> values;
    const char* message;
    int field, caret;
};

class CalculsRefusalTest : public CalculsTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(CalculsRefusalTest, ShowsTheMessageAndPutsTheCaretBack) {
    const Refusal& r = GetParam();
    ASSERT_TRUE(run(Cmd::newFunction, {{{"f", "x", "x"}}}));
    ASSERT_TRUE(run(Cmd::newCalculation, {{{"a", "1"}}}));
    const int count = list().count();
    host.messages.clear();
    dialogs.refusals.clear();
    EXPECT_FALSE(run(r.command, {{r.values}}));
    EXPECT_EQ(list().count(), count);
    EXPECT_EQ(lastMessage(), r.message);
    ASSERT_EQ(dialogs.refusals.size(), 1u);
    EXPECT_EQ(dialogs.refusals[0], std::make_pair(r.field, r.caret));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Dialogs, CalculsRefusalTest, ::testing::Values(
    Refusal{Cmd::newCalculation, {"", "1"}, "\n\nLe nom du calcul doit être défini", 0, 0},
    Refusal{Cmd::newCalculation, {"i", "1"}, "Le nom i est réservé pour les calculs\nsur les nombres complexes", 0, 0},
    Refusal{Cmd::newCalculation, {"2a", "1"}, "\n\nLe nom choisi est incorrect", 0, 0},
    Refusal{Cmd::newCalculation, {"sqrt", "1"}, "Le nom choisi est le nom\nd 'une fonction mathématique prédéfinie", 0, 0},
    Refusal{Cmd::newCalculation, {"PI", "1"}, "Le nom choisi est le nom\nd'une valeur, une fonction ou une mesure\ndéjà définie", 0, 0},
    Refusal{Cmd::newCalculation, {"x", "1"}, "Ce nom n'est pas valide car il\nest déjà le nom d'un paramètre\nformel de fonction", 0, 0},
    Refusal{Cmd::newCalculation, {"b", ""}, "\nVous devez entrer\nune formule", 1, 0},
    Refusal{Cmd::newCalculation, {"b", "a*(2+1"}, "\n\nErreur de Parenthèse", 1, 5},
    Refusal{Cmd::newCalculation, {"b", "a+2*"}, "\n\nErreur de syntaxe", 1, 3},
    Refusal{Cmd::newCalculation, {"b", "1+zz"}, "\n\nErreur de syntaxe", 1, 1},
    Refusal{Cmd::newCalculation, {"b", std::string(124, '1')}, "La formule est trop longue :\n123 caractères au plus", 1, 123},
    Refusal{Cmd::newFunction, {"g", ""}, "\nVous devez rentrer\nun nom pour la variable formelle", 1, 0},
    Refusal{Cmd::newFunction, {"g", "g"}, "Le nom de la variable\ndoit être différent de celui\nde la fonction", 1, 0},
    Refusal{Cmd::newFunction, {"g", "t", "x+1"}, "\n\nErreur de syntaxe", 2, 0},
    Refusal{Cmd::newVariable, {"k", "5", "1", "1", "2"}, "\nLa valeur mini doit être\ninférieure à la valeur maxi", 1, 0},
    Refusal{Cmd::newVariable, {"k", "0", "10", "0", "2"}, "\n\nLe pas est trop grand ou négatif ou nul", 3, 0},
    Refusal{Cmd::newVariable, {"k", "0", "10", "1", "11"}, "\nLa valeur actuelle doit être\ncomprise entre les\n valeurs mini et maxi", 4, 0},
    Refusal{Cmd::newVariable, {"k", "1/0", "10", "1", "2"}, "Un calcul ne donne pas\nun résultat valide", 1, 0},
    Refusal{Cmd::newSolution, {"s", "", "1", "0.1"}, "\nVous devez entrer\nune valeur", 1, 0},
    Refusal{Cmd::newSolution, {"s", "0", "1", "0"}, "L'incertitude doit être strictement positive", 3, 0},
    Refusal{Cmd::newIntegral, {"J", "0", "1", "101"}, "n doit être un entier\nde 2 à 100", 3, 0},
    Refusal{Cmd::newSequence, {"v", "1", "501"}, "Le nombre de termes doit être\nun entier de 2 à 500", 2, 0}));
// clang-format on

TEST_F(CalculsTest, PreconditionsOfTheValueAndMeasureCommands) {
    // clang-format off
    for (auto [command, message] : {
             std::pair{Cmd::newDerivative, "Activation impossible : Aucune fonction n'a\n été définie"},
             std::pair{Cmd::valueDisplayFree, "Activation impossible : aucune valeur n'a été créée\n(calcul ou mesure)"},
             std::pair{Cmd::modifyComment, "Activation impossible : aucun commentaire\nn'a été créé ou n'est visible"},
             std::pair{Cmd::imageFree, "Pour insérer une image à\n partir d'un fichier, vous devez\nd'abord enregistrer votre figure"},
         }) {  // clang-format on
        EXPECT_FALSE(select(command)) << command;
        EXPECT_EQ(lastMessage(), message) << command;
    }
}

TEST_F(CalculsTest, EditingAValueFromTheListRecomputesItsDependentsWithOneUndoState) {
    ASSERT_TRUE(run(Cmd::newCalculation, {{{"a", "1"}}}));
    ASSERT_TRUE(run(Cmd::newCalculation, {{{"b", "a+1"}}}));
    ASSERT_TRUE(run(Cmd::newCalculation, {{{"c", "b*10"}}}));
    CCalculsWindow window(v());
    // b may use neither itself nor c, created after it.
    const int top = doc().history().top();
    host.messages.clear();
    dialogs.formulaAnswers = {{{"b", "b+1"}}, {{"b", "c"}}, {{"b", "a*3"}}};
    ASSERT_TRUE(window.modifyRow(2));
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].text,
              "Le calcul ne doit pas utiliser une valeur définie postérieurement");
    EXPECT_EQ(dialogs.prefilled, (std::vector<std::string>{"b", "a+1"}));
    EXPECT_EQ(window.rowText(3, 1), "30");
    EXPECT_EQ(doc().history().top(), top + 1);
    EXPECT_EQ(doc().history().undoText(), "Modifier calcul");
    v()->undo();
    EXPECT_EQ(named<CCalcul>("c")->value, 20);

    // a is used by b: its name may only change case.
    host.messages.clear();
    dialogs.formulaAnswers = {{{"z", "3"}}, {{"A", "3"}}};
    ASSERT_TRUE(CCalculsWindow(v()).modifyRow(1));
    EXPECT_EQ(host.messages.at(0).text,
              "Ce nom ne peut pas être changé :\nd'autres objets utilisent cette valeur");
    EXPECT_EQ(named<CCalcul>("c")->value, 40);
    EXPECT_FALSE(modifyValue(v(), list().elementAt(0)));
    EXPECT_EQ(lastMessage(), "\nCette constante est prédéfinie\net ne peut pas être\nmodifiée");
}

TEST_F(CalculsTest, RenamingAPointRewritesTheFormulasThatUseItsMeasures) {
    triangleWithUnit();
    select(Cmd::measureLength);
    clicks({{300, 300}, {200, 100}});
    // A name that only contains a measure's name is not one.
    ASSERT_TRUE(run(Cmd::newCalculation, {{{"BCx", "1"}}}));
    ASSERT_TRUE(run(Cmd::newCalculation, {{{"d", "2*BC+CB+BCx"}}}));
    host.messages.clear();
    select(Cmd::name);
    dialogs.fieldAnswers = {{""}, {"D"}};
    click(300, 300);
    EXPECT_EQ(host.messages.at(0).text,
              "Le nom doit être défini\ncar une mesure dépend\nde ce point");
    auto* d = named<CCalcul>("d");
    EXPECT_EQ(d->formula, "2*DC+DC+BCx");
    EXPECT_NEAR(d->value, 3 * std::sqrt(5.0) / 2 + 1, 1e-9);
}

TEST_F(CalculsTest, MeasureToolsNameTheirMeasuresAndRefuseATakenName) {
    triangleWithUnit();
    for (int command : {Cmd::measureAngle, Cmd::measureOrientedAngle}) {
        ASSERT_TRUE(select(command));
        clicks({{100, 300}, {300, 300}, {200, 100}});
    }
    const double abc = std::atan(2.0) * 180 / M_PI;
    EXPECT_NEAR(named<CValeurDynamique>("ABC")->getValue(), abc, 1e-9);
    EXPECT_NEAR(std::fabs(named<CValeurDynamique>("(BA,BC)")->getValue()), abc, 1e-9);
    const int count = list().count();
    select(Cmd::measureAngle);
    clicks({{100, 300}, {300, 300}, {200, 100}});  // the name ABC is taken
    EXPECT_EQ(list().count(), count);
    EXPECT_EQ(lastMessage(),
              "Création impossible: la mesure\naurait le même nom qu'une\nvaleur ou fonction déjà "
              "définie");

    ASSERT_TRUE(select(Cmd::polygon));
    clicks({{100, 300}, {300, 300}, {200, 100}});
    rightClick(0, 0);
    ASSERT_TRUE(select(Cmd::measureArea));
    dialogs.formulaAnswers = {{{"pi"}}, {{"S"}}};
    click(200, 300);
    auto* area = last<CMesureAire>();
    ASSERT_NE(area, nullptr);
    EXPECT_NEAR(area->value, 0.5, 1e-9) << "base 1, height 1, named S";
    EXPECT_EQ(doc().history().undoText(), "Mesurer aire polygone ");
}

// Measures of a point D(350,400) in the frame (A, B, C) and on the line (BC), and of the
// length of the broken line ABC, in the unit AB.
struct PointMeasureCase {
    int command;
    std::vector<std::pair<int, int>> clicks;
    const char* name;
    double real, imaginary;
};
class PointMeasuresTest : public CalculsTest,
                          public ::testing::WithParamInterface<PointMeasureCase> {};

TEST_P(PointMeasuresTest, GiveTheValueOfThePointInTheUnit) {
    triangleWithUnit();
    freePoint(350, 400);
    select(Cmd::frame);
    dialogs.fieldAnswers = {{"0", "0"}};
    clicks({{100, 300}, {300, 300}, {200, 100}});
    select(Cmd::brokenLine);
    clicks({{100, 300}, {300, 300}, {200, 100}});
    rightClick(0, 0);
    dialogs.formulaAnswers = {{{"long"}}};

    const PointMeasureCase& c = GetParam();
    ASSERT_TRUE(select(c.command));
    for (auto [x, y] : c.clicks) click(x, y);
    auto* m = last<CValeurDynamique>();
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->getName(), c.name);
    EXPECT_NEAR(m->getComplexValue().re, c.real, 1e-9);
    EXPECT_NEAR(m->getComplexValue().im, c.imaginary, 1e-9);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(, PointMeasuresTest, ::testing::Values(
    PointMeasureCase{Cmd::measureAbscissa, {{300, 300}, {200, 100}, {350, 400}}, "D(B,C)", -0.5, 0},
    PointMeasureCase{Cmd::measureX, {{350, 400}}, "xCoord(D,A,B,C)", 1.5, 0},
    PointMeasureCase{Cmd::measureY, {{350, 400}}, "yCoord(D,A,B,C)", -0.5, 0},
    PointMeasureCase{Cmd::measureAffix, {{350, 400}}, "Aff(D,A,B,C)", 1.5, -0.5},
    PointMeasureCase{Cmd::measureLineLength, {{200, 300}}, "long", 1 + std::sqrt(5.0) / 2, 0}));
// clang-format on

TEST_F(CalculsTest, DisplaysAreModifiedLinkedAndFreed) {
    freePoint(100, 100);
    ASSERT_TRUE(run(Cmd::newCalculation, {{{"a", "2.5"}}}));
    select(Cmd::valueDisplayFree);
    dialogs.formulaAnswers = {{{"*", "", "1"}}};
    click(300, 300);
    auto* d = last<CValeurAffichee>();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->text, "a = 2.5");

    ASSERT_TRUE(select(Cmd::modifyValueDisplay));
    dialogs.formulaAnswers = {{{"", "", "abc"}}, {{"x=", "", "2"}, {}, {true, false}}};
    click(d->box.left / 10 + 1, d->box.top / 10 + 1);
    EXPECT_EQ(d->text, "x=2.5");
    EXPECT_EQ(doc().history().undoText(), "Modifier affichage valeur");

    const double x = d->nameAnchorX + d->nameOffsetX;
    ASSERT_TRUE(select(Cmd::linkDisplay));
    clicks({{d->box.left / 10 + 1, d->box.top / 10 + 1}, {100, 100}});
    ASSERT_NE(d->point, nullptr);
    EXPECT_DOUBLE_EQ(d->nameAnchorX + d->nameOffsetX, x) << "it stays where it was";
    ASSERT_TRUE(select(Cmd::unlinkDisplay));
    click(d->box.left / 10 + 1, d->box.top / 10 + 1);
    EXPECT_EQ(d->point, nullptr);
    EXPECT_EQ(doc().history().undoText(), "Supprimer liaison");
}

TEST_F(CalculsTest, APictureWhoseFileIsMissingShowsThePlaceholder) {
    doc().path = "/nonexistent/figure.qvf";
    ASSERT_TRUE(select(Cmd::imageFree));
    dialogs.formulaAnswers = {{{"absente.png"}}};
    click(50, 50);
    auto* image = last<CImage>();
    ASSERT_NE(image, nullptr);
    v()->recomputeAndRedraw();
    EXPECT_EQ(image->placeholder->getText(), "Fichier Image\r\nnon trouvé\r\nou non valide");
}

TEST_F(CalculsTest, APictureChosenInTheFileChooserIsNamedFromTheFigureFolder) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("photos"));
    const QString file = dir.filePath("photos/p.png");
    ASSERT_TRUE(QImage(4, 3, QImage::Format_RGB32).save(file));  // shown by the chooser
    doc().path = dir.filePath("figure.qvf").toStdString();
    setToolDialogs(nullptr);
    QString chosen;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        QTimer::singleShot(0, [&] {
            auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(chooser, nullptr);
            chooser->selectFile(file);
            static_cast<QDialog*>(chooser)->accept();
        });
        dialog->findChild<QPushButton*>("browse")->click();
        chosen = dialog->findChild<QLineEdit*>()->text();
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    ASSERT_TRUE(select(Cmd::imageFree));
    click(50, 50);
    EXPECT_EQ(chosen, file);
    auto* image = last<CImage>();
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->relativePath, "photos/p.png");
}

TEST_F(CalculsTest, UnitLengthObjectsAreHiddenAndShownAgain) {
    triangleWithUnit();
    select(Cmd::midpoint);
    clicks({{100, 300}, {300, 300}});
    auto* m = last<CPointAncetre>();
    auto* c = named<CPointAncetre>("C");
    ASSERT_TRUE(select(Cmd::toggleUnitLength));
    EXPECT_TRUE(m->masked) << "built from the unit length's points alone";
    EXPECT_FALSE(c->masked);
    EXPECT_EQ(doc().history().undoText(), "Cacher longueur unité");
    select(Cmd::toggleUnitLength);
    EXPECT_FALSE(m->masked);
    EXPECT_EQ(doc().history().undoText(), "Voir longueur unité");
}

TEST_F(CalculsTest, PartsOfAComplexValue) {
    EXPECT_FALSE(select(Cmd::newModulus));
    ASSERT_TRUE(run(Cmd::newComplexCalculation, {{{"z", "3+4*i"}}}));
    ASSERT_TRUE(run(Cmd::newModulus, {{{"m"}}}));
    ASSERT_TRUE(run(Cmd::newImaginaryPart, {{{"y"}}}));
    EXPECT_EQ(named<CValeurDynamique>("m")->getValue(), 5);
    EXPECT_EQ(named<CValeurDynamique>("y")->getValue(), 4);
    EXPECT_EQ(doc().history().undoText(), "Créer partie imaginaire");
}

TEST_F(CalculsTest, TheDialogGivesTheFocusBackWithTheCaretAtTheReportedPosition) {
    setToolDialogs(nullptr);
    FormulaDialog d;
    d.labels = {"Nom :", "Formule :"};
    d.values = {"a", "1+2*"};
    d.check = [](FormulaDialog& d, int& caret) {
        if (d.values[1] != "1+2*") return -1;
        caret = 3;
        return 1;
    };
    int caret = -1;
    bool focused = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        QPushButton* ok = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
        ok->click();
        QLineEdit* formula = dialog->findChildren<QLineEdit*>().at(1);
        caret = formula->cursorPosition();
        focused = dialog->focusWidget() == formula;
        formula->setText("1+2");
        ok->click();
    });
    EXPECT_TRUE(toolDialogs().editFormula(d));
    EXPECT_EQ(caret, 3);
    EXPECT_TRUE(focused);
    EXPECT_EQ(d.values[1], "1+2");
}
