// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/skinstyle.h"

#include "platform/controls.h"

#include "skin/skingeometry.h"

#include <QApplication>
#include <QFrame>
#include <QPainter>
#include <QPushButton>
#include <QStyleFactory>
#include <QStyleOption>

namespace skin {
namespace {

// The colour of a state's text, from the text style of the picture the
// state draws.
std::optional<QColor> stateTextColour(const Element &button, QStringView state) {
    const std::optional<SkinArt::StatePicture> picture = SkinArt::statePicture(button, state);
    const std::optional<TextStyle> style = picture ? picture->picture->textStyle() : std::nullopt;
    if (!style)
        return std::nullopt;
    return textColour(style->textColour);
}

// The parts of a border that a QFrame of this shape draws.
bool framedShape(const QStyleOptionFrame &frame) {
    switch (frame.frameShape) {
    case QFrame::Box:
    case QFrame::Panel:
    case QFrame::StyledPanel:
    case QFrame::WinPanel:
        return frame.lineWidth > 0 || frame.midLineWidth > 0;
    default:
        return false;
    }
}

} // namespace

SkinStyle::SkinStyle(std::shared_ptr<const SkinArt> art)
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))), art_(std::move(art)) {}

const char16_t *SkinStyle::buttonState(QStyle::State state) {
    if (!(state & State_Enabled))
        return props::m_Disabled;
    if (state & (State_Sunken | State_On))
        return props::m_Pressed;
    if (state & State_MouseOver)
        return props::m_Highlighted;
    if (state & State_HasFocus)
        return props::m_Focused;
    return props::m_Normal;
}

QPalette SkinStyle::clientPalette(const QPalette &base) const {
    QPalette palette = base;
    const Element &form = art_->form();
    if (const std::optional<ImagePart> part = SkinArt::partOf(form, props::m_Background)) {
        // Made for the sharpest screen; drawn smaller elsewhere, whole
        // blocks of one colour shrink to that colour.
        const QPixmap tile = art_->tile(*part, Blend::Opaque, qApp->devicePixelRatio());
        if (!tile.isNull())
            palette.setBrush(QPalette::Window, QBrush(tile));
    }
    return palette;
}

void SkinStyle::polish(QWidget *widget) {
    QProxyStyle::polish(widget);
    if (qobject_cast<QPushButton *>(widget))
        widget->setAttribute(Qt::WA_Hover, true);
    // A picture box is a canvas: plain white, not the window's stripes.
    if (qobject_cast<platform::PictureBox *>(widget)) {
        QPalette palette = widget->palette();
        palette.setColor(QPalette::Window, Qt::white);
        widget->setPalette(palette);
    }
}

void SkinStyle::unpolish(QWidget *widget) {
    QProxyStyle::unpolish(widget);
    if (qobject_cast<QPushButton *>(widget))
        widget->setAttribute(Qt::WA_Hover, false);
    // Back to the palette it inherits: the layer gives a picture box none.
    if (qobject_cast<platform::PictureBox *>(widget))
        widget->setPalette(QPalette());
}

void SkinStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option,
                              QPainter *painter, const QWidget *widget) const {
    switch (element) {
    case PE_PanelButtonCommand:
        if (qobject_cast<const QPushButton *>(widget)) {
            drawButtonBevel(option, painter);
            return;
        }
        break;
    case PE_FrameFocusRect:
        if (qobject_cast<const QPushButton *>(widget)) {
            // A dotted line in the focused state's text colour.
            const Element *button = art_->element(elements::Button);
            const QColor colour = button ? stateTextColour(*button, props::m_Focused)
                                               .value_or(option->palette.buttonText().color())
                                         : option->palette.buttonText().color();
            painter->save();
            painter->setPen(QPen(colour, 1, Qt::DotLine));
            painter->setBrush(Qt::NoBrush);
            painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
            painter->restore();
            return;
        }
        break;
    case PE_FrameGroupBox:
        return; // the frame is drawn whole with the group box
    default:
        break;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void SkinStyle::drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                            const QWidget *widget) const {
    switch (element) {
    case CE_PushButtonBevel:
        drawButtonBevel(option, painter);
        return;
    case CE_PushButtonLabel:
        if (const auto *button = qstyleoption_cast<const QStyleOptionButton *>(option)) {
            drawButtonLabel(button, painter, widget);
            return;
        }
        break;
    case CE_ShapedFrame:
        if (drawPanelBorder(option, painter))
            return;
        break;
    default:
        break;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

void SkinStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                                   QPainter *painter, const QWidget *widget) const {
    if (control == CC_GroupBox && art_->element(elements::Frame)) {
        drawFrame(option, painter, widget);
        return;
    }
    QProxyStyle::drawComplexControl(control, option, painter, widget);
}

void SkinStyle::drawButtonBevel(const QStyleOption *option, QPainter *painter) const {
    const Element *button = art_->element(elements::Button);
    if (!button)
        return;
    if (const std::optional<SkinArt::StatePicture> picture =
            SkinArt::statePicture(*button, buttonState(option->state)))
        art_->draw(*painter, option->rect, picture->part,
                   blendFrom(button->integer(props::m_eBlendMode)));
}

void SkinStyle::drawButtonLabel(const QStyleOptionButton *option, QPainter *painter,
                                const QWidget *widget) const {
    QStyleOptionButton label = *option;
    if (const Element *button = art_->element(elements::Button)) {
        if (const std::optional<QColor> colour =
                stateTextColour(*button, buttonState(option->state)))
            label.palette.setColor(QPalette::ButtonText, *colour);
    }
    QProxyStyle::drawControl(CE_PushButtonLabel, &label, painter, widget);
}

void SkinStyle::drawFrame(const QStyleOptionComplex *option, QPainter *painter,
                          const QWidget *widget) const {
    const Element &frame = *art_->element(elements::Frame);
    const QRect box = option->rect;
    const Blend frameBlend = blendFrom(frame.integer(props::m_eFrameBlendMode));
    int bandTop = box.top();
    if (const std::optional<ImagePart> part = SkinArt::partOf(frame, props::m_Frame)) {
        // The border only: the inside belongs to the child elements.
        art_->drawBorder(*painter, box, *part, frameBlend);
        if (part->margins)
            bandTop += qMax(0, part->margins->top);
    }

    for (const Element &child : frame.children) {
        if (!child.isVisible())
            continue;
        const QRect area = elementRect(child, box.size()).toQRect().translated(box.topLeft());
        if (const std::optional<qint32> back = child.integer(props::m_BackColor))
            if (const std::optional<QColor> fill = fillColour(*back))
                painter->fillRect(area, *fill);
        if (const std::optional<ImagePart> part = SkinArt::partOf(child, props::m_Background))
            art_->draw(*painter, area, *part, blendFrom(child.integer(props::m_eBlendMode)));
    }

    // The caption sits in the band between the border and the first child,
    // on m_CaptionImage.
    const auto *groupBox = qstyleoption_cast<const QStyleOptionGroupBox *>(option);
    if (!groupBox || groupBox->text.isEmpty())
        return;
    int bandBottom = box.bottom() + 1;
    if (!frame.children.empty())
        bandBottom = box.top() + elementRect(frame.children.front(), box.size()).top;
    const QRect band(box.left(), bandTop, box.width(), qMax(0, bandBottom - bandTop));
    if (band.isEmpty())
        return;
    const TextStyle style = frame.textStyle(props::m_TextStyle).value_or(TextStyle{});
    painter->save();
    painter->setFont(widget ? widget->font() : painter->font());
    const QFontMetrics metrics = painter->fontMetrics();
    constexpr int Padding = 4;
    const QString text =
        metrics.elidedText(groupBox->text, Qt::ElideRight, band.width() - 4 * Padding);
    QRect label(band.left() + Padding, band.top(), metrics.horizontalAdvance(text) + 2 * Padding,
                band.height());
    if (option->direction == Qt::RightToLeft)
        label.moveRight(band.right() - Padding);
    if (const std::optional<ImagePart> part = SkinArt::partOf(frame, props::m_CaptionImage))
        art_->draw(*painter, label, *part, frameBlend);
    painter->setPen(textColour(style.textColour));
    painter->drawText(label, int(alignmentFromFormat(style.format) | Qt::TextSingleLine), text);
    painter->restore();
}

bool SkinStyle::drawPanelBorder(const QStyleOption *option, QPainter *painter) const {
    const auto *frameOption = qstyleoption_cast<const QStyleOptionFrame *>(option);
    if (!frameOption || !framedShape(*frameOption))
        return false;
    const Element *misc = art_->element(elements::MiscControls);
    const std::optional<ImagePart> part =
        misc ? SkinArt::partOf(*misc, props::m_Frame) : std::optional<ImagePart>{};
    if (!part)
        return false;
    art_->drawBorder(*painter, option->rect, *part, blendFrom(misc->integer(props::m_eBlendMode)));
    return true;
}

const SkinStyle *skinStyleOf(const QWidget *widget) {
    return widget ? qobject_cast<const SkinStyle *>(widget->style()) : nullptr;
}

} // namespace skin
