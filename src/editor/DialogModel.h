#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "raster/Bitmap.h"

namespace rastrix {

// Position and size in dialog units (x: quarter of the average character width, y: eighth
// of the character height), as the templates give them.
struct DialogUnitRect {
    int x = 0, y = 0, width = 0, height = 0;
};

enum class ControlKind {
    Text,           // static text
    Icon,           // the program icon
    Rule,           // an etched horizontal line
    GroupBox,       // a frame with a title round other controls
    Edit,           // a one-line text field
    PushButton,
    DefPushButton,  // the button Enter presses
    RadioButton,    // one of a group; the model says which is checked
    DropList,       // a list to choose one item from
    UpDown,         // a pair of arrow buttons beside an edit (Command gets +1 / -1 through Spin)
    Preview,        // a sample the model draws (Preview returns its pixels)
    CheckBox,       // a box ticked or not on its own; the model says which (Command gets its id on a click)
};

struct DialogControl {
    int id = -1;
    ControlKind kind = ControlKind::Text;
    DialogUnitRect rect;
    std::string text;  // caption, initial text, or for Icon the resource name
    bool tabStop = false;
};

struct DialogTemplate {
    std::string name;  // "FILENEW", "ABOUTBOX", ...
    std::string caption;
    DialogUnitRect rect;
    std::vector<DialogControl> controls;  // in tab order
};

// The behaviour of a dialog, kept apart from the widgets that show it: the front end builds
// the controls from Template(), shows Text/Checked/Items/Selection/Preview/Enabled after every call
// into the model, and closes the dialog when Ended() turns true.
class DialogModel {
public:
    virtual ~DialogModel() = default;

    virtual const DialogTemplate& Template() const = 0;

    // Current text of a Text or Edit control; the template's text until the model changes it.
    virtual std::string Text(int id) const;
    // The user changed an Edit control's text (every keystroke).
    virtual void TextChanged(int id, std::string_view text) { (void)id, (void)text; }
    // An Edit control lost the focus or Enter was pressed in it.
    virtual void EditCommitted(int id) { (void)id; }
    virtual bool Checked(int id) const { (void)id; return false; }
    virtual std::vector<std::string> Items(int id) const { (void)id; return {}; }
    virtual int Selection(int id) const { (void)id; return -1; }
    virtual void Select(int id, int index) { (void)id, (void)index; }
    // An UpDown control's arrow: +1 for up/right, -1 for down/left.
    virtual void Spin(int id, int delta) { (void)id, (void)delta; }
    virtual std::optional<Bitmap> Preview(int id) const { (void)id; return std::nullopt; }
    // Whether a control can be used now; a field's label follows its field.
    virtual bool Enabled(int id) const { (void)id; return true; }

    // A button, radio button or check box was clicked; Enter sends DialogAnswer::Ok (1), Esc and
    // the close box DialogAnswer::Cancel (2).
    virtual void Command(int id) = 0;

    bool Ended() const { return ended_; }
    int Result() const { return result_; }

protected:
    void End(int result) {
        ended_ = true;
        result_ = result;
    }
    const DialogControl* FindControl(int id) const;

private:
    bool ended_ = false;
    int result_ = 0;
};

}  // namespace rastrix
