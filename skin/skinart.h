// SPDX-License-Identifier: GPL-3.0-or-later
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
//  - Composed pictures are kept in a cache the art owns, so a repaint is one
//    blit per piece. They are keyed by what they are made of (image, source
//    rectangle, blend, composition, device pixel ratio) and their size, but
//    a picture whose size follows its window's (a piece of the frame) by its
//    owner instead: it is kept at the size last drawn and made again as the
//    window is resized. Each window reads its own art, so its pictures go
//    with it, and they take nothing from the budget of QPixmapCache, which
//    Qt's own styles draw from.
#pragma once

#include "skin/skinmodel.h"

#include <QCache>
#include <QColor>
#include <QHash>
#include <QMargins>
#include <QPixmap>
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

// Shared by its frame and style (and so weak_from_this() tells whether it
// is still in use).
class SkinArt : public std::enable_shared_from_this<SkinArt> {
public:
    // Reads a stream. A stream that does not read, or whose skin has no
    // window element "Form" or lacks an image a picture names, gives null and
    // the reason in *error.
    static std::shared_ptr<const SkinArt> read(const QByteArray &stream, QString *error);

    explicit SkinArt(Skin skin);
    SkinArt(const SkinArt &) = delete;
    SkinArt &operator=(const SkinArt &) = delete;

    const Skin &skin() const { return skin_; }
    // The window element and the top elements for controls.
    const Element &form() const { return *form_; }
    const Element *element(QStringView path) const { return skin_.find(path); }

    // The frame's margins around the client area: m_rcMargins of "Form".
    QMargins frameMargins() const;
    // The fill of the frame behind its pieces: m_BackColor of "Form".
    QColor frameColour() const;

    // The piece an image part cuts from its image (null when the slot is
    // empty or names no image).
    QPixmap piece(const ImagePart &part, Blend blend) const;

    // The piece as a texture for a brush: scaled by whole pixels to the
    // device pixel ratio, so that tiling never smooths it.
    QPixmap tile(const ImagePart &part, Blend blend, qreal dpr) const;

    // Draws an image part over target (nine pieces or tiled, see above),
    // composed at the target's size. A picture whose size follows its
    // window's names its owner: one picture is kept for the owner, at the
    // size last drawn, rather than one for every size.
    void draw(QPainter &painter, const QRect &target, const ImagePart &part, Blend blend,
              const void *owner = nullptr) const;
    // The same, leaving out the centre: a border only.
    void drawBorder(QPainter &painter, const QRect &target, const ImagePart &part,
                    Blend blend) const;
    // The first image part of a picture property of an element, if it names
    // an image.
    static std::optional<ImagePart> partOf(const Element &element, QStringView property);
    // What an element draws in a state (m_Pressed, m_Highlighted, ...): the
    // state's own picture where it names an image, else m_Normal's, which
    // the state borrows; none when neither names one.
    struct StatePicture {
        const Picture *picture;
        ImagePart part;
        bool borrowed;
    };
    static std::optional<StatePicture> statePicture(const Element &element, QStringView state);

    // How many composed pictures the art keeps now.
    qsizetype cachedPictures() const { return pictures_.size(); }

private:
    // What a cached pixmap is: the piece itself, or the piece composed over
    // a target at a size.
    enum class Composition { Piece, NinePieces, Tiled };
    struct PictureKey {
        qint64 image;
        QRect source;
        Blend blend;
        Composition composition;
        QSize size; // none for a piece, or for an owner's picture
        qreal dpr;
        const void *owner;
        bool operator==(const PictureKey &) const = default;
        friend size_t qHash(const PictureKey &key, size_t seed = 0) {
            return qHashMulti(seed, key.image, key.source.x(), key.source.y(), key.source.width(),
                              key.source.height(), int(key.blend), int(key.composition),
                              key.size.width(), key.size.height(), key.dpr, key.owner);
        }
    };
    const QImage *imageOf(const ImagePart &part) const;
    QPixmap composed(const QRect &target, const ImagePart &part, Blend blend, qreal dpr,
                     const void *owner) const;
    static void drawEdgePieces(QPainter &painter, const QRect &target, const QMargins &margins,
                               const QPixmap &source);
    void keep(const PictureKey &key, const QPixmap &pixmap) const;

    Skin skin_;
    const Element *form_ = nullptr;
    QHash<QString, QImage> images_;
    mutable QCache<PictureKey, QPixmap> pictures_;
};

} // namespace skin
