#include "app/CToolGrid.h"

#include <QGridLayout>
#include <QToolBar>
#include <QToolButton>
#include <vector>

CToolGrid::CToolGrid(QToolBar* bar) : QWidget(bar), bar_(bar), layout_(new QGridLayout(this)) {
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(0);
    connect(bar, &QToolBar::orientationChanged, this, &CToolGrid::arrange);
}

void CToolGrid::addButton(QAction* action) {
    auto* button = new QToolButton(this);
    button->setDefaultAction(action);
    button->setAutoRaise(true);
    button->setIconSize(bar_->iconSize());
    button->setFocusPolicy(Qt::NoFocus);
    addAction(action);
    layout_->addWidget(button);
    arrange(bar_->orientation());
}

void CToolGrid::arrange(Qt::Orientation orientation) {
    // Two columns when the bar stands, two rows when it lies.
    const int n = layout_->count();
    std::vector<QWidget*> buttons;
    for (int i = 0; i < n; ++i) buttons.push_back(layout_->itemAt(i)->widget());
    for (QWidget* b : buttons) layout_->removeWidget(b);
    const int perLine = orientation == Qt::Vertical ? 2 : (n + 1) / 2;
    for (int i = 0; i < n; ++i) layout_->addWidget(buttons[i], i / perLine, i % perLine);
}
