// Start-up savings: ways of building the windows that spare Qt work it would do
// before the first window shows only to throw it away, or to do it again later.
//
// Measured against the same build without each, before the first window maps
// (callgrind, bench/startup_profile.sh; memory from /proc/PID/smaps):
// - QuietFont and CaptionFrame: the date lists' popups (2.3 million instructions) and
//   the bold caption face (192 kB) wait until they are needed;
// - textBox: no font engine for the desktop's default face (4.4 million instructions,
//   6 % of the start, about 70 kB);
// - deferredStandardIcon: no image format plugins (1.9 million instructions, 212 kB);
// - the sign pictures in the large-data section (ui/CMakeLists.txt): 150 kB of pages
//   left unmapped until a reading shows a picture.
// Together with the icon built in as pixels (tools/embed_icon.cpp), they bring the
// start within 1.05 times that of a window with one label (README, Benchmarks).
#pragma once

#include <QEvent>
#include <QGroupBox>
#include <QIcon>
#include <QStyle>

class QLineEdit;

namespace aromelle::quickStart {

// A widget that can take a font without its own class measuring anything for it
// then: Qt's frames and lists measure text, and load the font's face, as soon as
// their font is set, long before the window shows. A list's popup, with every entry
// laid out, is then built when it is first opened, with the list's font and colours.
template <typename Base> class QuietFont : public Base {
public:
    using Base::Base;

    void setFontQuietly(const QFont &font) {
        m_quiet = true;
        this->setFont(font);
        m_quiet = false;
    }

protected:
    void changeEvent(QEvent *event) override {
        if (m_quiet && event->type() == QEvent::FontChange)
            QWidget::changeEvent(event);
        else
            Base::changeEvent(event);
    }

private:
    bool m_quiet = false;
};

// A frame with a bold caption. Qt measures a frame's caption for the room its own
// layout would leave below it. These frames lay out nothing and their size is fixed,
// so the measure in bold waits for the event loop: before the window shows, it would
// load the bold face only to find a margin nothing uses, while drawing the captions
// loads it after the window is up anyway. Left plain until makeBold: a frame made
// inside a bold one would measure its own caption in bold at once.
class CaptionFrame : public QuietFont<QGroupBox> {
public:
    using QuietFont::QuietFont;
    void makeBold(const QFont &bold);
};

// A one-line text box in the given font. Qt lays out a new box's empty text once in the
// application's font before the box takes its own, loading that face and size only to
// drop them; the box is made while its own font stands in for the application's.
// Setting the application's font marks it as chosen by the program: should the desktop's
// font change while Aromelle runs, its menus and message boxes follow at the next start.
QLineEdit *textBox(QWidget *parent, const QFont &font);

// One of a style's standard icons, read from the style when first drawn or measured.
// The menu bar makes its overflow button, shown only when the bar is too narrow for
// its menus, with the bar; reading that button's icon at once would load every image
// format plugin installed.
QIcon deferredStandardIcon(QStyle *style, QStyle::StandardPixmap which,
                           Qt::LayoutDirection direction);

} // namespace aromelle::quickStart
