#include "frame/Help.h"

namespace rastrix {
namespace {

constexpr std::string_view kHelpText =
    "Rastrix is useful for viewing and editing images; usage is straightforward and can "
    "be discovered by experimentation.  Basic features are as follows:\n\n"
    "An area of the image can be selected by holding down the left mouse button and "
    "dragging it; the selection may then be adjusted.  When an area is selected most "
    "operations will apply only to the selected area: this includes Copy, Paste, "
    "Flip/Rotate, and Bucket Fill.\n\n"
    "Creating shapes is a two-step process; first the area is marked, then the line, "
    "perimeter, interior, or exterior may be filled.  This allows the placement to be "
    "modified prior to actually changing the image.\n\n"
    "When using the drawing tools (pen, bucket, or dropper), the left mouse button is "
    "associated with the foreground color and the right mouse button with the background "
    "color.  Colors may be selected by right or left clicking on the color bar.\n\n"
    "Bucket Fill changes all occurances of the selected color to the new color.  If "
    "there is a selection, clicking within it changes only pixels within the selection; "
    "clicking outside it changes only pixels outside the selection.\n\n"
    "Color depth may be changed using Save As; 1, 4, 8, or 24 bits per pixel may be "
    "selected.\n\n"
    "Mark Border is used to detect the border around a photo so that it may be cropped.  "
    "It may be necessary to manually adjust the selection.\n\n"
    "Donations are appreciated; to donate see Help | About.";

// What came after the text above, shown after it under its own heading.
constexpr std::string_view kNewerFeaturesText =
    "Newer features:\n\n"
    "Open also reads PNG and JPEG pictures; a photo is turned upright as the camera was held, "
    "and Save then asks for a BMP name, so the picture's own file is never written over.\n\n"
    "Edit | Scale Image resizes the picture by scaling it: to a size, inside a size (padded with "
    "the background color) or covering a size.\n\n"
    "Edit | Reduce Colours maps the picture to a palette (black and white, greys, the e-paper "
    "inks, the web colors, a palette optimised for the picture, or a palette file), with or "
    "without dithering; Save then writes the palette in its own order.\n\n"
    "Save As also writes 16-bit (5-6-5 or 5-5-5) and 32-bit files.\n\n"
    "File | Export for Device writes the picture in the forms display libraries take: C arrays, "
    "raw buffers, XBM and LVGL images.\n\n"
    "rastrix-batch does all of this from the command line; see its manual page.";

constexpr std::string_view kShortcutKeysText =
    "Ctrl+B\tMark Border\n"
    "Ctrl+C\tCopy\n"
    "Ctrl+J\tJoin Files\n"
    "Ctrl+O\tOpen a file\n"
    "Ctrl+R\tRestore Selection\n"
    "Ctrl+S\tSave\n"
    "Ctrl+U\tUnselect\n"
    "Ctrl+V\tPaste\n"
    "Ctrl+X\tCut\n"
    "Ctrl+Z\tUndo\n"
    "F1\tHelp\n"
    "F5\tReload Current File   ";

}  // namespace

std::string_view HelpText() { return kHelpText; }
std::string_view NewerFeaturesText() { return kNewerFeaturesText; }
std::string_view ShortcutKeysText() { return kShortcutKeysText; }

void ShowHelp(Host& host) {
    host.ShowMessage(std::string(kHelpText) + "\n\n" + std::string(kNewerFeaturesText), std::string(kHelpCaption),
                     MsgButtons::Ok, MsgIcon::None);
}

void ShowShortcutKeys(Host& host) {
    host.ShowMessage(std::string(kShortcutKeysText), std::string(kShortcutKeysCaption), MsgButtons::Ok,
                    MsgIcon::None);
}

void OpenProgramPage(Host& host) { OpenWebPage(host, kProgramPageAddress); }

std::string WebPageFailureText(std::string_view address) {
    std::string text = "Unable to open web browser.  Please open your web browser and point it to ";
    text += address;
    return text;
}

void OpenWebPage(Host& host, std::string_view address) {
    if (host.OpenUrl(std::string(address))) return;
    host.ShowMessage(WebPageFailureText(address), std::string("Error"), MsgButtons::Ok, MsgIcon::Warning);
}

bool AboutBox::OnCommand(int controlId) {
    if (controlId == kDonate || controlId == kCancel) {
        ended = true;
        result = controlId == kDonate ? 1 : 0;
    }
    return true;
}

void FinishAbout(Host& host, int result) {
    if (result == 1) OpenWebPage(host, kDonationPageAddress);
}

}  // namespace rastrix
