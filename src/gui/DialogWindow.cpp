#include "gui/DialogWindow.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include "editor/Host.h"
#include "gui/Artwork.h"
#include "gui/DialogGeometry.h"
#include "gui/ImageConversion.h"

namespace rastrix::gui {
namespace {

QString FromUtf8(const std::string& s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

QStringList ToStringList(const std::vector<std::string>& items) {
    QStringList out;
    for (const std::string& s : items) out << FromUtf8(s);
    return out;
}

// A pair of arrow buttons: up and down, or left and right when wider than high. The second
// arrow (up, or right) counts +1.
class Arrows : public QWidget {
public:
    Arrows(QWidget* parent, bool across, std::function<void(int)> spin) : QWidget(parent) {
        auto* layout = new QBoxLayout(across ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom, this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        const auto first = across ? std::pair{Qt::LeftArrow, -1} : std::pair{Qt::UpArrow, 1};
        const auto second = across ? std::pair{Qt::RightArrow, 1} : std::pair{Qt::DownArrow, -1};
        for (auto [arrow, delta] : {first, second}) {
            auto* button = new QToolButton(this);
            button->setArrowType(arrow);
            button->setAutoRepeat(true);
            button->setFocusPolicy(Qt::NoFocus);  // the field's own Up and Down keys do the same
            button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
            QObject::connect(button, &QToolButton::clicked, this, [spin, delta = delta] { spin(delta); });
            layout->addWidget(button);
        }
        NameFor(QString());
    }
    void NameFor(const QString& field) {
        static constexpr const char* kWords[] = {"left", "right", "up", "down"};
        const auto buttons = findChildren<QToolButton*>();
        for (int i = 0; i < buttons.size(); ++i) {
            const bool across = buttons[i]->arrowType() == Qt::LeftArrow || buttons[i]->arrowType() == Qt::RightArrow;
            const QString word = QLatin1String(kWords[(across ? 0 : 2) + i]);
            buttons[i]->setAccessibleName(field.isEmpty() ? word : field + QLatin1Char(' ') + word);
        }
    }
};

bool Interactive(ControlKind kind) {
    return kind == ControlKind::Edit || kind == ControlKind::DropList || kind == ControlKind::PushButton ||
           kind == ControlKind::DefPushButton || kind == ControlKind::RadioButton || kind == ControlKind::CheckBox;
}

}  // namespace

QString WithoutMnemonic(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size()) ++i;
        else if (text[i] == QLatin1Char('&')) continue;
        out += text[i];
    }
    return out;
}

DialogUnits DialogUnits::ForFont(const QFont& font) {
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return {(width / 26 + 1) / 2, metrics.height()};
}

QRect DialogUnits::ToPixels(const DialogUnitRect& r) const {
    return {r.x * baseX / 4, r.y * baseY / 8, r.width * baseX / 4, r.height * baseY / 8};
}

DialogWindow::DialogWindow(DialogModel& model, QWidget* parent) : QDialog(parent), model_(model) {
    const DialogTemplate& t = model.Template();
    units_ = DialogUnits::ForFont(font());
    setWindowTitle(FromUtf8(t.caption));
    setObjectName(FromUtf8(t.name));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    const QRect size = units_.ToPixels(t.rect);
    setFixedSize(size.width(), size.height());

    QWidget* lastFocusable = nullptr;
    for (const DialogControl& control : t.controls) {
        QWidget* w = Build(control);
        if (control.id >= 0) controls_.insert(control.id, w);
        if (w->focusPolicy() != Qt::NoFocus) {
            if (lastFocusable) setTabOrder(lastFocusable, w);
            lastFocusable = w;
        }
        built_.push_back(w);
    }
    TieLabelsAndArrows();
    ShowModel();
}

DialogWindow::~DialogWindow() {
    // The fields lose the focus while the base classes take them down; by then this window
    // can no longer hear about it.
    closing_ = true;
    for (QObject* field : fieldIds_.keys()) {
        field->removeEventFilter(this);
        field->disconnect(this);
    }
}

QWidget* DialogWindow::Build(const DialogControl& c) {
    const QString text = FromUtf8(c.text);
    QWidget* w = nullptr;
    switch (c.kind) {
        case ControlKind::Text: {
            auto* label = new QLabel(WithoutMnemonic(text), this);
            label->setTextFormat(Qt::PlainText);
            label->setWordWrap(true);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            label->setAccessibleName(WithoutMnemonic(text));
            w = label;
            break;
        }
        case ControlKind::Icon: {
            auto* label = new QLabel(this);
            label->setPixmap(ProgramIcon().pixmap(32, 32));
            label->setAccessibleName(QStringLiteral("Rastrix"));
            w = label;
            break;
        }
        case ControlKind::Rule: {
            auto* line = new QFrame(this);
            line->setFrameStyle(QFrame::HLine | QFrame::Sunken);
            w = line;
            break;
        }
        case ControlKind::GroupBox: w = new QGroupBox(text, this); break;
        case ControlKind::Edit: {
            auto* edit = new QLineEdit(this);
            fieldIds_.insert(edit, c.id);
            edit->installEventFilter(this);
            connect(edit, &QLineEdit::textEdited, this, [this, id = c.id](const QString& s) {
                model_.TextChanged(id, s.toStdString());
                Acted(false);  // typing keeps the caret where the user put it
            });
            connect(edit, &QLineEdit::editingFinished, this, [this, id = c.id] {
                if (closing_ || !isVisible()) return;
                model_.EditCommitted(id);
                Acted();
            });
            w = edit;
            break;
        }
        case ControlKind::PushButton:
        case ControlKind::DefPushButton: {
            auto* button = new QPushButton(text, this);
            button->setAutoDefault(false);
            button->setDefault(c.kind == ControlKind::DefPushButton);
            connect(button, &QPushButton::clicked, this, [this, id = c.id] { Send(id); });
            w = button;
            break;
        }
        case ControlKind::RadioButton: {
            auto* radio = new QRadioButton(text, this);
            // One group per dialog, so the arrow keys move the choice as in any radio group.
            // Every way a radio becomes checked (a click, Space, an arrow key, an assistive
            // tool's toggle) tells the model; one unchecked by the user shows the model again.
            radio->setAutoExclusive(true);
            connect(radio, &QRadioButton::toggled, this, [this, id = c.id](bool on) {
                if (on)
                    Send(id);
                else if (model_.Checked(id))
                    Acted();
            });
            w = radio;
            break;
        }
        case ControlKind::CheckBox: {
            auto* box = new QCheckBox(text, this);
            // Every way the box changes (a click, Space, an assistive tool) tells the model,
            // which then says whether it is ticked.
            connect(box, &QCheckBox::toggled, this, [this, id = c.id](bool) { Send(id); });
            w = box;
            break;
        }
        case ControlKind::DropList: {
            auto* list = new QComboBox(this);
            connect(list, &QComboBox::activated, this, [this, id = c.id](int index) {
                model_.Select(id, index);
                Acted();
            });
            w = list;
            break;
        }
        case ControlKind::UpDown:
            w = new Arrows(this, c.rect.width > c.rect.height, [this, id = c.id](int delta) {
                model_.Spin(id, delta);
                Acted(true, true);  // the arrows take the focus to their field
            });
            break;
        case ControlKind::Preview: {
            auto* label = new QLabel(this);
            label->setAlignment(Qt::AlignCenter);
            label->setAccessibleName(QStringLiteral("Sample"));
            w = label;
            break;
        }
    }
    if (c.kind == ControlKind::PushButton || c.kind == ControlKind::DefPushButton || c.kind == ControlKind::RadioButton ||
        c.kind == ControlKind::CheckBox || c.kind == ControlKind::GroupBox)
        w->setAccessibleName(WithoutMnemonic(text));
    w->setFocusPolicy(Interactive(c.kind) ? Qt::StrongFocus : Qt::NoFocus);
    QRect r = units_.ToPixels(c.rect);
    if (c.kind == ControlKind::DropList) {
        // The template's height includes the opened list; closed, the list is one line high.
        r.setHeight(w->sizeHint().height());
    } else if (auto* label = qobject_cast<QLabel*>(w); label && c.kind == ControlKind::Text) {
        // A one-line label may run on to the right rather than lose its last letters: this
        // font's letters are not quite as narrow as the template was made for.
        if (r.height() < 2 * units_.baseY) {
            label->setWordWrap(false);
            r.setWidth(std::max(r.width(), label->sizeHint().width()));
        }
    }
    w->setGeometry(r);
    return w;
}

void DialogWindow::TieLabelsAndArrows() {
    const DialogTemplate& t = model_.Template();
    for (std::size_t i = 0; i < t.controls.size(); ++i) {
        const ControlKind kind = t.controls[i].kind;
        if (kind == ControlKind::Edit || kind == ControlKind::DropList || kind == ControlKind::Preview) {
            const int label = LabelOf(t, i);
            if (label < 0) continue;
            const QString text = FromUtf8(t.controls[std::size_t(label)].text);
            built_[i]->setAccessibleName(WithoutMnemonic(text));
            labelOf_.insert(built_[i], built_[std::size_t(label)]);
            // The label's mnemonic (Alt+letter) leads to its field.
            if (auto* l = qobject_cast<QLabel*>(built_[std::size_t(label)]); l && kind != ControlKind::Preview)
                l->setBuddy(built_[i]), l->setText(text);
        } else if (kind == ControlKind::UpDown) {
            const int field = FieldBeside(t, i);
            if (field < 0) continue;
            static_cast<Arrows*>(built_[i])->NameFor(built_[std::size_t(field)]->accessibleName());
            spinOfField_.insert(built_[std::size_t(field)], t.controls[i].id);
        }
    }
}

void DialogWindow::FollowFocus(std::function<void(int)> focused, std::function<std::optional<FieldSelection>()> wanted) {
    focused_ = std::move(focused);
    wanted_ = std::move(wanted);
    PlaceSelection(true);
}

void DialogWindow::Show(bool placeSelection, bool moveFocus) {
    for (const DialogControl& c : model_.Template().controls) {
        QWidget* w = controls_.value(c.id, nullptr);
        if (!w) continue;
        const bool enabled = model_.Enabled(c.id);
        if (w->isEnabled() != enabled) w->setEnabled(enabled);
        if (auto* label = labelOf_.value(w, nullptr)) label->setEnabled(enabled);
        const QString text = FromUtf8(model_.Text(c.id));
        if (auto* label = qobject_cast<QLabel*>(w); label && c.kind == ControlKind::Text) {
            label->setText(label->buddy() ? text : WithoutMnemonic(text));
        } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            if (edit->text() != text) {
                const QSignalBlocker block(edit);
                edit->setText(text);
            }
        } else if (auto* radio = qobject_cast<QRadioButton*>(w)) {
            const QSignalBlocker block(radio);
            radio->setText(text);
            radio->setChecked(model_.Checked(c.id));
        } else if (auto* check = qobject_cast<QCheckBox*>(w)) {
            const QSignalBlocker block(check);
            check->setText(text);
            check->setChecked(model_.Checked(c.id));
        } else if (auto* button = qobject_cast<QPushButton*>(w)) {
            button->setText(text);
        } else if (auto* box = qobject_cast<QGroupBox*>(w)) {
            box->setTitle(text);
        } else if (auto* list = qobject_cast<QComboBox*>(w)) {
            const QSignalBlocker block(list);
            const QStringList items = ToStringList(model_.Items(c.id));
            QStringList shown;
            for (int i = 0; i < list->count(); ++i) shown << list->itemText(i);
            if (shown != items) list->clear(), list->addItems(items);
            list->setCurrentIndex(model_.Selection(c.id));
        } else if (auto* preview = qobject_cast<QLabel*>(w); preview && c.kind == ControlKind::Preview) {
            const std::optional<Bitmap> sample = model_.Preview(c.id);
            // A copy: the pixmap may keep sharing the image's pixels, and the sample goes now.
            preview->setPixmap(sample ? QPixmap::fromImage(WrapBitmap(*sample).copy()) : QPixmap());
        }
    }
    if (model_.Ended() && !closing_) {
        closing_ = true;
        QDialog::done(model_.Result());
        return;
    }
    if (placeSelection) PlaceSelection(moveFocus);
}

void DialogWindow::PlaceSelection(bool moveFocus) {
    if (!wanted_) return;
    const std::optional<FieldSelection> want = wanted_();
    auto* edit = want ? qobject_cast<QLineEdit*>(Control(want->id)) : nullptr;
    if (!edit) return;
    // An inactive window gives the focus to the field when it is activated.
    if (moveFocus && !edit->hasFocus()) edit->setFocus(Qt::OtherFocusReason);
    edit->setSelection(want->start, want->end - want->start);
}

void DialogWindow::Send(int commandId) {
    if (closing_) return;
    model_.Command(commandId);
    Acted();
}

void DialogWindow::Acted(bool placeSelection, bool moveFocus) {
    Show(placeSelection, moveFocus);
    emit acted();
}

int DialogWindow::DefaultCommand() const {
    for (const DialogControl& c : model_.Template().controls)
        if (c.kind == ControlKind::DefPushButton) return c.id;
    return DialogAnswer::Ok;
}

void DialogWindow::reject() { Send(DialogAnswer::Cancel); }

void DialogWindow::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (auto* button = qobject_cast<QPushButton*>(focusWidget())) button->click();
            else Send(DefaultCommand());
            return;
        case Qt::Key_Escape: reject(); return;
        default: QDialog::keyPressEvent(event);
    }
}

void DialogWindow::moveEvent(QMoveEvent* event) {
    QDialog::moveEvent(event);
    if (isVisible()) emit moved(frameGeometry().topLeft());
}

bool DialogWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn && focused_ && fieldIds_.contains(watched)) {
        focused_(fieldIds_.value(watched));
        Show(true);
    } else if (event->type() == QEvent::KeyPress && spinOfField_.contains(watched)) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            model_.Spin(spinOfField_.value(watched), key == Qt::Key_Up ? 1 : -1);
            Acted(true, true);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace rastrix::gui
