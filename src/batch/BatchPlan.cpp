#include "batch/BatchPlan.h"

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>

#include "batch/BatchNames.h"

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

// An input's folder as --keep-folders mirrors it: relative to the current folder, or from
// `root` (the folder all inputs share) when some input lies outside the current one. Empty
// with a refusal for a name that names no file in a folder ("/", "..").
std::optional<fs::path> MirroredFolder(const std::string& input, const std::optional<fs::path>& root, std::string& refusal) {
    const fs::path normal = fs::path(input).lexically_normal();
    const std::string last = normal.filename().string();
    if (last.empty() || last == "." || last == "..") {
        refusal = "--keep-folders cannot mirror '" + input + "': it names no file in a folder";
        return std::nullopt;
    }
    if (root) {
        std::error_code ec;
        return fs::absolute(normal, ec).lexically_normal().parent_path().lexically_relative(*root);
    }
    return (normal.is_absolute() ? RelativeToCurrent(normal) : normal).parent_path();
}

// The folder every input lies in when some lies outside the current one; nothing when all are
// below it (then their folders are kept as they are named from here).
std::optional<fs::path> SharedRoot(const std::vector<std::string>& inputs) {
    std::optional<fs::path> root;
    bool outside = false;
    for (const std::string& input : inputs) {
        if (input == "-") continue;
        const fs::path normal = fs::path(input).lexically_normal();
        const std::string last = normal.filename().string();
        if (last.empty() || last == "." || last == "..") continue;  // refused on its own
        if (!Below(normal.is_absolute() ? RelativeToCurrent(normal) : normal)) outside = true;
        std::error_code ec;
        const fs::path folder = fs::absolute(normal, ec).lexically_normal().parent_path();
        if (!root) {
            root = folder;
            continue;
        }
        fs::path shared;
        for (auto a = root->begin(), b = folder.begin(); a != root->end() && b != folder.end() && *a == *b; ++a, ++b)
            shared /= *a;
        root = shared;
    }
    return outside ? root : std::nullopt;
}

std::string OutputOf(const BatchOptions& o, const std::string& input, std::size_t place,
                     const std::optional<fs::path>& root, std::string& refusal) {
    if (!o.output.empty()) return o.output;
    if (o.inPlace) return input;
    fs::path name = o.namePattern.empty()
                        ? fs::path(input).filename().replace_extension(OutputExtension(o))
                        : fs::path(ExpandNamePattern(o.namePattern, input, place, -1, -1, std::string(OutputExtension(o))));
    if (o.keepFolders) {
        const std::optional<fs::path> folder = MirroredFolder(input, root, refusal);
        if (!folder) return {};
        name = *folder / name;
    }
    return (fs::path(o.outDir) / name).string();
}

}  // namespace

JobPlan PlanJobs(const BatchOptions& o, const std::vector<std::string>& inputs) {
    JobPlan plan;
    std::map<std::string, std::string> readers;  // input's identity -> the input first naming it
    std::map<std::string, std::string> writers;  // output's identity -> the input that writes it
    const std::optional<fs::path> root = o.keepFolders ? SharedRoot(inputs) : std::nullopt;
    std::size_t place = 0;
    for (const std::string& input : inputs) {
        ++place;
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
        p.job.output = OutputOf(o, input, place, root, p.refusal);
        if (p.refusal.empty() && p.job.output != "-") {
            const auto [at, first] = writers.emplace(OutputIdentity(p.job.output), input);
            if (!first) p.refusal = "would write " + p.job.output + " as " + at->second + " does";
            // A pattern is the user's to mend: nothing is written with one that names two inputs alike.
            if (!first && !o.namePattern.empty() && plan.error.empty())
                plan.error = "--name " + o.namePattern + " gives " + at->second + " and " + input + " the same output " +
                             p.job.output + "; put {stem}, {name} or {n} in it";
        }
        plan.jobs.push_back(std::move(p));
    }
    return plan;
}

}  // namespace rastrix::batch
