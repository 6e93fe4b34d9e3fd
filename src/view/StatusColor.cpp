#include "view/StatusColor.h"

#include "app/Editor.h"

namespace rastrix {

std::string ColorStatusText(Color color) {
    return "RGB=" + std::to_string(GetRValue(color)) + "," + std::to_string(GetGValue(color)) + "," +
           std::to_string(GetBValue(color));
}

void ShowColor(Editor& ed, Color color) { ed.status[1] = ColorStatusText(color); }

}  // namespace rastrix
