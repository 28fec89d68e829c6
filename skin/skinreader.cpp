#include "skinreader.h"

#include <QtEndian>

#include <cstring>

namespace skin {

QString ReadError::message() const {
    QString text = QStringLiteral("offset %1: %2").arg(offset).arg(expected);
    if (!context.isEmpty())
        text += QStringLiteral(" (in %1)").arg(context);
    return text;
}

namespace {

struct Failure {
    qint64 offset;
    QString expected;
};

// A view of the stream that ends at `end`: the stream's end, or the end of
// the property value being decoded. Every read checks against it first.
class Cursor {
public:
    Cursor(const uchar *data, qsizetype pos, qsizetype end) : data_(data), pos_(pos), end_(end) {}

    qsizetype pos() const { return pos_; }
    qsizetype left() const { return end_ - pos_; }
    bool atEnd() const { return pos_ == end_; }

    [[noreturn]] void fail(const QString &expected, qsizetype at = -1) const {
        throw Failure{at < 0 ? pos_ : at, expected};
    }

    void need(qsizetype count, const char *what) const {
        if (count > left()) {
            fail(QStringLiteral("%1 (%2 bytes), but only %3 bytes are left%4")
                     .arg(QLatin1StringView(what))
                     .arg(count)
                     .arg(left())
                     .arg(end_ == streamEnd_ ? QString() : QStringLiteral(" in the value")));
        }
    }

    quint32 u32(const char *what) {
        need(4, what);
        const auto value = qFromLittleEndian<quint32>(data_ + pos_);
        pos_ += 4;
        return value;
    }

    void expectU32(quint32 expected, const char *what) {
        const qsizetype at = pos_;
        const quint32 value = u32(what);
        if (value != expected)
            fail(QStringLiteral("%1: u32 %2, found %3")
                     .arg(QLatin1StringView(what))
                     .arg(expected)
                     .arg(value),
                 at);
    }

    const uchar *take(qsizetype count, const char *what) {
        need(count, what);
        const uchar *p = data_ + pos_;
        pos_ += count;
        return p;
    }

    Text text(const char *what) {
        const qsizetype at = pos_;
        const quint32 length = u32(what);
        if (length == 0)
            return std::nullopt;
        if (length % 2 != 0)
            fail(QStringLiteral("%1: an even text byte length, found %2")
                     .arg(QLatin1StringView(what))
                     .arg(length),
                 at);
        if (qint64(length) > left())
            fail(QStringLiteral("%1: text byte length %2 runs past the end (%3 bytes left)")
                     .arg(QLatin1StringView(what))
                     .arg(length)
                     .arg(left()),
                 at);
        const uchar *p = take(qsizetype(length), what);
        const qsizetype units = qsizetype(length / 2) - 1;
        if (p[2 * units] != 0 || p[2 * units + 1] != 0)
            fail(
                QStringLiteral("%1: a text ending in a NUL character").arg(QLatin1StringView(what)),
                at);
        QString s(units, Qt::Uninitialized);
        qFromLittleEndian<quint16>(p, units, s.data());
        return s;
    }

    // A cursor over the next `length` bytes, which this cursor skips.
    Cursor sub(quint32 length, const char *what) {
        if (qint64(length) > left())
            fail(QStringLiteral("%1: length %2 runs past the end (%3 bytes left)")
                     .arg(QLatin1StringView(what))
                     .arg(length)
                     .arg(left()));
        Cursor inner(data_, pos_, pos_ + qsizetype(length));
        inner.streamEnd_ = streamEnd_;
        pos_ += qsizetype(length);
        return inner;
    }

    void setStreamEnd() { streamEnd_ = end_; }

private:
    const uchar *data_;
    qsizetype pos_;
    qsizetype end_;
    qsizetype streamEnd_ = -1;
};

class StreamReader {
public:
    StreamReader(QByteArrayView data, const ReadOptions &options)
        : cursor_(reinterpret_cast<const uchar *>(data.data()), 0, data.size()), options_(options) {
        cursor_.setStreamEnd();
    }

    Skin read() {
        Skin skin;
        cursor_.expectU32(1, "the stream's leading u32 1");
        section_ = QStringLiteral("control settings");
        skin.settings = group(cursor_, settingsGroupSpec());
        section_ = QStringLiteral("the group after the control settings");
        skin.secondGroup = group(cursor_, secondGroupSpec());
        section_ = QStringLiteral("image table");
        skin.imageTableTag = cursor_.u32("the u32 before the image count");
        const quint32 count = cursor_.u32("the image count");
        constexpr qsizetype minimumImageBytes = 40;
        if (qint64(count) > cursor_.left() / minimumImageBytes)
            cursor_.fail(QStringLiteral("room for %1 images, but only %2 bytes are left")
                             .arg(count)
                             .arg(cursor_.left()),
                         cursor_.pos() - 4);
        for (quint32 i = 0; i < count; ++i)
            skin.images.append(image(i));
        section_ = QStringLiteral("after the image table");
        skin.afterImages = cursor_.u32("the u32 after the image table");
        skin.root = rootNode();
        section_.clear();
        if (!cursor_.atEnd())
            cursor_.fail(QStringLiteral("the end of the stream after the last element, "
                                        "but %1 bytes are left")
                             .arg(cursor_.left()));
        return skin;
    }

    QString context() const {
        QStringList parts;
        if (!path_.isEmpty())
            parts << path_.join(u'/');
        else if (!section_.isEmpty())
            parts << section_;
        if (!property_.isEmpty())
            parts << property_;
        return parts.join(QStringLiteral(", "));
    }

private:
    SkinImage image(quint32 index) {
        section_ = QStringLiteral("image %1").arg(index);
        SkinImage img;
        cursor_.expectU32(1, "an image's leading u32 1");
        classId(imageClassId(), "the image class identifier");
        cursor_.expectU32(2, "the image format");
        const qsizetype sizeAt = cursor_.pos();
        img.width = cursor_.u32("the image width");
        img.height = cursor_.u32("the image height");
        cursor_.expectU32(0, "the u32 0 before the pixels");
        const quint64 pixelCount = quint64(img.width) * img.height;
        if (pixelCount > quint64(cursor_.left() / 4))
            cursor_.fail(QStringLiteral("%1 × %2 pixels, but only %3 bytes are left")
                             .arg(img.width)
                             .arg(img.height)
                             .arg(cursor_.left()),
                         sizeAt);
        const qsizetype bytes = qsizetype(pixelCount * 4);
        const uchar *pixels = cursor_.take(bytes, "the pixels");
        img.pixels = QByteArray(reinterpret_cast<const char *>(pixels), bytes);
        img.name = cursor_.text("the image name");
        return img;
    }

    void classId(const ClassId &expected, const char *what) {
        const qsizetype at = cursor_.pos();
        const uchar *p = cursor_.take(16, what);
        if (std::memcmp(p, expected.data(), 16) != 0)
            cursor_.fail(QLatin1StringView(what), at);
    }

    Element rootNode() {
        Element root;
        root.kind = ElementKind::Root;
        section_ = QStringLiteral("root node");
        cursor_.expectU32(1, "the root node's leading u32 1");
        root.node = group(cursor_, nodeGroupSpec());
        path_.append(root.name());
        property_.clear();
        children(root, 1);
        path_.removeLast();
        return root;
    }

    void children(Element &parent, int depth) {
        const qsizetype at = cursor_.pos();
        const quint32 count = cursor_.u32("a child count");
        if (qint64(count) > cursor_.left() / MinimumElementBytes)
            cursor_.fail(QStringLiteral("a child count the remaining %1 bytes can hold, found %2")
                             .arg(cursor_.left())
                             .arg(count),
                         at);
        if (count > 0 && depth > options_.maxDepth)
            cursor_.fail(QStringLiteral("elements nested at most %1 deep").arg(options_.maxDepth),
                         at);
        parent.children.reserve(count);
        for (quint32 i = 0; i < count; ++i) {
            path_.append(QStringLiteral("#%1").arg(i));
            parent.children.push_back(element(depth));
            path_.removeLast();
        }
    }

    Element element(int depth) {
        Element e;
        property_.clear();
        cursor_.expectU32(1, "an element's leading u32 1");
        const qsizetype idAt = cursor_.pos();
        ClassId id{};
        std::memcpy(id.data(), cursor_.take(16, "an element class identifier"), 16);
        const KindSpec *spec = kindSpecForClassId(id);
        if (!spec)
            cursor_.fail(QStringLiteral("a class identifier from the table of element kinds"),
                         idAt);
        e.kind = spec->kind;
        cursor_.expectU32(1, "the u32 1 before the property groups");
        // The name comes after the groups; until then the path shows the kind.
        path_.last() += QStringLiteral(" ") + QLatin1StringView(spec->name);
        for (const GroupSpec &g : spec->groups)
            e.groups.append(group(cursor_, g));
        property_.clear();
        cursor_.expectU32(1, "the u32 1 before the node group");
        e.node = group(cursor_, nodeGroupSpec());
        path_.last() = e.name();
        property_.clear();
        children(e, depth + 1);
        return e;
    }

    PropertyGroup group(Cursor &c, const GroupSpec &spec) {
        PropertyGroup g;
        g.version = c.u32("a property group version");
        const qsizetype at = c.pos();
        const quint32 count = c.u32("a property count");
        constexpr qsizetype minimumPropertyBytes = 8;
        if (qint64(count) > c.left() / minimumPropertyBytes)
            c.fail(QStringLiteral("a property count the remaining %1 bytes can hold, found %2")
                       .arg(c.left())
                       .arg(count),
                   at);
        g.properties.reserve(count);
        for (quint32 i = 0; i < count; ++i)
            g.properties.append(property(c, spec));
        return g;
    }

    Property property(Cursor &c, const GroupSpec &spec) {
        Property p;
        p.name = c.text("a property name");
        property_ = p.name ? *p.name : QStringLiteral("a property with a null name");
        const quint32 length = c.u32("a property value length");
        Cursor value = c.sub(length, "the property value");
        const Encoding encoding = p.name ? spec.encodingOf(*p.name) : Encoding::Unknown;
        p.value = decode(value, encoding);
        if (!value.atEnd())
            value.fail(QStringLiteral("the end of the value (length %1), but %2 bytes are left")
                           .arg(length)
                           .arg(value.left()));
        property_.clear();
        return p;
    }

    // The value of a fixed-size encoding: u32 size, then size bytes.
    static const uchar *sized(Cursor &c, quint32 size, const char *what) {
        c.expectU32(size, what);
        return c.take(qsizetype(size), what);
    }

    static qint32 i32(const uchar *p, int index) {
        return qFromLittleEndian<qint32>(p + 4 * index);
    }
    static quint32 u32(const uchar *p, int index) {
        return qFromLittleEndian<quint32>(p + 4 * index);
    }

    Value decode(Cursor &c, Encoding encoding) {
        switch (encoding) {
        case Encoding::Text:
            return c.text("a text value");
        case Encoding::Integer:
            return Integer{i32(sized(c, 4, "an integer value"), 0)};
        case Encoding::ShortFlag: {
            const uchar *p = sized(c, 2, "a short flag value");
            return ShortFlag{qFromLittleEndian<quint16>(p)};
        }
        case Encoding::ColourTriple: {
            const uchar *p = sized(c, 3, "a colour triple value");
            return ColourTriple{p[0], p[1], p[2]};
        }
        case Encoding::Rectangle: {
            const uchar *p = sized(c, 16, "a rectangle value");
            return Rect{i32(p, 0), i32(p, 1), i32(p, 2), i32(p, 3)};
        }
        case Encoding::Size: {
            const uchar *p = sized(c, 8, "a size value");
            return Size{i32(p, 0), i32(p, 1)};
        }
        case Encoding::Font: {
            LogFont font;
            std::memcpy(font.bytes.data(), sized(c, 60, "a font value"), 60);
            return font;
        }
        case Encoding::TextStyle: {
            const uchar *p = sized(c, 16, "a text style value");
            return TextStyle{u32(p, 0), u32(p, 1), u32(p, 2), u32(p, 3)};
        }
        case Encoding::Action: {
            const uchar *p = c.take(12, "an action value");
            return Action{{u32(p, 0), u32(p, 1), u32(p, 2)}};
        }
        case Encoding::Picture:
            return picture(c);
        case Encoding::Unknown:
            break;
        }
        const qsizetype size = c.left();
        const uchar *p = c.take(size, "the value");
        return RawValue{QByteArray(reinterpret_cast<const char *>(p), size)};
    }

    static Picture picture(Cursor &c) {
        c.expectU32(1, "a picture value's leading u32 1");
        const quint32 length = c.u32("the length of a picture's fixed part");
        Cursor fixed = c.sub(length, "the picture's fixed part");
        const uchar *p = fixed.take(fixed.left(), "the fixed part");
        QByteArray fixedPart(reinterpret_cast<const char *>(p), qsizetype(length));
        QList<Text> names;
        if (const PictureLayout *layout = pictureLayout(length)) {
            for (int slot = 0; slot < layout->slotCount; ++slot)
                names.append(c.text("an image slot name"));
        } else {
            // A layout we do not know: its slot names fill the rest of the value.
            while (!c.atEnd())
                names.append(c.text("an image slot name"));
        }
        return {std::move(fixedPart), std::move(names)};
    }

    Cursor cursor_;
    ReadOptions options_;
    QStringList path_; // element path while reading the tree
    QString section_;  // the part of the stream before the tree
    QString property_; // the property being read, if any
};

} // namespace

std::optional<Skin> readSkinStream(QByteArrayView data, ReadError *error,
                                   const ReadOptions &options) {
    StreamReader reader(data, options);
    try {
        return reader.read();
    } catch (const Failure &failure) {
        if (error)
            *error = {failure.offset, failure.expected, reader.context()};
        return std::nullopt;
    }
}

} // namespace skin
