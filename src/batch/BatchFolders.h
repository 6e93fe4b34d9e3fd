#pragma once
#include <string>
#include <vector>

namespace rastrix::batch {

// -R: each folder among the inputs replaced, in its place, by the BMP, PNG and JPEG files
// under it (by their endings, any case), in name order, named through the folder as given.
// Links to files are taken; links to folders are not followed, so a link that loops back is
// no trouble. A folder that may not be read is passed over with a note.
std::vector<std::string> ExpandFolders(const std::vector<std::string>& inputs, std::vector<std::string>& notes);

}  // namespace rastrix::batch
