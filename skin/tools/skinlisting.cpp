// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/tools/skinlisting.h"

#include <QCryptographicHash>
#include <QHash>

namespace skin {
namespace {

QString number(qint64 v) {
    if (v >= 0x10000 || v <= -0x10000)
        return QStringLiteral("0x") +
               QString::number(quint32(v), 16).toUpper().rightJustified(8, QLatin1Char('0'));
    return QString::number(v);
}

QString rect(const Rect &r) {
    return QStringLiteral("(%1, %2, %3, %4)").arg(r.left).arg(r.top).arg(r.right).arg(r.bottom);
}

QString style(const TextStyle &s) {
    return QStringLiteral("(%1, %2, %3, %4)")
        .arg(number(s.style), number(s.textColour), number(s.secondColour), number(s.format));
}

QString describePicture(const Picture &p) {
    QStringList parts;
    parts << QStringLiteral("layout %1").arg(p.layoutLength());
    const PictureLayout *layout = p.layout();
    for (const ImagePart &part : p.imageParts()) {
        QString s = QStringLiteral("slot %1 %2").arg(part.slot).arg(describeText(part.imageName));
        if (layout && part.slot < layout->slotCount &&
            layout->partWord[std::size_t(part.slot)] >= 0)
            s += QLatin1Char(' ') + rect(part.source);
        if (part.margins)
            s += QStringLiteral(" margins ") + rect(*part.margins);
        if (part.flags)
            s += QStringLiteral(" flags ") + number(*part.flags);
        parts << s;
    }
    if (p.stateFlag())
        parts << QStringLiteral("state %1/%2").arg(*p.stateFlag()).arg(p.stateNumber().value_or(0));
    for (const TextStyle &s : p.textStyles())
        parts << QStringLiteral("style ") + style(s);
    for (quint32 c : p.colours())
        parts << QStringLiteral("colour ") + number(c);
    if (!layout) {
        parts << QStringLiteral("fixed part %1")
                     .arg(QString::fromLatin1(p.fixedPart().toByteArray().toHex()));
    } else {
        for (int w = 0; w < p.wordCount(); ++w) {
            if (!layout->isKnownWord(w) && p.word(w) != 0)
                parts << QStringLiteral("word %1 = %2").arg(w).arg(number(p.word(w)));
        }
    }
    return parts.join(QStringLiteral("; "));
}

struct Describer {
    QString operator()(const Text &t) const { return describeText(t); }
    QString operator()(const Integer &i) const { return number(i.value); }
    QString operator()(const ShortFlag &f) const { return QString::number(f.value); }
    QString operator()(const ColourTriple &c) const {
        return QStringLiteral("#%1").arg(c.rgb() & 0xFFFFFF, 6, 16, QLatin1Char('0')).toUpper();
    }
    QString operator()(const Rect &r) const { return rect(r); }
    QString operator()(const Size &s) const {
        return QStringLiteral("(%1, %2)").arg(s.width).arg(s.height);
    }
    QString operator()(const LogFont &f) const {
        if (f.isZero())
            return QStringLiteral("font all zeros");
        return QStringLiteral("font \"%1\" height %2 weight %3 bytes %4")
            .arg(QString::fromLatin1(f.faceName()))
            .arg(f.height())
            .arg(f.weight())
            .arg(QString::fromLatin1(
                QByteArray(reinterpret_cast<const char *>(f.bytes.data()), 60).toHex()));
    }
    QString operator()(const TextStyle &s) const { return style(s); }
    QString operator()(const Action &a) const {
        return QStringLiteral("action (%1, %2, %3)")
            .arg(a.words[0])
            .arg(a.words[1])
            .arg(a.words[2]);
    }
    QString operator()(const Picture &p) const { return describePicture(p); }
    QString operator()(const RawValue &r) const {
        return QStringLiteral("unknown value %1").arg(QString::fromLatin1(r.bytes.toHex()));
    }
};

class Lister {
public:
    QList<ListingEntry> entries;

    void add(const QString &key, const QString &value) { entries.append({key, value}); }

    void group(const QString &where, const PropertyGroup &g, int index) {
        add(QStringLiteral("%1  group %2 version").arg(where).arg(index),
            QString::number(g.version));
        QHash<QString, int> seen;
        for (const Property &p : g.properties) {
            QString name = describeText(p.name);
            if (p.name)
                name = *p.name;
            const int n = seen[name]++;
            if (n > 0)
                name += QStringLiteral("#%1").arg(n + 1);
            add(QStringLiteral("%1  %2").arg(where, name), describeValue(p.value));
        }
    }

    void element(const QString &path, const Element &e) {
        add(path + QStringLiteral("  kind"), kindName(e.kind));
        add(path + QStringLiteral("  tag"), describeText(e.tag()));
        for (int i = 0; i < e.groups.size(); ++i)
            group(path, e.groups[i], i + 1);
        add(path + QStringLiteral("  children"), QString::number(e.children.size()));
        QHash<QString, int> total;
        for (const Element &c : e.children)
            ++total[c.name()];
        QHash<QString, int> seen;
        for (const Element &c : e.children) {
            QString name = c.name();
            const int n = seen[name]++;
            if (total[name] > 1)
                name += QStringLiteral("[%1]").arg(n);
            element(path + QLatin1Char('/') + name, c);
        }
    }
};

} // namespace

QString describeText(const Text &text) {
    if (!text)
        return QStringLiteral("null");
    // Control characters spelled out: a NUL would end the line it is
    // printed in.
    QString quoted;
    quoted.reserve(text->size() + 2);
    quoted += QLatin1Char('"');
    for (const QChar c : *text) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('"'))
            quoted += QLatin1Char('\\');
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            quoted += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            quoted += c;
    }
    return quoted + QLatin1Char('"');
}

QString describeValue(const Value &value) {
    return std::visit(Describer{}, value);
}

QList<ListingEntry> skinListing(const Skin &skin) {
    Lister l;
    l.group(QStringLiteral("settings"), skin.settings, 1);
    l.group(QStringLiteral("settings"), skin.secondGroup, 2);
    l.add(QStringLiteral("images  tag"), QString::number(skin.imageTableTag));
    l.add(QStringLiteral("images  count"), QString::number(skin.images.size()));
    for (int i = 0; i < skin.images.size(); ++i) {
        const SkinImage &img = skin.images[i];
        const QString key = QStringLiteral("image %1").arg(i);
        l.add(key + QStringLiteral("  name"), describeText(img.name));
        l.add(key + QStringLiteral("  size"),
              QStringLiteral("%1 x %2").arg(img.width).arg(img.height));
        l.add(key + QStringLiteral("  pixels sha1"),
              QString::fromLatin1(
                  QCryptographicHash::hash(img.pixels, QCryptographicHash::Sha1).toHex()));
    }
    l.add(QStringLiteral("images  after"), QString::number(skin.afterImages));
    l.element(skin.root.name(), skin.root);
    return l.entries;
}

QStringList compareSkins(const Skin &expected, const Skin &actual) {
    const QList<ListingEntry> want = skinListing(expected);
    const QList<ListingEntry> have = skinListing(actual);
    QHash<QString, QString> haveByKey;
    for (const ListingEntry &e : have)
        haveByKey.insert(e.key, e.value);
    QHash<QString, bool> wanted;
    QStringList lines;
    for (const ListingEntry &e : want) {
        wanted.insert(e.key, true);
        const auto it = haveByKey.constFind(e.key);
        if (it == haveByKey.constEnd())
            lines << QStringLiteral("%1: expected %2, missing").arg(e.key, e.value);
        else if (*it != e.value)
            lines << QStringLiteral("%1: expected %2, found %3").arg(e.key, e.value, *it);
    }
    for (const ListingEntry &e : have) {
        if (!wanted.contains(e.key))
            lines << QStringLiteral("%1: unexpected %2").arg(e.key, e.value);
    }
    return lines;
}

} // namespace skin
