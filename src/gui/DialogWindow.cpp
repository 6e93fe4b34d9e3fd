#include "gui/DialogWindow.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <functional>
#include <tuple>

#include "app/Host.h"
#include "gui/Artwork.h"
#include "gui/ImageConversion.h"

namespace rastrix::gui {
namespace {

QString FromUtf8(const std::string& s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

QStringList ToStringList(const std::vector<std::string>& items) {
    QStringList out;
    for (const std::string& s : items) out << FromUtf8(s);
    return out;
}

bool IsField(ControlKind kind) {
    return kind == ControlKind::Edit || kind == ControlKind::DropList || kind == ControlKind::UpDown;
}

// The pair of arrows beside an edit field.
class UpDownArrows : public QWidget {
public:
    UpDownArrows(QWidget* parent, const QString& fieldName, std::function<void(int)> spin)
        : QWidget(parent) {
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        for (auto [arrow, delta, word] : {std::tuple{Qt::UpArrow, 1, "up"}, std::tuple{Qt::DownArrow, -1, "down"}}) {
            auto* button = new QToolButton(this);
            button->setArrowType(arrow);
            button->setAutoRepeat(true);
            button->setFocusPolicy(Qt::NoFocus);  // the field's own arrow keys do the same
            button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
            button->setAccessibleName(fieldName + QLatin1Char(' ') + QLatin1String(word));
            QObject::connect(button, &QToolButton::clicked, this, [spin, delta = delta] { spin(delta); });
            layout->addWidget(button);
        }
    }
};

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
    const DialogControl* previous = nullptr;
    std::vector<QWidget*> built;
    for (const DialogControl& control : t.controls) {
        QWidget* w = Build(control, previous);
        if (control.id >= 0) controls_.insert(control.id, w);
        if (w->focusPolicy() != Qt::NoFocus) {
            if (lastFocusable) setTabOrder(lastFocusable, w);
            lastFocusable = w;
        }
        built.push_back(w);
        previous = &control;
    }
    // A label's mnemonic (Alt+letter) moves the focus to the field after it.
    for (std::size_t i = 0; i + 1 < built.size(); ++i) {
        auto* label = qobject_cast<QLabel*>(built[i]);
        if (label && t.controls[i].kind == ControlKind::Text && built[i + 1]->focusPolicy() != Qt::NoFocus)
            label->setBuddy(built[i + 1]), label->setText(FromUtf8(t.controls[i].text));
    }
    ShowModel();
}

QWidget* DialogWindow::Build(const DialogControl& c, const DialogControl* previous) {
    const QString text = FromUtf8(c.text);
    const QRect r = units_.ToPixels(c.rect);
    // A field is named by the static text just before it, as the templates place their labels.
    QString fieldName;
    if (previous && previous->kind == ControlKind::Text) fieldName = WithoutMnemonic(FromUtf8(previous->text));
    QWidget* w = nullptr;
    switch (c.kind) {
        case ControlKind::Text: {
            auto* label = new QLabel(WithoutMnemonic(text), this);
            label->setTextFormat(Qt::PlainText);
            label->setWordWrap(true);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
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
            edit->setAccessibleName(fieldName);
            connect(edit, &QLineEdit::textEdited, this, [this, id = c.id](const QString& s) {
                model_.TextChanged(id, s.toStdString());
                Acted();
            });
            connect(edit, &QLineEdit::editingFinished, this, [this, id = c.id] {
                if (closing_) return;
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
            radio->setAutoExclusive(false);  // the model says which one is checked
            connect(radio, &QRadioButton::clicked, this, [this, id = c.id] { Send(id); });
            w = radio;
            break;
        }
        case ControlKind::DropList: {
            auto* list = new QComboBox(this);
            list->setAccessibleName(fieldName);
            connect(list, &QComboBox::activated, this, [this, id = c.id](int index) {
                model_.Select(id, index);
                Acted();
            });
            w = list;
            break;
        }
        case ControlKind::UpDown: {
            QLineEdit* buddy = previous && previous->kind == ControlKind::Edit
                                   ? qobject_cast<QLineEdit*>(controls_.value(previous->id)) : nullptr;
            const QString name = buddy ? buddy->accessibleName() : fieldName;
            w = new UpDownArrows(this, name, [this, id = c.id](int delta) {
                model_.Spin(id, delta);
                Acted();
            });
            if (buddy) spinBuddies_.insert(buddy, c.id), buddy->installEventFilter(this);
            break;
        }
        case ControlKind::Preview: {
            auto* label = new QLabel(this);
            label->setAlignment(Qt::AlignCenter);
            label->setAccessibleName(fieldName.isEmpty() ? QStringLiteral("Sample") : fieldName);
            w = label;
            break;
        }
    }
    if (!IsField(c.kind) && c.kind != ControlKind::Icon && c.kind != ControlKind::Preview)
        w->setAccessibleName(WithoutMnemonic(text));
    const bool interactive = c.kind == ControlKind::Edit || c.kind == ControlKind::DropList ||
                             c.kind == ControlKind::PushButton || c.kind == ControlKind::DefPushButton ||
                             c.kind == ControlKind::RadioButton;
    w->setFocusPolicy(interactive ? Qt::StrongFocus : Qt::NoFocus);
    w->setGeometry(r);
    return w;
}

void DialogWindow::ShowModel() {
    for (const DialogControl& c : model_.Template().controls) {
        QWidget* w = controls_.value(c.id, nullptr);
        if (!w) continue;
        const QString text = FromUtf8(model_.Text(c.id));
        if (auto* label = qobject_cast<QLabel*>(w); label && c.kind == ControlKind::Text) {
            label->setText(label->buddy() ? text : WithoutMnemonic(text));
            label->setAccessibleName(WithoutMnemonic(text));
        } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            if (edit->text() != text) {
                const QSignalBlocker block(edit);
                edit->setText(text);
            }
        } else if (auto* radio = qobject_cast<QRadioButton*>(w)) {
            const QSignalBlocker block(radio);
            radio->setText(text);
            radio->setChecked(model_.Checked(c.id));
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
            preview->setPixmap(sample ? QPixmap::fromImage(WrapBitmap(*sample)) : QPixmap());
        }
    }
    if (model_.Ended() && !closing_) {
        closing_ = true;
        QDialog::done(model_.Result());
    }
}

void DialogWindow::Send(int commandId) {
    if (closing_) return;
    model_.Command(commandId);
    Acted();
}

void DialogWindow::Acted() {
    ShowModel();
    emit acted();
}

int DialogWindow::DefaultCommand() const {
    for (const DialogControl& c : model_.Template().controls)
        if (c.kind == ControlKind::DefPushButton) return c.id;
    return IDOK;
}

void DialogWindow::reject() { Send(IDCANCEL); }

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

bool DialogWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && spinBuddies_.contains(watched)) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            model_.Spin(spinBuddies_.value(watched), key == Qt::Key_Up ? 1 : -1);
            Acted();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace rastrix::gui
