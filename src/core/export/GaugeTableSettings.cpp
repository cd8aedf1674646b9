#include "export/GaugeTableSettings.h"

#include <string>

namespace veloquin {
namespace {

constexpr const char* kSection = "GaugeTable";
constexpr const char* kLevelUnitKey = "LevelUnit";
constexpr const char* kVolumeUnitKey = "VolumeUnit";
// "." or ","; empty for the program's separator.
constexpr const char* kSeparatorKey = "DecimalSeparator";
constexpr const char* kTouchPointRowKey = "TouchPointRow";

} // namespace

GaugeTableLayout ReadGaugeTableLayout(const ProfileFile& file)
{
    GaugeTableLayout layout;
    const GaugeTableLayout defaults;
    layout.levelUnit = GaugeLevelUnitNamed(file.ReadString(kSection, kLevelUnitKey, InfoOf(defaults.levelUnit).name))
                           .value_or(defaults.levelUnit);
    layout.volumeUnit =
        GaugeVolumeUnitNamed(file.ReadString(kSection, kVolumeUnitKey, InfoOf(defaults.volumeUnit).name))
            .value_or(defaults.volumeUnit);
    const std::string separator = file.ReadString(kSection, kSeparatorKey, "");
    if (separator == "." || separator == ",")
        layout.decimalSeparator = separator[0];
    layout.touchPointRow = file.ReadBool(kSection, kTouchPointRowKey, defaults.touchPointRow);
    return layout;
}

void WriteGaugeTableLayout(ProfileFile& file, const GaugeTableLayout& layout)
{
    file.WriteString(kSection, kLevelUnitKey, InfoOf(layout.levelUnit).name);
    file.WriteString(kSection, kVolumeUnitKey, InfoOf(layout.volumeUnit).name);
    file.WriteString(kSection, kSeparatorKey,
                     layout.decimalSeparator ? std::string(1, *layout.decimalSeparator) : std::string());
    file.WriteBool(kSection, kTouchPointRowKey, layout.touchPointRow);
}

} // namespace veloquin
