#include <QClipboard>
#include <QMimeData>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

#include "gui/ImageConversion.h"
#include "gui/QtHost.h"

using namespace rastrix;
using namespace rastrix::gui;

namespace {

// QtHost with its dialogs answered by the test instead of a user.
class ScriptedHost : public QtHost {
public:
    std::function<int(QMessageBox&)> onBox;
    std::function<int(QFileDialog&)> onFile;
    std::function<int(QColorDialog&)> onColor;

protected:
    int ExecMessageBox(QMessageBox& box) override { return onBox(box); }
    int ExecFileDialog(QFileDialog& dialog) override { return onFile(dialog); }
    int ExecColorDialog(QColorDialog& dialog) override { return onColor(dialog); }
};

FileDialogRequest TwoFilterRequest() {
    FileDialogRequest r;
    r.title = "Save As";
    r.filters = {{"Bitmap Files", "*.bmp"}, {"All Files", "*.*"}};
    r.filterIndex = 2;
    r.initialName = "picture.bmp";
    r.confirmOverwrite = true;
    return r;
}

}  // namespace

class HostTest : public QObject {
    Q_OBJECT
private slots:
    void messageBoxShowsTextCaptionIconAndButtons() {
        ScriptedHost host;
        QString title, text;
        QMessageBox::Icon icon{};
        QMessageBox::StandardButtons buttons{};
        host.onBox = [&](QMessageBox& box) {
            title = box.windowTitle(), text = box.text(), icon = box.icon(), buttons = box.standardButtons();
            return int(QMessageBox::No);
        };
        const int answer = host.ShowMessage("Save changes to <b>a.bmp</b>?", std::string("Rastrix"),
                                           MsgButtons::YesNoCancel, MsgIcon::Question);
        QCOMPARE(answer, int(DialogAnswer::No));
        QCOMPARE(title, QString("Rastrix"));
        QCOMPARE(text, QString("Save changes to <b>a.bmp</b>?"));
        QCOMPARE(icon, QMessageBox::Question);
        QCOMPARE(buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);

        host.ShowMessage("x", std::nullopt, MsgButtons::Ok, MsgIcon::Error);
        QCOMPARE(title, QString("Error"));
        QCOMPARE(icon, QMessageBox::Critical);
        QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }

    void messageBoxAnswers_data() {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("clicked");  // 0: closed without a button
        QTest::addColumn<int>("answer");
        QTest::newRow("OK") << int(MsgButtons::Ok) << int(QMessageBox::Ok) << int(DialogAnswer::Ok);
        QTest::newRow("OK box closed") << int(MsgButtons::Ok) << 0 << int(DialogAnswer::Ok);
        QTest::newRow("Cancel") << int(MsgButtons::OkCancel) << int(QMessageBox::Cancel) << int(DialogAnswer::Cancel);
        QTest::newRow("OK/Cancel closed") << int(MsgButtons::OkCancel) << 0 << int(DialogAnswer::Cancel);
        QTest::newRow("Yes") << int(MsgButtons::YesNo) << int(QMessageBox::Yes) << int(DialogAnswer::Yes);
        QTest::newRow("Yes/No closed") << int(MsgButtons::YesNo) << 0 << int(DialogAnswer::No);
        QTest::newRow("Yes/No/Cancel closed") << int(MsgButtons::YesNoCancel) << 0 << int(DialogAnswer::Cancel);
    }
    void messageBoxAnswers() {
        QFETCH(int, buttons);
        QFETCH(int, clicked);
        QFETCH(int, answer);
        ScriptedHost host;
        host.onBox = [&](QMessageBox&) { return clicked; };
        QCOMPARE(host.ShowMessage("t", std::nullopt, MsgButtons(buttons), MsgIcon::None), answer);
    }

    void saveDialogGetsFiltersNameAndOverwriteCheck() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString chosen = dir.filePath("out.bmp");
        ScriptedHost host;
        QStringList filters;
        QString selectedFilter, title;
        bool confirms = false;
        QFileDialog::AcceptMode mode{};
        host.onFile = [&](QFileDialog& d) {
            filters = d.nameFilters(), selectedFilter = d.selectedNameFilter(), title = d.windowTitle();
            confirms = !d.testOption(QFileDialog::DontConfirmOverwrite);
            mode = d.acceptMode();
            d.selectNameFilter(filters.first());
            d.selectFile(chosen);
            return int(QDialog::Accepted);
        };
        const std::optional<FileDialogResult> result = host.SaveFileDialog(TwoFilterRequest());
        QCOMPARE(filters, (QStringList{"Bitmap Files (*.bmp)", "All Files (*.*)"}));
        QCOMPARE(selectedFilter, QString("All Files (*.*)"));
        QCOMPARE(title, QString("Save As"));
        QVERIFY(confirms);
        QCOMPARE(mode, QFileDialog::AcceptSave);
        QVERIFY(result.has_value());
        QCOMPARE(QString::fromStdString(result->path), chosen);
        QCOMPARE(result->filterIndex, 1);
    }

    void cancelledOpenDialogGivesNothing() {
        ScriptedHost host;
        QFileDialog::FileMode fileMode{};
        host.onFile = [&](QFileDialog& d) {
            fileMode = d.fileMode();
            return int(QDialog::Rejected);
        };
        QVERIFY(!host.OpenFileDialog(TwoFilterRequest()).has_value());
        QCOMPARE(fileMode, QFileDialog::ExistingFile);
    }

    void filterPatternListsUseSpaces() {
        QCOMPARE(NameFilters({{"Bitmaps", "*.bmp;*.dib"}}), QStringList{"Bitmaps (*.bmp *.dib)"});
    }

    void colorDialogKeepsColorrefOrderAndCustomColors() {
        ScriptedHost host;
        std::array<Color, 16> custom{};
        for (int i = 0; i < 16; ++i) custom[std::size_t(i)] = ColorFromRgb(std::uint8_t(i), 0x80, 0xF0);
        QColor seenInitial, seenCustom3;
        host.onColor = [&](QColorDialog& d) {
            seenInitial = d.currentColor();
            seenCustom3 = QColorDialog::customColor(3);
            QColorDialog::setCustomColor(5, QColor(1, 2, 3));
            d.setCurrentColor(QColor(10, 20, 30));
            return int(QDialog::Accepted);
        };
        const std::optional<Color> chosen = host.ChooseColor(ColorFromRgb(0x11, 0x22, 0x33), custom);
        QCOMPARE(seenInitial, QColor(0x11, 0x22, 0x33));
        QCOMPARE(seenCustom3, QColor(3, 0x80, 0xF0));
        QVERIFY(chosen.has_value());
        QCOMPARE(*chosen, ColorFromRgb(10, 20, 30));
        QCOMPARE(custom[5], ColorFromRgb(1, 2, 3));

        // Cancel chooses nothing but keeps what was done to the custom colours.
        host.onColor = [&](QColorDialog&) {
            QColorDialog::setCustomColor(0, QColor(200, 100, 50));
            return int(QDialog::Rejected);
        };
        QVERIFY(!host.ChooseColor(Color{0}, custom).has_value());
        QCOMPARE(custom[0], ColorFromRgb(200, 100, 50));
    }

    void clipboardRoundTripKeepsPixels() {
        QtHost host;
        Bitmap bitmap(3, 2);
        bitmap.SetPixel(0, 0, ColorFromRgb(255, 0, 0));
        bitmap.SetPixel(2, 1, ColorFromRgb(1, 2, 3));
        QVERIFY(host.OpenClipboard());
        QVERIFY(host.WriteClipboardBitmap(bitmap));
        QVERIFY(host.ClipboardHasBitmap());
        const std::optional<ClipboardImage> read = host.ReadClipboardBitmap();
        QVERIFY(read.has_value());
        QVERIFY(read->bitmap == bitmap);
        QCOMPARE(read->bitDepth, 24);

        QGuiApplication::clipboard()->setText("no picture");
        QVERIFY(!host.ClipboardHasBitmap());
        QVERIFY(!host.ReadClipboardBitmap().has_value());
    }

    void imageDepthsCount_data() {
        QTest::addColumn<int>("format");
        QTest::addColumn<int>("depth");
        QTest::newRow("mono") << int(QImage::Format_Mono) << 1;
        QTest::newRow("indexed") << int(QImage::Format_Indexed8) << 8;
        QTest::newRow("grey") << int(QImage::Format_Grayscale8) << 8;
        QTest::newRow("16-bit") << int(QImage::Format_RGB16) << 24;
        QTest::newRow("24-bit") << int(QImage::Format_RGB888) << 24;
        QTest::newRow("32-bit without alpha") << int(QImage::Format_RGB32) << 24;
        QTest::newRow("32-bit with alpha") << int(QImage::Format_ARGB32) << 32;
    }
    void imageDepthsCount() {
        QFETCH(int, format);
        QFETCH(int, depth);
        QCOMPARE(BitDepthOf(QImage(4, 4, QImage::Format(format))), depth);
    }

    void imagesConvertToOpaquePixels() {
        // Transparency is laid on white: opaque keeps its colour, clear becomes white whatever
        // colour hides under it, a quarter of orange is mostly white.
        QImage image(4, 1, QImage::Format_ARGB32);
        image.setPixel(0, 0, qRgba(0xFF, 0x80, 0x00, 0x40));
        image.setPixel(1, 0, qRgba(0x01, 0x02, 0x03, 0xFF));
        image.setPixel(2, 0, qRgba(0x00, 0x00, 0x00, 0x00));
        image.setPixel(3, 0, qRgba(0x00, 0x00, 0x00, 0x80));
        for (const QImage& form : {image, image.convertToFormat(QImage::Format_ARGB32_Premultiplied),
                                   image.convertToFormat(QImage::Format_RGBA64)}) {
            const std::optional<Bitmap> bitmap = BitmapFromImage(form);
            QVERIFY(bitmap.has_value());
            QCOMPARE(bitmap->Row(0)[0], Pixel(0x00FFDFBF));
            QCOMPARE(bitmap->GetPixel(1, 0), ColorFromRgb(1, 2, 3));
            QCOMPARE(bitmap->Row(0)[2], Pixel(0x00FFFFFF));
            QCOMPARE(BlueOf(bitmap->Row(0)[3]), 0x7Fu);  // half black on white, within rounding
        }
        QVERIFY(!BitmapFromImage(QImage()).has_value());
    }

    void deepAndNarrowImagesConvert_data() {
        QTest::addColumn<int>("format");
        QTest::addColumn<int>("depth");
        QTest::newRow("64-bit, no alpha") << int(QImage::Format_RGBX64) << 24;
        QTest::newRow("64-bit with alpha") << int(QImage::Format_RGBA64) << 32;
        QTest::newRow("16-bit grey") << int(QImage::Format_Grayscale16) << 24;
        QTest::newRow("16-bit colour") << int(QImage::Format_RGB16) << 24;
        QTest::newRow("mono") << int(QImage::Format_Mono) << 1;
    }
    void deepAndNarrowImagesConvert() {
        QFETCH(int, format);
        QFETCH(int, depth);
        QImage image(3, 2, QImage::Format_RGB32);
        image.fill(Qt::white);
        image.setPixel(1, 1, qRgb(0, 0, 0));
        const QImage converted = image.convertToFormat(QImage::Format(format));
        QtHost host;
        QGuiApplication::clipboard()->setImage(converted);
        QVERIFY(host.ClipboardHasBitmap());
        const std::optional<ClipboardImage> read = host.ReadClipboardBitmap();
        QVERIFY(read.has_value());
        QCOMPARE(read->bitDepth, depth);
        QCOMPARE(read->bitmap.Width(), 3);
        QCOMPARE(read->bitmap.GetPixel(0, 0), ColorFromRgb(255, 255, 255));
        QCOMPARE(read->bitmap.GetPixel(1, 1), ColorFromRgb(0, 0, 0));
    }

    void clipboardWithoutAPictureGivesNothing() {
        QtHost host;
        QGuiApplication::clipboard()->setText(QStringLiteral("words"));
        QVERIFY(!host.ClipboardHasBitmap());
        QGuiApplication::clipboard()->setImage(QImage());
        QVERIFY(!host.ReadClipboardBitmap().has_value());
        auto* data = new QMimeData;
        data->setData(QStringLiteral("image/png"), QByteArray("not a png at all"));
        QGuiApplication::clipboard()->setMimeData(data);
        QVERIFY(!host.ReadClipboardBitmap().has_value());
    }

    void waitCursorIsUpUntilTheEventLoopRuns() {
        QtHost host;
        QVERIFY(QGuiApplication::overrideCursor() == nullptr);
        host.ShowWaitCursorNow();
        host.ShowWaitCursorNow();  // a second operation in the same command adds nothing
        QVERIFY(QGuiApplication::overrideCursor() != nullptr);
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        QCoreApplication::processEvents();
        QVERIFY(QGuiApplication::overrideCursor() == nullptr);
    }

    void wrappedBitmapSharesPixels() {
        Bitmap bitmap(4, 3);
        const QImage image = WrapBitmap(bitmap);
        QCOMPARE(image.size(), QSize(4, 3));
        QCOMPARE(static_cast<const void*>(image.constBits()), static_cast<const void*>(bitmap.Data()));
        bitmap.SetPixel(3, 2, ColorFromRgb(0x12, 0x34, 0x56));
        QCOMPARE(image.pixel(3, 2), qRgb(0x12, 0x34, 0x56));
        QVERIFY(WrapBitmap(Bitmap()).isNull());
    }
};

QTEST_MAIN(HostTest)
#include "host_test.moc"
