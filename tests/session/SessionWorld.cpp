#include "session/SessionWorld.h"

#include <array>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "codec/BmpWriter.h"
#include "support/EncodedBmpFile.h"
#include "document/ChangeSizeDialog.h"
#include "document/JoinDialog.h"
#include "document/NewImageDialog.h"
#include "edit/ReduceColorsDialog.h"
#include "edit/ScaleImageDialog.h"
#include "draw/StyleDialogs.h"
#include "frame/AboutDialog.h"

namespace rastrix::session {

namespace {

Color RandomColor(Prng& rng) { return ColorFromRgb(std::uint8_t(rng.Below(256)), std::uint8_t(rng.Below(256)), std::uint8_t(rng.Below(256))); }

// Width and height from a file's header, or nullopt when it has none we can read.
std::optional<std::pair<int, int>> HeaderSize(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::array<unsigned char, 26> h{};
    if (!in.read(reinterpret_cast<char*>(h.data()), std::streamsize(h.size()))) return std::nullopt;
    if (h[0] != 'B' || h[1] != 'M') return std::nullopt;
    auto le32 = [&](int at) { return std::int32_t(h[at] | h[at + 1] << 8 | h[at + 2] << 16 | std::uint32_t(h[at + 3]) << 24); };
    return std::pair{le32(18), le32(22)};
}

}  // namespace

Bitmap RandomImage(Prng& rng, int maxSide) {
    Bitmap b(rng.Between(1, maxSide), rng.Between(1, maxSide));
    std::vector<Color> inks(std::size_t(rng.Chance(70) ? rng.Between(1, 6) : rng.Between(7, 300)));
    for (Color& c : inks) c = RandomColor(rng);
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) b.SetPixel(x, y, rng.Pick(inks));
    return b;
}

SessionWorld::SessionWorld(Prng& rng) : rng_(rng) {
    const std::array<int, 4> depths{1, 4, 8, 24};
    for (int i = 0; i < 6; ++i) {
        const Bitmap image = RandomImage(rng_);
        const auto bytes = testing::EncodeBmpFile(image, depths[std::size_t(i % 4)], [](int) { return true; }).bytes;
        testing::WriteBytes(folder_.Path() / ("start" + std::to_string(i) + ".bmp"), bytes);
    }
    testing::Bytes garbage(std::size_t(rng_.Between(0, 200)));
    for (auto& b : garbage) b = std::uint8_t(rng_.Below(256));
    if (garbage.size() > 2) garbage[0] = 'B', garbage[1] = 'M';
    testing::WriteBytes(folder_.Path() / "damaged.bmp", garbage);

    // Palette files for Reduce Colours: a list of a random number of colours, a GIMP palette of
    // two, and one that is no palette at all.
    std::string list;
    for (int i = rng_.Between(1, 20); i > 0; --i) {
        char line[16];
        std::snprintf(line, sizeof line, "#%06X\n", unsigned(rng_.Below(1 << 24)));
        list += line;
    }
    const auto text = [](const std::string& s) { return testing::Bytes(s.begin(), s.end()); };
    testing::WriteBytes(folder_.Path() / "inks.hex", text(list));
    testing::WriteBytes(folder_.Path() / "two.gpl", text("GIMP Palette\n0 0 0 black\n255 255 255 white\n"));
    testing::WriteBytes(folder_.Path() / "broken.pal", text("JASC-PAL\n0100\n3\n1 2 3\n"));
}

std::string SessionWorld::SavedName(const std::string& chosen) {
    if (chosen.size() > 4) {
        std::string tail = chosen.substr(chosen.size() - 4);
        for (char& c : tail) c = char(std::tolower(static_cast<unsigned char>(c)));
        if (tail == ".bmp") return chosen;
    }
    return chosen + ".bmp";
}

std::vector<std::string> SessionWorld::OfferedFiles() const {
    std::vector<std::string> files{PathOf("missing.bmp"), PathOf("damaged.bmp")};
    for (const std::string& name : testing::FileNames(folder_.Path())) {
        const std::string path = PathOf(name);
        const auto size = HeaderSize(path);
        if (size && size->first <= kMaxOfferedSide && std::abs(size->second) <= kMaxOfferedSide) files.push_back(path);
    }
    return files;
}

FileDialogResult SessionWorld::RandomSaveAnswer() {
    static const std::vector<std::string> names{"a.bmp", "b.bmp", "c", "D.BMP", "e.bmp", "start1.bmp"};
    static const std::vector<int> filters{1, 2, 3, 4, 4, 4};
    return {PathOf(rng_.Pick(names)), rng_.Pick(filters)};
}

void SessionWorld::TypeSize(DialogModel& model, int widthEdit, int heightEdit) {
    static const std::vector<std::string> bad{"0", "", "x7", "65536", "70000", "100000", "-3", "9999999"};
    for (int edit : {widthEdit, heightEdit}) {
        if (rng_.Chance(85)) model.TextChanged(edit, std::to_string(rng_.Between(1, kMaxSide)) + (rng_.Chance(10) ? "px" : ""));
        else model.TextChanged(edit, rng_.Pick(bad));
    }
}

void SessionWorld::AnswerScaleImage(DialogModel& model) {
    using D = ScaleImageDialog;
    if (rng_.Chance(30)) model.Command(D::kKeepAspectBox);
    model.Select(D::kFilterList, rng_.Pick(std::vector<int>{D::kSmoothFilter, D::kNearestFilter}));
    model.Select(D::kFitList, rng_.Pick(std::vector<int>{D::kSizeAsTyped, D::kSizeAsTyped, D::kFitInside, D::kCoverSize}));
    // Both sides, or one of them so the other follows the ratio.
    switch (rng_.Below(8)) {
        case 0: TypeSize(model, D::kWidthEdit, D::kHeightEdit); break;
        case 1: model.TextChanged(D::kHeightEdit, std::to_string(rng_.Between(1, kMaxSide))); break;
        case 2: model.TextChanged(D::kWidthEdit, std::to_string(rng_.Between(1, kMaxSide))); break;
        default:
            model.TextChanged(D::kWidthEdit, std::to_string(rng_.Between(1, kMaxSide)));
            model.TextChanged(D::kHeightEdit, std::to_string(rng_.Between(1, kMaxSide)));
    }
}

void SessionWorld::AnswerReduceColors(DialogModel& model) {
    using D = ReduceColorsDialog;
    model.Select(D::kPaletteList, rng_.Below(int(model.Items(D::kPaletteList).size())));
    model.Select(D::kDitherList, rng_.Chance(50) ? 0 : rng_.Below(int(model.Items(D::kDitherList).size())));
    static const std::vector<std::string> counts{"2", "3", "16", "256", "1", "257", "", "x"};
    model.TextChanged(D::kColorsEdit, rng_.Pick(counts));
    static const std::vector<std::string> files{"inks.hex", "two.gpl", "broken.pal", "missing.pal", "damaged.bmp",
                                                "start0.bmp"};
    model.TextChanged(D::kFileEdit, PathOf(rng_.Pick(files)));
    static const std::vector<std::string> thresholds{"", "", "0", "50", "100", "101", "-1"};
    model.TextChanged(D::kThresholdEdit, rng_.Pick(thresholds));
}

int SessionWorld::AnswerDialog(DialogModel& model) {
    if (rng_.Chance(12)) {
        model.Command(DialogAnswer::Cancel);
        return model.Result();
    }
    if (dynamic_cast<NewImageDialog*>(&model)) {
        TypeSize(model, NewImageDialog::kWidthEdit, NewImageDialog::kHeightEdit);
        model.Command(rng_.Pick(std::vector<int>{NewImageDialog::kDepth1, NewImageDialog::kDepth4,
                                                 NewImageDialog::kDepth8, NewImageDialog::kDepth24}));
    } else if (dynamic_cast<ChangeSizeDialog*>(&model)) {
        if (rng_.Chance(80)) TypeSize(model, ChangeSizeDialog::kWidthEdit, ChangeSizeDialog::kHeightEdit);
    } else if (dynamic_cast<JoinDialog*>(&model)) {
        for (int p = 0; p < 4; ++p) {
            if (rng_.Chance(50)) model.Command(JoinDialog::kFirstBrowse + p);
            else if (rng_.Chance(15)) model.TextChanged(JoinDialog::kFirstEdit + p, PathOf("typed.bmp"));
        }
    } else if (dynamic_cast<ScaleImageDialog*>(&model)) {
        AnswerScaleImage(model);
    } else if (dynamic_cast<ReduceColorsDialog*>(&model)) {
        AnswerReduceColors(model);
    } else if (dynamic_cast<LineStyleDialog*>(&model)) {
        model.Command(ControlId::StyleRadio + rng_.Below(6));
        model.Select(ControlId::LineWidth, rng_.Below(9));
    } else if (dynamic_cast<FillStyleDialog*>(&model)) {
        model.Command(ControlId::StyleRadio + rng_.Below(8));
    }
    model.Command(DialogAnswer::Ok);
    if (!model.Ended()) model.Command(DialogAnswer::Cancel);
    return model.Result();
}

void SessionWorld::Refill(test::FakeHost& host) {
    host.messages.clear();
    host.openRequests.clear();
    host.saveRequests.clear();
    host.colorRequests.clear();
    host.openedUrls.clear();

    host.messageAnswers.clear();
    for (int i = 0; i < 6; ++i)
        host.messageAnswers.push_back(rng_.Pick(std::vector<int>{DialogAnswer::Yes, DialogAnswer::Yes, DialogAnswer::Yes, DialogAnswer::No, DialogAnswer::No, DialogAnswer::Cancel, DialogAnswer::Ok}));

    const std::vector<std::string> offered = OfferedFiles();
    host.openAnswers.clear();
    for (int i = 0; i < 6; ++i) {
        if (rng_.Chance(12)) host.openAnswers.push_back(std::nullopt);
        else host.openAnswers.push_back(FileDialogResult{rng_.Pick(offered), 1});
    }
    host.saveAnswers.clear();
    for (int i = 0; i < 3; ++i) {
        if (rng_.Chance(12)) host.saveAnswers.push_back(std::nullopt);
        else host.saveAnswers.push_back(RandomSaveAnswer());
    }
    host.colorAnswers.clear();
    for (int i = 0; i < 3; ++i) host.colorAnswers.push_back(rng_.Chance(25) ? std::nullopt : std::optional(RandomColor(rng_)));
    host.modalScripts.clear();
    for (int i = 0; i < 3; ++i) host.modalScripts.push_back([this](DialogModel& m) { return AnswerDialog(m); });
    host.clipboardOpens = !rng_.Chance(3);
}

}  // namespace rastrix::session
