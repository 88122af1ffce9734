#include "menu_window.h"

#include "accessible.h"

#include <QMenuBar>
#include <QVBoxLayout>

namespace aromelle {

MenuWindow::MenuWindow(QWidget *parent)
    : QWidget(parent, Qt::Window), m_layout(new QVBoxLayout(this)), m_menuBar(new QMenuBar(this)) {
    accessible::install(); // a window to screen readers, as a QMainWindow is
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    m_layout->setMenuBar(m_menuBar);
}

void MenuWindow::setCentralWidget(QWidget *widget) {
    Q_ASSERT(!m_central); // each window sets its client once
    m_central = widget;
    m_layout->addWidget(widget);
}

} // namespace aromelle
