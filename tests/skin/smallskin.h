// SPDX-License-Identifier: GPL-3.0-or-later
// A small skin built in code for the stream tests: a few settings, one 2 × 1
// image, and a root with a static (which has a static child) and a check.
#pragma once

#include "skin/skinmodel.h"

namespace skintest {

inline skin::Property prop(const char *name, skin::Value value) {
    return {QString::fromLatin1(name), std::move(value)};
}

inline skin::PropertyGroup layoutGroup(skin::Rect anchors, skin::Rect offset, skin::Rect visual) {
    return {2,
            {prop("m_Anchors", anchors), prop("m_Offset", offset), prop("m_rcVisual", visual),
             prop("m_bVisible", skin::Integer{1}), prop("m_eBlendMode", skin::Integer{0}),
             prop("m_szMin", skin::Size{}), prop("m_szMax", skin::Size{}),
             prop("m_bAffectRegion", skin::Integer{0}), prop("m_bstrTooltip", skin::Text())}};
}

inline skin::PropertyGroup nodeGroup(const QString &name) {
    return {2, {prop("m_bstrName", skin::Text(name)), prop("m_bstrTag", skin::Text())}};
}

inline skin::Element staticElement(const QString &name, const skin::Text &caption,
                                   bool withPicture) {
    skin::Picture background = skin::Picture::empty(40);
    if (withPicture)
        background.setImagePart(
            {0, QStringLiteral("tiny.bmp"), 7, {0, 0, 2, 1}, skin::Rect{1, 0, 1, 0}, 0});
    skin::Element e;
    e.kind = skin::ElementKind::Static;
    e.groups = {{2,
                 {prop("m_bstrCaption", caption), prop("m_LogFont", skin::LogFont{}),
                  prop("m_TextStyle", skin::TextStyle{0, 0x00ECE9BB, 0xCC000000, 5}),
                  prop("m_Background", background), prop("m_BackColor", skin::Integer{-1}),
                  prop("m_Type", skin::Integer{2})}},
                {2, {prop("m_OnMouseDown", skin::Action{}), prop("m_OnMouseUp", skin::Action{})}},
                {1, {}},
                layoutGroup({0, 0, 100, 0}, {0, 0, 0, 24}, {0, 0, 316, 24})};
    e.node = nodeGroup(name);
    return e;
}

inline skin::Skin smallSkin() {
    skin::Skin s;
    s.settings = {2,
                  {prop("m_bstrAuthor", skin::Text()),
                   prop("m_bstrDescription", skin::Text(QString(""))),
                   prop("m_nHue", skin::Integer{0}),
                   prop("m_BackColor", skin::ColourTriple{0x7C, 0x53, 0x05}),
                   prop("m_bApplyColors", skin::ShortFlag{0})}};
    s.secondGroup = {2, {}};
    skin::SkinImage image;
    image.width = 2;
    image.height = 1;
    image.pixels = QByteArray("\x01\x02\x03\xff\x00\x00\x00\x00", 8);
    image.name = QStringLiteral("tiny.bmp");
    s.images = {image};
    s.root.node = nodeGroup(QStringLiteral("Tiny"));

    skin::Element edge = staticElement(QStringLiteral("top_edge"), skin::Text(), false);
    edge.children.push_back(staticElement(QStringLiteral("corner"), QStringLiteral(""), true));
    s.root.children.push_back(edge);

    skin::Element check;
    check.kind = skin::ElementKind::Check;
    skin::Picture normal = skin::Picture::empty(52);
    normal.setImagePart({0, QStringLiteral("tiny.bmp"), 9, {0, 0, 1, 1}, {}, {}});
    normal.setWord(5, 1);
    normal.setWord(8, 300);
    normal.setTextStyle(0, {0, 0, 0, 4});
    check.groups = {{2,
                     {prop("m_Normal", normal), prop("m_Selected", skin::Picture::empty(52)),
                      prop("m_Type", skin::Integer{1}),
                      prop("m_bstrCaption", skin::Text(QStringLiteral("Радио ☺")))}},
                    {2, {}},
                    layoutGroup({}, {0, 0, 140, 32}, {0, 0, 140, 32})};
    check.node = nodeGroup(QStringLiteral("Radio"));
    s.root.children.push_back(check);
    return s;
}

// smallSkin() with a chain of statics under its first element down to depth
// (the root's children are at depth 1).
inline skin::Skin nestedSkin(int depth) {
    skin::Skin s = smallSkin();
    skin::Element *e = &s.root.children[0];
    for (int level = 2; level <= depth; ++level) {
        e->children = {staticElement(QStringLiteral("level"), skin::Text(), false)};
        e = &e->children[0];
    }
    return s;
}

} // namespace skintest
