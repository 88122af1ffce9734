#include "sign_pictures.h"

#include "sunsign.h"

#include <array>

namespace aromelle {

QPixmap IMGSunsignList(std::int16_t position) {
    // Decoding all twelve up front would slow start-up for pictures most runs never show.
    // Kept for the life of the process: pixmaps must not outlive the application
    // object's clean-up, so they are never destroyed at exit.
    static auto &decoded = *new std::array<QPixmap, kSignCount>;
    if (position < 1 || position > kSignCount)
        return {};
    QPixmap &slot = decoded[static_cast<std::size_t>(position - 1)];
    if (slot.isNull()) {
        const std::string_view file = kSunSigns[static_cast<std::size_t>(position - 1)].pictureKey;
        slot.load(QStringLiteral(":/signs/") +
                  QString::fromLatin1(file.data(), static_cast<qsizetype>(file.size())));
    }
    return slot;
}

} // namespace aromelle
