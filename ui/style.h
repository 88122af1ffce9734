// The program's widget style: Fusion, the same on every desktop. The one change is
// in when an icon is read: the menu bar makes its overflow button, shown only when
// the bar is too narrow for its menus, with the bar, and reading that button's icon
// would make Qt load every image format plugin installed before the first window
// shows. That icon is read when the button is first drawn instead.
#pragma once

#include <QProxyStyle>

namespace aromelle::look {

class ProgramStyle : public QProxyStyle {
public:
    ProgramStyle();

    QIcon standardIcon(StandardPixmap icon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
};

} // namespace aromelle::look
