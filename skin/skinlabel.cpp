// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/skinlabel.h"

#include "platform/accessibility.h"
#include "skin/skinstyle.h"

#include <QEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace skin {

int himetricFromTwips(int twips) {
    return static_cast<int>(std::lround(static_cast<double>(twips) * 2540.0 / 1440.0));
}

SkinLabel::SkinLabel(SkinLabelSettings settings, QWidget *parent)
    : QWidget(parent), settings_(std::move(settings)) {
    platform::setAccessibleRole(this, QAccessible::StaticText);
    setFont(platform::fontFrom(settings_.font));
    setFocusPolicy(Qt::NoFocus);
    // Drawn, not a text widget: assistive technology reads the caption here.
    setAccessibleName(settings_.caption);
}

Qt::Alignment SkinLabel::captionAlignment() const {
    switch (settings_.sixth) {
    case 1:
        return Qt::AlignRight | Qt::AlignVCenter;
    case 2:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    default:
        return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

void SkinLabel::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    QColor text = palette().color(QPalette::WindowText);
    if (const SkinStyle *style = skinStyleOf(this)) {
        if (const Element *label = style->art().element(elements::Label)) {
            if (const std::optional<qint32> back = label->integer(props::m_BackColor))
                if (const std::optional<QColor> fill = fillColour(*back))
                    painter.fillRect(rect(), *fill);
            if (const std::optional<ImagePart> part = SkinArt::partOf(*label, props::m_Background))
                style->art().draw(painter, rect(), *part,
                                  blendFrom(label->integer(props::m_eBlendMode)));
            text =
                textColour(label->textStyle(props::m_TextStyle).value_or(TextStyle{}).textColour);
        }
    }
    painter.setPen(text);
    const TextSample caption = captionSample();
    painter.setFont(caption.font);
    painter.drawText(caption.rect, caption.flags, caption.text);
}

TextSample SkinLabel::captionSample() const {
    if (!caption_ || caption_->rect != rect()) {
        const QFont font = fitted();
        caption_ = {font, QFontMetrics(font).elidedText(settings_.caption, Qt::ElideRight, width()),
                    rect(), static_cast<int>(captionAlignment())};
    }
    return *caption_;
}

void SkinLabel::changeEvent(QEvent *event) {
    if (event->type() == QEvent::FontChange)
        caption_.reset();
    QWidget::changeEvent(event);
}

namespace {

bool hasArabicLetters(const QString &text) {
    return std::ranges::any_of(text, [](QChar c) { return c.script() == QChar::Script_Arabic; });
}

} // namespace

// The stored font, fitted when the caption is wider than the label: the
// bundled face runs wider than the one the labels were laid out for, and a
// reader should see the whole text (a child the whole sentence, a parent the
// whole address) rather than part of it. A caption in Latin letters is
// drawn narrower first, keeping its height: Latin letters read well
// narrowed, joined Arabic ones do not. Then the font is made smaller. Sizes
// and widths go by whole pixels, so each step is measured, not guessed.
QFont SkinLabel::fitted() const {
    QFont fitted = font();
    const auto advance = [this](const QFont &candidate) {
        return QFontMetrics(candidate).horizontalAdvance(settings_.caption);
    };
    const int stored = advance(fitted);
    if (stored <= width() || stored <= 0)
        return fitted;
    const double share = static_cast<double>(width()) / stored;
    if (!hasArabicLetters(settings_.caption)) {
        constexpr int NarrowestStretch = 85;
        for (int stretch = std::min(99, static_cast<int>(share * 100)); stretch >= NarrowestStretch;
             --stretch) {
            fitted.setStretch(stretch);
            if (advance(fitted) <= width())
                return fitted;
        }
    }
    // In quarter points, down to three fifths of the stored size.
    const double points = fitted.pointSizeF();
    const int smallest = static_cast<int>(std::ceil(points * 4 * 3 / 5));
    for (int quarters = static_cast<int>(std::floor(points * share * 4)); quarters >= smallest;
         --quarters) {
        fitted.setPointSizeF(quarters / 4.0);
        if (advance(fitted) <= width())
            return fitted;
    }
    return fitted;
}

} // namespace skin
