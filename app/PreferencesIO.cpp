#include "app/PreferencesIO.h"

#include <algorithm>

namespace {
// Traces, animations and loci are sampled this many times at most; a larger stored value
// (a damaged store) would freeze the program while a locus is computed.
constexpr int kMaxPoints = 2000;

int readInt(CPreferenceReader& store, const std::string& key, int fallback) {
    std::optional<int64_t> v = store.readInteger(key);
    if (!v || *v < INT32_MIN || *v > INT32_MAX) return fallback;
    return static_cast<int>(*v);
}

bool readFlag(CPreferenceReader& store, const std::string& key, bool fallback) {
    std::optional<int64_t> v = store.readInteger(key);
    return v ? *v != 0 : fallback;
}

int readCount(CPreferenceReader& store, const std::string& key, int minimum, int fallback) {
    int v = readInt(store, key, fallback);
    return (v < minimum || v > kMaxPoints) ? fallback : v;
}

void readFont(CPreferenceReader& store, const std::string& prefix, CLogFont& f) {
    const CLogFont d;
    f.escapement = readInt(store, prefix + "Escapement", d.escapement);
    f.italic = readInt(store, prefix + "Italic", d.italic);
    f.underline = readInt(store, prefix + "Underline", d.underline);
    f.strikeOut = readInt(store, prefix + "StrikeOut", d.strikeOut);
    f.weight = readInt(store, prefix + "Weight", d.weight);
    f.charSet = readInt(store, prefix + "CharSet", d.charSet);
    f.height = readInt(store, prefix + "Height", d.height);
    f.width = readInt(store, prefix + "Width", d.width);
    f.pitchAndFamily = readInt(store, prefix + "PitchAndFamily", d.pitchAndFamily);
    std::optional<std::string> face = store.readText(prefix + "FaceName");
    f.faceName = (face && !face->empty()) ? *face : d.faceName;
}

void writeFont(CPreferenceWriter& store, const std::string& prefix, const CLogFont& f) {
    store.writeInteger(prefix + "Escapement", f.escapement);
    store.writeInteger(prefix + "Italic", f.italic);
    // The key is written twice, as the store has always held it; both writes carry the
    // underline flag so that the second one cannot lose it.
    store.writeInteger(prefix + "Underline", f.underline);
    store.writeInteger(prefix + "Underline", f.underline);
    store.writeInteger(prefix + "StrikeOut", f.strikeOut);
    store.writeInteger(prefix + "Weight", f.weight);
    store.writeInteger(prefix + "CharSet", f.charSet);
    store.writeInteger(prefix + "Height", f.height);
    store.writeInteger(prefix + "Width", f.width);
    store.writeInteger(prefix + "PitchAndFamily", f.pitchAndFamily);
    store.writeText(prefix + "FaceName", f.faceName);
}
}  // namespace

const std::vector<int>& allowedAnimationPeriods() {
    static const std::vector<int> periods = {0,   1,   5,   10,  20,  30,  40,  50,  100,
                                             200, 300, 400, 500, 600, 700, 800, 900, 1000};
    return periods;
}

bool isAllowedAnimationPeriod(int ms) {
    const std::vector<int>& p = allowedAnimationPeriods();
    return std::find(p.begin(), p.end(), ms) != p.end();
}

int animationPeriodIndex(int ms) {
    if (!isAllowedAnimationPeriod(ms) || ms == 1 || ms == 5) return -1;
    if (ms >= 100) return ms / 100 + 5;
    return ms / 10;
}

void readPreferences(CPreferenceReader& store, CPreferences& prefs) {
    const CPreferences d;
    prefs.lowGradeMode = readFlag(store, "LowGradeMode", d.lowGradeMode);
    prefs.unity = prefs.lowGradeMode ? 1 : readInt(store, "Unity", d.unity);
    prefs.pointsNumber = readCount(store, "PointsNumber", 3, d.pointsNumber);
    prefs.animationNumberPoints =
        readCount(store, "AnimationNumberPoints", 3, d.animationNumberPoints);
    prefs.locusPointsNumber = readCount(store, "LocusPointsNumber", 5, d.locusPointsNumber);
    int frequency = readInt(store, "AnimationFrequency", d.animationFrequency);
    prefs.animationFrequency =
        isAllowedAnimationPeriod(frequency) ? frequency : d.animationFrequency;
    prefs.cyclicAnimation = readFlag(store, "CyclicAnimation", d.cyclicAnimation);
    prefs.pointDigitalSeparator = readFlag(store, "PointDigitalSeparator", d.pointDigitalSeparator);
    prefs.displaysTranslation = readFlag(store, "DisplaysTranslation", d.displaysTranslation);
    prefs.background =
        static_cast<COLORREF>(readInt(store, "Background", static_cast<int>(d.background))) &
        0xFFFFFF;
    prefs.visualCreation = readFlag(store, "VisualCreation", d.visualCreation);
    prefs.lineEnforcement = readFlag(store, "LineEnforcement", d.lineEnforcement);
    prefs.informationOnMacroError =
        readFlag(store, "InformationOnMacroError", d.informationOnMacroError);
    prefs.beepOnMacroError = readFlag(store, "BeepOnMacroError", d.beepOnMacroError);
    std::optional<int64_t> bars = store.readInteger("ToolBars");
    prefs.toolBars = bars ? static_cast<uint32_t>(*bars) : d.toolBars;
    prefs.nameAuto = readFlag(store, "NameAuto", d.nameAuto);
    prefs.intelligentIntersections =
        readFlag(store, "IntelligentIntersections", d.intelligentIntersections);
    readFont(store, "Textlf", prefs.textFont);
    readFont(store, "Namelf", prefs.nameFont);
    prefs.smoothDrawing = readFlag(store, "SmoothDrawing", d.smoothDrawing);
}

void writePreferences(CPreferenceWriter& store, const CPreferences& prefs) {
    store.writeInteger("LowGradeMode", prefs.lowGradeMode);
    store.writeInteger("Unity", prefs.unity);
    store.writeInteger("PointsNumber", prefs.pointsNumber);
    store.writeInteger("AnimationNumberPoints", prefs.animationNumberPoints);
    store.writeInteger("LocusPointsNumber", prefs.locusPointsNumber);
    store.writeInteger("AnimationFrequency", prefs.animationFrequency);
    store.writeInteger("CyclicAnimation", prefs.cyclicAnimation);
    store.writeInteger("PointDigitalSeparator", prefs.pointDigitalSeparator);
    store.writeInteger("DisplaysTranslation", prefs.displaysTranslation);
    store.writeInteger("Background", prefs.background);
    store.writeInteger("VisualCreation", prefs.visualCreation);
    store.writeInteger("LineEnforcement", prefs.lineEnforcement);
    store.writeInteger("InformationOnMacroError", prefs.informationOnMacroError);
    store.writeInteger("BeepOnMacroError", prefs.beepOnMacroError);
    store.writeInteger("ToolBars", prefs.toolBars);
    store.writeInteger("NameAuto", prefs.nameAuto);
    store.writeInteger("IntelligentIntersections", prefs.intelligentIntersections);
    writeFont(store, "Textlf", prefs.textFont);
    writeFont(store, "Namelf", prefs.nameFont);
    store.writeInteger("SmoothDrawing", prefs.smoothDrawing);
}

std::optional<int64_t> CMapPreferenceStore::readInteger(const std::string& key) {
    auto it = values.find(key);
    if (it == values.end()) return std::nullopt;
    try {
        size_t used = 0;
        long long v = std::stoll(it->second, &used, 0);
        if (used != it->second.size()) return std::nullopt;
        return v;
    } catch (...) {
        return std::nullopt;
    }
}

std::optional<std::string> CMapPreferenceStore::readText(const std::string& key) {
    auto it = values.find(key);
    if (it == values.end()) return std::nullopt;
    return it->second;
}

void CMapPreferenceStore::writeInteger(const std::string& key, int64_t value) {
    values[key] = std::to_string(value);
    writeOrder.push_back(key);
}

void CMapPreferenceStore::writeText(const std::string& key, const std::string& value) {
    values[key] = value;
    writeOrder.push_back(key);
}
