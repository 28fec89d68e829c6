// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/skinreader.h"

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
    QString context;
};

class StreamReader;
// Where in the skin the reader is, taken when a read fails: the elements on
// the path are gone once the failure has unwound the reader.
QString contextOf(const StreamReader *reader);

// A view of the stream that ends at `end`: the stream's end, or the end of
// the property value being decoded. Every read checks against it first.
class Cursor {
public:
    Cursor(const uchar *data, qsizetype pos, qsizetype end) : data_(data), pos_(pos), end_(end) {}

    qsizetype pos() const { return pos_; }
    qsizetype left() const { return end_ - pos_; }
    bool atEnd() const { return pos_ == end_; }

    [[noreturn]] Q_NEVER_INLINE void fail(const QString &expected, qsizetype at = -1) const {
        throw Failure{at < 0 ? pos_ : at, expected, reader_ ? contextOf(reader_) : QString()};
    }

    void need(qsizetype count, const char *what) const {
        if (count > left()) [[unlikely]]
            failShort(count, what);
    }

    [[noreturn]] Q_NEVER_INLINE void failShort(qsizetype count, const char *what) const {
        fail(QStringLiteral("%1 (%2 bytes), but only %3 bytes are left%4")
                 .arg(QLatin1StringView(what))
                 .arg(count)
                 .arg(left())
                 .arg(end_ == streamEnd_ ? QString() : QStringLiteral(" in the value")));
    }

    quint32 u32(const char *what) {
        need(4, what);
        const auto value = qFromLittleEndian<quint32>(data_ + pos_);
        pos_ += 4;
        return value;
    }

    void expectU32(quint32 expected, const char *what) {
        const quint32 value = u32(what);
        if (value != expected) [[unlikely]]
            failValue(expected, value, what);
    }

    [[noreturn]] Q_NEVER_INLINE void failValue(quint32 expected, quint32 value,
                                               const char *what) const {
        fail(QStringLiteral("%1: u32 %2, found %3")
                 .arg(QLatin1StringView(what))
                 .arg(expected)
                 .arg(value),
             pos_ - 4);
    }

    const uchar *take(qsizetype count, const char *what) {
        need(count, what);
        const uchar *p = data_ + pos_;
        pos_ += count;
        return p;
    }

    // A text's code units: false for a null text, else the UTF-16LE bytes
    // (without the terminator) and their number of code units.
    bool textBytes(const char *what, const uchar **data, qsizetype *units) {
        const quint32 length = u32(what);
        if (length == 0)
            return false;
        if (length % 2 != 0 || qint64(length) > left()) [[unlikely]]
            failTextLength(length, what);
        const uchar *p = data_ + pos_;
        pos_ += qsizetype(length);
        *units = qsizetype(length / 2) - 1;
        if (p[2 * *units] != 0 || p[2 * *units + 1] != 0) [[unlikely]]
            fail(
                QStringLiteral("%1: a text ending in a NUL character").arg(QLatin1StringView(what)),
                pos_ - qsizetype(length) - 4);
        *data = p;
        return true;
    }

    [[noreturn]] Q_NEVER_INLINE void failTextLength(quint32 length, const char *what) const {
        if (length % 2 != 0)
            fail(QStringLiteral("%1: an even text byte length, found %2")
                     .arg(QLatin1StringView(what))
                     .arg(length),
                 pos_ - 4);
        fail(QStringLiteral("%1: text byte length %2 runs past the end (%3 bytes left)")
                 .arg(QLatin1StringView(what))
                 .arg(length)
                 .arg(left()),
             pos_ - 4);
    }

    static QString toString(const uchar *data, qsizetype units) {
        QString s(units, Qt::Uninitialized);
        qFromLittleEndian<quint16>(data, units, s.data());
        return s;
    }

    Text text(const char *what) {
        const uchar *data = nullptr;
        qsizetype units = 0;
        if (!textBytes(what, &data, &units))
            return std::nullopt;
        return toString(data, units);
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
        inner.reader_ = reader_;
        pos_ += qsizetype(length);
        return inner;
    }

    // Makes this the whole stream's cursor, reporting failures for reader.
    void setStream(const StreamReader *reader) {
        streamEnd_ = end_;
        reader_ = reader;
    }

private:
    const uchar *data_;
    qsizetype pos_;
    qsizetype end_;
    qsizetype streamEnd_ = -1;
    const StreamReader *reader_ = nullptr;
};

// True if the stored code units spell s. Lets the reader share one string
// for a name that recurs instead of allocating it again.
bool spells(const uchar *data, qsizetype units, QStringView s) {
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
    if (s.size() != units)
        return false;
    // Names are short: compare eight bytes at a time, inline.
    const auto *other = reinterpret_cast<const uchar *>(s.utf16());
    const std::size_t bytes = std::size_t(units) * 2;
    std::size_t i = 0;
    for (; i + 8 <= bytes; i += 8) {
        if (qFromUnaligned<quint64>(data + i) != qFromUnaligned<quint64>(other + i))
            return false;
    }
    for (; i < bytes; ++i) {
        if (data[i] != other[i])
            return false;
    }
    return true;
#else
    Q_UNUSED(data);
    Q_UNUSED(units);
    Q_UNUSED(s);
    return false;
#endif
}

class StreamReader {
public:
    StreamReader(QByteArrayView data, const ReadOptions &options)
        : cursor_(reinterpret_cast<const uchar *>(data.data()), 0, data.size()), options_(options) {
        cursor_.setStream(this);
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
        if (!path_.empty()) {
            QStringList steps;
            for (const Step &step : path_)
                steps << stepName(step);
            parts << steps.join(u'/');
        } else if (!section_.isEmpty()) {
            parts << section_;
        }
        if (property_)
            parts << property_->name.value_or(QStringLiteral("a property with a null name"));
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
        if (img.name)
            imageNames_.append(*img.name);
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
        path_.push_back({&root, 0});
        property_ = nullptr;
        children(root, 1);
        path_.pop_back();
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
            path_.push_back({nullptr, i});
            parent.children.push_back(element(depth));
            path_.pop_back();
        }
    }

    Element element(int depth) {
        Element e;
        path_.back().element = &e;
        property_ = nullptr;
        cursor_.expectU32(1, "an element's leading u32 1");
        const qsizetype idAt = cursor_.pos();
        ClassId id{};
        std::memcpy(id.data(), cursor_.take(16, "an element class identifier"), 16);
        const KindSpec *schema = kindSpecForClassId(id);
        if (!schema)
            cursor_.fail(QStringLiteral("a class identifier from the table of element kinds"),
                         idAt);
        e.kind = schema->kind;
        cursor_.expectU32(1, "the u32 1 before the property groups");
        e.groups.reserve(qsizetype(schema->groups.size()));
        for (const GroupSpec &g : schema->groups)
            e.groups.append(group(cursor_, g));
        property_ = nullptr;
        cursor_.expectU32(1, "the u32 1 before the node group");
        e.node = group(cursor_, nodeGroupSpec());
        property_ = nullptr;
        children(e, depth + 1);
        return e;
    }

    PropertyGroup group(Cursor &c, const GroupSpec &schema) {
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
        g.properties.resize(qsizetype(count));
        Property *properties = g.properties.data();
        for (quint32 i = 0; i < count; ++i)
            property(c, schema, qsizetype(i), properties[i]);
        return g;
    }

    void property(Cursor &c, const GroupSpec &schema, qsizetype ordinal, Property &p) {
        const uchar *data = nullptr;
        qsizetype units = 0;
        Encoding encoding = Encoding::Unknown;
        if (c.textBytes("a property name", &data, &units)) {
            // Known names share the schema's static text; properties usually
            // come in the schema's order, so the search starts there.
            const qsizetype known = qsizetype(schema.properties.size());
            qsizetype index = ordinal < known ? ordinal : 0;
            for (qsizetype k = 0; k < known && encoding == Encoding::Unknown; ++k, ++index) {
                if (index == known)
                    index = 0;
                const PropertySpec &candidate = schema.properties[std::size_t(index)];
                if (spells(data, units, candidate.nameView())) {
                    p.name = QString::fromRawData(reinterpret_cast<const QChar *>(candidate.name),
                                                  units);
                    encoding = candidate.encoding;
                }
            }
            if (encoding == Encoding::Unknown)
                p.name = Cursor::toString(data, units);
        }
        property_ = &p;
        const quint32 length = c.u32("a property value length");
        Cursor value = c.sub(length, "the property value");
        decode(value, encoding, p.value);
        if (!value.atEnd())
            value.fail(QStringLiteral("the end of the value (length %1), but %2 bytes are left")
                           .arg(length)
                           .arg(value.left()));
        property_ = nullptr;
    }

    // The value of a fixed-size encoding: u32 size, then size bytes.
    static const uchar *sized(Cursor &c, quint32 size, const char *what) {
        c.expectU32(size, what);
        return c.take(qsizetype(size), what);
    }

    static qint32 i32(const uchar *p, int index) {
        return qFromLittleEndian<qint32>(p + qsizetype(index) * 4);
    }
    static quint32 u32(const uchar *p, int index) {
        return qFromLittleEndian<quint32>(p + qsizetype(index) * 4);
    }

    // Decodes a value into v, constructing the alternative in place.
    void decode(Cursor &c, Encoding encoding, Value &v) {
        switch (encoding) {
        case Encoding::Text:
            v.emplace<Text>(sharedText(c));
            return;
        case Encoding::Integer:
            v.emplace<Integer>(Integer{i32(sized(c, 4, "an integer value"), 0)});
            return;
        case Encoding::ShortFlag:
            v.emplace<ShortFlag>(
                ShortFlag{qFromLittleEndian<quint16>(sized(c, 2, "a short flag value"))});
            return;
        case Encoding::ColourTriple: {
            const uchar *p = sized(c, 3, "a colour triple value");
            v.emplace<ColourTriple>(ColourTriple{p[0], p[1], p[2]});
            return;
        }
        case Encoding::Rectangle: {
            const uchar *p = sized(c, 16, "a rectangle value");
            v.emplace<Rect>(Rect{i32(p, 0), i32(p, 1), i32(p, 2), i32(p, 3)});
            return;
        }
        case Encoding::Size: {
            const uchar *p = sized(c, 8, "a size value");
            v.emplace<Size>(Size{i32(p, 0), i32(p, 1)});
            return;
        }
        case Encoding::Font:
            std::memcpy(v.emplace<LogFont>().bytes.data(), sized(c, 60, "a font value"), 60);
            return;
        case Encoding::TextStyle: {
            const uchar *p = sized(c, 16, "a text style value");
            v.emplace<TextStyle>(TextStyle{u32(p, 0), u32(p, 1), u32(p, 2), u32(p, 3)});
            return;
        }
        case Encoding::Action: {
            const uchar *p = c.take(12, "an action value");
            v.emplace<Action>(Action{{u32(p, 0), u32(p, 1), u32(p, 2)}});
            return;
        }
        case Encoding::Picture:
            picture(c, v.emplace<Picture>());
            return;
        case Encoding::Unknown:
            break;
        }
        const qsizetype size = c.left();
        const uchar *p = c.take(size, "the value");
        v.emplace<RawValue>(RawValue{QByteArray(reinterpret_cast<const char *>(p), size)});
    }

    // Text values recur (element names such as "SkinStatic Object"): the
    // first few distinct ones are kept and shared.
    Text sharedText(Cursor &c) {
        const uchar *data = nullptr;
        qsizetype units = 0;
        if (!c.textBytes("a text value", &data, &units))
            return std::nullopt;
        for (const QString &seen : seenTexts_) {
            if (spells(data, units, seen))
                return seen;
        }
        QString text = Cursor::toString(data, units);
        if (seenTexts_.size() < 16)
            seenTexts_.append(text);
        return text;
    }

    // A slot names an image of the table: share the table's name.
    Text slotName(Cursor &c) {
        const uchar *data = nullptr;
        qsizetype units = 0;
        if (!c.textBytes("an image slot name", &data, &units))
            return std::nullopt;
        for (const QString &name : imageNames_) {
            if (spells(data, units, name))
                return name;
        }
        return Cursor::toString(data, units);
    }

    void picture(Cursor &c, Picture &picture) {
        c.expectU32(1, "a picture value's leading u32 1");
        const quint32 length = c.u32("the length of a picture's fixed part");
        Cursor fixed = c.sub(length, "the picture's fixed part");
        const uchar *p = fixed.take(fixed.left(), "the fixed part");
        picture.setFixedPart(QByteArrayView(p, qsizetype(length)));
        if (const PictureLayout *layout = pictureLayout(length)) {
            for (int slot = 0; slot < layout->slotCount; ++slot)
                picture.appendSlot(slotName(c));
        } else {
            // A layout we do not know: its slot names fill the rest of the value.
            while (!c.atEnd())
                picture.appendSlot(slotName(c));
        }
    }

    Cursor cursor_;
    ReadOptions options_;
    // The elements being read, from the root down; an element's name is
    // known only once its node group is read.
    struct Step {
        const Element *element;
        quint32 index;
    };
    static QString stepName(const Step &step) {
        if (step.element && !step.element->node.properties.isEmpty())
            return step.element->name();
        if (step.element && step.element->kind != ElementKind::Root)
            return QStringLiteral("#%1 %2").arg(step.index).arg(kindName(step.element->kind));
        return QStringLiteral("#%1").arg(step.index);
    }

    std::vector<Step> path_;
    QList<QString> imageNames_;
    QList<QString> seenTexts_;
    QString section_;                    // the part of the stream before the tree
    const Property *property_ = nullptr; // the property being read, if any
};

QString contextOf(const StreamReader *reader) {
    return reader->context();
}

} // namespace

std::optional<Skin> readSkinStream(QByteArrayView data, ReadError *error,
                                   const ReadOptions &options) {
    StreamReader reader(data, options);
    try {
        return reader.read();
    } catch (const Failure &failure) {
        if (error)
            *error = {failure.offset, failure.expected, failure.context};
        return std::nullopt;
    }
}

} // namespace skin
