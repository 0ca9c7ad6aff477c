// Build-time converter: an image file (the program's PNG icons) to its raw
// pixels, premultiplied ARGB32 words in this machine's byte order, row by
// row. The runtime component carries these instead of the PNGs, so that the
// icon costs no decoding at start-up.
//
// Usage: iconpixels INPUT OUTPUT

#include <QFile>
#include <QImage>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: iconpixels INPUT OUTPUT\n");
        return 2;
    }
    const QImage image = QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        std::fprintf(stderr, "iconpixels: cannot read %s\n", argv[1]);
        return 1;
    }
    QFile out(QString::fromLocal8Bit(argv[2]));
    const auto bytes = static_cast<qint64>(image.width()) * 4;
    bool written = out.open(QIODevice::WriteOnly | QIODevice::Truncate);
    for (int y = 0; written && y < image.height(); ++y) {
        written = out.write(reinterpret_cast<const char*>(image.constScanLine(y)), bytes) == bytes;
    }
    if (!written || !out.flush()) {
        std::fprintf(stderr, "iconpixels: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
