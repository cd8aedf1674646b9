// libFuzzer target of the settings file reader: any text in Veloquin.ini must
// read without a crash, every setting at its value or its default, and a write
// must read back as written while every other setting keeps the value it had;
// a recent file of any name, blanks and line breaks included, reads back as it was.
// Every key of the settings table and of the uncertainty table is read, and
// reads within its bounds.

#include "ProfileFile.h"
#include "RecentFiles.h"
#include "Settings.h"
#include "uncertainty/UncertaintySettings.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace {

using namespace veloquin;

struct Key
{
    const char* section;
    const char* name;
};

// Every key the program reads, from the tables, and two spellings it must treat as the same.
std::vector<SettingDescriptor> EveryTableKey()
{
    std::vector<SettingDescriptor> keys;
    for (int k = 0; k < kSettingKeyCount; ++k)
        keys.push_back(DescriptorOf(static_cast<SettingKey>(k)));
    for (int k = 0; k < kUncertaintyKeyCount; ++k)
        keys.push_back(UncertaintySetting(static_cast<UncertaintyKey>(k)));
    return keys;
}

const std::vector<Key>& Keys()
{
    static const std::vector<Key> keys = [] {
        std::vector<Key> all;
        for (const SettingDescriptor& d : EveryTableKey())
            all.push_back({d.section, d.key});
        for (const char* recent : {"File1", "File8"})
            all.push_back({"RecentFiles", recent});
        all.push_back({"windowstate", "MAXIMIZED"});
        all.push_back({"UNCERTAINTY", "Plumb"});
        return all;
    }();
    return keys;
}

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

bool SameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
}

bool SameKey(const Key& a, const Key& b)
{
    return SameName(a.section, b.section) && SameName(a.name, b.name);
}

std::string Expected(std::string_view value)
{
    std::string out(value);
    for (char& c : out)
        if (c == '\r' || c == '\n')
            c = ' ';
    const std::size_t first = out.find_first_not_of(" \t");
    if (first == std::string::npos)
        return "";
    return out.substr(first, out.find_last_not_of(" \t") - first + 1);
}

// The text layer: a key written reads back, and no other key changes. Which key
// is written comes from the input, so that each run stays quick.
void CheckTextLayer(std::string_view text, std::string_view value)
{
    const std::vector<Key>& keys = Keys();
    std::vector<std::optional<std::string>> before(keys.size());
    for (std::size_t k = 0; k < keys.size(); ++k)
        before[k] = ProfileValue(text, keys[k].section, keys[k].name);

    const Key& written = keys[std::hash<std::string_view>{}(text) % keys.size()];
    const std::string after = WithProfileValue(text, written.section, written.name, value);
    Require(ProfileValue(after, written.section, written.name) == Expected(value));
    for (std::size_t k = 0; k < keys.size(); ++k)
        if (!SameKey(keys[k], written))
            Require(ProfileValue(after, keys[k].section, keys[k].name) == before[k]);
}

// The same through a file, as the program reads and writes it.
void CheckFile(std::string_view text, std::string_view value)
{
    // In memory where the system offers it: every write is flushed to the device.
    struct Folder
    {
        Folder()
        {
            std::error_code ec;
            const std::filesystem::path base =
                std::filesystem::is_directory("/dev/shm", ec) ? "/dev/shm" : std::filesystem::temp_directory_path();
            path = base / ("veloquin-settings-fuzz-" + std::to_string(::getpid()));
            std::filesystem::create_directories(path);
        }
        ~Folder()
        {
            std::error_code ec;
            std::filesystem::remove_all(path, ec);
        }
        std::filesystem::path path;
    };
    static const Folder folder;
    static const std::string path = (folder.path / "Veloquin.ini").string();
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(text.data(), static_cast<std::streamsize>(text.size()));

    ProfileFile file(path);
    // Every key reads within its bounds, whatever the text.
    static const std::vector<SettingDescriptor> tableKeys = EveryTableKey();
    for (const SettingDescriptor& key : tableKeys)
        Require(IsSettingValue(key, ReadSetting(file, key)));
    const UncertaintySettings uncertainty = ReadUncertaintySettings(file);
    const double collate = ReadSetting(file, SettingKey::PrintCollate);
    const std::vector<std::string> recent = ReadRecentFiles(file);
    const MainWindowSettings window = ReadMainWindowSettings(file);
    const PrinterCalibration printer = ReadPrinterCalibration(file);
    InspectorSettings inspector = ReadInspectorSettings(file);
    inspector.topPx += 1;
    inspector.col1WidthPx = -inspector.col1WidthPx;
    WriteInspectorSettings(file, inspector);

    const InspectorSettings reread = ReadInspectorSettings(file);
    Require(reread.topPx == inspector.topPx && reread.leftPx == inspector.leftPx &&
            reread.widthPx == inspector.widthPx && reread.heightPx == inspector.heightPx &&
            reread.col1WidthPx == inspector.col1WidthPx);
    const MainWindowSettings windowAfter = ReadMainWindowSettings(file);
    Require(windowAfter.maximized == window.maximized && windowAfter.widthPx == window.widthPx &&
            windowAfter.heightPx == window.heightPx && windowAfter.topPx == window.topPx &&
            windowAfter.leftPx == window.leftPx);
    const PrinterCalibration printerAfter = ReadPrinterCalibration(file);
    Require(std::memcmp(&printer, &printerAfter, sizeof printer) == 0);
    Require(ReadRecentFiles(file) == recent);
    Require(ReadSetting(file, SettingKey::PrintCollate) == collate);

    // One uncertainty value, chosen by the input, written at a point of its range
    // the input gives: it reads back (to the 15 digits a float is written with)
    // and no other value moves.
    const std::size_t hash = std::hash<std::string_view>{}(value);
    const auto changed = static_cast<UncertaintyKey>(hash % kUncertaintyKeyCount);
    const SettingDescriptor key = UncertaintySetting(changed);
    const double wanted = key.minValue + (key.maxValue - key.minValue) * static_cast<double>(hash % 1001) / 1000;
    WriteSetting(file, key, wanted);
    const UncertaintySettings uncertaintyAfter = ReadUncertaintySettings(file);
    for (int k = 0; k < kUncertaintyKeyCount; ++k) {
        const auto id = static_cast<UncertaintyKey>(k);
        if (id == changed)
            Require(std::fabs(uncertaintyAfter[id] - wanted) <= std::fabs(wanted) * 1e-14);
        else
            Require(uncertaintyAfter[id] == uncertainty[id]);
    }

    if (!value.empty()) {
        const std::vector<std::string> listed = WithRecentFile(recent, std::string(value));
        WriteRecentFiles(file, listed);
        Require(ReadRecentFiles(file) == listed);
        Require(ReadInspectorSettings(file).col1WidthPx == inspector.col1WidthPx);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    // The value to write: the input's last bytes, so that it holds whatever a file
    // may hold, line breaks and blanks included.
    const std::string_view value = text.substr(size > 64 ? size - 64 : 0);
    CheckTextLayer(text, value);
    CheckFile(text, value);
    return 0;
}
