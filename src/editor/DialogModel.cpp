#include "editor/DialogModel.h"

namespace rastrix {

const DialogControl* DialogModel::FindControl(int id) const {
    for (const DialogControl& c : Template().controls)
        if (c.id == id) return &c;
    return nullptr;
}

std::string DialogModel::Text(int id) const {
    const DialogControl* c = FindControl(id);
    return c ? c->text : std::string();
}

}  // namespace rastrix
