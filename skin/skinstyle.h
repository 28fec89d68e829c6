// SPDX-License-Identifier: GPL-3.0-or-later
// The style of the controls inside a skinned window, drawn from the skin's
// control elements:
//  - push buttons from "Button": m_Disabled when disabled, m_Pressed while
//    down, m_Highlighted while the pointer is over it, m_Focused with the
//    focus, else m_Normal; each with its own text colour. A state with an
//    empty picture borrows m_Normal's.
//  - frames (group boxes) from "Frame": m_Frame over the whole box, then
//    m_CaptionImage across the caption band above the first child element,
//    then the child elements by the rectangle rule; a caption, if any, in the
//    band in the m_TextStyle colour.
//  - panels with a border (picture boxes) take their border from
//    "MiscControls" m_Frame; their inside is left to the control.
//  - the window's background: the window element's m_Background, tiled.
// Every other kind of control keeps the look of the base style.
#pragma once

#include "skin/skinart.h"

#include <QProxyStyle>
#include <memory>

class QStyleOptionButton;

namespace skin {

class SkinStyle : public QProxyStyle {
    Q_OBJECT
public:
    explicit SkinStyle(std::shared_ptr<const SkinArt> art);

    const SkinArt &art() const { return *art_; }

    // The palette of a skinned client area: the window background as the
    // Window brush.
    QPalette clientPalette(const QPalette &base) const;

    // The state of "Button" a push button in this state draws with.
    static const char16_t *buttonState(QStyle::State state);

    void polish(QWidget *widget) override;
    using QProxyStyle::polish;
    void unpolish(QWidget *widget) override;
    using QProxyStyle::unpolish;

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                            QPainter *painter, const QWidget *widget = nullptr) const override;

private:
    void drawButtonBevel(const QStyleOption *option, QPainter *painter) const;
    void drawButtonLabel(const QStyleOptionButton *option, QPainter *painter,
                         const QWidget *widget) const;
    void drawFrame(const QStyleOptionComplex *option, QPainter *painter,
                   const QWidget *widget) const;
    bool drawPanelBorder(const QStyleOption *option, QPainter *painter) const;

    std::shared_ptr<const SkinArt> art_;
};

// The skin style a widget is drawn with, or null when it is not skinned.
const SkinStyle *skinStyleOf(const QWidget *widget);

} // namespace skin
