// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/skinschema.h"

#include <algorithm>

namespace skin {
namespace {

constexpr quint8 hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return quint8(c - '0');
    if (c >= 'A' && c <= 'F')
        return quint8(c - 'A' + 10);
    return quint8(c - 'a' + 10);
}

constexpr quint8 hexByte(const char *s) {
    return quint8(hexDigit(s[0]) << 4 | hexDigit(s[1]));
}

// "XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX" in the in-memory GUID layout: the
// first three fields are stored little-endian, the last eight bytes as written.
constexpr ClassId guid(const char (&s)[37]) {
    ClassId id{};
    for (std::size_t i = 0; i < 4; ++i)
        id[3 - i] = hexByte(s + 2 * i);
    for (std::size_t i = 0; i < 2; ++i) {
        id[5 - i] = hexByte(s + 9 + 2 * i);
        id[7 - i] = hexByte(s + 14 + 2 * i);
    }
    id[8] = hexByte(s + 19);
    id[9] = hexByte(s + 21);
    for (std::size_t i = 0; i < 6; ++i)
        id[10 + i] = hexByte(s + 24 + 2 * i);
    return id;
}

using E = Encoding;
using namespace props;

constexpr PropertySpec settingsProperties[] = {
    {m_bstrAuthor, E::Text},         {m_bstrDescription, E::Text},
    {m_bstrApplication, E::Text},    {m_nHue, E::Integer},
    {m_BackColor, E::ColourTriple},  {m_ForeColor, E::ColourTriple},
    {m_PanelColor, E::ColourTriple}, {m_PanelTextColor, E::ColourTriple},
    {m_bApplyColors, E::ShortFlag},  {m_bSkinClientArea, E::ShortFlag},
};

constexpr PropertySpec nodeProperties[] = {{m_bstrName, E::Text}, {m_bstrTag, E::Text}};

constexpr PropertySpec layoutProperties[] = {
    {m_Anchors, E::Rectangle}, {m_Offset, E::Rectangle},      {m_rcVisual, E::Rectangle},
    {m_bVisible, E::Integer},  {m_eBlendMode, E::Integer},    {m_szMin, E::Size},
    {m_szMax, E::Size},        {m_bAffectRegion, E::Integer}, {m_bstrTooltip, E::Text},
};

constexpr PropertySpec windowProperties[] = {
    {m_ActiveFrame, E::Picture}, {m_InactiveFrame, E::Picture}, {m_Background, E::Picture},
    {m_MenuBar, E::Picture},     {m_PopupMenu, E::Picture},     {m_BackColor, E::ColourTriple},
};
constexpr PropertySpec windowEvents[] = {
    {m_OnActivate, E::Action}, {m_OnDeactivate, E::Action}, {m_OnMaximize, E::Action},
    {m_OnRestore, E::Action},  {m_rcMargins, E::Rectangle},
};

constexpr PropertySpec staticProperties[] = {
    {m_bstrCaption, E::Text},   {m_LogFont, E::Font},      {m_TextStyle, E::TextStyle},
    {m_Background, E::Picture}, {m_BackColor, E::Integer}, {m_Type, E::Integer},
};
constexpr PropertySpec staticEvents[] = {
    {m_OnMouseDown, E::Action},
    {m_OnMouseUp, E::Action},
    {m_OnMouseIn, E::Action},
    {m_OnMouseOut, E::Action},
};

constexpr PropertySpec buttonProperties[] = {
    {m_Normal, E::Picture},   {m_Focused, E::Picture}, {m_Pressed, E::Picture},
    {m_Disabled, E::Picture}, {m_Default, E::Picture}, {m_Highlighted, E::Picture},
    {m_Type, E::Integer},     {m_LogFont, E::Font},    {m_bstrCaption, E::Text},
};
constexpr PropertySpec buttonEvents[] = {
    {m_OnClick, E::Action}, {m_OnMouseIn, E::Action}, {m_OnMouseOut, E::Action}};

constexpr PropertySpec checkProperties[] = {
    {m_Normal, E::Picture},
    {m_Selected, E::Picture},
    {m_GreyedNormal, E::Picture},
    {m_GreyedSelected, E::Picture},
    {m_HighlightedNormal, E::Picture},
    {m_HighlightedSelected, E::Picture},
    {m_Disabled, E::Picture},
    {m_Type, E::Integer},
    {m_LogFont, E::Font},
    {m_bstrCaption, E::Text},
};

constexpr PropertySpec scrollBarProperties[] = {
    {m_Normal, E::Picture},      {m_Pressed, E::Picture}, {m_Disabled, E::Picture},
    {m_Highlighted, E::Picture}, {m_Type, E::Integer},    {m_nMin, E::Integer},
    {m_nMax, E::Integer},        {m_nPage, E::Integer},   {m_nLine, E::Integer},
    {m_nPos, E::Integer},
};

constexpr PropertySpec tabProperties[] = {
    {m_Disabled, E::Picture},        {m_Normal, E::Picture},      {m_Pressed, E::Picture},
    {m_Focused, E::Picture},         {m_Highlighted, E::Picture}, {m_Frame, E::Picture},
    {m_eFrameBlendMode, E::Integer},
};

constexpr PropertySpec frameProperties[] = {
    {m_Frame, E::Picture},        {m_bstrCaption, E::Text},     {m_LogFont, E::Font},
    {m_TextStyle, E::TextStyle},  {m_CaptionColor, E::Integer}, {m_eFrameBlendMode, E::Integer},
    {m_CaptionImage, E::Picture},
};

constexpr PropertySpec miscProperties[] = {
    {m_Frame, E::Picture},           {m_MDIClient, E::Picture},
    {m_Toolbar, E::Picture},         {m_ToolbarNormal, E::Picture},
    {m_ToolbarPressed, E::Picture},  {m_ToolbarHighlighted, E::Picture},
    {m_ToolbarDisabled, E::Picture}, {m_StatusBar, E::Picture},
    {m_StatusBarItem, E::Picture},
};

constexpr GroupSpec settingsGroup{2, settingsProperties};
constexpr GroupSpec secondGroup{2, {}};
constexpr GroupSpec nodeGroup{2, nodeProperties};
constexpr GroupSpec layoutGroup{2, layoutProperties};
constexpr GroupSpec emptyGroupV1{1, {}};
constexpr GroupSpec emptyGroupV2{2, {}};

constexpr GroupSpec windowGroups[] = {{2, windowProperties}, {2, windowEvents}, layoutGroup};
constexpr GroupSpec staticGroups[] = {
    {2, staticProperties}, {2, staticEvents}, emptyGroupV1, layoutGroup};
constexpr GroupSpec buttonGroups[] = {
    {2, buttonProperties}, {2, buttonEvents}, emptyGroupV1, layoutGroup};
constexpr GroupSpec checkGroups[] = {{2, checkProperties}, emptyGroupV2, layoutGroup};
constexpr GroupSpec scrollBarGroups[] = {{2, scrollBarProperties}, emptyGroupV2, layoutGroup};
constexpr GroupSpec tabGroups[] = {{2, tabProperties}, emptyGroupV2, layoutGroup};
constexpr GroupSpec frameGroups[] = {{2, frameProperties}, emptyGroupV2, layoutGroup};
constexpr GroupSpec miscGroups[] = {{2, miscProperties}, emptyGroupV2, layoutGroup};

constexpr KindSpec kinds[] = {
    {ElementKind::Window, "SkinWindow", guid("3DCD2BC5-8489-48AE-891F-90C8B2F19F56"), windowGroups},
    {ElementKind::Static, "SkinStatic", guid("C406F816-318D-4F7D-81CB-BA93CA7B70D5"), staticGroups},
    {ElementKind::Button, "SkinButton", guid("EC22770D-3343-4C56-8A8D-3E560475F655"), buttonGroups},
    {ElementKind::Check, "SkinCheck", guid("3831331E-0D11-4716-871D-68F3B11D23C9"), checkGroups},
    {ElementKind::ScrollBar, "SkinScrollBar", guid("D502D4A3-03E6-4EAE-A14E-69606CA63430"),
     scrollBarGroups},
    {ElementKind::Tab, "SkinTab", guid("A506EF88-9EFC-4522-BFE1-A8E886A64D80"), tabGroups},
    {ElementKind::Frame, "SkinFrame", guid("52C01A76-19E2-4A50-AE8A-38FFBCCF9182"), frameGroups},
    {ElementKind::Misc, "SkinMisc", guid("B87799AF-2CE9-4DAA-93CF-65F002035369"), miscGroups},
};

constexpr ClassId imageId = guid("A5704C37-40DA-49EF-904B-97E5F5F9B1C5");

// Fixed parts of picture values. The menu layouts place a third image part
// after the second (u32 positions 49 to 58 of the pop-up menu, 53 to 62 of
// the menu bar); the 160-byte frame layout places no field we know of.
constexpr int oneStyleAt9[] = {9};
constexpr int oneStyleAt14[] = {14};
constexpr int popupStyles[] = {25, 29, 33};
constexpr int popupColours[] = {37, 48};
constexpr int menuBarStyles[] = {25, 29, 33, 37};
constexpr int menuBarColours[] = {41, 42};

constexpr PictureLayout layouts[] = {
    {20, 1, {0, -1, -1, -1}, {-1, -1, -1, -1}, {-1, -1, -1, -1}, -1, -1, {}, {}},
    {40, 1, {0, -1, -1, -1}, {5, -1, -1, -1}, {9, -1, -1, -1}, -1, -1, {}, {}},
    {52, 1, {0, -1, -1, -1}, {-1, -1, -1, -1}, {-1, -1, -1, -1}, 5, 8, oneStyleAt9, {}},
    {72, 1, {0, -1, -1, -1}, {5, -1, -1, -1}, {9, -1, -1, -1}, 10, 13, oneStyleAt14, {}},
    {120, 4, {0, 5, 10, 20}, {25, 25, 25, 25}, {-1, -1, -1, -1}, -1, -1, {}, {}},
    {160, 4, {-1, -1, -1, -1}, {-1, -1, -1, -1}, {-1, -1, -1, -1}, -1, -1, {}, {}},
    {236, 3, {0, 38, 49, -1}, {5, 43, 54, -1}, {9, 47, 58, -1}, -1, -1, popupStyles, popupColours},
    {252,
     3,
     {0, 43, 53, -1},
     {5, 48, 58, -1},
     {9, 52, 62, -1},
     -1,
     -1,
     menuBarStyles,
     menuBarColours},
};

bool within(int index, int first, int count) {
    return first >= 0 && index >= first && index < first + count;
}

} // namespace

const PropertySpec *GroupSpec::find(QStringView name) const {
    for (const PropertySpec &p : properties) {
        if (name == p.nameView())
            return &p;
    }
    return nullptr;
}

Encoding GroupSpec::encodingOf(QStringView name) const {
    const PropertySpec *p = find(name);
    return p ? p->encoding : Encoding::Unknown;
}

bool PictureLayout::isKnownWord(int index) const {
    for (int slot = 0; slot < MaxSlots; ++slot) {
        if (within(index, partWord[std::size_t(slot)], 5) ||
            within(index, marginsWord[std::size_t(slot)], 4) ||
            within(index, flagsWord[std::size_t(slot)], 1))
            return true;
    }
    if (index == stateFlagWord || index == stateNumberWord)
        return true;
    const auto inStyle = [index](int first) { return within(index, first, 4); };
    const auto isColour = [index](int word) { return word == index; };
    return std::any_of(textStyleWords.begin(), textStyleWords.end(), inStyle) ||
           std::any_of(colourWords.begin(), colourWords.end(), isColour);
}

const KindSpec *kindSpec(ElementKind kind) {
    for (const KindSpec &k : kinds) {
        if (k.kind == kind)
            return &k;
    }
    return nullptr;
}

const KindSpec *kindSpecForClassId(const ClassId &id) {
    for (const KindSpec &k : kinds) {
        if (k.classId == id)
            return &k;
    }
    return nullptr;
}

const KindSpec *kindSpecForName(QStringView name) {
    for (const KindSpec &k : kinds) {
        if (name == QLatin1StringView(k.name))
            return &k;
    }
    return nullptr;
}

QString kindName(ElementKind kind) {
    const KindSpec *schema = kindSpec(kind);
    return schema ? QString::fromLatin1(schema->name) : QStringLiteral("Root");
}

const ClassId &imageClassId() {
    return imageId;
}
const GroupSpec &settingsGroupSpec() {
    return settingsGroup;
}
const GroupSpec &secondGroupSpec() {
    return secondGroup;
}
const GroupSpec &nodeGroupSpec() {
    return nodeGroup;
}
const GroupSpec &layoutGroupSpec() {
    return layoutGroup;
}

const PictureLayout *pictureLayout(quint32 length) {
    for (const PictureLayout &layout : layouts) {
        if (layout.length == length)
            return &layout;
    }
    return nullptr;
}

std::span<const PictureLayout> pictureLayouts() {
    return layouts;
}

} // namespace skin
