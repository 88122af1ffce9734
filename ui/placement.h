// Where a window opens: centred on the available screen area as the user sees it,
// title bar and borders included, and never with its title bar off the screen.
#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace aromelle::placement {

// The top-left corner of a frame of the given outer size: centred in the available
// area where it fits, against the area's top or left edge where it does not.
QPoint framePlacement(const QRect &available, const QSize &outer);

// The borders and title bar the window manager will give a window that is not
// mapped yet, in device-independent pixels; none without a window manager, or
// where the platform places windows itself.
QMargins expectedFrameMargins(QWidget *window);

// Once a shown window is first exposed, asks the X server where it really is and,
// where Qt was told otherwise, gives Qt the real position; the window stays where
// it is. Under icewm 3.3 a modal dialog lands 19 px (its title bar) above where it
// was asked for, while the window manager reports the asked-for place: Qt's idea,
// and with it popups, tooltips and what screen readers report, would be that far off.
void correctReportedPosition(QWidget *window);

} // namespace aromelle::placement
