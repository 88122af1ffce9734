#include "messages.h"

#include "links.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace aromelle {

namespace {

constexpr char kTitle[] = "Aromelle";
// Set on a window whose close waits for a modal box, so that it waits once.
constexpr char kCloseWaiting[] = "aromelleCloseWaiting";

} // namespace

QWidget *messageOwner() {
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget *active = QApplication::activeWindow())
        return active;
    // The window manager may not have handed the focus to the window the user sees
    // yet: take a window that stays on top first, since a box below it is lost.
    QWidget *owner = nullptr;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (!window->isVisible() || window->windowType() == Qt::Popup ||
            window->windowType() == Qt::ToolTip)
            continue;
        if (window->windowFlags() & Qt::WindowStaysOnTopHint)
            return window;
        if (!owner)
            owner = window;
    }
    return owner;
}

std::unique_ptr<QMessageBox> makeMessageBox(MessageKind kind, const QString &text, QWidget *owner) {
    // Owned by the window that raised it, the box stands above that window on any
    // window manager, even above one that stays on top. Raised before there is any
    // window, it must not open behind another program's windows.
    auto box = std::make_unique<QMessageBox>(owner);
    if (!owner)
        box->setWindowFlag(Qt::WindowStaysOnTopHint);
    box->setWindowTitle(QString::fromLatin1(kTitle));
    box->setText(messageLines(text));
    box->setTextFormat(Qt::PlainText);
    box->setIcon(kind == MessageKind::Error ? QMessageBox::Critical : QMessageBox::Information);
    if (kind == MessageKind::Question) {
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box->setDefaultButton(QMessageBox::Yes);
    } else {
        box->setStandardButtons(QMessageBox::Ok);
        box->setDefaultButton(QMessageBox::Ok);
    }
    return box;
}

bool showMessageBox(MessageKind kind, const QString &text, QWidget *asker) {
    // Owned by its window, the box would go with it should the window be freed
    // while the box is up; then it must not be freed twice.
    const QPointer<QMessageBox> box =
        makeMessageBox(kind, text, asker ? asker->window() : messageOwner()).release();
    const bool yes = box->exec() == QMessageBox::Yes;
    delete box.data();
    return yes;
}

namespace {

bool refusesHiddenClose(const QWidget *window, const QCloseEvent *event) {
    return event->spontaneous() && !window->isVisible();
}

bool putOffWhileModal(QWidget *window) {
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal || modal == window)
        return false;
    if (!window->property(kCloseWaiting).toBool()) {
        window->setProperty(kCloseWaiting, true);
        QObject::connect(
            modal, &QObject::destroyed, window,
            [window] {
                window->setProperty(kCloseWaiting, false);
                window->close();
            },
            Qt::QueuedConnection);
    }
    return true;
}

} // namespace

bool closeGoesAhead(QWidget *window, QCloseEvent *event) {
    if (refusesHiddenClose(window, event) || putOffWhileModal(window)) {
        event->ignore();
        return false;
    }
    event->accept();
    return true;
}

} // namespace aromelle
