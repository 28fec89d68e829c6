// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a skin stream into a skin::Skin.
//
// The reader checks every length against the bytes that are left before it
// reads or allocates anything, so a damaged stream gives a ReadError naming
// the offset and what was expected there, never a crash or a read past the
// end. Properties a group's schema does not list are kept as raw values, so
// that writing the skin back gives the same bytes.
#pragma once

#include "skin/skinmodel.h"

#include <QByteArrayView>
#include <QString>

#include <optional>

namespace skin {

struct ReadError {
    qint64 offset = 0; // byte offset in the stream where reading failed
    QString expected;  // what the reader expected there, and what it found
    QString context;   // where in the skin: element path and property, if any

    // "offset 1234: expected ... (in Web-II/Form/top_edge, m_Background)"
    QString message() const;
};

// Elements nested deeper than this are rejected (the root's children are at
// depth 1; the stored skin goes to depth 4).
inline constexpr int MaxElementDepth = 32;

struct ReadOptions {
    int maxDepth = MaxElementDepth;
};

// Reads a whole stream: it must end exactly after the last element.
std::optional<Skin> readSkinStream(QByteArrayView data, ReadError *error = nullptr,
                                   const ReadOptions &options = {});

} // namespace skin
