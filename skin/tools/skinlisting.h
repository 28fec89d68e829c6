// SPDX-License-Identifier: GPL-3.0-or-later
// A skin as a flat, readable listing: one entry per value, keyed by where it
// lies ("Web-II/Form/top_edge  m_Type"). The skin tool prints it as a dump,
// and compares two listings to report every difference between two skins.
// Picture handles are left out: they carry no meaning.
#pragma once

#include "skin/skinmodel.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace skin {

struct ListingEntry {
    QString key;
    QString value;
};

// A value as text: texts quoted (null as "null"), integers in decimal
// (hexadecimal from 0x10000 up in magnitude), rectangles as (l, t, r, b),
// pictures as their layout, image parts, states, text styles and colours.
QString describeValue(const Value &value);
QString describeText(const Text &text);

// Every value of the skin, in stream order; images by name, size and a
// checksum of their pixels. Elements are named by path, with "[n]" after
// a name that several children of one parent share.
QList<ListingEntry> skinListing(const Skin &skin);

// One line per difference, in the order of the expected skin's listing:
// "<key>: expected <value>, found <value>", or "missing"/"unexpected".
QStringList compareSkins(const Skin &expected, const Skin &actual);

} // namespace skin
