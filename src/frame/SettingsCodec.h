#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "editor/RecentFiles.h"
#include "editor/SettingsRecord.h"
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
// Replaces as many bytes of the colours as the value holds (a value longer than 64 bytes
// changes nothing), then clears every colour's top byte.
void DecodeColors(std::span<const std::uint8_t> bytes, std::array<Color, 16>& colors);

// Whether a decoded "Settings" value has the shape this program writes: every field with a
// fixed set of values holds one of them, and the colours have no top byte. The value lives in
// a file anyone may edit or fill with something else; one that fails is set aside whole and
// the defaults stay, while the other values are still read.
bool IsPlausibleSettings(const SettingsRecord& decoded);

// The sixteen entries joined by tabs (fifteen, always) and ended by a zero byte. An entry
// that could not be read back unchanged (too long, or holding a tab) is written empty.
std::vector<std::uint8_t> JoinRecent(const RecentFiles& recent);
// Fills entries from the front: a tab starts the next entry, a zero byte or the end of the
// value ends the list. Fields past the sixteenth are dropped, characters past the 255th of a
// field are cut. Entries the text does not reach keep what they held.
void SplitRecent(std::span<const std::uint8_t> bytes, RecentFiles& recent);

// Replaces the persisted fields, the recent list and the custom colours from the store.
// A "Settings" value that is missing, unreadable, not 51 bytes or not plausible leaves the
// persisted fields as they were (the defaults at start-up); a missing or unreadable list leaves
// the list empty; "Colors" replaces as many bytes as it holds. Each value is read on its own.
// Returns the values that exist but could not be read (a read step failed).
UnreadSettings ReadSettings(SettingsRecord& settings, RecentFiles& recent, const Store& store);

struct SettingsWriteResult {
    bool ok = true;
    std::string_view valueName;  // the first value that could not be written
    FileFailure failure;
    explicit operator bool() const { return ok; }
};

// Writes the three values, going on after a failure, and reports the first one. A value the
// start could not read (`keep`) is left as stored: writing what this run had in its place, the
// defaults, would lose it.
SettingsWriteResult WriteSettings(const SettingsRecord& settings, const RecentFiles& recent, Store& store,
                                  const UnreadSettings& keep = {});

}  // namespace rastrix
