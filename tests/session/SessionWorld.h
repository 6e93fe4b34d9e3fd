#pragma once
// What surrounds the editor in a random session: a folder of files to open, join and save
// into, and a FakeHost whose queues are refilled with random answers before every step.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "editor/Host.h"
#include "session/Prng.h"
#include "store/StoreTestSupport.h"
#include "support/FakeHost.h"

namespace rastrix::session {

// Images are kept small so thousands of steps stay quick under the sanitizers.
inline constexpr int kMaxSide = 40;
// Files larger than this a side are not offered, so joins cannot grow without bound.
inline constexpr int kMaxOfferedSide = 48;

// A random image of random size, at most kMaxSide a side. Few colours most of the time, so
// that saves at 1, 4 and 8 bits both fit and lose colours.
Bitmap RandomImage(Prng& rng, int maxSide = kMaxSide);

class SessionWorld {
public:
    explicit SessionWorld(Prng& rng);

    std::string PathOf(const std::string& name) const { return (folder_.Path() / name).string(); }

    // Clears the host's records and queues and fills the queues with random answers for one
    // step: message boxes, file dialogs, colours, modal dialogs.
    void Refill(test::FakeHost& host);

    // The name a save writes for a chosen name: ".bmp" is added unless it already ends so.
    static std::string SavedName(const std::string& chosen);

private:
    // Files a dialog may offer: the folder's small bitmaps, a damaged file and a missing one.
    std::vector<std::string> OfferedFiles() const;
    FileDialogResult RandomSaveAnswer();
    int AnswerDialog(DialogModel& model);
    void TypeSize(DialogModel& model, int widthEdit, int heightEdit);
    // Scale Image's and Reduce Colours' fields, drawn by the seed (sometimes ones they refuse).
    void AnswerScaleImage(DialogModel& model);
    void AnswerReduceColors(DialogModel& model);

    Prng& rng_;
    testing::TempFolder folder_;
};

}  // namespace rastrix::session
