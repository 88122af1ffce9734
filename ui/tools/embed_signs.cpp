// Build tool: turns the sign pictures into ready pixels, so that a reading shows its
// picture without loading an image plug-in or decoding anything.
//
//   embed_signs OUT.h OUT.cpp PICTURE...
//
// The pictures, all of one size, are stored in the order given (the signs' order),
// as packed RGB: the bytes Qt decodes them to, without the constant alpha byte.
#include <QFile>
#include <QImage>
#include <QTextStream>

#include <cstdio>

namespace {

bool write(const char *path, const QString &text) {
    QFile file(QString::fromLocal8Bit(path));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text) ||
        file.write(text.toUtf8()) < 0 || !file.flush()) {
        std::fprintf(stderr, "embed_signs: cannot write %s\n", path);
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[]) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s OUT.h OUT.cpp PICTURE...\n", argv[0]);
        return 2;
    }
    const int count = argc - 3;
    QSize size;
    QString pixels;
    QTextStream body(&pixels);
    for (int i = 0; i < count; ++i) {
        const char *path = argv[3 + i];
        const QImage picture = QImage(QString::fromLocal8Bit(path));
        if (picture.isNull() || picture.hasAlphaChannel() ||
            (size.isValid() && picture.size() != size)) {
            std::fprintf(stderr, "embed_signs: %s is not an opaque picture the size of the first\n",
                         path);
            return 1;
        }
        size = picture.size();
        const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
        body << "    // " << QFile::decodeName(path).section(u'/', -1) << "\n    {";
        for (int y = 0; y < rgb.height(); ++y) {
            const uchar *row = rgb.constScanLine(y);
            body << "\n       ";
            for (int x = 0; x < rgb.width() * 3; ++x)
                body << ' ' << row[x] << ',';
        }
        body << "\n    },\n";
    }
    body.flush();

    const QString made = QStringLiteral("// Made by embed_signs from assets/signs; do not edit.\n");
    QString header;
    QTextStream h(&header);
    h << made << "#pragma once\n\n"
      << "namespace aromelle::embedded {\n"
      << "inline constexpr int kSignPictureCount = " << count << ";\n"
      << "inline constexpr int kSignPictureWidth = " << size.width() << ";\n"
      << "inline constexpr int kSignPictureHeight = " << size.height() << ";\n"
      << "inline constexpr int kSignPictureBytesPerLine = kSignPictureWidth * 3;\n"
      << "// Packed RGB, row by row, one picture per sign in the signs' order.\n"
      << "extern const unsigned char kSignPixels[kSignPictureCount]\n"
      << "                                      [kSignPictureBytesPerLine * kSignPictureHeight];\n"
      << "} // namespace aromelle::embedded\n";
    h.flush();

    QString source;
    QTextStream s(&source);
    s << made << "#include \"" << QFile::decodeName(argv[1]).section(u'/', -1) << "\"\n\n"
      << "namespace aromelle::embedded {\n"
      << "const unsigned char kSignPixels[kSignPictureCount]\n"
      << "                               [kSignPictureBytesPerLine * kSignPictureHeight] = {\n"
      << pixels << "};\n} // namespace aromelle::embedded\n";
    s.flush();
    return write(argv[1], header) && write(argv[2], source) ? 0 : 1;
}
