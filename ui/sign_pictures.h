// The twelve sign pictures by 1-based position, made from the pixels built into the
// program on first use and kept for the rest of the run.
#pragma once

#include <QObject>
#include <QPixmap>

#include <array>
#include <cstdint>

namespace aromelle {

class SignPictureList : public QObject {
    Q_OBJECT
public:
    explicit SignPictureList(QObject *parent = nullptr);

    // A null pixmap for a position outside 1..12.
    QPixmap picture(std::int16_t position) const;

    // The shared decoded pictures, for windows that show one in their design state.
    static QPixmap shared(std::int16_t position);
};

} // namespace aromelle
