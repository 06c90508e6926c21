#include "view/CVariableWindow.h"

#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QToolButton>

#include "core/CElementBase.h"
#include "core/CHost.h"
#include "values/CVariable.h"
#include "view/CPelvantiView.h"

namespace {
CVariableBornee* bounded(CElementBase* e) {
    return dynamic_cast<CVariableBornee*>(e);
}
const CVariableBornee* bounded(const CElementBase* e) {
    return dynamic_cast<const CVariableBornee*>(e);
}

// Decimals shown: those of the step as typed, so that every step shows.
int decimalsOf(const CVariableBornee& v) {
    size_t dot = v.stepText.find_first_of(".,");
    if (dot == std::string::npos) return 0;
    return std::min<int>(6, static_cast<int>(v.stepText.size() - dot - 1));
}
}  // namespace

CVariableWindow::CVariableWindow(CPelvantiView* view, CElementBase* variable)
    : QFrame(view), view_(view), variable_(variable) {
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 1, 2, 1);
    layout->setSpacing(2);
    label_ = new QLabel(this);
    label_->setMinimumWidth(90);
    layout->addWidget(label_);
    struct Button {
        const char* text;
        const char* tip;
        void (CVariableWindow::*slot)();
    };
    const Button buttons[] = {
        {"-", "Diminuer la variable d'un pas", &CVariableWindow::stepDown},
        {"+", "Augmenter la variable d'un pas", &CVariableWindow::stepUp},
        {"=", "Donner une valeur à la variable", &CVariableWindow::askValue},
    };
    for (const Button& b : buttons) {
        auto* button = new QToolButton(this);
        button->setText(QString::fromUtf8(b.text));
        button->setToolTip(QString::fromUtf8(b.tip));
        button->setAutoRepeat(b.slot != &CVariableWindow::askValue);
        button->setFixedSize(22, 20);
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QToolButton::clicked, this, b.slot);
        layout->addWidget(button);
    }
    refresh();
    adjustSize();
}

bool CVariableWindow::wantsWindow(const CElementBase* e) {
    const CVariableBornee* v = bounded(e);
    return v && v->withWindow;
}

void CVariableWindow::stepUp() {
    if (CVariableBornee* v = bounded(variable_)) {
        double before = v->value;
        v->increment();
        if (v->value != before) view_->variableChanged();
    }
    refresh();
}

void CVariableWindow::stepDown() {
    if (CVariableBornee* v = bounded(variable_)) {
        double before = v->value;
        v->decrement();
        if (v->value != before) view_->variableChanged();
    }
    refresh();
}

bool CVariableWindow::setValue(double value) {
    if (CVariableBornee* v = bounded(variable_)) {
        if (!(value >= v->minimum && value <= v->maximum)) return false;
        if (value != v->value) {
            v->value = value;
            view_->variableChanged();
        }
        refresh();
        return true;
    }
    return false;
}

double CVariableWindow::value() const {
    if (const CVariableBornee* v = bounded(variable_)) return v->value;
    return 0.0;
}

QString CVariableWindow::text() const {
    if (const CVariableBornee* v = bounded(variable_))
        return QString::fromStdString(v->getNameAndValueText(decimalsOf(*v)));
    return QString::fromStdString(variable_ ? variable_->getDisplayName() : std::string());
}

void CVariableWindow::refresh() {
    label_->setText(text());
    label_->adjustSize();
}

void CVariableWindow::askValue() {
    CVariableBornee* v = bounded(variable_);
    if (!v) return;
    bool ok = false;
    double value =
        QInputDialog::getDouble(this, QStringLiteral("Valeur de la variable"),
                                QStringLiteral("Nouvelle valeur de %1 (entre %2 et %3) :")
                                    .arg(QString::fromStdString(v->getName()))
                                    .arg(v->minimum)
                                    .arg(v->maximum),
                                v->value, v->minimum, v->maximum, 6, &ok);
    if (ok && !setValue(value)) host().beep();
}
