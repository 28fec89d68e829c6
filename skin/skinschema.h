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

// A name spelt once: the constant is called what it holds, so a misspelt
// name does not compile instead of silently finding nothing.
#define SNOMEL_SKIN_NAME(name) inline constexpr char16_t name[] = u"" #name;

// The names of the properties the schema lists, as they are stored. The
// tables are built from them, and code that reads a property by name
// names it here: button->picture(props::m_Normal).
namespace props {
// The control settings.
SNOMEL_SKIN_NAME(m_bstrAuthor)
SNOMEL_SKIN_NAME(m_bstrDescription)
SNOMEL_SKIN_NAME(m_bstrApplication)
SNOMEL_SKIN_NAME(m_nHue)
SNOMEL_SKIN_NAME(m_BackColor)
SNOMEL_SKIN_NAME(m_ForeColor)
SNOMEL_SKIN_NAME(m_PanelColor)
SNOMEL_SKIN_NAME(m_PanelTextColor)
SNOMEL_SKIN_NAME(m_bApplyColors)
SNOMEL_SKIN_NAME(m_bSkinClientArea)
// The node and the layout of every element.
SNOMEL_SKIN_NAME(m_bstrName)
SNOMEL_SKIN_NAME(m_bstrTag)
SNOMEL_SKIN_NAME(m_Anchors)
SNOMEL_SKIN_NAME(m_Offset)
SNOMEL_SKIN_NAME(m_rcVisual)
SNOMEL_SKIN_NAME(m_bVisible)
SNOMEL_SKIN_NAME(m_eBlendMode)
SNOMEL_SKIN_NAME(m_szMin)
SNOMEL_SKIN_NAME(m_szMax)
SNOMEL_SKIN_NAME(m_bAffectRegion)
SNOMEL_SKIN_NAME(m_bstrTooltip)
// Windows.
SNOMEL_SKIN_NAME(m_ActiveFrame)
SNOMEL_SKIN_NAME(m_InactiveFrame)
SNOMEL_SKIN_NAME(m_Background)
SNOMEL_SKIN_NAME(m_MenuBar)
SNOMEL_SKIN_NAME(m_PopupMenu)
SNOMEL_SKIN_NAME(m_rcMargins)
// Texts and fonts.
SNOMEL_SKIN_NAME(m_bstrCaption)
SNOMEL_SKIN_NAME(m_LogFont)
SNOMEL_SKIN_NAME(m_TextStyle)
// Controls: their type and the pictures of their states.
SNOMEL_SKIN_NAME(m_Type)
SNOMEL_SKIN_NAME(m_Normal)
SNOMEL_SKIN_NAME(m_Focused)
SNOMEL_SKIN_NAME(m_Pressed)
SNOMEL_SKIN_NAME(m_Disabled)
SNOMEL_SKIN_NAME(m_Default)
SNOMEL_SKIN_NAME(m_Highlighted)
SNOMEL_SKIN_NAME(m_Selected)
SNOMEL_SKIN_NAME(m_GreyedNormal)
SNOMEL_SKIN_NAME(m_GreyedSelected)
SNOMEL_SKIN_NAME(m_HighlightedNormal)
SNOMEL_SKIN_NAME(m_HighlightedSelected)
// Events.
SNOMEL_SKIN_NAME(m_OnActivate)
SNOMEL_SKIN_NAME(m_OnDeactivate)
SNOMEL_SKIN_NAME(m_OnMaximize)
SNOMEL_SKIN_NAME(m_OnRestore)
SNOMEL_SKIN_NAME(m_OnMouseDown)
SNOMEL_SKIN_NAME(m_OnMouseUp)
SNOMEL_SKIN_NAME(m_OnMouseIn)
SNOMEL_SKIN_NAME(m_OnMouseOut)
SNOMEL_SKIN_NAME(m_OnClick)
// Scroll bars.
SNOMEL_SKIN_NAME(m_nMin)
SNOMEL_SKIN_NAME(m_nMax)
SNOMEL_SKIN_NAME(m_nPage)
SNOMEL_SKIN_NAME(m_nLine)
SNOMEL_SKIN_NAME(m_nPos)
// Frames, tabs and the other controls.
SNOMEL_SKIN_NAME(m_Frame)
SNOMEL_SKIN_NAME(m_eFrameBlendMode)
SNOMEL_SKIN_NAME(m_CaptionColor)
SNOMEL_SKIN_NAME(m_CaptionImage)
SNOMEL_SKIN_NAME(m_MDIClient)
SNOMEL_SKIN_NAME(m_Toolbar)
SNOMEL_SKIN_NAME(m_ToolbarNormal)
SNOMEL_SKIN_NAME(m_ToolbarPressed)
SNOMEL_SKIN_NAME(m_ToolbarHighlighted)
SNOMEL_SKIN_NAME(m_ToolbarDisabled)
SNOMEL_SKIN_NAME(m_StatusBar)
SNOMEL_SKIN_NAME(m_StatusBarItem)
} // namespace props

// The elements the engine draws with, by name. The format leaves names to
// the skin; a skin for this engine has the window "Form" and beside it the
// patterns of the controls.
namespace elements {
SNOMEL_SKIN_NAME(Form)
SNOMEL_SKIN_NAME(Button)
SNOMEL_SKIN_NAME(Frame)
SNOMEL_SKIN_NAME(Label)
SNOMEL_SKIN_NAME(MiscControls)
} // namespace elements

#undef SNOMEL_SKIN_NAME

} // namespace skin
