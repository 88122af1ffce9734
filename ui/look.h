// The shared look of the windows: twips to pixels, the palette, the fonts, link
// labels, and the fixed, centred window frame every window uses.
#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QRect>
#include <QString>

#include <functional>
#include <string_view>

class QAbstractButton;
class QFrame;
class QLineEdit;
class QPushButton;
class QWidget;

namespace aromelle::look {

// Layouts are drawn in twips; 15 twips make one device-independent pixel.
inline constexpr int kTwipsPerPixel = 15;
constexpr int px(int twips) {
    return twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel
                      : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
}
constexpr QRect tw(int left, int top, int width, int height) {
    return QRect(px(left), px(top), px(width), px(height));
}

inline const QColor kIndigo{0x15, 0x0F, 0x53};
inline const QColor kPeach{0xFF, 0xE0, 0xC0};
inline const QColor kDarkRed{0x40, 0x00, 0x00};
inline const QColor kRed{0xC0, 0x00, 0x00};
inline const QColor kButtonBlue{0x7C, 0xA5, 0xE7};
inline const QColor kNavy{0x00, 0x00, 0x80};
inline const QColor kLinkBlue{0x00, 0x00, 0xC0};
inline const QColor kYellow{0xFF, 0xFF, 0x00};

// "Aromelle v" and the version: every window's caption, and the title line of the
// about window and the exit screen.
QString programTitle();

// The windows were drawn in Verdana, and their small captions in MS Sans Serif. Each
// is used where it is installed; elsewhere a free family stands in: DejaVu Sans,
// as wide as Verdana, and Liberation Sans for MS Sans Serif (setUpApplication).
// Bold and underline are set outright: a plain font stays plain even inside a frame
// whose caption is bold.
enum FontStyle { Plain = 0, Bold = 1, Underline = 2 };
QFont uiFont(double points, int style = Plain);

// The point sizes the windows were drawn with.
namespace points {
inline constexpr double kText = 8.25;        // boxes, buttons, captions, menus
inline constexpr double kLink = 9;           // link labels and notes
inline constexpr double kHeading = 9.75;     // frame captions, headings, the plea
inline constexpr double kInvitation = 14.25; // the exit screen's visit check box
inline constexpr double kTitle = 18;         // the exit screen's title
} // namespace points
// A caption in MS Sans Serif at `points`, or in its stand-in at `standInPoints`: the
// stand-in runs wider, so a caption that would not fit its box is drawn smaller.
QFont captionFont(double points, double standInPoints);

// The program's icon, from its resources.
QPixmap programPixmap();
QIcon programIcon();
// The program's icon as the picture box `Picture1`, centred in its place.
class Picture;
Picture *programPicture(QWidget *parent, const QRect &rect);

// Sets up what the windows need of the application, before the first is built: the
// program's style (unless the user chose one with -style), the installed families for
// the fonts the layouts were drawn with, menu bars that stay in their windows, and a
// small cache of drawn images.
void setUpApplication(bool styleChosen = false);

// The engine's UTF-8 texts as Qt strings.
inline QString qt(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// Text colour and, when given, an own background.
void setColours(QWidget *widget, const QColor &text, const QColor &background = QColor());

// Fixed border, close box only; sized to its client area.
void makeFixedWindow(QWidget *window);
void centreOnScreen(QWidget *window);
// Runs `then` once, when the window is first shown, before it is mapped.
void whenFirstShown(QWidget *window, std::function<void()> then);

// Keeps a one-line caption's font at its size where the caption fits its box, and
// otherwise makes it the largest whole pixel size that fits, in one step. The
// stand-in fonts run a little wider than those the layouts were drawn with.
void fitToWidth(QLabel *label);
void fitToWidth(QAbstractButton *button);

// A picture that takes the focus, as the design's picture boxes do: Tab stops on it,
// it wears the focus ring over the picture, and it tells a screen reader its name.
class Picture : public QLabel {
public:
    explicit Picture(QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;
};

// Names a control and puts it at its place in its container.
template <typename T> T *place(T *widget, const char *name, const QRect &rect) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(rect);
    return widget;
}

// A push button at its place in its container. Enter presses it when it has the
// focus, as Space does, on every window and not only in dialogs.
QPushButton *button(QWidget *parent, const char *name, const QString &text, const QRect &rect);

// A coloured button: its text colour and a flat face of its own colour.
void colourButton(QPushButton *button, const QColor &text, const QColor &face);

// An indigo strip (a frame without caption).
QFrame *indigoStrip(QWidget *parent, const char *name, const QRect &rect);

// A label that acts as a link: pointing hand, clicked on release.
// Makes a double or triple click on a control one click, as a label's click was on
// the desktop the design comes from: the presses that repeat a click within the
// double-click interval, and their releases, do not reach the control. A link opens
// its page once per click gesture.
void oneClickPerGesture(QWidget *control);

class LinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit LinkLabel(const QString &text, QWidget *parent = nullptr);

    // Follows the link as a click does; assistive technology calls it.
    void activate() { emit clicked(); }

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};

// A word-wrapped link label in bold underlined Verdana, peach on the given
// background (none when invalid), that runs a handler when clicked.
LinkLabel *linkLabel(QWidget *parent, const char *name, const QString &text, const QRect &rect,
                     double points, std::function<void()> handler,
                     const QColor &background = QColor());

} // namespace aromelle::look
