#pragma once
#include <optional>
#include <span>
#include <string>

#include "device/DeviceExport.h"

namespace rastrix {
struct Editor;
}

namespace rastrix::batch {

struct BatchOptions;
struct OptionSpec;

// The options that make a device file (a C header, a raw buffer, an XBM or LVGL image, a BMP
// form of a profile) instead of the editor's BMP file: as given, then resolved once into the one
// DeviceExport every input uses.
struct DeviceOptions {
    std::optional<DeviceContainer> format;  // --format
    std::optional<DeviceLayout> layout;     // --layout
    std::string profile;                    // --for
    bool invert = false;                    // --invert
    std::optional<bool> progmem;            // --progmem, --no-progmem
    std::string name;                       // --symbol
    std::optional<int> brightness, contrast;
    std::optional<double> gamma;
    bool listProfiles = false;              // --list-profiles
    // What every input's file is, once the options are checked; nullopt: the editor's BMP file.
    std::optional<DeviceExport> resolved;

    // Whether the options ask for a device file at all (--format bmp alone does not).
    bool Asked() const;
};

// The rows of the option table for these options, kept together.
std::span<const OptionSpec> DeviceOptionRows();

// Makes options.device.resolved from the profile, then the options that change it (--format,
// --layout, --invert, --palette, --dither, --threshold, --depth, the adjustments), and checks it;
// a usage error naming the options that do not go together. The user's profiles are read from
// the settings folder when --for names none of the built-in ones.
std::string ResolveDeviceOptions(BatchOptions& options);

// The extension of every output file: ".bmp", or the device file's (".h", ".bin", ...).
std::string_view OutputExtension(const BatchOptions& options);

// --list-profiles: the built-in profiles and the user's, or why the user's file was not read.
std::string ListProfilesText();

// The device file of the editor's current image, named (when --symbol is not given) after the
// output, or the input when the output is standard output; with the picture's alpha where the
// layout keeps it.
DeviceFile DeviceFileFor(Editor& ed, const BatchOptions& options, const std::string& input, const std::string& output,
                         const std::optional<Bitmap>& alpha);

}  // namespace rastrix::batch
