#pragma once
// What must hold for any text given as the user's device-profile file, and as the export the
// Export for Device dialog remembers; shared by the fuzz target and the regression test that
// replays the inputs it once failed on. Memory faults are left to the sanitizers; this checks
// that a refusal is worded and names a line of the file, that every profile a file gives can be
// found by its name and the first of them make a file, and that a remembered export reads back
// as it was written.
#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "MemoryFileSystem.h"
#include "device/DeviceExport.h"
#include "device/DeviceProfiles.h"
#include "document/DeviceExportChoice.h"

namespace rastrix::fuzz {

// A small picture of many colours, its width a multiple of every row multiple a reader asks for.
inline const Bitmap& ProfileTestPicture() {
    static const Bitmap picture = [] {
        Bitmap b(64, 6);
        for (int y = 0; y < b.Height(); ++y)
            for (int x = 0; x < b.Width(); ++x) b.Row(y)[x] = Pixel{std::uint32_t(x * 0x040307 + y * 0x2A1000) & 0xFFFFFFu};
        return b;
    }();
    return picture;
}

inline std::string CheckProfileFile(std::string_view text) {
    const UserProfiles user = ParseUserProfiles(text);
    if (!user.problem.Ok()) {
        if (!user.profiles.empty()) return "a refused file still gave profiles";
        if (ProfileFileProblemText(user.problem).empty()) return "a refusal has no words";
        const int lines = 1 + int(std::count(text.begin(), text.end(), '\n'));
        if (user.problem.line < 1 || user.problem.line > lines)
            return "a refusal names line " + std::to_string(user.problem.line) + " of " + std::to_string(lines);
        return {};
    }
    if (user.profiles.size() > kMaxUserProfiles) return "more profiles than a file may hold";
    MemoryFileSystem files;  // empty: a palette file is not there, and such a profile is not made
    // Making a file with an optimised palette takes tens of milliseconds under the sanitizers, so
    // only the first few profiles make one: 200 of them would outlast the fuzzer's time limit,
    // and a profile further down is made when a shorter input holds it.
    int made = 0;
    for (const DeviceProfile& p : user.profiles) {
        if (FindProfile(p.name, user) != &p) return "profile '" + std::string(p.name) + "' is not found by its name";
        if (made == 8) continue;
        const ProfileExport e = ExportFromProfile(p, files);
        if (!e.Ok()) continue;
        ++made;
        const DeviceFile file = ExportForDevice(ProfileTestPicture(), e.e);
        if (!file.problem.Ok() || file.bytes.empty())
            return "profile '" + std::string(p.name) + "' was taken but makes no file: " + DeviceFileProblemText(file.problem);
    }
    return {};
}

inline std::string CheckRememberedExport(std::string_view text) {
    const ExportChoice once = DecodeChoice(text);
    if (DecodeChoice(EncodeChoice(once)) != once) return "a remembered export does not read back as it was written";
    return {};
}

inline std::string CheckProfileInput(std::span<const std::uint8_t> in) {
    const std::string_view text(reinterpret_cast<const char*>(in.data()), in.size());
    std::string fault = CheckProfileFile(text);
    if (fault.empty()) fault = CheckRememberedExport(text);
    return fault;
}

}  // namespace rastrix::fuzz
