#include "style.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyleOption>
#include <qdrawutil.h>

#include <algorithm>

namespace aromelle::look {

namespace {

constexpr int kRingWidth = 2; // device-independent pixels
// A frame's top line lies below the taller of its caption and a radio button's mark in
// Fusion (14 px), with a gap. The picture is Qt's own, in QtWidgets' resources.
constexpr int kCaptionLeastHeight = 14;
constexpr int kFrameGap = 3;
constexpr char kFramePicture[] = ":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png";
constexpr QMargins kFramePictureBorders(6, 6, 6, 6);
constexpr int kTabInset = 3;

// The focus ring: a solid band just inside the rectangle.
void drawFocusRing(QPainter *painter, const QRect &rect, const QColor &colour) {
    const int width = std::min({kRingWidth, rect.width() / 2, rect.height() / 2});
    painter->fillRect(QRect(rect.left(), rect.top(), rect.width(), width), colour);
    painter->fillRect(QRect(rect.left(), rect.bottom() - width + 1, rect.width(), width), colour);
    painter->fillRect(QRect(rect.left(), rect.top(), width, rect.height()), colour);
    painter->fillRect(QRect(rect.right() - width + 1, rect.top(), width, rect.height()), colour);
}

// Rings on boxes and lists go inside their one-pixel outline, so each ring lies
// between the control's outline and its own background.
constexpr int kOutline = 1;
QRect insideOutline(const QRect &rect) {
    return rect.adjusted(kOutline, kOutline, -kOutline, -kOutline);
}

// A flat face's outline: its own colour, darker by this percentage.
constexpr int kOutlineDarker = 160;

bool hasFocus(const QStyleOption *option) {
    return option->state & QStyle::State_HasFocus;
}

bool hasFlatFace(const QWidget *widget) {
    return qobject_cast<const QPushButton *>(widget) &&
           widget->property(kFlatFaceProperty).toBool();
}

// A face of one colour in a one-pixel outline; pressed, a shadow along its top and
// left edges shows it sunk, and the rest of the face keeps its colour.
void drawFlatFace(QPainter *painter, const QStyleOption *option) {
    const QColor face = option->palette.color(QPalette::Button);
    const QColor outline = face.darker(kOutlineDarker);
    const QRect rect = option->rect;
    painter->fillRect(rect, outline);
    const QRect inside = insideOutline(rect);
    painter->fillRect(inside, face);
    if (option->state & (QStyle::State_Sunken | QStyle::State_On)) {
        painter->fillRect(QRect(inside.topLeft(), QSize(inside.width(), kOutline)), outline);
        painter->fillRect(QRect(inside.topLeft(), QSize(kOutline, inside.height())), outline);
    }
}

} // namespace

ProgramStyle::ProgramStyle() : QProxyStyle(QStringLiteral("Fusion")) {}

void ProgramStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option,
                                 QPainter *painter, const QWidget *widget) const {
    if (element == PE_PanelButtonCommand && hasFlatFace(widget))
        return drawFlatFace(painter, option);
    // A picture that takes the focus (look::Picture) wears the ring over its picture.
    if (element == PE_FrameFocusRect && qobject_cast<const QLabel *>(widget))
        return drawFocusRing(painter, option->rect, option->palette.color(QPalette::WindowText));
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    if (element == PE_PanelLineEdit && hasFocus(option) && qobject_cast<const QLineEdit *>(widget))
        drawFocusRing(painter, insideOutline(option->rect), option->palette.color(QPalette::Text));
}

void ProgramStyle::drawControl(ControlElement element, const QStyleOption *option,
                               QPainter *painter, const QWidget *widget) const {
    QProxyStyle::drawControl(element, option, painter, widget);
    if (!hasFocus(option))
        return;
    // Each ring goes where the control's caption or text is, in the caption's colour.
    switch (element) {
    case CE_PushButton:
        drawFocusRing(painter, subElementRect(SE_PushButtonFocusRect, option, widget),
                      option->palette.color(QPalette::ButtonText));
        break;
    case CE_CheckBox:
        drawFocusRing(painter, subElementRect(SE_CheckBoxFocusRect, option, widget),
                      option->palette.color(QPalette::WindowText));
        break;
    case CE_TabBarTab:
        drawFocusRing(painter, option->rect.adjusted(kTabInset, kTabInset, -kTabInset, -kTabInset),
                      option->palette.color(QPalette::WindowText));
        break;
    case CE_ShapedFrame:
        if (qobject_cast<const QPlainTextEdit *>(widget))
            drawFocusRing(painter, insideOutline(option->rect),
                          option->palette.color(QPalette::Text));
        break;
    default:
        break;
    }
}

void ProgramStyle::drawFrameBelowCaption(QPainter *painter, const QStyleOptionGroupBox &frame) {
    // Fusion's own frame picture, where Qt 6.4 puts it: below the caption, or below a
    // radio button's mark if that is taller. Qt 6.8 draws it 2 px higher.
    const int top = std::max(kCaptionLeastHeight, frame.fontMetrics.height()) + kFrameGap;
    const QPixmap picture(QString::fromLatin1(kFramePicture));
    qDrawBorderPixmap(painter, frame.rect.adjusted(0, top, 0, 0), kFramePictureBorders, picture);
}

int ProgramStyle::pixelMetric(PixelMetric metric, const QStyleOption *option,
                              const QWidget *widget) const {
    // A multi-line box's text area covers all but its frame, so the frame is made wide
    // enough for Fusion's one-pixel line and the focus ring inside it.
    if (metric == PM_DefaultFrameWidth && qobject_cast<const QPlainTextEdit *>(widget))
        return kOutline + kRingWidth;
    return QProxyStyle::pixelMetric(metric, option, widget);
}

void ProgramStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                                      QPainter *painter, const QWidget *widget) const {
    // A frame's caption in its font made bold, measured in it too so nothing is cut.
    if (const auto *frame = qstyleoption_cast<const QStyleOptionGroupBox *>(option)) {
        QFont bold = painter->font();
        bold.setBold(true);
        QStyleOptionGroupBox boldCaption(*frame);
        boldCaption.fontMetrics = QFontMetrics(bold);
        if (boldCaption.subControls & SC_GroupBoxFrame) {
            drawFrameBelowCaption(painter, boldCaption);
            boldCaption.subControls &= ~SC_GroupBoxFrame;
        }
        painter->save();
        painter->setFont(bold);
        QProxyStyle::drawComplexControl(control, &boldCaption, painter, widget);
        painter->restore();
        return;
    }
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    if (control == CC_ComboBox && hasFocus(option))
        drawFocusRing(painter, insideOutline(option->rect),
                      option->palette.color(QPalette::ButtonText));
}

} // namespace aromelle::look
