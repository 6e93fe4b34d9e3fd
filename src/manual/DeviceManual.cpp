#include "manual/DeviceManual.h"

#include "device/DeviceProfiles.h"

namespace rastrix::manual {

std::string LayoutExample(std::string_view layout) {
    const LayoutInfo& info = InfoOf(*LayoutByName(layout));
    const std::string palette = info.kind == LayoutKind::Index ? (info.bits == 1 ? " --palette bw" : info.bits == 2 ? " --palette grey4" : info.bits == 4 ? " --palette epaper7" : " --palette optimised:256") : "";
    return "rastrix-batch --format bin --layout " + std::string(layout) + palette + " -o picture.bin picture.png";
}

std::string FormatExample(std::string_view format) {
    const DeviceContainer c = *ContainerByName(format);
    const std::string layout = c == DeviceContainer::Bmp ? " --depth 16 --gamma 1.2" : c == DeviceContainer::Xbm ? "" : " --layout rgb565";
    return "rastrix-batch --format " + std::string(format) + layout + " -o picture" + std::string(InfoOf(c).extension) + " picture.png";
}

std::string ProfileExample(std::string_view profile) {
    const DeviceProfile* p = FindProfile(profile, {});
    return "rastrix-batch --for " + std::string(profile) + " -o picture" + std::string(InfoOf(p->container).extension) + " picture.png";
}

void DeviceFilesSection(RoffPage& page) {
    page.Section("Device files");
    page.Paragraph(
        "With --format, --for or a device option, rastrix-batch writes what a display library on a microcontroller takes "
        "instead of the editor's BMP file: the picture after the commands, its tones adjusted (--brightness, --contrast, "
        "--gamma), its colours mapped to what the layout holds (with --dither or --threshold), packed in a layout and put "
        "in a file of the format. The editor's File > Export for Device... makes the same file from the same settings.");
    page.Subsection("Layouts (--layout)");
    for (const LayoutInfo& l : DeviceLayouts()) page.Entry("\\fB" + RoffCode(l.name) + "\\fR", l.description, LayoutExample(l.name));
    page.Subsection("Formats (--format)");
    for (const ContainerInfo& c : DeviceContainers())
        page.Entry("\\fB" + RoffCode(c.name) + "\\fR", std::string(c.description) + "; the file ends in " + std::string(c.extension),
                   FormatExample(c.name));
    page.Subsection("Profiles (--for)");
    for (const DeviceProfile& p : BuiltInProfiles()) {
        const std::string form = p.container == DeviceContainer::Bmp
                                     ? "a " + std::to_string(p.bmpDepth) + "-bit BMP file"
                                     : std::string(InfoOf(p.container).name) + " format, layout " + std::string(InfoOf(p.layout).name);
        const std::string palette = p.palette.empty() ? "" : ", palette " + std::string(p.palette);
        page.Entry("\\fB" + RoffCode(p.name) + "\\fR", form + palette + ": " + std::string(p.function), ProfileExample(p.name));
    }
}

std::string UserProfilesParagraph(const std::string& settingsFolders) {
    return "Your own device profiles are read from the file " + std::string(kUserProfilesValueName) +
           " in the settings folder (" + settingsFolders +
           "): one profile a line, its name and then key=value words: like=PROFILE (start from another profile), format, "
           "layout, palette, dither, invert=yes|no, progmem=yes|no, depth (BMP), brightness, contrast, gamma, and "
           "function=TEXT (the library call, the rest of the line). Lines starting with # are comments. A line that "
           "breaks a rule is named with the reason, and the file is then not used; its names may not be those of "
           "the built-in profiles. --list-profiles shows them all.";
}

}  // namespace rastrix::manual
