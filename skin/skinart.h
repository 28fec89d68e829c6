// A skin ready to draw with: the skin read from its stream, its images, and
// the drawing of its pictures, shared by the frame and the style of one
// window.
//
// How pictures are drawn:
//  - A picture with margins is drawn in nine pieces: its corners as they
//    are, its edges and its centre stretched between the margins (all-zero
//    margins stretch the whole picture). A picture without margins (the
//    window background) is tiled.
//  - m_eBlendMode 1 draws the picture over what lies below, through its
//    alpha; any other value (0, and the bit pattern 0xCDCDCDCD in the
//    stored "Frame") copies it opaque, alpha ignored.
//  - Scaling never smooths: at a device pixel ratio of 2 every skin pixel
//    becomes a crisp 2 × 2 block.
//  - Text is drawn in its text style's colour, whose top byte is ignored;
//    the style field and the second colour change nothing, nor do the
//    picture flags, the state flag and number, m_nHue and m_bApplyColors.
//    m_bSkinClientArea 0 would leave the client area and its controls in the
//    base style (the stored skin has 1).
//  - Composed pictures are kept in QPixmapCache, by piece, size and device
//    pixel ratio, so a repaint is one blit per piece.
#pragma once

#include "skinmodel.h"

#include <QColor>
#include <QHash>
#include <QMargins>
#include <QPixmap>
#include <QPixmapCache>
#include <memory>
#include <optional>

class QPainter;

namespace skin {

enum class Blend { Opaque, Alpha };

// m_eBlendMode (or m_eFrameBlendMode): 1 blends, anything else is opaque.
Blend blendFrom(std::optional<qint32> mode);

// A text colour (0xAARRGGBB as stored): its top byte is ignored, the text is
// always drawn opaque.
QColor textColour(quint32 colour);

// A SkinStatic's m_BackColor: 0xFFFFFFFF and a zero alpha mean no fill.
std::optional<QColor> fillColour(qint32 backColour);

// DrawText format flags (DT_CENTER, DT_RIGHT, DT_VCENTER, DT_BOTTOM) as Qt
// alignment.
Qt::Alignment alignmentFromFormat(quint32 format);

class SkinArt {
public:
    // Reads a stream. A stream that does not read, or whose skin has no
    // window element "Form" or lacks an image a picture names, gives null and
    // the reason in *error.
    static std::shared_ptr<const SkinArt> read(const QByteArray &stream, QString *error);

    explicit SkinArt(Skin skin);

    const Skin &skin() const { return skin_; }
    // The window element and the top elements for controls.
    const Element &form() const { return *form_; }
    const Element *element(QStringView path) const { return skin_.find(path); }

    // The frame's margins around the client area: m_rcMargins of "Form".
    QMargins frameMargins() const;
    // The fill of the frame behind its pieces: m_BackColor of "Form".
    QColor frameColour() const;

    // m_ForeColor and friends of the control settings.
    QColor settingsColour(QStringView name, QColor fallback) const;

    // The piece an image part cuts from its image (null when the slot is
    // empty or names no image).
    QPixmap piece(const ImagePart &part, Blend blend) const;

    // The piece as a texture for a brush: scaled by whole pixels to the
    // device pixel ratio, so that tiling never smooths it.
    QPixmap tile(const ImagePart &part, Blend blend, qreal dpr) const;

    // Draws an image part over target (nine pieces or tiled, see above).
    void draw(QPainter &painter, const QRect &target, const ImagePart &part, Blend blend) const;
    // The same, leaving out the centre: a border only.
    void drawBorder(QPainter &painter, const QRect &target, const ImagePart &part,
                    Blend blend) const;
    // The first image part of a picture property of an element, if it names
    // an image.
    static std::optional<ImagePart> partOf(const Element &element, QStringView property);

private:
    // What a cached pixmap was made from: a piece, or a piece composed at a
    // size and device pixel ratio (size empty for the piece itself).
    struct CacheKey {
        QString image;
        Rect source;
        int blend;
        bool nine;
        QSize size;
        qreal dpr;
        bool operator==(const CacheKey &) const = default;
        friend size_t qHash(const CacheKey &key, size_t seed = 0) {
            return qHashMulti(seed, key.image, key.source.left, key.source.top, key.source.right,
                              key.source.bottom, key.blend, key.nine, key.size.width(),
                              key.size.height(), key.dpr);
        }
    };
    QPixmap cached(const CacheKey &key) const;
    void cache(const CacheKey &key, const QPixmap &pixmap) const;
    QPixmap composed(const QRect &target, const ImagePart &part, Blend blend, qreal dpr) const;
    static void drawEdgePieces(QPainter &painter, const QRect &target, const QMargins &margins,
                               const QPixmap &source);

    Skin skin_;
    const Element *form_ = nullptr;
    QHash<QString, QImage> images_;
    // Keys into QPixmapCache, which may drop a pixmap at any time.
    mutable QHash<CacheKey, QPixmapCache::Key> cacheKeys_;
};

} // namespace skin
