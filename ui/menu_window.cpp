#include "menu_window.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QMenuBar>
#include <QVBoxLayout>

namespace aromelle {

namespace {

// A plain top-level widget would be told to screen readers as a client area; this one is
// a window, as a QMainWindow is.
QAccessibleInterface *accessibleWindow(const QString &className, QObject *object) {
    if (className == QLatin1String(MenuWindow::staticMetaObject.className()) &&
        object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Window);
    return nullptr;
}

} // namespace

MenuWindow::MenuWindow(QWidget *parent)
    : QWidget(parent, Qt::Window), m_layout(new QVBoxLayout(this)), m_menuBar(new QMenuBar(this)) {
    static const bool accessibleAsWindow = (QAccessible::installFactory(accessibleWindow), true);
    Q_UNUSED(accessibleAsWindow);
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
