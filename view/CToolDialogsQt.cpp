// The tools' dialogs as Qt dialog boxes, parented to the active view.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "view/COutil.h"
#include "view/CPelvantiView.h"

namespace {
QWidget* parentWidget() {
    if (CPelvantiView* v = CPelvantiView::activeView()) return v->window();
    return QApplication::activeWindow();
}

// The tools' convention: a label ending with '?' asks yes or no.
bool isYesNoField(const std::string& label) {
    return !label.empty() && label.back() == '?';
}

QDialogButtonBox* addButtons(QDialog& d, QLayout* layout) {
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    box->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annuler"));
    QObject::connect(box, &QDialogButtonBox::accepted, &d, &QDialog::accept);
    QObject::connect(box, &QDialogButtonBox::rejected, &d, &QDialog::reject);
    layout->addWidget(box);
    return box;
}

class CToolDialogsQt : public CToolDialogs {
public:
    int chooseNature(const std::vector<std::string>& names) override {
        QDialog d(parentWidget());
        d.setWindowTitle(QStringLiteral("Korvendal32"));
        auto* layout = new QVBoxLayout(&d);
        layout->addWidget(new QLabel(QStringLiteral("En cliquant, vous souhaitiez désigner :")));
        auto* list = new QListWidget;
        for (const std::string& n : names) list->addItem(QString::fromStdString(n));
        list->setCurrentRow(0);
        layout->addWidget(list);
        QObject::connect(list, &QListWidget::itemDoubleClicked, &d, &QDialog::accept);
        addButtons(d, layout);
        if (d.exec() != QDialog::Accepted) return -1;
        return list->currentRow();
    }

    int chooseFirstOrLast() override {
        QDialog d(parentWidget());
        d.setWindowTitle(QStringLiteral("Levée de l'indétermination"));
        auto* layout = new QVBoxLayout(&d);
        layout->addWidget(
            new QLabel(QStringLiteral("Plusieurs objets sont voisins de l'endroit cliqué.")));
        layout->addWidget(new QLabel(QStringLiteral("Choisissez entre :")));
        auto* first = new QRadioButton(QStringLiteral("Le premier objet"));
        auto* last = new QRadioButton(QStringLiteral("Le dernier objet"));
        first->setChecked(true);
        layout->addWidget(first);
        layout->addWidget(last);
        addButtons(d, layout);
        if (d.exec() != QDialog::Accepted) return -1;
        return last->isChecked() ? 1 : 0;
    }

    bool editFields(const std::string& title, const std::vector<std::string>& labels,
                    std::vector<std::string>& values) override {
        QDialog d(parentWidget());
        d.setWindowTitle(QString::fromStdString(title));
        auto* layout = new QVBoxLayout(&d);
        auto* form = new QFormLayout;
        std::vector<QWidget*> edits;
        values.resize(labels.size());
        for (size_t i = 0; i < labels.size(); ++i) {
            const QString label = QString::fromStdString(labels[i]);
            QWidget* e = nullptr;
            if (isYesNoField(labels[i])) {
                auto* box = new QCheckBox(label);
                box->setChecked(values[i] == "1");
                form->addRow(box);
                e = box;
            } else {
                e = new QLineEdit(QString::fromStdString(values[i]));
                form->addRow(label, e);
            }
            edits.push_back(e);
        }
        layout->addLayout(form);
        addButtons(d, layout);
        if (d.exec() != QDialog::Accepted) return false;
        for (size_t i = 0; i < edits.size(); ++i) {
            if (auto* box = qobject_cast<QCheckBox*>(edits[i]))
                values[i] = box->isChecked() ? "1" : "0";
            else
                values[i] = static_cast<QLineEdit*>(edits[i])->text().toStdString();
        }
        return true;
    }

    bool chooseItem(const std::string& title, const std::vector<std::string>& items,
                    int& index) override {
        QDialog d(parentWidget());
        d.setWindowTitle(QString::fromStdString(title));
        auto* layout = new QVBoxLayout(&d);
        auto* combo = new QComboBox;
        for (const std::string& s : items) combo->addItem(QString::fromStdString(s));
        combo->setCurrentIndex(index);
        layout->addWidget(combo);
        addButtons(d, layout);
        if (d.exec() != QDialog::Accepted) return false;
        index = combo->currentIndex();
        return true;
    }
};
}  // namespace

CToolDialogs& qtToolDialogs() {
    static CToolDialogsQt dialogs;
    return dialogs;
}
