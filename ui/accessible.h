// What assistive technology is told beyond what Qt says by itself: that the program's
// plain top-level widgets are windows, and that a link label is a link that can be
// followed without a mouse.
#pragma once

class QWidget;

namespace aromelle::accessible {

// Installs the program's accessibility factory; later calls do nothing. Every window
// calls it before it builds its controls.
void install();

// Makes assistive technology read a window's controls afresh. A control that was
// made while its window was hidden is remembered as not visible, and Qt tells only
// whether it is showing once it is: the screen reader would pass over it for good.
void refreshWindow(QWidget *window);

} // namespace aromelle::accessible
