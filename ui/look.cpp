#include "look.h"

#include "placement.h"
#include "style.h"
#include "version.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QFrame>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmapCache>
#include <QPushButton>
#include <QScreen>
#include <QStyleHints>
#include <QStyleOption>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace aromelle::look {

namespace {

// The families the layouts were drawn with, and the free ones that stand in for
// them where they are not installed. DejaVu Sans runs as wide as Verdana. MS Sans
// Serif is far narrower than DejaVu Sans; of Debian's fonts Liberation Sans (Arial's
// widths) comes closest, and is fitted where a caption would not fit (captionFont).
constexpr char kDesignFamily[] = "Verdana";
constexpr char kDesignStandIn[] = "DejaVu Sans";
constexpr char kCaptionFamily[] = "MS Sans Serif";
constexpr char kCaptionStandIn[] = "Liberation Sans";

struct Families {
    QString design;
    QString caption;
    bool captionInstalled;
};

// Chosen once, from the list fontconfig has already read. Asking for a family that
// is not installed would make fontconfig search for a fallback at every new font.
const Families &families() {
    static const Families chosen = [] {
        const QStringList installed = QFontDatabase::families();
        const auto pick = [&installed](const char *wanted, const char *standIn) {
            const QString family = QString::fromLatin1(wanted);
            // A family that two foundries offer is listed once for each, as
            // "Family [foundry]"; asked for by its name alone, Qt takes either.
            const QString fromAFoundry = family + QStringLiteral(" [");
            const bool found =
                std::any_of(installed.begin(), installed.end(), [&](const QString &f) {
                    return f == family || f.startsWith(fromAFoundry);
                });
            return found ? family : QString::fromLatin1(standIn);
        };
        const QString caption = pick(kCaptionFamily, kCaptionStandIn);
        return Families{pick(kDesignFamily, kDesignStandIn), caption,
                        caption == QLatin1String(kCaptionFamily)};
    }();
    return chosen;
}

constexpr double kPointsPerInch = 72.0;
// Below this a fitted caption would no longer be legible.
constexpr double kSmallestPixels = 8.0;

QFont fontOf(const QString &family, double points, int style) {
    QFont font(family);
    font.setPointSizeF(points);
    // Set outright, so a bold caption of the frame around it is not inherited.
    font.setBold(style & Bold);
    font.setUnderline(style & Underline);
    return font;
}

} // namespace

QString programTitle() {
    return QStringLiteral("Aromelle v" AROMELLE_VERSION);
}

QFont uiFont(double points, int style) {
    return fontOf(families().design, points, style);
}

QFont captionFont(double points, double standInPoints) {
    const Families &chosen = families();
    return fontOf(chosen.caption, chosen.captionInstalled ? points : standInPoints, Plain);
}

namespace {
// The limit of Qt's cache of drawn images, in kB (Qt's default is 10 MB).
constexpr int kPixmapCacheKB = 64;
} // namespace

QPixmap programPixmap() {
    return QPixmap(QStringLiteral(":/icons/aromelle-32.png"));
}

QIcon programIcon() {
    return QIcon(programPixmap());
}

Picture *programPicture(QWidget *parent, const QRect &rect) {
    auto *icon = place(new Picture(parent), "Picture1", rect);
    icon->setPixmap(programPixmap());
    icon->setAlignment(Qt::AlignCenter);
    icon->setAccessibleName(
        QStringLiteral("Aromelle icon: a perfume bottle under a crescent moon"));
    return icon;
}

void setUpApplication(bool styleChosen) {
    // The windows are drawn for Fusion.
    if (!styleChosen && !dynamic_cast<ProgramStyle *>(QApplication::style()))
        QApplication::setStyle(new ProgramStyle);
    families(); // the design's own where installed, else their stand-ins
    // The menu bars are part of each window as drawn. A desktop with a global menu
    // would take them out; and asking whether there is one asks the session bus,
    // which waits for ever where Qt's D-Bus thread cannot start (a memory limit).
    QApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    // Qt's cache of drawn images keys them by palette, and each reading draws a fresh
    // profile window with palettes of its own: what it keeps of those is never drawn
    // again, and with Qt's default limit it grows with every reading. A small one
    // keeps what every window draws (the style's frame pictures).
    QPixmapCache::setCacheLimit(kPixmapCacheKB);
}

Picture::Picture(QWidget *parent) : QLabel(parent) {
    setFocusPolicy(Qt::StrongFocus);
}

void Picture::paintEvent(QPaintEvent *event) {
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    // Over the picture, which fills the box and would hide a ring drawn beneath it.
    QStyleOptionFocusRect option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}

void setColours(QWidget *widget, const QColor &text, const QColor &background) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::ButtonText, text);
    if (background.isValid()) {
        palette.setColor(QPalette::Window, background);
        palette.setColor(QPalette::Base, background);
        palette.setColor(QPalette::Button, background);
        widget->setAutoFillBackground(true);
    }
    widget->setPalette(palette);
}

namespace {

constexpr Qt::WindowStates kLargerStates = Qt::WindowMaximized | Qt::WindowFullScreen;

// Undoes a maximize or full screen as soon as Qt reports it. On Wayland the title bar
// is Qt's own (bradient, in Qt 6.4 and 6.8), and it offers maximize whatever the
// window's hints say; a compositor then moves the fixed window to the screen's corner
// and calls it maximized.
class KeepsItsSize : public QObject {
public:
    explicit KeepsItsSize(QWidget *window) : QObject(window) { window->installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        auto *window = static_cast<QWidget *>(watched);
        if (event->type() == QEvent::WindowStateChange && watched == parent() &&
            (window->windowState() & kLargerStates))
            QMetaObject::invokeMethod(
                window,
                [window] { window->setWindowState(window->windowState() & ~kLargerStates); },
                Qt::QueuedConnection);
        return false;
    }
};

} // namespace

void makeFixedWindow(QWidget *window) {
    window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                           (window->windowFlags() & Qt::WindowStaysOnTopHint));
    new KeepsItsSize(window);
}

void centreOnScreen(QWidget *window) {
    QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // Placed before it is mapped, so it never jumps; the frame the window manager
    // will add is asked for first, so the whole window, title bar included, is
    // centred and its title bar and close box stay on the screen.
    const QMargins frame = placement::expectedFrameMargins(window);
    const QPoint corner =
        placement::framePlacement(screen->availableGeometry(), window->size().grownBy(frame));
    window->setGeometry(QRect(corner + QPoint(frame.left(), frame.top()), window->size()));
    placement::correctReportedPosition(window);
}

namespace {

class FirstShow : public QObject {
public:
    FirstShow(QWidget *window, std::function<void()> then)
        : QObject(window), m_then(std::move(then)) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Show && watched == parent()) {
            watched->removeEventFilter(this);
            m_then();
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> m_then;
};

} // namespace

void whenFirstShown(QWidget *window, std::function<void()> then) {
    new FirstShow(window, std::move(then));
}

namespace {

void fitTextToWidth(QWidget *widget, const QString &text) {
    const int room = widget->width();
    const int wanted = widget->sizeHint().width();
    if (wanted <= room)
        return; // the design's size fits
    // What the control adds to its text (a check box's square and gap) stays; the
    // text's width follows the font's size. Fonts are drawn at whole pixel sizes,
    // whose hinted widths do not quite follow the size, so the size in proportion,
    // rounded down, is checked against the next pixel size up.
    QFont font = widget->font();
    const double dpi = widget->logicalDpiY();
    const double textWidth = QFontMetricsF(font).horizontalAdvance(text);
    const double textRoom = room - (wanted - textWidth);
    const double pixels = font.pointSizeF() * dpi / kPointsPerInch;
    const double inProportion =
        std::max(std::floor(pixels * textRoom / textWidth), kSmallestPixels);
    const auto atPixels = [&font, dpi](double size) {
        QFont sized = font;
        sized.setPointSizeF(size * kPointsPerInch / dpi);
        return sized;
    };
    const QFont larger = atPixels(inProportion + 1);
    const bool largerFits =
        inProportion + 1 < pixels && QFontMetricsF(larger).horizontalAdvance(text) <= textRoom;
    widget->setFont(largerFits ? larger : atPixels(inProportion));
}

} // namespace

void fitToWidth(QLabel *label) {
    fitTextToWidth(label, label->text());
}

void fitToWidth(QAbstractButton *button) {
    fitTextToWidth(button, button->text());
}

namespace {

class OneClickPerGesture : public QObject {
public:
    explicit OneClickPerGesture(QWidget *control) : QObject(control) {
        control->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        switch (event->type()) {
        case QEvent::MouseButtonDblClick: // a repeat, as Qt judges it
            m_lastRepeat = static_cast<QMouseEvent *>(event)->timestamp();
            m_repeating = m_swallowing = true;
            return true;
        case QEvent::MouseButtonPress: {
            const quint64 at = static_cast<QMouseEvent *>(event)->timestamp();
            m_repeating = m_repeating &&
                          at - m_lastRepeat <
                              quint64(QGuiApplication::styleHints()->mouseDoubleClickInterval());
            if (m_repeating) { // the third click of a triple click, and on
                m_lastRepeat = at;
                m_swallowing = true;
            }
            return m_repeating;
        }
        case QEvent::MouseButtonRelease:
            if (!m_swallowing)
                return false;
            m_swallowing = false;
            return true;
        default:
            return false;
        }
    }

private:
    quint64 m_lastRepeat = 0;
    bool m_repeating = false;
    bool m_swallowing = false; // a press was kept from the control; so is its release
};

} // namespace

void oneClickPerGesture(QWidget *control) {
    new OneClickPerGesture(control);
}

LinkLabel::LinkLabel(const QString &text, QWidget *parent) : QLabel(text, parent) {
    setCursor(Qt::PointingHandCursor);
    setTextFormat(Qt::PlainText);
    oneClickPerGesture(this);
}

QPushButton *button(QWidget *parent, const char *name, const QString &text, const QRect &rect) {
    auto *pushButton = place(new QPushButton(text, parent), name, rect);
    pushButton->setAutoDefault(true);
    return pushButton;
}

void colourButton(QPushButton *button, const QColor &text, const QColor &face) {
    setColours(button, text, face);
    button->setProperty(kFlatFaceProperty, true);
}

QFrame *indigoStrip(QWidget *parent, const char *name, const QRect &rect) {
    auto *strip = place(new QFrame(parent), name, rect);
    setColours(strip, kPeach, kIndigo);
    return strip;
}

LinkLabel *linkLabel(QWidget *parent, const char *name, const QString &text, const QRect &rect,
                     double points, std::function<void()> handler, const QColor &background) {
    auto *label = place(new LinkLabel(text, parent), name, rect);
    label->setFont(uiFont(points, Bold | Underline));
    label->setWordWrap(true);
    setColours(label, kPeach, background);
    QObject::connect(label, &LinkLabel::clicked, label, std::move(handler));
    return label;
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace aromelle::look
