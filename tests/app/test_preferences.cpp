// Reading the preferences: defaults for missing keys, the corrections of out-of-range values,
// and the round trip through a real settings store.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QRadioButton>
#include <QSettings>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>

#include "app/CPreferencesDialog.h"
#include "app/PreferencesIO.h"
#include "app/Settings.h"
#include "core/CPalette.h"

namespace {
CPreferences readFrom(std::map<std::string, std::string> values) {
    CMapPreferenceStore store;
    store.values = std::move(values);
    CPreferences p;
    p.pointsNumber = -1;  // proves that every field is read
    readPreferences(store, p);
    return p;
}
}  // namespace

TEST(Preferences, EmptyStoreGivesEveryDefault) {
    CPreferences p = readFrom({});
    EXPECT_FALSE(p.lowGradeMode);
    EXPECT_EQ(p.unity, 1);
    EXPECT_EQ(p.pointsNumber, 50);
    EXPECT_EQ(p.animationNumberPoints, 50);
    EXPECT_EQ(p.locusPointsNumber, 100);
    EXPECT_EQ(p.animationFrequency, 100);
    EXPECT_TRUE(p.cyclicAnimation);
    EXPECT_TRUE(p.pointDigitalSeparator);
    EXPECT_FALSE(p.displaysTranslation);
    EXPECT_EQ(p.background, 0xFFFFFFu);
    EXPECT_TRUE(p.visualCreation);
    EXPECT_TRUE(p.lineEnforcement);
    EXPECT_FALSE(p.informationOnMacroError);
    EXPECT_TRUE(p.beepOnMacroError);
    EXPECT_EQ(p.toolBars, 8191u);  // all 13 bars visible
    EXPECT_FALSE(p.nameAuto);
    EXPECT_TRUE(p.intelligentIntersections);
    EXPECT_TRUE(p.smoothDrawing);
    EXPECT_EQ(p.textFont.height, 19);
    EXPECT_EQ(p.textFont.faceName, "Times New Roman");
}

struct Correction {
    const char* key;
    const char* stored;
    int CPreferences::*field;
    int expected;
};

class PreferenceCorrection : public ::testing::TestWithParam<Correction> {};

TEST_P(PreferenceCorrection, IsAppliedOnReading) {
    const Correction& c = GetParam();
    CPreferences p = readFrom({{c.key, c.stored}});
    EXPECT_EQ(p.*(c.field), c.expected) << c.key << " = " << c.stored;
}

INSTANTIATE_TEST_SUITE_P(
    Table, PreferenceCorrection,
    ::testing::Values(
        Correction{"LocusPointsNumber", "4", &CPreferences::locusPointsNumber, 100},
        Correction{"LocusPointsNumber", "5", &CPreferences::locusPointsNumber, 5},
        Correction{"LocusPointsNumber", "2000", &CPreferences::locusPointsNumber, 2000},
        Correction{"LocusPointsNumber", "2000000", &CPreferences::locusPointsNumber, 100},
        Correction{"PointsNumber", "2", &CPreferences::pointsNumber, 50},
        Correction{"PointsNumber", "3", &CPreferences::pointsNumber, 3},
        Correction{"PointsNumber", "-7", &CPreferences::pointsNumber, 50},
        Correction{"AnimationNumberPoints", "2", &CPreferences::animationNumberPoints, 50},
        Correction{"AnimationNumberPoints", "300", &CPreferences::animationNumberPoints, 300},
        Correction{"AnimationFrequency", "150", &CPreferences::animationFrequency, 100},
        Correction{"AnimationFrequency", "0", &CPreferences::animationFrequency, 0},
        Correction{"AnimationFrequency", "1000", &CPreferences::animationFrequency, 1000},
        Correction{"AnimationFrequency", "5", &CPreferences::animationFrequency, 5},
        Correction{"AnimationFrequency", "1100", &CPreferences::animationFrequency, 100},
        Correction{"AnimationFrequency", "abc", &CPreferences::animationFrequency, 100},
        Correction{"Unity", "0", &CPreferences::unity, 0}));

TEST(Preferences, LowGradeModeForcesDegreesAndFlagsAreTrueWhenNonZero) {
    CPreferences p = readFrom(
        {{"LowGradeMode", "1"}, {"Unity", "0"}, {"NameAuto", "7"}, {"CyclicAnimation", "0"}});
    EXPECT_TRUE(p.lowGradeMode);
    EXPECT_EQ(p.unity, 1);
    EXPECT_TRUE(p.nameAuto);
    EXPECT_FALSE(p.cyclicAnimation);
}

TEST(Preferences, WrittenInTheOrderOfTheTableAndReadBack) {
    CPreferences p;
    p.lowGradeMode = false;
    p.unity = 0;
    p.locusPointsNumber = 321;
    p.animationFrequency = 20;
    p.background = RGB(1, 2, 3);
    p.toolBars = 0x155;
    p.nameFont.faceName = "DejaVu Sans";
    p.nameFont.underline = 1;
    p.textFont.strikeOut = 1;
    p.smoothDrawing = false;
    CMapPreferenceStore store;
    writePreferences(store, p);
    ASSERT_GE(store.writeOrder.size(), 17u);
    EXPECT_EQ(store.writeOrder[0], "LowGradeMode");
    EXPECT_EQ(store.writeOrder[16], "IntelligentIntersections");
    // The program's own key follows the keys of the table.
    EXPECT_EQ(store.writeOrder.end()[-2], "NamelfFaceName");
    EXPECT_EQ(store.writeOrder.back(), "SmoothDrawing");
    EXPECT_EQ(std::count(store.writeOrder.begin(), store.writeOrder.end(), "TextlfUnderline"), 2);

    CPreferences back;
    readPreferences(store, back);
    EXPECT_EQ(back.unity, 0);
    EXPECT_EQ(back.locusPointsNumber, 321);
    EXPECT_EQ(back.animationFrequency, 20);
    EXPECT_EQ(back.background, RGB(1, 2, 3));
    EXPECT_EQ(back.toolBars, 0x155u);
    EXPECT_FALSE(back.smoothDrawing);
    // The underline flag survives the double write of its key.
    EXPECT_EQ(back.nameFont, p.nameFont);
    EXPECT_EQ(back.textFont, p.textFont);
}

TEST(Preferences, AnimationPeriodPositionsInTheListBox) {
    EXPECT_EQ(animationPeriodIndex(0), 0);
    EXPECT_EQ(animationPeriodIndex(10), 1);
    EXPECT_EQ(animationPeriodIndex(50), 5);
    EXPECT_EQ(animationPeriodIndex(100), 6);
    EXPECT_EQ(animationPeriodIndex(1000), 15);
    EXPECT_EQ(animationPeriodIndex(150), -1);
    EXPECT_EQ(allowedAnimationPeriods().size(), 18u);
}

TEST(Settings, RoundTripCorrectionsPensAndDefaultsOfAnEmptyStore) {
    QTemporaryDir dir;
    const QString file = dir.filePath("Korvendal32.ini");
    CPreferences saved = preferences();
    {
        QSettings s(file, QSettings::IniFormat);
        s.setValue("Preferences/LocusPointsNumber", 4);
        s.setValue("Preferences/PointsNumber", "garbage");
        s.setValue("Preferences/LineEnforcement", 0);
        loadPreferences(s);
    }
    EXPECT_EQ(preferences().locusPointsNumber, 100);
    EXPECT_EQ(preferences().pointsNumber, 50);
    EXPECT_EQ(CPalette::pen(0, 1).width, 1) << "loading rebuilds the pens";
    preferences().locusPointsNumber = 250;
    {
        QSettings s(file, QSettings::IniFormat);
        savePreferences(s);
    }
    preferences().locusPointsNumber = 7;
    preferences().toolBars = 3;
    {
        QSettings s(file, QSettings::IniFormat);
        loadPreferences(s);
        EXPECT_EQ(s.value("Preferences/LocusPointsNumber").toInt(), 250);
    }
    EXPECT_EQ(preferences().locusPointsNumber, 250);
    {
        QSettings s(dir.filePath("empty.ini"), QSettings::IniFormat);
        loadPreferences(s);
    }
    EXPECT_EQ(CPalette::pen(0, 1).width, 6);
    EXPECT_EQ(preferences().toolBars, 8191u) << "an empty store gives the defaults";
    EXPECT_EQ(preferences().locusPointsNumber, 100);
    preferences() = saved;
    CPalette::rebuildPens();
}

TEST(Settings, FourMostRecentFilesWithoutDuplicates) {
    QStringList files;
    for (const char* f : {"/a.qvf", "/b.qvf", "/c.qvf", "/d.qvf", "/e.qvf", "/c.qvf"})
        files = withRecentFile(files, f);
    EXPECT_EQ(files, (QStringList{"/c.qvf", "/e.qvf", "/d.qvf", "/b.qvf"}));
    QTemporaryDir dir;
    QSettings s(dir.filePath("recent.ini"), QSettings::IniFormat);
    saveRecentFiles(s, files);
    EXPECT_EQ(loadRecentFiles(s), files);
    saveRecentFiles(s, {"/x.qvf"});
    EXPECT_EQ(loadRecentFiles(s), QStringList{"/x.qvf"});
}

TEST(PreferencesDialog, PagesAllInSightAndResult) {
    CPreferences p;
    p.unity = 0;
    p.animationFrequency = 5;  // valid, though not offered by the list
    CPreferencesDialog dialog(p);
    dialog.show();
    QTabBar* bar = dialog.pages()->tabBar();
    for (int i = 0; i < bar->count(); ++i)
        EXPECT_TRUE(bar->rect().contains(bar->tabRect(i)))
            << "in sight: " << qPrintable(bar->tabText(i));
    QStringList pages;
    for (int i = 0; i < dialog.pages()->count(); ++i) pages << dialog.pages()->tabText(i);
    EXPECT_EQ(pages,
              (QStringList{"Niveau", "Unité d'angle", "Lieux de points", "Animation", "Trace",
                           "Décalage", "Polices", "Séparateur décimal", "Macros", "Dessin"}));
    EXPECT_EQ(dialog.windowTitle(), "Choix des préférences par défaut");
    CPreferences r = dialog.result();
    EXPECT_EQ(r.unity, 0);
    EXPECT_EQ(r.animationFrequency, 5);
    EXPECT_TRUE(r.smoothDrawing);
    dialog.smoothing()->setChecked(false);
    EXPECT_FALSE(dialog.result().smoothDrawing);
    // "Collège" forces degrees.
    QRadioButton* college = nullptr;
    for (QRadioButton* b : dialog.findChildren<QRadioButton*>())
        if (b->text() == "Collège") college = b;
    ASSERT_NE(college, nullptr);
    college->setChecked(true);
    r = dialog.result();
    EXPECT_TRUE(r.lowGradeMode);
    EXPECT_EQ(r.unity, 1);
}
