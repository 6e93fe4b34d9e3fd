#pragma once
#include <QDialog>
#include <QHash>

#include "app/DialogModel.h"

namespace rastrix::gui {

// Dialog units to pixels, from a font as the platform measures a dialog's font: x counts
// quarters of the average character width, y eighths of the character height.
struct DialogUnits {
    int baseX = 6;
    int baseY = 13;

    static DialogUnits ForFont(const QFont& font);
    QRect ToPixels(const DialogUnitRect& r) const;
};

// A dialog window that shows a dialog model: its controls are built from the model's
// template, every user action goes to the model, the window then shows the model's texts,
// checks, lists and previews again, and closes when the model has ended.
// Enter sends the default button's id (IDOK without one), Esc and the close box IDCANCEL.
class DialogWindow : public QDialog {
    Q_OBJECT
public:
    explicit DialogWindow(DialogModel& model, QWidget* parent = nullptr);

    // The widget built for a control id, or nullptr.
    QWidget* Control(int id) const { return controls_.value(id, nullptr); }
    const DialogUnits& Units() const { return units_; }

    // Shows the model's state in the widgets; closes the window when the model has ended.
    void ShowModel();

signals:
    // The user did something the model was told about.
    void acted();

protected:
    void reject() override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* Build(const DialogControl& control, const DialogControl* previous);
    void Send(int commandId);
    void Acted();
    int DefaultCommand() const;

    DialogModel& model_;
    DialogUnits units_;
    QHash<int, QWidget*> controls_;
    QHash<QObject*, int> spinBuddies_;  // edit -> up-down id: the arrow keys spin
    bool closing_ = false;
};

// A control text without its mnemonic marks ("&Width" -> "Width", "&&" -> "&").
QString WithoutMnemonic(const QString& text);

}  // namespace rastrix::gui
