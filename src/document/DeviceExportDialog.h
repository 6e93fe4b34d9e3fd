#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/DeviceExportChoice.h"
#include "editor/DialogModel.h"

namespace rastrix {

struct Editor;

inline constexpr const char* kDeviceExportTitle = "Export for Device";
// How the dialog's fields are named in its messages.
inline constexpr ExportFieldNames kDeviceDialogFieldNames{"Format", "Layout", "Invert", "PROGMEM", "C name",
                                                          "Palette", "Dithering", "Threshold", "Depth", "Device size"};

// The "Export for Device" dialog: a profile (each names the library call it serves) or the
// user's own form: the kind of file, the layout (for a BMP file its depth), the palette, the
// dithering or a threshold, the tone adjustments, the device's size (0 x 0: the image's), and the
// C name. The preview shows what the device will show, rendered by the core at the device's size
// and fitted to the preview box. Every change is checked at once and the reason shown; Export
// with a reason refuses, tells the user and keeps the dialog open, else ends with
// DialogAnswer::Ok, and Export() then holds the parameters. Cancel ends with 0. Changing a
// field after choosing a profile makes the form the user's own. The dialog only collects:
// RunExportForDevice writes the file.
class DeviceExportDialog : public DialogModel {
public:
    static constexpr int kProfileList = 150, kFormatList = 151, kLayoutList = 152, kPaletteList = 153;
    static constexpr int kColorsEdit = 154, kFileEdit = 155, kBrowseButton = 156, kDitherList = 157;
    static constexpr int kThresholdEdit = 158, kInvertBox = 159, kProgmemBox = 160, kBrightnessEdit = 161;
    static constexpr int kContrastEdit = 162, kGammaEdit = 163, kWidthEdit = 164, kHeightEdit = 165;
    static constexpr int kFitList = 166, kFilterList = 167, kNameEdit = 168, kPreview = 169, kStatusText = 170;
    // The preview box in pixels: a larger device picture is reduced into it, a small one enlarged
    // by a whole factor so its pixels stay square.
    static constexpr int kPreviewWidth = 288, kPreviewHeight = 216;

    // `choice`: what the dialog starts with (the last export's); `name`: the C name proposed.
    DeviceExportDialog(Editor& ed, UserProfiles user, const ExportChoice& choice, std::string name);

    const DialogTemplate& Template() const override;
    std::string Text(int id) const override;
    void TextChanged(int id, std::string_view text) override;
    bool Checked(int id) const override;
    std::vector<std::string> Items(int id) const override;
    int Selection(int id) const override;
    void Select(int id, int index) override;
    std::optional<Bitmap> Preview(int id) const override;
    void Command(int id) override;

    const ExportChoice& Choice() const { return choice_; }
    // The parameters Export ended with.
    const DeviceExport& Export() const { return export_; }

private:
    std::vector<DeviceLayout> LayoutChoices() const;
    void Load(const ExportChoice& choice);  // the fields from a choice
    void Changed();  // a field changed: the form is the user's own; check again
    void Update();   // check the fields and remake the export, or say why not
    void Browse();

    Editor& ed_;
    UserProfiles user_;
    ExportChoice choice_;
    std::string name_;
    // Texts as typed; the choice takes them when they read as numbers.
    std::string colorsText_ = "16", fileText_, thresholdText_, brightnessText_, contrastText_, gammaText_, widthText_,
                heightText_;
    int paletteItem_ = 0;
    std::string problem_;  // why the form cannot make a file, or empty
    DeviceExport export_;
    mutable std::optional<Bitmap> preview_;  // made on demand for the current export
};

}  // namespace rastrix
