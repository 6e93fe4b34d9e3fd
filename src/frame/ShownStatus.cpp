#include "frame/ShownStatus.h"

#include "selection/SelectionOutline.h"
#include "view/EditorView.h"
#include "view/StatusTexts.h"

namespace rastrix {

StatusTexts ShownStatus(const Editor& ed) {
    StatusTexts texts;
    texts[1] = ed.pointerStatus;
    if (!HasImage(ed)) return texts;
    texts[0] = ImageStatusText(ed.doc.imageWidth, ed.doc.imageHeight, std::int32_t(ed.doc.imageBitDepth),
                               ed.settings.zoomPercent);
    texts[4] = SelectionStatus(ed);
    return texts;
}

}  // namespace rastrix
