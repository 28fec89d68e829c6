// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/skinart.h"

#include "skin/skinreader.h"

#include <QPainter>
#include <QtMath>
#include <qdrawutil.h>

namespace skin {
namespace {

// DrawText format flags.
constexpr quint32 DtCenter = 0x1;
constexpr quint32 DtRight = 0x2;
constexpr quint32 DtVCenter = 0x4;
constexpr quint32 DtBottom = 0x8;

QMargins marginsOf(const ImagePart &part) {
    if (!part.margins)
        return {};
    const Rect &m = *part.margins;
    return {qMax(0, m.left), qMax(0, m.top), qMax(0, m.right), qMax(0, m.bottom)};
}

// What the art keeps of composed pictures at the most, in KiB as
// QPixmapCache counts them. The main window keeps about 0.4 MiB at a device
// pixel ratio of 1 (its frame's pieces at its size, one picture for each
// size of control): four times that at 2, with room to spare.
constexpr qsizetype PictureLimitKiB = 4096;

qsizetype costOf(const QPixmap &pixmap) {
    return qMax<qsizetype>(1,
                           qsizetype(pixmap.width()) * pixmap.height() * pixmap.depth() / 8 / 1024);
}

} // namespace

Blend blendFrom(std::optional<qint32> mode) {
    return mode == 1 ? Blend::Alpha : Blend::Opaque;
}

QColor textColour(quint32 colour) {
    return QColor::fromRgb(colour);
}

std::optional<QColor> fillColour(qint32 backColour) {
    const auto value = static_cast<quint32>(backColour);
    if (value == 0xFFFFFFFFu || qAlpha(value) == 0)
        return std::nullopt;
    return QColor::fromRgba(value);
}

Qt::Alignment alignmentFromFormat(quint32 format) {
    Qt::Alignment alignment = Qt::AlignLeft;
    if (format & DtCenter)
        alignment = Qt::AlignHCenter;
    else if (format & DtRight)
        alignment = Qt::AlignRight;
    if (format & DtVCenter)
        alignment |= Qt::AlignVCenter;
    else if (format & DtBottom)
        alignment |= Qt::AlignBottom;
    else
        alignment |= Qt::AlignTop;
    return alignment;
}

std::shared_ptr<const SkinArt> SkinArt::read(const QByteArray &stream, QString *error) {
    ReadError readError;
    std::optional<Skin> skin = readSkinStream(stream, &readError);
    if (!skin) {
        *error = readError.message();
        return nullptr;
    }
    const Element *form = skin->root.child(elements::Form);
    if (!form || form->kind != ElementKind::Window) {
        *error = QStringLiteral("the skin has no window element \"Form\"");
        return nullptr;
    }
    auto art = std::make_shared<const SkinArt>(*std::move(skin));
    QString missing;
    art->skin().forEachPicture([&](const Picture &picture) {
        for (const ImagePart &part : picture.imageParts()) {
            if (missing.isEmpty() && !part.isEmpty() &&
                art->images_.value(*part.imageName).isNull())
                missing = *part.imageName;
        }
    });
    if (!missing.isEmpty()) {
        *error = QStringLiteral("the skin names an image it does not hold: %1").arg(missing);
        return nullptr;
    }
    return art;
}

SkinArt::SkinArt(Skin skin) : skin_(std::move(skin)), pictures_(PictureLimitKiB) {
    form_ = skin_.root.child(elements::Form);
    static const Element empty;
    if (!form_)
        form_ = &empty;
    for (const SkinImage &image : skin_.images) {
        if (image.name)
            images_.insert(*image.name, image.toImage());
    }
}

void SkinArt::keep(const PictureKey &key, const QPixmap &pixmap) const {
    pictures_.insert(key, new QPixmap(pixmap), costOf(pixmap));
}

QMargins SkinArt::frameMargins() const {
    const std::optional<Rect> margins = form_->rect(props::m_rcMargins);
    if (!margins)
        return {};
    return {qMax(0, margins->left), qMax(0, margins->top), qMax(0, margins->right),
            qMax(0, margins->bottom)};
}

QColor SkinArt::frameColour() const {
    const std::optional<ColourTriple> colour = form_->colourTriple(props::m_BackColor);
    return colour ? QColor::fromRgb(colour->rgb()) : QColor(Qt::black);
}

std::optional<ImagePart> SkinArt::partOf(const Element &element, QStringView property) {
    const Picture *picture = element.picture(property);
    if (!picture)
        return std::nullopt;
    ImagePart part = picture->imagePart(0);
    if (part.isEmpty() || part.source.width() <= 0 || part.source.height() <= 0)
        return std::nullopt;
    return part;
}

std::optional<SkinArt::StatePicture> SkinArt::statePicture(const Element &element,
                                                           QStringView state) {
    if (const std::optional<ImagePart> own = partOf(element, state))
        return StatePicture{element.picture(state), *own, false};
    if (const std::optional<ImagePart> normal = partOf(element, props::m_Normal))
        return StatePicture{element.picture(props::m_Normal), *normal, true};
    return std::nullopt;
}

const QImage *SkinArt::imageOf(const ImagePart &part) const {
    if (part.isEmpty())
        return nullptr;
    const auto found = images_.constFind(*part.imageName);
    return found == images_.constEnd() ? nullptr : &*found;
}

QPixmap SkinArt::piece(const ImagePart &part, Blend blend) const {
    const QImage *image = imageOf(part);
    if (!image)
        return {};
    const PictureKey key{
        image->cacheKey(), part.source.toQRect(), blend, Composition::Piece, {}, 0, nullptr};
    if (const QPixmap *kept = pictures_.object(key))
        return *kept;
    const QRect source = part.source.toQRect() & image->rect();
    if (source.isEmpty())
        return {};
    QImage cut = image->copy(source);
    cut = cut.convertToFormat(blend == Blend::Opaque ? QImage::Format_RGB32
                                                     : QImage::Format_ARGB32_Premultiplied);
    QPixmap pixmap = QPixmap::fromImage(cut);
    keep(key, pixmap);
    return pixmap;
}

QPixmap SkinArt::tile(const ImagePart &part, Blend blend, qreal dpr) const {
    const QPixmap source = piece(part, blend);
    if (source.isNull())
        return {};
    // Repeated up to a size that fills a window in few blits.
    constexpr int MinimumSide = 128;
    const int factor = qMax(1, qCeil(dpr));
    const QSize repeats((MinimumSide + source.width() - 1) / source.width(),
                        (MinimumSide + source.height() - 1) / source.height());
    QPixmap texture(QSize(source.width() * repeats.width(), source.height() * repeats.height()) *
                    factor);
    texture.fill(Qt::transparent);
    {
        QPainter painter(&texture);
        painter.scale(factor, factor);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        for (int y = 0; y < repeats.height(); ++y)
            for (int x = 0; x < repeats.width(); ++x)
                painter.drawPixmap(x * source.width(), y * source.height(), source);
    }
    texture.setDevicePixelRatio(factor);
    return texture;
}

QPixmap SkinArt::composed(const QRect &target, const ImagePart &part, Blend blend, qreal dpr,
                          const void *owner) const {
    const QImage *image = imageOf(part);
    if (!image)
        return {};
    const QSize size = target.size() * dpr;
    const PictureKey key{image->cacheKey(),
                         part.source.toQRect(),
                         blend,
                         part.margins ? Composition::NinePieces : Composition::Tiled,
                         owner ? QSize() : target.size(),
                         dpr,
                         owner};
    if (const QPixmap *kept = pictures_.object(key); kept && kept->size() == size)
        return *kept;
    const QPixmap source = piece(part, blend);
    if (source.isNull())
        return {};
    QPixmap result(size);
    result.setDevicePixelRatio(dpr);
    result.fill(Qt::transparent);
    {
        QPainter painter(&result);
        const QRect area(QPoint(0, 0), target.size());
        if (part.margins) {
            const QMargins m = marginsOf(part);
            qDrawBorderPixmap(&painter, area, m, source, source.rect(), m,
                              QTileRules(Qt::StretchTile));
        } else {
            painter.fillRect(area, QBrush(tile(part, blend, dpr)));
        }
    }
    keep(key, result); // in place of an owner's picture at its last size
    return result;
}

void SkinArt::draw(QPainter &painter, const QRect &target, const ImagePart &part, Blend blend,
                   const void *owner) const {
    if (target.isEmpty())
        return;
    const qreal dpr = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const QPixmap pixmap = composed(target, part, blend, dpr, owner);
    if (!pixmap.isNull())
        painter.drawPixmap(target.topLeft(), pixmap);
}

void SkinArt::drawEdgePieces(QPainter &painter, const QRect &target, const QMargins &m,
                             const QPixmap &source) {
    if (source.isNull())
        return;
    // The eight pieces round the centre, each stretched as the whole picture
    // would stretch them; the centre, which a border leaves alone, is not
    // drawn, and no picture of the whole area is made.
    const QRect s = source.rect();
    const int sourceX[4] = {s.left(), s.left() + m.left(), s.right() + 1 - m.right(),
                            s.right() + 1};
    const int sourceY[4] = {s.top(), s.top() + m.top(), s.bottom() + 1 - m.bottom(),
                            s.bottom() + 1};
    const int targetX[4] = {target.left(), target.left() + m.left(), target.right() + 1 - m.right(),
                            target.right() + 1};
    const int targetY[4] = {target.top(), target.top() + m.top(), target.bottom() + 1 - m.bottom(),
                            target.bottom() + 1};
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            if (row == 1 && column == 1)
                continue;
            const QRect to(QPoint(targetX[column], targetY[row]),
                           QPoint(targetX[column + 1] - 1, targetY[row + 1] - 1));
            const QRect from(QPoint(sourceX[column], sourceY[row]),
                             QPoint(sourceX[column + 1] - 1, sourceY[row + 1] - 1));
            if (!to.isEmpty() && !from.isEmpty())
                painter.drawPixmap(to, source, from);
        }
    }
}

void SkinArt::drawBorder(QPainter &painter, const QRect &target, const ImagePart &part,
                         Blend blend) const {
    if (target.isEmpty())
        return;
    const QMargins m = marginsOf(part);
    if (part.margins && m.left() + m.right() <= target.width() &&
        m.top() + m.bottom() <= target.height()) {
        drawEdgePieces(painter, target, m, piece(part, blend));
        return;
    }
    const QRect inside = target.marginsRemoved(m);
    painter.save();
    painter.setClipRegion(QRegion(target).subtracted(QRegion(inside)), Qt::IntersectClip);
    draw(painter, target, part, blend);
    painter.restore();
}

} // namespace skin
