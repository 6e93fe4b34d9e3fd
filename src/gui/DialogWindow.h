#pragma once
#include <QDialog>
#include <QHash>
#include <functional>
#include <optional>

#include "editor/DialogModel.h"

namespace rastrix::gui {

// Dialog units to pixels, from a font as the platform measures a dialog's font: x counts
// quarters of the average character width, y eighths of the character height.
struct DialogUnits {
    int baseX = 6;
    int baseY = 13;

    static DialogUnits ForFont(const QFont& font);
    QRect ToPixels(const DialogUnitRect& r) const;
};

// Characters to show selected in a field: [start, end).
struct FieldSelection {
    int id = -1;
    int start = 0;
    int end = 0;
};

// A dialog window that shows a dialog model: its controls are built from the model's
// template, every user action goes to the model, the window then shows the model's texts,
// checks, lists and previews again, and closes when the model has ended.
// Enter sends the default button's id (DialogAnswer::Ok without one), Esc and the close box
// DialogAnswer::Cancel. Fields are named by their labels, and a pair of arrows spins the field it
// stands beside; the Up and Down keys in that field do the same.
class DialogWindow : public QDialog {
    Q_OBJECT
public:
    explicit DialogWindow(DialogModel& model, QWidget* parent = nullptr);
    ~DialogWindow() override;

    // The widget built for a control id, or nullptr.
    QWidget* Control(int id) const { return controls_.value(id, nullptr); }
    const DialogUnits& Units() const { return units_; }

    // For a model that follows the focus: focused is told when a field takes the focus, and
    // after every action but typing the window selects the characters wanted() names in its
    // field. The focus moves there at the start and when arrows spin a field.
    void FollowFocus(std::function<void(int id)> focused, std::function<std::optional<FieldSelection>()> wanted);

    // Shows the model's state in the widgets; closes the window when the model has ended.
    void ShowModel() { Show(true, false); }

signals:
    // The user did something the model was told about.
    void acted();
    // The window was moved to this top-left corner (of its frame), in screen coordinates.
    void moved(QPoint topLeft);

protected:
    void reject() override;
    void keyPressEvent(QKeyEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* Build(const DialogControl& control);
    void TieLabelsAndArrows();
    void Show(bool placeSelection, bool moveFocus = false);
    void PlaceSelection(bool moveFocus);
    void Send(int commandId);
    void Acted(bool placeSelection = true, bool moveFocus = false);
    int DefaultCommand() const;

    DialogModel& model_;
    DialogUnits units_;
    QHash<int, QWidget*> controls_;
    std::vector<QWidget*> built_;       // by template position
    QHash<QObject*, int> fieldIds_;     // edit -> its id
    QHash<QObject*, int> spinOfField_;  // edit -> the id of the arrows beside it
    QHash<QWidget*, QWidget*> labelOf_;  // field -> the label that names it, enabled with it
    std::function<void(int)> focused_;
    std::function<std::optional<FieldSelection>()> wanted_;
    bool closing_ = false;
};

// A control text without its mnemonic marks ("&Width" -> "Width", "&&" -> "&").
QString WithoutMnemonic(const QString& text);

}  // namespace rastrix::gui
