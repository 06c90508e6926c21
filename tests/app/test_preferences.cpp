// Reading the preferences: the corrections of out-of-range values,
// and the round trip through a real settings store.
#include <gtest/gtest.h>

#include <QSettings>
#include <QTemporaryDir>

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

TEST(Preferences, OutOfRangeValuesAreCorrectedOnReading) {
    const struct {
        const char* key;
        const char* stored;
        int CPreferences::*field;
        int expected;
    } cases[] = {{"LocusPointsNumber", "4", &CPreferences::locusPointsNumber, 100},
                 {"LocusPointsNumber", "5", &CPreferences::locusPointsNumber, 5},
                 {"LocusPointsNumber", "2000000", &CPreferences::locusPointsNumber, 100},
                 {"PointsNumber", "2", &CPreferences::pointsNumber, 50},
                 {"PointsNumber", "3", &CPreferences::pointsNumber, 3},
                 {"AnimationFrequency", "150", &CPreferences::animationFrequency, 100},
                 {"AnimationFrequency", "1100", &CPreferences::animationFrequency, 100},
                 {"AnimationFrequency", "abc", &CPreferences::animationFrequency, 100}};
    for (const auto& c : cases)
        EXPECT_EQ(readFrom({{c.key, c.stored}}).*(c.field), c.expected) << c.key << "=" << c.stored;
}

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
    p.background = RGB(1, 2, 3);
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
    EXPECT_EQ(back.background, RGB(1, 2, 3));
    EXPECT_FALSE(back.smoothDrawing);
    // The underline flag survives the double write of its key.
    EXPECT_EQ(back.nameFont, p.nameFont);
    EXPECT_EQ(back.textFont, p.textFont);
}

TEST(Settings, LoadingCorrectsAndRebuildsThePensAndAnEmptyStoreGivesTheDefaults) {
    QTemporaryDir dir;
    CPreferences saved = preferences();
    {
        QSettings s(dir.filePath("k.ini"), QSettings::IniFormat);
        s.setValue("Preferences/LocusPointsNumber", 4);
        s.setValue("Preferences/LineEnforcement", 0);
        loadPreferences(s);
    }
    EXPECT_EQ(preferences().locusPointsNumber, 100);
    EXPECT_EQ(CPalette::pen(0, 1).width, 1);
    {
        QSettings s(dir.filePath("empty.ini"), QSettings::IniFormat);
        loadPreferences(s);
    }
    EXPECT_EQ(CPalette::pen(0, 1).width, 6);
    EXPECT_EQ(preferences().toolBars, 8191u);
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
