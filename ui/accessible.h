// What assistive technology is told beyond what Qt says by itself: that the program's
// plain top-level widgets are windows, and that a link label is a link that can be
// followed without a mouse.
#pragma once

class QWidget;

namespace aromelle::accessible {

// Installs the program's accessibility factory; later calls do nothing. Every window
// calls it before it builds its controls.
void install();

} // namespace aromelle::accessible
