// Build helper: turns one XPM picture into a PNG file for the desktop's icon theme.
#include <QImage>
#include <QString>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s input.xpm output.png\n", argv[0]);
        return 2;
    }
    const QImage image(QString::fromLocal8Bit(argv[1]), "XPM");
    if (image.isNull()) {
        std::fprintf(stderr, "%s: cannot read %s\n", argv[0], argv[1]);
        return 1;
    }
    if (!image.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[2]);
        return 1;
    }
    return 0;
}
