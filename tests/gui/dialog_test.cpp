#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include "document/NewImageDialog.h"
#include "draw/StyleDialogs.h"
#include "editor/Editor.h"
#include "editor/Host.h"
#include "editor/ImageStack.h"
#include "gui/DialogGeometry.h"
#include "gui/DialogWindow.h"
#include "gui/QtHost.h"

using namespace rastrix;
using namespace rastrix::gui;

namespace {

constexpr int kWidth = 101, kArrows = 102, kDepth = 103, kBlack = 104, kWhite = 105, kLock = 106;

// A small dialog model: a numeric field with arrows, a list, two radio buttons, a check box,
// OK and Cancel. OK is refused while the field is empty; the box cannot be ticked while the
// colour is white.
class SizeModel : public DialogModel {
public:
    const DialogTemplate& Template() const override { return t_; }
    std::string Text(int id) const override { return id == kWidth ? width : DialogModel::Text(id); }
    void TextChanged(int id, std::string_view text) override {
        if (id != kWidth) return;
        width.clear();
        for (char c : text)
            if (c >= '0' && c <= '9') width += c;  // letters are refused
    }
    void EditCommitted(int id) override { log += "commit " + std::to_string(id) + ";"; }
    void Spin(int id, int delta) override {
        if (id == kArrows) width = std::to_string(std::stoi(width.empty() ? "0" : width) + delta);
    }
    std::vector<std::string> Items(int id) const override {
        return id == kDepth ? std::vector<std::string>{"1", "4", "8", "24"} : std::vector<std::string>{};
    }
    int Selection(int id) const override { return id == kDepth ? depth : -1; }
    void Select(int id, int index) override {
        if (id == kDepth) depth = index;
    }
    bool Checked(int id) const override { return id == color || (id == kLock && locked); }
    void Command(int id) override {
        log += "command " + std::to_string(id) + ";";
        if (id == kBlack || id == kWhite) color = id;
        if (id == kLock) locked = !locked && color != kWhite;
        if (id == DialogAnswer::Ok && !width.empty()) End(DialogAnswer::Ok);
        if (id == DialogAnswer::Cancel) End(DialogAnswer::Cancel);
    }

    std::string width = "100";
    int depth = 3;
    int color = kBlack;
    bool locked = false;
    std::string log;

private:
    DialogTemplate t_{"TESTSIZE",
                      "Image Size",
                      {0, 0, 160, 80},
                      {
                          {-1, ControlKind::Text, {6, 8, 40, 8}, "&Width:", false},
                          {kWidth, ControlKind::Edit, {50, 6, 40, 12}, "", true},
                          {kArrows, ControlKind::UpDown, {90, 6, 10, 12}, "", false},
                          {-1, ControlKind::Text, {6, 24, 40, 8}, "Depth:", false},
                          {kDepth, ControlKind::DropList, {50, 22, 60, 40}, "", true},
                          {kBlack, ControlKind::RadioButton, {6, 40, 50, 10}, "&Black", true},
                          {kWhite, ControlKind::RadioButton, {60, 40, 50, 10}, "W&hite", false},
                          {kLock, ControlKind::CheckBox, {112, 40, 46, 10}, "&Lock", true},
                          {DialogAnswer::Ok, ControlKind::DefPushButton, {20, 60, 50, 14}, "OK", true},
                          {DialogAnswer::Cancel, ControlKind::PushButton, {90, 60, 50, 14}, "Cancel", true},
                      }};
};

template <class T>
T* ControlOf(const DialogWindow& w, int id) {
    return qobject_cast<T*>(w.Control(id));
}

}  // namespace

class DialogTest : public QObject {
    Q_OBJECT
private slots:
    void dialogUnitsScaleByTheFont() {
        const DialogUnits units{6, 13};
        QCOMPARE(units.ToPixels({4, 8, 40, 14}), QRect(6, 13, 60, 22));
        QCOMPARE(units.ToPixels({3, 3, 1, 1}), QRect(4, 4, 1, 1));  // truncated
        const DialogUnits measured = DialogUnits::ForFont(QApplication::font());
        QVERIFY(measured.baseX > 2 && measured.baseX < measured.baseY);
    }

    void controlsStandWhereTheTemplatePutsThem() {
        SizeModel model;
        DialogWindow w(model);
        QCOMPARE(w.windowTitle(), QString("Image Size"));
        QCOMPARE(w.size(), w.Units().ToPixels({0, 0, 160, 80}).size());
        QCOMPARE(w.Control(kWidth)->geometry(), w.Units().ToPixels({50, 6, 40, 12}));
        QCOMPARE(w.Control(DialogAnswer::Ok)->geometry(), w.Units().ToPixels({20, 60, 50, 14}));
        // A closed list is one line high, whatever room the template keeps for it opened.
        const QRect list = w.Control(kDepth)->geometry();
        QCOMPARE(list.topLeft(), w.Units().ToPixels({50, 22, 60, 40}).topLeft());
        QCOMPARE(list.height(), w.Control(kDepth)->sizeHint().height());
        QVERIFY(list.height() < w.Units().ToPixels({50, 22, 60, 40}).height());
        // One-line labels show all their letters.
        for (QLabel* label : w.findChildren<QLabel*>())
            QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->text()));
        QVERIFY(ControlOf<QPushButton>(w, DialogAnswer::Ok)->isDefault());
        QVERIFY(!ControlOf<QPushButton>(w, DialogAnswer::Cancel)->isDefault());
    }

    void fieldsAreNamedByTheirLabels() {
        SizeModel model;
        DialogWindow w(model);
        QCOMPARE(w.Control(kWidth)->accessibleName(), QString("Width:"));
        QCOMPARE(w.Control(kDepth)->accessibleName(), QString("Depth:"));
        QCOMPARE(w.Control(kWhite)->accessibleName(), QString("White"));
        QCOMPARE(w.Control(kLock)->accessibleName(), QString("Lock"));
        QCOMPARE(w.Control(DialogAnswer::Cancel)->accessibleName(), QString("Cancel"));
        const auto arrows = w.Control(kArrows)->findChildren<QToolButton*>();
        QCOMPARE(arrows.size(), 2);
        QCOMPARE(arrows[0]->accessibleName(), QString("Width: up"));
        // The label's mnemonic leads to its field.
        QLabel* label = nullptr;
        for (QLabel* l : w.findChildren<QLabel*>())
            if (l->text() == "&Width:") label = l;
        QVERIFY(label);
        QCOMPARE(label->buddy(), w.Control(kWidth));
        for (int id : {kWidth, kDepth, kBlack, kWhite, kLock, int(DialogAnswer::Ok), int(DialogAnswer::Cancel)})
            QVERIFY2(w.Control(id)->focusPolicy() & Qt::TabFocus, qPrintable(QString::number(id)));
    }

    void widgetsShowTheModelAfterEachAction() {
        SizeModel model;
        DialogWindow w(model);
        w.show();
        auto* edit = ControlOf<QLineEdit>(w, kWidth);
        QCOMPARE(edit->text(), QString("100"));
        edit->setFocus();
        QTest::keyClicks(edit, "7x");
        QCOMPARE(model.width, std::string("1007"));
        QCOMPARE(edit->text(), QString("1007"));  // the refused letter is gone

        QTest::keyClick(edit, Qt::Key_Up);
        QCOMPARE(edit->text(), QString("1008"));
        w.Control(kArrows)->findChildren<QToolButton*>()[1]->click();
        QCOMPARE(edit->text(), QString("1007"));

        auto* list = ControlOf<QComboBox>(w, kDepth);
        QCOMPARE(list->count(), 4);
        QCOMPARE(list->currentText(), QString("24"));
        emit list->activated(1);
        QCOMPARE(model.depth, 1);

        auto* black = ControlOf<QRadioButton>(w, kBlack);
        auto* white = ControlOf<QRadioButton>(w, kWhite);
        QVERIFY(black->isChecked() && !white->isChecked());
        white->click();
        QCOMPARE(model.color, kWhite);
        QVERIFY(!black->isChecked() && white->isChecked());
        white->click();  // clicking it again does not uncheck it: the model says it is checked
        QVERIFY(white->isChecked());

        // The box shows what the model says after each click, not only what the click did.
        auto* lock = ControlOf<QCheckBox>(w, kLock);
        QVERIFY(!lock->isChecked());
        lock->click();
        QVERIFY(!model.locked);
        QVERIFY(!lock->isChecked());  // refused while white
        black->click();
        lock->click();
        QVERIFY(model.locked);
        QVERIFY(lock->isChecked());
        lock->toggle();  // as an assistive tool does
        QVERIFY(!model.locked);
        QVERIFY(!lock->isChecked());
    }

    void enterInAFieldCommitsItThenSendsOk() {
        SizeModel model;
        DialogWindow w(model);
        w.show();
        auto* edit = ControlOf<QLineEdit>(w, kWidth);
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(model.log, std::string("commit 101;command 1;"));
        QVERIFY(model.Ended());
        QCOMPARE(w.result(), int(DialogAnswer::Ok));
        QVERIFY(!w.isVisible());
    }

    void theModelDecidesWhetherTheDialogCloses() {
        SizeModel model;
        DialogWindow w(model);
        w.show();
        auto* edit = ControlOf<QLineEdit>(w, kWidth);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QCOMPARE(model.width, std::string());
        ControlOf<QPushButton>(w, DialogAnswer::Ok)->click();
        QVERIFY(w.isVisible());  // refused
        QTest::keyClick(&w, Qt::Key_Escape);
        QVERIFY(!w.isVisible());
        QCOMPARE(w.result(), int(DialogAnswer::Cancel));
    }

    void hostRunsTheModelToItsResult() {
        SizeModel model;
        QtHost host;
        QTimer::singleShot(0, [] {
            auto* w = qobject_cast<DialogWindow*>(QApplication::activeModalWidget());
            QVERIFY(w);
            ControlOf<QRadioButton>(*w, kWhite)->click();
            ControlOf<QPushButton>(*w, DialogAnswer::Ok)->click();
        });
        QCOMPARE(host.RunModal(model), int(DialogAnswer::Ok));
        QCOMPARE(model.color, kWhite);
    }

    void labelsAndArrowsAreFoundByPosition() {
        // Labels listed apart from their fields, one above its field, arrows across and upright.
        const DialogTemplate t{"T", "", {0, 0, 200, 100}, {
            {1, ControlKind::Text, {10, 12, 20, 8}, "In:", false},            // 0
            {2, ControlKind::Text, {10, 32, 20, 8}, "Down:", false},          // 1
            {3, ControlKind::Text, {100, 10, 40, 8}, "Name", false},          // 2
            {10, ControlKind::Edit, {44, 10, 24, 12}, "", true},              // 3
            {11, ControlKind::Edit, {44, 30, 24, 12}, "", true},              // 4
            {12, ControlKind::Edit, {100, 20, 60, 12}, "", true},             // 5
            {14, ControlKind::UpDown, {67, 10, 18, 12}, "", false},           // 6
            {15, ControlKind::UpDown, {70, 28, 12, 16}, "", false},           // 7
            {16, ControlKind::Edit, {10, 60, 24, 12}, "", true},              // 8: no label
        }};
        QCOMPARE(LabelOf(t, 3), 0);
        QCOMPARE(LabelOf(t, 4), 1);
        QCOMPARE(LabelOf(t, 5), 2);  // the text above
        QCOMPARE(LabelOf(t, 8), -1);
        QCOMPARE(FieldBeside(t, 6), 3);
        QCOMPARE(FieldBeside(t, 7), 4);

        struct Model : DialogModel {
            explicit Model(const DialogTemplate& t) : t_(t) {}
            const DialogTemplate& Template() const override { return t_; }
            void Spin(int id, int delta) override { spins += std::to_string(id) + (delta > 0 ? "+" : "-"); }
            void Command(int) override {}
            const DialogTemplate& t_;
            std::string spins;
        } model(t);
        DialogWindow w(model);
        QCOMPARE(w.Control(11)->accessibleName(), QString("Down:"));
        const auto across = w.Control(14)->findChildren<QToolButton*>();
        QCOMPARE(across[0]->arrowType(), Qt::LeftArrow);
        QCOMPARE(across[1]->accessibleName(), QString("In: right"));
        across[1]->click();
        across[0]->click();
        QTest::keyClick(w.Control(11), Qt::Key_Down);  // the field's own arrow key
        QCOMPARE(model.spins, std::string("14+14-15-"));
    }

    void previewsShowTheModelsSample() {
        struct Model : DialogModel {
            const DialogTemplate& Template() const override { return t_; }
            std::optional<Bitmap> Preview(int id) const override {
                if (id != 7) return std::nullopt;
                Bitmap sample(12, 6, ColorFromRgb(0, 0, 255));
                sample.SetPixel(shade, 0, ColorFromRgb(255, 0, 0));
                return sample;  // gone once the window has read it
            }
            void Command(int id) override { shade = id == 8 ? shade + 1 : shade; }
            int shade = 0;
            DialogTemplate t_{"P", "", {0, 0, 80, 40}, {
                {-1, ControlKind::Text, {4, 4, 30, 8}, "Sample:", false},
                {7, ControlKind::Preview, {36, 4, 40, 20}, "", false},
                {8, ControlKind::PushButton, {4, 26, 40, 12}, "Next", true}}};
        } model;
        DialogWindow w(model);
        auto* preview = qobject_cast<QLabel*>(w.Control(7));
        QCOMPARE(preview->accessibleName(), QString("Sample:"));
        QCOMPARE(preview->pixmap().size(), QSize(12, 6));
        QCOMPARE(preview->pixmap().toImage().pixel(0, 0), qRgb(255, 0, 0));
        qobject_cast<QPushButton*>(w.Control(8))->click();
        const QImage shown = preview->pixmap().toImage();
        QCOMPARE(shown.pixel(0, 0), qRgb(0, 0, 255));
        QCOMPARE(shown.pixel(1, 0), qRgb(255, 0, 0));
    }

    // Each dialog with radio buttons, run from the keyboard alone: the arrow keys move the
    // choice, Enter is OK, and OK keeps what the dialog shows. An assistive tool's toggle counts
    // as a choice too.
    void radioChoicesMadeWithoutTheMouseAreKept() {
        const auto runByKeys = [](DialogModel& model, int firstRadio, int downs) {
            DialogWindow w(model);
            w.show();
            QApplication::setActiveWindow(&w);
            QVERIFY(QTest::qWaitForWindowActive(&w));
            ControlOf<QRadioButton>(w, firstRadio)->setFocus();
            for (int i = 0; i < downs; ++i) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QVERIFY(model.Ended());
            QCOMPARE(model.Result(), int(DialogAnswer::Ok));
        };
        SettingsRecord settings;
        FillStyleDialog fill(settings);
        runByKeys(fill, ControlId::StyleRadio, 5);
        QCOMPARE(int(settings.hatchStyleIndex), 5);  // "+ hatch"
        LineStyleDialog line(settings);
        runByKeys(line, ControlId::StyleRadio, 2);
        QCOMPARE(int(settings.lineStyleIndex), 2);  // "Dash"

        QtHost host;
        Editor ed(host);
        NewImageDialog depth(ed);
        depth.TextChanged(NewImageDialog::kWidthEdit, "20");
        depth.TextChanged(NewImageDialog::kHeightEdit, "10");
        runByKeys(depth, NewImageDialog::kDepth1, 2);
        QCOMPARE(depth.BitDepth(), 8);

        FillStyleDialog toggled(settings);
        DialogWindow w(toggled);
        w.show();
        ControlOf<QRadioButton>(w, ControlId::StyleRadio + 6)->toggle();  // as an assistive tool does
        ControlOf<QPushButton>(w, DialogAnswer::Ok)->click();
        QCOMPARE(int(settings.hatchStyleIndex), 6);
    }

    // Scale Image and Reduce Colours: every field is named by its label and shows all of it,
    // and what is done in the window reaches the model.
    void mnemonicsAreStrippedFromNames() {
        QCOMPARE(WithoutMnemonic("&Width"), QString("Width"));
        QCOMPARE(WithoutMnemonic("Black && White"), QString("Black & White"));
        QCOMPARE(WithoutMnemonic("Trailing&"), QString("Trailing"));
    }
};

QTEST_MAIN(DialogTest)
#include "dialog_test.moc"
