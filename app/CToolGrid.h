// The construction bar's buttons in two columns: 39 buttons in one column do not fit the
// height of most screens. Docked at the top or bottom, the grid turns to two rows.
#pragma once

#include <QWidget>

class QGridLayout;
class QToolBar;

class CToolGrid : public QWidget {
    Q_OBJECT
public:
    explicit CToolGrid(QToolBar* bar);
    // One button for `action`, after the others. The action is also added to this widget, so
    // that actions() lists the buttons in order.
    void addButton(QAction* action);

private:
    void arrange(Qt::Orientation orientation);

    QToolBar* bar_;
    QGridLayout* layout_;
};
