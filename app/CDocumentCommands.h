// The commands that act on the figure itself: new figures holding a construction, the text of
// the figure, the history of the created objects, the options of the figure and the reclassing
// of values. Their dialogs open without blocking (window-modal) and apply on OK.
#pragma once

#include <QDialog>
#include <QPointer>
#include <memory>

class CAction;
class CMainFrame;
class CPelvantiView;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
enum class FigureTemplate;

// A new figure window holding the template; its history starts there.
CPelvantiView* newFigureFromTemplate(CMainFrame& frame, FigureTemplate which);
void openFigureText(CMainFrame& frame, bool readOnly);
void openHistory(CMainFrame& frame);
// The numbered list of the figure's objects, to read or print.
void openObjectListing(CMainFrame& frame);
void openFigureOptions(CMainFrame& frame);

// The text attached to the figure. A text left as it was stays byte for byte what it was.
class CFigureTextDialog : public QDialog {
    Q_OBJECT
public:
    CFigureTextDialog(CPelvantiView* view, bool readOnly, QWidget* parent);
    QPlainTextEdit* editor() const { return editor_; }
    void accept() override;

private:
    QPointer<CPelvantiView> view_;
    QPlainTextEdit* editor_;
    QString shown_;
};

// "Historique des objets créés": the view shows the objects 0 to n only; object n, its
// illustration and its parents blink until the dialog closes.
class CHistoryDialog : public QDialog {
    Q_OBJECT
public:
    CHistoryDialog(CPelvantiView* view, QWidget* parent);
    ~CHistoryDialog() override;
    void showStep(int n);
    int step() const { return step_; }
    QString constructionText() const;
    void done(int result) override;

private:
    void stopShowing();

    QPointer<CPelvantiView> view_;
    QSpinBox* number_;
    QPlainTextEdit* info_;
    std::unique_ptr<CAction> illustration_;
    int step_ = -1;
};

// "Choix des options de la figure en cours".
class CFigureOptionsDialog : public QDialog {
    Q_OBJECT
public:
    CFigureOptionsDialog(CPelvantiView* view, QWidget* parent);
    void accept() override;

    QRadioButton* radian;
    QRadioButton* degree;
    QPushButton* colourButton;
    QLineEdit* picture;
    QCheckBox* displaysPinned;
    QCheckBox* angleMarksPinned;
    QCheckBox* dynamicSurfaces;
    QDoubleSpinBox* clipboardCm;
    QComboBox* defaultMacro;
    QColor colour;

private:
    void showColour();
    QPointer<CPelvantiView> view_;
};
