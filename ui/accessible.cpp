#include "accessible.h"

#include "look.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace aromelle::accessible {

namespace {

// A link label: a link whose one action follows it, so a screen reader can open the
// page though the label never takes the keyboard focus.
class AccessibleLink : public QAccessibleWidget {
public:
    explicit AccessibleLink(look::LinkLabel *label) : QAccessibleWidget(label, QAccessible::Link) {}

    QString text(QAccessible::Text which) const override {
        // Qt would otherwise name a label inside a frame after the frame's caption.
        if (which == QAccessible::Name)
            return label()->text();
        return QAccessibleWidget::text(which);
    }

    QStringList actionNames() const override { return {pressAction()}; }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }
    void doAction(const QString &action) override {
        if (action == pressAction())
            label()->activate();
    }

private:
    look::LinkLabel *label() const { return static_cast<look::LinkLabel *>(widget()); }
};

QAccessibleInterface *factory(const QString &className, QObject *object) {
    if (!object->isWidgetType())
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    if (className == QLatin1String(look::LinkLabel::staticMetaObject.className()))
        return new AccessibleLink(static_cast<look::LinkLabel *>(widget));
    // Qt tells a plain top-level widget as a client area (a "filler"), which screen
    // readers pass over; these are the program's windows.
    if (className == QLatin1String("QWidget") && widget->isWindow())
        return new QAccessibleWidget(widget, QAccessible::Window);
    return nullptr;
}

} // namespace

void install() {
    static const bool installed = (QAccessible::installFactory(factory), true);
    Q_UNUSED(installed);
}

} // namespace aromelle::accessible
