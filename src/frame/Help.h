#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "editor/DialogModel.h"
#include "editor/Host.h"

namespace rastrix {

inline constexpr std::string_view kHelpCaption = "Rastrix Help";
inline constexpr std::string_view kShortcutKeysCaption = "Shortcut Keys";

// The program's page and the page that takes donations.
inline constexpr std::string_view kProgramPageAddress = "https://en.wikipedia.org/wiki/BMP_file_format";
inline constexpr std::string_view kDonationPageAddress = "https://donate.wikimedia.org/";

// Eight paragraphs separated by one empty line, no newline at the end.
std::string_view HelpText();
// What the program does beyond the text above; Help > Contents shows it after that text.
std::string_view NewerFeaturesText();
// Twelve lines of key, tab, description; no newline at the end.
std::string_view ShortcutKeysText();

// Help > Contents and F1: the help text in a box with no owner.
void ShowHelp(Host& host);
// Help > Shortcut Keys.
void ShowShortcutKeys(Host& host);
// Help > Website.
void OpenProgramPage(Host& host);

// Opens address in the user's browser; when that fails, says where to point the browser.
void OpenWebPage(Host& host, std::string_view address);
std::string WebPageFailureText(std::string_view address);

enum class AboutControlKind : std::uint8_t { Icon, Text, Rule, PushButton };

struct AboutControl {
    int id;
    AboutControlKind kind;
    DialogUnitRect rect;
    std::string_view content;  // text, or the icon's resource name
    bool tabStop;
};

// The About box, modal to the frame. Its Donate button (and Enter) ends it with 1;
// Cancel, Escape and the close box end it with 0.
struct AboutBox {
    static constexpr std::string_view kTemplateName = "ABOUTBOX";
    static constexpr std::string_view kCaption = "About Rastrix";
    static constexpr DialogUnitRect kRect{100, 50, 167, 100};
    static constexpr int kDonate = 1;  // DialogAnswer::Ok
    static constexpr int kCancel = 2;  // DialogAnswer::Cancel
    static constexpr int kVersionLine = 102;  // the program's version number follows its text

    // In tab order.
    static constexpr std::array<AboutControl, 8> kControls{{
        {-1, AboutControlKind::Icon, {6, 8, 18, 20}, "RXLOGO", false},
        {101, AboutControlKind::Text, {30, 11, 120, 8}, "Rastrix by the Orlane team", false},
        {kVersionLine, AboutControlKind::Text, {30, 21, 120, 8}, "    Version ", false},
        {103, AboutControlKind::Text, {30, 31, 120, 8}, "Shared as is, without warranty.", false},
        {501, AboutControlKind::Rule, {14, 45, 138, 1}, "", false},
        {105, AboutControlKind::Text, {14, 50, 138, 60},
         "This program is being shared freely.  Donations are appreciated.", false},
        {kDonate, AboutControlKind::PushButton, {103, 80, 50, 14}, "Donate", true},
        {kCancel, AboutControlKind::PushButton, {13, 80, 50, 14}, "Cancel", true},
    }};

    bool ended = false;
    int result = 0;

    // A command from a control or key; every command counts as handled.
    bool OnCommand(int controlId);
};

// Help > About, once the box has ended with result: Donate opens the donation page.
void FinishAbout(Host& host, int result);

}  // namespace rastrix
