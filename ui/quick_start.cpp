#include "quick_start.h"

#include <QGuiApplication>
#include <QIconEngine>
#include <QLineEdit>
#include <QPointer>
#include <QStyleOption>
#include <QTimer>

#include <optional>

namespace aromelle::quickStart {

namespace {

// One of a style's standard icons, read from the style when first drawn or measured.
class DeferredIcon : public QIconEngine {
public:
    DeferredIcon(QStyle *style, QStyle::StandardPixmap which, Qt::LayoutDirection direction)
        : m_style(style), m_which(which), m_direction(direction) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode,
               QIcon::State state) override {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override {
        return icon().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        return icon().pixmap(size, scale, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return icon().availableSizes(mode, state);
    }
    // The style has every standard icon; asking whether this one is there must not
    // read it.
    bool isNull() override { return false; }
    QIconEngine *clone() const override { return new DeferredIcon(*this); }

private:
    const QIcon &icon() {
        if (!m_icon) {
            QStyleOption option;
            option.direction = m_direction;
            m_icon = m_style ? m_style->standardIcon(m_which, &option) : QIcon();
        }
        return *m_icon;
    }

    QPointer<QStyle> m_style;
    QStyle::StandardPixmap m_which;
    Qt::LayoutDirection m_direction;
    std::optional<QIcon> m_icon;
};

} // namespace

void CaptionFrame::makeBold(const QFont &bold) {
    setFontQuietly(bold);
    QTimer::singleShot(0, this, [this] {
        QEvent change(QEvent::FontChange);
        QGroupBox::changeEvent(&change);
    });
}

QLineEdit *textBox(QWidget *parent, const QFont &font) {
    const QFont application = QGuiApplication::font();
    QGuiApplication::setFont(font);
    auto *box = new QLineEdit(parent);
    QGuiApplication::setFont(application);
    box->setFont(font);
    return box;
}

QIcon deferredStandardIcon(QStyle *style, QStyle::StandardPixmap which,
                           Qt::LayoutDirection direction) {
    return QIcon(new DeferredIcon(style, which, direction));
}

} // namespace aromelle::quickStart
