#include "document/DeviceExportDialog.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "device/PaletteProblemText.h"
#include "document/PaletteBrowse.h"
#include "editor/Editor.h"
#include "editor/Host.h"
#include "editor/ImageStack.h"
#include "editor/ReportError.h"
#include "store/NumberText.h"
#include "view/EditorView.h"

namespace rastrix {

namespace {

using D = DeviceExportDialog;

// The palette list: what each item stands for (a name for SetExportPalette).
constexpr std::array<const char*, 10> kPaletteItems{
    "The layout's own colours", "Black and white", "4 greys", "16 greys", "16 basic colours", "7 e-paper inks",
    "Black, white and red", "Black, white and yellow", "Optimised for the image", "From a palette file"};
constexpr std::array<const char*, 8> kPaletteNames{"", "bw", "grey4", "grey16", "basic16", "epaper7", "bwr", "bwy"};
constexpr int kOptimisedItem = 8, kFileItem = 9;

constexpr std::array<const char*, 4> kDitherItems{"None", "Floyd-Steinberg", "Atkinson", "Ordered (8 x 8 pattern)"};
constexpr std::array<const char*, 3> kFitItems{"Fit (pad)", "Cover (crop)", "Stretch"};
constexpr std::array<const char*, 2> kFilterItems{"Smooth", "Nearest pixel"};
constexpr std::array<const char*, 6> kFormatItems{"BMP file (.bmp)",     "C header (.h)",          "Raw binary (.bin)",
                                                  "X bitmap (.xbm)",     "LVGL image file (.bin)", "LVGL C source (.c)"};
constexpr std::array<int, 7> kBmpDepths{0, 1, 4, 8, 16, 24, 32};
constexpr std::array<const char*, 7> kBmpDepthItems{"Smallest for the palette", "1 bit", "4 bits", "8 bits",
                                                    "16 bits (5-6-5)", "24 bits", "32 bits"};


DialogTemplate MakeTemplate() {
    using K = ControlKind;
    return {"DEVICEEXPORT",
            kDeviceExportTitle,
            {0, 0, 444, 284},
            {
                {201, K::Text, {8, 9, 56, 8}, "P&rofile:", false},
                {D::kProfileList, K::DropList, {66, 7, 160, 160}, "", true},
                {202, K::Text, {8, 27, 56, 8}, "&Format:", false},
                {D::kFormatList, K::DropList, {66, 25, 160, 100}, "", true},
                {203, K::Text, {8, 45, 56, 8}, "&Layout:", false},
                {D::kLayoutList, K::DropList, {66, 43, 160, 160}, "", true},
                {204, K::Text, {8, 63, 56, 8}, "&Palette:", false},
                {D::kPaletteList, K::DropList, {66, 61, 160, 140}, "", true},
                {205, K::Text, {8, 81, 56, 8}, "&Colours:", false},
                {D::kColorsEdit, K::Edit, {66, 79, 30, 13}, "", true},
                {206, K::Text, {8, 99, 56, 8}, "Palette f&ile:", false},
                {D::kFileEdit, K::Edit, {66, 97, 116, 13}, "", true},
                {D::kBrowseButton, K::PushButton, {186, 96, 40, 14}, "&Browse...", true},
                {207, K::Text, {8, 117, 56, 8}, "&Dithering:", false},
                {D::kDitherList, K::DropList, {66, 115, 160, 80}, "", true},
                {208, K::Text, {8, 135, 56, 8}, "&Threshold %:", false},
                {D::kThresholdEdit, K::Edit, {66, 133, 30, 13}, "", true},
                {D::kInvertBox, K::CheckBox, {8, 151, 108, 12}, "In&vert (1 = black)", true},
                {D::kProgmemBox, K::CheckBox, {120, 151, 106, 12}, "PROG&MEM arrays", true},
                {209, K::Text, {8, 171, 56, 8}, "Bri&ghtness:", false},
                {D::kBrightnessEdit, K::Edit, {66, 169, 30, 13}, "", true},
                {210, K::Text, {104, 171, 40, 8}, "C&ontrast:", false},
                {D::kContrastEdit, K::Edit, {146, 169, 30, 13}, "", true},
                {211, K::Text, {8, 189, 56, 8}, "G&amma:", false},
                {D::kGammaEdit, K::Edit, {66, 187, 30, 13}, "", true},
                {212, K::Text, {8, 207, 56, 8}, "Device &width:", false},
                {D::kWidthEdit, K::Edit, {66, 205, 34, 13}, "", true},
                {213, K::Text, {104, 207, 40, 8}, "&Height:", false},
                {D::kHeightEdit, K::Edit, {146, 205, 34, 13}, "", true},
                {214, K::Text, {8, 225, 56, 8}, "&Scaling:", false},
                {D::kFitList, K::DropList, {66, 223, 76, 60}, "", true},
                {215, K::Text, {146, 225, 26, 8}, "Fil&ter:", false},
                {D::kFilterList, K::DropList, {174, 223, 52, 60}, "", true},
                {216, K::Text, {8, 243, 56, 8}, "C &name:", false},
                {D::kNameEdit, K::Edit, {66, 241, 160, 13}, "", true},
                {217, K::Text, {240, 9, 196, 8}, "Preview: what the device shows", false},
                {D::kPreview, K::Preview, {240, 20, 196, 136}, "", false},
                {D::kStatusText, K::Text, {240, 162, 196, 80}, "", false},
                {DialogAnswer::Ok, K::DefPushButton, {330, 262, 50, 14}, "&Export...", true},
                {DialogAnswer::Cancel, K::PushButton, {386, 262, 50, 14}, "Cancel", true},
            }};
}

std::string NumberText(double v) {
    char text[32];
    const auto [end, ec] = std::to_chars(text, text + sizeof text, v);
    return ec == std::errc() ? std::string(text, end) : std::string();
}

// The device picture fitted to the preview box: reduced to fit, or enlarged by a whole factor.
std::optional<Bitmap> FitPreview(const Bitmap& shown) {
    const int w = shown.Width(), h = shown.Height();
    if (w <= D::kPreviewWidth && h <= D::kPreviewHeight) {
        const int k = std::max(1, std::min(D::kPreviewWidth / w, D::kPreviewHeight / h));
        if (k == 1) return shown;
        return ScaleBitmap(shown, w * k, h * k, ScaleFit::Exact, ScaleFilter::Nearest);
    }
    const ScaleLayout fit = LayOutScale(w, h, D::kPreviewWidth, D::kPreviewHeight, ScaleFit::Fit);
    return ScaleBitmap(shown, fit.scaled.right, fit.scaled.bottom, ScaleFit::Exact, ScaleFilter::Lanczos);
}

}  // namespace

DeviceExportDialog::DeviceExportDialog(Editor& ed, UserProfiles user, const ExportChoice& choice, std::string name)
    : ed_(ed), user_(std::move(user)), name_(std::move(name)) {
    Load(choice);
}

void DeviceExportDialog::Load(const ExportChoice& choice) {
    choice_ = choice;
    paletteItem_ = 0;
    colorsText_ = "16", fileText_.clear();
    for (std::size_t i = 1; i < kPaletteNames.size(); ++i)
        if (choice_.palette == kPaletteNames[i]) paletteItem_ = int(i);
    if (choice_.palette.starts_with("optimised:") || choice_.palette.starts_with("optimized:")) {
        paletteItem_ = kOptimisedItem;
        colorsText_ = choice_.palette.substr(10);
    } else if (!choice_.palette.empty() && paletteItem_ == 0) {
        paletteItem_ = kFileItem;
        fileText_ = choice_.palette;
    }
    thresholdText_ = choice_.thresholdPercent >= 0 ? std::to_string(choice_.thresholdPercent) : "";
    brightnessText_ = std::to_string(choice_.adjust.brightness);
    contrastText_ = std::to_string(choice_.adjust.contrast);
    gammaText_ = NumberText(choice_.adjust.gamma);
    widthText_ = std::to_string(choice_.width);
    heightText_ = std::to_string(choice_.height);
    Update();
}

const DialogTemplate& DeviceExportDialog::Template() const {
    static const DialogTemplate t = MakeTemplate();
    return t;
}

std::string DeviceExportDialog::Text(int id) const {
    switch (id) {
        case kColorsEdit: return colorsText_;
        case kFileEdit: return fileText_;
        case kThresholdEdit: return thresholdText_;
        case kBrightnessEdit: return brightnessText_;
        case kContrastEdit: return contrastText_;
        case kGammaEdit: return gammaText_;
        case kWidthEdit: return widthText_;
        case kHeightEdit: return heightText_;
        case kNameEdit: return name_;
        case kStatusText: {
            if (!problem_.empty()) return problem_;
            const DeviceProfile* p = choice_.profile.empty() ? nullptr : FindProfile(choice_.profile, user_);
            return p ? "For " + CallFor(p->function, name_.empty() ? "image" : name_) : std::string();
        }
    }
    return DialogModel::Text(id);
}

void DeviceExportDialog::TextChanged(int id, std::string_view text) {
    std::string* field = nullptr;
    switch (id) {
        case kColorsEdit: field = &colorsText_; break;
        case kFileEdit: field = &fileText_; break;
        case kThresholdEdit: field = &thresholdText_; break;
        case kBrightnessEdit: field = &brightnessText_; break;
        case kContrastEdit: field = &contrastText_; break;
        case kGammaEdit: field = &gammaText_; break;
        case kWidthEdit: field = &widthText_; break;
        case kHeightEdit: field = &heightText_; break;
        case kNameEdit: name_ = text, Update(); return;
    }
    if (!field || *field == text) return;
    *field = text;
    Changed();
}

bool DeviceExportDialog::Checked(int id) const {
    if (id == kInvertBox) return choice_.invert;
    if (id == kProgmemBox) return choice_.progmem;
    return false;
}

std::vector<DeviceLayout> DeviceExportDialog::LayoutChoices() const {
    std::vector<DeviceLayout> out;
    for (const LayoutInfo& l : DeviceLayouts())
        if (ContainerTakes(choice_.container, l.layout)) out.push_back(l.layout);
    return out;
}

std::vector<std::string> DeviceExportDialog::Items(int id) const {
    const auto list = [](const auto& items) { return std::vector<std::string>(items.begin(), items.end()); };
    switch (id) {
        case kProfileList: {
            std::vector<std::string> items{"Your own settings"};
            for (const DeviceProfile& p : BuiltInProfiles()) items.emplace_back(p.name);
            for (const DeviceProfile& p : user_.profiles) items.emplace_back(p.name);
            return items;
        }
        case kFormatList: return list(kFormatItems);
        case kLayoutList: {
            if (choice_.container == DeviceContainer::Bmp) return list(kBmpDepthItems);
            std::vector<std::string> items;
            for (const DeviceLayout l : LayoutChoices()) items.push_back(std::string(InfoOf(l).name) + ": " + std::string(InfoOf(l).description));
            return items;
        }
        case kPaletteList: return list(kPaletteItems);
        case kDitherList: return list(kDitherItems);
        case kFitList: return list(kFitItems);
        case kFilterList: return list(kFilterItems);
    }
    return {};
}

int DeviceExportDialog::Selection(int id) const {
    switch (id) {
        case kProfileList: {
            if (choice_.profile.empty()) return 0;
            int i = 1;
            for (const DeviceProfile& p : BuiltInProfiles()) {
                if (p.name == choice_.profile) return i;
                ++i;
            }
            for (const DeviceProfile& p : user_.profiles) {
                if (p.name == choice_.profile) return i;
                ++i;
            }
            return 0;
        }
        case kFormatList: return int(choice_.container);
        case kLayoutList: {
            if (choice_.container == DeviceContainer::Bmp)
                return int(std::find(kBmpDepths.begin(), kBmpDepths.end(), choice_.bmpDepth) - kBmpDepths.begin());
            const std::vector<DeviceLayout> choices = LayoutChoices();
            return int(std::find(choices.begin(), choices.end(), choice_.layout) - choices.begin());
        }
        case kPaletteList: return paletteItem_;
        case kDitherList: return int(choice_.dither);
        case kFitList: return int(choice_.fit);
        case kFilterList: return int(choice_.filter);
    }
    return -1;
}

void DeviceExportDialog::Select(int id, int index) {
    const int count = int(Items(id).size());
    if (index < 0 || index >= count) return;
    switch (id) {
        case kProfileList: {
            if (index == 0) {
                choice_.profile.clear();
                Update();
                return;
            }
            const std::size_t builtIn = BuiltInProfiles().size();
            const DeviceProfile& p = std::size_t(index - 1) < builtIn ? BuiltInProfiles()[std::size_t(index - 1)]
                                                                      : user_.profiles[std::size_t(index - 1) - builtIn];
            // The device's size is the user's, whatever the profile.
            ExportChoice loaded = ChoiceFromProfile(p);
            loaded.width = choice_.width, loaded.height = choice_.height, loaded.fit = choice_.fit, loaded.filter = choice_.filter;
            Load(loaded);
            return;
        }
        case kFormatList:
            choice_.container = DeviceContainer(index);
            if (choice_.container != DeviceContainer::CSource) choice_.progmem = false;  // no arrays to mark
            if (choice_.container != DeviceContainer::Bmp && !ContainerTakes(choice_.container, choice_.layout))
                choice_.layout = LayoutChoices().front();
            break;
        case kLayoutList:
            if (choice_.container == DeviceContainer::Bmp) choice_.bmpDepth = kBmpDepths[std::size_t(index)];
            else choice_.layout = LayoutChoices()[std::size_t(index)];
            break;
        case kPaletteList: paletteItem_ = index; break;
        case kDitherList: choice_.dither = Dither(index); break;
        case kFitList: choice_.fit = ScaleFit(index); break;
        case kFilterList: choice_.filter = ScaleFilter(index); break;
    }
    Changed();
}

void DeviceExportDialog::Changed() {
    choice_.profile.clear();
    Update();
}

void DeviceExportDialog::Update() {
    preview_.reset();
    problem_.clear();
    const auto fail = [this](std::string why) { problem_ = std::move(why); };
    choice_.palette = paletteItem_ == kOptimisedItem ? "optimised:" + colorsText_
                      : paletteItem_ == kFileItem    ? fileText_
                                                     : kPaletteNames[std::size_t(paletteItem_)];
    const auto threshold = thresholdText_.empty() ? std::optional(-1) : NumberIn(thresholdText_, kThresholdLimits);
    const auto brightness = NumberIn(brightnessText_, kToneLimits), contrast = NumberIn(contrastText_, kToneLimits);
    const Limits side{0, kDeviceSideLimits.high};  // 0 x 0: the image's size
    const auto width = NumberIn(widthText_, side), height = NumberIn(heightText_, side);
    const auto gamma = NumberIn(std::string_view(gammaText_), kGammaLimits);
    if (!threshold) return fail("The threshold is a whole number " + FromTo(kThresholdLimits) + ", or empty for none.");
    if (!brightness || !contrast) return fail("Brightness and contrast are whole numbers " + FromTo(kToneLimits) + ".");
    if (!gamma) return fail("Gamma is a number " + FromTo(kGammaLimits) + " (1 changes nothing).");
    if (!width || !height)
        return fail("The device's width and height are whole numbers up to " + std::to_string(side.high) +
                    " (0 x 0: the image's size).");
    if (paletteItem_ == kFileItem && fileText_.empty()) return fail("Type the name of a palette file, or choose one with Browse.");
    choice_.thresholdPercent = *threshold;
    choice_.adjust = {*brightness, *contrast, *gamma};
    choice_.width = *width, choice_.height = *height;
    ProfileExport made = ExportFromChoice(choice_, *ed_.files);
    if (!made.Ok()) return fail(PaletteProblemText(made.palette));
    made.e.name = name_;
    if (const DeviceProfile* p = choice_.profile.empty() ? nullptr : FindProfile(choice_.profile, user_)) made.e.function = p->function;
    if (const ExportProblem why = CheckDeviceExport(made.e); !why.Ok()) return fail(ExportProblemText(why, kDeviceDialogFieldNames));
    export_ = std::move(made.e);
}

std::optional<Bitmap> DeviceExportDialog::Preview(int id) const {
    if (id != kPreview || !problem_.empty() || !HasImage(ed_)) return std::nullopt;
    if (!preview_) {
        const DeviceView view = RenderDeviceView(CurrentImage(ed_), export_);
        if (view.image) preview_ = FitPreview(*view.image);
    }
    return preview_;
}

void DeviceExportDialog::Browse() {
    const std::optional<std::string> chosen = BrowseForPalette(ed_);
    if (!chosen) return;
    fileText_ = *chosen;
    paletteItem_ = kFileItem;
    Changed();
}

void DeviceExportDialog::Command(int id) {
    if (id == kBrowseButton) {
        Browse();
    } else if (id == kInvertBox || id == kProgmemBox) {
        bool& box = id == kInvertBox ? choice_.invert : choice_.progmem;
        box = !box;
        Changed();
    } else if (id == DialogAnswer::Ok) {
        if (problem_.empty()) End(DialogAnswer::Ok);
        else ReportProblem(ed_, problem_);
    } else if (id == DialogAnswer::Cancel) {
        End(0);
    }
}

}  // namespace rastrix
