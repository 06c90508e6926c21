#include "app/CPreferencesDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>
#include <cstdlib>

#include "app/PreferencesIO.h"

namespace {
QWidget* page(QTabWidget* tabs, const QString& title, QVBoxLayout** layout) {
    auto* w = new QWidget(tabs);
    *layout = new QVBoxLayout(w);
    tabs->addTab(w, title);
    return w;
}

QSpinBox* countBox(int value) {
    auto* box = new QSpinBox;
    box->setRange(2, 2000);
    box->setValue(value);
    return box;
}

// The animation periods of the list box (positions 0 to 15).
int periodAt(int index) {
    return index <= 5 ? index * 10 : (index - 5) * 100;
}

QFont toQFont(const CLogFont& f) {
    QFont q(QString::fromStdString(f.faceName));
    q.setPixelSize(std::max(6, std::abs(f.height)));
    q.setWeight(static_cast<QFont::Weight>(std::clamp(f.weight == 0 ? 400 : f.weight, 100, 900)));
    q.setItalic(f.italic != 0);
    q.setUnderline(f.underline != 0);
    q.setStrikeOut(f.strikeOut != 0);
    return q;
}
}  // namespace

CPreferencesDialog::CPreferencesDialog(const CPreferences& prefs, QWidget* parent)
    : QDialog(parent), prefs_(prefs) {
    setWindowTitle(QStringLiteral("Choix des préférences par défaut"));
    auto* outer = new QVBoxLayout(this);
    tabs_ = new QTabWidget(this);
    // Every page title stays in view: the dialog is as wide as its row of tabs.
    tabs_->setUsesScrollButtons(false);
    outer->addWidget(tabs_);
    QVBoxLayout* l;

    page(tabs_, QStringLiteral("Niveau"), &l);
    college_ = new QRadioButton(QStringLiteral("Collège"));
    lycee_ = new QRadioButton(QStringLiteral("Lycée"));
    (prefs.lowGradeMode ? college_ : lycee_)->setChecked(true);
    l->addWidget(college_);
    l->addWidget(lycee_);
    l->addWidget(new QLabel(QStringLiteral("En mode Collège, les angles sont en degrés.")));
    l->addStretch();

    page(tabs_, QStringLiteral("Unité d'angle"), &l);
    radian_ = new QRadioButton(QStringLiteral("Radian"));
    degree_ = new QRadioButton(QStringLiteral("Degré"));
    (prefs.unity == 0 ? radian_ : degree_)->setChecked(true);
    l->addWidget(radian_);
    l->addWidget(degree_);
    l->addStretch();
    auto syncUnit = [this] {
        radian_->setEnabled(!college_->isChecked());
        if (college_->isChecked()) degree_->setChecked(true);
    };
    connect(college_, &QRadioButton::toggled, this, syncUnit);
    syncUnit();

    page(tabs_, QStringLiteral("Lieux de points"), &l);
    {
        auto* form = new QFormLayout;
        locusPoints_ = countBox(prefs.locusPointsNumber);
        form->addRow(QStringLiteral("Nombre de points des nouveaux lieux :"), locusPoints_);
        l->addLayout(form);
        l->addStretch();
    }

    page(tabs_, QStringLiteral("Animation"), &l);
    {
        auto* form = new QFormLayout;
        animationPoints_ = countBox(prefs.animationNumberPoints);
        form->addRow(QStringLiteral("Nombre de positions :"), animationPoints_);
        frequency_ = new QComboBox;
        for (int i = 0; i <= 15; ++i)
            frequency_->addItem(QStringLiteral("%1 ms").arg(periodAt(i)), periodAt(i));
        int index = animationPeriodIndex(prefs.animationFrequency);
        if (index < 0) {
            // 1 and 5 ms are valid but not offered: shown as they are, kept unless changed.
            frequency_->insertItem(1, QStringLiteral("%1 ms").arg(prefs.animationFrequency),
                                   prefs.animationFrequency);
            index = 1;
        }
        frequency_->setCurrentIndex(index);
        form->addRow(QStringLiteral("Période entre deux positions :"), frequency_);
        cyclic_ = new QCheckBox(QStringLiteral("Animation cyclique"));
        cyclic_->setChecked(prefs.cyclicAnimation);
        form->addRow(cyclic_);
        l->addLayout(form);
        l->addStretch();
    }

    page(tabs_, QStringLiteral("Trace"), &l);
    {
        auto* form = new QFormLayout;
        tracePoints_ = countBox(prefs.pointsNumber);
        form->addRow(QStringLiteral("Nombre de points des traces automatiques :"), tracePoints_);
        l->addLayout(form);
        l->addStretch();
    }

    page(tabs_, QStringLiteral("Décalage"), &l);
    translation_ = new QCheckBox(
        QStringLiteral("Décaler aussi les affichages libres quand la figure est translatée"));
    translation_->setChecked(prefs.displaysTranslation);
    l->addWidget(translation_);
    l->addStretch();

    page(tabs_, QStringLiteral("Polices"), &l);
    {
        auto* form = new QFormLayout;
        nameSample_ = new QLabel(fontText(prefs_.nameFont));
        textSample_ = new QLabel(fontText(prefs_.textFont));
        auto* nameButton = new QPushButton(QStringLiteral("Police des noms..."));
        auto* textButton = new QPushButton(QStringLiteral("Police des textes..."));
        connect(nameButton, &QPushButton::clicked, this,
                [this] { chooseFont(prefs_.nameFont, nameSample_); });
        connect(textButton, &QPushButton::clicked, this,
                [this] { chooseFont(prefs_.textFont, textSample_); });
        form->addRow(nameButton, nameSample_);
        form->addRow(textButton, textSample_);
        l->addLayout(form);
        l->addStretch();
    }

    page(tabs_, QStringLiteral("Séparateur décimal"), &l);
    point_ = new QRadioButton(QStringLiteral("Point décimal"));
    comma_ = new QRadioButton(QStringLiteral("Virgule"));
    (prefs.pointDigitalSeparator ? point_ : comma_)->setChecked(true);
    l->addWidget(point_);
    l->addWidget(comma_);
    l->addStretch();

    page(tabs_, QStringLiteral("Macros"), &l);
    macroMessage_ = new QCheckBox(QStringLiteral("Afficher un message d'erreur"));
    macroMessage_->setChecked(prefs.informationOnMacroError);
    macroBeep_ = new QCheckBox(QStringLiteral("Emettre un beep sonore"));
    macroBeep_->setChecked(prefs.beepOnMacroError);
    l->addWidget(macroMessage_);
    l->addWidget(macroBeep_);
    l->addStretch();

    page(tabs_, QStringLiteral("Dessin"), &l);
    smooth_ = new QCheckBox(QStringLiteral("Lisser les traits et les courbes"));
    smooth_->setChecked(prefs.smoothDrawing);
    l->addWidget(smooth_);
    l->addWidget(new QLabel(
        QStringLiteral("Sans lissage, la figure est dessinée au pixel près, comme auparavant.")));
    l->addStretch();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annuler"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    outer->addWidget(buttons);
}

QString CPreferencesDialog::fontText(const CLogFont& f) {
    return QStringLiteral("%1, %2 px%3")
        .arg(QString::fromStdString(f.faceName))
        .arg(std::abs(f.height))
        .arg(f.weight >= 700 ? QStringLiteral(", gras") : QString());
}

void CPreferencesDialog::chooseFont(CLogFont& font, QLabel* sample) {
    bool ok = false;
    QFont chosen = QFontDialog::getFont(&ok, toQFont(font), this, QStringLiteral("Police"));
    if (!ok) return;
    font.faceName = chosen.family().toStdString();
    int px = chosen.pixelSize() > 0 ? chosen.pixelSize()
                                    : static_cast<int>(chosen.pointSizeF() * 96.0 / 72.0 + 0.5);
    font.height = px;
    font.weight = chosen.weight();
    font.italic = chosen.italic();
    font.underline = chosen.underline();
    font.strikeOut = chosen.strikeOut();
    sample->setText(fontText(font));
}

CPreferences CPreferencesDialog::result() const {
    CPreferences p = prefs_;
    p.lowGradeMode = college_->isChecked();
    p.unity = (p.lowGradeMode || degree_->isChecked()) ? 1 : 0;
    p.locusPointsNumber = locusPoints_->value();
    p.animationNumberPoints = animationPoints_->value();
    p.animationFrequency = frequency_->currentData().toInt();
    p.cyclicAnimation = cyclic_->isChecked();
    p.pointsNumber = tracePoints_->value();
    p.displaysTranslation = translation_->isChecked();
    p.pointDigitalSeparator = point_->isChecked();
    p.informationOnMacroError = macroMessage_->isChecked();
    p.beepOnMacroError = macroBeep_->isChecked();
    p.smoothDrawing = smooth_->isChecked();
    return p;
}
