// Reading and writing the preference record through any key-value store, with the defaults and
// the corrections applied on reading. Free of Qt so that the rules can be tested on a plain map.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/CPreferences.h"

class CPreferenceReader {
public:
    virtual ~CPreferenceReader() = default;
    // Empty when the key is missing or does not hold a number.
    virtual std::optional<int64_t> readInteger(const std::string& key) = 0;
    virtual std::optional<std::string> readText(const std::string& key) = 0;
};

class CPreferenceWriter {
public:
    virtual ~CPreferenceWriter() = default;
    virtual void writeInteger(const std::string& key, int64_t value) = 0;
    virtual void writeText(const std::string& key, const std::string& value) = 0;
};

// Every key takes its default when missing; out-of-range values are replaced silently.
void readPreferences(CPreferenceReader& store, CPreferences& prefs);
// Every key, in the order of the table of preferences.
void writePreferences(CPreferenceWriter& store, const CPreferences& prefs);

// The animation periods offered by the preferences, in the order of their list box.
const std::vector<int>& allowedAnimationPeriods();
bool isAllowedAnimationPeriod(int ms);
// Position of a period in the list box (0 for 0, 1 for 10, ..., period/100 + 5 from 100);
// -1 for a period outside the list.
int animationPeriodIndex(int ms);

// Bits of "ToolBars".
namespace toolbar_bits {
inline constexpr uint32_t files = 0x0001;
inline constexpr uint32_t modification = 0x0002;
inline constexpr uint32_t zoom = 0x0004;
inline constexpr uint32_t construction = 0x0008;
inline constexpr uint32_t lineStyles = 0x0010;
inline constexpr uint32_t colours = 0x0020;
inline constexpr uint32_t pointStyles = 0x0040;
inline constexpr uint32_t fillStyles = 0x0080;
inline constexpr uint32_t arrowStyles = 0x0100;
inline constexpr uint32_t statusBar = 0x0200;
inline constexpr uint32_t promptBar = 0x0400;
inline constexpr uint32_t segmentMarks = 0x0800;
inline constexpr uint32_t tests = 0x1000;
inline constexpr uint32_t all = 0x1FFF;
}  // namespace toolbar_bits

// A store in memory (tests, and the fallback when the settings cannot be opened).
class CMapPreferenceStore : public CPreferenceReader, public CPreferenceWriter {
public:
    std::optional<int64_t> readInteger(const std::string& key) override;
    std::optional<std::string> readText(const std::string& key) override;
    void writeInteger(const std::string& key, int64_t value) override;
    void writeText(const std::string& key, const std::string& value) override;

    std::map<std::string, std::string> values;
    // Keys in the order they were written (a key written twice appears twice).
    std::vector<std::string> writeOrder;
};
