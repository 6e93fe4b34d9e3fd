#include "batch/BatchOptions.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "batch/BatchNames.h"
#include "batch/BatchOptionTable.h"

namespace rastrix::batch {

namespace {

const OptionSpec* FindLong(std::string_view name) {
    for (const OptionSpec& o : OptionTable())
        if (o.longName == name) return &o;
    return nullptr;
}

const OptionSpec* FindShort(char name) {
    for (const OptionSpec& o : OptionTable())
        if (o.shortName == name) return &o;
    return nullptr;
}

class Reader {
public:
    explicit Reader(std::span<const std::string> args) : args_(args) {}

    std::string Run(BatchOptions& out) {
        bool optionsEnded = false;
        for (; next_ < args_.size();) {
            const std::string& a = args_[next_++];
            std::string error;
            if (optionsEnded || a == "-" || a.size() < 2 || a[0] != '-') out.inputs.push_back(a);
            else if (a == "--") optionsEnded = true;
            else if (a[1] == '-') error = Long(out, a.substr(2));
            else error = ShortGroup(out, a.substr(1));
            if (!error.empty()) return error;
        }
        return {};
    }

private:
    // The values an option takes: the text after '=' (or after a short name) for the first,
    // then the next arguments.
    std::string Apply(BatchOptions& out, const OptionSpec& o, std::optional<std::string> attached) {
        std::vector<std::string> values;
        if (attached) values.push_back(*attached);
        while (int(values.size()) < o.valueCount) {
            if (next_ >= args_.size()) return "--" + std::string(o.longName) + " needs " + std::string(o.valueName);
            values.push_back(args_[next_++]);
        }
        const std::string error = o.apply(out, values);
        return error.empty() ? error : "--" + std::string(o.longName) + ": " + error;
    }

    std::string Long(BatchOptions& out, const std::string& text) {
        const std::size_t eq = text.find('=');
        const OptionSpec* o = FindLong(std::string_view(text).substr(0, eq));
        if (!o) return "unknown option --" + text.substr(0, eq);
        if (eq == std::string::npos) return Apply(out, *o, std::nullopt);
        if (o->valueCount == 0) return "--" + std::string(o->longName) + " takes no value";
        return Apply(out, *o, text.substr(eq + 1));
    }

    // "-mc" is -m then -c; "-j4" and "-j 4" give -j the value 4.
    std::string ShortGroup(BatchOptions& out, const std::string& text) {
        for (std::size_t i = 0; i < text.size(); ++i) {
            const OptionSpec* o = FindShort(text[i]);
            if (!o) return "unknown option -" + std::string(1, text[i]);
            if (o->valueCount > 0) {
                const std::string rest = text.substr(i + 1);
                return Apply(out, *o, rest.empty() ? std::nullopt : std::optional<std::string>(rest));
            }
            if (std::string error = Apply(out, *o, std::nullopt); !error.empty()) return error;
        }
        return {};
    }

    std::span<const std::string> args_;
    std::size_t next_ = 0;
};

bool IsStyle(StepKind k) {
    return k == StepKind::Foreground || k == StepKind::Background || k == StepKind::LineWidth ||
           k == StepKind::LineStyle || k == StepKind::FillStyle;
}

std::string_view StyleOptionName(StepKind k) {
    switch (k) {
        case StepKind::Foreground: return "--foreground";
        case StepKind::Background: return "--background";
        case StepKind::LineWidth: return "--line-width";
        case StepKind::LineStyle: return "--line-style";
        default: return "--fill-style";
    }
}

// A colour or style acts only on the commands after it; the first --background is also what
// transparent pixels are laid on as the picture is read, so it is used wherever it stands.
std::string CheckStylesAreUsed(const std::vector<Step>& steps) {
    const auto firstBackground = std::find_if(steps.begin(), steps.end(), [](const Step& s) { return s.kind == StepKind::Background; });
    std::size_t first = steps.size();
    while (first > 0 && IsStyle(steps[first - 1].kind)) --first;
    for (std::size_t i = first; i < steps.size(); ++i)
        if (steps.begin() + std::ptrdiff_t(i) != firstBackground)
            return std::string(StyleOptionName(steps[i].kind)) +
                   " comes after the last command, so nothing uses it; give it before the command it is for";
    return {};
}

// A name ending as another kind of image file: this program writes BMP files only.
std::string OtherImageKind(const std::string& name) {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos || name.find('/', dot) != std::string::npos) return {};
    std::string ext = name.substr(dot + 1);
    for (char& c : ext) c = char(std::tolower(static_cast<unsigned char>(c)));
    static constexpr std::pair<std::string_view, std::string_view> kKinds[] = {
        {"png", "PNG"}, {"jpg", "JPEG"}, {"jpeg", "JPEG"}, {"jpe", "JPEG"}, {"gif", "GIF"},
        {"tif", "TIFF"}, {"tiff", "TIFF"}, {"webp", "WebP"}, {"ico", "icon"}};
    for (const auto& [suffix, kind] : kKinds)
        if (ext == suffix) return std::string(kind);
    return {};
}

// --dither and --threshold belong to --palette, and the palette must fit the depth asked for:
// Reduce Colours' own check, said in the words of the command line.
std::string CheckPalette(const BatchOptions& o) {
    if (o.paletteName.empty()) {
        if (o.dither) return "--dither maps to a palette; give --palette too";
        if (o.thresholdPercent >= 0) return "--threshold maps to a palette of two colours; give --palette bw (or another)";
        return {};
    }
    const std::size_t colors = AskedPaletteSize(o.reduce);
    switch (CheckReduceColors(o.reduce, colors, o.depth)) {
        case ReduceProblem::None:
        case ReduceProblem::ColorCount:  // the palette's name says its count, checked as it is read
        case ReduceProblem::ThresholdRange:
            return {};
        case ReduceProblem::ThresholdColors:
            return "--threshold needs a palette of two colours; --palette " + o.paletteName + " has " + std::to_string(colors);
        case ReduceProblem::ThresholdDither:
            return "--threshold and --dither cannot be used together: a threshold maps each pixel on its own";
        case ReduceProblem::LongerThanDepth:
            return "--palette " + o.paletteName + " has " + std::to_string(colors) + " colours; --depth " +
                   std::to_string(o.depth) + " holds at most " + std::to_string(1 << o.depth);
    }
    return {};
}

// Where the results go and where the inputs come from must fit together.
std::string CheckCombination(const BatchOptions& o) {
    const bool manyInputs = o.inputs.size() > 1 || !o.filesFrom.empty();
    const bool hasInputs = !o.inputs.empty() || !o.filesFrom.empty();
    const int targets = int(!o.output.empty()) + int(!o.outDir.empty()) + int(o.inPlace);
    const long stdinUses = std::count(o.inputs.begin(), o.inputs.end(), "-") + long(o.filesFrom == "-");
    if (o.join && hasInputs) return "--join makes the image from its four files; give no other inputs";
    if (o.join && std::all_of(o.join->begin(), o.join->end(), [](const std::string& s) { return s.empty(); }))
        return "--join needs at least one file";
    if (!o.join && !hasInputs) return "no input files (see --help)";
    if (targets == 0) return "say where to write: -o FILE, --out-dir DIR or --in-place";
    if (targets > 1) return "give only one of -o, --out-dir and --in-place";
    if (!o.output.empty() && manyInputs) return "-o takes one input; use --out-dir DIR for several";
    if (o.inPlace && (o.join || stdinUses > 0)) return "--in-place needs input files to replace";
    if (stdinUses > 1) return "standard input can be read only once";
    if (std::count(o.inputs.begin(), o.inputs.end(), "-") > 0 && o.output.empty())
        return "the picture from standard input has no name; give -o FILE (or -o - )";
    if (const std::string kind = OtherImageKind(o.output); !kind.empty())
        return "-o " + o.output + " names a " + kind + " file, but rastrix-batch writes BMP files and device files only; " +
               "give a name ending in .bmp (or the device file's)";
    if (o.keepFolders && o.outDir.empty()) return "--keep-folders needs --out-dir DIR";
    if (!o.namePattern.empty() && o.outDir.empty()) return "--name needs --out-dir DIR";
    if (!o.namePattern.empty())
        if (std::string error = NamePatternError(o.namePattern, o.keepFolders); !error.empty()) return "--name: " + error;
    if (o.skipExisting && o.overwrite) return "give only one of --skip-existing and --overwrite";
    if (o.nullSeparated && o.filesFrom.empty()) return "-0 reads the --files-from list; give --files-from LIST";
    // A device file checks its palette with the rest of its parameters (ResolveDeviceOptions).
    if (!o.device.Asked())
        if (const std::string palette = CheckPalette(o); !palette.empty()) return palette;
    return CheckStylesAreUsed(o.steps);
}

}  // namespace

ParsedArguments ParseBatchArguments(std::span<const std::string> args) {
    BatchOptions options;
    if (std::string error = Reader(args).Run(options); !error.empty()) return {std::nullopt, error};
    if (options.help || options.version || options.device.listProfiles) return {options, {}};
    if (std::string error = CheckCombination(options); !error.empty()) return {std::nullopt, error};
    if (std::string error = ResolveDeviceOptions(options); !error.empty()) return {std::nullopt, error};
    return {options, {}};
}

}  // namespace rastrix::batch
