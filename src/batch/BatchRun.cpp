#include "batch/BatchRun.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <mutex>
#include <thread>

#include "frame/CommandLine.h"

namespace rastrix::batch {

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// The names of a --files-from list, one a line; blank lines are skipped.
bool ReadList(const std::string& list, std::vector<std::string>& names) {
    std::ifstream file;
    if (list != "-") {
        file.open(list);
        if (!file) return false;
    }
    std::istream& in = list == "-" ? std::cin : file;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) names.push_back(line);
    }
    return !in.bad();
}

std::string OutputOf(const BatchOptions& o, const std::string& input) {
    if (!o.output.empty()) return o.output;
    if (o.inPlace) return input;
    return (fs::path(o.outDir) / fs::path(input).filename().replace_extension(".bmp")).string();
}

// What the workers share: the next job to take and the counts the progress line shows.
struct Progress {
    std::atomic<std::size_t> next{0};
    std::atomic<std::size_t> done{0};
    std::atomic<std::size_t> failed{0};
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

void Work(const BatchOptions& o, const std::vector<PlannedJob>& jobs, Progress& p) {
    for (std::size_t i = p.next++; i < jobs.size(); i = p.next++) {
        const PlannedJob& planned = jobs[i];
        const std::string reason = planned.refusal.empty() ? ProcessFile(o, planned.job) : planned.refusal;
        if (!reason.empty()) {
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

}  // namespace

std::vector<PlannedJob> PlanJobs(const BatchOptions& o, const std::vector<std::string>& inputs) {
    std::vector<PlannedJob> jobs;
    std::map<std::string, std::string> writers;  // output -> the input that writes it
    for (const std::string& input : inputs) {
        PlannedJob p{{input, OutputOf(o, input)}, {}};
        const auto [at, first] = writers.emplace(fs::path(p.job.output).lexically_normal().string(), input);
        if (!first) p.refusal = "would write " + p.job.output + " as " + at->second + " does";
        jobs.push_back(std::move(p));
    }
    return jobs;
}

int RunBatch(std::span<const std::string> args) {
    const ParsedArguments parsed = ParseBatchArguments(args);
    if (!parsed.options) return UsageError(parsed.error);
    const BatchOptions& o = *parsed.options;
    if (o.help) {
        std::fputs(BatchHelpText().c_str(), stdout);
        return 0;
    }
    if (o.version) {
        std::printf("rastrix-batch %s\n", std::string(VersionNumber()).c_str());
        return 0;
    }
    std::vector<std::string> inputs = o.inputs;
    if (!o.filesFrom.empty() && !ReadList(o.filesFrom, inputs)) return UsageError("cannot read the list " + o.filesFrom);
    if (!o.outDir.empty()) {
        // A folder that is not there yet is made, as the files will be.
        std::error_code made;
        fs::create_directories(o.outDir, made);
        if (!fs::is_directory(o.outDir))
            return UsageError("--out-dir " + o.outDir + " is not a folder" + (made ? " (" + made.message() + ")" : ""));
    }
    const std::vector<PlannedJob> jobs = o.join ? std::vector<PlannedJob>{{{"", o.output}, {}}} : PlanJobs(o, inputs);

    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t workers = std::min<std::size_t>(o.jobs > 0 ? std::size_t(o.jobs) : cores, jobs.size());
    const bool terminal = ::isatty(STDERR_FILENO) != 0;
    const Clock::time_point start = Clock::now();
    Progress progress;
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
    std::fprintf(stderr, "rastrix-batch: %zu written, %zu failed, %.2f s\n", jobs.size() - failed, failed, seconds);
    return failed == 0 ? 0 : 1;
}

}  // namespace rastrix::batch
