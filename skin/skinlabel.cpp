#include "skinlabel.h"

#include <QPainter>
#include <cmath>

namespace skin {

int himetricFromTwips(int twips) {
    return static_cast<int>(std::lround(static_cast<double>(twips) * 2540.0 / 1440.0));
}

SkinLabel::SkinLabel(SkinLabelSettings settings, QWidget *parent)
    : QWidget(parent), settings_(std::move(settings)) {
    setFont(platform::fontFrom(settings_.font));
    setFocusPolicy(Qt::NoFocus);
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
    if (settings_.fifth != 0) {
        painter.fillRect(rect(), palette().color(QPalette::Highlight));
        text = palette().color(QPalette::HighlightedText);
    }
    painter.setPen(text);
    painter.drawText(rect(), static_cast<int>(captionAlignment()), settings_.caption);
}

} // namespace skin
