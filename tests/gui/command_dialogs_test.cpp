// The command dialogs in their Qt window: Scale Image, Reduce Colours and Export for Device name
// their fields by their labels, grey what does not apply and show the model's preview.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "document/DeviceExportDialog.h"
#include "document/NewImageDialog.h"
#include "edit/ReduceColorsDialog.h"
#include "edit/ScaleImageDialog.h"
#include "editor/Editor.h"
#include "editor/Host.h"
#include "editor/ImageStack.h"
#include "gui/DialogWindow.h"
#include "gui/QtHost.h"

using namespace rastrix;
using namespace rastrix::gui;

namespace {

template <class T>
T* ControlOf(const DialogWindow& w, int id) {
    return qobject_cast<T*>(w.Control(id));
}

}  // namespace

class CommandDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void scaleAndReduceDialogsNameTheirFieldsAndFollowTheModel() {
        QtHost host;
        Editor ed(host);
        SetBaseLevel(ed, Bitmap(100, 80, ColorFromRgb(90, 140, 200)));
        ed.doc.fileSize = 1;  // an image is open
        ScaleImageDialog scale(ed, 100, 80);
        DialogWindow s(scale);
        s.show();
        QCOMPARE(s.Control(ScaleImageDialog::kWidthEdit)->accessibleName(), QString("Width:"));
        QCOMPARE(s.Control(ScaleImageDialog::kHeightEdit)->accessibleName(), QString("Height:"));
        QCOMPARE(s.Control(ScaleImageDialog::kFilterList)->accessibleName(), QString("Filter:"));
        QCOMPARE(s.Control(ScaleImageDialog::kKeepAspectBox)->accessibleName(), QString("Keep aspect ratio"));
        QCOMPARE(s.Control(ScaleImageDialog::kFitList)->accessibleName(), QString("Fit:"));
        QCOMPARE(ControlOf<QComboBox>(s, ScaleImageDialog::kFitList)->count(), 3);
        emit ControlOf<QComboBox>(s, ScaleImageDialog::kFitList)->activated(ScaleImageDialog::kFitInside);
        QCOMPARE(scale.Selection(ScaleImageDialog::kFitList), ScaleImageDialog::kFitInside);
        emit ControlOf<QComboBox>(s, ScaleImageDialog::kFitList)->activated(ScaleImageDialog::kSizeAsTyped);
        auto* width = ControlOf<QLineEdit>(s, ScaleImageDialog::kWidthEdit);
        width->selectAll();
        QTest::keyClicks(width, "50");
        QCOMPARE(ControlOf<QLineEdit>(s, ScaleImageDialog::kHeightEdit)->text(), QString("40"));
        auto* keep = ControlOf<QCheckBox>(s, ScaleImageDialog::kKeepAspectBox);
        QVERIFY(keep->isChecked());
        keep->click();
        QVERIFY(!scale.Checked(ScaleImageDialog::kKeepAspectBox));
        QVERIFY(!keep->isChecked());
        // Beside them the percentage, the anchor and the pad colour, named by their labels, the
        // anchor and the pad colour enabled only for the fits that use them, and a picture.
        using S = ScaleImageDialog;
        QCOMPARE(s.Control(S::kPercentEdit)->accessibleName(), QString("Percent:"));
        QCOMPARE(s.Control(S::kAnchorList)->accessibleName(), QString("Anchor:"));
        QCOMPARE(s.Control(S::kPadList)->accessibleName(), QString("Pad with:"));
        QCOMPARE(s.Control(S::kPadChooseButton)->accessibleName(), QString("Other colour..."));
        QCOMPARE(s.Control(S::kPreview)->accessibleName(), QString("Result:"));
        QVERIFY(!ControlOf<QLabel>(s, S::kPreview)->pixmap().isNull());
        QVERIFY(!s.Control(S::kAnchorList)->isEnabled() && !s.Control(S::kPadList)->isEnabled());
        auto* percent = ControlOf<QLineEdit>(s, S::kPercentEdit);
        percent->selectAll();
        QTest::keyClicks(percent, "25");
        QCOMPARE(width->text(), QString("25"));
        QCOMPARE(ControlOf<QLabel>(s, S::kResultText)->text(), QString("Result: 25 x 20 pixels"));
        emit ControlOf<QComboBox>(s, S::kFitList)->activated(S::kCoverSize);
        QVERIFY(s.Control(S::kAnchorList)->isEnabled() && !s.Control(S::kPadList)->isEnabled() && !keep->isEnabled());
        for (QLabel* label : s.findChildren<QLabel*>()) {
            if (label->buddy() == s.Control(S::kAnchorList)) QVERIFY(label->isEnabled());
            if (label->buddy() == s.Control(S::kPadList)) QVERIFY(!label->isEnabled());
        }
        emit ControlOf<QComboBox>(s, S::kAnchorList)->activated(int(ScaleAnchor::Top));
        QCOMPARE(scale.Params().anchor, ScaleAnchor::Top);
        width->selectAll();
        QTest::keyClicks(width, "0");
        QCOMPARE(ControlOf<QLabel>(s, S::kProblemText)->text(), QString(kZeroSizeText));
        QVERIFY(ControlOf<QLabel>(s, S::kPreview)->pixmap().isNull());
        width->selectAll();
        QTest::keyClicks(width, "40");
        QCOMPARE(ControlOf<QLabel>(s, S::kProblemText)->text(), QString());

        ReduceColorsDialog reduce(ed);
        DialogWindow r(reduce);
        r.show();
        QCOMPARE(r.Control(ReduceColorsDialog::kPaletteList)->accessibleName(), QString("Palette:"));
        QCOMPARE(r.Control(ReduceColorsDialog::kDitherList)->accessibleName(), QString("Dithering:"));
        QCOMPARE(r.Control(ReduceColorsDialog::kFileEdit)->accessibleName(), QString("Palette file:"));
        QCOMPARE(r.Control(ReduceColorsDialog::kThresholdEdit)->accessibleName(), QString("Threshold %:"));
        QCOMPARE(ControlOf<QComboBox>(r, ReduceColorsDialog::kPaletteList)->count(), 7);
        // The threshold (and its label) serves black and white without dithering only; the
        // colour count, an optimised palette; the sample is shown while the fields can be used.
        auto* threshold = r.Control(ReduceColorsDialog::kThresholdEdit);
        QVERIFY(threshold->isEnabled() && !r.Control(ReduceColorsDialog::kColorsEdit)->isEnabled());
        QVERIFY(!ControlOf<QLabel>(r, ReduceColorsDialog::kPreview)->pixmap().isNull());
        emit ControlOf<QComboBox>(r, ReduceColorsDialog::kDitherList)->activated(1);
        QCOMPARE(reduce.Selection(ReduceColorsDialog::kDitherList), 1);
        QVERIFY(!threshold->isEnabled());
        for (QLabel* label : r.findChildren<QLabel*>())
            if (label->buddy() == threshold) QVERIFY(!label->isEnabled());
        emit ControlOf<QComboBox>(r, ReduceColorsDialog::kPaletteList)->activated(5);
        QVERIFY(r.Control(ReduceColorsDialog::kColorsEdit)->isEnabled());
        for (const DialogWindow* w : {&s, &r})
            for (QLabel* label : w->findChildren<QLabel*>())
                QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->text()));
    }

    // Export for Device: every field is named by its label, reachable by the keyboard, and the
    // preview shows the model's picture; a choice in the window reaches the model.
    void exportForDeviceDialogNamesItsFieldsAndShowsThePreview() {
        QtHost host;
        Editor ed(host);
        SetBaseLevel(ed, Bitmap(64, 32, ColorFromRgb(200, 120, 40)));
        ed.doc.fileSize = 1;  // an image to preview
        DeviceExportDialog model(ed, {}, {}, "logo");
        DialogWindow w(model);
        w.show();
        const std::pair<int, const char*> named[] = {
            {DeviceExportDialog::kProfileList, "Profile:"},   {DeviceExportDialog::kFormatList, "Format:"},
            {DeviceExportDialog::kLayoutList, "Layout:"},     {DeviceExportDialog::kPaletteList, "Palette:"},
            {DeviceExportDialog::kColorsEdit, "Colours:"},    {DeviceExportDialog::kFileEdit, "Palette file:"},
            {DeviceExportDialog::kDitherList, "Dithering:"},  {DeviceExportDialog::kThresholdEdit, "Threshold %:"},
            {DeviceExportDialog::kBrightnessEdit, "Brightness:"}, {DeviceExportDialog::kContrastEdit, "Contrast:"},
            {DeviceExportDialog::kGammaEdit, "Gamma:"},       {DeviceExportDialog::kWidthEdit, "Device width:"},
            {DeviceExportDialog::kHeightEdit, "Height:"},     {DeviceExportDialog::kFitList, "Scaling:"},
            {DeviceExportDialog::kFilterList, "Filter:"},     {DeviceExportDialog::kNameEdit, "C name:"},
            {DeviceExportDialog::kInvertBox, "Invert (1 = black)"}, {DeviceExportDialog::kProgmemBox, "PROGMEM arrays"},
            {DeviceExportDialog::kPreview, "Preview: what the device shows"}};
        for (const auto& [id, name] : named) {
            QCOMPARE(w.Control(id)->accessibleName(), QString(name));
            if (id != DeviceExportDialog::kPreview) QCOMPARE(w.Control(id)->focusPolicy(), Qt::StrongFocus);
        }
        auto* profiles = ControlOf<QComboBox>(w, DeviceExportDialog::kProfileList);
        const int ssd1306 = profiles->findText("ssd1306");
        QVERIFY(ssd1306 > 0);
        emit profiles->activated(ssd1306);
        QCOMPARE(model.Export().layout, DeviceLayout::MonoPages);
        QCOMPARE(ControlOf<QComboBox>(w, DeviceExportDialog::kLayoutList)->currentText().left(10), QString("mono-pages"));
        QVERIFY(ControlOf<QLabel>(w, DeviceExportDialog::kStatusText)->text().startsWith("For Adafruit_SSD1306"));
        const QPixmap shown = ControlOf<QLabel>(w, DeviceExportDialog::kPreview)->pixmap();
        QCOMPARE(shown.size(), QSize(64 * 4, 32 * 4));  // enlarged by the largest whole factor that fits
        for (QLabel* label : w.findChildren<QLabel*>())
            if (label->buddy()) QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->text()));
    }
};

QTEST_MAIN(CommandDialogsTest)
#include "command_dialogs_test.moc"
