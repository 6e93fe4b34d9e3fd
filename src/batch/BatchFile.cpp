#include "batch/BatchFile.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "batch/BatchSteps.h"
#include "batch/HeadlessHost.h"
#include "codec/BmpWriter.h"
#include "codec/FileRead.h"
#include "codec/PictureReader.h"
#include "document/FileWrite.h"
#include "document/JoinDialog.h"
#include "document/OpenFile.h"
#include "document/SaveFile.h"
#include "editor/CommandIds.h"
#include "editor/Editor.h"
#include "editor/ImageStack.h"
#include "frame/CommandDispatch.h"
#include "frame/FrameSizing.h"
#include "raster/PixelPool.h"

namespace rastrix::batch {

namespace {

// The whole of standard input, up to the largest file the editor reads.
FileBytesResult ReadStandardInput() {
    FileBytesResult r;
    std::uint8_t chunk[1 << 16];
    for (;;) {
        const ssize_t n = ::read(STDIN_FILENO, chunk, sizeof chunk);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            r.failure = {FileStep::Read, errno};
            return r;
        }
        if (r.bytes.size() + std::size_t(n) > kMaxReadableFileBytes) {
            r.failure = {FileStep::Allocate, EFBIG};
            return r;
        }
        r.bytes.insert(r.bytes.end(), chunk, chunk + n);
    }
    r.ok = true;
    return r;
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
std::string OpenInput(Editor& ed, const std::string& input, bool bmpOnly) {
    FileBytesResult file = input == "-" ? ReadStandardInput() : MapWholeFileAsTouched(*ed.files, input);
    if (!file) return Describe(file.failure);
    const std::span<const std::uint8_t> bytes = file.View();
    if (bmpOnly && (bytes.size() < 2 || bytes[0] != 'B' || bytes[1] != 'M'))
        return "--in-place replaces BMP files only; write other pictures elsewhere with --out-dir";
    ReadFinished release;
    if (file.mapping) release = [&mapping = *file.mapping](std::size_t done) { mapping.Release(done); };
    BmpReadResult decoded = DecodePicture(bytes, release);
    if (!file.Intact()) return kFileCutShortText;
    if (!decoded.image) return std::string(decoded.Message());
    const auto size = std::uint32_t(bytes.size());
    file = {};  // unmaps a mapped file
    MakeOpenedImage(ed, input, size, std::move(*decoded.image));
    return {};
}

// --join: Browse for each named place, then Join, as in the Join Files dialog.
std::string JoinInputs(Editor& ed, HeadlessHost& host, const std::array<std::string, 4>& places) {
    host.modalScripts.push_back([&host, &places](DialogModel& dialog) {
        for (int p = 0; p < 4; ++p) {
            if (places[std::size_t(p)].empty()) continue;
            host.openAnswers.push_back(places[std::size_t(p)]);
            dialog.Command(JoinDialog::kFirstBrowse + p);
        }
        dialog.Command(IDOK);
        return dialog.Ended() ? dialog.Result() : IDCANCEL;
    });
    Dispatch(ed, IDM_JOIN);
    if (!host.Failure().empty()) return host.Failure();
    return ed.doc.fileSize == 0 ? "--join made no image" : "";
}

std::string Save(Editor& ed, const BatchOptions& o, const std::string& output) {
    const int depth = o.depth == kKeepDepth ? PlainSaveDepth(ed.doc.imageBitDepth) : o.depth;
    // The same question Save asks; the headless host answers it from --allow-colour-loss.
    const ColourLossQuestion ask = [&ed](int capacity) {
        return ed.host.MessageBox(ColorLossText(capacity), std::string(kColorLossCaption), MsgButtons::YesNo,
                                  MsgIcon::Warning) == IDYES;
    };
    std::vector<std::uint8_t> buffer;
    const BmpFileBytes file = EncodeBmpPieces(CurrentImage(ed), depth, ask, buffer);
    if (file.status == EncodeStatus::Declined) return static_cast<HeadlessHost&>(ed.host).Failure();
    if (file.status != EncodeStatus::Ok) return std::string(EncodeStatusMessage(file.status));
    if (file.saveDepth != 24) {
        // The image is in the file's bytes now; only they are needed from here. (24-bit rows
        // are encoded from the image as they are written.)
        ClearImageStack(ed);
        PixelPool::Shared().FreeKept();
    }
    if (output == "-") return WriteStandardOutput(file.pieces);
    const WriteResult written = WriteFileAtomically(*ed.files, output, file.pieces, kNewImageFileMode);
    return written ? "" : output + ": " + Describe(written.failure);
}

}  // namespace

std::string ProcessFile(const BatchOptions& options, const FileJob& job) {
    if (!options.overwrite && !options.inPlace && job.output != "-") {
        std::error_code ec;
        if (std::filesystem::symlink_status(job.output, ec).type() != std::filesystem::file_type::not_found)
            return job.output + " exists; give --overwrite to replace it";
    }
    HeadlessHost host(options.allowColourLoss);
    Editor ed(host);
    // The commands run in an editor laid out as on a screen, though none is shown.
    ed.frame = InitFrameState(ed.settings);
    OnFrameResize(ed.frame, ed.settings, SizeKind::Maximized, 1024, 768);
    std::string reason = options.join ? JoinInputs(ed, host, *options.join) : OpenInput(ed, job.input, options.inPlace);
    StepMemory memory;
    for (std::size_t i = 0; reason.empty() && i < options.steps.size(); ++i)
        reason = RunStep(ed, host, options.steps[i], memory);
    if (reason.empty()) reason = Save(ed, options, job.output);
    return reason;
}

}  // namespace rastrix::batch
