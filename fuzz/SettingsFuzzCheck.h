#pragma once
// What must hold for any stored "Settings", "Recent" and "Colors" values, shared by the fuzz
// target and the regression test that replays the inputs it once failed on.
//
// One input holds the three values and a fault to inject:
//   byte 0   length of "Settings" (cut to what follows; 255: the value is absent)
//   byte 1   length of "Colors" (the same)
//   byte 2   bit 7: "Recent" is absent; the rest, r: store call (r / 10) of kind (r % 10) fails
//            (kind 9: none), counted from the first read of the three values
//   then     the "Settings" bytes, the "Colors" bytes, and all that is left is "Recent".
#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "MemoryFileSystem.h"
#include "frame/SettingsCodec.h"

namespace rastrix::fuzz {

struct SettingsInput {
    std::optional<std::vector<std::uint8_t>> settings, colors, recent;
    MemoryFileSystem::Op faultOp = MemoryFileSystem::Op::Count;
    int faultCall = 0;
};

inline SettingsInput SplitSettingsInput(std::span<const std::uint8_t> in) {
    SettingsInput out;
    if (in.size() < 3) return out;
    std::span<const std::uint8_t> rest = in.subspan(3);
    auto take = [&](std::uint8_t length) -> std::optional<std::vector<std::uint8_t>> {
        if (length == 255) return std::nullopt;
        const std::size_t n = std::min<std::size_t>(length, rest.size());
        std::vector<std::uint8_t> value(rest.begin(), rest.begin() + std::ptrdiff_t(n));
        rest = rest.subspan(n);
        return value;
    };
    out.settings = take(in[0]);
    out.colors = take(in[1]);
    if ((in[2] & 0x80) == 0) out.recent.emplace(rest.begin(), rest.end());
    const int r = in[2] & 0x7F;
    if (r % 10 < int(MemoryFileSystem::Op::Count)) out.faultOp = MemoryFileSystem::Op(r % 10);
    out.faultCall = r / 10;
    return out;
}

// The values as one record, decoded by the codec's functions directly.
struct DecodedSettings {
    SettingsBytes persisted;  // the persisted fields, encoded again
    std::array<Color, 16> colors;
    RecentFiles recent;
};

// The codec's own promises on each value; empty when they hold, else what went wrong.
inline std::string CheckCodec(const SettingsInput& in, DecodedSettings& out) {
    SettingsRecord record;
    const SettingsBytes defaults = EncodeSettings(record);
    out.persisted = defaults;
    if (in.settings && in.settings->size() == kSettingsValueSize) {
        SettingsBytes bytes;
        std::copy(in.settings->begin(), in.settings->end(), bytes.begin());
        SettingsRecord decoded = record;
        DecodeSettings(bytes, decoded);
        if (EncodeSettings(decoded) != bytes) return "a 51-byte \"Settings\" value does not encode back to its bytes";
        // A value of a shape the program never writes is set aside whole.
        if (IsPlausibleSettings(decoded)) record = decoded, out.persisted = bytes;
    }

    out.colors = record.customColors;
    if (in.colors) {
        DecodeColors(*in.colors, out.colors);
        ColorsBytes expected = EncodeColors(record.customColors);
        if (in.colors->size() <= kColorsValueSize) std::copy(in.colors->begin(), in.colors->end(), expected.begin());
        for (std::size_t top = 3; top < expected.size(); top += 4) expected[top] = 0;
        if (EncodeColors(out.colors) != expected)
            return "\"Colors\" did not replace exactly the bytes it holds, top bytes cleared";
    }

    if (in.recent) {
        SplitRecent(*in.recent, out.recent);
        for (const std::string& entry : out.recent.entries)
            if (entry.size() > kRecentPathMax) return "a recent entry longer than 255 characters";
        const std::vector<std::uint8_t> joined = JoinRecent(out.recent);
        if (joined.size() > kRecentValueMaxSize) return "the joined recent list is longer than a reader accepts";
        // Entries that could not be read back (a control character) are written empty.
        RecentFiles storable = out.recent;
        for (std::string& entry : storable.entries)
            if (!IsStorableRecentPath(entry)) entry.clear();
        RecentFiles again;
        SplitRecent(joined, again);
        if (again.entries != storable.entries) return "the recent list does not read back as written";
    }
    return {};
}

inline std::string CheckSettingsInput(std::span<const std::uint8_t> bytes) {
    using Op = MemoryFileSystem::Op;
    const SettingsInput in = SplitSettingsInput(bytes);
    DecodedSettings direct;
    if (std::string fault = CheckCodec(in, direct); !fault.empty()) return fault;

    // The same values read through the store, with one store call failing.
    MemoryFileSystem files;
    Store store("/config", files);
    const std::pair<std::string_view, const std::optional<std::vector<std::uint8_t>>*> values[] = {
        {kSettingsValueName, &in.settings}, {kRecentValueName, &in.recent}, {kColorsValueName, &in.colors}};
    for (const auto& [name, value] : values)
        if (*value && !store.Write(name, **value)) return "the memory store refused a value";
    files.FailAt(in.faultOp, in.faultCall);
    const bool readFault = in.faultOp == Op::OpenRead || in.faultOp == Op::Size || in.faultOp == Op::Read;

    SettingsRecord record;
    RecentFiles recent;
    const SettingsBytes defaults = EncodeSettings(record);
    const std::array<Color, 16> defaultColors = record.customColors;
    ReadSettings(record, recent, store);
    const bool recentReadable = in.recent && in.recent->size() <= kRecentValueMaxSize;
    // A value that fails to read leaves the defaults (an empty list); nothing else differs.
    if (EncodeSettings(record) != direct.persisted && !(readFault && EncodeSettings(record) == defaults))
        return "\"Settings\" read through the store differs from the value";
    if (record.customColors != direct.colors && !(readFault && record.customColors == defaultColors))
        return "\"Colors\" read through the store differs from the value";
    const RecentFiles empty;
    const RecentFiles& expectedRecent = recentReadable ? direct.recent : empty;
    if (recent.entries != expectedRecent.entries && !(readFault && recent.entries == empty.entries))
        return "\"Recent\" read through the store differs from the value";

    // Writing them back: a failed write keeps the old value whole, a write that succeeds
    // reads back as written, and no temporary file or open handle is left either way.
    const std::map<std::filesystem::path, std::vector<std::uint8_t>> old = files.Files();
    const SettingsWriteResult written = WriteSettings(record, recent, store);
    files.Heal();
    if (files.OpenHandles() != 0) return "a store file was left open";
    for (const auto& [path, value] : files.Files()) {
        const std::string name = path.filename().string();
        if (name != kSettingsValueName && name != kRecentValueName && name != kColorsValueName)
            return "a temporary file was left behind: " + name;
    }
    if (!written) {
        const std::filesystem::path failed = store.Folder() / written.valueName;
        const auto before = old.find(failed), after = files.Files().find(failed);
        const bool same = before == old.end() ? after == files.Files().end()
                                              : after != files.Files().end() && after->second == before->second;
        if (!same) return "a failed write changed \"" + std::string(written.valueName) + "\"";
        return {};
    }
    SettingsRecord reread;
    RecentFiles rereadRecent;
    ReadSettings(reread, rereadRecent, store);
    if (EncodeSettings(reread) != EncodeSettings(record) || reread.customColors != record.customColors ||
        rereadRecent.entries != recent.entries)
        return "the written settings do not read back as they were";
    return {};
}

}  // namespace rastrix::fuzz
