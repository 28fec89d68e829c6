// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/tools/skinsource.h"

#include "skin/tools/skinlisting.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QSet>

#include <cmath>

namespace skin {
namespace {

// ---- Writing: a small ordered JSON tree, printed one short value per line.

struct Json {
    enum class Type { Literal, Array, Object };
    Type type = Type::Literal;
    QString literal;
    QList<QString> keys;
    QList<Json> items;

    static Json lit(QString s) { return {Type::Literal, std::move(s), {}, {}}; }
    static Json array() { return {Type::Array, {}, {}, {}}; }
    static Json object() { return {Type::Object, {}, {}, {}}; }
    Json &add(Json item) {
        items.append(std::move(item));
        return *this;
    }
    Json &add(const QString &key, Json item) {
        keys.append(key);
        items.append(std::move(item));
        return *this;
    }
};

QString quote(const QString &s) {
    const QByteArray compact = QJsonDocument(QJsonArray{s}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(compact.mid(1, compact.size() - 2));
}

Json str(const QString &s) {
    return Json::lit(quote(s));
}
Json num(qint64 v) {
    return Json::lit(QString::number(v));
}
Json text(const Text &t) {
    return t ? str(*t) : Json::lit(QStringLiteral("null"));
}

// Integers from 0x10000 up in magnitude are written as their 32-bit pattern.
Json word(qint64 v) {
    if (v >= 0x10000 || v <= -0x10000)
        return str(QStringLiteral("0x") +
                   QString::number(quint32(v), 16).toUpper().rightJustified(8, QLatin1Char('0')));
    return num(v);
}

Json words(std::initializer_list<qint64> values) {
    Json a = Json::array();
    for (qint64 v : values)
        a.add(word(v));
    return a;
}

Json rect(const Rect &r) {
    return words({r.left, r.top, r.right, r.bottom});
}

QString compact(const Json &j) {
    if (j.type == Json::Type::Literal)
        return j.literal;
    QStringList parts;
    for (int i = 0; i < j.items.size(); ++i) {
        const QString v = compact(j.items[i]);
        parts << (j.type == Json::Type::Object ? quote(j.keys[i]) + QStringLiteral(": ") + v : v);
    }
    return j.type == Json::Type::Array
               ? QLatin1Char('[') + parts.join(QStringLiteral(", ")) + QLatin1Char(']')
               : QLatin1Char('{') + parts.join(QStringLiteral(", ")) + QLatin1Char('}');
}

void print(const Json &j, int indent, QString &out) {
    const QString one = compact(j);
    if (j.type == Json::Type::Literal || indent + one.size() <= 100 || j.items.isEmpty()) {
        out += one;
        return;
    }
    const bool isArray = j.type == Json::Type::Array;
    if (isArray && j.items.size() == 2 && j.items[0].type == Json::Type::Literal) {
        // A [name, value] pair keeps its name on the opening line.
        out += QLatin1Char('[') + j.items[0].literal + QStringLiteral(", ");
        print(j.items[1], indent, out);
        out += QLatin1Char(']');
        return;
    }
    out += isArray ? QLatin1Char('[') : QLatin1Char('{');
    out += QLatin1Char('\n');
    const QString pad(indent + 2, QLatin1Char(' '));
    for (int i = 0; i < j.items.size(); ++i) {
        out += pad;
        if (!isArray)
            out += quote(j.keys[i]) + QStringLiteral(": ");
        print(j.items[i], indent + 2, out);
        out += i + 1 < j.items.size() ? QStringLiteral(",\n") : QStringLiteral("\n");
    }
    out += QString(indent, QLatin1Char(' '));
    out += isArray ? QLatin1Char(']') : QLatin1Char('}');
}

Json picture(const Picture &p) {
    Json o = Json::object();
    o.add(QStringLiteral("layout"), num(p.layoutLength()));
    const PictureLayout *layout = p.layout();
    Json slotList = Json::array();
    if (!layout) {
        o.add(QStringLiteral("fixed"),
              str(QString::fromLatin1(p.fixedPart().toByteArray().toHex())));
        for (const Text &name : p.slotNames())
            slotList.add(Json::object().add(QStringLiteral("image"), text(name)));
        o.add(QStringLiteral("slots"), slotList);
        return o;
    }
    for (const ImagePart &part : p.imageParts()) {
        Json s = Json::object();
        s.add(QStringLiteral("image"), text(part.imageName));
        const bool placed = layout->partWord[std::size_t(part.slot)] >= 0;
        if (placed && !(part.isEmpty() && part.source.isZero()))
            s.add(QStringLiteral("source"), rect(part.source));
        if (part.margins && !(part.isEmpty() && part.margins->isZero()))
            s.add(QStringLiteral("margins"), rect(*part.margins));
        if (part.flags && *part.flags != 0)
            s.add(QStringLiteral("flags"), word(*part.flags));
        slotList.add(s);
    }
    o.add(QStringLiteral("slots"), slotList);
    if (p.stateFlag()) {
        o.add(QStringLiteral("stateFlag"), word(*p.stateFlag()));
        o.add(QStringLiteral("stateNumber"), word(p.stateNumber().value_or(0)));
    }
    const QList<TextStyle> styles = p.textStyles();
    if (!styles.isEmpty()) {
        Json a = Json::array();
        for (const TextStyle &s : styles)
            a.add(words({s.style, s.textColour, s.secondColour, s.format}));
        o.add(QStringLiteral("textStyles"), a);
    }
    const QList<quint32> colours = p.colours();
    if (!colours.isEmpty()) {
        Json a = Json::array();
        for (quint32 c : colours)
            a.add(word(c));
        o.add(QStringLiteral("colours"), a);
    }
    Json other = Json::object();
    for (int w = 0; w < p.wordCount(); ++w) {
        if (!layout->isKnownWord(w) && p.word(w) != 0)
            other.add(QString::number(w), word(p.word(w)));
    }
    if (!other.items.isEmpty())
        o.add(QStringLiteral("otherWords"), other);
    return o;
}

struct ValueToJson {
    Json operator()(const Text &t) const { return text(t); }
    Json operator()(const Integer &i) const { return word(i.value); }
    Json operator()(const ShortFlag &f) const { return num(f.value); }
    Json operator()(const ColourTriple &c) const {
        return str(
            QStringLiteral("#%1").arg(c.rgb() & 0xFFFFFF, 6, 16, QLatin1Char('0')).toUpper());
    }
    Json operator()(const Rect &r) const { return rect(r); }
    Json operator()(const Size &s) const { return words({s.width, s.height}); }
    Json operator()(const LogFont &f) const {
        if (f.isZero())
            return str(QStringLiteral("zeros"));
        return str(QString::fromLatin1(
            QByteArray(reinterpret_cast<const char *>(f.bytes.data()), 60).toHex()));
    }
    Json operator()(const TextStyle &s) const {
        return words({s.style, s.textColour, s.secondColour, s.format});
    }
    Json operator()(const Action &a) const { return words({a.words[0], a.words[1], a.words[2]}); }
    Json operator()(const Picture &p) const { return picture(p); }
    Json operator()(const RawValue &r) const {
        return Json::object().add(QStringLiteral("raw"), str(QString::fromLatin1(r.bytes.toHex())));
    }
};

Json group(const PropertyGroup &g) {
    Json props = Json::array();
    for (const Property &p : g.properties)
        props.add(Json::array().add(text(p.name)).add(std::visit(ValueToJson{}, p.value)));
    return Json::object()
        .add(QStringLiteral("version"), num(g.version))
        .add(QStringLiteral("properties"), props);
}

// The node group of the usual form is written as "name" and "tag".
bool isPlainNode(const PropertyGroup &node) {
    return node.version == 2 && node.properties.size() == 2 &&
           node.properties[0].hasName(props::m_bstrName) &&
           std::holds_alternative<Text>(node.properties[0].value) &&
           node.properties[1].hasName(props::m_bstrTag) &&
           std::holds_alternative<Text>(node.properties[1].value);
}

Json element(const Element &e) {
    Json o = Json::object();
    if (e.kind != ElementKind::Root)
        o.add(QStringLiteral("kind"), str(kindName(e.kind)));
    if (isPlainNode(e.node)) {
        o.add(QStringLiteral("name"), text(std::get<Text>(e.node.properties[0].value)));
        o.add(QStringLiteral("tag"), text(std::get<Text>(e.node.properties[1].value)));
    } else {
        o.add(QStringLiteral("node"), group(e.node));
    }
    if (e.kind != ElementKind::Root) {
        Json groups = Json::array();
        for (const PropertyGroup &g : e.groups)
            groups.add(group(g));
        o.add(QStringLiteral("groups"), groups);
    }
    Json children = Json::array();
    for (const Element &c : e.children)
        children.add(element(c));
    o.add(QStringLiteral("children"), children);
    return o;
}

// ---- Reading: every mistake becomes an error naming where it is.

struct SourceError {
    QString message;
};

// Only ASCII 0-9, a-f and A-F are hexadecimal digits in a source:
// QChar::isDigit takes any script's digits, and QString::toUInt a sign,
// spaces and a second "0x" too.
bool isHexDigit(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F');
}

bool isHexNumber(QStringView digits) {
    return !digits.isEmpty() && std::all_of(digits.begin(), digits.end(), isHexDigit);
}

class SourceReader {
public:
    explicit SourceReader(QString baseDir) : baseDir_(std::move(baseDir)) {}

    Skin skin(const QJsonObject &o) {
        Skin s;
        where_ = QStringLiteral("settings");
        s.settings = group(member(o, "settings").toObject(), settingsGroupSpec());
        where_ = QStringLiteral("secondGroup");
        s.secondGroup = group(member(o, "secondGroup").toObject(), secondGroupSpec());
        where_ = QStringLiteral("images");
        s.imageTableTag = u32(member(o, "imageTableTag"));
        for (const auto &v : array(member(o, "images")))
            s.images.append(image(v.toObject()));
        s.afterImages = u32(member(o, "afterImages"));
        where_ = QStringLiteral("root");
        s.root = element(member(o, "root").toObject(), true);
        return s;
    }

private:
    [[noreturn]] void fail(const QString &what) const {
        throw SourceError{where_ + QStringLiteral(": ") + what};
    }

    QJsonValue member(const QJsonObject &o, const char *key) const {
        QJsonValue v = o.value(QLatin1StringView(key));
        if (v.isUndefined())
            fail(QStringLiteral("missing \"%1\"").arg(QLatin1StringView(key)));
        return v;
    }

    QJsonArray array(const QJsonValue &v) const {
        if (!v.isArray())
            fail(QStringLiteral("expected an array"));
        return v.toArray();
    }

    qint64 integer(const QJsonValue &v, qint64 min, qint64 max) const {
        qint64 value = 0;
        if (v.isString() && v.toString().startsWith(QStringLiteral("0x"))) {
            const QString digits = v.toString().mid(2);
            bool ok = isHexNumber(digits);
            value = ok ? qint64(digits.toUInt(&ok, 16)) : 0;
            if (!ok)
                fail(QStringLiteral("bad hexadecimal number %1").arg(v.toString()));
            if (min < 0 && value > max) // a 32-bit pattern for a signed field
                value -= qint64(1) << 32;
        } else if (v.isDouble() && std::trunc(v.toDouble()) == v.toDouble()) {
            value = qint64(v.toDouble());
        } else {
            fail(QStringLiteral("expected a whole number"));
        }
        if (value < min || value > max)
            fail(QStringLiteral("number %1 out of range").arg(value));
        return value;
    }
    quint32 u32(const QJsonValue &v) const { return quint32(integer(v, 0, 0xFFFFFFFFLL)); }
    qint32 i32(const QJsonValue &v) const { return qint32(integer(v, INT32_MIN, INT32_MAX)); }

    QList<qint64> numbers(const QJsonValue &v, int count, bool isSigned) const {
        const QJsonArray a = array(v);
        if (a.size() != count)
            fail(QStringLiteral("expected %1 numbers").arg(count));
        QList<qint64> out;
        for (const auto &n : a)
            out.append(isSigned ? i32(n) : u32(n));
        return out;
    }

    Rect rect(const QJsonValue &v) const {
        const QList<qint64> n = numbers(v, 4, true);
        return {qint32(n[0]), qint32(n[1]), qint32(n[2]), qint32(n[3])};
    }

    TextStyle textStyle(const QJsonValue &v) const {
        const QList<qint64> n = numbers(v, 4, false);
        return {quint32(n[0]), quint32(n[1]), quint32(n[2]), quint32(n[3])};
    }

    Text text(const QJsonValue &v) const {
        if (v.isNull())
            return std::nullopt;
        if (!v.isString())
            fail(QStringLiteral("expected a text (a string or null)"));
        return v.toString();
    }

    QByteArray hex(const QJsonValue &v) const {
        const QString s = v.toString();
        if (!v.isString() || s.size() % 2 != 0 || !std::all_of(s.begin(), s.end(), isHexDigit))
            fail(QStringLiteral("expected hexadecimal bytes"));
        return QByteArray::fromHex(s.toLatin1());
    }

    SkinImage image(const QJsonObject &o) const {
        const Text name = text(member(o, "name"));
        const QString file = member(o, "file").toString();
        const QString path = QDir(baseDir_).filePath(file);
        QImage img(path);
        if (img.isNull())
            fail(QStringLiteral("cannot read the image file %1").arg(path));
        return SkinImage::fromImage(img, name);
    }

    PropertyGroup group(const QJsonObject &o, const GroupSpec &schema) {
        PropertyGroup g;
        g.version = u32(member(o, "version"));
        const QString outer = where_;
        for (const auto &v : array(member(o, "properties"))) {
            const QJsonArray pair = v.toArray();
            if (pair.size() != 2)
                fail(QStringLiteral("a property is [name, value]"));
            Property p;
            p.name = text(pair[0]);
            where_ = outer + QStringLiteral(", ") + p.name.value_or(QStringLiteral("(null name)"));
            p.value = value(pair[1], p.name ? schema.encodingOf(*p.name) : Encoding::Unknown);
            g.properties.append(std::move(p));
            where_ = outer;
        }
        return g;
    }

    Value value(const QJsonValue &v, Encoding encoding) const {
        switch (encoding) {
        case Encoding::Text:
            return text(v);
        case Encoding::Integer:
            return Integer{i32(v)};
        case Encoding::ShortFlag:
            return ShortFlag{quint16(integer(v, 0, 0xFFFF))};
        case Encoding::ColourTriple: {
            const QString s = v.toString();
            bool ok = s.size() == 7 && s.startsWith(QLatin1Char('#')) && isHexNumber(s.mid(1));
            const uint rgb = ok ? s.mid(1).toUInt(&ok, 16) : 0;
            if (!ok)
                fail(QStringLiteral("expected a colour \"#RRGGBB\""));
            return ColourTriple{quint8(rgb), quint8(rgb >> 8), quint8(rgb >> 16)};
        }
        case Encoding::Rectangle:
            return rect(v);
        case Encoding::Size: {
            const QList<qint64> n = numbers(v, 2, true);
            return Size{qint32(n[0]), qint32(n[1])};
        }
        case Encoding::Font: {
            LogFont f;
            if (v.toString() != QStringLiteral("zeros")) {
                const QByteArray bytes = hex(v);
                if (bytes.size() != 60)
                    fail(QStringLiteral("a font is \"zeros\" or 60 bytes in hexadecimal"));
                std::memcpy(f.bytes.data(), bytes.constData(), 60);
            }
            return f;
        }
        case Encoding::TextStyle:
            return textStyle(v);
        case Encoding::Action: {
            const QList<qint64> n = numbers(v, 3, false);
            return Action{{quint32(n[0]), quint32(n[1]), quint32(n[2])}};
        }
        case Encoding::Picture:
            return picture(v.toObject());
        case Encoding::Unknown:
            break;
        }
        if (!v.isObject() || !v.toObject().contains(QStringLiteral("raw")))
            fail(QStringLiteral("a property the format does not know needs {\"raw\": \"hex\"}"));
        return RawValue{hex(v.toObject().value(QStringLiteral("raw")))};
    }

    Picture picture(const QJsonObject &o) const {
        const quint32 length = u32(member(o, "layout"));
        const QJsonArray slotList = array(member(o, "slots"));
        const PictureLayout *layout = pictureLayout(length);
        if (!layout) {
            QList<Text> names;
            for (const auto &s : slotList)
                names.append(text(s.toObject().value(QStringLiteral("image"))));
            const QByteArray fixed = hex(member(o, "fixed"));
            if (quint32(fixed.size()) != length)
                fail(QStringLiteral("the fixed part must hold %1 bytes").arg(length));
            return {fixed, names};
        }
        if (slotList.size() != layout->slotCount)
            fail(QStringLiteral("layout %1 has %2 image slots").arg(length).arg(layout->slotCount));
        if (length > 4096)
            fail(QStringLiteral("layout too long"));
        Picture p = Picture::empty(length);
        for (int i = 0; i < slotList.size(); ++i) {
            const QJsonObject s = slotList[i].toObject();
            ImagePart part;
            part.slot = i;
            part.imageName = text(s.value(QStringLiteral("image")));
            if (s.contains(QStringLiteral("source")))
                part.source = rect(s.value(QStringLiteral("source")));
            if (s.contains(QStringLiteral("margins")))
                part.margins = rect(s.value(QStringLiteral("margins")));
            if (s.contains(QStringLiteral("flags")))
                part.flags = u32(s.value(QStringLiteral("flags")));
            p.setImagePart(part);
        }
        if (o.contains(QStringLiteral("stateFlag"))) {
            p.setWord(layout->stateFlagWord, u32(o.value(QStringLiteral("stateFlag"))));
            p.setWord(layout->stateNumberWord, u32(o.value(QStringLiteral("stateNumber"))));
        }
        const QJsonArray styles = o.value(QStringLiteral("textStyles")).toArray();
        if (qsizetype(styles.size()) > qsizetype(layout->textStyleWords.size()))
            fail(QStringLiteral("too many text styles for layout %1").arg(length));
        for (int i = 0; i < styles.size(); ++i)
            p.setTextStyle(i, textStyle(styles[i]));
        const QJsonArray colours = o.value(QStringLiteral("colours")).toArray();
        if (qsizetype(colours.size()) > qsizetype(layout->colourWords.size()))
            fail(QStringLiteral("too many colours for layout %1").arg(length));
        for (int i = 0; i < colours.size(); ++i)
            p.setWord(layout->colourWords[std::size_t(i)], u32(colours[i]));
        const QJsonObject other = o.value(QStringLiteral("otherWords")).toObject();
        for (auto it = other.begin(); it != other.end(); ++it) {
            bool ok = false;
            const int index = it.key().toInt(&ok);
            if (!ok || index < 0 || index >= p.wordCount() || layout->isKnownWord(index))
                fail(QStringLiteral("otherWords: %1 is not a free word of layout %2")
                         .arg(it.key())
                         .arg(length));
            p.setWord(index, u32(it.value()));
        }
        return p;
    }

    Element element(const QJsonObject &o, bool isRoot) {
        Element e;
        const QString outer = where_;
        if (o.contains(QStringLiteral("node"))) {
            e.node = group(o.value(QStringLiteral("node")).toObject(), nodeGroupSpec());
        } else {
            e.node.properties = {{QString::fromUtf16(props::m_bstrName), text(member(o, "name"))},
                                 {QString::fromUtf16(props::m_bstrTag), text(member(o, "tag"))}};
        }
        where_ = isRoot ? e.name() : outer + QLatin1Char('/') + e.name();
        if (!isRoot) {
            const KindSpec *schema = kindSpecForName(member(o, "kind").toString());
            if (!schema)
                fail(QStringLiteral("unknown kind %1")
                         .arg(o.value(QStringLiteral("kind")).toString()));
            e.kind = schema->kind;
            const QJsonArray groups = array(member(o, "groups"));
            if (qsizetype(groups.size()) != qsizetype(schema->groups.size()))
                fail(QStringLiteral("a %1 has %2 property groups")
                         .arg(QLatin1StringView(schema->name))
                         .arg(schema->groups.size()));
            for (int i = 0; i < groups.size(); ++i)
                e.groups.append(group(groups[i].toObject(), schema->groups[std::size_t(i)]));
        }
        const QString here = where_;
        const QJsonArray children = array(member(o, "children"));
        for (const auto &c : children) {
            where_ = here;
            e.children.push_back(element(c.toObject(), false));
        }
        where_ = outer;
        return e;
    }

    QString baseDir_;
    QString where_;
};

// The PNG writer's limit on a side (libpng's, which Qt keeps).
constexpr quint32 MaxPngSide = 1000000;
// A file name's longest, in bytes, on the usual file systems.
constexpr qsizetype MaxFileNameBytes = 255;

// The name an image's file is made from: its name without its last
// extension.
QString stemOf(const QString &name) {
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? name : name.left(dot);
}

// Why an image's name cannot make a file name; empty when it can.
QString unfitForFileName(const Text &name) {
    if (!name || name->isEmpty())
        return QStringLiteral("it has no name to make a file name of");
    if (!name->isValidUtf16())
        return QStringLiteral("its name is not valid Unicode");
    for (const QChar c : *name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return QStringLiteral("its name holds the control character U+%1")
                .arg(QString::number(c.unicode(), 16).toUpper().rightJustified(4, u'0'));
        if (c == QLatin1Char('/') || c == QLatin1Char('\\'))
            return QStringLiteral("its name holds a path separator");
    }
    const QString stem = stemOf(*name);
    if (stem.isEmpty() || stem.startsWith(QLatin1Char('.')))
        return QStringLiteral("its name would make a hidden file's or a folder's name");
    // Room for the "-2.png" that may follow, numbers of ten digits included.
    if (QFile::encodeName(stem).size() + 15 > MaxFileNameBytes)
        return QStringLiteral("its name is too long for a file name");
    return {};
}

// Why no PNG file can hold an image; empty when one can, and then *png holds it.
QString encodePng(const SkinImage &image, QByteArray *png) {
    if (image.width == 0 || image.height == 0)
        return QStringLiteral("it has no pixels (%1 × %2)").arg(image.width).arg(image.height);
    if (image.width > MaxPngSide || image.height > MaxPngSide)
        return QStringLiteral("it is %1 × %2 pixels, and a PNG file is written at most %3 "
                              "pixels a side")
            .arg(image.width)
            .arg(image.height)
            .arg(MaxPngSide);
    QBuffer buffer(png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image.toImage()))
        return QStringLiteral("it cannot be encoded as PNG (%1 × %2 pixels)")
            .arg(image.width)
            .arg(image.height);
    return {};
}

} // namespace

std::optional<QList<ImageFile>> imageFiles(const Skin &skin, QString *error) {
    QList<ImageFile> files;
    QSet<QString> taken; // case-folded, so that no two files differ by case alone
    for (int i = 0; i < skin.images.size(); ++i) {
        const SkinImage &image = skin.images[i];
        ImageFile file;
        QString why = unfitForFileName(image.name);
        if (why.isEmpty())
            why = encodePng(image, &file.png);
        if (!why.isEmpty()) {
            *error = QStringLiteral("image %1 (%2): %3").arg(i).arg(describeText(image.name), why);
            return std::nullopt;
        }
        const QString stem = stemOf(*image.name);
        file.name = stem + QStringLiteral(".png");
        for (int number = 2; taken.contains(file.name.toCaseFolded()); ++number)
            file.name = QStringLiteral("%1-%2.png").arg(stem).arg(number);
        taken.insert(file.name.toCaseFolded());
        files.append(std::move(file));
    }
    return files;
}

bool writeImageFiles(const QList<ImageFile> &files, const QDir &dir, QStringList *paths,
                     QString *error) {
    for (const ImageFile &file : files) {
        const QString path = dir.filePath(file.name);
        QSaveFile out(path);
        if (!out.open(QIODevice::WriteOnly) || out.write(file.png) != file.png.size() ||
            !out.commit()) {
            *error = QStringLiteral("cannot write %1: %2").arg(path, out.errorString());
            return false;
        }
        paths->append(path);
    }
    return true;
}

QByteArray skinToJson(const Skin &skin, const QStringList &imageFiles) {
    Json images = Json::array();
    for (int i = 0; i < skin.images.size(); ++i) {
        images.add(Json::object()
                       .add(QStringLiteral("name"), text(skin.images[i].name))
                       .add(QStringLiteral("file"), str(imageFiles.value(i))));
    }
    Json root = Json::object()
                    .add(QStringLiteral("settings"), group(skin.settings))
                    .add(QStringLiteral("secondGroup"), group(skin.secondGroup))
                    .add(QStringLiteral("imageTableTag"), num(skin.imageTableTag))
                    .add(QStringLiteral("images"), images)
                    .add(QStringLiteral("afterImages"), num(skin.afterImages))
                    .add(QStringLiteral("root"), element(skin.root));
    QString out;
    print(root, 0, out);
    out += QLatin1Char('\n');
    return out.toUtf8();
}

std::optional<Skin> skinFromJson(const QByteArray &json, const QString &baseDir, QString *error) {
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
    if (!doc.isObject()) {
        if (error)
            *error = QStringLiteral("not a JSON object: %1 at offset %2")
                         .arg(parseError.errorString())
                         .arg(parseError.offset);
        return std::nullopt;
    }
    try {
        return SourceReader(baseDir).skin(doc.object());
    } catch (const SourceError &e) {
        if (error)
            *error = e.message;
        return std::nullopt;
    }
}

std::optional<Skin> loadSkinSource(const QString &jsonPath, QString *error) {
    QFile file(jsonPath);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("cannot read %1: %2").arg(jsonPath, file.errorString());
        return std::nullopt;
    }
    QString inner;
    std::optional<Skin> skin =
        skinFromJson(file.readAll(), QFileInfo(jsonPath).absolutePath(), &inner);
    if (!skin && error)
        *error = jsonPath + QStringLiteral(": ") + inner;
    return skin;
}

bool saveSkinSource(const Skin &skin, const QString &jsonPath, QString *error) {
    QString why;
    const std::optional<QList<ImageFile>> files = imageFiles(skin, &why);
    const QString jsonName = QFileInfo(jsonPath).fileName();
    if (files) {
        for (const ImageFile &file : *files) {
            if (file.name.compare(jsonName, Qt::CaseInsensitive) == 0)
                why = QStringLiteral("%1 would take the name of an image file").arg(jsonPath);
        }
    }
    const QDir dir = QFileInfo(jsonPath).absoluteDir();
    QStringList paths;
    if (!files || !why.isEmpty() || !writeImageFiles(*files, dir, &paths, &why)) {
        if (error)
            *error = why;
        return false;
    }
    QStringList names;
    for (const ImageFile &file : *files)
        names.append(file.name);
    QSaveFile out(jsonPath);
    if (!out.open(QIODevice::WriteOnly) || out.write(skinToJson(skin, names)) < 0 ||
        !out.commit()) {
        if (error)
            *error = QStringLiteral("cannot write %1: %2").arg(jsonPath, out.errorString());
        return false;
    }
    return true;
}

} // namespace skin
