#pragma once
#include <QHash>
#include <QPointer>
#include <QWidget>
#include <functional>

#include "editor/Host.h"

class QColorDialog;
class QDialog;
class QFileDialog;
class QMessageBox;

namespace rastrix::gui {

// The platform for the core: Qt's message box, file and colour dialogs, the clipboard, the
// desktop's browser, and dialog windows built from the core's dialog models.
// Each dialog is built here and then shown by a protected Exec call, so a test can look at
// the dialog that would be shown and answer it without a user.
class QtHost : public Host {
public:
    // The window the dialogs belong to; may be set later (or not at all).
    void SetParentWidget(QWidget* parent) { parent_ = parent; }
    QWidget* ParentWidget() const { return parent_; }
    // Called after every user action in a modeless dialog, whose model may have changed the
    // editor: the frame shows the editor's state again.
    void SetModelessActionHandler(std::function<void()> handler) { onModelessAction_ = std::move(handler); }
    // Called when the user moves a modeless dialog, with its offset from the frame's corner.
    void SetModelessMoveHandler(std::function<void(int, int)> handler) { onModelessMove_ = std::move(handler); }
    // The modeless dialog window of a model, while it is open.
    QDialog* ModelessWindow(const DialogModel& model) const;

    int ShowMessage(const std::string& text, const std::optional<std::string>& caption, MsgButtons buttons,
                   MsgIcon icon) override;
    std::optional<FileDialogResult> OpenFileDialog(const FileDialogRequest& request) override;
    std::optional<FileDialogResult> SaveFileDialog(const FileDialogRequest& request) override;
    std::optional<Color> ChooseColor(Color initial, std::array<Color, 16>& customColors) override;
    int RunModal(DialogModel& model) override;
    void ShowModeless(DialogModel& model, int offsetX, int offsetY) override;
    void RefreshModeless(DialogModel& model) override;
    void CloseModeless(DialogModel& model) override;
    bool OpenUrl(const std::string& address) override;
    void ShowWaitCursorNow() override;

    bool OpenClipboard() override;
    bool ClipboardHasBitmap() override;
    std::optional<ClipboardImage> ReadClipboardBitmap() override;
    bool WriteClipboardBitmap(const Bitmap& bitmap) override;

protected:
    // Show the prepared dialog modally and return its result (the standard button clicked,
    // or QDialog::Accepted / Rejected).
    virtual int ExecMessageBox(QMessageBox& box);
    virtual int ExecFileDialog(QFileDialog& dialog);
    virtual int ExecColorDialog(QColorDialog& dialog);

private:
    std::optional<FileDialogResult> RunFileDialog(const FileDialogRequest& request, bool save);
    void ShowWholeColumns(QFileDialog& dialog);

    QPointer<QWidget> parent_;
    std::function<void()> onModelessAction_;
    std::function<void(int, int)> onModelessMove_;
    QHash<const DialogModel*, QPointer<QDialog>> modeless_;
};

// "Bitmap Files (*.bmp)" for each filter; a pattern list "*.bmp;*.dib" becomes "*.bmp *.dib".
QStringList NameFilters(const std::vector<FileFilter>& filters);

}  // namespace rastrix::gui
