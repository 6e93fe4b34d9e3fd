#include "frame/Help.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "frame/AboutDialog.h"
#include "frame/CommandLine.h"
#include "frame/HelpTestHost.h"

namespace rastrix {
namespace {

using testing::HelpTestHost;

std::vector<std::string> SplitOn(std::string_view text, std::string_view separator) {
    std::vector<std::string> parts;
    for (std::size_t start = 0;;) {
        const std::size_t at = text.find(separator, start);
        parts.emplace_back(text.substr(start, at - start));
        if (at == std::string_view::npos) return parts;
        start = at + separator.size();
    }
}

TEST(HelpText, IsEightParagraphsWithOneEmptyLineBetween) {
    const auto paragraphs = SplitOn(HelpText(), "\n\n");
    ASSERT_EQ(paragraphs.size(), 8u);
    for (const auto& p : paragraphs) EXPECT_TRUE(!p.empty() && p.find('\n') == std::string::npos) << p;
    EXPECT_EQ(paragraphs[0],
              "Rastrix is useful for viewing and editing images; usage is straightforward and can be "
              "discovered by experimentation.  Basic features are as follows:");
    EXPECT_EQ(paragraphs[2],
              "Creating shapes is a two-step process; first the area is marked, then the line, perimeter, "
              "interior, or exterior may be filled.  This allows the placement to be modified prior to "
              "actually changing the image.");
    EXPECT_EQ(paragraphs[4],
              "Bucket Fill changes all occurances of the selected color to the new color.  If there is a "
              "selection, clicking within it changes only pixels within the selection; clicking outside "
              "it changes only pixels outside the selection.");
    EXPECT_EQ(paragraphs[5],
              "Color depth may be changed using Save As; 1, 4, 8, or 24 bits per pixel may be selected.");
    EXPECT_EQ(paragraphs[7], "Donations are appreciated; to donate see Help | About.");
}

TEST(HelpText, ShortcutKeysAreTwelveTabbedLines) {
    EXPECT_EQ(SplitOn(ShortcutKeysText(), "\n"),
              (std::vector<std::string>{"Ctrl+B\tMark Border", "Ctrl+C\tCopy", "Ctrl+J\tJoin Files",
                                        "Ctrl+O\tOpen a file", "Ctrl+R\tRestore Selection", "Ctrl+S\tSave",
                                        "Ctrl+U\tUnselect", "Ctrl+V\tPaste", "Ctrl+X\tCut", "Ctrl+Z\tUndo",
                                        "F1\tHelp", "F5\tReload Current File   "}));
}

TEST(HelpCommands, ShowTheirTextsInPlainBoxes) {
    HelpTestHost host;
    ShowHelp(host);
    ShowShortcutKeys(host);
    ASSERT_EQ(host.boxes.size(), 2u);
    // The older text as it stands, then what came after it.
    EXPECT_EQ(host.boxes[0].text, std::string(HelpText()) + "\n\n" + std::string(NewerFeaturesText()));
    for (const char* feature : {"PNG and JPEG", "Scale Image", "Reduce Colours", "16-bit", "32-bit",
                                "Export for Device", "rastrix-batch"})
        EXPECT_NE(NewerFeaturesText().find(feature), std::string_view::npos) << feature;
    EXPECT_EQ(host.boxes[0].caption, "Rastrix Help");
    EXPECT_EQ(host.boxes[1].text, ShortcutKeysText());
    EXPECT_EQ(host.boxes[1].caption, "Shortcut Keys");
    for (const auto& box : host.boxes) EXPECT_TRUE(box.buttons == MsgButtons::Ok && box.icon == MsgIcon::None);
    EXPECT_TRUE(host.openedUrls.empty());
    EXPECT_EQ(host.otherCalls, 0);
}

TEST(WebPage, OpensQuietlyOrNamesTheAddressInAnErrorBox) {
    HelpTestHost host;
    OpenProgramPage(host);
    EXPECT_EQ(host.openedUrls, std::vector<std::string>{std::string(kProgramPageAddress)});
    EXPECT_TRUE(host.boxes.empty());

    host.urlAnswers = {false};
    OpenWebPage(host, "https://example.org/page");
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text,
              "Unable to open web browser.  Please open your web browser and point it to https://example.org/page");
    EXPECT_EQ(host.boxes[0].caption, "Error");
    EXPECT_EQ(host.boxes[0].icon, MsgIcon::Warning);
}

TEST(AboutBox, DonateOrEnterOpenTheDonationPageCancelDoesNot) {
    HelpTestHost host;
    AboutBox cancel;
    EXPECT_TRUE(cancel.OnCommand(AboutBox::kCancel));
    EXPECT_TRUE(cancel.ended);
    FinishAbout(host, cancel.result);
    FinishAbout(host, -1);  // the box could not be shown
    EXPECT_TRUE(host.openedUrls.empty());

    AboutBox donate;
    EXPECT_TRUE(donate.OnCommand(105));  // handled without ending the box
    EXPECT_FALSE(donate.ended);
    EXPECT_TRUE(donate.OnCommand(AboutBox::kDonate));
    EXPECT_EQ(donate.result, 1);
    FinishAbout(host, donate.result);
    EXPECT_EQ(host.openedUrls, std::vector<std::string>{std::string(kDonationPageAddress)});
    EXPECT_NE(kDonationPageAddress, kProgramPageAddress);
}

TEST(AboutBox, TemplateHoldsItsFixedTexts) {
    EXPECT_EQ(AboutBox::kCaption, "About Rastrix");
    const auto& c = AboutBox::kControls;
    EXPECT_EQ(c[2].content, "    Version ");
    EXPECT_EQ(c[5].content, "This program is being shared freely.  Donations are appreciated.");
    EXPECT_TRUE(c[6].id == 1 && c[6].content == "Donate" && c[6].rect.x == 103);
    EXPECT_TRUE(c[7].id == 2 && c[7].content == "Cancel" && c[7].rect.x == 13);
}

TEST(AboutBox, ShowsTheVersionThatVersionPrints) {
    const AboutDialog dialog;
    const auto& controls = dialog.Template().controls;
    const auto line = std::find_if(controls.begin(), controls.end(),
                                   [](const auto& c) { return c.id == AboutBox::kVersionLine; });
    ASSERT_NE(line, controls.end());
    EXPECT_EQ(line->text, "    Version " + std::string(VersionNumber()));
    EXPECT_EQ(VersionText(), "Rastrix " + std::string(VersionNumber()) + "\n");
}

}  // namespace
}  // namespace rastrix
