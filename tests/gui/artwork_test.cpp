#include <QFile>
#include <QSet>
#include <QtTest>

#include "gui/Artwork.h"
#include "view/SelectionPattern.h"

using namespace rastrix;
using namespace rastrix::gui;

namespace {

QImage ImageOf(const QPixmap& pixmap) { return pixmap.toImage().convertToFormat(QImage::Format_ARGB32); }

int CountOpaque(const QImage& image) {
    int opaque = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) opaque += qAlpha(image.pixel(x, y)) == 255;
    return opaque;
}

}  // namespace

class ArtworkTest : public QObject {
    Q_OBJECT
private slots:
    void stripImageIsDrawnAtItsSize_data() {
        QTest::addColumn<QIcon>("icon");
        QTest::addColumn<int>("size");
        for (int i = 0; i < mainToolBarImageCount; ++i)
            QTest::addRow("main %d", i) << MainToolBarIcon(i) << 16;
        for (int i = 0; i < drawingToolBarImageCount; ++i)
            QTest::addRow("drawing %d", i) << DrawingToolBarIcon(i) << 20;
    }
    void stripImageIsDrawnAtItsSize() {
        QFETCH(QIcon, icon);
        QFETCH(int, size);
        QVERIFY(!icon.isNull());
        QCOMPARE(icon.availableSizes(), QList<QSize>{QSize(size, size)});
        const QImage image = ImageOf(icon.pixmap(size, size));
        QCOMPARE(image.size(), QSize(size, size));
        const int opaque = CountOpaque(image);
        QVERIFY2(opaque >= size * size / 10, "image is nearly blank");
        QVERIFY2(opaque < size * size, "image has no transparent background");
    }

    void everyStripImageIsDistinct() {
        for (auto [icon, count, size] : {std::tuple{&MainToolBarIcon, mainToolBarImageCount, 16},
                                         std::tuple{&DrawingToolBarIcon, drawingToolBarImageCount, 20}}) {
            QList<QImage> seen;
            for (int i = 0; i < count; ++i) {
                const QImage image = ImageOf(icon(i).pixmap(size, size));
                for (int j = 0; j < seen.size(); ++j)
                    QVERIFY2(seen[j] != image, qPrintable(QString("images %1 and %2 are the same").arg(j).arg(i)));
                seen.append(image);
            }
        }
    }

    void indexOutsideStripGivesNullIcon() {
        QVERIFY(MainToolBarIcon(-1).isNull());
        QVERIFY(MainToolBarIcon(mainToolBarImageCount).isNull());
        QVERIFY(DrawingToolBarIcon(drawingToolBarImageCount).isNull());
    }

    void cursorHotSpotIsItsBlackTip_data() {
        QTest::addColumn<QCursor>("cursor");
        QTest::addColumn<QPoint>("hotSpot");
        QTest::addRow("pen") << PenCursor() << QPoint(9, 19);
        QTest::addRow("bucket") << BucketCursor() << QPoint(10, 23);
        QTest::addRow("picker") << PickerCursor() << QPoint(8, 23);
    }
    void cursorHotSpotIsItsBlackTip() {
        QFETCH(QCursor, cursor);
        QFETCH(QPoint, hotSpot);
        QCOMPARE(cursor.hotSpot(), hotSpot);
        const QImage image = ImageOf(cursor.pixmap());
        QCOMPARE(image.size(), QSize(32, 32));
        QCOMPARE(image.pixel(hotSpot), qRgba(0, 0, 0, 255));
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                const QRgb p = image.pixel(x, y);
                QVERIFY2(qAlpha(p) == 0 || p == qRgb(0, 0, 0) || p == qRgb(255, 255, 255),
                         qPrintable(QString("pixel %1,%2 is not black, white or clear").arg(x).arg(y)));
            }
    }

    void programIconHasWindowSizes() {
        const QList<QSize> sizes = ProgramIcon().availableSizes();
        for (int s : {16, 32, 48}) QVERIFY2(sizes.contains(QSize(s, s)), qPrintable(QString::number(s)));
        QVERIFY(CountOpaque(ImageOf(ProgramIcon().pixmap(16, 16))) > 100);
    }

    void selectionPatternIsFourColorDiagonalBands() {
        const Bitmap pattern = SelectionPattern();
        QCOMPARE(pattern.Width(), 8);
        QCOMPARE(pattern.Height(), 8);
        QMap<Pixel, int> counts;
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) ++counts[pattern.Row(y)[x]];
        QCOMPARE(counts, (QMap<Pixel, int>{{Pixel{0x000000}, 16}, {Pixel{0xFF0000}, 16}, {Pixel{0x0000FF}, 16}, {Pixel{0xFFFFFF}, 16}}));
        QCOMPARE(pattern.Row(0)[2], Pixel(0xFF0000));  // black, red, blue, white from the left
        for (int y = 1; y < 8; ++y)
            for (int x = 0; x < 8; ++x) {
                // each pair of rows is the pair above moved two pixels to the left
                const int above = (y % 2) ? y - 1 : y - 2;
                const int shift = (y % 2) ? 0 : 2;
                QCOMPARE(pattern.Row(y)[x], pattern.Row(above)[(x + shift) % 8]);
            }
    }

    void sampleImageHasPlainMount() {
        const QString path = RASTRIX_SOURCE_DIR "/resources/sample.bmp";
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray header = file.read(30);
        QCOMPARE(quint8(header[28]), quint8(24));  // bits per pixel
        const QImage image(path);
        QCOMPARE(image.size(), QSize(640, 400));
        const QRect picture(32, 28, 568, 336);
        const QRgb mount = qRgb(0xF4, 0xF1, 0xE8);
        for (int y = 0; y < 400; ++y)
            for (int x = 0; x < 640; ++x)
                if (!picture.contains(x, y)) QCOMPARE(image.pixel(x, y), mount);
        // the picture's outermost rows and columns are clearly not the mount colour
        auto differs = [&](QPoint p) {
            const QRgb c = image.pixel(p);
            const int dr = qRed(c) - 0xF4, dg = qGreen(c) - 0xF1, db = qBlue(c) - 0xE8;
            return dr * dr + dg * dg + db * db > 300;
        };
        int left = 0, right = 0, top = 0, bottom = 0;
        for (int y = picture.top(); y <= picture.bottom(); ++y) {
            left += differs({picture.left(), y});
            right += differs({picture.right(), y});
        }
        for (int x = picture.left(); x <= picture.right(); ++x) {
            top += differs({x, picture.top()});
            bottom += differs({x, picture.bottom()});
        }
        QVERIFY(left > 400 / 4 && right > 400 / 4 && top > 640 / 4 && bottom > 640 / 4);
    }
};

QTEST_MAIN(ArtworkTest)
#include "artwork_test.moc"
