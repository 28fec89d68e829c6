// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures loaded from files, as the image controls show them.
#pragma once

#include "platform/service.h"

#include <QImage>
#include <QString>

namespace platform {

// A loaded picture. Copies share the pixels.
class Picture {
public:
    Picture() = default;
    explicit Picture(QImage image) : image_(std::move(image)) {}
    bool isNull() const { return image_.isNull(); }
    const QImage &image() const { return image_; }
    int width() const { return image_.width(); }
    int height() const { return image_.height(); }

private:
    QImage image_;
};

class PictureLoader {
public:
    virtual ~PictureLoader() = default;
    // Loads the picture a file holds, by its wide name. Raises a runtime
    // error that names the file when it is missing or no plain file (53),
    // the program may not read it (70), or it holds no bitmap or JPEG
    // picture, or none but a header (481).
    virtual Picture load(const QString &fileName) = 0;
    static PictureLoader &real();
};

extern template class Service<PictureLoader>;

} // namespace platform

platform::Picture LoadPicture(const QString &fileName);
