// SPDX-License-Identifier: GPL-3.0-or-later
// The skin label: a caption drawn in the skin's "Label" style, from settings
// stored with the label when its window is made. Nothing reads or changes a
// label at run time.
//
// In a skinned window the label takes from the "Label" element its fill
// (m_BackColor; 0 is none) and its text colour (m_TextStyle); the caption
// is centred vertically, aligned across by the sixth setting, in the stored
// font. Before its window is skinned it draws in the window's palette.
#pragma once

#include "platform/form.h"
#include "skin/textrehearsal.h"

#include <QString>
#include <QWidget>
#include <optional>

namespace skin {

// A label's stored settings, in their stored order.
struct SkinLabelSettings {
    qint32 first = -1;
    // The control's extent in HIMETRIC (hundredths of a millimetre).
    qint32 extentWidth = 0;
    qint32 extentHeight = 0;
    QString caption;
    platform::FontSpec font{"MS Sans Serif", 8.25, 400, 178};
    // Kept as stored (1 on a window's title label); it changes nothing drawn.
    qint32 fifth = 0;
    // The caption's alignment: 0 left, 1 right, 2 centred.
    qint32 sixth = 0;
};

// twips × 2540 / 1440, to the nearest whole unit (halves away from zero).
int himetricFromTwips(int twips);

class SkinLabel : public QWidget {
    Q_OBJECT
public:
    explicit SkinLabel(SkinLabelSettings settings, QWidget *parent);
    const SkinLabelSettings &settings() const { return settings_; }

    // Where the caption goes, from the stored alignment.
    Qt::Alignment captionAlignment() const;

    // The font the caption is drawn in: the stored one, or a narrower or
    // smaller one when the caption would not fit.
    QFont fittedFont() const { return captionSample().font; }
    // The caption as the label draws it: fitted, elided if it still does
    // not fit, and aligned. Measured once for each size and font.
    TextSample captionSample() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QFont fitted() const;

    SkinLabelSettings settings_;
    mutable std::optional<TextSample> caption_;
};

} // namespace skin
