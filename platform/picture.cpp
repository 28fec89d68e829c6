// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/picture.h"

#include "platform/paths.h"
#include "platform/runtimeerror.h"

#include <QFile>
#include <QImageReader>
#include <QScopeGuard>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

namespace platform {
namespace {

struct OpenFailure {
    int systemError;
    int number;
};

// Why a file could not be opened, as the platform's error numbers say it;
// anything else is an access error.
constexpr OpenFailure OpenFailures[] = {
    {ENOENT, errors::FileNotFound},       {ENOTDIR, errors::FileNotFound},
    {ENAMETOOLONG, errors::FileNotFound}, {EACCES, errors::PermissionDenied},
    {EPERM, errors::PermissionDenied},
};

// Opens a picture file for reading. Without waiting: a FIFO or a device in a
// picture's place must never hold the interface thread, and is no file.
std::unique_ptr<QFile> openPictureFile(const QString &fileName) {
    auto file = std::make_unique<QFile>();
    int error = 0;
    if (openRegularFile(*file, nativePath(fileName), &error))
        return file;
    if (error == 0)
        raiseForFile(errors::FileNotFound, fileName);
    const auto *known = std::ranges::find(OpenFailures, error, &OpenFailure::systemError);
    if (known != std::end(OpenFailures))
        raiseForFile(known->number, fileName);
    raiseForFile(errors::PathFileAccessError, fileName,
                 QString::fromLocal8Bit(std::strerror(error)));
}

// Where the coded data of a JPEG stream's first scan begins, or -1 when the
// stream has no scan header that can be found. Leaves the device where it was.
qint64 firstScanData(QIODevice &device) {
    const qint64 start = device.pos();
    const auto restore = qScopeGuard([&] { device.seek(start); });
    if (device.read(2) != QByteArrayLiteral("\xFF\xD8"))
        return -1;
    constexpr int MostMarkers = 4096;
    qint64 at = start + 2;
    for (int markers = 0; markers < MostMarkers; ++markers) {
        if (!device.seek(at))
            return -1;
        const QByteArray head = device.read(4);
        if (head.size() < 2 || static_cast<uchar>(head[0]) != 0xFF)
            return -1;
        const auto kind = static_cast<uchar>(head[1]);
        if (kind == 0xFF) { // a fill byte before the marker
            ++at;
            continue;
        }
        if (kind == 0x01 || (kind >= 0xD0 && kind <= 0xD7)) { // markers without a segment
            at += 2;
            continue;
        }
        if (kind == 0xD9 || head.size() < 4)
            return -1;
        const int length = (static_cast<uchar>(head[2]) << 8) | static_cast<uchar>(head[3]);
        if (length < 2)
            return -1;
        at += 2 + length;
        if (kind == 0xDA) // the scan header: its coded data follows
            return at;
    }
    return -1;
}

class QtPictureLoader final : public PictureLoader {
public:
    Picture load(const QString &fileName) override {
        const std::unique_ptr<QFile> file = openPictureFile(fileName);

        // The content decides, not the name: a JPEG stored as ".bmp" loads.
        QImageReader reader(file.get());
        reader.setDecideFormatFromContent(true);
        const QByteArray format = reader.format();
        if (format != "bmp" && format != "jpeg")
            raiseForFile(errors::InvalidPicture, fileName);
        // A JPEG cut off where its picture data begins decodes to a plain grey
        // area: say the file is damaged rather than show nothing. One cut
        // later shows what it holds, as a bitmap cut short does.
        if (format == "jpeg") {
            const qint64 scan = firstScanData(*file);
            if (scan >= 0 && scan >= file->size())
                raiseForFile(errors::InvalidPicture, fileName,
                             QStringLiteral("الملف مقطوع قبل بيانات الصورة"));
        }
        QImage image = reader.read();
        if (image.isNull())
            raiseForFile(errors::InvalidPicture, fileName, reader.errorString());
        return Picture(std::move(image));
    }
};

} // namespace

PictureLoader &PictureLoader::real() {
    static QtPictureLoader loader;
    return loader;
}

template class Service<PictureLoader>;

} // namespace platform

platform::Picture LoadPicture(const QString &fileName) {
    return platform::Service<platform::PictureLoader>::get().load(fileName);
}
