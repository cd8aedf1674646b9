#pragma once
// The laboratory's instruments behind the table's uncertainty: one value per
// source of error, kept in the settings file (section [Uncertainty]) rather than
// in a tank file, since they describe the tape, the gauges and the level, not
// the tank. Each value of 0 switches its source off.
//
// One descriptor table holds every key with its default, bounds and the texts
// the settings dialog shows; the reader, the writer, the tool's --set and the
// printed budget all take them from there.

#include "ProfileFile.h"
#include "Settings.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace veloquin {

enum class UncertaintyKey
{
    TapeA0,
    TapeAPerM,
    TensionRelHalf,
    TemperatureRelHalf,
    CircReading,
    WeldEntry,
    WeldTableFracHalf,
    ThickBiasHalf,
    ThickGirdle,
    Paint,
    Plumb,
    HeightOuter,
    Overlap,
    Staff,
    CollimationArcsecHalf,
    CalibFill,
    CalibDensity,
    StoredDensityRelHalf,
    ElasticRel,
    DetailVolumeRel,
    DetailPosition,
    RoundingHalf,
    PlumbScatter,
    Count
};
constexpr int kUncertaintyKeyCount = static_cast<int>(UncertaintyKey::Count);

struct UncertaintyKeyDescriptor
{
    UncertaintyKey id;
    const char* key; // the name in the settings file and in --set
    double defaultValue;
    double minValue;
    double maxValue;
    const char* meaning; // what the value is, for the dialog and the printed budget
    const char* unit;    // "мм", "кг/м³", "″", "доля" ...
    const char* source;  // where the default comes from
};

constexpr const char* kUncertaintySection = "Uncertainty";

const UncertaintyKeyDescriptor& DescriptorOf(UncertaintyKey key);
const std::array<UncertaintyKeyDescriptor, kUncertaintyKeyCount>& UncertaintyKeyDescriptors();
// The key of a name as typed (ASCII case ignored), none for an unknown one.
std::optional<UncertaintyKey> UncertaintyKeyNamed(std::string_view name);

struct UncertaintySettings
{
    std::array<double, kUncertaintyKeyCount> values;

    UncertaintySettings(); // every default
    double operator[](UncertaintyKey key) const { return values[static_cast<std::size_t>(key)]; }
    double& operator[](UncertaintyKey key) { return values[static_cast<std::size_t>(key)]; }
    bool operator==(const UncertaintySettings& other) const { return values == other.values; }
    bool operator!=(const UncertaintySettings& other) const { return !(*this == other); }
};

// The key as the settings file keeps it: read and written by the rule of every
// other key (ReadSetting, WriteSetting).
SettingDescriptor UncertaintySetting(UncertaintyKey key);

// Whether a value is one the key takes (finite, within its bounds).
bool IsUncertaintyValue(UncertaintyKey key, double value);
// value itself, or ConvertError with the message the user sees.
double CheckedUncertaintyValue(UncertaintyKey key, double value);

// A missing, unreadable or out-of-bounds value gives the key's default.
UncertaintySettings ReadUncertaintySettings(const ProfileFile& file);
// Throws SettingsWriteError; the keys after a refused one are not written.
void WriteUncertaintySettings(ProfileFile& file, const UncertaintySettings& settings);

} // namespace veloquin
