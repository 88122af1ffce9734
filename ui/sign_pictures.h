// The image list of the twelve sign pictures, by 1-based position.
#pragma once

#include <QPixmap>

#include <cstdint>

namespace aromelle {

// The sign's picture, decoded from the program's resources on first use and kept for
// the rest of the run; a null pixmap for a position outside 1..12.
QPixmap IMGSunsignList(std::int16_t position);

} // namespace aromelle
