// The preferences dialog "Choix des préférences par défaut": one page per group of
// preferences; the record is changed only when the dialog is confirmed.
#pragma once

#include <QDialog>

#include "core/CPreferences.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;
class QSpinBox;
class QTabWidget;

class CPreferencesDialog : public QDialog {
    Q_OBJECT
public:
    CPreferencesDialog(const CPreferences& prefs, QWidget* parent = nullptr);
    // The preferences as edited.
    CPreferences result() const;
    QTabWidget* pages() const { return tabs_; }
    QCheckBox* smoothing() const { return smooth_; }

private:
    void chooseFont(CLogFont& font, QLabel* sample);
    static QString fontText(const CLogFont& f);

    CPreferences prefs_;
    QTabWidget* tabs_;
    QCheckBox* smooth_;
    QRadioButton* college_;
    QRadioButton* lycee_;
    QRadioButton* radian_;
    QRadioButton* degree_;
    QSpinBox* locusPoints_;
    QSpinBox* animationPoints_;
    QComboBox* frequency_;
    QCheckBox* cyclic_;
    QSpinBox* tracePoints_;
    QCheckBox* translation_;
    QLabel* nameSample_;
    QLabel* textSample_;
    QRadioButton* point_;
    QRadioButton* comma_;
    QCheckBox* macroMessage_;
    QCheckBox* macroBeep_;
};
