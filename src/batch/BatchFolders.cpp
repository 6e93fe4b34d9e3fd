#include "batch/BatchFolders.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace rastrix::batch {

namespace {

namespace fs = std::filesystem;

bool IsPictureName(const fs::path& name) {
    std::string ext = name.extension().string();
    for (char& c : ext) c = char(std::tolower(static_cast<unsigned char>(c)));
    return ext == ".bmp" || ext == ".png" || ext == ".jpg" || ext == ".jpeg";
}

void AddFolder(const std::string& folder, std::vector<std::string>& out, std::vector<std::string>& notes) {
    std::vector<std::string> found;
    std::error_code ec;
    fs::recursive_directory_iterator it(folder, fs::directory_options::none, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (it->is_regular_file(typeError) && IsPictureName(it->path())) found.push_back(it->path().string());
    }
    if (ec) notes.push_back(folder + ": " + ec.message() + "; the pictures found before it are done");
    std::sort(found.begin(), found.end());
    out.insert(out.end(), found.begin(), found.end());
}

}  // namespace

std::vector<std::string> ExpandFolders(const std::vector<std::string>& inputs, std::vector<std::string>& notes) {
    std::vector<std::string> out;
    for (const std::string& input : inputs) {
        std::error_code ec;
        if (input != "-" && fs::is_directory(input, ec)) AddFolder(input, out, notes);
        else out.push_back(input);
    }
    return out;
}

}  // namespace rastrix::batch
