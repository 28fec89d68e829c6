// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/iconfile.h"

#include <QtEndian>

namespace platform {
namespace {

constexpr qsizetype DirectoryHeaderSize = 6;
constexpr qsizetype DirectoryEntrySize = 16;
constexpr qsizetype BitmapHeaderSize = 40;
constexpr int MaxSide = 256;

quint16 word(QByteArrayView file, qsizetype at) {
    return qFromLittleEndian<quint16>(file.data() + at);
}
quint32 dword(QByteArrayView file, qsizetype at) {
    return qFromLittleEndian<quint32>(file.data() + at);
}
qint32 signedDword(QByteArrayView file, qsizetype at) {
    return qFromLittleEndian<qint32>(file.data() + at);
}

// Rows are stored bottom up, each padded to four bytes.
qsizetype rowBytes(int width, int bitsPerPixel) {
    return (qsizetype(width) * bitsPerPixel + 31) / 32 * 4;
}

} // namespace

QImage readIconFileImage(QByteArrayView file) {
    if (file.size() < DirectoryHeaderSize + DirectoryEntrySize || word(file, 0) != 0 ||
        word(file, 2) != 1 || word(file, 4) < 1)
        return {};
    const quint32 size = dword(file, DirectoryHeaderSize + 8);
    const quint32 offset = dword(file, DirectoryHeaderSize + 12);
    if (offset > quint32(file.size()) || size > quint32(file.size()) - offset ||
        size < BitmapHeaderSize)
        return {};
    const QByteArrayView bitmap = file.sliced(offset, size);
    const qint32 width = signedDword(bitmap, 4);
    const qint32 doubleHeight = signedDword(bitmap, 8); // the colours, then the mask
    const int bitsPerPixel = word(bitmap, 14);
    if (dword(bitmap, 0) != BitmapHeaderSize || word(bitmap, 12) != 1 ||
        dword(bitmap, 16) != 0 /* uncompressed */ || dword(bitmap, 32) != 0 /* no palette */ ||
        (bitsPerPixel != 24 && bitsPerPixel != 32) || width < 1 || width > MaxSide ||
        doubleHeight < 2 || doubleHeight % 2 != 0 || doubleHeight / 2 > MaxSide)
        return {};
    const int height = doubleHeight / 2;
    const qsizetype colourRow = rowBytes(width, bitsPerPixel);
    const qsizetype maskRow = rowBytes(width, 1);
    const qsizetype colours = BitmapHeaderSize;
    const qsizetype mask = colours + colourRow * height;
    // A 32-bit image may leave its mask out: its alpha says it all.
    const bool hasMask = mask + maskRow * height <= bitmap.size();
    if (mask > bitmap.size() || (bitsPerPixel == 24 && !hasMask))
        return {};

    QImage image(width, height, QImage::Format_ARGB32);
    if (image.isNull())
        return {};
    const int bytesPerPixel = bitsPerPixel / 8;
    for (int y = 0; y < height; ++y) {
        const int stored = height - 1 - y;
        const char *in = bitmap.data() + colours + colourRow * stored;
        const char *maskIn = hasMask ? bitmap.data() + mask + maskRow * stored : nullptr;
        auto *out = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const auto *pixel = reinterpret_cast<const uchar *>(in + x * bytesPerPixel);
            int alpha = bytesPerPixel == 4 ? pixel[3] : 255;
            if (maskIn && (uchar(maskIn[x / 8]) & (0x80 >> (x % 8))))
                alpha = 0;
            out[x] = qRgba(pixel[2], pixel[1], pixel[0], alpha);
        }
    }
    return image;
}

} // namespace platform
