// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/skinmodel.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace skin {

// LogFont

qint32 LogFont::field(std::size_t offset) const {
    return qFromLittleEndian<qint32>(bytes.data() + offset);
}

QByteArray LogFont::faceName() const {
    const auto *face = reinterpret_cast<const char *>(bytes.data() + 28);
    return {face, qsizetype(qstrnlen(face, 32))};
}

bool LogFont::isZero() const {
    return std::all_of(bytes.begin(), bytes.end(), [](quint8 b) { return b == 0; });
}

// Picture

Picture::Picture(QByteArrayView fixedPart, const QList<Text> &slotNames)
    : slots_(slotNames.begin(), slotNames.end()) {
    setFixedPart(fixedPart);
}

void Picture::setFixedPart(QByteArrayView bytes) {
    fixed_.resize(bytes.size());
    if (!bytes.isEmpty())
        std::memcpy(fixed_.data(), bytes.data(), std::size_t(bytes.size()));
}

Picture Picture::empty(quint32 layoutLength) {
    const PictureLayout *layout = pictureLayout(layoutLength);
    QList<Text> slotList(layout ? layout->slotCount : 0);
    return {QByteArray(qsizetype(layoutLength), '\0'), slotList};
}

quint32 Picture::word(int index) const {
    if (index < 0 || index >= wordCount())
        return 0;
    return qFromLittleEndian<quint32>(fixed_.constData() + qsizetype(index) * 4);
}

void Picture::setWord(int index, quint32 value) {
    if (index < 0 || index >= wordCount())
        return;
    qToLittleEndian(value, fixed_.data() + qsizetype(index) * 4);
}

namespace {

Rect rectAt(const Picture &p, int word) {
    return {qint32(p.word(word)), qint32(p.word(word + 1)), qint32(p.word(word + 2)),
            qint32(p.word(word + 3))};
}

void setRectAt(Picture &p, int word, const Rect &r) {
    p.setWord(word, quint32(r.left));
    p.setWord(word + 1, quint32(r.top));
    p.setWord(word + 2, quint32(r.right));
    p.setWord(word + 3, quint32(r.bottom));
}

} // namespace

ImagePart Picture::imagePart(int slot) const {
    ImagePart part;
    part.slot = slot;
    if (slot >= 0 && slot < slots_.size())
        part.imageName = slots_[slot];
    const PictureLayout *l = layout();
    if (!l || slot < 0 || slot >= l->slotCount)
        return part;
    const auto s = std::size_t(slot);
    if (l->partWord[s] >= 0) {
        part.handle = word(l->partWord[s]);
        part.source = rectAt(*this, l->partWord[s] + 1);
    }
    if (l->marginsWord[s] >= 0)
        part.margins = rectAt(*this, l->marginsWord[s]);
    if (l->flagsWord[s] >= 0)
        part.flags = word(l->flagsWord[s]);
    return part;
}

QList<ImagePart> Picture::imageParts() const {
    QList<ImagePart> parts;
    for (int slot = 0; slot < slots_.size(); ++slot)
        parts.append(imagePart(slot));
    return parts;
}

void Picture::setImagePart(const ImagePart &part) {
    setSlotName(part.slot, part.imageName);
    const PictureLayout *l = layout();
    if (!l || part.slot < 0 || part.slot >= l->slotCount)
        return;
    const auto s = std::size_t(part.slot);
    if (l->partWord[s] >= 0) {
        setWord(l->partWord[s], part.handle);
        setRectAt(*this, l->partWord[s] + 1, part.source);
    }
    if (l->marginsWord[s] >= 0 && part.margins)
        setRectAt(*this, l->marginsWord[s], *part.margins);
    if (l->flagsWord[s] >= 0 && part.flags)
        setWord(l->flagsWord[s], *part.flags);
}

void Picture::setSlotName(int slot, const Text &name) {
    if (slot >= 0 && slot < slots_.size())
        slots_[slot] = name;
}

bool Picture::hasImage() const {
    return std::any_of(slots_.begin(), slots_.end(),
                       [](const Text &t) { return t && !t->isEmpty(); });
}

std::optional<quint32> Picture::stateFlag() const {
    const PictureLayout *l = layout();
    if (!l || l->stateFlagWord < 0)
        return std::nullopt;
    return word(l->stateFlagWord);
}

std::optional<quint32> Picture::stateNumber() const {
    const PictureLayout *l = layout();
    if (!l || l->stateNumberWord < 0)
        return std::nullopt;
    return word(l->stateNumberWord);
}

QList<TextStyle> Picture::textStyles() const {
    QList<TextStyle> styles;
    if (const PictureLayout *l = layout()) {
        for (int first : l->textStyleWords)
            styles.append({word(first), word(first + 1), word(first + 2), word(first + 3)});
    }
    return styles;
}

std::optional<TextStyle> Picture::textStyle() const {
    const QList<TextStyle> styles = textStyles();
    if (styles.isEmpty())
        return std::nullopt;
    return styles.first();
}

void Picture::setTextStyle(int index, const TextStyle &style) {
    const PictureLayout *l = layout();
    if (!l || index < 0 || std::size_t(index) >= l->textStyleWords.size())
        return;
    const int first = l->textStyleWords[std::size_t(index)];
    setWord(first, style.style);
    setWord(first + 1, style.textColour);
    setWord(first + 2, style.secondColour);
    setWord(first + 3, style.format);
}

QList<quint32> Picture::colours() const {
    QList<quint32> result;
    if (const PictureLayout *l = layout()) {
        for (int w : l->colourWords)
            result.append(word(w));
    }
    return result;
}

// PropertyGroup

const Property *PropertyGroup::find(QStringView name) const {
    for (const Property &p : properties) {
        if (p.hasName(name))
            return &p;
    }
    return nullptr;
}

Property *PropertyGroup::find(QStringView name) {
    for (Property &p : properties) {
        if (p.hasName(name))
            return &p;
    }
    return nullptr;
}

// Element

QString Element::name() const {
    const Text *t = node.get<Text>(props::m_bstrName);
    return t && *t ? **t : QString();
}

Text Element::tag() const {
    const Text *t = node.get<Text>(props::m_bstrTag);
    return t ? *t : Text();
}

const Property *Element::property(QStringView name) const {
    for (const PropertyGroup &g : groups) {
        if (const Property *p = g.find(name))
            return p;
    }
    return nullptr;
}

Property *Element::property(QStringView name) {
    for (PropertyGroup &g : groups) {
        if (Property *p = g.find(name))
            return p;
    }
    return nullptr;
}

std::optional<qint32> Element::integer(QStringView name) const {
    const Integer *i = get<Integer>(name);
    return i ? std::optional<qint32>(i->value) : std::nullopt;
}

Text Element::text(QStringView name) const {
    const Text *t = get<Text>(name);
    return t ? *t : Text();
}

std::optional<Rect> Element::rect(QStringView name) const {
    const Rect *r = get<Rect>(name);
    return r ? std::optional<Rect>(*r) : std::nullopt;
}

const Picture *Element::picture(QStringView name) const {
    return get<Picture>(name);
}

std::optional<TextStyle> Element::textStyle(QStringView name) const {
    const TextStyle *s = get<TextStyle>(name);
    return s ? std::optional<TextStyle>(*s) : std::nullopt;
}

std::optional<ColourTriple> Element::colourTriple(QStringView name) const {
    const ColourTriple *c = get<ColourTriple>(name);
    return c ? std::optional<ColourTriple>(*c) : std::nullopt;
}

Rect Element::anchors() const {
    return rect(props::m_Anchors).value_or(Rect{});
}
Rect Element::offset() const {
    return rect(props::m_Offset).value_or(Rect{});
}
Rect Element::visualRect() const {
    return rect(props::m_rcVisual).value_or(Rect{});
}
bool Element::isVisible() const {
    return integer(props::m_bVisible).value_or(1) != 0;
}

const Element *Element::child(QStringView name, int index) const {
    for (const Element &c : children) {
        if (c.name() == name && index-- == 0)
            return &c;
    }
    return nullptr;
}

namespace {

// Splits "name[n]" into the name and n; a segment without "[n]" is n = 0.
bool parseSegment(QStringView segment, QStringView *name, int *index) {
    *name = segment;
    *index = 0;
    if (!segment.endsWith(u']'))
        return true;
    const qsizetype open = segment.lastIndexOf(u'[');
    if (open < 0)
        return true;
    bool ok = false;
    const int n = segment.mid(open + 1, segment.size() - open - 2).toInt(&ok);
    if (!ok || n < 0)
        return false;
    *name = segment.left(open);
    *index = n;
    return true;
}

} // namespace

const Element *Element::find(QStringView path) const {
    const Element *current = this;
    for (QStringView segment : path.tokenize(u'/', Qt::SkipEmptyParts)) {
        QStringView childName;
        int index = 0;
        if (!parseSegment(segment, &childName, &index))
            return nullptr;
        current = current->child(childName, index);
        if (!current)
            return nullptr;
    }
    return current;
}

Element *Element::find(QStringView path) {
    return const_cast<Element *>(std::as_const(*this).find(path));
}

// SkinImage

QImage SkinImage::toImage() const {
    if (width == 0 || height == 0 || quint64(pixels.size()) != quint64(width) * height * 4)
        return {};
    QImage image(int(width), int(height), QImage::Format_ARGB32);
    for (int y = 0; y < int(height); ++y) {
        const char *row = pixels.constData() + qsizetype(y) * width * 4;
        auto *out = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < int(width); ++x) {
            const auto *px = reinterpret_cast<const uchar *>(row + qsizetype(x) * 4);
            out[x] = qRgba(px[2], px[1], px[0], px[3]);
        }
    }
    return image;
}

SkinImage SkinImage::fromImage(const QImage &source, const Text &name) {
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    SkinImage result;
    result.width = quint32(image.width());
    result.height = quint32(image.height());
    result.name = name;
    result.pixels.resize(qsizetype(image.width()) * image.height() * 4);
    auto *out = reinterpret_cast<uchar *>(result.pixels.data());
    for (int y = 0; y < image.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = qAlpha(in[x]) == 0 ? 0 : in[x];
            *out++ = uchar(qBlue(c));
            *out++ = uchar(qGreen(c));
            *out++ = uchar(qRed(c));
            *out++ = uchar(qAlpha(c));
        }
    }
    return result;
}

// Skin

const SkinImage *Skin::image(QStringView name) const {
    for (const SkinImage &i : images) {
        if (i.name && *i.name == name)
            return &i;
    }
    return nullptr;
}

void Skin::assignHandles(quint32 first) {
    quint32 next = first == 0 ? 1 : first;
    forEachPicture([&next](Picture &picture) {
        for (int slot = 0; slot < picture.slotNames().size(); ++slot) {
            ImagePart part = picture.imagePart(slot);
            const PictureLayout *l = picture.layout();
            if (!l || slot >= l->slotCount || l->partWord[std::size_t(slot)] < 0)
                continue;
            part.handle = part.isEmpty() ? 0 : next++;
            if (next == 0)
                next = 1;
            picture.setWord(l->partWord[std::size_t(slot)], part.handle);
        }
    });
}

} // namespace skin
