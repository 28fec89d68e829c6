// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/textrehearsal.h"

#include "skin/skinlabel.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QImage>
#include <QPainter>

namespace skin {

QList<TextSample> controlText(const QWidget *window) {
    QList<TextSample> samples;
    const QList<QWidget *> children = window->findChildren<QWidget *>();
    for (const QWidget *widget : children) {
        if (!widget->isVisibleTo(window))
            continue;
        if (const auto *label = qobject_cast<const SkinLabel *>(widget)) {
            samples.append(label->captionSample());
        } else if (const auto *button = qobject_cast<const QAbstractButton *>(widget)) {
            // Where the styles write a push button's caption: centred, so
            // the margins they keep move it by nothing.
            samples.append({button->font(), button->text(), button->rect(),
                            int(Qt::AlignCenter | Qt::TextShowMnemonic)});
        } else if (const auto *frame = qobject_cast<const QGroupBox *>(widget)) {
            samples.append({frame->font(), frame->title(), frame->rect(),
                            int(Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine)});
        }
    }
    samples.removeIf(
        [](const TextSample &sample) { return sample.text.isEmpty() || sample.rect.isEmpty(); });
    return samples;
}

void rehearse(const QList<TextSample> &samples, qreal devicePixelRatio) {
    QSize size;
    for (const TextSample &sample : samples)
        size = size.expandedTo(sample.rect.size());
    if (size.isEmpty())
        return;
    // Opaque like a window's backing store, so that the glyphs are rendered
    // for the same kind of surface.
    QImage scratch(size * devicePixelRatio, QImage::Format_RGB32);
    scratch.setDevicePixelRatio(devicePixelRatio);
    scratch.fill(Qt::white);
    QPainter painter(&scratch);
    for (const TextSample &sample : samples) {
        painter.setFont(sample.font);
        // Moved by whole pixels only: the glyphs fall on the same fractions
        // of a pixel as in the window.
        painter.drawText(QRect(QPoint(0, 0), sample.rect.size()), sample.flags, sample.text);
    }
}

} // namespace skin
