// The small window of a bounded variable: its name and value, and the buttons that step it
// down ("-"), up ("+") or set it to a typed value ("=").
#pragma once

#include <QFrame>

class QLabel;
class QToolButton;
class CElementBase;
class CPelvantiView;

class CVariableWindow : public QFrame {
    Q_OBJECT
public:
    CVariableWindow(CPelvantiView* view, CElementBase* variable);

    // True when `e` is a bounded variable that asks for a window.
    static bool wantsWindow(const CElementBase* e);

    CElementBase* variable() const { return variable_; }
    // Steps the variable within its bounds (a beep at a bound), then the figure follows.
    void stepUp();
    void stepDown();
    // Sets the value when it lies within the bounds; false otherwise.
    bool setValue(double v);
    double value() const;
    QString text() const;
    void refresh();

private:
    void askValue();

    CPelvantiView* view_;
    CElementBase* variable_;
    QLabel* label_;
};
