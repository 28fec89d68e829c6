// SPDX-License-Identifier: GPL-3.0-or-later
// What a skin stream may hold: the kinds of elements with their class
// identifiers and property groups, the encoding of every known property, and
// the layouts of the fixed parts of picture values. The reader, the writer
// and the source format all take their knowledge of the format from here.
#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <array>
#include <span>
#include <string>

namespace skin {

// The kinds of skin elements. Root is the root node, which has no class
// identifier and no property groups of its own.
enum class ElementKind { Root, Window, Static, Button, Check, ScrollBar, Tab, Frame, Misc };

// How a property's value is laid out. The order matches the alternatives of
// skin::Value (skinmodel.h); Unknown is a property the schema does not list,
// kept as its raw value bytes.
enum class Encoding {
    Text,
    Integer,
    ShortFlag,
    ColourTriple,
    Rectangle,
    Size,
    Font,
    TextStyle,
    Action,
    Picture,
    Unknown
};

// A 16-byte class identifier in the in-memory GUID layout (the first three
// fields little-endian, then eight bytes as they are).
using ClassId = std::array<quint8, 16>;

struct PropertySpec {
    const char16_t *name; // UTF-16, as names are stored; static, so readers can share it
    Encoding encoding;
    qsizetype length = std::char_traits<char16_t>::length(name);

    QStringView nameView() const { return {name, length}; }
};

struct GroupSpec {
    quint32 version;
    std::span<const PropertySpec> properties;

    // The encoding the group gives a property, Unknown if it does not list it.
    Encoding encodingOf(QStringView name) const;
    // The group's entry for a property, nullptr if it does not list it.
    const PropertySpec *find(QStringView name) const;
};

struct KindSpec {
    ElementKind kind;
    const char *name; // "SkinWindow", "SkinStatic", ...
    ClassId classId;
    std::span<const GroupSpec> groups;
};

// The kinds with a class identifier (every kind but Root), in table order.
std::span<const KindSpec> elementKinds();
const KindSpec *kindSpec(ElementKind kind);
const KindSpec *kindSpecForClassId(const ClassId &id);
const KindSpec *kindSpecForName(QStringView name);
QString kindName(ElementKind kind); // "Root" for the root node

// The class identifier of every image of the image table.
const ClassId &imageClassId();

// The control-settings group, the empty group that follows it, and the node
// group (m_bstrName, m_bstrTag) of every element and of the root.
const GroupSpec &settingsGroupSpec();
const GroupSpec &secondGroupSpec();
const GroupSpec &nodeGroupSpec();
// The layout group (anchors, offset, visual rectangle, ...) that ends every
// element kind's list of groups.
const GroupSpec &layoutGroupSpec();

// The layout of a picture's fixed part, chosen by its byte length L. Word
// indices count u32 words from the start of the fixed part; -1 means "none".
struct PictureLayout {
    static constexpr int MaxSlots = 4;
    quint32 length;
    int slotCount;
    std::array<int, MaxSlots> partWord;    // handle, then left, top, right, bottom
    std::array<int, MaxSlots> marginsWord; // left, top, right, bottom
    std::array<int, MaxSlots> flagsWord;
    int stateFlagWord;
    int stateNumberWord;
    std::span<const int> textStyleWords; // four words each
    std::span<const int> colourWords;

    // True if the word at index belongs to one of the fields above.
    bool isKnownWord(int index) const;
};

// The layout for a fixed part of length bytes, nullptr for a length the
// format does not define.
const PictureLayout *pictureLayout(quint32 length);
std::span<const PictureLayout> pictureLayouts();

// The smallest number of bytes any element can take in a stream; a reader
// uses it to reject child counts the remaining bytes cannot hold.
inline constexpr qsizetype MinimumElementBytes = 64;

} // namespace skin
