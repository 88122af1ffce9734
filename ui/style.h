// The program's widget style: Fusion, the same on every desktop, with three changes.
// Every control with the keyboard focus wears a solid ring in its own text colour,
// which stands out from its background by far more than the 3:1 a focus indicator
// needs; Fusion's own hints are faint on these colours. Coloured buttons have a flat
// face of their colour, where Fusion would shade it. And every frame's caption is
// bold, so a frame keeps its window's font for the controls inside it, with the
// frame's lines where Qt 6.4 draws them whatever the version of Qt.
#pragma once

#include <QProxyStyle>

class QStyleOptionGroupBox;

namespace aromelle::look {

// A push button with this property set to true is drawn with a flat face of its
// palette's button colour (look::colourButton).
inline constexpr char kFlatFaceProperty[] = "flatFace";

class ProgramStyle : public QProxyStyle {
public:
    ProgramStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption *option = nullptr,
                    const QWidget *widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                            QPainter *painter, const QWidget *widget = nullptr) const override;

private:
    // A frame's lines at the same place on every Qt: the windows are laid out for them.
    static void drawFrameBelowCaption(QPainter *painter, const QStyleOptionGroupBox &frame);
};

} // namespace aromelle::look
