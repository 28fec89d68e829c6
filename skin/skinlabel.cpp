#include "skinlabel.h"

#include "accessibility.h"
#include "skinstyle.h"

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
        if (const Element *label = style->art().element(u"Label")) {
            if (const std::optional<qint32> back = label->integer(u"m_BackColor"))
                if (const std::optional<QColor> fill = fillColour(*back))
                    painter.fillRect(rect(), *fill);
            if (const std::optional<ImagePart> part = SkinArt::partOf(*label, u"m_Background"))
                style->art().draw(painter, rect(), *part,
                                  blendFrom(label->integer(u"m_eBlendMode")));
            text = textColour(label->textStyle(u"m_TextStyle").value_or(TextStyle{}).textColour);
        }
    }
    painter.setPen(text);
    const TextSample caption = captionSample();
    painter.setFont(caption.font);
    painter.drawText(caption.rect, caption.flags, caption.text);
}

TextSample SkinLabel::captionSample() const {
    const QFont fitted = fittedFont();
    return {fitted, QFontMetrics(fitted).elidedText(settings_.caption, Qt::ElideRight, width()),
            rect(), static_cast<int>(captionAlignment())};
}

// The stored font, made smaller when the caption is wider than the label:
// the bundled face runs wider than the one the labels were laid out for,
// and a child should see the whole sentence rather than half of it.
QFont SkinLabel::fittedFont() const {
    QFont fitted = font();
    const int advance = QFontMetrics(fitted).horizontalAdvance(settings_.caption);
    if (advance <= width() || advance <= 0)
        return fitted;
    constexpr double SmallestShare = 0.6;
    const double share = std::max(SmallestShare, static_cast<double>(width()) / advance);
    fitted.setPointSizeF(std::floor(fitted.pointSizeF() * share * 4) / 4);
    return fitted;
}

} // namespace skin
