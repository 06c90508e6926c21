// The dialog of checked fields as a Qt dialog box: text fields, choices and boxes, with the
// list of names to insert at the caret of the last text field that had the focus. On OK the
// check runs; a refusal gives the focus back to the field it names, caret placed.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "calc/Parser.h"
#include "view/COutil.h"
#include "view/CPelvantiView.h"

namespace {
QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

class CFormulaDialogQt : public QDialog {
public:
    CFormulaDialogQt(FormulaDialog& d, QWidget* parent) : QDialog(parent), d_(d) {
        setWindowTitle(qs(d.title));
        auto* outer = new QHBoxLayout(this);
        auto* left = new QVBoxLayout;
        auto* form = new QFormLayout;
        for (size_t i = 0; i < d.labels.size(); ++i) {
            auto* e = new QLineEdit(i < d.values.size() ? qs(d.values[i]) : QString());
            e->installEventFilter(this);
            edits_.push_back(e);
            if (static_cast<int>(i) == d.fileField) {
                form->addRow(qs(d.labels[i]), fileRow(e));
                continue;
            }
            e->setMaxLength(kMaxFormulaLength);
            form->addRow(qs(d.labels[i]), e);
        }
        for (const FormulaDialog::Choice& c : d.choices) {
            auto* combo = new QComboBox;
            for (const std::string& item : c.items) combo->addItem(qs(item));
            combo->setCurrentIndex(c.index);
            form->addRow(qs(c.label), combo);
            combos_.push_back(combo);
        }
        for (const FormulaDialog::Box& b : d.boxes) {
            auto* box = new QCheckBox(qs(b.label));
            box->setChecked(b.checked);
            form->addRow(box);
            boxes_.push_back(box);
        }
        left->addLayout(form);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annuler"));
        connect(buttons, &QDialogButtonBox::accepted, this, &CFormulaDialogQt::tryAccept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        left->addWidget(buttons);
        outer->addLayout(left);
        if (!d.insertable.empty() && !edits_.empty()) {
            auto* right = new QVBoxLayout;
            right->addWidget(new QLabel(QStringLiteral("Double-cliquez pour insérer :")));
            auto* names = new QListWidget;
            for (const std::string& n : d.insertable) names->addItem(qs(n));
            connect(names, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
                QLineEdit* e = lastEdit_ ? lastEdit_ : edits_.front();
                e->insert(item->text());
                e->setFocus();
            });
            right->addWidget(names);
            outer->addLayout(right);
        }
        if (!edits_.empty()) edits_.front()->setFocus();
    }

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::FocusIn)
            if (auto* edit = qobject_cast<QLineEdit*>(o)) lastEdit_ = edit;
        return QDialog::eventFilter(o, e);
    }

private:
    // The field and its "Parcourir..." button; the chooser opens where the named file is.
    QWidget* fileRow(QLineEdit* e) {
        auto* row = new QWidget;
        auto* layout = new QHBoxLayout(row);
        layout->setContentsMargins(0, 0, 0, 0);
        auto* browse = new QPushButton(QStringLiteral("Parcourir..."));
        browse->setObjectName(QStringLiteral("browse"));
        connect(browse, &QPushButton::clicked, this, [this, e] {
            const QDir folder(qs(d_.fileFolder));
            const QString current = e->text().isEmpty()
                                        ? folder.absolutePath()
                                        : QFileInfo(folder, e->text()).absoluteFilePath();
            const QString file =
                QFileDialog::getOpenFileName(this, qs(d_.title), current, qs(d_.fileFilter));
            if (!file.isEmpty()) e->setText(file);
        });
        layout->addWidget(e, 1);
        layout->addWidget(browse);
        return row;
    }

    void read() {
        d_.values.resize(edits_.size());
        for (size_t i = 0; i < edits_.size(); ++i) d_.values[i] = edits_[i]->text().toStdString();
        for (size_t i = 0; i < combos_.size(); ++i)
            d_.choices[i].index = combos_[i]->currentIndex();
        for (size_t i = 0; i < boxes_.size(); ++i) d_.boxes[i].checked = boxes_[i]->isChecked();
    }

    void tryAccept() {
        read();
        int caret = 0;
        const int field = d_.check ? d_.check(d_, caret) : -1;
        if (field < 0) {
            accept();
            return;
        }
        if (field < static_cast<int>(edits_.size())) {
            QLineEdit* e = edits_[field];
            e->setFocus();
            e->setCursorPosition(caret);
        }
    }

    FormulaDialog& d_;
    std::vector<QLineEdit*> edits_;
    std::vector<QComboBox*> combos_;
    std::vector<QCheckBox*> boxes_;
    QLineEdit* lastEdit_ = nullptr;
};
}  // namespace

bool CToolDialogs::editFormula(FormulaDialog& d) {
    QWidget* parent = nullptr;
    if (CPelvantiView* v = CPelvantiView::activeView()) parent = v->window();
    if (!parent) parent = QApplication::activeWindow();
    CFormulaDialogQt dialog(d, parent);
    return dialog.exec() == QDialog::Accepted;
}
