#include "sign_pictures.h"

#include "sign_pixels.h"
#include "sunsign.h"

#include <QImage>

#include <array>

namespace aromelle {

QPixmap IMGSunsignList(std::int16_t position) {
    // Making all twelve up front would slow start-up for pictures most runs never show.
    // Kept for the life of the process: pixmaps must not outlive the application
    // object's clean-up, so they are never destroyed at exit.
    static_assert(embedded::kSignPictureCount == kSignCount, "one picture per sign");
    static auto &decoded = *new std::array<QPixmap, kSignCount>;
    if (position < 1 || position > kSignCount)
        return {};
    QPixmap &slot = decoded[static_cast<std::size_t>(position - 1)];
    if (slot.isNull()) {
        // Ready pixels made at build time (tools/embed_signs.cpp). As JPEG files they
        // loaded the image plug-in and libjpeg and were decoded at the first reading:
        // 3.9 million instructions (callgrind) and 1.0 ms of processor time, where this
        // conversion to the screen's format takes 0.2 million.
        const QImage pixels(embedded::kSignPixels[position - 1], embedded::kSignPictureWidth,
                            embedded::kSignPictureHeight, embedded::kSignPictureBytesPerLine,
                            QImage::Format_RGB888);
        slot = QPixmap::fromImage(pixels);
    }
    return slot;
}

} // namespace aromelle
