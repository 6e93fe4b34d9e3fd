#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "app/RecentFiles.h"
#include "app/SettingsRecord.h"
#include "store/Store.h"

namespace rastrix {

inline constexpr std::string_view kSettingsValueName = "Settings";
inline constexpr std::string_view kRecentValueName = "Recent";
inline constexpr std::string_view kColorsValueName = "Colors";

inline constexpr std::size_t kSettingsValueSize = 51;
inline constexpr std::size_t kColorsValueSize = 64;
// Sixteen names of 255 characters, fifteen tabs and the terminator: the longest list written.
inline constexpr std::size_t kRecentValueMaxSize = kRecentCount * kRecentPathMax + kRecentCount;

using SettingsBytes = std::array<std::uint8_t, kSettingsValueSize>;
using ColorsBytes = std::array<std::uint8_t, kColorsValueSize>;

// The persisted fields of the record, little-endian and without padding.
SettingsBytes EncodeSettings(const SettingsRecord& settings);
void DecodeSettings(const SettingsBytes& bytes, SettingsRecord& settings);

ColorsBytes EncodeColors(const std::array<Color, 16>& colors);
void DecodeColors(const ColorsBytes& bytes, std::array<Color, 16>& colors);

// Whether a stored value has the shape this program writes. The values live in files anyone
// may edit, cut short or fill with something else; one that fails is set aside whole and its
// defaults stay, while the other values are still read.
// Settings: every field with a fixed set of values holds one of them, colours have no top byte.
bool IsPlausibleSettings(const SettingsRecord& decoded);
// Recent: ends with its one zero byte, at most sixteen fields of at most 255 characters, and
// no control characters but the tabs between the fields.
bool IsPlausibleRecent(std::span<const std::uint8_t> bytes);
// Colors: sixteen colours with no top byte.
bool IsPlausibleColors(const ColorsBytes& bytes);

// The sixteen entries joined by tabs (fifteen, always) and ended by a zero byte. An entry
// that could not be read back unchanged (too long, or holding a tab) is written empty.
std::vector<std::uint8_t> JoinRecent(const RecentFiles& recent);
// Fills entries from the front: a tab starts the next entry, a zero byte or the end of the
// value ends the list. Fields past the sixteenth are dropped, characters past the 255th of a
// field are cut. Entries the text does not reach keep what they held.
void SplitRecent(std::span<const std::uint8_t> bytes, RecentFiles& recent);

// Replaces the persisted fields, the recent list and the custom colours from the store.
// A value that is missing, unreadable or not plausible leaves what was there (the defaults
// at start-up), except the list, which is then empty; the other values are read all the same.
void ReadSettings(SettingsRecord& settings, RecentFiles& recent, const Store& store);

struct SettingsWriteResult {
    bool ok = true;
    std::string_view valueName;  // the first value that could not be written
    FileFailure failure;
    explicit operator bool() const { return ok; }
};

// Writes all three values, going on after a failure, and reports the first one.
SettingsWriteResult WriteSettings(const SettingsRecord& settings, const RecentFiles& recent,
                                  Store& store);

}  // namespace rastrix
