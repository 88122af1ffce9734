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

} // namespace aromelle::placement
