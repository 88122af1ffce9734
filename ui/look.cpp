#include "look.h"

#include "placement.h"
#include "program_icon.h"
#include "version.h"

#include <QFrame>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QWidget>

namespace aromelle::look {

namespace {
// The layouts were drawn in Verdana and MS Sans Serif. Asking for the installed
// font they map to straight away spares fontconfig a fallback search per family
// at start-up, and gives the same layout on every machine.
constexpr char kLayoutFamily[] = "DejaVu Sans";
} // namespace

QString programTitle() {
    return QStringLiteral("Aromelle v" AROMELLE_VERSION);
}

QFont uiFont(double points, int style) {
    QFont font(QString::fromLatin1(kLayoutFamily));
    font.setPointSizeF(points);
    font.setBold(style & Bold);
    font.setUnderline(style & Underline);
    return font;
}

QFont plainFont(double points) {
    QFont font(QString::fromLatin1(kLayoutFamily));
    font.setPointSizeF(points);
    // Set outright, so a bold caption of the frame around it is not inherited.
    font.setBold(false);
    font.setUnderline(false);
    return font;
}

QPixmap programPixmap() {
    using namespace embedded;
    // Wraps the built-in pixels without copying them; the pixmap makes its own copy.
    const QImage image(reinterpret_cast<const uchar *>(kIconPixels), kIconSide, kIconSide,
                       kIconSide * static_cast<int>(sizeof kIconPixels[0]),
                       QImage::Format_ARGB32_Premultiplied);
    return QPixmap::fromImage(image);
}

QIcon programIcon() {
    return QIcon(programPixmap());
}

void installFontSubstitutes() {
    // DejaVu Sans is as wide as Verdana, so captions fit the boxes they were drawn for.
    QFont::insertSubstitution(QStringLiteral("Verdana"), QString::fromLatin1(kLayoutFamily));
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QString::fromLatin1(kLayoutFamily));
}

void paint(QWidget *widget, const QColor &text, const QColor &background) {
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

void makeFixedWindow(QWidget *window) {
    window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                           (window->windowFlags() & Qt::WindowStaysOnTopHint));
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

void fitToWidth(QWidget *widget) {
    constexpr double kSmallestPoints = 6.0;
    constexpr double kStep = 0.25;
    QFont font = widget->font();
    while (widget->sizeHint().width() > widget->width() && font.pointSizeF() > kSmallestPoints) {
        font.setPointSizeF(font.pointSizeF() - kStep);
        widget->setFont(font);
    }
}

LinkLabel::LinkLabel(const QString &text, QWidget *parent) : QLabel(text, parent) {
    setCursor(Qt::PointingHandCursor);
    setTextFormat(Qt::PlainText);
}

QPushButton *button(QWidget *parent, const char *name, const QString &text, const QRect &rect) {
    auto *pushButton = place(new QPushButton(text, parent), name, rect);
    pushButton->setAutoDefault(true);
    return pushButton;
}

QFrame *indigoStrip(QWidget *parent, const char *name, const QRect &rect) {
    auto *strip = place(new QFrame(parent), name, rect);
    paint(strip, kPeach, kIndigo);
    return strip;
}

LinkLabel *linkLabel(QWidget *parent, const char *name, const QString &text, const QRect &rect,
                     double points, void (*handler)(), const QColor &background) {
    auto *label = place(new LinkLabel(text, parent), name, rect);
    label->setFont(uiFont(points, Bold | Underline));
    label->setWordWrap(true);
    paint(label, kPeach, background);
    QObject::connect(label, &LinkLabel::clicked, label, [handler] { handler(); });
    return label;
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace aromelle::look
