#include "batch/BatchFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "batch/BatchFileSystem.h"
#include "batch/BatchNames.h"
#include "batch/BatchSizes.h"
#include "batch/BatchSteps.h"
#include "batch/BatchStream.h"
#include "batch/BatchStop.h"
#include "batch/BatchProblem.h"
#include "batch/HeadlessHost.h"
#include "codec/BmpWriter.h"
#include "codec/ExifOrientation.h"
#include "codec/JpegDecoder.h"
#include "codec/ScaledPicture.h"
#include "codec/FileRead.h"
#include "codec/PictureReader.h"
#include "document/FileWrite.h"
#include "document/Join.h"
#include "document/NewImageDialog.h"
#include "document/OpenFile.h"
#include "document/SaveFile.h"
#include "edit/ReduceColors.h"
#include "editor/Editor.h"
#include "editor/ImageStack.h"
#include "raster/PixelPool.h"

namespace rastrix::batch {

namespace {

// The whole of a stream (standard input, a pipe named on the command line), up to the largest
// file the editor reads. One that does not start as a picture is refused at its first bytes,
// and a stop ends the reading.
const StreamCheck kPictureStart = [](std::span<const std::uint8_t> bytes, bool whole) {
    const BmpError error = PictureStartError(bytes, whole);
    return error == BmpError::None ? std::string() : std::string(PictureErrorMessage(bytes, error));
};
const std::string kStreamTooLong = Describe({FileStep::Allocate, EFBIG});

std::string ReadStream(int fd, std::vector<std::uint8_t>& bytes) {
    return ReadStreamUpTo(fd, std::size_t(kMaxReadableFileBytes), bytes, kPictureStart, kStreamTooLong);
}

// A named input that is not a regular file: a pipe is read as standard input is; a folder or a
// device is refused. Empty when the input is a regular file (or not there: opening says so).
std::string ReadNonRegular(const std::string& input, bool inPlace, std::vector<std::uint8_t>& bytes, bool& read) {
    struct stat info {};
    read = false;
    if (::stat(input.c_str(), &info) != 0 || S_ISREG(info.st_mode)) return {};
    if (S_ISDIR(info.st_mode)) return "not a regular file; give -R to read the pictures in a folder";
    if (inPlace || !IsStream(input)) return "not a regular file";
    read = true;
    return ReadNamedStream(input, std::size_t(kMaxReadableFileBytes), bytes, kPictureStart, kStreamTooLong);
}

// A device, a pipe or a socket, through links: never replaced by a file, --overwrite or not.
bool IsDeviceOrStream(const std::string& name) {
    struct stat info {};
    return ::stat(name.c_str(), &info) == 0 && !S_ISREG(info.st_mode) && !S_ISDIR(info.st_mode);
}

std::string WriteStandardOutput(const ByteSource& pieces) {
    for (std::span<const std::uint8_t> bytes = pieces(); !bytes.empty(); bytes = pieces()) {
        while (!bytes.empty()) {
            const ssize_t n = ::write(STDOUT_FILENO, bytes.data(), bytes.size());
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return std::string("standard output: ") + std::strerror(errno);
            bytes = bytes.subspan(std::size_t(n));
        }
    }
    return {};
}

// The input becomes the editor's image, as Open makes a file the image. A named file is mapped,
// its pages mapped as the rows are decoded and let go after them, so the file and the decoded
// image are not held whole side by side, and the file's pages are the system's cache, not
// fresh memory.
// How a PNG or JPEG input is read: on the first --background, its alpha kept for a 32-bit
// file whose commands only scale, and straight to the size of a first --fit, --cover or
// --scale (a large JPEG then decodes reduced, a large PNG is averaged down as it is read).
struct InputReading {
    PictureOptions picture;
    const Step* firstScale = nullptr;  // done by the reading when set, so not run as a step
    bool autoOrient = false;
};

// The background colour the commands before step `at` leave set: the last --background given
// before it, white without one.
Pixel BackgroundBefore(const std::vector<Step>& steps, std::vector<Step>::const_iterator at) {
    Pixel background{0x00FFFFFFu};
    for (auto s = steps.begin(); s != at; ++s)
        if (s->kind == StepKind::Background) background = ColorToPixel(s->color);
    return background;
}

InputReading ReadingFor(const BatchOptions& o) {
    InputReading r;
    if (o.pictureBackground) r.picture.background = ColorToPixel(*o.pictureBackground);
    // A palette has no transparency: with --palette the picture is laid on its background. A
    // device form keeps it where its layout has alpha; anything else at 32 bits.
    const bool deviceForm = o.device.resolved && o.device.resolved->container != DeviceContainer::Bmp;
    const bool wantsAlpha = deviceForm ? InfoOf(o.device.resolved->layout).alpha : o.depth == 32;
    r.picture.keepAlpha = wantsAlpha && o.paletteName.empty();
    // The first command, after colours and styles only, may be a scale; the reading does it
    // when the colour it pads with (the background set before it) is the one transparent
    // pixels are laid on.
    auto first = std::find_if(o.steps.begin(), o.steps.end(), [](const Step& s) { return !IsStyle(s.kind); });
    if (first != o.steps.end() && first->kind == StepKind::Scale &&
        BackgroundBefore(o.steps, first) == r.picture.background)
        r.firstScale = &*first;
    r.autoOrient = o.autoOrient;
    r.picture.overlapRows = o.overlapRows;
    return r;
}

// A first scale given from the picture's size ("800x", "50%", "800x480>") worked out from the
// file's header, refused beyond the limits before anything is decoded. Without a header size
// the scale is left to run as a step once the picture is read; `scale` stays empty when the
// picture is left as it is.
std::string WorkOutFirstScale(std::span<const std::uint8_t> bytes, int orientation, InputReading& how,
                              std::optional<Step>& scale) {
    if (!how.firstScale) return {};
    if (how.firstScale->sizeForm == kSizeExact) {
        scale = *how.firstScale;
        return {};
    }
    const std::optional<HeaderSides> sides = PictureHeaderSize(bytes);
    if (!sides) {
        how.firstScale = nullptr;
        return {};
    }
    const bool across = orientation >= 5 && orientation <= 8;  // the sides as shown once turned
    std::string refusal;
    scale = ConcreteSizeStep(*how.firstScale, across ? sides->height : sides->width,
                             across ? sides->width : sides->height, refusal);
    return refusal;
}

BmpReadResult Decode(std::span<const std::uint8_t> bytes, const InputReading& how, int orientation,
                     const std::optional<Step>& scale, const ReadFinished& release) {
    BmpReadResult decoded;
    if (scale) {
        const Step& s = *scale;
        const bool across = orientation >= 5 && orientation <= 8;  // scaled lying, then turned
        ScaleTarget target{across ? s.b : s.a, across ? s.a : s.b,
                           s.c == 0 ? ScaleFit::Fit : s.c == 1 ? ScaleFit::Cover : ScaleFit::Exact,
                           s.d == 1 ? ScaleFilter::Nearest : ScaleFilter::Lanczos};
        decoded = DecodeScaled(bytes, target, how.picture, release);
        if (decoded.image && !TurnUpright(decoded.image->bitmap, orientation)) return {std::nullopt, BmpError::OutOfMemory};
        return decoded;
    }
    return DecodeUpright(bytes, orientation, how.picture, release);
}

std::string OpenInput(Editor& ed, const std::string& input, bool bmpOnly, InputReading& how,
                      std::optional<Bitmap>& alpha) {
    FileBytesResult file;
    bool streamed = input == "-";
    std::string reason = streamed ? ReadStream(STDIN_FILENO, file.bytes) : ReadNonRegular(input, bmpOnly, file.bytes, streamed);
    if (!reason.empty()) return reason;
    if (streamed) file.ok = true;
    else file = MapWholeFileAsTouched(*ed.files, input);
    if (!file) return Describe(file.failure);
    const std::span<const std::uint8_t> bytes = file.View();
    if (bmpOnly && (bytes.size() < 2 || bytes[0] != 'B' || bytes[1] != 'M'))
        return "--in-place replaces BMP files only; write other pictures elsewhere with --out-dir";
    // The file's pages are let go 2 MiB at a time, not after every row: each letting go flushes
    // the address translations of every core the process runs on, and at a row of a large PNG at
    // a time that took more time than the decoding.
    constexpr std::size_t kReleaseStep = std::size_t(2) << 20;
    ReadFinished release;
    std::size_t released = 0;
    if (file.mapping)
        release = [&mapping = *file.mapping, &released](std::size_t done) {
            if (done < released + kReleaseStep) return;
            mapping.Release(done);
            released = done;
        };
    const int orientation = how.autoOrient && IsJpeg(bytes) ? ReadExifOrientation(bytes) : kUprightOrientation;
    std::optional<Step> scale;
    if (std::string refusal = WorkOutFirstScale(bytes, orientation, how, scale); !refusal.empty()) return refusal;
    BmpReadResult decoded = Decode(bytes, how, orientation, scale, release);
    if (!file.Intact()) return kFileCutShortText;
    if (!decoded.image) return std::string(PictureErrorMessage(bytes, decoded.error));
    const auto size = std::uint32_t(bytes.size());
    file = {};  // unmaps a mapped file
    alpha = std::move(decoded.image->alpha);
    MakeOpenedImage(ed, input, size, std::move(*decoded.image));
    return {};
}

// --join: each named place put in, as Browse puts a file in the Join Files dialog, then the
// join. Join reads bitmaps; a PNG or JPEG file is handed to it as the bitmap it decodes to.
std::string JoinInputs(Editor& ed, BatchFileSystem& files, const std::array<std::string, 4>& places) {
    for (const std::string& place : places) {
        if (place.empty()) continue;
        const FileBytesResult start = ReadFileStart(files, place, 8);
        if (!start || (start.bytes.size() >= 2 && start.bytes[0] == 'B' && start.bytes[1] == 'M')) continue;
        const FileBytesResult file = MapWholeFile(files, place);
        if (!file) continue;  // Join reports it
        const BmpReadResult decoded = DecodePicture(file.View());
        if (!decoded.image) return place + ": " + std::string(PictureErrorMessage(file.View(), decoded.error));
        std::vector<std::uint8_t> buffer, bytes;
        const BmpFileBytes bmp = EncodeBmpPieces(decoded.image->bitmap, 24, {}, buffer);
        if (bmp.status != EncodeStatus::Ok) return place + ": " + std::string(EncodeStatusMessage(bmp.status));
        for (auto piece = bmp.pieces(); !piece.empty(); piece = bmp.pieces()) bytes.insert(bytes.end(), piece.begin(), piece.end());
        files.Serve(place, std::move(bytes));
    }
    JoinParams params;
    for (int p = 0; p < kJoinPositions; ++p)
        if (!places[std::size_t(p)].empty() && !PlaceJoinFile(ed, params, p, places[std::size_t(p)]))
            return TakeProblemReason(ed);
    RunJoin(ed, params);
    if (std::string reason = TakeProblemReason(ed); !reason.empty()) return reason;
    return ed.doc.fileSize == 0 ? "--join made no image" : "";
}

// The file's bytes to standard output or, whole or not at all, to the output file.
std::string WriteOutput(Editor& ed, const BmpFileBytes& file, const std::string& output) {
    if (output == "-") return WriteStandardOutput(file.pieces);
    const WriteResult written = WriteImageFile(ed, output, file);
    return written ? "" : output + ": " + Describe(written.failure);
}

// The depth written: --depth, else with --palette the smallest that holds its table, else the
// one the editor's Save keeps.
int DepthToWrite(const Editor& ed, const BatchOptions& o) {
    if (o.depth != kKeepDepth) return o.depth;
    if (!o.paletteName.empty()) return SmallestIndexedDepth(CurrentPalette(ed).size());
    return PlainSaveDepth(ed.doc.imageBitDepth);
}

// A device file (--format, --for): the one export both front ends call.
std::string SaveDeviceFile(Editor& ed, const BatchOptions& o, const FileJob& job, const std::optional<Bitmap>& alpha) {
    const DeviceFile file = DeviceFileFor(ed, o, job.input, job.output, alpha);
    if (!file.problem.Ok()) return DeviceFileProblemText(file.problem);
    ClearImageStack(ed);
    return WriteOutput(ed, {EncodeStatus::Ok, 0, file.bytes.size(), WholeBytes(file.bytes)}, job.output);
}

// The image written as the editor's Save writes it at the depth: a palette it was reduced to
// is its table, 16 and 32 bits as Save As writes them (with the kept alpha at 32 bits).
std::string Save(Editor& ed, const BatchOptions& o, const std::string& output, const std::optional<Bitmap>& alpha) {
    const int depth = DepthToWrite(ed, o);
    // The question Save asks, answered from --allow-colour-loss; a No says what to give instead.
    std::string declined;
    const ColorLossQuestion ask = [&o, &declined](int capacity) {
        if (o.allowColorLoss) return true;
        declined = "This image contains more than " + std::to_string(capacity) +
                   " colours; some colours would be lost. Give --allow-colour-loss to write it with the nearest "
                   "colours, or, for a photo, --palette optimised:" + std::to_string(capacity) + " to write the " +
                   std::to_string(capacity) + " colours that suit it best.";
        return false;
    };
    std::vector<std::uint8_t> buffer;
    const KeptAlpha kept{alpha ? &*alpha : nullptr, ColorToPixel(o.pictureBackground.value_or(ColorFromRgb(255, 255, 255)))};
    const BmpFileBytes file = EncodeCurrentImage(ed, depth, ask, buffer, kept);
    if (file.status == EncodeStatus::Declined) return declined;
    if (file.status != EncodeStatus::Ok) return std::string(EncodeStatusMessage(file.status));
    if (file.saveDepth != 24) {
        // The image is in the file's bytes now; only they are needed from here. (24-bit rows
        // are encoded from the image as they are written.)
        ClearImageStack(ed);
        PixelPool::Shared().FreeKept();
    }
    return WriteOutput(ed, file, output);
}

// --palette: Reduce Colours after the commands, as the editor's user would run it last.
std::string Reduce(Editor& ed, const BatchOptions& o) {
    RunReduceColors(ed, o.reduce);
    DropUndoLevels(ed);
    PixelPool::Shared().FreeKept();
    return TakeProblemReason(ed);
}

// Why the output may not be written to: a device or a stream, or a file there already
// without --overwrite (kSkippedText with --skip-existing).
std::string OutputRefusal(const BatchOptions& options, const std::string& output) {
    if (output != "-" && IsDeviceOrStream(output)) return output + ": not a regular file";
    if (!options.overwrite && !options.inPlace && output != "-") {
        std::error_code ec;
        const std::filesystem::file_type type = std::filesystem::symlink_status(output, ec).type();
        // A name the system cannot look up (too long, through a folder that may not be
        // entered) says why; only a name that is there exists.
        if (ec && type != std::filesystem::file_type::not_found) return output + ": " + ec.message();
        if (type != std::filesystem::file_type::not_found)
            return options.skipExisting ? kSkippedText : output + " exists; give --overwrite to replace it";
    }
    return {};
}

}  // namespace

std::string ProcessFile(const BatchOptions& options, const FileJob& given, std::string* writtenTo) {
    FileJob job = given;
    // A name with the size written in it is known once the steps are done.
    const bool named = options.namePattern.empty() || !WaitsForSize(options.namePattern);
    if (named)
        if (std::string refusal = OutputRefusal(options, job.output); !refusal.empty()) return refusal;
    HeadlessHost host;
    Editor ed(host);
    BatchFileSystem files;
    ed.files = &files;
    InputReading how = options.join ? InputReading{} : ReadingFor(options);
    // A scale done by the reading is refused as the command refuses it, before anything is read.
    if (how.firstScale && how.firstScale->sizeForm == kSizeExact)
        if (const auto why = RefuseImageSize(std::uint32_t(how.firstScale->a), std::uint32_t(how.firstScale->b)))
            return std::string(*why);
    StepMemory memory;
    std::string reason = options.join ? JoinInputs(ed, files, *options.join)
                                      : OpenInput(ed, job.input, options.inPlace, how, memory.alpha);
    for (std::size_t i = 0; reason.empty() && i < options.steps.size(); ++i)
        if (&options.steps[i] != how.firstScale) reason = RunStep(ed, options.steps[i], memory);
    if (reason.empty() && !named) {
        job.output = FillInSize(job.output, ed.doc.imageWidth, ed.doc.imageHeight);
        reason = OutputRefusal(options, job.output);
    }
    if (writtenTo) *writtenTo = job.output;
    if (reason.empty() && options.dryRun) return {};
    if (reason.empty() && options.keepFolders) {
        // The input's folders under --out-dir, made as the files are.
        std::error_code made;
        const std::filesystem::path folder = std::filesystem::path(job.output).parent_path();
        if (!folder.empty() && !std::filesystem::create_directories(folder, made) && made)
            reason = folder.string() + ": " + made.message();
    }
    // A device form maps to its palette itself, after its tone adjustments; a BMP is reduced
    // as the editor's Reduce Colours does it, then saved.
    if (reason.empty() && !options.paletteName.empty() && !options.device.resolved) reason = Reduce(ed, options);
    if (reason.empty() && StopSignal() != 0) reason = kStoppedText;
    if (reason.empty())
        reason = options.device.resolved ? SaveDeviceFile(ed, options, job, memory.alpha) : Save(ed, options, job.output, memory.alpha);
    return reason;
}

}  // namespace rastrix::batch
