#include "batch/BatchPlan.h"

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <map>

#include "store/FileSystem.h"

namespace rastrix::batch {

namespace {

namespace fs = std::filesystem;

std::string NameKey(const fs::path& path) {
    std::error_code ec;
    const fs::path whole = fs::absolute(path, ec);
    return "name " + (ec ? path : whole).lexically_normal().string();
}

// What a name stands for: the file it reaches (following links), or, for a name where no file
// is yet, the folder that would hold it and the last part of the name.
std::string IdentityOf(const fs::path& name) {
    struct stat info {};
    if (::stat(name.c_str(), &info) == 0) return "file " + std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino);
    const fs::path folder = name.parent_path().empty() ? fs::path(".") : name.parent_path();
    if (::stat(folder.c_str(), &info) == 0)
        return "in " + std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino) + "/" + name.filename().string();
    return NameKey(name);
}

// The file a write to the output would land in: a link is followed as the write follows it.
std::string OutputIdentity(const std::string& output) {
    fs::path file;
    if (PosixFileSystem().ResolveLinks(output, file) != 0) file = output;
    return IdentityOf(file);
}

bool SameFolder(const char* a, const char* b) {
    struct stat x {}, y {};
    return ::stat(a, &x) == 0 && ::stat(b, &y) == 0 && x.st_dev == y.st_dev && x.st_ino == y.st_ino;
}

bool Below(const fs::path& relative) { return !relative.empty() && *relative.begin() != ".."; }

// An absolute name relative to the current folder: by the name the system gives that folder
// or, when the shell reached it through a symbolic link, by the shell's name for it ($PWD,
// which names such a folder by the link), as the user's "$PWD/a/x.png" does.
fs::path RelativeToCurrent(const fs::path& name) {
    std::error_code ec;
    const fs::path relative = name.lexically_relative(fs::current_path(ec));
    if (Below(relative)) return relative;
    const char* shell = std::getenv("PWD");
    if (shell && shell[0] == '/' && SameFolder(shell, ".")) {
        fs::path logical = name.lexically_relative(fs::path(shell).lexically_normal());
        if (Below(logical)) return logical;
    }
    return relative;
}

std::string OutputOf(const BatchOptions& o, const std::string& input, std::string& refusal) {
    if (!o.output.empty()) return o.output;
    if (o.inPlace) return input;
    fs::path name = fs::path(input).filename().replace_extension(OutputExtension(o));
    if (o.keepFolders) {
        fs::path relative = fs::path(input).lexically_normal();
        if (relative.is_absolute()) relative = RelativeToCurrent(relative);
        if (!Below(relative)) {
            refusal = "--keep-folders keeps the folders below the current one, and this file lies outside it";
            return {};
        }
        name = relative.parent_path() / name;
    }
    return (fs::path(o.outDir) / name).string();
}

}  // namespace

JobPlan PlanJobs(const BatchOptions& o, const std::vector<std::string>& inputs) {
    JobPlan plan;
    std::map<std::string, std::string> readers;  // input's identity -> the input first naming it
    std::map<std::string, std::string> writers;  // output's identity -> the input that writes it
    for (const std::string& input : inputs) {
        if (input != "-") {
            const auto [at, first] = readers.emplace(IdentityOf(input), input);
            if (!first) {
                plan.notes.push_back(at->second == input ? ListedTwiceNote(input)
                                                         : input + ": the same file as " + at->second + "; done once");
                continue;
            }
        }
        PlannedJob p{{input, ""}, {}};
        if (o.inPlace && input == "-") {
            // A list's "-" is standard input, which has no file to replace.
            p.refusal = "--in-place needs input files to replace; standard input is not one";
            plan.jobs.push_back(std::move(p));
            continue;
        }
        p.job.output = OutputOf(o, input, p.refusal);
        if (p.refusal.empty() && p.job.output != "-") {
            const auto [at, first] = writers.emplace(OutputIdentity(p.job.output), input);
            if (!first) p.refusal = "would write " + p.job.output + " as " + at->second + " does";
        }
        plan.jobs.push_back(std::move(p));
    }
    return plan;
}

}  // namespace rastrix::batch
