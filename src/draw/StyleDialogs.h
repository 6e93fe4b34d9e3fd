#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "editor/DialogModel.h"
#include "editor/SettingsRecord.h"
#include "raster/Bitmap.h"
#include "raster/Geometry.h"

namespace rastrix {

struct Editor;

// Control identifiers of the two style dialogs. Radio button ControlId::StyleRadio + n stands for
// style n (line style in one dialog, fill style in the other).
namespace ControlId {
inline constexpr int StyleRadio = 101;
inline constexpr int LineWidth = 107;     // the drop-down list "1".."9"
inline constexpr int SolidSample = 500;   // the black rectangle beside "Solid"
inline constexpr int StyleSamples = 600;  // the line or hatch samples
}  // namespace ControlId

// The dialog font's base units: pixels per 4 horizontal and per 8 vertical dialog units.
// The defaults are those of the classic 8-point dialog font on a 96-dpi screen.
struct DialogBaseUnits {
    int x = 6;
    int y = 13;
};

// A dialog-unit rectangle in pixels, each edge rounded as the platform maps dialog units.
Rect DialogUnitsToPixels(const DialogUnitRect& r, DialogBaseUnits units);

// What both style dialogs share: the sample pictures, drawn with the raster layer at the
// pixel size of their controls, kept until something they show changes.
class StyleDialog : public DialogModel {
public:
    std::optional<Bitmap> Preview(int id) const override;
    // The front end tells the model its dialog font, so the samples match the control size.
    void SetDialogBaseUnits(DialogBaseUnits units);
    // The dialog's background colour, round the samples (their own gaps are always white).
    void SetFaceColor(Color face);
    // Grows whenever the samples must be drawn again; the front end re-reads Preview then.
    std::uint64_t PreviewRevision() const { return revision_; }

protected:
    DialogBaseUnits Units() const { return units_; }
    Color Face() const { return face_; }
    void SamplesChanged();
    // Draws the picture of a Preview control into a bitmap of its pixel size, whose top-left
    // pixel is `origin` in dialog pixels.
    virtual void DrawPreview(int id, Bitmap& picture, Point origin) const = 0;

private:
    DialogBaseUnits units_;
    Color face_ = ColorFromRgb(240, 240, 240);
    std::uint64_t revision_ = 1;
    struct Cached {
        int id = 0;
        std::uint64_t revision = 0;
        Bitmap picture;
    };
    mutable std::vector<Cached> cache_;
};

// "Set Line Style": the line width (1..9) and the line style of the fills. OK stores the
// width shown and the style checked; Cancel keeps both. The five sample lines are drawn at the
// chosen width, so they turn solid above width 1, and are drawn again only when it changes.
class LineStyleDialog : public StyleDialog {
public:
    explicit LineStyleDialog(SettingsRecord& settings);
    const DialogTemplate& Template() const override;
    bool Checked(int id) const override;
    std::vector<std::string> Items(int id) const override;
    int Selection(int id) const override;
    void Select(int id, int index) override;
    void Command(int id) override;

    int PendingLineWidth() const { return pendingWidth_; }
    int PendingStyleIndex() const { return pendingStyle_; }

protected:
    void DrawPreview(int id, Bitmap& picture, Point origin) const override;

private:
    SettingsRecord& settings_;
    int pendingStyle_;
    int pendingWidth_;
    int widthSelection_;  // index in the list
};

// "Set Fill Style": solid or one of six hatches for Fill 2-Color and Fill Interior.
class FillStyleDialog : public StyleDialog {
public:
    explicit FillStyleDialog(SettingsRecord& settings);
    const DialogTemplate& Template() const override;
    bool Checked(int id) const override;
    void Command(int id) override;

    int PendingStyleIndex() const { return pendingStyle_; }

protected:
    void DrawPreview(int id, Bitmap& picture, Point origin) const override;

private:
    SettingsRecord& settings_;
    int pendingStyle_;
};

// Set Line Style (CommandId::SetLineStyle) and Set Fill Style (CommandId::SetFillStyle): the
// dialog, run modally. Nothing is redrawn afterwards; the new values take effect at the next fill.
void SetLineStyle(Editor& ed);
void SetFillStyle(Editor& ed);

}  // namespace rastrix
