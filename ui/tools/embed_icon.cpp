// Build tool: turns the program icon's PNG into a header of ready pixels, so the
// program never decodes an image, nor loads the PNG library, before its first window.
//
//   embed_icon ICON.png OUT.h
#include <QFile>
#include <QImage>
#include <QTextStream>

#include <cstdio>

int main(int argc, char *argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s ICON.png OUT.h\n", argv[0]);
        return 2;
    }
    const QImage icon = QImage(QString::fromLocal8Bit(argv[1]))
                            .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (icon.isNull() || icon.width() != icon.height()) {
        std::fprintf(stderr, "embed_icon: %s is not a square image\n", argv[1]);
        return 1;
    }
    QFile file(QString::fromLocal8Bit(argv[2]));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        std::fprintf(stderr, "embed_icon: cannot write %s\n", argv[2]);
        return 1;
    }
    QTextStream out(&file);
    out << "// Made by embed_icon from " << QFile::decodeName(argv[1]).section(u'/', -1)
        << "; do not edit.\n#pragma once\n\n#include <cstdint>\n\n"
        << "namespace aromelle::look::embedded {\n"
        << "inline constexpr int kIconSide = " << icon.width() << ";\n"
        << "// Premultiplied ARGB, one pixel per word, row by row.\n"
        << "inline constexpr std::uint32_t kIconPixels[] = {";
    for (int y = 0; y < icon.height(); ++y) {
        const auto *row = reinterpret_cast<const quint32 *>(icon.constScanLine(y));
        out << "\n   ";
        for (int x = 0; x < icon.width(); ++x)
            out << " 0x" << QString::number(row[x], 16).rightJustified(8, u'0') << "u,";
    }
    out << "\n};\n} // namespace aromelle::look::embedded\n";
    out.flush();
    return file.error() == QFileDevice::NoError ? 0 : 1;
}
