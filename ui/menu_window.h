// The frame of the two working windows: a menu bar over one client widget, the
// window sized to fit them exactly.
#pragma once

#include <QWidget>

class QMenuBar;
class QVBoxLayout;

namespace aromelle {

// QMainWindow would do the same, but it sets up dock and tool-bar areas these windows
// never use, and the code that touches costs the first window over 400 kB of memory
// before it shows.
class MenuWindow : public QWidget {
    Q_OBJECT
public:
    explicit MenuWindow(QWidget *parent = nullptr);

    QMenuBar *menuBar() const { return m_menuBar; }
    QWidget *centralWidget() const { return m_central; }
    void setCentralWidget(QWidget *widget); // once, with the client

private:
    QVBoxLayout *m_layout;
    QMenuBar *m_menuBar;
    QWidget *m_central = nullptr;
};

} // namespace aromelle
