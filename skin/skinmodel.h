// SPDX-License-Identifier: GPL-3.0-or-later
// The content of a skin stream, as plain values: control settings, image
// table and the tree of elements under the root. skin::readSkinStream()
// (skinreader.h) fills it, skin::writeSkinStream() (tools/skinwriter.h)
// turns it back into the same bytes.
//
// Typical queries, for code that draws with a skin:
//
//     const skin::Element *close = skin.find(u"Form/top_edge/SkinButton Object");
//     const skin::Picture *normal = close->picture(skin::props::m_Normal);
//     skin::ImagePart part = normal->imagePart(0);  // image name, source, margins
//     skin::Rect where = skin::elementRect(*close, parentSize);  // skingeometry.h
//
// Every accessor that looks a property up by name returns nullptr or an
// empty optional when the element has no such property, or when the
// property has another encoding than the one asked for.
#pragma once

#include "skin/skinschema.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <QList>
#include <QRect>
#include <QRgb>
#include <QString>
#include <QStringView>
#include <QVarLengthArray>

#include <array>
#include <optional>
#include <variant>
#include <vector>

namespace skin {

// A text: null (stored with byte length 0) or a string, which may be empty
// (stored as the terminator alone). The string holds the UTF-16 code units as
// stored, without the terminator.
using Text = std::optional<QString>;

// Left, top, right, bottom; right and bottom are exclusive where the
// rectangle is a pixel area (source rectangles, element rectangles).
struct Rect {
    qint32 left = 0;
    qint32 top = 0;
    qint32 right = 0;
    qint32 bottom = 0;

    qint32 width() const { return right - left; }
    qint32 height() const { return bottom - top; }
    bool isZero() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    // The same area as a QRect (whose right() and bottom() are inclusive).
    QRect toQRect() const { return {left, top, right - left, bottom - top}; }
    bool operator==(const Rect &) const = default;
};

struct Size {
    qint32 width = 0;
    qint32 height = 0;
    bool operator==(const Size &) const = default;
};

struct Integer {
    qint32 value = 0;
    bool operator==(const Integer &) const = default;
};

// A 16-bit flag (0 or 1 in the stored skin).
struct ShortFlag {
    quint16 value = 0;
    bool operator==(const ShortFlag &) const = default;
};

// Three bytes: blue, green, red.
struct ColourTriple {
    quint8 blue = 0;
    quint8 green = 0;
    quint8 red = 0;

    QRgb rgb() const { return qRgb(red, green, blue); }
    bool operator==(const ColourTriple &) const = default;
};

// A 60-byte LOGFONTA record, kept as its bytes; the accessors decode the
// fields a drawing engine needs.
struct LogFont {
    std::array<quint8, 60> bytes{};

    qint32 height() const { return field(0); }
    qint32 weight() const { return field(16); }
    bool italic() const { return bytes[20] != 0; }
    bool underline() const { return bytes[21] != 0; }
    bool strikeOut() const { return bytes[22] != 0; }
    quint8 charSet() const { return bytes[23]; }
    // The face name: up to 32 narrow characters, ending at the first NUL.
    QByteArray faceName() const;
    bool isZero() const;
    bool operator==(const LogFont &) const = default;

private:
    qint32 field(std::size_t offset) const;
};

// A style field, a text colour (0xAARRGGBB), a second colour and a set of
// DrawText format flags (5: centred both ways, 4: vertically centred).
struct TextStyle {
    quint32 style = 0;
    quint32 textColour = 0;
    quint32 secondColour = 0;
    quint32 format = 0;
    bool operator==(const TextStyle &) const = default;
};

// An action: three words, (1, 0, 0) in the stored skin.
struct Action {
    std::array<quint32, 3> words{1, 0, 0};
    bool operator==(const Action &) const = default;
};

// One image part of a picture: the image a slot names, and the rectangle cut
// from it, with the margins and flags the layout gives it.
struct ImagePart {
    int slot = 0;
    Text imageName;     // null or empty: the slot is empty
    quint32 handle = 0; // no meaning; non-zero exactly where the slot names an image
    Rect source;
    std::optional<Rect> margins; // left, top, right, bottom, in pixels
    std::optional<quint32> flags;

    bool isEmpty() const { return !imageName || imageName->isEmpty(); }
};

// A picture value: a fixed part of L bytes whose layout L chooses
// (skin::pictureLayout()), then one image name per slot.
class Picture {
public:
    Picture() = default;
    Picture(QByteArrayView fixedPart, const QList<Text> &slotNames);
    // An all-zero picture of a known layout with every slot empty.
    static Picture empty(quint32 layoutLength);

    QByteArrayView fixedPart() const { return {fixed_.constData(), fixed_.size()}; }
    int slotCount() const { return int(slots_.size()); }
    Text slotName(int slot) const {
        return slot >= 0 && slot < slots_.size() ? slots_[slot] : Text();
    }
    QList<Text> slotNames() const { return {slots_.begin(), slots_.end()}; }
    void appendSlot(Text name) { slots_.append(std::move(name)); }
    void setFixedPart(QByteArrayView bytes);
    quint32 layoutLength() const { return quint32(fixed_.size()); }
    const PictureLayout *layout() const { return pictureLayout(layoutLength()); }

    // The fixed part as u32 words; out of range reads 0 and writes nothing.
    int wordCount() const { return int(fixed_.size() / 4); }
    quint32 word(int index) const;
    void setWord(int index, quint32 value);

    // The image part of a slot; a slot the layout places no part for yields
    // a zero part that still carries the slot's name.
    ImagePart imagePart(int slot) const;
    QList<ImagePart> imageParts() const;
    void setImagePart(const ImagePart &part);
    void setSlotName(int slot, const Text &name);
    bool hasImage() const; // some slot names an image

    // Fields of the state layouts (52 and 72 bytes).
    std::optional<quint32> stateFlag() const;
    std::optional<quint32> stateNumber() const;
    // The text styles of the layout, in word order: one for a state, three
    // for the pop-up menu, four for the menu bar.
    QList<TextStyle> textStyles() const;
    std::optional<TextStyle> textStyle() const; // the first one
    void setTextStyle(int index, const TextStyle &style);
    // The single colours of the menu layouts (0xAARRGGBB).
    QList<quint32> colours() const;

    bool operator==(const Picture &) const = default;

private:
    // Inline for the common layouts (up to 72 bytes, one slot): a skin has
    // many pictures, and reading one then allocates nothing.
    QVarLengthArray<char, 72> fixed_;
    QVarLengthArray<Text, 1> slots_;
};

// The value of a property the schema does not know: its bytes as stored.
struct RawValue {
    QByteArray bytes;
    bool operator==(const RawValue &) const = default;
};

// A property value; the alternatives follow skin::Encoding.
using Value = std::variant<Text, Integer, ShortFlag, ColourTriple, Rect, Size, LogFont, TextStyle,
                           Action, Picture, RawValue>;

inline Encoding encodingOf(const Value &value) {
    return Encoding(value.index());
}

struct Property {
    Text name;
    Value value;

    bool hasName(QStringView n) const { return name && *name == n; }
    bool operator==(const Property &) const = default;
};

// A property group: a version and its properties, in stream order.
struct PropertyGroup {
    quint32 version = 2;
    QList<Property> properties;

    const Property *find(QStringView name) const;
    Property *find(QStringView name);
    template <typename T> const T *get(QStringView name) const {
        const Property *p = find(name);
        return p ? std::get_if<T>(&p->value) : nullptr;
    }
    bool operator==(const PropertyGroup &) const = default;
};

// An element of the tree, or the root node (kind Root, no groups).
class Element {
public:
    ElementKind kind = ElementKind::Root;
    QList<PropertyGroup> groups; // the kind's groups, in the kind table's order
    PropertyGroup node;          // m_bstrName, m_bstrTag
    std::vector<Element> children;

    // m_bstrName; a null name reads as the empty string.
    QString name() const;
    Text tag() const;

    // A property of the kind's groups, by name (the first group that has it).
    const Property *property(QStringView name) const;
    Property *property(QStringView name);
    template <typename T> const T *get(QStringView name) const {
        const Property *p = property(name);
        return p ? std::get_if<T>(&p->value) : nullptr;
    }

    std::optional<qint32> integer(QStringView name) const;
    Text text(QStringView name) const;
    std::optional<Rect> rect(QStringView name) const;
    const Picture *picture(QStringView name) const;
    std::optional<TextStyle> textStyle(QStringView name) const;
    std::optional<ColourTriple> colourTriple(QStringView name) const;

    // The layout group's values (zero when absent).
    Rect anchors() const;
    Rect offset() const;
    Rect visualRect() const;
    bool isVisible() const;
    // m_Type: the hit-test code, button role, bar orientation or check kind.
    std::optional<qint32> type() const { return integer(props::m_Type); }

    // The first child with that name, or the index-th one (0-based).
    const Element *child(QStringView name, int index = 0) const;
    // A path of child names separated by '/', each optionally followed by
    // "[n]" for the n-th child of that name: "Form/top_edge/SkinStatic Object[3]".
    // An empty path is this element.
    const Element *find(QStringView path) const;
    Element *find(QStringView path);

    bool operator==(const Element &) const = default;
};

// An image of the image table: 32-bit pixels, blue, green, red, alpha,
// rows top to bottom.
struct SkinImage {
    quint32 width = 0;
    quint32 height = 0;
    QByteArray pixels; // width × height × 4 bytes
    Text name;

    // The pixels as a non-premultiplied ARGB32 image (a deep copy).
    QImage toImage() const;
    // Pixels of an image; fully transparent pixels store black.
    static SkinImage fromImage(const QImage &image, const Text &name);
    bool operator==(const SkinImage &) const = default;
};

// A whole skin stream.
struct Skin {
    PropertyGroup settings;    // the control settings
    PropertyGroup secondGroup; // the empty group that follows them
    quint32 imageTableTag = 3; // the u32 before the image count
    QList<SkinImage> images;
    quint32 afterImages = 0; // the u32 between the image table and the root
    Element root;

    const SkinImage *image(QStringView name) const;
    const Element *find(QStringView path) const { return root.find(path); }
    Element *find(QStringView path) { return root.find(path); }

    // Sets every picture handle: 0 for an empty slot, and for a slot that
    // names an image a non-zero value from first on, one per such slot in
    // stream order.
    void assignHandles(quint32 first);
    // Visits every picture in stream order.
    template <typename F> void forEachPicture(F &&visit);
    template <typename F> void forEachPicture(F &&visit) const;

    bool operator==(const Skin &) const = default;
};

// Visits every element below root, depth first, parents before children.
template <typename E, typename F> void forEachElement(E &root, F &&visit) {
    for (auto &child : root.children) {
        visit(child);
        forEachElement(child, visit);
    }
}

template <typename F> void Skin::forEachPicture(F &&visit) {
    forEachElement(root, [&](Element &e) {
        for (PropertyGroup &g : e.groups)
            for (Property &p : g.properties)
                if (auto *pic = std::get_if<Picture>(&p.value))
                    visit(*pic);
    });
}

template <typename F> void Skin::forEachPicture(F &&visit) const {
    forEachElement(root, [&](const Element &e) {
        for (const PropertyGroup &g : e.groups)
            for (const Property &p : g.properties)
                if (const auto *pic = std::get_if<Picture>(&p.value))
                    visit(*pic);
    });
}

} // namespace skin
