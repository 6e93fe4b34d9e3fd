#include "batch/BatchRun.h"

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <new>
#include <thread>

#include "batch/BatchFolders.h"
#include "batch/BatchList.h"
#include "batch/BatchStop.h"
#include "frame/CommandLine.h"
#include "raster/Bands.h"

namespace rastrix::batch {

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// What the workers share: the next job to take and the counts the progress line shows.
struct Progress {
    std::atomic<std::size_t> next{0};
    std::atomic<std::size_t> done{0};
    std::atomic<std::size_t> failed{0};
    std::atomic<std::size_t> abandoned{0};  // not written because the run was stopped
    std::atomic<std::size_t> skipped{0};    // --skip-existing: the output was there already
    std::vector<std::string> wouldWrite;    // --dry-run: "input -> output" for each job, in order
    std::mutex report;  // one failure line at a time
    bool lineShown = false;
};

void ShowProgress(Progress& p, std::size_t total, Clock::time_point start, bool final) {
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    const std::size_t done = p.done;
    std::fprintf(stderr, "\r%zu/%zu done, %zu failed, %.1f files/s%s", done, total, std::size_t(p.failed),
                 seconds > 0 ? double(done) / seconds : 0.0, final ? "\n" : "");
    p.lineShown = !final;
}

std::string ProcessOrSayWhy(const BatchOptions& o, const PlannedJob& planned, std::string& output) {
    if (!planned.refusal.empty()) return planned.refusal;
    try {
        return ProcessFile(o, planned.job, &output);
    } catch (const std::bad_alloc&) {
        return "there is not enough memory for this file";
    }
}

void Work(const BatchOptions& o, const std::vector<PlannedJob>& jobs, Progress& p) {
    for (std::size_t i = p.next++; i < jobs.size() && StopSignal() == 0; i = p.next++) {
        const PlannedJob& planned = jobs[i];
        std::string output;
        const std::string reason = ProcessOrSayWhy(o, planned, output);
        if (reason == kSkippedText) {
            ++p.skipped;
        } else if (reason.empty() && o.dryRun) {
            p.wouldWrite[i] = (planned.job.input.empty() ? "--join" : planned.job.input) + " -> " + output + "\n";
        } else if (!reason.empty() && StopSignal() != 0) {
            ++p.abandoned;
        } else if (!reason.empty()) {
            const std::lock_guard lock(p.report);
            std::fprintf(stderr, "%s%s: %s\n", p.lineShown ? "\r\033[K" : "",
                         planned.job.input.empty() ? "--join" : planned.job.input.c_str(), reason.c_str());
            p.lineShown = false;
            ++p.failed;
        }
        ++p.done;
    }
}

int UsageError(const std::string& error) {
    std::fprintf(stderr, "rastrix-batch: %s\nTry 'rastrix-batch --help'.\n", error.c_str());
    return 2;
}

const char* SignalName(int signal) {
    switch (signal) {
        case SIGINT: return "SIGINT";
        case SIGTERM: return "SIGTERM";
        case SIGHUP: return "SIGHUP";
        default: return "a signal";
    }
}

int Run(std::span<const std::string> args) {
    const ParsedArguments parsed = ParseBatchArguments(args);
    if (!parsed.options) return UsageError(parsed.error);
    BatchOptions o = *parsed.options;
    if (o.help) {
        std::fputs(BatchHelpText().c_str(), stdout);
        return 0;
    }
    if (o.device.listProfiles) {
        std::fputs(ListProfilesText().c_str(), stdout);
        return 0;
    }
    if (o.version) {
        std::printf("rastrix-batch %s\n", std::string(VersionNumber()).c_str());
        return 0;
    }
    std::vector<std::string> inputs = o.inputs;
    std::vector<std::string> repeated;
    if (!o.filesFrom.empty()) {
        const std::string error = ReadNameList(o.filesFrom, o.nullSeparated, inputs, repeated);
        if (const int signal = StopSignal(); signal != 0) {
            if (!o.quiet) std::fprintf(stderr, "rastrix-batch: stopped by %s while the list was read\n", SignalName(signal));
            return StoppedExitStatus(signal);
        }
        if (!error.empty()) return UsageError(error);
    }
    std::vector<std::string> folderNotes;
    if (o.recursive) inputs = ExpandFolders(inputs, folderNotes);
    // The forms that give an error code: a name too long, a circle of links or a folder that
    // may not be entered is reported, never thrown.
    std::error_code ec;
    if (!o.output.empty() && o.output != "-" && fs::is_directory(o.output, ec))
        return UsageError("-o " + o.output + " is a folder; give a file name, or --out-dir " + o.output +
                          " to write there under the input's name");
    if (!o.outDir.empty()) {
        // A folder that is not there yet is made, as the files will be (a dry run makes none).
        std::error_code made;
        if (!o.dryRun) fs::create_directories(o.outDir, made);
        if (!fs::is_directory(o.outDir, ec) && !(o.dryRun && !fs::exists(o.outDir, ec))) {
            const std::error_code& why = made ? made : ec;
            return UsageError("--out-dir " + o.outDir + " is not a folder" + (why ? " (" + why.message() + ")" : ""));
        }
    }
    const JobPlan plan = o.join ? JobPlan{{{{"", o.output}, {}}}, {}, {}} : PlanJobs(o, inputs);
    const std::vector<PlannedJob>& jobs = plan.jobs;
    if (!plan.error.empty()) return UsageError(plan.error);
    if (!o.quiet)
        for (const std::string& note : folderNotes) std::fprintf(stderr, "%s\n", note.c_str());
    if (!o.quiet) {
        for (const std::string& name : repeated) std::fprintf(stderr, "%s\n", ListedTwiceNote(name).c_str());
        for (const std::string& note : plan.notes) std::fprintf(stderr, "%s\n", note.c_str());
    }

    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t workers = std::min<std::size_t>(o.jobs > 0 ? std::size_t(o.jobs) : cores, jobs.size());
    // A second thread for each file only where every worker can have one: no more threads than cores.
    o.overlapRows = workers * 2 <= std::size_t(BandThreads());
    const bool terminal = !o.quiet && ::isatty(STDERR_FILENO) != 0;
    const Clock::time_point start = Clock::now();
    Progress progress;
    progress.wouldWrite.resize(o.dryRun ? jobs.size() : 0);
    std::vector<std::thread> threads;
    for (std::size_t i = 1; i < workers; ++i) threads.emplace_back([&] { Work(o, jobs, progress); });
    // The first worker is this thread; another one shows the progress on a terminal.
    std::atomic<bool> finished{false};
    std::thread ticker;
    if (terminal) {
        ticker = std::thread([&] {
            while (!finished) {
                std::this_thread::sleep_for(std::chrono::milliseconds(200));
                const std::lock_guard lock(progress.report);
                if (!finished) ShowProgress(progress, jobs.size(), start, false);
            }
        });
    }
    Work(o, jobs, progress);
    for (std::thread& t : threads) t.join();
    finished = true;
    if (ticker.joinable()) ticker.join();
    if (progress.lineShown) std::fputs("\r\033[K", stderr);

    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    const std::size_t failed = progress.failed;
    const std::size_t skipped = progress.skipped;
    const std::size_t written = progress.done - failed - progress.abandoned - skipped;
    for (const std::string& line : progress.wouldWrite) std::fputs(line.c_str(), stdout);
    const std::string skippedPart = o.skipExisting ? std::to_string(skipped) + " skipped, " : "";
    if (const int signal = StopSignal(); signal != 0) {
        if (!o.quiet)
            std::fprintf(stderr, "rastrix-batch: stopped by %s: %zu written, %zu failed, %zu not done, %.2f s\n",
                         SignalName(signal), written, failed, jobs.size() - written - failed - skipped, seconds);
        return StoppedExitStatus(signal);
    }
    if (!o.quiet)
        std::fprintf(stderr, "rastrix-batch: %zu %s, %s%zu failed, %.2f s\n", written,
                     o.dryRun ? "would be written" : "written", skippedPart.c_str(), failed, seconds);
    return failed == 0 ? 0 : 1;
}

}  // namespace

int RunBatch(std::span<const std::string> args) {
    try {
        return Run(args);
    } catch (const std::bad_alloc&) {
        std::fputs("rastrix-batch: there is not enough memory to go on\n", stderr);
        return 1;
    }
}

}  // namespace rastrix::batch
