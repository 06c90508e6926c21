#include "view/CCalculsWindow.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "document/CPelvantiDoc.h"
#include "values/CValeurDynamique.h"
#include "view/COutilsCalculs.h"
#include "view/CPelvantiView.h"

namespace {
QString oneLine(std::string s) {
    for (char& c : s)
        if (c == '\r' || c == '\n') c = ' ';
    return QString::fromStdString(s).simplified();
}
}  // namespace

CCalculsWindow::CCalculsWindow(CPelvantiView* view, QWidget* parent)
    : QDialog(parent), view_(view), tree_(new QTreeWidget) {
    setWindowTitle(QStringLiteral("Calculs de la figure"));
    auto* layout = new QVBoxLayout(this);
    tree_->setColumnCount(3);
    tree_->setHeaderLabels(
        {QStringLiteral("Nom"), QStringLiteral("Valeur"), QStringLiteral("Définition")});
    tree_->setRootIsDecorated(false);
    tree_->setUniformRowHeights(true);  // lets long lists scroll without measuring every row
    tree_->header()->setStretchLastSection(true);
    connect(tree_, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { modifyRow(tree_->indexOfTopLevelItem(item)); });
    layout->addWidget(tree_);
    auto* buttons = new QDialogButtonBox;
    QPushButton* modify =
        buttons->addButton(QStringLiteral("Modifier"), QDialogButtonBox::ActionRole);
    QPushButton* close = buttons->addButton(QStringLiteral("Fermer"), QDialogButtonBox::RejectRole);
    connect(modify, &QPushButton::clicked, this,
            [this] { modifyRow(tree_->indexOfTopLevelItem(tree_->currentItem())); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(640, 400);
    fill();
}

void CCalculsWindow::fill() {
    tree_->clear();
    objects_.clear();
    QList<QTreeWidgetItem*> items;
    for (CActionAncetre* e : view_->document()->list().entries()) {
        if (!(e->nature & nat::valeurOuFonction)) continue;
        auto* v = dynamic_cast<CValeurDynamique*>(e->element);
        if (!v) continue;
        objects_.push_back(v);
        QString value = QStringLiteral("n'existe pas");
        if (nat::fonctionOuSuite & e->nature || nat::fonctionOuSuiteComplexe & e->nature)
            value.clear();
        else if (v->exists)
            value = QString::fromStdString(v->getDisplayValueText(6));
        items << new QTreeWidgetItem(
            {QString::fromStdString(v->getName()), value, oneLine(v->getDescription())});
    }
    tree_->addTopLevelItems(items);
}

QString CCalculsWindow::rowText(int row, int column) const {
    QTreeWidgetItem* item = tree_->topLevelItem(row);
    return item ? item->text(column) : QString();
}

bool CCalculsWindow::modifyRow(int row) {
    if (row < 0 || row >= rowCount()) return false;
    const bool changed = modifyValue(view_, objects_[row]);
    if (changed) fill();
    return changed;
}

void showCalculationsWindow(CPelvantiView* view) {
    if (!view) return;
    CCalculsWindow w(view, view->window());
    w.exec();
}
