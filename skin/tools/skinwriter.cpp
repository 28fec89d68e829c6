// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/tools/skinwriter.h"

#include "skin/skinreader.h"

#include <QtEndian>

namespace skin {
namespace {

class StreamWriter {
public:
    QByteArray take() { return std::move(out_); }

    void skin(const Skin &s) {
        u32(1);
        group(s.settings);
        group(s.secondGroup);
        u32(s.imageTableTag);
        u32(quint32(s.images.size()));
        for (const SkinImage &i : s.images)
            image(i);
        u32(s.afterImages);
        u32(1);
        group(s.root.node);
        children(s.root);
    }

private:
    void u32(quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        out_.append(b, 4);
    }
    void i32(qint32 v) { u32(quint32(v)); }
    void bytes(const void *p, qsizetype n) { out_.append(static_cast<const char *>(p), n); }
    void classId(const ClassId &id) { bytes(id.data(), qsizetype(id.size())); }

    void text(const Text &t) {
        if (!t) {
            u32(0);
            return;
        }
        u32(quint32((t->size() + 1) * 2));
        const qsizetype at = out_.size();
        out_.resize(at + (t->size() + 1) * 2);
        qToLittleEndian<quint16>(t->utf16(), t->size(), out_.data() + at);
        out_[out_.size() - 2] = 0;
        out_[out_.size() - 1] = 0;
    }

    void image(const SkinImage &i) {
        u32(1);
        classId(imageClassId());
        u32(2);
        u32(i.width);
        u32(i.height);
        u32(0);
        out_.append(i.pixels);
        text(i.name);
    }

    void children(const Element &parent) {
        u32(quint32(parent.children.size()));
        for (const Element &child : parent.children)
            element(child);
    }

    void element(const Element &e) {
        u32(1);
        const KindSpec *schema = kindSpec(e.kind);
        classId(schema ? schema->classId : ClassId{});
        u32(1);
        for (const PropertyGroup &g : e.groups)
            group(g);
        u32(1);
        group(e.node);
        children(e);
    }

    void group(const PropertyGroup &g) {
        u32(g.version);
        u32(quint32(g.properties.size()));
        for (const Property &p : g.properties)
            property(p);
    }

    void property(const Property &p) {
        text(p.name);
        const qsizetype lengthAt = out_.size();
        u32(0); // patched below, once the value is written
        std::visit([this](const auto &v) { value(v); }, p.value);
        const auto length = quint32(out_.size() - lengthAt - 4);
        qToLittleEndian(length, out_.data() + lengthAt);
    }

    void value(const Text &t) { text(t); }
    void value(const Integer &v) {
        u32(4);
        i32(v.value);
    }
    void value(const ShortFlag &v) {
        u32(2);
        char b[2];
        qToLittleEndian(v.value, b);
        bytes(b, 2);
    }
    void value(const ColourTriple &c) {
        u32(3);
        const quint8 b[3] = {c.blue, c.green, c.red};
        bytes(b, 3);
    }
    void value(const Rect &r) {
        u32(16);
        i32(r.left);
        i32(r.top);
        i32(r.right);
        i32(r.bottom);
    }
    void value(const Size &s) {
        u32(8);
        i32(s.width);
        i32(s.height);
    }
    void value(const LogFont &f) {
        u32(60);
        bytes(f.bytes.data(), qsizetype(f.bytes.size()));
    }
    void value(const TextStyle &s) {
        u32(16);
        u32(s.style);
        u32(s.textColour);
        u32(s.secondColour);
        u32(s.format);
    }
    void value(const Action &a) {
        for (quint32 w : a.words)
            u32(w);
    }
    void value(const Picture &p) {
        u32(1);
        u32(p.layoutLength());
        out_.append(p.fixedPart());
        for (int slot = 0; slot < p.slotCount(); ++slot)
            text(p.slotName(slot));
    }
    void value(const RawValue &r) { out_.append(r.bytes); }

    QByteArray out_;
};

// The path of the first element nested deeper than MaxElementDepth, if any.
std::optional<QString> tooDeep(const Element &parent, const QString &path, int depth) {
    for (const Element &child : parent.children) {
        const QString childPath = path + QLatin1Char('/') + child.name();
        if (depth + 1 > MaxElementDepth)
            return childPath;
        if (std::optional<QString> deeper = tooDeep(child, childPath, depth + 1))
            return deeper;
    }
    return std::nullopt;
}

} // namespace

QByteArray writeSkinStream(const Skin &skin) {
    StreamWriter writer;
    writer.skin(skin);
    return writer.take();
}

std::optional<QByteArray> writeReadableSkinStream(const Skin &skin, QString *error) {
    // Depth first: it has a clearer message than the reader's, and spares
    // writing a tree the reader stops in.
    if (const std::optional<QString> path = tooDeep(skin.root, skin.root.name(), 0)) {
        *error = QStringLiteral("%1 is nested %2 deep, and a stream holds elements at most %3 deep")
                     .arg(*path)
                     .arg(MaxElementDepth + 1)
                     .arg(MaxElementDepth);
        return std::nullopt;
    }
    QByteArray stream = writeSkinStream(skin);
    ReadError readError;
    const std::optional<Skin> back = readSkinStream(stream, &readError);
    if (!back) {
        *error = QStringLiteral("the stream would not read back: %1").arg(readError.message());
        return std::nullopt;
    }
    if (!(*back == skin)) {
        *error = QStringLiteral("the stream would read back as another skin");
        return std::nullopt;
    }
    return stream;
}

} // namespace skin
