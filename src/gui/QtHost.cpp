#include "gui/QtHost.h"

#include <QApplication>
#include <QClipboard>
#include <QTimer>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QTreeView>
#include <QMessageBox>
#include <QMimeData>
#include <QUrl>
#include <algorithm>

#include "frame/EditorEvents.h"
#include "gui/DialogWindow.h"
#include "gui/ImageConversion.h"

namespace rastrix::gui {
namespace {

QString FromUtf8(const std::string& s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

QMessageBox::Icon IconOf(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::Information: return QMessageBox::Information;
        case MsgIcon::Warning: return QMessageBox::Warning;
        case MsgIcon::Error: return QMessageBox::Critical;
        case MsgIcon::Question: return QMessageBox::Question;
        case MsgIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ButtonsOf(MsgButtons buttons) {
    switch (buttons) {
        case MsgButtons::Ok: return QMessageBox::Ok;
        case MsgButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
        case MsgButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
        case MsgButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

// What closing the box without a button (Esc, the close box) answers for each button set:
// Cancel where there is one, OK for a lone OK. A Yes/No box has no way out but its buttons.
int AnswerOf(int standardButton, MsgButtons buttons) {
    switch (standardButton) {
        case QMessageBox::Ok: return DialogAnswer::Ok;
        case QMessageBox::Cancel: return DialogAnswer::Cancel;
        case QMessageBox::Yes: return DialogAnswer::Yes;
        case QMessageBox::No: return DialogAnswer::No;
        default: break;
    }
    switch (buttons) {
        case MsgButtons::Ok: return DialogAnswer::Ok;
        case MsgButtons::YesNo: return DialogAnswer::No;
        case MsgButtons::OkCancel:
        case MsgButtons::YesNoCancel: break;
    }
    return DialogAnswer::Cancel;
}

}  // namespace

QStringList NameFilters(const std::vector<FileFilter>& filters) {
    QStringList out;
    for (const FileFilter& f : filters) {
        QString pattern = FromUtf8(f.pattern);
        pattern.replace(QLatin1Char(';'), QLatin1Char(' '));
        out << FromUtf8(f.name) + QStringLiteral(" (") + pattern + QLatin1Char(')');
    }
    return out;
}

int QtHost::ShowMessage(const std::string& text, const std::optional<std::string>& caption, MsgButtons buttons,
                       MsgIcon icon) {
    QMessageBox box(IconOf(icon), caption ? FromUtf8(*caption) : QStringLiteral("Error"), FromUtf8(text),
                    ButtonsOf(buttons), parent_);
    box.setTextFormat(Qt::PlainText);
    return AnswerOf(ExecMessageBox(box), buttons);
}

std::optional<FileDialogResult> QtHost::OpenFileDialog(const FileDialogRequest& request) {
    return RunFileDialog(request, false);
}

std::optional<FileDialogResult> QtHost::SaveFileDialog(const FileDialogRequest& request) {
    return RunFileDialog(request, true);
}

// Wide and tall enough for the name, size, type and date columns of a folder of photos, in the
// user's font, and never larger than the screen; the size column takes what its text needs.
void QtHost::ShowWholeColumns(QFileDialog& dialog) {
    const QFontMetrics metrics = dialog.fontMetrics();
    QSize size(metrics.averageCharWidth() * 150, metrics.height() * 32);
    if (const QScreen* screen = parent_ ? parent_->screen() : QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
    dialog.resize(size.expandedTo(dialog.sizeHint()));
    if (auto* files = dialog.findChild<QTreeView*>()) {
        for (int column = 1; column < files->header()->count(); ++column)
            files->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
        files->header()->setStretchLastSection(false);
        files->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    }
}

std::optional<FileDialogResult> QtHost::RunFileDialog(const FileDialogRequest& request, bool save) {
    QFileDialog dialog(parent_, FromUtf8(request.title));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    const QStringList filters = NameFilters(request.filters);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const int index = std::clamp(request.filterIndex, 1, int(filters.size()));
        dialog.selectNameFilter(filters[index - 1]);
    }
    if (!request.initialName.empty()) dialog.selectFile(QFile::decodeName(request.initialName.c_str()));
    ShowWholeColumns(dialog);

    if (ExecFileDialog(dialog) != QDialog::Accepted) return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.first().isEmpty()) return std::nullopt;
    FileDialogResult result;
    result.path = QFile::encodeName(chosen.first()).toStdString();
    const int filter = int(filters.indexOf(dialog.selectedNameFilter()));
    result.filterIndex = filter >= 0 ? filter + 1 : 1;
    return result;
}

std::optional<Color> QtHost::ChooseColor(Color initial, std::array<Color, 16>& customColors) {
    for (int i = 0; i < 16; ++i) QColorDialog::setCustomColor(i, ToQColor(customColors[std::size_t(i)]));
    QColorDialog dialog(ToQColor(initial), parent_);
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    const bool accepted = ExecColorDialog(dialog) == QDialog::Accepted;
    for (int i = 0; i < 16; ++i) customColors[std::size_t(i)] = FromQColor(QColorDialog::customColor(i));
    if (!accepted) return std::nullopt;
    return FromQColor(dialog.selectedColor().isValid() ? dialog.selectedColor() : dialog.currentColor());
}

int QtHost::RunModal(DialogModel& model) {
    DialogWindow window(model, parent_);
    window.exec();
    return model.Result();
}

void QtHost::ShowModeless(DialogModel& model, int offsetX, int offsetY) {
    CloseModeless(model);
    auto* window = new DialogWindow(model, parent_);
    window->setModal(false);
    window->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(window, &DialogWindow::acted, window, [this] {
        if (onModelessAction_) onModelessAction_();
    });
    // The Adjust Selection dialog keeps the focus in the field it works on, with part of its
    // text selected.
    if (auto* adjust = dynamic_cast<AdjustSelectionDialog*>(&model)) {
        window->FollowFocus([adjust](int id) { adjust->FieldFocused(id); },
                            [adjust] {
                                const TextRange r = adjust->SelectedRange();
                                return std::optional<FieldSelection>({adjust->FocusedField(), r.start, r.end});
                            });
    }
    const QPoint origin = parent_ ? parent_->frameGeometry().topLeft() : QPoint();
    window->move(origin + QPoint(offsetX, offsetY));
    QObject::connect(window, &DialogWindow::moved, window, [this](QPoint topLeft) {
        const QPoint origin = parent_ ? parent_->frameGeometry().topLeft() : QPoint();
        if (onModelessMove_) onModelessMove_(topLeft.x() - origin.x(), topLeft.y() - origin.y());
    });
    modeless_.insert(&model, window);
    window->show();
    window->activateWindow();
    window->ShowModel();
}

void QtHost::RefreshModeless(DialogModel& model) {
    if (auto* window = qobject_cast<DialogWindow*>(ModelessWindow(model))) window->ShowModel();
}

void QtHost::CloseModeless(DialogModel& model) {
    QPointer<QDialog> window = modeless_.take(&model);
    if (!window) return;
    // Not deleted at once: the call may come from inside one of the window's own handlers.
    window->hide();
    window->deleteLater();
}

QDialog* QtHost::ModelessWindow(const DialogModel& model) const { return modeless_.value(&model); }

bool QtHost::OpenUrl(const std::string& address) {
    return QDesktopServices::openUrl(QUrl(FromUtf8(address)));
}

namespace {
bool waitCursorUp = false;  // one wait cursor for the whole program, however many hosts
}  // namespace

void QtHost::ShowWaitCursorNow() {
    // Set on the screen at once; taken down by a timer that fires when the event loop runs
    // again, that is, when the operation is over.
    if (waitCursorUp) return;
    waitCursorUp = true;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    QTimer::singleShot(0, qApp, [] {
        QGuiApplication::restoreOverrideCursor();
        waitCursorUp = false;
    });
}

bool QtHost::OpenClipboard() { return QGuiApplication::clipboard() != nullptr; }

bool QtHost::ClipboardHasBitmap() {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    return data != nullptr && data->hasImage();
}

std::optional<ClipboardImage> QtHost::ReadClipboardBitmap() {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) return std::nullopt;
    const QImage image = clipboard->image();
    std::optional<Bitmap> bitmap = BitmapFromImage(image);
    if (!bitmap) return std::nullopt;
    return ClipboardImage{std::move(*bitmap), BitDepthOf(image)};
}

bool QtHost::WriteClipboardBitmap(const Bitmap& bitmap) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard || bitmap.IsEmpty()) return false;
    QImage copy = WrapBitmap(bitmap).copy();
    if (copy.isNull()) return false;
    clipboard->setImage(copy);
    return true;
}

int QtHost::ExecMessageBox(QMessageBox& box) {
    box.exec();
    return int(box.standardButton(box.clickedButton()));
}

int QtHost::ExecFileDialog(QFileDialog& dialog) { return dialog.exec(); }

int QtHost::ExecColorDialog(QColorDialog& dialog) { return dialog.exec(); }

}  // namespace rastrix::gui
