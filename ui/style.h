// The program's widget style: Fusion, the same on every desktop, with two changes.
// Every control with the keyboard focus wears a solid ring in its own text colour,
// which stands out from its background by far more than the 3:1 a focus indicator
// needs; Fusion's own hints are faint on these colours. And an icon is read later:
// the menu bar makes its overflow button, shown only when the bar is too narrow for
// its menus, with the bar, and reading that button's icon would make Qt load every
// image format plugin installed before the first window shows. That icon is read
// when the button is first drawn instead.
#pragma once

#include <QProxyStyle>

namespace aromelle::look {

class ProgramStyle : public QProxyStyle {
public:
    ProgramStyle();

    QIcon standardIcon(StandardPixmap icon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption *option = nullptr,
                    const QWidget *widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                            QPainter *painter, const QWidget *widget = nullptr) const override;
};

} // namespace aromelle::look
